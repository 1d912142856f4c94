// How the designs of two cameras number their registers: process 1 holds
// port 1's twin of each of process 0's camera registers, 100 higher, and
// process 2 holds each CC line twice, Cam0's for port 0 and Cam1's for
// port 1.
#pragma once

#include <cstdint>

#include "RegisterAccesses.h"

namespace velm::test {

constexpr uint32_t kProcessStep = 100;

// The camera register of a port.
constexpr uint32_t at(uint32_t camera, uint32_t port)
{
    return camera + kProcessStep * port;
}

constexpr uint32_t ccSelect(int line, uint32_t port)
{
    return 1204 + 4 * static_cast<uint32_t>(line - 1) + 2 * port;
}
constexpr uint32_t ccPolarity(int line, uint32_t port)
{
    return ccSelect(line, port) + 1;
}

// A write of port 1's twin of a camera register, with port 1's index.
inline Access p1(uint32_t camera, uint64_t value)
{
    return hostWrite(at(camera, 1), value, 1);
}

}  // namespace velm::test
