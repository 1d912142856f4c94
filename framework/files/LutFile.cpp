#include "LutFile.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "AtomicFile.h"
#include "Platform.h"
#include "TextLines.h"

namespace velm {

namespace {

constexpr const char* kKeyDelimiters = "='";
constexpr const char* kValueDelimiters = ",";
constexpr std::uint32_t kLargestOutputBits = 31;

// y * maxOut + 0.5 truncated toward zero, when that is a finite number that
// a signed 32-bit integer holds; anything else lands above the maximum.
std::int64_t curveEntry(double scaled, std::int64_t maxOut)
{
    if (!std::isfinite(scaled) || scaled >= 2147483648.0 || scaled <= -2147483649.0) {
        return maxOut + 1;
    }
    return static_cast<std::int32_t>(scaled);
}

}  // namespace

void computeLutCurve(std::uint32_t* table, std::size_t capacity, std::uint32_t inputBits, std::uint32_t outputBits,
                     double gain, double gamma, double offset, std::uint32_t invert)
{
    if (table == nullptr || capacity == 0) {
        return;
    }
    if (outputBits > kLargestOutputBits) {
        outputBits = kLargestOutputBits;
    }
    // Past 2^63 entries no table could be filled anyway; the count only
    // divides the index.
    const std::uint64_t n = inputBits < 63 ? (std::uint64_t{1} << inputBits) : (std::uint64_t{1} << 63);
    const std::size_t count = n < capacity ? static_cast<std::size_t>(n) : capacity;
    const std::int64_t range = std::int64_t{1} << outputBits;
    const std::int64_t maxOut = range - 1;
    const double last = static_cast<double>(n - 1);

    for (std::size_t i = 0; i < count; ++i) {
        // With one entry the index is divided by 0: NaN, which ends above
        // the maximum like every other non-number.
        const double x = (static_cast<double>(i) / last + offset) * gain;
        std::int64_t entry = 0;
        if (!(x < 0.0)) {
            const double y = std::pow(x, 1.0 / gamma);
            entry = curveEntry(y * static_cast<double>(maxOut) + 0.5, maxOut);
        }
        if (invert == 1) {
            entry = range - entry - 1;
        }
        if (entry < 0) {
            entry = 0;
        } else if (entry > maxOut) {
            entry = maxOut;
        }
        table[i] = static_cast<std::uint32_t>(entry);
    }
}

LutFile::~LutFile()
{
    close();
}

bool LutFile::checkFileExist(const char* fileName)
{
    return text::fileExists(fileName);
}

void LutFile::close()
{
    if (stream_ != nullptr) {
        std::fflush(stream_);
        std::fclose(stream_);
        stream_ = nullptr;
    }
}

bool LutFile::openForReading(const char* fileName)
{
    close();
    stream_ = os::openRegularFile(fileName, "r");
    return stream_ != nullptr;
}

// The first line anywhere in the file that contains the key; a key found
// nowhere, or on a line without a value, reads as 0.
std::int32_t LutFile::readKey(const char* key)
{
    std::rewind(stream_);
    text::LineReader reader(stream_);
    while (reader.next()) {
        if (std::strstr(reader.text(), key) != nullptr) {
            return text::decimalToInt32(text::secondToken(reader.text(), kKeyDelimiters));
        }
    }
    return 0;
}

std::int32_t LutFile::readLut(const char* fileName, LutData& lut, const char* section, std::size_t maxElements)
{
    lut.values.clear();
    lut.values.shrink_to_fit();
    lut.nrOfElements = 0;
    lut.sectionFound = false;
    if (section == nullptr || !openForReading(fileName)) {
        return -1;
    }
    lut.id = static_cast<std::uint32_t>(readKey("id"));
    const std::int32_t declared = readKey("nrOfElements");
    lut.format = static_cast<std::uint32_t>(readKey("format"));
    lut.number = static_cast<std::uint32_t>(readKey("number"));
    if (declared < 0) {
        return -1;
    }
    const std::size_t elements =
        static_cast<std::size_t>(declared) < maxElements ? static_cast<std::size_t>(declared) : maxElements;
    lut.values.assign(elements, 0);
    lut.nrOfElements = static_cast<std::uint32_t>(elements);

    std::rewind(stream_);
    text::LineReader reader(stream_);
    lut.sectionFound = reader.nextHolding(section);
    if (!lut.sectionFound || elements == 0) {
        return 0;
    }
    // The section line itself is searched too, and the search runs on past
    // later sections: a value line is found by containing "i," anywhere.
    std::size_t index = 0;
    std::string wanted = std::to_string(index) + ",";
    do {
        if (std::strstr(reader.text(), wanted.c_str()) != nullptr) {
            lut.values[index] =
                static_cast<std::uint32_t>(text::decimalToInt32(text::secondToken(reader.text(), kValueDelimiters)));
            ++index;
            wanted = std::to_string(index) + ",";
        }
    } while (index < elements && reader.next());
    return 0;
}

std::int32_t LutFile::readRgbLut(const char* fileName, LutData& red, LutData& green, LutData& blue,
                                 std::size_t maxElements)
{
    std::int32_t result = readLut(fileName, red, "[red]", maxElements);
    if (result != 0) {
        return result;
    }
    result = readLut(fileName, green, "[green]", maxElements);
    if (result != 0) {
        return result;
    }
    return readLut(fileName, blue, "[blue]", maxElements);
}

// Values the record does not hold are written as 0, which is what a reader
// would take for them anyway.
void LutFile::writeTable(AtomicFile& file, const LutData& lut)
{
    char line[64];
    const struct {
        const char* key;
        std::uint32_t value;
    } keys[] = {{"id", lut.id}, {"nrOfElements", lut.nrOfElements}, {"format", lut.format}, {"number", lut.number}};
    for (const auto& key : keys) {
        std::snprintf(line, sizeof line, "%s=%" PRId32 ";\n", key.key, static_cast<std::int32_t>(key.value));
        file.write(line);
    }
    for (std::uint32_t i = 0; i < lut.nrOfElements; ++i) {
        const std::uint32_t value = i < lut.values.size() ? lut.values[i] : 0;
        std::snprintf(line, sizeof line, "%" PRId32 ",%" PRId32 ";\n", static_cast<std::int32_t>(i),
                      static_cast<std::int32_t>(value));
        file.write(line);
    }
}

// A stream this object still holds is closed first: on Windows a file that
// is open cannot be replaced.
std::int32_t LutFile::writeLut(const char* fileName, const LutData& lut)
{
    close();
    AtomicFile file;
    if (!file.open(fileName)) {
        return -1;
    }
    file.write("# Lut data file v1.1\n\n");
    file.write("\n\n");
    file.write("[gray]");
    file.write("\n\n");
    writeTable(file, lut);
    return file.commit() ? 0 : -1;
}

std::int32_t LutFile::writeRgbLut(const char* fileName, const LutData& red, const LutData& green,
                                  const LutData& blue)
{
    close();
    AtomicFile file;
    if (!file.open(fileName)) {
        return -1;
    }
    file.write("# Lut data file v1.1");
    file.write("\n\n");
    file.write("[red]");
    file.write("\n\n");
    writeTable(file, red);
    file.write("\n\n");
    file.write("[green]");
    file.write("\n\n");
    writeTable(file, green);
    file.write("\n\n");
    file.write("[blue]");
    file.write("\n\n");
    writeTable(file, blue);
    return file.commit() ? 0 : -1;
}

}  // namespace velm
