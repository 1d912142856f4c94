// The optional log of the configuration-file parser. Nothing in the
// libraries opens one, so in practice it writes nothing; a parser can be
// given one when its failures are to be seen.
#pragma once

#include <cstdio>

namespace velm {

class ErrorLog {
public:
    ErrorLog() = default;
    ~ErrorLog();
    ErrorLog(const ErrorLog&) = delete;
    ErrorLog& operator=(const ErrorLog&) = delete;

    // Creates or empties the file; false when it cannot be written.
    bool open(const char* fileName);
    void close();
    bool isOpen() const { return stream_ != nullptr; }

    void trace(const char* text);
    void notice(const char* text);
    // Writes "korvaneIV::Error >> <text>;" and flushes, when a file is open.
    void error(const char* text);

private:
    std::FILE* stream_ = nullptr;
};

}  // namespace velm
