// Belcora's facts for the tests every applet library passes.
#include "AppletFacts.h"

namespace velm::test::applets {

AppletFacts belcoraFacts()
{
    AppletFacts facts;
    facts.library = "belcora.so";
    facts.name = "Belcora";
    facts.cameras = 1;
    facts.parameters = inOrder({
        identityAndStatusFacts(),
        cameraLinkFacts(),
        roiAndBufferStateFacts(),
        {
            {"FG_SENSORREADOUT", 5050, "Preset for Sensor Readout Correction"},
            {"FG_SC_SUBSENSORCOUNT", 110118, "Specify the number of subsensors"},
            {"FG_SC_SENSORLENGTH", 110119, "Length of each sub sensor in pixel"},
            {"FG_SC_TAPCOUNT", 110120, "Number of camera transfer taps"},
            {"FG_SC_ROTATEDSENSOR", 110121, "True for rotated sensors"},
            {"FG_SC_READOUTDIRECTION", 110122, "Readout direction of the subsensor"},
            {"FG_SC_PIXELORDER", 110123, "Readout pixel order of the subsensor"},
            {"FG_SC_UPDATESCHEME", 110124, nullptr},
        },
        imageSelectorFacts(),
        outputFormatFacts(),
        generatorFacts(),
        rgbLookupTableFacts(),
        whiteBalanceFacts(),
        cameraSignalFacts(),
    });
    facts.infoNumbers = {
        {848, 0, 0, 1},      {1040, 0, 0, 0},     {1045, 0, 0, 1},     {1792, 0, 0, 1},     {1872, 0, 0, 1},
        {1888, 0, 0, 1},     {2048, 0, 0, 65536}, {2160, 0, 0, 0},     {2176, 0, 0, 2626},  {2192, 0, 0, 0},
        {2560, 0, 0, 0},     {2816, 0, 0, 0},     {3072, 0, 0, 1},     {3328, 0, 0, 0},     {4608, 0, 0, 1},
        {4624, 0, 0, 1},     {4624, 0, 1, 1},     {4624, 1, 0, -2070}, {4640, 0, 0, 1},     {4640, 0, 1, 1},
        {4640, 1, 0, -2070}, {4688, 0, 0, 1},     {4688, 0, 1, 1},     {4688, 1, 0, -2070}, {4656, 0, 0, 0},
        {4656, 0, 1, -2070}, {4656, 1, 0, -2070}, {4672, 0, 0, 0},     {4672, 0, 1, -2070}, {4672, 1, 0, -2070},
        {4704, 0, 0, 8},     {4704, 0, 1, 8},     {4704, 1, 0, -2070}, {0, 0, 0, -2130},
    };
    facts.infoTexts = {
        {4096, "Fitcores with support of Tidestream technology, 24Bit RGB image processing and lookup table for one "
               "Camera Link Medium configuration RGB line scan camera."},
        {4112, "Fitcores:Line"},
        {4128, "class=standard,family=acquisition,type=single,sensortype=line,color=rgb,interface=cl-medium"},
        {4192, "1.0.1.0"},
        {4208, "1.0.1.0.20151218.010132"},
        {1044, ""},
    };
    facts.enumerationNames = {
        {"FG_CL_MEDIUM_RGB_24", 214}, {"FG_YES", 1}, {"FG_NO", 0}, {"SMODE_UNCHANGED", 0}, {"SMODE_REVERSE", 3},
        {"SMODE_TAB2_0", 1}, {"SMODE_TAB2_1", 4}, {"SMODE_TAB2_2", 6}, {"FG_FALSE", 0}, {"FG_TRUE", 1},
        {"FG_APPLY", 1}, {"FG_COL24", 2}, {"FG_GENERATOR", 1}, {"FG_ON", 1}, {"FG_OFF", 0},
        {"LUT_TYPE_PROCESSING", 3}, {"LUT_TYPE_CUSTOM", 0}, {"LUT_IMPLEMENTATION_FULL_LUT", 0},
        {"LUT_IMPLEMENTATION_KNEELUT", 1}, {"TRGINSRC_0", 0}, {"TRGINSRC_1", 1}, {"TRGINSRC_2", 2},
        {"TRGINSRC_3", 3}, {"TRGINSRC_4", 4}, {"TRGINSRC_5", 5}, {"TRGINSRC_6", 6}, {"TRGINSRC_7", 7},
        {"VCC", 5}, {"GND", 4}, {"FG_LEFT_ALIGNED", 1}, {"FG_RIGHT_ALIGNED", 0}, {"FG_CAMPORT", 0},
    };
    facts.mirrorsAdmittedHostParameters = false;
    facts.rootCategories = 12;
    facts.events = oneCameraEvents();
    facts.createdConfiguration = "belcora/expected/belcora_created.mcf";
    facts.defaults = {
        {100, 0, 1024}, {11011, 0, 214}, {30106, 0, 40.0, true}, {200401, 0, 5},
    };
    // What the initial writes leave alone: the sensor correction's own
    // values (they write its preset and update scheme), the table files and
    // the curve.
    facts.constructed = {
        {110118, 1}, {110119, 1024}, {110120, 1}, {110121, 0}, {110122, 0, Form::table, 2},
        {110123, 0, Form::table, 2}, {300000, 0, Form::text}, {110021, 0, Form::text},
        {300004, 0.0, Form::floating}, {300002, 1.0, Form::floating}, {300003, 1.0, Form::floating}, {300005, 0},
    };
    facts.roundTrip = {
        {100, 0, 2048}, {200402, 0, 4}, {13000, 0, 2.5, true}, {30106, 0, 80.0, true}, {600, 0, 5000},
    };
    return facts;
}

}  // namespace velm::test::applets
