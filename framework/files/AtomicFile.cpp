#include "AtomicFile.h"

#include <cstring>
#include <optional>
#include <utility>

#include "Platform.h"

namespace velm {

AtomicFile::~AtomicFile()
{
    abandon();
}

bool AtomicFile::open(const char* target)
{
    abandon();
    // Through a link the file it points to is replaced, beside that file;
    // a directory, FIFO or device in the target's place is left alone.
    std::optional<std::string> replaced = os::saveTarget(target);
    if (!replaced) {
        return false;
    }
    target_ = std::move(*replaced);
    failed_ = false;
    stream_ = os::createFileBeside(target_.c_str(), temporary_);
    return stream_ != nullptr;
}

void AtomicFile::write(const char* text)
{
    if (text != nullptr) {
        write(text, std::strlen(text));
    }
}

void AtomicFile::write(const char* text, std::size_t length)
{
    if (stream_ == nullptr || failed_ || length == 0) {
        return;
    }
    failed_ = std::fwrite(text, 1, length, stream_) != length;
}

bool AtomicFile::commit()
{
    if (stream_ == nullptr) {
        return false;
    }
    bool saved = !failed_ && os::flushToDisk(stream_) && std::ferror(stream_) == 0;
    saved = std::fclose(stream_) == 0 && saved;
    stream_ = nullptr;
    saved = saved && os::replaceFile(temporary_.c_str(), target_.c_str());
    if (!saved) {
        std::remove(temporary_.c_str());
    }
    temporary_.clear();
    return saved;
}

void AtomicFile::abandon()
{
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
        std::remove(temporary_.c_str());
    }
    temporary_.clear();
}

}  // namespace velm
