// What only the Arventa tests share: the design's register ids, which
// register serves which port, and the instance fixture. What every applet's
// tests need is in tests/support.
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
};

}  // namespace velm::test::arventa
