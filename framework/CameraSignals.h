// The camera-control outputs, the digital outputs and inputs, and the
// buffer state of a camera: overflow, fill level and camera status.
#pragma once

#include <cstdint>

#include "GenericApplet.h"

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

}  // namespace velm
