// The answers of the export Info: fixed per applet, given as a constant
// table, except the handles of the last successful creation, which the
// framework remembers process-wide.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace velm {

struct AppletDescription;

enum class InfoAnswerKind : std::uint8_t {
    Number,              // the result itself, whatever the indices
    PerPort,             // one result per port: the first index names the port, else -2070
    PerPortBothIndices,  // the same, and the second index must be 0
    Text,                // 0; the second output receives the text's address
    Icon,                // 0; the first output receives the size, the second the address
    DesignBlock,         // 0; the same for the embedded design block
    AppletName,          // 0; the second output receives the applet's name
    ZeroWord32,          // 0; a 32-bit 0 goes into the first 4 bytes of the first output
    LastBoardHandle,     // 0; the first output receives the board of the last creation
    LastDesignHandle,    // 0; the first output receives the design of the last creation
    EnumerationValue,    // the value of the name passed as the first output
};

// The applets answer for at most this many ports.
constexpr std::size_t kMaxInfoPorts = 4;

struct InfoAnswer {
    std::int32_t query = 0;
    InfoAnswerKind kind = InfoAnswerKind::Number;
    // Number: results[0]; per port: results[port] for the first `ports`.
    std::array<std::int32_t, kMaxInfoPorts> results{};
    std::uint8_t ports = 0;
    const char* text = nullptr;
};

// Answer makers that keep an applet's table readable.
constexpr InfoAnswer infoNumber(std::int32_t query, std::int32_t result)
{
    InfoAnswer answer;
    answer.query = query;
    answer.results[0] = result;
    return answer;
}

template <typename... Results>
constexpr InfoAnswer infoPerPort(std::int32_t query, Results... results)
{
    static_assert(sizeof...(Results) >= 1 && sizeof...(Results) <= kMaxInfoPorts, "one result per port");
    InfoAnswer answer;
    answer.query = query;
    answer.kind = InfoAnswerKind::PerPort;
    answer.results = {static_cast<std::int32_t>(results)...};
    answer.ports = sizeof...(Results);
    return answer;
}

template <typename... Results>
constexpr InfoAnswer infoPerPortBothIndices(std::int32_t query, Results... results)
{
    InfoAnswer answer = infoPerPort(query, results...);
    answer.kind = InfoAnswerKind::PerPortBothIndices;
    return answer;
}

constexpr InfoAnswer infoText(std::int32_t query, const char* text)
{
    InfoAnswer answer;
    answer.query = query;
    answer.kind = InfoAnswerKind::Text;
    answer.text = text;
    return answer;
}

// The answers that the framework fills from the applet's description or
// its own state.
constexpr InfoAnswer infoFrom(std::int32_t query, InfoAnswerKind kind)
{
    InfoAnswer answer;
    answer.query = query;
    answer.kind = kind;
    return answer;
}

// The export's answer. The first output is a word of pointer width; for the
// enumeration query it is not a pointer to a word but the name itself (a
// zero-terminated text).
std::int32_t answerInfo(const AppletDescription& applet, std::int32_t query, std::int32_t firstIndex,
                        std::int32_t secondIndex, std::uintptr_t* first, void** second);

}  // namespace velm
