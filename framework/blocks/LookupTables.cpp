#include "LookupTables.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "CameraParameters.h"
#include "LutFile.h"

namespace velm::lut {

namespace {

// A longer name could not travel through a configuration file's text field.
constexpr std::size_t kMaxFileNameLength = 1023;
// A configuration file keeps a text between quotes on one line, with no
// escape: a custom file name holding a quote or a line end could load back
// as another name, or as other keys.
constexpr const char* kNotInConfigurationText = "'\r\n";

std::vector<std::uint32_t>& table(GenericApplet& applet, std::uint32_t camera, const LutColour& colour)
{
    return applet.kept(camera, colour.valueParameter).elements;
}

void writeTable(GenericApplet& applet, std::uint32_t camera, const LutLayout& layout, const LutColour& colour)
{
    std::vector<std::uint32_t>& values = table(applet, camera, colour);
    HostTableRecord record{2, 0, layout.entries, values.data()};
    applet.registers().write(applet, colour.role, camera, &record, kHostValueTable);
}

// The curve, computed for each colour and written at once; a failing write
// stops before the next colour is computed.
void writeCurve(const LutLayout& layout, GenericApplet& applet, std::uint32_t camera)
{
    if (applet.kept(camera, FG_LUT_TYPE).integer != kLutTypeProcessing) {
        return;
    }
    const double gain = applet.kept(camera, FG_PROCESSING_GAIN).real;
    const double gamma = applet.kept(camera, FG_PROCESSING_GAMMA).real;
    const double offset = applet.kept(camera, FG_PROCESSING_OFFSET).real;
    const std::uint32_t invert = applet.kept(camera, FG_PROCESSING_INVERT).integer;
    for (std::size_t c = 0; c < layout.colourCount; ++c) {
        std::vector<std::uint32_t>& values = table(applet, camera, layout.colours[c]);
        computeLutCurve(values.data(), values.size(), layout.inputBits, layout.outputBits, gain, gamma, offset,
                        invert);
        writeTable(applet, camera, layout, layout.colours[c]);
    }
}

// A user's table file, read only while the type asks for it. Entries past
// what the file holds keep their values.
void loadFile(const LutLayout& layout, GenericApplet& applet, std::uint32_t camera, const std::string& name)
{
    if (applet.kept(camera, FG_LUT_TYPE).integer != kLutTypeCustom || name.empty()) {
        return;
    }
    LutFile file;
    if (!file.checkFileExist(name.c_str())) {
        throw std::int32_t{kErrFileNotAccepted};
    }
    std::vector<LutData> read(layout.colourCount);
    for (std::size_t c = 0; c < layout.colourCount; ++c) {
        read[c].id = layout.colours[c].fileId;
        if (file.readLut(name.c_str(), read[c], layout.colours[c].section, layout.entries) != 0 ||
            (layout.everySectionRequired && !read[c].sectionFound)) {
            throw std::int32_t{kErrConfigSaveFailed};
        }
    }
    for (std::size_t c = 0; c < layout.colourCount; ++c) {
        std::vector<std::uint32_t>& values = table(applet, camera, layout.colours[c]);
        const std::size_t count = std::min<std::size_t>(read[c].values.size(), values.size());
        std::copy_n(read[c].values.begin(), count, values.begin());
    }
    for (std::size_t c = 0; c < layout.colourCount; ++c) {
        writeTable(applet, camera, layout, layout.colours[c]);
    }
}

void saveFile(const LutLayout& layout, GenericApplet& applet, std::uint32_t camera, const std::string& name)
{
    if (name.empty()) {
        return;
    }
    std::vector<LutData> tables(layout.colourCount);
    for (std::size_t c = 0; c < layout.colourCount; ++c) {
        tables[c].values = table(applet, camera, layout.colours[c]);
        tables[c].id = layout.colours[c].fileId;
        tables[c].nrOfElements = layout.entries;
    }
    LutFile file;
    const int result = layout.colourCount == 3 ? file.writeRgbLut(name.c_str(), tables[0], tables[1], tables[2])
                                               : file.writeLut(name.c_str(), tables[0]);
    if (result != 0) {
        throw std::int32_t{kErrConfigSaveFailed};
    }
}

bool acceptFileName(const char* text, bool throwFlag)
{
    return accept(text != nullptr && std::strlen(text) <= kMaxFileNameLength, kErrOutOfRange, throwFlag);
}

// Only the custom file's name is kept in configuration files.
bool acceptCustomFileName(const char* text, bool throwFlag)
{
    return acceptFileName(text, throwFlag) &&
           accept(std::strpbrk(text, kNotInConfigurationText) == nullptr, kErrOutOfRange, throwFlag);
}

}  // namespace

void setType(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
             const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag, [&] {
        if (v == kLutTypeProcessing) {
            writeCurve(layout, applet, camera);
            moveInfoAccess(applet, camera, FG_LUT_CUSTOM_FILE, kReadOnly);
        } else {
            moveInfoAccess(applet, camera, FG_LUT_CUSTOM_FILE, kReadWriteFlagged);
            loadFile(layout, applet, camera, applet.kept(camera, FG_LUT_CUSTOM_FILE).text);
        }
    });
}

void setCustomFile(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                   const ParameterValue& value, bool throwFlag)
{
    if (!acceptCustomFileName(value.text, throwFlag)) {
        return;
    }
    const std::string name(value.text);
    commit(applet.kept(camera, row).text, name, throwFlag, [&] { loadFile(layout, applet, camera, name); });
}

void setSaveFile(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                 const ParameterValue& value, bool throwFlag)
{
    if (!acceptFileName(value.text, throwFlag)) {
        return;
    }
    const std::string name(value.text);
    commit(applet.kept(camera, row).text, name, throwFlag, [&] { saveFile(layout, applet, camera, name); });
}

// Offset, gain and gamma: stored, and the curve written when it is in use.
void setCurveValue(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                   const ParameterValue& value, bool throwFlag, double low, double high)
{
    const double v = value.real;
    if (!accept(withinRange(v, low, high), kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).real, v, throwFlag, [&] { writeCurve(layout, applet, camera); });
}

void setInvert(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
               const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag, [&] { writeCurve(layout, applet, camera); });
}

// A single entry may be set whatever the type; the next curve or file load
// overwrites it.
void setValue(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
              const ParameterValue& value, bool throwFlag)
{
    const FieldElement* element = value.element;
    const std::uint32_t maxOut = (std::uint32_t{1} << layout.outputBits) - 1;
    if (!accept(element != nullptr && element->index < layout.entries && element->value <= maxOut,
                kErrOutOfRange, throwFlag)) {
        return;
    }
    const LutColour* colour = std::find_if(layout.colours, layout.colours + layout.colourCount,
                                           [&](const LutColour& c) { return c.valueParameter == row.id; });
    if (colour == layout.colours + layout.colourCount) {
        throw std::int32_t{kErrInvalidArgument};
    }
    std::vector<std::uint32_t>& values = applet.kept(camera, row).elements;
    commit(values[element->index], element->value, throwFlag,
           [&] { applet.registers().write(applet, colour->role, camera, element, kHostValueElement); });
}

}  // namespace velm::lut
