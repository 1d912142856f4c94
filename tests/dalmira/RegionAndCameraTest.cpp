// What sets Dalmira apart: the Full camera's tap modes and data-valid
// switch, and a region of interest cut in the camera stage whose buffers
// count a line in bytes, three a pixel, rounded up to 16.
#include "DalmiraSupport.h"

namespace velm::test::dalmira {
namespace {

using Region = Dalmira;

TEST_F(Region, WidthAndXOffsetWriteTheCameraStageAndTheBuffersLineInBytes)
{
    runSetCases({
        {"width 4096 at x 0", FG_WIDTH, 4096, 0, 4096,
         {hostWrite(kRoiXLength, 4096), hostWrite(kXLength0, 12288), hostWrite(kXLength1, 12288)}},
        {"width 8: 24 bytes round up to 32", FG_WIDTH, 8, 0, 8,
         {hostWrite(kRoiXLength, 8), hostWrite(kXLength0, 32), hostWrite(kXLength1, 32)}},
        {"width 4: the lower bound comes first", FG_WIDTH, 4, -6000, 8, {}},
        {"width 4100: not a multiple of 8", FG_WIDTH, 4100, -7080, 8, {}},
        {"width -8", FG_WIDTH, -8, -6000, 8, {}},
        {"width 16384 at x 0", FG_WIDTH, 16384, 0, 16384,
         {hostWrite(kRoiXLength, 16384), hostWrite(kXLength0, 49152), hostWrite(kXLength1, 49152)}},
        {"x 8 past the widest line", FG_XOFFSET, 8, -6000, 0, {}},
        {"width 1024", FG_WIDTH, 1024, 0, 1024,
         {hostWrite(kRoiXLength, 1024), hostWrite(kXLength0, 3072), hostWrite(kXLength1, 3072)}},
        {"x 12: not a multiple of 8", FG_XOFFSET, 12, -7080, 0, {}},
        {"x -8", FG_XOFFSET, -8, -6000, 0, {}},
        {"x 8: the buffers hold the line from its start", FG_XOFFSET, 8, 0, 8,
         {hostWrite(kXLength0, 3104), hostWrite(kXLength1, 3104), hostWrite(kRoiXOffset, 8)}},
        {"width 16384 at x 8", FG_WIDTH, 16384, -6000, 1024, {}},
        {"width 16376 at x 8", FG_WIDTH, 16376, 0, 16376,
         {hostWrite(kRoiXLength, 16376), hostWrite(kXLength0, 49152), hostWrite(kXLength1, 49152)}},
    });
}

TEST_F(Region, HeightCountsTheYOffsetInAndTheOffsetWaitsForIt)
{
    runSetCases({
        {"y 100 writes nothing", FG_YOFFSET, 100, 0, 100, {}},
        {"height 1024 at y 100", FG_HEIGHT, 1024, 0, 1024,
         {hostWrite(kYLength0, 1024), hostWrite(kYLength1, 1024), hostWrite(kImageHeight, 1124)}},
        {"y 50 writes nothing until the next height", FG_YOFFSET, 50, 0, 50, {}},
        {"height 7", FG_HEIGHT, 7, -6000, 1024, {}},
        {"height past 65535 with y 50", FG_HEIGHT, 65486, -6000, 1024, {}},
        {"height up to 65535 with y 50", FG_HEIGHT, 65485, 0, 65485,
         {hostWrite(kYLength0, 65485), hostWrite(kYLength1, 65485), hostWrite(kImageHeight, 65535)}},
        {"y past 65535", FG_YOFFSET, 51, -6000, 50, {}},
        {"y -1", FG_YOFFSET, -1, -6000, 50, {}},
    });
}

TEST_F(Region, CameraTypeSelectsTheFullModeAndDataValidItsMode)
{
    runSetCases({
        {"medium RGB is not a Full mode", FG_CAMERA_LINK_CAMTYPE, 214, -6000, 308, {}},
        {"ten taps", FG_CAMERA_LINK_CAMTYPE, 310, 0, 310, {hostWrite(kFullMode, 1)}},
        {"eight taps", FG_CAMERA_LINK_CAMTYPE, 308, 0, 308, {hostWrite(kFullMode, 0)}},
        {"309", FG_CAMERA_LINK_CAMTYPE, 309, -6000, 308, {}},
        {"ignore DVAL", FG_USEDVAL, 0, 0, 0, {hostWrite(kDvalMode, 0)}},
        {"DVAL 2", FG_USEDVAL, 2, -6000, 0, {}},
        {"use DVAL", FG_USEDVAL, 1, 0, 1, {hostWrite(kDvalMode, 1)}},
    });
}

TEST_F(Region, EachSetMovesItsPartnersMaximumInTheTreeAndTheXml)
{
    runLimitCases({
        {"width", FG_WIDTH, 1024, "FG_XOFFSET", 15360},
        {"x offset", FG_XOFFSET, 64, "FG_WIDTH", 16320},
        {"height", FG_HEIGHT, 2000, "FG_YOFFSET", 63535},
        {"y offset", FG_YOFFSET, 35, "FG_HEIGHT", 65500},
    });
    EXPECT_EQ(info("FG_WIDTH")->value.integer.increment, 8);
    EXPECT_EQ(info("FG_XOFFSET")->value.integer.increment, 8);
}

TEST_F(Region, FailingBufferWriteRestoresTheWidthAndKeepsEarlierWrites)
{
    simFailCall("Fg_setParameterWithType", kXLength1, -4711, 0, 1);
    EXPECT_EQ(setInt(FG_WIDTH, 2048), -4711);
    EXPECT_EQ(getInt(FG_WIDTH), 4096);
    EXPECT_EQ(registerValue(kRoiXLength), 2048u);
    EXPECT_EQ(registerValue(kXLength0), 6144u);
    EXPECT_EQ(registerValue(kXLength1), 12288u);
    EXPECT_EQ(info("FG_XOFFSET")->value.integer.max, 12288) << "limits move only after success";

    simFailCall("Fg_setParameterWithType", kRoiXOffset, -4712, 0, 1);
    EXPECT_EQ(setInt(FG_XOFFSET, 16), -4712);
    EXPECT_EQ(getInt(FG_XOFFSET), 0);
    EXPECT_EQ(registerValue(kXLength1), 12336u) << "written before the offset failed";
}

}  // namespace
}  // namespace velm::test::dalmira
