// The internal line generator: one per instance, reached from every camera
// port, its kept values held with camera 0. Its registers are written
// straight to the board; the value each last took is what the active,
// passive and mask answers are built from.
#pragma once

#include <cstdint>

#include "GenericApplet.h"

namespace velm {

void setGeneratorEnable(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                        const ParameterValue& value, bool throwFlag);
void setGeneratorStart(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                       const ParameterValue& value, bool throwFlag);
void setGeneratorHeight(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                        const ParameterValue& value, bool throwFlag);
void setGeneratorFrequency(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                           const ParameterValue& value, bool throwFlag);
void setGeneratorAccuracy(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                          const ParameterValue& value, bool throwFlag);
void setGeneratorRoll(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                      const ParameterValue& value, bool throwFlag);
// Tap n (1 to 4) is bit n - 1 of the generator's mask.
template <int Tap>
void setGeneratorTap(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                     const ParameterValue& value, bool throwFlag);

// Writes the line widths for the kept width and gap: the registers count
// in units of the design's data path, (w * multiplier) >> shift.
void setGeneratorLineWidths(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                            const ParameterValue& value, bool throwFlag, std::uint32_t multiplier,
                            std::uint32_t shift);

template <std::uint32_t Multiplier, std::uint32_t Shift>
struct GeneratorLine {
    // Width and line gap share one pair of registers, so both setters write
    // both from the kept values with the new one in place.
    static void set(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                    const ParameterValue& value, bool throwFlag)
    {
        setGeneratorLineWidths(applet, row, camera, value, throwFlag, Multiplier, Shift);
    }
};

void getGeneratorActive(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);
void getGeneratorPassive(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);
void getGeneratorLineWidth(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);

}  // namespace velm
