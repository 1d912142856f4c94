// The acquisition host library's functions, by position. Only the 26
// positions named below are ever written (by name, when the host library is
// bound) and read; a name the host does not export leaves its slot null.
#pragma once

#include <array>
#include <cstddef>

namespace velm {

enum class HostFunction : std::size_t {
    GetAppletId = 4,
    SetParameter = 5,
    SetParameterWithType = 6,
    GetParameter = 7,
    GetParameterWithType = 8,
    SaveConfig = 10,
    LoadConfig = 11,
    Acquire = 12,
    StopAcquire = 13,
    GetLastPicNumberEx = 14,
    GetLastPicNumberBlockingEx = 15,
    FreeGrabber = 18,
    GetLastErrorNumber = 19,
    GetStatusEx = 28,
    AcquireEx = 29,
    StopAcquireEx = 30,
    GetParameterInfo = 31,
    AllocShading = 32,
    FreeShading = 33,
    ShadGetMaxLine = 34,
    ShadSetSubValueLine = 35,
    ShadSetMultValueLine = 36,
    ShadSetFixedPatternNoiseLine = 37,
    ShadGetAccess = 38,
    ShadFreeAccess = 39,
    ShadWriteActLine = 40,
};

struct HostFunctionBinding {
    const char* name;
    HostFunction position;
};

// The order in which the names are looked up when the host is bound.
inline constexpr HostFunctionBinding kHostFunctionBindings[] = {
    {"Fg_getAppletId", HostFunction::GetAppletId},
    {"Fg_setParameter", HostFunction::SetParameter},
    {"Fg_setParameterWithType", HostFunction::SetParameterWithType},
    {"Fg_getParameter", HostFunction::GetParameter},
    {"Fg_getParameterWithType", HostFunction::GetParameterWithType},
    {"Fg_saveConfig", HostFunction::SaveConfig},
    {"Fg_loadConfig", HostFunction::LoadConfig},
    {"Fg_Acquire", HostFunction::Acquire},
    {"Fg_stopAcquire", HostFunction::StopAcquire},
    {"Fg_getLastPicNumberBlockingEx", HostFunction::GetLastPicNumberBlockingEx},
    {"Fg_getLastPicNumberEx", HostFunction::GetLastPicNumberEx},
    {"Fg_FreeGrabber", HostFunction::FreeGrabber},
    {"Fg_getLastErrorNumber", HostFunction::GetLastErrorNumber},
    {"Fg_getStatusEx", HostFunction::GetStatusEx},
    {"Fg_AcquireEx", HostFunction::AcquireEx},
    {"Fg_stopAcquireEx", HostFunction::StopAcquireEx},
    {"Fg_getParameterInfo", HostFunction::GetParameterInfo},
    {"Fg_AllocShading", HostFunction::AllocShading},
    {"Fg_FreeShading", HostFunction::FreeShading},
    {"Shad_SetSubValueLine", HostFunction::ShadSetSubValueLine},
    {"Shad_SetMultValueLine", HostFunction::ShadSetMultValueLine},
    {"Shad_SetFixedPatternNoiseLine", HostFunction::ShadSetFixedPatternNoiseLine},
    {"Shad_GetMaxLine", HostFunction::ShadGetMaxLine},
    {"Shad_GetAccess", HostFunction::ShadGetAccess},
    {"Shad_FreeAccess", HostFunction::ShadFreeAccess},
    {"Shad_WriteActLine", HostFunction::ShadWriteActLine},
};

class HostFunctionTable {
public:
    static constexpr std::size_t kSlotCount = 108;
    using Slot = void (*)();

    void set(HostFunction position, void* function)
    {
        slots_[static_cast<std::size_t>(position)] = reinterpret_cast<Slot>(function);
    }

    // The function at `position` as type F, or null.
    template <typename F>
    F get(HostFunction position) const
    {
        return reinterpret_cast<F>(slots_[static_cast<std::size_t>(position)]);
    }

private:
    std::array<Slot, kSlotCount> slots_{};
};

}  // namespace velm
