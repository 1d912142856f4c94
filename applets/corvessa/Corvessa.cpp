// The Corvessa applet: two Camera Link Base cameras, 24-bit RGB with a white
// balance per camera. Process 0 of the design serves the camera on port 0,
// process 1 the camera on port 1 (each with its three lookup tables, white
// balance, image selector and buffer); process 2 holds the trigger inputs
// and outputs and the camera-control lines of both cameras. The line
// generator exists once and is reached from either port.
#include "AppletDescription.h"
#include "CameraParameters.h"
#include "CameraSignals.h"
#include "GenericApplet.h"
#include "LineGenerator.h"
#include "LookupTables.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"

namespace velm::corvessa {

class FgPlWrapperImpl : public GenericApplet {
public:
    FgPlWrapperImpl();
};

namespace {

// ---- allowed values of Corvessa's own (the shared runs stand in the framework) ----

constexpr AllowedValue kCameraTypes[] = {
    {"1x24bit RGB (Parallel 8bit)", 500, "FG_CL_RGB"},
};

// The three colour tables of a camera; a table file must hold all three
// sections, or no table changes.
constexpr LutLayout kLutLayout{kRgbLutColours, 3, 256, 8, 8, 256.0, true};

using Luts = LookupTables<kLutLayout>;
constexpr std::uint32_t kMinWidth = 4;
constexpr std::uint32_t kWidthStep = 4;
constexpr std::uint32_t kMinHeight = 2;

using Roi = BufferRoi<kMinWidth, kWidthStep, kMinHeight>;
using Generator = GeneratorLine<2, 0>;

// ---- the parameters, in index order ----

// The DMA status is the host's of the port asked. The camera's rows are 16
// to 23, the output format's 24 to 26, the generator's 27 to 41, the image
// selector's 42 and 43, the lookup tables' 44 to 56, the white balance's 57
// to 59 and the camera signals' 60 to 65.
constexpr auto kParameters =
    joined<ParameterRow>(identityAndStatusRows(getHostValue), cameraLinkRows(500, keepAllowed, kCameraTypes),
                         roiRows(1024, Roi::setWidth, Roi::setHeight, Roi::setXOffset, Roi::setYOffset),
                         kBufferStateRows, kColourOutputRows, generatorRows(setGeneratorEnable, Generator::set),
                         kImageSelectorRows, Luts::rows(), kWhiteBalanceRows, kCameraSignalRows);
static_assert(kParameters.size() == 66);

// ---- design events: one pass a camera ----

// Camera 1's pass enters the design's names again before its own aliases,
// so that the mask of camera 0's overflow names its design event while the
// trigger inputs keep their aliases.
constexpr auto kEventAliases =
    joined<EventAlias>(kCamera0OverflowAlias, inEventPass(kTwoCameraTriggerAliases, 0),
                       inEventPass(kCamera1OverflowAlias, 1), inEventPass(kTwoCameraTriggerAliases, 1));

// ---- design registers, in the order they are resolved ----

constexpr RegisterRoute kHost = RegisterRoute::Host;

// Corvessa's own registers of processes 0 and 1: the colour tables, the
// buffers' line lengths and offsets, and the white balance.
constexpr RegisterSpec kLutRegisters[] = {
    {"Device1_Process0_LookupTable_R_LUTcontent", kHost, RegisterRole::LutRed, 0},
    {"Device1_Process0_LookupTable_G_LUTcontent", kHost, RegisterRole::LutGreen, 0},
    {"Device1_Process0_LookupTable_B_LUTcontent", kHost, RegisterRole::LutBlue, 0},
    {"Device1_Process1_LookupTable_R_LUTcontent", kHost, RegisterRole::LutRed, 1},
    {"Device1_Process1_LookupTable_G_LUTcontent", kHost, RegisterRole::LutGreen, 1},
    {"Device1_Process1_LookupTable_B_LUTcontent", kHost, RegisterRole::LutBlue, 1},
};

constexpr RegisterSpec kXLengthRegisters[] = {
    {"Device1_Process0_Buffer_0_DRAM_A_0_XLength", kHost, RegisterRole::BufferXLength, 0},
    {"Device1_Process1_Buffer_0_DRAM_A_0_XLength", kHost, RegisterRole::BufferXLength, 1},
};

constexpr RegisterSpec kXOffsetRegisters[] = {
    {"Device1_Process0_Buffer_0_DRAM_A_0_XOffset", kHost, RegisterRole::BufferXOffset, 0},
    {"Device1_Process1_Buffer_0_DRAM_A_0_XOffset", kHost, RegisterRole::BufferXOffset, 1},
};

constexpr RegisterSpec kWhiteBalanceRegisters[] = {
    {"Device1_Process0_WhiteBalance_White_RedCoefficient", kHost, RegisterRole::WhiteBalanceRed, 0},
    {"Device1_Process1_WhiteBalance_White_RedCoefficient", kHost, RegisterRole::WhiteBalanceRed, 1},
    {"Device1_Process0_WhiteBalance_White_BlueCoefficient", kHost, RegisterRole::WhiteBalanceBlue, 0},
    {"Device1_Process1_WhiteBalance_White_BlueCoefficient", kHost, RegisterRole::WhiteBalanceBlue, 1},
    {"Device1_Process0_WhiteBalance_White_GreenCoefficient", kHost, RegisterRole::WhiteBalanceGreen, 0},
    {"Device1_Process1_WhiteBalance_White_GreenCoefficient", kHost, RegisterRole::WhiteBalanceGreen, 1},
};

constexpr auto kRegisters =
    joined<RegisterSpec>(kLutRegisters, kTwoCameraUseDvalRegisters, kXLengthRegisters,
                         kTwoCameraBufferHeightRegisters, kXOffsetRegisters, kTwoCameraBufferStateRegisters,
                         kTwoCameraImageSelectorRegisters, kWhiteBalanceRegisters, kTwoCameraSignalRegisters,
                         kGeneratorRegisters);

// ---- configuration files: one section a port, the generator only in the first ----

constexpr auto kConfigKeys =
    joined<ConfigKey>(kCameraConfigKeys, kRoiConfigKeys, kOutputFormatConfigKeys, kGeneratorConfigKeys,
                      kImageSelectorConfigKeys, kLutConfigKeys, kWhiteBalanceConfigKeys, kCameraSignalConfigKeys);

// ---- the defaults of a new instance, in the order they are applied to each port ----

constexpr auto kInitialWrites =
    joined<InitialWrite>(cameraInitialWrites(500), roiInitialWrites(1024), kColourOutputInitialWrites,
                         kGeneratorInitialWrites, kImageSelectorInitialWrites, kLutInitialWrites,
                         kWhiteBalanceInitialWrites, kCameraSignalInitialWrites);

// ---- the parameter-info tree, the same on both ports ----

constexpr auto kInfoTree =
    joined<InfoItem>(kCameraLinkInfo, roiInfo(kMinWidth, kWidthStep, kMinHeight), kCameraSignalInfo,
                     kImageSelectorInfo, kWhiteBalanceInfo, Luts::info(), kOutputFormatInfo, kGeneratorInfo,
                     kMiscellaneousInfo);

// ---- applet properties ----

constexpr char kIdentity[] = "5d0c7e21-9a84-4b3f-b6e2-0f71c3a9d854";

constexpr InfoAnswer kOwnInfoAnswers[] = {
    infoNumber(848, 1),
    infoText(1043, kIdentity),
    infoNumber(3072, 0),
    infoNumber(3328, 0),
    infoText(4096,
             "Fitcores with support of Tidestream technology, 24Bit image processing, white balancing and lookup "
             "table for two Camera Link BASE configuration RGB line scan cameras."),
    infoText(4128, "class=standard,family=acquisition,type=dual,sensortype=line,color=rgb,interface=cl-base"),
    infoPerPort(4704, 8, 10),
};

constexpr auto kInfoAnswers = joined<InfoAnswer>(kSharedInfoAnswers, kTwoPortInfoAnswers, kOwnInfoAnswers);

constexpr AppletDescription kCorvessa{
    "Velmarint GmbH",
    "Corvessa",
    "1.0",
    0,
    2,
    kParameters,
    kEventAliases,
    kRegisters,
    kConfigKeys,
    kInitialWrites,
    kInfoTree,
    HostMirrorCategory::WhenHostParametersAdmitted,
    kInfoAnswers,
    createInstanceOf<FgPlWrapperImpl>,
};

}  // namespace

FgPlWrapperImpl::FgPlWrapperImpl() : GenericApplet(kCorvessa) {}

}  // namespace velm::corvessa

namespace velm {

const AppletDescription& thisApplet()
{
    return corvessa::kCorvessa;
}

}  // namespace velm
