// The application buttons: the command line a click starts, and the set-up dialog with its
// stored values and glyph files.

#include "publish/AppButtons.h"

#include "IconFixture.h"
#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "publish/AppCmdForm.h"
#include "site/FilePane.h"
#include "tags/TagButtons.h"
#include "widgets/IconCtls.h"
#include "widgets/QmToolbars.h"

#include "tags/HTMLGlobal.h"

#include <gtest/gtest.h>

#include <filesystem>

using Arguments = std::vector<String>;

TEST(AppCommandArgumentsTest, EachPlaceholderIsFilledOnceAndStaysOneArgument) {
    const TAppPlaceholders page{"/w/my page.htm", "/w/my page.htm", "file:///w/my page.htm",
                                "/w/a.htm;/w/b c.htm"};
    const TAppPlaceholders nothing{};
    struct Case {
        String CommandLine;
        TAppPlaceholders Values;
        Arguments Expected;
    };
    for (const Case& c : {
             Case{"edit %1 %1", page, {"edit", "/w/my page.htm", "%1"}},
             Case{"view %2", page, {"view", "file:///w/my page.htm"}},
             Case{"short %s1", page, {"short", "/w/my page.htm"}},
             Case{"\"/opt/My Tools/check\" -f %3",
                  page,
                  {"/opt/My Tools/check", "-f", "/w/a.htm;/w/b c.htm"}},
             Case{"check %3 -v", nothing, {"check", "-v"}},
             Case{"check \"\" %1", nothing, {"check", ""}},
             Case{"sh -c 'rm x';$(y) %1", page, {"sh", "-c", "'rm", "x';$(y)", "/w/my page.htm"}},
             Case{"   ", page, {}},
         }) {
        EXPECT_EQ(AppCommandArguments(c.CommandLine, c.Values), c.Expected) << c.CommandLine;
    }
    EXPECT_EQ(FileURL("/w/my page.htm"), "file:///w/my page.htm");
    EXPECT_EQ(FileURL("/w/50% #1?.htm"), "file:///w/50%25 %231%3F.htm");
    EXPECT_EQ(FileURL(""), "");
}

namespace {

class AppButtonsTest : public testing::Test {
protected:
    void SetUp() override {
        Main = MainWindowSupport::MakeMainWindow();
        Folder = IncludeTrailingPathDelimiter(TestSupport::CurrentSandbox);
    }

    void Define(int index, const String& commandLine, const String& glyph = "") {
        Main->AppButtons->AppCmdLines[index] = commandLine;
        Main->AppButtons->AppButtonGlyphs[index] = glyph;
        Main->AppButtons->ShowAppButtonDefinition(index);
    }

    void Click(int index, TShiftState shift = {}) {
        TestHooks::ClickMouse(*Main->TagButtons->AppButtons[index], 5, 5, mbLeft, shift);
    }

    static void AnswerFileDialog(const String& fileName) {
        TestHooks::TDialogAnswer answer;
        answer.Accepted = true;
        answer.FileName = fileName;
        TestHooks::AnswerDialog(answer);
    }

    static void Answer(std::function<void(TAppCmdForm&)> answer) {
        TestHooks::AnswerModal([answer](TForm& form) { answer(dynamic_cast<TAppCmdForm&>(form)); });
    }

    // A 16 x 16 glyph file of one colour.
    static String GlyphFile(const String& path, TColor colour) {
        TBitmap bitmap;
        bitmap.SetSize(16, 16);
        bitmap.Canvas().Brush().SetColor(colour);
        bitmap.Canvas().FillRect(Rect(0, 0, 16, 16));
        bitmap.SaveToFile(path);
        return path;
    }

    static std::vector<std::pair<String, String>> StoredApps() {
        TRegistry reg;
        std::vector<std::pair<String, String>> values;
        if (!reg.OpenKey("\\Software\\Olvane\\Quiltmarker\\Apps", false))
            return values;
        TStringList names;
        reg.GetValueNames(&names);
        for (int i = 0; i < names.Count(); ++i)
            values.emplace_back(names[i], reg.ReadString(names[i]));
        return values;
    }

    std::unique_ptr<THTMLEMainForm> Main;
    String Folder;
};

} // namespace

TEST_F(AppButtonsTest, AClickStartsTheProgramWithThePageAndSelectedFilesAsWholeArguments) {
    WriteFileAtomic(Folder + "a.htm", "");
    WriteFileAtomic(Folder + "b c.htm", "");
    Main->FilePane->FileListBox1->SetDirectory(TestSupport::CurrentSandbox);
    for (int i = 0; i < Main->FilePane->FileListBox1->Items().Count(); ++i)
        Main->FilePane->FileListBox1->SetSelected(i, true);
    MainWindowSupport::UsePage(*Main, 0, Folder + "my page.htm", "<P>");
    Define(0, "\"/opt/My Tools/check\" %1 --url=%2 %3 %1");

    Click(0);

    ASSERT_EQ(TestHooks::Launches().size(), 1u);
    EXPECT_EQ(TestHooks::Launches()[0].Program, "/opt/My Tools/check");
    EXPECT_EQ(TestHooks::Launches()[0].Arguments,
              (Arguments{Folder + "my page.htm", "--url=file://" + Folder + "my page.htm",
                         Folder + "a.htm;" + Folder + "b c.htm", "%1"}));
}

TEST_F(AppButtonsTest, CtrlClickOrAnEmptyButtonOpensTheSetUpDialogInsteadOfRunning) {
    Define(1, "tidy %1");
    Main->AppButtons->AppHints[1] = "Tidy the page";
    String shown;
    Answer([&](TAppCmdForm& form) {
        shown = form.AppNumLabel->Caption() + "|" + form.CmdLineEdit->Text() + "|" +
                form.DescEdit->Text();
        form.CancelButton->Click();
    });
    Click(1, {ssCtrl});
    EXPECT_EQ(shown, "Application 2|tidy %1|Tidy the page");

    Answer([&](TAppCmdForm& form) {
        shown = form.AppNumLabel->Caption() + "|" + form.CmdLineEdit->Text();
        form.CancelButton->Click();
    });
    Click(6);
    EXPECT_EQ(shown, "Application 7|");
    EXPECT_TRUE(TestHooks::Launches().empty());
    EXPECT_EQ(AppCmdForm, nullptr);
    EXPECT_TRUE(StoredApps().empty());
}

TEST_F(AppButtonsTest, OkStoresTheDefinitionInOrderAndTheButtonShowsIt) {
    Answer([](TAppCmdForm& form) {
        form.CmdLineEdit->SetText("gimp %1");
        form.DescEdit->SetText("Paint");
        form.ButtonTextEdit->SetText("GIMP");
        EXPECT_EQ(form.TextButton->Caption(), "GIMP");
        form.OKButton->Click();
    });
    Click(4);

    using Value = std::pair<String, String>;
    EXPECT_EQ(StoredApps(), (std::vector<Value>{{"AppCmdLine4", "gimp %1"},
                                                {"AppHint4", "Paint"},
                                                {"ButtonGlyph4", ""},
                                                {"ButtonText4", "GIMP"}}));
    TQmToolbarButton* button = Main->TagButtons->AppButtons[4];
    EXPECT_EQ(button->Caption(), "GIMP");
    EXPECT_EQ(button->Hint(), "Paint");
    EXPECT_EQ(button->Font().Name(), "Small Fonts");
    EXPECT_TRUE(button->Font().Style().Empty());
    Click(4);
    ASSERT_EQ(TestHooks::Launches().size(), 1u);
    EXPECT_EQ(TestHooks::Launches()[0].Program, "gimp");
}

TEST_F(AppButtonsTest, DeleteAndOkRemovesTheGlyphFileAndLeavesTheNumberInBold) {
    String glyph = GlyphFile(ProgramFolder() + "appbmp3.bmp", clRed);
    Define(2, "view %2", glyph);
    EXPECT_EQ(Main->TagButtons->AppButtons[2]->Caption(), "");
    Answer([](TAppCmdForm& form) {
        EXPECT_EQ(form.GlyphEdit->Text(), form.GlyphFileName);
        form.DeleteButton->Click();
        form.OKButton->Click();
    });
    Click(2, {ssCtrl});

    EXPECT_FALSE(FileExists(glyph));
    using Value = std::pair<String, String>;
    EXPECT_EQ(
        StoredApps(),
        (std::vector<Value>{
            {"AppCmdLine2", ""}, {"AppHint2", ""}, {"ButtonGlyph2", ""}, {"ButtonText2", ""}}));
    TQmToolbarButton* button = Main->TagButtons->AppButtons[2];
    EXPECT_EQ(button->Caption(), "3");
    EXPECT_EQ(button->Font().Name(), "MS Sans Serif");
    EXPECT_TRUE(button->Font().Style().Contains(fsBold));
    EXPECT_TRUE(button->Glyph().Empty());
}

// The set-up dialog opens on the button's stored picture and names its file.
TEST_F(AppButtonsTest, TheSetUpDialogShowsTheStoredPicture) {
    String glyph = GlyphFile(ProgramFolder() + "appbmp3.bmp", clRed);
    Define(2, "view %2", glyph);
    TBitmap stored;
    stored.LoadFromFile(glyph);
    bool shown = false;
    Answer([&](TAppCmdForm& form) {
        shown = true;
        EXPECT_EQ(form.GlyphEdit->Text(), glyph);
        EXPECT_EQ(form.GlyphFileName, glyph);
        ASSERT_EQ(form.GlyphButton->Glyph().Width(), 16);
        EXPECT_EQ(form.GlyphButton->Glyph().PixelAt(8, 8), stored.PixelAt(8, 8));
        form.CancelButton->Click();
    });
    Click(2, {ssCtrl});
    EXPECT_TRUE(shown);
}

// Until OK nothing on disk changes: neither Delete nor a newly chosen icon touches the button's
// glyph file, and no temporary picture is left behind.
TEST_F(AppButtonsTest, CancelKeepsTheGlyphFileAfterDeleteOrANewIcon) {
    String glyph = GlyphFile(ProgramFolder() + "appbmp4.bmp", clRed);
    const String before = ReadFileBytes(glyph);
    Define(3, "view %2", glyph);
    String icon = Folder + "green.ico";
    WriteFileAtomic(icon, IconFixture::SolidIcon(0xFF00FF00));
    for (bool deleting : {true, false}) {
        SCOPED_TRACE(deleting ? "Delete" : "a new icon");
        Answer([&](TAppCmdForm& form) {
            if (deleting) {
                form.DeleteButton->Click();
            } else {
                AnswerFileDialog(icon);
                form.GlyphBrowseButton->Click();
                EXPECT_FALSE(form.GlyphButton->Glyph().Empty());
            }
            form.CancelButton->Click();
        });
        Click(3, {ssCtrl});
        EXPECT_EQ(ReadFileBytes(glyph), before);
        EXPECT_EQ(AppCmdForm, nullptr);
    }
    std::vector<String> pictures;
    for (const auto& entry : std::filesystem::directory_iterator(ProgramFolder()))
        if (Pos("appbmp", entry.path().filename().string()) == 1)
            pictures.push_back(entry.path().filename().string());
    EXPECT_EQ(pictures, std::vector<String>{"appbmp4.bmp"});
}

TEST_F(AppButtonsTest, AChosenIconReplacesTheButtonsGlyphFileOnOk) {
    String glyph = GlyphFile(ProgramFolder() + "appbmp2.bmp", clRed);
    Define(1, "viewer %1", glyph);
    String icon = Folder + "blue icon.ico";
    WriteFileAtomic(icon, IconFixture::SolidIcon(0xFF0000FF));
    Answer([&](TAppCmdForm& form) {
        AnswerFileDialog(icon);
        form.GlyphBrowseButton->Click();
        EXPECT_EQ(form.GlyphEdit->Text(), icon);
        EXPECT_FALSE(form.IconComboBox1->Visible());
        form.OKButton->Click();
    });
    Click(1, {ssCtrl});

    ASSERT_TRUE(FileExists(glyph));
    TBitmap saved;
    saved.LoadFromFile(glyph);
    EXPECT_EQ(saved.Width(), 16);
    EXPECT_EQ(saved.PixelAt(8, 8), TColor(0xFF0000));
    EXPECT_EQ(Main->AppButtons->AppButtonGlyphs[1], glyph);
    EXPECT_EQ(Main->TagButtons->AppButtons[1]->Caption(), "");
    EXPECT_EQ(Main->TagButtons->AppButtons[1]->Glyph().PixelAt(8, 8), TColor(0xFF0000));
}

// A program path with blanks goes into the command line quoted, so that it still starts the
// program it names; the program's own picture becomes the glyph waiting for OK.
TEST_F(AppButtonsTest, BrowsingToAProgramQuotesAPathWithBlanks) {
    String program = Folder + "my tool.sh";
    WriteFileAtomic(program, "#!/bin/sh\n");
    Answer([&](TAppCmdForm& form) {
        AnswerFileDialog(program);
        form.BrowseButton->Click();
        EXPECT_EQ(form.CmdLineEdit->Text(), "\"" + program + "\"");
        EXPECT_EQ(form.GlyphEdit->Text(), program);
        EXPECT_EQ(form.GlyphFileName, ProgramFolder() + "appbmp6.bmp");
        EXPECT_EQ(form.GlyphButton->Glyph().Width(), 16);
        form.OKButton->Click();
    });
    Click(5);
    Click(5);
    ASSERT_EQ(TestHooks::Launches().size(), 1u);
    EXPECT_EQ(TestHooks::Launches()[0].Program, program);
    EXPECT_TRUE(TestHooks::Launches()[0].Arguments.empty());
}
