// Belcora's set and get switches: ports, read-only ids, constants, host
// values, register reads, element indices and the description query.
#include "BelcoraSupport.h"

namespace velm::test::belcora {
namespace {

TEST_F(Belcora, OnlyPortZeroIsServed)
{
    int32_t width = 0;
    EXPECT_EQ(lib().Fg_getParameterWithType(handle(), FG_WIDTH, &width, 1, 2), -2070);
    EXPECT_EQ(lib().setInt(handle(), FG_WIDTH, 2048, 1), -2070);
    EXPECT_EQ(getInt(FG_WIDTH), 1024);
}

TEST_F(Belcora, PixelDepthIsEightAndAnUnknownIdIsRefused)
{
    EXPECT_EQ(getInt(FG_PIXELDEPTH), 8);
    EXPECT_EQ(setInt(4242, 1), -2070);
}

TEST_F(Belcora, ConstantsAndGeneratorValues)
{
    const std::pair<int32_t, int64_t> answers[] = {
        {24020, 1}, {24030, 0}, {24010, 0}, {4000, 8}, {300006, 0}, {300007, 8}, {300008, 8},
        {FG_GEN_ACTIVE, 8}, {FG_GEN_PASSIVE, 17}, {30103, 1028},  // line width: width + gap
    };
    for (const auto& [id, value] : answers) {
        EXPECT_EQ(getInt(id), value) << id;
    }
    EXPECT_EQ(getText(FG_HAP_FILE), "Belcora.hap");
}

TEST_F(Belcora, GeneratorFrequencyIsADoubleWhateverTypeTheCallerNames)
{
    double frequency = 50.0;
    EXPECT_EQ(lib().Fg_setParameterWithType(handle(), FG_GEN_FREQ, &frequency, 0, 2), 0);
    double read = 0;
    EXPECT_EQ(lib().Fg_getParameterWithType(handle(), FG_GEN_FREQ, &read, 0, 2), 0);
    EXPECT_EQ(read, 50.0);
    // An integer 50 in eight bytes is a tiny double, far below the range.
    int64_t integer = 50;
    EXPECT_EQ(lib().Fg_setParameterWithType(handle(), FG_GEN_FREQ, &integer, 0, 2), -6000);
}

TEST_F(Belcora, ElementGetsAreBoundedByTheArray)
{
    EXPECT_EQ(getElement(FG_LUT_VALUE_GREEN, 255), 255);
    EXPECT_EQ(getElement(FG_LUT_VALUE_GREEN, 256), -2070);
    EXPECT_EQ(getElement(FG_SC_READOUTDIRECTION, 1), 0);
    EXPECT_EQ(getElement(FG_SC_READOUTDIRECTION, 2), -2070);
}

TEST_F(Belcora, FillLevelIsFullOnOverflowWithoutReadingTheBuffers)
{
    simSetRegister(0, kOverflow, 0, 1);
    EXPECT_EQ(getInt(FG_FILLLEVEL), 100);
    EXPECT_EQ(accesses(), std::vector<Access>{hostRead(kOverflow, 1)});
}

TEST_F(Belcora, ExtendedStatusCarriesTheFillQuarterAndTheOverflowBit)
{
    simSetRegister(0, kFillLevel0, 0, 10);
    simSetRegister(0, kFillLevel1, 0, 49);
    EXPECT_EQ(getInt(FG_FILLLEVEL), 49);
    // The host's bits 5 to 7 give way to the quarter (1) and the overflow (0).
    simHostSetParameter(FG_CAMSTATUS_EXTENDED, 0, 0xA1);
    EXPECT_EQ(getInt(FG_CAMSTATUS_EXTENDED), 0x41);
    EXPECT_EQ(getInt(FG_CAMSTATUS), 1);
    simHostSetParameter(FG_CAMSTATUS_EXTENDED, 0, 0xFE);
    EXPECT_EQ(getInt(FG_CAMSTATUS_EXTENDED), 0x5E);
    EXPECT_EQ(getInt(FG_CAMSTATUS), 0);
    simSetRegister(0, kOverflow, 0, 1);
    EXPECT_EQ(getInt(FG_CAMSTATUS_EXTENDED), 0xFE);
}

TEST_F(Belcora, HostValuesComeFromTheHost)
{
    const int32_t hostIds[] = {5210, 3070, 3050, 3060, 3080, 3090, 601, 24092};
    for (int32_t id : hostIds) {
        simHostSetParameter(id, 0, id + 7);
        EXPECT_EQ(getInt(id), id + 7) << id;
    }
    simFailCall("Fg_getParameter", 0, -77, 0, 1);
    EXPECT_EQ(getInt(3050), -77);
}

TEST_F(Belcora, RegisterReadFailureReachesTheCaller)
{
    simFailCall("Fg_getParameterWithType", kInputStatus, -55, 0, 1);
    EXPECT_EQ(getInt(14010), -55);
    simSetRegister(0, kInputStatus, 0, 0x5A);
    EXPECT_EQ(getInt(14010), 0x5A);
}

using BelcoraDescriptions = InstanceFixture;

TEST_F(BelcoraDescriptions, DescriptionQueryAnswersTableNamesOnly)
{
    ScopedEnvironment direct("VELM_ENABLE_DRA", "On");
    create("belcora.so");
    char buffer[256] = "FG_WIDTH";
    EXPECT_EQ(lib().Fg_getParameterWithType(handle(), FG_DESCRIPTION, buffer, 0, 1), 0);
    EXPECT_STREQ(buffer, "Image width of the acquisition ROI.");
    char registerName[256] = "DRA_AAGenRoll";
    EXPECT_EQ(lib().Fg_getParameterWithType(handle(), FG_DESCRIPTION, registerName, 0, 1), -2070);
    EXPECT_STREQ(registerName, "DRA_AAGenRoll");
}

}  // namespace
}  // namespace velm::test::belcora
