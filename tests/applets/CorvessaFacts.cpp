// Corvessa's facts for the tests every applet library passes.
#include "AppletFacts.h"

namespace velm::test::applets {

AppletFacts corvessaFacts()
{
    AppletFacts facts;
    facts.library = "corvessa.so";
    facts.name = "Corvessa";
    facts.cameras = 2;
    facts.parameters = {
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
        {"FG_IMG_SELECT_PERIOD", 25110, "Select the length of an image sequence. Only a single image of the sequence is grabbed."},
        {"FG_IMG_SELECT", 25111, "Defines which image in a sequence is grabbed."},
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
    facts.infoNumbers = {
        {848, 0, 0, 1},      {1040, 0, 0, 0},      {1045, 0, 0, 1},     {1792, 0, 0, 2},     {1872, 0, 0, 2},
        {1888, 0, 0, 2},     {2048, 0, 0, 65536},  {2160, 0, 0, 0},     {2176, 0, 0, 2626},  {2192, 0, 0, 0},
        {2560, 0, 0, 0},     {2816, 0, 0, 0},      {3072, 0, 0, 0},     {3328, 0, 0, 0},     {4608, 0, 0, 2},
        {4624, 1, 0, 1},     {4624, 2, 0, -2070},  {4640, 0, 0, 1},     {4688, 1, 0, 1},     {4656, 0, 0, 0},
        {4656, 1, 0, 1},     {4656, 1, 1, -2070},  {4672, 1, 0, 1},     {4672, 1, 1, -2070}, {4704, 0, 0, 8},
        {4704, 1, 0, 10},    {4704, 2, 0, -2070},  {9999, 0, 0, -2130},
    };
    facts.infoTexts = {
        {4096, "Fitcores with support of Tidestream technology, 24Bit image processing, white balancing and lookup "
               "table for two Camera Link BASE configuration RGB line scan cameras."},
        {4112, "Fitcores:Line"},
        {4128, "class=standard,family=acquisition,type=dual,sensortype=line,color=rgb,interface=cl-base"},
        {4192, "1.0.1.0"},
        {4208, "1.0.1.0.20151218.010132"},
        {1044, ""},
    };
    facts.enumerationNames = {
        {"FG_CL_RGB", 500}, {"FG_YES", 1}, {"FG_NO", 0}, {"FG_COL24", 2}, {"FG_LEFT_ALIGNED", 1},
        {"FG_RIGHT_ALIGNED", 0}, {"FG_CAMPORT", 0}, {"FG_GENERATOR", 1}, {"FG_ON", 1}, {"FG_OFF", 0},
        {"LUT_TYPE_PROCESSING", 3}, {"LUT_TYPE_CUSTOM", 0}, {"LUT_IMPLEMENTATION_FULL_LUT", 0},
        {"LUT_IMPLEMENTATION_KNEELUT", 1}, {"TRGINSRC_0", 0}, {"TRGINSRC_1", 1}, {"TRGINSRC_2", 2},
        {"TRGINSRC_3", 3}, {"TRGINSRC_4", 4}, {"TRGINSRC_5", 5}, {"TRGINSRC_6", 6}, {"TRGINSRC_7", 7},
        {"VCC", 5}, {"GND", 4},
    };
    facts.rootCategories = 11;
    facts.createdConfiguration = "corvessa/expected/corvessa_created.mcf";
    facts.defaults = {
        {11011, 0, 500},        {11011, 1, 500},  {30106, 1, 40.0, true}, {200400, 1, 0}, {200402, 1, 5},
        {13000, 1, 1.0, true},  {100, 1, 1024},   {30101, 0, 8},          {30100, 1, 17}, {4000, 1, 8},
    };
    facts.roundTrip = {
        {100, 0, 2048},         {100, 1, 512},        {400, 1, 24},          {200401, 1, 4},
        {200401, 0, 3},         {30106, 1, 80.0, true}, {600, 1, 5000},      {13030, 1, 2.5, true},
        {300002, 1, 2.0, true}, {14020, 1, 2},        {25110, 1, 4},
    };
    return facts;
}

}  // namespace velm::test::applets
