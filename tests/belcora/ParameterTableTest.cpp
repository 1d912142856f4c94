// Belcora's vocabulary beyond its 74 parameters and its events (which the
// tests of every applet check): the register ("DRA_") and host ("DPLA_")
// names that follow them.
#include <fstream>

#include "BelcoraSupport.h"

namespace velm::test::belcora {
namespace {

TEST(BelcoraVocabulary, RegisterNamesFollowTheTableAndEnabledHostNamesFollowThem)
{
    ScratchDirectory scratch;
    IsolatedLibrary copy(scratch, "belcora.so", "belcora.so");
    std::ofstream(scratch.file("inspect.conf")) << "[belcora]\nFG_TIMEOUT=TRUE\nFG_TRANSFER_LEN=off\n";
    ScopedEnvironment direct("VELM_ENABLE_DRA", "On");
    AppletLibrary lib(copy.path());
    AppletHandle handle{lib.Std_entry(0, nullptr, 0)};
    ASSERT_NE(handle.instance, nullptr);

    // The 41 registers of the design, in design order, then the one host name.
    EXPECT_EQ(lib.Fg_getNrOfParameter(&handle), 74 + 41 + 1);
    EXPECT_STREQ(lib.Fg_getParameterName(&handle, 73), "FG_CC4");
    EXPECT_STREQ(lib.Fg_getParameterName(&handle, 74), "DRA_Device1_Process0_LookupTable_R_LUTcontent");
    EXPECT_STREQ(lib.Fg_getParameterName(&handle, 95), "DRA_Device1_Process1_Trigger_SetOut3_Mode");
    EXPECT_STREQ(lib.Fg_getParameterName(&handle, 114), "DRA_AAGenRoll");
    EXPECT_EQ(lib.Fg_getParameterIdByName(&handle, "DRA_AAGenRoll"), 1000000 + kGenRoll);
    EXPECT_EQ(lib.Fg_getParameterId(&handle, 74), 1000000 + kLutRed);
    EXPECT_STREQ(lib.Fg_getParameterName(&handle, 115), "DPLA_FG_TIMEOUT");
    lib.Fg_FreeGrabber(&handle);
}

TEST(BelcoraVocabulary, HostTreeMakesItsIntegerEnumerationAndRegisterEntriesHostNames)
{
    ScopedEnvironment mirror("VELM_ENABLE_DPLA", "yes");
    AppletLibrary lib(libraryPath("belcora.so"));
    AppletHandle handle{lib.Std_entry(0, nullptr, 0)};
    ASSERT_NE(handle.instance, nullptr);
    // Not the host's string and double entries; in key order.
    const char* admitted[] = {"DPLA_Device1_Process0_Host_Counter", "DPLA_Device1_Process0_Host_Gain",
                              "DPLA_FG_TIMEOUT", "DPLA_FG_TRANSFER_LEN", "DPLA_FG_TURBO_DMA_MODE", "DPLA_HOST_MODE"};
    ASSERT_EQ(lib.Fg_getNrOfParameter(&handle), 74 + 6);
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_STREQ(lib.Fg_getParameterName(&handle, 74 + i), admitted[i]);
    }
    lib.Fg_FreeGrabber(&handle);
}

}  // namespace
}  // namespace velm::test::belcora
