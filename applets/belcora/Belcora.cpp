// The Belcora applet: one Camera Link Medium camera, 24-bit RGB. Process 0
// of the design holds the camera, the lookup tables, the white balance, the
// image selector and the image buffer (two DRAM banks); process 1 holds the
// trigger outputs and inputs and the four camera-control outputs.
#include <iterator>

#include "AppletDescription.h"
#include "CameraParameters.h"
#include "CameraSignals.h"
#include "GenericApplet.h"
#include "LineGenerator.h"
#include "LookupTables.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"

namespace velm::belcora {

class FgPlWrapperImpl : public GenericApplet {
public:
    FgPlWrapperImpl();

private:
    // The stored sensor-correction values become register writes only
    // through the update scheme.
    void finishConfigurationLoad() override;
};

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

constexpr std::uint32_t kMinWidth = 8;
constexpr std::uint32_t kWidthStep = 4;
constexpr std::uint32_t kMinHeight = 8;

using Luts = RgbLookupTables;
using Roi = BufferRoi<kMinWidth, kWidthStep, kMinHeight>;
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

// Rows 24 to 31.
constexpr ParameterRow kSensorCorrectionRows[] = {
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

// The camera's rows are 16 to 23, the image selector's 32 and 33, the
// output format's 34 to 36, the generator's 37 to 51, the lookup tables' 52
// to 64, the white balance's 65 to 67 and the camera signals' 68 to 73.
constexpr auto kParameters =
    joined<ParameterRow>(identityAndStatusRows(getHostValueOfPort0), cameraLinkRows(214, keepAllowed, kCameraTypes),
                         roiRows(1024, Roi::setWidth, Roi::setHeight, Roi::setXOffset, Roi::setYOffset),
                         kBufferStateRows, kSensorCorrectionRows, kImageSelectorRows, kColourOutputRows,
                         generatorRows(setGeneratorEnable, Generator::set), Luts::rows(), kWhiteBalanceRows,
                         kCameraSignalRows);
static_assert(kParameters.size() == 74);

// ---- design registers, in the order they are resolved ----

constexpr RegisterRoute kHost = RegisterRoute::Host;

// Belcora's own registers of process 0: the camera's data-valid switch, and
// the x offset and sensor correction of each of the buffer's two banks.
constexpr RegisterSpec kUseDvalRegister[] = {
    {"Device1_Process0_Camera_UseDval", kHost, RegisterRole::UseDval, 0},
};

constexpr RegisterSpec kXOffsetRegisters[] = {
    {"Device1_Process0_Buffer_0_DRAM_A_0_XOffset", kHost, RegisterRole::BufferXOffset, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_XOffset", kHost, RegisterRole::BufferXOffset, 0},
};

constexpr RegisterSpec kSensorCorrectionRegisters[] = {
    {"Device1_Process0_Buffer_0_DRAM_A_0_SensorCorrection", kHost, RegisterRole::SensorCorrection, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_SensorCorrection", kHost, RegisterRole::SensorCorrection, 0},
};

constexpr auto kRegisters =
    joined<RegisterSpec>(kOneCameraRgbLutRegisters, kUseDvalRegister, kOneCameraBufferLengthRegisters,
                         kXOffsetRegisters, kOneCameraBufferStateRegisters, kSensorCorrectionRegisters,
                         kOneCameraImageSelectorRegisters, kOneCameraWhiteBalanceRegisters, kOneCameraSignalRegisters,
                         kGeneratorRegisters);

// ---- configuration files ----

constexpr ConfigKey kSensorCorrectionConfigKeys[] = {
    {FG_SENSORREADOUT, kConfigStoredAndApplied},
    {FG_SC_SUBSENSORCOUNT, kConfigStoredOnly},
    {FG_SC_SENSORLENGTH, kConfigStoredOnly},
    {FG_SC_TAPCOUNT, kConfigStoredOnly},
    {FG_SC_ROTATEDSENSOR, kConfigStoredOnly},
};

constexpr auto kConfigKeys =
    joined<ConfigKey>(kCameraConfigKeys, kRoiConfigKeys, kSensorCorrectionConfigKeys, kImageSelectorConfigKeys,
                      kOutputFormatConfigKeys, kGeneratorConfigKeys, kLutConfigKeys, kWhiteBalanceConfigKeys,
                      kCameraSignalConfigKeys);

// ---- the defaults of a new instance, in the order they are applied ----

constexpr InitialWrite kSensorCorrectionWrites[] = {
    {FG_SENSORREADOUT, 0},
    {FG_SC_UPDATESCHEME, 1},
};

constexpr auto kInitialWrites =
    joined<InitialWrite>(cameraInitialWrites(214), roiInitialWrites(1024), kSensorCorrectionWrites,
                         kImageSelectorInitialWrites, kColourOutputInitialWrites, kGeneratorInitialWrites,
                         kLutInitialWrites, kWhiteBalanceInitialWrites, kCameraSignalInitialWrites);

// ---- the parameter-info tree ----

constexpr const char* kSensorCorrection = "Sensor Correction";

constexpr InfoItem kSensorCorrectionInfo[] = {
    infoCategory(kSensorCorrection),
    infoEnum(kSensorCorrection, "Readout Preset", FG_SENSORREADOUT, kReadWriteFlagged),
    infoInt(kSensorCorrection, "Sub Sensor Count", FG_SC_SUBSENSORCOUNT, 1, 2, 1, kReadWriteFlagged),
    infoInt(kSensorCorrection, "Sensor Length", FG_SC_SENSORLENGTH, 8, 16384, 1, kReadWriteFlagged),
    infoInt(kSensorCorrection, "Tap Count", FG_SC_TAPCOUNT, 1, 2, 1, kReadWriteFlagged),
    infoEnum(kSensorCorrection, "Rotated Sensor", FG_SC_ROTATEDSENSOR, kReadWriteFlagged),
    infoArray(kSensorCorrection, "Readout Direction", FG_SC_READOUTDIRECTION, 2, 0, 1, kReadWriteFlagged),
    infoArray(kSensorCorrection, "Pixel Order", FG_SC_PIXELORDER, 2, 0, 1, kReadWriteFlagged),
    infoEnum(kSensorCorrection, "Update Scheme", FG_SC_UPDATESCHEME, kReadWriteFlagged),
};

constexpr auto kInfoTree =
    joined<InfoItem>(kCameraLinkInfo, roiInfo(kMinWidth, kWidthStep, kMinHeight), kSensorCorrectionInfo,
                     kCameraSignalInfo, kImageSelectorInfo, kWhiteBalanceInfo, Luts::info(), kOutputFormatInfo,
                     kGeneratorInfo, kMiscellaneousInfo);

// ---- applet properties ----

constexpr char kIdentity[] = "3f9b6c1e-0d47-4a8e-b2c5-7e19a4d08f63";

constexpr InfoAnswer kOwnInfoAnswers[] = {
    infoNumber(848, 1),
    infoText(1043, kIdentity),
    infoNumber(3072, 1),
    infoNumber(3328, 0),
    infoText(4096,
             "Fitcores with support of Tidestream technology, 24Bit RGB image processing and lookup table for one "
             "Camera Link Medium configuration RGB line scan camera."),
    infoText(4128, "class=standard,family=acquisition,type=single,sensortype=line,color=rgb,interface=cl-medium"),
    infoPerPort(4704, 8),
};

constexpr auto kInfoAnswers = joined<InfoAnswer>(kSharedInfoAnswers, kOnePortInfoAnswers, kOwnInfoAnswers);

constexpr AppletDescription kBelcora{
    "Velmarint GmbH",
    "Belcora",
    "1.0",
    0,
    1,
    kParameters,
    kOneCameraEventAliases,
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
