// Arventa's gray lookup tables: one table of 4096 entries per port, 12 bits
// in and out, written whole with the port as index, set entry by entry,
// and loaded from and saved to "[gray]" table files.
#include <filesystem>
#include <fstream>

#include "ArventaSupport.h"

namespace velm::test::arventa {
namespace {

// A gray table file whose first `written` entries are given by `value`.
template <typename Value>
std::string grayFile(int64_t declared, uint32_t written, Value value)
{
    std::string text = "# Lut data file v1.1\n\n\n\n[gray]\n\nid=3;\nnrOfElements=" + std::to_string(declared) +
                       ";\nformat=0;\nnumber=0;\n";
    for (uint32_t i = 0; i < written; ++i) {
        text += std::to_string(i) + "," + std::to_string(value(i)) + ";\n";
    }
    return text;
}

TEST_F(Arventa, EachPortStartsWithTheIdentityOfTwelveBits)
{
    for (uint32_t port : {0u, 1u}) {
        EXPECT_EQ(boardTable(at(kLut, port), port), identityTable(kGrayEntries)) << port;
        EXPECT_EQ(getElement(FG_LUT_VALUE, 4095, port), 4095) << port;
        EXPECT_EQ(getElement(FG_LUT_VALUE, 4096, port), -2070) << port;
        EXPECT_EQ(getInt(300007, port), 12);
        EXPECT_EQ(getInt(300008, port), 12);
    }
}

TEST_F(Arventa, CurveIsWrittenAsOneRecordOfTheSetPort)
{
    ASSERT_EQ(setDouble(FG_PROCESSING_GAIN, 2.0, 1), 0);
    ASSERT_EQ(accesses(), std::vector<Access>{tableWrite(at(kLut, 1), kGrayEntries, 1)});
    EXPECT_EQ(sentTable(0), doubledTable(kGrayEntries));
    EXPECT_EQ(boardTable(kLut, 0), identityTable(kGrayEntries)) << "port 0 keeps its table";

    ASSERT_EQ(setInt(FG_LUT_TYPE, 0, 1), 0);
    simClearLog();
    EXPECT_EQ(setDouble(FG_PROCESSING_GAIN, 3.0, 1), 0);
    EXPECT_EQ(setDouble(FG_PROCESSING_GAIN, 4096.5, 1), -6000);
    EXPECT_TRUE(accesses().empty()) << "a user's table is not computed";
    EXPECT_EQ(getDouble(FG_PROCESSING_GAIN, 1), 3.0);
}

TEST_F(Arventa, SingleEntriesAreCheckedAndWrittenAsElementsOfTheirPort)
{
    EXPECT_EQ(setElement(FG_LUT_VALUE, 1, 4096, 1), -6000);
    EXPECT_EQ(setElement(FG_LUT_VALUE, 4096, 1, 1), -6000);
    EXPECT_TRUE(accesses().empty());
    EXPECT_EQ(setElement(FG_LUT_VALUE, 4095, 4095, 1), 0);
    EXPECT_EQ(setElement(FG_LUT_VALUE, 9, 3, 1), 0);
    EXPECT_EQ(accesses(), (std::vector<Access>{elementWrite(at(kLut, 1), 4095, 4095, 1),
                                               elementWrite(at(kLut, 1), 9, 3, 1)}));
    EXPECT_EQ(getElement(FG_LUT_VALUE, 3, 1), 9);
    EXPECT_EQ(getElement(FG_LUT_VALUE, 3, 0), 3);
    // The curve, once written again, replaces the single entries.
    ASSERT_EQ(setInt(FG_LUT_TYPE, 3, 1), 0);
    EXPECT_EQ(getElement(FG_LUT_VALUE, 3, 1), 3);
}

TEST_F(Arventa, SavedTableIsAGraySectionOfAllEntries)
{
    ScratchDirectory scratch;
    ASSERT_EQ(setElement(FG_LUT_VALUE, 99, 17, 1), 0);
    const std::string name = scratch.file("gray.lut");
    ASSERT_EQ(setText(FG_LUT_SAVE_FILE, name.c_str(), 1), 0);
    EXPECT_EQ(fileContent(name), grayFile(kGrayEntries, kGrayEntries, [](uint32_t i) { return i == 17 ? 99 : i; }));
}

TEST_F(Arventa, GrayFileReplacesOnlyTheEntriesItHolds)
{
    ScratchDirectory scratch;
    const std::string short256 = scratch.file("short.lut");
    std::ofstream(short256) << grayFile(256, 256, [](uint32_t i) { return 4095 - i; });
    ASSERT_EQ(setInt(FG_LUT_TYPE, 0, 1), 0);
    simClearLog();
    ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, short256.c_str(), 1), 0);
    ASSERT_EQ(accesses(), std::vector<Access>{tableWrite(at(kLut, 1), kGrayEntries, 1)});
    const std::vector<uint32_t> sent = sentTable(0);
    EXPECT_EQ(sent[0], 4095u);
    EXPECT_EQ(sent[255], 3840u);
    EXPECT_EQ(sent[256], 256u);
    EXPECT_EQ(sent[4095], 4095u);

    // A count no table holds stands for a table's worth; the lines the file
    // lacks read 0.
    const std::string huge = scratch.file("huge.lut");
    std::ofstream(huge) << grayFile(2000000000, 3, [](uint32_t i) { return 40 + i; });
    ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, huge.c_str(), 1), 0);
    EXPECT_EQ(getElement(FG_LUT_VALUE, 2, 1), 42);
    EXPECT_EQ(getElement(FG_LUT_VALUE, 4095, 1), 0);

    EXPECT_EQ(setText(FG_LUT_CUSTOM_FILE, scratch.file("missing.lut").c_str(), 1), -2076);
    EXPECT_EQ(lib().getText(handle(), FG_LUT_CUSTOM_FILE, 1), huge);
    EXPECT_EQ(lib().getText(handle(), FG_LUT_CUSTOM_FILE, 0), "");
}

}  // namespace
}  // namespace velm::test::arventa
