// The configuration-file operations of the applet base class: the header of
// a ".mcf" file is the framework's, everything after it the applet's.
#include <cstring>

#include "ErrorCodes.h"
#include "FgPlWrapper.h"
#include "Fg_ConfigFileParser.h"
#include "Platform.h"

namespace velm {

namespace {

constexpr const char* kVendorKey = "Hersteller";
constexpr const char* kAppletNameKey = "Typ";
constexpr const char* kAppletVersionKey = "Version";
constexpr const char* kAppletIdKey = "LoadAppletId";
constexpr const char* kActivePortKey = "AktivePort";

}  // namespace

// The parser is a local: its destructor closes the file on every way out,
// also when an applet hook throws, and a save it did not commit leaves the
// previous file as it was. Whatever a hook throws becomes the operation's
// failure code; nothing reaches the C caller.
std::int32_t FgPlWrapper::saveConfig(void* /*hostHandle*/, const char* fileName)
{
    os::NumericLocaleScope numericLocale;
    try {
        Fg_ConfigFileParser parser(nullptr, nullptr, false);
        if (!parser.setSaveFile(fileName)) {
            return setLastError(kErrConfigSaveFailed);
        }
        parser.writeConfigFileHeader();
        parser.writeConfigFile(kVendorKey, getVendorName());
        parser.writeConfigFile(kAppletNameKey, getAppletName());
        parser.writeConfigFile(kAppletVersionKey, getAppletVersion());
        parser.writeConfigFileIntKey(kAppletIdKey, getAppletId());
        parser.writeConfigFileIntKey(kActivePortKey, 0);
        writeParametersToConfig(parser);
        if (!parser.commitSaveFile()) {
            return setLastError(kErrConfigSaveFailed);
        }
    } catch (...) {
        return setLastError(kErrConfigSaveFailed);
    }
    return setLastError(0);
}

// A missing file or a name without ".mcf" returns -2076 but leaves -5000 as
// the last error; callers of the export rely on both numbers.
std::int32_t FgPlWrapper::loadConfig(void* /*hostHandle*/, const char* fileName)
{
    os::NumericLocaleScope numericLocale;
    try {
        Fg_ConfigFileParser parser(nullptr, fileName, true);
        if (!parser.isOpen()) {
            setLastError(kErrConfigLoadFailed);
            return kErrFileNotAccepted;
        }
        char value[Fg_ConfigFileParser::kValueBufferSize];
        if (parser.parseKeyFromLine(kVendorKey, value) != 0) {
            return setLastError(kErrConfigLoadFailed);
        }
        const char* appletName = getAppletName();
        if (parser.parseKeyFromLine(kAppletNameKey, value) != 0 || appletName == nullptr ||
            std::strcmp(value, appletName) != 0) {
            return setLastError(kErrConfigLoadFailed);
        }
        std::int32_t activePort = 0;
        if (parser.parseIntKeyFromHeader(kActivePortKey, &activePort) != 0) {
            return setLastError(kErrConfigLoadFailed);
        }
        if (!readParametersFromConfig(parser)) {
            return setLastError(kErrConfigLoadFailed);
        }
    } catch (...) {
        return setLastError(kErrConfigLoadFailed);
    }
    return setLastError(0);
}

}  // namespace velm
