// Settings files of any content, read by the settings store.
#include <string>

#include "InspectConfig.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    velm::fuzz::scratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name = velm::fuzz::writeInput("inspect.conf", data, size);
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
