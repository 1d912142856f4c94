// Dalmira's own Info answers, asked without an instance (the numbers, texts
// and enumeration names are also checked with every applet's).
#include "DalmiraSupport.h"

namespace velm::test::dalmira {
namespace {

class DalmiraInfo : public ::testing::Test {
protected:
    AppletLibrary lib_{libraryPath("dalmira.so")};
};

TEST_F(DalmiraInfo, FullCameraModesAndTheQuestionsDalmiraAnswersOtherwise)
{
    EXPECT_EQ(lib_.enumerationValue("FG_CL_FULL_10_TAP_8_BIT"), 310);
    EXPECT_EQ(lib_.enumerationValue("FG_CL_FULL_8_TAP_8_BIT"), 308);
    EXPECT_EQ(lib_.enumerationValue("FG_CL_RGB"), -2070);
    EXPECT_EQ(lib_.enumerationValue("FG_CL_MEDIUM_RGB_24"), -2070);
    EXPECT_EQ(lib_.enumerationValue("SMODE_UNCHANGED"), -2070);
    EXPECT_EQ(lib_.Info(3072, 0, 0, nullptr, nullptr), 0);
    EXPECT_EQ(lib_.Info(3328, 0, 0, nullptr, nullptr), 1);
}

TEST_F(DalmiraInfo, IconAndDesignAreTheLibrarysOwnFiles)
{
    uintptr_t size = 0;
    void* data = nullptr;
    ASSERT_EQ(lib_.Info(1042, 0, 0, &size, &data), 0);
    const std::string block(static_cast<const char*>(data), size);
    EXPECT_EQ(block.rfind("QRTB\n# Dalmira: one Camera Link Full camera", 0), 0u) << block.substr(0, 60);

    // The icon whatever the indices.
    ASSERT_EQ(lib_.Info(1041, 3, 7, &size, &data), 0);
    EXPECT_EQ(std::string(static_cast<const char*>(data), size),
              fileBytes(std::string(VELM_TESTS_DIR) + "/../applets/dalmira/Dalmira.png"));
}

TEST_F(DalmiraInfo, BoardAndDesignHandlesAreZeroBeforeAnyCreation)
{
    for (int32_t query : {4144, 4160}) {
        uintptr_t handle = 0xDEAD;
        EXPECT_EQ(lib_.Info(query, 0, 0, &handle, nullptr), 0) << query;
        EXPECT_EQ(handle, 0u) << query;
    }
}

}  // namespace
}  // namespace velm::test::dalmira
