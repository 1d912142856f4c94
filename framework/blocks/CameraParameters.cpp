#include "CameraParameters.h"

namespace velm {

void keepAllowed(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                 bool throwFlag)
{
    commitAllowed(applet, row, camera, value.integer, throwFlag, noWork);
}

// The period and the phase bound each other: the phase must stay below the
// period, checked against the value just stored.
void setImageSelectPeriod(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                          const ParameterValue& value, bool throwFlag)
{
    const std::uint32_t v = value.integer;
    if (!accept(withinRange(v, 1u, 256u), kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).integer, v, throwFlag, [&] {
        if (v <= applet.kept(camera, FG_IMG_SELECT).integer) {
            throw std::int32_t{kErrOutOfRange};
        }
        applet.registers().writeInt(applet, RegisterRole::ImageSelectPeriod, camera, v);
    });
}

void setImageSelect(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                    bool throwFlag)
{
    const std::uint32_t v = value.integer;
    if (!accept(v <= 255, kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).integer, v, throwFlag, [&] {
        if (applet.kept(camera, FG_IMG_SELECT_PERIOD).integer <= v) {
            throw std::int32_t{kErrOutOfRange};
        }
        applet.registers().writeInt(applet, RegisterRole::ImageSelectPhase, camera, v);
    });
}

void setRoiHeight(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                  bool throwFlag, std::uint32_t minHeight)
{
    const std::uint32_t v = value.integer;
    const std::uint64_t offset = applet.kept(camera, FG_YOFFSET).integer;
    if (!accept(v >= minHeight && v + offset <= kMaxImageHeight, kErrOutOfRange, throwFlag)) {
        return;
    }
    if (commit(applet.kept(camera, row).integer, v, throwFlag, [&] {
            applet.registers().writeInt(applet, RegisterRole::BufferYLength, camera, v);
            applet.registers().writeInt(applet, RegisterRole::ImageHeight, camera,
                                        static_cast<std::uint32_t>(offset + v));
        })) {
        moveInfoIntMax(applet, camera, FG_YOFFSET, static_cast<std::int32_t>(kMaxImageHeight - v));
    }
}

void setRoiYOffset(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                   bool throwFlag)
{
    const std::uint32_t v = value.integer;
    const std::uint64_t height = applet.kept(camera, FG_HEIGHT).integer;
    if (!accept(v + height <= kMaxImageHeight, kErrOutOfRange, throwFlag)) {
        return;
    }
    if (commit(applet.kept(camera, row).integer, v, throwFlag, noWork)) {
        moveInfoIntMax(applet, camera, FG_HEIGHT, static_cast<std::int32_t>(kMaxImageHeight - v));
    }
}

std::uint32_t registerCodeOf(const TableOf<RegisterCode>& codes, std::uint32_t value)
{
    for (const RegisterCode& entry : codes) {
        if (entry.value == value) {
            return entry.code;
        }
    }
    throw std::int32_t{kErrOutOfRange};
}

void getHostValue(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, void* buffer)
{
    raiseIfFailed(applet.getHostParameter(row.id, buffer, camera));
}

void getHostValueOfPort0(GenericApplet& applet, const ParameterRow& row, std::uint32_t, void* buffer)
{
    raiseIfFailed(applet.getHostParameter(row.id, buffer, 0));
}

void getHapFileName(GenericApplet& applet, const ParameterRow&, std::uint32_t, void* buffer)
{
    const char* name = applet.getHapFileName();
    std::memcpy(buffer, name, std::strlen(name) + 1);
}

}  // namespace velm
