#include "Fg_ConfigFileParser.h"

#include <cinttypes>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "ErrorCodes.h"
#include "ErrorLog.h"
#include "Platform.h"
#include "TextLines.h"

namespace velm {

using text::decimalToInt32;
using text::isCSpace;
using text::LineReader;
using text::secondToken;
using text::Token;

namespace {

constexpr const char* kFileTypeMark = ".mcf";
constexpr const char* kHeaderSection = "[Kamerasektion]\n";
constexpr const char* kNotFoundText = "Error";
constexpr const char* kKeyLineDelimiters = "=;'";
constexpr const char* kHeaderLineDelimiters = "='";
constexpr std::size_t kNumberBufferSize = 32;
constexpr int kDoublePrecision = 12;

// `capacity` bytes at `destination`, the terminating zero included.
void copyBounded(char* destination, std::size_t capacity, const char* source, std::size_t length)
{
    if (length > capacity - 1) {
        length = capacity - 1;
    }
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}

void copyText(char* destination, std::size_t capacity, const char* text)
{
    copyBounded(destination, capacity, text, std::strlen(text));
}

// The value of a key line after its "key=". A quoted value runs to the last
// quote of the line, so that a text holding '=' or ';' (both legal in file
// names) comes back whole; the setters refuse texts that hold a quote.
// Anything else is the line's second token between '=', ';' and quotes.
Token keyLineValue(const char* line, const char* afterEquals)
{
    if (*afterEquals == '\'') {
        const char* lastQuote = std::strrchr(afterEquals, '\'');
        if (lastQuote != afterEquals) {
            return Token{afterEquals + 1, static_cast<std::size_t>(lastQuote - afterEquals - 1)};
        }
    }
    return secondToken(line, kKeyLineDelimiters);
}

// An unsigned decimal as the platform's 64-bit scanf conversion reads it.
// Digits past 64 bits would make scanf undefined; they are held at the
// largest value, as strtoull holds them. No digits: the value stays.
void decimalToUInt64(const char* text, std::uint64_t& value)
{
    const char* cursor = text;
    while (isCSpace(*cursor)) {
        ++cursor;
    }
    const bool negative = *cursor == '-';
    if (*cursor == '-' || *cursor == '+') {
        ++cursor;
    }
    bool overflow = false;
    std::uint64_t digits = 0;
    const char* firstDigit = cursor;
    for (; *cursor >= '0' && *cursor <= '9'; ++cursor) {
        const std::uint64_t digit = static_cast<std::uint64_t>(*cursor - '0');
        if (digits > (UINT64_MAX - digit) / 10) {
            overflow = true;
        }
        digits = digits * 10 + digit;
    }
    if (cursor == firstDigit) {
        return;
    }
    if (overflow) {
        value = UINT64_MAX;
        return;
    }
    std::uint64_t read = 0;
    if (std::sscanf(firstDigit, os::unsignedInt64Format(), &read) != 1) {
        return;
    }
    value = negative ? 0 - read : read;
}

}  // namespace

Fg_ConfigFileParser::Fg_ConfigFileParser(ErrorLog* log, const char* fileName, bool readOnly) : log_(log)
{
    trace("Fg_ConfigFileParser::Fg_ConfigFileParser");
    if (checkFileType(fileName)) {
        file_ = os::openRegularFile(fileName, readOnly ? "r" : "r+");
    }
}

Fg_ConfigFileParser::~Fg_ConfigFileParser()
{
    close();
}

void Fg_ConfigFileParser::close()
{
    if (file_ != nullptr) {
        std::fflush(file_);
        std::fclose(file_);
        file_ = nullptr;
    }
}

void Fg_ConfigFileParser::trace(const char* operation) const
{
    if (log_ != nullptr) {
        log_->trace(operation);
    }
}

void Fg_ConfigFileParser::logError(const char* message) const
{
    if (log_ != nullptr) {
        log_->error(message);
    }
}

bool Fg_ConfigFileParser::checkFileType(const char* fileName)
{
    return fileName != nullptr && std::strstr(fileName, kFileTypeMark) != nullptr;
}

bool Fg_ConfigFileParser::checkFileExist(const char* fileName)
{
    return text::fileExists(fileName);
}

bool Fg_ConfigFileParser::setSaveFile(const char* fileName)
{
    trace("Fg_ConfigFileParser::setSaveFile");
    if (!checkFileType(fileName)) {
        logError("Config File is Invalid");
        return false;
    }
    close();
    if (!saveFile_.open(fileName)) {
        logError("Config File: fopen failed");
        return false;
    }
    return true;
}

bool Fg_ConfigFileParser::commitSaveFile()
{
    trace("Fg_ConfigFileParser::commitSaveFile");
    if (!saveFile_.commit()) {
        logError("Config File: write failed");
        return false;
    }
    return true;
}

// Lines are not flushed one by one: nobody sees the file before
// commitSaveFile() puts it in place whole.
void Fg_ConfigFileParser::writeConfigFileHeader()
{
    trace("Fg_ConfigFileParser::writeConfigFileHeader");
    saveFile_.write("[Kamerasektion]\n");
    saveFile_.write("\nConfigFileVersion=2.0;\n");
}

void Fg_ConfigFileParser::writeLine(const char* key, const char* value, bool quoted)
{
    if (key == nullptr) {
        return;
    }
    saveFile_.write(key);
    saveFile_.write(quoted ? "='" : "=");
    saveFile_.write(value);
    saveFile_.write(quoted ? "';\n" : ";\n");
}

void Fg_ConfigFileParser::writeConfigFile(const char* key, const char* text)
{
    trace("Fg_ConfigFileParser::writeConfigFile");
    writeLine(key, text, true);
}

void Fg_ConfigFileParser::writeConfigFileValue(const char* key, const char* value)
{
    trace("Fg_ConfigFileParser::writeConfigFileValue");
    writeLine(key, value, false);
}

void Fg_ConfigFileParser::writeConfigFileIntKey(const char* key, std::int32_t value)
{
    trace("Fg_ConfigFileParser::writeConfigFileIntKey");
    char number[kNumberBufferSize];
    std::snprintf(number, sizeof number, "%" PRId32, value);
    writeConfigFileValue(key, number);
}

void Fg_ConfigFileParser::writeConfigFileUInt64Key(const char* key, std::uint64_t value)
{
    trace("Fg_ConfigFileParser::writeConfigFileUInt64Key");
    char number[kNumberBufferSize];
    std::snprintf(number, sizeof number, os::unsignedInt64Format(), value);
    writeConfigFileValue(key, number);
}

void Fg_ConfigFileParser::wrtiteConfigFileDoubleKey(const char* key, double value)
{
    trace("Fg_ConfigFileParser::wrtiteConfigFileDoubleKey");
    char number[kNumberBufferSize];
    std::snprintf(number, sizeof number, "%.*g", kDoublePrecision, value);
    writeConfigFileValue(key, number);
}

std::string Fg_ConfigFileParser::getPortSectionName(std::uint32_t port)
{
    return std::string("[Port ") + static_cast<char>('A' + port) + "]";
}

void Fg_ConfigFileParser::writePortSection(std::uint32_t port)
{
    trace("Fg_ConfigFileParser::writePortSection");
    saveFile_.write(("\n" + getPortSectionName(port) + "\n").c_str());
}

std::int32_t Fg_ConfigFileParser::parseKey(const char* section, const char* key, char* value, std::size_t capacity)
{
    trace("Fg_ConfigFileParser::parseKey");
    if (value == nullptr || capacity == 0) {
        return kErrKeyNotFound;
    }
    copyText(value, capacity, kNotFoundText);
    if (file_ == nullptr || section == nullptr || key == nullptr) {
        return kErrKeyNotFound;
    }
    std::rewind(file_);
    LineReader reader(file_);
    if (!reader.nextBeginningWith(section)) {
        return kErrKeyNotFound;
    }
    const std::size_t keyLength = std::strlen(key);
    while (reader.next()) {
        const char* line = reader.text();
        // Equal first keyLength bytes imply the line is at least that long,
        // so line[keyLength] is inside it.
        if (std::strncmp(line, key, keyLength) != 0 || line[keyLength] != '=') {
            continue;
        }
        const Token token = keyLineValue(line, line + keyLength + 1);
        // Nothing after "key=" at the end of the file, or a quoted empty
        // text whose line end is the next token: the empty value.
        if (token.length == 0 || token.start[0] == '\r' || token.start[0] == '\n') {
            copyText(value, capacity, "");
        } else {
            copyBounded(value, capacity, token.start, token.length);
        }
        return 0;
    }
    copyText(value, capacity, kNotFoundText);
    return kErrKeyNotFound;
}

std::int32_t Fg_ConfigFileParser::parseKeyFromLine(const char* key, char* value)
{
    trace("Fg_ConfigFileParser::parseKeyFromLine");
    if (value == nullptr) {
        return kErrKeyNotFound;
    }
    copyText(value, kValueBufferSize, kNotFoundText);
    if (file_ == nullptr || key == nullptr) {
        return kErrKeyNotFound;
    }
    std::rewind(file_);
    LineReader reader(file_);
    while (reader.next()) {
        if (std::strstr(reader.text(), key) == nullptr) {
            continue;
        }
        const Token token = secondToken(reader.text(), kHeaderLineDelimiters);
        copyBounded(value, kValueBufferSize, token.start, token.length);
        return 0;
    }
    return kErrKeyNotFound;
}

// A number is missing when its text holds "Error": the not-found answer of
// the text search, or a value that says so itself (a found "FG_WIDTH=Error;"
// is no width).
bool Fg_ConfigFileParser::readNumberText(const char* section, const char* key, bool hasTarget, char* text)
{
    return hasTarget && parseKey(section, key, text) == 0 && std::strstr(text, kNotFoundText) == nullptr;
}

std::int32_t Fg_ConfigFileParser::parseIntKey(const char* section, const char* key, std::int32_t* value)
{
    trace("Fg_ConfigFileParser::parseIntKey");
    char text[kValueBufferSize];
    if (!readNumberText(section, key, value != nullptr, text)) {
        return kErrFailed;
    }
    *value = decimalToInt32(text);
    return 0;
}

std::int32_t Fg_ConfigFileParser::parseIntKey(const char* section, const char* key, std::uint64_t* value)
{
    trace("Fg_ConfigFileParser::parseIntKey");
    char text[kValueBufferSize];
    if (!readNumberText(section, key, value != nullptr, text)) {
        return kErrFailed;
    }
    decimalToUInt64(text, *value);
    return 0;
}

std::int32_t Fg_ConfigFileParser::parseDoubleKey(const char* section, const char* key, double* value)
{
    trace("Fg_ConfigFileParser::parseDoubleKey");
    char text[kValueBufferSize];
    if (!readNumberText(section, key, value != nullptr, text)) {
        return kErrFailed;
    }
    *value = std::strtod(text, nullptr);
    return 0;
}

std::int32_t Fg_ConfigFileParser::parseIntKeyFromHeader(const char* key, std::int32_t* value)
{
    trace("Fg_ConfigFileParser::parseIntKeyFromHeader");
    return parseIntKey(kHeaderSection, key, value);
}

std::int32_t Fg_ConfigFileParser::parsePortIntKey(std::uint32_t port, const char* key, std::int32_t* value)
{
    trace("Fg_ConfigFileParser::parsePortIntKey");
    if (key == nullptr) {
        return kErrFailed;
    }
    return parseIntKey(getPortSectionName(port).c_str(), key, value);
}

std::int32_t Fg_ConfigFileParser::parsePortUInt64Key(std::uint32_t port, const char* key, std::uint64_t* value)
{
    trace("Fg_ConfigFileParser::parsePortUInt64Key");
    if (key == nullptr) {
        return kErrFailed;
    }
    return parseIntKey(getPortSectionName(port).c_str(), key, value);
}

std::int32_t Fg_ConfigFileParser::parsePortDoubleKey(std::uint32_t port, const char* key, double* value)
{
    trace("Fg_ConfigFileParser::parsePortDoubleKey");
    if (key == nullptr) {
        return kErrFailed;
    }
    return parseDoubleKey(getPortSectionName(port).c_str(), key, value);
}

std::int32_t Fg_ConfigFileParser::parsePortKey(std::uint32_t port, const char* key, char* value, std::size_t capacity)
{
    trace("Fg_ConfigFileParser::parsePortKey");
    if (key == nullptr) {
        return kErrFailed;
    }
    return parseKey(getPortSectionName(port).c_str(), key, value, capacity);
}

}  // namespace velm
