// The design registers an applet drives. Each applet lists its registers in
// a constant table, in the order they are resolved; each row names the role
// the register plays and the camera it belongs to, so that the setters
// shared by all applets find "the width registers of camera 1" without
// knowing the applet's register names.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ConstantTable.h"

namespace velm {

class FgPlWrapper;

enum class RegisterRoute : std::uint8_t {
    Host,       // typed writes and reads through the acquisition host library
    Generator,  // line-generator registers, written straight to the board
};

enum class RegisterRole : std::uint8_t {
    LutRed,
    LutGreen,
    LutBlue,
    LutGray,
    UseDval,
    RoiXLength,
    RoiXOffset,
    BufferXLength,
    BufferYLength,
    ImageHeight,
    BufferXOffset,
    Overflow,
    FillLevel,
    SensorCorrection,
    ImageSelectPeriod,
    ImageSelectPhase,
    WhiteBalanceRed,
    WhiteBalanceBlue,
    WhiteBalanceGreen,
    DigitalOut3,
    DigitalOut7,
    InputStatus,
    Cc1Select,
    Cc1Polarity,
    Cc2Select,
    Cc2Polarity,
    Cc3Select,
    Cc3Polarity,
    Cc4Select,
    Cc4Polarity,
    CameraFormat,
    CameraFullMode,
    TripleTapSelect,
    TripleTapTrash,
    OutputFormatSelect,
    BitAlignmentValue,
    // The nine line-generator registers, in the order their kept values are
    // held and zeroed.
    GenEnable,
    GenStart,
    GenWidth,
    GenLineWidth,
    GenHeight,
    GenActive,
    GenPassive,
    GenMask,
    GenRoll,
};

constexpr std::size_t kGeneratorRegisterCount = 9;

constexpr std::size_t generatorSlot(RegisterRole role)
{
    return static_cast<std::size_t>(role) - static_cast<std::size_t>(RegisterRole::GenEnable);
}

// A register of the design process that serves every camera (the trigger
// outputs, inputs and camera-control lines of the two-camera designs): it is
// written and read with the index of the port on whose behalf the access is
// made.
constexpr std::uint8_t kEveryCamera = 0xFF;

struct RegisterSpec {
    const char* name;
    RegisterRoute route;
    RegisterRole role;
    std::uint8_t camera;  // 0, 1, ... or kEveryCamera
};

using RegisterTable = TableOf<RegisterSpec>;

// Resolved register ids and the register access families.
class DesignRegisters {
public:
    explicit DesignRegisters(const RegisterTable& table);

    // Resolves every register by name, in table order: host registers through
    // the host's name lookup on the inner handle, generator registers through
    // the design loader. Whatever id a lookup gives is kept and used.
    void resolve(FgPlWrapper& applet);

    // Ids of the registers of a role and camera, in table order.
    const std::vector<std::uint32_t>& ids(RegisterRole role, std::uint32_t camera) const;

    // Writes the value to every register of the role and camera, in table
    // order, through the host's typed set with the camera as index (for a
    // register that serves every camera, the camera on whose behalf). Raises
    // the host's code at the first failure, -2070 for a null value, -12
    // when the host lacks the call.
    void write(FgPlWrapper& applet, RegisterRole role, std::uint32_t camera, const void* value,
               std::int32_t type) const;
    void writeInt(FgPlWrapper& applet, RegisterRole role, std::uint32_t camera, std::uint32_t value) const;
    void writeDouble(FgPlWrapper& applet, RegisterRole role, std::uint32_t camera, double value) const;

    // The 32-bit value of the n-th register of the role and camera; raises
    // the host's code.
    std::uint32_t read(FgPlWrapper& applet, RegisterRole role, std::uint32_t camera, std::size_t n = 0) const;

    // Line-generator registers: written to the board through the hardware-
    // access library. A write that succeeds becomes the register's kept
    // value; a failing one raises its code and leaves the kept value.
    void writeGenerator(FgPlWrapper& applet, RegisterRole role, std::uint64_t value);
    // Writes without raising; answers the write's result.
    std::int32_t tryWriteGenerator(FgPlWrapper& applet, RegisterRole role, std::uint64_t value);
    std::uint64_t generatorValue(RegisterRole role) const { return generatorShadow_[generatorSlot(role)]; }

private:
    std::size_t slot(RegisterRole role, std::uint32_t camera) const;

    RegisterTable table_;
    std::vector<std::vector<std::uint32_t>> idsByRoleAndCamera_;
    std::array<std::uint64_t, kGeneratorRegisterCount> generatorShadow_;
};

}  // namespace velm
