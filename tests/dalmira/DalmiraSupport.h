// What only the Dalmira tests share: the design's register ids and the
// instance fixture.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "FgParameterIds.h"
#include "InstanceFixture.h"
#include "RegisterAccesses.h"

namespace velm::test::dalmira {

// Register ids of Dalmira.hap.
enum Register : uint32_t {
    kLutRed = 1001, kLutGreen, kLutBlue, kFullMode, kDvalMode, kSelectPeriod, kSelectPhase, kRoiXLength,
    kXLength0, kXLength1, kYLength0, kYLength1, kImageHeight, kRoiXOffset, kOverflow, kFillLevel0, kFillLevel1,
    kRedGain, kBlueGain, kGreenGain,
    kOut3 = 1101, kOut7, kInputStatus, kCc1Select, kCc1Polarity, kCc2Select, kCc2Polarity, kCc3Select,
    kCc3Polarity, kCc4Select, kCc4Polarity,
    kGenEnable = 2001, kGenStart, kGenWidth, kGenLineWidth, kGenHeight, kGenActive, kGenPassive, kGenMask, kGenRoll,
};

class Dalmira : public InstanceFixture {
protected:
    void SetUp() override { create("dalmira.so"); }
};

}  // namespace velm::test::dalmira
