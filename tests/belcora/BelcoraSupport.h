// What the Belcora tests share: the instance fixture, the design's register
// ids, the register accesses written compactly, and lookups in the
// parameter-info tree and the XML description.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "InstanceFixture.h"
#include "ParameterInfoRegistry.h"

namespace velm::test::belcora {

// Register ids of Belcora.hap.
enum Register : uint32_t {
    kLutRed = 1001, kLutGreen, kLutBlue, kUseDval, kXLength0, kXLength1, kYLength0, kYLength1, kImageHeight,
    kXOffset0, kXOffset1, kOverflow, kFillLevel0, kFillLevel1, kCorrection0, kCorrection1, kSelectPeriod,
    kSelectPhase, kRedGain, kBlueGain, kGreenGain,
    kOut3 = 1101, kOut7, kInputStatus, kCc1Select, kCc1Polarity, kCc2Select, kCc2Polarity, kCc3Select,
    kCc3Polarity, kCc4Select, kCc4Polarity,
    kGenEnable = 2001, kGenStart, kGenWidth, kGenLineWidth, kGenHeight, kGenActive, kGenPassive, kGenMask, kGenRoll,
};

// Parameter ids the tests name often.
enum Id : int32_t {
    FG_WIDTH = 100, FG_XOFFSET = 300, FG_CAMSTATUS = 2000, FG_CAMSTATUS_EXTENDED = 2050, FG_PIXELDEPTH = 4000,
    FG_SENSORREADOUT = 5050, FG_SCALINGFACTOR_RED = 13000, FG_SCALINGFACTOR_GREEN = 13030,
    FG_DIGIO_OUTPUT = 14020, FG_HAP_FILE = 24108, FG_DESCRIPTION = 24114, FG_IMG_SELECT_PERIOD = 25110,
    FG_IMG_SELECT = 25111, FG_GEN_ENABLE = 30099, FG_GEN_PASSIVE = 30100, FG_GEN_ACTIVE = 30101,
    FG_GEN_FREQ = 30106, FG_GEN_ACCURACY = 30107, FG_LUT_TYPE = 110017, FG_LUT_SAVE_FILE = 110021,
    FG_FILLLEVEL = 110086, FG_SC_SUBSENSORCOUNT = 110118, FG_SC_SENSORLENGTH = 110119, FG_SC_TAPCOUNT = 110120,
    FG_SC_ROTATEDSENSOR = 110121, FG_SC_READOUTDIRECTION = 110122, FG_SC_UPDATESCHEME = 110124, FG_CC2 = 200401,
    FG_CC3 = 200402, FG_LUT_CUSTOM_FILE = 300000, FG_PROCESSING_GAIN = 300002, FG_LUT_VALUE_RED = 300009,
    FG_LUT_VALUE_GREEN = 300010, FG_LUT_VALUE_BLUE = 300011,
};

// One register access as the tests compare it: type 4096 carries the
// table's length as its value, type 5 the double's bit pattern.
struct Access {
    int32_t library;
    int32_t operation;
    uint32_t id;
    int32_t type;
    uint64_t value;
    uint32_t index = 0;
    bool operator==(const Access& o) const
    {
        return library == o.library && operation == o.operation && id == o.id && type == o.type &&
               value == o.value && index == o.index;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Access& a)
{
    return out << (a.library == kSimThroughHost ? "host " : "hw ") << (a.operation == kSimWrite ? "write " : "read ")
               << a.id << " type " << a.type << " value " << a.value << " index " << a.index;
}

inline uint64_t bitsOf(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline Access hostWrite(uint32_t id, uint64_t value) { return {kSimThroughHost, kSimWrite, id, 2, value}; }
inline Access hostRead(uint32_t id, uint64_t value) { return {kSimThroughHost, kSimRead, id, 2, value}; }
inline Access doubleWrite(uint32_t id, double value) { return {kSimThroughHost, kSimWrite, id, 5, bitsOf(value)}; }
inline Access tableWrite(uint32_t id) { return {kSimThroughHost, kSimWrite, id, 4096, 256}; }
inline Access elementWrite(uint32_t id, uint32_t value, uint32_t index)
{
    return {kSimThroughHost, kSimWrite, id, 4098, value, index};
}
inline Access generatorWrite(uint32_t id, uint64_t value) { return {kSimThroughHardware, kSimWrite, id, 0, value}; }

inline std::vector<Access> accesses()
{
    std::vector<Access> result;
    for (const SimRegisterAccess& a : accessLog()) {
        EXPECT_EQ(a.board, 0u) << "every access goes to board 0";
        result.push_back({a.library, a.operation, a.registerId, a.valueType,
                          a.valueType == 4096 ? a.tableCount : a.value, a.valueType == 4098 ? a.elementIndex : 0});
    }
    return result;
}

// The table sent by access i.
inline std::vector<uint32_t> sentTable(std::size_t i)
{
    std::vector<uint32_t> table(256);
    table.resize(simGetAccessTable(i, table.data(), table.size()));
    return table;
}

inline std::vector<uint32_t> identityTable()
{
    std::vector<uint32_t> table(256);
    for (uint32_t i = 0; i < 256; ++i) {
        table[i] = i;
    }
    return table;
}

inline uint64_t registerValue(uint32_t id)
{
    uint64_t value = 0;
    simGetRegister(0, id, 0, &value);
    return value;
}

inline std::string expectedFile(const std::string& name)
{
    return fileContent(std::string(BELCORA_EXPECTED) + "/" + name);
}

// The entry of a parameter (by its name) or of a category (by its display
// name) anywhere in a port's tree.
inline const ParameterInfoEntry* findBelow(const ParameterInfoEntry* category, const std::string& name)
{
    for (int32_t i = 0; i < category->value.category.childCount; ++i) {
        const ParameterInfoEntry* child = category->value.category.children[i];
        const char* own = child->type == 0 ? child->displayName : child->name;
        if (own != nullptr && name == own) {
            return child;
        }
        const ParameterInfoEntry* found = child->type == 0 ? findBelow(child, name) : nullptr;
        if (found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

inline const ParameterInfoEntry* findInfo(const ParameterInfoEntry* root, const std::string& name)
{
    for (; root != nullptr; root = root->next) {
        if (name == root->displayName) {
            return root;
        }
        if (const ParameterInfoEntry* found = findBelow(root, name)) {
            return found;
        }
    }
    return nullptr;
}

// The text of an XML document from `open` up to the end of the first
// `close` after it; "" when `open` is not there.
inline std::string xmlPart(const std::string& document, const std::string& open, const std::string& close)
{
    const std::size_t start = document.find(open);
    if (start == std::string::npos) {
        return {};
    }
    const std::size_t end = document.find(close, start);
    return document.substr(start, end == std::string::npos ? std::string::npos : end + close.size() - start);
}

class Belcora : public InstanceFixture {
protected:
    void SetUp() override { create("belcora.so"); }

    int64_t getInt(int32_t id) { return lib().getInt(handle(), id); }
    double getDouble(int32_t id) { return lib().getDouble(handle(), id); }
    std::string getText(int32_t id) { return lib().getText(handle(), id); }
    int32_t setInt(int32_t id, int32_t value) { return lib().setInt(handle(), id, value); }
    int32_t setDouble(int32_t id, double value) { return lib().setDouble(handle(), id, value); }
    int32_t setText(int32_t id, const char* value) { return lib().setText(handle(), id, value); }
    int32_t setElement(int32_t id, uint32_t value, uint32_t index)
    {
        AppletFieldElement element{value, index};
        return lib().Fg_setParameterWithType(handle(), id, &element, 0, 4098);
    }
    // The element's value, or the code when the get fails.
    int64_t getElement(int32_t id, uint32_t index)
    {
        AppletFieldElement element{0xDEAD, index};
        const int32_t result = lib().Fg_getParameterWithType(handle(), id, &element, 0, 4098);
        return result == 0 ? int64_t{element.value} : int64_t{result};
    }
    const ParameterInfoEntry* info(const std::string& name)
    {
        return findInfo(lib().Fg_getParameterInfo(handle(), 0), name);
    }
};

}  // namespace velm::test::belcora
