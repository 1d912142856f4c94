#include "AppletInfo.h"

#include <cstring>

#include "AppletDescription.h"
#include "ErrorCodes.h"
#include "FgPlWrapper.h"

namespace velm {

namespace {

const InfoAnswer* findAnswer(const AppletDescription& applet, std::int32_t query)
{
    for (const InfoAnswer& answer : applet.infoAnswers) {
        if (answer.query == query) {
            return &answer;
        }
    }
    return nullptr;
}

// The names are those of the allowed values of the applet's parameters, read
// from constant tables, so that several threads may ask at once.
std::int32_t enumerationValue(const AppletDescription& applet, const char* name)
{
    if (name == nullptr) {
        return kErrInvalidArgument;
    }
    for (const ParameterRow& row : applet.parameters) {
        for (const AllowedValue& value : row.allowed) {
            if (std::strcmp(value.name, name) == 0) {
                return static_cast<std::int32_t>(value.value);
            }
        }
    }
    return kErrInvalidArgument;
}

std::int32_t portResult(const InfoAnswer& answer, std::int32_t firstIndex, std::int32_t secondIndex,
                        bool secondMustBeZero)
{
    if (firstIndex < 0 || firstIndex >= answer.ports || (secondMustBeZero && secondIndex != 0)) {
        return kErrInvalidArgument;
    }
    return answer.results[static_cast<std::size_t>(firstIndex)];
}

void putWord(std::uintptr_t* first, std::uintptr_t value)
{
    if (first != nullptr) {
        *first = value;
    }
}

void putAddress(void** second, const void* address)
{
    if (second != nullptr) {
        *second = const_cast<void*>(address);
    }
}

// Embedded bytes: their size, and their address when there are any.
std::int32_t putData(const unsigned char* bytes, std::size_t size, std::uintptr_t* first, void** second)
{
    putWord(first, static_cast<std::uintptr_t>(size));
    putAddress(second, size != 0 ? bytes : nullptr);
    return 0;
}

}  // namespace

std::int32_t answerInfo(const AppletDescription& applet, std::int32_t query, std::int32_t firstIndex,
                        std::int32_t secondIndex, std::uintptr_t* first, void** second)
{
    const InfoAnswer* answer = findAnswer(applet, query);
    if (answer == nullptr) {
        return kErrNotSupported;
    }
    switch (answer->kind) {
    case InfoAnswerKind::Number:
        return answer->results[0];
    case InfoAnswerKind::PerPort:
        return portResult(*answer, firstIndex, secondIndex, false);
    case InfoAnswerKind::PerPortBothIndices:
        return portResult(*answer, firstIndex, secondIndex, true);
    case InfoAnswerKind::Text:
        putAddress(second, answer->text);
        return 0;
    case InfoAnswerKind::Icon:
        return putData(embedded::appletIcon, embedded::appletIconSize, first, second);
    case InfoAnswerKind::DesignBlock:
        return putData(embedded::designBlock, embedded::designBlockSize, first, second);
    case InfoAnswerKind::AppletName:
        putAddress(second, applet.name);
        return 0;
    case InfoAnswerKind::ZeroWord32:
        if (first != nullptr) {
            const std::uint32_t zero = 0;
            std::memcpy(first, &zero, sizeof zero);
        }
        return 0;
    case InfoAnswerKind::LastBoardHandle:
        putWord(first, lastBoardHandle(0));
        return 0;
    case InfoAnswerKind::LastDesignHandle:
        putWord(first, lastDesignHandle(0));
        return 0;
    case InfoAnswerKind::EnumerationValue:
        return enumerationValue(applet, reinterpret_cast<const char*>(first));
    }
    return kErrNotSupported;
}

}  // namespace velm
