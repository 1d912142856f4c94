// The answers of the export Info: fixed per applet, given as a constant
// table, except the handles of the last successful creation, which the
// framework remembers process-wide.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AllowedValues.h"

namespace velm {

enum class InfoAnswerKind : std::uint8_t {
    Number,                 // the result itself
    NumberIfFirstIndexZero, // the result when the first index is 0, else -2070
    NumberIfBothIndicesZero,
    Text,                   // 0; the second output receives the text's address
    Data,                   // 0; the first output receives the size, the second the address
    ZeroWord32,             // 0; a 32-bit 0 goes into the first 4 bytes of the first output
    LastBoardHandle,        // 0; the first output receives the board of the last creation
    LastDesignHandle,       // 0; the first output receives the design of the last creation
    EnumerationValue,       // the value of the name passed as the first output
};

struct InfoAnswer {
    std::int32_t query;
    InfoAnswerKind kind;
    std::int32_t result;
    const void* data;         // Text and Data
    const std::size_t* size;  // Data
};

struct AppletInfoTable {
    const InfoAnswer* answers;
    std::size_t answerCount;
    // The enumeration names the applet's parameters use: its allowed values.
    const AllowedValue* names;
    std::size_t nameCount;
};

// The export's answer. For the enumeration query the first output is not a
// pointer to a word but the name itself (a zero-terminated text).
std::int32_t answerInfo(const AppletInfoTable& table, std::int32_t query, std::int32_t firstIndex,
                        std::int32_t secondIndex, std::uint64_t* first, void** second);

}  // namespace velm
