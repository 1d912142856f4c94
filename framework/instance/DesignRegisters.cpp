#include "DesignRegisters.h"

#include "DesignLoader.h"
#include "ErrorCodes.h"
#include "FgPlWrapper.h"
#include "SetterPattern.h"

namespace velm {

namespace {

constexpr std::size_t kRoleCount = static_cast<std::size_t>(RegisterRole::GenRoll) + 1;
constexpr std::uint32_t kMaxCameras = 4;

// The values the generator registers are taken to hold until the initial
// writes clear them.
constexpr std::array<std::uint64_t, kGeneratorRegisterCount> kGeneratorStartValues = {0, 1, 2048, 2080, 1024,
                                                                                         3, 29, 15,   1};

const std::vector<std::uint32_t>& noRegisters()
{
    static const std::vector<std::uint32_t> none;
    return none;
}

}  // namespace

DesignRegisters::DesignRegisters(const RegisterTable& table)
    : table_(table), idsByRoleAndCamera_(kRoleCount * kMaxCameras), generatorShadow_(kGeneratorStartValues)
{
}

std::size_t DesignRegisters::slot(RegisterRole role, std::uint32_t camera) const
{
    return static_cast<std::size_t>(role) * kMaxCameras + camera;
}

void DesignRegisters::resolve(FgPlWrapper& applet)
{
    for (auto& ids : idsByRoleAndCamera_) {
        ids.clear();
    }
    for (const RegisterSpec& entry : table_) {
        std::uint32_t id = 0;
        if (entry.route == RegisterRoute::Host) {
            id = static_cast<std::uint32_t>(applet.getHostParameterIdByName(entry.name));
        } else {
            id = getRegisterId(applet.getDesignHandle(), entry.name);
        }
        if (entry.camera == kEveryCamera) {
            for (std::uint32_t camera = 0; camera < kMaxCameras; ++camera) {
                idsByRoleAndCamera_[slot(entry.role, camera)].push_back(id);
            }
        } else if (entry.camera < kMaxCameras) {
            idsByRoleAndCamera_[slot(entry.role, entry.camera)].push_back(id);
        }
    }
}

const std::vector<std::uint32_t>& DesignRegisters::ids(RegisterRole role, std::uint32_t camera) const
{
    if (camera >= kMaxCameras) {
        return noRegisters();
    }
    return idsByRoleAndCamera_[slot(role, camera)];
}

void DesignRegisters::write(FgPlWrapper& applet, RegisterRole role, std::uint32_t camera, const void* value,
                            std::int32_t type) const
{
    if (value == nullptr) {
        throw std::int32_t{kErrInvalidArgument};
    }
    auto set = applet.getHostFunctionTable().get<HostSetParameterWithType>(HostFunction::SetParameterWithType);
    if (set == nullptr || applet.getHostHandle() == nullptr) {
        throw std::int32_t{kErrHostFunctionMissing};
    }
    for (std::uint32_t id : ids(role, camera)) {
        raiseIfFailed(set(applet.getHostHandle(), id, value, camera, type));
    }
}

void DesignRegisters::writeInt(FgPlWrapper& applet, RegisterRole role, std::uint32_t camera,
                               std::uint32_t value) const
{
    write(applet, role, camera, &value, kHostValueInt32);
}

void DesignRegisters::writeDouble(FgPlWrapper& applet, RegisterRole role, std::uint32_t camera, double value) const
{
    write(applet, role, camera, &value, kHostValueDouble);
}

std::uint32_t DesignRegisters::read(FgPlWrapper& applet, RegisterRole role, std::uint32_t camera,
                                    std::size_t n) const
{
    const std::vector<std::uint32_t>& registers = ids(role, camera);
    if (n >= registers.size()) {
        throw std::int32_t{kErrInvalidArgument};
    }
    auto get = applet.getHostFunctionTable().get<HostGetParameterWithType>(HostFunction::GetParameterWithType);
    if (get == nullptr || applet.getHostHandle() == nullptr) {
        throw std::int32_t{kErrHostFunctionMissing};
    }
    std::uint32_t value = 0;
    raiseIfFailed(get(applet.getHostHandle(), registers[n], &value, camera, kHostValueInt32));
    return value;
}

std::int32_t DesignRegisters::tryWriteGenerator(FgPlWrapper& applet, RegisterRole role, std::uint64_t value)
{
    std::int32_t result = 0;
    for (std::uint32_t id : ids(role, 0)) {
        result = writeRegister(applet.getBoardHandle(), id, value);
        if (result != 0) {
            return result;
        }
    }
    generatorShadow_[generatorSlot(role)] = value;
    return 0;
}

void DesignRegisters::writeGenerator(FgPlWrapper& applet, RegisterRole role, std::uint64_t value)
{
    raiseIfFailed(tryWriteGenerator(applet, role, value));
}

}  // namespace velm
