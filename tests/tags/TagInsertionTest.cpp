// The insertion under every tag button: wrapping the selection, the Alt and Ctrl state of the
// last press, line breaks, Replace<> mode, the caret, and Repeat Last Tag.

#include "tags/TagInsertion.h"

#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "editor/TagColouring.h"
#include "platform/TestHooks.h"
#include "tags/TagButtons.h"

#include <gtest/gtest.h>

#include <utility>

using namespace MainWindowSupport;

namespace {

const String Page = "one two\r\nthree";
const TShiftState Neither{};
const TShiftState Alt{ssAlt};
const TShiftState Ctrl{ssCtrl};
const TShiftState AltCtrl{ssAlt, ssCtrl};

const String TableStart = "<TABLE>\r\n<TR><TD>";
const String TableEnd = "</TD></TR>\r\n</TABLE>";

} // namespace

TEST(TagInsertion, WrapsTheSelectionAndRepeatLastTagDoesItAgainAtTheCaret) {
    struct Case {
        const char* Situation;
        String Text;
        int SelStart;
        int SelLength;
        TShiftState Shift;
        bool ReplaceAngles;
        bool Whole;
        String Start;
        String End;
        int Newlines;
        String Inserted;
        int Caret;
        String Repeated;
        int CaretAfterRepeat;
    };
    const Case cases[] = {
        {"no selection", Page, 4, 0, Neither, false, false, "<B>", "</B>", 0,
         "one <B></B>two\r\nthree", 7, "one <B><B></B></B>two\r\nthree", 10},
        {"a word selected", Page, 4, 3, Neither, false, false, "<B>", "</B>", 0,
         "one <B>two</B>\r\nthree", 10, "one <B>two<B></B></B>\r\nthree", 13},
        {"Alt: the end tag alone", Page, 4, 3, Alt, false, false, "<B>", "</B>", 0,
         "one two</B>\r\nthree", 7, "one two</B></B>\r\nthree", 7},
        {"Ctrl: the start tag alone", Page, 4, 3, Ctrl, false, false, "<B>", "</B>", 0,
         "one <B>two\r\nthree", 10, "one <B>two<B>\r\nthree", 13},
        {"Alt and Ctrl: the selection alone", Page, 4, 3, AltCtrl, false, false, "<B>", "</B>", 0,
         Page, 7, Page, 7},
        {"Alt with no selection", Page, 0, 0, Alt, false, false, "<B>", "</B>", 0,
         "</B>one two\r\nthree", 0, "</B></B>one two\r\nthree", 0},
        {"multi-line texts", Page, 0, 3, Neither, false, false, TableStart, TableEnd, 0,
         TableStart + "one" + TableEnd + " two\r\nthree", 20,
         TableStart + "one" + TableStart + TableEnd + TableEnd + " two\r\nthree", 37},
        {"line break inside a line", Page, 3, 0, Neither, false, false, "<BR>", "", 1,
         "one<BR>\r\n two\r\nthree", 9, "one<BR>\r\n<BR>\r\n two\r\nthree", 15},
        {"line break before a line end", Page, 7, 0, Neither, false, false, "<BR>", "", 1,
         "one two<BR>\r\nthree", 11, "one two<BR><BR>\r\nthree", 15},
        {"line break at the end of the text", Page, 14, 0, Neither, false, false, "<BR>", "", 1,
         Page + "<BR>\r\n", 20, Page + "<BR>\r\n<BR>\r\n", 26},
        {"line break in a text of two characters", "ab", 1, 0, Neither, false, false, "<BR>", "", 1,
         "a<BR>b", 5, "a<BR><BR>\r\nb", 11},
        {"Replace<> mode", Page, 4, 3, Neither, true, false, "<B>", "</B>", 0,
         "one &lt;B&gt;two&lt;/B&gt;\r\nthree", 16,
         "one &lt;B&gt;two&lt;B&gt;&lt;/B&gt;&lt;/B&gt;\r\nthree", 25},
        {"whole, under Alt and Replace<> mode", Page, 4, 3, Alt, true, true, "<P>", "</P>", 0,
         "one <P>two</P>\r\nthree", 10, "one <P>two&lt;/P&gt;</P>\r\nthree", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        auto form = MakeMainWindow();
        UsePage(*form, 3, "/a.htm", c.Text);
        TRichEdit* editor = form->Memos[3];
        editor->SetSelStart(c.SelStart);
        editor->SetSelLength(c.SelLength);
        form->LastShiftState = c.Shift;
        form->ReplaceAngles = c.ReplaceAngles;

        if (c.Whole)
            form->TagInsertion->InsertWhole(c.Start, c.End, c.Newlines);
        else
            form->TagInsertion->InsertTag(c.Start, c.End, c.Newlines);
        EXPECT_EQ(editor->Text(), c.Inserted);
        EXPECT_EQ(editor->SelStart(), c.Caret);
        EXPECT_EQ(editor->SelLength(), 0);

        form->TagInsertion->RepeatLastTag1->Click();
        EXPECT_EQ(editor->Text(), c.Repeated);
        EXPECT_EQ(editor->SelStart(), c.CaretAfterRepeat);
        EXPECT_EQ(editor->SelLength(), 0);
        EXPECT_EQ(form->TagInsertion->LastNewlineCount, c.Newlines);
    }
}

TEST(TagInsertion, ReplaceAnglesModeRemembersTheConvertedTexts) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", Page);
    form->ReplaceAngles = true;
    form->TagInsertion->InsertTag("<A HREF=\"a&b\">", "</A>", 0);
    EXPECT_EQ(form->TagInsertion->LastStartTag, "&lt;A HREF=\"a&b\"&gt;");
    EXPECT_EQ(form->TagInsertion->LastEndTag, "&lt;/A&gt;");
}

TEST(TagInsertion, WithNoPageOpenNothingChangesAndTheListsHide) {
    auto form = MakeMainWindow();
    // The editor of a page closed earlier still holds its text.
    form->Memos[0]->SetText(Page);
    form->TagButtons->DoctypeList->Show();
    form->TagButtons->CharListBox->Show();

    form->TagInsertion->InsertTag("<B>", "</B>", 0);
    form->TagInsertion->InsertWhole("<B>", "</B>", 0);

    EXPECT_FALSE(form->TagButtons->DoctypeList->Visible());
    EXPECT_FALSE(form->TagButtons->CharListBox->Visible());
    EXPECT_EQ(form->Memos[0]->Text(), Page);
    EXPECT_EQ(form->TagInsertion->LastStartTag, "");
    form->TagInsertion->RepeatLastTag1->Click();
    EXPECT_EQ(TestHooks::Beeps(), (std::vector<UINT>{0}));
}

TEST(TagInsertion, RepeatLastTagBeepsUntilAStartTextIsRemembered) {
    auto form = MakeMainWindow();
    EXPECT_EQ(form->TagInsertion->RepeatLastTag1->ShortCut(), 49372);
    UsePage(*form, 0, "/a.htm", Page);

    form->TagInsertion->RepeatLastTag2->Click();
    form->TagInsertion->InsertTag("", "</B>", 0);
    EXPECT_EQ(form->TagInsertion->LastEndTag, "</B>");
    form->TagInsertion->RepeatLastTag1->Click();

    EXPECT_EQ(TestHooks::Beeps(), (std::vector<UINT>{0, 0}));
    EXPECT_EQ(form->Memos[0]->Text(), "</B>one two\r\nthree");
}

// Made after the window's own menus, the items still stand where the menus had them: Repeat Last
// Tag after Remove Text Formatting, the hidden shortcuts before the page stepping's keys.
TEST(TagInsertion, TheItemsStandInTheirPlacesInTheMenus) {
    auto form = MakeMainWindow();
    const TTagInsertion& insertion = *form->TagInsertion;
    auto next = [](TMenuItem* item) { return item->Parent()->Items(item->MenuIndex() + 1); };
    EXPECT_EQ(next(form->TagColouring->RemoveTextFormatting2), insertion.RepeatLastTag1);
    EXPECT_EQ(next(form->TagColouring->RemoveTextFormatting1), insertion.RepeatLastTag2);
    EXPECT_EQ(form->Invis1->Items(0), insertion.Paragraph1);
    EXPECT_EQ(next(insertion.Threquarters1), insertion.UserItems[0]);
    EXPECT_EQ(next(insertion.UserItems.back()), insertion.TagRight);
    EXPECT_EQ(next(insertion.Undo3), form->TabsRight1);
}

// The Edit menu's item as the menu drops down, the pop-up's as the editor is right-clicked; in
// help-pointer mode the Edit menu's item can be chosen for its help.
TEST(TagInsertion, RepeatLastTagIsOfferedOnceThereIsATagToRepeat) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", Page);
    const TTagInsertion& insertion = *form->TagInsertion;
    auto offered = [&form, &insertion] {
        form->Edit1->Click();
        form->Memos[0]->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
        return std::pair{insertion.RepeatLastTag1->Enabled(), insertion.RepeatLastTag2->Enabled()};
    };
    EXPECT_EQ(offered(), std::pair(false, false));
    Screen->SetCursor(crHelp);
    EXPECT_EQ(offered(), std::pair(true, false));
    Screen->SetCursor(crDefault);
    form->TagInsertion->InsertTag("<B>", "</B>", 0);
    EXPECT_EQ(offered(), std::pair(true, true));
}

TEST(TagInsertion, TheMemoryOutlivesThePageItCameFrom) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", "");
    form->TagInsertion->InsertTag("<I>", "</I>", 0);
    form->Memos[0]->SetModified(false);
    form->Documents->Close1Click(nullptr);
    UsePage(*form, 5, "/b.htm", "b");

    form->TagInsertion->RepeatLastTag1->Click();

    EXPECT_EQ(form->Memos[5]->Text(), "<I></I>b");
    EXPECT_EQ(form->Memos[5]->SelStart(), 3);
}

TEST(TagInsertion, AReleaseInTheEditorSetsTheStateOfTheNextInsertion) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", Page);
    form->Show();
    TestHooks::ClickMouse(*form->Memos[0], 5, 5, mbRight, {ssAlt});
    EXPECT_EQ(form->LastMouseButton, mbRight);
    EXPECT_TRUE(form->LastShiftState.Contains(ssAlt));

    form->Memos[0]->SetSelStart(0);
    form->TagInsertion->InsertTag("<B>", "</B>", 0);

    EXPECT_EQ(form->Memos[0]->Text(), "</B>" + Page);
}
