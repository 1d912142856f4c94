// Dalmira's parameter-info tree and its XML description: eleven roots on
// port 0, the limits the defaults leave, the register entries direct
// access adds, and the whole document.
#include "DalmiraSupport.h"

namespace velm::test::dalmira {
namespace {

const std::vector<std::string> kRootsNewestFirst = {
    "Miscellaneous", "Camera Simulator", "Output Format", "Processing", "Lookup Table", "White Balance",
    "Image Selector", "Overflow", "Digital I/O", "ROI", "Camera Link"};

TEST_F(Dalmira, ElevenRootsOnPortZeroOnly)
{
    EXPECT_EQ(rootNames(lib().Fg_getParameterInfo(handle(), 0)), kRootsNewestFirst);
    for (uint32_t port : {1u, 2u, 3u}) {
        EXPECT_EQ(lib().Fg_getParameterInfo(handle(), port), nullptr) << port;
    }
    const ParameterInfoEntry* lookup = info("Lookup Table");
    ASSERT_NE(lookup, nullptr);
    ASSERT_EQ(lookup->value.category.childCount, 7);
    EXPECT_STREQ(lookup->value.category.children[0]->displayName, "Applet Properties");
    EXPECT_EQ(lookup->value.category.children[0]->value.category.childCount, 3);
}

// An entry's limits and access as the tree shows them right after creation.
struct EntryCase {
    const char* name;
    int32_t type;
    double min;
    double max;
    double increment;
    int32_t access;
    std::vector<std::pair<std::string, int32_t>> values;  // enumerations
};

TEST_F(Dalmira, EntriesShowTheLimitsTheDefaultsLeft)
{
    const EntryCase cases[] = {
        {"FG_WIDTH", 1, 8, 16384, 8, 3, {}},
        {"FG_XOFFSET", 1, 0, 12288, 8, 3, {}},
        {"FG_YOFFSET", 1, 0, 64511, 1, 3, {}},
        {"FG_GEN_ACCURACY", 1, 2, 65535, 1, 7, {}},
        {"FG_GEN_FREQ", 6, 3.0, 125.0, 1.0, 7, {}},
        {"FG_CAMERA_LINK_CAMTYPE", 3, 0, 0, 0, 7, {{"8 Tap 8bit", 308}, {"10 Tap 8bit", 310}}},
        {"FG_FORMAT", 3, 0, 0, 0, 3, {{"Color 24bit", 2}}},
        {"FG_LUT_CUSTOM_FILE", 5, 0, 0, 0, 1, {}},
    };
    for (const EntryCase& c : cases) {
        const ParameterInfoEntry* entry = info(c.name);
        ASSERT_NE(entry, nullptr) << c.name;
        EXPECT_EQ(entry->type, c.type) << c.name;
        EXPECT_EQ(entry->access, c.access) << c.name;
        if (c.type == 1) {
            EXPECT_EQ(entry->value.integer.min, c.min) << c.name;
            EXPECT_EQ(entry->value.integer.max, c.max) << c.name;
            EXPECT_EQ(entry->value.integer.increment, c.increment) << c.name;
        } else if (c.type == 6) {
            EXPECT_EQ(entry->value.floating.min, c.min) << c.name;
            EXPECT_EQ(entry->value.floating.max, c.max) << c.name;
        } else if (c.type == 3) {
            ASSERT_EQ(entry->value.enumeration.count, static_cast<int32_t>(c.values.size())) << c.name;
            for (std::size_t i = 0; i < c.values.size(); ++i) {
                EXPECT_EQ(entry->value.enumeration.valueNames[i], c.values[i].first) << c.name;
                EXPECT_EQ(entry->value.enumeration.values[i], c.values[i].second) << c.name;
            }
        }
    }
}

TEST_F(Dalmira, WholeXmlAfterAWidthSetIsTheExpectedWellFormedDocument)
{
    ASSERT_EQ(setInt(FG_WIDTH, 1024), 0);
    const std::string document = xml();
    EXPECT_EQ(document, expectedFile("dalmira_port0_width1024.xml"));
    expectWellFormedXml(document);
}

using DalmiraRegisterEntries = InstanceFixture;

TEST_F(DalmiraRegisterEntries, RegisterEntriesFollowTheParameters)
{
    ScopedEnvironment direct("VELM_ENABLE_DRA", "On");
    create("dalmira.so");
    EXPECT_EQ(lib().Fg_getNrOfParameter(handle()), 66 + 40);
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 65), "FG_CC4");
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 69), "DRA_Device1_Process0_Camera_FullMode");
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "DRA_AAGenPassive"), 1000000 + kGenPassive);

    const ParameterInfoEntry* root = lib().Fg_getParameterInfo(handle(), 0);
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->displayName, "Direct Register Access");
    EXPECT_EQ(root->value.category.childCount, 40);
    EXPECT_EQ(findInfo(root, "DRA_Device1_Process0_ROI_X_Offset")->value.integer.max, 65535);
    EXPECT_EQ(findInfo(root, "DRA_Device1_Process0_Buffer_0_DRAM_A_1_FillLevel")->access, 1);
}

}  // namespace
}  // namespace velm::test::dalmira
