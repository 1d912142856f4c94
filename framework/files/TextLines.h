// Reading of the libraries' text files (configuration and lookup-table
// files): line by line, values found as the second token of a line and
// converted as atoi would, without its undefined cases.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace velm::text {

// Whether the file is a regular file that can be opened for reading (it is
// closed again at once); see os::openRegularFile.
bool fileExists(const char* fileName);

// One whole line, however long, up to and including its line feed. A NUL
// inside a line ends its text for every search.
//
// The file is read in blocks rather than a byte at a time through the C
// library, the largest single cost of a load. Its position therefore runs
// ahead of the lines handed out: every reader starts at a rewound file, and
// nothing reads on where a reader stopped.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file) {}

    // The next line; false at the end of the file.
    bool next();
    // Reads on to the first line that holds `text` anywhere; false when
    // none does.
    bool nextHolding(const char* text);
    // Reads on to the first line that begins with `text`; false when none
    // does. A section line is found so, never inside a value.
    bool nextBeginningWith(const char* text);

    const char* text() const { return line_.c_str(); }

private:
    static constexpr std::size_t kBlockSize = 4096;

    std::FILE* file_;
    char block_[kBlockSize];
    std::size_t blockAt_ = 0;
    std::size_t blockEnd_ = 0;
    std::string line_;
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
