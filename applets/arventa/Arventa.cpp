// The Arventa applet: two Camera Link Base cameras, 12-bit gray. Process 0
// of the design serves the camera on port 0, process 1 the camera on port 1
// (each with its tap extraction, region of interest, gray lookup table,
// image selector and buffer); process 2 holds the trigger inputs and outputs
// and the camera-control lines of both cameras. The line generator exists
// once and is reached from either port.
#include "AppletDescription.h"
#include "CameraParameters.h"
#include "CameraSignals.h"
#include "GenericApplet.h"
#include "LineGenerator.h"
#include "LookupTables.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"

namespace velm::arventa {

class FgPlWrapperImpl : public GenericApplet {
public:
    FgPlWrapperImpl();
};

namespace {

// ---- allowed values of Arventa's own (the shared runs stand in the framework) ----

constexpr AllowedValue kCameraTypes[] = {
    {"Single Tap 8bit", 8, "FG_CL_SINGLETAP_8_BIT"},
    {"Single Tap 10bit", 10, "FG_CL_SINGLETAP_10_BIT"},
    {"Single Tap 12bit", 12, "FG_CL_SINGLETAP_12_BIT"},
    {"Single Tap 14bit", 14, "FG_CL_SINGLETAP_14_BIT"},
    {"Single Tap 16bit", 16, "FG_CL_SINGLETAP_16_BIT"},
    {"Dual Tap 8bit", 108, "FG_CL_DUALTAP_8_BIT"},
    {"Dual Tap 10bit", 110, "FG_CL_DUALTAP_10_BIT"},
    {"Dual Tap 12bit", 112, "FG_CL_DUALTAP_12_BIT"},
    {"Triple Tap 8bit", 120, "FG_CL_TRIPLETAP_8_BIT"},
};

// The camera stage knows eight formats; a triple-tap camera is taken in as
// dual-tap 12-bit data and split by the tap extraction.
constexpr RegisterCode kCameraFormatCodes[] = {
    {8, 0}, {10, 1}, {12, 2}, {14, 3}, {16, 4}, {108, 5}, {110, 6}, {112, 7}, {120, 7},
};

constexpr AllowedValue kGrayFormats[] = {
    {"Gray 8bit", 3, "FG_GRAY"},
    {"Gray 16bit", 1, "FG_GRAY16"},
};

constexpr RegisterCode kGrayFormatCodes[] = {{3, 1}, {1, 0}};

// One 4096-entry gray table per camera, 12 bits in and out.
constexpr LutColour kGrayLut[] = {
    {FG_LUT_VALUE, "FG_LUT_VALUE", "Field with LUT Values.", "LUT Values", RegisterRole::LutGray, "[gray]", 3},
};
constexpr LutLayout kGrayLutLayout{kGrayLut, 1, 4096, 12, 12, 4096.0};

using Luts = LookupTables<kGrayLutLayout>;
constexpr std::uint32_t kMinWidth = 16;
constexpr std::uint32_t kWidthStep = 8;
constexpr std::uint32_t kMinHeight = 2;

using Height = RoiHeight<kMinHeight>;
using Generator = GeneratorLine<2, 2>;

// ---- camera type, tap extraction and region of interest ----

constexpr std::uint32_t kTripleTap8Bit = 120;
constexpr std::uint32_t kImageFromCamera = 0;

bool tripleTap(GenericApplet& applet, std::uint32_t camera)
{
    return applet.kept(camera, FG_CAMERA_LINK_CAMTYPE).integer == kTripleTap8Bit;
}

// A triple-tap camera's data pass the tap extraction only while they come
// from the camera; generator images carry no taps to extract.
void applyTapExtraction(GenericApplet& applet, std::uint32_t camera)
{
    const bool extract = tripleTap(applet, camera) && applet.kept(camera, FG_GEN_ENABLE).integer == kImageFromCamera;
    applet.registers().writeInt(applet, RegisterRole::TripleTapSelect, camera, extract ? 1 : 0);
    applet.registers().writeInt(applet, RegisterRole::TripleTapTrash, camera, extract ? 0 : 1);
}

// The generator feeds port 0's camera stage; port 1 takes a new source into
// account when its camera type is next set.
void followSourceOnPortZero(GenericApplet& applet)
{
    applyTapExtraction(applet, 0);
}

// Behind the tap extraction the buffer's line is two thirds of the camera
// line up to the region's end, rounded up to whole words of four.
std::uint32_t tripleTapBufferLength(std::uint32_t width, std::uint32_t offset)
{
    const std::uint32_t line = width + offset;
    return (4 * line) % 6 != 0 ? line / 6 * 4 + 4 : 4 * line / 6;
}

// In triple-tap mode the region is cut in the camera stage and the buffer
// takes the extracted line from its start; otherwise the camera stage
// passes the whole line and the buffer cuts the region.
void setWidth(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
              bool throwFlag)
{
    setRoiWidth(applet, row, camera, value, throwFlag, kMinWidth, kWidthStep,
                [&](std::uint32_t width, std::uint32_t offset) {
                    applet.registers().writeInt(applet, RegisterRole::RoiXLength, camera, width);
                    applet.registers().writeInt(applet, RegisterRole::BufferXLength, camera,
                                                tripleTap(applet, camera) ? tripleTapBufferLength(width, offset)
                                                                          : width);
                });
}

void setXOffset(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                bool throwFlag)
{
    setRoiXOffset(applet, row, camera, value, throwFlag, kWidthStep, [&](std::uint32_t offset, std::uint32_t width) {
        const bool inCameraStage = tripleTap(applet, camera);
        applet.registers().writeInt(applet, RegisterRole::RoiXOffset, camera, inCameraStage ? offset : 0);
        applet.set(FG_WIDTH, camera, ParameterValue::ofInt(width), true);
        applet.registers().writeInt(applet, RegisterRole::BufferXOffset, camera, inCameraStage ? 0 : offset);
    });
}

// A new camera type decides the tap extraction and where the region is cut,
// so both are made again before the camera stage learns the format.
void setCameraType(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                   bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag, [&] {
        applyTapExtraction(applet, camera);
        applet.set(FG_XOFFSET, camera, ParameterValue::ofInt(applet.kept(camera, FG_XOFFSET).integer), true);
        applet.registers().writeInt(applet, RegisterRole::CameraFormat, camera,
                                    registerCodeOf(kCameraFormatCodes, v));
    });
}

// ---- the parameters, in index order ----

constexpr ValueForm kInt = ValueForm::Int;

// Row 24.
constexpr ParameterRow kSensorReadoutRow[] = {
    readWrite("FG_SENSORREADOUT", FG_SENSORREADOUT, kInt,
              "Preset for Sensor Readout Correction. This will apply the selected tap geometry.", 0,
              writeAllowed<RegisterRole::SensorCorrection>, kSensorReadoutModes),
};

// The DMA status is the host's of the port asked. The camera's rows are 16
// to 23, the output format's 25 to 27, the generator's 28 to 42, the image
// selector's 43 and 44, the lookup table's 45 to 55 and the camera signals'
// 56 to 61.
constexpr auto kParameters = joined<ParameterRow>(
    identityAndStatusRows(getHostValue), cameraLinkRows(108, setCameraType, kCameraTypes),
    roiRows(1024, setWidth, Height::setHeight, setXOffset, Height::setYOffset), kBufferStateRows, kSensorReadoutRow,
    outputFormatRows(3, writeRegisterCode<RegisterRole::OutputFormatSelect, kGrayFormatCodes>, kGrayFormats,
                     writeAllowed<RegisterRole::BitAlignmentValue>, 12),
    generatorRows(setGeneratorEnableThen<followSourceOnPortZero>, Generator::set), kImageSelectorRows, Luts::rows(),
    kCameraSignalRows);
static_assert(kParameters.size() == 62);

// ---- design events ----

// Camera 0's overflow, the trigger inputs, then camera 1's overflow.
constexpr auto kEventAliases =
    joined<EventAlias>(kCamera0OverflowAlias, kTwoCameraTriggerAliases, kCamera1OverflowAlias);

// ---- design registers, in the order they are resolved ----

constexpr RegisterRoute kHost = RegisterRoute::Host;

// Arventa's own registers of processes 0 and 1: the gray tables, the camera
// stages, the camera stage's cut of the region beside the buffer's, and the
// output formats.
constexpr RegisterSpec kCameraRegisters[] = {
    {"Device1_Process0_LookupTable_LookupTable_LUTcontent", kHost, RegisterRole::LutGray, 0},
    {"Device1_Process1_LookupTable_LookupTable_LUTcontent", kHost, RegisterRole::LutGray, 1},
    {"Device1_Process0_TripleTapExtraction_EnableTripleTap_SelectSource", kHost, RegisterRole::TripleTapSelect, 0},
    {"Device1_Process0_TripleTapExtraction_VirtualTrash_EnableTrash_Value", kHost, RegisterRole::TripleTapTrash, 0},
    {"Device1_Process0_Camera_Format", kHost, RegisterRole::CameraFormat, 0},
    {"Device1_Process1_TripleTapExtraction_EnableTripleTap_SelectSource", kHost, RegisterRole::TripleTapSelect, 1},
    {"Device1_Process1_TripleTapExtraction_VirtualTrash_EnableTrash_Value", kHost, RegisterRole::TripleTapTrash, 1},
    {"Device1_Process1_Camera_Format", kHost, RegisterRole::CameraFormat, 1},
};

constexpr RegisterSpec kXLengthRegisters[] = {
    {"Device1_Process0_ROI_X_Length", kHost, RegisterRole::RoiXLength, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_XLength", kHost, RegisterRole::BufferXLength, 0},
    {"Device1_Process1_ROI_X_Length", kHost, RegisterRole::RoiXLength, 1},
    {"Device1_Process1_Buffer_0_DRAM_A_0_XLength", kHost, RegisterRole::BufferXLength, 1},
};

constexpr RegisterSpec kXOffsetRegisters[] = {
    {"Device1_Process0_ROI_X_Offset", kHost, RegisterRole::RoiXOffset, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_XOffset", kHost, RegisterRole::BufferXOffset, 0},
    {"Device1_Process1_ROI_X_Offset", kHost, RegisterRole::RoiXOffset, 1},
    {"Device1_Process1_Buffer_0_DRAM_A_0_XOffset", kHost, RegisterRole::BufferXOffset, 1},
};

constexpr RegisterSpec kOutputRegisters[] = {
    {"Device1_Process0_Buffer_0_DRAM_A_0_SensorCorrection", kHost, RegisterRole::SensorCorrection, 0},
    {"Device1_Process1_Buffer_0_DRAM_A_0_SensorCorrection", kHost, RegisterRole::SensorCorrection, 1},
    {"Device1_Process0_OutputFormat_FG_FORMAT_SelectSource", kHost, RegisterRole::OutputFormatSelect, 0},
    {"Device1_Process1_OutputFormat_FG_FORMAT_SelectSource", kHost, RegisterRole::OutputFormatSelect, 1},
    {"Device1_Process0_OutputFormat_FG_BITALIGNMENT_Value", kHost, RegisterRole::BitAlignmentValue, 0},
    {"Device1_Process1_OutputFormat_FG_BITALIGNMENT_Value", kHost, RegisterRole::BitAlignmentValue, 1},
};

constexpr auto kRegisters =
    joined<RegisterSpec>(kCameraRegisters, kTwoCameraUseDvalRegisters, kXLengthRegisters,
                         kTwoCameraBufferHeightRegisters, kXOffsetRegisters, kTwoCameraBufferStateRegisters,
                         kOutputRegisters, kTwoCameraImageSelectorRegisters, kTwoCameraSignalRegisters,
                         kGeneratorRegisters);

// ---- configuration files: one section a port, the generator only in the first ----

constexpr ConfigKey kSensorReadoutConfigKey[] = {
    {FG_SENSORREADOUT, kConfigStoredAndApplied},
};

constexpr auto kConfigKeys =
    joined<ConfigKey>(kCameraConfigKeys, kRoiConfigKeys, kSensorReadoutConfigKey, kOutputFormatConfigKeys,
                      kGeneratorConfigKeys, kImageSelectorConfigKeys, kLutConfigKeys, kCameraSignalConfigKeys);

// ---- the defaults of a new instance, in the order they are applied to each port ----

constexpr InitialWrite kSensorReadoutWrite[] = {
    {FG_SENSORREADOUT, 0},
};

constexpr auto kInitialWrites =
    joined<InitialWrite>(cameraInitialWrites(108), roiInitialWrites(1024), kSensorReadoutWrite,
                         outputFormatInitialWrites(3), kGeneratorInitialWrites, kImageSelectorInitialWrites,
                         kLutInitialWrites, kCameraSignalInitialWrites);

// ---- the parameter-info tree, the same on both ports ----

constexpr const char* kSensorCorrection = "Sensor Correction";

constexpr InfoItem kSensorCorrectionInfo[] = {
    infoCategory(kSensorCorrection),
    infoEnum(kSensorCorrection, "Readout Preset", FG_SENSORREADOUT, kReadWriteFlagged),
};

constexpr auto kInfoTree =
    joined<InfoItem>(kCameraLinkInfo, roiInfo(kMinWidth, kWidthStep, kMinHeight), kSensorCorrectionInfo,
                     kCameraSignalInfo, kImageSelectorInfo, Luts::info(), kOutputFormatInfo, kGeneratorInfo,
                     kMiscellaneousInfo);

// ---- applet properties ----

constexpr char kIdentity[] = "b7e42a90-5c1d-4f36-8a0b-2d9e6f13c478";

constexpr InfoAnswer kOwnInfoAnswers[] = {
    infoNumber(848, 0),
    infoText(1043, kIdentity),
    infoNumber(3072, 0),
    infoNumber(3328, 0),
    infoText(4096,
             "Fitcores with support of Tidestream technology, 12Bit image processing and lookup table for two "
             "Camera Link BASE configuration grayscale line scan cameras."),
    infoText(4128, "class=standard,family=acquisition,type=dual,sensortype=line,color=gray,interface=cl-base"),
    infoPerPort(4704, 9, 9),
};

constexpr auto kInfoAnswers = joined<InfoAnswer>(kSharedInfoAnswers, kTwoPortInfoAnswers, kOwnInfoAnswers);

constexpr AppletDescription kArventa{
    "Velmarint GmbH",
    "Arventa",
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

FgPlWrapperImpl::FgPlWrapperImpl() : GenericApplet(kArventa) {}

}  // namespace velm::arventa

namespace velm {

const AppletDescription& thisApplet()
{
    return arventa::kArventa;
}

}  // namespace velm
