#include "CameraSignals.h"

#include <algorithm>

#include "CameraParameters.h"

namespace velm {

namespace {

constexpr std::uint32_t kSourceVcc = 5;
constexpr std::uint32_t kSourceGnd = 4;
constexpr std::uint32_t kConstantSource = 8;
constexpr std::uint32_t kOverflowFillLevel = 100;

RegisterRole ccSelectRole(int output)
{
    return static_cast<RegisterRole>(static_cast<int>(RegisterRole::Cc1Select) + 2 * (output - 1));
}

RegisterRole ccPolarityRole(int output)
{
    return static_cast<RegisterRole>(static_cast<int>(RegisterRole::Cc1Polarity) + 2 * (output - 1));
}

std::uint32_t fillLevel(GenericApplet& applet, std::uint32_t camera)
{
    DesignRegisters& registers = applet.registers();
    if (registers.read(applet, RegisterRole::Overflow, camera) == 1) {
        return kOverflowFillLevel;
    }
    std::uint32_t level = 0;
    const std::size_t buffers = registers.ids(RegisterRole::FillLevel, camera).size();
    for (std::size_t n = 0; n < buffers; ++n) {
        level = std::max(level, registers.read(applet, RegisterRole::FillLevel, camera, n));
    }
    return level;
}

std::uint32_t cameraStatusExtended(GenericApplet& applet, std::uint32_t camera)
{
    const std::uint32_t fill = fillLevel(applet, camera);
    const std::uint32_t overflow = applet.registers().read(applet, RegisterRole::Overflow, camera);
    std::uint32_t hostStatus = 0;
    raiseIfFailed(applet.getHostParameter(FG_CAMSTATUS_EXTENDED, &hostStatus, camera));
    const std::uint32_t quarter = fill < 25 ? 0 : fill < 50 ? 1 : fill < 75 ? 2 : 3;
    return (hostStatus & ~std::uint32_t{0xE0}) | (quarter << 6) | (overflow << 5);
}

}  // namespace

void setDigitalOutput(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                      const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    if (!accept(v <= 3, kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).integer, v, throwFlag, [&] {
        applet.registers().writeInt(applet, RegisterRole::DigitalOut3, camera, v & 1);
        applet.registers().writeInt(applet, RegisterRole::DigitalOut7, camera, (v >> 1) & 1);
    });
}

template <int Output>
void setCcOutput(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                 bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag, [&] {
        const bool constant = v == kSourceVcc || v == kSourceGnd;
        applet.registers().writeInt(applet, ccSelectRole(Output), camera, constant ? kConstantSource : v);
        applet.registers().writeInt(applet, ccPolarityRole(Output), camera, v == kSourceGnd ? 1 : 0);
    });
}

template void setCcOutput<1>(GenericApplet&, const ParameterRow&, std::uint32_t, const ParameterValue&, bool);
template void setCcOutput<2>(GenericApplet&, const ParameterRow&, std::uint32_t, const ParameterValue&, bool);
template void setCcOutput<3>(GenericApplet&, const ParameterRow&, std::uint32_t, const ParameterValue&, bool);
template void setCcOutput<4>(GenericApplet&, const ParameterRow&, std::uint32_t, const ParameterValue&, bool);

void getOverflow(GenericApplet& applet, const ParameterRow&, std::uint32_t camera, void* buffer)
{
    putInt(buffer, applet.registers().read(applet, RegisterRole::Overflow, camera));
}

void getDigitalInput(GenericApplet& applet, const ParameterRow&, std::uint32_t camera, void* buffer)
{
    putInt(buffer, applet.registers().read(applet, RegisterRole::InputStatus, camera));
}

void getFillLevel(GenericApplet& applet, const ParameterRow&, std::uint32_t camera, void* buffer)
{
    putInt(buffer, fillLevel(applet, camera));
}

void getCameraStatusExtended(GenericApplet& applet, const ParameterRow&, std::uint32_t camera, void* buffer)
{
    putInt(buffer, cameraStatusExtended(applet, camera));
}

void getCameraStatus(GenericApplet& applet, const ParameterRow&, std::uint32_t camera, void* buffer)
{
    putInt(buffer, cameraStatusExtended(applet, camera) & 1);
}

}  // namespace velm
