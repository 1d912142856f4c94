// Loads a built applet library the way an acquisition program does (by path,
// then the 31 functions by name) and hands out its functions. Also the small
// helpers most through-the-exports tests need.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "AppletExports.h"
#include "Platform.h"
#include "SimControl.h"

namespace velm::test {

class AppletLibrary {
public:
    explicit AppletLibrary(const std::string& path)
    {
        module_ = os::loadLibraryFile(path.c_str());
        if (module_ == nullptr) {
            throw std::runtime_error("cannot load " + path);
        }
#define VELM_TEST_RESOLVE(result, name, arguments) \
    name = reinterpret_cast<name##_fn>(resolve(#name));
        VELM_APPLET_FUNCTIONS(VELM_TEST_RESOLVE)
#undef VELM_TEST_RESOLVE
    }

    ~AppletLibrary()
    {
        os::freeLibrary(module_);
    }

    AppletLibrary(const AppletLibrary&) = delete;
    AppletLibrary& operator=(const AppletLibrary&) = delete;

#define VELM_TEST_MEMBER(result, name, arguments) name##_fn name = nullptr;
    VELM_APPLET_FUNCTIONS(VELM_TEST_MEMBER)
#undef VELM_TEST_MEMBER

    // Info's answer for an enumeration name: the query passes the name
    // itself where other queries take the address of a word.
    int32_t enumerationValue(const char* name)
    {
        return Info(4352, 0, 0, reinterpret_cast<uintptr_t*>(const_cast<char*>(name)), nullptr);
    }

    // Sets an int parameter; answers the export's code.
    int32_t setInt(AppletHandle* handle, int32_t id, int32_t value, uint32_t port = 0)
    {
        return Fg_setParameterWithType(handle, id, &value, port, 0);
    }
    int32_t setDouble(AppletHandle* handle, int32_t id, double value, uint32_t port = 0)
    {
        return Fg_setParameterWithType(handle, id, &value, port, 5);
    }
    int32_t setText(AppletHandle* handle, int32_t id, const char* value, uint32_t port = 0)
    {
        return Fg_setParameterWithType(handle, id, value, port, 1);
    }
    // The int value of a parameter, or the code when the get fails.
    int64_t getInt(AppletHandle* handle, int32_t id, uint32_t port = 0)
    {
        int32_t value = 0;
        const int32_t result = Fg_getParameterWithType(handle, id, &value, port, 0);
        return result == 0 ? value : result;
    }
    double getDouble(AppletHandle* handle, int32_t id, uint32_t port = 0)
    {
        double value = 0;
        const int32_t result = Fg_getParameterWithType(handle, id, &value, port, 5);
        return result == 0 ? value : result;
    }
    std::string getText(AppletHandle* handle, int32_t id, uint32_t port = 0)
    {
        std::vector<char> buffer(4096, '\0');
        const int32_t result = Fg_getParameterWithType(handle, id, buffer.data(), port, 1);
        return result == 0 ? std::string(buffer.data()) : "error " + std::to_string(result);
    }
    // An array element's value, or the code when the get fails.
    int64_t getElement(AppletHandle* handle, int32_t id, uint32_t index, uint32_t port = 0)
    {
        AppletFieldElement element{0xDEAD, index};
        const int32_t result = Fg_getParameterWithType(handle, id, &element, port, 4098);
        return result == 0 ? int64_t{element.value} : int64_t{result};
    }

private:
    void* resolve(const char* name)
    {
        void* function = os::findSymbol(module_, name);
        if (function == nullptr) {
            throw std::runtime_error(std::string("missing export ") + name);
        }
        return function;
    }

    void* module_ = nullptr;
};

// The built libraries' directory, from the build.
inline std::string libraryDirectory()
{
    return VELM_LIB_DIR;
}

// Tests name a built library by its file name on Linux ("testapplet1.so",
// "nohost/testapplet_nohost.so"); on Windows the same library is a DLL.
inline std::string platformFileName(const std::string& file)
{
#ifdef _WIN32
    const std::string linuxSuffix = ".so";
    if (file.size() >= linuxSuffix.size() &&
        file.compare(file.size() - linuxSuffix.size(), linuxSuffix.size(), linuxSuffix) == 0) {
        return file.substr(0, file.size() - linuxSuffix.size()) + ".dll";
    }
#endif
    return file;
}

inline std::string libraryPath(const std::string& file)
{
    return libraryDirectory() + "/" + platformFileName(file);
}

// The file of a stand-in ("desload", "simboard", ...) as the build names it.
inline std::string standInFileName(const std::string& name)
{
#ifdef _WIN32
    return name + ".dll";
#else
    return "lib" + name + ".so";
#endif
}

// The register accesses the stand-ins logged, in order.
inline std::vector<SimRegisterAccess> accessLog()
{
    std::vector<SimRegisterAccess> log(simAccessCount());
    for (std::size_t i = 0; i < log.size(); ++i) {
        simGetAccess(i, &log[i]);
    }
    return log;
}

inline std::vector<std::string> callLog();

// Whether a stand-in call that begins with `prefix` was logged.
inline bool callLogged(const std::string& prefix)
{
    for (const std::string& line : callLog()) {
        if (line.rfind(prefix, 0) == 0) {
            return true;
        }
    }
    return false;
}

inline std::vector<std::string> callLog()
{
    std::vector<std::string> calls;
    for (std::size_t i = 0; i < simCallCount(); ++i) {
        char line[512] = {};
        simGetCall(i, line, sizeof line);
        calls.emplace_back(line);
    }
    return calls;
}

// Sets an environment variable for the test's lifetime; the previous state
// comes back at the end.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (std::optional<std::string> old = os::environmentValue(name)) {
            had_ = true;
            old_ = *old;
        }
        os::setEnvironmentValue(name, value);
    }
    ~ScopedEnvironment()
    {
        os::setEnvironmentValue(name_.c_str(), had_ ? old_.c_str() : nullptr);
    }

private:
    std::string name_;
    std::string old_;
    bool had_ = false;
};

// A fresh directory that the test works in; removed at the end.
class ScratchDirectory {
public:
    ScratchDirectory()
    {
        static int made = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("velm-test-" + std::to_string(stamp) + "-" + std::to_string(++made));
        std::filesystem::create_directories(path_);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// A copy of a built library in a directory of its own, with the stand-ins
// beside it, so that a test can put an "inspect.conf" (or leave out the host
// library) next to it without touching the build. The stand-ins are
// symbolic links to the build's, except on Windows, where making a link
// takes a privilege: there they are copies.
class IsolatedLibrary {
public:
    IsolatedLibrary(const ScratchDirectory& directory, const std::string& file, const std::string& copyName,
                    bool withHost = true)
        : path_(directory.file(platformFileName(copyName)))
    {
        std::filesystem::copy_file(libraryPath(file), path_);
        std::vector<std::string> standIns = {"desload", "velm_hw", "simboard"};
        if (withHost) {
            standIns.push_back("acqhost");
        }
        for (const std::string& standIn : standIns) {
            const std::string name = standInFileName(standIn);
#ifdef _WIN32
            std::filesystem::copy_file(libraryPath(name), directory.file(name));
#else
            std::filesystem::create_symlink(libraryPath(name), directory.file(name));
#endif
        }
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The whole content of a file, byte for byte.
inline std::string fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The whole content of a text file as a text stream reads it. The libraries
// write their files as text, which on Windows ends every line with "\r\n"
// where Linux has "\n"; read as text, both are the same lines.
inline std::string fileContent(const std::string& path)
{
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

#ifdef VELM_EXPECTED_DIR
// A file of expected results from beside the test program's sources.
inline std::string expectedFile(const std::string& name)
{
    return fileContent(std::string(VELM_EXPECTED_DIR) + "/" + name);
}
#endif

}  // namespace velm::test
