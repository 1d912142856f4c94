// Arventa's facts for the tests every applet library passes.
#include "AppletFacts.h"

namespace velm::test::applets {

AppletFacts arventaFacts()
{
    AppletFacts facts;
    facts.library = "arventa.so";
    facts.name = "Arventa";
    facts.cameras = 2;
    facts.parameters = inOrder({
        identityAndStatusFacts(),
        cameraLinkFacts(),
        roiAndBufferStateFacts(),
        {
            {"FG_SENSORREADOUT", 5050,
             "Preset for Sensor Readout Correction. This will apply the selected tap geometry."},
        },
        outputFormatFacts(),
        generatorFacts(),
        imageSelectorFacts(),
        lookupTableFacts({{"FG_LUT_VALUE", 300001, "Field with LUT Values."}}),
        cameraSignalFacts(),
    });
    facts.infoNumbers = {
        {848, 0, 0, 0},      {1040, 0, 0, 0},     {1045, 0, 0, 1},     {1792, 0, 0, 2},     {1872, 0, 0, 2},
        {1888, 0, 0, 2},     {2048, 0, 0, 65536}, {2160, 0, 0, 0},     {2176, 0, 0, 2626},  {2192, 0, 0, 0},
        {2560, 0, 0, 0},     {2816, 0, 0, 0},     {3072, 0, 0, 0},     {3328, 0, 0, 0},     {4608, 0, 0, 2},
        {4624, 0, 0, 1},     {4624, 1, 5, 1},     {4624, 2, 0, -2070}, {4640, 1, 0, 1},     {4640, 2, 0, -2070},
        {4688, 1, 0, 1},     {4688, -1, 0, -2070}, {4656, 0, 0, 0},    {4656, 1, 0, 1},     {4656, 1, 1, -2070},
        {4672, 0, 0, 0},     {4672, 1, 0, 1},     {4672, 0, 1, -2070}, {4704, 0, 0, 9},     {4704, 1, 0, 9},
        {4704, 2, 0, -2070},
    };
    facts.infoTexts = {
        {4096, "Fitcores with support of Tidestream technology, 12Bit image processing and lookup table for two "
               "Camera Link BASE configuration grayscale line scan cameras."},
        {4112, "Fitcores:Line"},
        {4128, "class=standard,family=acquisition,type=dual,sensortype=line,color=gray,interface=cl-base"},
        {4192, "1.0.1.0"},
        {4208, "1.0.1.0.20151218.010132"},
        {1044, ""},
    };
    facts.enumerationNames = {
        {"FG_CL_SINGLETAP_8_BIT", 8}, {"FG_CL_SINGLETAP_10_BIT", 10}, {"FG_CL_SINGLETAP_12_BIT", 12},
        {"FG_CL_SINGLETAP_14_BIT", 14}, {"FG_CL_SINGLETAP_16_BIT", 16}, {"FG_CL_DUALTAP_8_BIT", 108},
        {"FG_CL_DUALTAP_10_BIT", 110}, {"FG_CL_DUALTAP_12_BIT", 112}, {"FG_CL_TRIPLETAP_8_BIT", 120},
        {"FG_YES", 1}, {"FG_NO", 0}, {"SMODE_UNCHANGED", 0}, {"SMODE_REVERSE", 3}, {"SMODE_TAB2_0", 1},
        {"SMODE_TAB2_1", 4}, {"SMODE_TAB2_2", 6}, {"FG_GRAY", 3}, {"FG_GRAY16", 1}, {"FG_LEFT_ALIGNED", 1},
        {"FG_RIGHT_ALIGNED", 0}, {"FG_CAMPORT", 0}, {"FG_GENERATOR", 1}, {"FG_ON", 1}, {"FG_OFF", 0},
        {"LUT_TYPE_PROCESSING", 3}, {"LUT_TYPE_CUSTOM", 0}, {"LUT_IMPLEMENTATION_FULL_LUT", 0},
        {"LUT_IMPLEMENTATION_KNEELUT", 1}, {"TRGINSRC_0", 0}, {"TRGINSRC_1", 1}, {"TRGINSRC_2", 2},
        {"TRGINSRC_3", 3}, {"TRGINSRC_4", 4}, {"TRGINSRC_5", 5}, {"TRGINSRC_6", 6}, {"TRGINSRC_7", 7},
        {"VCC", 5}, {"GND", 4},
    };
    facts.mirrorsAdmittedHostParameters = true;
    facts.rootCategories = 11;
    // Process 2 serves both cameras; camera 1's overflow comes last.
    facts.events = inOrder({
        aliasedEvent("FG_OVERFLOW_CAM0", "Device1_Process0_Overflow_Overflow", 1),
        triggerInputEvents(2, 1),
        aliasedEvent("FG_OVERFLOW_CAM1", "Device1_Process1_Overflow_Overflow", uint64_t{1} << 17),
    });
    facts.createdConfiguration = "arventa/expected/arventa_created.mcf";
    facts.defaults = {
        {100, 0, 1024},    {100, 1, 1024},    {11011, 0, 108},  {11011, 1, 108}, {700, 1, 3},
        {30106, 1, 40.0, true}, {30101, 0, 8}, {30100, 1, 17},  {200401, 1, 5},  {4000, 1, 12},
        {300007, 1, 12},
    };
    // Everything a slave keeps; its generator timing is checked with
    // Arventa's own tests.
    facts.constructed = {
        {600, 1000000}, {3051, 0}, {11011, 108}, {5025, 1}, {100, 1024}, {200, 1024}, {300, 0}, {400, 0},
        {5050, 0}, {700, 3}, {4010, 1}, {25110, 1}, {25111, 0}, {110017, 3}, {300001, 0, Form::table, 4096},
        {300000, 0, Form::text}, {110021, 0, Form::text}, {300004, 0.0, Form::floating},
        {300002, 1.0, Form::floating}, {300003, 1.0, Form::floating}, {300005, 0}, {14020, 3}, {200400, 0},
        {200401, 5}, {200402, 5}, {200403, 5},
        {30099, 0}, {30113, 1}, {30102, 1024}, {30104, 1024}, {30105, 4}, {30106, 40.0, Form::floating},
        {30107, 25}, {30108, 1}, {30109, 1}, {30110, 1}, {30111, 1}, {30112, 0},
    };
    // Set in this order: the triple-tap type of port 1 takes port 1's width.
    facts.roundTrip = {
        {100, 0, 2048},    {100, 1, 512},     {11011, 1, 120},  {300, 1, 64},    {200402, 1, 4},
        {200402, 0, 0},    {30106, 1, 80.0, true}, {600, 1, 5000}, {700, 1, 1},  {300002, 1, 2.0, true},
        {14020, 1, 2},
    };
    return facts;
}

}  // namespace velm::test::applets
