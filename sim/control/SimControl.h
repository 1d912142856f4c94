// Test-only control of the simulated board shared by the three stand-ins
// (design loader, hardware-access library, acquisition host library). Lives
// in libsimboard, which the stand-ins link; no deliverable ever links it.
// Tests link it to watch every register access in order, preset what reads
// return, and make any stand-in call fail with a chosen code.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#if defined(SIMBOARD_BUILD)
#define SIM_API __declspec(dllexport)
#else
#define SIM_API __declspec(dllimport)
#endif
#else
#define SIM_API __attribute__((visibility("default")))
#endif

extern "C" {

// Which library a register access went through.
enum SimLibrary : std::int32_t {
    kSimThroughHost = 1,      // acquisition host: Fg_setParameterWithType / Fg_getParameterWithType
    kSimThroughHardware = 2,  // hardware-access library: writeRegister / readRegister
};

enum SimOperation : std::int32_t {
    kSimWrite = 1,
    kSimRead = 2,
};

// One register access, in the order the stand-ins saw them. Failed accesses
// are logged too, with the code they answered.
struct SimRegisterAccess {
    std::int32_t library;        // SimLibrary
    std::int32_t operation;      // SimOperation
    std::uint64_t board;
    std::uint32_t registerId;
    std::uint32_t index;         // host index; 0 through the hardware-access library
    std::int32_t valueType;      // host value type (2, 5, 4096, 4098); 0 through the hardware-access library
    std::int32_t result;         // what the call answered
    std::uint64_t value;         // type 2 (zero-extended), type 4098 (the element's value), hardware 64 bits;
                                 // type 5: the double's bit pattern, as the board keeps it
    double doubleValue;          // type 5
    std::uint32_t elementIndex;  // type 4098
    std::uint32_t tableCount;    // type 4096: the element count of the record
};

// Forget everything: register values of every board, the logs, failures,
// host parameters of every port (back to their defaults), results, the
// picture counter and the last errors. Counters of loads stay, and so do
// designs and host handles that are still open (their owners would otherwise
// be left with dangling handles); simOpenDesignCount and
// simHostOpenHandleCount keep counting them, and the boards keep their
// designs.
SIM_API void simReset(void);

// ---- access log ----
SIM_API std::size_t simAccessCount(void);
// 0 on success, -1 when i is past the log.
SIM_API int simGetAccess(std::size_t i, SimRegisterAccess* out);
// Copies up to `capacity` values of the table sent by access i (type 4096);
// returns the table's length.
SIM_API std::size_t simGetAccessTable(std::size_t i, std::uint32_t* out, std::size_t capacity);
// Clears both the access log and the call log below.
SIM_API void simClearLog(void);

// Call log: one line per stand-in call other than register accesses, such as
// "Fg_InitHandleSlaveAware(Belcora.hap,0,slave=1)" or "Fg_setParameter(600,1000000,0)".
SIM_API std::size_t simCallCount(void);
// Copies line i (zero-terminated, cut to capacity); returns its full length,
// or -1 when i is past the log.
SIM_API std::int64_t simGetCall(std::size_t i, char* out, std::size_t capacity);

// ---- the design on a board ----
// Register accesses are checked against a design, as the real libraries
// check them against the design that runs on the board:
// - The host checks a typed access against the design its handle was opened
//   with: a register that design lacks, and a write to one it marks
//   read-only, answer -2070 (invalid argument).
// - The hardware-access library has only a board index. A host init binds
//   its design to its board, as loading a design onto a board replaces what
//   ran there: the board's design is that of the newest init on it whose
//   handle and design are both still open (when that handle is freed or its
//   design released, the next newest takes its place). writeRegister and
//   readRegister on a board without a design answer -2001 (no open board,
//   as the host answers an unknown handle); a register id the design lacks,
//   0 included (what getRegisterId answers for an unknown name), answers
//   -2070, and so does a write to a register the design marks read-only.
// Refused accesses change nothing on the board and are logged with their code.
//
// Table registers: a design may give a register a table ("table <entries>"
// in the design block). On such a register the host takes a whole-table
// record (type 4096) of at most that many elements, which replaces the first
// `count` entries and leaves the rest, and element writes and reads (type
// 4098) whose index lies below the length. A longer record, an index past the
// table, and a table record or element access on a register without a table
// answer -2070.

// ---- board state ----
// A register value as the board holds it (scalar writes of either library;
// an element write changes the table). Unwritten registers read 0. Set and
// read here without any check against a design.
SIM_API void simSetRegister(std::uintptr_t board, std::uint32_t registerId, std::uint32_t index, std::uint64_t value);
// 0 when the register was written or set, -1 when it never was (value then 0).
SIM_API int simGetRegister(std::uintptr_t board, std::uint32_t registerId, std::uint32_t index, std::uint64_t* value);
// Table content of a table register; returns its length: the design's table
// length once the host wrote any of it (entries never written read 0), 0
// before.
SIM_API std::size_t simGetTable(std::uintptr_t board, std::uint32_t registerId, std::uint32_t index,
                                std::uint32_t* out, std::size_t capacity);

// ---- failures ----
// Makes `function` answer `code`: the first `skip` matching calls pass, the
// next `times` fail (times < 0: every later one). `registerId` 0 matches every
// call, otherwise only calls for that register. Functions that answer a
// pointer (Fg_InitHandleSlaveAware, Fg_InitHandle, openDesignFile,
// openDesignMemory) answer null instead, and the host's last error becomes
// `code`. A failing host call also sets the handle's last error to `code`.
// A new failure for the same function and register replaces the earlier one
// (times = 0 takes it back); failures for different registers are asked in
// the order they were made. Functions that can fail: openDesignFile,
// openDesignMemory, writeRegister, readRegister, Fg_InitHandleSlaveAware,
// Fg_InitHandle, Fg_setParameterWithType, Fg_getParameterWithType (these two
// by register too), Fg_setParameter, Fg_getParameter, Fg_getParameterIdByName
// (answers `code` as the id), Fg_getParameterInfo, and the forwarded calls
// below. A failure is checked after the handle (for writeRegister and
// readRegister: after the board's design): a call on an unknown handle
// answers -2001 and leaves the failure's count alone. It is checked before
// the register and the value, so an injected code wins over a refusal.
SIM_API void simFailCall(const char* function, std::uint32_t registerId, std::int32_t code, std::int32_t skip,
                         std::int32_t times);

// ---- host ----
// Plain answer of a forwarded host call (Fg_getAppletId, Fg_AcquireEx,
// Fg_stopAcquireEx, Fg_getLastPicNumberEx, Fg_getLastPicNumberBlockingEx,
// Fg_getStatusEx, Fg_FreeGrabber); the last error is left as it is.
// Without one they answer 0, Fg_getAppletId 0x5A1, and the two picture-number
// calls a picture counter that grows by one with every call to either.
// Fg_FreeGrabber closes the handle whatever it answers.
SIM_API void simHostSetResult(const char* function, std::intptr_t result);
// Last error of every open host handle, and of the failed-init query.
SIM_API void simHostSetLastError(std::int32_t code);
// The host's own parameters (FG_TIMEOUT, FG_CAMSTATUS_EXTENDED, ...), one
// set per DMA index: Fg_getParameter and Fg_setParameter answer and change
// the set of their port argument, for any handle. Every port starts with the
// defaults. An id set here that the host did not have becomes one of its
// parameters on that port until the next reset; the get answers 0 for an id
// the port does not have.
SIM_API void simHostSetParameter(std::int32_t id, std::uint32_t port, std::int32_t value);
SIM_API std::int32_t simHostGetParameter(std::int32_t id, std::uint32_t port);
SIM_API int simHostOpenHandleCount(void);

// ---- counters ----
SIM_API int simHostLoadCount(void);    // times libacqhost was loaded into the process
SIM_API int simHostUnloadCount(void);  // times it was unloaded
SIM_API int simOpenDesignCount(void);  // designs opened and not yet released

}  // extern "C"
