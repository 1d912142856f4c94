// Stand-in for the hardware-access library: design registers of the
// simulated board by id. It shares the board with the host stand-in, so a
// value written here is what the host's typed get answers for index 0, and
// the other way round. Like the real library it knows only the design that
// runs on the board (SimControl.h says which one that is) and refuses what
// that design does not have.
#include "CallingConvention.h"
#define VELM_OUTSIDE_API VELM_EXPORT
#include "DesignLoader.h"

#include "SimBoard.h"

using velm::sim::DesignRegister;
using velm::sim::RegisterKey;
using velm::sim::State;
using velm::sim::withBoard;

namespace {

// The checks and the log entry both calls share; `access` does the rest on a
// call that passed them.
template <typename Access>
std::int32_t boardRegisterCall(std::string_view function, SimRegisterAccess record, Access&& access)
{
    return withBoard([&](State& state) {
        const velm::sim::Design* design = state.boardDesign(record.board);
        const DesignRegister* reg =
            design != nullptr
                ? design->accessible(record.registerId, static_cast<SimOperation>(record.operation))
                : nullptr;
        if (design == nullptr) {
            record.result = velm::sim::kSimInvalidHandle;
        } else if (auto code = state.takeFailure(function, record.registerId)) {
            record.result = *code;
        } else if (reg == nullptr) {
            record.result = velm::sim::kSimInvalidArgument;
        } else {
            record.result = access(state.board(record.board).values, record);
        }
        state.logAccess(record);
        return record.result;
    });
}

}  // namespace

extern "C" {

std::int32_t writeRegister(std::uintptr_t board, std::uint32_t registerId, std::uint64_t value)
{
    SimRegisterAccess record = velm::sim::makeAccess(kSimThroughHardware, kSimWrite, board, registerId, 0, 0);
    record.value = value;
    return boardRegisterCall("writeRegister", record, [&](auto& values, SimRegisterAccess&) {
        values[RegisterKey{registerId, 0}] = value;
        return std::int32_t{0};
    });
}

std::int32_t readRegister(std::uintptr_t board, std::uint32_t registerId, std::uint64_t* value)
{
    SimRegisterAccess record = velm::sim::makeAccess(kSimThroughHardware, kSimRead, board, registerId, 0, 0);
    return boardRegisterCall("readRegister", record, [&](auto& values, SimRegisterAccess& read) {
        if (value == nullptr) {
            return std::int32_t{velm::sim::kSimInvalidArgument};
        }
        auto found = values.find(RegisterKey{registerId, 0});
        read.value = found == values.end() ? 0 : found->second;
        *value = read.value;
        return std::int32_t{0};
    });
}

}  // extern "C"
