// Setters and getters that several applets share: parameters that only keep
// a checked value, host-forwarded parameters, the data-valid switch, the
// image selector, the white balance, the region of interest of the applets
// whose buffers take it directly, and the getters of constants and host
// values. Each is a function an applet's parameter table points to; what
// differs between applets is a template argument or a register role. Also
// the rows every applet's tables hold alike for them, and the registers
// that the designs of one camera name alike, which an applet joins with its
// own.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "CameraSignals.h"
#include "ErrorCodes.h"
#include "GenericApplet.h"
#include "ParameterIds.h"
#include "ParameterInfoTree.h"
#include "SetterPattern.h"

namespace velm {

// The sums that bound a region of interest are formed in 64 bits, so that a
// kept offset never makes a bound wrap.
constexpr std::uint64_t kMaxImageWidth = 16384;
constexpr std::uint64_t kMaxImageHeight = 65535;

// The pattern for a value from the parameter's run of the allowed-value
// table: check it, keep it, do the work. True when the work succeeded.
template <typename Work>
bool commitAllowed(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, std::uint32_t value,
                   bool throwFlag, Work&& work)
{
    if (!applet.acceptAllowed(row, value, throwFlag)) {
        return false;
    }
    return commit(applet.kept(camera, row).integer, value, throwFlag, std::forward<Work>(work));
}

// ---- parameters that only keep a checked value ----

// A value of the parameter's run of the allowed-value table.
void keepAllowed(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                 bool throwFlag);

template <std::uint32_t Low, std::uint32_t High>
void keepInRange(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                 bool throwFlag)
{
    if (!accept(withinRange(value.integer, Low, High), kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).integer, value.integer, throwFlag, noWork);
}

// One element of a small kept array; the value must not exceed MaxValue.
template <std::uint32_t MaxValue>
void keepElement(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                 bool throwFlag)
{
    auto& elements = applet.kept(camera, row).elements;
    const FieldElement* element = value.element;
    if (!accept(element != nullptr && element->index < elements.size() && element->value <= MaxValue,
                kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(elements[element->index], element->value, throwFlag, noWork);
}

// ---- values passed on to the host or to one register ----

// Kept, then handed to the host's own parameter of the same id on the
// camera's port.
template <std::uint32_t Low, std::uint32_t High>
void keepAndForwardToHost(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                          const ParameterValue& value, bool throwFlag)
{
    if (!accept(withinRange(value.integer, Low, High), kErrOutOfRange, throwFlag)) {
        return;
    }
    const std::uint32_t v = value.integer;
    commit(applet.kept(camera, row).integer, v, throwFlag,
           [&] { raiseIfFailed(applet.setHostParameter(row.id, &v, camera)); });
}

// An allowed value, written to the register of the role.
template <RegisterRole Role>
void writeAllowed(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                  bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag,
                  [&] { applet.registers().writeInt(applet, Role, camera, v); });
}

// White-balance gains: a double from 0 to 4 - 1/1024, sent as a double.
template <RegisterRole Role>
void setScalingFactor(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                      const ParameterValue& value, bool throwFlag)
{
    const double v = value.real;
    if (!accept(withinRange(v, 0.0, 3.9990234375), kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).real, v, throwFlag,
           [&] { applet.registers().writeDouble(applet, Role, camera, v); });
}

// ---- image selector ----

void setImageSelectPeriod(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                          const ParameterValue& value, bool throwFlag);
void setImageSelect(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                    bool throwFlag);

// ---- region of interest ----

// The checks, kept values and limit moves that every applet's region of
// interest shares: widths and x offsets within 16384 and in steps, heights
// and y offsets within 65535. What the registers receive is the applet's
// own: `write` gets the new value and the kept value of its partner (the x
// offset for a width, the width for an x offset, the y offset for a height).
template <typename Write>
void setRoiWidth(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                 bool throwFlag, std::uint32_t minWidth, std::uint32_t step, Write&& write)
{
    const std::uint32_t v = value.integer;
    const std::uint64_t offset = applet.kept(camera, FG_XOFFSET).integer;
    if (!accept(v >= minWidth && v + offset <= kMaxImageWidth, kErrOutOfRange, throwFlag) ||
        !accept(v % step == 0, kErrNotAMultiple, throwFlag)) {
        return;
    }
    if (commit(applet.kept(camera, row).integer, v, throwFlag,
               [&] { write(v, static_cast<std::uint32_t>(offset)); })) {
        moveInfoIntMax(applet, camera, FG_XOFFSET, static_cast<std::int32_t>(kMaxImageWidth - v));
    }
}

template <typename Write>
void setRoiXOffset(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                   bool throwFlag, std::uint32_t step, Write&& write)
{
    const std::uint32_t v = value.integer;
    const std::uint64_t width = applet.kept(camera, FG_WIDTH).integer;
    if (!accept(v + width <= kMaxImageWidth, kErrOutOfRange, throwFlag) ||
        !accept(v % step == 0, kErrNotAMultiple, throwFlag)) {
        return;
    }
    if (commit(applet.kept(camera, row).integer, v, throwFlag,
               [&] { write(v, static_cast<std::uint32_t>(width)); })) {
        moveInfoIntMax(applet, camera, FG_WIDTH, static_cast<std::int32_t>(kMaxImageWidth - v));
    }
}

// Every design takes a height into its buffers' line count and into the
// image height, which counts the y offset in.
void setRoiHeight(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                  bool throwFlag, std::uint32_t minHeight);

// The image-height register takes the new offset at the next height set.
void setRoiYOffset(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                   bool throwFlag);

// Height and y offset, the same in every design apart from the least
// height it takes.
template <std::uint32_t MinHeight>
struct RoiHeight {
    static void setHeight(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                          const ParameterValue& value, bool throwFlag)
    {
        setRoiHeight(applet, row, camera, value, throwFlag, MinHeight);
    }

    static void setYOffset(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                           const ParameterValue& value, bool throwFlag)
    {
        setRoiYOffset(applet, row, camera, value, throwFlag);
    }
};

// The region of the designs whose buffers take it directly: a width is the
// buffers' line length, an x offset their offset.
template <std::uint32_t MinWidth, std::uint32_t Step, std::uint32_t MinHeight>
struct BufferRoi : RoiHeight<MinHeight> {
    static void setWidth(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                         const ParameterValue& value, bool throwFlag)
    {
        setRoiWidth(applet, row, camera, value, throwFlag, MinWidth, Step, [&](std::uint32_t width, std::uint32_t) {
            applet.registers().writeInt(applet, RegisterRole::BufferXLength, camera, width);
        });
    }

    static void setXOffset(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                           const ParameterValue& value, bool throwFlag)
    {
        setRoiXOffset(applet, row, camera, value, throwFlag, Step, [&](std::uint32_t offset, std::uint32_t) {
            applet.registers().writeInt(applet, RegisterRole::BufferXOffset, camera, offset);
        });
    }
};

// ---- allowed values written as a register code of their own ----

// The code a register takes for an allowed value.
struct RegisterCode {
    std::uint32_t value;
    std::uint32_t code;
};

// The code of an allowed value; raises -6000 for a value the table lacks.
std::uint32_t registerCodeOf(const TableOf<RegisterCode>& codes, std::uint32_t value);

// `Codes` is a constant array of RegisterCode rows.
template <RegisterRole Role, const auto& Codes>
void writeRegisterCode(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                       const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag, [&] {
        applet.registers().writeInt(applet, Role, camera, registerCodeOf(TableOf<RegisterCode>(Codes), v));
    });
}

// ---- getters ----

// The host's own value of the parameter's id, on the camera's port or on
// port 0.
void getHostValue(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);
void getHostValueOfPort0(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);
// The design file name, copied without a length like every text answer.
void getHapFileName(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer);

inline void putInt(void* buffer, std::uint32_t value)
{
    std::memcpy(buffer, &value, sizeof value);
}

// ---- the groups of rows every applet's tables hold alike ----

// The rows every parameter table begins with: the time-out and DMA mode
// the host keeps for the port, the applet's identity, the camera status and
// the values the host answers. Which port's DMA status the host is asked
// for is the applet's.
constexpr std::array<ParameterRow, 16> identityAndStatusRows(GetterFn getDmaStatus)
{
    constexpr ValueForm kInt = ValueForm::Int;
    return {{
        readWrite("FG_TIMEOUT", FG_TIMEOUT, kInt, "Framegrabber image timeout.", 1000000,
                  keepAndForwardToHost<2, 2147483646>),
        readWrite("FG_TURBO_DMA_MODE", FG_TURBO_DMA_MODE, kInt, "Enables a maximum DMA performance", 0,
                  keepAndForwardToHost<0, 1>),
        readOnly("FG_APPLET_VERSION", FG_APPLET_VERSION, kInt, "Returns the applet version.", nullptr, 1),
        readOnly("FG_APPLET_REVISION", FG_APPLET_REVISION, kInt, "Returns the applet revision.", nullptr, 0),
        readOnly("FG_APPLET_ID", FG_APPLET_ID, kInt, "Returns the applet id.", nullptr, 0),
        readOnly("FG_HAP_FILE", FG_HAP_FILE, ValueForm::String, "The name of the HAP file.", getHapFileName),
        fromHost("FG_DMASTATUS", FG_DMASTATUS, "Returns the status of the DMA transmission.", getDmaStatus),
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
    }};
}

// The Camera Link input: the design's types and what a new type does, and
// the data-valid switch of every design.
constexpr std::array<ParameterRow, 2> cameraLinkRows(double defaultType, SetterFn setType, AllowedRun types)
{
    constexpr ValueForm kInt = ValueForm::Int;
    return {{
        readWrite("FG_CAMERA_LINK_CAMTYPE", FG_CAMERA_LINK_CAMTYPE, kInt, "Select the Camera Link Mode.", defaultType,
                  setType, types),
        readWrite("FG_USEDVAL", FG_USEDVAL, kInt, "Use the Camera Link DVAL signal or ignore it.", 1,
                  writeAllowed<RegisterRole::UseDval>, kYesNo),
    }};
}

// The region of interest. Where the design cuts it, and so what its setters
// write, is the design's; so is the width a new instance starts with.
constexpr std::array<ParameterRow, 4> roiRows(double defaultWidth, SetterFn setWidth, SetterFn setHeight,
                                              SetterFn setXOffset, SetterFn setYOffset)
{
    constexpr ValueForm kInt = ValueForm::Int;
    return {{
        readWrite("FG_WIDTH", FG_WIDTH, kInt, "Image width of the acquisition ROI.", defaultWidth, setWidth),
        readWrite("FG_HEIGHT", FG_HEIGHT, kInt, "Image height of the acquisition ROI.", 1024, setHeight),
        readWrite("FG_XOFFSET", FG_XOFFSET, kInt, "X-offset of the acquisition ROI.", 0, setXOffset),
        readWrite("FG_YOFFSET", FG_YOFFSET, kInt, "Y-offset of the acquisition ROI.", 0, setYOffset),
    }};
}

inline constexpr ParameterRow kImageSelectorRows[] = {
    readWrite("FG_IMG_SELECT_PERIOD", FG_IMG_SELECT_PERIOD, ValueForm::Int,
              "Select the length of an image sequence. Only a single image of the sequence is grabbed.", 1,
              setImageSelectPeriod),
    readWrite("FG_IMG_SELECT", FG_IMG_SELECT, ValueForm::Int, "Defines which image in a sequence is grabbed.", 0,
              setImageSelect),
};

// The output format: the design's formats and the setters that write them,
// and the bit depth its data path works in.
constexpr std::array<ParameterRow, 3> outputFormatRows(double defaultFormat, SetterFn setFormat, AllowedRun formats,
                                                       SetterFn setAlignment, double pixelDepth)
{
    constexpr ValueForm kInt = ValueForm::Int;
    return {{
        readWrite("FG_FORMAT", FG_FORMAT, kInt, "Pixel format of the output image.", defaultFormat, setFormat,
                  formats),
        readWrite("FG_BITALIGNMENT", FG_BITALIGNMENT, kInt,
                  "Defines if the output data are right aligned or left aligned.", 1, setAlignment, kAlignments),
        readOnly("FG_PIXELDEPTH", FG_PIXELDEPTH, kInt, "Internal processing bit depth of the applet.", nullptr,
                 pixelDepth),
    }};
}

// The designs that deliver 24-bit colour have one format and no register
// for the alignment: both are only kept.
inline constexpr auto kColourOutputRows = outputFormatRows(2, keepAllowed, kColour24Format, keepAllowed, 8);

// The keys every configuration section begins with: the port's time-out
// and DMA mode and its Camera Link input. The region's keys follow them,
// directly or after keys of the design's own.
inline constexpr ConfigKey kCameraConfigKeys[] = {
    {FG_TIMEOUT, kConfigStoredAndApplied},
    {FG_TURBO_DMA_MODE, kConfigStoredAndApplied},
    {FG_CAMERA_LINK_CAMTYPE, kConfigStoredAndApplied},
    {FG_USEDVAL, kConfigStoredAndApplied},
};

inline constexpr ConfigKey kRoiConfigKeys[] = {
    {FG_WIDTH, kConfigStoredAndApplied},
    {FG_HEIGHT, kConfigStoredAndApplied},
    {FG_XOFFSET, kConfigStoredAndApplied},
    {FG_YOFFSET, kConfigStoredAndApplied},
};

inline constexpr ConfigKey kImageSelectorConfigKeys[] = {
    {FG_IMG_SELECT_PERIOD, kConfigStoredAndApplied},
    {FG_IMG_SELECT, kConfigStoredAndApplied},
};

inline constexpr ConfigKey kOutputFormatConfigKeys[] = {
    {FG_FORMAT, kConfigStoredAndApplied},
    {FG_BITALIGNMENT, kConfigStoredAndApplied},
};

// The defaults every camera's initial writes begin with; the camera type is
// the design's.
constexpr std::array<InitialWrite, 4> cameraInitialWrites(double cameraType)
{
    return {{
        {FG_TIMEOUT, 1000000},
        {FG_TURBO_DMA_MODE, 0},
        {FG_CAMERA_LINK_CAMTYPE, cameraType},
        {FG_USEDVAL, 1},
    }};
}

// The region's defaults: the design's width, the first 1024 lines.
constexpr std::array<InitialWrite, 4> roiInitialWrites(double width)
{
    return {{
        {FG_WIDTH, width},
        {FG_HEIGHT, 1024},
        {FG_XOFFSET, 0},
        {FG_YOFFSET, 0},
    }};
}

constexpr std::array<InitialWrite, 2> outputFormatInitialWrites(double format)
{
    return {{
        {FG_FORMAT, format},
        {FG_BITALIGNMENT, 1},
    }};
}

inline constexpr auto kColourOutputInitialWrites = outputFormatInitialWrites(2);

inline constexpr InitialWrite kImageSelectorInitialWrites[] = {
    {FG_IMG_SELECT_PERIOD, 1},
    {FG_IMG_SELECT, 0},
};

// ---- registers of the designs of one camera, whose process 0 holds it ----

inline constexpr RegisterSpec kOneCameraImageSelectorRegisters[] = {
    {"Device1_Process0_ImageSelector_FG_IMG_SELECT_PERIOD_Divisor", RegisterRoute::Host,
     RegisterRole::ImageSelectPeriod, 0},
    {"Device1_Process0_ImageSelector_FG_IMG_SELECT_PHASE_Number", RegisterRoute::Host, RegisterRole::ImageSelectPhase,
     0},
};

// The buffer has two DRAM banks, and each takes every length alike.
inline constexpr RegisterSpec kOneCameraBufferLengthRegisters[] = {
    {"Device1_Process0_Buffer_0_DRAM_A_0_XLength", RegisterRoute::Host, RegisterRole::BufferXLength, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_XLength", RegisterRoute::Host, RegisterRole::BufferXLength, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_0_YLength", RegisterRoute::Host, RegisterRole::BufferYLength, 0},
    {"Device1_Process0_Buffer_0_DRAM_A_1_YLength", RegisterRoute::Host, RegisterRole::BufferYLength, 0},
    {"Device1_Process0_ImageHeight_ImageHeight", RegisterRoute::Host, RegisterRole::ImageHeight, 0},
};

// ---- registers of the designs of two cameras: process 0 holds port 0's, process 1 port 1's ----

inline constexpr RegisterSpec kTwoCameraUseDvalRegisters[] = {
    {"Device1_Process0_Camera_UseDval", RegisterRoute::Host, RegisterRole::UseDval, 0},
    {"Device1_Process1_Camera_UseDval", RegisterRoute::Host, RegisterRole::UseDval, 1},
};

// Each camera's buffer line count and image height.
inline constexpr RegisterSpec kTwoCameraBufferHeightRegisters[] = {
    {"Device1_Process0_Buffer_0_DRAM_A_0_YLength", RegisterRoute::Host, RegisterRole::BufferYLength, 0},
    {"Device1_Process0_ImageHeight_ImageHeight", RegisterRoute::Host, RegisterRole::ImageHeight, 0},
    {"Device1_Process1_Buffer_0_DRAM_A_0_YLength", RegisterRoute::Host, RegisterRole::BufferYLength, 1},
    {"Device1_Process1_ImageHeight_ImageHeight", RegisterRoute::Host, RegisterRole::ImageHeight, 1},
};

inline constexpr RegisterSpec kTwoCameraImageSelectorRegisters[] = {
    {"Device1_Process0_ImageSelector_FG_IMG_SELECT_PERIOD_Divisor", RegisterRoute::Host,
     RegisterRole::ImageSelectPeriod, 0},
    {"Device1_Process1_ImageSelector_FG_IMG_SELECT_PERIOD_Divisor", RegisterRoute::Host,
     RegisterRole::ImageSelectPeriod, 1},
    {"Device1_Process0_ImageSelector_FG_IMG_SELECT_PHASE_Number", RegisterRoute::Host, RegisterRole::ImageSelectPhase,
     0},
    {"Device1_Process1_ImageSelector_FG_IMG_SELECT_PHASE_Number", RegisterRoute::Host, RegisterRole::ImageSelectPhase,
     1},
};

// Categories of the parameter-info tree that every applet has alike.
inline constexpr const char* kCameraLink = "Camera Link";
inline constexpr const char* kRoi = "ROI";
inline constexpr const char* kImageSelector = "Image Selector";
inline constexpr const char* kOutputFormat = "Output Format";
inline constexpr const char* kMiscellaneous = "Miscellaneous";

inline constexpr InfoItem kCameraLinkInfo[] = {
    infoCategory(kCameraLink),
    infoEnum(kCameraLink, "Input Format", FG_CAMERA_LINK_CAMTYPE, kReadWriteFlagged),
    infoEnum(kCameraLink, "Use DVAL", FG_USEDVAL, kReadWriteFlagged),
};

// The region's entries with the limits of the defaults: the least width
// and height and the step of widths and x offsets are the design's.
constexpr std::array<InfoItem, 5> roiInfo(std::uint32_t minWidth, std::uint32_t step, std::uint32_t minHeight)
{
    return {{
        infoCategory(kRoi),
        infoInt(kRoi, "Width", FG_WIDTH, minWidth, kMaxImageWidth, step, kReadWrite, 2, "pixel"),
        infoInt(kRoi, "Height", FG_HEIGHT, minHeight, kMaxImageHeight, 1, kReadWrite, 2, "pixel"),
        infoInt(kRoi, "XOffset", FG_XOFFSET, 0, kMaxImageWidth - minWidth, step, kReadWrite, 2, "pixel"),
        infoInt(kRoi, "YOffset", FG_YOFFSET, 0, kMaxImageHeight - 1, 1, kReadWrite, 2, "pixel"),
    }};
}

inline constexpr InfoItem kImageSelectorInfo[] = {
    infoCategory(kImageSelector),
    infoInt(kImageSelector, "Image select period", FG_IMG_SELECT_PERIOD, 1, 256, 1, kReadWriteFlagged, 1, "image"),
    infoInt(kImageSelector, "Image select", FG_IMG_SELECT, 0, 255, 1, kReadWriteFlagged, 1, "image"),
};

inline constexpr InfoItem kOutputFormatInfo[] = {
    infoCategory(kOutputFormat),
    infoEnum(kOutputFormat, "Output Format", FG_FORMAT, kReadWrite),
    infoEnum(kOutputFormat, "Alignment", FG_BITALIGNMENT, kReadWriteFlagged),
    infoInt(kOutputFormat, "Pixel Depth", FG_PIXELDEPTH, 0, 128, 1, kReadOnly, 1, "bit"),
};

// The time-out maximum is 2^31 - 2, as the host takes it.
inline constexpr InfoItem kMiscellaneousInfo[] = {
    infoCategory(kMiscellaneous),
    infoInt(kMiscellaneous, "Timeout", FG_TIMEOUT, 2, 2147483646, 1, kReadWriteFlagged, 1, "seconds"),
    infoInt(kMiscellaneous, "Turbo DMA Mode", FG_TURBO_DMA_MODE, 0, 1, 1, kReadWrite),
    infoInt(kMiscellaneous, "Applet version", FG_APPLET_VERSION, 0, 0, 0, kReadOnly),
    infoInt(kMiscellaneous, "Applet revision", FG_APPLET_REVISION, 0, 0, 0, kReadOnly),
    infoInt(kMiscellaneous, "Applet Id", FG_APPLET_ID, 0, 0, 0, kReadOnly),
    infoString(kMiscellaneous, "HAP file", FG_HAP_FILE, "*.hap", kReadOnly),
    infoInt(kMiscellaneous, "DMA Status", FG_DMASTATUS, 0, 0, 0, kReadOnly),
    infoInt(kMiscellaneous, "Camera Status", FG_CAMSTATUS, 0, 1, 1, kReadOnly),
    infoInt(kMiscellaneous, "Camera Status Extended", FG_CAMSTATUS_EXTENDED, 0, 255, 1, kReadOnly),
};

// The white balance of the RGB designs, one gain a colour, in the order
// red, blue, green.
inline constexpr ParameterRow kWhiteBalanceRows[] = {
    readWrite("FG_SCALINGFACTOR_RED", FG_SCALINGFACTOR_RED, ValueForm::Double, "Red gain of the Rgb white balancing.",
              1.0, setScalingFactor<RegisterRole::WhiteBalanceRed>),
    readWrite("FG_SCALINGFACTOR_BLUE", FG_SCALINGFACTOR_BLUE, ValueForm::Double,
              "Blue gain of the Rgb white balancing.", 1.0, setScalingFactor<RegisterRole::WhiteBalanceBlue>),
    readWrite("FG_SCALINGFACTOR_GREEN", FG_SCALINGFACTOR_GREEN, ValueForm::Double,
              "Green gain of the Rgb white balancing.", 1.0, setScalingFactor<RegisterRole::WhiteBalanceGreen>),
};

inline constexpr ConfigKey kWhiteBalanceConfigKeys[] = {
    {FG_SCALINGFACTOR_RED, kConfigStoredAndApplied},
    {FG_SCALINGFACTOR_BLUE, kConfigStoredAndApplied},
    {FG_SCALINGFACTOR_GREEN, kConfigStoredAndApplied},
};

inline constexpr InitialWrite kWhiteBalanceInitialWrites[] = {
    {FG_SCALINGFACTOR_RED, 1.0},
    {FG_SCALINGFACTOR_BLUE, 1.0},
    {FG_SCALINGFACTOR_GREEN, 1.0},
};

// The gains' registers in the designs of one camera.
inline constexpr RegisterSpec kOneCameraWhiteBalanceRegisters[] = {
    {"Device1_Process0_WhiteBalance_White_RedCoefficient", RegisterRoute::Host, RegisterRole::WhiteBalanceRed, 0},
    {"Device1_Process0_WhiteBalance_White_BlueCoefficient", RegisterRoute::Host, RegisterRole::WhiteBalanceBlue, 0},
    {"Device1_Process0_WhiteBalance_White_GreenCoefficient", RegisterRoute::Host, RegisterRole::WhiteBalanceGreen, 0},
};

inline constexpr const char* kWhiteBalance = "White Balance";
// The gains step by 1/1024 up to 4 - 1/1024.
inline constexpr double kWhiteBalanceStep = 1.0 / 1024.0;

inline constexpr InfoItem kWhiteBalanceInfo[] = {
    infoCategory(kWhiteBalance),
    infoDouble(kWhiteBalance, "Red Gain", FG_SCALINGFACTOR_RED, 0, 4.0 - kWhiteBalanceStep, kWhiteBalanceStep,
               kReadWriteFlagged),
    infoDouble(kWhiteBalance, "Blue Gain", FG_SCALINGFACTOR_BLUE, 0, 4.0 - kWhiteBalanceStep, kWhiteBalanceStep,
               kReadWriteFlagged),
    infoDouble(kWhiteBalance, "Green Gain", FG_SCALINGFACTOR_GREEN, 0, 4.0 - kWhiteBalanceStep, kWhiteBalanceStep,
               kReadWriteFlagged),
};

}  // namespace velm
