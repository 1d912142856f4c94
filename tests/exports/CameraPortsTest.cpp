// What the shared mechanics do for applets of one and of two cameras: Info
// answers per port and at the caller's word width, the "Direct PL Access"
// rule of each kind of applet, the event passes per camera, and registers
// that serve every camera.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "BuiltDeliverables.h"
#include "InstanceFixture.h"
#include "ParameterInfoRegistry.h"
#include "TestAppletIds.h"

namespace velm::test {
namespace {

using namespace velm::testapplet;

struct PortAnswer {
    const char* library;
    int32_t query;
    int32_t firstIndex;
    int32_t secondIndex;
    int32_t result;
};

TEST(CameraPorts, InfoAnswersOnePortAtATime)
{
    const PortAnswer cases[] = {
        {"testapplet1.so", 4704, 0, 0, 8},       {"testapplet1.so", 4704, 1, 0, -2070},
        {"testapplet1.so", 4704, 0, 5, 8},       {"testapplet1.so", 4656, 0, 1, -2070},
        {"testapplet2.so", 4704, 0, 0, 8},       {"testapplet2.so", 4704, 1, 0, 10},
        {"testapplet2.so", 4704, 2, 0, -2070},   {"testapplet2.so", 4704, -1, 0, -2070},
        {"testapplet2.so", 4704, 1, 3, 10},      {"testapplet2.so", 4656, 0, 0, 0},
        {"testapplet2.so", 4656, 1, 0, 1},       {"testapplet2.so", 4656, 1, 1, -2070},
        {"testapplet2.so", 4656, 2, 0, -2070},
    };
    for (const PortAnswer& c : cases) {
        AppletLibrary library(libraryPath(c.library));
        EXPECT_EQ(library.Info(c.query, c.firstIndex, c.secondIndex, nullptr, nullptr), c.result)
            << c.library << " " << c.query << " (" << c.firstIndex << ", " << c.secondIndex << ")";
    }
}

// The caller's location is one word of pointer width: a 32-bit caller's
// four bytes must never receive eight.
TEST(CameraPorts, InfoWritesOneWordOfPointerWidthAndNoMore)
{
    for (const std::string& file : exportingLibraries()) {
        AppletLibrary library(libraryPath(file));
        int32_t error = 0;
        AppletHandle handle{library.Std_entry(5, &error, 0)};
        ASSERT_NE(handle.instance, nullptr) << file;
        for (int32_t query : {1041, 1042, 2304, 4144, 4160}) {
            union {
                uintptr_t word;
                unsigned char bytes[16];
            } location;
            std::memset(location.bytes, 0xA5, sizeof location.bytes);
            void* address = nullptr;
            const int32_t result = library.Info(query, 0, 0, &location.word, &address);
            if (result == -2130) {
                continue;  // a question this library does not answer
            }
            EXPECT_EQ(result, 0) << file << " " << query;
            const std::size_t written = query == 2304 ? 4 : sizeof(uintptr_t);
            for (std::size_t i = written; i < sizeof location.bytes; ++i) {
                EXPECT_EQ(location.bytes[i], 0xA5) << file << " " << query << " wrote byte " << i;
            }
            if (query == 4144) {
                EXPECT_EQ(location.word, 5u) << file;
            }
            if (query == 1042) {
                EXPECT_EQ(std::string(static_cast<const char*>(address), location.word).substr(0, 4), "QRTB") << file;
            }
        }
        library.Fg_FreeGrabber(&handle);
    }
}

class CameraPortsInstance : public InstanceFixture {
protected:
    // A copy of the library beside an "inspect.conf" that admits one host
    // parameter as "DPLA_FG_TIMEOUT".
    void createWithHostParameter(const char* library, const std::string& copyName)
    {
        createBesideSettings(library, "[" + copyName + "]\nFG_TIMEOUT=yes\n", copyName + ".so");
        ASSERT_EQ(lib().Fg_getNrOfParameter(handle()), 12) << library;
    }

    bool hasDirectPlAccess(uint32_t port)
    {
        for (const ParameterInfoEntry* root = lib().Fg_getParameterInfo(handle(), port); root != nullptr;
             root = root->next) {
            if (std::strcmp(root->displayName, "Direct PL Access") == 0) {
                return true;
            }
        }
        return false;
    }
};

// Belcora's rule: the mirror category stands when "VELM_ENABLE_DPLA" asks for
// it. The two-camera applets' rule: whenever the settings admitted "DPLA_"
// parameters.
TEST_F(CameraPortsInstance, DirectPlAccessFollowsTheMirrorSwitchInBelcorasKind)
{
    createWithHostParameter("testapplet1.so", "singlecamera");
    EXPECT_FALSE(hasDirectPlAccess(0));
}

TEST_F(CameraPortsInstance, DirectPlAccessFollowsAdmittedHostParametersInTheTwoCameraKind)
{
    createWithHostParameter("testapplet2.so", "dualcamera");
    EXPECT_TRUE(hasDirectPlAccess(0));
    EXPECT_TRUE(hasDirectPlAccess(1));
}

TEST_F(CameraPortsInstance, DirectPlAccessIsLeftOutWithoutHostParametersInTheTwoCameraKind)
{
    create("testapplet2.so");
    EXPECT_FALSE(hasDirectPlAccess(0));
    EXPECT_FALSE(hasDirectPlAccess(1));
}

TEST_F(CameraPortsInstance, EventMapsAreBuiltOnePassPerCamera)
{
    create("testapplet2.so");
    // Camera 1's pass entered the design names again: event C's mask names
    // its design event, though camera 0's alias still finds it.
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "TEST_ALIAS_C_CAM0"), 4u);
    EXPECT_STREQ(lib().Fg_getEventName(handle(), 4), "Device1_Process0_Test_EventC");
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "TEST_ALIAS_A_CAM1"), 1u);
    EXPECT_STREQ(lib().Fg_getEventName(handle(), 1), "TEST_ALIAS_A_CAM1");
    // Event B is of another kind: no pass enters its design name, so its
    // alias keeps the mask's name.
    EXPECT_STREQ(lib().Fg_getEventName(handle(), 2), "TEST_ALIAS_B");
}

TEST_F(CameraPortsInstance, RegisterOfEveryCameraIsWrittenWithTheCallersPort)
{
    create("testapplet2.so");
    for (uint32_t port : {1u, 0u}) {
        simClearLog();
        ASSERT_EQ(lib().setInt(handle(), TEST_OUTPUT, 1, port), 0) << port;
        const std::vector<SimRegisterAccess> log = accessLog();
        ASSERT_EQ(log.size(), 1u) << port;
        EXPECT_EQ(log[0].registerId, 101u);
        EXPECT_EQ(log[0].index, port);
        EXPECT_EQ(log[0].value, 1u);
    }
    // Each port keeps its own value, though both drive the one register.
    EXPECT_EQ(lib().setInt(handle(), TEST_OUTPUT, 2, 1), 0);
    EXPECT_EQ(lib().getInt(handle(), TEST_OUTPUT, 0), 1);
    EXPECT_EQ(lib().getInt(handle(), TEST_OUTPUT, 1), 2);
    EXPECT_EQ(lib().setInt(handle(), TEST_OUTPUT, 1, 2), -2070);
}

}  // namespace
}  // namespace velm::test
