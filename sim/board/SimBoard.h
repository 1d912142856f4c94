// The simulated board that the three stand-ins share, as seen from inside
// them. libsimboard owns one State; every stand-in call takes the one mutex
// for its whole duration through withBoard(), so each call is atomic towards
// the others and the logs show the calls in the order they took effect.
// Deliverables never see this header: they only reach the stand-ins through
// the outside libraries' C functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "DesignLoader.h"
#include "SimControl.h"

namespace velm::sim {

// Codes the stand-ins answer on their own (injected failures answer any code).
enum SimCode : std::int32_t {
    kSimInvalidHandle = -2001,
    kSimInvalidArgument = -2070,
};

struct RegisterKey {
    std::uint32_t id;
    std::uint32_t index;
    bool operator<(const RegisterKey& other) const
    {
        return id != other.id ? id < other.id : index < other.index;
    }
};

// Scalars and tables are separate: a table register written element by
// element keeps its scalar value, as the control interface documents.
struct Board {
    std::map<RegisterKey, std::uint64_t> values;
    std::map<RegisterKey, std::vector<std::uint32_t>> tables;
};

struct DesignRegister {
    std::uint32_t id;
    std::int32_t width;
    bool writable;
    std::string name;
    std::uint32_t tableLength = 0;  // entries of a table register; 0: the register has no table
};

// An opened design. Never changed after it is registered, so the name and
// event pointers handed out stay valid until the design is released.
struct SIM_API Design {
    std::vector<DesignRegister> registers;  // in block order: number n is registers[n - 1]
    // Positions in `registers`, so that designs of many registers open and
    // answer in linear time.
    std::unordered_map<std::uint32_t, std::size_t> indexById;
    std::unordered_map<std::string, std::size_t> indexByName;
    std::vector<std::string> eventNames;
    std::vector<DesignEvent> events;        // point into eventNames; built once all names are in

    const DesignRegister* findById(std::uint32_t id) const;
    const DesignRegister* findByName(std::string_view name) const;
    // The register that `operation` may reach: null for an id the design does
    // not have and for a write to one of its read-only registers.
    const DesignRegister* accessible(std::uint32_t id, SimOperation operation) const;
    void add(DesignRegister reg);
};

struct HostHandle {
    std::string designFile;
    std::uintptr_t board;
    const void* design;
    bool slave;
    std::int32_t lastError;
    std::uint64_t openedAs;  // the order of the inits: the newest handle on a board has the highest
};

// The host's own parameters of one DMA index, by id.
using HostParameterSet = std::map<std::int32_t, std::int32_t>;

struct FailureRule {
    std::string function;
    std::uint32_t registerId;  // 0: every register
    std::int32_t code;
    std::int32_t skip;
    std::int32_t times;        // < 0: without end
    std::int32_t matched = 0;
    std::int32_t failed = 0;
};

struct LoggedAccess {
    SimRegisterAccess access;
    std::vector<std::uint32_t> table;  // type 4096 only
};

class SIM_API State {
public:
    std::map<std::uintptr_t, Board> boards;
    std::vector<LoggedAccess> accesses;
    std::vector<std::string> calls;
    std::vector<FailureRule> failures;
    // By DMA index; a port gets its set, the defaults, when it is first asked.
    std::map<std::uint32_t, HostParameterSet> hostParametersByPort;
    std::map<std::string, std::intptr_t, std::less<>> hostResults;
    std::int32_t hostInitError = 0;  // what Fg_getLastErrorNumber(null) answers
    std::intptr_t pictureCounter = 0;
    // Live objects of callers: simReset leaves them alone, or an instance
    // that is still open would be left holding dangling handles.
    std::map<const void*, std::shared_ptr<const Design>> designs;
    std::map<const void*, std::unique_ptr<HostHandle>> hostHandles;
    std::uint64_t hostInits = 0;
    int hostLoads = 0;
    int hostUnloads = 0;

    // The code of an injected failure when this call is one that must fail.
    std::optional<std::int32_t> takeFailure(std::string_view function, std::uint32_t registerId = 0);
    void logCall(std::string line);
    void logAccess(const SimRegisterAccess& access, std::vector<std::uint32_t> table = {});
    Board& board(std::uintptr_t index) { return boards[index]; }
    const Design* findDesign(const void* handle) const;
    HostHandle* findHostHandle(const void* handle);
    // The design on a board: the one the newest host init on that board bound
    // to it, among the handles still open whose design is still open; null
    // when there is none.
    const Design* boardDesign(std::uintptr_t board) const;
    HostParameterSet& hostParameters(std::uint32_t port);
    // Everything simReset forgets; counters, designs and host handles stay.
    void reset();
};

// The board lock is taken and released inside libsimboard only: on Windows
// every DLL carries its own copy of the threads library, and a mutex is
// best left to the copy that made it.
SIM_API void lockBoard();
SIM_API void unlockBoard();
// Only with the board lock held.
SIM_API State& boardStateLocked();

class BoardLock {
public:
    BoardLock() { lockBoard(); }
    ~BoardLock() { unlockBoard(); }
    BoardLock(const BoardLock&) = delete;
    BoardLock& operator=(const BoardLock&) = delete;
};

template <typename F>
decltype(auto) withBoard(F&& f)
{
    BoardLock guard;
    return std::forward<F>(f)(boardStateLocked());
}

// An access record with the fields every access shares; the caller fills in
// the value fields that its value type uses.
inline SimRegisterAccess makeAccess(SimLibrary library, SimOperation operation, std::uintptr_t board,
                                    std::uint32_t registerId, std::uint32_t index, std::int32_t valueType)
{
    SimRegisterAccess access{};
    access.library = library;
    access.operation = operation;
    access.board = board;
    access.registerId = registerId;
    access.index = index;
    access.valueType = valueType;
    return access;
}

}  // namespace velm::sim
