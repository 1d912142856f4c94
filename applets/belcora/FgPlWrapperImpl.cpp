#include "FgPlWrapperImpl.h"

#include <iterator>

#include "AppletDescription.h"
#include "CameraParameters.h"
#include "CameraSignals.h"
#include "LineGenerator.h"
#include "LookupTables.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"

namespace velm::embedded {
extern const unsigned char designBlock[];
extern const std::size_t designBlockSize;
extern const unsigned char appletIcon[];
extern const std::size_t appletIconSize;
}  // namespace velm::embedded

namespace velm::belcora {

namespace {

// ---- allowed values of Belcora's own (the shared runs stand in the framework) ----

constexpr AllowedValue kCameraTypes[] = {
    {"24bit RGB Medium", 214, "FG_CL_MEDIUM_RGB_24"},
};

constexpr AllowedValue kApply[] = {
    {"Apply", 1, "FG_APPLY"},
};

constexpr AllowedValue kFalseTrue[] = {
    {"False", 0, "FG_FALSE"},
    {"True", 1, "FG_TRUE"},
};

using Luts = RgbLookupTables;
using Roi = BufferRoi<8, 4, 8>;
using Generator = GeneratorLine<2, 2>;

// ---- sensor readout correction ----

struct ReadoutPreset {
    std::uint32_t mode;
    std::uint32_t subSensors;
    std::uint32_t taps;
    std::uint32_t rotated;
    std::uint32_t secondDirection;
};

constexpr ReadoutPreset kReadoutPresets[] = {
    {0, 1, 1, 0, 0},  // SMODE_UNCHANGED
    {3, 1, 1, 1, 0},  // SMODE_REVERSE
    {1, 2, 2, 0, 0},  // SMODE_TAB2_0
    {4, 2, 2, 1, 0},  // SMODE_TAB2_1
    {6, 2, 2, 0, 1},  // SMODE_TAB2_2
};

// The mode the stored sensor-correction values describe; -2070 when they
// describe none. The pixel order is kept but plays no part.
std::uint32_t sensorCorrectionMode(GenericApplet& applet, std::uint32_t camera)
{
    const std::uint32_t subSensors = applet.kept(camera, FG_SC_SUBSENSORCOUNT).integer;
    const std::uint32_t taps = applet.kept(camera, FG_SC_TAPCOUNT).integer;
    const std::uint32_t rotated = applet.kept(camera, FG_SC_ROTATEDSENSOR).integer;
    const auto& direction = applet.kept(camera, FG_SC_READOUTDIRECTION).elements;
    if (subSensors == 1) {
        if (taps != 1) {
            throw std::int32_t{kErrInvalidArgument};
        }
        return rotated > 0 ? 3 : 0;
    }
    if (subSensors != 2 || taps != 2) {
        throw std::int32_t{kErrInvalidArgument};
    }
    if (rotated != 0) {
        if (rotated != 1 || direction[0] != 0 || direction[1] != 0) {
            throw std::int32_t{kErrInvalidArgument};
        }
        return 4;
    }
    if (direction[0] != 0 || direction[1] > 1) {
        throw std::int32_t{kErrInvalidArgument};
    }
    return direction[1] == 1 ? 6 : 1;
}

void setUpdateScheme(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                     const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag, [&] {
        const std::uint32_t mode = sensorCorrectionMode(applet, camera);
        applet.registers().writeInt(applet, RegisterRole::SensorCorrection, camera, mode);
    });
}

// A preset sets the sensor-correction values through their own setters and
// applies them.
void setSensorReadout(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                      const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag, [&] {
        const ReadoutPreset* preset = std::begin(kReadoutPresets);
        while (preset->mode != v) {
            ++preset;
        }
        const FieldElement firstDirection{0, 0};
        const FieldElement secondDirection{preset->secondDirection, 1};
        const FieldElement firstOrder{0, 0};
        const FieldElement secondOrder{0, 1};
        applet.set(FG_SC_SUBSENSORCOUNT, camera, ParameterValue::ofInt(preset->subSensors), true);
        applet.set(FG_SC_TAPCOUNT, camera, ParameterValue::ofInt(preset->taps), true);
        applet.set(FG_SC_ROTATEDSENSOR, camera, ParameterValue::ofInt(preset->rotated), true);
        applet.set(FG_SC_READOUTDIRECTION, camera, ParameterValue::ofElement(&firstDirection), true);
        applet.set(FG_SC_READOUTDIRECTION, camera, ParameterValue::ofElement(&secondDirection), true);
        applet.set(FG_SC_PIXELORDER, camera, ParameterValue::ofElement(&firstOrder), true);
        applet.set(FG_SC_PIXELORDER, camera, ParameterValue::ofElement(&secondOrder), true);
        applet.set(FG_SC_UPDATESCHEME, camera, ParameterValue::ofInt(1), true);
    });
}

// ---- the parameters, in index order ----

constexpr ValueForm kInt = ValueForm::Int;
constexpr ValueForm kDouble = ValueForm::Double;
constexpr ValueForm kString = ValueForm::String;
constexpr ValueForm kElement = ValueForm::Element;
constexpr ParameterScope kShared = ParameterScope::Shared;

constexpr ParameterRow kParameters[] = {
    readWrite("FG_TIMEOUT", FG_TIMEOUT, kInt, "Framegrabber image timeout.", 1000000,
              keepAndForwardToHost<2, 2147483646>),
    readWrite("FG_TURBO_DMA_MODE", FG_TURBO_DMA_MODE, kInt, "Enables a maximum DMA performance", 0,
              keepAndForwardToHost<0, 1>),
    readOnly("FG_APPLET_VERSION", FG_APPLET_VERSION, kInt, "Returns the applet version.", nullptr, 1),
    readOnly("FG_APPLET_REVISION", FG_APPLET_REVISION, kInt, "Returns the applet revision.", nullptr, 0),
    readOnly("FG_APPLET_ID", FG_APPLET_ID, kInt, "Returns the applet id.", nullptr, 0),
    readOnly("FG_HAP_FILE", FG_HAP_FILE, kString, "The name of the HAP file.", getHapFileName),
    fromHost("FG_DMASTATUS", FG_DMASTATUS, "Returns the status of the DMA transmission.", getHostValueOfPort0),
    readOnly("FG_CAMSTATUS", FG_CAMSTATUS, kInt, "Returns the status of the camera.", getCameraStatus),
    readOnly("FG_CAMSTATUS_EXTENDED", FG_CAMSTATUS_EXTENDED, kInt, "Returns the extended status of the camera.",
             getCameraStatusExtended),
    fromHost("FG_TRANSFER_LEN", FG_TRANSFER_LEN, "", getHostValue),
    fromHost("FG_NR_OF_PROCESSES", FG_NR_OF_PROCESSES, "", getHostValue),
    fromHost("FG_NR_OF_DMAS", FG_NR_OF_DMAS, "", getHostValue),
    fromHost("FG_NR_OF_CAMS", FG_NR_OF_CAMS, "", getHostValue),
    fromHost("FG_DMA_PORT", FG_DMA_PORT, "", getHostValue),
    fromHost("FG_CAM_PORT", FG_CAM_PORT, "", getHostValue),
    fromHost("FG_APC_STOP_TIMEOUT", FG_APC_STOP_TIMEOUT, "", getHostValue),
    readWrite("FG_CAMERA_LINK_CAMTYPE", FG_CAMERA_LINK_CAMTYPE, kInt, "Select the Camera Link Mode.", 214,
              keepAllowed, kCameraTypes),
    readWrite("FG_USEDVAL", FG_USEDVAL, kInt, "Use the Camera Link DVAL signal or ignore it.", 1,
              writeAllowed<RegisterRole::UseDval>, kYesNo),
    readWrite("FG_WIDTH", FG_WIDTH, kInt, "Image width of the acquisition ROI.", 1024, Roi::setWidth),
    readWrite("FG_HEIGHT", FG_HEIGHT, kInt, "Image height of the acquisition ROI.", 1024, Roi::setHeight),
    readWrite("FG_XOFFSET", FG_XOFFSET, kInt, "X-offset of the acquisition ROI.", 0, Roi::setXOffset),
    readWrite("FG_YOFFSET", FG_YOFFSET, kInt, "Y-offset of the acquisition ROI.", 0, Roi::setYOffset),
    readOnly("FG_FILLLEVEL", FG_FILLLEVEL, kInt, "Fill level of the buffers.", getFillLevel),
    readOnly("FG_OVERFLOW", FG_OVERFLOW, kInt, "Overflow state of the buffers.", getOverflow),
    readWrite("FG_SENSORREADOUT", FG_SENSORREADOUT, kInt, "Preset for Sensor Readout Correction", 0,
              setSensorReadout, kSensorReadoutModes),
    readWrite("FG_SC_SUBSENSORCOUNT", FG_SC_SUBSENSORCOUNT, kInt, "Specify the number of subsensors", 1,
              keepInRange<1, 2>),
    readWrite("FG_SC_SENSORLENGTH", FG_SC_SENSORLENGTH, kInt, "Length of each sub sensor in pixel", 1024,
              keepInRange<8, 16384>),
    readWrite("FG_SC_TAPCOUNT", FG_SC_TAPCOUNT, kInt, "Number of camera transfer taps", 1, keepInRange<1, 2>),
    readWrite("FG_SC_ROTATEDSENSOR", FG_SC_ROTATEDSENSOR, kInt, "True for rotated sensors", 0, keepAllowed,
              kFalseTrue),
    readWrite("FG_SC_READOUTDIRECTION", FG_SC_READOUTDIRECTION, kElement, "Readout direction of the subsensor", 0,
              keepElement<1>, {}, 2),
    readWrite("FG_SC_PIXELORDER", FG_SC_PIXELORDER, kElement, "Readout pixel order of the subsensor", 0,
              keepElement<1>, {}, 2),
    readWrite("FG_SC_UPDATESCHEME", FG_SC_UPDATESCHEME, kInt,
              "Applies the sensor correction settings to the design.", 1, setUpdateScheme, kApply),
    readWrite("FG_IMG_SELECT_PERIOD", FG_IMG_SELECT_PERIOD, kInt,
              "Select the length of an image sequence. Only a single image of the sequence is grabbed.", 1,
              setImageSelectPeriod),
    readWrite("FG_IMG_SELECT", FG_IMG_SELECT, kInt, "Defines which image in a sequence is grabbed.", 0,
              setImageSelect),
    readWrite("FG_FORMAT", FG_FORMAT, kInt, "Pixel format of the output image.", 2, keepAllowed, kColour24Format),
    readWrite("FG_BITALIGNMENT", FG_BITALIGNMENT, kInt,
              "Defines if the output data are right aligned or left aligned.", 1, keepAllowed, kAlignments),
    readOnly("FG_PIXELDEPTH", FG_PIXELDEPTH, kInt, "Internal processing bit depth of the applet.", nullptr, 8),
    readWrite("FG_GEN_ENABLE", FG_GEN_ENABLE, kInt, "Use internal frame generator or CameraLink input.", 0,
              setGeneratorEnable, kImageSources, 0, kShared),
    readWrite("FG_GEN_START", FG_GEN_START, kInt, "", 1, setGeneratorStart, kOnOff, 0, kShared),
    readWrite("FG_GEN_WIDTH", FG_GEN_WIDTH, kInt, "", 1024, Generator::set, {}, 0, kShared),
    readWrite("FG_GEN_HEIGHT", FG_GEN_HEIGHT, kInt, "", 1024, setGeneratorHeight, {}, 0, kShared),
    readWrite("FG_GEN_LINE_GAP", FG_GEN_LINE_GAP, kInt, "", 4, Generator::set, {}, 0, kShared),
    readWrite("FG_GEN_FREQ", FG_GEN_FREQ, kDouble, "", 40.0, setGeneratorFrequency, {}, 0, kShared),
    readWrite("FG_GEN_ACCURACY", FG_GEN_ACCURACY, kInt, "", 25, setGeneratorAccuracy, {}, 0, kShared),
    readWrite("FG_GEN_TAP1", FG_GEN_TAP1, kInt, "", 1, setGeneratorTap<1>, kOnOff, 0, kShared),
    readWrite("FG_GEN_TAP2", FG_GEN_TAP2, kInt, "", 1, setGeneratorTap<2>, kOnOff, 0, kShared),
    readWrite("FG_GEN_TAP3", FG_GEN_TAP3, kInt, "", 1, setGeneratorTap<3>, kOnOff, 0, kShared),
    readWrite("FG_GEN_TAP4", FG_GEN_TAP4, kInt, "", 1, setGeneratorTap<4>, kOnOff, 0, kShared),
    readWrite("FG_GEN_ROLL", FG_GEN_ROLL, kInt, "", 0, setGeneratorRoll, {}, 0, kShared),
    readOnly("FG_GEN_ACTIVE", FG_GEN_ACTIVE, kInt, "", getGeneratorActive),
    readOnly("FG_GEN_PASSIVE", FG_GEN_PASSIVE, kInt, "", getGeneratorPassive),
    readOnly("FG_GEN_LINE_WIDTH", FG_GEN_LINE_WIDTH, kInt, "", getGeneratorLineWidth),
    readWrite("FG_LUT_TYPE", FG_LUT_TYPE, kInt,
              "Enables the LUT to be load with custom values or use the applet's processor.", 3, Luts::setType,
              kLutTypes),
    readOnly("FG_LUT_IMPLEMENTATION_TYPE", FG_LUT_IMPLEMENTATION_TYPE, kInt, "Type of LUT implementation.", nullptr,
             0, kLutImplementations),
    readOnly("FG_LUT_IN_BITS", FG_LUT_IN_BITS, kInt, "Pixel bit depth at LUT input.", nullptr, 8),
    readOnly("FG_LUT_OUT_BITS", FG_LUT_OUT_BITS, kInt, "Pixel bit depth at LUT output.", nullptr, 8),
    readWrite("FG_LUT_VALUE_RED", FG_LUT_VALUE_RED, kElement, "Field with red LUT Values.", 0, Luts::setValue, {},
              256),
    readWrite("FG_LUT_VALUE_GREEN", FG_LUT_VALUE_GREEN, kElement, "Field with green LUT Values.", 0, Luts::setValue,
              {}, 256),
    readWrite("FG_LUT_VALUE_BLUE", FG_LUT_VALUE_BLUE, kElement, "Field with blue LUT Values.", 0, Luts::setValue, {},
              256),
    readWrite("FG_LUT_CUSTOM_FILE", FG_LUT_CUSTOM_FILE, kString, "Filename with custom lookup table values.", 0,
              Luts::setCustomFile),
    readWrite("FG_LUT_SAVE_FILE", FG_LUT_SAVE_FILE, kString, "Save current LUT configuration.", 0,
              Luts::setSaveFile),
    readWrite("FG_PROCESSING_OFFSET", FG_PROCESSING_OFFSET, kDouble, "Offset correction value. ", 0.0,
              Luts::setOffset),
    readWrite("FG_PROCESSING_GAIN", FG_PROCESSING_GAIN, kDouble, "Gain correction value. ", 1.0, Luts::setGain),
    readWrite("FG_PROCESSING_GAMMA", FG_PROCESSING_GAMMA, kDouble, "Gamma correction value. ", 1.0, Luts::setGamma),
    readWrite("FG_PROCESSING_INVERT", FG_PROCESSING_INVERT, kInt, "Invert output.", 0, Luts::setInvert, kOnOff),
    readWrite("FG_SCALINGFACTOR_RED", FG_SCALINGFACTOR_RED, kDouble, "Red gain of the Rgb white balancing.", 1.0,
              setScalingFactor<RegisterRole::WhiteBalanceRed>),
    readWrite("FG_SCALINGFACTOR_BLUE", FG_SCALINGFACTOR_BLUE, kDouble, "Blue gain of the Rgb white balancing.", 1.0,
              setScalingFactor<RegisterRole::WhiteBalanceBlue>),
    readWrite("FG_SCALINGFACTOR_GREEN", FG_SCALINGFACTOR_GREEN, kDouble, "Green gain of the Rgb white balancing.",
              1.0, setScalingFactor<RegisterRole::WhiteBalanceGreen>),
    readWrite("FG_DIGIO_OUTPUT", FG_DIGIO_OUTPUT, kInt, "Set the output values on outputs 3 and 7.", 3,
              setDigitalOutput),
    readOnly("FG_DIGIO_INPUT", FG_DIGIO_INPUT, kInt, "Read the current state of all digital inputs.",
             getDigitalInput),
    readWrite("FG_CC1", FG_CC1, kInt, "CC1 Output", 0, setCcOutput<1>, kCcSources),
    readWrite("FG_CC2", FG_CC2, kInt, "CC2 Output", 5, setCcOutput<2>, kCcSources),
    readWrite("FG_CC3", FG_CC3, kInt, "CC3 Output", 5, setCcOutput<3>, kCcSources),
    readWrite("FG_CC4", FG_CC4, kInt, "CC4 Output", 5, setCcOutput<4>, kCcSources),
};

// ---- design events ----

constexpr EventAlias kEventAliases[] = {
    {"FG_OVERFLOW_CAM0", "Device1_Process0_Overflow_Overflow"},
    {"FG_TRIGGER_INPUT0_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin0"},
    {"FG_TRIGGER_INPUT0_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin0"},
    {"FG_TRIGGER_INPUT1_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin1"},
    {"FG_TRIGGER_INPUT1_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin1"},
    {"FG_TRIGGER_INPUT2_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin2"},
    {"FG_TRIGGER_INPUT2_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin2"},
    {"FG_TRIGGER_INPUT3_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin3"},
    {"FG_TRIGGER_INPUT3_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin3"},
    {"FG_TRIGGER_INPUT4_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin4"},
    {"FG_TRIGGER_INPUT4_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin4"},
    {"FG_TRIGGER_INPUT5_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin5"},
    {"FG_TRIGGER_INPUT5_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin5"},
    {"FG_TRIGGER_INPUT6_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin6"},
    {"FG_TRIGGER_INPUT6_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin6"},
    {"FG_TRIGGER_INPUT7_RISING", "Device1_Process1_Trigger_InputEvents_InputEvents_Pin7"},
    {"FG_TRIGGER_INPUT7_FALLING", "Device1_Process1_Trigger_InputEvents_InputEvents_NotPin7"},
};

// ---- design registers, in the order they are resolved ----

constexpr RegisterRoute kHost = RegisterRoute::Host;
constexpr RegisterRoute kBoard = RegisterRoute::Generator;

constexpr RegisterSpec kRegisters[] = {
    {"Device1_Process0_LookupTable_R_LUTcontent", kHost, RegisterRole::LutRed, 0},
    {"Device1_Process0_LookupTable_G_LUTcontent", kHost, RegisterRole::LutGreen, 0},
    {"Device1_Process0_LookupTable_B_LUTcontent", kHost, RegisterRole::LutBlue, 0},
    {"Device1_Process0_Camera_UseDval", kHost, RegisterRole::UseDval, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_XLength", kHost, RegisterRole::BufferXLength, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_XLength", kHost, RegisterRole::BufferXLength, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_YLength", kHost, RegisterRole::BufferYLength, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_YLength", kHost, RegisterRole::BufferYLength, 0},
    {"Device1_Process0_ImageHeight_ImageHeight", kHost, RegisterRole::ImageHeight, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_XOffset", kHost, RegisterRole::BufferXOffset, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_XOffset", kHost, RegisterRole::BufferXOffset, 0},
    {"Device1_Process0_Overflow_OverflowOccurred", kHost, RegisterRole::Overflow, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_FillLevel", kHost, RegisterRole::FillLevel, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_FillLevel", kHost, RegisterRole::FillLevel, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_SensorCorrection", kHost, RegisterRole::SensorCorrection, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_SensorCorrection", kHost, RegisterRole::SensorCorrection, 0},
    {"Device1_Process0_ImageSelector_FG_IMG_SELECT_PERIOD_Divisor", kHost, RegisterRole::ImageSelectPeriod, 0},
    {"Device1_Process0_ImageSelector_FG_IMG_SELECT_PHASE_Number", kHost, RegisterRole::ImageSelectPhase, 0},
    {"Device1_Process0_WhiteBalance_White_RedCoefficient", kHost, RegisterRole::WhiteBalanceRed, 0},
    {"Device1_Process0_WhiteBalance_White_BlueCoefficient", kHost, RegisterRole::WhiteBalanceBlue, 0},
    {"Device1_Process0_WhiteBalance_White_GreenCoefficient", kHost, RegisterRole::WhiteBalanceGreen, 0},
    {"Device1_Process1_Trigger_SetOut3_Mode", kHost, RegisterRole::DigitalOut3, 0},
    {"Device1_Process1_Trigger_SetOut7_Mode", kHost, RegisterRole::DigitalOut7, 0},
    {"Device1_Process1_Trigger_InputStatus_Status", kHost, RegisterRole::InputStatus, 0},
    {"Device1_Process1_CC1_Select_Select", kHost, RegisterRole::Cc1Select, 0},
    {"Device1_Process1_CC1_Polarity_Invert", kHost, RegisterRole::Cc1Polarity, 0},
    {"Device1_Process1_CC2_Select_Select", kHost, RegisterRole::Cc2Select, 0},
    {"Device1_Process1_CC2_Polarity_Invert", kHost, RegisterRole::Cc2Polarity, 0},
    {"Device1_Process1_CC3_Select_Select", kHost, RegisterRole::Cc3Select, 0},
    {"Device1_Process1_CC3_Polarity_Invert", kHost, RegisterRole::Cc3Polarity, 0},
    {"Device1_Process1_CC4_Select_Select", kHost, RegisterRole::Cc4Select, 0},
    {"Device1_Process1_CC4_Polarity_Invert", kHost, RegisterRole::Cc4Polarity, 0},
    {"AAGenEnable", kBoard, RegisterRole::GenEnable, 0},
    {"AAGenStart", kBoard, RegisterRole::GenStart, 0},
    {"AAGenWidth", kBoard, RegisterRole::GenWidth, 0},
    {"AAGenLineWidth", kBoard, RegisterRole::GenLineWidth, 0},
    {"AAGenHeight", kBoard, RegisterRole::GenHeight, 0},
    {"AAGenActive", kBoard, RegisterRole::GenActive, 0},
    {"AAGenPassive", kBoard, RegisterRole::GenPassive, 0},
    {"AAGenMask", kBoard, RegisterRole::GenMask, 0},
    {"AAGenRoll", kBoard, RegisterRole::GenRoll, 0},
};

// ---- configuration files ----

constexpr std::uint8_t kStoredAndApplied = kConfigWritten | kConfigStored | kConfigApplied;
constexpr std::uint8_t kStoredOnly = kConfigWritten | kConfigStored;
constexpr std::uint8_t kGeneratorKey = kStoredAndApplied | kConfigFirstCameraOnly;

constexpr ConfigKey kConfigKeys[] = {
    {FG_TIMEOUT, kStoredAndApplied},
    {FG_TURBO_DMA_MODE, kStoredAndApplied},
    {FG_CAMERA_LINK_CAMTYPE, kStoredAndApplied},
    {FG_USEDVAL, kStoredAndApplied},
    {FG_WIDTH, kStoredAndApplied},
    {FG_HEIGHT, kStoredAndApplied},
    {FG_XOFFSET, kStoredAndApplied},
    {FG_YOFFSET, kStoredAndApplied},
    {FG_SENSORREADOUT, kStoredAndApplied},
    {FG_SC_SUBSENSORCOUNT, kStoredOnly},
    {FG_SC_SENSORLENGTH, kStoredOnly},
    {FG_SC_TAPCOUNT, kStoredOnly},
    {FG_SC_ROTATEDSENSOR, kStoredOnly},
    {FG_IMG_SELECT_PERIOD, kStoredAndApplied},
    {FG_IMG_SELECT, kStoredAndApplied},
    {FG_FORMAT, kStoredAndApplied},
    {FG_BITALIGNMENT, kStoredAndApplied},
    {FG_GEN_ENABLE, kGeneratorKey},
    {FG_GEN_START, kGeneratorKey},
    {FG_GEN_WIDTH, kGeneratorKey},
    {FG_GEN_HEIGHT, kGeneratorKey},
    {FG_GEN_LINE_GAP, kGeneratorKey},
    {FG_GEN_FREQ, kGeneratorKey},
    {FG_GEN_ACCURACY, kGeneratorKey},
    {FG_GEN_TAP1, kGeneratorKey},
    {FG_GEN_TAP2, kGeneratorKey},
    {FG_GEN_TAP3, kGeneratorKey},
    {FG_GEN_TAP4, kGeneratorKey},
    {FG_GEN_ROLL, kGeneratorKey},
    {FG_LUT_TYPE, kStoredAndApplied},
    {FG_LUT_CUSTOM_FILE, kStoredOnly},
    {FG_PROCESSING_OFFSET, kStoredOnly},
    {FG_PROCESSING_GAIN, kStoredOnly},
    {FG_PROCESSING_GAMMA, kStoredOnly},
    {FG_PROCESSING_INVERT, kStoredOnly},
    {FG_SCALINGFACTOR_RED, kStoredAndApplied},
    {FG_SCALINGFACTOR_BLUE, kStoredAndApplied},
    {FG_SCALINGFACTOR_GREEN, kStoredAndApplied},
    {FG_DIGIO_OUTPUT, kStoredAndApplied},
    {FG_DIGIO_INPUT, kConfigWritten},
    {FG_CC1, kStoredAndApplied},
    {FG_CC2, kStoredAndApplied},
    {FG_CC3, kStoredAndApplied},
    {FG_CC4, kStoredAndApplied},
};

// ---- the defaults of a new instance, in the order they are applied ----

constexpr InitialWrite kInitialWrites[] = {
    {FG_TIMEOUT, 1000000},
    {FG_TURBO_DMA_MODE, 0},
    {FG_CAMERA_LINK_CAMTYPE, 214},
    {FG_USEDVAL, 1},
    {FG_WIDTH, 1024},
    {FG_HEIGHT, 1024},
    {FG_XOFFSET, 0},
    {FG_YOFFSET, 0},
    {FG_SENSORREADOUT, 0},
    {FG_SC_UPDATESCHEME, 1},
    {FG_IMG_SELECT_PERIOD, 1},
    {FG_IMG_SELECT, 0},
    {FG_FORMAT, 2},
    {FG_BITALIGNMENT, 1},
    {FG_GEN_ENABLE, 0},
    {FG_GEN_START, 1},
    {FG_GEN_WIDTH, 1024},
    {FG_GEN_HEIGHT, 1024},
    {FG_GEN_LINE_GAP, 4},
    {FG_GEN_FREQ, 40.0},
    {FG_GEN_ACCURACY, 25},
    {FG_GEN_TAP1, 1},
    {FG_GEN_TAP2, 1},
    {FG_GEN_TAP3, 1},
    {FG_GEN_TAP4, 1},
    {FG_GEN_ROLL, 0},
    {FG_LUT_TYPE, 3},
    {FG_SCALINGFACTOR_RED, 1.0},
    {FG_SCALINGFACTOR_BLUE, 1.0},
    {FG_SCALINGFACTOR_GREEN, 1.0},
    {FG_DIGIO_OUTPUT, 3},
    {FG_CC1, 0},
    {FG_CC2, 5},
    {FG_CC3, 5},
    {FG_CC4, 5},
};

// ---- the parameter-info tree ----

constexpr const char* kCameraLink = "Camera Link";
constexpr const char* kRoi = "ROI";
constexpr const char* kSensorCorrection = "Sensor Correction";
constexpr const char* kDigitalIo = "Digital I/O";
constexpr const char* kOverflow = "Overflow";
constexpr const char* kImageSelector = "Image Selector";
constexpr const char* kWhiteBalance = "White Balance";
constexpr const char* kLookupTable = "Lookup Table";
constexpr const char* kAppletProperties = "Applet Properties";
constexpr const char* kProcessing = "Processing";
constexpr const char* kOutputFormat = "Output Format";
constexpr const char* kCameraSimulator = "Camera Simulator";
constexpr const char* kMiscellaneous = "Miscellaneous";

constexpr double kGainStep = 1.0 / 1024.0;
constexpr double kDoubleEpsilon = 2.220446049250313e-16;

constexpr InfoItem kInfoTree[] = {
    infoCategory(kCameraLink),
    infoEnum(kCameraLink, "Input Format", FG_CAMERA_LINK_CAMTYPE, 7),
    infoEnum(kCameraLink, "Use DVAL", FG_USEDVAL, 7),

    infoCategory(kRoi),
    infoInt(kRoi, "Width", FG_WIDTH, 8, 16384, 4, 3, 2, "pixel"),
    infoInt(kRoi, "Height", FG_HEIGHT, 8, 65535, 1, 3, 2, "pixel"),
    infoInt(kRoi, "XOffset", FG_XOFFSET, 0, 16376, 4, 3, 2, "pixel"),
    infoInt(kRoi, "YOffset", FG_YOFFSET, 0, 65534, 1, 3, 2, "pixel"),

    infoCategory(kSensorCorrection),
    infoEnum(kSensorCorrection, "Readout Preset", FG_SENSORREADOUT, 7),
    infoInt(kSensorCorrection, "Sub Sensor Count", FG_SC_SUBSENSORCOUNT, 1, 2, 1, 7),
    infoInt(kSensorCorrection, "Sensor Length", FG_SC_SENSORLENGTH, 8, 16384, 1, 7),
    infoInt(kSensorCorrection, "Tap Count", FG_SC_TAPCOUNT, 1, 2, 1, 7),
    infoEnum(kSensorCorrection, "Rotated Sensor", FG_SC_ROTATEDSENSOR, 7),
    infoArray(kSensorCorrection, "Readout Direction", FG_SC_READOUTDIRECTION, 2, 0, 1, 7),
    infoArray(kSensorCorrection, "Pixel Order", FG_SC_PIXELORDER, 2, 0, 1, 7),
    infoEnum(kSensorCorrection, "Update Scheme", FG_SC_UPDATESCHEME, 7),

    infoCategory(kDigitalIo),
    infoInt(kDigitalIo, "Digital Output", FG_DIGIO_OUTPUT, 0, 3, 1, 7),
    infoInt(kDigitalIo, "Digital Input", FG_DIGIO_INPUT, 0, 255, 1, 1),
    infoEnum(kDigitalIo, "CC1", FG_CC1, 7),
    infoEnum(kDigitalIo, "CC2", FG_CC2, 7),
    infoEnum(kDigitalIo, "CC3", FG_CC3, 7),
    infoEnum(kDigitalIo, "CC4", FG_CC4, 7),

    infoCategory(kOverflow),
    infoInt(kOverflow, "Buffer fill level", FG_FILLLEVEL, 0, 100, 1, 1, 1, "%"),
    infoInt(kOverflow, "Buffer overflow", FG_OVERFLOW, 0, 1, 1, 1),

    infoCategory(kImageSelector),
    infoInt(kImageSelector, "Image select period", FG_IMG_SELECT_PERIOD, 1, 256, 1, 7, 1, "image"),
    infoInt(kImageSelector, "Image select", FG_IMG_SELECT, 0, 255, 1, 7, 1, "image"),

    infoCategory(kWhiteBalance),
    infoDouble(kWhiteBalance, "Red Gain", FG_SCALINGFACTOR_RED, 0, 4.0 - kGainStep, kGainStep, 7),
    infoDouble(kWhiteBalance, "Blue Gain", FG_SCALINGFACTOR_BLUE, 0, 4.0 - kGainStep, kGainStep, 7),
    infoDouble(kWhiteBalance, "Green Gain", FG_SCALINGFACTOR_GREEN, 0, 4.0 - kGainStep, kGainStep, 7),

    infoCategory(kLookupTable),
    infoCategory(kAppletProperties, kLookupTable),
    infoEnum(kAppletProperties, "LUT Implementation Type", FG_LUT_IMPLEMENTATION_TYPE, 1),
    infoInt(kAppletProperties, "LUT In Bits", FG_LUT_IN_BITS, 0, 0, 0, 1, 1, "bit"),
    infoInt(kAppletProperties, "LUT Out Bits", FG_LUT_OUT_BITS, 0, 0, 0, 1, 1, "bit"),
    infoEnum(kLookupTable, "Type", FG_LUT_TYPE, 7),
    infoArray(kLookupTable, "Red LUT Values", FG_LUT_VALUE_RED, 256, 0, 255, 7),
    infoArray(kLookupTable, "Green LUT Values", FG_LUT_VALUE_GREEN, 256, 0, 255, 7),
    infoArray(kLookupTable, "Blue LUT Values", FG_LUT_VALUE_BLUE, 256, 0, 255, 7),
    infoString(kLookupTable, "Load File", FG_LUT_CUSTOM_FILE, "*.lut", 7),
    infoString(kLookupTable, "Save File", FG_LUT_SAVE_FILE, "*.lut", 7),

    infoCategory(kProcessing),
    infoDouble(kProcessing, "Offset", FG_PROCESSING_OFFSET, -1.0, 1.0, kDoubleEpsilon, 7),
    infoDouble(kProcessing, "Gain", FG_PROCESSING_GAIN, 0, 256.0, kDoubleEpsilon, 7),
    infoDouble(kProcessing, "Gamma", FG_PROCESSING_GAMMA, -1000.0, 1000.0, kDoubleEpsilon, 7),
    infoEnum(kProcessing, "Invert", FG_PROCESSING_INVERT, 7),

    infoCategory(kOutputFormat),
    infoEnum(kOutputFormat, "Output Format", FG_FORMAT, 3),
    infoEnum(kOutputFormat, "Alignment", FG_BITALIGNMENT, 7),
    infoInt(kOutputFormat, "Pixel Depth", FG_PIXELDEPTH, 0, 128, 1, 1, 1, "bit"),

    infoCategory(kCameraSimulator),
    infoEnum(kCameraSimulator, "Image Source", FG_GEN_ENABLE, 7),
    infoEnum(kCameraSimulator, "Image Start", FG_GEN_START, 7),
    infoInt(kCameraSimulator, "Width", FG_GEN_WIDTH, 0, 65535, 1, 7, 1, "pixel"),
    infoInt(kCameraSimulator, "Height", FG_GEN_HEIGHT, 0, 65535, 1, 7, 1, "pixel"),
    infoInt(kCameraSimulator, "Line Gap", FG_GEN_LINE_GAP, 0, 65535, 1, 7, 1, "pixel"),
    infoDouble(kCameraSimulator, "Frequency", FG_GEN_FREQ, 3.0, 125.0, 1.0, 7, 2, "MHz"),
    infoInt(kCameraSimulator, "Accuracy", FG_GEN_ACCURACY, 1, 65535, 1, 7, 2),
    infoEnum(kCameraSimulator, "Tap 1", FG_GEN_TAP1, 7),
    infoEnum(kCameraSimulator, "Tap 2", FG_GEN_TAP2, 7),
    infoEnum(kCameraSimulator, "Tap 3", FG_GEN_TAP3, 7),
    infoEnum(kCameraSimulator, "Tap 4", FG_GEN_TAP4, 7),
    infoInt(kCameraSimulator, "Roll", FG_GEN_ROLL, 0, 255, 1, 7),
    infoInt(kCameraSimulator, "Active", FG_GEN_ACTIVE, 0, 65535, 1, 1),
    infoInt(kCameraSimulator, "Passive", FG_GEN_PASSIVE, 0, 65535, 1, 1),
    infoInt(kCameraSimulator, "Line Width", FG_GEN_LINE_WIDTH, 0, 65535, 1, 1, 1, "pixel"),

    infoCategory(kMiscellaneous),
    infoInt(kMiscellaneous, "Timeout", FG_TIMEOUT, 2, 2147483646, 1, 7, 1, "seconds"),
    infoInt(kMiscellaneous, "Turbo DMA Mode", FG_TURBO_DMA_MODE, 0, 1, 1, 3),
    infoInt(kMiscellaneous, "Applet version", FG_APPLET_VERSION, 0, 0, 0, 1),
    infoInt(kMiscellaneous, "Applet revision", FG_APPLET_REVISION, 0, 0, 0, 1),
    infoInt(kMiscellaneous, "Applet Id", FG_APPLET_ID, 0, 0, 0, 1),
    infoString(kMiscellaneous, "HAP file", FG_HAP_FILE, "*.hap", 1),
    infoInt(kMiscellaneous, "DMA Status", FG_DMASTATUS, 0, 0, 0, 1),
    infoInt(kMiscellaneous, "Camera Status", FG_CAMSTATUS, 0, 1, 1, 1),
    infoInt(kMiscellaneous, "Camera Status Extended", FG_CAMSTATUS_EXTENDED, 0, 255, 1, 1),
};

// ---- applet properties ----

constexpr char kIdentity[] = "3f9b6c1e-0d47-4a8e-b2c5-7e19a4d08f63";

constexpr InfoAnswer kInfoAnswers[] = {
    infoNumber(848, 1),
    infoNumber(1040, 0),
    infoFrom(1041, InfoAnswerKind::Icon),
    infoFrom(1042, InfoAnswerKind::DesignBlock),
    infoText(1043, kIdentity),
    infoText(1044, ""),
    infoNumber(1045, 1),
    infoNumber(1792, 1),
    infoNumber(1872, 1),
    infoNumber(1888, 1),
    infoNumber(2048, 65536),
    infoNumber(2160, 0),
    infoNumber(2176, 2626),
    infoNumber(2192, 0),
    infoFrom(2304, InfoAnswerKind::ZeroWord32),
    infoNumber(2560, 0),
    infoNumber(2816, 0),
    infoNumber(3072, 1),
    infoNumber(3328, 0),
    infoText(4096,
             "Fitcores with support of Tidestream technology, 24Bit RGB image processing and lookup table for one "
             "Camera Link Medium configuration RGB line scan camera."),
    infoText(4112, "Fitcores:Line"),
    infoText(4128, "class=standard,family=acquisition,type=single,sensortype=line,color=rgb,interface=cl-medium"),
    infoFrom(4144, InfoAnswerKind::LastBoardHandle),
    infoFrom(4160, InfoAnswerKind::LastDesignHandle),
    infoFrom(4176, InfoAnswerKind::AppletName),
    infoText(4192, "1.0.1.0"),
    infoText(4208, "1.0.1.0.20151218.010132"),
    infoFrom(4352, InfoAnswerKind::EnumerationValue),
    infoNumber(4608, 1),
    infoPerPort(4624, 1),
    infoPerPort(4640, 1),
    infoPerPortBothIndices(4656, 0),
    infoPerPortBothIndices(4672, 0),
    infoPerPort(4688, 1),
    infoPerPort(4704, 8),
};

GenericApplet* createApplet();

constexpr AppletDescription kBelcora{
    "Velmarint GmbH",
    "Belcora",
    "1.0",
    0,
    1,
    {embedded::designBlock, &embedded::designBlockSize},
    {embedded::appletIcon, &embedded::appletIconSize},
    kParameters,
    kEventAliases,
    kRegisters,
    kConfigKeys,
    kInitialWrites,
    kInfoTree,
    HostMirrorCategory::WhenMirrorSwitchOn,
    kInfoAnswers,
    createApplet,
};

GenericApplet* createApplet()
{
    return new FgPlWrapperImpl();
}

}  // namespace

FgPlWrapperImpl::FgPlWrapperImpl() : GenericApplet(kBelcora) {}

void FgPlWrapperImpl::finishConfigurationLoad()
{
    set(FG_SC_UPDATESCHEME, 0, ParameterValue::ofInt(1), false);
}

}  // namespace velm::belcora

namespace velm {

const AppletDescription& thisApplet()
{
    return belcora::kBelcora;
}

}  // namespace velm
