// The private record of FgPlWrapper: everything the instance holds of the
// host library and the design. Every field starts null or zero.
#pragma once

#include <cstdint>
#include <memory>

#include "FgPlWrapper.h"
#include "HostApi.h"
#include "HostFunctionTable.h"
#include "ParameterInfoRegistry.h"
#include "Platform.h"

namespace velm {

struct FgPlWrapperPrivate {
    FgPlWrapperPrivate();
    ~FgPlWrapperPrivate();
    FgPlWrapperPrivate(const FgPlWrapperPrivate&) = delete;
    FgPlWrapperPrivate& operator=(const FgPlWrapperPrivate&) = delete;

    std::unique_ptr<HostFunctionTable> hostFunctionTable;
    void* hostHandle = nullptr;
    std::uintptr_t boardHandle = 0;
    void* designHandle = nullptr;
    os::ModuleHandle hostModule = nullptr;
    HostInitHandleSlaveAware initHandleSlaveAware = nullptr;
    HostInitHandle initHandle = nullptr;
    HostGetParameterIdByName hostGetParameterIdByName = nullptr;
    HostGetLastErrorNumber hostGetLastErrorNumber = nullptr;
    std::unique_ptr<ParameterInfoRegistry> parameterInfoRegistry;
    LastError lastError;
};

}  // namespace velm
