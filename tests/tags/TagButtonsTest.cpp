// The tag-bar buttons, their drop-down lists and the hidden shortcut menu, driven as a user
// drives them: a click on the button, a choice in the list, a key in the editor.

#include "tags/TagButtons.h"

#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/CommonDialogs.h"
#include "platform/TestHooks.h"
#include "tags/HTMLGlobal.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace MainWindowSupport;

namespace {

const String Page = "one two\r\nthree";
const TShiftState Neither{};

// A window with Page on page 0 and "two" selected.
std::unique_ptr<THTMLEMainForm> WindowWithWordSelected() {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", Page);
    form->Memos[0]->SetSelStart(4);
    form->Memos[0]->SetSelLength(3);
    return form;
}

String Around(const String& start, const String& end) {
    return "one " + start + "two" + end + "\r\nthree";
}

void Click(TQmToolbarButton* button, TShiftState shift = {}) {
    TestHooks::ClickMouse(*button, 3, 3, mbLeft, shift);
}

void Choose(TListBox* list, int index) {
    list->SetItemIndex(index);
    list->OnClick(list);
}

} // namespace

TEST(TagButtons, ButtonsAndShortcutItemsPutTheirTextsAroundTheSelection) {
    struct Case {
        const char* Action;
        std::function<void(THTMLEMainForm&)> Do;
        String Expected;
    };
    const Case cases[] = {
        {"a fixed pair", [](THTMLEMainForm& f) { Click(f.TagButtons->BoldButton); },
         Around("<B>", "</B>")},
        {"an end text on a line of its own",
         [](THTMLEMainForm& f) { Click(f.TagButtons->RightAlignButton); },
         Around("<DIV ALIGN=RIGHT>", "\r\n</DIV>")},
        {"a start text alone", [](THTMLEMainForm& f) { Click(f.TagButtons->LIButton); },
         Around("<LI>", "")},
        {"a line break after the start text",
         [](THTMLEMainForm& f) { Click(f.TagButtons->BreakButton); }, Around("<BR>", "\r\n")},
        {"the heading of the number chosen",
         [](THTMLEMainForm& f) {
             f.TagButtons->HeadingsUpDown1->SetPosition(3);
             Click(f.TagButtons->HeadingsButton);
         },
         Around("<H3>", "</H3>")},
        {"the heading number kept within 1 to 6",
         [](THTMLEMainForm& f) {
             f.TagButtons->HeadingsUpDown1->SetPosition(9);
             Click(f.TagButtons->HeadingsButton);
         },
         Around("<H6>", "</H6>")},
        {"Ctrl+B in the editor",
         [](THTMLEMainForm& f) { TestHooks::PressKey(*f.Memos[0], 'B', {ssCtrl}); },
         Around("<B>", "</B>")},
        {"Ctrl+R in the editor",
         [](THTMLEMainForm& f) { TestHooks::PressKey(*f.Memos[0], 'R', {ssCtrl}); },
         Around("<DIV ALIGN=RIGHT>", "\r\n</DIV>")},
        {"Ctrl+1 in the editor",
         [](THTMLEMainForm& f) { TestHooks::PressKey(*f.Memos[0], '1', {ssCtrl}); },
         Around("<!-- ", " -->")},
        {"Shift+Enter in the editor",
         [](THTMLEMainForm& f) { TestHooks::PressKey(*f.Memos[0], VK_RETURN, {ssShift}); },
         Around("<BR>", "\r\n")},
        {"Ctrl+Space in the editor",
         [](THTMLEMainForm& f) { TestHooks::PressKey(*f.Memos[0], VK_SPACE, {ssCtrl}); },
         Around("&nbsp;", "")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Action);
        auto form = WindowWithWordSelected();
        c.Do(*form);
        EXPECT_EQ(form->Memos[0]->Text(), c.Expected);
    }
}

TEST(TagButtons, APressSetsOrClearsTheShiftStateThatShortcutsInsertUnder) {
    auto form = WindowWithWordSelected();
    TRichEdit* editor = form->Memos[0];

    // Alt on the Bold button: the end tag alone; Ctrl+I after it keeps that state.
    Click(form->TagButtons->BoldButton, {ssAlt});
    EXPECT_EQ(editor->Text(), Around("", "</B>"));
    TestHooks::PressKey(*editor, 'I', {ssCtrl});
    EXPECT_EQ(editor->Text(), Around("", "</I></B>"));
    // A button without a press handler inserts under the last press too.
    Click(form->TagButtons->NOBRButton);
    EXPECT_EQ(editor->Text(), Around("", "</NOBR></I></B>"));

    // The line-break button clears the state whatever is held.
    editor->SetText(Page);
    editor->SetSelStart(4);
    editor->SetSelLength(3);
    Click(form->TagButtons->BreakButton, {ssAlt});
    EXPECT_EQ(editor->Text(), Around("<BR>", "\r\n"));
    EXPECT_EQ(form->LastShiftState, Neither);
}

TEST(TagButtons, TheAlignmentListCompletesThePendingTag) {
    struct Case {
        const char* Choice;
        TQmToolbarButton* TTagButtons::*Button;
        int Item;
        String Expected;
    };
    const Case cases[] = {
        {"LEFT after TD", &TTagButtons::TDButton, 0, Around("<TD>", "</TD>")},
        {"CENTER after TH", &TTagButtons::THButton, 1, Around("<TH ALIGN=CENTER>", "</TH>")},
        {"RIGHT after TR", &TTagButtons::TRButton, 2, Around("<TR ALIGN=RIGHT>", "</TR>")},
        {"JUSTIFY after P", &TTagButtons::ParaButton, 3, Around("<P ALIGN=JUSTIFY>", "</P>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Choice);
        auto form = WindowWithWordSelected();
        form->DoubleParaTags = true;
        Click(form->TagButtons->*c.Button);
        ASSERT_TRUE(form->TagButtons->AlignListBox->Visible());
        EXPECT_EQ(form->Memos[0]->Text(), Page);
        Choose(form->TagButtons->AlignListBox, c.Item);
        EXPECT_EQ(form->Memos[0]->Text(), c.Expected);
        EXPECT_FALSE(form->TagButtons->AlignListBox->Visible());
    }
}

TEST(TagButtons, ACellButtonPressedTwiceClosesItsListAndACtrlClickLeavesItClosed) {
    auto form = WindowWithWordSelected();
    Click(form->TagButtons->THButton);
    EXPECT_TRUE(form->TagButtons->AlignListBox->Visible());
    Click(form->TagButtons->THButton);
    EXPECT_FALSE(form->TagButtons->AlignListBox->Visible());

    // The Ctrl-click opens the cell dialog instead, here cancelled.
    TestHooks::AnswerModalResult(mrCancel);
    Click(form->TagButtons->TDButton, {ssCtrl});
    EXPECT_EQ(TestHooks::Prompts().back().Caption, "Quiltmarker");
    EXPECT_FALSE(form->TagButtons->AlignListBox->Visible());
    EXPECT_EQ(form->Memos[0]->Text(), Page);
}

TEST(TagButtons, TheParagraphDependsOnDoubleTagsAndOnWhatWasPressed) {
    struct Case {
        const char* Situation;
        bool DoubleParaTags;
        bool FromButton;
        String Expected;
        bool ListShown;
    };
    const Case cases[] = {
        {"single tag, button", false, true, Around("<P>", "\r\n"), false},
        {"single tag, Ctrl+Enter", false, false, Around("<P>", "\r\n"), false},
        {"double tags, Ctrl+Enter", true, false, Around("<P>", "</P>"), false},
        {"double tags, button", true, true, Page, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Situation);
        auto form = WindowWithWordSelected();
        form->DoubleParaTags = c.DoubleParaTags;
        if (c.FromButton)
            Click(form->TagButtons->ParaButton);
        else
            TestHooks::PressKey(*form->Memos[0], VK_RETURN, {ssCtrl});
        EXPECT_EQ(form->Memos[0]->Text(), c.Expected);
        EXPECT_EQ(form->TagButtons->AlignListBox->Visible(), c.ListShown);
    }
}

TEST(TagButtons, ListsInsertTheirChoiceAndHide) {
    struct Case {
        const char* Choice;
        TQmToolbarButton* TTagButtons::*Button;
        TListBox* TTagButtons::*List;
        int Item;
        String Expected;
    };
    const Case cases[] = {
        {"a DOCTYPE line", &TTagButtons::DoctypeButton, &TTagButtons::DoctypeList, 1,
         "one <!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.2\">two\r\n\r\nthree"},
        {"another style", &TTagButtons::OtherFontButton, &TTagButtons::OtherStyleDropList, 3,
         Around("<ADDRESS>", "</ADDRESS>")},
        {"a bare script", &TTagButtons::ScriptButton, &TTagButtons::ScriptTypeList, 0,
         Around("<SCRIPT>\n<!--\n", "\n//-->\n</SCRIPT>")},
        {"a script with a version", &TTagButtons::ScriptButton, &TTagButtons::ScriptTypeList, 3,
         Around("<SCRIPT LANGUAGE=\"JavaScript 1.2\" TYPE=\"text/javascript\">\n<!--\n",
                "\n//-->\n</SCRIPT>")},
        {"VBScript", &TTagButtons::ScriptButton, &TTagButtons::ScriptTypeList, 5,
         Around("<SCRIPT LANGUAGE=\"VBScript\" TYPE=\"text/vbscript\">\n<!--\n",
                "\n//-->\n</SCRIPT>")},
        {"an include", &TTagButtons::SSIButton, &TTagButtons::SSIList, 9,
         Around("<!-- #include ", " -->")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Choice);
        auto form = WindowWithWordSelected();
        TListBox* list = form->TagButtons->*c.List;
        Click(form->TagButtons->*c.Button);
        ASSERT_TRUE(list->Visible());
        Choose(list, c.Item);
        EXPECT_EQ(form->Memos[0]->Text(), c.Expected);
        EXPECT_FALSE(list->Visible());
        Click(form->TagButtons->*c.Button);
        Click(form->TagButtons->*c.Button);
        EXPECT_FALSE(list->Visible()) << "pressed twice, the button closes its list again";
    }
}

TEST(TagButtons, TheEchoDirectiveTakesItsVariableFromASecondList) {
    auto form = WindowWithWordSelected();
    Click(form->TagButtons->SSIButton);
    Choose(form->TagButtons->SSIList, 2); // echo
    EXPECT_TRUE(form->TagButtons->SSIList->Visible());
    EXPECT_TRUE(form->TagButtons->SSIEchoList->Visible());
    EXPECT_EQ(form->Memos[0]->Text(), Page);
    // The directive list stays open while the variable list is shown.
    form->TagButtons->SSIList->OnExit(form->TagButtons->SSIList);
    EXPECT_TRUE(form->TagButtons->SSIList->Visible());

    Choose(form->TagButtons->SSIEchoList, 12); // HTTP_COOKIE
    EXPECT_EQ(form->Memos[0]->Text(), Around("<!-- #echo var=\"HTTP_COOKIE\" -->", ""));
    EXPECT_FALSE(form->TagButtons->SSIList->Visible());
    EXPECT_FALSE(form->TagButtons->SSIEchoList->Visible());

    // Leaving the variable list closes both; the SSI button closes the variable list first.
    Click(form->TagButtons->SSIButton);
    Choose(form->TagButtons->SSIList, 2);
    form->TagButtons->SSIEchoList->OnExit(form->TagButtons->SSIEchoList);
    EXPECT_FALSE(form->TagButtons->SSIList->Visible());
    EXPECT_FALSE(form->TagButtons->SSIEchoList->Visible());
    Click(form->TagButtons->SSIButton);
    Choose(form->TagButtons->SSIList, 2);
    Click(form->TagButtons->SSIButton);
    EXPECT_FALSE(form->TagButtons->SSIEchoList->Visible());

    // The empty last variable gives an empty name.
    form->Memos[0]->SetText("");
    Click(form->TagButtons->SSIButton);
    Choose(form->TagButtons->SSIList, 2);
    Choose(form->TagButtons->SSIEchoList, 30);
    EXPECT_EQ(form->Memos[0]->Text(), "<!-- #echo var=\"\" -->");
}

TEST(TagButtons, AListClickWithNoItemChosenOnlyHidesTheList) {
    auto form = WindowWithWordSelected();
    for (TListBox* list : {form->TagButtons->AlignListBox, form->TagButtons->DoctypeList,
                           form->TagButtons->OtherStyleDropList, form->TagButtons->ScriptTypeList,
                           form->TagButtons->SSIList, form->TagButtons->SSIEchoList}) {
        SCOPED_TRACE(list->Name());
        list->Show();
        Choose(list, -1);
        EXPECT_FALSE(list->Visible());
    }
    EXPECT_EQ(form->Memos[0]->Text(), Page);
    EXPECT_EQ(form->TagInsertion->LastStartTag, "");
}

TEST(TagButtons, TheColourIsInsertedByNameOrAsQuotedHex) {
    GlobalForm = new TGlobalForm(nullptr);
    struct Case {
        const char* Colour;
        bool Accepted;
        TColor Chosen;
        String Expected;
    };
    const Case cases[] = {
        {"pure red", true, 0x0000FF, Around("\"Red\"", "")},
        {"unnamed", true, 0x563412, Around("\"#123456\"", "")},
        {"cancelled", false, 0x0000FF, Page},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Colour);
        auto form = WindowWithWordSelected();
        TestHooks::TDialogAnswer answer;
        answer.Accepted = c.Accepted;
        answer.Fill = [&c](TComponent* dialog) {
            static_cast<TColorDialog*>(dialog)->SetColor(c.Chosen);
        };
        TestHooks::AnswerDialog(answer);
        Click(form->TagButtons->ColourButton);
        EXPECT_EQ(form->Memos[0]->Text(), c.Expected);
    }
    delete GlobalForm;
    GlobalForm = nullptr;
}

TEST(TagButtons, TheFieldsetAsksForALegendWhichRepeatLastTagRepeats) {
    struct Case {
        int Answer;
        String Inserted;
        String Repeated;
    };
    const Case cases[] = {
        {IDYES, Around("<FIELDSET>", "<LEGEND></LEGEND></FIELDSET>"),
         Around("<FIELDSET>", "<LEGEND><LEGEND></LEGEND></LEGEND></FIELDSET>")},
        {IDNO, Around("<FIELDSET>", "</FIELDSET>"),
         Around("<FIELDSET>", "<FIELDSET></FIELDSET></FIELDSET>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Answer);
        auto form = WindowWithWordSelected();
        TestHooks::AnswerMessageBox(c.Answer);
        Click(form->TagButtons->FieldsetButton);
        EXPECT_EQ(form->Memos[0]->Text(), c.Inserted);
        form->TagInsertion->RepeatLastTag1->Click();
        EXPECT_EQ(form->Memos[0]->Text(), c.Repeated);
        const TestHooks::TPrompt& prompt = TestHooks::Prompts().back();
        EXPECT_EQ(prompt.Caption, "Quiltmarker");
        EXPECT_EQ(prompt.Text, "Include <LEGEND>?");
        EXPECT_EQ(prompt.Flags, UINT{MB_YESNO | MB_ICONQUESTION});
    }
}

TEST(TagButtons, WithNoPageOpenNothingIsInsertedAndTheListsHide) {
    auto form = MakeMainWindow();
    form->Memos[0]->SetText(Page);
    for (TListBox* list : {form->TagButtons->SSIList, form->TagButtons->ScriptTypeList,
                           form->TagButtons->AlignListBox})
        list->Show();

    Click(form->TagButtons->BoldButton);
    TestHooks::PressKey(*form->Memos[0], 'I', {ssCtrl});

    for (TListBox* list : {form->TagButtons->SSIList, form->TagButtons->ScriptTypeList,
                           form->TagButtons->AlignListBox})
        EXPECT_FALSE(list->Visible()) << list->Name();
    EXPECT_EQ(form->Memos[0]->Text(), Page);
    EXPECT_EQ(form->TagInsertion->LastStartTag, "");
}

TEST(TagButtons, ChangingTheTagBarPageHidesTheLists) {
    auto form = WindowWithWordSelected();
    Click(form->TagButtons->DoctypeButton);
    Click(form->TagButtons->SSIButton);
    form->TagButtons->ButtonsPage->SelectNextPage(true);
    EXPECT_FALSE(form->TagButtons->DoctypeList->Visible());
    EXPECT_FALSE(form->TagButtons->SSIList->Visible());
}

// A bar left disabled (help-pointer mode gives one back as it was) is enabled by a new page.
TEST(TagButtons, ANewPageEnablesTheTagBar) {
    auto form = MakeMainWindow();
    TPageControl* bar = form->TagButtons->ButtonsPage;
    bar->SetEnabled(false);
    form->UpdateDocumentCommands();
    EXPECT_FALSE(bar->Enabled());
    form->Documents->FileNewButton->Click();
    ASSERT_TRUE(form->AnyDocumentOpen());
    EXPECT_TRUE(bar->Enabled());
}

TEST(TagButtons, TheTagBarHasItsThirteenPagesInOrder) {
    auto form = MakeMainWindow();
    const char* const captions[] = {"Common",  "Layout", "Fonts", "Lists", "Tables",
                                    "Forms",   "Frames", "Chars", "Style", "Scripts",
                                    "Publish", "Apps",   "User"};
    ASSERT_EQ(form->TagButtons->ButtonsPage->PageCount(), 13);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(form->TagButtons->ButtonsPage->Pages(i)->Caption(), captions[i]);
}

// The first item found with a shortcut is the one that runs, so a second item on the same keys
// would never run.
TEST(TagButtons, NoTwoMenuItemsShareAShortcut) {
    auto form = MakeMainWindow();
    std::map<TShortCut, String> owners;
    std::function<void(TMenuItem*)> walk = [&](TMenuItem* parent) {
        for (int i = 0; i < parent->Count(); ++i) {
            TMenuItem* item = parent->Items(i);
            if (item->ShortCut() != 0) {
                auto [place, added] = owners.emplace(item->ShortCut(), item->Name());
                EXPECT_TRUE(added) << item->Name() << " has the keys of " << place->second;
            }
            walk(item);
        }
    };
    walk(form->MainMenu1->Items());
    EXPECT_EQ(owners[ShortCut('0', {ssShift, ssAlt})], "User101");
}

TEST(TagButtons, HiddenItemsMoveFromTagToTagAndUndoWhileTyping) {
    auto form = MakeMainWindow();
    UsePage(*form, 0, "/a.htm", "<a>x<b>y");
    TRichEdit* editor = form->Memos[0];
    editor->SetSelStart(0);
    TestHooks::PressKey(*editor, VK_RIGHT, {ssAlt});
    EXPECT_EQ(editor->SelStart(), 3);
    TestHooks::PressKey(*editor, VK_RIGHT, {ssCtrl, ssAlt});
    EXPECT_EQ(editor->SelStart(), 3);
    EXPECT_EQ(editor->SelLength(), 4);
    TestHooks::PressKey(*editor, VK_LEFT, {ssAlt});
    EXPECT_EQ(editor->SelStart(), 0);

    editor->SetSelStart(3);
    TestHooks::PressKey(*editor, 'B', {ssCtrl});
    ASSERT_EQ(editor->Text(), "<a><B></B>x<b>y");
    TestHooks::PressKey(*editor, 'Z', {ssCtrl});
    EXPECT_EQ(editor->Text(), "<a>x<b>y");
}
