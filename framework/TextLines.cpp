#include "TextLines.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace velm::text {

bool fileExists(const char* fileName)
{
    if (fileName == nullptr) {
        return false;
    }
    std::FILE* probe = std::fopen(fileName, "r");
    if (probe == nullptr) {
        return false;
    }
    std::fclose(probe);
    return true;
}

bool LineReader::next()
{
    std::size_t length = 0;
    bool lineEnded = false;
    while (!lineEnded && length < kLineBufferSize - 1) {
        if (blockAt_ == blockEnd_) {
            blockAt_ = 0;
            blockEnd_ = std::fread(block_, 1, sizeof block_, file_);
            if (blockEnd_ == 0) {
                break;
            }
        }
        const std::size_t room = std::min(kLineBufferSize - 1 - length, blockEnd_ - blockAt_);
        const char* start = block_ + blockAt_;
        const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', room));
        const std::size_t taken = lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - start) + 1 : room;
        std::memcpy(text_ + length, start, taken);
        length += taken;
        blockAt_ += taken;
        lineEnded = lineFeed != nullptr;
    }
    if (length == 0) {
        return false;
    }
    text_[length] = '\0';
    // The target reads in text mode, where a line ending "\r\n" arrives
    // as "\n"; files written there read the same here.
    if (lineEnded && length >= 2 && text_[length - 2] == '\r') {
        text_[length - 2] = '\n';
        text_[length - 1] = '\0';
    }
    startsLine_ = atLineStart_;
    atLineStart_ = lineEnded;
    return true;
}

bool LineReader::nextHolding(const char* text)
{
    while (next()) {
        if (std::strstr(text_, text) != nullptr) {
            return true;
        }
    }
    return false;
}

Token secondToken(const char* text, const char* delimiters)
{
    const char* cursor = text + std::strspn(text, delimiters);
    cursor += std::strcspn(cursor, delimiters);
    cursor += std::strspn(cursor, delimiters);
    return Token{cursor, std::strcspn(cursor, delimiters)};
}

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::int32_t decimalToInt32(const char* begin, const char* end)
{
    const char* cursor = begin;
    while (cursor != end && isCSpace(*cursor)) {
        ++cursor;
    }
    bool negative = false;
    if (cursor != end && (*cursor == '-' || *cursor == '+')) {
        negative = *cursor == '-';
        ++cursor;
    }
    constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
    std::int64_t magnitude = 0;
    for (; cursor != end && *cursor >= '0' && *cursor <= '9'; ++cursor) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (*cursor - '0'), kLimit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, INT32_MAX));
}

std::int32_t decimalToInt32(const char* text)
{
    return decimalToInt32(text, text + std::strlen(text));
}

}  // namespace velm::text
