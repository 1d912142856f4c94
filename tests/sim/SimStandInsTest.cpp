// The stand-ins themselves, driven through their C functions the way the
// libraries call them. Later tests trust these to report what the libraries
// did, so a stand-in that logs or shares wrongly must fail here first.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "AcqHost.h"
#include "DesignLoader.h"
#include "Platform.h"
#include "SimControl.h"

using velm::kHostValueDouble;
using velm::kHostValueElement;
using velm::kHostValueInt32;
using velm::kHostValueTable;

namespace {

const std::string kDesign =
    "QRTB\n"
    "# test design\n"
    "register 5 32 rw Device1_Process0_Width\n"
    "\n"
    "register 9 16 ro Device1_Process0_FillLevel\n"
    "register 12 48 rw AAGenActive\n"
    "register 20 8 rw Device1_Process0_Lut table 4\n"
    "event 1 CameraFrameStart\n"
    "event 0 Overflow\n"
    "end";

std::vector<std::string> callLog()
{
    std::vector<std::string> lines;
    char line[256];
    for (std::size_t i = 0; i < simCallCount(); ++i) {
        simGetCall(i, line, sizeof line);
        lines.emplace_back(line);
    }
    return lines;
}

SimRegisterAccess access(std::size_t i)
{
    SimRegisterAccess a{};
    EXPECT_EQ(simGetAccess(i, &a), 0);
    return a;
}

class SimStandIns : public ::testing::Test {
protected:
    void SetUp() override
    {
        simReset();
        design_ = openDesignMemory(kDesign.data(), kDesign.size(), 1);
        ASSERT_NE(design_, nullptr);
        host_ = Fg_InitHandleSlaveAware("Test.hap", 0, design_, false);
        ASSERT_NE(host_, nullptr);
        simClearLog();
    }
    void TearDown() override
    {
        Fg_FreeGrabber(host_);
        releaseDesign(design_);
    }
    void* design_ = nullptr;
    void* host_ = nullptr;
};

TEST_F(SimStandIns, DesignBlocksOpenOnlyWhenWholeAndWellFormed)
{
    struct Case {
        const char* what;
        std::string block;
        std::size_t cut;  // parse only this many bytes; 0: all
        bool opens;
    } cases[] = {
        {"good block", kDesign, 0, true},
        {"trailing newline after end", kDesign + "\n", 0, true},
        {"wrong magic", "QRTX\nend\n", 0, false},
        {"magic without newline", "QRTB", 0, false},
        {"no end", "QRTB\nregister 1 8 rw A\n", 0, false},
        {"length stops before end", kDesign, kDesign.size() - 2, false},
        {"length stops inside the magic", kDesign, 3, false},
        {"unknown item", "QRTB\nregiser 1 8 rw A\nend\n", 0, false},
        {"bad access", "QRTB\nregister 1 8 wr A\nend\n", 0, false},
        {"zero width", "QRTB\nregister 1 0 rw A\nend\n", 0, false},
        {"register id 0", "QRTB\nregister 0 8 rw A\nend\n", 0, false},
        {"repeated name", "QRTB\nregister 1 8 rw A\nregister 2 8 rw A\nend\n", 0, false},
        {"table of 65536 entries", "QRTB\nregister 1 8 rw A table 65536\nend\n", 0, true},
        {"table without its length", "QRTB\nregister 1 8 rw A table\nend\n", 0, false},
        {"table of no entries", "QRTB\nregister 1 8 rw A table 0\nend\n", 0, false},
        {"table of 65537 entries", "QRTB\nregister 1 8 rw A table 65537\nend\n", 0, false},
        {"length without the word table", "QRTB\nregister 1 8 rw A entries 4\nend\n", 0, false},
        {"item after end", "QRTB\nend\nevent 1 E\n", 0, false},
        {"empty", "", 0, false},
    };
    for (const Case& c : cases) {
        // An exact-size copy: parsing past the length would read outside it.
        std::vector<char> bytes(c.block.begin(), c.block.begin() + (c.cut != 0 ? c.cut : c.block.size()));
        void* design = openDesignMemory(bytes.data(), bytes.size(), 1);
        EXPECT_EQ(design != nullptr, c.opens) << c.what;
        releaseDesign(design);
    }
    EXPECT_EQ(simOpenDesignCount(), 1);  // the fixture's own
}

TEST_F(SimStandIns, DesignAnswersItsRegistersAndEvents)
{
    EXPECT_EQ(getRegisterCount(design_), 4);
    EXPECT_STREQ(getRegisterName(design_, 1), "Device1_Process0_Width");
    EXPECT_STREQ(getRegisterName(design_, 4), "Device1_Process0_Lut");
    EXPECT_EQ(getRegisterName(design_, 0), nullptr);
    EXPECT_EQ(getRegisterName(design_, 5), nullptr);
    EXPECT_EQ(getRegisterId(design_, "Device1_Process0_FillLevel"), 9u);
    EXPECT_EQ(getRegisterId(design_, "Nope"), 0u);
    EXPECT_EQ(getRegisterWidth(design_, 12), 48);
    EXPECT_EQ(getRegisterWidth(design_, 13), 0);
    EXPECT_EQ(isRegisterWritable(design_, 5), 1);
    EXPECT_EQ(isRegisterWritable(design_, 9), 0);
    const DesignEvent* event = getDesignEvent(design_, 1);
    ASSERT_NE(event, nullptr);
    EXPECT_STREQ(event->name, "Overflow");
    EXPECT_EQ(event->kind, 0);
    EXPECT_EQ(getDesignEvent(design_, 2), nullptr);

    EXPECT_EQ(getRegisterCount(nullptr), 0);
    EXPECT_EQ(getRegisterName(nullptr, 1), nullptr);
    EXPECT_EQ(getRegisterId(nullptr, "AAGenActive"), 0u);
    EXPECT_EQ(getRegisterWidth(nullptr, 12), 0);
    EXPECT_EQ(isRegisterWritable(nullptr, 5), 0);
    EXPECT_EQ(getDesignEvent(nullptr, 0), nullptr);
}

TEST_F(SimStandIns, DesignFileIsReadWholeAndLogged)
{
    const char* name = "sim_test_design.hap";
    std::FILE* file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(kDesign.data(), 1, kDesign.size(), file);
    std::fclose(file);
    void* design = openDesignFile(name, 2626, 1);
    EXPECT_NE(design, nullptr);
    EXPECT_EQ(openDesignFile("missing.hap", 2626, 1), nullptr);
    releaseDesign(design);
    std::remove(name);
    EXPECT_EQ(callLog(), (std::vector<std::string>{"openDesignFile(sim_test_design.hap,2626,1)",
                                                   "openDesignFile(missing.hap,2626,1)", "releaseDesign"}));
}

TEST_F(SimStandIns, HostAndHardwareShareOneBoardPerIndex)
{
    void* board1 = Fg_InitHandle("Test.hap", 1, design_);
    std::int32_t value = 77;
    EXPECT_EQ(Fg_setParameterWithType(host_, 5, &value, 0, kHostValueInt32), 0);
    std::uint64_t read = 0;
    EXPECT_EQ(readRegister(0, 5, &read), 0);
    EXPECT_EQ(read, 77u);
    EXPECT_EQ(readRegister(1, 5, &read), 0);
    EXPECT_EQ(read, 0u);  // never written on board 1

    EXPECT_EQ(writeRegister(1, 12, 0x1'0000'0042ull), 0);
    std::int32_t got = 0;
    EXPECT_EQ(Fg_getParameterWithType(board1, 12, &got, 0, kHostValueInt32), 0);
    EXPECT_EQ(got, 0x42);  // the low 32 bits
    EXPECT_EQ(Fg_getParameterWithType(host_, 12, &got, 0, kHostValueInt32), 0);
    EXPECT_EQ(got, 0);
    Fg_FreeGrabber(board1);
}

TEST_F(SimStandIns, HostRefusesBadCallsAndRemembersTheCode)
{
    std::int32_t value = 1;
    double number = 0.5;
    struct Case {
        const char* what;
        void* handle;
        std::uint32_t registerId;
        const void* value;
        std::int32_t type;
        std::int32_t expected;
    } cases[] = {
        {"null handle", nullptr, 5, &value, kHostValueInt32, -2001},
        {"unknown handle", &value, 5, &value, kHostValueInt32, -2001},
        {"null value", host_, 5, nullptr, kHostValueInt32, -2070},
        {"register not in the design", host_, 6, &value, kHostValueInt32, -2070},
        {"unknown type", host_, 5, &value, 3, -2070},
        {"register the design marks read-only", host_, 9, &value, kHostValueInt32, -2070},
        {"double", host_, 12, &number, kHostValueDouble, 0},
    };
    for (const Case& c : cases) {
        simHostSetLastError(0);
        EXPECT_EQ(Fg_setParameterWithType(c.handle, c.registerId, c.value, 0, c.type), c.expected) << c.what;
        if (c.handle == host_) {
            EXPECT_EQ(Fg_getLastErrorNumber(host_), c.expected) << c.what;
        }
    }
    ASSERT_EQ(simAccessCount(), std::size(cases));
    EXPECT_EQ(access(2).result, -2070);
    EXPECT_EQ(access(6).doubleValue, 0.5);
    std::int32_t status = 0;
    EXPECT_EQ(Fg_getParameterWithType(host_, 9, &status, 0, kHostValueInt32), 0) << "read-only registers are read";
}

TEST_F(SimStandIns, TablesAndElementsAreLoggedAndKept)
{
    std::uint32_t values[3] = {7, 8, 9};
    HostTableRecord record{2, 0, 3, values};
    EXPECT_EQ(Fg_setParameterWithType(host_, 20, &record, 1, kHostValueTable), 0);
    FieldElement element{42, 3};
    EXPECT_EQ(Fg_setParameterWithType(host_, 20, &element, 1, kHostValueElement), 0);
    std::uint32_t shorter[2] = {1, 2};
    HostTableRecord second{2, 0, 2, shorter};
    EXPECT_EQ(Fg_setParameterWithType(host_, 20, &second, 1, kHostValueTable), 0);

    // The board holds the design's whole table; a shorter record leaves the
    // entries past it.
    std::uint32_t table[8] = {};
    ASSERT_EQ(simGetTable(0, 20, 1, table, 8), 4u);
    EXPECT_EQ(std::vector<std::uint32_t>(table, table + 4), (std::vector<std::uint32_t>{1, 2, 9, 42}));
    EXPECT_EQ(simGetTable(0, 20, 0, table, 8), 0u) << "index 0 was never written";
    EXPECT_EQ(simGetAccessTable(0, table, 2), 3u);
    EXPECT_EQ(table[1], 8u);
    EXPECT_EQ(access(0).tableCount, 3u);
    EXPECT_EQ(access(1).elementIndex, 3u);
    EXPECT_EQ(access(1).value, 42u);
    EXPECT_EQ(access(1).index, 1u);
}

TEST_F(SimStandIns, InjectedFailuresHonourSkipTimesAndRegister)
{
    simFailCall("writeRegister", 12, -5, 1, 2);
    struct Step {
        std::uint32_t registerId;
        std::int32_t expected;
    } steps[] = {{12, 0}, {5, 0}, {12, -5}, {12, -5}, {12, 0}};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(writeRegister(0, steps[i].registerId, 100 + i), steps[i].expected) << "step " << i;
    }
    std::uint64_t held = 0;
    simGetRegister(0, 12, 0, &held);
    EXPECT_EQ(held, 104u);  // the failed writes stored nothing in between
    EXPECT_EQ(access(2).result, -5);

    simFailCall("Fg_InitHandleSlaveAware", 0, -77, 0, 1);
    EXPECT_EQ(Fg_InitHandleSlaveAware("Test.hap", 0, design_, true), nullptr);
    EXPECT_EQ(Fg_getLastErrorNumber(nullptr), -77);

    simFailCall("Fg_AcquireEx", 0, -33, 0, -1);
    EXPECT_EQ(Fg_AcquireEx(host_, 0, 10, 0, 0), -33);
    EXPECT_EQ(Fg_getLastErrorNumber(host_), -33);
    simFailCall("openDesignMemory", 0, -1, 0, 1);
    EXPECT_EQ(openDesignMemory(kDesign.data(), kDesign.size(), 1), nullptr);
}

TEST_F(SimStandIns, CallLogShowsEveryHostCallWithItsArguments)
{
    std::int32_t timeout = 5;
    EXPECT_EQ(Fg_setParameter(host_, 600, &timeout, 0), 0);
    EXPECT_EQ(simHostGetParameter(600, 0), 5);
    std::int32_t got = 0;
    EXPECT_EQ(Fg_getParameter(host_, 3070, &got, 1), 0);
    EXPECT_EQ(got, 2);
    EXPECT_EQ(Fg_getParameter(host_, 4711, &got, 0), -2070);
    EXPECT_EQ(Fg_getParameterIdByName(host_, "AAGenActive"), 12);
    EXPECT_EQ(Fg_getParameterIdByName(host_, "FG_TIMEOUT"), 600);
    EXPECT_EQ(Fg_getParameterIdByName(host_, "FG_NOTHING"), 0);
    EXPECT_GT(Fg_getLastPicNumberEx(host_, 0, 0), 0);
    simHostSetResult("Fg_getStatusEx", -9);
    EXPECT_EQ(Fg_getStatusEx(host_, 3, 4, 0, 0), -9);
    EXPECT_EQ(Fg_getLastErrorNumber(host_), -2070);  // from the refused get: a set result leaves it alone
    EXPECT_EQ(callLog(), (std::vector<std::string>{
                             "Fg_setParameter(600,5,0)", "Fg_getParameter(3070,1)", "Fg_getParameter(4711,0)",
                             "Fg_getParameterIdByName(AAGenActive)", "Fg_getParameterIdByName(FG_TIMEOUT)",
                             "Fg_getParameterIdByName(FG_NOTHING)", "Fg_getLastPicNumberEx(0,0)",
                             "Fg_getStatusEx(3,4,0,0)", "Fg_getLastErrorNumber(handle)"}));
}

TEST_F(SimStandIns, ResetForgetsBoardLogsFailuresAndParametersButNotOpenObjects)
{
    writeRegister(0, 5, 1);
    std::int32_t value = 9;
    Fg_setParameter(host_, 600, &value, 0);
    simFailCall("readRegister", 0, -1, 0, -1);
    simReset();
    std::uint64_t read = 1;
    EXPECT_EQ(readRegister(0, 5, &read), 0);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(simHostGetParameter(600, 0), 1000000);
    EXPECT_EQ(simCallCount(), 0u);
    EXPECT_EQ(simAccessCount(), 1u);
    EXPECT_EQ(simOpenDesignCount(), 1);
    EXPECT_EQ(simHostOpenHandleCount(), 1);
    EXPECT_GE(simHostLoadCount(), 1);
}

// ---- what the real libraries refuse ----
// A stand-in that takes what the real library refuses would let a library's
// fault pass every test; each refusal answers its code and is logged with it.
class StrictStandIns : public SimStandIns {
protected:
    // The register accesses logged since the last clear, with their results.
    static std::vector<std::int32_t> loggedResults()
    {
        std::vector<std::int32_t> results;
        for (std::size_t i = 0; i < simAccessCount(); ++i) {
            results.push_back(access(i).result);
        }
        return results;
    }
};

TEST_F(StrictStandIns, HardwareAccessRefusesWhatTheBoardsDesignLacks)
{
    struct Case {
        const char* what;
        std::uintptr_t board;
        SimOperation operation;
        std::uint32_t registerId;
        std::int32_t expected;
    } cases[] = {
        {"write of a writable register", 0, kSimWrite, 5, 0},
        {"read of a read-only register", 0, kSimRead, 9, 0},
        {"write of a read-only register", 0, kSimWrite, 9, -2070},
        {"write of a register the design lacks", 0, kSimWrite, 6, -2070},
        {"read of a register the design lacks", 0, kSimRead, 6, -2070},
        {"write of register 0, the id of an unknown name", 0, kSimWrite, 0, -2070},
        {"read of register 0", 0, kSimRead, 0, -2070},
        {"write on a board without a design", 3, kSimWrite, 5, -2001},
        {"read on a board without a design", 3, kSimRead, 5, -2001},
    };
    std::vector<std::int32_t> expected;
    for (const Case& c : cases) {
        std::uint64_t value = 0x77;
        const std::int32_t result = c.operation == kSimWrite ? writeRegister(c.board, c.registerId, 0x77)
                                                             : readRegister(c.board, c.registerId, &value);
        EXPECT_EQ(result, c.expected) << c.what;
        expected.push_back(c.expected);
    }
    EXPECT_EQ(loggedResults(), expected);
    EXPECT_EQ(access(2).value, 0x77u) << "a refused write is logged with its value";
    std::uint64_t held = 0;
    EXPECT_EQ(simGetRegister(0, 9, 0, &held), -1) << "the read-only register was not written";
    EXPECT_EQ(simGetRegister(3, 5, 0, &held), -1) << "nor was the board without a design";

    // The board comes before an injected failure, as the handle does in the host.
    simFailCall("writeRegister", 0, -5, 0, 1);
    EXPECT_EQ(writeRegister(3, 5, 1), -2001);
    EXPECT_EQ(writeRegister(0, 9, 1), -5) << "the failure is still there, and comes before the register";
}

TEST_F(StrictStandIns, BoardsDesignIsThatOfTheNewestInitStillOpen)
{
    const std::string otherBlock = "QRTB\nregister 6 32 rw Device1_Process1_Other\nend\n";
    void* other = openDesignMemory(otherBlock.data(), otherBlock.size(), 1);
    ASSERT_NE(other, nullptr);
    void* newer = nullptr;
    struct Stage {
        const char* what;
        std::function<void()> change;
        std::int32_t ownRegister;    // writeRegister(0, 5): only the fixture's design has it
        std::int32_t otherRegister;  // writeRegister(0, 6): only the other design has it
    } stages[] = {
        {"the fixture's init", [] {}, 0, -2070},
        {"a newer init with another design", [&] { newer = Fg_InitHandle("Other.hap", 0, other); }, -2070, 0},
        {"an init on another board", [&] { Fg_FreeGrabber(Fg_InitHandle("Test.hap", 1, design_)); }, -2070, 0},
        {"the newer handle freed", [&] { Fg_FreeGrabber(newer); }, 0, -2070},
        {"a new init with the other design again", [&] { newer = Fg_InitHandle("Other.hap", 0, other); }, -2070, 0},
        {"its design released while the handle stays open", [&] { releaseDesign(other); }, 0, -2070},
        {"the fixture's handle freed too", [&] { Fg_FreeGrabber(host_); host_ = nullptr; }, -2001, -2001},
    };
    for (const Stage& stage : stages) {
        stage.change();
        EXPECT_EQ(writeRegister(0, 5, 1), stage.ownRegister) << stage.what;
        EXPECT_EQ(writeRegister(0, 6, 1), stage.otherRegister) << stage.what;
    }
    Fg_FreeGrabber(newer);
}

TEST_F(StrictStandIns, HostRefusesTablesAndElementsOutsideTheRegistersTable)
{
    std::uint32_t values[5] = {10, 11, 12, 13, 14};
    HostTableRecord whole{2, 0, 4, values};
    HostTableRecord tooLong{2, 0, 5, values};
    HostTableRecord empty{2, 0, 0, nullptr};
    FieldElement last{99, 3};
    FieldElement past{99, 4};
    FieldElement readLast{0, 3};
    FieldElement readPast{0, 4};
    FieldElement readUntabled{0, 0};
    struct Case {
        const char* what;
        SimOperation operation;
        std::uint32_t registerId;
        std::int32_t type;
        void* value;
        std::int32_t expected;
    } cases[] = {
        {"whole table", kSimWrite, 20, kHostValueTable, &whole, 0},
        {"record longer than the table", kSimWrite, 20, kHostValueTable, &tooLong, -2070},
        {"element at the last entry", kSimWrite, 20, kHostValueElement, &last, 0},
        {"element past the table", kSimWrite, 20, kHostValueElement, &past, -2070},
        {"element read at the last entry", kSimRead, 20, kHostValueElement, &readLast, 0},
        {"element read past the table", kSimRead, 20, kHostValueElement, &readPast, -2070},
        {"table to a register without one", kSimWrite, 5, kHostValueTable, &whole, -2070},
        {"empty table to a register without one", kSimWrite, 5, kHostValueTable, &empty, -2070},
        {"element to a register without a table", kSimWrite, 5, kHostValueElement, &last, -2070},
        {"element read of a register without a table", kSimRead, 5, kHostValueElement, &readUntabled, -2070},
    };
    std::vector<std::int32_t> expected;
    for (const Case& c : cases) {
        simHostSetLastError(0);
        const std::int32_t result = c.operation == kSimWrite
                                        ? Fg_setParameterWithType(host_, c.registerId, c.value, 0, c.type)
                                        : Fg_getParameterWithType(host_, c.registerId, c.value, 0, c.type);
        EXPECT_EQ(result, c.expected) << c.what;
        EXPECT_EQ(Fg_getLastErrorNumber(host_), c.expected) << c.what;
        expected.push_back(c.expected);
    }
    EXPECT_EQ(loggedResults(), expected);
    EXPECT_EQ(readLast.value, 99u);
    EXPECT_EQ(readPast.value, 0u) << "a refused read leaves the record alone";
    std::uint32_t table[8] = {};
    ASSERT_EQ(simGetTable(0, 20, 0, table, 8), 4u);
    EXPECT_EQ(std::vector<std::uint32_t>(table, table + 4), (std::vector<std::uint32_t>{10, 11, 12, 99}));
    EXPECT_EQ(simGetTable(0, 5, 0, table, 8), 0u);
}

TEST_F(StrictStandIns, HostParametersAreKeptPerPort)
{
    std::int32_t timeout = 5;
    ASSERT_EQ(Fg_setParameter(host_, 600, &timeout, 1), 0);
    simHostSetParameter(2050, 0, 0xA1);
    simHostSetParameter(4711, 1, 3);
    struct Case {
        const char* what;
        std::int32_t id;
        std::uint32_t port;
        std::int32_t expected;
        std::int32_t value;  // what the get leaves in its value
    } cases[] = {
        {"time-out set through port 1", 600, 1, 0, 5},
        {"port 0 keeps its default time-out", 600, 0, 0, 1000000},
        {"status set for port 0", 2050, 0, 0, 0xA1},
        {"port 1 keeps its default status", 2050, 1, 0, 0},
        {"an id added on port 1", 4711, 1, 0, 3},
        {"is not one of port 0's", 4711, 0, -2070, -1},
        {"a port never used has the defaults", 600, 3, 0, 1000000},
    };
    for (const Case& c : cases) {
        std::int32_t got = -1;
        EXPECT_EQ(Fg_getParameter(host_, c.id, &got, c.port), c.expected) << c.what;
        EXPECT_EQ(got, c.value) << c.what;
        EXPECT_EQ(simHostGetParameter(c.id, c.port), c.expected == 0 ? c.value : 0) << c.what;
    }
    simReset();
    EXPECT_EQ(simHostGetParameter(600, 1), 1000000);
    EXPECT_EQ(simHostGetParameter(2050, 0), 0);
    EXPECT_EQ(simHostGetParameter(4711, 1), 0);
}

TEST(SimHostVariants, EachVariantLacksItsExportsAndCountsItsLoad)
{
    struct Case {
        const char* variant;
        std::vector<const char*> missing;
    } cases[] = {
        {"no_slave_aware", {"Fg_InitHandleSlaveAware"}},
        {"no_init", {"Fg_InitHandleSlaveAware", "Fg_InitHandle"}},
        {"no_last_error", {"Fg_getLastErrorNumber"}},
        {"no_status", {"Fg_getStatusEx"}},
        {"no_free_grabber", {"Fg_FreeGrabber"}},
        {"no_parameter_info", {"Fg_getParameterInfo"}},
    };
    for (const Case& c : cases) {
        int loads = simHostLoadCount();
        int unloads = simHostUnloadCount();
        std::string path =
            std::string(VELM_HOST_VARIANTS_DIR) + "/" + c.variant + "/" + velm::os::libraryFileName("acqhost");
        velm::os::ModuleHandle module = velm::os::loadLibraryFile(path.c_str());
        ASSERT_NE(module, nullptr) << c.variant;
        for (const char* name : c.missing) {
            EXPECT_EQ(velm::os::findSymbol(module, name), nullptr) << c.variant << " " << name;
        }
        EXPECT_NE(velm::os::findSymbol(module, "Fg_setParameterWithType"), nullptr) << c.variant;
        EXPECT_EQ(simHostLoadCount(), loads + 1) << c.variant;
        velm::os::freeLibrary(module);
        EXPECT_EQ(simHostUnloadCount(), unloads + 1) << c.variant;
    }
}

}  // namespace
