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

inline std::string expectedFile(const std::string& name)
{
    return fileContent(std::string(BELCORA_EXPECTED) + "/" + name);
}

class Belcora : public InstanceFixture {
protected:
    void SetUp() override { create("belcora.so"); }

    int64_t getInt(int32_t id) { return lib().getInt(handle(), id); }
    double getDouble(int32_t id) { return lib().getDouble(handle(), id); }
    std::string getText(int32_t id) { return lib().getText(handle(), id); }
    int32_t setInt(int32_t id, int32_t value) { return lib().setInt(handle(), id, value); }
    int32_t setDouble(int32_t id, double value) { return lib().setDouble(handle(), id, value); }
    int32_t setText(int32_t id, const char* value) { return lib().setText(handle(), id, value); }
    int32_t setElement(int32_t id, uint32_t value, uint32_t index)
    {
        AppletFieldElement element{value, index};
        return lib().Fg_setParameterWithType(handle(), id, &element, 0, 4098);
    }
    // The element's value, or the code when the get fails.
    int64_t getElement(int32_t id, uint32_t index)
    {
        AppletFieldElement element{0xDEAD, index};
        const int32_t result = lib().Fg_getParameterWithType(handle(), id, &element, 0, 4098);
        return result == 0 ? int64_t{element.value} : int64_t{result};
    }
    const ParameterInfoEntry* info(const std::string& name)
    {
        return findInfo(lib().Fg_getParameterInfo(handle(), 0), name);
    }
};

}  // namespace velm::test::belcora
