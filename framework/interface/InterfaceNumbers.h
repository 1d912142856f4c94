// The numbers of the fixed interface that callers, the host and the files
// share with the libraries, by name. A bare one of these in code is a
// reader's puzzle; a table entry names it from here.
#pragma once

#include <cstdint>

namespace velm {

// Access of a parameter-info entry, read by the host: bit 0 readable, bit 1
// writable, bit 2 a further flag of the host's that the libraries pass on
// unchanged.
enum InfoAccess : std::int32_t {
    kAccessReadable = 1,
    kAccessWritable = 2,
    kAccessFlagged = 4,
    // The combinations the applets' entries use.
    kReadOnly = kAccessReadable,
    kReadWrite = kAccessReadable | kAccessWritable,
    kReadWriteFlagged = kAccessReadable | kAccessWritable | kAccessFlagged,
};

// Value types of the host's typed design-register calls.
enum HostValueType : std::int32_t {
    kHostValueInt32 = 2,
    kHostValueDouble = 5,
    kHostValueTable = 4096,    // a whole table, as a HostTableRecord
    kHostValueElement = 4098,  // one element, as a FieldElement
};

// The value types of Fg_getParameterWithType whose values are 8 bytes wide.
// Every parameter is read in its own form whatever type a caller names; for
// these two, the 8 bytes the caller expects are cleared first.
inline constexpr std::int32_t kWideCallerValueTypes[] = {3, 4};

constexpr bool isWideCallerValueType(std::int32_t type)
{
    for (std::int32_t wide : kWideCallerValueTypes) {
        if (type == wide) {
            return true;
        }
    }
    return false;
}

}  // namespace velm
