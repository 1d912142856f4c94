// Reading of the libraries' text files (configuration and lookup-table
// files): line by line through a 256-byte buffer, values found as the second
// token of a line and converted as atoi would, without its undefined cases.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace velm::text {

constexpr std::size_t kLineBufferSize = 256;

// Whether the file can be opened for reading (it is closed again at once).
bool fileExists(const char* fileName);

// One piece of a line as fgets with a 256-byte buffer gives it: at most 255
// bytes, up to and including the line feed, so a longer line comes as
// several pieces. The true end of a piece is known also when the line holds
// NUL bytes; a NUL ends the piece's text for every search.
//
// The file is read in blocks rather than a byte at a time through the C
// library, the largest single cost of a load. Its position therefore
// runs ahead of the pieces handed out: every reader starts at a rewound
// file, and nothing reads on where a reader stopped.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file) {}

    // The next piece; false at the end of the file.
    bool next();
    // Reads on to the first piece that holds `text` anywhere (a section
    // line); false when none does.
    bool nextHolding(const char* text);

    const char* text() const { return text_; }
    // False for the second and later pieces of a long line: they do not
    // begin a line, so they never match a key.
    bool startsLine() const { return startsLine_; }

private:
    static constexpr std::size_t kBlockSize = 4096;

    std::FILE* file_;
    char block_[kBlockSize];
    std::size_t blockAt_ = 0;
    std::size_t blockEnd_ = 0;
    char text_[kLineBufferSize] = {};
    bool atLineStart_ = true;
    bool startsLine_ = true;
};

struct Token {
    const char* start = nullptr;
    std::size_t length = 0;
};

// The second token of `text` split at `delimiters`, as strtok finds it, but
// without strtok's hidden state: several instances may load configurations
// on several threads at once. A token of length 0 means there is none.
Token secondToken(const char* text, const char* delimiters);

bool isCSpace(char c);

// atoi over [begin, end): leading white space, a sign, digits up to the first
// other character; a value beyond 32 bits is held at the nearest limit.
std::int32_t decimalToInt32(const char* begin, const char* end);
std::int32_t decimalToInt32(const char* text);
inline std::int32_t decimalToInt32(const Token& token)
{
    return decimalToInt32(token.start, token.start + token.length);
}

}  // namespace velm::text
