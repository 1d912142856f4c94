// The parts of the platform layer that are the same on every platform,
// written over its platform-specific calls.
#include "Platform.h"
#include "PlatformInternal.h"

#include <chrono>
#include <cstdlib>

namespace velm::os {

// The normal search first (the library path, and on Windows the host
// program's directory, the system directories and PATH), then the directory
// of the library this code is linked into, where an installation puts the
// host library beside the applets. The second try is explicit rather than
// left to a run path: a load intercepted on its way (by a sanitizer runtime,
// say) no longer searches the run path of the library that asked.
ModuleHandle loadLibrary(const char* baseName)
{
    const std::string name = libraryFileName(baseName);
    if (ModuleHandle module = loadLibraryFile(name.c_str())) {
        return module;
    }
    const std::string ownDirectory = directoryOf(modulePathOf(reinterpret_cast<const void*>(&loadLibrary)));
    if (ownDirectory.empty()) {
        return nullptr;
    }
    return loadLibraryFile((ownDirectory + name).c_str());
}

std::string directoryOf(const std::string& path)
{
    const std::size_t nameStart = path.find_last_of(kFileNameStarts);
    return nameStart == std::string::npos ? std::string() : path.substr(0, nameStart + 1);
}

// The name is made in the target's directory, where the replacement is one
// step, and short, so that it fits wherever the target's name does. Two
// savers that pick the same name find it taken and try the next.
std::FILE* createFileBeside(const char* target, std::string& name)
{
    constexpr int kNameAttempts = 64;
    name.clear();
    if (target == nullptr) {
        return nullptr;
    }
    const std::string directory = directoryOf(target);
    const auto stamp = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = directory + ".velm-save-" + std::to_string(processId()) + "-" +
                                std::to_string(stamp + static_cast<std::uint64_t>(attempt)) + ".tmp";
        bool taken = false;
        if (std::FILE* file = createNewTextFile(candidate.c_str(), target, taken)) {
            name = std::move(candidate);
            return file;
        }
        if (!taken) {
            return nullptr;
        }
    }
    return nullptr;
}

std::optional<std::string> environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

}  // namespace velm::os
