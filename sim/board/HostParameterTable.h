// The acquisition host's own parameters: the values a freshly loaded (or
// reset) host answers through Fg_getParameter, and the names under which
// Fg_getParameterIdByName finds them. One table for both, so that a name can
// never be found for an id that the host would refuse.
#pragma once

#include <cstdint>

namespace velm::sim {

struct HostParameterDefinition {
    const char* name;
    std::int32_t id;
    std::int32_t defaultValue;
};

inline constexpr HostParameterDefinition kHostParameters[] = {
    {"FG_TIMEOUT", 600, 1000000},
    {"FG_APC_STOP_TIMEOUT", 601, 10},
    {"FG_CAMSTATUS_EXTENDED", 2050, 0},
    {"FG_NR_OF_DMAS", 3050, 1},
    {"FG_TURBO_DMA_MODE", 3051, 0},
    {"FG_NR_OF_CAMS", 3060, 1},
    {"FG_NR_OF_PROCESSES", 3070, 2},
    {"FG_DMA_PORT", 3080, 0},
    {"FG_CAM_PORT", 3090, 0},
    {"FG_TRANSFER_LEN", 5210, 0},
    {"FG_DMASTATUS", 24092, 0},
    // Only in the host's parameter-info tree.
    {"HOST_NAME", 90001, 0},
    {"HOST_CLOCK", 90002, 0},
    {"Device1_Process0_Host_Gain", 90010, 0},
    {"Device1_Process0_Host_Counter", 90011, 0},
    {"HOST_MODE", 90012, 0},
};

}  // namespace velm::sim
