// Configuration files of any content, loaded into an instance of every
// library the build makes; a two-camera library reads a section for each
// port from the same file. A library reads past the header only when the
// file's "Typ" is its applet name, so an input goes only to the libraries
// whose name it holds, and to the first one when it holds none, so that the
// header's refusals are read too: each refusal would cost as much as a short
// file's whole load.
#include <string_view>

#include "FuzzSupport.h"

// The libraries are loaded before the first input, so that their code
// counts for coverage from the start.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    velm::fuzz::everyInstance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velm::fuzz::nextInput();
    const std::string name = velm::fuzz::writeInput("fuzzed.mcf", data, size);
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    bool loaded = false;
    for (velm::fuzz::FuzzedInstance* fuzzed : velm::fuzz::everyInstance()) {
        if (content.find(fuzzed->appletName) != std::string_view::npos) {
            fuzzed->library.Fg_loadConfig(&fuzzed->handle, name.c_str());
            loaded = true;
        }
    }
    if (!loaded) {
        velm::fuzz::FuzzedInstance* first = velm::fuzz::everyInstance().front();
        first->library.Fg_loadConfig(&first->handle, name.c_str());
    }
    return 0;
}
