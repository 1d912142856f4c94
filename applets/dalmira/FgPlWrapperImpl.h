// The Dalmira applet: one Camera Link Full camera, eight or ten 8-bit taps,
// 24-bit RGB. Process 0 of the design holds the camera input, the image
// selector, the region of interest, the image buffer (two DRAM banks), the
// white balance and the lookup tables; process 1 holds the trigger outputs
// and inputs and the four camera-control outputs.
#pragma once

#include "GenericApplet.h"

namespace velm::dalmira {

class FgPlWrapperImpl : public GenericApplet {
public:
    FgPlWrapperImpl();
};

}  // namespace velm::dalmira
