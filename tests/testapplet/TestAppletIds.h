// The test applet's own parameter ids, for the applet and the tests that
// drive it.
#pragma once

#include <cstdint>

namespace velm::testapplet {

enum TestParameter : std::int32_t {
    TEST_VALUE = 9000,
    TEST_REENTER = 9001,
    TEST_SLOW = 9002,
    TEST_MESSAGE = 9003,
    TEST_OVERLAPS = 9004,
    TEST_THROW = 9005,
    TEST_DOUBLE = 9006,
    TEST_MODE = 9007,
    TEST_ELEMENTS = 9008,
    TEST_DMA = 9009,
    TEST_OUTPUT = 9010,
};

}  // namespace velm::testapplet
