// What the fuzz targets share: the Belcora library loaded once, one instance
// of it, and a scratch directory that every file the targets write goes to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "AppletLibrary.h"

namespace velm::fuzz {

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

    test::ScratchDirectory scratch;
    test::AppletLibrary library;
    AppletHandle handle{nullptr};
};

// Made on first use and kept for the whole run.
inline FuzzedInstance& instance()
{
    static FuzzedInstance* made = new FuzzedInstance();
    return *made;
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

// A target that drives the instance includes this once: the library is then
// loaded before the first input, so that its code counts for coverage from
// the start.
#define VELM_FUZZ_LOAD_LIBRARY_FIRST                    \
    extern "C" int LLVMFuzzerInitialize(int*, char***) \
    {                                                   \
        velm::fuzz::instance();                         \
        return 0;                                       \
    }
