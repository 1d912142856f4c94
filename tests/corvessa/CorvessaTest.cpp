// Corvessa through its exports: every camera parameter on the port's own
// registers with the port as index, the registers of process 2 that serve
// both cameras, the one generator, the colour tables and white balance of
// each camera, each port's status, each port's parameter-info tree, the
// configuration sections and the initial writes. Its two event passes are
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

// A port's buffer state from its camera's registers and the host's extended
// status of that port.
struct StatusCase {
    const char* what;
    uint32_t overflow;
    uint32_t fillLevel;
    int32_t hostExtended;
    int64_t fillLevelRead;
    int64_t extended;
};

TEST_F(Corvessa, BufferStateOfEachPortComesFromItsCamerasRegisters)
{
    const StatusCase cases[] = {
        {"empty", 0, 0, 0x00, 0, 0x00},
        {"24: the lowest quarter takes the host's bits 5 to 7", 0, 24, 0xE1, 24, 0x01},
        {"25: the second quarter", 0, 25, 0x3F, 25, 0x5F},
        {"74: the third quarter", 0, 74, 0x00, 74, 0x80},
        {"75: the top quarter", 0, 75, 0x01, 75, 0xC1},
        {"overflow: full without reading the level, and bit 5", 1, 10, 0x01, 100, 0xE1},
    };
    for (uint32_t port : {0u, 1u}) {
        // The other camera overflows; nothing of it may show on this port.
        const uint32_t other = 1 - port;
        simSetRegister(0, at(kOverflow, other), other, 1);
        simHostSetParameter(FG_CAMSTATUS_EXTENDED, other, 0xFF);
        for (const StatusCase& c : cases) {
            const std::string where = std::string(c.what) + " on port " + std::to_string(port);
            simSetRegister(0, at(kOverflow, port), port, c.overflow);
            simSetRegister(0, at(kFillLevel, port), port, c.fillLevel);
            simHostSetParameter(FG_CAMSTATUS_EXTENDED, port, c.hostExtended);
            simClearLog();
            EXPECT_EQ(getInt(FG_FILLLEVEL, port), c.fillLevelRead) << where;
            std::vector<Access> reads = {hostRead(at(kOverflow, port), c.overflow, port)};
            if (c.overflow == 0) {
                reads.push_back(hostRead(at(kFillLevel, port), c.fillLevel, port));
            }
            EXPECT_EQ(accesses(), reads) << where;
            EXPECT_EQ(getInt(FG_OVERFLOW, port), c.overflow) << where;
            EXPECT_EQ(getInt(FG_CAMSTATUS_EXTENDED, port), c.extended) << where;
            EXPECT_EQ(getInt(FG_CAMSTATUS, port), c.extended & 1) << where;
        }
    }
}

TEST_F(Corvessa, InputsAndHostValuesAreThoseOfThePortAskedFor)
{
    const int32_t forwarded[] = {601, 3050, 3060, 3070, 3080, 3090, 5210, 24092};
    for (uint32_t port : {0u, 1u}) {
        simSetRegister(0, kInputStatus, port, 0x21 + port);
        for (int32_t id : forwarded) {
            simHostSetParameter(id, port, id * 2 + static_cast<int32_t>(port));
        }
    }
    for (uint32_t port : {0u, 1u}) {
        EXPECT_EQ(getInt(FG_DIGIO_INPUT, port), 0x21 + port);
        for (int32_t id : forwarded) {
            EXPECT_EQ(getInt(id, port), id * 2 + port) << id << " port " << port;
        }
    }
    // A register read or a host get that fails ends the get with its code.
    simFailCall("Fg_getParameterWithType", at(kOverflow, 1), -55, 0, 1);
    EXPECT_EQ(getInt(FG_FILLLEVEL, 1), -55);
    simFailCall("Fg_getParameter", 0, -77, 0, 1);
    EXPECT_EQ(getInt(24092, 1), -77) << "the DMA status";
}

// The same numbers and enumerations in the tree of either port. Creation's
// own sets moved three limits: the x and y offsets reach as far as width
// and height 1024 leave, and 40 MHz needs an accuracy of 2.
TEST_F(Corvessa, BothPortsTreesHoldEveryLimitAndEnumerationValue)
{
    const double epsilon = 2.220446049250313e-16, gainStep = 0.0009765625;
    const std::vector<EnumSlot> onOff = {{"On", 1, "FG_ON"}, {"Off", 0, "FG_OFF"}};
    const std::vector<EnumSlot> sources = {
        {"Trigger Source 0", 0, "TRGINSRC_0"}, {"Trigger Source 1", 1, "TRGINSRC_1"},
        {"Trigger Source 2", 2, "TRGINSRC_2"}, {"Trigger Source 3", 3, "TRGINSRC_3"},
        {"Trigger Source 4", 4, "TRGINSRC_4"}, {"Trigger Source 5", 5, "TRGINSRC_5"},
        {"Trigger Source 6", 6, "TRGINSRC_6"}, {"Trigger Source 7", 7, "TRGINSRC_7"},
        {"Vcc", 5, "VCC"}, {"Gnd", 4, "GND"},
    };
    const std::vector<EntryFact> entries = {
        {"FG_CAMERA_LINK_CAMTYPE", 3, 7, 0, 0, 0, {{"1x24bit RGB (Parallel 8bit)", 500, "FG_CL_RGB"}}},
        {"FG_USEDVAL", 3, 7, 0, 0, 0, {{"Yes", 1, "FG_YES"}, {"No", 0, "FG_NO"}}},
        {"FG_WIDTH", 1, 3, 4, 16384, 4},
        {"FG_HEIGHT", 1, 3, 2, 65535, 1},
        {"FG_XOFFSET", 1, 3, 0, 15360, 4},
        {"FG_YOFFSET", 1, 3, 0, 64511, 1},
        {"FG_DIGIO_OUTPUT", 1, 7, 0, 3, 1},
        {"FG_DIGIO_INPUT", 1, 1, 0, 255, 1},
        {"FG_CC1", 3, 7, 0, 0, 0, sources},
        {"FG_CC2", 3, 7, 0, 0, 0, sources},
        {"FG_CC3", 3, 7, 0, 0, 0, sources},
        {"FG_CC4", 3, 7, 0, 0, 0, sources},
        {"FG_FILLLEVEL", 1, 1, 0, 100, 1},
        {"FG_OVERFLOW", 1, 1, 0, 1, 1},
        {"FG_IMG_SELECT_PERIOD", 1, 7, 1, 256, 1},
        {"FG_IMG_SELECT", 1, 7, 0, 255, 1},
        {"FG_SCALINGFACTOR_RED", 6, 7, 0.0, 3.9990234375, gainStep},
        {"FG_SCALINGFACTOR_BLUE", 6, 7, 0.0, 3.9990234375, gainStep},
        {"FG_SCALINGFACTOR_GREEN", 6, 7, 0.0, 3.9990234375, gainStep},
        {"FG_LUT_IMPLEMENTATION_TYPE", 3, 1, 0, 0, 0,
         {{"Full LUT", 0, "LUT_IMPLEMENTATION_FULL_LUT"}, {"KneeLUT", 1, "LUT_IMPLEMENTATION_KNEELUT"}}},
        {"FG_LUT_IN_BITS", 1, 1, 0, 0, 0},
        {"FG_LUT_OUT_BITS", 1, 1, 0, 0, 0},
        {"FG_LUT_TYPE", 3, 7, 0, 0, 0, {{"Processor", 3, "LUT_TYPE_PROCESSING"}, {"User file", 0, "LUT_TYPE_CUSTOM"}}},
        {"FG_LUT_VALUE_RED", 7, 7, 0, 255, 256},
        {"FG_LUT_VALUE_GREEN", 7, 7, 0, 255, 256},
        {"FG_LUT_VALUE_BLUE", 7, 7, 0, 255, 256},
        {"FG_PROCESSING_OFFSET", 6, 7, -1.0, 1.0, epsilon},
        {"FG_PROCESSING_GAIN", 6, 7, 0.0, 256.0, epsilon},
        {"FG_PROCESSING_GAMMA", 6, 7, -1000.0, 1000.0, epsilon},
        {"FG_PROCESSING_INVERT", 3, 7, 0, 0, 0, onOff},
        {"FG_FORMAT", 3, 3, 0, 0, 0, {{"Color 24bit", 2, "FG_COL24"}}},
        {"FG_BITALIGNMENT", 3, 7, 0, 0, 0,
         {{"Left Aligned", 1, "FG_LEFT_ALIGNED"}, {"Right Aligned", 0, "FG_RIGHT_ALIGNED"}}},
        {"FG_PIXELDEPTH", 1, 1, 0, 128, 1},
        {"FG_GEN_ENABLE", 3, 7, 0, 0, 0, {{"Camera", 0, "FG_CAMPORT"}, {"Generator", 1, "FG_GENERATOR"}}},
        {"FG_GEN_START", 3, 7, 0, 0, 0, onOff},
        {"FG_GEN_WIDTH", 1, 7, 0, 65535, 1},
        {"FG_GEN_HEIGHT", 1, 7, 0, 65535, 1},
        {"FG_GEN_LINE_GAP", 1, 7, 0, 65535, 1},
        {"FG_GEN_FREQ", 6, 7, 3.0, 125.0, 1.0},
        {"FG_GEN_ACCURACY", 1, 7, 2, 65535, 1},
        {"FG_GEN_TAP1", 3, 7, 0, 0, 0, onOff},
        {"FG_GEN_TAP2", 3, 7, 0, 0, 0, onOff},
        {"FG_GEN_TAP3", 3, 7, 0, 0, 0, onOff},
        {"FG_GEN_TAP4", 3, 7, 0, 0, 0, onOff},
        {"FG_GEN_ROLL", 1, 7, 0, 255, 1},
        {"FG_GEN_ACTIVE", 1, 1, 0, 65535, 1},
        {"FG_GEN_PASSIVE", 1, 1, 0, 65535, 1},
        {"FG_GEN_LINE_WIDTH", 1, 1, 0, 65535, 1},
        {"FG_TIMEOUT", 1, 7, 2, 2147483646, 1},
        {"FG_TURBO_DMA_MODE", 1, 3, 0, 1, 1},
        {"FG_APPLET_VERSION", 1, 1, 0, 0, 0},
        {"FG_APPLET_REVISION", 1, 1, 0, 0, 0},
        {"FG_APPLET_ID", 1, 1, 0, 0, 0},
        {"FG_DMASTATUS", 1, 1, 0, 0, 0},
        {"FG_CAMSTATUS", 1, 1, 0, 1, 1},
        {"FG_CAMSTATUS_EXTENDED", 1, 1, 0, 255, 1},
    };
    for (uint32_t port : {0u, 1u}) {
        expectEntries(lib().Fg_getParameterInfo(handle(), port), entries, port);
    }
    // A slave sets nothing: its tree shows those three as they were built.
    AppletHandle slave{lib().Std_entry(0, nullptr, 1)};
    ASSERT_NE(slave.instance, nullptr);
    for (uint32_t port : {0u, 1u}) {
        expectEntries(lib().Fg_getParameterInfo(&slave, port),
                      {{"FG_XOFFSET", 1, 3, 0, 16380, 4}, {"FG_YOFFSET", 1, 3, 0, 65534, 1},
                       {"FG_GEN_ACCURACY", 1, 7, 1, 65535, 1}},
                      port);
    }
    lib().Fg_FreeGrabber(&slave);
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

// ---- a new instance ----

// What one camera's defaults write on its port, the generator's on port 0
// only, where they stand between the alignment and the image selector.
std::vector<Access> portDefaults(uint32_t port)
{
    auto own = [port](Register camera, uint64_t value) { return hostWrite(at(camera, port), value, port); };
    std::vector<Access> writes = {
        own(kUseDval, 1), own(kXLength, 1024), own(kYLength, 1024), own(kImageHeight, 1024), own(kXOffset, 0),
    };
    if (port == 0) {
        // The generator counts twice the pixels.
        writes = inOrder({writes, {generatorWrite(kGenEnable, 0)}, generatorDefaultWrites(kGenEnable, 1, 2)});
    }
    return inOrder({
        writes,
        {own(kSelectPeriod, 1), own(kSelectPhase, 0)},
        colourDefaultWrites(at(kLutRed, port), at(kRedGain, port), port),
        cameraSignalDefaultWrites(kOut3, kOut7, ccSelect(1, port), ccSelect(2, port) - ccSelect(1, port), port),
    });
}

TEST(CorvessaCreation, InitialWritesClearTheGeneratorThenSetPortZeroThenPortOne)
{
    AppletLibrary lib(libraryPath("corvessa.so"));
    AppletHandle handle =
        createExpectingWrites(lib, inOrder({generatorClearWrites(kGenEnable), portDefaults(0), portDefaults(1)}));
    ASSERT_NE(handle.instance, nullptr);
    // Time-out and turbo mode are the host's, set for each port in turn.
    std::vector<std::string> hostSets;
    for (const std::string& call : callLog()) {
        if (call.rfind("Fg_setParameter(", 0) == 0) {
            hostSets.push_back(call);
        }
    }
    EXPECT_EQ(hostSets, (std::vector<std::string>{"Fg_setParameter(600,1000000,0)", "Fg_setParameter(3051,0,0)",
                                                  "Fg_setParameter(600,1000000,1)", "Fg_setParameter(3051,0,1)"}));
    lib.Fg_FreeGrabber(&handle);
}

}  // namespace
}  // namespace velm::test
