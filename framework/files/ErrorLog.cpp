#include "ErrorLog.h"

namespace velm {

ErrorLog::~ErrorLog()
{
    close();
}

bool ErrorLog::open(const char* fileName)
{
    close();
    if (fileName == nullptr) {
        return false;
    }
    stream_ = std::fopen(fileName, "w");
    return stream_ != nullptr;
}

void ErrorLog::close()
{
    if (stream_ != nullptr) {
        std::fflush(stream_);
        std::fclose(stream_);
        stream_ = nullptr;
    }
}

void ErrorLog::trace(const char*) {}

void ErrorLog::notice(const char*) {}

void ErrorLog::error(const char* text)
{
    if (stream_ == nullptr) {
        return;
    }
    std::fprintf(stream_, "korvaneIV::Error >> %s;\n", text != nullptr ? text : "");
    std::fflush(stream_);
}

}  // namespace velm
