// Dalmira's configuration files and the initial register writes of a new
// instance.
#include <fstream>
#include <utility>

#include "DalmiraSupport.h"

namespace velm::test::dalmira {
namespace {

std::vector<Access> initialWrites()
{
    return inOrder({
        generatorClearWrites(kGenEnable),
        {
            hostWrite(kFullMode, 0), hostWrite(kDvalMode, 1),
            hostWrite(kSelectPeriod, 1), hostWrite(kSelectPhase, 0),
            hostWrite(kRoiXLength, 4096), hostWrite(kXLength0, 12288), hostWrite(kXLength1, 12288),
            hostWrite(kYLength0, 1024), hostWrite(kYLength1, 1024), hostWrite(kImageHeight, 1024),
            hostWrite(kXLength0, 12288), hostWrite(kXLength1, 12288), hostWrite(kRoiXOffset, 0),
            generatorWrite(kGenEnable, 0),
        },
        // The generator's width registers count units of 8 pixels.
        generatorDefaultWrites(kGenEnable, 8),
        colourDefaultWrites(kLutRed, kRedGain),
        cameraSignalDefaultWrites(kOut3, kOut7, kCc1Select, 2),
    });
}

TEST(DalmiraCreation, InitialWritesClearTheGeneratorThenApplyTheDefaultsInOrder)
{
    AppletLibrary lib(libraryPath("dalmira.so"));
    AppletHandle handle = createExpectingWrites(lib, initialWrites());
    ASSERT_NE(handle.instance, nullptr);
    EXPECT_TRUE(callLogged("Fg_setParameter(600,1000000,0)"));
    EXPECT_TRUE(callLogged("Fg_setParameter(3051,0,0)"));
    EXPECT_TRUE(callLogged("Fg_InitHandleSlaveAware(Dalmira.hap,0,slave=0)"));
    EXPECT_EQ(registerValue(kXLength0), 12288u);
    EXPECT_EQ(lib.getText(&handle, FG_LUT_CUSTOM_FILE), "");
    lib.Fg_FreeGrabber(&handle);
}

// A file: the one saved after creation with some lines changed.
using Edits = std::vector<Replacement>;

struct LoadCase {
    const char* what;
    Edits edits;
    int32_t result;
    std::vector<std::pair<int32_t, int64_t>> values;        // read back afterwards
    std::vector<std::pair<uint32_t, uint64_t>> registers;   // on the board afterwards
    bool writesNothing;
};

class DalmiraFiles : public Dalmira {
protected:
    std::string written(const std::string& name, const Edits& edits)
    {
        return writeEdited(scratch_.file(name), expectedFile("dalmira_created.mcf"), edits);
    }

    ScratchDirectory scratch_;
};

TEST_F(DalmiraFiles, LoadStoresEveryKeyThenAppliesThem)
{
    const LoadCase cases[] = {
        {"a width the setter refuses stays kept but reaches no register",
         {{"FG_WIDTH=4096;", "FG_WIDTH=4100;"}}, 0, {{FG_WIDTH, 4100}}, {{kRoiXLength, 2048}}, false},
        {"the period's check sees the file's phase",
         {{"FG_IMG_SELECT_PERIOD=1;", "FG_IMG_SELECT_PERIOD=4;"}, {"FG_IMG_SELECT=0;", "FG_IMG_SELECT=2;"}}, 0,
         {{FG_IMG_SELECT_PERIOD, 4}, {FG_IMG_SELECT, 2}}, {{kSelectPeriod, 4}, {kSelectPhase, 2}}, false},
        {"the height takes the file's y offset into the image height",
         {{"FG_YOFFSET=0;", "FG_YOFFSET=100;"}}, 0, {{FG_YOFFSET, 100}}, {{kImageHeight, 1124}}, false},
        {"ten taps and no DVAL",
         {{"FG_CAMERA_LINK_CAMTYPE=308;", "FG_CAMERA_LINK_CAMTYPE=310;"}, {"FG_USEDVAL=1;", "FG_USEDVAL=0;"}}, 0,
         {{FG_CAMERA_LINK_CAMTYPE, 310}, {FG_USEDVAL, 0}}, {{kFullMode, 1}, {kDvalMode, 0}}, false},
        {"the input line is not needed", {{"FG_DIGIO_INPUT=0;\n", ""}}, 0, {}, {}, false},
        {"a missing last key fails after every key was stored and none applied",
         {{"FG_CC4=5;\n", ""}, {"FG_WIDTH=4096;", "FG_WIDTH=1024;"}, {"FG_TIMEOUT=1000000;", "FG_TIMEOUT=5000;"},
          {"FG_CC3=5;", "FG_CC3=4;"}},
         -5000, {{FG_WIDTH, 1024}, {FG_TIMEOUT, 5000}, {FG_CC3, 4}}, {{kRoiXLength, 2048}}, true},
    };
    int file = 0;
    for (const LoadCase& c : cases) {
        // Every case starts from a width of its own on the board.
        ASSERT_EQ(setInt(FG_WIDTH, 2048), 0) << c.what;
        simClearLog();
        const std::string name = written("case" + std::to_string(++file) + ".mcf", c.edits);
        EXPECT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), c.result) << c.what;
        EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), c.result) << c.what;
        if (c.writesNothing) {
            EXPECT_TRUE(accesses().empty()) << c.what;
            EXPECT_FALSE(callLogged("Fg_setParameter(")) << c.what;
        }
        for (const auto& [id, value] : c.values) {
            EXPECT_EQ(getInt(id), value) << c.what << ": " << id;
        }
        for (const auto& [id, value] : c.registers) {
            EXPECT_EQ(registerValue(id), value) << c.what << ": register " << id;
        }
    }
}

}  // namespace
}  // namespace velm::test::dalmira
