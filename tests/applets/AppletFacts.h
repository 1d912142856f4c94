// What the tests that every applet library passes know of each library: its
// name, its cameras, its vocabulary, its Info answers, its events, its
// defaults and the file it saves right after creation. One record per
// deliverable, written beside the applet's own tests, with the runs of
// parameters and events that several applets list alike written here once;
// the tests themselves are written once.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "RegisterAccesses.h"

namespace velm::test::applets {

struct ParameterFact {
    const char* name;
    std::int32_t id;
    const char* description;  // null: the wording is our own
};

// An Info question with both indices, and its answer.
struct InfoNumber {
    std::int32_t query;
    std::int32_t firstIndex;
    std::int32_t secondIndex;
    std::int32_t result;
};

struct InfoText {
    std::int32_t query;
    const char* text;
};

struct EnumerationName {
    const char* name;
    std::int32_t value;
};

// A parameter value on one port; doubles are compared as doubles, the rest
// as 32-bit integers.
struct PortValue {
    std::int32_t id;
    std::uint32_t port;
    double value;
    bool isDouble = false;
};

// A value an instance holds from its construction on, the same on every
// port: a number, a text (every text starts empty), or every entry of a
// table of `entries` elements alike.
enum class Form { integer, floating, text, table };
struct ConstructedValue {
    std::int32_t id;
    double value;
    Form form = Form::integer;
    std::uint32_t entries = 0;
};

// An event name, a design's own or an alias, and the mask it stands for.
struct EventFact {
    std::string name;
    std::uint64_t mask;
    bool namesItsMask;  // the mask's name is this one
};

// ---- runs of parameters that several applets list alike, as the framework joins them ----

inline std::vector<ParameterFact> identityAndStatusFacts()
{
    return {
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
    };
}

inline std::vector<ParameterFact> cameraLinkFacts()
{
    return {
        {"FG_CAMERA_LINK_CAMTYPE", 11011, "Select the Camera Link Mode."},
        {"FG_USEDVAL", 5025, "Use the Camera Link DVAL signal or ignore it."},
    };
}

// The region of interest and the buffers' state after it.
inline std::vector<ParameterFact> roiAndBufferStateFacts()
{
    return {
        {"FG_WIDTH", 100, "Image width of the acquisition ROI."},
        {"FG_HEIGHT", 200, "Image height of the acquisition ROI."},
        {"FG_XOFFSET", 300, "X-offset of the acquisition ROI."},
        {"FG_YOFFSET", 400, "Y-offset of the acquisition ROI."},
        {"FG_FILLLEVEL", 110086, "Fill level of the buffers."},
        {"FG_OVERFLOW", 110087, nullptr},
    };
}

inline std::vector<ParameterFact> imageSelectorFacts()
{
    return {
        {"FG_IMG_SELECT_PERIOD", 25110,
         "Select the length of an image sequence. Only a single image of the sequence is grabbed."},
        {"FG_IMG_SELECT", 25111, "Defines which image in a sequence is grabbed."},
    };
}

inline std::vector<ParameterFact> outputFormatFacts()
{
    return {
        {"FG_FORMAT", 700, "Pixel format of the output image."},
        {"FG_BITALIGNMENT", 4010, "Defines if the output data are right aligned or left aligned."},
        {"FG_PIXELDEPTH", 4000, "Internal processing bit depth of the applet."},
    };
}

inline std::vector<ParameterFact> generatorFacts()
{
    return {
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
    };
}

// The lookup tables with the value parameter of each colour.
inline std::vector<ParameterFact> lookupTableFacts(const std::vector<ParameterFact>& values)
{
    return inOrder<ParameterFact>({
        {
            {"FG_LUT_TYPE", 110017, "Enables the LUT to be load with custom values or use the applet's processor."},
            {"FG_LUT_IMPLEMENTATION_TYPE", 300006, "Type of LUT implementation."},
            {"FG_LUT_IN_BITS", 300007, "Pixel bit depth at LUT input."},
            {"FG_LUT_OUT_BITS", 300008, "Pixel bit depth at LUT output."},
        },
        values,
        {
            {"FG_LUT_CUSTOM_FILE", 300000, "Filename with custom lookup table values."},
            {"FG_LUT_SAVE_FILE", 110021, "Save current LUT configuration."},
            {"FG_PROCESSING_OFFSET", 300004, "Offset correction value. "},
            {"FG_PROCESSING_GAIN", 300002, "Gain correction value. "},
            {"FG_PROCESSING_GAMMA", 300003, "Gamma correction value. "},
            {"FG_PROCESSING_INVERT", 300005, "Invert output."},
        },
    });
}

inline std::vector<ParameterFact> rgbLookupTableFacts()
{
    return lookupTableFacts({
        {"FG_LUT_VALUE_RED", 300009, "Field with red LUT Values."},
        {"FG_LUT_VALUE_GREEN", 300010, "Field with green LUT Values."},
        {"FG_LUT_VALUE_BLUE", 300011, "Field with blue LUT Values."},
    });
}

inline std::vector<ParameterFact> whiteBalanceFacts()
{
    return {
        {"FG_SCALINGFACTOR_RED", 13000, "Red gain of the Rgb white balancing."},
        {"FG_SCALINGFACTOR_BLUE", 13010, "Blue gain of the Rgb white balancing."},
        {"FG_SCALINGFACTOR_GREEN", 13030, "Green gain of the Rgb white balancing."},
    };
}

inline std::vector<ParameterFact> cameraSignalFacts()
{
    return {
        {"FG_DIGIO_OUTPUT", 14020, "Set the output values on outputs 3 and 7."},
        {"FG_DIGIO_INPUT", 14010, "Read the current state of all digital inputs."},
        {"FG_CC1", 200400, "CC1 Output"},
        {"FG_CC2", 200401, "CC2 Output"},
        {"FG_CC3", 200402, "CC3 Output"},
        {"FG_CC4", 200403, "CC4 Output"},
    };
}

// ---- events ----

// An alias and the design event it stands for, both on one mask; the alias
// names the mask unless another pass gave it back its design name.
inline std::vector<EventFact> aliasedEvent(const std::string& alias, const std::string& designEvent,
                                           std::uint64_t mask, bool aliasNamesIt = true)
{
    return {{alias, mask, aliasNamesIt}, {designEvent, mask, !aliasNamesIt}};
}

// Both edges of trigger inputs 0 to 7 of a design's process, on consecutive
// masks from `firstBit` on, each under its alias.
inline std::vector<EventFact> triggerInputEvents(int process, int firstBit)
{
    std::vector<EventFact> events;
    const std::string design = "Device1_Process" + std::to_string(process) + "_Trigger_InputEvents_InputEvents_";
    for (int pin = 0; pin < 8; ++pin) {
        const std::string input = "FG_TRIGGER_INPUT" + std::to_string(pin);
        const std::uint64_t rising = std::uint64_t{1} << (firstBit + 2 * pin);
        const std::vector<EventFact> edges = inOrder({
            aliasedEvent(input + "_RISING", design + "Pin" + std::to_string(pin), rising),
            aliasedEvent(input + "_FALLING", design + "NotPin" + std::to_string(pin), rising << 1),
        });
        events.insert(events.end(), edges.begin(), edges.end());
    }
    return events;
}

// A design of one camera lists its buffer overflow first, then the trigger
// inputs of its process 1.
inline std::vector<EventFact> oneCameraEvents()
{
    return inOrder({
        aliasedEvent("FG_OVERFLOW_CAM0", "Device1_Process0_Overflow_Overflow", 1),
        triggerInputEvents(1, 1),
    });
}

struct AppletFacts {
    const char* library;  // the Linux file name, "belcora.so"
    const char* name;     // "Belcora"
    std::uint32_t cameras;
    // Index order; the count of the library's parameters without "DRA_" and
    // "DPLA_" names.
    std::vector<ParameterFact> parameters;
    std::vector<InfoNumber> infoNumbers;
    std::vector<InfoText> infoTexts;
    // Every name Info's enumeration query knows.
    std::vector<EnumerationName> enumerationNames;
    // Root categories of each port's parameter-info tree without the
    // environment switches.
    std::int32_t rootCategories;
    // Whether the host parameters the settings admit get a "Direct PL
    // Access" category without "VELM_ENABLE_DPLA".
    bool mirrorsAdmittedHostParameters;
    // The file saved right after creation, under tests/.
    const char* createdConfiguration;
    // Every event name; masks past the highest name no event.
    std::vector<EventFact> events;
    // Values right after creation.
    std::vector<PortValue> defaults;
    // Values as constructed, where nothing wrote them since: every value a
    // slave answers, or those that a new instance's initial writes leave
    // alone where there are no slaves.
    std::vector<ConstructedValue> constructed;
    // Values that a saved file brings back into a new instance; each differs
    // from the default.
    std::vector<PortValue> roundTrip;
};

// The facts of every deliverable this build makes.
const std::vector<AppletFacts>& builtApplets();

// Each deliverable's facts, in files of their own.
AppletFacts arventaFacts();
AppletFacts belcoraFacts();
AppletFacts corvessaFacts();
AppletFacts dalmiraFacts();

}  // namespace velm::test::applets
