#include "platform/IniFiles.h"

#include "platform/FileUtils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

String IniError(const std::function<void()>& action) {
    try {
        action();
    } catch (const EIniFileException& error) {
        return error.Message();
    }
    return "(nothing raised)";
}

class IniFileTest : public testing::Test {
protected:
    void TearDown() override { SetWriteFailureForTests(-1); }
    void Given(const String& text) { WriteFileAtomic(FileName, text); }
    String Text() const { return ReadFileBytes(FileName); }
    String FileName = TestSupport::Sandbox("test.ini");
};

TEST_F(IniFileTest, ReadsAsTheProfileRoutinesDo) {
    Given("Total=99\n"
          "[Sessions]\n"
          "  Total =  3  \n"
          "S1=\"quoted\"\n"
          "S2='single'\n"
          "S3=\"unbalanced\n"
          "S4=\"in\"side\"\n"
          "Empty=\n"
          "total=7\n"
          "; S5=comment\n"
          "no equals sign\n"
          "[ sessions ]\n"
          "S6=in the second section of that name\n"
          "[Other]\r\n"
          "Key=value with = sign\r\n");
    TIniFile ini(FileName);
    const struct {
        const char *Section, *Name, *Expected;
    } cases[] = {
        {"Sessions", "Total", "3"},
        {"SESSIONS", "total", "3"},
        {"Sessions", "S1", "quoted"},
        {"Sessions", "S2", "single"},
        {"Sessions", "S3", "\"unbalanced"},
        {"Sessions", "S4", "in\"side"},
        {"Sessions", "Empty", ""},
        {"Sessions", "S5", "(default)"},
        {"Sessions", "no equals sign", "(default)"},
        {"Sessions", "S6", "(default)"},
        {" Other ", " key ", "value with = sign"},
        {"Missing", "Key", "(default)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, ini.ReadString(c.Section, c.Name, "(default)"))
            << c.Section << "/" << c.Name;

    TStringList list;
    ini.ReadSection("sessions", &list);
    EXPECT_EQ("Total\r\nS1\r\nS2\r\nS3\r\nS4\r\nEmpty\r\n", list.Text());
    ini.ReadSections(&list);
    EXPECT_EQ("Sessions\r\nOther\r\n", list.Text());
    ini.ReadSectionValues("other", &list);
    EXPECT_EQ("Key=value with = sign\r\n", list.Text());
    EXPECT_TRUE(ini.ValueExists("sessions", "EMPTY"));
    EXPECT_FALSE(ini.ValueExists("Sessions", "S6"));
}

TEST_F(IniFileTest, NumbersBoolsAndFloatsFallBackToTheDefaultOnOtherText) {
    Given("[N]\nDec=42\nNeg=-5\nHex=0x1F\nDollar=$10\nZero=0\nWord=abc\nEmpty=\n"
          "Float=2.5\nComma=2,5\n");
    TIniFile ini(FileName);
    const struct {
        const char* Name;
        int Integer;
        bool Bool;
    } numbers[] = {{"Dec", 42, true},  {"Neg", -5, true}, {"Hex", 31, true},  {"Dollar", 16, true},
                   {"Zero", 0, false}, {"Word", 7, true}, {"Empty", 7, true}, {"Missing", 7, true}};
    for (const auto& n : numbers) {
        EXPECT_EQ(n.Integer, ini.ReadInteger("N", n.Name, 7)) << n.Name;
        EXPECT_EQ(n.Bool, ini.ReadBool("N", n.Name, true)) << n.Name;
    }
    EXPECT_EQ(2.5, ini.ReadFloat("N", "Float", 1));
    EXPECT_EQ(1, ini.ReadFloat("N", "Comma", 1));
    EXPECT_EQ(1, ini.ReadFloat("N", "Missing", 1));
}

TEST_F(IniFileTest, AWriteChangesOnlyItsLineKeepsTheRestAndWritesCrLf) {
    Given("\xA7\x01 not understood\n"
          "[Sessions]\n"
          "Total=1\n"
          "S1=45000.5\n"
          "total=9\n"
          "\n"
          "[Other]\n"
          "odd line\n");
    TIniFile ini(FileName);
    ini.WriteInteger("sessions", "TOTAL", 2);
    ini.WriteString("Sessions", "S2", "45001.250000");
    ini.WriteString("New", "Key", " spaced ");
    ini.WriteBool("Other", "Flag", true);
    EXPECT_EQ("\xA7\x01 not understood\r\n"
              "[Sessions]\r\n"
              "Total=2\r\n"
              "S1=45000.5\r\n"
              "total=9\r\n"
              "S2=45001.250000\r\n"
              "\r\n"
              "[Other]\r\n"
              "odd line\r\n"
              "Flag=1\r\n"
              "\r\n"
              "[New]\r\n"
              "Key= spaced \r\n",
              Text());
    TIniFile again(FileName);
    EXPECT_EQ(2, again.ReadInteger("Sessions", "Total", 0));
    EXPECT_EQ("spaced", again.ReadString("New", "Key", ""));
}

TEST_F(IniFileTest, ErasingASectionOrDeletingAKeyRemovesEveryCopy) {
    Given("[A]\nk=1\nx=2\nK=3\n[b]\ny=1\n[a]\nk=4\n");
    TIniFile ini(FileName);
    ini.DeleteKey("a", "K");
    EXPECT_FALSE(ini.ValueExists("A", "k"));
    EXPECT_EQ("[A]\r\nx=2\r\n[b]\r\ny=1\r\n[a]\r\nk=4\r\n", Text());
    ini.EraseSection("A");
    EXPECT_EQ("[b]\r\ny=1\r\n", Text());
    EXPECT_FALSE(ini.SectionExists("a"));
    EXPECT_TRUE(ini.SectionExists("B"));

    ini.WriteString("Empty", "k", "v");
    ini.DeleteKey("Empty", "k");
    EXPECT_FALSE(ini.SectionExists("Empty")); // a section without keys counts as missing
}

TEST_F(IniFileTest, SeesWhatAnotherWriterPutInTheFile) {
    TIniFile ini(FileName);
    EXPECT_EQ(0, ini.ReadInteger("Sessions", "Total", 0));
    Given("[Sessions]\nTotal=5\n");
    EXPECT_EQ(5, ini.ReadInteger("Sessions", "Total", 0));
    TIniFile(FileName).WriteInteger("Sessions", "Total", 6);
    EXPECT_EQ(6, ini.ReadInteger("Sessions", "Total", 0));
}

TEST_F(IniFileTest, AWriteThatCannotBeMadeNamesTheFileAndLosesNothing) {
    Given("[Sessions]\nTotal=5\n");
    const String before = Text();
    TIniFile ini(FileName);
    for (int64_t failAfter : {0, 5, 20}) {
        SetWriteFailureForTests(failAfter);
        const String message = IniError([&] { ini.WriteInteger("Sessions", "Total", 6); });
        EXPECT_NE(String::npos, message.find(FileName)) << message;
        EXPECT_EQ(before, Text());
        EXPECT_EQ(5, ini.ReadInteger("Sessions", "Total", 0));
    }
    SetWriteFailureForTests(-1);

    // Names and values that would read back as something else, or break the file.
    const struct {
        const char *Name, *Value;
    } refused[] = {{"a=b", "1"}, {"k", "two\r\nlines"}, {"[k", "1"}, {";k", "1"}, {" ", "1"}};
    for (const auto& r : refused)
        EXPECT_NE(String::npos,
                  IniError([&] { ini.WriteString("Sessions", r.Name, r.Value); }).find(FileName))
            << r.Name;
    EXPECT_EQ(before, Text());

    const String folder = TestSupport::Sandbox("folder.ini");
    ASSERT_TRUE(ForceDirectories(folder));
    TIniFile unreadable(folder);
    EXPECT_EQ("default", unreadable.ReadString("S", "K", "default"));
    EXPECT_NE(String::npos, IniError([&] { unreadable.WriteString("S", "K", "v"); }).find(folder));
    EXPECT_TRUE(DirectoryExists(folder));

    const String nowhere = TestSupport::Sandbox("missing/x.ini");
    EXPECT_NE(String::npos,
              IniError([&] { TIniFile(nowhere).WriteString("S", "K", "v"); }).find(nowhere));
}

} // namespace
