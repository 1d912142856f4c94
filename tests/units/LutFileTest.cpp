#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LutFile.h"
#include "UnitSupport.h"

namespace velm::units {
namespace {

LutData tableOf(std::uint32_t count, std::uint32_t step)
{
    LutData lut;
    lut.nrOfElements = count;
    for (std::uint32_t i = 0; i < count; ++i) {
        lut.values.push_back((i * step) % 4096);
    }
    return lut;
}

TEST(LutFileGray, FourThousandValuesRoundTrip)
{
    ScratchDirectory dir;
    LutData written = tableOf(4096, 7);
    written.id = 3;
    written.format = 1;
    written.number = 9;
    LutFile file;
    ASSERT_EQ(file.writeLut(dir.file("g.lut").c_str(), written), 0);
    file.close();
    EXPECT_EQ(readWhole(dir.file("g.lut")).rfind("# Lut data file v1.1\n\n\n\n[gray]\n\nid=3;\nnrOfElements=4096;\n"
                                                  "format=1;\nnumber=9;\n0,0;\n1,7;\n",
                                                  0),
              0u);

    LutData read;
    ASSERT_EQ(file.readLut(dir.file("g.lut").c_str(), read, "[gray]", 4096), 0);
    EXPECT_EQ(read.values, written.values);
    EXPECT_EQ(read.nrOfElements, 4096u);
    EXPECT_EQ(read.id, 3u);
    EXPECT_EQ(read.format, 1u);
    EXPECT_EQ(read.number, 9u);
}

TEST(LutFileGray, AnEmptyTableWritesHeaderSectionAndKeysOnly)
{
    ScratchDirectory dir;
    LutFile file;
    ASSERT_EQ(file.writeLut(dir.file("e.lut").c_str(), LutData{}), 0);
    file.close();
    EXPECT_EQ(readWhole(dir.file("e.lut")),
              "# Lut data file v1.1\n\n\n\n[gray]\n\nid=0;\nnrOfElements=0;\nformat=0;\nnumber=0;\n");
}

TEST(LutFileColour, AllColoursTakeTheKeysOfTheRedSection)
{
    ScratchDirectory dir;
    const LutData red = tableOf(256, 1);
    const LutData green = tableOf(128, 2);
    const LutData blue = tableOf(256, 3);
    LutFile file;
    ASSERT_EQ(file.writeRgbLut(dir.file("c.lut").c_str(), red, green, blue), 0);
    EXPECT_EQ(readWhole(dir.file("c.lut")).rfind("# Lut data file v1.1\n\n[red]\n\nid=0;\n", 0), 0u);

    LutData r, g, b;
    ASSERT_EQ(file.readRgbLut(dir.file("c.lut").c_str(), r, g, b, 256), 0);
    EXPECT_EQ(r.values, red.values);
    EXPECT_EQ(g.nrOfElements, 256u);
    EXPECT_EQ(std::vector<std::uint32_t>(g.values.begin(), g.values.begin() + 128), green.values);
    EXPECT_EQ(b.values, blue.values);
}

TEST(LutFileRead, OddFiles)
{
    struct Case {
        const char* what;
        std::string text;
        std::size_t maxElements;
        std::int32_t result;
        std::vector<std::uint32_t> values;
        bool sectionFound = true;
    };
    const std::string head = "[gray]\n\n";
    const char nulLine[] = "nrOfElements=1;\n9\0" "0,4;\n0,5;\n";
    const Case cases[] = {
        {"index 1 taken from 11,", head + "nrOfElements=2;\n0,5;\n11,7;\n", 256, 0, {5, 7}},
        {"missing lines stay 0", head + "nrOfElements=3;\n0,5;\n", 256, 0, {5, 0, 0}},
        {"no key line", head + "0,5;\n", 256, 0, {}},
        {"key without a value", head + "nrOfElements\n0,5;\n", 256, 0, {}},
        {"negative count", head + "nrOfElements=-1;\n0,5;\n", 256, -1, {}, false},
        {"count above the maximum", head + "nrOfElements=2000000000;\n0,5;\n1,6;\n", 2, 0, {5, 6}},
        {"count past 32 bits", head + "nrOfElements=99999999999;\n0,5;\n", 1, 0, {5}},
        {"value line without value", head + "nrOfElements=2;\n0,", 256, 0, {0, 0}},
        {"no section", "nrOfElements=1;\n0,5;\n", 256, 0, {0}, false},
        {"no section and no values", "nrOfElements=0;\n", 256, 0, {}, false},
        {"no final newline", head + "nrOfElements=1;\n0,5;", 256, 0, {5}},
        {"long line", head + "nrOfElements=1;\n" + std::string(600, ' ') + "\n0,5;\n", 256, 0, {5}},
        {"NUL ends a line's text", head + std::string(nulLine, sizeof nulLine - 1), 256, 0, {5}},
        {"empty file", "", 256, 0, {}, false},
    };
    for (const Case& c : cases) {
        ScratchDirectory dir;
        writeWhole(dir.file("l.lut"), c.text);
        LutData lut;
        lut.values = {1, 2, 3};
        LutFile file;
        EXPECT_EQ(file.readLut(dir.file("l.lut").c_str(), lut, "[gray]", c.maxElements), c.result) << c.what;
        EXPECT_EQ(lut.values, c.values) << c.what;
        EXPECT_EQ(lut.nrOfElements, c.values.size()) << c.what;
        EXPECT_EQ(lut.sectionFound, c.sectionFound) << c.what;
    }
}

TEST(LutFileRead, AMissingFileFailsAndDropsTheOldValues)
{
    LutData lut;
    lut.values = {1};
    lut.nrOfElements = 1;
    LutFile file;
    EXPECT_EQ(file.readLut("/nonexistent/x.lut", lut, "[gray]", 256), -1);
    EXPECT_TRUE(lut.values.empty());
    LutData g, b;
    EXPECT_EQ(file.readRgbLut("/nonexistent/x.lut", lut, g, b, 256), -1);
    EXPECT_EQ(file.writeLut("/nonexistent/x.lut", lut), -1);
    EXPECT_FALSE(LutFile::checkFileExist(nullptr));
}

std::vector<std::uint32_t> curve(std::uint32_t inBits, std::uint32_t outBits, double gain, double gamma,
                                 double offset, std::uint32_t invert, std::size_t capacity = 256)
{
    std::vector<std::uint32_t> table(capacity + 1, 0xDEADBEEF);
    computeLutCurve(table.data(), capacity, inBits, outBits, gain, gamma, offset, invert);
    EXPECT_EQ(table.back(), 0xDEADBEEFu) << "wrote past the capacity";
    table.pop_back();
    return table;
}

TEST(LutCurve, ShapesForEightBits)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        double gain, gamma, offset;
        std::uint32_t invert;
        std::uint32_t (*expected)(std::uint32_t i);
    };
    const Case cases[] = {
        {"identity", 1, 1, 0, 0, [](std::uint32_t i) { return i; }},
        {"inverted", 1, 1, 0, 1, [](std::uint32_t i) { return 255 - i; }},
        {"invert only when exactly 1", 1, 1, 0, 2, [](std::uint32_t i) { return i; }},
        {"gain 2", 2, 1, 0, 0, [](std::uint32_t i) { return i >= 128 ? 255u : 2 * i; }},
        {"gain 2 inverted", 2, 1, 0, 1, [](std::uint32_t i) { return i >= 128 ? 0u : 255 - 2 * i; }},
        {"negative offset", 1, 1, -1, 0, [](std::uint32_t) { return 0u; }},
        {"gamma 0", 1, 0, 0, 0, [](std::uint32_t i) { return i == 255 ? 255u : 0u; }},
        {"negative gamma", 1, -1, 0, 0, [](std::uint32_t) { return 255u; }},
        {"NaN gamma", 1, nan, 0, 0, [](std::uint32_t) { return 255u; }},
        {"NaN gain", nan, 1, 0, 0, [](std::uint32_t) { return 255u; }},
        {"infinite gain", inf, 1, 0, 0, [](std::uint32_t) { return 255u; }},
        {"huge gain", 1e300, 1, 0, 0, [](std::uint32_t i) { return i == 0 ? 0u : 255u; }},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint32_t> table = curve(8, 8, c.gain, c.gamma, c.offset, c.invert);
        for (std::uint32_t i = 0; i < 256; ++i) {
            ASSERT_EQ(table[i], c.expected(i)) << c.what << " at " << i;
        }
    }
}

TEST(LutCurve, StaysWithinTheCapacityAndTheBitWidths)
{
    const std::vector<std::uint32_t> small = curve(12, 8, 1, 1, 0, 0, 16);
    EXPECT_EQ(small[15], static_cast<std::uint32_t>(15.0 / 4095.0 * 255 + 0.5));
    curve(40, 8, 1, 1, 0, 0, 16);
    const std::vector<std::uint32_t> single = curve(0, 8, 1, 1, 0, 0, 4);
    EXPECT_EQ(single[0], 255u);  // 0 / 0 is not a number: above the maximum
    EXPECT_EQ(single[1], 0xDEADBEEFu);
    const std::vector<std::uint32_t> wide = curve(8, 40, 1, 1, 0, 0);
    EXPECT_EQ(wide[255], 0x7FFFFFFFu);
    computeLutCurve(nullptr, 16, 8, 8, 1, 1, 0, 0);
}

}  // namespace
}  // namespace velm::units
