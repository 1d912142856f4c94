// Corvessa through its exports: every camera parameter on the port's own
// registers with the port as index, the registers of process 2 that serve
// both cameras, the one generator, the colour tables and white balance of
// each camera, and the configuration sections. Its two event passes are
// checked with every applet's events.
#include <fstream>

#include "FgParameterIds.h"
#include "InstanceFixture.h"
#include "ParameterInfoSearch.h"
#include "RegisterAccesses.h"
#include "TwoCameraRegisters.h"

namespace velm::test {
namespace {

// Register ids of Corvessa.hap: a camera's registers are those of process 0
// for port 0 (see TwoCameraRegisters.h for port 1's).
enum Register : uint32_t {
    kLutRed = 1001, kLutGreen, kLutBlue, kUseDval, kXLength, kYLength, kImageHeight, kXOffset, kOverflow,
    kFillLevel, kSelectPeriod, kSelectPhase, kRedGain, kBlueGain, kGreenGain,
    kOut3 = 1201, kOut7, kInputStatus,
    kGenEnable = 2001, kGenStart, kGenWidth, kGenLineWidth, kGenHeight, kGenActive, kGenPassive,
};

class Corvessa : public InstanceFixture {
protected:
    void SetUp() override { create("corvessa.so"); }

    ScratchDirectory scratch_;
};

TEST_F(Corvessa, CameraParametersWriteTheirPortsRegistersWithItsIndex)
{
    runSetCases({
        {"CC2 of port 1 to VCC", FG_CC2, 5, 0, 5,
         {hostWrite(ccSelect(2, 1), 8, 1), hostWrite(ccPolarity(2, 1), 0, 1)}, 1},
        {"CC2 of port 1 to GND", FG_CC2, 4, 0, 4,
         {hostWrite(ccSelect(2, 1), 8, 1), hostWrite(ccPolarity(2, 1), 1, 1)}, 1},
        {"CC2 of port 1 to trigger source 3", FG_CC2, 3, 0, 3,
         {hostWrite(ccSelect(2, 1), 3, 1), hostWrite(ccPolarity(2, 1), 0, 1)}, 1},
        {"outputs of port 1: the shared pair, with index 1", FG_DIGIO_OUTPUT, 2, 0, 2,
         {hostWrite(kOut3, 0, 1), hostWrite(kOut7, 1, 1)}, 1},
        {"data valid of port 1", FG_USEDVAL, 0, 0, 0, {p1(kUseDval, 0)}, 1},
        {"widest line at x offset 0", FG_WIDTH, 16384, 0, 16384, {p1(kXLength, 16384)}, 1},
        {"past the line", FG_WIDTH, 16385, -6000, 16384, {}, 1},
        {"not a multiple of 4", FG_WIDTH, 1022, -7080, 16384, {}, 1},
        {"below 4", FG_WIDTH, 2, -6000, 16384, {}, 1},
        {"x offset beside the widest line", FG_XOFFSET, 4, -6000, 0, {}, 1},
        {"y offset alone writes nothing", FG_YOFFSET, 24, 0, 24, {}, 1},
        {"height counts the y offset in", FG_HEIGHT, 1000, 0, 1000, {p1(kYLength, 1000), p1(kImageHeight, 1024)}, 1},
        {"height below 2", FG_HEIGHT, 1, -6000, 1000, {}, 1},
        {"period 4", FG_IMG_SELECT_PERIOD, 4, 0, 4, {p1(kSelectPeriod, 4)}, 1},
        {"phase not below the period", FG_IMG_SELECT, 5, -6000, 0, {}, 1},
        {"the only camera type, stored only", FG_CAMERA_LINK_CAMTYPE, 500, 0, 500, {}, 1},
        {"another camera type", FG_CAMERA_LINK_CAMTYPE, 214, -6000, 500, {}, 1},
        {"the only format, stored only", FG_FORMAT, 2, 0, 2, {}, 1},
        {"gray is no format of this design", FG_FORMAT, 3, -6000, 2, {}, 1},
        {"port 2", FG_CC2, 5, -2070, -2070, {}, 2},
    });
    runDoubleSetCases({
        {"red gain at its largest", FG_SCALINGFACTOR_RED, 3.9990234375, 0, 3.9990234375,
         {doubleWrite(at(kRedGain, 1), 3.9990234375, 1)}, 1},
        {"red gain past it", FG_SCALINGFACTOR_RED, 3.9990235, -6000, 3.9990234375, {}, 1},
        {"negative blue gain", FG_SCALINGFACTOR_BLUE, -0.001, -6000, 1.0, {}, 1},
    });
    // Port 0 kept its own values.
    EXPECT_EQ(getInt(FG_CC2, 0), 5);
    EXPECT_EQ(getInt(FG_WIDTH, 0), 1024);
    EXPECT_EQ(getInt(FG_DIGIO_OUTPUT, 0), 3);
    EXPECT_EQ(getDouble(FG_SCALINGFACTOR_RED, 0), 1.0);
    EXPECT_EQ(info("FG_XOFFSET", 1)->value.integer.max, 0);
    EXPECT_EQ(info("FG_XOFFSET", 0)->value.integer.max, 15360);
}

TEST_F(Corvessa, OneGeneratorServesBothPorts)
{
    runDoubleSetCases({
        {"frequency set through port 1", FG_GEN_FREQ, 40.0, 0, 40.0,
         {generatorWrite(kGenActive, 7), generatorWrite(kGenPassive, 16)}, 1},
        {"below what accuracy 25 allows", FG_GEN_FREQ, 2.5, -6000, 40.0, {}},
        {"active equals accuracy: passive all bits set", FG_GEN_FREQ, 125.0, 0, 125.0,
         {generatorWrite(kGenActive, 24), generatorWrite(kGenPassive, ~uint64_t{0})}},
    });
    runSetCases({
        {"width counts twice the pixels", FG_GEN_WIDTH, 1024, 0, 1024,
         {generatorWrite(kGenWidth, 2048), generatorWrite(kGenLineWidth, 2056)}, 1},
        {"height counts from 0", FG_GEN_HEIGHT, 1024, 0, 1024, {generatorWrite(kGenHeight, 1023)}},
    });
    EXPECT_EQ(getDouble(FG_GEN_FREQ, 0), 125.0);
    EXPECT_EQ(getInt(FG_GEN_WIDTH, 0), 1024);
    EXPECT_EQ(getInt(FG_GEN_ACTIVE, 1), 25);
    EXPECT_EQ(getInt(FG_GEN_PASSIVE, 1), 0);
    for (uint32_t port : {0u, 1u}) {
        EXPECT_EQ(info("FG_GEN_ACCURACY", port)->value.integer.min, 1) << "ceil(62.5 / 125) on port " << port;
    }
}

TEST_F(Corvessa, EachCameraHasItsOwnColourTables)
{
    ASSERT_EQ(setDouble(FG_PROCESSING_GAIN, 2.0, 1), 0);
    const std::vector<Access> writes = {tableWrite(at(kLutRed, 1), 256, 1), tableWrite(at(kLutGreen, 1), 256, 1),
                                        tableWrite(at(kLutBlue, 1), 256, 1)};
    EXPECT_EQ(accesses(), writes);
    for (Register colour : {kLutRed, kLutGreen, kLutBlue}) {
        EXPECT_EQ(boardTable(at(colour, 1), 1), doubledTable()) << colour;
        EXPECT_EQ(boardTable(colour, 0), identityTable()) << colour << ": port 0 keeps its table";
    }
    simClearLog();
    EXPECT_EQ(setElement(FG_LUT_VALUE_BLUE, 17, 255, 0), 0);
    EXPECT_EQ(accesses(), std::vector<Access>{elementWrite(kLutBlue, 17, 255, 0)});
}

TEST_F(Corvessa, TableFileWithoutEverySectionChangesNoTable)
{
    std::string file = "# Lut data file v1.1\n\n[red]\n\nid=0;\nnrOfElements=2;\nformat=0;\nnumber=0;\n0,9;\n1,9;\n"
                       "\n\n[green]\n\n0,8;\n1,8;\n";
    const std::string name = scratch_.file("no-blue.lut");
    std::ofstream(name) << file;
    ASSERT_EQ(setInt(FG_LUT_TYPE, 0, 1), 0);
    simClearLog();
    EXPECT_EQ(setText(FG_LUT_CUSTOM_FILE, name, 1), -5001);
    EXPECT_TRUE(accesses().empty());
    EXPECT_EQ(getText(FG_LUT_CUSTOM_FILE, 1), "");
    EXPECT_EQ(getElement(FG_LUT_VALUE_RED, 1, 1), 1);

    std::ofstream(name) << file << "\n\n[blue]\n\n0,7;\n1,7;\n";
    EXPECT_EQ(setText(FG_LUT_CUSTOM_FILE, name, 1), 0);
    EXPECT_EQ(getElement(FG_LUT_VALUE_BLUE, 1, 1), 7);
}

TEST_F(Corvessa, SectionOfPortBWithoutAKeyFailsAfterPortAWasApplied)
{
    ASSERT_EQ(setInt(FG_WIDTH, 2048, 0), 0);
    ASSERT_EQ(setInt(FG_WIDTH, 512, 1), 0);
    const std::string path = scratch_.file("no-cc4.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), path.c_str()), 0);
    // Cut port B's last key: the search runs to the end of the file and
    // finds none.
    std::string content = fileContent(path);
    content.erase(content.rfind("FG_CC4=5;\n"));
    std::ofstream(path) << content;
    setInt(FG_WIDTH, 1024, 0);
    setInt(FG_WIDTH, 1024, 1);
    simClearLog();
    EXPECT_EQ(lib().Fg_loadConfig(handle(), path.c_str()), -5000);
    EXPECT_EQ(getInt(FG_WIDTH, 0), 2048);
    EXPECT_EQ(registerValue(kXLength, 0), 2048u) << "port 0 was applied";
    EXPECT_EQ(getInt(FG_WIDTH, 1), 512) << "port 1's value was stored";
    EXPECT_EQ(registerValue(at(kXLength, 1), 1), 1024u) << "but not applied";
}

TEST_F(Corvessa, KeyMissingFromPortAIsTakenFromPortB)
{
    ASSERT_EQ(setInt(FG_WIDTH, 2048, 0), 0);
    ASSERT_EQ(setInt(FG_WIDTH, 512, 1), 0);
    const std::string path = scratch_.file("a-without-width.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), path.c_str()), 0);
    std::string content = fileBytes(path);
    content.erase(content.find("FG_WIDTH=2048;"), std::string("FG_WIDTH=2048;").size());
    std::ofstream(path, std::ios::binary) << content;
    EXPECT_EQ(lib().Fg_loadConfig(handle(), path.c_str()), 0);
    EXPECT_EQ(getInt(FG_WIDTH, 0), 512);
    EXPECT_EQ(getInt(FG_WIDTH, 1), 512);
}

}  // namespace
}  // namespace velm::test
