// Saves of configuration files and lookup-table files through the exports:
// a save that works puts the new file in place whole; one that fails
// answers -5001 and leaves the previous file as it was, with nothing of its
// own left beside it. Also the names of lookup-table files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "BuiltDeliverables.h"
#include "InstanceFixture.h"
#include "ParameterIds.h"
#ifndef _WIN32
#include "ChildProcess.h"
#endif

namespace velm::test {
namespace {

constexpr int32_t kSaveFailed = -5001;
constexpr int32_t kOutOfRange = -6000;

// One way to save a file, and the library that offers it.
struct SaveKind {
    std::string what;
    std::string library;
    std::string fileName;
    int32_t (*save)(AppletLibrary& library, AppletHandle* handle, const char* name);
};

int32_t saveConfiguration(AppletLibrary& library, AppletHandle* handle, const char* name)
{
    return library.Fg_saveConfig(handle, name);
}

int32_t saveLookupTables(AppletLibrary& library, AppletHandle* handle, const char* name)
{
    return library.setText(handle, FG_LUT_SAVE_FILE, name);
}

// The test applets' configurations, and the configuration and the lookup
// tables of every deliverable this build makes.
std::vector<SaveKind> saveKinds()
{
    std::vector<SaveKind> kinds = {
        {"testapplet1 configuration", "testapplet1.so", "saved.mcf", saveConfiguration},
        {"testapplet2 configuration", "testapplet2.so", "saved.mcf", saveConfiguration},
    };
    for (const std::string& name : builtDeliverables()) {
        kinds.push_back({name + " configuration", name + ".so", "saved.mcf", saveConfiguration});
        kinds.push_back({name + " lookup tables", name + ".so", "saved.lut", saveLookupTables});
    }
    return kinds;
}

std::set<std::string> names(const ScratchDirectory& directory)
{
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(directory.path())) {
        found.insert(entry.path().filename().string());
    }
    return found;
}

class Saves : public InstanceFixture {
protected:
    // Each kind of save on a fresh instance, in a fresh directory.
    void forEachKind(const std::function<void(const SaveKind&, ScratchDirectory&)>& check)
    {
        for (const SaveKind& kind : saveKinds()) {
            SCOPED_TRACE(kind.what);
            ScratchDirectory scratch;
            create(kind.library);
            check(kind, scratch);
            free();
        }
    }

    int32_t save(const SaveKind& kind, const std::string& name) { return kind.save(lib(), handle(), name.c_str()); }
    int32_t lastError() { return lib().Fg_getLastErrorNumber(handle()); }
};

// On Windows the replacement is its own call (a rename there does not
// replace); this is the test that shows it under Wine.
TEST_F(Saves, SaveOverAnExistingFileReplacesItWhole)
{
    forEachKind([&](const SaveKind& kind, ScratchDirectory& scratch) {
        const std::string fresh = scratch.file(std::string("fresh-") + kind.fileName);
        const std::string existing = scratch.file(kind.fileName);
        // Longer than any save: a file written over in place would keep a tail of it.
        std::ofstream(existing, std::ios::binary) << std::string(10000, 'x');
        ASSERT_EQ(save(kind, fresh), 0);
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(save(kind, existing), 0);
            EXPECT_EQ(lastError(), 0);
            EXPECT_EQ(fileBytes(existing), fileBytes(fresh));
        }
        EXPECT_EQ(names(scratch), (std::set<std::string>{"fresh-" + std::string(kind.fileName), kind.fileName}));
    });
}

TEST_F(Saves, SaveWhereNoFileCanBeMadeFailsAndChangesNothing)
{
    forEachKind([&](const SaveKind& kind, ScratchDirectory& scratch) {
        const std::string plain = scratch.file("plain.txt");
        std::ofstream(plain, std::ios::binary) << "a file, not a directory";
        const std::string folder = scratch.file(kind.fileName);
        std::filesystem::create_directory(folder);
        const struct {
            const char* what;
            std::string target;
        } cases[] = {
            {"in a directory that does not exist", scratch.file("missing/") + kind.fileName},
            {"in a directory that is a file", plain + "/" + kind.fileName},
            {"over a directory", folder},
        };
        for (const auto& c : cases) {
            EXPECT_EQ(save(kind, c.target), kSaveFailed) << c.what;
            EXPECT_EQ(lastError(), kSaveFailed) << c.what;
            EXPECT_EQ(names(scratch), (std::set<std::string>{"plain.txt", kind.fileName})) << c.what;
            EXPECT_EQ(fileBytes(plain), "a file, not a directory") << c.what;
            EXPECT_TRUE(std::filesystem::is_empty(folder)) << c.what;
        }
    });
}

// A full disk fails a write as the file-size limit does.
TEST_F(Saves, SaveThatHitsTheFileSizeLimitFailsAndKeepsTheGoodFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has neither fork nor a file-size limit";
#else
    forEachKind([&](const SaveKind& kind, ScratchDirectory& scratch) {
        const std::string name = scratch.file(kind.fileName);
        ASSERT_EQ(save(kind, name), 0);
        const std::string good = fileBytes(name);
        ASSERT_GT(good.size(), 1u);
        for (const std::uint64_t limit : {std::uint64_t{0}, std::uint64_t{good.size() / 2}, std::uint64_t{good.size() - 1}}) {
            const auto answer = os::runWithFileSizeLimit(limit, [&] {
                const int32_t result = save(kind, name);
                return std::vector<int32_t>{result, lastError()};
            });
            ASSERT_TRUE(answer.has_value()) << "the child process failed, limit " << limit;
            EXPECT_EQ(*answer, (std::vector<int32_t>{kSaveFailed, kSaveFailed})) << "limit " << limit;
            EXPECT_EQ(fileBytes(name), good) << "limit " << limit;
            EXPECT_EQ(names(scratch), std::set<std::string>{kind.fileName}) << "limit " << limit;
        }
    });
#endif
}

// ---- names of lookup-table files ----

// Every deliverable of the build.
class TableFileNames : public InstanceFixture, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override { create(GetParam()); }

    // A table of the library's: the blue one of a colour design, else the
    // gray one.
    int32_t tableId()
    {
        const int32_t blue = lib().Fg_getParameterIdByName(handle(), "FG_LUT_VALUE_BLUE");
        return blue > 0 ? blue : FG_LUT_VALUE;
    }

    ScratchDirectory scratch_;
};

// A configuration file ends a text at a quote and a key at a line end.
TEST_P(TableFileNames, CustomNamesAConfigurationCannotCarryAreRefused)
{
    ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, "old name.lut"), 0);
    for (const char* name : {"a'b.lut", "a\nb.lut", "a\rb.lut", "a.lut\nFG_CC2=0;"}) {
        EXPECT_EQ(setText(FG_LUT_CUSTOM_FILE, name), kOutOfRange) << name;
        EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), kOutOfRange) << name;
        EXPECT_EQ(getText(FG_LUT_CUSTOM_FILE), "old name.lut") << name;
    }
    const std::string configuration = scratch_.file("names.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), configuration.c_str()), 0);
    ASSERT_EQ(lib().setInt(handle(), FG_CC2, 4), 0);
    ASSERT_EQ(lib().Fg_loadConfig(handle(), configuration.c_str()), 0);
    EXPECT_EQ(lib().getInt(handle(), FG_CC2), 5);
    EXPECT_EQ(getText(FG_LUT_CUSTOM_FILE), "old name.lut");

    // Saved tables are named only here, never in a configuration file.
    EXPECT_EQ(setText(FG_LUT_SAVE_FILE, scratch_.file("a'b.lut")), 0);
    EXPECT_TRUE(std::filesystem::exists(scratch_.file("a'b.lut")));
}

TEST_P(TableFileNames, NameWithSpacesAndOtherBytesRoundTripsThroughAConfiguration)
{
    const std::string name = "C:\\tables\\t\xC3\xA4" "ble \xE2\x82\xAC" " one.lut";
    ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, name), 0);
    const std::string configuration = scratch_.file("names.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), configuration.c_str()), 0);
    ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, "other.lut"), 0);
    ASSERT_EQ(lib().Fg_loadConfig(handle(), configuration.c_str()), 0);
    EXPECT_EQ(getText(FG_LUT_CUSTOM_FILE), name);
}

// The file functions of Windows that take such names stop at 259
// characters.
#ifdef _WIN32
constexpr std::size_t kLongestName = 259;
#else
constexpr std::size_t kLongestName = 1023;
#endif

TEST_P(TableFileNames, LongestNameWithSpacesAndOtherBytesRoundTripsThroughSaveAndLoad)
{
    // Directories of short names make the length: a single name may have
    // 255 bytes at most. The other bytes are in the file's own name, which
    // only the library makes and reads.
    std::string name = scratch_.path().string();
    while (name.size() < kLongestName - 60) {
        name += "/a folder of tables";
        std::filesystem::create_directory(name);
    }
    name += "/t\xC3\xA4" "ble \xE2\x82\xAC" " ";
    name += std::string(kLongestName - name.size() - 4, 'x') + ".lut";
    ASSERT_EQ(name.size(), kLongestName);

    ASSERT_EQ(setElement(tableId(), 200, 9), 0);
    ASSERT_EQ(setText(FG_LUT_SAVE_FILE, name), 0);
    EXPECT_EQ(getText(FG_LUT_SAVE_FILE), name);
    ASSERT_EQ(setElement(tableId(), 9, 9), 0);
    ASSERT_EQ(lib().setInt(handle(), FG_LUT_TYPE, 0), 0);
    ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, name), 0);
    EXPECT_EQ(getText(FG_LUT_CUSTOM_FILE), name);
    EXPECT_EQ(getElement(tableId(), 9), 200);
}

INSTANTIATE_TEST_SUITE_P(Deliverables, TableFileNames, ::testing::ValuesIn(builtDeliverableFiles()), libraryName);

}  // namespace
}  // namespace velm::test
