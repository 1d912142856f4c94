// What every applet library does alike, asked of each through its exports
// with its own facts: the vocabulary on every port, the ports it refuses,
// Info, creation as master and slave, the host parameters the settings
// admit, the events, the defaults, the configuration file saved after
// creation and a round trip through one, and the parameter-info tree and
// XML of every port.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "AppletFacts.h"
#include "FgParameterIds.h"
#include "InstanceFixture.h"
#include "ParameterInfoRegistry.h"

namespace velm::test::applets {

// Test names show the applet, not the record's bytes.
void PrintTo(const AppletFacts& facts, std::ostream* out)
{
    *out << facts.name;
}

namespace {

constexpr int32_t kDescriptionQuery = 24114;

std::string describe(AppletLibrary& lib, AppletHandle* handle, const char* name, uint32_t port)
{
    char buffer[512] = {};
    std::strncpy(buffer, name, sizeof buffer - 1);
    const int32_t result = lib.Fg_getParameterWithType(handle, kDescriptionQuery, buffer, port, 1);
    return result == 0 ? buffer : "error " + std::to_string(result);
}

class EveryApplet : public InstanceFixture, public ::testing::WithParamInterface<AppletFacts> {
protected:
    const AppletFacts& facts() const { return GetParam(); }
    void createApplet() { create(facts().library); }

    // The value of a parameter as the facts compare it.
    double valueOf(const PortValue& value)
    {
        if (value.isDouble) {
            return lib().getDouble(handle(), value.id, value.port);
        }
        return static_cast<double>(lib().getInt(handle(), value.id, value.port));
    }

    int32_t setValue(const PortValue& value)
    {
        if (value.isDouble) {
            return lib().setDouble(handle(), value.id, value.value, value.port);
        }
        return lib().setInt(handle(), value.id, static_cast<int32_t>(value.value), value.port);
    }

    std::string where(const PortValue& value) const
    {
        return std::string(facts().name) + " id " + std::to_string(value.id) + " port " + std::to_string(value.port);
    }
};

TEST_P(EveryApplet, ParametersInIndexOrderWithIdsAndDescriptionsOnEveryPort)
{
    createApplet();
    const auto& parameters = facts().parameters;
    const auto count = static_cast<int32_t>(parameters.size());
    ASSERT_EQ(lib().Fg_getNrOfParameter(handle()), count);
    for (int32_t i = 0; i < count; ++i) {
        const ParameterFact& row = parameters[static_cast<std::size_t>(i)];
        EXPECT_STREQ(lib().Fg_getParameterName(handle(), i), row.name) << i;
        EXPECT_EQ(lib().Fg_getParameterId(handle(), i), row.id) << row.name;
        EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), row.name), row.id) << row.name;
        for (uint32_t port = 0; port < facts().cameras; ++port) {
            const std::string text = describe(lib(), handle(), row.name, port);
            if (row.description != nullptr) {
                EXPECT_EQ(text, row.description) << row.name << " port " << port;
            } else {
                EXPECT_EQ(text.rfind("error", 0), std::string::npos) << row.name << " port " << port;
            }
        }
    }
    EXPECT_EQ(lib().Fg_getParameterName(handle(), count), nullptr);
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "fg_width"), -2070);
}

TEST_P(EveryApplet, PortsPastTheCamerasAreRefusedForEveryParameter)
{
    createApplet();
    const uint32_t beyond = facts().cameras;
    for (const ParameterFact& row : facts().parameters) {
        unsigned char value[64] = {};
        EXPECT_EQ(lib().Fg_getParameterWithType(handle(), row.id, value, beyond, 2), -2070) << row.name;
        EXPECT_EQ(lib().Fg_setParameterWithType(handle(), row.id, value, beyond, 2), -2070) << row.name;
    }
    EXPECT_EQ(lib().Fg_getParameterInfo(handle(), beyond), nullptr);
    size_t size = 0;
    EXPECT_NE(lib().Fg_getParameterInfoXML(handle(), beyond, nullptr, &size), 0);
}

TEST_P(EveryApplet, InfoAnswersItsNumbersTextsAndEnumerationNames)
{
    AppletLibrary library(libraryPath(facts().library));
    for (const InfoNumber& answer : facts().infoNumbers) {
        EXPECT_EQ(library.Info(answer.query, answer.firstIndex, answer.secondIndex, nullptr, nullptr), answer.result)
            << answer.query << " (" << answer.firstIndex << ", " << answer.secondIndex << ")";
    }
    for (const InfoText& answer : facts().infoTexts) {
        void* text = nullptr;
        ASSERT_EQ(library.Info(answer.query, 0, 0, nullptr, &text), 0) << answer.query;
        ASSERT_NE(text, nullptr) << answer.query;
        EXPECT_STREQ(static_cast<const char*>(text), answer.text) << answer.query;
    }
    void* name = nullptr;
    EXPECT_EQ(library.Info(4176, 0, 0, nullptr, &name), 0);
    EXPECT_STREQ(static_cast<const char*>(name), facts().name);
    auto ask = [&](const char* text) {
        return library.enumerationValue(text);
    };
    for (const EnumerationName& entry : facts().enumerationNames) {
        EXPECT_EQ(ask(entry.name), entry.value) << entry.name;
        std::string lower(entry.name);
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_EQ(ask(lower.c_str()), -2070) << lower;
    }
    EXPECT_EQ(ask("FG_NO_SUCH_NAME"), -2070);
    EXPECT_EQ(library.Info(4352, 0, 0, nullptr, nullptr), -2070);
    EXPECT_EQ(library.Info(9999, 0, 0, nullptr, nullptr), -2130);
}

uint32_t bigEndian(const unsigned char* bytes)
{
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

TEST_P(EveryApplet, InfoHandsOutTheIconTheDesignAndAnIdentity)
{
    AppletLibrary library(libraryPath(facts().library));
    uintptr_t size = 0;
    void* data = nullptr;
    ASSERT_EQ(library.Info(1041, 0, 0, &size, &data), 0);
    ASSERT_NE(data, nullptr);
    ASSERT_GT(size, 33u);
    const auto* png = static_cast<const unsigned char*>(data);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(png), 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(bigEndian(png + 16), 32u);
    EXPECT_EQ(bigEndian(png + 20), 32u);
    uintptr_t at = 8;
    std::string type;
    while (at + 12 <= size && type != "IEND") {
        type.assign(reinterpret_cast<const char*>(png) + at + 4, 4);
        at += 12 + bigEndian(png + at);
    }
    EXPECT_EQ(type, "IEND");
    EXPECT_EQ(at, size);

    ASSERT_EQ(library.Info(1042, 0, 0, &size, &data), 0);
    const std::string block(static_cast<const char*>(data), size);
    EXPECT_EQ(block.substr(0, 4), "QRTB");
    EXPECT_EQ(block, fileBytes(libraryPath(std::string(facts().name) + ".hap")));

    ASSERT_EQ(library.Info(1043, 0, 0, nullptr, &data), 0);
    const std::string guid(static_cast<const char*>(data));
    ASSERT_EQ(guid.size(), 36u);
    for (std::size_t i = 0; i < guid.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        EXPECT_TRUE(dash ? guid[i] == '-' : std::isxdigit(static_cast<unsigned char>(guid[i])) != 0) << guid;
    }
}

void expectConstructed(AppletLibrary& lib, AppletHandle* handle, const ConstructedValue& kept, uint32_t port,
                       const std::string& where)
{
    switch (kept.form) {
    case Form::integer:
        EXPECT_EQ(static_cast<double>(lib.getInt(handle, kept.id, port)), kept.value) << where;
        break;
    case Form::floating:
        EXPECT_EQ(lib.getDouble(handle, kept.id, port), kept.value) << where;
        break;
    case Form::text:
        EXPECT_EQ(lib.getText(handle, kept.id, port), "") << where;
        break;
    case Form::table: {
        std::vector<int64_t> entries;
        for (uint32_t i = 0; i < kept.entries; ++i) {
            entries.push_back(lib.getElement(handle, kept.id, i, port));
        }
        EXPECT_EQ(entries, std::vector<int64_t>(kept.entries, static_cast<int64_t>(kept.value))) << where;
        break;
    }
    }
}

// A slave leaves the board and the host as its master set them, and so
// answers on every port what its instance was constructed with; an applet
// of one camera has no slaves, and there the values that the initial
// writes leave alone show the construction.
TEST_P(EveryApplet, CreationFlagMakesASlaveOnlyWhereThereAreTwoCamerasAndConstructedValuesStand)
{
    AppletLibrary library(libraryPath(facts().library));
    simClearLog();
    int32_t error = 0;
    AppletHandle instance{library.Std_entry(0, &error, 1)};
    if (facts().cameras == 1) {
        EXPECT_EQ(instance.instance, nullptr);
        EXPECT_EQ(error, -2070);
        instance.instance = library.Std_entry(0, &error, 0);
    } else {
        EXPECT_TRUE(callLogged(std::string("Fg_InitHandleSlaveAware(") + facts().name + ".hap,0,slave=1)"));
        EXPECT_TRUE(accessLog().empty()) << "a slave writes no register";
        EXPECT_FALSE(callLogged("Fg_setParameter(")) << "nor a host parameter";
    }
    ASSERT_NE(instance.instance, nullptr) << error;
    ASSERT_FALSE(facts().constructed.empty());
    for (uint32_t port = 0; port < facts().cameras; ++port) {
        for (const ConstructedValue& kept : facts().constructed) {
            expectConstructed(library, &instance, kept, port,
                              std::string(facts().name) + " id " + std::to_string(kept.id) + " port " +
                                  std::to_string(port));
        }
    }
    library.Fg_FreeGrabber(&instance);
}

// What the host or the design reports, the constants and the description
// query: every applet answers them, and refuses to set them.
TEST_P(EveryApplet, ReadOnlyIdsRefuseASetOnEveryPortAndChangeNothing)
{
    createApplet();
    const int32_t readOnly[] = {24020, 24030, 24010, 24108, 24092, 2000,   2050,   5210,   3070,
                                3050,  3060,  3080,  3090,  601,   110086, 110087, 4000,   30101,
                                30100, 30103, 300006, 300007, 300008, 14010, FG_DESCRIPTION};
    for (uint32_t port = 0; port < facts().cameras; ++port) {
        for (int32_t id : readOnly) {
            char value[16] = "FG_WIDTH";
            EXPECT_EQ(lib().Fg_setParameterWithType(handle(), id, value, port, 2), -12) << id << " port " << port;
        }
    }
    EXPECT_TRUE(accesses().empty());
    EXPECT_TRUE(callLog().empty());
}

TEST_P(EveryApplet, NotANumberAndInfinitiesFailEveryDoubleParameterOnEveryPort)
{
    createApplet();
    std::vector<int32_t> doubles = {FG_GEN_FREQ, FG_PROCESSING_OFFSET, FG_PROCESSING_GAIN, FG_PROCESSING_GAMMA};
    const auto& parameters = facts().parameters;
    if (std::any_of(parameters.begin(), parameters.end(),
                    [](const ParameterFact& row) { return row.id == FG_SCALINGFACTOR_RED; })) {
        doubles.insert(doubles.end(), {FG_SCALINGFACTOR_RED, FG_SCALINGFACTOR_BLUE, FG_SCALINGFACTOR_GREEN});
    }
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    for (uint32_t port = 0; port < facts().cameras; ++port) {
        for (int32_t id : doubles) {
            const double before = getDouble(id, port);
            for (double value : values) {
                EXPECT_EQ(setDouble(id, value, port), -6000) << id << " " << value << " port " << port;
            }
            EXPECT_EQ(getDouble(id, port), before) << id << " port " << port;
        }
    }
    EXPECT_TRUE(accesses().empty());
}

// The settings beside the library admit one host parameter on every port:
// it follows the applet's own names, and the applet's rule says whether
// the tree mirrors it without the mirror switch.
TEST_P(EveryApplet, AdmittedHostParameterFollowsTheTableAndIsMirroredByTheAppletsRule)
{
    const std::string section = std::string(facts().library).substr(0, std::string(facts().library).find('.'));
    createBesideSettings(facts().library, "[" + section + "]\nFG_TIMEOUT=On\nFG_TRANSFER_LEN=0\n");
    const auto count = static_cast<int32_t>(facts().parameters.size());
    ASSERT_EQ(lib().Fg_getNrOfParameter(handle()), count + 1);
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), count), "DPLA_FG_TIMEOUT");
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "DPLA_FG_TIMEOUT"), -2070) << "a host name, not the applet's";
    for (uint32_t port = 0; port < facts().cameras; ++port) {
        const ParameterInfoEntry* root = lib().Fg_getParameterInfo(handle(), port);
        const auto roots = static_cast<int32_t>(rootNames(root).size());
        const bool mirrored = root != nullptr && std::strcmp(root->displayName, "Direct PL Access") == 0;
        EXPECT_EQ(mirrored, facts().mirrorsAdmittedHostParameters) << "port " << port;
        EXPECT_EQ(roots, facts().rootCategories + (mirrored ? 1 : 0)) << "port " << port;
        if (mirrored) {
            const ParameterInfoEntry* entry = findInfo(root, "DPLA_FG_TIMEOUT");
            ASSERT_NE(entry, nullptr) << "port " << port;
            EXPECT_EQ(entry->id, 2000000 + 600);
        }
    }
}

TEST_P(EveryApplet, EventNamesAnswerTheirMasksAndAliasesNameThem)
{
    createApplet();
    uint64_t highest = 0;
    for (const EventFact& event : facts().events) {
        EXPECT_EQ(lib().Fg_getEventMask(handle(), event.name.c_str()), event.mask) << event.name;
        if (event.namesItsMask) {
            const char* name = lib().Fg_getEventName(handle(), event.mask);
            EXPECT_EQ(std::string(name != nullptr ? name : "(none)"), event.name);
        }
        highest = std::max(highest, event.mask);
    }
    ASSERT_NE(highest, 0u);
    EXPECT_EQ(lib().Fg_getEventName(handle(), highest << 1), nullptr);
    EXPECT_EQ(lib().Fg_getEventMask(handle(), "FG_NO_SUCH_EVENT"), 0u);
}

TEST_P(EveryApplet, DefaultsAfterCreation)
{
    createApplet();
    for (const PortValue& value : facts().defaults) {
        EXPECT_EQ(valueOf(value), value.value) << where(value);
    }
}

TEST_P(EveryApplet, FileSavedAfterCreationIsTheExpectedOne)
{
    createApplet();
    ScratchDirectory scratch;
    const std::string name = scratch.file("created.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), name.c_str()), 0);
    EXPECT_EQ(fileContent(name), fileContent(std::string(VELM_TESTS_DIR) + "/" + facts().createdConfiguration));
}

TEST_P(EveryApplet, SavedFileBringsEveryPortBackInANewInstance)
{
    createApplet();
    for (const PortValue& value : facts().roundTrip) {
        ASSERT_EQ(setValue(value), 0) << where(value);
    }
    ScratchDirectory scratch;
    const std::string name = scratch.file("round.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), name.c_str()), 0);
    free();

    createApplet();
    for (const PortValue& value : facts().roundTrip) {
        EXPECT_NE(valueOf(value), value.value) << where(value) << ": the new instance starts elsewhere";
    }
    ASSERT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), 0);
    for (const PortValue& value : facts().roundTrip) {
        EXPECT_EQ(valueOf(value), value.value) << where(value);
    }
}

TEST_P(EveryApplet, EveryPortHasItsTreeAndItsXmlDescription)
{
    createApplet();
    for (uint32_t port = 0; port < facts().cameras; ++port) {
        EXPECT_EQ(static_cast<int32_t>(rootNames(lib().Fg_getParameterInfo(handle(), port)).size()),
                  facts().rootCategories)
            << "port " << port;
        const std::string document = xml(port);
        ASSERT_FALSE(document.empty()) << "port " << port;
        expectWellFormedXml(document);
    }
}

std::string appletName(const ::testing::TestParamInfo<AppletFacts>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Applets, EveryApplet, ::testing::ValuesIn(builtApplets()), appletName);

}  // namespace
}  // namespace velm::test::applets
