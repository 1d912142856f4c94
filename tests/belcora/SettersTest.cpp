// Belcora's setters through Fg_setParameterWithType: the checks, the kept
// values and the registers each writes, the limits they move in the tree,
// the lookup tables and their files, and what a failing write leaves.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

#include "BelcoraSupport.h"

namespace velm::test::belcora {
namespace {

TEST_F(Belcora, IntegerSettersCheckKeepAndWrite)
{
    runSetCases({
        {"width not a multiple of 4", FG_WIDTH, 1026, -7080, 1024, {}},
        {"width below 8", FG_WIDTH, 4, -6000, 1024, {}},
        {"outputs: bit 0 to out 3, bit 1 to out 7", FG_DIGIO_OUTPUT, 2, 0, 2, {hostWrite(kOut3, 0), hostWrite(kOut7, 1)}},
        {"outputs above 3", FG_DIGIO_OUTPUT, 4, -6000, 2, {}},
        {"CC2 to GND", FG_CC2, 4, 0, 4, {hostWrite(kCc2Select, 8), hostWrite(kCc2Polarity, 1)}},
        {"CC2 to VCC", FG_CC2, 5, 0, 5, {hostWrite(kCc2Select, 8), hostWrite(kCc2Polarity, 0)}},
        {"CC2 to trigger source 3", FG_CC2, 3, 0, 3, {hostWrite(kCc2Select, 3), hostWrite(kCc2Polarity, 0)}},
        {"CC2 to no source", FG_CC2, 8, -6000, 3, {}},
        {"accuracy 24 at 40 MHz: active 8, passive 16", FG_GEN_ACCURACY, 24, 0, 24,
         {generatorWrite(kGenActive, 7), generatorWrite(kGenPassive, 15)}},
        {"period 1 while the phase is 0", FG_IMG_SELECT_PERIOD, 1, 0, 1, {hostWrite(kSelectPeriod, 1)}},
        {"phase not below the period", FG_IMG_SELECT, 1, -6000, 0, {}},
        {"period 4", FG_IMG_SELECT_PERIOD, 4, 0, 4, {hostWrite(kSelectPeriod, 4)}},
        {"phase 3", FG_IMG_SELECT, 3, 0, 3, {hostWrite(kSelectPhase, 3)}},
        {"period not above the phase", FG_IMG_SELECT_PERIOD, 3, -6000, 4, {}},
        {"two sub-sensors are only stored", FG_SC_SUBSENSORCOUNT, 2, 0, 2, {}},
        {"two sub-sensors with one tap fit no mode", FG_SC_UPDATESCHEME, 1, -2070, 1, {}},
        {"preset TAB2_2", FG_SENSORREADOUT, 6, 0, 6, {hostWrite(kCorrection0, 6), hostWrite(kCorrection1, 6)}},
    });
    // The preset set the values it stands for through their own setters.
    EXPECT_EQ(getInt(FG_SC_SUBSENSORCOUNT), 2);
    EXPECT_EQ(getInt(FG_SC_TAPCOUNT), 2);
    EXPECT_EQ(getInt(FG_SC_ROTATEDSENSOR), 0);
    EXPECT_EQ(getElement(FG_SC_READOUTDIRECTION, 0), 0);
    EXPECT_EQ(getElement(FG_SC_READOUTDIRECTION, 1), 1);
}

struct DoubleCase {
    int32_t id;
    double value;
    int32_t result;
    std::optional<std::vector<Access>> writes;  // none: not looked at
};

TEST_F(Belcora, DoubleSettersCheckTheirRangeAndWrite)
{
    const DoubleCase cases[] = {
        {FG_GEN_FREQ, 2.0, -6000, std::vector<Access>{}},  // accuracy 25 needs 3 MHz at least
        {FG_GEN_FREQ, 3.0, 0, std::vector<Access>{generatorWrite(kGenActive, 0), generatorWrite(kGenPassive, 23)}},
        {FG_GEN_FREQ, 125.0, 0, std::nullopt},  // passive 0: what the register gets is not settled
        {FG_GEN_FREQ, 125.5, -6000, std::vector<Access>{}},
        {FG_SCALINGFACTOR_GREEN, 4.0, -6000, std::vector<Access>{}},
        {FG_SCALINGFACTOR_GREEN, 3.9990234375, 0, std::vector<Access>{doubleWrite(kGreenGain, 3.9990234375)}},
    };
    for (const DoubleCase& c : cases) {
        simClearLog();
        EXPECT_EQ(setDouble(c.id, c.value), c.result) << c.id << " " << c.value;
        if (c.writes) {
            EXPECT_EQ(accesses(), *c.writes) << c.id << " " << c.value;
        }
    }
    EXPECT_EQ(getDouble(FG_GEN_FREQ), 125.0);
    EXPECT_EQ(getDouble(FG_SCALINGFACTOR_GREEN), 3.9990234375);
}

TEST_F(Belcora, WidthAndXOffsetBoundEachOtherAndMoveEachOthersMaximum)
{
    ASSERT_EQ(setInt(FG_XOFFSET, 16), 0);
    EXPECT_EQ(info("FG_WIDTH")->value.integer.max, 16368);
    EXPECT_EQ(setInt(FG_WIDTH, 16372), -6000);
    EXPECT_EQ(setInt(FG_WIDTH, 16368), 0);
    EXPECT_EQ(info("FG_XOFFSET")->value.integer.max, 16);
    EXPECT_NE(xmlPart(xml(), "<Integer Name='FG_XOFFSET'>", "</Integer>").find("<Max>16</Max>"), std::string::npos);
    EXPECT_EQ(setInt(FG_XOFFSET, 20), -6000);
    EXPECT_EQ(registerValue(kXLength1), 16368u);
    EXPECT_EQ(registerValue(kXOffset1), 16u);
}

TEST_F(Belcora, FailingRegisterWriteRestoresTheKeptValueAndKeepsEarlierWrites)
{
    simFailCall("Fg_setParameterWithType", kXLength1, -4711, 0, 1);
    EXPECT_EQ(setInt(FG_WIDTH, 2048), -4711);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -4711);
    EXPECT_EQ(getInt(FG_WIDTH), 1024);
    EXPECT_EQ(registerValue(kXLength0), 2048u);
    EXPECT_EQ(registerValue(kXLength1), 1024u);
    EXPECT_EQ(info("FG_XOFFSET")->value.integer.max, 15360) << "limits move only after success";
}

TEST_F(Belcora, FailedGeneratorWriteKeepsTheRegistersLastGoodValue)
{
    // 80 MHz at accuracy 25: active 16, passive 9.
    simFailCall("writeRegister", kGenActive, -99, 0, 1);
    EXPECT_EQ(setDouble(FG_GEN_FREQ, 80.0), -99);
    EXPECT_EQ(getInt(FG_GEN_ACTIVE), 8);
    EXPECT_EQ(getDouble(FG_GEN_FREQ), 40.0);

    simFailCall("writeRegister", kGenPassive, -98, 0, 1);
    EXPECT_EQ(setDouble(FG_GEN_FREQ, 80.0), -98);
    EXPECT_EQ(getInt(FG_GEN_ACTIVE), 16);
    EXPECT_EQ(getInt(FG_GEN_PASSIVE), 17);
    EXPECT_EQ(getDouble(FG_GEN_FREQ), 40.0);
}

// ---- lookup tables ----

// A colour table file whose entries are given by `value`.
template <typename Value>
std::string lutFile(int32_t declared, int32_t written, Value value)
{
    std::string text = "# Lut data file v1.1";
    int32_t id = 0;
    for (const char* colour : {"red", "green", "blue"}) {
        text += std::string("\n\n[") + colour + "]\n\nid=" + std::to_string(id) + ";\nnrOfElements=" +
                std::to_string(declared) + ";\nformat=0;\nnumber=0;\n";
        for (int32_t i = 0; i < written; ++i) {
            text += std::to_string(i) + "," + std::to_string(value(id, i)) + ";\n";
        }
        ++id;
    }
    return text;
}

TEST_F(Belcora, GainWritesAllThreeTablesOnlyWhileTheCurveIsInUse)
{
    ASSERT_EQ(setDouble(FG_PROCESSING_GAIN, 2.0), 0);
    ASSERT_EQ(accesses(), (std::vector<Access>{tableWrite(kLutRed), tableWrite(kLutGreen), tableWrite(kLutBlue)}));
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(sentTable(i), doubledTable()) << i;
    }
    EXPECT_EQ(getElement(FG_LUT_VALUE_BLUE, 200), 255);

    ASSERT_EQ(setInt(FG_LUT_TYPE, 0), 0);
    simClearLog();
    EXPECT_EQ(setDouble(FG_PROCESSING_GAIN, 3.0), 0);
    EXPECT_TRUE(accesses().empty());
}

TEST_F(Belcora, CustomFileLoadsWhatItHoldsAndAMissingOneKeepsTheOldName)
{
    ScratchDirectory scratch;
    const std::string hundred = scratch.file("hundred.lut");
    std::ofstream(hundred) << lutFile(100, 100, [](int32_t colour, int32_t i) { return colour == 0 ? 255 - i : 7; });
    ASSERT_EQ(setInt(FG_LUT_TYPE, 0), 0);
    simClearLog();
    ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, hundred.c_str()), 0);
    ASSERT_EQ(accesses(), (std::vector<Access>{tableWrite(kLutRed), tableWrite(kLutGreen), tableWrite(kLutBlue)}));
    // Entries past the file's keep the identity curve of the creation.
    EXPECT_EQ(sentTable(0)[99], 156u);
    EXPECT_EQ(sentTable(0)[100], 100u);
    EXPECT_EQ(sentTable(2)[0], 7u);
    EXPECT_EQ(getElement(FG_LUT_VALUE_RED, 0), 255);
    EXPECT_EQ(getElement(FG_LUT_VALUE_GREEN, 255), 255);

    EXPECT_EQ(setText(FG_LUT_CUSTOM_FILE, scratch.file("missing.lut").c_str()), -2076);
    EXPECT_EQ(getText(FG_LUT_CUSTOM_FILE), hundred);
    // With the curve in use the name is only stored.
    ASSERT_EQ(setInt(FG_LUT_TYPE, 3), 0);
    EXPECT_EQ(setText(FG_LUT_CUSTOM_FILE, scratch.file("missing.lut").c_str()), 0);
}

TEST_F(Belcora, TableFileWithAnAbsurdElementCountLoadsAtMostATableOrFails)
{
    ScratchDirectory scratch;
    ASSERT_EQ(setInt(FG_LUT_TYPE, 0), 0);
    for (int32_t declared : {2000000000, -5}) {
        const std::string name = scratch.file(std::to_string(declared) + ".lut");
        std::ofstream(name) << lutFile(declared, 3, [](int32_t, int32_t i) { return 40 + i; });
        const int32_t result = setText(FG_LUT_CUSTOM_FILE, name.c_str());
        EXPECT_TRUE(result == 0 || result == -5001) << declared << ": " << result;
        if (result == 0) {
            EXPECT_EQ(getElement(FG_LUT_VALUE_RED, 2), 42) << declared;
        }
    }
}

TEST_F(Belcora, SingleTableEntriesAreCheckedAndWrittenAsElements)
{
    EXPECT_EQ(setElement(FG_LUT_VALUE_BLUE, 1, 256), -6000);
    EXPECT_EQ(setElement(FG_LUT_VALUE_BLUE, 256, 1), -6000);
    EXPECT_EQ(lib().Fg_setParameterWithType(handle(), FG_LUT_VALUE_BLUE, nullptr, 0, 4098), -2070);
    EXPECT_TRUE(accesses().empty());
    EXPECT_EQ(setElement(FG_LUT_VALUE_BLUE, 9, 3), 0);
    EXPECT_EQ(accesses(), std::vector<Access>{elementWrite(kLutBlue, 9, 3)});
    EXPECT_EQ(getElement(FG_LUT_VALUE_BLUE, 3), 9);
}

TEST_F(Belcora, SaveFileWritesTheKeptTablesAndAnEmptyNameWritesNothing)
{
    ScratchDirectory scratch;
    ASSERT_EQ(setElement(FG_LUT_VALUE_GREEN, 77, 5), 0);
    const std::string name = scratch.file("saved.lut");
    ASSERT_EQ(setText(FG_LUT_SAVE_FILE, name.c_str()), 0);
    EXPECT_EQ(fileContent(name),
              lutFile(256, 256, [](int32_t colour, int32_t i) { return colour == 1 && i == 5 ? 77 : i; }));
    std::filesystem::remove(name);

    EXPECT_EQ(setText(FG_LUT_SAVE_FILE, ""), 0);
    EXPECT_EQ(getText(FG_LUT_SAVE_FILE), "");
    EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
}

TEST_F(Belcora, FileNamesOfOneThousandTwentyFourCharactersAreRefused)
{
    const std::string longest(1023, 'n');
    const std::string tooLong(1024, 'n');
    EXPECT_EQ(setText(FG_LUT_CUSTOM_FILE, tooLong.c_str()), -6000);
    EXPECT_EQ(setText(FG_LUT_SAVE_FILE, tooLong.c_str()), -6000);
    EXPECT_EQ(getText(FG_LUT_SAVE_FILE), "");
    EXPECT_EQ(setText(FG_LUT_CUSTOM_FILE, longest.c_str()), 0);
    EXPECT_EQ(getText(FG_LUT_CUSTOM_FILE), longest);
}

}  // namespace
}  // namespace velm::test::belcora
