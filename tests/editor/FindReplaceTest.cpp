// Find and replace in a page: the text searches, one find step in both directions with its
// restart question, Replace one by one and Replace All.

#include "editor/FindReplace.h"
#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

std::vector<String> PromptTexts(size_t from = 0) {
    std::vector<String> texts;
    for (size_t i = from; i < TestHooks::Prompts().size(); ++i)
        if (TestHooks::Prompts()[i].Kind == "MessageBox")
            texts.push_back(TestHooks::Prompts()[i].Text);
    return texts;
}

} // namespace

TEST(FindReplace, TextSearchesCountFromOneAndNeverFindTheEmptyText) {
    struct Case {
        const char* Text;
        int Position; // from, or before
        const char* Pattern;
        bool MatchCase;
        int First;
        int Last;
    };
    const Case cases[] = {
        {"abcABC", 1, "abc", false, 1, 0}, // nothing lies wholly in the first 0 characters
        {"abcABC", 2, "abc", false, 4, 0}, //
        {"abcABC", 7, "abc", false, 0, 4}, // the last wholly before 7 ends at 6
        {"abcABC", 6, "abc", false, 0, 1}, // ...before 6 it must end by 5
        {"abcABC", 2, "abc", true, 0, 0},  // case kept
        {"aaaa", 5, "aa", true, 0, 3},     // overlapping occurrences count
        {"abc", 1, "", false, 0, 0},       // empty pattern
        {"", 1, "a", false, 0, 0},         // empty text
        {"abc", 9, "c", false, 0, 3},      // past the end
        {"ab", 0, "a", false, 1, 0},       // before 0 reads nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String(c.Text) + " / " + c.Pattern + " / " + IntToStr(c.Position));
        EXPECT_EQ(TFindReplace::FindTextFrom(c.Text, c.Position, c.Pattern, c.MatchCase), c.First);
        EXPECT_EQ(TFindReplace::FindLastTextBefore(c.Text, c.Position, c.Pattern, c.MatchCase),
                  c.Last);
    }
}

TEST(FindReplace, SearchingInBothDirectionsWithTheRestartQuestion) {
    struct Case {
        const char* Situation;
        const char* Text;
        int SelStart;
        int SelLength;
        TFindOptions Options;
        const char* Pattern;
        std::vector<int> Answers;
        int FoundAt; // -1: nothing selected at the end
        std::vector<const char*> Messages;
        bool Closed;
    };
    const TFindOptions down{frDown};
    const Case cases[] = {
        {"down from the caret finds the first characters",
         "abc def abc",
         0,
         0,
         down,
         "abc",
         {},
         0,
         {},
         false},
        {"down after a match finds the adjacent one", "abab", 0, 2, down, "ab", {}, 2, {}, false},
        {"down, whole word skips part of a word",
         "x concat cat",
         1,
         0,
         {frDown, frWholeWord},
         "cat",
         {},
         9,
         {},
         false},
        {"down, match case", "Abc abc", 0, 0, {frDown, frMatchCase}, "abc", {}, 4, {}, false},
        {"down, at the end", "abc abc", 5, 0, down, "bc", {}, 5, {}, false},
        {"down, not found, No stops and closes",
         "abc",
         0,
         0,
         down,
         "zz",
         {IDNO},
         -1,
         {"Cannot find \"zz\".\n\rRestart from top?"},
         true},
        {"down, Yes restarts from the top",
         "abc xyz",
         4,
         0,
         down,
         "abc",
         {IDYES},
         0,
         {"Cannot find \"abc\".\n\rRestart from top?"},
         false},
        {"down, restarted and still not found",
         "abc",
         1,
         0,
         down,
         "zz",
         {IDYES, IDOK},
         -1,
         {"Cannot find \"zz\".\n\rRestart from top?", "Cannot find \"zz\"."},
         true},
        {"up finds one ending right before the caret", "ab ab", 5, 0, {}, "ab", {}, 3, {}, false},
        {"up after a match finds the one before", "abab", 2, 2, {}, "ab", {}, 0, {}, false},
        {"up, whole word skips one followed by a letter",
         "ab abc",
         6,
         0,
         {frWholeWord},
         "ab",
         {},
         0,
         {},
         false},
        {"up, whole word takes one right before a rejected one",
         "-a-a",
         4,
         0,
         {frWholeWord},
         "-a",
         {},
         0,
         {},
         false},
        {"up, Yes restarts from the bottom",
         "xx ab",
         0,
         0,
         {},
         "ab",
         {IDYES},
         3,
         {"Cannot find \"ab\".\n\rRestart from bottom?"},
         false},
        {"an empty text is never found",
         "abc",
         0,
         0,
         down,
         "",
         {IDYES, IDOK},
         -1,
         {"Cannot find \"\".\n\rRestart from top?", "Cannot find \"\"."},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        TestHooks::Reset();
        auto form = MakeMainWindow();
        UsePage(*form, 0, "/a.htm", c.Text);
        TRichEdit* editor = form->GetMemo(-1);
        editor->SetSelStart(c.SelStart);
        editor->SetSelLength(c.SelLength);
        form->FindReplace->FindDialog1->Execute();
        form->FindReplace->FindDialog1->SetFindText(c.Pattern);
        form->FindReplace->FindDialog1->SetOptions(c.Options);
        for (int answer : c.Answers)
            TestHooks::AnswerMessageBox(answer);
        ASSERT_TRUE(TestHooks::PressFindDialogButton(*form->FindReplace->FindDialog1,
                                                     TFindButton::FindNext));
        EXPECT_EQ(TestHooks::QueuedAnswers(), 0);
        std::vector<String> expected(c.Messages.begin(), c.Messages.end());
        EXPECT_EQ(PromptTexts(), expected);
        if (c.FoundAt >= 0) {
            EXPECT_EQ(editor->SelStart(), c.FoundAt);
            EXPECT_EQ(editor->SelLength(), static_cast<int>(String(c.Pattern).size()));
        } else {
            EXPECT_EQ(editor->SelLength(), 0);
        }
        EXPECT_EQ(form->FindReplace->FindDialog1->Showing(), !c.Closed);
        EXPECT_EQ(form->FindReplace->SearchStopped, c.Closed);
    }
}

TEST(FindReplace, FindTakesTheSelectedWordAndSearchesPastIt) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", "0123456789hello and hello");
    form->UpdateDocumentCommands();
    TRichEdit* editor = form->GetMemo(-1);
    editor->SetSelStart(10);
    editor->SetSelLength(5);
    form->FindReplace->Find1->Click();
    EXPECT_EQ(form->FindReplace->FindDialog1->FindText(), "hello");
    EXPECT_EQ(editor->SelStart(), 11);
    EXPECT_EQ(editor->SelLength(), 0);
    ASSERT_TRUE(form->FindReplace->FindDialog1->Showing());
    TestHooks::PressFindDialogButton(*form->FindReplace->FindDialog1, TFindButton::FindNext);
    EXPECT_EQ(editor->SelStart(), 20);
    EXPECT_EQ(TestHooks::Prompts().back().Kind, "FindDialog");
}

TEST(FindReplace, ReplaceFindsFirstThenReplacesAndMovesOn) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", "cat Cat dog");
    form->UpdateDocumentCommands();
    TRichEdit* editor = form->GetMemo(-1);
    form->FindReplace->Replace1->Click();
    TReplaceDialog& dialog = *form->FindReplace->ReplaceDialog;
    ASSERT_TRUE(dialog.Showing());
    EXPECT_FALSE(form->FindReplace->GlobalReplaceMode);
    dialog.SetFindText("cat");
    dialog.SetReplaceText("lion");
    TestHooks::PressFindDialogButton(dialog, TFindButton::Replace);
    EXPECT_EQ(editor->Text(), "cat Cat dog");
    EXPECT_EQ(editor->SelText(), "cat");
    TestHooks::PressFindDialogButton(dialog, TFindButton::Replace);
    EXPECT_EQ(editor->Text(), "lion Cat dog");
    EXPECT_EQ(editor->SelStart(), 5);
    EXPECT_EQ(editor->SelText(), "Cat");
    // The last one replaced, the search for the next asks to restart.
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::PressFindDialogButton(dialog, TFindButton::Replace);
    EXPECT_EQ(editor->Text(), "lion lion dog");
    EXPECT_EQ(PromptTexts(), std::vector<String>{"Cannot find \"cat\".\n\rRestart from top?"});
    EXPECT_TRUE(form->FindReplace->SearchStopped);
}

// Find Next of the Replace dialog always asks to restart, under the program's caption.
TEST(FindReplace, ReplaceDialogFindNextAsksToRestartFromTheTop) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", "abc abc");
    form->UpdateDocumentCommands();
    TRichEdit* editor = form->GetMemo(-1);
    editor->SetSelStart(5);
    form->FindReplace->Replace1->Click();
    TReplaceDialog& dialog = *form->FindReplace->ReplaceDialog;
    dialog.SetFindText("abc");
    TestHooks::AnswerMessageBox(IDYES);
    TestHooks::PressFindDialogButton(dialog, TFindButton::FindNext);
    const String asked = "Cannot find \"abc\".\n\rRestart from top?";
    ASSERT_EQ(PromptTexts(), std::vector<String>{asked});
    const TestHooks::TPrompt question = TestHooks::Prompts().back();
    EXPECT_EQ(question.Caption, "Quiltmarker");
    EXPECT_EQ(question.Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(editor->SelStart(), 0);
    EXPECT_EQ(editor->SelText(), "abc");
    TestHooks::PressFindDialogButton(dialog, TFindButton::FindNext);
    EXPECT_EQ(editor->SelStart(), 4);
    EXPECT_FALSE(form->FindReplace->SearchStopped);
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::PressFindDialogButton(dialog, TFindButton::FindNext);
    EXPECT_EQ(PromptTexts(), std::vector<String>(2, asked));
    EXPECT_TRUE(form->FindReplace->SearchStopped);
    EXPECT_TRUE(dialog.Showing());
}

TEST(FindReplace, ReplaceAllCountsAndRewritesInOnePass) {
    struct Case {
        const char* Situation;
        const char* Text;
        const char* Find;
        const char* Replace;
        TFindOptions Options;
        const char* Result;
        const char* Message;
    };
    const Case cases[] = {
        {"replaced text is not searched again",
         "aaa",
         "a",
         "aa",
         {},
         "aaaaaa",
         "Quiltmarker has replaced 3 occurrences of 'a'"},
        {"without match case",
         "Cat CAT cat",
         "cat",
         "dog",
         {},
         "dog dog dog",
         "Quiltmarker has replaced 3 occurrences of 'cat'"},
        {"with match case, one occurrence",
         "Cat cat",
         "cat",
         "dog",
         {frMatchCase},
         "Cat dog",
         "Quiltmarker has replaced 1 occurrence of 'cat'"},
        {"whole words after a tab, '>' and at the end",
         "\tcat. concat >cat<\r\ncats cat",
         "cat",
         "dog",
         {frWholeWord},
         "\tdog. concat >dog<\r\ncats dog",
         "Quiltmarker has replaced 3 occurrences of 'cat'"},
        {"whole word at the start, overlapping candidates",
         "aa aaa",
         "aa",
         "b",
         {frWholeWord},
         "b aaa",
         "Quiltmarker has replaced 1 occurrence of 'aa'"},
        {"none found", "abc", "zz", "y", {}, "abc", "Cannot find any occurrences of 'zz'"},
        {"an empty find text", "abc", "", "y", {}, "abc", "Cannot find any occurrences of ''"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        TestHooks::Reset();
        auto form = MakeMainWindow();
        UsePage(*form, 0, "/a.htm", c.Text);
        form->UpdateDocumentCommands();
        TRichEdit* editor = form->GetMemo(-1);
        editor->SetSelStart(2);
        editor->SetSelLength(1);
        form->FindReplace->Replace1->Click();
        form->FindReplace->ReplaceDialog->SetFindText(c.Find);
        form->FindReplace->ReplaceDialog->SetReplaceText(c.Replace);
        form->FindReplace->ReplaceDialog->SetOptions(c.Options | TFindOptions{frDown});
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressFindDialogButton(*form->FindReplace->ReplaceDialog,
                                         TFindButton::ReplaceAll);
        EXPECT_EQ(editor->Text(), c.Result);
        EXPECT_EQ(PromptTexts(), std::vector<String>{c.Message});
        EXPECT_EQ(editor->Modified(), String(c.Text) != c.Result);
        EXPECT_EQ(editor->SelStart(), 2);
        EXPECT_EQ(editor->SelLength(), 0);
        EXPECT_FALSE(form->FindReplace->ReplaceDialog->Showing());
    }
}

// Replace All is one undo step after the page's earlier edits, which stay undoable.
TEST(FindReplace, ReplaceAllIsOneUndoStepAfterTheEarlierEdits) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", "cat dog\r\ncat");
    form->UpdateDocumentCommands();
    TRichEdit* editor = form->GetMemo(-1);
    editor->SetSelStart(3);
    editor->SetSelText(" and");
    const String edited = "cat and dog\r\ncat";
    ASSERT_EQ(editor->Text(), edited);
    form->FindReplace->Replace1->Click();
    form->FindReplace->ReplaceDialog->SetFindText("cat");
    form->FindReplace->ReplaceDialog->SetReplaceText("lion");
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::PressFindDialogButton(*form->FindReplace->ReplaceDialog, TFindButton::ReplaceAll);
    EXPECT_EQ(editor->Text(), "lion and dog\r\nlion");
    form->EditCommands->Undo1->Click();
    EXPECT_EQ(editor->Text(), edited);
    form->EditCommands->Undo1->Click();
    EXPECT_EQ(editor->Text(), "cat dog\r\ncat");
}

TEST(FindReplace, GlobalModeRefusesReplaceOneByOne) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", "cat");
    form->FindReplace->ReplaceDialog->Execute();
    form->FindReplace->GlobalReplaceMode = true;
    form->FindReplace->ReplaceDialog->SetFindText("cat");
    form->GetMemo(-1)->SelectAll();
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::PressFindDialogButton(*form->FindReplace->ReplaceDialog, TFindButton::Replace);
    const TestHooks::TPrompt& shown = TestHooks::Prompts().back();
    EXPECT_EQ(shown.Text, "You must use REPLACE ALL with global replace");
    EXPECT_EQ(shown.Caption, "Global Replace");
    EXPECT_EQ(shown.Icon(), static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(form->GetMemo(-1)->Text(), "cat");
}
