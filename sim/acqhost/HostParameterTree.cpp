#include "HostParameterTree.h"

namespace {

// Categories carry a parameter name besides their display name; a mirror of
// them must keep both.
void build(velm::ParameterInfoRegistry* registry)
{
    // The older root: acquisition parameters, with a nested category.
    ParameterInfoEntry* acquisition = registry->addCategory(0, nullptr, "Host Acquisition", "HostAcquisition");
    registry->addIntInfo(acquisition, "Timeout", "FG_TIMEOUT", 2, 2147483646, 1, 7, 1, 1, "seconds", 600, 0);
    ParameterInfoEntry* turbo =
        registry->addEnumInfo(acquisition, "Turbo DMA", "FG_TURBO_DMA_MODE", 2, 7, 1, 1, "", 3051, 0);
    registry->setEnumEntry(turbo, 0, "Off", 0, "FG_OFF");
    registry->setEnumEntry(turbo, 1, "On", 1, "FG_ON");
    ParameterInfoEntry* buffers = registry->addCategory(0, acquisition, "Buffers", "HostBuffers");
    registry->addInt64Info(buffers, "Transfer Length", "FG_TRANSFER_LEN", 0, INT64_C(1) << 40, 1, 1, 1, 1, "",
                           5210, 0);
    registry->addStringInfo(buffers, "Host Name", "HOST_NAME", "acqhost", 1, 1, 1, "", 90001, 0);
    registry->addDoubleInfo(buffers, "Host Clock", "HOST_CLOCK", 0.0, 500.0, 0.5, 1, 1, 1, "MHz", 90002, 0);

    // The newest root: design-register parameters, two levels deep.
    ParameterInfoEntry* design = registry->addCategory(0, nullptr, "Host Design", "HostDesign");
    registry->addRegisterIntInfo(design, "Gain", "Device1_Process0_Host_Gain", 0, 4095, 1, 7, 1, 1, "", 90010, 0);
    registry->addRegisterInt64Info(design, "Counter", "Device1_Process0_Host_Counter", 0, INT64_MAX, 1, 1, 1, 1,
                                   "", 90011, 0);
    ParameterInfoEntry* deep = registry->addCategory(0, design, "Deep", "HostDeep");
    ParameterInfoEntry* deeper = registry->addCategory(0, deep, "Deeper", "HostDeeper");
    ParameterInfoEntry* mode = registry->addEnumInfo(deeper, "Mode", "HOST_MODE", 3, 7, 2, 1, "", 90012, 0);
    registry->setEnumEntry(mode, 0, "Slow", 0, "HOST_SLOW");
    registry->setEnumEntry(mode, 1, "Fast", 1, "HOST_FAST");
    registry->setEnumEntry(mode, 2, "Hidden", 2, nullptr);
}

}  // namespace

// Freed when the host library is unloaded.
velm::ParameterInfoRegistry& hostParameterTree()
{
    static velm::ParameterInfoRegistry tree;
    static const bool built = (build(&tree), true);
    (void)built;
    return tree;
}
