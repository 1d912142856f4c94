// Dalmira's setters and getters beyond the camera input and the region:
// the line generator, whose width registers count units of 8 pixels, the
// lookup tables, and the constants and registers the get switch reads.
#include <limits>

#include "DalmiraSupport.h"

namespace velm::test::dalmira {
namespace {

constexpr uint64_t kAllBitsSet = ~uint64_t{0};

TEST_F(Dalmira, GeneratorGeometryAndOutputFormatCheckKeepAndWrite)
{
    runSetCases({
        {"generator width 1024 with gap 4", FG_GEN_WIDTH, 1024, 0, 1024,
         {generatorWrite(kGenWidth, 128), generatorWrite(kGenLineWidth, 128)}},
        {"gap 12", FG_GEN_LINE_GAP, 12, 0, 12, {generatorWrite(kGenWidth, 128), generatorWrite(kGenLineWidth, 129)}},
        {"generator width 65536", FG_GEN_WIDTH, 65536, -6000, 1024, {}},
        {"generator height 0 counts from 0 in 32 bits", FG_GEN_HEIGHT, 0, 0, 0,
         {generatorWrite(kGenHeight, 0xFFFFFFFFu)}},
        {"tap 3 off with the mask at 15", FG_GEN_TAP3, 0, 0, 0, {generatorWrite(kGenMask, 11)}},
        {"format 3", FG_FORMAT, 3, -6000, 2, {}},
        {"format 2 is only kept", FG_FORMAT, 2, 0, 2, {}},
    });
    EXPECT_EQ(getInt(FG_GEN_LINE_WIDTH), 1036) << "width and gap, in pixels";
}

// A set of the generator's timing, what it wrote and what active and
// passive read afterwards.
struct TimingCase {
    const char* what;
    int32_t id;
    double value;
    int32_t result;
    std::vector<Access> accesses;
    int64_t active;
    int64_t passive;
};

TEST_F(Dalmira, GeneratorTimingFollowsFrequencyAndAccuracy)
{
    const TimingCase cases[] = {
        {"2 MHz is below ceil(62.5 / 25)", FG_GEN_FREQ, 2.0, -6000, {}, 8, 17},
        {"3 MHz", FG_GEN_FREQ, 3.0, 0, {generatorWrite(kGenActive, 0), generatorWrite(kGenPassive, 23)}, 1, 24},
        {"accuracy 20 is below ceil(62.5 / 3)", FG_GEN_ACCURACY, 20, -6000, {}, 1, 24},
        {"accuracy 21", FG_GEN_ACCURACY, 21, 0, {generatorWrite(kGenActive, 0), generatorWrite(kGenPassive, 19)}, 1,
         20},
        {"accuracy 65536", FG_GEN_ACCURACY, 65536, -6000, {}, 1, 20},
        {"accuracy 25", FG_GEN_ACCURACY, 25, 0, {generatorWrite(kGenActive, 0), generatorWrite(kGenPassive, 23)}, 1,
         24},
        {"125 MHz: no passive phase, written with all bits set", FG_GEN_FREQ, 125.0, 0,
         {generatorWrite(kGenActive, 24), generatorWrite(kGenPassive, kAllBitsSet)}, 25, 0},
        {"125.5 MHz", FG_GEN_FREQ, 125.5, -6000, {}, 25, 0},
        {"NaN", FG_GEN_FREQ, std::numeric_limits<double>::quiet_NaN(), -6000, {}, 25, 0},
    };
    for (const TimingCase& c : cases) {
        simClearLog();
        const int32_t result = c.id == FG_GEN_FREQ ? setDouble(c.id, c.value)
                                                   : setInt(c.id, static_cast<int32_t>(c.value));
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(accesses(), c.accesses) << c.what;
        EXPECT_EQ(getInt(FG_GEN_ACTIVE), c.active) << c.what;
        EXPECT_EQ(getInt(FG_GEN_PASSIVE), c.passive) << c.what;
    }
    EXPECT_EQ(getDouble(FG_GEN_FREQ), 125.0);
    EXPECT_EQ(getInt(FG_GEN_ACCURACY), 25);
    EXPECT_EQ(info("FG_GEN_FREQ")->value.floating.min, 3.0);
    EXPECT_EQ(info("FG_GEN_ACCURACY")->value.integer.min, 1) << "ceil(62.5 / 125)";
}

// ---- lookup tables ----

std::vector<uint32_t> invertedTable()
{
    std::vector<uint32_t> table(256);
    for (uint32_t i = 0; i < 256; ++i) {
        table[i] = 255 - i;
    }
    return table;
}

TEST_F(Dalmira, TablesStartAsTheIdentityAndFollowTheCurve)
{
    for (uint32_t id : {kLutRed, kLutGreen, kLutBlue}) {
        EXPECT_EQ(boardTable(id), identityTable()) << id;
    }
    ASSERT_EQ(setInt(FG_PROCESSING_INVERT, 1), 0);
    EXPECT_EQ(accesses(), (std::vector<Access>{tableWrite(kLutRed), tableWrite(kLutGreen), tableWrite(kLutBlue)}));
    for (uint32_t id : {kLutRed, kLutGreen, kLutBlue}) {
        EXPECT_EQ(boardTable(id), invertedTable()) << id;
    }
    EXPECT_EQ(getElement(FG_LUT_VALUE_GREEN, 255), 0);
}

// ---- the get switch ----

TEST_F(Dalmira, ConstantsAreDalmirasAndBelcorasSensorCorrectionIsNoParameter)
{
    EXPECT_EQ(getText(FG_HAP_FILE), "Dalmira.hap");
    EXPECT_EQ(getInt(FG_PIXELDEPTH), 8);
    EXPECT_EQ(setInt(FG_PIXELDEPTH, 8), -12);
    for (int32_t id : {FG_SENSORREADOUT, FG_SC_UPDATESCHEME}) {
        EXPECT_EQ(setInt(id, 0), -2070) << id;
        EXPECT_EQ(getInt(id), -2070) << id;
    }
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "FG_SENSORREADOUT"), -2070);
    EXPECT_TRUE(accesses().empty());
}

TEST_F(Dalmira, BufferStateAndInputsComeFromTheirRegisters)
{
    simSetRegister(0, kFillLevel0, 0, 30);
    simSetRegister(0, kFillLevel1, 0, 80);
    simHostSetParameter(FG_CAMSTATUS_EXTENDED, 0, 0x21);
    EXPECT_EQ(getInt(FG_FILLLEVEL), 80);
    EXPECT_EQ(getInt(FG_CAMSTATUS_EXTENDED), 0xC1) << "fill quarter 3, no overflow";
    EXPECT_EQ(getInt(FG_CAMSTATUS), 1);

    simSetRegister(0, kOverflow, 0, 1);
    simClearLog();
    EXPECT_EQ(getInt(FG_FILLLEVEL), 100);
    EXPECT_EQ(accesses(), std::vector<Access>{hostRead(kOverflow, 1)});
    EXPECT_EQ(getInt(FG_OVERFLOW), 1);
    EXPECT_EQ(getInt(FG_CAMSTATUS_EXTENDED), 0xE1);

    simSetRegister(0, kInputStatus, 0, 0x5A);
    EXPECT_EQ(getInt(FG_DIGIO_INPUT), 0x5A);
}

}  // namespace
}  // namespace velm::test::dalmira
