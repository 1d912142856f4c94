// The internal line generator: one per instance, reached from every camera
// port, its kept values held with camera 0. Its registers are written
// straight to the board; the value each last took is what the active,
// passive and mask answers are built from. Every applet's tables hold its
// rows alike.
#pragma once

#include <array>
#include <cstdint>

#include "GenericApplet.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"

namespace velm {

// What a design's camera stages redo when the image source changes.
using SourceFollower = void (*)(GenericApplet& applet);

// The image source: the camera or the generator. `follow`, when given, runs
// after the enable register is written and within the setter's work, so
// that its failure restores the kept source as well.
void setGeneratorSource(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                        const ParameterValue& value, bool throwFlag, SourceFollower follow);

void setGeneratorEnable(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                        const ParameterValue& value, bool throwFlag);

template <SourceFollower Follow>
void setGeneratorEnableThen(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                            const ParameterValue& value, bool throwFlag)
{
    setGeneratorSource(applet, row, camera, value, throwFlag, Follow);
}

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

// ---- the generator's part of every applet's tables ----

// Its parameters, in the order every parameter table holds them. What a
// switch of the image source redoes, and the units the line widths count
// in, are the design's.
constexpr std::array<ParameterRow, 15> generatorRows(SetterFn setSource, SetterFn setLineWidths)
{
    constexpr ValueForm kInt = ValueForm::Int;
    constexpr ParameterScope kShared = ParameterScope::Shared;
    return {{
        readWrite("FG_GEN_ENABLE", FG_GEN_ENABLE, kInt, "Use internal frame generator or CameraLink input.", 0,
                  setSource, kImageSources, 0, kShared),
        readWrite("FG_GEN_START", FG_GEN_START, kInt, "", 1, setGeneratorStart, kOnOff, 0, kShared),
        readWrite("FG_GEN_WIDTH", FG_GEN_WIDTH, kInt, "", 1024, setLineWidths, {}, 0, kShared),
        readWrite("FG_GEN_HEIGHT", FG_GEN_HEIGHT, kInt, "", 1024, setGeneratorHeight, {}, 0, kShared),
        readWrite("FG_GEN_LINE_GAP", FG_GEN_LINE_GAP, kInt, "", 4, setLineWidths, {}, 0, kShared),
        readWrite("FG_GEN_FREQ", FG_GEN_FREQ, ValueForm::Double, "", 40.0, setGeneratorFrequency, {}, 0, kShared),
        readWrite("FG_GEN_ACCURACY", FG_GEN_ACCURACY, kInt, "", 25, setGeneratorAccuracy, {}, 0, kShared),
        readWrite("FG_GEN_TAP1", FG_GEN_TAP1, kInt, "", 1, setGeneratorTap<1>, kOnOff, 0, kShared),
        readWrite("FG_GEN_TAP2", FG_GEN_TAP2, kInt, "", 1, setGeneratorTap<2>, kOnOff, 0, kShared),
        readWrite("FG_GEN_TAP3", FG_GEN_TAP3, kInt, "", 1, setGeneratorTap<3>, kOnOff, 0, kShared),
        readWrite("FG_GEN_TAP4", FG_GEN_TAP4, kInt, "", 1, setGeneratorTap<4>, kOnOff, 0, kShared),
        readWrite("FG_GEN_ROLL", FG_GEN_ROLL, kInt, "", 0, setGeneratorRoll, {}, 0, kShared),
        readOnly("FG_GEN_ACTIVE", FG_GEN_ACTIVE, kInt, "", getGeneratorActive),
        readOnly("FG_GEN_PASSIVE", FG_GEN_PASSIVE, kInt, "", getGeneratorPassive),
        readOnly("FG_GEN_LINE_WIDTH", FG_GEN_LINE_WIDTH, kInt, "", getGeneratorLineWidth),
    }};
}

// Its registers, resolved after the design's others through the design
// loader: the same names in every design.
inline constexpr RegisterSpec kGeneratorRegisters[] = {
    {"AAGenEnable", RegisterRoute::Generator, RegisterRole::GenEnable, 0},
    {"AAGenStart", RegisterRoute::Generator, RegisterRole::GenStart, 0},
    {"AAGenWidth", RegisterRoute::Generator, RegisterRole::GenWidth, 0},
    {"AAGenLineWidth", RegisterRoute::Generator, RegisterRole::GenLineWidth, 0},
    {"AAGenHeight", RegisterRoute::Generator, RegisterRole::GenHeight, 0},
    {"AAGenActive", RegisterRoute::Generator, RegisterRole::GenActive, 0},
    {"AAGenPassive", RegisterRoute::Generator, RegisterRole::GenPassive, 0},
    {"AAGenMask", RegisterRoute::Generator, RegisterRole::GenMask, 0},
    {"AAGenRoll", RegisterRoute::Generator, RegisterRole::GenRoll, 0},
};

// Its keys stand in the first camera's section of a configuration file only.
constexpr std::uint8_t kGeneratorKey = kConfigStoredAndApplied | kConfigFirstCameraOnly;

inline constexpr ConfigKey kGeneratorConfigKeys[] = {
    {FG_GEN_ENABLE, kGeneratorKey},   {FG_GEN_START, kGeneratorKey}, {FG_GEN_WIDTH, kGeneratorKey},
    {FG_GEN_HEIGHT, kGeneratorKey},   {FG_GEN_LINE_GAP, kGeneratorKey}, {FG_GEN_FREQ, kGeneratorKey},
    {FG_GEN_ACCURACY, kGeneratorKey}, {FG_GEN_TAP1, kGeneratorKey},  {FG_GEN_TAP2, kGeneratorKey},
    {FG_GEN_TAP3, kGeneratorKey},     {FG_GEN_TAP4, kGeneratorKey},  {FG_GEN_ROLL, kGeneratorKey},
};

// Its defaults, given once, through the first camera.
inline constexpr InitialWrite kGeneratorInitialWrites[] = {
    {FG_GEN_ENABLE, 0, true},    {FG_GEN_START, 1, true},     {FG_GEN_WIDTH, 1024, true},
    {FG_GEN_HEIGHT, 1024, true}, {FG_GEN_LINE_GAP, 4, true},  {FG_GEN_FREQ, 40.0, true},
    {FG_GEN_ACCURACY, 25, true}, {FG_GEN_TAP1, 1, true},      {FG_GEN_TAP2, 1, true},
    {FG_GEN_TAP3, 1, true},      {FG_GEN_TAP4, 1, true},      {FG_GEN_ROLL, 0, true},
};

// Its category of the parameter-info tree, on every port.
inline constexpr const char* kCameraSimulator = "Camera Simulator";

inline constexpr InfoItem kGeneratorInfo[] = {
    infoCategory(kCameraSimulator),
    infoEnum(kCameraSimulator, "Image Source", FG_GEN_ENABLE, kReadWriteFlagged),
    infoEnum(kCameraSimulator, "Image Start", FG_GEN_START, kReadWriteFlagged),
    infoInt(kCameraSimulator, "Width", FG_GEN_WIDTH, 0, 65535, 1, kReadWriteFlagged, 1, "pixel"),
    infoInt(kCameraSimulator, "Height", FG_GEN_HEIGHT, 0, 65535, 1, kReadWriteFlagged, 1, "pixel"),
    infoInt(kCameraSimulator, "Line Gap", FG_GEN_LINE_GAP, 0, 65535, 1, kReadWriteFlagged, 1, "pixel"),
    infoDouble(kCameraSimulator, "Frequency", FG_GEN_FREQ, 3.0, 125.0, 1.0, kReadWriteFlagged, 2, "MHz"),
    infoInt(kCameraSimulator, "Accuracy", FG_GEN_ACCURACY, 1, 65535, 1, kReadWriteFlagged, 2),
    infoEnum(kCameraSimulator, "Tap 1", FG_GEN_TAP1, kReadWriteFlagged),
    infoEnum(kCameraSimulator, "Tap 2", FG_GEN_TAP2, kReadWriteFlagged),
    infoEnum(kCameraSimulator, "Tap 3", FG_GEN_TAP3, kReadWriteFlagged),
    infoEnum(kCameraSimulator, "Tap 4", FG_GEN_TAP4, kReadWriteFlagged),
    infoInt(kCameraSimulator, "Roll", FG_GEN_ROLL, 0, 255, 1, kReadWriteFlagged),
    infoInt(kCameraSimulator, "Active", FG_GEN_ACTIVE, 0, 65535, 1, kReadOnly),
    infoInt(kCameraSimulator, "Passive", FG_GEN_PASSIVE, 0, 65535, 1, kReadOnly),
    infoInt(kCameraSimulator, "Line Width", FG_GEN_LINE_WIDTH, 0, 65535, 1, kReadOnly, 1, "pixel"),
};

}  // namespace velm
