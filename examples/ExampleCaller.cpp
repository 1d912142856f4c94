// A caller of an applet library, as an acquisition program would be: it loads
// the library by path, creates an instance on board 0, asks what the applet
// is, reads and sets a few parameters on every camera port, saves a
// configuration file, writes the XML description of each port's parameters,
// loads the configuration back and frees the instance.
//
//   example_caller <library> [configuration file] [XML file]
//
// The XML description of port p > 0 goes to the XML file's name with "-p"
// before its extension.
#include <cstdio>
#include <string>
#include <vector>

#include "AppletExports.h"
#include "Platform.h"

namespace {

struct Library {
#define EXAMPLE_MEMBER(result, name, arguments) name##_fn name = nullptr;
    VELM_APPLET_FUNCTIONS(EXAMPLE_MEMBER)
#undef EXAMPLE_MEMBER
};

bool bind(velm::os::ModuleHandle module, Library& library)
{
    bool complete = true;
#define EXAMPLE_BIND(result, name, arguments)                                               \
    library.name = reinterpret_cast<name##_fn>(velm::os::findSymbol(module, #name));       \
    if (library.name == nullptr) {                                                          \
        std::fprintf(stderr, "missing export %s\n", #name);                                \
        complete = false;                                                                   \
    }
    VELM_APPLET_FUNCTIONS(EXAMPLE_BIND)
#undef EXAMPLE_BIND
    return complete;
}

const char* infoText(const Library& library, int32_t query)
{
    void* text = nullptr;
    return library.Info(query, 0, 0, nullptr, &text) == 0 && text != nullptr ? static_cast<const char*>(text)
                                                                              : "(none)";
}

int32_t parameterId(const Library& library, AppletHandle* handle, const char* name)
{
    return library.Fg_getParameterIdByName(handle, name);
}

void showInt(const Library& library, AppletHandle* handle, const char* name, uint32_t port)
{
    int32_t value = 0;
    const int32_t id = parameterId(library, handle, name);
    const int32_t result = library.Fg_getParameterWithType(handle, id, &value, port, 0);
    if (result == 0) {
        std::printf("  port %u %-24s (id %6d) = %d\n", port, name, id, value);
    } else {
        std::printf("  port %u %-24s (id %6d): error %d\n", port, name, id, result);
    }
}

void setInt(const Library& library, AppletHandle* handle, const char* name, int32_t value, uint32_t port)
{
    const int32_t result =
        library.Fg_setParameterWithType(handle, parameterId(library, handle, name), &value, port, 0);
    std::printf("  port %u set %-20s %d -> %d\n", port, name, value, result);
}

// The ports the instance serves: those that have a parameter description.
uint32_t portCount(const Library& library, AppletHandle* handle)
{
    uint32_t ports = 0;
    size_t size = 0;
    while (library.Fg_getParameterInfoXML(handle, ports, nullptr, &size) == 0) {
        ++ports;
    }
    return ports;
}

std::string portFile(const std::string& path, uint32_t port)
{
    if (port == 0) {
        return path;
    }
    const std::size_t dot = path.rfind('.');
    const std::string suffix = "-" + std::to_string(port);
    return dot == std::string::npos ? path + suffix : path.substr(0, dot) + suffix + path.substr(dot);
}

bool writeXml(const Library& library, AppletHandle* handle, uint32_t port, const char* path)
{
    size_t size = 0;
    if (library.Fg_getParameterInfoXML(handle, port, nullptr, &size) != 0) {
        return false;
    }
    std::vector<char> text(size);
    if (library.Fg_getParameterInfoXML(handle, port, text.data(), &size) != 0) {
        return false;
    }
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    std::fwrite(text.data(), 1, size - 1, file);
    std::fclose(file);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <applet library> [configuration file] [XML file]\n", argv[0]);
        return 2;
    }
    const std::string configuration = argc > 2 ? argv[2] : "example.mcf";
    const std::string xml = argc > 3 ? argv[3] : "example.xml";

    velm::os::ModuleHandle module = velm::os::loadLibraryFile(argv[1]);
    Library library;
    if (module == nullptr || !bind(module, library)) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 1;
    }

    std::printf("Applet %s, version %s\n", infoText(library, 4176), infoText(library, 4192));
    std::printf("  %s\n", infoText(library, 4096));

    int32_t error = 0;
    AppletHandle handle{library.Std_entry(0, &error, 0)};
    if (handle.instance == nullptr) {
        std::fprintf(stderr, "Std_entry failed: %d\n", error);
        return 1;
    }

    const int32_t count = library.Fg_getNrOfParameter(&handle);
    std::printf("%d parameters, the first ones:\n", count);
    for (int32_t index = 0; index < count && index < 5; ++index) {
        std::printf("  %2d %-24s id %d\n", index, library.Fg_getParameterName(&handle, index),
                    library.Fg_getParameterId(&handle, index));
    }

    const uint32_t ports = portCount(library, &handle);
    std::printf("Parameters of %u camera port(s):\n", ports);
    for (uint32_t port = 0; port < ports; ++port) {
        showInt(library, &handle, "FG_WIDTH", port);
        showInt(library, &handle, "FG_HEIGHT", port);
        showInt(library, &handle, "FG_GEN_ACTIVE", port);
        setInt(library, &handle, "FG_WIDTH", 2048, port);
        setInt(library, &handle, "FG_WIDTH", 2050, port);
        showInt(library, &handle, "FG_WIDTH", port);
    }

    int32_t result = library.Fg_saveConfig(&handle, configuration.c_str());
    std::printf("Saved %s: %d\n", configuration.c_str(), result);
    for (uint32_t port = 0; port < ports; ++port) {
        const std::string file = portFile(xml, port);
        std::printf("XML description of port %u, %s: %s\n", port, file.c_str(),
                    writeXml(library, &handle, port, file.c_str()) ? "written" : "failed");
    }

    for (uint32_t port = 0; port < ports; ++port) {
        setInt(library, &handle, "FG_WIDTH", 512, port);
    }
    result = library.Fg_loadConfig(&handle, configuration.c_str());
    std::printf("Loaded %s: %d\n", configuration.c_str(), result);
    for (uint32_t port = 0; port < ports; ++port) {
        showInt(library, &handle, "FG_WIDTH", port);
    }

    result = library.Fg_FreeGrabber(&handle);
    std::printf("Freed: %d\n", result);
    velm::os::freeLibrary(module);
    return 0;
}
