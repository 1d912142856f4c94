// A view of a constant array that remembers its length, so that an applet's
// tables are handed over without a count written beside them.
#pragma once

#include <cstddef>

namespace velm {

template <typename T>
struct TableOf {
    const T* items = nullptr;
    std::size_t count = 0;

    constexpr TableOf() = default;
    template <std::size_t N>
    constexpr TableOf(const T (&array)[N]) : items(array), count(N)
    {
    }

    const T* begin() const { return items; }
    const T* end() const { return items + count; }
    std::size_t size() const { return count; }
    const T& operator[](std::size_t i) const { return items[i]; }
};

}  // namespace velm
