/* The C interface of every applet library: 31 functions. A caller loads the
 * library, creates an instance with Std_entry and keeps the returned pointer
 * in the first word of a handle record of its own, whose address it passes
 * to the other calls. Integers of pointer width are 32 bits in the 32-bit
 * libraries and 64 bits in the 64-bit ones. Every result is 0 on success or
 * a negative error code, unless said otherwise. */
#ifndef VELM_APPLET_EXPORTS_H
#define VELM_APPLET_EXPORTS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The caller's record; only its first word is read (and cleared by
 * Fg_FreeGrabber). It may be larger. */
typedef struct AppletHandle {
    void* instance;
} AppletHandle;

/* One entry of a per-element parameter: value, then index. */
typedef struct AppletFieldElement {
    uint32_t value;
    uint32_t index;
} AppletFieldElement;

struct ParameterInfoEntry;

#define VELM_APPLET_FUNCTIONS(X)                                                                              \
    X(void*, Std_entry, (uintptr_t board, int32_t* error, int32_t flag))                                      \
    X(int32_t, Info, (int32_t query, int32_t firstIndex, int32_t secondIndex, uintptr_t* first, void** second)) \
    X(int32_t, Fg_getAppletId, (AppletHandle* handle, const char* ignored))                                  \
    X(int32_t, Fg_FreeGrabber, (AppletHandle* handle))                                                        \
    X(int32_t, Fg_setParameterWithType,                                                                       \
      (AppletHandle* handle, int32_t id, const void* value, uint32_t port, int32_t type))                     \
    X(int32_t, Fg_getParameterWithType, (AppletHandle* handle, int32_t id, void* value, uint32_t port, int32_t type)) \
    X(int32_t, Fg_getNrOfParameter, (AppletHandle* handle))                                                   \
    X(int32_t, Fg_getParameterId, (AppletHandle* handle, int32_t index))                                      \
    X(const char*, Fg_getParameterName, (AppletHandle* handle, int32_t index))                                \
    X(int32_t, Fg_getParameterIdByName, (AppletHandle* handle, const char* name))                             \
    X(struct ParameterInfoEntry*, Fg_getParameterInfo, (AppletHandle* handle, uint32_t port))                 \
    X(int32_t, Fg_getParameterInfoXML, (AppletHandle* handle, uint32_t port, char* buffer, size_t* size))     \
    X(int32_t, Fg_saveConfig, (AppletHandle* handle, const char* fileName))                                   \
    X(int32_t, Fg_loadConfig, (AppletHandle* handle, const char* fileName))                                   \
    X(int32_t, Fg_AcquireEx, (AppletHandle* handle, int32_t dma, intptr_t frames, int32_t mode, intptr_t memory)) \
    X(int32_t, Fg_stopAcquireEx, (AppletHandle* handle, int32_t dma, intptr_t memory, int32_t mode))          \
    X(intptr_t, Fg_getLastPicNumberEx, (AppletHandle* handle, int32_t dma, intptr_t memory))                  \
    X(intptr_t, Fg_getLastPicNumberBlockingEx,                                                                \
      (AppletHandle* handle, intptr_t picture, int32_t dma, int32_t timeout, intptr_t memory))                \
    X(intptr_t, Fg_getStatusEx, (AppletHandle* handle, int32_t param, intptr_t data, int32_t dma, intptr_t memory)) \
    X(int32_t, Fg_getLastErrorNumber, (AppletHandle* handle))                                                 \
    X(uint64_t, Fg_getEventMask, (AppletHandle* handle, const char* name))                                    \
    X(const char*, Fg_getEventName, (AppletHandle* handle, uint64_t mask))                                    \
    X(void*, Fg_AllocShading, (AppletHandle* handle, int32_t set, uint32_t port))                             \
    X(int32_t, Fg_FreeShading, (AppletHandle* handle, void* shading))                                         \
    X(int32_t, Shad_GetAccess, (AppletHandle* handle, void* shading))                                         \
    X(int32_t, Shad_FreeAccess, (AppletHandle* handle, void* shading))                                        \
    X(int32_t, Shad_GetMaxLine, (AppletHandle* handle, void* access))                                         \
    X(int32_t, Shad_SetSubValueLine, (AppletHandle* handle, void* access, int32_t x, int32_t channel, float sub)) \
    X(int32_t, Shad_SetMultValueLine, (AppletHandle* handle, void* access, int32_t x, int32_t channel, float mult)) \
    X(int32_t, Shad_SetFixedPatternNoiseLine,                                                                 \
      (AppletHandle* handle, void* access, int32_t x, int32_t channel, int32_t on))                           \
    X(int32_t, Shad_WriteActLine, (AppletHandle* handle, void* access, int32_t line))

/* The functions, for callers that link a library directly. */
#define VELM_APPLET_DECLARATION(result, name, arguments) result name arguments;
VELM_APPLET_FUNCTIONS(VELM_APPLET_DECLARATION)
#undef VELM_APPLET_DECLARATION

/* Function pointer types for callers that look the functions up by name:
 * Std_entry_fn, Info_fn, Fg_getAppletId_fn, ... */
#define VELM_APPLET_POINTER_TYPE(result, name, arguments) typedef result(*name##_fn) arguments;
VELM_APPLET_FUNCTIONS(VELM_APPLET_POINTER_TYPE)
#undef VELM_APPLET_POINTER_TYPE

#ifdef __cplusplus
}
#endif

#endif
