// What the tests that every applet library passes know of each library: its
// name, its cameras, its vocabulary, its Info answers, its defaults and the
// file it saves right after creation. One record per deliverable, written
// beside the applet's own tests; the tests themselves are written once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velm::test::applets {

struct ParameterFact {
    const char* name;
    std::int32_t id;
    const char* description;  // null: the wording is our own
};

// An Info question with both indices, and its answer.
struct InfoNumber {
    std::int32_t query;
    std::int32_t firstIndex;
    std::int32_t secondIndex;
    std::int32_t result;
};

struct InfoText {
    std::int32_t query;
    const char* text;
};

struct EnumerationName {
    const char* name;
    std::int32_t value;
};

// A parameter value on one port; doubles are compared as doubles, the rest
// as 32-bit integers.
struct PortValue {
    std::int32_t id;
    std::uint32_t port;
    double value;
    bool isDouble = false;
};

struct AppletFacts {
    const char* library;  // the Linux file name, "belcora.so"
    const char* name;     // "Belcora"
    std::uint32_t cameras;
    // Index order; the count of the library's parameters without "DRA_" and
    // "DPLA_" names.
    std::vector<ParameterFact> parameters;
    std::vector<InfoNumber> infoNumbers;
    std::vector<InfoText> infoTexts;
    // Every name Info's enumeration query knows.
    std::vector<EnumerationName> enumerationNames;
    // Root categories of each port's parameter-info tree without the
    // environment switches.
    std::int32_t rootCategories;
    // The file saved right after creation, under tests/.
    const char* createdConfiguration;
    // Values right after creation.
    std::vector<PortValue> defaults;
    // Values that a saved file brings back into a new instance; each differs
    // from the default.
    std::vector<PortValue> roundTrip;
};

// The facts of every deliverable this build makes.
const std::vector<AppletFacts>& builtApplets();

// Each deliverable's facts, in files of their own.
AppletFacts arventaFacts();
AppletFacts belcoraFacts();
AppletFacts corvessaFacts();

}  // namespace velm::test::applets
