// Stand-in for the acquisition host library. It keeps nothing of its own:
// handles, host parameters and register values live in the shared board
// state, so that tests can watch and steer them through the control
// interface and the hardware-access stand-in sees the same registers.
//
// Variants that lack exports are built from this file with one of the
// ACQHOST_LACKS_* definitions, to test how the libraries cope with an older
// or incomplete host.
#include "AcqHost.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "HostParameterTable.h"
#include "HostParameterTree.h"
#include "SimBoard.h"

using velm::sim::Board;
using velm::sim::Design;
using velm::sim::DesignRegister;
using velm::sim::HostHandle;
using velm::sim::RegisterKey;
using velm::sim::State;
using velm::sim::withBoard;
using velm::sim::kSimInvalidArgument;
using velm::sim::kSimInvalidHandle;
using velm::kHostValueDouble;
using velm::kHostValueElement;
using velm::kHostValueInt32;
using velm::kHostValueTable;

// The libraries call these through HostApi.h's pointer types; a mismatch
// would pass arguments wrongly without a word from the compiler there.
static_assert(std::is_same_v<decltype(&Fg_InitHandleSlaveAware), HostInitHandleSlaveAware>);
static_assert(std::is_same_v<decltype(&Fg_InitHandle), HostInitHandle>);
static_assert(std::is_same_v<decltype(&Fg_getLastErrorNumber), HostGetLastErrorNumber>);
static_assert(std::is_same_v<decltype(&Fg_setParameterWithType), HostSetParameterWithType>);
static_assert(std::is_same_v<decltype(&Fg_getParameterWithType), HostGetParameterWithType>);
static_assert(std::is_same_v<decltype(&Fg_setParameter), HostSetParameter>);
static_assert(std::is_same_v<decltype(&Fg_getParameter), HostGetParameter>);
static_assert(std::is_same_v<decltype(&Fg_getParameterIdByName), HostGetParameterIdByName>);
static_assert(std::is_same_v<decltype(&Fg_getParameterInfo), HostGetParameterInfo>);
static_assert(std::is_same_v<decltype(&Fg_FreeGrabber), HostFreeGrabber>);
static_assert(std::is_same_v<decltype(&Fg_getAppletId), HostGetAppletId>);
static_assert(std::is_same_v<decltype(&Fg_getStatusEx), HostGetStatusEx>);
static_assert(std::is_same_v<decltype(&Fg_AcquireEx), HostAcquireEx>);
static_assert(std::is_same_v<decltype(&Fg_stopAcquireEx), HostStopAcquireEx>);
static_assert(std::is_same_v<decltype(&Fg_getLastPicNumberEx), HostGetLastPicNumberEx>);
static_assert(std::is_same_v<decltype(&Fg_getLastPicNumberBlockingEx), HostGetLastPicNumberBlockingEx>);

namespace {

constexpr std::int32_t kDefaultAppletId = 0x5A1;

std::string text(const char* value)
{
    return value != nullptr ? value : "null";
}

std::string text(const std::string& value)
{
    return value;
}

template <typename Integer, typename = std::enable_if_t<std::is_integral_v<Integer>>>
std::string text(Integer value)
{
    if constexpr (std::is_same_v<Integer, bool>) {
        return value ? "1" : "0";
    } else {
        return std::to_string(value);
    }
}

template <typename... Arguments>
std::string callLine(std::string_view function, const Arguments&... arguments)
{
    std::string line(function);
    line += '(';
    std::string separator;
    ((line += separator + text(arguments), separator = ","), ...);
    line += ')';
    return line;
}

// The host remembers the code of every call that failed on a handle; a
// successful call leaves the last error as it was.
std::int32_t failOn(HostHandle* handle, std::int32_t code)
{
    if (handle != nullptr) {
        handle->lastError = code;
    }
    return code;
}

// Unused in the variant without init entry points.
[[maybe_unused]] void* openHandle(std::string_view function, std::string line, const char* designFile, std::uintptr_t board,
                 void* design, bool slave)
{
    return withBoard([&](State& state) -> void* {
        state.logCall(std::move(line));
        if (auto code = state.takeFailure(function)) {
            state.hostInitError = *code;
            return nullptr;
        }
        auto handle = std::make_unique<HostHandle>(
            HostHandle{designFile != nullptr ? designFile : "", board, design, slave, 0, ++state.hostInits});
        void* address = handle.get();
        state.hostHandles.emplace(address, std::move(handle));
        return address;
    });
}

// A call that the libraries forward as is: log it, then answer an injected
// failure, a result set by the test, or the host's own answer.
template <typename Result, typename DefaultAnswer>
Result forwardedCall(void* handle, std::string_view function, std::string line, DefaultAnswer defaultAnswer,
                     bool closesHandle = false)
{
    return withBoard([&](State& state) -> Result {
        state.logCall(std::move(line));
        HostHandle* host = state.findHostHandle(handle);
        if (host == nullptr) {
            return kSimInvalidHandle;
        }
        Result result;
        if (auto code = state.takeFailure(function)) {
            result = static_cast<Result>(failOn(host, *code));
        } else if (auto set = state.hostResults.find(function); set != state.hostResults.end()) {
            result = static_cast<Result>(set->second);
        } else {
            result = static_cast<Result>(defaultAnswer(state));
        }
        // The libraries delete their instance whatever the answer, so a
        // handle kept open here would never be freed by anybody.
        if (closesHandle) {
            state.hostHandles.erase(handle);
        }
        return result;
    });
}

// The register's table on the board, as long as the design says.
std::vector<std::uint32_t>& heldTable(Board& board, RegisterKey key, const DesignRegister& reg)
{
    std::vector<std::uint32_t>& held = board.tables[key];
    held.resize(reg.tableLength, 0);
    return held;
}

std::int32_t storeTypedValue(Board& board, RegisterKey key, const DesignRegister& reg, const void* value,
                             std::int32_t type, SimRegisterAccess& access, std::vector<std::uint32_t>& table)
{
    switch (type) {
    case kHostValueInt32: {
        std::uint32_t word = 0;
        std::memcpy(&word, value, sizeof word);
        access.value = word;
        board.values[key] = word;
        return 0;
    }
    case kHostValueDouble: {
        std::memcpy(&access.doubleValue, value, sizeof access.doubleValue);
        std::memcpy(&access.value, value, sizeof access.value);
        board.values[key] = access.value;
        return 0;
    }
    case kHostValueTable: {
        const auto* record = static_cast<const HostTableRecord*>(value);
        access.tableCount = record->count;
        // The applets always send kind 2 and a zero word; anything else
        // would be a record they built wrongly. A record longer than the
        // register's table is not read at all.
        if (record->kind != 2 || record->reserved != 0 || (record->count != 0 && record->values == nullptr) ||
            reg.tableLength == 0 || record->count > reg.tableLength) {
            return kSimInvalidArgument;
        }
        table.assign(record->values, record->values + record->count);
        std::copy(table.begin(), table.end(), heldTable(board, key, reg).begin());
        return 0;
    }
    case kHostValueElement: {
        FieldElement element{};
        std::memcpy(&element, value, sizeof element);
        access.value = element.value;
        access.elementIndex = element.index;
        if (element.index >= reg.tableLength) {
            return kSimInvalidArgument;
        }
        heldTable(board, key, reg)[element.index] = element.value;
        return 0;
    }
    default:
        return kSimInvalidArgument;
    }
}

// Reads answer the stored value in the form asked for; never-written
// registers read 0.
std::int32_t loadTypedValue(Board& board, RegisterKey key, const DesignRegister& reg, void* value, std::int32_t type,
                            SimRegisterAccess& access)
{
    switch (type) {
    case kHostValueInt32: {
        auto found = board.values.find(key);
        std::uint64_t stored = found == board.values.end() ? 0 : found->second;
        auto word = static_cast<std::uint32_t>(stored);
        access.value = word;
        std::memcpy(value, &word, sizeof word);
        return 0;
    }
    case kHostValueDouble: {
        auto found = board.values.find(key);
        access.value = found == board.values.end() ? 0 : found->second;
        std::memcpy(&access.doubleValue, &access.value, sizeof access.doubleValue);
        std::memcpy(value, &access.doubleValue, sizeof access.doubleValue);
        return 0;
    }
    case kHostValueElement: {
        FieldElement element{};
        std::memcpy(&element, value, sizeof element);
        access.elementIndex = element.index;
        if (element.index >= reg.tableLength) {
            return kSimInvalidArgument;
        }
        // Another design with a shorter table of this id may have written it.
        auto found = board.tables.find(key);
        element.value = found != board.tables.end() && element.index < found->second.size()
                            ? found->second[element.index]
                            : 0;
        access.value = element.value;
        std::memcpy(value, &element, sizeof element);
        return 0;
    }
    default:
        return kSimInvalidArgument;
    }
}

// The checks and the log entry that every typed register access shares;
// `access` does the type-specific part on a valid call.
template <typename Access>
std::int32_t typedRegisterCall(void* handle, std::string_view function, SimOperation operation,
                               std::uint32_t registerId, const void* value, std::uint32_t index, std::int32_t type,
                               Access&& access)
{
    return withBoard([&](State& state) {
        HostHandle* host = state.findHostHandle(handle);
        SimRegisterAccess record = velm::sim::makeAccess(kSimThroughHost, operation, host != nullptr ? host->board : 0,
                                                         registerId, index, type);
        std::vector<std::uint32_t> table;
        const Design* design = host != nullptr ? state.findDesign(host->design) : nullptr;
        const DesignRegister* reg = design != nullptr ? design->accessible(registerId, operation) : nullptr;
        if (host == nullptr) {
            record.result = kSimInvalidHandle;
        } else if (auto code = state.takeFailure(function, registerId)) {
            record.result = failOn(host, *code);
        } else if (value == nullptr || reg == nullptr) {
            // The design's read-only registers (status, fill levels) take no
            // value from the host either.
            record.result = failOn(host, kSimInvalidArgument);
        } else {
            record.result = access(state.board(host->board), RegisterKey{registerId, index}, *reg, record, table);
            if (record.result != 0) {
                failOn(host, record.result);
            }
        }
        state.logAccess(record, std::move(table));
        return record.result;
    });
}

// The host's own parameters: one set per port, shared by every handle.
template <typename Access>
std::int32_t hostParameterCall(void* handle, std::string_view function, std::string line, std::int32_t id,
                               std::uint32_t port, const void* value, Access&& access)
{
    return withBoard([&](State& state) {
        state.logCall(std::move(line));
        HostHandle* host = state.findHostHandle(handle);
        if (host == nullptr) {
            return static_cast<std::int32_t>(kSimInvalidHandle);
        }
        if (auto code = state.takeFailure(function)) {
            return failOn(host, *code);
        }
        velm::sim::HostParameterSet& parameters = state.hostParameters(port);
        auto parameter = parameters.find(id);
        if (value == nullptr || parameter == parameters.end()) {
            return failOn(host, kSimInvalidArgument);
        }
        access(parameter->second);
        return std::int32_t{0};
    });
}

std::int32_t loggedOnly(std::string line)
{
    withBoard([&](State& state) { state.logCall(std::move(line)); });
    return 0;
}

__attribute__((constructor)) void countLoad()
{
    withBoard([](State& state) { ++state.hostLoads; });
}

__attribute__((destructor)) void countUnload()
{
    withBoard([](State& state) { ++state.hostUnloads; });
}

}  // namespace

extern "C" {

#if !defined(ACQHOST_LACKS_SLAVE_AWARE)
void* Fg_InitHandleSlaveAware(const char* designFile, std::uintptr_t board, void* design, bool slave)
{
    return openHandle("Fg_InitHandleSlaveAware",
                      callLine("Fg_InitHandleSlaveAware", designFile, board, "slave=" + text(slave)), designFile,
                      board, design, slave);
}
#endif

#if !defined(ACQHOST_LACKS_INIT_HANDLE)
void* Fg_InitHandle(const char* designFile, std::uintptr_t board, void* design)
{
    return openHandle("Fg_InitHandle", callLine("Fg_InitHandle", designFile, board), designFile, board, design,
                      false);
}
#endif

#if !defined(ACQHOST_LACKS_LAST_ERROR)
std::int32_t Fg_getLastErrorNumber(void* handle)
{
    return withBoard([&](State& state) {
        state.logCall(handle == nullptr ? "Fg_getLastErrorNumber(null)" : "Fg_getLastErrorNumber(handle)");
        // Without a handle the question is why the last init failed.
        if (handle == nullptr) {
            return state.hostInitError;
        }
        HostHandle* host = state.findHostHandle(handle);
        return host != nullptr ? host->lastError : static_cast<std::int32_t>(kSimInvalidHandle);
    });
}
#endif

std::int32_t Fg_setParameterWithType(void* handle, std::uint32_t registerId, const void* value, std::uint32_t index,
                                     std::int32_t type)
{
    return typedRegisterCall(handle, "Fg_setParameterWithType", kSimWrite, registerId, value, index, type,
                             [&](Board& board, RegisterKey key, const DesignRegister& reg, SimRegisterAccess& record,
                                 std::vector<std::uint32_t>& table) {
                                 return storeTypedValue(board, key, reg, value, type, record, table);
                             });
}

std::int32_t Fg_getParameterWithType(void* handle, std::uint32_t registerId, void* value, std::uint32_t index,
                                     std::int32_t type)
{
    return typedRegisterCall(handle, "Fg_getParameterWithType", kSimRead, registerId, value, index, type,
                             [&](Board& board, RegisterKey key, const DesignRegister& reg, SimRegisterAccess& record,
                                 std::vector<std::uint32_t>&) {
                                 return loadTypedValue(board, key, reg, value, type, record);
                             });
}

std::int32_t Fg_setParameter(void* handle, std::int32_t id, const void* value, std::uint32_t port)
{
    std::int32_t number = 0;
    if (value != nullptr) {
        std::memcpy(&number, value, sizeof number);
    }
    std::string shown = value != nullptr ? text(number) : "null";
    return hostParameterCall(handle, "Fg_setParameter", callLine("Fg_setParameter", id, shown, port), id, port,
                             value, [&](std::int32_t& held) { held = number; });
}

std::int32_t Fg_getParameter(void* handle, std::int32_t id, void* value, std::uint32_t port)
{
    return hostParameterCall(handle, "Fg_getParameter", callLine("Fg_getParameter", id, port), id, port, value,
                             [&](std::int32_t& held) { std::memcpy(value, &held, sizeof held); });
}

std::int32_t Fg_getParameterIdByName(void* handle, const char* name)
{
    return withBoard([&](State& state) -> std::int32_t {
        state.logCall(callLine("Fg_getParameterIdByName", name));
        HostHandle* host = state.findHostHandle(handle);
        if (host == nullptr || name == nullptr) {
            return 0;
        }
        if (auto code = state.takeFailure("Fg_getParameterIdByName")) {
            return *code;
        }
        // Design registers first: a register may carry a host parameter's name.
        const Design* design = state.findDesign(host->design);
        if (const DesignRegister* reg = design != nullptr ? design->findByName(name) : nullptr) {
            return static_cast<std::int32_t>(reg->id);
        }
        for (const velm::sim::HostParameterDefinition& parameter : velm::sim::kHostParameters) {
            if (std::strcmp(parameter.name, name) == 0) {
                return parameter.id;
            }
        }
        return 0;
    });
}

#if !defined(ACQHOST_LACKS_PARAMETER_INFO)
ParameterInfoEntry* Fg_getParameterInfo(void* handle, std::uint32_t port)
{
    return withBoard([&](State& state) -> ParameterInfoEntry* {
        state.logCall(callLine("Fg_getParameterInfo", port));
        HostHandle* host = state.findHostHandle(handle);
        if (host == nullptr) {
            return nullptr;
        }
        if (auto code = state.takeFailure("Fg_getParameterInfo")) {
            failOn(host, *code);
            return nullptr;
        }
        return hostParameterTree().getRoot(port);
    });
}
#endif

#if !defined(ACQHOST_LACKS_FREE_GRABBER)
std::int32_t Fg_FreeGrabber(void* handle)
{
    return forwardedCall<std::int32_t>(
        handle, "Fg_FreeGrabber", "Fg_FreeGrabber()", [](State&) { return 0; }, true);
}
#endif

std::int32_t Fg_getAppletId(void* handle, const char* ignored)
{
    return forwardedCall<std::int32_t>(handle, "Fg_getAppletId", callLine("Fg_getAppletId", ignored),
                                       [](State&) { return kDefaultAppletId; });
}

#if !defined(ACQHOST_LACKS_STATUS)
std::intptr_t Fg_getStatusEx(void* handle, std::int32_t param, std::intptr_t data, std::int32_t dma,
                             std::intptr_t memory)
{
    return forwardedCall<std::intptr_t>(handle, "Fg_getStatusEx", callLine("Fg_getStatusEx", param, data, dma, memory),
                                        [](State&) { return 0; });
}
#endif

std::int32_t Fg_AcquireEx(void* handle, std::int32_t dma, std::intptr_t frames, std::int32_t mode,
                          std::intptr_t memory)
{
    return forwardedCall<std::int32_t>(handle, "Fg_AcquireEx", callLine("Fg_AcquireEx", dma, frames, mode, memory),
                                       [](State&) { return 0; });
}

std::int32_t Fg_stopAcquireEx(void* handle, std::int32_t dma, std::intptr_t memory, std::int32_t mode)
{
    return forwardedCall<std::int32_t>(handle, "Fg_stopAcquireEx", callLine("Fg_stopAcquireEx", dma, memory, mode),
                                       [](State&) { return 0; });
}

// Both picture-number calls see one acquisition: every question finds one
// more picture than the last.
std::intptr_t Fg_getLastPicNumberEx(void* handle, std::int32_t dma, std::intptr_t memory)
{
    return forwardedCall<std::intptr_t>(handle, "Fg_getLastPicNumberEx",
                                        callLine("Fg_getLastPicNumberEx", dma, memory),
                                        [](State& state) { return ++state.pictureCounter; });
}

std::intptr_t Fg_getLastPicNumberBlockingEx(void* handle, std::intptr_t picture, std::int32_t dma,
                                            std::int32_t timeout, std::intptr_t memory)
{
    return forwardedCall<std::intptr_t>(handle, "Fg_getLastPicNumberBlockingEx",
                                        callLine("Fg_getLastPicNumberBlockingEx", picture, dma, timeout, memory),
                                        [](State& state) { return ++state.pictureCounter; });
}

std::int32_t Fg_saveConfig(void*, const char* fileName)
{
    return loggedOnly(callLine("Fg_saveConfig", fileName));
}

std::int32_t Fg_loadConfig(void*, const char* fileName)
{
    return loggedOnly(callLine("Fg_loadConfig", fileName));
}

std::int32_t Fg_Acquire(void*, std::uint32_t dma, std::intptr_t frames)
{
    return loggedOnly(callLine("Fg_Acquire", dma, frames));
}

std::int32_t Fg_stopAcquire(void*, std::uint32_t dma)
{
    return loggedOnly(callLine("Fg_stopAcquire", dma));
}

void* Fg_AllocShading(void*, std::int32_t set, std::uint32_t dma)
{
    loggedOnly(callLine("Fg_AllocShading", set, dma));
    return nullptr;
}

std::int32_t Fg_FreeShading(void*, void*)
{
    return loggedOnly("Fg_FreeShading()");
}

std::int32_t Shad_GetAccess(void*, void*)
{
    return loggedOnly("Shad_GetAccess()");
}

std::int32_t Shad_FreeAccess(void*, void*)
{
    return loggedOnly("Shad_FreeAccess()");
}

std::int32_t Shad_GetMaxLine(void*, void*)
{
    return loggedOnly("Shad_GetMaxLine()");
}

std::int32_t Shad_SetSubValueLine(void*, void*, std::int32_t x, std::int32_t channel, float)
{
    return loggedOnly(callLine("Shad_SetSubValueLine", x, channel));
}

std::int32_t Shad_SetMultValueLine(void*, void*, std::int32_t x, std::int32_t channel, float)
{
    return loggedOnly(callLine("Shad_SetMultValueLine", x, channel));
}

std::int32_t Shad_SetFixedPatternNoiseLine(void*, void*, std::int32_t x, std::int32_t channel, std::int32_t on)
{
    return loggedOnly(callLine("Shad_SetFixedPatternNoiseLine", x, channel, on));
}

std::int32_t Shad_WriteActLine(void*, void*, std::int32_t line)
{
    return loggedOnly(callLine("Shad_WriteActLine", line));
}

}  // extern "C"
