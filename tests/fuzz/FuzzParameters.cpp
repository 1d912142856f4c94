// Any sequence of parameter sets and gets: each record is an id (4 bytes), a
// port, an operation, a value type and up to 255 value bytes.
#include <cstring>
#include <vector>

#include "FuzzSupport.h"
#include "ParameterIds.h"

namespace {

// File names from the input would let the fuzzer write anywhere: they are
// kept to short plain names inside the scratch directory.
void confineFileName(char* value)
{
    std::size_t length = 0;
    for (char* c = value; *c != '\0' && length < 12; ++c, ++length) {
        if (!((*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9') || *c == '.')) {
            *c = 'x';
        }
    }
    value[length] = '\0';
}

}  // namespace

// The library is loaded before the first input, so that its code counts for
// coverage from the start.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    velm::fuzz::instance("belcora");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velm::fuzz::nextInput();
    velm::fuzz::FuzzedInstance& fuzzed = velm::fuzz::instance("belcora");
    std::vector<char> buffer(8192);
    std::size_t at = 0;
    while (size - at >= 8) {
        std::int32_t id = 0;
        std::memcpy(&id, data + at, sizeof id);
        const std::uint32_t port = data[at + 4] % 4 == 3 ? data[at + 4] : data[at + 4] % 2;
        const bool set = (data[at + 5] & 1) == 0;
        const std::int32_t type = data[at + 6];
        const std::size_t length = std::min<std::size_t>(data[at + 7], size - at - 8);
        at += 8;
        std::fill(buffer.begin(), buffer.end(), '\0');
        std::memcpy(buffer.data(), data + at, length);
        at += length;
        if (set) {
            if (id == velm::FG_LUT_CUSTOM_FILE || id == velm::FG_LUT_SAVE_FILE) {
                confineFileName(buffer.data());
            }
            fuzzed.library.Fg_setParameterWithType(&fuzzed.handle, id, buffer.data(), port, type);
        } else {
            fuzzed.library.Fg_getParameterWithType(&fuzzed.handle, id, buffer.data(), port, type);
        }
        fuzzed.library.Fg_getLastErrorNumber(&fuzzed.handle);
    }
    return 0;
}
