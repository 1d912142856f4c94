// Configuration files, the parameter-info tree, its XML description and the
// settings file, through the exports of the test applet.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>

#include "InstanceFixture.h"
#include "TestAppletIds.h"
#include "ParameterInfoRegistry.h"

namespace velm::test {
namespace {

using namespace velm::testapplet;

class Files : public InstanceFixture {
protected:
    ScratchDirectory scratch_;
};

TEST_F(Files, SavedConfigurationHasTheHeaderAndEveryCamerasSection)
{
    for (const char* file : {"testapplet1", "testapplet2"}) {
        create(libraryPath(std::string(file) + ".so"));
        const std::string name = scratch_.file(std::string(file) + ".mcf");
        EXPECT_EQ(lib().Fg_saveConfig(handle(), name.c_str()), 0);
        EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), 0);
        EXPECT_EQ(fileContent(name), expectedFile(std::string(file) + ".mcf")) << file;
        free();
    }
}

TEST_F(Files, SaveRefusesNamesWithoutTheConfigurationExtension)
{
    create(libraryPath("testapplet1.so"));
    EXPECT_EQ(lib().Fg_saveConfig(handle(), scratch_.file("settings.txt").c_str()), -5001);
    EXPECT_FALSE(std::filesystem::exists(scratch_.file("settings.txt")));
    EXPECT_EQ(lib().Fg_saveConfig(handle(), nullptr), -5001);
    EXPECT_EQ(lib().Fg_saveConfig(handle(), scratch_.file("a.mcf.bak").c_str()), 0);
}

TEST_F(Files, LoadBringsBackWhatWasSaved)
{
    create(libraryPath("testapplet1.so"));
    ASSERT_EQ(lib().setInt(handle(), TEST_VALUE, 42), 0);
    ASSERT_EQ(lib().setDouble(handle(), TEST_DOUBLE, 0.1), 0);
    ASSERT_EQ(lib().setText(handle(), TEST_MESSAGE, "a b 'c'"), 0);
    ASSERT_EQ(lib().setInt(handle(), TEST_MODE, 2), 0);
    const std::string name = scratch_.file("round.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), name.c_str()), 0);
    EXPECT_NE(fileContent(name).find("TEST_DOUBLE=0.1;\n"), std::string::npos);

    lib().setInt(handle(), TEST_VALUE, 1);
    lib().setDouble(handle(), TEST_DOUBLE, 9.0);
    lib().setInt(handle(), TEST_MODE, 1);
    EXPECT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), 0);
    EXPECT_EQ(lib().getInt(handle(), TEST_VALUE), 42);
    EXPECT_EQ(lib().getDouble(handle(), TEST_DOUBLE), 0.1);
    EXPECT_EQ(lib().getInt(handle(), TEST_MODE), 2);
    // A quoted text runs to the last quote of its line.
    EXPECT_EQ(lib().getText(handle(), TEST_MESSAGE), "a b 'c'");
}

TEST_F(Files, DoublesKeepTheirPointWhateverTheCallersLocale)
{
    // A caller whose own numbers have a decimal comma.
#ifdef _WIN32
    const char* commaLocale = "German";
#else
    const char* commaLocale = "de_DE.UTF-8";
#endif
    if (std::setlocale(LC_ALL, commaLocale) == nullptr) {
        GTEST_SKIP() << "no locale " << commaLocale << " here to give the caller a decimal comma";
    }
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    create(libraryPath("testapplet1.so"));
    ASSERT_EQ(lib().setDouble(handle(), TEST_DOUBLE, 0.1), 0);
    const std::string name = scratch_.file("comma.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), name.c_str()), 0);
    EXPECT_NE(fileContent(name).find("TEST_DOUBLE=0.1;\n"), std::string::npos);
#ifdef _WIN32
    // As on the target, the process is left in the "English" locale.
    EXPECT_EQ(*std::localeconv()->decimal_point, '.');
    std::setlocale(LC_ALL, commaLocale);
#else
    // Here only the saving thread changed its locale, and only meanwhile.
    EXPECT_EQ(*std::localeconv()->decimal_point, ',');
#endif
    ASSERT_EQ(lib().setDouble(handle(), TEST_DOUBLE, 9.0), 0);
    EXPECT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), 0);
    EXPECT_EQ(lib().getDouble(handle(), TEST_DOUBLE), 0.1);
    std::setlocale(LC_ALL, "C");
}

TEST_F(Files, SavedConfigurationIsATextFileOfThePlatform)
{
    create(libraryPath("testapplet1.so"));
    const std::string name = scratch_.file("lines.mcf");
    ASSERT_EQ(lib().Fg_saveConfig(handle(), name.c_str()), 0);
    const std::string bytes = fileBytes(name);
#ifdef _WIN32
    const std::string lineEnd = "\r\n";
#else
    const std::string lineEnd = "\n";
#endif
    std::size_t lines = 0;
    for (std::size_t end = bytes.find('\n'); end != std::string::npos; end = bytes.find('\n', end + 1)) {
        ++lines;
        EXPECT_TRUE(end + 1 >= lineEnd.size() && bytes.compare(end + 1 - lineEnd.size(), lineEnd.size(), lineEnd) == 0)
            << "line " << lines;
    }
    EXPECT_GT(lines, 5u);
}

TEST_F(Files, LoadFailuresAndTheirCodes)
{
    create(libraryPath("testapplet1.so"));
    // A missing file is refused with one code and recorded with another.
    EXPECT_EQ(lib().Fg_loadConfig(handle(), scratch_.file("missing.mcf").c_str()), -2076);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -5000);

    const std::string header = "[Kamerasektion]\n\nConfigFileVersion=2.0;\nHersteller='Velmarint GmbH';\n";
    const std::string keys = "\n[Port A]\nTEST_VALUE=55;\nTEST_DOUBLE=1;\nTEST_MESSAGE='m';\nTEST_MODE=2;\n";
    struct Case {
        const char* what;
        std::string content;
        int32_t result;
        int64_t valueAfter;
    };
    const Case cases[] = {
        {"another applet's file", header + "Typ='Belcora';\nAktivePort=0;\n" + keys, -5000, 7},
        {"no active port", header + "Typ='TestApplet';\n" + keys, -5000, 7},
        {"a key missing after stored ones",
         header + "Typ='TestApplet';\nAktivePort=0;\n\n[Port A]\nTEST_VALUE=55;\nTEST_DOUBLE=1;\n", -5000, 55},
        {"a refused value stays stored", header + "Typ='TestApplet';\nAktivePort=0;\n" +
                                             "\n[Port A]\nTEST_VALUE=500;\nTEST_DOUBLE=1;\nTEST_MESSAGE='';\nTEST_MODE=2;\n",
         0, 500},
        {"empty file", "", -5000, 7},
    };
    for (const Case& c : cases) {
        lib().setInt(handle(), TEST_VALUE, 7);
        const std::string name = scratch_.file("case.mcf");
        std::ofstream(name, std::ios::binary) << c.content;
        EXPECT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), c.result) << c.what;
        EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), c.result) << c.what;
        EXPECT_EQ(lib().getInt(handle(), TEST_VALUE), c.valueAfter) << c.what;
    }
}

TEST_F(Files, KeyMissingFromTheSecondSectionIsTakenFromAnEarlierOneNeverFromBefore)
{
    create(libraryPath("testapplet2.so"));
    // Port B's section lacks TEST_MESSAGE: the search runs on to the end of
    // the file, finds nothing, and the load fails after port A was applied.
    const std::string name = scratch_.file("two.mcf");
    std::ofstream(name) << "[Kamerasektion]\n\nConfigFileVersion=2.0;\nHersteller='x';\nTyp='TestApplet';\n"
                           "AktivePort=0;\n\n[Port A]\nTEST_VALUE=11;\nTEST_DOUBLE=1;\nTEST_MESSAGE='a';\n"
                           "TEST_MODE=2;\n\n[Port B]\nTEST_VALUE=22;\nTEST_DOUBLE=2;\n";
    EXPECT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), -5000);
    EXPECT_EQ(lib().getInt(handle(), TEST_VALUE, 0), 11);
    EXPECT_EQ(lib().getInt(handle(), TEST_VALUE, 1), 22);

    // A key that port B lacks but a later section has is found there.
    std::ofstream(name) << "[Kamerasektion]\n\nConfigFileVersion=2.0;\nHersteller='x';\nTyp='TestApplet';\n"
                           "AktivePort=0;\n\n[Port A]\nTEST_VALUE=11;\nTEST_DOUBLE=1;\nTEST_MESSAGE='a';\n"
                           "TEST_MODE=2;\n\n[Port B]\nTEST_VALUE=33;\nTEST_DOUBLE=2;\n\n[Port C]\nTEST_MESSAGE='c';\n";
    EXPECT_EQ(lib().Fg_loadConfig(handle(), name.c_str()), 0);
    EXPECT_EQ(lib().getText(handle(), TEST_MESSAGE, 1), "c");
}

TEST_F(Files, TreeIsHandedOutPerPortWithItsRootsNewestFirst)
{
    create(libraryPath("testapplet2.so"));
    for (uint32_t port : {0u, 1u}) {
        ParameterInfoEntry* root = lib().Fg_getParameterInfo(handle(), port);
        ASSERT_NE(root, nullptr);
        EXPECT_STREQ(root->displayName, "Miscellaneous");
        ASSERT_NE(root->next, nullptr);
        EXPECT_STREQ(root->next->displayName, "Test Values");
        EXPECT_EQ(root->next->previous, root);
        EXPECT_EQ(root->next->next, nullptr);
        const ParameterInfoEntry* values = root->next;
        ASSERT_EQ(values->value.category.childCount, 3);
        EXPECT_STREQ(values->value.category.children[0]->name, "TEST_VALUE");
        EXPECT_EQ(values->value.category.children[0]->port, static_cast<int32_t>(port));
        const ParameterInfoEntry* group = values->value.category.children[2];
        EXPECT_EQ(group->type, 0);
        EXPECT_EQ(group->depth, 1);
        EXPECT_STREQ(group->parentName, "Test Values");
        const ParameterInfoEntry* mode = group->value.category.children[0];
        ASSERT_EQ(mode->value.enumeration.count, 2);
        EXPECT_STREQ(mode->value.enumeration.valueNames[0], "First & best");
        EXPECT_EQ(mode->value.enumeration.values[1], 2);
        EXPECT_STREQ(mode->value.enumeration.valueDescriptions[1], "TEST_SECOND");
    }
    EXPECT_EQ(lib().Fg_getParameterInfo(handle(), 2), nullptr);
    EXPECT_EQ(lib().Fg_getParameterInfo(handle(), 7), nullptr);
}

TEST_F(Files, XmlDescriptionIsTheExpectedWellFormedDocument)
{
    create(libraryPath("testapplet1.so"));
    const std::string document = xml();
    EXPECT_EQ(document, expectedFile("testapplet_port0.xml"));
    expectWellFormedXml(document);
}

TEST_F(Files, XmlSizeProtocol)
{
    create(libraryPath("testapplet1.so"));
    size_t size = 0;
    ASSERT_EQ(lib().Fg_getParameterInfoXML(handle(), 0, nullptr, &size), 0);
    const std::string whole = expectedFile("testapplet_port0.xml");
    EXPECT_EQ(size, whole.size() + 1);

    std::string exact(size, 'x');
    EXPECT_EQ(lib().Fg_getParameterInfoXML(handle(), 0, exact.data(), &size), 0);
    EXPECT_EQ(exact, whole + '\0');

    size_t shortSize = whole.size();
    std::string tooShort(shortSize, 'x');
    EXPECT_EQ(lib().Fg_getParameterInfoXML(handle(), 0, tooShort.data(), &shortSize), -500);
    EXPECT_EQ(shortSize, whole.size()) << "the size is left as it was";
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -500);

    size_t zero = 0;
    EXPECT_EQ(lib().Fg_getParameterInfoXML(handle(), 0, exact.data(), &zero), -500);
    EXPECT_EQ(lib().Fg_getParameterInfoXML(handle(), 1, nullptr, &size), -2075);
    EXPECT_EQ(lib().Fg_getLastErrorNumber(handle()), -2075);
}

TEST_F(Files, SettingsSectionIsTheLibrarysOwnName)
{
    IsolatedLibrary copy(scratch_, "testapplet1.so", "mycamera.so");
    std::ofstream(scratch_.file("inspect.conf")) << "# settings\n[other]\nFG_TIMEOUT = yes\n"
                                                  << "[mycamera]\nFG_TIMEOUT = TRUE # note\nFG_TRANSFER_LEN=off\n"
                                                  << "HOST_MODE=On\nNOT_A_HOST_NAME=1\n";
    create(copy.path());
    // Admitted host parameters follow the applet's own, in key order.
    EXPECT_EQ(lib().Fg_getNrOfParameter(handle()), 13);
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 11), "DPLA_FG_TIMEOUT");
    EXPECT_STREQ(lib().Fg_getParameterName(handle(), 12), "DPLA_HOST_MODE");
    // They go to the host's own parameters, but have no id by name.
    EXPECT_EQ(lib().setInt(handle(), 2000600, 123), 0);
    EXPECT_EQ(simHostGetParameter(600, 0), 123);
    EXPECT_EQ(lib().Fg_getParameterIdByName(handle(), "DPLA_FG_TIMEOUT"), -2070);
    EXPECT_EQ(lib().Fg_getParameterId(handle(), 11), -2070);
}

TEST_F(Files, HostTreeSeedsAndMirrorsItsRegisterParameters)
{
    ScopedEnvironment mirror("VELM_ENABLE_DPLA", "YES");
    create(libraryPath("testapplet1.so"));
    const char* admitted[] = {"DPLA_Device1_Process0_Host_Counter", "DPLA_Device1_Process0_Host_Gain",
                              "DPLA_FG_TIMEOUT", "DPLA_FG_TRANSFER_LEN", "DPLA_FG_TURBO_DMA_MODE", "DPLA_HOST_MODE"};
    ASSERT_EQ(lib().Fg_getNrOfParameter(handle()), 11 + 6) << "string and double entries are not taken";
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_STREQ(lib().Fg_getParameterName(handle(), 11 + i), admitted[i]);
    }

    ParameterInfoEntry* root = lib().Fg_getParameterInfo(handle(), 0);
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->displayName, "Direct PL Access");
    // The host's categories are made again under the mirror, each once,
    // with the host's display names and parameter names.
    std::vector<std::string> categories;
    const ParameterInfoEntry* mode = nullptr;
    for (int32_t i = 0; i < root->value.category.childCount; ++i) {
        const ParameterInfoEntry* category = root->value.category.children[i];
        categories.push_back(std::string(category->displayName) + "/" + (category->name ? category->name : "null"));
    }
    EXPECT_EQ(categories, (std::vector<std::string>{"Host Design/HostDesign", "Host Acquisition/HostAcquisition"}));
    const ParameterInfoEntry* design = root->value.category.children[0];
    EXPECT_EQ(design->value.category.childCount, 3);
    const ParameterInfoEntry* deeper = design->value.category.children[2]->value.category.children[0];
    EXPECT_STREQ(design->value.category.children[2]->name, "HostDeep");
    EXPECT_STREQ(deeper->name, "HostDeeper");
    EXPECT_STREQ(deeper->parentName, "Deep");
    mode = deeper->value.category.children[0];
    EXPECT_STREQ(mode->name, "DPLA_HOST_MODE");
    EXPECT_EQ(mode->id, 2090012);
    EXPECT_EQ(mode->attributeA, 2);
    EXPECT_EQ(mode->value.enumeration.count, 3);
    EXPECT_EQ(mode->value.enumeration.valueDescriptions[2], nullptr);
    // Mirrored in the order the parameters were admitted: by name.
    EXPECT_EQ(design->value.category.children[0]->type, 12);
    EXPECT_EQ(design->value.category.children[1]->type, 11);
    // The mirror is written into the XML like any other category.
    EXPECT_NE(xml().find("<pFeature>DPLA_HOST_MODE</pFeature>"), std::string::npos);
}

TEST_F(Files, DirectRegisterAccessCategoryIsInTheTreeButNotInTheXml)
{
    ScopedEnvironment direct("VELM_ENABLE_DRA", "on");
    create(libraryPath("testapplet1.so"));
    ParameterInfoEntry* root = lib().Fg_getParameterInfo(handle(), 0);
    ASSERT_NE(root, nullptr);
    ASSERT_STREQ(root->displayName, "Direct Register Access");
    ASSERT_EQ(root->value.category.childCount, 14);
    const ParameterInfoEntry* narrow = root->value.category.children[0];
    EXPECT_STREQ(narrow->displayName, "Device1_Process0_Test_Narrow (16)");
    EXPECT_STREQ(narrow->name, "DRA_Device1_Process0_Test_Narrow");
    EXPECT_EQ(narrow->value.integer.max, 65535);
    EXPECT_EQ(narrow->access, 7);
    EXPECT_EQ(root->value.category.children[1]->value.integer.max, -1) << "32 bits all set";
    EXPECT_EQ(root->value.category.children[2]->type, 9) << "48 bits";
    EXPECT_EQ(root->value.category.children[2]->value.int64.max, (int64_t{1} << 48) - 1);
    EXPECT_EQ(root->value.category.children[4]->access, 1) << "read-only register";
    EXPECT_EQ(xml(), expectedFile("testapplet_port0.xml"));
}

}  // namespace
}  // namespace velm::test
