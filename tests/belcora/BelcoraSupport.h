// What only the Belcora tests share: the design's register ids and the
// instance fixture. What every applet's tests need (register accesses,
// parameter ids, lookups in the parameter-info tree) is in tests/support.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "FgParameterIds.h"
#include "InstanceFixture.h"
#include "ParameterInfoSearch.h"
#include "RegisterAccesses.h"

namespace velm::test::belcora {

// Register ids of Belcora.hap.
enum Register : uint32_t {
    kLutRed = 1001, kLutGreen, kLutBlue, kUseDval, kXLength0, kXLength1, kYLength0, kYLength1, kImageHeight,
    kXOffset0, kXOffset1, kOverflow, kFillLevel0, kFillLevel1, kCorrection0, kCorrection1, kSelectPeriod,
    kSelectPhase, kRedGain, kBlueGain, kGreenGain,
    kOut3 = 1101, kOut7, kInputStatus, kCc1Select, kCc1Polarity, kCc2Select, kCc2Polarity, kCc3Select,
    kCc3Polarity, kCc4Select, kCc4Polarity,
    kGenEnable = 2001, kGenStart, kGenWidth, kGenLineWidth, kGenHeight, kGenActive, kGenPassive, kGenMask, kGenRoll,
};

class Belcora : public InstanceFixture {
protected:
    void SetUp() override { create("belcora.so"); }
};

}  // namespace velm::test::belcora
