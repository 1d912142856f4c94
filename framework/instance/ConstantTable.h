// A view of a constant array that remembers its length, so that an applet's
// tables are handed over without a count written beside them, and the
// joining of constant arrays into one, so that an applet's table can be put
// together from the groups of rows every applet holds alike and the rows
// that are its own.
#pragma once

#include <array>
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
    template <std::size_t N>
    constexpr TableOf(const std::array<T, N>& array) : items(array.data()), count(N)
    {
    }

    const T* begin() const { return items; }
    const T* end() const { return items + count; }
    std::size_t size() const { return count; }
    const T& operator[](std::size_t i) const { return items[i]; }
};

namespace detail {

template <typename Part>
struct PartLength;

template <typename T, std::size_t N>
struct PartLength<T[N]> {
    static constexpr std::size_t value = N;
};

template <typename T, std::size_t N>
struct PartLength<std::array<T, N>> {
    static constexpr std::size_t value = N;
};

}  // namespace detail

// The parts (constant arrays or std::arrays of T), one after the other, as
// one array made at compile time.
template <typename T, typename... Parts>
constexpr std::array<T, (detail::PartLength<Parts>::value + ...)> joined(const Parts&... parts)
{
    std::array<T, (detail::PartLength<Parts>::value + ...)> all{};
    std::size_t at = 0;
    auto append = [&all, &at](const auto& part) {
        for (const T& item : part) {
            all[at++] = item;
        }
    };
    (append(parts), ...);
    return all;
}

}  // namespace velm
