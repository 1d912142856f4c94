// Arventa's setters through Fg_setParameterWithType, port by port: the
// camera type with its tap extraction and region of interest, the other
// per-port parameters and the registers of process 2 they share, the one
// line generator reached from both ports, and what a failing write leaves.
#include "ArventaSupport.h"

namespace velm::test::arventa {
namespace {

// The last field of each case is the port it is set on.
using ArventaSetters = Arventa;

TEST_F(ArventaSetters, CameraTypeDecidesTapExtractionAndWhereTheRegionIsCut)
{
    runSetCases({
        {"triple tap: extraction on, region in the camera stage, 4/6 of the line", FG_CAMERA_LINK_CAMTYPE, 120, 0, 120,
         {p1(kTapSelect, 1), p1(kTapTrash, 0), p1(kRoiXOffset, 0), p1(kRoiXLength, 1024), p1(kXLength, 684),
          p1(kXOffset, 0), p1(kCameraFormat, 7)}, 1},
        {"x offset 8 in triple tap", FG_XOFFSET, 8, 0, 8,
         {p1(kRoiXOffset, 8), p1(kRoiXLength, 1024), p1(kXLength, 688), p1(kXOffset, 0)}, 1},
        {"width 1024 in triple tap", FG_WIDTH, 1024, 0, 1024, {p1(kRoiXLength, 1024), p1(kXLength, 688)}, 1},
        {"dual tap 12 bit: the same format, no extraction, region in the buffer", FG_CAMERA_LINK_CAMTYPE, 112, 0, 112,
         {p1(kTapSelect, 0), p1(kTapTrash, 1), p1(kRoiXOffset, 0), p1(kRoiXLength, 1024), p1(kXLength, 1024),
          p1(kXOffset, 8), p1(kCameraFormat, 7)}, 1},
        {"no such camera type", FG_CAMERA_LINK_CAMTYPE, 121, -6000, 112, {}, 1},
        {"width not a multiple of 8", FG_WIDTH, 1020, -7080, 1024, {}, 1},
        {"width below 16", FG_WIDTH, 8, -6000, 1024, {}, 1},
        {"width past the line with x offset 8", FG_WIDTH, 16384, -6000, 1024, {}, 1},
        {"negative x offset", FG_XOFFSET, -8, -6000, 8, {}, 1},
        {"x offset not a multiple of 8", FG_XOFFSET, 12, -7080, 8, {}, 1},
        {"widest region at x offset 8", FG_WIDTH, 16376, 0, 16376, {p1(kRoiXLength, 16376), p1(kXLength, 16376)}, 1},
        {"x offset past the line", FG_XOFFSET, 16, -6000, 8, {}, 1},
        {"dual tap 8 bit", FG_CAMERA_LINK_CAMTYPE, 108, 0, 108,
         {p1(kTapSelect, 0), p1(kTapTrash, 1), p1(kRoiXOffset, 0), p1(kRoiXLength, 16376), p1(kXLength, 16376),
          p1(kXOffset, 8), p1(kCameraFormat, 5)}, 1},
        {"single tap 16 bit", FG_CAMERA_LINK_CAMTYPE, 16, 0, 16,
         {p1(kTapSelect, 0), p1(kTapTrash, 1), p1(kRoiXOffset, 0), p1(kRoiXLength, 16376), p1(kXLength, 16376),
          p1(kXOffset, 8), p1(kCameraFormat, 4)}, 1},
        {"height below 2", FG_HEIGHT, 1, -6000, 1024, {}, 1},
        {"y offset alone writes no register", FG_YOFFSET, 10, 0, 10, {}, 1},
        {"height counts the y offset into the image height", FG_HEIGHT, 100, 0, 100,
         {p1(kYLength, 100), p1(kImageHeight, 110)}, 1},
        {"y offset past 65535 with the height", FG_YOFFSET, 65436, -6000, 10, {}, 1},
        {"negative y offset", FG_YOFFSET, -1, -6000, 10, {}, 1},
        {"height past 65535 with the y offset", FG_HEIGHT, 65526, -6000, 100, {}, 1},
    });
    // Port 0 kept its own region.
    EXPECT_EQ(getInt(FG_CAMERA_LINK_CAMTYPE, 0), 108);
    EXPECT_EQ(getInt(FG_XOFFSET, 0), 0);
    EXPECT_EQ(getInt(FG_HEIGHT, 0), 1024);
}

TEST_F(ArventaSetters, PerPortParametersWriteTheirPortsRegistersWithItsIndex)
{
    runSetCases({
        {"data valid off", FG_USEDVAL, 0, 0, 0, {p1(kUseDval, 0)}, 1},
        {"readout preset", FG_SENSORREADOUT, 6, 0, 6, {p1(kCorrection, 6)}, 1},
        {"no such preset", FG_SENSORREADOUT, 2, -6000, 6, {}, 1},
        {"gray 16 bit selects source 0", FG_FORMAT, 1, 0, 1, {p1(kFormatSelect, 0)}, 1},
        {"gray 8 bit selects source 1", FG_FORMAT, 3, 0, 3, {p1(kFormatSelect, 1)}, 1},
        {"colour is no format of this design", FG_FORMAT, 2, -6000, 3, {}, 1},
        {"right aligned", FG_BITALIGNMENT, 0, 0, 0, {p1(kAlignment, 0)}, 1},
        {"period 4", FG_IMG_SELECT_PERIOD, 4, 0, 4, {p1(kSelectPeriod, 4)}, 1},
        {"phase not below the period", FG_IMG_SELECT, 4, -6000, 0, {}, 1},
        {"phase 3", FG_IMG_SELECT, 3, 0, 3, {p1(kSelectPhase, 3)}, 1},
        {"period not above the phase", FG_IMG_SELECT_PERIOD, 3, -6000, 4, {}, 1},
        {"outputs of port 1: bit 0 to out 3, bit 1 to out 7", FG_DIGIO_OUTPUT, 2, 0, 2,
         {hostWrite(kOut3, 0, 1), hostWrite(kOut7, 1, 1)}, 1},
        {"outputs above 3", FG_DIGIO_OUTPUT, 4, -6000, 2, {}, 1},
        {"CC1 of port 1 to GND", FG_CC1, 4, 0, 4,
         {hostWrite(ccSelect(1, 1), 8, 1), hostWrite(ccPolarity(1, 1), 1, 1)}, 1},
        {"CC1 of port 1 to VCC", FG_CC1, 5, 0, 5,
         {hostWrite(ccSelect(1, 1), 8, 1), hostWrite(ccPolarity(1, 1), 0, 1)}, 1},
        {"CC4 of port 1 to trigger source 3", FG_CC4, 3, 0, 3,
         {hostWrite(ccSelect(4, 1), 3, 1), hostWrite(ccPolarity(4, 1), 0, 1)}, 1},
        {"CC4 of port 0 to trigger source 7", FG_CC4, 7, 0, 7,
         {hostWrite(ccSelect(4, 0), 7, 0), hostWrite(ccPolarity(4, 0), 0, 0)}, 0},
        {"CC1 to no source", FG_CC1, 8, -6000, 5, {}, 1},
        {"timeout below 2", FG_TIMEOUT, 1, -6000, 1000000, {}, 1},
    });
    // Both ports drive the one pair of outputs, but each keeps its own value.
    EXPECT_EQ(getInt(FG_DIGIO_OUTPUT, 0), 3);
    EXPECT_EQ(getInt(FG_CC1, 0), 0);
    EXPECT_EQ(getInt(FG_FORMAT, 0), 3);

    ASSERT_EQ(setInt(FG_TIMEOUT, 5000, 1), 0);
    EXPECT_TRUE(callLogged("Fg_setParameter(600,5000,1)"));
    EXPECT_EQ(getInt(FG_TIMEOUT, 0), 1000000);
}

TEST_F(ArventaSetters, OneGeneratorAnswersOnBothPorts)
{
    runSetCases({
        {"tap 2 off leaves the mask at 13", FG_GEN_TAP2, 0, 0, 0, {generatorWrite(kGenMask, 13)}, 1},
        {"width 1023 counts in words of two pixels", FG_GEN_WIDTH, 1023, 0, 1023,
         {generatorWrite(kGenWidth, 511), generatorWrite(kGenLineWidth, 513)}, 1},
        {"height 0 wraps in 32 bits", FG_GEN_HEIGHT, 0, 0, 0, {generatorWrite(kGenHeight, 4294967295u)}, 0},
        {"accuracy 100", FG_GEN_ACCURACY, 100, 0, 100,
         {generatorWrite(kGenActive, 31), generatorWrite(kGenPassive, 67)}, 1},
    });
    EXPECT_EQ(getInt(FG_GEN_TAP2, 0), 0);
    EXPECT_EQ(getInt(FG_GEN_WIDTH, 0), 1023);
    EXPECT_EQ(getInt(FG_GEN_ACTIVE, 0), 32);
    EXPECT_EQ(getInt(FG_GEN_PASSIVE, 1), 68);

    simClearLog();
    ASSERT_EQ(setDouble(FG_GEN_FREQ, 10.0, 1), 0);
    EXPECT_EQ(accesses(), (std::vector<Access>{generatorWrite(kGenActive, 7), generatorWrite(kGenPassive, 91)}));
    EXPECT_EQ(getDouble(FG_GEN_FREQ, 0), 10.0);
    for (uint32_t port : {0u, 1u}) {
        EXPECT_EQ(info("FG_GEN_ACCURACY", port)->value.integer.min, 7) << port;
        EXPECT_EQ(info("FG_GEN_FREQ", port)->value.floating.min, 1.0) << port;
    }
    ASSERT_EQ(setInt(FG_GEN_ACCURACY, 25, 0), 0);
    for (uint32_t port : {0u, 1u}) {
        EXPECT_EQ(info("FG_GEN_FREQ", port)->value.floating.min, 3.0) << port;
    }
}

TEST_F(ArventaSetters, GeneratorSourceRedoesTheTapExtractionOfPortZeroOnly)
{
    ASSERT_EQ(setInt(FG_CAMERA_LINK_CAMTYPE, 120, 0), 0);
    ASSERT_EQ(setInt(FG_CAMERA_LINK_CAMTYPE, 120, 1), 0);
    runSetCases({
        {"generator on through port 1: port 0's extraction off, with port 0's index", FG_GEN_ENABLE, 1, 0, 1,
         {generatorWrite(kGenEnable, 1), hostWrite(kTapSelect, 0, 0), hostWrite(kTapTrash, 1, 0)}, 1},
        {"camera again through port 0", FG_GEN_ENABLE, 0, 0, 0,
         {generatorWrite(kGenEnable, 0), hostWrite(kTapSelect, 1, 0), hostWrite(kTapTrash, 0, 0)}, 0},
        {"no such source", FG_GEN_ENABLE, 2, -6000, 0, {}, 1},
    });
    // Port 1 follows the source only when its camera type is set again.
    ASSERT_EQ(setInt(FG_GEN_ENABLE, 1, 0), 0);
    EXPECT_EQ(registerValue(at(kTapSelect, 1), 1), 1u);
    simClearLog();
    ASSERT_EQ(setInt(FG_CAMERA_LINK_CAMTYPE, 120, 1), 0);
    const std::vector<Access> log = accesses();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], p1(kTapSelect, 0));
    EXPECT_EQ(log[1], p1(kTapTrash, 1));
}

// Registers written before the failing one keep what they got; every kept
// value the setter (and the setters it called) changed comes back.
TEST_F(ArventaSetters, FailingWriteRestoresTheKeptValues)
{
    ASSERT_EQ(setInt(FG_XOFFSET, 8, 1), 0);
    simFailCall("Fg_setParameterWithType", at(kXLength, 1), -4711, 0, 1);
    EXPECT_EQ(setInt(FG_CAMERA_LINK_CAMTYPE, 120, 1), -4711);
    EXPECT_EQ(getInt(FG_CAMERA_LINK_CAMTYPE, 1), 108);
    EXPECT_EQ(getInt(FG_XOFFSET, 1), 8);
    EXPECT_EQ(getInt(FG_WIDTH, 1), 1024);
    EXPECT_EQ(registerValue(at(kTapSelect, 1), 1), 1u);
    EXPECT_EQ(registerValue(at(kRoiXOffset, 1), 1), 8u);
    EXPECT_EQ(registerValue(at(kCameraFormat, 1), 1), 5u);

    simFailCall("Fg_setParameterWithType", kTapTrash, -4712, 0, 1);
    EXPECT_EQ(setInt(FG_GEN_ENABLE, 1, 1), -4712);
    EXPECT_EQ(getInt(FG_GEN_ENABLE, 0), 0);
    EXPECT_EQ(registerValue(kGenEnable), 1u);

    simFailCall("writeRegister", kGenPassive, -99, 0, 1);
    EXPECT_EQ(setDouble(FG_GEN_FREQ, 80.0, 1), -99);
    EXPECT_EQ(getDouble(FG_GEN_FREQ, 0), 40.0);
    EXPECT_EQ(getInt(FG_GEN_ACTIVE, 1), 16);
    EXPECT_EQ(getInt(FG_GEN_PASSIVE, 1), 17);
    EXPECT_EQ(info("FG_GEN_ACCURACY", 1)->value.integer.min, 2) << "limits move only after success";
}

}  // namespace
}  // namespace velm::test::arventa
