// Everything an applet is, in one record: what it is called, how many
// cameras it serves, and the constant tables the framework's shared
// mechanics read. Each deliverable defines
// thisApplet() once; the framework is linked into it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AppletInfo.h"
#include "ConstantTable.h"
#include "DesignRegisters.h"
#include "GenericApplet.h"
#include "ParameterInfoTree.h"

namespace velm {

// The design block and the icon the build compiles into every deliverable
// (velm_add_applet's DESIGN and ICON; an applet without an icon has an
// empty one). Their sizes are known only at link time.
namespace embedded {
extern const unsigned char designBlock[];
extern const std::size_t designBlockSize;
extern const unsigned char appletIcon[];
extern const std::size_t appletIconSize;
}  // namespace embedded

// When the parameter-info tree gets the "Direct PL Access" category that
// mirrors the host's entries of the "DPLA_" parameters.
enum class HostMirrorCategory : std::uint8_t {
    WhenMirrorSwitchOn,          // "VELM_ENABLE_DPLA" is on
    WhenHostParametersAdmitted,  // the instance has "DPLA_" parameters
};

struct AppletDescription {
    const char* vendor;
    // The applet's name; its design file is this name with ".hap".
    const char* name;
    const char* version;
    std::int32_t id;
    // Cameras, one per port. Applets of more than one camera take the third
    // argument of Std_entry as the slave flag; the others refuse it.
    std::uint32_t cameraCount;
    // The parameters in index order; their allowed values are also the
    // enumeration names Info answers.
    TableOf<ParameterRow> parameters;
    TableOf<EventAlias> eventAliases;
    TableOf<RegisterSpec> registers;
    TableOf<ConfigKey> configKeys;
    TableOf<InitialWrite> initialWrites;
    TableOf<InfoItem> infoTree;
    HostMirrorCategory hostMirrorCategory;
    TableOf<InfoAnswer> infoAnswers;
    GenericApplet* (*create)();
};

const AppletDescription& thisApplet();

// The `create` of an applet whose class takes no arguments.
template <typename Applet>
GenericApplet* createInstanceOf()
{
    return new Applet();
}

}  // namespace velm
