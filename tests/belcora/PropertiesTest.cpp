// Belcora's Info answers, asked without an instance, beyond those its facts
// hold for the tests of every applet.
#include <atomic>
#include <thread>

#include "AppletFacts.h"
#include "BelcoraSupport.h"

namespace velm::test::belcora {
namespace {

class BelcoraInfo : public ::testing::Test {
protected:
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
                wrong += lib_.enumerationValue(entry.name) != entry.value ? 1 : 0;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, 0);
}

// The numbers and texts stand in Belcora's facts, asked with every applet's.
TEST_F(BelcoraInfo, OnlyTheLowFourBytesOfTheWordAreWrittenAndTextsLeaveItAlone)
{
    uintptr_t word = ~uintptr_t{0};
    EXPECT_EQ(lib_.Info(2304, 0, 0, &word, nullptr), 0);
    EXPECT_EQ(word & 0xFFFFFFFFu, 0u);
    EXPECT_EQ(word >> 16 >> 16, ~uintptr_t{0} >> 16 >> 16);
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
