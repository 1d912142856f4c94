#include "LineGenerator.h"

#include <cmath>
#include <limits>

#include "CameraParameters.h"

namespace velm {

namespace {

// The generator's pixel clock and its timing limits.
constexpr double kClockHalfMHz = 62.5;
constexpr double kMaxFrequencyMHz = 125.0;
constexpr std::uint32_t kMaxGeneratorValue = 65535;
constexpr std::int64_t kMaxPhase = 65535;

void writeGenerator(GenericApplet& applet, RegisterRole role, std::uint64_t value)
{
    applet.registers().writeGenerator(applet, role, value);
}

// The lowest accuracy a frequency allows, and the reverse; NaN or infinite
// when the other value is not a usable one.
double lowestPartner(double value)
{
    return std::ceil(kClockHalfMHz / value);
}

// Active and passive phases of a line from frequency and accuracy: the
// active phase must lie in 1 to 65535, the passive one in 0 to 65535.
void writeTiming(GenericApplet& applet)
{
    const double frequency = applet.kept(0, FG_GEN_FREQ).real;
    const std::int64_t accuracy = applet.kept(0, FG_GEN_ACCURACY).integer;
    const double phase = static_cast<double>(accuracy) * frequency / kMaxFrequencyMHz + 0.5;
    if (!std::isfinite(phase) || phase < 1.0 || phase >= static_cast<double>(kMaxPhase) + 1.0) {
        throw std::int32_t{kErrNotAllowed};
    }
    const auto active = static_cast<std::int64_t>(phase);
    const std::int64_t passive = accuracy - active;
    if (passive < 0 || passive > kMaxPhase) {
        throw std::int32_t{kErrNotAllowed};
    }
    writeGenerator(applet, RegisterRole::GenActive, static_cast<std::uint64_t>(active - 1));
    // A passive phase of 0 is written as all bits set.
    writeGenerator(applet, RegisterRole::GenPassive, static_cast<std::uint64_t>(passive - 1));
}

// Limits that follow the generator are shown on every camera port.
template <typename Move>
void onEveryPort(GenericApplet& applet, Move move)
{
    for (std::uint32_t port = 0; port < applet.cameraCount(); ++port) {
        move(port);
    }
}

}  // namespace

void setGeneratorSource(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                        const ParameterValue& value, bool throwFlag, SourceFollower follow)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag, [&] {
        writeGenerator(applet, RegisterRole::GenEnable, v);
        if (follow != nullptr) {
            follow(applet);
        }
    });
}

void setGeneratorEnable(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                        const ParameterValue& value, bool throwFlag)
{
    setGeneratorSource(applet, row, camera, value, throwFlag, nullptr);
}

void setGeneratorStart(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                       const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag,
                  [&] { writeGenerator(applet, RegisterRole::GenStart, v); });
}

void setGeneratorLineWidths(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                            const ParameterValue& value, bool throwFlag, std::uint32_t multiplier,
                            std::uint32_t shift)
{
    const std::uint32_t v = value.integer;
    if (!accept(v <= kMaxGeneratorValue, kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).integer, v, throwFlag, [&] {
        const std::uint64_t width = applet.kept(0, FG_GEN_WIDTH).integer;
        const std::uint64_t gap = applet.kept(0, FG_GEN_LINE_GAP).integer;
        writeGenerator(applet, RegisterRole::GenWidth, (width * multiplier) >> shift);
        writeGenerator(applet, RegisterRole::GenLineWidth, ((width + gap) * multiplier) >> shift);
    });
}

// The register counts lines from 0; a height of 0 wraps in 32 bits.
void setGeneratorHeight(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                        const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    if (!accept(v <= kMaxGeneratorValue, kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).integer, v, throwFlag,
           [&] { writeGenerator(applet, RegisterRole::GenHeight, static_cast<std::uint32_t>(v - 1)); });
}

void setGeneratorFrequency(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                           const ParameterValue& value, bool throwFlag)
{
    const double v = value.real;
    const double lowest = lowestPartner(static_cast<double>(applet.kept(0, FG_GEN_ACCURACY).integer));
    if (!accept(withinRange(v, std::isfinite(lowest) ? lowest : std::numeric_limits<double>::infinity(),
                            kMaxFrequencyMHz),
                kErrOutOfRange, throwFlag)) {
        return;
    }
    if (commit(applet.kept(camera, row).real, v, throwFlag, [&] { writeTiming(applet); })) {
        const auto lowestAccuracy = static_cast<std::int32_t>(lowestPartner(v));
        onEveryPort(applet, [&](std::uint32_t port) { moveInfoIntMin(applet, port, FG_GEN_ACCURACY, lowestAccuracy); });
    }
}

void setGeneratorAccuracy(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                          const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    // A kept frequency that gives no usable lowest accuracy (0 or NaN from a
    // configuration file) admits none.
    const double lowest = lowestPartner(applet.kept(0, FG_GEN_FREQ).real);
    if (!accept(std::isfinite(lowest) && static_cast<double>(v) >= lowest && v <= kMaxGeneratorValue,
                kErrOutOfRange, throwFlag)) {
        return;
    }
    if (commit(applet.kept(camera, row).integer, v, throwFlag, [&] { writeTiming(applet); })) {
        const double lowestFrequency = lowestPartner(static_cast<double>(v));
        onEveryPort(applet,
                    [&](std::uint32_t port) { moveInfoDoubleMin(applet, port, FG_GEN_FREQ, lowestFrequency); });
    }
}

template <int Tap>
void setGeneratorTap(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                     const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag, [&] {
        const std::uint64_t bit = std::uint64_t{1} << (Tap - 1);
        const std::uint64_t mask = applet.registers().generatorValue(RegisterRole::GenMask);
        writeGenerator(applet, RegisterRole::GenMask, v == 1 ? (mask | bit) : (mask & ~bit));
    });
}

template void setGeneratorTap<1>(GenericApplet&, const ParameterRow&, std::uint32_t, const ParameterValue&, bool);
template void setGeneratorTap<2>(GenericApplet&, const ParameterRow&, std::uint32_t, const ParameterValue&, bool);
template void setGeneratorTap<3>(GenericApplet&, const ParameterRow&, std::uint32_t, const ParameterValue&, bool);
template void setGeneratorTap<4>(GenericApplet&, const ParameterRow&, std::uint32_t, const ParameterValue&, bool);

void setGeneratorRoll(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                      const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    if (!accept(v <= 255, kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).integer, v, throwFlag,
           [&] { writeGenerator(applet, RegisterRole::GenRoll, v); });
}

// The registers hold each phase minus one.
void getGeneratorActive(GenericApplet& applet, const ParameterRow&, std::uint32_t, void* buffer)
{
    putInt(buffer, static_cast<std::uint32_t>(applet.registers().generatorValue(RegisterRole::GenActive) + 1));
}

void getGeneratorPassive(GenericApplet& applet, const ParameterRow&, std::uint32_t, void* buffer)
{
    putInt(buffer, static_cast<std::uint32_t>(applet.registers().generatorValue(RegisterRole::GenPassive) + 1));
}

void getGeneratorLineWidth(GenericApplet& applet, const ParameterRow&, std::uint32_t, void* buffer)
{
    putInt(buffer, applet.kept(0, FG_GEN_WIDTH).integer + applet.kept(0, FG_GEN_LINE_GAP).integer);
}

}  // namespace velm
