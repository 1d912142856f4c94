// Allowed values: each applet keeps its runs of rows {display text, value,
// value name}. A setter accepts a value equal to the value of one row of its
// run; the info tree shows the same rows as enumeration values, and Info
// answers their names. A run is one constant array, so that adding a row can
// never shift another run. The runs that every applet shares stand here.
#pragma once

#include <cstdint>

#include "ConstantTable.h"

namespace velm {

struct AllowedValue {
    const char* display;
    std::int64_t value;  // setters compare the low 32 bits
    const char* name;
};

// One run: the rows of one constant array.
using AllowedRun = TableOf<AllowedValue>;

inline bool allows(const AllowedRun& run, std::uint32_t value)
{
    for (const AllowedValue& row : run) {
        if (static_cast<std::uint32_t>(row.value) == value) {
            return true;
        }
    }
    return false;
}

// ---- runs that every applet that has the parameter shares ----

inline constexpr AllowedValue kYesNo[] = {
    {"Yes", 1, "FG_YES"},
    {"No", 0, "FG_NO"},
};

inline constexpr AllowedValue kOnOff[] = {
    {"On", 1, "FG_ON"},
    {"Off", 0, "FG_OFF"},
};

inline constexpr AllowedValue kColour24Format[] = {
    {"Color 24bit", 2, "FG_COL24"},
};

inline constexpr AllowedValue kAlignments[] = {
    {"Left Aligned", 1, "FG_LEFT_ALIGNED"},
    {"Right Aligned", 0, "FG_RIGHT_ALIGNED"},
};

inline constexpr AllowedValue kImageSources[] = {
    {"Camera", 0, "FG_CAMPORT"},
    {"Generator", 1, "FG_GENERATOR"},
};

inline constexpr AllowedValue kLutTypes[] = {
    {"Processor", 3, "LUT_TYPE_PROCESSING"},
    {"User file", 0, "LUT_TYPE_CUSTOM"},
};

inline constexpr AllowedValue kLutImplementations[] = {
    {"Full LUT", 0, "LUT_IMPLEMENTATION_FULL_LUT"},
    {"KneeLUT", 1, "LUT_IMPLEMENTATION_KNEELUT"},
};

// The display texts are aligned pictures of the readout; their blanks count.
inline constexpr AllowedValue kSensorReadoutModes[] = {
    {"SMODE_UNCHANGED|->                    |", 0, "SMODE_UNCHANGED"},
    {"SMODE_REVERSE      |                    <-|", 3, "SMODE_REVERSE"},
    {"SMODE_TAB2_0          |1>        2>       |", 1, "SMODE_TAB2_0"},
    {"SMODE_TAB2_1          |        <2       <1|", 4, "SMODE_TAB2_1"},
    {"SMODE_TAB2_2          |1>               <2|", 6, "SMODE_TAB2_2"},
};

// Vcc and Gnd share their values with trigger sources 5 and 4; the setters
// take those values as the constant levels.
inline constexpr AllowedValue kCcSources[] = {
    {"Trigger Source 0", 0, "TRGINSRC_0"},
    {"Trigger Source 1", 1, "TRGINSRC_1"},
    {"Trigger Source 2", 2, "TRGINSRC_2"},
    {"Trigger Source 3", 3, "TRGINSRC_3"},
    {"Trigger Source 4", 4, "TRGINSRC_4"},
    {"Trigger Source 5", 5, "TRGINSRC_5"},
    {"Trigger Source 6", 6, "TRGINSRC_6"},
    {"Trigger Source 7", 7, "TRGINSRC_7"},
    {"Vcc", 5, "VCC"},
    {"Gnd", 4, "GND"},
};

}  // namespace velm
