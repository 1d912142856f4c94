// Dalmira's facts for the tests every applet library passes.
#include "AppletFacts.h"

namespace velm::test::applets {

AppletFacts dalmiraFacts()
{
    AppletFacts facts;
    facts.library = "dalmira.so";
    facts.name = "Dalmira";
    facts.cameras = 1;
    facts.parameters = inOrder({
        identityAndStatusFacts(),
        cameraLinkFacts(),
        imageSelectorFacts(),
        roiAndBufferStateFacts(),
        outputFormatFacts(),
        generatorFacts(),
        rgbLookupTableFacts(),
        whiteBalanceFacts(),
        cameraSignalFacts(),
    });
    // Dalmira answers 3072 and 3328 the other way round from Belcora.
    facts.infoNumbers = {
        {848, 0, 0, 1}, {1040, 0, 0, 0}, {1045, 0, 0, 1}, {1792, 0, 0, 1}, {1872, 0, 0, 1}, {1888, 0, 0, 1},
        {2048, 0, 0, 65536}, {2160, 0, 0, 0}, {2176, 0, 0, 2626}, {2192, 0, 0, 0}, {2560, 0, 0, 0},
        {2816, 0, 0, 0}, {3072, 0, 0, 0}, {3328, 0, 0, 1}, {4608, 0, 0, 1},
        {4624, 0, 5, 1}, {4624, 1, 0, -2070}, {4640, 0, 0, 1}, {4640, 1, 0, -2070},
        {4656, 0, 0, 0}, {4656, 0, 1, -2070}, {4656, 1, 0, -2070},
        {4672, 0, 0, 0}, {4672, 0, 1, -2070}, {4688, 0, 0, 1}, {4688, -1, 0, -2070},
        {4704, 0, 0, 8}, {4704, 1, 0, -2070},
        {4300, 0, 0, -2130}, {4400, 0, 0, -2130}, {0, 0, 0, -2130},
    };
    facts.infoTexts = {
        {1044, ""},
        {4096, "Fitcores with support of Tidestream technology, 24Bit RGB image processing and lookup table for one "
               "Camera Link FULL configuration RGB line scan camera."},
        {4112, "Fitcores:Line"},
        {4128, "class=standard,family=acquisition,type=single,sensortype=line,color=rgb,interface=cl-full"},
        {4192, "1.0.1.0"},
        {4208, "1.0.1.0.20151218.010132"},
    };
    facts.enumerationNames = {
        {"FG_CL_FULL_8_TAP_8_BIT", 308}, {"FG_CL_FULL_10_TAP_8_BIT", 310}, {"FG_YES", 1}, {"FG_NO", 0},
        {"FG_COL24", 2}, {"FG_LEFT_ALIGNED", 1}, {"FG_RIGHT_ALIGNED", 0}, {"FG_CAMPORT", 0}, {"FG_GENERATOR", 1},
        {"LUT_TYPE_PROCESSING", 3}, {"LUT_TYPE_CUSTOM", 0}, {"LUT_IMPLEMENTATION_FULL_LUT", 0},
        {"LUT_IMPLEMENTATION_KNEELUT", 1}, {"TRGINSRC_0", 0}, {"TRGINSRC_1", 1}, {"TRGINSRC_2", 2},
        {"TRGINSRC_3", 3}, {"TRGINSRC_4", 4}, {"TRGINSRC_5", 5}, {"TRGINSRC_6", 6}, {"TRGINSRC_7", 7},
        {"VCC", 5}, {"GND", 4}, {"FG_ON", 1}, {"FG_OFF", 0},
    };
    facts.mirrorsAdmittedHostParameters = true;
    facts.rootCategories = 11;
    facts.events = oneCameraEvents();
    facts.createdConfiguration = "dalmira/expected/dalmira_created.mcf";
    facts.defaults = {
        {100, 0, 4096}, {200, 0, 1024}, {11011, 0, 308}, {5025, 0, 1}, {30106, 0, 40.0, true}, {30107, 0, 25},
        {30101, 0, 8}, {30100, 0, 17}, {30103, 0, 1028}, {200400, 0, 0}, {200401, 0, 5}, {110017, 0, 3},
    };
    // What the initial writes leave alone: the table files and the curve.
    facts.constructed = {
        {300000, 0, Form::text}, {110021, 0, Form::text}, {300004, 0.0, Form::floating},
        {300002, 1.0, Form::floating}, {300003, 1.0, Form::floating}, {300005, 0},
    };
    facts.roundTrip = {
        {11011, 0, 310}, {5025, 0, 0}, {25110, 0, 4}, {25111, 0, 2}, {100, 0, 2048}, {300, 0, 64}, {200, 0, 512},
        {400, 0, 100}, {30099, 0, 1}, {30102, 0, 2048}, {30106, 0, 80.0, true}, {30107, 0, 50}, {30110, 0, 0},
        {200402, 0, 4}, {13000, 0, 2.5, true}, {14020, 0, 1}, {600, 0, 5000}, {300005, 0, 1},
        {300003, 0, 2.0, true},
    };
    return facts;
}

}  // namespace velm::test::applets
