// Settings files of any content, read by the settings store.
#include <cstdio>
#include <string>

#include "SettingsStore.h"
#include "FuzzSupport.h"

namespace {

// Destroyed, and so removed, when the run ends.
velm::test::ScratchDirectory& scratch()
{
    static velm::test::ScratchDirectory made;
    return made;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    velm::fuzz::keepFilesInMemory();
    scratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name = scratch().file("inspect.conf");
    velm::fuzz::writeFile(name, data, size);
    for (bool caseSensitive : {true, false}) {
        velm::InspectConfig settings(true, caseSensitive);
        settings.loadFile(name, true, caseSensitive);
        for (const std::string& section : {"belcora", "BELCORA", ""}) {
            for (const std::string& key : settings.getSectionKeys(section)) {
                bool found = false;
                settings.getValue(section + "::" + key, &found);
            }
        }
        settings.setValue("belcora::FG_X", "on");
    }
    return 0;
}
