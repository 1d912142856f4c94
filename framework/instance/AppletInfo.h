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

// The answers every applet gives alike; an applet's table joins its own to
// them (a query stands in one of the joined tables only).
inline constexpr InfoAnswer kSharedInfoAnswers[] = {
    infoNumber(1040, 0),
    infoFrom(1041, InfoAnswerKind::Icon),
    infoFrom(1042, InfoAnswerKind::DesignBlock),
    infoText(1044, ""),
    infoNumber(1045, 1),
    infoNumber(2048, 65536),
    infoNumber(2160, 0),
    infoNumber(2176, 2626),
    infoNumber(2192, 0),
    infoFrom(2304, InfoAnswerKind::ZeroWord32),
    infoNumber(2560, 0),
    infoNumber(2816, 0),
    infoText(4112, "Fitcores:Line"),
    infoFrom(4144, InfoAnswerKind::LastBoardHandle),
    infoFrom(4160, InfoAnswerKind::LastDesignHandle),
    infoFrom(4176, InfoAnswerKind::AppletName),
    infoText(4192, "1.0.1.0"),
    infoText(4208, "1.0.1.0.20151218.010132"),
    infoFrom(4352, InfoAnswerKind::EnumerationValue),
};

// The answers about the ports of the applets of one and of two cameras: how
// many there are, and for each port 1 or its own index. What a port's
// camera link takes (4704) is each applet's.
inline constexpr InfoAnswer kOnePortInfoAnswers[] = {
    infoNumber(1792, 1),
    infoNumber(1872, 1),
    infoNumber(1888, 1),
    infoNumber(4608, 1),
    infoPerPort(4624, 1),
    infoPerPort(4640, 1),
    infoPerPortBothIndices(4656, 0),
    infoPerPortBothIndices(4672, 0),
    infoPerPort(4688, 1),
};

inline constexpr InfoAnswer kTwoPortInfoAnswers[] = {
    infoNumber(1792, 2),
    infoNumber(1872, 2),
    infoNumber(1888, 2),
    infoNumber(4608, 2),
    infoPerPort(4624, 1, 1),
    infoPerPort(4640, 1, 1),
    infoPerPortBothIndices(4656, 0, 1),
    infoPerPortBothIndices(4672, 0, 1),
    infoPerPort(4688, 1, 1),
};

// The export's answer. The first output is a word of pointer width; for the
// enumeration query it is not a pointer to a word but the name itself (a
// zero-terminated text).
std::int32_t answerInfo(const AppletDescription& applet, std::int32_t query, std::int32_t firstIndex,
                        std::int32_t secondIndex, std::uintptr_t* first, void** second);

}  // namespace velm
