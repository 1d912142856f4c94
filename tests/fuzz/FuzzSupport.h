// What the fuzz targets share: each built library they drive loaded once,
// with one instance of it, and a scratch directory that every file the
// targets write goes to, in memory where the system has a file system there.
// All of it is made before the first input and removed when the run ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AppletLibrary.h"
#include "BuiltDeliverables.h"

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

// One for the whole run, whichever libraries it drives: a scratch directory
// makes itself the working directory, so a second one would leave the first
// one's removal to the order of destruction.
inline test::ScratchDirectory& scratch()
{
    static test::ScratchDirectory made = [] {
        keepFilesInMemory();
        return test::ScratchDirectory();
    }();
    return made;
}

struct FuzzedInstance {
    explicit FuzzedInstance(const std::string& deliverable)
        : name(deliverable), library(test::libraryPath(deliverable + ".so"))
    {
        int32_t error = 0;
        handle.instance = library.Std_entry(0, &error, 0);
        if (handle.instance == nullptr) {
            std::fprintf(stderr, "Std_entry of %s failed: %d\n", deliverable.c_str(), error);
            std::abort();
        }
        // The library, not a list kept here, says how many cameras it
        // serves: a port has a parameter description exactly when it has a
        // camera.
        std::size_t size = 0;
        while (library.Fg_getParameterInfoXML(&handle, ports, nullptr, &size) == 0) {
            ++ports;
        }
        if (ports == 0) {
            std::fprintf(stderr, "%s describes no camera port\n", deliverable.c_str());
            std::abort();
        }
        void* text = nullptr;
        if (library.Info(kAppletNameQuery, 0, 0, nullptr, &text) != 0 || text == nullptr) {
            std::fprintf(stderr, "%s gives no applet name\n", deliverable.c_str());
            std::abort();
        }
        appletName = static_cast<const char*>(text);
    }
    ~FuzzedInstance() { library.Fg_FreeGrabber(&handle); }
    FuzzedInstance(const FuzzedInstance&) = delete;
    FuzzedInstance& operator=(const FuzzedInstance&) = delete;

    static constexpr std::int32_t kAppletNameQuery = 4176;

    std::string name;
    test::AppletLibrary library;
    AppletHandle handle{nullptr};
    std::uint32_t ports = 0;
    // As its configuration files name it ("Belcora").
    std::string appletName;
};

// The instance of a deliverable ("belcora"), made on first use and
// destroyed when the run ends, before the scratch directory.
inline FuzzedInstance& instance(const std::string& deliverable)
{
    scratch();
    static std::map<std::string, std::unique_ptr<FuzzedInstance>> made;
    std::unique_ptr<FuzzedInstance>& slot = made[deliverable];
    if (!slot) {
        slot = std::make_unique<FuzzedInstance>(deliverable);
    }
    return *slot;
}

// The instances of the deliverables named, in that order. Looked up once
// by the caller, not for every input.
inline std::vector<FuzzedInstance*> instances(const std::vector<std::string>& deliverables)
{
    std::vector<FuzzedInstance*> found;
    for (const std::string& deliverable : deliverables) {
        found.push_back(&instance(deliverable));
    }
    return found;
}

// An instance of every deliverable the build makes, in the build's order.
inline const std::vector<FuzzedInstance*>& everyInstance()
{
    static const std::vector<FuzzedInstance*> all = instances(test::builtDeliverables());
    return all;
}

// Before each input. The stand-ins log every register access; a long run
// must not keep them all.
inline void nextInput()
{
    simClearLog();
}

// The input as a file of the scratch directory; gives its path.
inline std::string writeInput(const std::string& fileName, const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratch().file(fileName);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::abort();
    }
    if (size > 0) {
        std::fwrite(data, 1, size, file);
    }
    std::fclose(file);
    return path;
}

}  // namespace velm::fuzz
