// Creation and destruction of instances: the order of Std_entry's steps,
// its failures, the design it opens and the host handle it opens and closes.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "AppletLibrary.h"

namespace velm::test {
namespace {

std::size_t registerWrites()
{
    std::size_t writes = 0;
    for (const SimRegisterAccess& access : accessLog()) {
        writes += access.operation == kSimWrite ? 1 : 0;
    }
    return writes;
}

TEST(Creation, OneCameraLibraryRefusesTheSlaveFlagBeforeLoadingTheHost)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    int32_t error = 0;
    EXPECT_EQ(library.Std_entry(0, &error, 1), nullptr);
    EXPECT_EQ(error, -2070);
    EXPECT_EQ(simHostLoadCount(), 0);
    EXPECT_EQ(simOpenDesignCount(), 0);
}

TEST(Creation, TwoCameraSlaveReachesTheHostAndMakesNoInitialWrites)
{
    AppletLibrary library(libraryPath("testapplet2.so"));
    int32_t error = 1;
    AppletHandle slave{library.Std_entry(0, &error, 1)};
    ASSERT_NE(slave.instance, nullptr);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(callLogged("Fg_InitHandleSlaveAware(TestApplet.hap,0,slave=1)"));
    EXPECT_EQ(registerWrites(), 0u);
    library.Fg_FreeGrabber(&slave);

    simClearLog();
    AppletHandle master{library.Std_entry(0, &error, 0)};
    ASSERT_NE(master.instance, nullptr);
    EXPECT_TRUE(callLogged("Fg_InitHandleSlaveAware(TestApplet.hap,0,slave=0)"));
    // The nine generator registers are cleared first.
    EXPECT_EQ(registerWrites(), 9u);
    library.Fg_FreeGrabber(&master);
}

TEST(Creation, NullErrorPointerStillGivesTheInstanceOrNull)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    AppletHandle handle{library.Std_entry(0, nullptr, 0)};
    ASSERT_NE(handle.instance, nullptr);
    library.Fg_FreeGrabber(&handle);
    EXPECT_EQ(library.Std_entry(0, nullptr, 1), nullptr);
}

TEST(Creation, EmbeddedDesignUnlessTheExternalOneIsAskedFor)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    ScratchDirectory scratch;
    int32_t error = 1;
    {
        AppletHandle handle{library.Std_entry(0, &error, 0)};
        ASSERT_NE(handle.instance, nullptr);
        EXPECT_TRUE(callLogged("openDesignMemory("));
        EXPECT_FALSE(callLogged("openDesignFile("));
        library.Fg_FreeGrabber(&handle);
    }
#ifdef _WIN32
    // The C library there keeps no empty variables (an empty value removes
    // one), so a process cannot give itself one to test with.
    const std::vector<const char*> values = {"1"};
#else
    const std::vector<const char*> values = {"1", ""};
#endif
    for (const char* value : values) {
        ScopedEnvironment external("__VELM_FORCE_EXTERNAL_HAP", value);
        simClearLog();
        // No design file in the working directory.
        EXPECT_EQ(library.Std_entry(0, &error, 0), nullptr) << "value '" << value << "'";
        EXPECT_EQ(error, -100);
        EXPECT_TRUE(callLogged("openDesignFile(TestApplet.hap,2626,1)"));

        std::ifstream source(libraryPath("TestApplet.hap"), std::ios::binary);
        std::ofstream(scratch.file("TestApplet.hap"), std::ios::binary) << source.rdbuf();
        AppletHandle handle{library.Std_entry(0, &error, 0)};
        EXPECT_NE(handle.instance, nullptr);
        EXPECT_EQ(error, 0);
        library.Fg_FreeGrabber(&handle);
        std::filesystem::remove(scratch.file("TestApplet.hap"));
    }
}

TEST(Creation, FailedInnerInitReportsTheHostsErrorAndReleasesTheDesign)
{
    AppletLibrary library(libraryPath("testapplet2.so"));
    simFailCall("Fg_InitHandleSlaveAware", 0, -2222, 0, 1);
    int32_t error = 0;
    EXPECT_EQ(library.Std_entry(0, &error, 0), nullptr);
    EXPECT_EQ(error, -2222);
    EXPECT_EQ(simOpenDesignCount(), 0);
    EXPECT_EQ(simHostOpenHandleCount(), 0);
}

TEST(Creation, HostLibraryIsLoadedPerInstanceAndFreedWithIt)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    int32_t error = 0;
    AppletHandle handle{library.Std_entry(0, &error, 0)};
    ASSERT_NE(handle.instance, nullptr);
    EXPECT_EQ(simHostOpenHandleCount(), 1);
    EXPECT_EQ(simOpenDesignCount(), 1);
    EXPECT_EQ(library.Fg_FreeGrabber(&handle), 0);
    EXPECT_EQ(simHostOpenHandleCount(), 0);
    EXPECT_EQ(simOpenDesignCount(), 0);
    EXPECT_EQ(simHostLoadCount(), simHostUnloadCount());
}

TEST(Creation, ExceptionDuringCreationBecomesACodeAndLeavesNothingOpen)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    ScopedEnvironment fail("VELM_TEST_FAIL_CREATION", "1");
    int32_t error = 0;
    EXPECT_EQ(library.Std_entry(0, &error, 0), nullptr);
    EXPECT_EQ(error, -1);
    EXPECT_EQ(simOpenDesignCount(), 0);
    EXPECT_EQ(simHostOpenHandleCount(), 0);
}

TEST(Creation, MissingHostLibraryGivesHostMissing)
{
    AppletLibrary library(libraryPath("nohost/testapplet_nohost.so"));
    int32_t error = 0;
    EXPECT_EQ(library.Std_entry(0, &error, 0), nullptr);
    EXPECT_EQ(error, -2031);
    EXPECT_EQ(simOpenDesignCount(), 0);
}

TEST(Creation, LastSuccessfulCreationIsRememberedForInfo)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    uintptr_t board = 99;
    EXPECT_EQ(library.Info(4144, 0, 0, &board, nullptr), 0);
    EXPECT_EQ(board, 0u);

    int32_t error = 0;
    AppletHandle first{library.Std_entry(3, &error, 0)};
    ASSERT_NE(first.instance, nullptr);
    uintptr_t design = 0;
    library.Info(4144, 0, 0, &board, nullptr);
    library.Info(4160, 0, 0, &design, nullptr);
    EXPECT_EQ(board, 3u);
    EXPECT_NE(design, 0u);

    // Board 0 leaves the remembered board as it was; the values outlive the
    // instances.
    AppletHandle second{library.Std_entry(0, &error, 0)};
    ASSERT_NE(second.instance, nullptr);
    library.Fg_FreeGrabber(&first);
    library.Fg_FreeGrabber(&second);
    library.Info(4144, 0, 0, &board, nullptr);
    EXPECT_EQ(board, 3u);
}

}  // namespace
}  // namespace velm::test
