// Belcora's configuration files and the initial register writes of a new
// instance.
#include <fstream>

#include "BelcoraSupport.h"

namespace velm::test::belcora {
namespace {

class BelcoraFiles : public Belcora {
protected:
    // The file saved right after creation, with the replacements made.
    std::string written(const std::string& name, const std::vector<Replacement>& replacements)
    {
        return writeEdited(scratch_.file(name), expectedFile("belcora_created.mcf"), replacements);
    }

    ScratchDirectory scratch_;
};

TEST_F(BelcoraFiles, LoadBringsBackTheSavedValuesAndRegisters)
{
    ASSERT_EQ(setInt(FG_WIDTH, 2048), 0);
    ASSERT_EQ(setInt(FG_CC3, 4), 0);
    ASSERT_EQ(setDouble(FG_SCALINGFACTOR_RED, 2.5), 0);
    ASSERT_EQ(setInt(FG_SENSORREADOUT, 3), 0);
    ASSERT_EQ(setDouble(FG_GEN_FREQ, 80.0), 0);
    ASSERT_EQ(lib().setInt(handle(), 600, 5000), 0);
    simSetRegister(0, kInputStatus, 0, 0x5A);
    const std::string name = scratch_.file("round.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), name.c_str()), 0);
    EXPECT_NE(fileContent(name).find("FG_DIGIO_INPUT=90;\n"), std::string::npos);

    setInt(FG_WIDTH, 512);
    setInt(FG_CC3, 0);
    setDouble(FG_SCALINGFACTOR_RED, 1.0);
    setInt(FG_SENSORREADOUT, 0);
    setDouble(FG_GEN_FREQ, 40.0);
    lib().setInt(handle(), 600, 1000);
    simClearLog();
    ASSERT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), 0);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), 0);
    EXPECT_EQ(getInt(FG_WIDTH), 2048);
    EXPECT_EQ(getInt(FG_CC3), 4);
    EXPECT_EQ(getDouble(FG_SCALINGFACTOR_RED), 2.5);
    EXPECT_EQ(getInt(FG_SENSORREADOUT), 3);
    EXPECT_EQ(getInt(FG_SC_ROTATEDSENSOR), 1);
    EXPECT_EQ(getDouble(FG_GEN_FREQ), 80.0);
    EXPECT_EQ(getInt(600), 5000);
    EXPECT_EQ(simHostGetParameter(600, 0), 5000);
    EXPECT_EQ(registerValue(kXLength1), 2048u);
    EXPECT_EQ(registerValue(kCc3Select), 8u);
    EXPECT_EQ(registerValue(kCc3Polarity), 1u);
    EXPECT_EQ(registerValue(kRedGain), bitsOf(2.5));
    EXPECT_EQ(registerValue(kCorrection1), 3u);
    EXPECT_EQ(getInt(FG_GEN_ACTIVE), 16);
    // The input line is read back by nobody.
    for (const Access& access : accesses()) {
        EXPECT_FALSE(access.operation == kSimWrite && access.id == kInputStatus);
    }
}

TEST_F(BelcoraFiles, InputLineIsNotNeededToLoad)
{
    EXPECT_EQ(lib().Fg_loadConfig(handle(), written("no-input.mcf", {{"FG_DIGIO_INPUT=0;\n", ""}}).c_str()), 0);
}

TEST_F(BelcoraFiles, MissingLastKeyFailsAfterEveryKeyWasStoredAndNoneApplied)
{
    const std::string name = written("no-cc4.mcf", {{"FG_CC4=5;\n", ""},
                                                    {"FG_WIDTH=1024;", "FG_WIDTH=2048;"},
                                                    {"FG_TIMEOUT=1000000;", "FG_TIMEOUT=5000;"},
                                                    {"FG_CC3=5;", "FG_CC3=4;"}});

    EXPECT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), -5000);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -5000);
    EXPECT_EQ(getInt(FG_WIDTH), 2048);
    EXPECT_EQ(getInt(600), 5000);
    EXPECT_EQ(getInt(FG_CC3), 4);
    EXPECT_TRUE(accesses().empty());
    EXPECT_FALSE(callLogged("Fg_setParameter("));
    EXPECT_EQ(simHostGetParameter(600, 0), 1000000);
}

TEST_F(BelcoraFiles, AnotherAppletsFileChangesNothing)
{
    const std::string name =
        written("arventa.mcf", {{"Typ='Belcora';", "Typ='Arventa';"}, {"FG_WIDTH=1024;", "FG_WIDTH=2048;"}});
    EXPECT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), -5000);
    EXPECT_EQ(getInt(FG_WIDTH), 1024);
    EXPECT_TRUE(accesses().empty());
}

TEST_F(BelcoraFiles, FrequencyFromTheFileGoesThroughItsSetter)
{
    const std::string name = written("freq.mcf", {{"FG_GEN_FREQ=40;", "FG_GEN_FREQ=12.5;"}});
    ASSERT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), 0);
    EXPECT_EQ(getDouble(FG_GEN_FREQ), 12.5);
    // 25 * 12.5 / 125 + 0.5 gives active 3, passive 22.
    EXPECT_EQ(getInt(FG_GEN_ACTIVE), 3);
    EXPECT_EQ(getInt(FG_GEN_PASSIVE), 22);
    EXPECT_EQ(registerValue(kGenPassive), 21u);
}

// ---- a new instance ----

std::vector<Access> initialWrites()
{
    return inOrder({
        generatorClearWrites(kGenEnable),
        {
            hostWrite(kUseDval, 1),
            hostWrite(kXLength0, 1024), hostWrite(kXLength1, 1024),
            hostWrite(kYLength0, 1024), hostWrite(kYLength1, 1024), hostWrite(kImageHeight, 1024),
            hostWrite(kXOffset0, 0), hostWrite(kXOffset1, 0),
            hostWrite(kCorrection0, 0), hostWrite(kCorrection1, 0),  // the preset
            hostWrite(kCorrection0, 0), hostWrite(kCorrection1, 0),  // the update scheme
            hostWrite(kSelectPeriod, 1), hostWrite(kSelectPhase, 0),
            generatorWrite(kGenEnable, 0),
        },
        generatorDefaultWrites(kGenEnable),
        colourDefaultWrites(kLutRed, kRedGain),
        cameraSignalDefaultWrites(kOut3, kOut7, kCc1Select, 2),
    });
}

TEST(BelcoraCreation, InitialWritesClearTheGeneratorThenApplyTheDefaultsInOrder)
{
    AppletLibrary lib(libraryPath("belcora.so"));
    AppletHandle handle = createExpectingWrites(lib, initialWrites());
    ASSERT_NE(handle.instance, nullptr);
    EXPECT_TRUE(callLogged("Fg_setParameter(600,1000000,0)"));
    EXPECT_TRUE(callLogged("Fg_setParameter(3051,0,0)"));

    EXPECT_EQ(lib.getInt(&handle, FG_GEN_ENABLE), 0);
    EXPECT_EQ(lib.getInt(&handle, FG_LUT_TYPE), 3);
    EXPECT_EQ(lib.getInt(&handle, FG_CC2), 5);
    EXPECT_EQ(lib.getInt(&handle, FG_SC_SENSORLENGTH), 1024);
    EXPECT_EQ(lib.getText(&handle, FG_LUT_CUSTOM_FILE), "");
    for (uint32_t id : {kLutRed, kLutGreen, kLutBlue}) {
        EXPECT_EQ(boardTable(id), identityTable()) << id;
    }
    lib.Fg_FreeGrabber(&handle);
}

}  // namespace
}  // namespace velm::test::belcora
