#include "app/Startup.h"

#include "TestSupport.h"
#include "app/HandOver.h"
#include "editor/CorvaletForm.h"
#include "editor/HTMLSplash.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "platform/TestHooks.h"
#include "publish/AnimPubForm.h"
#include "publish/Ferrydock95Main.h"
#include "publish/HTMLISPSelect.h"
#include "publish/HTMLSelDir.h"
#include "tags/HTMLGlobal.h"
#include "tags/HTMLGlossary.h"
#include "widgets/JLLabel.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <sys/stat.h>

namespace {

const char* const MarginsKey = "RichPrint.Settings\\Marges";
const char* const ProductKeyName = "Software\\Olvane\\Quiltmarker";

String RegistryFileBytes() {
    return ReadFileBytes(std::getenv("QUILTMARKER_REGISTRY"));
}

double ReadDouble(TRegistry& reg, const String& name) {
    double value = 0;
    EXPECT_EQ(8, reg.ReadBinaryData(name, &value, sizeof(value))) << name;
    return value;
}

} // namespace

TEST(StartupTest, FirstStartSeedsEveryMarginValueWithItsType) {
    SeedPrintMarginDefaults();

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(MarginsKey));
    TStringList names;
    reg.GetValueNames(&names);
    std::vector<String> listed;
    for (int i = 0; i < names.Count(); ++i)
        listed.push_back(names[i]);
    EXPECT_EQ((std::vector<String>{"MarginBottom", "MarginTop", "MarginLeft", "MarginRight",
                                   "CodeDirection", "CodeMeasurement", "CodePlainText"}),
              listed);

    struct TMargin {
        const char* Name;
        double Value;
    };
    for (TMargin margin : {TMargin{"MarginBottom", 25.0}, TMargin{"MarginTop", 20.0},
                           TMargin{"MarginLeft", 20.0}, TMargin{"MarginRight", 20.0}}) {
        EXPECT_EQ(rdBinary, reg.GetDataType(margin.Name)) << margin.Name;
        EXPECT_EQ(8, reg.GetDataSize(margin.Name)) << margin.Name;
        EXPECT_EQ(margin.Value, ReadDouble(reg, margin.Name)) << margin.Name;
    }
    struct TCode {
        const char* Name;
        const char* Value;
    };
    for (TCode code : {TCode{"CodeDirection", "1"}, TCode{"CodeMeasurement", "1"},
                       TCode{"CodePlainText", "0"}}) {
        EXPECT_EQ(rdString, reg.GetDataType(code.Name)) << code.Name;
        EXPECT_EQ(code.Value, reg.ReadString(code.Name)) << code.Name;
    }
}

TEST(StartupTest, ExistingMarginValuesAreLeftAloneWhateverTheirTypeOrContent) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(MarginsKey, true));
        const double bottom = 31.5;
        reg.WriteBinaryData("MarginBottom", &bottom, sizeof(bottom));
        reg.WriteString("MarginTop", "twenty");
        reg.WriteInteger("MarginLeft", 20);
        const char shortMargin[3] = {1, 2, 3};
        reg.WriteBinaryData("MarginRight", shortMargin, sizeof(shortMargin));
        reg.WriteInteger("CodeDirection", 2);
        reg.WriteString("CodeMeasurement", "");
        reg.WriteBinaryData("CodePlainText", shortMargin, 1);
    }
    String before = RegistryFileBytes();

    SeedPrintMarginDefaults();

    EXPECT_EQ(before, RegistryFileBytes());
}

TEST(StartupTest, OnlyTheMissingMarginValuesAreWritten) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(MarginsKey, true));
        reg.WriteString("MarginTop", "odd");
        reg.WriteString("CodeMeasurement", "2");
    }

    SeedPrintMarginDefaults();

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(MarginsKey));
    EXPECT_EQ("odd", reg.ReadString("MarginTop"));
    EXPECT_EQ("2", reg.ReadString("CodeMeasurement"));
    EXPECT_EQ(25.0, ReadDouble(reg, "MarginBottom"));
    EXPECT_EQ(20.0, ReadDouble(reg, "MarginRight"));
    EXPECT_EQ("1", reg.ReadString("CodeDirection"));
    EXPECT_EQ("0", reg.ReadString("CodePlainText"));
}

// A relative name is made absolute where the program was started, before the window moves the
// working folder to the last site folder.
TEST(StartupTest, CommandLineIsTheArgumentsAsOneText) {
    struct TCase {
        std::vector<const char*> Arguments;
        String Expected;
    };
    const String here = IncludeTrailingPathDelimiter(GetCurrentDir());
    const TCase cases[] = {
        {{"page.html"}, here + "page.html"},
        {{"site/my", "page.html"}, here + "site/my page.html"},
        {{}, ""},
        {{"/home/u/site/index.html"}, "/home/u/site/index.html"},
        {{"/home/u/my", "site/page.html"}, "/home/u/my site/page.html"},
        {{"\"/home/u/my site/page.html\""}, "/home/u/my site/page.html"},
        {{"\"/home/u/a.html\"", "\"b.html\""}, "/home/u/a.html\" \"b.html"},
        {{"\""}, here + "\""},
        {{"\"\""}, ""},
    };
    for (const TCase& test : cases) {
        std::vector<char*> argv{const_cast<char*>("quiltmarker")};
        for (const char* argument : test.Arguments)
            argv.push_back(const_cast<char*>(argument));
        EXPECT_EQ(test.Expected, CommandLineOf(static_cast<int>(argv.size()), argv.data()))
            << test.Expected;
    }
}

// A running copy that ends while a second copy waits for it leaves its place to that copy, which
// then starts as the running copy and opens its page itself.
TEST(StartupTest, SecondCopyStartsInsteadOfARunningCopyThatEndsWhileItWaits) {
    const String oldTitle = Application->Title();
    HANDLE running = CreateMutex(nullptr, false, RunningCopyLock);
    ASSERT_EQ(ERROR_SUCCESS, GetLastError());
    int notReadyAnswers = 0;
    TestHooks::FakeRunningCopy({{TRunningCopyWindow{1, "Quiltmarker", false, true}}}, -1, [&] {
        ++notReadyAnswers;
        CloseHandle(running);
        running = nullptr;
    });

    EXPECT_FALSE(LeftToAnotherCopy("/home/u/page.html"));

    // It stopped asking as soon as the running copy had ended, and took the lock.
    EXPECT_EQ(1, notReadyAnswers);
    EXPECT_TRUE(MutexHeld(RunningCopyLock));
    EXPECT_TRUE(TestHooks::RunningCopyCalls().empty());
    EXPECT_TRUE(TestHooks::Prompts().empty());
    TestHooks::EndFakeRunningCopy();
    Application->SetTitle(oldTitle);
}

// The start-up state lives in globals; each test starts and ends without it.
class StartupFormsTest : public testing::Test {
protected:
    void TearDown() override {
        for (TForm* form :
             std::initializer_list<TForm*>{Ferrydock95Form, AnimPub, ISPSelectForm, SelDirForm,
                                           GlobalForm, GlossaryForm, HTMLEMainForm, Splash})
            if (form)
                form->Free();
        Ferrydock95Form = nullptr;
        AnimPub = nullptr;
        ISPSelectForm = nullptr;
        SelDirForm = nullptr;
        GlobalForm = nullptr;
        GlossaryForm = nullptr;
        HTMLEMainForm = nullptr;
        Splash = nullptr;
        StartupCommandLine.clear();
        ProgramVersionText.clear();
    }

    static void SetSplashScreen(const std::function<void(TRegistry&)>& write) {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(ProductKeyName, true));
        write(reg);
    }

    // Start-up as far as the splash, as the program runs it.
    static void StartAsFarAsTheSplash(const String& commandLine) {
        SetInitialProgramVersion();
        StartupCommandLine = commandLine;
        SetProvisionalTitle();
        CreateSplash();
        DecideSplashShowing();
    }
};

TEST_F(StartupFormsTest, SplashScreenSettingDecidesWhetherAndHowTheSplashShows) {
    struct TCase {
        const char* Name;
        std::function<void(TRegistry&)> Write; // null: no value
        bool Shown;
        TFormStyle Style;
    };
    const TCase cases[] = {
        {"no value", nullptr, true, fsStayOnTop},
        {"\"0\"", [](TRegistry& reg) { reg.WriteString("SplashScreen", "0"); }, false, fsStayOnTop},
        {"\"1\"", [](TRegistry& reg) { reg.WriteString("SplashScreen", "1"); }, true, fsNormal},
        {"\"2\"", [](TRegistry& reg) { reg.WriteString("SplashScreen", "2"); }, true, fsStayOnTop},
        {"\"yes\"", [](TRegistry& reg) { reg.WriteString("SplashScreen", "yes"); }, true,
         fsStayOnTop},
        {"\"\"", [](TRegistry& reg) { reg.WriteString("SplashScreen", ""); }, true, fsStayOnTop},
        {"integer 0", [](TRegistry& reg) { reg.WriteInteger("SplashScreen", 0); }, true,
         fsStayOnTop},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        TRegistry reg;
        reg.DeleteKey(ProductKeyName);
        if (test.Write)
            SetSplashScreen(test.Write);

        StartAsFarAsTheSplash("");
        ASSERT_NE(nullptr, Splash);
        EXPECT_EQ(test.Shown, Splash->Visible());
        EXPECT_EQ(test.Style, Splash->FormStyle());
        EXPECT_EQ("Quiltmarker", Splash->Caption());
        EXPECT_EQ("Version 3.0c2", Splash->VersionLabel->Caption());
        EXPECT_EQ("Loading - please wait...", Splash->StateLabel->Caption());
        EXPECT_EQ("Quiltmarker", Application->Title());

        // Started with a file, the splash waits hidden, keeping its style on top.
        Splash->Free();
        StartAsFarAsTheSplash("/home/u/page.html");
        EXPECT_FALSE(Splash->Visible());
        EXPECT_EQ(fsStayOnTop, Splash->FormStyle());
        Splash->Free();
        Splash = nullptr;
        EXPECT_TRUE(reg.KeyExists(ProductKeyName));
    }
}

TEST_F(StartupFormsTest, MainWindowCreationShowsTheSplashAgainUnlessTheSettingIsZero) {
    struct TCase {
        const char* Setting; // null: no value
        const char* CommandLine;
        bool Shown;
        TFormStyle Style;
    };
    const TCase cases[] = {
        {nullptr, "", true, fsStayOnTop}, {nullptr, "/home/u/page.html", true, fsStayOnTop},
        {"0", "", false, fsStayOnTop},    {"0", "/home/u/page.html", false, fsStayOnTop},
        {"1", "", true, fsNormal},        {"1", "/home/u/page.html", true, fsStayOnTop},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(String(test.Setting ? test.Setting : "no value") + ", \"" + test.CommandLine +
                     "\"");
        TRegistry reg;
        reg.DeleteKey(ProductKeyName);
        if (test.Setting)
            SetSplashScreen([&](TRegistry& key) { key.WriteString("SplashScreen", test.Setting); });

        StartAsFarAsTheSplash(test.CommandLine);
        ShowCreatingForms();
        EXPECT_EQ("Creating forms...", Splash->StateLabel->Caption());
        CreateStartupForms();

        EXPECT_EQ(test.Shown, Splash->Visible());
        EXPECT_EQ(test.Style, Splash->FormStyle());
        EXPECT_EQ("Thanks for using Quiltmarker", Splash->StateLabel->Caption());
        EXPECT_EQ("Version 3.0d", Splash->VersionLabel->Caption());
        EXPECT_EQ("3.0d", ProgramVersionText);
        EXPECT_EQ(1, Pos("Quiltmarker v.", Application->Title())) << Application->Title();
        TearDown();
    }
}

TEST_F(StartupFormsTest, SevenStartUpFormsAreMadeInOrderWithTheMainWindowFirst) {
    StartAsFarAsTheSplash("");
    int before = Application->ComponentCount();
    CreateStartupForms();

    std::vector<TComponent*> expected = {HTMLEMainForm, GlossaryForm, GlobalForm,     SelDirForm,
                                         ISPSelectForm, AnimPub,      Ferrydock95Form};
    // The application also owns hidden helper windows that the forms make for themselves.
    std::vector<TComponent*> made;
    for (int i = before; i < Application->ComponentCount(); ++i)
        if (dynamic_cast<TForm*>(Application->Components(i)))
            made.push_back(Application->Components(i));
    EXPECT_EQ(expected, made);
    EXPECT_EQ(0, std::count(expected.begin(), expected.end(), nullptr));
    EXPECT_EQ(HTMLEMainForm, Application->MainForm());
    // The splash belongs to no one: the main window's first showing frees it.
    EXPECT_EQ(nullptr, Splash->Owner());
    for (TForm* form : std::initializer_list<TForm*>{GlossaryForm, GlobalForm, SelDirForm,
                                                     ISPSelectForm, AnimPub, Ferrydock95Form})
        EXPECT_FALSE(form->Visible()) << form->Name();
}

TEST_F(StartupFormsTest, MainWindowOpensTheFileThatALaterCopyHandsOver) {
    StartAsFarAsTheSplash("");
    CreateStartupForms();
    AcceptHandOvers();
    HTMLEMainForm->Show();
    HTMLEMainForm->SetWindowState(wsMinimized);
    String page = TestSupport::Sandbox("my site/Page.html");
    ASSERT_TRUE(ForceDirectories(ExtractFilePath(page)));
    WriteFileAtomic(page, "<html>\r\n</html>\r\n");
    WriteFileAtomic(HandOverFileName(), page + "\r\n");

    SendMessage(HTMLEMainForm->Handle(), HandOverMessage, 0, 0);
    Application->ProcessMessages();

    EXPECT_EQ(wsNormal, HTMLEMainForm->WindowState());
    ASSERT_TRUE(HTMLEMainForm->PageInUse(0));
    EXPECT_FALSE(HTMLEMainForm->PageInUse(1));
    EXPECT_EQ("<html>\r\n</html>\r\n", HTMLEMainForm->GetMemo(0)->Text());
}

TEST_F(StartupFormsTest, AReadOnlySettingsFileIsToldOnceAndWhatItHoldsIsUsed) {
    const String file = std::getenv("QUILTMARKER_REGISTRY");
    SetSplashScreen([](TRegistry& reg) { reg.WriteString("SplashScreen", "1"); });
    const String before = RegistryFileBytes();
    ASSERT_EQ(0, chmod(file.c_str(), 0444));
    TestHooks::AnswerMessageBox(IDOK);

    PrepareSettings();
    StartAsFarAsTheSplash("");
    CreateStartupForms();

    ASSERT_EQ(1u, TestHooks::Prompts().size());
    const String told = TestHooks::Prompts()[0].Text;
    EXPECT_NE(String::npos, told.find(file)) << told;
    EXPECT_NE(String::npos, told.find("Settings will not be saved")) << told;
    EXPECT_EQ(fsNormal, Splash->FormStyle());
    EXPECT_NE(nullptr, Ferrydock95Form);
    EXPECT_EQ(before, RegistryFileBytes());
    // The printer's defaults stand for this run.
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(MarginsKey));
    EXPECT_EQ(25.0, ReadDouble(reg, "MarginBottom"));
}

TEST_F(StartupFormsTest, AProgramFolderThatCannotBeFilledIsNamedOnce) {
    SetShippedDataFolder(QM_SOURCE_DATA);
    // Where the toolbar's pictures go lies a file, as unwritable as a read-only folder is to
    // anyone but the superuser.
    const String folder = std::getenv("QUILTMARKER_HOME");
    ASSERT_TRUE(ForceDirectories(folder));
    WriteFileAtomic(IncludeTrailingPathDelimiter(folder) + "glyphs", "");
    TestHooks::AnswerMessageBox(IDOK);

    ReportProgramFolderProblem();
    StartAsFarAsTheSplash("");
    CreateStartupForms();
    SetShippedDataFolder("");

    ASSERT_EQ(1u, TestHooks::Prompts().size());
    const String told = TestHooks::Prompts()[0].Text;
    EXPECT_EQ(1, Pos("The program folder " + folder + " could not be filled", told)) << told;
    EXPECT_NE(0, Pos("glyphs/", told)) << told;
}
