#include "TextLines.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "Platform.h"

namespace velm::text {

bool fileExists(const char* fileName)
{
    std::FILE* probe = os::openRegularFile(fileName, "r");
    if (probe == nullptr) {
        return false;
    }
    std::fclose(probe);
    return true;
}

bool LineReader::next()
{
    line_.clear();
    bool lineEnded = false;
    while (!lineEnded) {
        if (blockAt_ == blockEnd_) {
            blockAt_ = 0;
            blockEnd_ = std::fread(block_, 1, sizeof block_, file_);
            if (blockEnd_ == 0) {
                break;
            }
        }
        const char* start = block_ + blockAt_;
        const std::size_t available = blockEnd_ - blockAt_;
        const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', available));
        const std::size_t taken = lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - start) + 1 : available;
        line_.append(start, taken);
        blockAt_ += taken;
        lineEnded = lineFeed != nullptr;
    }
    if (line_.empty()) {
        return false;
    }
    // The target reads in text mode, where a line ending "\r\n" arrives
    // as "\n"; files written there read the same here.
    const std::size_t length = line_.size();
    if (lineEnded && length >= 2 && line_[length - 2] == '\r') {
        line_.erase(length - 2, 1);
    }
    return true;
}

bool LineReader::nextHolding(const char* text)
{
    while (next()) {
        if (std::strstr(line_.c_str(), text) != nullptr) {
            return true;
        }
    }
    return false;
}

bool LineReader::nextBeginningWith(const char* text)
{
    const std::size_t length = std::strlen(text);
    while (next()) {
        if (std::strncmp(line_.c_str(), text, length) == 0) {
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
