#include "AppletInfo.h"

#include <cstring>

#include "ErrorCodes.h"
#include "FgPlWrapper.h"

namespace velm {

namespace {

const InfoAnswer* findAnswer(const AppletInfoTable& table, std::int32_t query)
{
    for (std::size_t i = 0; i < table.answerCount; ++i) {
        if (table.answers[i].query == query) {
            return &table.answers[i];
        }
    }
    return nullptr;
}

// The names are a constant table, so several threads may ask at once.
std::int32_t enumerationValue(const AppletInfoTable& table, const char* name)
{
    if (name == nullptr) {
        return kErrInvalidArgument;
    }
    for (std::size_t i = 0; i < table.nameCount; ++i) {
        if (std::strcmp(table.names[i].name, name) == 0) {
            return static_cast<std::int32_t>(table.names[i].value);
        }
    }
    return kErrInvalidArgument;
}

void putWord(std::uint64_t* first, std::uint64_t value)
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

}  // namespace

std::int32_t answerInfo(const AppletInfoTable& table, std::int32_t query, std::int32_t firstIndex,
                        std::int32_t secondIndex, std::uint64_t* first, void** second)
{
    const InfoAnswer* answer = findAnswer(table, query);
    if (answer == nullptr) {
        return kErrNotSupported;
    }
    switch (answer->kind) {
    case InfoAnswerKind::Number:
        return answer->result;
    case InfoAnswerKind::NumberIfFirstIndexZero:
        return firstIndex == 0 ? answer->result : kErrInvalidArgument;
    case InfoAnswerKind::NumberIfBothIndicesZero:
        return firstIndex == 0 && secondIndex == 0 ? answer->result : kErrInvalidArgument;
    case InfoAnswerKind::Text:
        putAddress(second, answer->data);
        return 0;
    case InfoAnswerKind::Data:
        putWord(first, answer->size != nullptr ? *answer->size : 0);
        putAddress(second, answer->data);
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
        return enumerationValue(table, reinterpret_cast<const char*>(first));
    }
    return kErrNotSupported;
}

}  // namespace velm
