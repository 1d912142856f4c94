// The deliverables this build makes, as it names them in VELM_DELIVERABLES
// ("arventa,belcora"). A Windows build makes only those of its own bitness,
// so a test that loads a deliverable takes it from here rather than by name.
// Free of GoogleTest, so that the benchmark can take the list from here too.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace velm::test {

// The deliverables' target names, "belcora".
inline std::vector<std::string> builtDeliverables()
{
    std::vector<std::string> names;
    std::istringstream list(VELM_DELIVERABLES);
    std::string name;
    while (std::getline(list, name, ',')) {
        if (!name.empty()) {
            names.push_back(name);
        }
    }
    return names;
}

// Their library files by the Linux name, "belcora.so", which libraryPath
// turns into the platform's.
inline std::vector<std::string> builtDeliverableFiles()
{
    std::vector<std::string> files;
    for (const std::string& name : builtDeliverables()) {
        files.push_back(name + ".so");
    }
    return files;
}

// The deliverables and the test applets built like them, which export the
// same functions.
inline std::vector<std::string> exportingLibraries()
{
    std::vector<std::string> files = builtDeliverableFiles();
    files.insert(files.end(), {"testapplet1.so", "testapplet2.so"});
    return files;
}

// A test case that takes a library file is named after the library. An
// object rather than a function, so that it takes GoogleTest's
// TestParamInfo without this header including GoogleTest.
struct LibraryName {
    template <typename ParamInfo>
    std::string operator()(const ParamInfo& info) const
    {
        return info.param.substr(0, info.param.find('.'));
    }
};
inline constexpr LibraryName libraryName{};

}  // namespace velm::test
