// What a deliverable tells the framework's exports about its applet. Each
// deliverable defines thisApplet() once; the framework is linked into it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AppletInfo.h"

namespace velm {

class GenericApplet;

struct AppletDescriptor {
    // The design file opened when "__VELM_FORCE_EXTERNAL_HAP" is set; also
    // the name the inner host handle is opened with.
    const char* hapFileName;
    // Two-camera applets take Std_entry's third argument as the slave flag;
    // one-camera applets refuse a non-zero one.
    bool acceptsSlave;
    const unsigned char* designBlock;
    const std::size_t* designBlockSize;
    GenericApplet* (*create)();
    const AppletInfoTable* info;
};

const AppletDescriptor& thisApplet();

}  // namespace velm
