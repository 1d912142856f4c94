// What the libraries rely on from the two outside libraries they link
// against: the design loader (opens a hardware design and answers questions
// about its registers and events) and the hardware-access library (reads and
// writes design registers on the board).
#pragma once

#include <cstddef>
#include <cstdint>

#include "CallingConvention.h"

#ifndef VELM_OUTSIDE_API
#define VELM_OUTSIDE_API
#endif

extern "C" {

// The loader's event record; only the name and the kind are read.
struct DesignEvent {
    std::uintptr_t reserved;
    const char* name;
    std::int32_t unused;
    std::int32_t kind;
};

// Board type that the libraries pass when a design is opened from a file.
enum { kDesignBoardType = 2626 };

VELM_OUTSIDE_API void* openDesignFile(const char* fileName, std::int32_t boardType, std::int32_t flag);
VELM_OUTSIDE_API void* openDesignMemory(const void* start, std::size_t length, std::int32_t flag);
VELM_OUTSIDE_API std::int32_t releaseDesign(void* design);
VELM_OUTSIDE_API std::int32_t getRegisterCount(void* design);
// Registers are numbered from 1 to getRegisterCount(); null for other numbers.
VELM_OUTSIDE_API const char* getRegisterName(void* design, std::int32_t number);
VELM_OUTSIDE_API std::uint32_t getRegisterId(void* design, const char* name);
VELM_OUTSIDE_API std::int32_t getRegisterWidth(void* design, std::uint32_t registerId);
VELM_OUTSIDE_API std::int32_t isRegisterWritable(void* design, std::uint32_t registerId);
// Null past the last event.
VELM_OUTSIDE_API const DesignEvent* getDesignEvent(void* design, std::int32_t index);

VELM_OUTSIDE_API std::int32_t writeRegister(std::uintptr_t board, std::uint32_t registerId, std::uint64_t value);
VELM_OUTSIDE_API std::int32_t readRegister(std::uintptr_t board, std::uint32_t registerId, std::uint64_t* value);

}  // extern "C"
