// Configuration files of any content, loaded into a Belcora instance.
#include "FuzzSupport.h"

VELM_FUZZ_LOAD_LIBRARY_FIRST

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velm::fuzz::FuzzedInstance& fuzzed = velm::fuzz::nextInput();
    const std::string name = fuzzed.scratch.file("fuzzed.mcf");
    velm::fuzz::writeFile(name, data, size);
    fuzzed.library.Fg_loadConfig(&fuzzed.handle, name.c_str());
    return 0;
}
