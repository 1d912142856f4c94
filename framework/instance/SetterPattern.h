// Every setter follows one pattern: check the value, keep the old one, store
// the new one, do the work (register writes, other setters, host calls), and
// on any failure of the work put the old value back. The throw flag only
// decides whether a failure's code is raised to the caller: the set switch
// passes it set, the initial writes and the configuration reader clear, so
// that a refused value is dropped without a report.
#pragma once

#include <cmath>
#include <cstdint>
#include <utility>

#include "ErrorCodes.h"

namespace velm {

// Step 1. True when the value passed; otherwise raises `code` with the throw
// flag set, and answers false without it so that the setter returns.
inline bool accept(bool passed, std::int32_t code, bool throwFlag)
{
    if (passed) {
        return true;
    }
    if (throwFlag) {
        throw std::int32_t{code};
    }
    return false;
}

// Range checks written so that NaN and infinities fail them.
inline bool withinRange(double value, double low, double high)
{
    return std::isfinite(value) && value >= low && value <= high;
}

inline bool withinRange(std::uint32_t value, std::uint32_t low, std::uint32_t high)
{
    return value >= low && value <= high;
}

// Steps 2 to 4 on one kept value. Registers written before a failing step
// keep what they got; only the kept value is restored, whatever the throw
// flag. True when the work succeeded, so that limits move only then.
template <typename T, typename Work>
bool commit(T& kept, T value, bool throwFlag, Work&& work)
{
    T old = kept;
    kept = std::move(value);
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        kept = std::move(old);
        if (throwFlag) {
            throw;
        }
        return false;
    }
}

inline void noWork() {}

// Raises a non-zero code of a register write or host call.
inline void raiseIfFailed(std::int32_t result)
{
    if (result != 0) {
        throw std::int32_t{result};
    }
}

}  // namespace velm
