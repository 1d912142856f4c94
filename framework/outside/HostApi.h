// The functions of the acquisition host library that an applet instance looks
// up by name and calls on its inner host handle. The host library itself is
// outside the system; these are the signatures the libraries rely on.
#pragma once

#include <cstdint>

#include "InterfaceNumbers.h"

extern "C" {

struct ParameterInfoEntry;

// Value record of type kHostValueTable: replaces the whole content of a table register.
struct HostTableRecord {
    std::uint32_t kind;     // always 2
    std::uint32_t reserved; // always 0
    std::uint32_t count;
    std::uint32_t* values;
};

// One entry of a table or array: value, then index. Also the value form of
// per-element parameters in the exports.
struct FieldElement {
    std::uint32_t value;
    std::uint32_t index;
};
static_assert(sizeof(FieldElement) == 8, "FieldElement is two 32-bit words");

using HostInitHandleSlaveAware = void* (*)(const char* designFile, std::uintptr_t board, void* design, bool slave);
using HostInitHandle = void* (*)(const char* designFile, std::uintptr_t board, void* design);
using HostGetLastErrorNumber = std::int32_t (*)(void* handle);
using HostSetParameterWithType = std::int32_t (*)(void* handle, std::uint32_t registerId, const void* value,
                                                  std::uint32_t index, std::int32_t type);
using HostGetParameterWithType = std::int32_t (*)(void* handle, std::uint32_t registerId, void* value,
                                                  std::uint32_t index, std::int32_t type);
using HostSetParameter = std::int32_t (*)(void* handle, std::int32_t id, const void* value, std::uint32_t port);
using HostGetParameter = std::int32_t (*)(void* handle, std::int32_t id, void* value, std::uint32_t port);
using HostGetParameterIdByName = std::int32_t (*)(void* handle, const char* name);
using HostGetParameterInfo = ParameterInfoEntry* (*)(void* handle, std::uint32_t port);
using HostFreeGrabber = std::int32_t (*)(void* handle);
using HostGetAppletId = std::int32_t (*)(void* handle, const char* ignored);
using HostGetStatusEx = std::intptr_t (*)(void* handle, std::int32_t param, std::intptr_t data, std::int32_t dma,
                                          std::intptr_t memory);
using HostAcquireEx = std::int32_t (*)(void* handle, std::int32_t dma, std::intptr_t frames, std::int32_t mode,
                                       std::intptr_t memory);
using HostStopAcquireEx = std::int32_t (*)(void* handle, std::int32_t dma, std::intptr_t memory, std::int32_t mode);
using HostGetLastPicNumberEx = std::intptr_t (*)(void* handle, std::int32_t dma, std::intptr_t memory);
using HostGetLastPicNumberBlockingEx = std::intptr_t (*)(void* handle, std::intptr_t picture, std::int32_t dma,
                                                         std::int32_t timeout, std::intptr_t memory);

}  // extern "C"
