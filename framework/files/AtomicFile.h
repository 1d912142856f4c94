// A text file that a save writes in full before it takes the place of the
// file it saves to. Callers keep their configuration and table files for
// years: a save that fails half-way (a full disk, a file-size limit, a
// pulled cable) must leave the previous file as it was and say so, never
// leave it emptied or cut.
//
// The data goes to a new file beside the target; commit() checks every
// write, has the data put on the disk and only then replaces the target in
// one step. Whatever fails on the way, the new file is removed again.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace velm {

class AtomicFile {
public:
    AtomicFile() = default;
    // A file never committed is removed; the target stays as it was.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Starts a save to `target`, or through symbolic links to the file they
    // lead to. False when no file can be made beside it, or when the name
    // stands for something other than a regular file.
    bool open(const char* target);
    bool isOpen() const { return stream_ != nullptr; }

    // A failing write is remembered: commit() then fails.
    void write(const char* text);
    void write(const char* text, std::size_t length);

    // True when every write, the flush to the disk, the close and the
    // replacement worked. Otherwise the target is as it was. Either way the
    // file is closed.
    bool commit();

private:
    void abandon();

    std::FILE* stream_ = nullptr;
    std::string target_;
    std::string temporary_;
    bool failed_ = false;
};

}  // namespace velm
