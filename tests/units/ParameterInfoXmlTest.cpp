#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ErrorCodes.h"
#include "ParameterInfoBuilderXML.h"
#include "ParameterInfoRegistry.h"
#include "UnitSupport.h"

namespace velm::units {
namespace {

// The tree behind expected/sample_port0.xml: roots from oldest to newest
// "Camera Link", "Direct Register Access", "Image & ROI" and one without a
// name.
void buildSample(ParameterInfoRegistry& registry)
{
    ParameterInfoEntry* link = registry.addCategory(0, nullptr, "Camera Link");
    ParameterInfoEntry* dval = registry.addEnumInfo(link, "Use DVAL", "FG_USEDVAL", 4, 7, 1, 1, "", 5025, 0);
    registry.setEnumEntry(dval, 0, "Yes", 1, "FG_YES");
    registry.setEnumEntry(dval, 1, "No", 0, "FG_NO");
    registry.setEnumEntry(dval, 2, "Maybe", 2, nullptr);
    registry.setEnumEntry(dval, 3, "True", 1, "FG_TRUE");

    ParameterInfoEntry* dra = registry.addCategory(0, nullptr, "Direct Register Access");
    registry.addIntInfo(dra, "R (32)", "DRA_R", 0, -1, 1, 7, 1, 1, nullptr, 1000001, 0);

    ParameterInfoEntry* roi = registry.addCategory(0, nullptr, "Image & ROI");
    registry.addIntInfo(roi, "Width", "FG_WIDTH", 8, 16384, 4, 3, 2, 1, "pixel", 100, 0);
    registry.addIntInfo(roi, "Hidden", "FG_HIDDEN", 0, 1, 1, 3, 1, 0, nullptr, 101, 0);
    ParameterInfoEntry* sub = registry.addCategory(0, roi, "Sub Part");
    registry.addDoubleInfo(sub, "Gain", "FG_GAIN", -1.0 / 3.0, 3.9990234375, 0.5, 1, 1, 1, nullptr, 0, 0);
    registry.addStringInfo(sub, "Load File", "FG_FILE", "*.lut", 2, 1, 1, nullptr, 300000, 0);
    registry.addIntInfo(roi, "", "FG_NOINC", 0, 255, 0, 0, 1, 1, nullptr, 7, 0);
    registry.addInt64Info(roi, "Big", "FG_BIG", 0, 1, 1, 7, 1, 1, nullptr, 8, 0);

    ParameterInfoEntry* unnamed = registry.addCategory(0, nullptr, "");
    registry.addIntInfo(unnamed, "Count", "FG_COUNT", 0, 10, 1, 1, 1, 1, nullptr, 5, 0);
}

std::string documentOf(StubApplet& applet, std::uint32_t port = 0)
{
    return ParameterInfoBuilderXML(applet.getParameterInfoRegistry(), applet.getAppletName(), port).build();
}

TEST(ParameterInfoXml, SampleDocumentByteForByte)
{
    StubApplet applet;
    applet.appletName = "Testlet & Co";
    buildSample(applet.getParameterInfoRegistry());
    EXPECT_EQ(documentOf(applet), readWhole(expectedFile("sample_port0.xml")));
}

TEST(ParameterInfoXml, SampleDocumentIsWellFormed)
{
    if (std::system("command -v xmllint > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xmllint is not installed";
    }
    StubApplet applet;
    buildSample(applet.getParameterInfoRegistry());
    ScratchDirectory dir;
    writeWhole(dir.file("built.xml"), documentOf(applet));
    for (const std::string& file : {dir.file("built.xml"), expectedFile("sample_port0.xml")}) {
        EXPECT_EQ(std::system(("xmllint --noout '" + file + "'").c_str()), 0) << file;
    }
}

TEST(ParameterInfoXml, SizeProtocol)
{
    StubApplet applet;
    buildSample(applet.getParameterInfoRegistry());
    const std::size_t needed = documentOf(applet).size() + 1;

    std::size_t size = 0;
    EXPECT_EQ(applet.getParameterInfoXML(nullptr, 0, nullptr, &size), 0);
    EXPECT_EQ(size, needed);

    struct Case {
        const char* what;
        std::size_t size;
        std::int32_t result;
        std::size_t sizeAfter;
    };
    const Case cases[] = {
        {"exact size", needed, 0, needed},
        {"larger, rest zero-filled", needed + 8, 0, needed},
        {"one byte short", needed - 1, kErrBufferTooSmall, needed - 1},
        {"size 0 with a buffer", 0, kErrBufferTooSmall, 0},
    };
    for (const Case& c : cases) {
        std::vector<char> buffer(needed + 8, 'x');
        size = c.size;
        applet.setLastError(1);
        EXPECT_EQ(applet.getParameterInfoXML(nullptr, 0, buffer.data(), &size), c.result) << c.what;
        EXPECT_EQ(applet.getLastError(), c.result) << c.what;
        EXPECT_EQ(size, c.sizeAfter) << c.what;
        if (c.result == 0) {
            EXPECT_EQ(std::string(buffer.data()), documentOf(applet)) << c.what;
            for (std::size_t i = needed - 1; i < c.size; ++i) {
                ASSERT_EQ(buffer[i], '\0') << c.what << " at " << i;
            }
        }
    }

    for (std::uint32_t port : {1u, 4u}) {
        size = 0;
        EXPECT_EQ(applet.getParameterInfoXML(nullptr, port, nullptr, &size), kErrNotAllowed) << port;
        EXPECT_EQ(applet.getLastError(), kErrNotAllowed);
    }
    EXPECT_EQ(applet.getParameterInfoXML(nullptr, 0, nullptr, nullptr), kErrInvalidArgument);
    EXPECT_EQ(applet.getLastError(), kErrInvalidArgument);
}

TEST(ParameterInfoXml, EntryRules)
{
    struct Case {
        const char* what;
        void (*build)(ParameterInfoRegistry& registry, ParameterInfoEntry* category);
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {"increment and address written when not zero",
         [](ParameterInfoRegistry& r, ParameterInfoEntry* c) {
             r.addIntInfo(c, "W", "FG_WIDTH", 8, 64, 4, 3, 1, 1, nullptr, 100, 0);
         },
         {"<Address>100</Address>\n", "<AccessMode>RW</AccessMode>\n", "<Inc>4</Inc>\n"},
         {}},
        {"no increment, no address",
         [](ParameterInfoRegistry& r, ParameterInfoEntry* c) {
             r.addIntInfo(c, "W", "FG_WIDTH", 8, 64, 0, 3, 1, 1, nullptr, 0, 0);
         },
         {"<Length>4</Length>\n"},
         {"<Inc>", "<Address>"}},
        {"attributeB 0 leaves out node and feature",
         [](ParameterInfoRegistry& r, ParameterInfoEntry* c) {
             r.addIntInfo(c, "W", "FG_WIDTH", 8, 64, 4, 3, 1, 0, nullptr, 100, 0);
         },
         {"<Category Name='Root' NameSpace='Standard' >\n</Category>\n"},
         {"FG_WIDTH", "<Category Name='Cat'"}},
        {"display name escaped",
         [](ParameterInfoRegistry& r, ParameterInfoEntry* c) {
             r.addIntInfo(c, "In & <Out> 'q' \"d\"", "FG_X", 0, 1, 1, 1, 1, 1, nullptr, 1, 0);
         },
         {"<Description>In &amp; &lt;Out&gt; &apos;q&apos; &quot;d&quot;</Description>\n"},
         {}},
        {"enumeration without value descriptions",
         [](ParameterInfoRegistry& r, ParameterInfoEntry* c) {
             ParameterInfoEntry* e = r.addEnumInfo(c, "E", "FG_E", 2, 7, 1, 1, nullptr, 9, 0);
             r.setEnumEntry(e, 0, "A", 0, nullptr);
         },
         {"<Description>E</Description>\n<pValue>FG_E_Reg</pValue>\n</Enumeration>\n\n"},
         {"<EnumEntry"}},
        {"transfer length is 8 bytes",
         [](ParameterInfoRegistry& r, ParameterInfoEntry* c) {
             r.addIntInfo(c, "T", "FG_TRANSFER_LEN", 0, 1, 1, 1, 1, 1, nullptr, 1, 0);
         },
         {"<Length>8</Length>\n"},
         {}},
        {"arrays and 64-bit integers are not written",
         [](ParameterInfoRegistry& r, ParameterInfoEntry* c) {
             r.addIntArrayInfo(c, "A", "FG_A", 2, 0, 1, 1, 7, 1, 1, nullptr, 1, 0);
             r.addInt64Info(c, "L", "FG_L", 0, 1, 1, 7, 1, 1, nullptr, 2, 0);
         },
         {},
         {"FG_A", "FG_L"}},
        {"direct register access left out",
         [](ParameterInfoRegistry& r, ParameterInfoEntry*) {
             ParameterInfoEntry* dra = r.addCategory(0, nullptr, "Direct Register Access");
             r.addIntInfo(dra, "R", "DRA_R", 0, 1, 1, 7, 1, 1, nullptr, 1000001, 0);
         },
         {},
         {"DRA_R", "DirectRegisterAccess"}},
        {"feature and category names cleaned",
         [](ParameterInfoRegistry& r, ParameterInfoEntry*) {
             ParameterInfoEntry* odd = r.addCategory(0, nullptr, "3D-Sensor_2 (x)");
             r.addIntInfo(odd, "V", "_9FG-V.1", 0, 1, 1, 7, 1, 1, nullptr, 1, 0);
         },
         {"<pFeature>DSensor_2x</pFeature>\n", "<Category Name='DSensor_2x'  >\n<pFeature>FGV1</pFeature>\n"},
         {}},
    };
    for (const Case& c : cases) {
        StubApplet applet;
        ParameterInfoRegistry& registry = applet.getParameterInfoRegistry();
        c.build(registry, registry.addCategory(0, nullptr, "Cat"));
        const std::string document = documentOf(applet);
        for (const std::string& text : c.present) {
            EXPECT_NE(document.find(text), std::string::npos) << c.what << ": " << text << "\n" << document;
        }
        for (const std::string& text : c.absent) {
            EXPECT_EQ(document.find(text), std::string::npos) << c.what << ": " << text << "\n" << document;
        }
    }
}

}  // namespace
}  // namespace velm::units
