// The 31 exports. Each checks the caller's handle record, calls into the
// instance and turns whatever is thrown into the interface's error answer;
// none of them holds logic of its own beyond that.
#include <cstring>
#include <memory>

#include "AppletDescription.h"
#include "CallingConvention.h"
#include "DesignLoader.h"
#include "ErrorCodes.h"
#include "ExceptionBarrier.h"
#include "FgPlWrapper.h"
#include "GenericApplet.h"
#include "InterfaceNumbers.h"
#include "Platform.h"

#pragma GCC visibility push(default)
#include "AppletExports.h"
#pragma GCC visibility pop

using namespace velm;

namespace {

FgPlWrapper* instanceOf(AppletHandle* handle)
{
    return handle == nullptr ? nullptr : static_cast<FgPlWrapper*>(handle->instance);
}

// Calls an operation that answers a code; a throw becomes the code of what
// was thrown, stored as the last error.
template <typename Call>
std::int32_t answerCode(FgPlWrapper& instance, Call call) noexcept
{
    try {
        return call();
    } catch (...) {
        return instance.setLastError(currentExceptionCode());
    }
}

// Calls an operation that answers a value; a throw gives `failure`, and the
// code of what was thrown is stored as the last error.
template <typename Result, typename Call>
Result answerValue(FgPlWrapper& instance, Result failure, Call call) noexcept
{
    try {
        return call();
    } catch (...) {
        instance.setLastError(currentExceptionCode());
        return failure;
    }
}

// Acquisition and status calls go straight to the host on the inner handle.
template <typename Function, typename... Arguments>
auto forwardToHost(AppletHandle* handle, HostFunction position, Arguments... arguments)
    -> decltype(std::declval<Function>()(nullptr, arguments...))
{
    using Result = decltype(std::declval<Function>()(nullptr, arguments...));
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    Function function = instance->getHostFunctionTable().get<Function>(position);
    void* inner = instance->getHostHandle();
    if (function == nullptr || inner == nullptr) {
        instance->setLastError(kErrHostFunctionMissing);
        return kErrHostFunctionMissing;
    }
    const Result result = function(inner, arguments...);
    instance->setLastError(result < 0 ? instance->getHostLastError() : 0);
    return result;
}

// Closes the inner handle of an instance that will not be handed out.
void closeInnerHandle(FgPlWrapper& instance)
{
    auto freeGrabber = instance.getHostFunctionTable().get<HostFreeGrabber>(HostFunction::FreeGrabber);
    if (freeGrabber != nullptr && instance.getHostHandle() != nullptr) {
        freeGrabber(instance.getHostHandle());
    }
}

void destroy(FgPlWrapper* instance) noexcept
{
    try {
        delete instance;
    } catch (...) {
        // A lock still held by a call on another thread: the caller freed the
        // instance while using it. The memory is released all the same.
    }
}

}  // namespace

extern "C" {

VELM_EXPORT void* Std_entry(uintptr_t board, int32_t* error, int32_t flag)
{
    int32_t ignored = 0;
    int32_t& code = error != nullptr ? *error : ignored;
    const AppletDescription& applet = thisApplet();

    // Only an applet of several cameras has slave instances.
    const bool takesSlaves = applet.cameraCount > 1;
    if (!takesSlaves && flag != 0) {
        code = kErrInvalidArgument;
        return nullptr;
    }
    const bool slave = takesSlaves && flag != 0;

    GenericApplet* instance = nullptr;
    void* design = nullptr;
    bool instanceOwnsDesign = false;
    try {
        instance = applet.create();
        code = instance->loadAcqhostExports("acqhost");
        if (code != 0) {
            destroy(instance);
            return nullptr;
        }
        if (os::environmentValue("__VELM_FORCE_EXTERNAL_HAP").has_value()) {
            design = openDesignFile(instance->getHapFileName(), kDesignBoardType, 1);
        } else {
            design = openDesignMemory(embedded::designBlock, embedded::designBlockSize, 1);
        }
        if (design == nullptr) {
            code = kErrDesignNotOpened;
            destroy(instance);
            return nullptr;
        }
        code = instance->initInnerHandle(instance->getHapFileName(), board, design, slave);
        if (code != 0) {
            releaseDesign(design);
            destroy(instance);
            return nullptr;
        }
        instance->setHandles(board, design);
        instanceOwnsDesign = true;

        instance->buildParameterTable();
        instance->initRegisterHandles();
        instance->buildParameterInfo();
        if (!slave) {
            instance->applyAllParameters();
        }
        code = 0;
        return static_cast<FgPlWrapper*>(instance);
    } catch (...) {
        code = currentExceptionCode();
        if (design != nullptr && !instanceOwnsDesign) {
            releaseDesign(design);
        }
        if (instance != nullptr) {
            closeInnerHandle(*instance);
            destroy(instance);
        }
        return nullptr;
    }
}

VELM_EXPORT int32_t Info(int32_t query, int32_t firstIndex, int32_t secondIndex, uintptr_t* first, void** second)
{
    return answerInfo(thisApplet(), query, firstIndex, secondIndex, first, second);
}

VELM_EXPORT int32_t Fg_getAppletId(AppletHandle* handle, const char* ignored)
{
    return forwardToHost<HostGetAppletId>(handle, HostFunction::GetAppletId, ignored);
}

VELM_EXPORT intptr_t Fg_getStatusEx(AppletHandle* handle, int32_t param, intptr_t data, int32_t dma, intptr_t memory)
{
    return forwardToHost<HostGetStatusEx>(handle, HostFunction::GetStatusEx, param, data, dma, memory);
}

VELM_EXPORT int32_t Fg_AcquireEx(AppletHandle* handle, int32_t dma, intptr_t frames, int32_t mode, intptr_t memory)
{
    return forwardToHost<HostAcquireEx>(handle, HostFunction::AcquireEx, dma, frames, mode, memory);
}

VELM_EXPORT int32_t Fg_stopAcquireEx(AppletHandle* handle, int32_t dma, intptr_t memory, int32_t mode)
{
    return forwardToHost<HostStopAcquireEx>(handle, HostFunction::StopAcquireEx, dma, memory, mode);
}

VELM_EXPORT intptr_t Fg_getLastPicNumberEx(AppletHandle* handle, int32_t dma, intptr_t memory)
{
    return forwardToHost<HostGetLastPicNumberEx>(handle, HostFunction::GetLastPicNumberEx, dma, memory);
}

VELM_EXPORT intptr_t Fg_getLastPicNumberBlockingEx(AppletHandle* handle, intptr_t picture, int32_t dma,
                                                   int32_t timeout, intptr_t memory)
{
    return forwardToHost<HostGetLastPicNumberBlockingEx>(handle, HostFunction::GetLastPicNumberBlockingEx, picture,
                                                         dma, timeout, memory);
}

VELM_EXPORT int32_t Fg_FreeGrabber(AppletHandle* handle)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    int32_t result = 0;
    auto freeGrabber = instance->getHostFunctionTable().get<HostFreeGrabber>(HostFunction::FreeGrabber);
    if (freeGrabber != nullptr && instance->getHostHandle() != nullptr) {
        result = freeGrabber(instance->getHostHandle());
    }
    destroy(instance);
    handle->instance = nullptr;
    return result;
}

VELM_EXPORT int32_t Fg_getLastErrorNumber(AppletHandle* handle)
{
    FgPlWrapper* instance = instanceOf(handle);
    return instance == nullptr ? kErrNullHandle : instance->getLastError();
}

VELM_EXPORT int32_t Fg_setParameterWithType(AppletHandle* handle, int32_t id, const void* value, uint32_t port,
                                            int32_t /*type: every parameter travels in its own form*/)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    return answerCode(*instance, [&] { return instance->setParameterWithType(id, value, port); });
}

VELM_EXPORT int32_t Fg_getParameterWithType(AppletHandle* handle, int32_t id, void* value, uint32_t port,
                                            int32_t type)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    // Callers that name these types expect the whole 8 bytes defined, also
    // when the parameter writes fewer.
    if (isWideCallerValueType(type) && value != nullptr) {
        std::memset(value, 0, 8);
    }
    return answerCode(*instance, [&] { return instance->getParameterWithType(id, value, port); });
}

VELM_EXPORT int32_t Fg_getNrOfParameter(AppletHandle* handle)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    return answerCode(*instance, [&] { return instance->getNrOfParameter(); });
}

VELM_EXPORT int32_t Fg_getParameterId(AppletHandle* handle, int32_t index)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    return answerCode(*instance, [&] { return instance->getParameterId(index); });
}

VELM_EXPORT const char* Fg_getParameterName(AppletHandle* handle, int32_t index)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return nullptr;
    }
    return answerValue<const char*>(*instance, nullptr, [&] { return instance->getParameterName(index); });
}

VELM_EXPORT int32_t Fg_getParameterIdByName(AppletHandle* handle, const char* name)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    return answerCode(*instance, [&] { return instance->getParameterIdByName(name); });
}

VELM_EXPORT ParameterInfoEntry* Fg_getParameterInfo(AppletHandle* handle, uint32_t port)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return nullptr;
    }
    // The host walks the tree through its own "Fg_getParameterInfo"; without
    // it there is nobody to hand the tree to.
    if (instance->getHostFunctionTable().get<HostGetParameterInfo>(HostFunction::GetParameterInfo) == nullptr ||
        instance->getHostHandle() == nullptr) {
        return nullptr;
    }
    return instance->getParameterInfo(port);
}

VELM_EXPORT int32_t Fg_getParameterInfoXML(AppletHandle* handle, uint32_t port, char* buffer, size_t* size)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    return answerCode(*instance, [&] { return instance->getParameterInfoXML(handle, port, buffer, size); });
}

VELM_EXPORT int32_t Fg_saveConfig(AppletHandle* handle, const char* fileName)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    return answerCode(*instance, [&] { return instance->saveConfig(instance->getHostHandle(), fileName); });
}

VELM_EXPORT int32_t Fg_loadConfig(AppletHandle* handle, const char* fileName)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    return answerCode(*instance, [&] { return instance->loadConfig(instance->getHostHandle(), fileName); });
}

VELM_EXPORT uint64_t Fg_getEventMask(AppletHandle* handle, const char* name)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return 0;
    }
    return answerValue<uint64_t>(*instance, 0, [&] { return instance->getEventMask(name); });
}

VELM_EXPORT const char* Fg_getEventName(AppletHandle* handle, uint64_t mask)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return nullptr;
    }
    return answerValue<const char*>(*instance, nullptr, [&] { return instance->getEventName(mask); });
}

VELM_EXPORT void* Fg_AllocShading(AppletHandle* handle, int32_t set, uint32_t port)
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return nullptr;
    }
    void* shading = answerValue<void*>(*instance, nullptr, [&] { return instance->allocShading(set, port); });
    instance->setLastError(shading != nullptr ? 0 : kErrFailed);
    return shading;
}

}  // extern "C"

namespace {

// The shading exports store their answer as the last error.
template <typename Call>
int32_t shadingAnswer(AppletHandle* handle, Call call) noexcept
{
    FgPlWrapper* instance = instanceOf(handle);
    if (instance == nullptr) {
        return kErrNullHandle;
    }
    return instance->setLastError(answerCode(*instance, [&] { return call(*instance); }));
}

}  // namespace

extern "C" {

VELM_EXPORT int32_t Fg_FreeShading(AppletHandle* handle, void* shading)
{
    return shadingAnswer(handle, [&](FgPlWrapper& instance) { return instance.freeShading(shading); });
}

VELM_EXPORT int32_t Shad_GetAccess(AppletHandle* handle, void* shading)
{
    return shadingAnswer(handle, [&](FgPlWrapper& instance) { return instance.getAccess(shading); });
}

VELM_EXPORT int32_t Shad_FreeAccess(AppletHandle* handle, void* shading)
{
    return shadingAnswer(handle, [&](FgPlWrapper& instance) { return instance.freeAccess(shading); });
}

VELM_EXPORT int32_t Shad_GetMaxLine(AppletHandle* handle, void* access)
{
    return shadingAnswer(handle, [&](FgPlWrapper& instance) { return instance.getMaxLine(access); });
}

VELM_EXPORT int32_t Shad_SetSubValueLine(AppletHandle* handle, void* access, int32_t x, int32_t channel, float sub)
{
    return shadingAnswer(handle,
                         [&](FgPlWrapper& instance) { return instance.setSubValueLine(access, x, channel, sub); });
}

VELM_EXPORT int32_t Shad_SetMultValueLine(AppletHandle* handle, void* access, int32_t x, int32_t channel, float mult)
{
    return shadingAnswer(handle,
                         [&](FgPlWrapper& instance) { return instance.setMultValueLine(access, x, channel, mult); });
}

VELM_EXPORT int32_t Shad_SetFixedPatternNoiseLine(AppletHandle* handle, void* access, int32_t x, int32_t channel,
                                                  int32_t on)
{
    return shadingAnswer(
        handle, [&](FgPlWrapper& instance) { return instance.setFixedPatternNoiseLine(access, x, channel, on); });
}

VELM_EXPORT int32_t Shad_WriteActLine(AppletHandle* handle, void* access, int32_t line)
{
    return shadingAnswer(handle, [&](FgPlWrapper& instance) { return instance.writeActLine(access, line); });
}

}  // extern "C"
