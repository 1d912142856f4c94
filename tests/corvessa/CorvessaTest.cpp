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

namespace velm::test {
namespace {

// Register ids of Corvessa.hap: process 1 holds port 1's twin of each of
// process 0's registers, 100 higher.
enum Register : uint32_t {
    kLutRed = 1001, kLutGreen, kLutBlue, kUseDval, kXLength, kYLength, kImageHeight, kXOffset, kOverflow,
    kFillLevel, kSelectPeriod, kSelectPhase, kRedGain, kBlueGain, kGreenGain,
    kOut3 = 1201, kOut7, kInputStatus,
    kGenEnable = 2001, kGenStart, kGenWidth, kGenLineWidth, kGenHeight, kGenActive, kGenPassive,
};

constexpr uint32_t at(Register camera, uint32_t port)
{
    return camera + 100 * port;
}

// Process 2 holds each CC line twice, Cam0 for port 0 and Cam1 for port 1.
constexpr uint32_t ccSelect(int line, uint32_t port)
{
    return 1204 + 4 * static_cast<uint32_t>(line - 1) + 2 * port;
}

class Corvessa : public InstanceFixture {
protected:
    void SetUp() override { create("corvessa.so"); }

    struct Case {
        const char* what;
        int32_t id;
        double value;
        uint32_t port;
        int32_t result;
        std::vector<Access> writes;
        bool isDouble = false;
    };

    // Each case runs on the state the cases before it left; a refused value
    // writes nothing.
    void run(const std::vector<Case>& cases)
    {
        for (const Case& c : cases) {
            simClearLog();
            const int32_t result = c.isDouble ? lib().setDouble(handle(), c.id, c.value, c.port)
                                              : lib().setInt(handle(), c.id, static_cast<int32_t>(c.value), c.port);
            EXPECT_EQ(result, c.result) << c.what;
            EXPECT_EQ(accesses(), c.writes) << c.what;
        }
    }

    ScratchDirectory scratch_;
};

Access p1(Register camera, uint64_t value)
{
    return hostWrite(at(camera, 1), value, 1);
}

TEST_F(Corvessa, CameraParametersWriteTheirPortsRegistersWithItsIndex)
{
    run({
        {"CC2 of port 1 to VCC", FG_CC2, 5, 1, 0, {hostWrite(ccSelect(2, 1), 8, 1), hostWrite(ccSelect(2, 1) + 1, 0, 1)}},
        {"CC2 of port 1 to GND", FG_CC2, 4, 1, 0, {hostWrite(ccSelect(2, 1), 8, 1), hostWrite(ccSelect(2, 1) + 1, 1, 1)}},
        {"CC2 of port 1 to trigger source 3", FG_CC2, 3, 1, 0,
         {hostWrite(ccSelect(2, 1), 3, 1), hostWrite(ccSelect(2, 1) + 1, 0, 1)}},
        {"outputs of port 1: the shared pair, with index 1", FG_DIGIO_OUTPUT, 2, 1, 0,
         {hostWrite(kOut3, 0, 1), hostWrite(kOut7, 1, 1)}},
        {"data valid of port 1", FG_USEDVAL, 0, 1, 0, {p1(kUseDval, 0)}},
        {"widest line at x offset 0", FG_WIDTH, 16384, 1, 0, {p1(kXLength, 16384)}},
        {"past the line", FG_WIDTH, 16385, 1, -6000, {}},
        {"not a multiple of 4", FG_WIDTH, 1022, 1, -7080, {}},
        {"below 4", FG_WIDTH, 2, 1, -6000, {}},
        {"x offset beside the widest line", FG_XOFFSET, 4, 1, -6000, {}},
        {"y offset alone writes nothing", FG_YOFFSET, 24, 1, 0, {}},
        {"height counts the y offset in", FG_HEIGHT, 1000, 1, 0, {p1(kYLength, 1000), p1(kImageHeight, 1024)}},
        {"height below 2", FG_HEIGHT, 1, 1, -6000, {}},
        {"period 4", FG_IMG_SELECT_PERIOD, 4, 1, 0, {p1(kSelectPeriod, 4)}},
        {"phase not below the period", FG_IMG_SELECT, 5, 1, -6000, {}},
        {"the only camera type, stored only", FG_CAMERA_LINK_CAMTYPE, 500, 1, 0, {}},
        {"another camera type", FG_CAMERA_LINK_CAMTYPE, 214, 1, -6000, {}},
        {"the only format, stored only", FG_FORMAT, 2, 1, 0, {}},
        {"gray is no format of this design", FG_FORMAT, 3, 1, -6000, {}},
        {"red gain at its largest", FG_SCALINGFACTOR_RED, 3.9990234375, 1, 0,
         {{kSimThroughHost, kSimWrite, at(kRedGain, 1), 5, bitsOf(3.9990234375), 1}}, true},
        {"red gain past it", FG_SCALINGFACTOR_RED, 3.9990235, 1, -6000, {}, true},
        {"negative blue gain", FG_SCALINGFACTOR_BLUE, -0.001, 1, -6000, {}, true},
        {"port 2", FG_CC2, 5, 2, -2070, {}},
    });
    // Port 0 kept its own values.
    EXPECT_EQ(lib().getInt(handle(), FG_CC2, 0), 5);
    EXPECT_EQ(lib().getInt(handle(), FG_WIDTH, 0), 1024);
    EXPECT_EQ(lib().getInt(handle(), FG_DIGIO_OUTPUT, 0), 3);
    EXPECT_EQ(lib().getDouble(handle(), FG_SCALINGFACTOR_RED, 0), 1.0);
    EXPECT_EQ(findInfo(lib().Fg_getParameterInfo(handle(), 1), "FG_XOFFSET")->value.integer.max, 0);
    EXPECT_EQ(findInfo(lib().Fg_getParameterInfo(handle(), 0), "FG_XOFFSET")->value.integer.max, 15360);
}

TEST_F(Corvessa, OneGeneratorServesBothPorts)
{
    run({
        {"frequency set through port 1", FG_GEN_FREQ, 40.0, 1, 0,
         {generatorWrite(kGenActive, 7), generatorWrite(kGenPassive, 16)}, true},
        {"below what accuracy 25 allows", FG_GEN_FREQ, 2.5, 0, -6000, {}, true},
        {"active equals accuracy: passive all bits set", FG_GEN_FREQ, 125.0, 0, 0,
         {generatorWrite(kGenActive, 24), generatorWrite(kGenPassive, ~uint64_t{0})}, true},
        {"width counts twice the pixels", FG_GEN_WIDTH, 1024, 1, 0,
         {generatorWrite(kGenWidth, 2048), generatorWrite(kGenLineWidth, 2056)}},
        {"height counts from 0", FG_GEN_HEIGHT, 1024, 0, 0, {generatorWrite(kGenHeight, 1023)}},
    });
    EXPECT_EQ(lib().getDouble(handle(), FG_GEN_FREQ, 0), 125.0);
    EXPECT_EQ(lib().getInt(handle(), FG_GEN_WIDTH, 0), 1024);
    EXPECT_EQ(lib().getInt(handle(), FG_GEN_ACTIVE, 1), 25);
    EXPECT_EQ(lib().getInt(handle(), FG_GEN_PASSIVE, 1), 0);
    for (uint32_t port : {0u, 1u}) {
        EXPECT_EQ(findInfo(lib().Fg_getParameterInfo(handle(), port), "FG_GEN_ACCURACY")->value.integer.min, 1)
            << "ceil(62.5 / 125) on port " << port;
    }
}

TEST_F(Corvessa, EachCameraHasItsOwnColourTables)
{
    ASSERT_EQ(lib().setDouble(handle(), FG_PROCESSING_GAIN, 2.0, 1), 0);
    const std::vector<Access> writes = {tableWrite(at(kLutRed, 1), 256, 1), tableWrite(at(kLutGreen, 1), 256, 1),
                                        tableWrite(at(kLutBlue, 1), 256, 1)};
    EXPECT_EQ(accesses(), writes);
    std::vector<uint32_t> doubled(256);
    for (uint32_t i = 0; i < 256; ++i) {
        doubled[i] = i < 128 ? 2 * i : 255;
    }
    for (Register colour : {kLutRed, kLutGreen, kLutBlue}) {
        EXPECT_EQ(boardTable(at(colour, 1), 1), doubled) << colour;
        EXPECT_EQ(boardTable(colour, 0), identityTable()) << colour << ": port 0 keeps its table";
    }
    AppletFieldElement entry{17, 255};
    simClearLog();
    EXPECT_EQ(lib().Fg_setParameterWithType(handle(), FG_LUT_VALUE_BLUE, &entry, 0, 4098), 0);
    EXPECT_EQ(accesses(), std::vector<Access>{elementWrite(kLutBlue, 17, 255, 0)});
}

TEST_F(Corvessa, TableFileWithoutEverySectionChangesNoTable)
{
    std::string file = "# Lut data file v1.1\n\n[red]\n\nid=0;\nnrOfElements=2;\nformat=0;\nnumber=0;\n0,9;\n1,9;\n"
                       "\n\n[green]\n\n0,8;\n1,8;\n";
    const std::string name = scratch_.file("no-blue.lut");
    std::ofstream(name) << file;
    ASSERT_EQ(lib().setInt(handle(), FG_LUT_TYPE, 0, 1), 0);
    simClearLog();
    EXPECT_EQ(lib().setText(handle(), FG_LUT_CUSTOM_FILE, name.c_str(), 1), -5001);
    EXPECT_TRUE(accesses().empty());
    EXPECT_EQ(lib().getText(handle(), FG_LUT_CUSTOM_FILE, 1), "");
    AppletFieldElement entry{0, 1};
    ASSERT_EQ(lib().Fg_getParameterWithType(handle(), FG_LUT_VALUE_RED, &entry, 1, 4098), 0);
    EXPECT_EQ(entry.value, 1u);

    std::ofstream(name) << file << "\n\n[blue]\n\n0,7;\n1,7;\n";
    EXPECT_EQ(lib().setText(handle(), FG_LUT_CUSTOM_FILE, name.c_str(), 1), 0);
    ASSERT_EQ(lib().Fg_getParameterWithType(handle(), FG_LUT_VALUE_BLUE, &entry, 1, 4098), 0);
    EXPECT_EQ(entry.value, 7u);
}

TEST_F(Corvessa, SectionOfPortBWithoutAKeyFailsAfterPortAWasApplied)
{
    ASSERT_EQ(lib().setInt(handle(), FG_WIDTH, 2048, 0), 0);
    ASSERT_EQ(lib().setInt(handle(), FG_WIDTH, 512, 1), 0);
    const std::string path = scratch_.file("no-cc4.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), path.c_str()), 0);
    // Cut port B's last key: the search runs to the end of the file and
    // finds none.
    std::string content = fileContent(path);
    content.erase(content.rfind("FG_CC4=5;\n"));
    std::ofstream(path) << content;
    lib().setInt(handle(), FG_WIDTH, 1024, 0);
    lib().setInt(handle(), FG_WIDTH, 1024, 1);
    simClearLog();
    EXPECT_EQ(lib().Fg_loadConfig(handle(), path.c_str()), -5000);
    EXPECT_EQ(lib().getInt(handle(), FG_WIDTH, 0), 2048);
    EXPECT_EQ(registerValue(kXLength, 0), 2048u) << "port 0 was applied";
    EXPECT_EQ(lib().getInt(handle(), FG_WIDTH, 1), 512) << "port 1's value was stored";
    EXPECT_EQ(registerValue(at(kXLength, 1), 1), 1024u) << "but not applied";
}

TEST_F(Corvessa, KeyMissingFromPortAIsTakenFromPortB)
{
    ASSERT_EQ(lib().setInt(handle(), FG_WIDTH, 2048, 0), 0);
    ASSERT_EQ(lib().setInt(handle(), FG_WIDTH, 512, 1), 0);
    const std::string path = scratch_.file("a-without-width.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), path.c_str()), 0);
    std::string content = fileBytes(path);
    content.erase(content.find("FG_WIDTH=2048;"), std::string("FG_WIDTH=2048;").size());
    std::ofstream(path, std::ios::binary) << content;
    EXPECT_EQ(lib().Fg_loadConfig(handle(), path.c_str()), 0);
    EXPECT_EQ(lib().getInt(handle(), FG_WIDTH, 0), 512);
    EXPECT_EQ(lib().getInt(handle(), FG_WIDTH, 1), 512);
}

}  // namespace
}  // namespace velm::test
