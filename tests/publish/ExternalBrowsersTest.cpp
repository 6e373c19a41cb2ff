#include "editor/CorvaletForm.h"

#include "editor/HTMLLocationForm.h"
#include "platform/Clipbrd.h"
#include "platform/CommonDialogs.h"
#include "platform/KeyPlayback.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "widgets/QmToolbars.h"

#include "../editor/MainWindowSupport.h"
#include "TestSupport.h"
#include "publish/ExternalBrowsers.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

const String Quiltmarker = "Quiltmarker";

// Ctrl+O, Ctrl+V and Enter: the open dialog, the path pasted whole, and nothing else.
const std::vector<String> OpenPastedPathKeys{"down CTRL",  "down O",  "up O", "up CTRL",
                                             "down CTRL",  "down V",  "up V", "up CTRL",
                                             "down ENTER", "up ENTER"};

class ExternalBrowsersTest : public testing::Test {
protected:
    void SetUp() override {
        FSite = IncludeTrailingPathDelimiter(TestSupport::Sandbox("my site"));
        ForceDirectories(FSite);
        FForm = MakeMainWindow();
        FForm->ExternalBrowsers->IEPath = "/opt/web browser/iexplore";
        FForm->ExternalBrowsers->NetscapePath = "/opt/navigator/netscape";
    }
    void TearDown() override { TestHooks::EndFakeDesktop(); }

    // A page saved under the name (a blank in it by default) in the site, open and active; a
    // name with "/" is put in folders of the site.
    String OpenSavedPage(const String& name = "my page.htm") {
        const String fileName = FSite + name;
        ForceDirectories(ExtractFilePath(fileName));
        WriteFileAtomic(fileName, "<HTML></HTML>");
        UsePage(*FForm, 0, fileName, "<HTML></HTML>");
        return fileName;
    }

    // The played keys as "down O", "up CTRL"... for reading a failure.
    static std::vector<String> PlayedKeyNames() {
        std::vector<String> names;
        for (const EVENTMSG& e : TestHooks::PlayedKeys()) {
            const BYTE key = e.paramL & 0xFF;
            const String name = key == VK_CONTROL  ? "CTRL"
                                : key == VK_MENU   ? "ALT"
                                : key == VK_RETURN ? "ENTER"
                                                   : String(1, static_cast<char>(key));
            const bool down = e.message == WM_KEYDOWN || e.message == WM_SYSKEYDOWN;
            names.push_back((down ? "down " : "up ") + name);
        }
        return names;
    }

    String FSite;
    std::unique_ptr<THTMLEMainForm> FForm;
};

TEST_F(ExternalBrowsersTest, WithoutARunningBrowserTheProgramStartsWithThePageAsOneArgument) {
    const String page = OpenSavedPage();
    TestHooks::FakeDesktop({{1, "Quiltmarker v.1 - [my page.htm]"}, {2, "Terminal"}}, 1);
    FForm->ExternalBrowsers->IEButton->Click();
    FForm->ExternalBrowsers->NetscapeNavigator31->Click();
    const auto& launches = TestHooks::Launches();
    ASSERT_EQ(2u, launches.size());
    EXPECT_EQ("/opt/web browser/iexplore", launches[0].Program);
    EXPECT_EQ(std::vector<String>{page}, launches[0].Arguments);
    EXPECT_EQ("/opt/navigator/netscape", launches[1].Program);
    EXPECT_EQ(std::vector<String>{page}, launches[1].Arguments);
    EXPECT_TRUE(TestHooks::PlayedKeys().empty());
}

TEST_F(ExternalBrowsersTest, ARunningBrowserIsBroughtForwardAndOpensThePageByKeystrokes) {
    const String page = OpenSavedPage();
    FForm->ExternalBrowsers->IEWindowTitle = "Internet Explorer";
    TestHooks::FakeDesktop({{5, "Start - Internet Explorer", true, true},
                            {7, "Quiltmarker v.1"},
                            {9, "Old - Internet Explorer"}},
                           7);
    FForm->ExternalBrowsers->InternetExplorer1->Click();

    EXPECT_TRUE(TestHooks::Launches().empty());
    EXPECT_EQ((std::vector<String>{"ShowWindow(5, 9)", "BringWindowToTop(5)", "Sleep(100)",
                                   "SetFocus(5)", "Sleep(100)"}),
              TestHooks::DesktopCalls());
    EXPECT_EQ(page, Clipboard()->AsText());
    EXPECT_EQ(OpenPastedPathKeys, PlayedKeyNames());
}

// Paths holding what a key string or its pasted parts would read as keys, pauses or the end of
// the pasted part: each reaches the browser as one paste of the whole path.
TEST_F(ExternalBrowsersTest, APathOfAnyCharactersIsPastedAsItIs) {
    String braceFolders;
    for (int i = 0; i < 9; ++i)
        braceFolders += String(200, '{') + "/";
    const String names[] = {
        "a{/p}%{F4}{p}b.htm",
        "{/p}.htm",
        "{p}.htm",
        "{/p}{/p}{p}{/p}.htm",
        "%.htm",
        "+.htm",
        "^.htm",
        "~.htm",
        "(.htm",
        ").htm",
        "{.htm",
        "}.htm",
        "[.htm",
        "].htm",
        "unbalanced {{ and }/}}}.htm",
        "{{}{}}{{}}{{{}}}.htm",
        "{ENTER}{TAB 3}{F4 0}.htm",
        "with blanks, caf\xC3\xA9 \xE2\x82\xAC and the Enter byte \xC2\xAC.htm",
        braceFolders + "}}.htm",
    };
    FForm->ExternalBrowsers->IEWindowTitle = "Internet Explorer";
    for (const String& name : names) {
        const String page = OpenSavedPage(name);
        TestHooks::FakeDesktop({{5, "Start - Internet Explorer"}, {7, "Quiltmarker v.1"}}, 7);
        TestHooks::SetClipboardText("");
        FForm->ExternalBrowsers->IEButton->Click();
        EXPECT_EQ(page, Clipboard()->AsText()) << name;
        EXPECT_EQ(OpenPastedPathKeys, PlayedKeyNames()) << name;
    }
}

TEST_F(ExternalBrowsersTest, AWindowThatWillNotComeForwardGetsNoKeys) {
    OpenSavedPage();
    TestHooks::FakeDesktop({{4, "Navigator - Netscape", true, false, true}, {6, "Quiltmarker"}}, 6);
    FForm->ExternalBrowsers->NavigatorButton->Click();
    EXPECT_EQ((std::vector<String>{"BringWindowToTop(4)", "SetForegroundWindow(4)"}),
              TestHooks::DesktopCalls());
    EXPECT_TRUE(TestHooks::PlayedKeys().empty());
    EXPECT_TRUE(TestHooks::Launches().empty());
}

TEST_F(ExternalBrowsersTest, TheSearchGoesUpFromTheForegroundWindowThenDown) {
    using W = TestHooks::TDesktopWindow;
    struct Case {
        const char* What;
        std::vector<W> Windows;
        uintptr_t Foreground;
        uintptr_t Found;
    };
    const Case cases[] = {
        {"the nearest above wins over one below",
         {W{1, "A Netscape"}, W{2, "B Netscape"}, W{3, "Me"}, W{4, "C Netscape"}},
         3,
         2},
        {"below when none above", {W{1, "Me"}, W{2, "x"}, W{3, "C Netscape"}}, 1, 3},
        {"the foreground window is never chosen", {W{1, "Netscape"}, W{2, "x"}}, 1, 0},
        {"hidden windows are passed over", {W{1, "Netscape", false}, W{2, "Me"}}, 2, 0},
        {"the case of the title counts", {W{1, "NETSCAPE"}, W{2, "Me"}}, 2, 0},
    };
    for (const Case& c : cases) {
        TestHooks::FakeDesktop(c.Windows, c.Foreground);
        EXPECT_EQ(reinterpret_cast<HWND>(c.Found),
                  FForm->ExternalBrowsers->FindWindowByTitle("Netscape", false))
            << c.What;
    }
}

TEST_F(ExternalBrowsersTest, AMissingBrowserPathIsReportedAfterTheSave) {
    UsePage(*FForm, 0, OpenSavedPage(), "<HTML>changed</HTML>", true);
    FForm->ExternalBrowsers->IEPath = "";
    TestHooks::AnswerMessageBox(IDOK);
    FForm->ExternalBrowsers->IEButtonClick(nullptr);
    ASSERT_EQ(1u, TestHooks::Prompts().size());
    EXPECT_EQ("Internet Explorer location not known. Please\r\nchoose "
              "'Preferences/Setup/Internet Explorer'\r\nfrom the main menu and then try again.",
              TestHooks::Prompts()[0].Text);
    EXPECT_EQ("<HTML>changed</HTML>", ReadFileBytes(FSite + "my page.htm"));
    EXPECT_TRUE(TestHooks::Launches().empty());
}

TEST_F(ExternalBrowsersTest, AnUntitledModifiedPageIsOfferedForSavingAsEachBrowserSays) {
    struct Case {
        bool Navigator;
        bool PermSave;
        const char* Question; // nullptr: none, the save dialog comes at once
    };
    const Case cases[] = {
        {false, false, nullptr},
        {false, true, "File needs to be saved before viewing.\r\nSave it now?"},
        {true, false, "File needs to be saved before veiwing.\r\nSave it now?"},
    };
    for (const Case& c : cases) {
        TestHooks::Reset();
        UsePage(*FForm, 0, "[untitled1]", "<P>", true);
        FForm->PermSave = c.PermSave;
        if (c.Question)
            TestHooks::AnswerMessageBox(IDNO);
        else
            TestHooks::AnswerDialogCancel();
        (c.Navigator ? FForm->ExternalBrowsers->NavigatorButton : FForm->ExternalBrowsers->IEButton)
            ->Click();
        ASSERT_EQ(1u, TestHooks::Prompts().size()) << c.Navigator << c.PermSave;
        if (c.Question) {
            EXPECT_EQ(c.Question, TestHooks::Prompts()[0].Text);
            EXPECT_EQ(Quiltmarker, TestHooks::Prompts()[0].Caption);
            EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), TestHooks::Prompts()[0].Flags);
        } else {
            EXPECT_NE("MessageBox", TestHooks::Prompts()[0].Kind);
        }
        EXPECT_TRUE(TestHooks::Launches().empty());
    }
}

TEST_F(ExternalBrowsersTest, SettingUpAPathStoresItAndShowsItNextTime) {
    TestHooks::AnswerModal([](TForm& form) {
        auto& location = dynamic_cast<TLocationForm&>(form);
        EXPECT_EQ("Netscape Navigator Path", location.LocLabel->Caption());
        EXPECT_TRUE(location.BrowseButton->Visible());
        EXPECT_FALSE(location.DirBrowseButton->Visible());
        EXPECT_EQ(2, location.OpenDialog->FilterIndex());
        EXPECT_EQ("/opt/navigator/netscape", location.LocEdit->Text());
        EXPECT_EQ("/opt/navigator/", location.OpenDialog->InitialDir());
        location.LocEdit->SetText("/usr/bin/my browser");
        location.SetModalResult(mrOk);
    });
    FForm->ExternalBrowsers->SetupNetscapeNavigator1->Click();
    EXPECT_EQ("/usr/bin/my browser", FForm->ExternalBrowsers->NetscapePath);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(ProductKey, false));
    EXPECT_EQ("/usr/bin/my browser", reg.ReadString("NetscapePath"));

    FForm->ExternalBrowsers->IEPath = "";
    TestHooks::AnswerModal([](TForm& form) {
        auto& location = dynamic_cast<TLocationForm&>(form);
        EXPECT_EQ("Internet Explorer Path", location.LocLabel->Caption());
        EXPECT_EQ("", location.LocEdit->Text());
        location.SetModalResult(mrCancel);
    });
    FForm->ExternalBrowsers->SetupIE1->Click();
    EXPECT_FALSE(reg.ValueExists("IE3Path"));
}

} // namespace
