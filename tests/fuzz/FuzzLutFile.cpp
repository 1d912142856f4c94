// Lookup-table files of any content, loaded as a custom table.
#include "FuzzSupport.h"
#include "ParameterIds.h"

// The type stays custom for the whole run: nothing below sets it, and a
// file that fails to load leaves it as it is. Each input is then read once,
// by setting the file's name.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    velm::fuzz::FuzzedInstance& fuzzed = velm::fuzz::prepareInstance();
    fuzzed.library.setInt(&fuzzed.handle, velm::FG_LUT_TYPE, 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velm::fuzz::FuzzedInstance& fuzzed = velm::fuzz::nextInput();
    const std::string name = fuzzed.scratch.file("fuzzed.lut");
    velm::fuzz::writeFile(name, data, size);
    fuzzed.library.setText(&fuzzed.handle, velm::FG_LUT_CUSTOM_FILE, name.c_str());
    return 0;
}
