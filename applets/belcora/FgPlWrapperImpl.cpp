#include "FgPlWrapperImpl.h"

#include <iterator>

#include "AppletDescription.h"
#include "CameraParameters.h"
#include "CameraSignals.h"
#include "LineGenerator.h"
#include "LookupTables.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"

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
constexpr ValueForm kElement = ValueForm::Element;

// Rows 16 to 31.
constexpr ParameterRow kCameraRows[] = {
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
};

// Rows 34 to 36.
constexpr ParameterRow kOutputRows[] = {
    readWrite("FG_FORMAT", FG_FORMAT, kInt, "Pixel format of the output image.", 2, keepAllowed, kColour24Format),
    readWrite("FG_BITALIGNMENT", FG_BITALIGNMENT, kInt,
              "Defines if the output data are right aligned or left aligned.", 1, keepAllowed, kAlignments),
    readOnly("FG_PIXELDEPTH", FG_PIXELDEPTH, kInt, "Internal processing bit depth of the applet.", nullptr, 8),
};

// The generator's rows are 37 to 51, the lookup tables' 52 to 64, the white
// balance's 65 to 67 and the camera signals' 68 to 73.
constexpr auto kParameters =
    joined<ParameterRow>(identityAndStatusRows(getHostValueOfPort0), kCameraRows, kImageSelectorRows, kOutputRows,
                         generatorRows(setGeneratorEnable, Generator::set), Luts::rows(), kWhiteBalanceRows,
                         kCameraSignalRows);
static_assert(kParameters.size() == 74);

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

constexpr RegisterSpec kDesignRegisters[] = {
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
};

constexpr auto kRegisters = joined<RegisterSpec>(kDesignRegisters, kGeneratorRegisters);

// ---- configuration files ----

constexpr ConfigKey kSensorCorrectionConfigKeys[] = {
    {FG_SENSORREADOUT, kConfigStoredAndApplied},
    {FG_SC_SUBSENSORCOUNT, kConfigStoredOnly},
    {FG_SC_SENSORLENGTH, kConfigStoredOnly},
    {FG_SC_TAPCOUNT, kConfigStoredOnly},
    {FG_SC_ROTATEDSENSOR, kConfigStoredOnly},
};

constexpr ConfigKey kOutputConfigKeys[] = {
    {FG_FORMAT, kConfigStoredAndApplied},
    {FG_BITALIGNMENT, kConfigStoredAndApplied},
};

constexpr auto kConfigKeys = joined<ConfigKey>(kCameraConfigKeys, kSensorCorrectionConfigKeys, kImageSelectorConfigKeys,
                                               kOutputConfigKeys, kGeneratorConfigKeys, kLutConfigKeys,
                                               kWhiteBalanceConfigKeys, kCameraSignalConfigKeys);

// ---- the defaults of a new instance, in the order they are applied ----

constexpr InitialWrite kSensorCorrectionWrites[] = {
    {FG_SENSORREADOUT, 0},
    {FG_SC_UPDATESCHEME, 1},
};

constexpr InitialWrite kOutputWrites[] = {
    {FG_FORMAT, 2},
    {FG_BITALIGNMENT, 1},
};

constexpr InitialWrite kLutWrites[] = {
    {FG_LUT_TYPE, 3},
};

constexpr auto kInitialWrites =
    joined<InitialWrite>(cameraInitialWrites(214), kSensorCorrectionWrites, kImageSelectorInitialWrites, kOutputWrites,
                         kGeneratorInitialWrites, kLutWrites, kWhiteBalanceInitialWrites,
                         kCameraSignalInitialWrites);

// ---- the parameter-info tree ----

constexpr const char* kRoi = "ROI";
constexpr const char* kSensorCorrection = "Sensor Correction";

constexpr InfoItem kRoiAndSensorInfo[] = {
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
};

constexpr auto kInfoTree =
    joined<InfoItem>(kCameraLinkInfo, kRoiAndSensorInfo, kCameraSignalInfo, kImageSelectorInfo, kWhiteBalanceInfo,
                     Luts::info(), kOutputFormatInfo, kGeneratorInfo, kMiscellaneousInfo);

// ---- applet properties ----

constexpr char kIdentity[] = "3f9b6c1e-0d47-4a8e-b2c5-7e19a4d08f63";

constexpr InfoAnswer kOwnInfoAnswers[] = {
    infoNumber(848, 1),
    infoText(1043, kIdentity),
    infoNumber(1792, 1),
    infoNumber(1872, 1),
    infoNumber(1888, 1),
    infoNumber(3072, 1),
    infoNumber(3328, 0),
    infoText(4096,
             "Fitcores with support of Tidestream technology, 24Bit RGB image processing and lookup table for one "
             "Camera Link Medium configuration RGB line scan camera."),
    infoText(4128, "class=standard,family=acquisition,type=single,sensortype=line,color=rgb,interface=cl-medium"),
    infoNumber(4608, 1),
    infoPerPort(4624, 1),
    infoPerPort(4640, 1),
    infoPerPortBothIndices(4656, 0),
    infoPerPortBothIndices(4672, 0),
    infoPerPort(4688, 1),
    infoPerPort(4704, 8),
};

constexpr auto kInfoAnswers = joined<InfoAnswer>(kSharedInfoAnswers, kOwnInfoAnswers);

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
    createInstanceOf<FgPlWrapperImpl>,
};

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
