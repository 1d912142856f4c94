// Lookup-table files of any content, loaded as a custom table.
#include "FuzzSupport.h"
#include "ParameterIds.h"

// The library is loaded before the first input, so that its code counts for
// coverage from the start.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    velm::fuzz::instance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velm::fuzz::FuzzedInstance& fuzzed = velm::fuzz::instance();
    // The stand-ins log every register access; a long run must not keep them all.
    simClearLog();
    const std::string name = fuzzed.scratch.file("fuzzed.lut");
    velm::fuzz::writeFile(name, data, size);
    fuzzed.library.setInt(&fuzzed.handle, velm::FG_LUT_TYPE, 0);
    fuzzed.library.setText(&fuzzed.handle, velm::FG_LUT_CUSTOM_FILE, name.c_str());
    return 0;
}
