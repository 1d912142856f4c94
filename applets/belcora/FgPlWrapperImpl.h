// The Belcora applet: one Camera Link Medium camera, 24-bit RGB. Process 0
// of the design holds the camera, the lookup tables, the white balance, the
// image selector and the image buffer (two DRAM banks); process 1 holds the
// trigger outputs and inputs and the four camera-control outputs.
#pragma once

#include "GenericApplet.h"

namespace velm::belcora {

class FgPlWrapperImpl : public GenericApplet {
public:
    FgPlWrapperImpl();

private:
    // The stored sensor-correction values become register writes only
    // through the update scheme.
    void finishConfigurationLoad() override;
};

}  // namespace velm::belcora
