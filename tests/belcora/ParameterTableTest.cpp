// Belcora's vocabulary: its 74 parameters in index order with their ids and
// descriptions, the register ("DRA_") and host ("DPLA_") names that follow
// them, and the event aliases.
#include <fstream>

#include "BelcoraSupport.h"

namespace velm::test::belcora {
namespace {

struct Row {
    const char* name;
    int32_t id;
    const char* description;  // null: the wording is our own
};

const Row kTable[] = {
    {"FG_TIMEOUT", 600, "Framegrabber image timeout."},
    {"FG_TURBO_DMA_MODE", 3051, "Enables a maximum DMA performance"},
    {"FG_APPLET_VERSION", 24020, "Returns the applet version."},
    {"FG_APPLET_REVISION", 24030, "Returns the applet revision."},
    {"FG_APPLET_ID", 24010, "Returns the applet id."},
    {"FG_HAP_FILE", 24108, "The name of the HAP file."},
    {"FG_DMASTATUS", 24092, "Returns the status of the DMA transmission."},
    {"FG_CAMSTATUS", 2000, "Returns the status of the camera."},
    {"FG_CAMSTATUS_EXTENDED", 2050, "Returns the extended status of the camera."},
    {"FG_TRANSFER_LEN", 5210, ""},
    {"FG_NR_OF_PROCESSES", 3070, ""},
    {"FG_NR_OF_DMAS", 3050, ""},
    {"FG_NR_OF_CAMS", 3060, ""},
    {"FG_DMA_PORT", 3080, ""},
    {"FG_CAM_PORT", 3090, ""},
    {"FG_APC_STOP_TIMEOUT", 601, ""},
    {"FG_CAMERA_LINK_CAMTYPE", 11011, "Select the Camera Link Mode."},
    {"FG_USEDVAL", 5025, "Use the Camera Link DVAL signal or ignore it."},
    {"FG_WIDTH", 100, "Image width of the acquisition ROI."},
    {"FG_HEIGHT", 200, "Image height of the acquisition ROI."},
    {"FG_XOFFSET", 300, "X-offset of the acquisition ROI."},
    {"FG_YOFFSET", 400, "Y-offset of the acquisition ROI."},
    {"FG_FILLLEVEL", 110086, "Fill level of the buffers."},
    {"FG_OVERFLOW", 110087, nullptr},
    {"FG_SENSORREADOUT", 5050, "Preset for Sensor Readout Correction"},
    {"FG_SC_SUBSENSORCOUNT", 110118, "Specify the number of subsensors"},
    {"FG_SC_SENSORLENGTH", 110119, "Length of each sub sensor in pixel"},
    {"FG_SC_TAPCOUNT", 110120, "Number of camera transfer taps"},
    {"FG_SC_ROTATEDSENSOR", 110121, "True for rotated sensors"},
    {"FG_SC_READOUTDIRECTION", 110122, "Readout direction of the subsensor"},
    {"FG_SC_PIXELORDER", 110123, "Readout pixel order of the subsensor"},
    {"FG_SC_UPDATESCHEME", 110124, nullptr},
    {"FG_IMG_SELECT_PERIOD", 25110,
     "Select the length of an image sequence. Only a single image of the sequence is grabbed."},
    {"FG_IMG_SELECT", 25111, "Defines which image in a sequence is grabbed."},
    {"FG_FORMAT", 700, "Pixel format of the output image."},
    {"FG_BITALIGNMENT", 4010, "Defines if the output data are right aligned or left aligned."},
    {"FG_PIXELDEPTH", 4000, "Internal processing bit depth of the applet."},
    {"FG_GEN_ENABLE", 30099, "Use internal frame generator or CameraLink input."},
    {"FG_GEN_START", 30113, ""},
    {"FG_GEN_WIDTH", 30102, ""},
    {"FG_GEN_HEIGHT", 30104, ""},
    {"FG_GEN_LINE_GAP", 30105, ""},
    {"FG_GEN_FREQ", 30106, ""},
    {"FG_GEN_ACCURACY", 30107, ""},
    {"FG_GEN_TAP1", 30108, ""},
    {"FG_GEN_TAP2", 30109, ""},
    {"FG_GEN_TAP3", 30110, ""},
    {"FG_GEN_TAP4", 30111, ""},
    {"FG_GEN_ROLL", 30112, ""},
    {"FG_GEN_ACTIVE", 30101, ""},
    {"FG_GEN_PASSIVE", 30100, ""},
    {"FG_GEN_LINE_WIDTH", 30103, ""},
    {"FG_LUT_TYPE", 110017, "Enables the LUT to be load with custom values or use the applet's processor."},
    {"FG_LUT_IMPLEMENTATION_TYPE", 300006, "Type of LUT implementation."},
    {"FG_LUT_IN_BITS", 300007, "Pixel bit depth at LUT input."},
    {"FG_LUT_OUT_BITS", 300008, "Pixel bit depth at LUT output."},
    {"FG_LUT_VALUE_RED", 300009, "Field with red LUT Values."},
    {"FG_LUT_VALUE_GREEN", 300010, "Field with green LUT Values."},
    {"FG_LUT_VALUE_BLUE", 300011, "Field with blue LUT Values."},
    {"FG_LUT_CUSTOM_FILE", 300000, "Filename with custom lookup table values."},
    {"FG_LUT_SAVE_FILE", 110021, "Save current LUT configuration."},
    {"FG_PROCESSING_OFFSET", 300004, "Offset correction value. "},
    {"FG_PROCESSING_GAIN", 300002, "Gain correction value. "},
    {"FG_PROCESSING_GAMMA", 300003, "Gamma correction value. "},
    {"FG_PROCESSING_INVERT", 300005, "Invert output."},
    {"FG_SCALINGFACTOR_RED", 13000, "Red gain of the Rgb white balancing."},
    {"FG_SCALINGFACTOR_BLUE", 13010, "Blue gain of the Rgb white balancing."},
    {"FG_SCALINGFACTOR_GREEN", 13030, "Green gain of the Rgb white balancing."},
    {"FG_DIGIO_OUTPUT", 14020, "Set the output values on outputs 3 and 7."},
    {"FG_DIGIO_INPUT", 14010, "Read the current state of all digital inputs."},
    {"FG_CC1", 200400, "CC1 Output"},
    {"FG_CC2", 200401, "CC2 Output"},
    {"FG_CC3", 200402, "CC3 Output"},
    {"FG_CC4", 200403, "CC4 Output"},
};

std::string description(AppletLibrary& lib, AppletHandle* handle, const char* name)
{
    char buffer[256] = {};
    std::strcpy(buffer, name);
    const int32_t result = lib.Fg_getParameterWithType(handle, FG_DESCRIPTION, buffer, 0, 1);
    return result == 0 ? buffer : "error " + std::to_string(result);
}

TEST_F(Belcora, SeventyFourParametersInIndexOrderWithTheirIdsAndDescriptions)
{
    ASSERT_EQ(std::size(kTable), 74u);
    ASSERT_EQ(lib().Fg_getNrOfParameter(handle()), 74);
    for (int32_t i = 0; i < 74; ++i) {
        const Row& row = kTable[i];
        EXPECT_STREQ(lib().Fg_getParameterName(handle(), i), row.name) << i;
        EXPECT_EQ(lib().Fg_getParameterId(handle(), i), row.id) << row.name;
        EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), row.name), row.id) << row.name;
        if (row.description != nullptr) {
            EXPECT_EQ(description(lib(), handle(), row.name), row.description) << row.name;
        }
    }
    EXPECT_EQ(lib().Fg_getParameterName(handle(), 74), nullptr);
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "fg_width"), -2070);
}

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

TEST_F(Belcora, EventAliasesTakeTheMasksOfTheirDesignEvents)
{
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "FG_OVERFLOW_CAM0"), 1u);
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "Device1_Process0_Overflow_Overflow"), 1u);
    EXPECT_STREQ(lib().Fg_getEventName(handle(), 1), "FG_OVERFLOW_CAM0");
    for (int pin = 0; pin < 8; ++pin) {
        const std::string input = "FG_TRIGGER_INPUT" + std::to_string(pin);
        EXPECT_EQ(lib().Fg_getEventMask(handle(), (input + "_RISING").c_str()), uint64_t{1} << (1 + 2 * pin));
        EXPECT_EQ(lib().Fg_getEventMask(handle(), (input + "_FALLING").c_str()), uint64_t{1} << (2 + 2 * pin));
        const char* name = lib().Fg_getEventName(handle(), uint64_t{1} << (2 + 2 * pin));
        EXPECT_EQ(std::string(name != nullptr ? name : "(none)"), input + "_FALLING");
    }
    EXPECT_EQ(lib().Fg_getEventName(handle(), uint64_t{1} << 17), nullptr);
}

}  // namespace
}  // namespace velm::test::belcora
