// The commands that rewrite a page in place, and the editors' and the window's keys: exact texts
// for small pages, the selection afterwards, one Undo giving the page back, bytes outside the
// change untouched.

#include "editor/TextTransforms.h"
#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/ChangeCaseForm.h"
#include "editor/EditorKeys.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;
using namespace TextTransforms;

namespace {

// Bytes 0xE9 (Windows-1252 e acute) and the UTF-8 form of the same letter.
const String Latin1 = "caf\xE9";
const String Utf8 = "caf\xC3\xA9";

class TextTransformsTest : public testing::Test {
protected:
    TRichEdit* Page(const String& text, int selStart, int selLength) {
        UsePage(*Form, 0, "/site/page.htm", text);
        // The document commands are enabled as opening a page enables them.
        Form->UpdateDocumentCommands();
        TRichEdit* editor = Form->Memos[0];
        editor->SetSelStart(selStart);
        editor->SetSelLength(selLength);
        return editor;
    }
    std::unique_ptr<THTMLEMainForm> Form = MakeMainWindow();
};

} // namespace

TEST(TextTransformRoutines, RewriteExactlyAsTheCommandsDescribe) {
    struct Case {
        const char* Situation;
        std::function<String(std::string_view)> Rewrite;
        String Text;
        String Expected;
    };
    auto caseOf = [](TCaseMode mode) {
        return [mode](std::string_view s) { return ChangeCase(s, mode); };
    };
    auto tags = [](bool upper) {
        return [upper](std::string_view s) { return ChangeTagCase(s, upper); };
    };
    const Case cases[] = {
        {"upper case", caseOf(TCaseMode::Upper), "ab " + Latin1, "AB CAF\xE9"},
        {"lower case keeps UTF-8", caseOf(TCaseMode::Lower), "AB " + Utf8, "ab " + Utf8},
        {"sentence case", caseOf(TCaseMode::Sentence), "hELLO. wORLD", "Hello. world"},
        {"initial caps: a line break is no blank", caseOf(TCaseMode::InitialCaps),
         "one two\r\nthree", "One Two\r\nthree"},
        {"toggle case leaves high bytes", caseOf(TCaseMode::Toggle), "aB\xC9z", "Ab\xC9Z"},
        {"tag case: names and unquoted values, not quoted ones", tags(true),
         "<a href=\"x.htm\" name=top>text</a>", "<A HREF=\"x.htm\" NAME=TOP>text</A>"},
        {"tag case: comments untouched, state carries over lines", tags(true),
         "<!-- <b> -->\r\n<p\r\nalign=left>x", "<!-- <b> -->\r\n<P\r\nALIGN=LEFT>x"},
        {"tag case: a comment starting inside a tag ends it", tags(false), "<B <!-- C> --> <I>",
         "<b <!-- C> --> <i>"},
        {"tag case: single quotes are not quotes", tags(true), "<a title='x y'>",
         "<A TITLE='X Y'>"},
        {"remove indents", RemoveIndents, "  \t}\r\n \t \r\n\tx \ty\tz\r\n", "}\r\n\r\nx y z\r\n"},
        {"blank lines: one removed from each run", RemoveBlankLines,
         "a\r\n\r\nb\r\n\r\n\r\nc\r\n \r\nd", "a\r\nb\r\n\r\nc\r\n \r\nd\r\n"},
        {"blank lines: a run ending the text stays", RemoveBlankLines, "a\r\n\r\n\r\n",
         "a\r\n\r\n\r\n"},
        {"comments: kept in STYLE and SCRIPT, removed between", RemoveComments,
         "<style><!-- s --></style><!-- x --><SCRIPT><!-- j --></Script>",
         "<style><!-- s --></style><SCRIPT><!-- j --></Script>"},
        {"comments: an unclosed comment loses only <!-", RemoveComments, "a<!--b", "a-b"},
        {"comments: an unclosed SCRIPT keeps the rest", RemoveComments, "<!--1-->a<script><!--2-->",
         "a<script><!--2-->"},
        {"comments: <!--> is not closed by its own dashes", RemoveComments, "<!-->x-->y", "y"},
        {"to code with BR, no final line end added",
         [](std::string_view s) { return AnglesToCodes(s, true); }, "<a>\r\nb&c",
         "&lt;a&gt;<BR>\r\nb&amp;c<BR>"},
        {"code to angles, once only", [](std::string_view s) { return CodesToAngles(s, false); },
         "&amp;lt; &lt;&GT;<BR>", "&lt; <&GT;<BR>"},
        {"code to angles dropping BR", [](std::string_view s) { return CodesToAngles(s, true); },
         "&lt;a&gt;<BR>\r\n<br>", "<a>\r\n<br>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        EXPECT_EQ(c.Rewrite(c.Text), c.Expected);
    }
}

// Every command through its menu item or button: the page, the selection afterwards, and one
// Undo giving the page back.
TEST_F(TextTransformsTest, CommandsRewriteThePageAsOneUndoStep) {
    struct Case {
        const char* Situation;
        std::function<void(THTMLEMainForm&)> Command;
        String Text;
        int SelStart;
        int SelLength;
        String Expected;
        int ExpectedStart;
        int ExpectedLength;
    };
    auto click = [](TMenuItem* TTextTransforms::*item) {
        return [item](THTMLEMainForm& form) { (form.TextTransforms->*item)->Click(); };
    };
    const String fiveLines = "l1\r\nl2\r\nl3\r\nl4\r\nl5\r\n";
    const Case cases[] = {
        {"indent, no selection: a tab at the caret", click(&TTextTransforms::Indent1),
         "ab" + Latin1, 1, 0, "a\tb" + Latin1, 2, 0},
        {"indent lines 3 and 4, selected to the start of line 5", click(&TTextTransforms::Indent1),
         fiveLines, 8, 8, "l1\r\nl2\r\n\tl3\r\n\tl4\r\nl5\r\n", 8, 8},
        {"unindent the same selection takes line 5 too", click(&TTextTransforms::Unindent1),
         "l1\r\nl2\r\n\tl3\r\n\tl4\r\n\tl5", 8, 10, "l1\r\nl2\r\nl3\r\nl4\r\nl5\r\n", 8, 10},
        {"indent to the end of the text gains a line end, empty lines stay",
         click(&TTextTransforms::Indent1), "a\r\n\r\nb", 0, 6, "\ta\r\n\r\n\tb\r\n", 0, 8},
        {"unindent of lines selected through the final line end adds no line",
         click(&TTextTransforms::Unindent1), "\ta\r\n\tb\r\n", 0, 8, "a\r\nb\r\n", 0, 4},
        {"unindent at the start reads nothing before the text", click(&TTextTransforms::Unindent1),
         "\tx", 0, 0, "\tx", 0, 0},
        {"unindent removes the tab before the caret", click(&TTextTransforms::Unindent1), "a\t\tb",
         3, 0, "a\tb", 2, 0},
        {"unindent removes a tab two before the caret", click(&TTextTransforms::Unindent1), "\tab",
         2, 0, "ab", 1, 0},
        {"remove indents keeps the selection", click(&TTextTransforms::RemoveIndents1),
         "  a\r\n\t" + Utf8, 4, 1, "a\r\n" + Utf8, 4, 1},
        {"upper-case tags", click(&TTextTransforms::Uppercase1), "<b>x</b>\r\n", 1, 0,
         "<B>x</B>\r\n", 1, 0},
        {"lower-case tags", click(&TTextTransforms::Lowercase1), "<B>X</B>", 0, 0, "<b>X</b>", 0,
         0},
        {"remove blank lines", click(&TTextTransforms::RemoveLinespaces1), "a\r\n\r\nb", 0, 0,
         "a\r\nb\r\n", 0, 0},
        {"remove comments", click(&TTextTransforms::RemoveComments1), "a<!-- x -->b", 0, 0, "ab", 0,
         0},
        {"Perl comment: lines 2 and 3 of a selection to the start of line 4",
         [](THTMLEMainForm& f) { f.TagButtons->PerlCommentButton->Click(); }, fiveLines, 4, 8,
         "l1\r\n#l2\r\n#l3\r\nl4\r\nl5\r\n", 4, 10},
        {"Perl uncomment through the last line",
         [](THTMLEMainForm& f) { f.TagButtons->PerlNoCommentButton->Click(); }, "#a\r\nb\r\n#c", 0,
         9, "a\r\nb\r\nc", 0, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        TRichEdit* editor = Page(c.Text, c.SelStart, c.SelLength);
        c.Command(*Form);
        EXPECT_EQ(editor->Text(), c.Expected);
        EXPECT_EQ(editor->SelStart(), c.ExpectedStart);
        EXPECT_EQ(editor->SelLength(), c.ExpectedLength);
        if (c.Expected != c.Text) {
            editor->Undo();
            EXPECT_EQ(editor->Text(), c.Text);
        }
    }
}

TEST_F(TextTransformsTest, ChangeCaseAsksUnlessShiftIsHeld) {
    TRichEdit* editor = Page("x one two\r\nthree", 2, 15);
    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TChangeCaseForm&>(form);
        EXPECT_EQ(dialog.Caption(), "Quiltmarker - Change Case");
        EXPECT_TRUE(dialog.UCButton->Checked());
        dialog.ICButton->SetChecked(true);
        dialog.SetModalResult(mrOk);
    });
    Form->TextTransforms->ChangeCase1->Click();
    EXPECT_EQ(editor->Text(), "x One Two\r\nthree");
    EXPECT_EQ(ChangeCaseForm, nullptr);

    TestHooks::AnswerModalResult(mrCancel);
    editor->SelectAll();
    Form->TextTransforms->ChangeCase2->Click();
    EXPECT_EQ(editor->Text(), "x One Two\r\nthree");

    TestHooks::SetKeyDown(VK_SHIFT, true);
    editor->SelectAll();
    Form->TextTransforms->ChangeCase1->Click();
    TestHooks::SetKeyDown(VK_SHIFT, false);
    EXPECT_EQ(editor->Text(), "X ONE TWO\r\nTHREE");
    editor->Undo();
    EXPECT_EQ(editor->Text(), "x One Two\r\nthree");
}

TEST_F(TextTransformsTest, AngleConversionsReplaceTheSelection) {
    struct Case {
        int Item;
        String Selected;
        String Expected;
    };
    const Case cases[] = {{0, "<a>&", "&lt;a&gt;&amp;"},
                          {1, "a\r\nb", "a<BR>\r\nb<BR>"},
                          {2, "&lt;a&gt;<BR>", "<a><BR>"},
                          {3, "&lt;a&gt;<BR>", "<a>"},
                          {-1, "<a>", "<a>"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Item);
        TRichEdit* editor = Page("[" + c.Selected + "]", 1, static_cast<int>(c.Selected.size()));
        Form->TagButtons->ReplaceAnglesButton->Click();
        EXPECT_TRUE(Form->TagButtons->ReplaceAnglesList->Visible());
        Form->TagButtons->ReplaceAnglesList->SetItemIndex(c.Item);
        Form->TagButtons->ReplaceAnglesList->OnClick(Form->TagButtons->ReplaceAnglesList);
        EXPECT_FALSE(Form->TagButtons->ReplaceAnglesList->Visible());
        EXPECT_EQ(editor->Text(), "[" + c.Expected + "]");
    }
}

TEST_F(TextTransformsTest, RemoveCommentsSaysWhenThereAreNone) {
    TRichEdit* editor = Page("<p>no comment</p>", 0, 0);
    TestHooks::AnswerMessageBox(IDOK);
    Form->TextTransforms->RemoveComments1->Click();
    ASSERT_FALSE(TestHooks::Prompts().empty());
    EXPECT_EQ(TestHooks::Prompts().back().Text, "No comments found");
    EXPECT_EQ(editor->Text(), "<p>no comment</p>");
}

// The commands follow the pages as they change and the Edit menu as it drops down; help-pointer
// mode offers them without a page.
TEST_F(TextTransformsTest, TheCommandsNeedAPageOrHelpPointerMode) {
    const TTextTransforms& transforms = *Form->TextTransforms;
    auto expectEnabled = [&](bool enabled, const char* when) {
        SCOPED_TRACE(when);
        Form->Edit1->Click();
        for (TMenuItem* item :
             {transforms.Indent1, transforms.Unindent1, transforms.RemoveComments1,
              transforms.TagCase1, transforms.RemoveIndents1})
            EXPECT_EQ(item->Enabled(), enabled) << item->Name();
        for (TQmToolbarButton* button : {transforms.IndentButton, transforms.UnindentButton})
            EXPECT_EQ(button->Enabled(), enabled) << button->Name();
    };
    Form->UpdateDocumentCommands();
    expectEnabled(false, "no page");
    Form->PointerHelp1->Click();
    expectEnabled(true, "help-pointer mode");
    Form->PointerHelp1->Click();
    expectEnabled(false, "the mode ended");
    Page("x", 0, 0);
    expectEnabled(true, "a page open");
}

TEST_F(TextTransformsTest, ScrollLockAndTheMenuItemToggleReplaceAngles) {
    Page("x", 0, 0);
    EXPECT_EQ(Form->TextTransforms->ReplaceAngles1->Caption(), "Replace<>");
    TestHooks::PressKey(*Form->Memos[0], VK_SCROLL);
    EXPECT_TRUE(Form->ReplaceAngles);
    EXPECT_EQ(Form->TextTransforms->ReplaceAngles1->Caption(), "Use <>");
    TestHooks::PressKey(*Form->Memos[0], VK_SCROLL);
    EXPECT_FALSE(Form->ReplaceAngles);
    EXPECT_EQ(Form->TextTransforms->ReplaceAngles1->Caption(), "Replace <>");
    Form->TextTransforms->ReplaceAngles1->Click();
    EXPECT_TRUE(Form->ReplaceAngles);
}

TEST_F(TextTransformsTest, TheInsertPanelFollowsTheEditorWhateverKeysWerePressed) {
    Form->Show();
    TRichEdit* editor = Page("text", 0, 0);
    editor->SetFocus();
    Application->ProcessMessages();
    struct Step {
        TShiftState Shift;
        bool Overwrite;
    };
    const Step steps[] = {{{}, true},  {{ssShift}, true},  {{ssCtrl}, true},
                          {{}, false}, {{ssShift}, false}, {{ssCtrl}, false}};
    for (const Step& step : steps) {
        TestHooks::PressKey(*editor, VK_INSERT, step.Shift);
        EXPECT_EQ(editor->Overwrite(), step.Overwrite);
        EXPECT_EQ(PanelText(*Form, THTMLEMainForm::InsertPanel), step.Overwrite ? "OW" : "INS");
    }
}

TEST_F(TextTransformsTest, SmartTabsStartTheNewLineWithTheLineBeforesTabs) {
    Form->SmartTabs = true;
    Form->Show();
    const String text = "first\r\n\t\tsecond";
    struct Case {
        const char* Situation;
        String Text;
        String Expected;
    };
    const Case cases[] = {
        {"two tabs copied", text, text + "\r\n\t\t"},
        {"never from the first line", "\t\tfirst", "\t\tfirst\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        TRichEdit* editor = Page(c.Text, static_cast<int>(c.Text.size()), 0);
        editor->SetFocus();
        TestHooks::PressKey(*editor, VK_RETURN);
        EXPECT_EQ(editor->Text(), c.Expected);
        EXPECT_EQ(editor->SelStart(), static_cast<int>(c.Expected.size()));
    }
}

TEST_F(TextTransformsTest, CtrlF1AsksTheReferenceForTheTagAtTheCaret) {
    Store(ProductKey + "\\Help", {{"HTMLRefLib", String("/help/ref.hlp")}});
    TRichEdit* editor = Page("<TABLE border=1></TABLE>", 3, 0);
    WORD key = VK_F1;
    Form->EditorKeys->Memo1KeyDown(editor, key, {ssCtrl});
    ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
    EXPECT_EQ(TestHooks::HelpRequests()[0].HelpFile, "/help/ref.hlp");
    EXPECT_EQ(TestHooks::HelpRequests()[0].Command, UINT(HELP_KEY));
    EXPECT_EQ(TestHooks::HelpRequests()[0].Keyword, "<TABLE>");
}

TEST_F(TextTransformsTest, TheHiddenSequenceShowsTheVersionOnlyWhenUnbroken) {
    auto press = [this](WORD key, TShiftState shift) {
        Form->EditorKeys->FormKeyDown(Form.get(), key, shift);
    };
    const TShiftState held{ssCtrl, ssAlt};
    press(VK_F9, held);
    press(VK_F11, held);
    press(VK_CONTROL, held);
    press(VK_F10, held);
    EXPECT_TRUE(TestHooks::Prompts().empty());
    press(VK_F9, held);
    press(VK_F11, held);
    TestHooks::AnswerMessageBox(IDOK);
    press(VK_F10, held);
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text.substr(0, 22), "Quiltmarker\r\n\nVersion ");
}

// Nothing the user types can come between reading the page and writing it back: the page takes
// no input while a whole-page command rewrites it, and takes it again afterwards.
TEST_F(TextTransformsTest, AWholePageRewriteHoldsTheInputBack) {
    TRichEdit* editor = Page("a<!-- x -->b\r\n\r\nc", 0, 0);
    std::vector<bool> enabledAtChange;
    TNotifyEvent change = editor->OnChange;
    editor->OnChange = [&](TObject* sender) {
        enabledAtChange.push_back(editor->Enabled());
        if (change)
            change(sender);
    };
    Form->TextTransforms->RemoveComments1->Click();
    Form->TextTransforms->RemoveLinespaces1->Click();
    EXPECT_EQ(editor->Text(), "ab\r\nc\r\n");
    EXPECT_EQ(enabledAtChange, (std::vector<bool>{false, false}));
    EXPECT_TRUE(editor->Enabled());
}
