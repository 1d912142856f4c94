// The register accesses an applet made, as its tests compare them: read
// from the stand-ins' access log and written compactly with one helper per
// kind of access. Every field that can be wrong is compared, the port and a
// table's length included, and so is the code the stand-in answered: a write
// to the wrong port, a table of the wrong size, or an access that the
// stand-in refused and the applet dropped fails the comparison.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <ostream>
#include <vector>

#include "AppletLibrary.h"

namespace velm::test {

// The length of a table of 8-bit entries, which most lookup tables are.
constexpr uint32_t kByteTableLength = 256;

struct Access {
    int32_t library;
    int32_t operation;
    uint32_t id;
    int32_t type;
    uint64_t value;        // type 4096: the table's length; type 5: the double's bit pattern
    uint32_t port = 0;     // the index passed to the host; 0 through the hardware-access library
    uint32_t element = 0;  // type 4098: the element's index
    int32_t result = 0;    // what the stand-in answered
    bool operator==(const Access& o) const
    {
        return library == o.library && operation == o.operation && id == o.id && type == o.type &&
               value == o.value && port == o.port && element == o.element && result == o.result;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Access& a)
{
    out << (a.library == kSimThroughHost ? "host " : "hw ") << (a.operation == kSimWrite ? "write " : "read ")
        << a.id << " type " << a.type << (a.type == 4096 ? " length " : " value ") << a.value << " port " << a.port;
    if (a.type == 4098) {
        out << " element " << a.element;
    }
    return out << " result " << a.result;
}

inline uint64_t bitsOf(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline Access hostWrite(uint32_t id, uint64_t value, uint32_t port = 0)
{
    return {kSimThroughHost, kSimWrite, id, 2, value, port};
}
inline Access hostRead(uint32_t id, uint64_t value, uint32_t port = 0)
{
    return {kSimThroughHost, kSimRead, id, 2, value, port};
}
inline Access doubleWrite(uint32_t id, double value, uint32_t port = 0)
{
    return {kSimThroughHost, kSimWrite, id, 5, bitsOf(value), port};
}
inline Access tableWrite(uint32_t id, uint32_t length = kByteTableLength, uint32_t port = 0)
{
    return {kSimThroughHost, kSimWrite, id, 4096, length, port};
}
inline Access elementWrite(uint32_t id, uint32_t value, uint32_t element, uint32_t port = 0)
{
    return {kSimThroughHost, kSimWrite, id, 4098, value, port, element};
}
inline Access generatorWrite(uint32_t id, uint64_t value) { return {kSimThroughHardware, kSimWrite, id, 0, value}; }

// The runs (of accesses, or of any other record) one after the other.
template <typename T>
std::vector<T> inOrder(std::initializer_list<std::vector<T>> runs)
{
    std::vector<T> all;
    for (const std::vector<T>& run : runs) {
        all.insert(all.end(), run.begin(), run.end());
    }
    return all;
}

// What a new instance writes before any default: 0 to each of the
// generator's nine registers, consecutive ids from `enableId`.
inline std::vector<Access> generatorClearWrites(uint32_t enableId)
{
    std::vector<Access> writes;
    for (uint32_t id = enableId; id < enableId + 9; ++id) {
        writes.push_back(generatorWrite(id, 0));
    }
    return writes;
}

// What the generator's defaults write after its source switch, for a design
// whose nine generator registers have consecutive ids from `enableId`:
// start, width 1024 and gap 4 counted in the design's units (pairs of
// pixels unless given; a design may count `unitsPerPixel` units a pixel
// instead), height 1024 from 0, the timing of 40 MHz at accuracy 25
// (active 8, passive 17, both less one) set twice, the four taps one by
// one, and roll.
inline std::vector<Access> generatorDefaultWrites(uint32_t enableId, uint32_t pixelsPerUnit = 2,
                                                  uint32_t unitsPerPixel = 1)
{
    const uint32_t start = enableId + 1, width = enableId + 2, lineWidth = enableId + 3, height = enableId + 4,
                   active = enableId + 5, passive = enableId + 6, mask = enableId + 7, roll = enableId + 8;
    const uint32_t units = 1024 * unitsPerPixel / pixelsPerUnit,
                   lineUnits = (1024 + 4) * unitsPerPixel / pixelsPerUnit;
    return {
        generatorWrite(start, 1),
        generatorWrite(width, units), generatorWrite(lineWidth, lineUnits),
        generatorWrite(height, 1023),
        generatorWrite(width, units), generatorWrite(lineWidth, lineUnits),
        generatorWrite(active, 7), generatorWrite(passive, 16),
        generatorWrite(active, 7), generatorWrite(passive, 16),
        generatorWrite(mask, 1), generatorWrite(mask, 3), generatorWrite(mask, 7), generatorWrite(mask, 15),
        generatorWrite(roll, 0),
    };
}

// What the defaults of the colour tables and the white balance write for a
// camera: the three tables from the curve, red, green and blue, then a gain
// of 1 for red, blue and green, each run on consecutive ids, all with the
// camera's port as index.
inline std::vector<Access> colourDefaultWrites(uint32_t redTable, uint32_t redGain, uint32_t port = 0)
{
    return {
        tableWrite(redTable, kByteTableLength, port), tableWrite(redTable + 1, kByteTableLength, port),
        tableWrite(redTable + 2, kByteTableLength, port), doubleWrite(redGain, 1.0, port),
        doubleWrite(redGain + 1, 1.0, port), doubleWrite(redGain + 2, 1.0, port),
    };
}

// What the camera signals' defaults write on a port: outputs 3 and 7 on, CC1
// to trigger source 0 and CC2 to CC4 to Vcc (the constant source 8, not
// inverted), for a design whose CC lines' select registers stand `ccStep`
// apart from `cc1Select` on, each with its polarity register right after it.
inline std::vector<Access> cameraSignalDefaultWrites(uint32_t out3, uint32_t out7, uint32_t cc1Select,
                                                     uint32_t ccStep, uint32_t port = 0)
{
    std::vector<Access> writes = {hostWrite(out3, 1, port), hostWrite(out7, 1, port)};
    for (uint32_t line = 0; line < 4; ++line) {
        const uint32_t select = cc1Select + ccStep * line;
        writes.push_back(hostWrite(select, line == 0 ? 0 : 8, port));
        writes.push_back(hostWrite(select + 1, 0, port));
    }
    return writes;
}

// The accesses logged since the log was last cleared; every one of them
// must have gone to board 0, where the test fixtures create their instances.
inline std::vector<Access> accesses()
{
    std::vector<Access> result;
    for (const SimRegisterAccess& a : accessLog()) {
        EXPECT_EQ(a.board, 0u) << "every access goes to board 0";
        result.push_back({a.library, a.operation, a.registerId, a.valueType,
                          a.valueType == 4096 ? a.tableCount : a.value, a.index,
                          a.valueType == 4098 ? a.elementIndex : 0, a.result});
    }
    return result;
}

// The whole table sent by access i, however long it was.
inline std::vector<uint32_t> sentTable(std::size_t i)
{
    std::vector<uint32_t> table(simGetAccessTable(i, nullptr, 0));
    simGetAccessTable(i, table.data(), table.size());
    return table;
}

// The whole table a table register holds on board 0 for the port; empty
// when the host never wrote any of it.
inline std::vector<uint32_t> boardTable(uint32_t id, uint32_t port = 0)
{
    std::vector<uint32_t> table(simGetTable(0, id, port, nullptr, 0));
    simGetTable(0, id, port, table.data(), table.size());
    return table;
}

inline std::vector<uint32_t> identityTable(uint32_t length = kByteTableLength)
{
    std::vector<uint32_t> table(length);
    for (uint32_t i = 0; i < length; ++i) {
        table[i] = i;
    }
    return table;
}

// The table of the curve with gain 2: twice the input, up to the largest
// output.
inline std::vector<uint32_t> doubledTable(uint32_t length = kByteTableLength)
{
    std::vector<uint32_t> table(length);
    for (uint32_t i = 0; i < length; ++i) {
        table[i] = i < length / 2 ? 2 * i : length - 1;
    }
    return table;
}

// A new instance of the library on board 0, whose creation wrote `expected`
// in order and sent every table as the identity of its length. The caller
// frees it.
inline AppletHandle createExpectingWrites(AppletLibrary& library, const std::vector<Access>& expected)
{
    simClearLog();
    AppletHandle handle{library.Std_entry(0, nullptr, 0)};
    EXPECT_NE(handle.instance, nullptr);
    const std::vector<Access> log = accesses();
    EXPECT_EQ(log, expected);
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].type == 4096) {
            EXPECT_EQ(sentTable(i), identityTable(static_cast<uint32_t>(log[i].value))) << i;
        }
    }
    return handle;
}


// A register's value on board 0, as the host wrote it for the port (or the
// hardware-access library, for port 0).
inline uint64_t registerValue(uint32_t id, uint32_t port = 0)
{
    uint64_t value = 0;
    simGetRegister(0, id, port, &value);
    return value;
}

}  // namespace velm::test
