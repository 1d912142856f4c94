// Saves of configuration files and lookup-table files through the exports:
// a save that works puts the new file in place whole; one that fails
// answers -5001 and leaves the previous file as it was, with nothing of its
// own left beside it. Names that stand for something other than a file:
// links are followed, FIFOs, devices and sockets are neither replaced nor
// waited on. Also the names of lookup-table files.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <set>
#include <string>
#include <vector>

#include "BuiltDeliverables.h"
#include "InstanceFixture.h"
#include "ParameterIds.h"
#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "ChildProcess.h"
#endif

namespace velm::test {
namespace {

constexpr int32_t kSaveFailed = -5001;
constexpr int32_t kOutOfRange = -6000;
constexpr int32_t kFileNotAccepted = -2076;
constexpr int32_t kLoadFailed = -5000;

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

#ifndef _WIN32

// What a name may stand for besides a file; each is made by the test where
// the system lets it.
struct SpecialFile {
    const char* what;
    bool (*make)(const std::string& path);
    bool (*is)(const std::filesystem::file_status& status);
};

bool makeFifo(const std::string& path)
{
    return mkfifo(path.c_str(), 0666) == 0;
}

bool makeSocket(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = socket >= 0 && bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (socket >= 0) {
        close(socket);
    }
    return bound;
}

// The node of the null device: only root may make one.
bool makeDevice(const std::string& path)
{
    return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

const SpecialFile kFifo{"a FIFO", makeFifo, [](const std::filesystem::file_status& s) { return std::filesystem::is_fifo(s); }};
const SpecialFile kSocket{"a socket", makeSocket,
                          [](const std::filesystem::file_status& s) { return std::filesystem::is_socket(s); }};
const SpecialFile kDevice{"a device", makeDevice,
                          [](const std::filesystem::file_status& s) { return std::filesystem::is_character_file(s); }};

// A call that may open `fifo`. Should it wait there for a writer, the test
// comes along as the writer after a while, as often as it takes, so that a
// fault fails the test rather than hanging it.
int32_t callBesideFifo(const std::string& fifo, const std::function<int32_t()>& call)
{
    std::future<int32_t> answer = std::async(std::launch::async, call);
    if (answer.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "the call waited on the FIFO " << fifo;
        do {
            const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                close(writer);
            }
        } while (answer.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready);
    }
    return answer.get();
}

#endif

// A save through a link changes the file behind it and keeps the link,
// also a link to a file that is not there yet.
TEST_F(Saves, SaveThroughASymbolicLinkReplacesTheFileItPointsTo)
{
#ifdef _WIN32
    GTEST_SKIP() << "making a link takes a privilege on Windows";
#else
    forEachKind([&](const SaveKind& kind, ScratchDirectory& scratch) {
        const std::string fresh = scratch.file("fresh-" + kind.fileName);
        const std::string file = scratch.file("file-" + kind.fileName);
        const std::string link = scratch.file(kind.fileName);
        const std::string later = scratch.file("later-" + kind.fileName);
        const std::string linkToLater = scratch.file("to-later-" + kind.fileName);
        ASSERT_EQ(save(kind, fresh), 0);
        std::ofstream(file, std::ios::binary) << std::string(10000, 'x');
        std::filesystem::create_symlink("file-" + kind.fileName, link);
        std::filesystem::create_symlink(later, linkToLater);

        EXPECT_EQ(save(kind, link), 0);
        EXPECT_EQ(save(kind, linkToLater), 0);
        EXPECT_EQ(lastError(), 0);
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(std::filesystem::read_symlink(link), "file-" + kind.fileName);
        EXPECT_TRUE(std::filesystem::is_symlink(linkToLater));
        EXPECT_EQ(fileBytes(file), fileBytes(fresh));
        EXPECT_EQ(fileBytes(later), fileBytes(fresh));
        EXPECT_EQ(names(scratch), (std::set<std::string>{"fresh-" + kind.fileName, "file-" + kind.fileName,
                                                         kind.fileName, "later-" + kind.fileName,
                                                         "to-later-" + kind.fileName}));
    });
#endif
}

// A save never takes the place of what is not a file, whoever may write
// to it, and does not open it either.
TEST_F(Saves, SaveOntoAFifoOrASocketFailsAndLeavesItAlone)
{
#ifdef _WIN32
    GTEST_SKIP() << "no FIFOs or sockets in the file system on Windows";
#else
    for (const SpecialFile& special : {kFifo, kSocket}) {
        SCOPED_TRACE(special.what);
        forEachKind([&](const SaveKind& kind, ScratchDirectory& scratch) {
            const std::string name = scratch.file(kind.fileName);
            ASSERT_TRUE(special.make(name));
            EXPECT_EQ(callBesideFifo(name, [&] { return save(kind, name); }), kSaveFailed);
            EXPECT_EQ(lastError(), kSaveFailed);
            EXPECT_TRUE(special.is(std::filesystem::symlink_status(name)));
            EXPECT_EQ(names(scratch), std::set<std::string>{kind.fileName});
        });
    }
#endif
}

TEST_F(Saves, SaveOntoADeviceNodeFailsAndLeavesItAlone)
{
#ifdef _WIN32
    GTEST_SKIP() << "no device nodes in the file system on Windows";
#else
    {
        ScratchDirectory probe;
        if (!makeDevice(probe.file("null"))) {
            GTEST_SKIP() << "making a device node takes root";
        }
    }
    forEachKind([&](const SaveKind& kind, ScratchDirectory& scratch) {
        const std::string name = scratch.file(kind.fileName);
        ASSERT_TRUE(makeDevice(name));
        EXPECT_EQ(save(kind, name), kSaveFailed);
        EXPECT_EQ(lastError(), kSaveFailed);
        EXPECT_TRUE(kDevice.is(std::filesystem::symlink_status(name)));
        EXPECT_EQ(names(scratch), std::set<std::string>{kind.fileName});
    });
#endif
}

// ---- files read ----

// A configuration is read only from a regular file, at once: anything else
// answers as a missing file does.
TEST_F(Saves, LoadOfWhatIsNotAFileAnswersAtOnceAsForAMissingFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "no FIFOs or sockets in the file system on Windows";
#else
    for (const std::string& library : {std::string("testapplet1.so"), std::string("testapplet2.so")}) {
        SCOPED_TRACE(library);
        ScratchDirectory scratch;
        create(library);
        const std::string fifo = scratch.file("fifo.mcf");
        const std::string socket = scratch.file("socket.mcf");
        const std::string folder = scratch.file("folder.mcf");
        ASSERT_TRUE(makeFifo(fifo));
        ASSERT_TRUE(makeSocket(socket));
        std::filesystem::create_directory(folder);
        for (const std::string& name : {fifo, socket, folder}) {
            EXPECT_EQ(callBesideFifo(fifo, [&] { return lib().Fg_loadConfig(handle(), name.c_str()); }),
                      kFileNotAccepted)
                << name;
            EXPECT_EQ(lastError(), kLoadFailed) << name;
        }
        // The instance is not held by any of it.
        EXPECT_EQ(lib().Fg_saveConfig(handle(), scratch.file("after.mcf").c_str()), 0);
        free();
    }
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

    // The camera ports the library serves.
    uint32_t portCount()
    {
        uint32_t ports = 0;
        int32_t type = 0;
        while (lib().Fg_getParameterWithType(handle(), FG_LUT_TYPE, &type, ports, 0) == 0) {
            ++ports;
        }
        return ports;
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

// A table file is read only from a regular file, at once: a device that
// never ends or a FIFO without a writer answers as a file not there.
TEST_P(TableFileNames, CustomTableFromWhatIsNotAFileIsRefusedAtOnce)
{
#ifdef _WIN32
    GTEST_SKIP() << "no FIFOs or devices in the file system on Windows";
#else
    const std::string fifo = scratch_.file("fifo.lut");
    ASSERT_TRUE(makeFifo(fifo));
    ASSERT_EQ(setElement(tableId(), 9, 9), 0);
    ASSERT_EQ(lib().setInt(handle(), FG_LUT_TYPE, 0), 0);
    for (const std::string& name : {std::string("/dev/zero"), fifo, scratch_.path().string()}) {
        EXPECT_EQ(callBesideFifo(fifo, [&] { return setText(FG_LUT_CUSTOM_FILE, name); }), kFileNotAccepted) << name;
        EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), kFileNotAccepted) << name;
        EXPECT_EQ(getElement(tableId(), 9), 9) << name;
    }
#endif
}

// Names hold '=' and ';' where paths do, and are as long as a configuration
// keeps texts: every one comes back unchanged on every port, in a new
// instance.
TEST_P(TableFileNames, EveryNameAcceptedComesBackOnEveryPortFromAConfiguration)
{
    const std::vector<std::string> names = {
        "C:\\luts\\gamma=0.45.lut",
        "/data/run;2/cam.lut",
        "/luts/a=b;c=d;.lut",
        "/" + std::string(235, 'n') + ".lut",
        "/" + std::string(1018, 'm') + ".lut",
    };
    ASSERT_EQ(names[3].size(), 240u);
    ASSERT_EQ(names[4].size(), 1023u);
    const uint32_t ports = portCount();
    const std::string configuration = scratch_.file("names.mcf");
    for (std::size_t round = 0; round < names.size(); ++round) {
        for (uint32_t port = 0; port < ports; ++port) {
            const std::string& name = names[(round + port) % names.size()];
            ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, name, port), 0) << name;
        }
        ASSERT_EQ(lib().Fg_saveConfig(handle(), configuration.c_str()), 0);
        int32_t error = 0;
        AppletHandle other{lib().Std_entry(0, &error, 0)};
        ASSERT_NE(other.instance, nullptr) << error;
        EXPECT_EQ(lib().Fg_loadConfig(&other, configuration.c_str()), 0);
        for (uint32_t port = 0; port < ports; ++port) {
            EXPECT_EQ(lib().getText(&other, FG_LUT_CUSTOM_FILE, port), names[(round + port) % names.size()])
                << "round " << round << " port " << port;
        }
        lib().Fg_FreeGrabber(&other);
    }
}

// A section line is one that begins with the section; the same text inside
// a value of the port before leaves the next port's keys where they are.
TEST_P(TableFileNames, SectionNameInsideANameLeavesTheNextPortsValues)
{
    const uint32_t last = portCount() - 1;
    if (last == 0) {
        GTEST_SKIP() << "one camera port";
    }
    ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, "/data/luts/[Port B]/camera0.lut", 0), 0);
    ASSERT_EQ(setText(FG_LUT_CUSTOM_FILE, "/data/luts/[Port A]/camera" + std::to_string(last) + ".lut", last), 0);
    ASSERT_EQ(setDouble(FG_PROCESSING_GAIN, 1.5, 0), 0);
    ASSERT_EQ(setDouble(FG_PROCESSING_GAIN, 2.0, last), 0);
    const std::string configuration = scratch_.file("sections.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), configuration.c_str()), 0);
    ASSERT_EQ(setDouble(FG_PROCESSING_GAIN, 1.0, 0), 0);
    ASSERT_EQ(setDouble(FG_PROCESSING_GAIN, 1.0, last), 0);
    ASSERT_EQ(lib().Fg_loadConfig(handle(), configuration.c_str()), 0);
    EXPECT_EQ(getDouble(FG_PROCESSING_GAIN, last), 2.0);
    EXPECT_EQ(getDouble(FG_PROCESSING_GAIN, 0), 1.5);
    EXPECT_EQ(getText(FG_LUT_CUSTOM_FILE, 0), "/data/luts/[Port B]/camera0.lut");
}

INSTANTIATE_TEST_SUITE_P(Deliverables, TableFileNames, ::testing::ValuesIn(builtDeliverableFiles()), libraryName);

}  // namespace
}  // namespace velm::test
