#include "platform/Registry.h"

#include "platform/FileUtils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <vector>

using TestSupport::ScopedEnv;

namespace {

String StoreFile() {
    return std::getenv("QUILTMARKER_REGISTRY");
}

// What a later run of the program finds: the same file, read afresh.
void StartNewRun() {
    static int run = 0;
    const String copy = TestSupport::Sandbox("run" + IntToStr(++run) + ".reg");
    ASSERT_TRUE(CopyFile(StoreFile(), copy, false));
    setenv("QUILTMARKER_REGISTRY", copy.c_str(), 1);
}

String RegistryError(const std::function<void()>& action) {
    try {
        action();
    } catch (const ERegistryException& error) {
        return error.Message();
    }
    return "(nothing raised)";
}

String Names(TStrings& list) {
    return list.Text();
}

class RegistryTest : public testing::Test {
protected:
    void TearDown() override { SetWriteFailureForTests(-1); }
    void Open(const String& key) { ASSERT_TRUE(Reg.OpenKey(key, true)) << key; }
    TRegistry Reg;
};

TEST_F(RegistryTest, TypedValuesSurviveANewRunByteForByte) {
    String blob;
    for (int i = 0; i < 200; ++i)
        blob += static_cast<char>(i * 7);
    const struct {
        String Name, Text;
    } strings[] = {
        {"Masks", "*.htm\xA7*.gif\xA7"},
        {"Path", "C:\\dir \"quoted\"\\"},
        {"Lines", "one\r\ntwo\n"},
        {"Zero", String("a\0b", 3)},
        {"Empty", ""},
        {"Utf8", "caf\xC3\xA9"},
    };
    Open("Software\\Olvane\\Quiltmarker");
    for (const auto& s : strings)
        Reg.WriteString(s.Name, s.Text);
    Reg.WriteInteger("Autosave", -7);
    Reg.WriteBool("PermSave", true);
    Reg.WriteFloat("MarginTop", 20.5);
    Reg.WriteBinaryData("Blob", blob.data(), static_cast<int>(blob.size()));
    Reg.WriteBinaryData("NoBytes", "", 0);

    StartNewRun();
    TRegistry again;
    ASSERT_TRUE(again.OpenKeyReadOnly("\\Software\\Olvane\\Quiltmarker"));
    EXPECT_EQ("", RegistryLoadProblem());
    for (const auto& s : strings) {
        EXPECT_EQ(s.Text, again.ReadString(s.Name)) << s.Name;
        EXPECT_EQ(rdString, again.GetDataType(s.Name)) << s.Name;
        EXPECT_EQ(static_cast<int>(s.Text.size()) + 1, again.GetDataSize(s.Name)) << s.Name;
    }
    EXPECT_EQ(-7, again.ReadInteger("Autosave"));
    EXPECT_EQ(rdInteger, again.GetDataType("Autosave"));
    EXPECT_TRUE(again.ReadBool("PermSave"));
    EXPECT_EQ(20.5, again.ReadFloat("MarginTop"));
    EXPECT_EQ(8, again.GetDataSize("MarginTop"));
    String read(300, '\0');
    ASSERT_EQ(200, again.ReadBinaryData("Blob", read.data(), 300));
    EXPECT_EQ(blob, read.substr(0, 200));
    EXPECT_EQ(rdBinary, again.GetDataType("NoBytes"));
    EXPECT_EQ(0, again.GetDataSize("NoBytes"));
}

TEST_F(RegistryTest, TheFileIsRegedit4AsRegeditWritesIt) {
    Open("Software\\Olvane");
    Reg.WriteString("Path", "C:\\dir \"q\"");
    Reg.WriteString("Masks", "a\xA7"
                             "b");
    Reg.WriteString("Lines", "a\r\n");
    Reg.WriteInteger("Autosave", -7);
    Reg.WriteFloat("Margin", 25.0);
    const String blob(40, '\x11');
    Reg.WriteBinaryData("Blob", blob.data(), 40);

    const String text = ReadFileBytes(StoreFile());
    EXPECT_EQ(0u, text.find("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Olvane]\r\n"));
    for (const String line : {"\"Path\"=\"C:\\\\dir \\\"q\\\"\"\r\n",
                              "\"Masks\"=\"a\xA7"
                              "b\"\r\n",
                              "\"Lines\"=hex(1):61,0d,0a,00\r\n", "\"Autosave\"=dword:fffffff9\r\n",
                              "\"Margin\"=hex:00,00,00,00,00,00,39,40\r\n"})
        EXPECT_NE(String::npos, text.find(line)) << line;
    // A long hex value goes on in further lines, as regedit wraps it.
    EXPECT_NE(String::npos, text.find("\"Blob\"=hex:11,11,"));
    EXPECT_NE(String::npos, text.find(",\\\r\n  11,"));
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != String::npos; start = end + 2)
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
}

TEST_F(RegistryTest, NamesIgnoreCaseKeepTheirFirstSpellingAndValuesTheirCreationOrder) {
    Open("Software\\Olvane\\Quiltmarker");
    Reg.WriteBool("ShowMultiMedia", true);
    Reg.WriteString("Zeta", "z");
    Reg.WriteString("Alpha", "a");
    Reg.WriteBool("SHOWMULTIMEDIA", false);
    EXPECT_FALSE(Reg.ReadBool("ShowMultimedia"));
    TStringList names;
    Reg.GetValueNames(&names);
    EXPECT_EQ("ShowMultiMedia\r\nZeta\r\nAlpha\r\n", Names(names));
    EXPECT_TRUE(Reg.DeleteValue("zeta"));
    EXPECT_FALSE(Reg.DeleteValue("zeta"));
    Reg.WriteString("Zeta", "again");
    Open("\\SOFTWARE\\olvane\\QUILTMARKER\\Font");

    StartNewRun();
    TRegistry again;
    ASSERT_TRUE(again.OpenKey("software\\OLVANE\\quiltmarker", false));
    again.GetValueNames(&names);
    EXPECT_EQ("ShowMultiMedia\r\nAlpha\r\nZeta\r\n", Names(names));
    again.GetKeyNames(&names);
    EXPECT_EQ("Font\r\n", Names(names));
    ASSERT_TRUE(again.OpenKey("\\Software", false));
    again.GetKeyNames(&names);
    EXPECT_EQ("Olvane\r\n", Names(names));
}

TEST_F(RegistryTest, ReadingAMissingOrOtherTypedValueRaisesTheFrameworksError) {
    Open("Software\\Olvane\\Quiltmarker");
    Reg.WriteString("Autosave", "7");
    Reg.WriteInteger("Count", 3);
    const char four[4] = {1, 2, 3, 4};
    Reg.WriteBinaryData("Short", four, 4);
    char buffer[8];
    const struct {
        const char* What;
        std::function<void()> Read;
        String Message;
    } cases[] = {
        {"integer from a string", [&] { Reg.ReadInteger("Autosave"); },
         "Invalid data type for 'Autosave'"},
        {"bool from a string", [&] { Reg.ReadBool("autosave"); },
         "Invalid data type for 'autosave'"},
        {"string from an integer", [&] { Reg.ReadString("Count"); },
         "Invalid data type for 'Count'"},
        {"float from 4 bytes", [&] { Reg.ReadFloat("Short"); }, "Invalid data type for 'Short'"},
        {"float from an integer", [&] { Reg.ReadFloat("Count"); }, "Invalid data type for 'Count'"},
        {"binary from a string", [&] { Reg.ReadBinaryData("Autosave", buffer, 8); },
         "Invalid data type for 'Autosave'"},
        {"binary larger than the buffer", [&] { Reg.ReadBinaryData("Short", buffer, 3); },
         "Invalid data type for 'Short'"},
        {"missing integer", [&] { Reg.ReadInteger("Gone"); }, "Failed to get data for 'Gone'"},
        {"missing bool", [&] { Reg.ReadBool("Gone"); }, "Failed to get data for 'Gone'"},
        {"missing float", [&] { Reg.ReadFloat("Gone"); }, "Failed to get data for 'Gone'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Message, RegistryError(c.Read)) << c.What;

    EXPECT_EQ("", Reg.ReadString("Gone"));
    EXPECT_EQ(0, Reg.ReadBinaryData("Gone", buffer, 8));
    EXPECT_EQ(rdUnknown, Reg.GetDataType("Gone"));
    EXPECT_EQ(-1, Reg.GetDataSize("Gone"));
}

TEST_F(RegistryTest, KeysOpenFromTheOpenKeyOrFromTheRootWithALeadingBackslash) {
    EXPECT_FALSE(Reg.OpenKey("Software\\Olvane", false));
    EXPECT_FALSE(Reg.KeyExists("Software"));
    Open("Software\\Olvane");
    Open("Quiltmarker\\Font");
    EXPECT_EQ("Software\\Olvane\\Quiltmarker\\Font", Reg.CurrentPath());
    EXPECT_FALSE(Reg.OpenKey("Missing", false));
    EXPECT_EQ("Software\\Olvane\\Quiltmarker\\Font", Reg.CurrentPath());
    EXPECT_TRUE(Reg.CreateKey("Sub"));
    EXPECT_EQ("Software\\Olvane\\Quiltmarker\\Font", Reg.CurrentPath());
    EXPECT_TRUE(Reg.KeyExists("Sub"));
    EXPECT_TRUE(Reg.KeyExists("\\Software\\Olvane\\Quiltmarker"));
    EXPECT_FALSE(Reg.KeyExists("Software"));
    Open("\\RichPrint.Settings\\Marges");
    EXPECT_EQ("RichPrint.Settings\\Marges", Reg.CurrentPath());
    Reg.CloseKey();
    EXPECT_EQ("", Reg.CurrentPath());
    EXPECT_TRUE(Reg.KeyExists("Software\\Olvane\\Quiltmarker\\Font\\Sub"));

    EXPECT_TRUE(Reg.DeleteKey("\\Software\\Olvane\\Quiltmarker"));
    EXPECT_FALSE(Reg.DeleteKey("Software\\Olvane\\Quiltmarker"));
    EXPECT_FALSE(Reg.KeyExists("Software\\Olvane\\Quiltmarker\\Font"));

    StartNewRun();
    TRegistry again;
    EXPECT_TRUE(again.KeyExists("Software\\Olvane"));
    EXPECT_FALSE(again.KeyExists("Software\\Olvane\\Quiltmarker"));
    EXPECT_TRUE(again.KeyExists("RichPrint.Settings\\Marges")); // empty, and still there
}

TEST_F(RegistryTest, TheTwoRootsAreApartAndAReadOnlyOrClosedKeyTakesNoWrite) {
    Reg.SetRootKey(HKEY_LOCAL_MACHINE);
    Open("Software\\Microsoft\\Internet Explorer\\Main");
    Reg.WriteString("Window Title", "Browser");
    Reg.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_EQ("", Reg.CurrentPath());
    EXPECT_FALSE(Reg.KeyExists("Software\\Microsoft"));

    StartNewRun();
    TRegistry reader;
    reader.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reader.OpenKeyReadOnly("Software\\Missing"));
    ASSERT_TRUE(reader.OpenKeyReadOnly("Software\\Microsoft\\Internet Explorer\\Main"));
    EXPECT_EQ("Browser", reader.ReadString("window title"));
    EXPECT_EQ("Failed to set data for 'Window Title'",
              RegistryError([&] { reader.WriteString("Window Title", "Mine"); }));
    EXPECT_FALSE(reader.DeleteValue("Window Title"));
    EXPECT_EQ("Browser", reader.ReadString("Window Title"));

    TRegistry closed;
    EXPECT_EQ("Failed to set data for 'X'", RegistryError([&] { closed.WriteInteger("X", 1); }));
}

TEST_F(RegistryTest, AnIniFileOverAKeyKeepsSectionsAsSubkeysAndValuesAsStrings) {
    {
        TRegIniFile mru("\\Software\\Olvane\\Quiltmarker\\LatestFiles");
        EXPECT_EQ("Software\\Olvane\\Quiltmarker\\LatestFiles", mru.CurrentPath());
        mru.WriteString("MRU Items", "F0", "/home/u/b.html");
        mru.WriteString("MRU Items", "F1", "/home/u/a.html");
        mru.WriteInteger("Toolbar", "DockRow", -2);
        mru.WriteBool("Toolbar", "Visible", true);
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Olvane\\Quiltmarker\\LatestFiles\\Toolbar", false));
    EXPECT_EQ(rdString, reg.GetDataType("DockRow"));
    EXPECT_EQ("-2", reg.ReadString("DockRow"));
    EXPECT_EQ("1", reg.ReadString("Visible"));
    reg.WriteInteger("Dword", 31);
    reg.WriteString("Hex", "0x1F");
    reg.WriteString("Word", "12px");
    reg.WriteBinaryData("Blob", "\1", 1);

    TRegIniFile ini("Software\\Olvane\\Quiltmarker\\LatestFiles");
    TStringList lines;
    ini.ReadSectionValues("mru items", &lines);
    EXPECT_EQ("F0=/home/u/b.html\r\nF1=/home/u/a.html\r\n", Names(lines));
    ini.ReadSections(&lines);
    EXPECT_EQ("MRU Items\r\nToolbar\r\n", Names(lines));
    const struct {
        const char* Name;
        int Expected;
    } numbers[] = {{"DockRow", -2}, {"Dword", 31}, {"Hex", 31},
                   {"Word", 99},    {"Blob", 99},  {"Missing", 99}};
    for (const auto& n : numbers)
        EXPECT_EQ(n.Expected, ini.ReadInteger("Toolbar", n.Name, 99)) << n.Name;
    EXPECT_TRUE(ini.ReadBool("Toolbar", "Visible", false));
    EXPECT_EQ("31", ini.ReadString("Toolbar", "Dword", ""));
    EXPECT_EQ("default", ini.ReadString("Toolbar", "Blob", "default"));
    EXPECT_EQ("default", ini.ReadString("No Section", "F0", "default"));

    ini.DeleteKey("Toolbar", "word");
    ini.ReadSection("Toolbar", &lines);
    EXPECT_EQ("DockRow\r\nVisible\r\nDword\r\nHex\r\nBlob\r\n", Names(lines));
    ini.EraseSection("MRU Items");
    ini.ReadSectionValues("MRU Items", &lines);
    EXPECT_EQ(0, lines.Count());
    EXPECT_FALSE(reg.KeyExists("\\Software\\Olvane\\Quiltmarker\\LatestFiles\\MRU Items"));
}

TEST_F(RegistryTest, AChangeMadeByAnotherCopyOfTheProgramIsSeenAndKept) {
    Open("Software\\Olvane");
    Reg.WriteString("Mine", "1");
    WriteFileAtomic(StoreFile(), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Olvane]\r\n"
                                 "\"Mine\"=\"1\"\r\n\"Theirs\"=\"2\"\r\n");
    EXPECT_EQ("2", Reg.ReadString("Theirs"));
    Reg.WriteString("Later", "3");

    StartNewRun();
    TRegistry again;
    ASSERT_TRUE(again.OpenKey("Software\\Olvane", false));
    TStringList names;
    again.GetValueNames(&names);
    EXPECT_EQ("Mine\r\nTheirs\r\nLater\r\n", Names(names));
}

TEST_F(RegistryTest, ReadsWhatRegeditWritesWithLfLineEndsAndContinuedLines) {
    WriteFileAtomic(StoreFile(), "REGEDIT4\n\n"
                                 "; written by hand\n"
                                 "[HKEY_CURRENT_USER\\Software\\Olvane]\n"
                                 "@=\"default\"\n"
                                 "\"Short\"=dword:1f\n"
                                 "\"Expand\"=hex(2):25,54,4d,50,25,00\n"
                                 "\"Multi\"=hex(7):61,00,00\n"
                                 "\"Long\"=hex:01,02,\\\n"
                                 "  03,04\n"
                                 "\"Spaced\" = \"x\"\n"
                                 "\n"
                                 "[hkey_current_user\\SOFTWARE\\olvane\\Sub]\n");
    ASSERT_TRUE(Reg.OpenKey("Software\\Olvane", false));
    EXPECT_EQ("", RegistryLoadProblem());
    EXPECT_EQ("default", Reg.ReadString(""));
    EXPECT_EQ(31, Reg.ReadInteger("Short"));
    EXPECT_EQ(rdExpandString, Reg.GetDataType("Expand"));
    EXPECT_EQ("%TMP%", Reg.ReadString("Expand"));
    EXPECT_EQ(rdUnknown, Reg.GetDataType("Multi"));
    EXPECT_EQ(3, Reg.GetDataSize("Multi"));
    char bytes[4];
    ASSERT_EQ(4, Reg.ReadBinaryData("Long", bytes, 4));
    EXPECT_EQ(String("\1\2\3\4", 4), String(bytes, 4));
    EXPECT_EQ("x", Reg.ReadString("Spaced"));
    TStringList keys;
    Reg.GetKeyNames(&keys);
    EXPECT_EQ("Sub\r\n", Names(keys));

    // Types the program never writes itself survive its rewriting of the file.
    Reg.WriteString("New", "n");
    const String text = ReadFileBytes(StoreFile());
    for (const String line : {"@=\"default\"\r\n", "\"Expand\"=hex(2):25,54,4d,50,25,00\r\n",
                              "\"Multi\"=hex(7):61,00,00\r\n", "\"Long\"=hex:01,02,03,04\r\n"})
        EXPECT_NE(String::npos, text.find(line)) << line;
}

struct DamageCase {
    const char* What;
    String Text;
    bool AfterKept; // the value after the damage is read too
};

const String Header = "REGEDIT4\r\n\r\n";
const String Before = "[HKEY_CURRENT_USER\\Software\\Olvane]\r\n\"Before\"=\"kept\"\r\n";
const String After = "\r\n[HKEY_CURRENT_USER\\Software\\Olvane]\r\n\"After\"=dword:00000002\r\n";

class DamagedRegistryTest : public RegistryTest, public testing::WithParamInterface<DamageCase> {
protected:
    static std::vector<String> AsideFiles() {
        std::vector<String> names;
        TSearchRec rec;
        for (int found = FindFirst(StoreFile() + ".damaged-*", faAnyFile, rec); found == 0;
             found = FindNext(rec))
            names.push_back(ExtractFilePath(StoreFile()) + rec.Name);
        FindClose(rec);
        return names;
    }
};

TEST_P(DamagedRegistryTest, IsReportedOnceKeptAsideAndWhatCouldBeReadIsUsed) {
    const DamageCase& damage = GetParam();
    WriteFileAtomic(StoreFile(), damage.Text);

    ASSERT_TRUE(Reg.OpenKey("Software\\Olvane", false));
    const String problem = RegistryLoadProblem();
    EXPECT_NE(String::npos, problem.find(StoreFile())) << problem;
    EXPECT_EQ("kept", Reg.ReadString("Before"));
    if (damage.AfterKept) {
        EXPECT_EQ(2, Reg.ReadInteger("After"));
    }
    const std::vector<String> aside = AsideFiles();
    ASSERT_EQ(1u, aside.size());
    EXPECT_NE(String::npos, problem.find(aside[0])) << problem;
    EXPECT_EQ(damage.Text, ReadFileBytes(aside[0]));

    Reg.WriteString("Later", "x");
    EXPECT_EQ(problem, RegistryLoadProblem());
    EXPECT_EQ(aside, AsideFiles());
    EXPECT_EQ(damage.Text, ReadFileBytes(aside[0]));

    StartNewRun();
    TRegistry again;
    ASSERT_TRUE(again.OpenKey("Software\\Olvane", false));
    EXPECT_EQ("", RegistryLoadProblem());
    EXPECT_EQ("kept", again.ReadString("Before"));
    EXPECT_EQ("x", again.ReadString("Later"));
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedRegistryTest,
    testing::Values(
        DamageCase{"garbage line", Header + Before + "this is no registry line" + After, true},
        DamageCase{"binary bytes", Header + Before + String("\x7f\0\xff\xfe", 4) + After, true},
        DamageCase{"unknown value type", Header + Before + "\"Odd\"=float:1.5" + After, true},
        DamageCase{"unclosed string", Header + Before + "\"Open\"=\"abc" + After, true},
        DamageCase{"unknown root key", Header + Before + "[HKEY_NOWHERE\\x]" + After, true},
        DamageCase{"hex cut after a comma", Header + Before + "\"Cut\"=hex:01,02," + After, true},
        DamageCase{"hex cut at the end", Header + Before + "\"Cut\"=hex:01,02,\\\r\n", false},
        DamageCase{"no REGEDIT4 header", Before + After, true}),
    [](const testing::TestParamInfo<DamageCase>& info) {
        String name;
        for (char c : String(info.param.What))
            if (isalnum(static_cast<unsigned char>(c)))
                name += c;
        return name;
    });

TEST_F(RegistryTest, AStoreThatCannotBeReadIsReportedAndNeverWrittenOver) {
    ASSERT_TRUE(ForceDirectories(StoreFile())); // a folder where the file should be
    EXPECT_FALSE(Reg.KeyExists("Software"));
    EXPECT_NE(String::npos, RegistryLoadProblem().find(StoreFile()));
    const String message = RegistryError([&] { Reg.OpenKey("Software", true); });
    EXPECT_NE(String::npos, message.find(StoreFile())) << message;
    EXPECT_TRUE(DirectoryExists(StoreFile()));
}

TEST_F(RegistryTest, AnInterruptedWriteLeavesTheOldFileAndTheOldValues) {
    Open("Software\\Olvane");
    Reg.WriteString("Value", "old");
    const String before = ReadFileBytes(StoreFile());
    const String longer(300, 'n');
    for (size_t failAfter = 0; failAfter < before.size() + longer.size(); failAfter += 37) {
        SetWriteFailureForTests(static_cast<int64_t>(failAfter));
        const String message = RegistryError([&] { Reg.WriteString("Value", longer); });
        EXPECT_EQ(0u, message.find("Failed to set data for 'Value'")) << message;
        EXPECT_NE(String::npos, message.find(StoreFile())) << message;
        EXPECT_EQ(before, ReadFileBytes(StoreFile())) << failAfter;
        EXPECT_EQ("old", Reg.ReadString("Value")) << failAfter;
    }
    EXPECT_NE("(nothing raised)", RegistryError([&] { Reg.CreateKey("Fresh"); }));
    SetWriteFailureForTests(-1);
    EXPECT_FALSE(Reg.KeyExists("Fresh"));
    Reg.WriteString("Value", longer);

    StartNewRun();
    TRegistry again;
    ASSERT_TRUE(again.OpenKey("Software\\Olvane", false));
    EXPECT_EQ(longer, again.ReadString("Value"));
    EXPECT_EQ("", RegistryLoadProblem());
}

// While every write fails, a value written as it is stored raises nothing: only a change is
// written.
TEST_F(RegistryTest, AValueWrittenAsItIsStoredLeavesTheFileAlone) {
    Open("Software\\Olvane");
    Reg.WriteString("Text", "same");
    Reg.WriteInteger("Number", 7);
    Reg.WriteBinaryData("Bytes", "same", 4);
    const String before = ReadFileBytes(StoreFile());
    struct TCase {
        const char* What;
        std::function<void()> Write;
        bool Changes;
    };
    const TCase cases[] = {
        {"the same text", [&] { Reg.WriteString("Text", "same"); }, false},
        {"the same number", [&] { Reg.WriteInteger("Number", 7); }, false},
        {"the same bytes", [&] { Reg.WriteBinaryData("Bytes", "same", 4); }, false},
        {"the same name in other letters", [&] { Reg.WriteString("TEXT", "same"); }, false},
        {"another text", [&] { Reg.WriteString("Text", "other"); }, true},
        {"a longer text", [&] { Reg.WriteString("Text", "same "); }, true},
        {"another number", [&] { Reg.WriteInteger("Number", 8); }, true},
        {"the same bytes as a text", [&] { Reg.WriteString("Bytes", "same"); }, true},
        {"a new value", [&] { Reg.WriteString("New", ""); }, true},
    };
    SetWriteFailureForTests(0);
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.What);
        EXPECT_EQ(test.Changes, RegistryError(test.Write) != "(nothing raised)");
        EXPECT_EQ(before, ReadFileBytes(StoreFile()));
    }
}

TEST_F(RegistryTest, WithoutItsOwnVariableTheStoreLivesInTheUsersConfigFolder) {
    const String config = TestSupport::Sandbox("config");
    const String home = TestSupport::Sandbox("home-folder");
    ScopedEnv noStore("QUILTMARKER_REGISTRY", std::nullopt);
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", config);
        Open("\\Software\\Olvane");
        Reg.WriteString("Where", "xdg");
        EXPECT_TRUE(FileExists(config + "/quiltmarker/registry.reg"));
    }
    ScopedEnv noXdg("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv homeEnv("HOME", home);
    EXPECT_FALSE(Reg.KeyExists("\\Software\\Olvane"));
    Open("\\Software\\Olvane");
    Reg.WriteString("Where", "home");
    EXPECT_TRUE(FileExists(home + "/.config/quiltmarker/registry.reg"));
}

} // namespace

namespace {

TEST_F(RegistryTest, AStoreThatCannotBeWrittenSaysWhyAndCanKeepItsChangesInMemory) {
    struct TCase {
        const char* What;
        std::function<String()> Prepare; // returns the store's file
    };
    const String stored =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Olvane]\r\n\"Read\"=\"yes\"\r\n";
    const TCase cases[] = {
        {"a read-only file",
         [&] {
             const String file = TestSupport::Sandbox("read-only.reg");
             WriteFileAtomic(file, stored);
             EXPECT_EQ(0, chmod(file.c_str(), 0444));
             return file;
         }},
        {"a folder that is a file",
         [&] {
             const String file = TestSupport::Sandbox("plain-file");
             WriteFileAtomic(file, "");
             return file + "/registry.reg";
         }},
        {"a folder where the file should be",
         [&] {
             const String folder = TestSupport::Sandbox("folder.reg");
             EXPECT_TRUE(ForceDirectories(folder));
             return folder;
         }},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.What);
        const String file = test.Prepare();
        ScopedEnv store("QUILTMARKER_REGISTRY", file);
        const bool existed = FileExists(file);
        const String problem = RegistryWriteProblem();
        EXPECT_NE(String::npos, problem.find(file)) << problem;
        EXPECT_NE(String::npos, problem.find("Settings will not be saved")) << problem;

        KeepRegistryChangesInMemory();
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\Olvane", true));
        reg.WriteString("Changed", "in memory");
        EXPECT_EQ("in memory", reg.ReadString("Changed"));
        EXPECT_EQ(existed ? "yes" : "", reg.ReadString("Read"));
        if (existed)
            EXPECT_EQ(stored, ReadFileBytes(file));
        else
            EXPECT_FALSE(FileExists(file));
    }
    // Another file is saved as usual.
    EXPECT_EQ("", RegistryWriteProblem());
    Open("Software\\Olvane");
    Reg.WriteString("Saved", "yes");
    EXPECT_NE(String::npos, ReadFileBytes(StoreFile()).find("\"Saved\"=\"yes\""));
}

} // namespace
