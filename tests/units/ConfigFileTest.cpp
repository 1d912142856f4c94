#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ErrorCodes.h"
#include "ErrorLog.h"
#include "Fg_ConfigFileParser.h"
#include "UnitSupport.h"

namespace velm::units {
namespace {

constexpr const char* kHeader =
    "[Kamerasektion]\n\nConfigFileVersion=2.0;\nHersteller='Velmarint';\nTyp='Testlet';\nVersion='1.0';\n"
    "LoadAppletId=42;\nAktivePort=0;\n";

TEST(ConfigSave, WritesHeaderThenTheAppletsSectionByteForByte)
{
    ScratchDirectory dir;
    StubApplet applet;
    applet.onWrite = [](Fg_ConfigFileParser& parser) {
        parser.writePortSection(0);
        parser.writeConfigFileIntKey("FG_WIDTH", 1024);
        parser.wrtiteConfigFileDoubleKey("FG_GEN_FREQ", 40.0);
        parser.writeConfigFile("FG_LUT_CUSTOM_FILE", "C:\\luts\\a b.lut");
        parser.writeConfigFileUInt64Key("FG_BIG", UINT64_MAX);
    };
    ASSERT_EQ(applet.saveConfig(nullptr, dir.file("camera.mcf").c_str()), 0);
    EXPECT_EQ(applet.getLastError(), 0);
    EXPECT_EQ(readWhole(dir.file("camera.mcf")), readWhole(expectedFile("saved.mcf")));
}

TEST(ConfigSave, AcceptsOnlyNamesContainingMcf)
{
    struct Case {
        const char* name;
        std::int32_t result;
        bool created;
    };
    const Case cases[] = {
        {"a.mcf", 0, true},
        {"a.mcf.bak", 0, true},
        {"a.txt", kErrConfigSaveFailed, false},
        {"missing/a.mcf", kErrConfigSaveFailed, false},
    };
    for (const Case& c : cases) {
        ScratchDirectory dir;
        StubApplet applet;
        applet.setLastError(123);
        EXPECT_EQ(applet.saveConfig(nullptr, dir.file(c.name).c_str()), c.result) << c.name;
        EXPECT_EQ(applet.getLastError(), c.result) << c.name;
        EXPECT_EQ(std::filesystem::exists(dir.file(c.name)), c.created) << c.name;
    }
    StubApplet applet;
    EXPECT_EQ(applet.saveConfig(nullptr, nullptr), kErrConfigSaveFailed);
}

TEST(ConfigSave, AHookThatThrowsFailsTheSaveAndLeavesThePreviousFile)
{
    ScratchDirectory dir;
    StubApplet applet;
    applet.onWrite = [](Fg_ConfigFileParser&) { throw std::int32_t{-6000}; };
    EXPECT_EQ(applet.saveConfig(nullptr, dir.file("new.mcf").c_str()), kErrConfigSaveFailed);
    EXPECT_EQ(applet.getLastError(), kErrConfigSaveFailed);
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.mcf")));

    writeWhole(dir.file("old.mcf"), "previous");
    EXPECT_EQ(applet.saveConfig(nullptr, dir.file("old.mcf").c_str()), kErrConfigSaveFailed);
    EXPECT_EQ(readWhole(dir.file("old.mcf")), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "nothing else is left";
}

TEST(ConfigLoad, ReturnedAndStoredCodes)
{
    struct Case {
        const char* what;
        const char* fileName;  // null: no file is written
        std::string content;
        std::function<bool(Fg_ConfigFileParser&)> hook;
        std::int32_t returned;
        std::int32_t stored;
    };
    const std::string good = std::string(kHeader) + "\n[Port A]\nFG_WIDTH=1024;\n";
    const auto noHeaderKey = [&](const std::string& line) {
        std::string text = good;
        text.erase(text.find(line), line.size());
        return text;
    };
    const Case cases[] = {
        {"success", "a.mcf", good, nullptr, 0, 0},
        {"missing file", nullptr, "", nullptr, kErrFileNotAccepted, kErrConfigLoadFailed},
        {"not a configuration name", "a.txt", good, nullptr, kErrFileNotAccepted, kErrConfigLoadFailed},
        {"empty file", "a.mcf", "", nullptr, kErrConfigLoadFailed, kErrConfigLoadFailed},
        {"another applet", "a.mcf", "Hersteller='V';\nTyp='Belcora';\n[Kamerasektion]\nAktivePort=0;\n", nullptr,
         kErrConfigLoadFailed, kErrConfigLoadFailed},
        {"no AktivePort", "a.mcf", noHeaderKey("AktivePort=0;\n"), nullptr, kErrConfigLoadFailed,
         kErrConfigLoadFailed},
        {"no Hersteller", "a.mcf", noHeaderKey("Hersteller='Velmarint';\n"), nullptr, kErrConfigLoadFailed,
         kErrConfigLoadFailed},
        {"hook refuses", "a.mcf", good, [](Fg_ConfigFileParser&) { return false; }, kErrConfigLoadFailed,
         kErrConfigLoadFailed},
        {"hook throws", "a.mcf", good, [](Fg_ConfigFileParser&) -> bool { throw std::int32_t{-6000}; },
         kErrConfigLoadFailed, kErrConfigLoadFailed},
    };
    for (const Case& c : cases) {
        ScratchDirectory dir;
        const std::string name = dir.file(c.fileName != nullptr ? c.fileName : "absent.mcf");
        if (c.fileName != nullptr) {
            writeWhole(name, c.content);
        }
        StubApplet applet;
        applet.onRead = c.hook;
        EXPECT_EQ(applet.loadConfig(nullptr, name.c_str()), c.returned) << c.what;
        EXPECT_EQ(applet.getLastError(), c.stored) << c.what;
    }
    StubApplet applet;
    EXPECT_EQ(applet.loadConfig(nullptr, nullptr), kErrFileNotAccepted);
    EXPECT_EQ(applet.getLastError(), kErrConfigLoadFailed);
}

TEST(ConfigLoad, ASavedFileLoadsAndItsKeysReadBack)
{
    ScratchDirectory dir;
    StubApplet applet;
    applet.onWrite = [](Fg_ConfigFileParser& parser) {
        parser.writePortSection(0);
        parser.writeConfigFileIntKey("FG_WIDTH", -1024);
        parser.wrtiteConfigFileDoubleKey("FG_GEN_FREQ", 12.5);
        parser.writeConfigFile("FG_LUT_CUSTOM_FILE", "my 'file'.lut");
        parser.writePortSection(1);
        parser.writeConfigFileUInt64Key("FG_BIG", 12345678901234ULL);
    };
    std::int32_t width = 0;
    double frequency = 0;
    std::uint64_t big = 0;
    char text[Fg_ConfigFileParser::kValueBufferSize];
    applet.onRead = [&](Fg_ConfigFileParser& parser) {
        return parser.parsePortIntKey(0, "FG_WIDTH", &width) == 0 &&
               parser.parsePortDoubleKey(0, "FG_GEN_FREQ", &frequency) == 0 &&
               parser.parsePortKey(0, "FG_LUT_CUSTOM_FILE", text) == 0 &&
               parser.parsePortUInt64Key(1, "FG_BIG", &big) == 0;
    };
    const std::string name = dir.file("a.mcf");
    ASSERT_EQ(applet.saveConfig(nullptr, name.c_str()), 0);
    ASSERT_EQ(applet.loadConfig(nullptr, name.c_str()), 0);
    EXPECT_EQ(width, -1024);
    EXPECT_EQ(frequency, 12.5);
    EXPECT_STREQ(text, "my 'file'.lut");  // a quoted text runs to the last quote of its line
    EXPECT_EQ(big, 12345678901234ULL);
}

// A parser over a file of the given bytes, opened read-only.
class ParserOver {
public:
    explicit ParserOver(const std::string& content) : name_(dir_.file("p.mcf"))
    {
        writeWhole(name_, content);
        parser_ = std::make_unique<Fg_ConfigFileParser>(nullptr, name_.c_str(), true);
    }
    Fg_ConfigFileParser& operator*() { return *parser_; }
    Fg_ConfigFileParser* operator->() { return parser_.get(); }

private:
    ScratchDirectory dir_;
    std::string name_;
    std::unique_ptr<Fg_ConfigFileParser> parser_;
};

TEST(ConfigWrite, NumbersTakeTheirFixedForms)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.1, "0.1"}, {1024.0, "1024"}, {1.0 / 3.0, "0.333333333333"}, {-2.5e-20, "-2.5e-20"},
        {2.220446049250313e-16, "2.22044604925e-16"},
    };
    for (const Case& c : cases) {
        ScratchDirectory dir;
        {
            Fg_ConfigFileParser parser(nullptr, nullptr, false);
            ASSERT_TRUE(parser.setSaveFile(dir.file("d.mcf").c_str()));
            parser.wrtiteConfigFileDoubleKey("K", c.value);
            ASSERT_TRUE(parser.commitSaveFile());
        }
        EXPECT_EQ(readWhole(dir.file("d.mcf")), std::string("K=") + c.text + ";\n");
    }
    EXPECT_EQ(Fg_ConfigFileParser::getPortSectionName(0), "[Port A]");
    EXPECT_EQ(Fg_ConfigFileParser::getPortSectionName(1), "[Port B]");
}

TEST(ConfigParse, KeyLinesAndTheirValues)
{
    struct Case {
        const char* what;
        std::string content;
        const char* key;
        std::int32_t result;
        std::string value;
    };
    const std::string head = "[Port A]\n";
    const std::string longValue(300, 'x');
    const Case cases[] = {
        {"plain", head + "FG_WIDTH=1024;\n", "FG_WIDTH", 0, "1024"},
        {"longer name first", head + "FG_WIDTH2=5;\nFG_WIDTH=1024;\n", "FG_WIDTH", 0, "1024"},
        {"only the longer name", head + "FG_WIDTH2=5;\n", "FG_WIDTH", kErrKeyNotFound, "Error"},
        {"leading blank kept", head + "FG_X= 5;\n", "FG_X", 0, " 5"},
        {"quoted with blank", head + "NAME='a b';\n", "NAME", 0, "a b"},
        {"empty quoted", head + "NAME='';\n", "NAME", 0, ""},
        {"empty quoted, CRLF", head + "NAME='';\r\n", "NAME", 0, ""},
        {"CRLF value", head + "FG_X=5;\r\n", "FG_X", 0, "5"},
        {"nothing after = at the end", head + "K=", "K", 0, ""},
        {"only ; after = at the end", head + "K=;", "K", 0, ""},
        {"no final newline", head + "K=7;", "K", 0, "7"},
        {"key before the section", "K=1;\n" + head, "K", kErrKeyNotFound, "Error"},
        {"key in a later section", head + "[Port B]\nK=2;\n", "K", 0, "2"},
        {"no section", "K=1;\n", "K", kErrKeyNotFound, "Error"},
        {"empty file", "", "K", kErrKeyNotFound, "Error"},
        {"long value cut to the buffer", head + "K=" + longValue + ";\n", "K", 0, std::string(255, 'x')},
        {"key inside a long line's tail", head + std::string(255, 'y') + "K=9;\n", "K", kErrKeyNotFound, "Error"},
        {"key after a long line", head + "L='" + longValue + "';\nK=9;\n", "K", 0, "9"},
        {"quoted with = and ;", head + "NAME='C:\\luts\\gamma=0.45;2.lut';\n", "NAME", 0, "C:\\luts\\gamma=0.45;2.lut"},
        {"quoted to the last quote", head + "NAME='a 'b' c';\n", "NAME", 0, "a 'b' c"},
        {"unclosed quote", head + "NAME='a=b;\n", "NAME", 0, "a"},
        {"section inside a value", "[Port B]\nNAME='/luts/[Port A]/0.lut';\nK=1;\n" + head + "K=2;\n", "K", 0, "2"},
        {"section indented", " [Port A]\nK=1;\n", "K", kErrKeyNotFound, "Error"},
        {"NUL ends the value", head + std::string("K=1\0junk;\n", 10), "K", 0, "1"},
        {"NUL inside the key", head + std::string("K\0=5;\nK=6;\n", 11), "K", 0, "6"},
    };
    for (const Case& c : cases) {
        ParserOver parser(c.content);
        char value[Fg_ConfigFileParser::kValueBufferSize];
        EXPECT_EQ(parser->parseKey("[Port A]", c.key, value), c.result) << c.what;
        EXPECT_EQ(std::string(value), c.value) << c.what;
    }
}

// Texts of configuration files may be longer than the parser's own buffers:
// a caller's buffer takes as much as it can hold, however long the line.
TEST(ConfigParse, LongQuotedValuesFillTheCallersBuffer)
{
    const std::string text = "/data/run;2/" + std::string(1011, 'n');
    ParserOver parser("[Port A]\nNAME='" + text + "';\nK=1;\n");
    std::vector<char> whole(text.size() + 1);
    ASSERT_EQ(parser->parseKey("[Port A]", "NAME", whole.data(), whole.size()), 0);
    EXPECT_EQ(std::string(whole.data()), text);
    char small[16];
    ASSERT_EQ(parser->parseKey("[Port A]", "NAME", small, sizeof small), 0);
    EXPECT_EQ(std::string(small), text.substr(0, sizeof small - 1));
}

TEST(ConfigParse, NumberFormsLeaveTheValueWhenTheKeyIsMissing)
{
    ParserOver parser("[Kamerasektion]\nAktivePort=3;\n[Port A]\nI= 5;\nBIG=99999999999;\n"
                      "U=18446744073709551615;\nUOVER=99999999999999999999999;\nUTEXT=abc;\nD=0.25;\n"
                      "SAYS=Error;\nSAYS2='no Error here';\n");
    std::int32_t i = 77;
    EXPECT_EQ(parser->parsePortIntKey(0, "MISSING", &i), kErrFailed);
    EXPECT_EQ(i, 77);
    EXPECT_EQ(parser->parsePortIntKey(0, nullptr, &i), kErrFailed);
    EXPECT_EQ(parser->parsePortIntKey(0, "I", nullptr), kErrFailed);
    EXPECT_EQ(parser->parsePortIntKey(0, "I", &i), 0);
    EXPECT_EQ(i, 5);
    EXPECT_EQ(parser->parsePortIntKey(0, "BIG", &i), 0);
    EXPECT_EQ(i, INT32_MAX);
    EXPECT_EQ(parser->parseIntKeyFromHeader("AktivePort", &i), 0);
    EXPECT_EQ(i, 3);
    // A found value that holds "Error" is no number either.
    EXPECT_EQ(parser->parsePortIntKey(0, "SAYS", &i), kErrFailed);
    EXPECT_EQ(parser->parsePortIntKey(0, "SAYS2", &i), kErrFailed);
    EXPECT_EQ(i, 3);

    std::uint64_t u = 1;
    EXPECT_EQ(parser->parsePortUInt64Key(0, "U", &u), 0);
    EXPECT_EQ(u, UINT64_MAX);
    u = 1;
    EXPECT_EQ(parser->parsePortUInt64Key(0, "UOVER", &u), 0);
    EXPECT_EQ(u, UINT64_MAX);
    u = 1;
    EXPECT_EQ(parser->parsePortUInt64Key(0, "UTEXT", &u), 0);
    EXPECT_EQ(u, 1u);
    EXPECT_EQ(parser->parsePortUInt64Key(0, "MISSING", &u), kErrFailed);
    EXPECT_EQ(parser->parsePortUInt64Key(0, "SAYS", &u), kErrFailed);
    EXPECT_EQ(u, 1u);

    double d = 9;
    EXPECT_EQ(parser->parsePortDoubleKey(0, "MISSING", &d), kErrFailed);
    EXPECT_EQ(d, 9);
    EXPECT_EQ(parser->parsePortDoubleKey(0, "D", &d), 0);
    EXPECT_EQ(d, 0.25);
    EXPECT_EQ(parser->parsePortDoubleKey(0, "SAYS", &d), kErrFailed);
    EXPECT_EQ(d, 0.25);

    char text[Fg_ConfigFileParser::kValueBufferSize];
    EXPECT_EQ(parser->parsePortKey(0, nullptr, text), kErrFailed);
    EXPECT_EQ(parser->parsePortKey(1, "I", text), kErrKeyNotFound);
}

TEST(ConfigParse, HeaderLinesAreFoundAnywhereAndCopiedWhole)
{
    ParserOver parser("Typ='Belcora';\nAktivePort=0;\nEmpty\n");
    char value[Fg_ConfigFileParser::kValueBufferSize];
    EXPECT_EQ(parser->parseKeyFromLine("Typ", value), 0);
    EXPECT_STREQ(value, "Belcora");
    EXPECT_EQ(parser->parseKeyFromLine("AktivePort", value), 0);
    EXPECT_STREQ(value, "0;\n");
    EXPECT_EQ(parser->parseKeyFromLine("Empty", value), 0);
    EXPECT_STREQ(value, "");
    EXPECT_EQ(parser->parseKeyFromLine("Hersteller", value), kErrKeyNotFound);
    EXPECT_STREQ(value, "Error");
}

TEST(ErrorLogTest, ARefusedSaveNameIsLoggedWhenALogIsOpen)
{
    ScratchDirectory dir;
    ErrorLog log;
    ASSERT_TRUE(log.open(dir.file("log.txt").c_str()));
    Fg_ConfigFileParser parser(&log, nullptr, false);
    EXPECT_FALSE(parser.setSaveFile(dir.file("a.txt").c_str()));
    log.close();
    EXPECT_EQ(readWhole(dir.file("log.txt")), "korvaneIV::Error >> Config File is Invalid;\n");
}

}  // namespace
}  // namespace velm::units
