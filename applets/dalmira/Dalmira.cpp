// The Dalmira applet: one Camera Link Full camera, eight or ten 8-bit taps,
// 24-bit RGB. Process 0 of the design holds the camera input, the image
// selector, the region of interest, the image buffer (two DRAM banks), the
// white balance and the lookup tables; process 1 holds the trigger outputs
// and inputs and the four camera-control outputs.
#include "AppletDescription.h"
#include "CameraParameters.h"
#include "CameraSignals.h"
#include "GenericApplet.h"
#include "LineGenerator.h"
#include "LookupTables.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"

namespace velm::dalmira {

class FgPlWrapperImpl : public GenericApplet {
public:
    FgPlWrapperImpl();
};

namespace {

// ---- allowed values of Dalmira's own (the shared runs stand in the framework) ----

constexpr AllowedValue kCameraTypes[] = {
    {"8 Tap 8bit", 308, "FG_CL_FULL_8_TAP_8_BIT"},
    {"10 Tap 8bit", 310, "FG_CL_FULL_10_TAP_8_BIT"},
};

// "Camera_FullMode" tells the design how many taps arrive per clock.
constexpr RegisterCode kFullModeCodes[] = {
    {308, 0},
    {310, 1},
};

// ---- region of interest ----

constexpr std::uint32_t kMinWidth = 8;
constexpr std::uint32_t kWidthStep = 8;
constexpr std::uint32_t kMinHeight = 8;
constexpr std::uint32_t kDefaultWidth = 4096;
constexpr std::uint64_t kBytesPerPixel = 3;
constexpr std::uint64_t kLineAlignment = 16;

using Height = RoiHeight<kMinHeight>;
// The generator's width registers count units of 8 pixels.
using Generator = GeneratorLine<2, 4>;

// The camera stage cuts the region out of the line; the buffers count a line
// from its start, in bytes, in whole units of 16.
std::uint32_t bufferLineLength(std::uint32_t xOffset, std::uint32_t width)
{
    const std::uint64_t bytes = (std::uint64_t{xOffset} + width) * kBytesPerPixel;
    return static_cast<std::uint32_t>((bytes + kLineAlignment - 1) / kLineAlignment * kLineAlignment);
}

void setWidth(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
              bool throwFlag)
{
    setRoiWidth(applet, row, camera, value, throwFlag, kMinWidth, kWidthStep,
                [&](std::uint32_t width, std::uint32_t xOffset) {
                    applet.registers().writeInt(applet, RegisterRole::RoiXLength, camera, width);
                    applet.registers().writeInt(applet, RegisterRole::BufferXLength, camera,
                                                bufferLineLength(xOffset, width));
                });
}

void setXOffset(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                bool throwFlag)
{
    setRoiXOffset(applet, row, camera, value, throwFlag, kWidthStep, [&](std::uint32_t xOffset, std::uint32_t width) {
        applet.registers().writeInt(applet, RegisterRole::BufferXLength, camera, bufferLineLength(xOffset, width));
        applet.registers().writeInt(applet, RegisterRole::RoiXOffset, camera, xOffset);
    });
}

// ---- the parameters, in index order ----

// The camera's rows are 16 and 17 and 20 to 25, the image selector's 18 and
// 19, the output format's 26 to 28, the generator's 29 to 43, the lookup
// tables' 44 to 56, the white balance's 57 to 59 and the camera signals' 60
// to 65.
constexpr auto kParameters = joined<ParameterRow>(
    identityAndStatusRows(getHostValueOfPort0),
    cameraLinkRows(308, writeRegisterCode<RegisterRole::CameraFullMode, kFullModeCodes>, kCameraTypes),
    kImageSelectorRows, roiRows(kDefaultWidth, setWidth, Height::setHeight, setXOffset, Height::setYOffset),
    kBufferStateRows, kColourOutputRows, generatorRows(setGeneratorEnable, Generator::set), RgbLookupTables::rows(),
    kWhiteBalanceRows, kCameraSignalRows);
static_assert(kParameters.size() == 66);

// ---- design registers, in the order they are resolved ----

constexpr RegisterRoute kHost = RegisterRoute::Host;

// Dalmira's own registers of process 0: the camera input, and the camera
// stage's cut of the region around the buffer's lengths.
constexpr RegisterSpec kCameraRegisters[] = {
    {"Device1_Process0_Camera_FullMode", kHost, RegisterRole::CameraFullMode, 0},
    {"Device1_Process0_Camera_DvalMode", kHost, RegisterRole::UseDval, 0},
};

constexpr RegisterSpec kRoiXLengthRegister[] = {
    {"Device1_Process0_ROI_X_Length", kHost, RegisterRole::RoiXLength, 0},
};

constexpr RegisterSpec kRoiXOffsetRegister[] = {
    {"Device1_Process0_ROI_X_Offset", kHost, RegisterRole::RoiXOffset, 0},
};

constexpr auto kRegisters =
    joined<RegisterSpec>(kOneCameraRgbLutRegisters, kCameraRegisters, kOneCameraImageSelectorRegisters,
                         kRoiXLengthRegister, kOneCameraBufferLengthRegisters, kRoiXOffsetRegister,
                         kOneCameraBufferStateRegisters, kOneCameraWhiteBalanceRegisters, kOneCameraSignalRegisters,
                         kGeneratorRegisters);

// ---- configuration files ----

constexpr auto kConfigKeys =
    joined<ConfigKey>(kCameraConfigKeys, kImageSelectorConfigKeys, kRoiConfigKeys, kOutputFormatConfigKeys,
                      kGeneratorConfigKeys, kLutConfigKeys, kWhiteBalanceConfigKeys, kCameraSignalConfigKeys);

// ---- the defaults of a new instance, in the order they are applied ----

constexpr auto kInitialWrites =
    joined<InitialWrite>(cameraInitialWrites(308), kImageSelectorInitialWrites, roiInitialWrites(kDefaultWidth),
                         kColourOutputInitialWrites, kGeneratorInitialWrites, kLutInitialWrites,
                         kWhiteBalanceInitialWrites, kCameraSignalInitialWrites);

// ---- the parameter-info tree ----

constexpr auto kInfoTree =
    joined<InfoItem>(kCameraLinkInfo, roiInfo(kMinWidth, kWidthStep, kMinHeight), kCameraSignalInfo,
                     kImageSelectorInfo, kWhiteBalanceInfo, RgbLookupTables::info(), kOutputFormatInfo,
                     kGeneratorInfo, kMiscellaneousInfo);

// ---- applet properties ----

constexpr char kIdentity[] = "b7e2d4a9-51c3-4f86-9a0d-2c6e8f13b574";

constexpr InfoAnswer kOwnInfoAnswers[] = {
    infoNumber(848, 1),
    infoText(1043, kIdentity),
    infoNumber(3072, 0),
    infoNumber(3328, 1),
    infoText(4096,
             "Fitcores with support of Tidestream technology, 24Bit RGB image processing and lookup table for one "
             "Camera Link FULL configuration RGB line scan camera."),
    infoText(4128, "class=standard,family=acquisition,type=single,sensortype=line,color=rgb,interface=cl-full"),
    infoPerPort(4704, 8),
};

constexpr auto kInfoAnswers = joined<InfoAnswer>(kSharedInfoAnswers, kOnePortInfoAnswers, kOwnInfoAnswers);

constexpr AppletDescription kDalmira{
    "Velmarint GmbH",
    "Dalmira",
    "1.0",
    0,
    1,
    kParameters,
    kOneCameraEventAliases,
    kRegisters,
    kConfigKeys,
    kInitialWrites,
    kInfoTree,
    HostMirrorCategory::WhenHostParametersAdmitted,
    kInfoAnswers,
    createInstanceOf<FgPlWrapperImpl>,
};

}  // namespace

FgPlWrapperImpl::FgPlWrapperImpl() : GenericApplet(kDalmira) {}

}  // namespace velm::dalmira

namespace velm {

const AppletDescription& thisApplet()
{
    return dalmira::kDalmira;
}

}  // namespace velm
