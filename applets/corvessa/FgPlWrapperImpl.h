// The Corvessa applet: two Camera Link Base cameras, 24-bit RGB with a white
// balance per camera. Process 0 of the design serves the camera on port 0,
// process 1 the camera on port 1 (each with its three lookup tables, white
// balance, image selector and buffer); process 2 holds the trigger inputs
// and outputs and the camera-control lines of both cameras. The line
// generator exists once and is reached from either port.
#pragma once

#include "GenericApplet.h"

namespace velm::corvessa {

class FgPlWrapperImpl : public GenericApplet {
public:
    FgPlWrapperImpl();
};

}  // namespace velm::corvessa
