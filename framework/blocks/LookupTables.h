// The lookup tables of a camera: one gray table or a red, a green and a
// blue table, filled either from the curve of gain, gamma, offset and
// invert, or from a table file the user names. Each table is the kept array
// of its per-element parameter; the layout says which parameters, registers
// and file sections an applet's tables have, and makes their rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "DesignRegisters.h"
#include "GenericApplet.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"

namespace velm {

struct LutColour {
    std::int32_t valueParameter;  // the per-element parameter that keeps the table
    const char* name;             // that parameter's name, description and display name
    const char* description;
    const char* displayName;
    RegisterRole role;     // its table register
    const char* section;   // its section in a table file
    std::uint32_t fileId;  // the "id" it is written with
};

struct LutLayout {
    const LutColour* colours;
    std::size_t colourCount;
    std::uint32_t entries;  // 2 ^ inputBits
    std::uint32_t inputBits;
    std::uint32_t outputBits;
    double maxGain;
    // A table file must hold a section of every colour: one that lacks one
    // is refused (-5001) and changes no table. Otherwise a missing section
    // loads as zeros, as the file reader gives it.
    bool everySectionRequired = false;
};

constexpr std::uint32_t kLutTypeProcessing = 3;
constexpr std::uint32_t kLutTypeCustom = 0;

// Setters of the lookup-table parameters of one layout.
template <const LutLayout& Layout>
struct LookupTables {
    static void setType(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                        const ParameterValue& value, bool throwFlag);
    static void setCustomFile(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                              const ParameterValue& value, bool throwFlag);
    static void setSaveFile(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                            const ParameterValue& value, bool throwFlag);
    static void setOffset(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                          const ParameterValue& value, bool throwFlag);
    static void setGain(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                        const ParameterValue& value, bool throwFlag);
    static void setGamma(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                         const ParameterValue& value, bool throwFlag);
    static void setInvert(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                          const ParameterValue& value, bool throwFlag);
    // One entry of the table the row keeps.
    static void setValue(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                         const ParameterValue& value, bool throwFlag);

    // The lookup-table rows of the parameter table, in the order every table
    // holds them: the type, the implementation and its bit depths, a value
    // parameter per colour, the file names and the curve.
    static constexpr std::array<ParameterRow, 10 + Layout.colourCount> rows();
    // The "Lookup Table" category, its "Applet Properties" first, then
    // "Processing".
    static constexpr std::array<InfoItem, 13 + Layout.colourCount> info();
};

// Keys of the tables in a configuration file: the type is applied, and it
// computes the table from the curve's values or loads the named file.
inline constexpr ConfigKey kLutConfigKeys[] = {
    {FG_LUT_TYPE, kConfigStoredAndApplied},     {FG_LUT_CUSTOM_FILE, kConfigStoredOnly},
    {FG_PROCESSING_OFFSET, kConfigStoredOnly},  {FG_PROCESSING_GAIN, kConfigStoredOnly},
    {FG_PROCESSING_GAMMA, kConfigStoredOnly},   {FG_PROCESSING_INVERT, kConfigStoredOnly},
};

// A new instance computes its tables from the curve's defaults.
inline constexpr InitialWrite kLutInitialWrites[] = {
    {FG_LUT_TYPE, kLutTypeProcessing},
};

// The mechanics behind the setters, for any layout.
namespace lut {

void setType(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
             const ParameterValue& value, bool throwFlag);
void setCustomFile(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                   const ParameterValue& value, bool throwFlag);
void setSaveFile(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                 const ParameterValue& value, bool throwFlag);
void setCurveValue(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                   const ParameterValue& value, bool throwFlag, double low, double high);
void setInvert(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
               const ParameterValue& value, bool throwFlag);
void setValue(const LutLayout& layout, GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
              const ParameterValue& value, bool throwFlag);

}  // namespace lut

template <const LutLayout& Layout>
void LookupTables<Layout>::setType(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                                   const ParameterValue& value, bool throwFlag)
{
    lut::setType(Layout, applet, row, camera, value, throwFlag);
}

template <const LutLayout& Layout>
void LookupTables<Layout>::setCustomFile(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                                         const ParameterValue& value, bool throwFlag)
{
    lut::setCustomFile(Layout, applet, row, camera, value, throwFlag);
}

template <const LutLayout& Layout>
void LookupTables<Layout>::setSaveFile(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                                       const ParameterValue& value, bool throwFlag)
{
    lut::setSaveFile(Layout, applet, row, camera, value, throwFlag);
}

template <const LutLayout& Layout>
void LookupTables<Layout>::setOffset(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                                     const ParameterValue& value, bool throwFlag)
{
    lut::setCurveValue(Layout, applet, row, camera, value, throwFlag, -1.0, 1.0);
}

template <const LutLayout& Layout>
void LookupTables<Layout>::setGain(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                                   const ParameterValue& value, bool throwFlag)
{
    lut::setCurveValue(Layout, applet, row, camera, value, throwFlag, 0.0, Layout.maxGain);
}

template <const LutLayout& Layout>
void LookupTables<Layout>::setGamma(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                                    const ParameterValue& value, bool throwFlag)
{
    lut::setCurveValue(Layout, applet, row, camera, value, throwFlag, -1000.0, 1000.0);
}

template <const LutLayout& Layout>
void LookupTables<Layout>::setInvert(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                                     const ParameterValue& value, bool throwFlag)
{
    lut::setInvert(Layout, applet, row, camera, value, throwFlag);
}

template <const LutLayout& Layout>
void LookupTables<Layout>::setValue(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                                    const ParameterValue& value, bool throwFlag)
{
    lut::setValue(Layout, applet, row, camera, value, throwFlag);
}

template <const LutLayout& Layout>
constexpr std::array<ParameterRow, 10 + Layout.colourCount> LookupTables<Layout>::rows()
{
    constexpr ValueForm kInt = ValueForm::Int;
    constexpr ValueForm kDouble = ValueForm::Double;
    std::array<ParameterRow, 10 + Layout.colourCount> table{};
    std::size_t at = 0;
    table[at++] = readWrite("FG_LUT_TYPE", FG_LUT_TYPE, kInt,
                            "Enables the LUT to be load with custom values or use the applet's processor.", 3,
                            setType, kLutTypes);
    table[at++] = readOnly("FG_LUT_IMPLEMENTATION_TYPE", FG_LUT_IMPLEMENTATION_TYPE, kInt,
                           "Type of LUT implementation.", nullptr, 0, kLutImplementations);
    table[at++] = readOnly("FG_LUT_IN_BITS", FG_LUT_IN_BITS, kInt, "Pixel bit depth at LUT input.", nullptr,
                           Layout.inputBits);
    table[at++] = readOnly("FG_LUT_OUT_BITS", FG_LUT_OUT_BITS, kInt, "Pixel bit depth at LUT output.", nullptr,
                           Layout.outputBits);
    for (std::size_t c = 0; c < Layout.colourCount; ++c) {
        const LutColour& colour = Layout.colours[c];
        table[at++] = readWrite(colour.name, colour.valueParameter, ValueForm::Element, colour.description, 0,
                                setValue, {}, Layout.entries);
    }
    table[at++] = readWrite("FG_LUT_CUSTOM_FILE", FG_LUT_CUSTOM_FILE, ValueForm::String,
                            "Filename with custom lookup table values.", 0, setCustomFile);
    table[at++] = readWrite("FG_LUT_SAVE_FILE", FG_LUT_SAVE_FILE, ValueForm::String,
                            "Save current LUT configuration.", 0, setSaveFile);
    table[at++] = readWrite("FG_PROCESSING_OFFSET", FG_PROCESSING_OFFSET, kDouble, "Offset correction value. ", 0.0,
                            setOffset);
    table[at++] = readWrite("FG_PROCESSING_GAIN", FG_PROCESSING_GAIN, kDouble, "Gain correction value. ", 1.0,
                            setGain);
    table[at++] = readWrite("FG_PROCESSING_GAMMA", FG_PROCESSING_GAMMA, kDouble, "Gamma correction value. ", 1.0,
                            setGamma);
    table[at++] = readWrite("FG_PROCESSING_INVERT", FG_PROCESSING_INVERT, kInt, "Invert output.", 0, setInvert,
                            kOnOff);
    return table;
}

template <const LutLayout& Layout>
constexpr std::array<InfoItem, 13 + Layout.colourCount> LookupTables<Layout>::info()
{
    constexpr const char* kLookupTable = "Lookup Table";
    constexpr const char* kAppletProperties = "Applet Properties";
    constexpr const char* kProcessing = "Processing";
    // The increment of the curve's values: the machine epsilon of a double.
    constexpr double kEpsilon = 2.220446049250313e-16;
    std::array<InfoItem, 13 + Layout.colourCount> items{};
    std::size_t at = 0;
    items[at++] = infoCategory(kLookupTable);
    items[at++] = infoCategory(kAppletProperties, kLookupTable);
    items[at++] = infoEnum(kAppletProperties, "LUT Implementation Type", FG_LUT_IMPLEMENTATION_TYPE, kReadOnly);
    items[at++] = infoInt(kAppletProperties, "LUT In Bits", FG_LUT_IN_BITS, 0, 0, 0, kReadOnly, 1, "bit");
    items[at++] = infoInt(kAppletProperties, "LUT Out Bits", FG_LUT_OUT_BITS, 0, 0, 0, kReadOnly, 1, "bit");
    items[at++] = infoEnum(kLookupTable, "Type", FG_LUT_TYPE, kReadWriteFlagged);
    for (std::size_t c = 0; c < Layout.colourCount; ++c) {
        const LutColour& colour = Layout.colours[c];
        items[at++] = infoArray(kLookupTable, colour.displayName, colour.valueParameter,
                                static_cast<std::int32_t>(Layout.entries), 0, (1u << Layout.outputBits) - 1,
                                kReadWriteFlagged);
    }
    items[at++] = infoString(kLookupTable, "Load File", FG_LUT_CUSTOM_FILE, "*.lut", kReadWriteFlagged);
    items[at++] = infoString(kLookupTable, "Save File", FG_LUT_SAVE_FILE, "*.lut", kReadWriteFlagged);
    items[at++] = infoCategory(kProcessing);
    items[at++] = infoDouble(kProcessing, "Offset", FG_PROCESSING_OFFSET, -1.0, 1.0, kEpsilon, kReadWriteFlagged);
    items[at++] = infoDouble(kProcessing, "Gain", FG_PROCESSING_GAIN, 0, Layout.maxGain, kEpsilon, kReadWriteFlagged);
    items[at++] = infoDouble(kProcessing, "Gamma", FG_PROCESSING_GAMMA, -1000.0, 1000.0, kEpsilon, kReadWriteFlagged);
    items[at++] = infoEnum(kProcessing, "Invert", FG_PROCESSING_INVERT, kReadWriteFlagged);
    return items;
}

// The three 256-entry colour tables of the RGB designs, 8 bits in and out.
inline constexpr LutColour kRgbLutColours[] = {
    {FG_LUT_VALUE_RED, "FG_LUT_VALUE_RED", "Field with red LUT Values.", "Red LUT Values", RegisterRole::LutRed,
     "[red]", 0},
    {FG_LUT_VALUE_GREEN, "FG_LUT_VALUE_GREEN", "Field with green LUT Values.", "Green LUT Values",
     RegisterRole::LutGreen, "[green]", 1},
    {FG_LUT_VALUE_BLUE, "FG_LUT_VALUE_BLUE", "Field with blue LUT Values.", "Blue LUT Values", RegisterRole::LutBlue,
     "[blue]", 2},
};
inline constexpr LutLayout kRgbLutLayout{kRgbLutColours, 3, 256, 8, 8, 256.0};
using RgbLookupTables = LookupTables<kRgbLutLayout>;

// The colour tables' registers in the designs of one camera.
inline constexpr RegisterSpec kOneCameraRgbLutRegisters[] = {
    {"Device1_Process0_LookupTable_R_LUTcontent", RegisterRoute::Host, RegisterRole::LutRed, 0},
    {"Device1_Process0_LookupTable_G_LUTcontent", RegisterRoute::Host, RegisterRole::LutGreen, 0},
    {"Device1_Process0_LookupTable_B_LUTcontent", RegisterRoute::Host, RegisterRole::LutBlue, 0},
};

}  // namespace velm
