// The parts of the platform layer that are the same on every platform,
// written over its platform-specific calls.
#include "Platform.h"

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
    const std::string ownPath = modulePathOf(reinterpret_cast<const void*>(&loadLibrary));
    const std::size_t separator = ownPath.find_last_of(kPathSeparator == '/' ? "/" : "\\/");
    if (separator == std::string::npos) {
        return nullptr;
    }
    return loadLibraryFile((ownPath.substr(0, separator + 1) + name).c_str());
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
