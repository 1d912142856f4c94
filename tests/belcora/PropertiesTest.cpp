// Belcora's Info answers, asked without an instance (the icon, the design
// block, the identity and the enumeration names are checked with every
// applet's).
#include <atomic>
#include <thread>

#include "AppletFacts.h"
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

TEST_F(BelcoraInfo, EnumerationNamesAnswerEightThreadsAtOnceOnFirstUse)
{
    const std::vector<applets::EnumerationName> names = applets::belcoraFacts().enumerationNames;
    std::atomic<int> ready{0};
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&] {
            ++ready;
            while (ready < 8) {
                std::this_thread::yield();
            }
            for (const applets::EnumerationName& entry : names) {
                wrong += value(entry.name) != entry.value ? 1 : 0;
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

}  // namespace
}  // namespace velm::test::belcora
