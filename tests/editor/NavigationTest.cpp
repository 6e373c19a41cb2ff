// Moving and selecting by the page's tags, the bookmark, Go To Line, the clipboard commands and
// the Edit menu's refresh.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/EditorKeys.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "editor/FontCommand.h"
#include "editor/HTMLLocationForm.h"
#include "platform/Clipbrd.h"
#include "platform/TestHooks.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace MainWindowSupport;

namespace {

// The text with "|" marking the caret: the page holds it without the mark, the caret there.
std::unique_ptr<THTMLEMainForm> PageWithCaret(const String& marked) {
    auto form = MakeMainWindow();
    size_t caret = marked.find('|');
    String text = marked;
    text.erase(caret, 1);
    UsePage(*form, 0, "/a.htm", text);
    form->UpdateDocumentCommands();
    form->GetMemo(-1)->SetSelStart(static_cast<int>(caret));
    return form;
}

} // namespace

TEST(Navigation, ExtendSelectsTheWholeElementAroundTheCaret) {
    struct Case {
        const char* Marked;
        const char* Selected; // empty: not found, caret left on the '<' searched from
        const char* Message;
    };
    const Case cases[] = {
        {"x <|B>a <B>b</B> c</B>\r\n", "<B>a <B>b</B> c</B>", ""},
        {"<TD>a <TD>b</TD> c</T|D>\r\n", "<TD>a <TD>b</TD> c</TD>", ""},
        {"<td class=\"x\">a</T|D>", "<td class=\"x\">a</TD>", ""},
        {"<B>a<BR>b<BODY>c</B|>", "<B>a<BR>b<BODY>c</B>", ""},
        {"<TH>a<THEAD>b</TH>|", "<TH>a<THEAD>b</TH>", ""},
        {"<|a href=\"x\">link</A>", "<a href=\"x\">link</A>", ""},
        {"<TD\r\nclass=x>|a</TD>\r\n", "<TD\r\nclass=x>a</TD>", ""},
        {"<TD\tclass=x>|a</TD>", "<TD\tclass=x>a</TD>", ""},
        {"<B>a</B>|<I>b</I>", "<B>a</B>", ""},
        {"<|B>unclosed", "", "Can't find matching end tag"},
        {"a</B|>", "", "Can't find matching start tag"},
        {"<!-- x|y -->", "", "Can't find matching end tag"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Marked);
        TestHooks::Reset();
        auto form = PageWithCaret(c.Marked);
        TRichEdit* editor = form->GetMemo(-1);
        if (*c.Message)
            TestHooks::AnswerMessageBox(IDOK);
        form->ElementNavigation->ExtendButton->Click();
        EXPECT_EQ(editor->SelText(), c.Selected);
        if (*c.Message) {
            EXPECT_EQ(TestHooks::Prompts().back().Text, c.Message);
            EXPECT_EQ(editor->CharAt(editor->SelStart()), '<');
        }
        EXPECT_EQ(TestHooks::QueuedAnswers(), 0);
    }
}

TEST(Navigation, MatchingTagGivesTheLengthEachSearchReports) {
    auto form = PageWithCaret("<B>x</B|>\r\n");
    int start = -1;
    int length = -1;
    ASSERT_TRUE(form->ElementNavigation->FindMatchingTag(form->GetMemo(-1), start, length, false));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(length, 8); // the element exactly
    form->GetMemo(-1)->SetSelStart(1);
    ASSERT_TRUE(form->ElementNavigation->FindMatchingTag(form->GetMemo(-1), start, length, false));
    EXPECT_EQ(length, 9); // one more
    for (const char* marked : {"|<B>x</B>", "ab|c", "|"}) {
        SCOPED_TRACE(marked);
        auto page = PageWithCaret(marked);
        EXPECT_FALSE(
            page->ElementNavigation->FindMatchingTag(page->GetMemo(-1), start, length, false));
        EXPECT_TRUE(TestHooks::Prompts().empty());
    }
}

TEST(Navigation, TagBoundsAndSelectTag) {
    struct Case {
        const char* Marked;
        bool Result;
        int Start;
        int End;
        bool PastName;
        bool InComment;
        const char* Selected;
    };
    const Case cases[] = {
        {"a <IMG src=x|>", true, 3, 13, true, false, "<IMG src=x>"},
        {"<B|>", true, 1, 3, false, false, "<B>"},
        {"<!-- a |-->", true, 1, 10, true, true, "<!-- a -->"},
        {"<A href|<B>", true, 1, -1, true, false, ""},
        {"<B>t|ext", false, 0, 0, false, false, ""},
        {"te|xt", false, 0, 0, false, false, ""},
        {"|<B>", false, 0, 0, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Marked);
        auto form = PageWithCaret(c.Marked);
        int start = 0;
        int end = 0;
        bool pastName = true;
        bool inComment = true;
        EXPECT_EQ(form->ElementNavigation->TagBoundsAtCaret(&start, &end, &pastName, &inComment),
                  c.Result);
        EXPECT_EQ(pastName, c.PastName);
        EXPECT_EQ(inComment, c.InComment);
        if (c.Result) {
            EXPECT_EQ(start, c.Start);
            EXPECT_EQ(end, c.End);
        }
        form->ElementNavigation->SelectTag2->Click();
        EXPECT_EQ(form->GetMemo(-1)->SelText(), c.Selected);
    }
}

TEST(Navigation, TagRightAndLeftWithAndWithoutCtrl) {
    struct Case {
        const char* Marked;
        bool Right;
        bool Ctrl;
        int SelStart;
        int SelLength;
    };
    const Case cases[] = {
        {"<B>a|b<I>c</I>", true, false, 8, 0},
        {"<B>a|b<I>c</I>", true, true, 4, 4},
        {"a|b", true, false, 2, 0},
        {"<B>a|b<I>c", false, false, 0, 0},
        {"<B>ab<|I>c", false, false, 5, 0},
        {"<B>ab<I>c|", false, true, 5, 4},
        {"a|b", false, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String(c.Marked) + (c.Right ? " right" : " left") + (c.Ctrl ? " ctrl" : ""));
        auto form = PageWithCaret(c.Marked);
        TestHooks::SetKeyDown(VK_CONTROL, c.Ctrl);
        if (c.Right)
            form->ElementNavigation->TagRightClick(nullptr);
        else
            form->ElementNavigation->TagLeft1Click(nullptr);
        TestHooks::SetKeyDown(VK_CONTROL, false);
        EXPECT_EQ(form->GetMemo(-1)->SelStart(), c.SelStart);
        EXPECT_EQ(form->GetMemo(-1)->SelLength(), c.SelLength);
    }
}

TEST(Navigation, GoToLinePutsTheCaretAtTheLineStart) {
    const String text = "one\r\n\r\nthree\r\nfour";
    struct Case {
        const char* Typed;
        int Caret;
    };
    const Case cases[] = {
        {"1", 0}, {"2", 5}, {" +3", 7}, {"4x", 14}, {"9", 18}, {"0", 18}, {"line", 18}, {"-2", 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        auto form = MakeMainWindow();
        UsePage(*form, 0, "/a.htm", text);
        form->UpdateDocumentCommands();
        form->GetMemo(-1)->SetSelStart(8);
        String offered;
        TestHooks::AnswerModal([&](TForm&) {
            offered = LocationForm->LocEdit->Text();
            EXPECT_EQ(LocationForm->LocEdit->SelLength(), static_cast<int>(offered.size()));
            LocationForm->LocEdit->SetText(c.Typed);
            LocationForm->OKButton->Click();
        });
        form->ElementNavigation->GoTo1->Click();
        EXPECT_EQ(offered, "3");
        EXPECT_EQ(form->GetMemo(-1)->SelStart(), c.Caret);
        EXPECT_EQ(LocationForm, nullptr);
    }
}

TEST(Navigation, BookmarkIsOnePositionPerPage) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", "first page text");
    UsePage(*form, 1, "/b.htm", "second");
    form->UpdateDocumentCommands();
    TRichEdit* second = form->GetMemo(-1);
    second->SetSelStart(3);
    form->ElementNavigation->BookmarkButton->Click();
    EXPECT_EQ(form->ElementNavigation->Bookmarks[1], 3);
    EXPECT_EQ(form->ElementNavigation->Bookmarks[0], -1);
    second->SetSelStart(0);
    form->ElementNavigation->GoToBookmark1->Click();
    EXPECT_EQ(second->SelStart(), 3);

    form->PageControl1->SetActivePage(form->TabSheets[0]);
    TRichEdit* first = form->GetMemo(-1);
    first->SetSelStart(5);
    form->ElementNavigation->GotoButton->Click(); // no bookmark here: the caret stays
    EXPECT_EQ(first->SelStart(), 5);
}

// The features put their items and buttons among the shell's and among each other's, where the
// window has always had them.
TEST(Navigation, EditMenuShortcutMenuAndEditingToolbarKeepTheirOrder) {
    auto form = MakeMainWindow();
    auto itemNames = [](const TMenuItem& menu) {
        std::vector<String> names;
        for (int i = 0; i < menu.Count(); ++i)
            names.push_back(menu.Items(i)->Name());
        return names;
    };
    EXPECT_EQ(itemNames(*form->Edit1),
              (std::vector<String>{"Undo1",           "Cut1",
                                   "Copy1",           "Paste1",
                                   "SelectAll2",      "Extendhighlight1",
                                   "SelectTag2",      "Find1",
                                   "Replace1",        "ChangeCase1",
                                   "GlobalReplace",   "GoTo1",
                                   "Indent1",         "Unindent1",
                                   "SetBookmark1",    "GoToBookmark1",
                                   "TagCase1",        "TextOnly1",
                                   "RemoveIndents1",  "RemoveLinespaces1",
                                   "RemoveComments1", "ReplaceAngles1",
                                   "ColourTags1",     "RemoveTextFormatting2",
                                   "RepeatLastTag1",  "InsertAttribute1"}));
    EXPECT_EQ(itemNames(*form->MainPopupMenu->Items()),
              (std::vector<String>{"RemoveTextFormatting1", "RepeatLastTag2", "Undo2", "Cut2",
                                   "Copy4", "Paste2", "SelectAll1", "SelectTag1", "GoToLine1",
                                   "CheckTags1", "ChangeCase2", "RemoveLinespaces2",
                                   "RemoveComments2", "ShowDatesPublished1", "HelponTAG1",
                                   "Attributes1", "CheckDownloadSpeed1"}));
    std::vector<TControl*> buttons;
    for (int i = 0; i < form->EditToolbar->ControlCount(); ++i)
        buttons.push_back(form->EditToolbar->Controls(i));
    std::sort(buttons.begin(), buttons.end(),
              [](TControl* a, TControl* b) { return a->Left() < b->Left(); });
    std::vector<String> buttonNames;
    for (TControl* button : buttons)
        buttonNames.push_back(button->Name());
    for (size_t i = 1; i < buttons.size(); ++i)
        EXPECT_GE(buttons[i]->Left(), buttons[i - 1]->Left() + buttons[i - 1]->Width());
    EXPECT_EQ(buttonNames,
              (std::vector<String>{"CutButton", "CopyButton", "PasteButton", "BookmarkButton",
                                   "GotoButton", "FindButton", "ReplaceButton", "ExtendButton",
                                   "IndentButton", "UnindentButton", "GlobalReplaceButton"}));
}

TEST(Navigation, ClipboardUndoAndSelectAll) {
    auto form = PageWithCaret("abc|def");
    TRichEdit* editor = form->GetMemo(-1);
    editor->SetSelLength(2);
    form->EditCommands->Cut1->Click();
    EXPECT_EQ(editor->Text(), "abcf");
    EXPECT_EQ(Clipboard()->AsText(), "de");
    form->EditCommands->Paste1->Click();
    form->EditCommands->Paste1->Click();
    EXPECT_EQ(editor->Text(), "abcdedef");
    form->EditCommands->Undo1->Click();
    EXPECT_EQ(editor->Text(), "abcdef");
    form->EditCommands->SelectAll2->Click();
    form->EditCommands->Copy1->Click();
    EXPECT_EQ(Clipboard()->AsText(), "abcdef");
}

TEST(Navigation, EditMenuRefreshFollowsThePageAndTheCaret) {
    auto form = MakeMainWindow();
    TestHooks::SetClipboardText("");
    form->Edit1->Click();
    for (TMenuItem* item :
         {form->EditCommands->Undo1, form->EditCommands->Cut1, form->EditCommands->Paste1,
          form->ElementNavigation->GoTo1, form->FindReplace->Find1,
          form->ElementNavigation->SelectTag2, form->ElementNavigation->GoToBookmark1,
          form->ElementNavigation->Extendhighlight1})
        EXPECT_FALSE(item->Enabled()) << item->Name();
    EXPECT_FALSE(form->ElementNavigation->BookmarkButton->Enabled());

    UsePage(*form, 0, "/a.htm", "<B>text");
    form->GetMemo(-1)->SetSelStart(2);
    form->Edit1->Click();
    for (TMenuItem* item :
         {form->EditCommands->SelectAll2, form->ElementNavigation->GoTo1, form->FindReplace->Find1,
          form->FindReplace->Replace1, form->ElementNavigation->SelectTag2,
          form->ElementNavigation->Extendhighlight1, form->ElementNavigation->SetBookmark1})
        EXPECT_TRUE(item->Enabled()) << item->Name();
    for (TMenuItem* item :
         {form->EditCommands->Undo1, form->EditCommands->Cut1, form->EditCommands->Copy1,
          form->EditCommands->Paste1, form->ElementNavigation->GoToBookmark1})
        EXPECT_FALSE(item->Enabled()) << item->Name();

    form->GetMemo(-1)->SetSelStart(5);
    form->GetMemo(-1)->SetSelLength(2);
    form->GetMemo(-1)->SetSelText("X");
    form->ElementNavigation->BookmarkButton->Click();
    TestHooks::SetClipboardText("clip");
    form->Edit1->Click();
    EXPECT_FALSE(form->ElementNavigation->SelectTag2->Enabled());
    for (TMenuItem* item : {form->EditCommands->Undo1, form->EditCommands->Paste1,
                            form->ElementNavigation->GoToBookmark1})
        EXPECT_TRUE(item->Enabled()) << item->Name();
    form->GetMemo(-1)->SelectAll();
    form->MainPopupMenu->Popup(0, 0);
    for (TMenuItem* item : {form->EditCommands->Cut2, form->EditCommands->Copy4,
                            form->EditCommands->Paste2, form->EditCommands->Undo2})
        EXPECT_TRUE(item->Enabled()) << item->Name();
}

// The find and navigation commands need a page, as the pages' own commands do.
TEST(Navigation, FindAndNavigationCommandsFollowThePages) {
    auto form = MakeMainWindow();
    const TElementNavigation& navigation = *form->ElementNavigation;
    const TFindReplace& find = *form->FindReplace;
    const std::vector<TMenuItem*> items{navigation.Extendhighlight1,
                                        navigation.SelectTag2,
                                        find.Find1,
                                        find.Replace1,
                                        navigation.GoTo1,
                                        navigation.SetBookmark1,
                                        navigation.GoToBookmark1};
    const std::vector<TQmToolbarButton*> buttons{navigation.BookmarkButton, navigation.GotoButton,
                                                 find.FindButton, find.ReplaceButton,
                                                 navigation.ExtendButton};
    auto expectEnabled = [&](bool enabled) {
        for (TMenuItem* item : items)
            EXPECT_EQ(item->Enabled(), enabled) << item->Name();
        for (TQmToolbarButton* button : buttons)
            EXPECT_EQ(button->Enabled(), enabled) << button->Name();
    };
    expectEnabled(false);
    UsePage(*form, 0, "/a.htm", "text");
    form->UpdateDocumentCommands();
    expectEnabled(true);
    form->Documents->Close1Click(form->Documents->Close1);
    expectEnabled(false);
}

// A press in a page offers the shortcut menu's Select Tag only when the caret is in a tag.
TEST(Navigation, APressInAPageOffersSelectTagInATagOnly) {
    auto form = PageWithCaret("<B|>text");
    TRichEdit* editor = form->GetMemo(-1);
    TMenuItem* selectTag = form->ElementNavigation->SelectTag1;
    editor->Perform(WM_RBUTTONDOWN, 0, MAKELPARAM(7, 9));
    EXPECT_TRUE(selectTag->Enabled());
    // The window's own handling of the press runs as well.
    EXPECT_EQ(form->EditorKeys->EditorMousePoint.x, 7);
    EXPECT_EQ(form->EditorKeys->EditorMousePoint.y, 9);
    editor->SetSelStart(5);
    editor->Perform(WM_RBUTTONDOWN, 0, 0);
    EXPECT_FALSE(selectTag->Enabled());
}

// The commands' shortcuts go through the main menu, hidden items included, as a key press does.
TEST(Navigation, ShortcutsReachTheCommands) {
    auto form = PageWithCaret("<B>a|b<I>c</I>");
    TRichEdit* editor = form->GetMemo(-1);
    TMenu& menu = *form->MainMenu1;
    struct Step {
        const char* Situation;
        WORD Key;
        TShiftState Shift;
        bool Ctrl;
        int SelStart;
        int SelLength;
    };
    const Step steps[] = {
        {"Alt+Right: after the next '>'", VK_RIGHT, ssAlt, false, 8, 0},
        {"Alt+Left: to the '<' before", VK_LEFT, ssAlt, false, 5, 0},
        {"Ctrl+Alt+Right: up to the next '>'", VK_RIGHT, TShiftState{ssCtrl, ssAlt}, true, 5, 3},
        {"Ctrl+Alt+Left: from the '<' before", VK_LEFT, TShiftState{ssCtrl, ssAlt}, true, 0, 5},
        {"Ctrl+A: select all", 'A', ssCtrl, false, 0, 13},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Situation);
        TestHooks::SetKeyDown(VK_CONTROL, step.Ctrl);
        EXPECT_TRUE(menu.IsShortCut(step.Key, step.Shift));
        TestHooks::SetKeyDown(VK_CONTROL, false);
        EXPECT_EQ(editor->SelStart(), step.SelStart);
        EXPECT_EQ(editor->SelLength(), step.SelLength);
    }
    editor->SetSelStart(3);
    editor->SetSelLength(1);
    EXPECT_TRUE(menu.IsShortCut('X', ssCtrl));
    EXPECT_EQ(editor->Text(), "<B>b<I>c</I>");
    EXPECT_TRUE(menu.IsShortCut('V', ssCtrl));
    EXPECT_TRUE(menu.IsShortCut('V', ssCtrl));
    EXPECT_EQ(editor->Text(), "<B>aab<I>c</I>");
    EXPECT_TRUE(menu.IsShortCut('Z', ssCtrl));
    EXPECT_EQ(editor->Text(), "<B>ab<I>c</I>");
    editor->SetSelStart(0);
    editor->SetSelLength(2);
    EXPECT_TRUE(menu.IsShortCut('C', ssCtrl));
    EXPECT_EQ(Clipboard()->AsText(), "<B");
}

TEST(Navigation, ViewAndPreferencesMenusRefreshAsTheyOpen) {
    auto form = PageWithCaret("|text");
    struct Filter {
        const char* Text;
        bool Images;
    };
    for (const Filter& filter :
         {Filter{"*.htm;*.wav", true}, Filter{"*.*", false}, Filter{"*.*;*.gif", true}}) {
        SCOPED_TRACE(filter.Text);
        form->FilePane->ShowImages = filter.Images;
        form->FilePane->FilterCombo->SetText(filter.Text);
        form->View1->Click();
        EXPECT_EQ(form->FilePane->IncludeMultimedia1->Checked(),
                  String(filter.Text).find(".wav") != String::npos);
        EXPECT_EQ(form->FilePane->ShowAllFiles1->Checked(), String(filter.Text) == "*.*");
        EXPECT_EQ(form->FilePane->ShowImages1->Checked(), filter.Images);
    }
    for (bool wrap : {true, false}) {
        SCOPED_TRACE(wrap ? "report pane shown, wrapping" : "report pane hidden, not wrapping");
        form->GetMemo(-1)->SetWordWrap(wrap);
        form->ReportPane->ReportForm->SetVisible(wrap);
        form->Preferences1->Click();
        EXPECT_EQ(form->WordWrap1->Checked(), wrap);
        EXPECT_EQ(form->FontCommand->Editor1->Enabled(), !wrap);
    }
}
