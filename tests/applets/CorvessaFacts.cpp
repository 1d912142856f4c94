// Corvessa's facts for the tests every applet library passes.
#include "AppletFacts.h"

namespace velm::test::applets {

AppletFacts corvessaFacts()
{
    AppletFacts facts;
    facts.library = "corvessa.so";
    facts.name = "Corvessa";
    facts.cameras = 2;
    facts.parameters = inOrder({
        identityAndStatusFacts(),
        cameraLinkFacts(),
        roiAndBufferStateFacts(),
        outputFormatFacts(),
        generatorFacts(),
        imageSelectorFacts(),
        rgbLookupTableFacts(),
        whiteBalanceFacts(),
        cameraSignalFacts(),
    });
    facts.infoNumbers = {
        {848, 0, 0, 1},      {1040, 0, 0, 0},      {1045, 0, 0, 1},     {1792, 0, 0, 2},     {1872, 0, 0, 2},
        {1888, 0, 0, 2},     {2048, 0, 0, 65536},  {2160, 0, 0, 0},     {2176, 0, 0, 2626},  {2192, 0, 0, 0},
        {2560, 0, 0, 0},     {2816, 0, 0, 0},      {3072, 0, 0, 0},     {3328, 0, 0, 0},     {4608, 0, 0, 2},
        {4624, 1, 0, 1},     {4624, 2, 0, -2070},  {4640, 0, 0, 1},     {4688, 1, 0, 1},     {4656, 0, 0, 0},
        {4656, 1, 0, 1},     {4656, 1, 1, -2070},  {4672, 1, 0, 1},     {4672, 1, 1, -2070}, {4704, 0, 0, 8},
        {4704, 1, 0, 10},    {4704, 2, 0, -2070},
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
    facts.mirrorsAdmittedHostParameters = true;
    facts.rootCategories = 11;
    // One pass a camera: camera 1's enters the design's names again before
    // its own aliases, so camera 0's overflow keeps its design name while
    // the trigger inputs of process 2 keep theirs.
    facts.events = inOrder({
        aliasedEvent("FG_OVERFLOW_CAM0", "Device1_Process0_Overflow_Overflow", 1, false),
        aliasedEvent("FG_OVERFLOW_CAM1", "Device1_Process1_Overflow_Overflow", 2),
        triggerInputEvents(2, 2),
    });
    facts.createdConfiguration = "corvessa/expected/corvessa_created.mcf";
    facts.defaults = {
        {11011, 0, 500},        {11011, 1, 500},  {30106, 1, 40.0, true}, {200400, 1, 0}, {200402, 1, 5},
        {13000, 1, 1.0, true},  {100, 1, 1024},   {30101, 0, 8},          {30100, 1, 17}, {4000, 1, 8},
    };
    // A slave's generator registers were never written: active and passive
    // read their constructed 3 and 29 plus one.
    facts.constructed = {
        {600, 1000000}, {3051, 0}, {11011, 500}, {5025, 1}, {100, 1024}, {200, 1024}, {300, 0}, {400, 0},
        {700, 2}, {4010, 1}, {25110, 1}, {25111, 0}, {110017, 3}, {300009, 0, Form::table, 256},
        {300010, 0, Form::table, 256}, {300011, 0, Form::table, 256}, {300000, 0, Form::text},
        {110021, 0, Form::text}, {300004, 0.0, Form::floating}, {300002, 1.0, Form::floating},
        {300003, 1.0, Form::floating}, {300005, 0}, {13000, 1.0, Form::floating}, {13010, 1.0, Form::floating},
        {13030, 1.0, Form::floating}, {14020, 3}, {200400, 0}, {200401, 5}, {200402, 5}, {200403, 5},
        {30099, 0}, {30113, 1}, {30102, 1024}, {30104, 1024}, {30105, 4}, {30106, 40.0, Form::floating},
        {30107, 25}, {30108, 1}, {30109, 1}, {30110, 1}, {30111, 1}, {30112, 0}, {30101, 4}, {30100, 30},
    };
    facts.roundTrip = {
        {100, 0, 2048},         {100, 1, 512},        {400, 1, 24},          {200401, 1, 4},
        {200401, 0, 3},         {30106, 1, 80.0, true}, {600, 1, 5000},      {13030, 1, 2.5, true},
        {300002, 1, 2.0, true}, {14020, 1, 2},        {25110, 1, 4},
    };
    return facts;
}

}  // namespace velm::test::applets
