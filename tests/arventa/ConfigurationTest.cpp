// Arventa's configuration files, one section a port, and the initial
// register writes of a new instance and of a slave.
#include <fstream>

#include "ArventaSupport.h"

namespace velm::test::arventa {
namespace {

class ArventaFiles : public Arventa {
protected:
    // The file saved right after creation, with the replacements made.
    std::string written(const std::string& name, const std::vector<Replacement>& replacements)
    {
        return writeEdited(scratch_.file(name), expectedFile("arventa_created.mcf"), replacements);
    }

    bool accessedOnPort(uint32_t port)
    {
        for (const Access& access : accesses()) {
            if (access.library == kSimThroughHost && access.port == port) {
                return true;
            }
        }
        return false;
    }

    ScratchDirectory scratch_;
};

TEST_F(ArventaFiles, LoadAppliesBothSectionsToTheirPorts)
{
    const std::string name = written("both.mcf", {{"FG_WIDTH=1024;", "FG_WIDTH=2048;"},
                                                  {"FG_CAMERA_LINK_CAMTYPE=108;", "FG_CAMERA_LINK_CAMTYPE=120;", true},
                                                  {"FG_XOFFSET=0;", "FG_XOFFSET=8;", true},
                                                  {"FG_YOFFSET=0;", "FG_YOFFSET=10;", true},
                                                  {"FG_CC3=5;", "FG_CC3=4;", true},
                                                  {"FG_GEN_FREQ=40;", "FG_GEN_FREQ=12.5;"}});
    ASSERT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), 0);
    EXPECT_EQ(registerValue(kXLength, 0), 2048u);
    EXPECT_EQ(registerValue(at(kCameraFormat, 1), 1), 7u);
    EXPECT_EQ(registerValue(at(kRoiXOffset, 1), 1), 8u);
    EXPECT_EQ(registerValue(at(kXLength, 1), 1), 688u);
    // The first pass stored the y offset before the height was applied.
    EXPECT_EQ(registerValue(at(kImageHeight, 1), 1), 1034u);
    EXPECT_EQ(registerValue(ccSelect(3, 1), 1), 8u);
    EXPECT_EQ(registerValue(ccPolarity(3, 1), 1), 1u);
    EXPECT_EQ(registerValue(ccPolarity(3, 0), 0), 0u);
    // 25 * 12.5 / 125 + 0.5 gives active 3, passive 22.
    EXPECT_EQ(getInt(FG_GEN_ACTIVE, 1), 3);
    EXPECT_EQ(registerValue(kGenPassive), 21u);
}

TEST_F(ArventaFiles, InputLinesAreSavedPerPortAndNotReadBack)
{
    simSetRegister(0, kInputStatus, 0, 0x5A);
    simSetRegister(0, kInputStatus, 1, 0x21);
    const std::string name = scratch_.file("inputs.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), name.c_str()), 0);
    EXPECT_EQ(accesses(), (std::vector<Access>{hostRead(kInputStatus, 0x5A, 0), hostRead(kInputStatus, 0x21, 1)}));
    const std::string content = fileContent(name);
    EXPECT_NE(content.find("FG_DIGIO_INPUT=90;\nFG_CC1=0;\nFG_CC2=5;\nFG_CC3=5;\nFG_CC4=5;\n\n[Port B]"),
              std::string::npos);
    EXPECT_NE(content.find("FG_DIGIO_INPUT=33;\n"), std::string::npos);

    simClearLog();
    ASSERT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), 0);
    for (const Access& access : accesses()) {
        EXPECT_NE(access.id, static_cast<uint32_t>(kInputStatus));
    }
}

TEST_F(ArventaFiles, MissingGeneratorKeysEndTheLoadBeforeAnythingIsApplied)
{
    std::vector<Replacement> noGenerator = {{"FG_WIDTH=1024;", "FG_WIDTH=2048;"}};
    for (const char* key : {"ENABLE=0", "START=1", "WIDTH=1024", "HEIGHT=1024", "LINE_GAP=4", "FREQ=40",
                            "ACCURACY=25", "TAP1=1", "TAP2=1", "TAP3=1", "TAP4=1", "ROLL=0"}) {
        noGenerator.push_back({std::string("FG_GEN_") + key + ";\n", ""});
    }
    EXPECT_EQ(lib().Fg_loadConfig(handle(), written("no-generator.mcf", noGenerator).c_str()), -5000);
    EXPECT_EQ(getInt(FG_WIDTH, 0), 2048) << "stored";
    EXPECT_TRUE(accesses().empty()) << "not applied";
    EXPECT_FALSE(callLogged("Fg_setParameter("));
}

// The second section's keys are stored in its first pass, which ends at the
// missing key, so that none of them is applied; the first section stands
// applied.
TEST_F(ArventaFiles, KeyMissingFromPortBLeavesPortBStoredButNotApplied)
{
    const std::string name = written("no-cc4.mcf", {{"FG_WIDTH=1024;", "FG_WIDTH=2048;"},
                                                    {"FG_WIDTH=1024;", "FG_WIDTH=512;", true},
                                                    {"FG_CC4=5;\n", "", true}});
    EXPECT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), -5000);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -5000);
    EXPECT_EQ(registerValue(kXLength, 0), 2048u);
    EXPECT_EQ(getInt(FG_WIDTH, 1), 512);
    EXPECT_EQ(registerValue(at(kXLength, 1), 1), 1024u);
    EXPECT_FALSE(accessedOnPort(1));
    EXPECT_TRUE(accessedOnPort(0));
}

// ---- a new instance ----

// The defaults one port's setters write, the generator's only on port 0.
std::vector<Access> portDefaults(uint32_t port)
{
    auto own = [port](Register camera, uint64_t value) { return hostWrite(at(camera, port), value, port); };
    std::vector<Access> writes = {
        own(kTapSelect, 0), own(kTapTrash, 1), own(kRoiXOffset, 0), own(kRoiXLength, 1024), own(kXLength, 1024),
        own(kXOffset, 0), own(kCameraFormat, 5),                                          // camera type 108
        own(kUseDval, 1),
        own(kRoiXLength, 1024), own(kXLength, 1024),                                      // width
        own(kYLength, 1024), own(kImageHeight, 1024),                                     // height
        own(kRoiXOffset, 0), own(kRoiXLength, 1024), own(kXLength, 1024), own(kXOffset, 0),  // x offset
        own(kCorrection, 0), own(kFormatSelect, 1), own(kAlignment, 1),
    };
    if (port == 0) {
        writes = inOrder({
            writes,
            {generatorWrite(kGenEnable, 0), own(kTapSelect, 0), own(kTapTrash, 1)},
            generatorDefaultWrites(kGenEnable),
        });
    }
    return inOrder({
        writes,
        {own(kSelectPeriod, 1), own(kSelectPhase, 0), tableWrite(at(kLut, port), kGrayEntries, port)},
        cameraSignalDefaultWrites(kOut3, kOut7, ccSelect(1, port), ccSelect(2, port) - ccSelect(1, port), port),
    });
}

TEST(ArventaCreation, InitialWritesClearTheGeneratorThenSetPortZeroThenPortOne)
{
    AppletLibrary lib(libraryPath("arventa.so"));
    AppletHandle handle =
        createExpectingWrites(lib, inOrder({generatorClearWrites(kGenEnable), portDefaults(0), portDefaults(1)}));
    ASSERT_NE(handle.instance, nullptr);
    for (uint32_t port : {0u, 1u}) {
        const std::string suffix = "," + std::to_string(port) + ")";
        EXPECT_TRUE(callLogged("Fg_setParameter(600,1000000" + suffix)) << port;
        EXPECT_TRUE(callLogged("Fg_setParameter(3051,0" + suffix)) << port;
    }
    lib.Fg_FreeGrabber(&handle);
}

// A slave's generator values stay those the instance starts with until a
// generator parameter is set: active 3 and passive 29 are read plus one,
// and the mask is 15.
TEST(ArventaCreation, SlaveReadsTheGeneratorsStartingValues)
{
    AppletLibrary lib(libraryPath("arventa.so"));
    simClearLog();
    int32_t error = 0;
    AppletHandle slave{lib.Std_entry(0, &error, 7)};
    ASSERT_NE(slave.instance, nullptr) << error;
    EXPECT_TRUE(accessLog().empty());
    EXPECT_EQ(lib.getInt(&slave, FG_GEN_ACTIVE, 1), 4);
    EXPECT_EQ(lib.getInt(&slave, FG_GEN_PASSIVE, 0), 30);
    simClearLog();
    ASSERT_EQ(lib.setInt(&slave, FG_GEN_TAP2, 0, 1), 0);
    EXPECT_EQ(accesses(), std::vector<Access>{generatorWrite(kGenMask, 13)});
    lib.Fg_FreeGrabber(&slave);
}

}  // namespace
}  // namespace velm::test::arventa
