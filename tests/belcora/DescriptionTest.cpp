// Belcora's parameter-info tree and its XML description: the categories,
// the limits and access that setters move while the instance lives, the
// direct-register entries, and the whole document.
#include <cstdlib>
#include <fstream>

#include "BelcoraSupport.h"

namespace velm::test::belcora {
namespace {

TEST_F(Belcora, TwelveRootsOnPortZeroOnly)
{
    const char* oldestFirst[] = {"Camera Link",   "ROI",           "Sensor Correction", "Digital I/O",
                                 "Overflow",      "Image Selector", "White Balance",     "Lookup Table",
                                 "Processing",    "Output Format", "Camera Simulator",  "Miscellaneous"};
    EXPECT_EQ(rootNames(lib().Fg_getParameterInfo(handle(), 0)),
              std::vector<std::string>(std::rbegin(oldestFirst), std::rend(oldestFirst)));
    for (uint32_t port : {1u, 2u, 3u}) {
        EXPECT_EQ(lib().Fg_getParameterInfo(handle(), port), nullptr) << port;
    }
}

TEST_F(Belcora, LookupTableCategoryHoldsAppletPropertiesFirst)
{
    const ParameterInfoEntry* lookup = info("Lookup Table");
    ASSERT_NE(lookup, nullptr);
    ASSERT_EQ(lookup->value.category.childCount, 7);
    const ParameterInfoEntry* properties = lookup->value.category.children[0];
    EXPECT_STREQ(properties->displayName, "Applet Properties");
    EXPECT_EQ(properties->type, 0);
    EXPECT_EQ(properties->value.category.childCount, 3);
    EXPECT_STREQ(lookup->value.category.children[6]->name, "FG_LUT_SAVE_FILE");
}

TEST_F(Belcora, XmlListsTheCameraControlValuesOncePerValue)
{
    const std::string document = xml();
    for (const char* cc : {"FG_CC1", "FG_CC2", "FG_CC3", "FG_CC4"}) {
        const std::string part = xmlPart(document, std::string("<Enumeration Name='") + cc + "'>", "</Enumeration>");
        std::vector<std::string> names;
        for (std::size_t at = part.find("<EnumEntry Name=\""); at != std::string::npos;
             at = part.find("<EnumEntry Name=\"", at + 1)) {
            const std::size_t start = at + 17;
            names.push_back(part.substr(start, part.find('"', start) - start));
        }
        EXPECT_EQ(names, (std::vector<std::string>{"TRGINSRC_0", "TRGINSRC_1", "TRGINSRC_2", "TRGINSRC_3", "GND",
                                                   "VCC", "TRGINSRC_6", "TRGINSRC_7"}))
            << cc;
    }
}

TEST_F(Belcora, SettersMoveTheLimitsAndAccessThatTreeAndXmlShow)
{
    ASSERT_EQ(setInt(FG_WIDTH, 2048), 0);
    EXPECT_EQ(info("FG_XOFFSET")->value.integer.max, 14336);
    ASSERT_EQ(setInt(FG_WIDTH, 1024), 0);
    EXPECT_EQ(info("FG_XOFFSET")->value.integer.max, 15360);
    EXPECT_NE(xmlPart(xml(), "<Integer Name='FG_XOFFSET'>", "</Integer>").find("<Max>15360</Max>"),
              std::string::npos);

    const std::string customFile = "<StringReg Name=\"FG_LUT_CUSTOM_FILE\">";
    ASSERT_EQ(setInt(FG_LUT_TYPE, 0), 0);
    EXPECT_EQ(info("FG_LUT_CUSTOM_FILE")->access, 7);
    EXPECT_NE(xmlPart(xml(), customFile, "</StringReg>").find("<AccessMode>RW</AccessMode>"), std::string::npos);
    ASSERT_EQ(setInt(FG_LUT_TYPE, 3), 0);
    EXPECT_EQ(info("FG_LUT_CUSTOM_FILE")->access, 1);
    EXPECT_NE(xmlPart(xml(), customFile, "</StringReg>").find("<AccessMode>RO</AccessMode>"), std::string::npos);
}

TEST_F(Belcora, WholeXmlDescriptionIsTheExpectedWellFormedDocument)
{
    const std::string document = xml();
    EXPECT_EQ(document, expectedFile("belcora_port0.xml"));
    expectWellFormedXml(document);
}

using BelcoraRegisterEntries = InstanceFixture;

TEST_F(BelcoraRegisterEntries, RegisterEntriesSpanTheRegisterWidthAndStayOutOfTheXml)
{
    ScopedEnvironment direct("VELM_ENABLE_DRA", "On");
    create("belcora.so");
    const ParameterInfoEntry* root = lib().Fg_getParameterInfo(handle(), 0);
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->displayName, "Direct Register Access");
    EXPECT_EQ(root->value.category.childCount, 41);

    const ParameterInfoEntry* wide = findInfo(root, "DRA_Device1_Process0_Buffer_0_DRAM_A_0_XLength");
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->type, 1);
    EXPECT_EQ(wide->value.integer.max, -1) << "all 32 bits set";
    const ParameterInfoEntry* narrow = findInfo(root, "DRA_Device1_Process0_ImageSelector_FG_IMG_SELECT_PERIOD_Divisor");
    ASSERT_NE(narrow, nullptr);
    EXPECT_STREQ(narrow->displayName, "Device1_Process0_ImageSelector_FG_IMG_SELECT_PERIOD_Divisor (16)");
    EXPECT_EQ(narrow->value.integer.max, 65535);
    EXPECT_EQ(narrow->id, 1000000 + kSelectPeriod);
    EXPECT_EQ(findInfo(root, "DRA_Device1_Process0_Overflow_OverflowOccurred")->access, 1);
    EXPECT_EQ(findInfo(root, "DRA_AAGenPassive")->type, 9);

    EXPECT_EQ(xml(), expectedFile("belcora_port0.xml"));
}

}  // namespace
}  // namespace velm::test::belcora
