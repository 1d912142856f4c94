// An applet made only for the tests: a handful of parameters that exercise
// the framework's dispatch, locking, configuration files and parameter-info
// tree, built once as a one-camera and once as a two-camera library.
#include <atomic>
#include <chrono>
#include <iterator>
#include <new>
#include <stdexcept>
#include <thread>

#include "AppletDescription.h"
#include "CameraParameters.h"
#include "CameraSignals.h"
#include "GenericApplet.h"
#include "LineGenerator.h"
#include "ParameterInfoTree.h"
#include "TestAppletIds.h"

namespace velm::testapplet {

namespace {

std::atomic<int> callsInside{0};
std::atomic<int> overlaps{0};

constexpr AllowedValue kModes[] = {
    {"First & best", 1, "TEST_FIRST"},
    {"Second", 2, "TEST_SECOND"},
};

// Enters the set dispatch again from inside a setter, as an applet switch
// must never do; the lock's complaint is kept for the test to read.
void reenter(GenericApplet& applet, const ParameterRow&, std::uint32_t camera, const ParameterValue& value, bool)
{
    try {
        applet.setParameterWithType(TEST_VALUE, &value.integer, camera);
    } catch (const std::logic_error& error) {
        applet.kept(camera, TEST_MESSAGE).text = error.what();
        throw;
    }
}

// Holds the instance lock for a moment and counts callers that were inside
// at the same time.
void slow(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value, bool)
{
    if (callsInside.fetch_add(1) != 0) {
        overlaps.fetch_add(1);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    applet.kept(camera, row).integer = value.integer;
    callsInside.fetch_sub(1);
}

void keepText(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
              bool throwFlag)
{
    if (!accept(value.text != nullptr, kErrOutOfRange, throwFlag)) {
        return;
    }
    applet.kept(camera, row).text = value.text;
}

void keepDouble(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera, const ParameterValue& value,
                bool throwFlag)
{
    if (!accept(withinRange(value.real, 0.0, 10.0), kErrOutOfRange, throwFlag)) {
        return;
    }
    commit(applet.kept(camera, row).real, value.real, throwFlag, noWork);
}

// 1: out of memory, 2: a runtime error, 3: an integer code, anything else
// is kept.
void throwSomething(GenericApplet& applet, const ParameterRow& row, std::uint32_t camera,
                    const ParameterValue& value, bool)
{
    switch (value.integer) {
    case 1:
        throw std::bad_alloc();
    case 2:
        throw std::runtime_error("test");
    case 3:
        throw std::int32_t{-7080};
    default:
        applet.kept(camera, row).integer = value.integer;
    }
}

// Calls one of the DMA operations no applet supports and keeps its message.
void callDmaOperation(GenericApplet& applet, const ParameterRow&, std::uint32_t camera, const ParameterValue& value,
                      bool)
{
    try {
        switch (value.integer) {
        case 0:
            applet.processChannelToDma();
            break;
        case 1:
            applet.mapDmaToFormat();
            break;
        case 2:
            applet.setDmaAlignment();
            break;
        default:
            applet.getDmaAlignment();
            break;
        }
    } catch (const std::runtime_error& error) {
        applet.kept(camera, TEST_MESSAGE).text = error.what();
        throw;
    }
}

void getOverlaps(GenericApplet&, const ParameterRow&, std::uint32_t, void* buffer)
{
    putInt(buffer, static_cast<std::uint32_t>(overlaps.load()));
}

constexpr ParameterRow kParameters[] = {
    readWrite("TEST_VALUE", TEST_VALUE, ValueForm::Int, "A plain value.", 7, keepInRange<0, 100>),
    readWrite("TEST_REENTER", TEST_REENTER, ValueForm::Int, "", 0, reenter),
    readWrite("TEST_SLOW", TEST_SLOW, ValueForm::Int, "", 0, slow),
    readWrite("TEST_MESSAGE", TEST_MESSAGE, ValueForm::String, "A text & more.", 0, keepText),
    readOnly("TEST_OVERLAPS", TEST_OVERLAPS, ValueForm::Int, "", getOverlaps),
    readWrite("TEST_THROW", TEST_THROW, ValueForm::Int, "", 0, throwSomething),
    readWrite("TEST_DOUBLE", TEST_DOUBLE, ValueForm::Double, "", 2.5, keepDouble),
    readWrite("TEST_MODE", TEST_MODE, ValueForm::Int, "", 1, keepAllowed, kModes),
    readWrite("TEST_ELEMENTS", TEST_ELEMENTS, ValueForm::Element, "", 0, keepElement<9>, {}, 4),
    readWrite("TEST_DMA", TEST_DMA, ValueForm::Int, "", 0, callDmaOperation),
    readWrite("TEST_OUTPUT", TEST_OUTPUT, ValueForm::Int, "", 0, setDigitalOutput),
};

// The two-camera library makes a pass per camera: camera 1's pass enters the
// design names again, which takes event C's mask back from camera 0's alias.
constexpr EventAlias kEventAliases[] = {
    {"TEST_ALIAS_B", "Device1_Process0_Test_EventB"},
    {"TEST_ALIAS_MISSING", "Device1_Process0_Test_Nowhere"},
#if VELM_TEST_CAMERAS == 2
    {"TEST_ALIAS_C_CAM0", "Device1_Process0_Test_EventC", 0},
    {"TEST_ALIAS_A_CAM1", "Device1_Process0_Test_EventA", 1},
#endif
};

constexpr RegisterSpec kTestRegisters[] = {
    {"Device1_Process0_Test_Word", RegisterRoute::Host, RegisterRole::UseDval, 0},
    // One register for every camera, written with the caller's port.
    {"Device1_Process0_Test_Narrow", RegisterRoute::Host, RegisterRole::DigitalOut3, kEveryCamera},
};

constexpr auto kRegisters = joined<RegisterSpec>(kTestRegisters, kGeneratorRegisters);

constexpr std::uint8_t kApplied = kConfigWritten | kConfigStored | kConfigApplied;

constexpr ConfigKey kConfigKeys[] = {
    {TEST_VALUE, kApplied},
    {TEST_DOUBLE, kApplied},
    {TEST_MESSAGE, kConfigWritten | kConfigStored},
    {TEST_MODE, kApplied | kConfigFirstCameraOnly},
};

constexpr InfoItem kInfoTree[] = {
    infoCategory("Test Values"),
    infoInt("Test Values", "Value", TEST_VALUE, 0, 100, 1, kReadWriteFlagged),
    infoDouble("Test Values", "Double", TEST_DOUBLE, 0.0, 10.0, 0.5, kReadWriteFlagged, 1, "mm"),
    infoCategory("Sub <Group>", "Test Values"),
    infoEnum("Sub <Group>", "Mode", TEST_MODE, kReadWriteFlagged),
    infoString("Sub <Group>", "Message", TEST_MESSAGE, "*.txt", kReadWrite),
    infoCategory("Miscellaneous"),
    infoArray("Miscellaneous", "Elements", TEST_ELEMENTS, 4, 0, 9, kReadWriteFlagged),
    infoInt("Miscellaneous", "Overlaps", TEST_OVERLAPS, 0, 0, 0, kReadOnly),
};

constexpr InfoAnswer kInfoAnswers[] = {
    infoNumber(848, 1),
    infoFrom(1042, InfoAnswerKind::DesignBlock),
    infoFrom(2304, InfoAnswerKind::ZeroWord32),
    infoFrom(4144, InfoAnswerKind::LastBoardHandle),
    infoFrom(4160, InfoAnswerKind::LastDesignHandle),
    infoFrom(4176, InfoAnswerKind::AppletName),
    infoFrom(4352, InfoAnswerKind::EnumerationValue),
#if VELM_TEST_CAMERAS == 2
    infoPerPortBothIndices(4656, 0, 1),
    infoPerPort(4704, 8, 10),
#else
    infoPerPortBothIndices(4656, 0),
    infoPerPort(4704, 8),
#endif
};

GenericApplet* create();

// The two-camera library describes the host's entries of its "DPLA_"
// parameters as the two-camera applets do: whenever it has any.
constexpr AppletDescription kTestApplet{
    "Velmarint GmbH",
    "TestApplet",
    "1.0",
    0,
    VELM_TEST_CAMERAS,
    kParameters,
    kEventAliases,
    kRegisters,
    kConfigKeys,
    {},
    kInfoTree,
    VELM_TEST_CAMERAS == 2 ? HostMirrorCategory::WhenHostParametersAdmitted : HostMirrorCategory::WhenMirrorSwitchOn,
    kInfoAnswers,
    create,
};

class TestApplet : public GenericApplet {
public:
    TestApplet() : GenericApplet(kTestApplet) {}

    // Lets a test see what a creation that fails halfway leaves behind.
    void buildParameterInfo() override
    {
        if (environmentSwitch("VELM_TEST_FAIL_CREATION")) {
            throw std::bad_alloc();
        }
        GenericApplet::buildParameterInfo();
    }
};

GenericApplet* create()
{
    return new TestApplet();
}

}  // namespace
}  // namespace velm::testapplet

namespace velm {

const AppletDescription& thisApplet()
{
    return testapplet::kTestApplet;
}

}  // namespace velm
