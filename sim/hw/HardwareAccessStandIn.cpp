// Stand-in for the hardware-access library: design registers of the
// simulated board by id. It shares the board with the host stand-in, so a
// value written here is what the host's typed get answers for index 0, and
// the other way round.
#include "CallingConvention.h"
#define VELM_OUTSIDE_API VELM_EXPORT
#include "DesignLoader.h"

#include "SimBoard.h"

using velm::sim::RegisterKey;
using velm::sim::State;
using velm::sim::withBoard;

extern "C" {

std::int32_t writeRegister(std::uintptr_t board, std::uint32_t registerId, std::uint64_t value)
{
    return withBoard([&](State& state) {
        SimRegisterAccess access = velm::sim::makeAccess(kSimThroughHardware, kSimWrite, board, registerId, 0, 0);
        access.value = value;
        if (auto code = state.takeFailure("writeRegister", registerId)) {
            access.result = *code;
        } else {
            state.board(board).values[RegisterKey{registerId, 0}] = value;
        }
        state.logAccess(access);
        return access.result;
    });
}

std::int32_t readRegister(std::uintptr_t board, std::uint32_t registerId, std::uint64_t* value)
{
    return withBoard([&](State& state) {
        SimRegisterAccess access = velm::sim::makeAccess(kSimThroughHardware, kSimRead, board, registerId, 0, 0);
        if (auto code = state.takeFailure("readRegister", registerId)) {
            access.result = *code;
        } else if (value == nullptr) {
            access.result = velm::sim::kSimInvalidArgument;
        } else {
            const auto& values = state.board(board).values;
            auto found = values.find(RegisterKey{registerId, 0});
            access.value = found == values.end() ? 0 : found->second;
            *value = access.value;
        }
        state.logAccess(access);
        return access.result;
    });
}

}  // extern "C"
