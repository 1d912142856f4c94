// Behaviour against host libraries that lack one export each. Every suite
// runs with its variant first in the library search path (set by the build);
// each expects what only its variant gives, so a run against the full host
// fails rather than passes unnoticed.
#include <gtest/gtest.h>

#include "AppletLibrary.h"

namespace velm::test {
namespace {

AppletHandle create(AppletLibrary& library, const char* file, int32_t flag = 0)
{
    int32_t error = 0;
    AppletHandle handle{library.Std_entry(0, &error, flag)};
    EXPECT_NE(handle.instance, nullptr) << file << ": " << error;
    return handle;
}

TEST(NoSlaveAware, PlainInitIsUsedWithoutTheSlaveFlag)
{
    AppletLibrary library(libraryPath("testapplet2.so"));
    AppletHandle handle = create(library, "testapplet2.so", 1);
    EXPECT_TRUE(callLogged("Fg_InitHandle(TestApplet.hap,0)"));
    EXPECT_FALSE(callLogged("Fg_InitHandleSlaveAware"));
    library.Fg_FreeGrabber(&handle);
}

TEST(NoInit, NeitherInitEntryPointGivesHostMissing)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    int32_t error = 0;
    EXPECT_EQ(library.Std_entry(0, &error, 0), nullptr);
    EXPECT_EQ(error, -2031);
    EXPECT_EQ(simOpenDesignCount(), 0);
}

TEST(NoLastError, FailedInitWithoutTheHostsLastErrorReportsDesignNotOpened)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    simFailCall("Fg_InitHandleSlaveAware", 0, -2222, 0, 1);
    int32_t error = 0;
    EXPECT_EQ(library.Std_entry(0, &error, 0), nullptr);
    EXPECT_EQ(error, -100);
}

TEST(NoLastError, NegativeForwardedAnswerStoresHostFunctionMissing)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    AppletHandle handle = create(library, "testapplet1.so");
    simHostSetResult("Fg_AcquireEx", -5);
    EXPECT_EQ(library.Fg_AcquireEx(&handle, 0, 1, 0, 0), -5);
    EXPECT_EQ(library.Fg_getLastErrorNumber(&handle), -12);
    library.Fg_FreeGrabber(&handle);
}

TEST(NoStatus, MissingForwardedFunctionAnswersAndStoresMinusTwelve)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    AppletHandle handle = create(library, "testapplet1.so");
    EXPECT_EQ(library.Fg_getStatusEx(&handle, 0, 0, 0, 0), -12);
    EXPECT_EQ(library.Fg_getLastErrorNumber(&handle), -12);
    library.Fg_FreeGrabber(&handle);
}

TEST(NoFreeGrabber, FreeStillDeletesTheInstanceAndAnswersZero)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    AppletHandle handle = create(library, "testapplet1.so");
    EXPECT_FALSE(callLogged("Fg_FreeGrabber"));
    EXPECT_EQ(library.Fg_FreeGrabber(&handle), 0);
    EXPECT_EQ(handle.instance, nullptr);
    EXPECT_EQ(simOpenDesignCount(), 0);
}

TEST(NoParameterInfo, TreeIsNotHandedOutWithoutTheHostsFunction)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    AppletHandle handle = create(library, "testapplet1.so");
    EXPECT_EQ(library.Fg_getParameterInfo(&handle, 0), nullptr);
    // The instance has its tree all the same.
    size_t size = 0;
    EXPECT_EQ(library.Fg_getParameterInfoXML(&handle, 0, nullptr, &size), 0);
    EXPECT_GT(size, 1u);
    library.Fg_FreeGrabber(&handle);
}

}  // namespace
}  // namespace velm::test
