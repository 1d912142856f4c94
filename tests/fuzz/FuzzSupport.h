// What the fuzz targets share: the Belcora library loaded once, one instance
// of it, and a scratch directory that every file the targets write goes to,
// in memory where the system has a file system there. All of it is made
// before the first input and removed when the run ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "AppletLibrary.h"

namespace velm::fuzz {

// Scratch directories are made in /dev/shm where it exists: on a disk's
// file system, writing each input and truncating it again would take
// longer than the library takes to read it.
inline void keepFilesInMemory()
{
    std::error_code ignored;
    if (std::filesystem::is_directory("/dev/shm", ignored)) {
        os::setEnvironmentValue("TMPDIR", "/dev/shm");
    }
}

struct FuzzedInstance {
    FuzzedInstance() : library(test::libraryPath("belcora.so"))
    {
        int32_t error = 0;
        handle.instance = library.Std_entry(0, &error, 0);
        if (handle.instance == nullptr) {
            std::fprintf(stderr, "Std_entry failed: %d\n", error);
            std::abort();
        }
    }
    ~FuzzedInstance() { library.Fg_FreeGrabber(&handle); }
    FuzzedInstance(const FuzzedInstance&) = delete;
    FuzzedInstance& operator=(const FuzzedInstance&) = delete;

    test::ScratchDirectory scratch;
    test::AppletLibrary library;
    AppletHandle handle{nullptr};
};

// Made on first use, from LLVMFuzzerInitialize, and destroyed when the run
// ends, with its scratch directory.
inline FuzzedInstance& instance()
{
    static FuzzedInstance made;
    return made;
}

// Called from LLVMFuzzerInitialize by a target that drives the instance:
// the library is then loaded before the first input, so that its code
// counts for coverage from the start.
inline FuzzedInstance& prepareInstance()
{
    keepFilesInMemory();
    return instance();
}

// The instance for the next input. The stand-ins log every register access;
// a long run must not keep them all.
inline FuzzedInstance& nextInput()
{
    simClearLog();
    return instance();
}

inline void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    if (size > 0) {
        std::fwrite(data, 1, size, file);
    }
    std::fclose(file);
}

}  // namespace velm::fuzz

// A target that needs nothing else before its first input includes this.
#define VELM_FUZZ_LOAD_LIBRARY_FIRST                    \
    extern "C" int LLVMFuzzerInitialize(int*, char***) \
    {                                                   \
        velm::fuzz::prepareInstance();                  \
        return 0;                                       \
    }
