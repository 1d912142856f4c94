// Nothing thrown inside the libraries may reach a C caller. Inside, error
// codes travel as thrown int32 values; everything else that can be thrown
// (allocation failures, the lock templates' logic errors, the runtime errors
// of unsupported operations) is turned into one of the system's codes here.
#pragma once

#include <cstdint>
#include <new>
#include <stdexcept>

#include "ErrorCodes.h"

namespace velm {

// Only valid inside a catch block.
inline std::int32_t currentExceptionCode() noexcept
{
    try {
        throw;
    } catch (std::int32_t code) {
        return code;
    } catch (const std::logic_error&) {
        // A lock entered again by its owner, or a similar misuse: the call
        // cannot be carried out in that situation.
        return kErrNotSupported;
    } catch (const std::runtime_error&) {
        return kErrNotSupported;
    } catch (...) {
        // Out of memory and anything unforeseen: a plain failure.
        return kErrFailed;
    }
}

}  // namespace velm
