// The exported surface: exactly the 31 names, and the answers every export
// gives for a handle that is null or holds no instance.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <set>
#include <sstream>

#include "AppletLibrary.h"
#include "BuiltDeliverables.h"

namespace velm::test {
namespace {

#ifdef _WIN32
// The names of a DLL's export table, read from the file the way the loader
// reads it: the export directory, its name pointers, and the names.
std::set<std::string> definedDynamicSymbols(const std::string& library)
{
    const std::string image = fileBytes(library);
    auto read = [&image](std::size_t offset, std::size_t size) -> std::uint32_t {
        if (offset + size > image.size()) {
            throw std::out_of_range("past the end of " + std::to_string(image.size()) + " bytes");
        }
        std::uint32_t value = 0;
        std::memcpy(&value, image.data() + offset, size);
        return value;
    };
    const std::size_t peHeader = read(0x3c, 4);
    if (read(peHeader, 4) != 0x00004550) {
        return {};
    }
    const std::size_t fileHeader = peHeader + 4;
    const std::uint32_t sectionCount = read(fileHeader + 2, 2);
    const std::size_t optionalHeader = fileHeader + 20;
    const std::uint32_t magic = read(optionalHeader, 2);
    EXPECT_EQ(magic, sizeof(void*) == 8 ? 0x20bu : 0x10bu) << "PE32+ for 64 bits, PE32 for 32 bits";
    const std::size_t dataDirectories = optionalHeader + (magic == 0x20b ? 112 : 96);
    const std::size_t sectionTable = optionalHeader + read(fileHeader + 16, 2);
    auto fileOffset = [&](std::uint32_t address) -> std::size_t {
        for (std::uint32_t i = 0; i < sectionCount; ++i) {
            const std::size_t section = sectionTable + 40 * std::size_t{i};
            const std::uint32_t start = read(section + 12, 4);
            const std::uint32_t size = std::max(read(section + 8, 4), read(section + 16, 4));
            if (address >= start && address - start < size) {
                return read(section + 20, 4) + std::size_t{address - start};
            }
        }
        throw std::out_of_range("address outside every section");
    };
    std::set<std::string> names;
    const std::uint32_t exportDirectoryAddress = read(dataDirectories, 4);
    if (exportDirectoryAddress == 0) {
        return names;
    }
    const std::size_t exportDirectory = fileOffset(exportDirectoryAddress);
    const std::uint32_t nameCount = read(exportDirectory + 24, 4);
    const std::size_t namePointers = fileOffset(read(exportDirectory + 32, 4));
    for (std::uint32_t i = 0; i < nameCount; ++i) {
        names.insert(image.c_str() + fileOffset(read(namePointers + 4 * std::size_t{i}, 4)));
    }
    return names;
}
#else
std::set<std::string> definedDynamicSymbols(const std::string& library)
{
    const std::string command = std::string(VELM_NM) + " -D --defined-only " + library;
    std::set<std::string> names;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return names;
    }
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, kind, name;
        fields >> address >> kind >> name;
        if (!name.empty()) {
            names.insert(name);
        }
    }
    pclose(pipe);
    return names;
}
#endif

const std::set<std::string> kExports = {
    "Std_entry", "Info", "Fg_getAppletId", "Fg_FreeGrabber", "Fg_setParameterWithType", "Fg_getParameterWithType",
    "Fg_getNrOfParameter", "Fg_getParameterId", "Fg_getParameterName", "Fg_getParameterIdByName",
    "Fg_getParameterInfo", "Fg_getParameterInfoXML", "Fg_saveConfig", "Fg_loadConfig", "Fg_AcquireEx",
    "Fg_stopAcquireEx", "Fg_getLastPicNumberEx", "Fg_getLastPicNumberBlockingEx", "Fg_getStatusEx",
    "Fg_getLastErrorNumber", "Fg_getEventMask", "Fg_getEventName", "Fg_AllocShading", "Fg_FreeShading",
    "Shad_GetAccess", "Shad_FreeAccess", "Shad_GetMaxLine", "Shad_SetSubValueLine", "Shad_SetMultValueLine",
    "Shad_SetFixedPatternNoiseLine", "Shad_WriteActLine"};

class ExportList : public ::testing::TestWithParam<std::string> {};

TEST_P(ExportList, DeliverableExportsExactlyTheThirtyOneFunctions)
{
    EXPECT_EQ(definedDynamicSymbols(libraryPath(GetParam())), kExports);
}

#ifndef _WIN32
// Loading a library creates nothing: its only start-up routine is the one
// the compiler always adds, so the table of them holds one pointer.
TEST_P(ExportList, LoadingRunsNoConstructorsOfStaticObjects)
{
#ifdef VELM_INSTRUMENTED_BUILD
    GTEST_SKIP() << "the sanitizers add start-up routines of their own";
#endif
    const std::string command = std::string(VELM_READELF) + " -S --wide " + libraryPath(GetParam());
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[512];
    long long size = -1;
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string word;
        while (fields >> word && word != ".init_array") {
        }
        std::string type, address, offset, sizeText;
        if (word == ".init_array" && fields >> type >> address >> offset >> sizeText) {
            size = std::stoll(sizeText, nullptr, 16);
        }
    }
    pclose(pipe);
    EXPECT_LE(size, static_cast<long long>(sizeof(void*)));
}
#endif

INSTANTIATE_TEST_SUITE_P(Libraries, ExportList, ::testing::ValuesIn(exportingLibraries()), libraryName);

#ifdef _WIN32
// A DLL ships for the bitness of the process that loads it, and each Windows
// build makes the deliverables of its own bitness alone.
TEST(Deliverables, WindowsBuildMakesTheDeliverablesOfItsBitness)
{
    const std::vector<std::string> ofThisBitness = sizeof(void*) == 8 ? std::vector<std::string>{"arventa", "belcora"}
                                                                      : std::vector<std::string>{"corvessa", "dalmira"};
    EXPECT_EQ(builtDeliverables(), ofThisBitness);
}
#endif

// What each export answers for a handle it cannot use.
struct NullAnswer {
    const char* name;
    std::function<int64_t(AppletLibrary&, AppletHandle*)> call;
    int64_t expected;
};

std::vector<NullAnswer> nullAnswers()
{
    auto pointer = [](const void* p) { return p == nullptr ? int64_t{0} : int64_t{1}; };
    return {
        {"Fg_getAppletId", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_getAppletId(h, nullptr); }, -2001},
        {"Fg_FreeGrabber", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_FreeGrabber(h); }, -2001},
        {"Fg_setParameterWithType",
         [](AppletLibrary& l, AppletHandle* h) {
             int32_t v = 1;
             return l.Fg_setParameterWithType(h, 100, &v, 0, 0);
         },
         -2001},
        {"Fg_getParameterWithType",
         [](AppletLibrary& l, AppletHandle* h) {
             int32_t v = 1;
             return l.Fg_getParameterWithType(h, 100, &v, 0, 0);
         },
         -2001},
        {"Fg_getNrOfParameter", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_getNrOfParameter(h); }, -2001},
        {"Fg_getParameterId", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_getParameterId(h, 0); }, -2001},
        {"Fg_getParameterName",
         [pointer](AppletLibrary& l, AppletHandle* h) { return pointer(l.Fg_getParameterName(h, 0)); }, 0},
        {"Fg_getParameterIdByName",
         [](AppletLibrary& l, AppletHandle* h) { return l.Fg_getParameterIdByName(h, "FG_WIDTH"); }, -2001},
        {"Fg_getParameterInfo",
         [pointer](AppletLibrary& l, AppletHandle* h) { return pointer(l.Fg_getParameterInfo(h, 0)); }, 0},
        {"Fg_getParameterInfoXML",
         [](AppletLibrary& l, AppletHandle* h) {
             size_t s = 0;
             return l.Fg_getParameterInfoXML(h, 0, nullptr, &s);
         },
         -2001},
        {"Fg_saveConfig", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_saveConfig(h, "x.mcf"); }, -2001},
        {"Fg_loadConfig", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_loadConfig(h, "x.mcf"); }, -2001},
        {"Fg_AcquireEx", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_AcquireEx(h, 0, 1, 0, 0); }, -2001},
        {"Fg_stopAcquireEx", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_stopAcquireEx(h, 0, 0, 0); }, -2001},
        {"Fg_getLastPicNumberEx",
         [](AppletLibrary& l, AppletHandle* h) { return int64_t{l.Fg_getLastPicNumberEx(h, 0, 0)}; }, -2001},
        {"Fg_getLastPicNumberBlockingEx",
         [](AppletLibrary& l, AppletHandle* h) { return int64_t{l.Fg_getLastPicNumberBlockingEx(h, 1, 0, 10, 0)}; },
         -2001},
        {"Fg_getStatusEx",
         [](AppletLibrary& l, AppletHandle* h) { return int64_t{l.Fg_getStatusEx(h, 0, 0, 0, 0)}; }, -2001},
        {"Fg_getLastErrorNumber", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_getLastErrorNumber(h); }, -2001},
        {"Fg_getEventMask",
         [](AppletLibrary& l, AppletHandle* h) { return static_cast<int64_t>(l.Fg_getEventMask(h, "x")); }, 0},
        {"Fg_getEventName",
         [pointer](AppletLibrary& l, AppletHandle* h) { return pointer(l.Fg_getEventName(h, 1)); }, 0},
        {"Fg_AllocShading",
         [pointer](AppletLibrary& l, AppletHandle* h) { return pointer(l.Fg_AllocShading(h, 0, 0)); }, 0},
        {"Fg_FreeShading", [](AppletLibrary& l, AppletHandle* h) { return l.Fg_FreeShading(h, nullptr); }, -2001},
        {"Shad_GetAccess", [](AppletLibrary& l, AppletHandle* h) { return l.Shad_GetAccess(h, nullptr); }, -2001},
        {"Shad_FreeAccess", [](AppletLibrary& l, AppletHandle* h) { return l.Shad_FreeAccess(h, nullptr); }, -2001},
        {"Shad_GetMaxLine", [](AppletLibrary& l, AppletHandle* h) { return l.Shad_GetMaxLine(h, nullptr); }, -2001},
        {"Shad_SetSubValueLine",
         [](AppletLibrary& l, AppletHandle* h) { return l.Shad_SetSubValueLine(h, nullptr, 0, 0, 1.0f); }, -2001},
        {"Shad_SetMultValueLine",
         [](AppletLibrary& l, AppletHandle* h) { return l.Shad_SetMultValueLine(h, nullptr, 0, 0, 1.0f); }, -2001},
        {"Shad_SetFixedPatternNoiseLine",
         [](AppletLibrary& l, AppletHandle* h) { return l.Shad_SetFixedPatternNoiseLine(h, nullptr, 0, 0, 1); },
         -2001},
        {"Shad_WriteActLine", [](AppletLibrary& l, AppletHandle* h) { return l.Shad_WriteActLine(h, nullptr, 0); },
         -2001},
    };
}

TEST(NullHandle, EveryExportAnswersItsNullAnswerForANullRecordAndAnEmptyRecord)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    AppletHandle empty{nullptr};
    const std::vector<NullAnswer> answers = nullAnswers();
    EXPECT_EQ(answers.size(), 29u);
    for (const NullAnswer& answer : answers) {
        EXPECT_EQ(answer.call(library, nullptr), answer.expected) << answer.name << " with a null record";
        EXPECT_EQ(answer.call(library, &empty), answer.expected) << answer.name << " with an empty record";
    }
}

TEST(NullHandle, SecondFreeOfOneRecordAnswersNullHandle)
{
    AppletLibrary library(libraryPath("testapplet1.so"));
    int32_t error = 1;
    AppletHandle handle{library.Std_entry(0, &error, 0)};
    ASSERT_NE(handle.instance, nullptr);
    EXPECT_EQ(library.Fg_FreeGrabber(&handle), 0);
    EXPECT_EQ(handle.instance, nullptr);
    EXPECT_EQ(library.Fg_FreeGrabber(&handle), -2001);
}

}  // namespace
}  // namespace velm::test
