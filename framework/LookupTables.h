// The lookup tables of a camera: one gray table or a red, a green and a
// blue table, filled either from the curve of gain, gamma, offset and
// invert, or from a table file the user names. Each table is the kept array
// of its per-element parameter; the layout says which parameters, registers
// and file sections an applet's tables have.
#pragma once

#include <cstddef>
#include <cstdint>

#include "DesignRegisters.h"
#include "GenericApplet.h"

namespace velm {

struct LutColour {
    std::int32_t valueParameter;  // the per-element parameter that keeps the table
    RegisterRole role;            // its table register
    const char* section;          // its section in a table file
    std::uint32_t fileId;         // the "id" it is written with
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

// The three 256-entry colour tables of the RGB designs, 8 bits in and out.
inline constexpr LutColour kRgbLutColours[] = {
    {300009 /* FG_LUT_VALUE_RED */, RegisterRole::LutRed, "[red]", 0},
    {300010 /* FG_LUT_VALUE_GREEN */, RegisterRole::LutGreen, "[green]", 1},
    {300011 /* FG_LUT_VALUE_BLUE */, RegisterRole::LutBlue, "[blue]", 2},
};
inline constexpr LutLayout kRgbLutLayout{kRgbLutColours, 3, 256, 8, 8, 256.0};
using RgbLookupTables = LookupTables<kRgbLutLayout>;

}  // namespace velm
