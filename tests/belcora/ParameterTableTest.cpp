// Belcora's vocabulary beyond its 74 parameters and its events (which the
// tests of every applet check): the register ("DRA_") and host ("DPLA_")
// names that follow them.
#include "BelcoraSupport.h"

namespace velm::test::belcora {
namespace {

using BelcoraVocabulary = InstanceFixture;

TEST_F(BelcoraVocabulary, RegisterNamesFollowTheTableAndEnabledHostNamesFollowThem)
{
    ScopedEnvironment direct("VELM_ENABLE_DRA", "On");
    createBesideSettings("belcora.so", "[belcora]\nFG_TIMEOUT=TRUE\nFG_TRANSFER_LEN=off\n");

    // The 41 registers of the design, in design order, then the one host name.
    EXPECT_EQ(lib().Fg_getNrOfParameter(handle()), 74 + 41 + 1);
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 73), "FG_CC4");
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 74), "DRA_Device1_Process0_LookupTable_R_LUTcontent");
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 95), "DRA_Device1_Process1_Trigger_SetOut3_Mode");
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 114), "DRA_AAGenRoll");
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "DRA_AAGenRoll"), 1000000 + kGenRoll);
    EXPECT_EQ(lib().Fg_getParameterId(handle(), 74), 1000000 + kLutRed);
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 115), "DPLA_FG_TIMEOUT");
}

TEST_F(BelcoraVocabulary, HostTreeMakesItsIntegerEnumerationAndRegisterEntriesHostNames)
{
    ScopedEnvironment mirror("VELM_ENABLE_DPLA", "yes");
    create("belcora.so");
    // Not the host's string and double entries; in key order.
    const char* admitted[] = {"DPLA_Device1_Process0_Host_Counter", "DPLA_Device1_Process0_Host_Gain",
                              "DPLA_FG_TIMEOUT", "DPLA_FG_TRANSFER_LEN", "DPLA_FG_TURBO_DMA_MODE", "DPLA_HOST_MODE"};
    ASSERT_EQ(lib().Fg_getNrOfParameter(handle()), 74 + 6);
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_STREQ(lib().Fg_getParameterName(handle(), 74 + i), admitted[i]);
    }
}

}  // namespace
}  // namespace velm::test::belcora
