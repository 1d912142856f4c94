// Arventa's get switch and vocabulary beyond what every applet's tests
// check (its events among them): values read per port from the port's
// registers and from the host's parameters of that port, read-only ids, and
// Info's enumeration names.
#include "ArventaSupport.h"

namespace velm::test::arventa {
namespace {

TEST_F(Arventa, StatusOfEachPortComesFromItsRegistersAndItsHostParameters)
{
    simSetRegister(0, at(kFillLevel, 1), 1, 49);
    simHostSetParameter(FG_CAMSTATUS_EXTENDED, 1, 0xA1);
    EXPECT_EQ(getInt(FG_FILLLEVEL, 1), 49);
    // The host's bits 5 to 7 give way to the quarter (1) and the overflow (0).
    EXPECT_EQ(getInt(FG_CAMSTATUS_EXTENDED, 1), 0x41);
    EXPECT_EQ(getInt(FG_CAMSTATUS, 1), 1);
    EXPECT_EQ(getInt(FG_CAMSTATUS_EXTENDED, 0), 0);

    simSetRegister(0, at(kOverflow, 1), 1, 1);
    simClearLog();
    EXPECT_EQ(getInt(FG_FILLLEVEL, 1), 100);
    EXPECT_EQ(accesses(), std::vector<Access>{hostRead(at(kOverflow, 1), 1, 1)});
    EXPECT_EQ(getInt(FG_OVERFLOW, 1), 1);
    EXPECT_EQ(getInt(FG_OVERFLOW, 0), 0);

    simSetRegister(0, kInputStatus, 1, 0x21);
    EXPECT_EQ(getInt(FG_DIGIO_INPUT, 1), 0x21);
    EXPECT_EQ(getInt(FG_DIGIO_INPUT, 0), 0);

    // The DMA status too is the host's value of the port asked for.
    for (int32_t id : {24092, 5210, 3050, 601}) {
        simHostSetParameter(id, 1, id + 7);
        EXPECT_EQ(getInt(id, 1), id + 7) << id;
        EXPECT_NE(getInt(id, 0), id + 7) << id;
    }
}

TEST_F(Arventa, ConstantsOnEveryPort)
{
    for (uint32_t port : {0u, 1u}) {
        EXPECT_EQ(getInt(FG_PIXELDEPTH, port), 12);
        EXPECT_EQ(getText(FG_HAP_FILE, port), "Arventa.hap");
        EXPECT_EQ(getInt(30103, port), 1028) << "line width: width + gap";
    }
}

TEST(ArventaInfo, EnumerationNamesAreThoseOfAGrayApplet)
{
    AppletLibrary lib(libraryPath("arventa.so"));
    auto ask = [&](const char* name) {
        return lib.enumerationValue(name);
    };
    EXPECT_EQ(ask("FG_GRAY16"), 1);
    EXPECT_EQ(ask("FG_CL_TRIPLETAP_8_BIT"), 120);
    for (const char* foreign : {"FG_COL24", "FG_CL_MEDIUM_RGB_24", "FG_APPLY", "FG_TRUE"}) {
        EXPECT_EQ(ask(foreign), -2070) << foreign;
    }
}

}  // namespace
}  // namespace velm::test::arventa
