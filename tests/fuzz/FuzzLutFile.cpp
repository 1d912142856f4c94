// Lookup-table files of any content, loaded as a custom table.
#include "FuzzSupport.h"
#include "ParameterIds.h"

VELM_FUZZ_LOAD_LIBRARY_FIRST

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velm::fuzz::FuzzedInstance& fuzzed = velm::fuzz::nextInput();
    const std::string name = fuzzed.scratch.file("fuzzed.lut");
    velm::fuzz::writeFile(name, data, size);
    fuzzed.library.setInt(&fuzzed.handle, velm::FG_LUT_TYPE, 0);
    fuzzed.library.setText(&fuzzed.handle, velm::FG_LUT_CUSTOM_FILE, name.c_str());
    return 0;
}
