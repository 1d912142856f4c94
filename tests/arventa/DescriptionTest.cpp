// Arventa's parameter-info tree and XML description on both ports: the
// same categories on each, the limits and access that a port's setters
// move on that port alone, and the categories the environment adds.
#include <cstring>
#include <fstream>

#include "ArventaSupport.h"

namespace velm::test::arventa {
namespace {

const char* const kRootsOldestFirst[] = {"Camera Link",  "ROI",           "Sensor Correction", "Digital I/O",
                                         "Overflow",     "Image Selector", "Lookup Table",      "Processing",
                                         "Output Format", "Camera Simulator", "Miscellaneous"};

TEST_F(Arventa, BothPortsHoldTheSameElevenRoots)
{
    const std::vector<std::string> expected(std::rbegin(kRootsOldestFirst), std::rend(kRootsOldestFirst));
    for (uint32_t port : {0u, 1u}) {
        EXPECT_EQ(rootNames(lib().Fg_getParameterInfo(handle(), port)), expected) << port;
        const ParameterInfoEntry* lookup = info("Lookup Table", port);
        ASSERT_NE(lookup, nullptr);
        ASSERT_EQ(lookup->value.category.childCount, 5);
        EXPECT_STREQ(lookup->value.category.children[0]->displayName, "Applet Properties");
        const ParameterInfoEntry* values = info("FG_LUT_VALUE", port);
        ASSERT_NE(values, nullptr);
        EXPECT_EQ(static_cast<uint32_t>(values->port), port);
        EXPECT_STREQ(values->displayName, "LUT Values");
    }
    const ParameterInfoEntry* types = info("FG_CAMERA_LINK_CAMTYPE", 1);
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->value.enumeration.count, 9);
    EXPECT_STREQ(types->value.enumeration.valueNames[8], "Triple Tap 8bit");
    EXPECT_EQ(types->value.enumeration.values[8], 120);
    EXPECT_STREQ(types->value.enumeration.valueDescriptions[8], "FG_CL_TRIPLETAP_8_BIT");
}

TEST_F(Arventa, PortsSettersMoveThatPortsLimitsOnly)
{
    const std::vector<LimitCase> cases = {
        {"width", FG_WIDTH, 2048, "FG_XOFFSET", 14336, 1},
        {"x offset", FG_XOFFSET, 8, "FG_WIDTH", 16376, 1},
        {"height", FG_HEIGHT, 1000, "FG_YOFFSET", 64535, 1},
        {"y offset", FG_YOFFSET, 35, "FG_HEIGHT", 65500, 1},
    };
    std::vector<int32_t> port0Maxima;
    for (const LimitCase& c : cases) {
        port0Maxima.push_back(info(c.moved, 0)->value.integer.max);
    }
    runLimitCases(cases);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(info(cases[i].moved, 0)->value.integer.max, port0Maxima[i]) << cases[i].what;
    }
    const std::string width = "<Integer Name='FG_WIDTH'>";
    EXPECT_NE(xmlPart(xml(1), width, "</Integer>").find("<Max>16376</Max>"), std::string::npos);
    EXPECT_NE(xmlPart(xml(0), width, "</Integer>").find("<Max>16384</Max>"), std::string::npos);
    EXPECT_NE(xmlPart(xml(1), "<IntReg Name=\"FG_WIDTH_Reg\">", "</IntReg>").find("<Address>100</Address>"),
              std::string::npos);

    const std::string customFile = "<StringReg Name=\"FG_LUT_CUSTOM_FILE\">";
    ASSERT_EQ(setInt(FG_LUT_TYPE, 0, 1), 0);
    EXPECT_EQ(info("FG_LUT_CUSTOM_FILE", 1)->access, 7);
    EXPECT_EQ(info("FG_LUT_CUSTOM_FILE", 0)->access, 1);
    EXPECT_NE(xmlPart(xml(1), customFile, "</StringReg>").find("<AccessMode>RW</AccessMode>"), std::string::npos);
    EXPECT_NE(xmlPart(xml(0), customFile, "</StringReg>").find("<AccessMode>RO</AccessMode>"), std::string::npos);
}

TEST_F(Arventa, XmlOfEachPortNamesTheGrayFormats)
{
    for (uint32_t port : {0u, 1u}) {
        const std::string part = xmlPart(xml(port), "<Enumeration Name='FG_FORMAT'>", "</Enumeration>");
        EXPECT_NE(part.find("<EnumEntry Name=\"FG_GRAY16\">\n<Value>1</Value>"), std::string::npos) << port;
        EXPECT_NE(part.find("<EnumEntry Name=\"FG_GRAY\">\n<Value>3</Value>"), std::string::npos) << port;
    }
}

// Both categories stand on each port: "Direct Register Access" with every
// register of the design, "Direct PL Access" whenever the settings admitted
// host parameters.
using ArventaCategories = InstanceFixture;

TEST_F(ArventaCategories, EnvironmentAndSettingsAddTheirCategoriesToBothPorts)
{
    ScopedEnvironment direct("VELM_ENABLE_DRA", "1");
    createBesideSettings("arventa.so", "[arventa]\nFG_TIMEOUT=on\n");
    EXPECT_EQ(lib().Fg_getNrOfParameter(handle()), 62 + 64 + 1);
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 62), "DRA_Device1_Process0_LookupTable_LookupTable_LUTcontent");
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 126), "DPLA_FG_TIMEOUT");
    for (uint32_t port : {0u, 1u}) {
        const ParameterInfoEntry* root = lib().Fg_getParameterInfo(handle(), port);
        ASSERT_NE(root, nullptr);
        EXPECT_STREQ(root->displayName, "Direct PL Access") << port;
        EXPECT_NE(findInfo(root, "DPLA_FG_TIMEOUT"), nullptr) << port;
        ASSERT_NE(root->next, nullptr);
        EXPECT_STREQ(root->next->displayName, "Direct Register Access") << port;
        EXPECT_EQ(root->next->value.category.childCount, 64) << port;
    }
}

TEST_F(ArventaCategories, WithoutAdmittedHostParametersThereIsNoMirror)
{
    createBesideSettings("arventa.so", "[arventa]\nFG_TIMEOUT=off\n");
    EXPECT_EQ(lib().Fg_getNrOfParameter(handle()), 62);
    for (uint32_t port : {0u, 1u}) {
        EXPECT_STREQ(lib().Fg_getParameterInfo(handle(), port)->displayName, "Miscellaneous") << port;
    }
}

}  // namespace
}  // namespace velm::test::arventa
