// The exports of the acquisition host stand-in. The typed ones are checked
// against the signatures the libraries call them with (HostApi.h) where they
// are defined; the rest are only looked up and stored by the libraries, so
// any plain signature serves. Tests include this header to call the host the
// way an applet instance does.
#pragma once

#include <cstdint>

#include "CallingConvention.h"
#include "HostApi.h"

#define ACQHOST_API VELM_EXPORT

extern "C" {

ACQHOST_API void* Fg_InitHandleSlaveAware(const char* designFile, std::uintptr_t board, void* design, bool slave);
ACQHOST_API void* Fg_InitHandle(const char* designFile, std::uintptr_t board, void* design);
ACQHOST_API std::int32_t Fg_getLastErrorNumber(void* handle);
ACQHOST_API std::int32_t Fg_setParameterWithType(void* handle, std::uint32_t registerId, const void* value,
                                                 std::uint32_t index, std::int32_t type);
ACQHOST_API std::int32_t Fg_getParameterWithType(void* handle, std::uint32_t registerId, void* value,
                                                 std::uint32_t index, std::int32_t type);
ACQHOST_API std::int32_t Fg_setParameter(void* handle, std::int32_t id, const void* value, std::uint32_t port);
ACQHOST_API std::int32_t Fg_getParameter(void* handle, std::int32_t id, void* value, std::uint32_t port);
ACQHOST_API std::int32_t Fg_getParameterIdByName(void* handle, const char* name);
ACQHOST_API ParameterInfoEntry* Fg_getParameterInfo(void* handle, std::uint32_t port);
ACQHOST_API std::int32_t Fg_FreeGrabber(void* handle);
ACQHOST_API std::int32_t Fg_getAppletId(void* handle, const char* ignored);
ACQHOST_API std::intptr_t Fg_getStatusEx(void* handle, std::int32_t param, std::intptr_t data, std::int32_t dma,
                                         std::intptr_t memory);
ACQHOST_API std::int32_t Fg_AcquireEx(void* handle, std::int32_t dma, std::intptr_t frames, std::int32_t mode,
                                      std::intptr_t memory);
ACQHOST_API std::int32_t Fg_stopAcquireEx(void* handle, std::int32_t dma, std::intptr_t memory, std::int32_t mode);
ACQHOST_API std::intptr_t Fg_getLastPicNumberEx(void* handle, std::int32_t dma, std::intptr_t memory);
ACQHOST_API std::intptr_t Fg_getLastPicNumberBlockingEx(void* handle, std::intptr_t picture, std::int32_t dma,
                                                        std::int32_t timeout, std::intptr_t memory);

// Looked up and stored by the libraries, never called.
ACQHOST_API std::int32_t Fg_saveConfig(void* handle, const char* fileName);
ACQHOST_API std::int32_t Fg_loadConfig(void* handle, const char* fileName);
ACQHOST_API std::int32_t Fg_Acquire(void* handle, std::uint32_t dma, std::intptr_t frames);
ACQHOST_API std::int32_t Fg_stopAcquire(void* handle, std::uint32_t dma);
ACQHOST_API void* Fg_AllocShading(void* handle, std::int32_t set, std::uint32_t dma);
ACQHOST_API std::int32_t Fg_FreeShading(void* handle, void* shading);
ACQHOST_API std::int32_t Shad_GetAccess(void* handle, void* shading);
ACQHOST_API std::int32_t Shad_FreeAccess(void* handle, void* shading);
ACQHOST_API std::int32_t Shad_GetMaxLine(void* handle, void* shading);
ACQHOST_API std::int32_t Shad_SetSubValueLine(void* handle, void* shading, std::int32_t x, std::int32_t channel,
                                              float sub);
ACQHOST_API std::int32_t Shad_SetMultValueLine(void* handle, void* shading, std::int32_t x, std::int32_t channel,
                                               float mult);
ACQHOST_API std::int32_t Shad_SetFixedPatternNoiseLine(void* handle, void* shading, std::int32_t x,
                                                       std::int32_t channel, std::int32_t on);
ACQHOST_API std::int32_t Shad_WriteActLine(void* handle, void* shading, std::int32_t line);

}  // extern "C"
