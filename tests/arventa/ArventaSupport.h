// What only the Arventa tests share: the design's register ids and the
// instance fixture. What every applet's tests need is in tests/support.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "FgParameterIds.h"
#include "InstanceFixture.h"
#include "ParameterInfoSearch.h"
#include "RegisterAccesses.h"
#include "TwoCameraRegisters.h"

namespace velm::test::arventa {

// Register ids of Arventa.hap: a camera's registers are those of process 0
// for port 0 (see TwoCameraRegisters.h for port 1's).
enum Register : uint32_t {
    kLut = 1001, kTapSelect, kTapTrash, kCameraFormat, kUseDval, kRoiXLength, kXLength, kYLength, kImageHeight,
    kRoiXOffset, kXOffset, kOverflow, kFillLevel, kCorrection, kFormatSelect, kAlignment, kSelectPeriod,
    kSelectPhase,
    kOut3 = 1201, kOut7, kInputStatus,
    kGenEnable = 2001, kGenStart, kGenWidth, kGenLineWidth, kGenHeight, kGenActive, kGenPassive, kGenMask, kGenRoll,
};

constexpr uint32_t kGrayEntries = 4096;

class Arventa : public InstanceFixture {
protected:
    void SetUp() override { create("arventa.so"); }
};

}  // namespace velm::test::arventa
