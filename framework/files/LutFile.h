// Lookup-table files ("# Lut data file v1.1": a "[gray]" section, or "[red]",
// "[green]" and "[blue]" sections, each with four key lines and one line a
// value) and the curve that computes a table from gain, offset and gamma.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace velm {

class AtomicFile;

struct LutData {
    std::vector<std::uint32_t> values;  // nrOfElements entries after a read
    std::uint32_t id = 0;
    std::uint32_t nrOfElements = 0;
    std::uint32_t format = 0;
    std::uint32_t number = 0;
    // Whether the file has the section a read asked for; without it the
    // values are the zeros the reader starts from.
    bool sectionFound = false;
};

// One stream, open from a read until close() or destruction. A write is
// whole when it returns: the file holds the new table, or on failure (-1)
// what it held before. Every operation answers 0 for success and -1 for
// failure.
class LutFile {
public:
    LutFile() = default;
    ~LutFile();
    LutFile(const LutFile&) = delete;
    LutFile& operator=(const LutFile&) = delete;

    static bool checkFileExist(const char* fileName);

    // `maxElements` bounds the table whatever the file claims: a larger
    // nrOfElements is read as maxElements (and recorded so); a negative one
    // fails the read. A failed read leaves the record without values.
    std::int32_t readLut(const char* fileName, LutData& lut, const char* section, std::size_t maxElements);
    // The three sections in turn; the first failure is returned at once.
    // All three take the four keys of the first section in the file.
    std::int32_t readRgbLut(const char* fileName, LutData& red, LutData& green, LutData& blue,
                            std::size_t maxElements);

    std::int32_t writeLut(const char* fileName, const LutData& lut);
    std::int32_t writeRgbLut(const char* fileName, const LutData& red, const LutData& green, const LutData& blue);

    void close();

private:
    // Only a regular file (after links), and without waiting on the open.
    bool openForReading(const char* fileName);
    static void writeTable(AtomicFile& file, const LutData& lut);
    std::int32_t readKey(const char* key);

    std::FILE* stream_ = nullptr;
};

// Fills min(2^inputBits, capacity) entries of `table`: entry i is
// ((i / (2^inputBits - 1) + offset) * gain) ^ (1 / gamma) scaled to
// outputBits, 0 for a negative base, inverted when invert is exactly 1, and
// held within 0 to 2^outputBits - 1. A curve value that is not a finite
// number within 32 signed bits counts as one above the maximum. Output bits
// above 31 are taken as 31: entries are signed 32-bit values.
void computeLutCurve(std::uint32_t* table, std::size_t capacity, std::uint32_t inputBits, std::uint32_t outputBits,
                     double gain, double gamma, double offset, std::uint32_t invert);

}  // namespace velm
