// The C control interface that tests use to steer and watch the simulated
// board.
#include "SimControl.h"

#include <algorithm>
#include <cstring>

#include "SimBoard.h"

using velm::sim::Board;
using velm::sim::FailureRule;
using velm::sim::RegisterKey;
using velm::sim::State;
using velm::sim::withBoard;

namespace {

std::size_t copyTable(const std::vector<std::uint32_t>& table, std::uint32_t* out, std::size_t capacity)
{
    if (out != nullptr) {
        std::copy_n(table.begin(), std::min(capacity, table.size()), out);
    }
    return table.size();
}

}  // namespace

extern "C" {

SIM_API void simReset(void)
{
    withBoard([](State& state) { state.reset(); });
}

SIM_API std::size_t simAccessCount(void)
{
    return withBoard([](State& state) { return state.accesses.size(); });
}

SIM_API int simGetAccess(std::size_t i, SimRegisterAccess* out)
{
    return withBoard([&](State& state) {
        if (i >= state.accesses.size()) {
            return -1;
        }
        if (out != nullptr) {
            *out = state.accesses[i].access;
        }
        return 0;
    });
}

SIM_API std::size_t simGetAccessTable(std::size_t i, std::uint32_t* out, std::size_t capacity)
{
    return withBoard([&](State& state) -> std::size_t {
        if (i >= state.accesses.size()) {
            return 0;
        }
        return copyTable(state.accesses[i].table, out, capacity);
    });
}

SIM_API void simClearLog(void)
{
    withBoard([](State& state) {
        state.accesses.clear();
        state.calls.clear();
    });
}

SIM_API std::size_t simCallCount(void)
{
    return withBoard([](State& state) { return state.calls.size(); });
}

SIM_API std::int64_t simGetCall(std::size_t i, char* out, std::size_t capacity)
{
    return withBoard([&](State& state) -> std::int64_t {
        if (i >= state.calls.size()) {
            return -1;
        }
        const std::string& line = state.calls[i];
        if (out != nullptr && capacity > 0) {
            std::size_t copied = std::min(capacity - 1, line.size());
            std::memcpy(out, line.data(), copied);
            out[copied] = '\0';
        }
        return static_cast<std::int64_t>(line.size());
    });
}

SIM_API void simSetRegister(std::uintptr_t board, std::uint32_t registerId, std::uint32_t index, std::uint64_t value)
{
    withBoard([&](State& state) { state.board(board).values[RegisterKey{registerId, index}] = value; });
}

SIM_API int simGetRegister(std::uintptr_t board, std::uint32_t registerId, std::uint32_t index, std::uint64_t* value)
{
    return withBoard([&](State& state) {
        const Board& held = state.board(board);
        auto found = held.values.find(RegisterKey{registerId, index});
        if (value != nullptr) {
            *value = found == held.values.end() ? 0 : found->second;
        }
        return found == held.values.end() ? -1 : 0;
    });
}

SIM_API std::size_t simGetTable(std::uintptr_t board, std::uint32_t registerId, std::uint32_t index,
                                std::uint32_t* out, std::size_t capacity)
{
    return withBoard([&](State& state) -> std::size_t {
        const Board& held = state.board(board);
        auto found = held.tables.find(RegisterKey{registerId, index});
        return found == held.tables.end() ? 0 : copyTable(found->second, out, capacity);
    });
}

SIM_API void simFailCall(const char* function, std::uint32_t registerId, std::int32_t code, std::int32_t skip,
                         std::int32_t times)
{
    if (function == nullptr) {
        return;
    }
    withBoard([&](State& state) {
        // A new rule for the same function and register replaces the old
        // one, so that times = 0 takes a failure back.
        auto& rules = state.failures;
        rules.erase(std::remove_if(rules.begin(), rules.end(),
                                   [&](const FailureRule& rule) {
                                       return rule.function == function && rule.registerId == registerId;
                                   }),
                    rules.end());
        rules.push_back(FailureRule{function, registerId, code, skip, times});
    });
}

SIM_API void simHostSetResult(const char* function, std::intptr_t result)
{
    if (function == nullptr) {
        return;
    }
    withBoard([&](State& state) { state.hostResults[function] = result; });
}

SIM_API void simHostSetLastError(std::int32_t code)
{
    withBoard([&](State& state) {
        state.hostInitError = code;
        for (auto& entry : state.hostHandles) {
            entry.second->lastError = code;
        }
    });
}

SIM_API void simHostSetParameter(std::int32_t id, std::uint32_t port, std::int32_t value)
{
    withBoard([&](State& state) { state.hostParameters(port)[id] = value; });
}

SIM_API std::int32_t simHostGetParameter(std::int32_t id, std::uint32_t port)
{
    return withBoard([&](State& state) {
        const velm::sim::HostParameterSet& parameters = state.hostParameters(port);
        auto found = parameters.find(id);
        return found == parameters.end() ? 0 : found->second;
    });
}

SIM_API int simHostOpenHandleCount(void)
{
    return withBoard([](State& state) { return static_cast<int>(state.hostHandles.size()); });
}

SIM_API int simHostLoadCount(void)
{
    return withBoard([](State& state) { return state.hostLoads; });
}

SIM_API int simHostUnloadCount(void)
{
    return withBoard([](State& state) { return state.hostUnloads; });
}

SIM_API int simOpenDesignCount(void)
{
    return withBoard([](State& state) { return static_cast<int>(state.designs.size()); });
}

}  // extern "C"
