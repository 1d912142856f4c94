// Setters and getters that several applets share: parameters that only keep
// a checked value, host-forwarded parameters, the data-valid switch, the
// image selector, the white balance, the region of interest of the applets
// whose buffers take it directly, and the getters of constants and host
// values. Each is a function an applet's parameter table points to; what
// differs between applets is a template argument or a register role.
#pragma once

#include <cstdint>
#include <cstring>
#include <utility>

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

// The region of the designs whose buffers take it directly: a width is the
// buffers' line length, an x offset their offset.
template <std::uint32_t MinWidth, std::uint32_t Step, std::uint32_t MinHeight>
struct BufferRoi {
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

// ---- allowed values written as a register code of their own ----

// The code a register takes for an allowed value.
struct RegisterCode {
    std::uint32_t value;
    std::uint32_t code;
};

// The code of an allowed value; raises -6000 for a value the table lacks.
std::uint32_t registerCodeOf(const TableOf<RegisterCode>& codes, std::uint32_t value);

template <RegisterRole Role, const TableOf<RegisterCode>& Codes>
void writeRegisterCode(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                       const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    commitAllowed(applet, row, camera, v, throwFlag,
                  [&] { applet.registers().writeInt(applet, Role, camera, registerCodeOf(Codes, v)); });
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

}  // namespace velm
