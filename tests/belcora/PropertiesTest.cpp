// Belcora's Info answers, asked without an instance.
#include <atomic>
#include <cctype>
#include <thread>

#include "BelcoraSupport.h"

namespace velm::test::belcora {
namespace {

class BelcoraInfo : public ::testing::Test {
protected:
    int32_t ask(int32_t query, int32_t first = 0, int32_t second = 0)
    {
        return lib_.Info(query, first, second, nullptr, nullptr);
    }
    int32_t value(const char* name)
    {
        return lib_.Info(4352, 0, 0, reinterpret_cast<uintptr_t*>(const_cast<char*>(name)), nullptr);
    }

    AppletLibrary lib_{libraryPath("belcora.so")};
};

const std::pair<const char*, int32_t> kEnumerationNames[] = {
    {"FG_CL_MEDIUM_RGB_24", 214}, {"FG_YES", 1}, {"FG_NO", 0}, {"SMODE_UNCHANGED", 0}, {"SMODE_REVERSE", 3},
    {"SMODE_TAB2_0", 1}, {"SMODE_TAB2_1", 4}, {"SMODE_TAB2_2", 6}, {"FG_FALSE", 0}, {"FG_TRUE", 1},
    {"FG_APPLY", 1}, {"FG_COL24", 2}, {"FG_GENERATOR", 1}, {"FG_ON", 1}, {"FG_OFF", 0},
    {"LUT_TYPE_PROCESSING", 3}, {"LUT_TYPE_CUSTOM", 0}, {"LUT_IMPLEMENTATION_FULL_LUT", 0},
    {"LUT_IMPLEMENTATION_KNEELUT", 1}, {"TRGINSRC_0", 0}, {"TRGINSRC_1", 1}, {"TRGINSRC_2", 2},
    {"TRGINSRC_3", 3}, {"TRGINSRC_4", 4}, {"TRGINSRC_5", 5}, {"TRGINSRC_6", 6}, {"TRGINSRC_7", 7},
    {"VCC", 5}, {"GND", 4}, {"FG_LEFT_ALIGNED", 1}, {"FG_RIGHT_ALIGNED", 0}, {"FG_CAMPORT", 0},
};

TEST_F(BelcoraInfo, EnumerationNamesGiveTheirValuesExactly)
{
    ASSERT_EQ(std::size(kEnumerationNames), 32u);
    for (const auto& [name, expected] : kEnumerationNames) {
        EXPECT_EQ(value(name), expected) << name;
    }
    EXPECT_EQ(value("fg_yes"), -2070);
    EXPECT_EQ(value("FG_MAYBE"), -2070);
    EXPECT_EQ(lib_.Info(4352, 0, 0, nullptr, nullptr), -2070);
}

TEST_F(BelcoraInfo, EnumerationNamesAnswerEightThreadsAtOnceOnFirstUse)
{
    std::atomic<int> ready{0};
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&] {
            ++ready;
            while (ready < 8) {
                std::this_thread::yield();
            }
            for (const auto& [name, expected] : kEnumerationNames) {
                wrong += value(name) != expected ? 1 : 0;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(BelcoraInfo, NumericAnswersAndIndexChecks)
{
    const std::pair<int32_t, int32_t> answers[] = {
        {848, 1},  {1040, 0}, {1045, 1}, {1792, 1}, {1872, 1}, {1888, 1}, {2048, 65536}, {2160, 0},
        {2176, 2626}, {2192, 0}, {2560, 0}, {2816, 0}, {3072, 1}, {3328, 0}, {4608, 1}, {4624, 1},
        {4640, 1}, {4656, 0}, {4672, 0}, {4688, 1}, {4704, 8}, {9999, -2130}, {0, -2130},
    };
    for (const auto& [query, expected] : answers) {
        EXPECT_EQ(ask(query), expected) << query;
    }
    for (int32_t query : {4624, 4640, 4688, 4704}) {
        EXPECT_EQ(ask(query, 1, 0), -2070) << query;
        EXPECT_EQ(ask(query, 0, 1), query == 4704 ? 8 : 1) << query;
    }
    for (int32_t query : {4656, 4672}) {
        EXPECT_EQ(ask(query, 0, 1), -2070) << query;
        EXPECT_EQ(ask(query, 1, 0), -2070) << query;
    }
    // Only the low four bytes of the word are written.
    uintptr_t word = ~uintptr_t{0};
    EXPECT_EQ(lib_.Info(2304, 0, 0, &word, nullptr), 0);
    EXPECT_EQ(word & 0xFFFFFFFFu, 0u);
    EXPECT_EQ(word >> 16 >> 16, ~uintptr_t{0} >> 16 >> 16);
}

TEST_F(BelcoraInfo, TextAnswers)
{
    const std::pair<int32_t, const char*> answers[] = {
        {4096, "Fitcores with support of Tidestream technology, 24Bit RGB image processing and lookup table for one "
               "Camera Link Medium configuration RGB line scan camera."},
        {4112, "Fitcores:Line"},
        {4128, "class=standard,family=acquisition,type=single,sensortype=line,color=rgb,interface=cl-medium"},
        {4176, "Belcora"},
        {4192, "1.0.1.0"},
        {4208, "1.0.1.0.20151218.010132"},
        {1044, ""},
    };
    for (const auto& [query, expected] : answers) {
        void* text = nullptr;
        EXPECT_EQ(lib_.Info(query, 0, 0, nullptr, &text), 0) << query;
        ASSERT_NE(text, nullptr) << query;
        EXPECT_STREQ(static_cast<const char*>(text), expected) << query;
    }
    uintptr_t untouched = 7;
    EXPECT_EQ(lib_.Info(4128, 0, 0, &untouched, nullptr), 0);
    EXPECT_EQ(untouched, 7u);
}

TEST_F(BelcoraInfo, BoardHandleIsZeroBeforeAnyCreation)
{
    uintptr_t board = 0xDEAD;
    EXPECT_EQ(lib_.Info(4144, 0, 0, &board, nullptr), 0);
    EXPECT_EQ(board, 0u);
}

uint32_t bigEndian(const unsigned char* bytes)
{
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

TEST_F(BelcoraInfo, IconIsAThirtyTwoPixelPngOfTheAnsweredSize)
{
    uintptr_t size = 0;
    void* data = nullptr;
    ASSERT_EQ(lib_.Info(1041, 0, 0, &size, &data), 0);
    ASSERT_NE(data, nullptr);
    ASSERT_GT(size, 33u);
    const auto* png = static_cast<const unsigned char*>(data);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(png), 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(png) + 12, 4), "IHDR");
    EXPECT_EQ(bigEndian(png + 16), 32u);
    EXPECT_EQ(bigEndian(png + 20), 32u);
    // The chunks end with IEND exactly at the answered size.
    uint64_t at = 8;
    std::string type;
    while (at + 12 <= size && type != "IEND") {
        type.assign(reinterpret_cast<const char*>(png) + at + 4, 4);
        at += 12 + bigEndian(png + at);
    }
    EXPECT_EQ(type, "IEND");
    EXPECT_EQ(at, size);
}

TEST_F(BelcoraInfo, DesignBlockIsTheDesignWithItsSize)
{
    uintptr_t size = 0;
    void* data = nullptr;
    ASSERT_EQ(lib_.Info(1042, 0, 0, &size, &data), 0);
    ASSERT_NE(data, nullptr);
    const std::string block(static_cast<const char*>(data), size);
    EXPECT_EQ(block.substr(0, 4), "QRTB");
    EXPECT_EQ(block, fileContent(libraryPath("Belcora.hap")));
}

TEST_F(BelcoraInfo, IdentityIsAGuid)
{
    void* data = nullptr;
    ASSERT_EQ(lib_.Info(1043, 0, 0, nullptr, &data), 0);
    ASSERT_NE(data, nullptr);
    const std::string guid(static_cast<const char*>(data));
    ASSERT_EQ(guid.size(), 36u);
    for (std::size_t i = 0; i < guid.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        EXPECT_TRUE(dash ? guid[i] == '-' : std::isxdigit(static_cast<unsigned char>(guid[i])) != 0) << guid;
    }
}

}  // namespace
}  // namespace velm::test::belcora
