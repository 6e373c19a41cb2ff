// Find and replace across files: the search of one text as a table, the count texts, and whole
// runs over real files of a site folder, driven through the options and result windows.

#include "site/GlobalFindReplace.h"
#include "TestSupport.h"
#include "editor/FindReplace.h"
#include "editor/FindReplaceForm.h"
#include "editor/GlobalReplaceForm.h"
#include "editor/MainWindowSupport.h"
#include "platform/FileListBox.h"
#include "platform/Grids.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "widgets/QmFilSys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace MainWindowSupport;

namespace {

TEST(GlobalSearchText, CountsReplacesAndReportsLines) {
    struct Case {
        const char* Text;
        TGlobalSearch Search;
        int Count;
        const char* Output;
        std::vector<String> Lines;
    };
    const Case cases[] = {
        // Without case the find text comes lower-cased; the replacement goes in as typed.
        {"Cat cat CAT", {"cat", "Dog", false, false, false}, 3, "Dog Dog Dog", {}},
        {"Cat cat CAT", {"cat", "Dog", true, false, false}, 1, "Cat Dog CAT", {}},
        // The replacement is never searched again, and occurrences do not overlap.
        {"aaaa", {"aa", "aaa", true, false, false}, 2, "aaaaaa", {}},
        {"abc", {"x", "y", true, false, false}, 0, "", {}},
        {"abc", {"", "y", true, false, false}, 0, "", {}},
        {"ab ab", {"ab", "z", true, true, false}, 2, "", {}},
        // Two on one line: the second line starts just after the first occurrence.
        {"one x two x\r\nthree x\r\n",
         {"x", "y", true, true, true},
         3,
         "",
         {"one x two x", " two x", "three x"}},
        // A find text over a line break reports both lines without their breaks.
        {"a\r\nb\r\nc", {"a\r\nb", "q", true, false, true}, 1, "q\r\nc", {"ab"}},
    };
    for (const Case& c : cases) {
        String output;
        TGlobalFileResult result = SearchText(c.Text, c.Search, output);
        EXPECT_EQ(result.Count, c.Count) << c.Text;
        EXPECT_EQ(output, c.Output) << c.Text;
        EXPECT_EQ(result.Lines, c.Lines) << c.Text;
    }
}

TEST(GlobalSearchText, FoundTextsKeepCountsInOrderAsText) {
    EXPECT_EQ(FoundText(1, true), "    1 occurrence");
    EXPECT_EQ(FoundText(3, false), "    3 replacements");
    EXPECT_EQ(FoundText(12, false), "  12 replacements");
    EXPECT_EQ(FoundText(123, true), "123 occurrences");
}

class GlobalFindReplaceTest : public testing::Test {
protected:
    void SetUp() override {
        Site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("site"));
        std::filesystem::create_directories(Site);
    }

    void TearDown() override { EXPECT_EQ(TestHooks::QueuedAnswers(), 0); }

    String Make(const String& name, const String& bytes) {
        WriteFileAtomic(Site + name, bytes);
        return Site + name;
    }

    void MakeWindow() {
        Form = MakeMainWindow();
        Form->FilePane->DirectoryListBox1->SetDirectory(Site);
        Form->FilePane->FileListBox1->SetMask("*.*");
        Form->FilePane->FileListBox1->Update();
        for (int i = 0; i < Form->FilePane->FileListBox1->Items().Count(); ++i)
            Form->FilePane->FileListBox1->SetSelected(i, true);
    }

    // Fills the options dialog and presses one of its buttons.
    static void AnswerOptions(const String& find, const String& replace, bool replaceAll,
                              bool matchCase = false, bool showLines = false) {
        TestHooks::AnswerModal([=](TForm& form) {
            auto& dialog = dynamic_cast<TFindReplaceForm&>(form);
            dialog.FindMemo->SetText(find);
            dialog.ReplaceMemo->SetText(replace);
            dialog.CaseCheck->SetChecked(matchCase);
            dialog.ShowLinesCheck->SetChecked(showLines);
            (replaceAll ? dialog.Button3 : dialog.Button1)->Click();
        });
    }

    // Reads the result grid, row by row as "name|found", then closes with the button.
    void AnswerResult(std::vector<String>& rows, bool& asked,
                      TButton* TGlobalReplaceForm::*button) {
        TestHooks::AnswerModal([&rows, &asked, button](TForm& form) {
            auto& dialog = dynamic_cast<TGlobalReplaceForm&>(form);
            for (int row = 0; row < dialog.StringGrid1->RowCount(); ++row)
                rows.push_back(dialog.StringGrid1->Cells(0, row) + "|" +
                               dialog.StringGrid1->Cells(1, row));
            asked = dialog.YesButton->Visible();
            (dialog.*button)->Click();
        });
    }

    String Site;
    std::unique_ptr<THTMLEMainForm> Form;
};

// Replace All rewrites only the matching HTML files, each with its own line ends, skips and
// reports a file it may not write, and leaves other kinds of files and files without a match
// exactly as they were.
TEST_F(GlobalFindReplaceTest, ReplaceAllRewritesOnlyMatchingFilesSafely) {
    Make("lf.htm", "<p>Old one\nold two\nOLD</p>");
    Make("crlf.htm", "old\r\n");
    String none = Make("none.htm", "nothing here\n");
    String locked = Make("locked.htm", "old\n");
    chmod(locked.c_str(), 0444);
    Make("notes.txt", "old\n");
    auto noneTime = std::filesystem::last_write_time(none);
    MakeWindow();

    AnswerOptions("Old", "New", true);
    TestHooks::AnswerMessageBox(IDYES);
    TestHooks::AnswerMessageBox(IDOK);
    std::vector<String> rows;
    bool asked = true;
    AnswerResult(rows, asked, &TGlobalReplaceForm::OKButton);
    Form->GlobalFindReplace->GlobalReplace->Click();

    EXPECT_EQ(ReadFileBytes(Site + "lf.htm"), "<p>New one\nNew two\nNew</p>");
    EXPECT_EQ(ReadFileBytes(Site + "crlf.htm"), "New\r\n");
    EXPECT_EQ(ReadFileBytes(locked), "old\n");
    EXPECT_EQ(ReadFileBytes(Site + "notes.txt"), "old\n");
    EXPECT_EQ(std::filesystem::last_write_time(none), noneTime);
    EXPECT_EQ(rows, (std::vector<String>{
                        "File|Found", "lf.htm|    3 replacements", "crlf.htm|    1 replacement",
                        "locked.htm|      Not written", "none.htm|      None found"}));
    EXPECT_FALSE(asked);
    const auto& prompts = TestHooks::Prompts();
    auto warning = std::find_if(prompts.begin(), prompts.end(), [](const TestHooks::TPrompt& p) {
        return Pos("These files were left as they were:", p.Text) == 1;
    });
    ASSERT_NE(warning, prompts.end());
    EXPECT_NE(Pos("locked.htm", warning->Text), 0);
    EXPECT_FALSE(Form->FindReplace->GlobalReplaceMode);
    EXPECT_EQ(GlobalReplaceForm, nullptr);
    EXPECT_EQ(FindReplaceForm, nullptr);
}

// A rewritten file keeps its own kind of line end; one with mixed line ends takes the kind most
// of them have.
TEST_F(GlobalFindReplaceTest, ReplaceAllKeepsTheLineEndsOfEachFile) {
    Make("cr.htm", "old\rold");
    Make("mixed.htm", "old\r\nx\nold\n");
    MakeWindow();

    AnswerOptions("old", "new", true);
    TestHooks::AnswerMessageBox(IDYES);
    std::vector<String> rows;
    bool asked = true;
    AnswerResult(rows, asked, &TGlobalReplaceForm::OKButton);
    Form->GlobalFindReplace->GlobalReplace->Click();

    EXPECT_EQ(ReadFileBytes(Site + "cr.htm"), "new\rnew");
    EXPECT_EQ(ReadFileBytes(Site + "mixed.htm"), "new\nx\nnew\n");
}

// Find All changes nothing on disk; with Show Lines the matching lines fill the report pane,
// and the file-type choice is stored as it is clicked.
TEST_F(GlobalFindReplaceTest, FindAllCountsAndListsLines) {
    Make("a.htm", "first Cat\r\nno\r\ncat and cat\r\n");
    Make("b.txt", "cat\r\n");
    Store(ProductKey, {{"FindType", String("text")}});
    MakeWindow();
    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TFindReplaceForm&>(form);
        EXPECT_TRUE(dialog.TextCheck->Checked());
        dialog.HTMLCheck->SetChecked(true);
        dialog.HTMLCheckClick(dialog.HTMLCheck);
        dialog.FindMemo->SetText("CAT");
        dialog.ShowLinesCheck->SetChecked(true);
        dialog.Button1->Click();
    });
    std::vector<String> rows;
    bool asked = true;
    AnswerResult(rows, asked, &TGlobalReplaceForm::OKButton);
    Form->GlobalFindReplace->GlobalReplace->Click();

    EXPECT_EQ(ReadFileBytes(Site + "a.htm"), "first Cat\r\nno\r\ncat and cat\r\n");
    EXPECT_EQ(rows, (std::vector<String>{"File|Found", "a.htm|    3 occurrences"}));
    EXPECT_TRUE(Form->ReportPane->ReportForm->Visible());
    EXPECT_EQ(Form->ReportPane->ReportForm->Text(),
              "==================== a.htm ====================\r\n"
              "first Cat\r\n"
              "--------------------\r\n"
              "cat and cat\r\n"
              "--------------------\r\n"
              " and cat\r\n");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(ProductKey));
    EXPECT_EQ(reg.ReadString("FindType"), "html");
    EXPECT_EQ(Form->GlobalFindReplace->LastGlobalFindText, "CAT");
}

// A run decides whether the pages come back when a report already showing closes: they do when
// a page is open as it runs, even one opened after the report showed.
TEST_F(GlobalFindReplaceTest, RunBringsThePagesBackAfterAReportWhenAPageIsOpen) {
    Make("a.htm", "cat\r\n");
    MakeWindow();
    Form->ReportPane->ShowReportPane();
    UsePage(*Form, 0, Site + "a.htm", "cat\r\n");
    AnswerOptions("cat", "", false);
    std::vector<String> rows;
    bool asked = true;
    AnswerResult(rows, asked, &TGlobalReplaceForm::OKButton);
    Form->GlobalFindReplace->GlobalReplace->Click();
    ASSERT_EQ(rows.back(), "a.htm|    1 occurrence");
    Form->ReportPane->ReportCloseButton->Click();
    EXPECT_TRUE(Form->PageControl1->Visible());
}

// Only pages of rewritten files are offered for reloading; Yes reads them again and leaves the
// other pages' unsaved text alone. No keeps the old text.
TEST_F(GlobalFindReplaceTest, ReloadOffersOnlyRewrittenOpenPages) {
    String changed = Make("changed.htm", "old\r\n");
    String other = Make("other.htm", "same\r\n");
    MakeWindow();
    for (int answer : {IDNO, IDYES}) {
        WriteFileAtomic(changed, "old\r\n");
        UsePage(*Form, 0, changed, "old\r\n", true);
        UsePage(*Form, 1, other, "unsaved edit", true);
        AnswerOptions("old", "new", true);
        TestHooks::AnswerMessageBox(IDYES);
        std::vector<String> rows;
        bool asked = false;
        AnswerResult(rows, asked,
                     answer == IDYES ? &TGlobalReplaceForm::YesButton
                                     : &TGlobalReplaceForm::NoButton);
        Form->GlobalFindReplace->GlobalReplace->Click();
        EXPECT_TRUE(asked);
        EXPECT_EQ(Form->Memos[0]->Text(), answer == IDYES ? "new\r\n" : "old\r\n");
        EXPECT_EQ(Form->Memos[0]->Modified(), answer != IDYES);
        EXPECT_EQ(Form->Memos[1]->Text(), "unsaved edit");
    }
}

// The Replace dialog in global mode runs over the files with the stored kind of files; Shift
// on the last button press makes it count only, after a notice.
TEST_F(GlobalFindReplaceTest, ReplaceDialogInGlobalModeRunsOverTheFiles) {
    Make("a.htm", "old old\r\n");
    MakeWindow();
    Form->FindReplace->GlobalReplaceMode = true;
    Form->FindReplace->ReplaceDialog->SetFindText("old");
    Form->FindReplace->ReplaceDialog->SetReplaceText("new");
    Form->FindReplace->ReplaceDialog->SetOptions(Form->FindReplace->ReplaceDialog->Options()
                                                 << frReplaceAll);
    for (bool shift : {true, false}) {
        Form->FindReplace->GlobalReplaceMode = true;
        Form->LastShiftState = shift ? TShiftState{ssShift} : TShiftState{};
        TestHooks::AnswerMessageBox(shift ? IDOK : IDYES);
        std::vector<String> rows;
        bool asked = false;
        AnswerResult(rows, asked, &TGlobalReplaceForm::OKButton);
        Form->FindReplace->ReplaceDialogReplace(nullptr);
        EXPECT_EQ(rows.back(), shift ? "a.htm|    2 occurrences" : "a.htm|    2 replacements");
        EXPECT_EQ(ReadFileBytes(Site + "a.htm"), shift ? "old old\r\n" : "new new\r\n");
    }
}

// The result window's own commands: the header sort flips its direction and orders equal counts
// by name, Copy writes each line break as eight dots, Select marks the files with a match, not
// those left as they were.
TEST_F(GlobalFindReplaceTest, ResultWindowSortsCopiesAndSelects) {
    for (const char* name : {"b.htm", "a.htm", "c.htm", "d.htm", "e.htm", "f.htm"})
        Make(name, "x");
    MakeWindow();
    TGlobalReplaceForm dialog(nullptr);
    dialog.FileList = Form->FilePane->FileListBox1;
    TStringGrid& grid = *dialog.StringGrid1;
    const std::pair<const char*, const char*> data[] = {{"File", "Found"},
                                                        {"b.htm", "    2 occurrences"},
                                                        {"d.htm", "      None found"},
                                                        {"a.htm", "    2 occurrences"},
                                                        {"c.htm", "  12 occurrences"},
                                                        {"e.htm", "      Not read"},
                                                        {"f.htm", "      Not written"}};
    grid.SetRowCount(7);
    for (int row = 0; row < 7; ++row) {
        grid.SetCells(0, row, data[row].first);
        grid.SetCells(1, row, data[row].second);
    }
    auto names = [&grid] {
        String all;
        for (int row = 1; row < grid.RowCount(); ++row)
            all += grid.Cells(0, row) + " ";
        return all;
    };
    dialog.StringGrid1MouseDown(nullptr, mbLeft, {}, grid.ColWidths(0) + 5, 2);
    dialog.StringGrid1DblClick(nullptr);
    EXPECT_EQ(names(), "c.htm a.htm b.htm f.htm e.htm d.htm ");
    dialog.StringGrid1DblClick(nullptr);
    EXPECT_EQ(names(), "d.htm e.htm f.htm a.htm b.htm c.htm ");

    TestHooks::AnswerMessageBox(IDOK);
    dialog.CopyButtonClick(nullptr);
    EXPECT_EQ(Pos("File................Found................\r\n", TestHooks::ClipboardText()), 1);
    EXPECT_EQ(TestHooks::Prompts().back().Text, "Details have been copied to the clipboard.");

    dialog.SelectButtonClick(nullptr);
    std::vector<String> selected;
    for (int i = 0; i < Form->FilePane->FileListBox1->Items().Count(); ++i)
        if (Form->FilePane->FileListBox1->Selected(i))
            selected.push_back(Form->FilePane->FileListBox1->Items()[i]);
    EXPECT_EQ(selected, (std::vector<String>{"a.htm", "b.htm", "c.htm"}));
}

} // namespace
