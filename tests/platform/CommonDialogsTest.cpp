#include "platform/CommonDialogs.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A folder of the sandbox with one file in it; the current folder is put back afterwards.
class FileDialogTest : public testing::Test {
protected:
    void SetUp() override {
        StartDir = GetCurrentDir();
        Folder = TestSupport::Sandbox("site");
        ForceDirectories(Folder);
        Existing = Folder + "/index.htm";
        WriteFileAtomic(Existing, "<HTML>");
    }
    void TearDown() override { SetCurrentDir(StartDir); }

    static TestHooks::TDialogAnswer Choose(const String& fileName, int filterIndex = 0) {
        TestHooks::TDialogAnswer answer;
        answer.Accepted = true;
        answer.FileName = fileName;
        answer.FilterIndex = filterIndex;
        return answer;
    }

    String StartDir;
    String Folder;
    String Existing;
};

} // namespace

TEST_F(FileDialogTest, AnAnsweredOpenDialogGivesTheFullNameAndMovesTheCurrentFolder) {
    TOpenDialog dialog(nullptr);
    dialog.SetTitle("Locate Help File");
    dialog.SetFilter("Help files|*.hlp|All files|*.*");
    dialog.SetDefaultExt("hlp");
    dialog.SetInitialDir(Folder);
    TestHooks::AnswerDialog(Choose("manual", 2));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), Folder + "/manual.hlp");
    EXPECT_EQ(dialog.FilterIndex(), 2);
    EXPECT_EQ(dialog.Files().Text(), Folder + "/manual.hlp\r\n");
    EXPECT_EQ(GetCurrentDir(), Folder);
    const TestHooks::TPrompt& shown = TestHooks::Prompts().back();
    EXPECT_EQ(shown.Kind, "OpenDialog");
    EXPECT_EQ(shown.Caption, "Locate Help File");
}

TEST_F(FileDialogTest, SeveralFilesAndAFolderLeftAsItWas) {
    TOpenDialog dialog(nullptr);
    dialog.SetOptions({ofAllowMultiSelect, ofNoChangeDir});
    TestHooks::TDialogAnswer answer = Choose("");
    answer.Files = {Existing, Folder + "/b.htm"};
    TestHooks::AnswerDialog(answer);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Files().Count(), 2);
    EXPECT_EQ(dialog.Files()[1], Folder + "/b.htm");
    EXPECT_EQ(dialog.FileName(), Existing);
    EXPECT_EQ(GetCurrentDir(), StartDir);
}

TEST_F(FileDialogTest, CancelAndAnUnansweredDialogChooseNothing) {
    TOpenDialog dialog(nullptr);
    dialog.SetFileName("kept.htm");
    TestHooks::AnswerDialogCancel();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "kept.htm");

    std::vector<String> unanswered;
    auto previous =
        TestHooks::SetUnansweredPromptHandler([&](const TestHooks::TPrompt& prompt, const String&) {
            unanswered.push_back(prompt.Kind);
        });
    bool chosen = dialog.Execute();
    TestHooks::SetUnansweredPromptHandler(previous);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(unanswered, std::vector<String>{"OpenDialog"});
    EXPECT_EQ(dialog.FileName(), "kept.htm");
}

TEST_F(FileDialogTest, TheDialogsOwnChecksKeepItOpenForTheNextAnswer) {
    struct Case {
        const char* What;
        bool Saving;
        TOpenOptions Options;
        String First;
        int Answer;    // to the dialog's question about the first name
        String Second; // the next name chosen, when the first is refused
    };
    const Case cases[] = {
        {"replacing refused", true, {ofOverwritePrompt}, "index.htm", IDNO, "new.htm"},
        {"replacing agreed", true, {ofOverwritePrompt}, "index.htm", IDYES, ""},
        {"missing file", false, {ofFileMustExist}, "missing.htm", IDOK, "index.htm"},
        {"missing folder", true, {ofPathMustExist}, "nowhere/new.htm", IDOK, "new.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TSaveDialog save(nullptr);
        TOpenDialog open(nullptr);
        TOpenDialog& dialog = c.Saving ? save : open;
        dialog.SetInitialDir(Folder);
        dialog.SetOptions(c.Options);
        TestHooks::AnswerDialog(Choose(c.First));
        TestHooks::AnswerMessageBox(c.Answer);
        if (!c.Second.empty())
            TestHooks::AnswerDialog(Choose(c.Second));
        ASSERT_TRUE(dialog.Execute());
        EXPECT_EQ(dialog.FileName(), Folder + "/" + (c.Second.empty() ? c.First : c.Second));
        EXPECT_EQ(TestHooks::Prompts()[1].Caption, c.Saving ? "Save As" : "Open");
        TestHooks::Reset();
    }
}

TEST(ChoiceDialogTest, FontAndColourComeFromTheAnswer) {
    TFontDialog fontDialog(nullptr);
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.Fill = [](TComponent* dialog) {
        TFont& font = static_cast<TFontDialog*>(dialog)->Font();
        font.SetName("Courier New");
        font.SetSize(12);
        font.SetStyle({fsBold});
    };
    TestHooks::AnswerDialog(answer);
    ASSERT_TRUE(fontDialog.Execute());
    EXPECT_EQ(fontDialog.Font().Name(), "Courier New");
    EXPECT_EQ(fontDialog.Font().Size(), 12);

    TColorDialog colorDialog(nullptr);
    colorDialog.SetColor(clRed);
    answer.Fill = [](TComponent* dialog) { static_cast<TColorDialog*>(dialog)->SetColor(clNavy); };
    TestHooks::AnswerDialog(answer);
    TestHooks::AnswerDialogCancel();
    ASSERT_TRUE(colorDialog.Execute());
    EXPECT_EQ(colorDialog.Color(), clNavy);
    EXPECT_FALSE(colorDialog.Execute());
    EXPECT_EQ(colorDialog.Color(), clNavy);
    EXPECT_EQ(TestHooks::Prompts().back().Kind, "ColorDialog");
}

// The dialog opens on the font's own style, never on an oblique one for an upright font, so that
// OK without a change keeps the font as it was.
TEST(ChoiceDialogTest, FontDialogStartsOnTheStyleOfTheFont) {
    struct TCase {
        TFontStyles Style;
        bool Bold, Slanted;
    };
    const TCase cases[] = {
        {{}, false, false},
        {{fsBold}, true, false},
        {{fsItalic}, false, true},
        {{fsBold, fsItalic}, true, true},
    };
    for (const char* name : {"Courier New", "Arial", "Times New Roman", "MS Sans Serif"}) {
        for (const TCase& test : cases) {
            TFontDialog dialog(nullptr);
            dialog.Font().SetName(name);
            dialog.Font().SetSize(10);
            dialog.Font().SetStyle(test.Style);
            TestHooks::AnswerDialogCancel();
            EXPECT_FALSE(dialog.Execute());

            const String shown = TestHooks::Prompts().back().Text;
            const String style = shown.substr(shown.find(", ") + 2);
            SCOPED_TRACE(String(name) + ": " + shown);
            EXPECT_EQ(test.Bold, Pos("Bold", style) > 0);
            EXPECT_EQ(test.Slanted, Pos("Italic", style) > 0 || Pos("Oblique", style) > 0);
            TestHooks::Reset();
        }
    }
}

TEST(FindDialogs, ButtonsSayWhichWasPressedAndRaiseTheirEvents) {
    TReplaceDialog dialog(nullptr);
    dialog.SetOptions({frDown, frWholeWord});
    dialog.SetFindText(String(300, 'x'));
    EXPECT_EQ(dialog.FindText().size(), 255u);
    std::vector<String> events;
    auto record = [&](const char* name) {
        return [&events, &dialog, name](TObject* sender) {
            EXPECT_EQ(sender, &dialog);
            TFindOptions o = dialog.Options();
            events.push_back(String(name) + (o.Contains(frFindNext) ? " next" : "") +
                             (o.Contains(frReplace) ? " one" : "") +
                             (o.Contains(frReplaceAll) ? " all" : "") +
                             (o.Contains(frWholeWord) && o.Contains(frDown) ? " kept" : ""));
        };
    };
    dialog.OnFind = record("find");
    dialog.OnReplace = record("replace");
    EXPECT_FALSE(TestHooks::PressFindDialogButton(dialog, TFindButton::FindNext));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_TRUE(dialog.Showing());
    EXPECT_EQ(TestHooks::Prompts().back().Kind, "ReplaceDialog");
    EXPECT_EQ(TestHooks::Prompts().back().Caption, "Replace");
    EXPECT_EQ(TestHooks::Prompts().back().Text, String(255, 'x'));
    for (TFindButton button : {TFindButton::FindNext, TFindButton::Replace, TFindButton::ReplaceAll,
                               TFindButton::FindNext})
        EXPECT_TRUE(TestHooks::PressFindDialogButton(dialog, button));
    EXPECT_EQ(events, (std::vector<String>{"find next kept", "replace one kept", "replace all kept",
                                           "find next kept"}));
    EXPECT_TRUE(TestHooks::PressFindDialogButton(dialog, TFindButton::Cancel));
    EXPECT_FALSE(dialog.Showing());
    EXPECT_EQ(events.size(), 4u);
}

TEST(FileDialogFilters, EachPairIsListedOnceWithItsMasks) {
    const struct {
        const char* Filter;
        std::vector<String> Shown;
    } cases[] = {
        {"Help files|*.hlp|All files|*.*", {"Help files (*.hlp)", "All files (*)"}},
        {"Web Images (*.gif;*.jpg;*.png)|*.gif;*.jpg;*.png", {"Web Images (*.gif *.jpg *.png)"}},
        {"Pages (HTML)|*.htm;*.html", {"Pages (HTML) (*.htm *.html)"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        TOpenDialog dialog(nullptr);
        dialog.SetFilter(c.Filter);
        EXPECT_EQ(dialog.ShownFilters(), c.Shown) << c.Filter;
    }
}
