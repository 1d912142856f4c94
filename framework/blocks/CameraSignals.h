// The camera-control outputs, the digital outputs and inputs, and the
// buffer state of a camera: overflow, fill level and camera status; their
// rows in every applet's tables, and the registers and events that the
// designs of one camera name alike.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "GenericApplet.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"

namespace velm {

// Outputs 3 and 7 take bits 0 and 1 of the value.
void setDigitalOutput(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                      const ParameterValue& value, bool throwFlag);

// CC output n (1 to 4): a trigger source 0 to 7, or Vcc (5) or Gnd (4),
// which select the constant source 8 with the polarity telling them apart.
template <int Output>
void setCcOutput(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                 bool throwFlag);

// The value of the role's register of the camera.
void getOverflow(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);
void getDigitalInput(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);
// 100 on overflow, else the fullest of the camera's buffers.
void getFillLevel(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);
// The host's extended status with the fill-level quarter in bits 6 and 7
// and the overflow in bit 5.
void getCameraStatusExtended(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);
void getCameraStatus(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);

// ---- the digital outputs, inputs and camera-control lines in every applet's tables ----

// The buffers' state, after the region of interest in every parameter
// table.
inline constexpr ParameterRow kBufferStateRows[] = {
    readOnly("FG_FILLLEVEL", FG_FILLLEVEL, ValueForm::Int, "Fill level of the buffers.", getFillLevel),
    readOnly("FG_OVERFLOW", FG_OVERFLOW, ValueForm::Int, "Overflow state of the buffers.", getOverflow),
};

// The last rows of every parameter table.
inline constexpr ParameterRow kCameraSignalRows[] = {
    readWrite("FG_DIGIO_OUTPUT", FG_DIGIO_OUTPUT, ValueForm::Int, "Set the output values on outputs 3 and 7.", 3,
              setDigitalOutput),
    readOnly("FG_DIGIO_INPUT", FG_DIGIO_INPUT, ValueForm::Int, "Read the current state of all digital inputs.",
             getDigitalInput),
    readWrite("FG_CC1", FG_CC1, ValueForm::Int, "CC1 Output", 0, setCcOutput<1>, kCcSources),
    readWrite("FG_CC2", FG_CC2, ValueForm::Int, "CC2 Output", 5, setCcOutput<2>, kCcSources),
    readWrite("FG_CC3", FG_CC3, ValueForm::Int, "CC3 Output", 5, setCcOutput<3>, kCcSources),
    readWrite("FG_CC4", FG_CC4, ValueForm::Int, "CC4 Output", 5, setCcOutput<4>, kCcSources),
};

// A saved file records the inputs as they were; a load does not read them.
inline constexpr ConfigKey kCameraSignalConfigKeys[] = {
    {FG_DIGIO_OUTPUT, kConfigStoredAndApplied}, {FG_DIGIO_INPUT, kConfigWritten},
    {FG_CC1, kConfigStoredAndApplied},          {FG_CC2, kConfigStoredAndApplied},
    {FG_CC3, kConfigStoredAndApplied},          {FG_CC4, kConfigStoredAndApplied},
};

inline constexpr InitialWrite kCameraSignalInitialWrites[] = {
    {FG_DIGIO_OUTPUT, 3}, {FG_CC1, 0}, {FG_CC2, 5}, {FG_CC3, 5}, {FG_CC4, 5},
};

// The "Digital I/O" and "Overflow" categories of the parameter-info tree.
inline constexpr const char* kDigitalIo = "Digital I/O";
inline constexpr const char* kOverflow = "Overflow";

inline constexpr InfoItem kCameraSignalInfo[] = {
    infoCategory(kDigitalIo),
    infoInt(kDigitalIo, "Digital Output", FG_DIGIO_OUTPUT, 0, 3, 1, kReadWriteFlagged),
    infoInt(kDigitalIo, "Digital Input", FG_DIGIO_INPUT, 0, 255, 1, kReadOnly),
    infoEnum(kDigitalIo, "CC1", FG_CC1, kReadWriteFlagged),
    infoEnum(kDigitalIo, "CC2", FG_CC2, kReadWriteFlagged),
    infoEnum(kDigitalIo, "CC3", FG_CC3, kReadWriteFlagged),
    infoEnum(kDigitalIo, "CC4", FG_CC4, kReadWriteFlagged),

    infoCategory(kOverflow),
    infoInt(kOverflow, "Buffer fill level", FG_FILLLEVEL, 0, 100, 1, kReadOnly, 1, "%"),
    infoInt(kOverflow, "Buffer overflow", FG_OVERFLOW, 0, 1, 1, kReadOnly),
};

// ---- the designs of one camera: process 0 holds the camera, process 1 its signals ----

// The overflow and the fill level of each of the buffer's two DRAM banks.
inline constexpr RegisterSpec kOneCameraBufferStateRegisters[] = {
    {"Device1_Process0_Overflow_OverflowOccurred", RegisterRoute::Host, RegisterRole::Overflow, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_FillLevel", RegisterRoute::Host, RegisterRole::FillLevel, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_FillLevel", RegisterRoute::Host, RegisterRole::FillLevel, 0},
};

// The trigger outputs and inputs and the four camera-control outputs.
inline constexpr RegisterSpec kOneCameraSignalRegisters[] = {
    {"Device1_Process1_Trigger_SetOut3_Mode", RegisterRoute::Host, RegisterRole::DigitalOut3, 0},
    {"Device1_Process1_Trigger_SetOut7_Mode", RegisterRoute::Host, RegisterRole::DigitalOut7, 0},
    {"Device1_Process1_Trigger_InputStatus_Status", RegisterRoute::Host, RegisterRole::InputStatus, 0},
    {"Device1_Process1_CC1_Select_Select", RegisterRoute::Host, RegisterRole::Cc1Select, 0},
    {"Device1_Process1_CC1_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc1Polarity, 0},
    {"Device1_Process1_CC2_Select_Select", RegisterRoute::Host, RegisterRole::Cc2Select, 0},
    {"Device1_Process1_CC2_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc2Polarity, 0},
    {"Device1_Process1_CC3_Select_Select", RegisterRoute::Host, RegisterRole::Cc3Select, 0},
    {"Device1_Process1_CC3_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc3Polarity, 0},
    {"Device1_Process1_CC4_Select_Select", RegisterRoute::Host, RegisterRole::Cc4Select, 0},
    {"Device1_Process1_CC4_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc4Polarity, 0},
};

// The names callers wait for: the buffer's overflow and both edges of the
// eight trigger inputs, each standing for the design event beside it.
inline constexpr EventAlias kOneCameraEventAliases[] = {
    {"FG_OVERFLOW_CAM0", "Device1_Process0_Overflow_Overflow"},
    {"FG_TRIGGER_INPUT0_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin0"},
    {"FG_TRIGGER_INPUT0_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin0"},
    {"FG_TRIGGER_INPUT1_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin1"},
    {"FG_TRIGGER_INPUT1_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin1"},
    {"FG_TRIGGER_INPUT2_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin2"},
    {"FG_TRIGGER_INPUT2_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin2"},
    {"FG_TRIGGER_INPUT3_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin3"},
    {"FG_TRIGGER_INPUT3_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin3"},
    {"FG_TRIGGER_INPUT4_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin4"},
    {"FG_TRIGGER_INPUT4_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin4"},
    {"FG_TRIGGER_INPUT5_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin5"},
    {"FG_TRIGGER_INPUT5_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin5"},
    {"FG_TRIGGER_INPUT6_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin6"},
    {"FG_TRIGGER_INPUT6_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin6"},
    {"FG_TRIGGER_INPUT7_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin7"},
    {"FG_TRIGGER_INPUT7_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin7"},
};

// ---- the designs of two cameras: processes 0 and 1 hold the cameras, process 2 the signals of both ----

// The trigger outputs and inputs serve both cameras and are reached with the
// index of the port that asks; each camera has its own four camera-control
// outputs.
inline constexpr RegisterSpec kTwoCameraSignalRegisters[] = {
    {"Device1_Process2_Trigger_SetOut3_Mode", RegisterRoute::Host, RegisterRole::DigitalOut3, kEveryCamera},
    {"Device1_Process2_Trigger_SetOut7_Mode", RegisterRoute::Host, RegisterRole::DigitalOut7, kEveryCamera},
    {"Device1_Process2_Trigger_InputStatus_Status", RegisterRoute::Host, RegisterRole::InputStatus, kEveryCamera},
    {"Device1_Process2_Cam0_CC1_Select_Select", RegisterRoute::Host, RegisterRole::Cc1Select, 0},
    {"Device1_Process2_Cam0_CC1_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc1Polarity, 0},
    {"Device1_Process2_Cam1_CC1_Select_Select", RegisterRoute::Host, RegisterRole::Cc1Select, 1},
    {"Device1_Process2_Cam1_CC1_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc1Polarity, 1},
    {"Device1_Process2_Cam0_CC2_Select_Select", RegisterRoute::Host, RegisterRole::Cc2Select, 0},
    {"Device1_Process2_Cam0_CC2_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc2Polarity, 0},
    {"Device1_Process2_Cam1_CC2_Select_Select", RegisterRoute::Host, RegisterRole::Cc2Select, 1},
    {"Device1_Process2_Cam1_CC2_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc2Polarity, 1},
    {"Device1_Process2_Cam0_CC3_Select_Select", RegisterRoute::Host, RegisterRole::Cc3Select, 0},
    {"Device1_Process2_Cam0_CC3_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc3Polarity, 0},
    {"Device1_Process2_Cam1_CC3_Select_Select", RegisterRoute::Host, RegisterRole::Cc3Select, 1},
    {"Device1_Process2_Cam1_CC3_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc3Polarity, 1},
    {"Device1_Process2_Cam0_CC4_Select_Select", RegisterRoute::Host, RegisterRole::Cc4Select, 0},
    {"Device1_Process2_Cam0_CC4_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc4Polarity, 0},
    {"Device1_Process2_Cam1_CC4_Select_Select", RegisterRoute::Host, RegisterRole::Cc4Select, 1},
    {"Device1_Process2_Cam1_CC4_Polarity_Invert", RegisterRoute::Host, RegisterRole::Cc4Polarity, 1},
};

// Each camera's overflow and the fill level of its buffer.
inline constexpr RegisterSpec kTwoCameraBufferStateRegisters[] = {
    {"Device1_Process0_Overflow_OverflowOccurred", RegisterRoute::Host, RegisterRole::Overflow, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_FillLevel", RegisterRoute::Host, RegisterRole::FillLevel, 0},
    {"Device1_Process1_Overflow_OverflowOccurred", RegisterRoute::Host, RegisterRole::Overflow, 1},
    {"Device1_Process1_Buffer_0_DRAM_A_0_FillLevel", RegisterRoute::Host, RegisterRole::FillLevel, 1},
};

// Each camera's buffer overflow.
inline constexpr EventAlias kCamera0OverflowAlias[] = {{"FG_OVERFLOW_CAM0", "Device1_Process0_Overflow_Overflow"}};
inline constexpr EventAlias kCamera1OverflowAlias[] = {{"FG_OVERFLOW_CAM1", "Device1_Process1_Overflow_Overflow"}};

// Both edges of the eight trigger inputs, in the order their aliases are
// made: pin by pin, rising before falling.
inline constexpr EventAlias kTwoCameraTriggerAliases[] = {
    {"FG_TRIGGER_INPUT0_RISING", "Device1_Process2_Trigger_InputEvents_InputEvents_Pin0"},
    {"FG_TRIGGER_INPUT0_FALLING", "Device1_Process2_Trigger_InputEvents_InputEvents_NotPin0"},
    {"FG_TRIGGER_INPUT1_RISING", "Device1_Process2_Trigger_InputEvents_InputEvents_Pin1"},
    {"FG_TRIGGER_INPUT1_FALLING", "Device1_Process2_Trigger_InputEvents_InputEvents_NotPin1"},
    {"FG_TRIGGER_INPUT2_RISING", "Device1_Process2_Trigger_InputEvents_InputEvents_Pin2"},
    {"FG_TRIGGER_INPUT2_FALLING", "Device1_Process2_Trigger_InputEvents_InputEvents_NotPin2"},
    {"FG_TRIGGER_INPUT3_RISING", "Device1_Process2_Trigger_InputEvents_InputEvents_Pin3"},
    {"FG_TRIGGER_INPUT3_FALLING", "Device1_Process2_Trigger_InputEvents_InputEvents_NotPin3"},
    {"FG_TRIGGER_INPUT4_RISING", "Device1_Process2_Trigger_InputEvents_InputEvents_Pin4"},
    {"FG_TRIGGER_INPUT4_FALLING", "Device1_Process2_Trigger_InputEvents_InputEvents_NotPin4"},
    {"FG_TRIGGER_INPUT5_RISING", "Device1_Process2_Trigger_InputEvents_InputEvents_Pin5"},
    {"FG_TRIGGER_INPUT5_FALLING", "Device1_Process2_Trigger_InputEvents_InputEvents_NotPin5"},
    {"FG_TRIGGER_INPUT6_RISING", "Device1_Process2_Trigger_InputEvents_InputEvents_Pin6"},
    {"FG_TRIGGER_INPUT6_FALLING", "Device1_Process2_Trigger_InputEvents_InputEvents_NotPin6"},
    {"FG_TRIGGER_INPUT7_RISING", "Device1_Process2_Trigger_InputEvents_InputEvents_Pin7"},
    {"FG_TRIGGER_INPUT7_FALLING", "Device1_Process2_Trigger_InputEvents_InputEvents_NotPin7"},
};

// The same aliases made in another pass of the event maps.
template <std::size_t N>
constexpr std::array<EventAlias, N> inEventPass(const EventAlias (&aliases)[N], std::uint8_t pass)
{
    std::array<EventAlias, N> moved{};
    for (std::size_t i = 0; i < N; ++i) {
        moved[i] = aliases[i];
        moved[i].pass = pass;
    }
    return moved;
}

}  // namespace velm
