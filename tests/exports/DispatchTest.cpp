// Parameter calls through the exports: the three id windows, direct register
// access, the instance lock, the lookups, events, forwarded acquisition
// calls, the shading answers, and what becomes of everything thrown inside.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

#include "InstanceFixture.h"
#include "TestAppletIds.h"

namespace velm::test {
namespace {

using namespace velm::testapplet;

// The test applet's instance; one camera unless a test says otherwise.
class Instance : public InstanceFixture {
protected:
    void create(const char* file = "testapplet1.so") { InstanceFixture::create(file); }
};

TEST_F(Instance, IdWindowsRouteToHostRegisterOrApplet)
{
    ScopedEnvironment direct("VELM_ENABLE_DRA", "On");
    create();
    // Above 2000000: the host's own parameter, with 2000000 taken off.
    simHostSetParameter(1, 0, 0);
    EXPECT_EQ(lib().setInt(handle(), 2000001, 77), 0);
    EXPECT_EQ(simHostGetParameter(1, 0), 77);
    EXPECT_EQ(lib().getInt(handle(), 2000001), 77);
    // 2000000 itself is a design register with direct access on; the test
    // design has no register 1000000, so the board refuses the write.
    EXPECT_EQ(lib().setInt(handle(), 2000000, 5), -2070);
    std::vector<SimRegisterAccess> log = accessLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].library, kSimThroughHardware);
    EXPECT_EQ(log[0].registerId, 1000000u);
    EXPECT_EQ(log[0].result, -2070);
    // Ids the applet does not know reach its switch.
    EXPECT_EQ(lib().setInt(handle(), 12345, 1), -2070);
}

TEST_F(Instance, DirectAccessOffLeavesRegisterIdsToTheApplet)
{
    create();
    EXPECT_EQ(lib().setInt(handle(), 1000001, 1), -2070);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -2070);
    EXPECT_TRUE(accessLog().empty());
}

TEST_F(Instance, DirectRegisterWritesTakeThirtyTwoBitsAndReadsFollowTheWidth)
{
    ScopedEnvironment direct("VELM_ENABLE_DRA", "TRUE");
    create();
    // A 64-bit register still takes only the 32 bits at the pointer.
    uint64_t wide = 0xAABBCCDD11223344ull;
    EXPECT_EQ(lib().Fg_setParameterWithType(handle(), 1000104, &wide, 0, 0), 0);
    uint64_t stored = 0;
    simGetRegister(0, 104, 0, &stored);
    EXPECT_EQ(stored, 0x11223344ull);

    simSetRegister(0, 101, 0, 0x1234);
    simSetRegister(0, 103, 0, 0x0000BEEF12345678ull);
    struct Guarded {
        uint32_t low;
        uint32_t high;
        uint32_t guard;
    };
    Guarded narrow{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_EQ(lib().Fg_getParameterWithType(handle(), 1000101, &narrow, 0, 0), 0);
    EXPECT_EQ(narrow.low, 0x1234u);
    EXPECT_EQ(narrow.high, 0xFFFFFFFFu) << "a 16-bit register writes 4 bytes";
    Guarded wideRead{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_EQ(lib().Fg_getParameterWithType(handle(), 1000103, &wideRead, 0, 0), 0);
    EXPECT_EQ(wideRead.low, 0x12345678u);
    EXPECT_EQ(wideRead.high, 0x0000BEEFu) << "a 48-bit register writes 8 bytes";
    EXPECT_EQ(wideRead.guard, 0xFFFFFFFFu);

    simFailCall("readRegister", 0, -333, 0, 1);
    Guarded failed{1, 2, 3};
    EXPECT_EQ(lib().Fg_getParameterWithType(handle(), 1000103, &failed, 0, 0), -333);
    EXPECT_EQ(failed.low, 1u);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -333);
}

TEST_F(Instance, LastErrorFollowsEverySetAndGet)
{
    create();
    EXPECT_EQ(lib().setInt(handle(), TEST_VALUE, 101), -6000);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -6000);
    EXPECT_EQ(lib().setInt(handle(), TEST_VALUE, 100), 0);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), 0);
    EXPECT_EQ(lib().getInt(handle(), TEST_VALUE), 100);
}

TEST_F(Instance, NullValuePointerIsRefusedForEveryValueType)
{
    create();
    for (int32_t type : {0, 1, 2, 3, 4, 5, 4098}) {
        EXPECT_EQ(lib().Fg_setParameterWithType(handle(), TEST_VALUE, nullptr, 0, type), -2070);
        EXPECT_EQ(lib().Fg_getParameterWithType(handle(), TEST_VALUE, nullptr, 0, type), -2070);
        EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -2070);
    }
}

TEST_F(Instance, TypesThreeAndFourClearEightBytesEvenForARefusedId)
{
    create();
    for (int32_t type : {3, 4}) {
        unsigned char value[8];
        std::memset(value, 0xAB, sizeof value);
        EXPECT_EQ(lib().Fg_getParameterWithType(handle(), 4242, value, 0, type), -2070);
        for (unsigned char byte : value) {
            EXPECT_EQ(byte, 0);
        }
    }
    unsigned char untouched[8];
    std::memset(untouched, 0xAB, sizeof untouched);
    EXPECT_EQ(lib().Fg_getParameterWithType(handle(), 4242, untouched, 0, 2), -2070);
    EXPECT_EQ(untouched[7], 0xAB);
}

TEST_F(Instance, LookupsByNameIndexAndId)
{
    create();
    EXPECT_EQ(lib().Fg_getNrOfParameter(handle()), 11);
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 0), "TEST_VALUE");
    EXPECT_EQ(lib().Fg_getParameterId(handle(), 0), TEST_VALUE);
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "TEST_SLOW"), TEST_SLOW);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), 0);
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), ""), -2070);
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), nullptr), -2070);
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "test_slow"), -2070);
    EXPECT_EQ(lib().Fg_getParameterName(handle(), 11), nullptr);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -2070);
    EXPECT_EQ(lib().Fg_getParameterName(handle(), -1), nullptr);
    EXPECT_EQ(lib().Fg_getParameterId(handle(), 11), -2070);
}

TEST_F(Instance, DirectRegisterNamesFollowTheApplets)
{
    ScopedEnvironment direct("VELM_ENABLE_DRA", "1");
    create();
    // Fourteen registers in the test design, in design order after the
    // eleven parameters.
    EXPECT_EQ(lib().Fg_getNrOfParameter(handle()), 25);
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 11), "DRA_Device1_Process0_Test_Narrow");
    EXPECT_EQ(lib().Fg_getParameterId(handle(), 11), 1000101);
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "DRA_AAGenRoll"), 1000209);
}

TEST(DirectAccessSwitch, OnlyEnabledValuesTurnItOn)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    const std::pair<const char*, int32_t> cases[] = {{"TRUE", 25}, {"On", 25}, {"1", 25},  {"yes", 25},
                                                     {"2", 11},    {"enabled", 11}, {"", 11}, {nullptr, 11}};
    for (const auto& [value, parameters] : cases) {
        ScopedEnvironment direct("VELM_ENABLE_DRA", value);
        int32_t error = 0;
        AppletHandle handle{library.Std_entry(0, &error, 0)};
        ASSERT_NE(handle.instance, nullptr);
        EXPECT_EQ(library.Fg_getNrOfParameter(&handle), parameters) << (value ? value : "unset");
        library.Fg_FreeGrabber(&handle);
    }
}

TEST_F(Instance, EventsByDesignNameAndAlias)
{
    create();
    // Event A is position 0, B (kind 2) position 1, C position 2.
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "Device1_Process0_Test_EventA"), 1u);
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "Device1_Process0_Test_EventC"), 4u);
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "Device1_Process0_Test_EventB"), 0u) << "kind 2 is not entered";
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -2070);
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "TEST_ALIAS_B"), 2u) << "an alias takes any kind";
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "TEST_ALIAS_MISSING"), 0u);
    EXPECT_STREQ(lib().Fg_getEventName(handle(), 2), "TEST_ALIAS_B");
    EXPECT_STREQ(lib().Fg_getEventName(handle(), 4), "Device1_Process0_Test_EventC");
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), 0);
    EXPECT_EQ(lib().Fg_getEventName(handle(), 8), nullptr);
    EXPECT_EQ(lib().Fg_getEventMask(handle(), nullptr), 0u);
}

TEST_F(Instance, EventPositionsPastSixtyThreeGetNoMask)
{
    ScratchDirectory scratch;
    {
        std::ofstream design(scratch.file("TestApplet.hap"));
        design << "QRTB\nregister 102 32 rw Device1_Process0_Test_Word\n";
        for (int i = 0; i < 70; ++i) {
            design << "event 1 E" << i << "\n";
        }
        design << "end\n";
    }
    ScopedEnvironment external("__VELM_FORCE_EXTERNAL_HAP", "1");
    create();
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "E63"), uint64_t{1} << 63);
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "E64"), 0u);
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "E69"), 0u);
}

TEST_F(Instance, TwoThreadsNeverRunTheSwitchAtOnce)
{
    create();
    std::atomic<bool> go{false};
    auto hammer = [&] {
        while (!go) {
        }
        for (int i = 0; i < 200; ++i) {
            lib().setInt(handle(), TEST_SLOW, i);
        }
    };
    std::thread first(hammer);
    std::thread second(hammer);
    go = true;
    first.join();
    second.join();
    EXPECT_EQ(lib().getInt(handle(), TEST_OVERLAPS), 0);
}

TEST_F(Instance, ReentryOnTheOwningThreadBecomesACodeNotACrash)
{
    create();
    EXPECT_EQ(lib().setInt(handle(), TEST_REENTER, 5), -2130);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -2130);
    EXPECT_EQ(lib().getText(handle(), TEST_MESSAGE), "GenericLock object got lock but is already marked as locked");
    // The lock is free again afterwards.
    EXPECT_EQ(lib().setInt(handle(), TEST_VALUE, 3), 0);
}

TEST_F(Instance, ThrownObjectsBecomeCodes)
{
    create();
    EXPECT_EQ(lib().setInt(handle(), TEST_THROW, 1), -1) << "out of memory";
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -1);
    EXPECT_EQ(lib().setInt(handle(), TEST_THROW, 2), -2130) << "runtime error";
    EXPECT_EQ(lib().setInt(handle(), TEST_THROW, 3), -7080) << "integer code";
    EXPECT_EQ(lib().setInt(handle(), TEST_THROW, 4), 0);
}

TEST_F(Instance, UnsupportedDmaOperationsRaiseTheirMessages)
{
    create();
    const char* messages[] = {"processChannelToDma() is not implemented.", "mapDmaToFormat() is not implemented.",
                              "setDmaAlignment() is not implemented.", "getDmaAlignment() is not implemented."};
    for (int32_t operation = 0; operation < 4; ++operation) {
        EXPECT_EQ(lib().setInt(handle(), TEST_DMA, operation), -2130);
        EXPECT_EQ(lib().getText(handle(), TEST_MESSAGE), messages[operation]);
    }
}

TEST_F(Instance, ShadingIsNotSupported)
{
    create();
    EXPECT_EQ(lib().Fg_AllocShading(handle(), 0, 0), nullptr);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -1);
    EXPECT_EQ(lib().Fg_FreeShading(handle(), nullptr), -2130);
    EXPECT_EQ(lib().Shad_GetAccess(handle(), nullptr), -2130);
    EXPECT_EQ(lib().Shad_FreeAccess(handle(), nullptr), -2130);
    EXPECT_EQ(lib().Shad_GetMaxLine(handle(), nullptr), -2130);
    EXPECT_EQ(lib().Shad_SetSubValueLine(handle(), nullptr, 0, 0, 1.0f), -2130);
    EXPECT_EQ(lib().Shad_SetMultValueLine(handle(), nullptr, 0, 0, 1.0f), -2130);
    EXPECT_EQ(lib().Shad_SetFixedPatternNoiseLine(handle(), nullptr, 0, 0, 1), -2130);
    EXPECT_EQ(lib().Shad_WriteActLine(handle(), nullptr, 0), -2130);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -2130);
}

TEST_F(Instance, AcquisitionCallsGoToTheHost)
{
    create();
    simHostSetResult("Fg_AcquireEx", 0);
    EXPECT_EQ(lib().Fg_AcquireEx(handle(), 0, 10, 0, 0), 0);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), 0);
    simHostSetResult("Fg_getStatusEx", 42);
    EXPECT_EQ(lib().Fg_getStatusEx(handle(), 1, 2, 0, 3), 42);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), 0);
    EXPECT_EQ(lib().Fg_getAppletId(handle(), nullptr), 0x5A1);

    // A negative answer is passed on; the last error is the host's own.
    simHostSetResult("Fg_stopAcquireEx", -1);
    simHostSetLastError(-2111);
    EXPECT_EQ(lib().Fg_stopAcquireEx(handle(), 0, 0, 0), -1);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -2111);
    simFailCall("Fg_getLastPicNumberBlockingEx", 0, -2120, 0, 1);
    EXPECT_EQ(lib().Fg_getLastPicNumberBlockingEx(handle(), 1, 0, 10, 0), -2120);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -2120);
    EXPECT_GT(lib().Fg_getLastPicNumberEx(handle(), 0, 0), 0);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), 0);
}

}  // namespace
}  // namespace velm::test
