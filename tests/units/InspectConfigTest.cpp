#include <set>
#include <string>

#include <gtest/gtest.h>

#include "InspectConfig.h"
#include "Platform.h"
#include "UnitSupport.h"

namespace velm::units {
namespace {

// A store loaded from the given file text.
struct LoadedStore {
    LoadedStore(const std::string& text, bool caseSensitive = true, bool overwrite = true)
        : store(true, caseSensitive)
    {
        writeWhole(dir.file("inspect.conf"), text);
        loaded = store.loadFile(dir.file("inspect.conf"), true, overwrite);
    }
    ScratchDirectory dir;
    InspectConfig store;
    bool loaded = false;
};

TEST(InspectConfigLoad, SectionsCommentsAndTrimming)
{
    LoadedStore s("[belcora]\nFG_A = 5 # note\n[other]\nFG_A=7\n");
    ASSERT_TRUE(s.loaded);
    bool found = false;
    EXPECT_EQ(s.store.getValue("belcora::FG_A", &found), "5");
    EXPECT_TRUE(found);
    EXPECT_EQ(s.store.getValue("other::FG_A", nullptr), "7");
    EXPECT_EQ(s.store.getSectionKeys("belcora"), std::set<std::string>{"FG_A"});
}

TEST(InspectConfigLoad, LineRules)
{
    struct Case {
        const char* what;
        std::string text;
        const char* key;
        bool found;
        std::string value;
    };
    const std::string longValue(1000, 'v');
    const Case cases[] = {
        {"value with further equals signs", "[s]\nKEY=a=b\n", "s::KEY", true, "a=b"},
        {"key before any section", "K=1\n[s]\n", "s::K", false, ""},
        {"key before any section is not stored bare", "K=1\n[s]\n", "K", false, ""},
        {"section name trimmed", "[  s  ]\nK=1\n", "s::K", true, "1"},
        {"comment line", "[s]\n# K=1\n", "s::K", false, ""},
        {"line without equals sign", "[s]\nK 1\n", "s::K", false, ""},
        {"short bracket line skipped", "[s]\n[]\nK=1\n", "s::K", true, "1"},
        {"open bracket line read as a key line", "[s]\n[x=1\n", "s::[x", true, "1"},
        {"empty value", "[s]\nK=\n", "s::K", true, ""},
        {"CRLF lines", "[s]\r\nK=1\r\n", "s::K", true, "1"},
        {"long line taken whole", "[s]\nK=" + longValue + "\n", "s::K", true, longValue},
        {"no final newline", "[s]\nK=1", "s::K", true, "1"},
        {"NUL inside a value", std::string("[s]\nK=a\0b\n", 10), "s::K", true, std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        LoadedStore s(c.text);
        bool found = !c.found;
        EXPECT_EQ(s.store.getValue(c.key, &found), c.value) << c.what;
        EXPECT_EQ(found, c.found) << c.what;
    }
}

TEST(InspectConfigLoad, DuplicateKeysWithAndWithoutOverwrite)
{
    LoadedStore later("[s]\nK=1\nK=2\n", true, true);
    EXPECT_EQ(later.store.getValue("s::K", nullptr), "2");
    LoadedStore first("[s]\nK=1\nK=2\n", true, false);
    EXPECT_EQ(first.store.getValue("s::K", nullptr), "1");

    // Without overwrite a value held before the load wins too.
    ScratchDirectory dir;
    writeWhole(dir.file("inspect.conf"), "[s]\nK=file\nL=new\n");
    InspectConfig store(true, true);
    ASSERT_TRUE(store.setValue("s::K", "held"));
    ASSERT_TRUE(store.loadFile(dir.file("inspect.conf"), true, false));
    EXPECT_EQ(store.getValue("s::K", nullptr), "held");
    EXPECT_EQ(store.getValue("s::L", nullptr), "new");

    // Without keepExisting the store starts empty.
    ASSERT_TRUE(store.setValue("t::X", "gone"));
    ASSERT_TRUE(store.loadFile(dir.file("inspect.conf"), false, true));
    bool found = true;
    store.getValue("t::X", &found);
    EXPECT_FALSE(found);
}

TEST(InspectConfigLoad, AMissingFileLeavesTheStoreUntouched)
{
    InspectConfig store(true, true);
    ASSERT_TRUE(store.setValue("s::K", "1"));
    EXPECT_FALSE(store.loadFile("/nonexistent/inspect.conf", false, true));
    EXPECT_EQ(store.getValue("s::K", nullptr), "1");
}

TEST(InspectConfigCase, WithoutCaseSensitivityEverythingIsUpperCased)
{
    LoadedStore s("[Belcora]\nfg_a=1\n", false);
    bool found = false;
    EXPECT_EQ(s.store.getValue("belcora::fg_a", &found), "1");
    EXPECT_TRUE(found);
    EXPECT_EQ(s.store.getValue("BELCORA::FG_A", nullptr), "1");
    EXPECT_EQ(s.store.getSectionKeys("belcora"), std::set<std::string>{"FG_A"});

    LoadedStore sensitive("[Belcora]\nfg_a=1\n", true);
    sensitive.store.getValue("BELCORA::FG_A", &found);
    EXPECT_FALSE(found);
}

TEST(InspectConfigSet, KeyForms)
{
    struct Case {
        const char* key;
        bool withSections;
        bool accepted;
    };
    const Case cases[] = {
        {"", true, false},    {"x::", true, false}, {"::x", true, false}, {"x", true, false},
        {"a::b", true, true}, {"a::b::c", true, true}, {"", false, false}, {"x", false, true},
    };
    for (const Case& c : cases) {
        InspectConfig store(c.withSections, true);
        EXPECT_EQ(store.setValue(c.key, "v"), c.accepted) << '"' << c.key << "\" sections " << c.withSections;
        bool found = false;
        store.getValue(c.key, &found);
        EXPECT_EQ(found, c.accepted) << c.key;
    }
}

TEST(InspectConfigSet, SectionKeysComeSortedWithoutDuplicates)
{
    InspectConfig store(true, true);
    store.setValue("s::B", "1");
    store.setValue("s::A", "1");
    store.setValue("s::A", "2");
    store.setValue("sx::C", "1");
    store.setValue("s::D::E", "1");
    EXPECT_EQ(store.getSectionKeys("s"), (std::set<std::string>{"A", "B", "D::E"}));

    InspectConfig flat(false, true);
    flat.setValue("s::A", "1");
    EXPECT_TRUE(flat.getSectionKeys("s").empty());
}

TEST(SettingsLocation, FromTheLibrarysOwnPath)
{
    struct Case {
        const char* path;
        bool found;
        const char* directory;
        const char* section;
    };
    const Case cases[] = {
        {"/usr/lib/belcora.so", true, "/usr/lib", "belcora"},
        {"C:\\Program Files\\Velm\\Arventa.dll", true, "C:\\Program Files\\Velm", "Arventa"},
        {"/opt/a/b.c.so", true, "/opt/a", "b.c"},
        {"/opt/a/noext", true, "/opt/a", "noext"},
        {"/opt/a\\mixed.dll", true, "/opt/a", "mixed"},
        {"", false, "", "none"},
        {"belcora.so", false, "", "none"},
        {"/opt/a/", false, "", "none"},
        {"/opt/a/.so", false, "", "none"},
        {"/belcora.so", false, "", "none"},
        {"\\belcora.dll", false, "", "none"},
    };
    for (const Case& c : cases) {
        const SettingsLocation location = locateSettings(c.path);
        EXPECT_EQ(location.found, c.found) << c.path;
        EXPECT_EQ(location.directory, c.directory) << c.path;
        EXPECT_EQ(location.sectionName, c.section) << c.path;
        const std::string file = c.found ? std::string(c.directory) + os::kPathSeparator + "inspect.conf" : "";
        EXPECT_EQ(location.settingsFile, file) << c.path;
    }
}

}  // namespace
}  // namespace velm::units
