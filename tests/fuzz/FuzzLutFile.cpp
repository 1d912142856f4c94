// Lookup-table files of any content, loaded as a custom table on every port
// of each table layout the libraries have: Belcora's colour tables of one
// camera, Arventa's gray table of 4096 twelve-bit entries per camera, and
// Corvessa's colour tables per camera, which refuse a file that lacks a
// colour. Dalmira's tables are Belcora's layout and add nothing here.
#include <cstdio>
#include <cstdlib>

#include "FuzzSupport.h"
#include "ParameterIds.h"

namespace {

const std::vector<velm::fuzz::FuzzedInstance*>& tableLoaders()
{
    static const std::vector<velm::fuzz::FuzzedInstance*> made =
        velm::fuzz::instances({"belcora", "arventa", "corvessa"});
    return made;
}

}  // namespace

// The type stays custom on every port for the whole run: nothing below sets
// it, and a file that fails to load leaves it as it is. Each input is then
// read once a port, by setting the file's name. A type the library refuses
// would leave the target reading nothing, so it stops the run instead.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    for (velm::fuzz::FuzzedInstance* fuzzed : tableLoaders()) {
        for (std::uint32_t port = 0; port < fuzzed->ports; ++port) {
            const std::int32_t result = fuzzed->library.setInt(&fuzzed->handle, velm::FG_LUT_TYPE, 0, port);
            if (result != 0) {
                std::fprintf(stderr, "%s port %u refuses a custom table: %d\n", fuzzed->name.c_str(), port, result);
                std::abort();
            }
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velm::fuzz::nextInput();
    const std::string name = velm::fuzz::writeInput("fuzzed.lut", data, size);
    for (velm::fuzz::FuzzedInstance* fuzzed : tableLoaders()) {
        for (std::uint32_t port = 0; port < fuzzed->ports; ++port) {
            fuzzed->library.setText(&fuzzed->handle, velm::FG_LUT_CUSTOM_FILE, name.c_str(), port);
        }
    }
    return 0;
}
