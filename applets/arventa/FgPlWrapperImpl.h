// The Arventa applet: two Camera Link Base cameras, 12-bit gray. Process 0
// of the design serves the camera on port 0, process 1 the camera on port 1
// (each with its tap extraction, region of interest, gray lookup table,
// image selector and buffer); process 2 holds the trigger inputs and outputs
// and the camera-control lines of both cameras. The line generator exists
// once and is reached from either port.
#pragma once

#include "GenericApplet.h"

namespace velm::arventa {

class FgPlWrapperImpl : public GenericApplet {
public:
    FgPlWrapperImpl();
};

}  // namespace velm::arventa
