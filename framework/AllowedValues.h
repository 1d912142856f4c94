// The allowed-value table: each applet holds one constant table of rows
// {display text, value, value name}. A setter accepts a value equal to the
// value of one row of its run; the info tree shows the same rows as
// enumeration values, and Info answers their names.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velm {

struct AllowedValue {
    const char* display;
    std::int64_t value;  // setters compare the low 32 bits
    const char* name;
};

// A run of consecutive rows of the applet's table.
struct AllowedRun {
    std::uint16_t first = 0;
    std::uint16_t count = 0;

    bool empty() const { return count == 0; }
};

struct AllowedValueTable {
    const AllowedValue* rows;
    std::size_t count;

    const AllowedValue* begin(AllowedRun run) const { return rows + run.first; }
    const AllowedValue* end(AllowedRun run) const { return rows + run.first + run.count; }

    bool contains(AllowedRun run, std::uint32_t value) const
    {
        for (const AllowedValue* row = begin(run); row != end(run); ++row) {
            if (static_cast<std::uint32_t>(row->value) == value) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace velm
