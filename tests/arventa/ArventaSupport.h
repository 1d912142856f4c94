// What only the Arventa tests share: the design's register ids, which
// register serves which port, and the instance fixture whose calls name
// their port. What every applet's tests need is in tests/support.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "FgParameterIds.h"
#include "InstanceFixture.h"
#include "ParameterInfoSearch.h"
#include "RegisterAccesses.h"

namespace velm::test::arventa {

// Register ids of Arventa.hap. A camera's registers are those of process 0
// for port 0; process 1 holds the same ones for port 1, kProcessStep higher.
enum Register : uint32_t {
    kLut = 1001, kTapSelect, kTapTrash, kCameraFormat, kUseDval, kRoiXLength, kXLength, kYLength, kImageHeight,
    kRoiXOffset, kXOffset, kOverflow, kFillLevel, kCorrection, kFormatSelect, kAlignment, kSelectPeriod,
    kSelectPhase,
    kOut3 = 1201, kOut7, kInputStatus,
    kGenEnable = 2001, kGenStart, kGenWidth, kGenLineWidth, kGenHeight, kGenActive, kGenPassive, kGenMask, kGenRoll,
};

constexpr uint32_t kProcessStep = 100;
constexpr uint32_t kGrayEntries = 4096;

// The camera register of a port.
constexpr uint32_t at(Register camera, uint32_t port)
{
    return camera + kProcessStep * port;
}

// Process 2 holds each CC line twice, Cam0 for port 0 and Cam1 for port 1.
constexpr uint32_t ccSelect(int line, uint32_t port)
{
    return 1204 + 4 * static_cast<uint32_t>(line - 1) + 2 * port;
}
constexpr uint32_t ccPolarity(int line, uint32_t port)
{
    return ccSelect(line, port) + 1;
}

inline std::string expectedFile(const std::string& name)
{
    return fileContent(std::string(ARVENTA_EXPECTED) + "/" + name);
}

class Arventa : public InstanceFixture {
protected:
    void SetUp() override { create("arventa.so"); }

    int64_t getInt(int32_t id, uint32_t port) { return lib().getInt(handle(), id, port); }
    double getDouble(int32_t id, uint32_t port) { return lib().getDouble(handle(), id, port); }
    int32_t setInt(int32_t id, int32_t value, uint32_t port) { return lib().setInt(handle(), id, value, port); }
    int32_t setDouble(int32_t id, double value, uint32_t port) { return lib().setDouble(handle(), id, value, port); }
    int32_t setText(int32_t id, const char* value, uint32_t port) { return lib().setText(handle(), id, value, port); }
    int32_t setEntry(uint32_t value, uint32_t index, uint32_t port)
    {
        AppletFieldElement element{value, index};
        return lib().Fg_setParameterWithType(handle(), FG_LUT_VALUE, &element, port, 4098);
    }
    // The table entry, or the code when the get fails.
    int64_t getEntry(uint32_t index, uint32_t port)
    {
        AppletFieldElement element{0xDEAD, index};
        const int32_t result = lib().Fg_getParameterWithType(handle(), FG_LUT_VALUE, &element, port, 4098);
        return result == 0 ? int64_t{element.value} : int64_t{result};
    }
    const ParameterInfoEntry* info(const std::string& name, uint32_t port)
    {
        return findInfo(lib().Fg_getParameterInfo(handle(), port), name);
    }
};

}  // namespace velm::test::arventa
