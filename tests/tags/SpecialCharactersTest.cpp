// The Chars page, its entity list and character map, and the shortcuts for character references:
// the exact reference each inserts in front of the selection, the help gate, and the shift state
// of the last press.

#include "tags/SpecialCharacters.h"
#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/Grids.h"
#include "platform/TestHooks.h"
#include "tags/TagButtons.h"
#include "tags/TagInsertion.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

class SpecialCharactersTest : public testing::Test {
protected:
    SpecialCharactersTest() { Page(); }
    TRichEdit* Page() {
        UsePage(*Form, 0, "/site/page.htm", "ab");
        TRichEdit* editor = Form->Memos[0];
        editor->SetSelStart(1);
        editor->SetSelLength(1);
        Form->LastShiftState = {};
        return editor;
    }
    std::unique_ptr<THTMLEMainForm> Form = MakeMainWindow();
};

} // namespace

TEST_F(SpecialCharactersTest, ButtonsAndShortcutsInsertTheirReferencesBeforeTheSelection) {
    struct Case {
        const char* Control;
        std::function<void(THTMLEMainForm&)> Press;
        const char* Reference;
    };
    auto button = [](TQmToolbarButton* TSpecialCharacters::*member) {
        return [member](THTMLEMainForm& f) { (f.SpecialCharacters->*member)->Click(); };
    };
    auto item = [](TMenuItem* TTagInsertion::*member) {
        return [member](THTMLEMainForm& f) { (f.TagInsertion->*member)->Click(); };
    };
    using F = TSpecialCharacters;
    const Case cases[] = {
        {"AmpButton", button(&F::AmpButton), "&amp;"},
        {"QuotButton", button(&F::QuotButton), "&quot;"},
        {"CopyRtButton", button(&F::CopyRtButton), "&copy;"},
        {"RegButton", button(&F::RegButton), "&reg;"},
        {"QuarterButton", button(&F::QuarterButton), "&frac14;"},
        {"HalfButton", button(&F::HalfButton), "&frac12;"},
        {"Quarter3Button", button(&F::Quarter3Button), "&frac34;"},
        {"nbspButton", button(&F::nbspButton), "&nbsp;"},
        {"nbsp1", item(&TTagInsertion::nbsp1), "&nbsp;"},
        {"Ctrl+,", item(&TTagInsertion::LeftAngle), "&lt;"},
        {"Ctrl+Shift+.", item(&TTagInsertion::RightAngle2), "&gt;"},
        {"Ctrl+2", item(&TTagInsertion::Quot1), "&quot;"},
        {"Ctrl+3", item(&TTagInsertion::Pound), "&pound;"},
        {"Ctrl+4", item(&TTagInsertion::Copyright1), "&copy;"},
        {"Ctrl+5", item(&TTagInsertion::Reg1), "&reg;"},
        {"Ctrl+6", item(&TTagInsertion::Multx1), "&times;"},
        {"Ctrl+7", item(&TTagInsertion::Amp1), "&amp;"},
        {"Ctrl+8", item(&TTagInsertion::Quarter1), "&frac14;"},
        {"Ctrl+9", item(&TTagInsertion::Half1), "&frac12;"},
        {"Ctrl+0", item(&TTagInsertion::Threquarters1), "&frac34;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Control);
        TRichEdit* editor = Page();
        c.Press(*Form);
        EXPECT_EQ(editor->Text(), String("a") + c.Reference + "b");
        EXPECT_EQ(editor->SelStart(), static_cast<int>(1 + String(c.Reference).size() + 1));
        EXPECT_EQ(Form->TagInsertion->LastStartTag, c.Reference);
    }
}

TEST_F(SpecialCharactersTest, TheEntityListInsertsTheChosenItemsEntityAndHides) {
    const std::pair<int, const char*> cases[] = {{0, "&lt;"},   {4, "&#32;"},    {5, "&nbsp;"},
                                                 {31, "&shy;"}, {36, "&times;"}, {38, "&divide;"}};
    EXPECT_EQ(Form->TagButtons->CharListBox->Items().Count(), 39);
    EXPECT_EQ(Form->TagButtons->CharListBox->Items()[4], "\tNormal space (code)");
    EXPECT_EQ(Form->TagButtons->CharListBox->Items()[38], "\xF7\tDivision sign");
    for (const auto& [index, reference] : cases) {
        SCOPED_TRACE(index);
        TRichEdit* editor = Page();
        Form->SpecialCharacters->OtherCharButton->Click();
        EXPECT_TRUE(Form->TagButtons->CharListBox->Visible());
        Form->TagButtons->CharListBox->SetItemIndex(index);
        Form->TagButtons->CharListBox->OnClick(Form->TagButtons->CharListBox);
        EXPECT_FALSE(Form->TagButtons->CharListBox->Visible());
        EXPECT_EQ(editor->Text(), String("a") + reference + "b");
    }
    Page();
    Form->SpecialCharacters->OtherCharButton->Click();
    Form->TagButtons->CharListBox->SetItemIndex(-1);
    Form->TagButtons->CharListBox->OnClick(Form->TagButtons->CharListBox);
    EXPECT_FALSE(Form->TagButtons->CharListBox->Visible());
    EXPECT_EQ(Form->Memos[0]->Text(), "ab");
}

TEST_F(SpecialCharactersTest, TheCharacterMapShowsCodes33To255AndInsertsTheDoubleClickedOne) {
    Form->SpecialCharacters->CharMapButton->Click();
    ASSERT_TRUE(Form->TagButtons->CharGrid->Visible());
    EXPECT_TRUE(Form->TagButtons->GridPanel1->Visible());
    EXPECT_EQ(Form->TagButtons->CharGrid->Cells(2, 0), "");
    EXPECT_EQ(Form->TagButtons->CharGrid->Cells(3, 0), "!");
    EXPECT_EQ(Form->TagButtons->CharGrid->Cells(5, 3), "_");
    EXPECT_EQ(Form->TagButtons->CharGrid->Cells(5, 11), "\xFF");
    EXPECT_EQ(Form->TagButtons->CharGrid->Cells(6, 11), "");
    Form->SpecialCharacters->CharMapButton->Click();
    EXPECT_FALSE(Form->TagButtons->CharGrid->Visible());
    EXPECT_FALSE(Form->TagButtons->GridPanel2->Visible());
    EXPECT_EQ(Form->TagButtons->CharGrid->Cells(3, 0), "");

    struct Case {
        int Column;
        int Row;
        const char* Reference; // nullptr: nothing, the map stays open
    };
    const Case cases[] = {{0, 0, nullptr}, {1, 0, nullptr},   {2, 0, "&#32;"},
                          {5, 3, "&#95;"}, {5, 11, "&#255;"}, {6, 11, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(IntToStr(c.Column) + "," + IntToStr(c.Row));
        TRichEdit* editor = Page();
        Form->SpecialCharacters->CharMapButton->Click();
        Form->TagButtons->CharGrid->SetCol(c.Column);
        Form->TagButtons->CharGrid->SetRow(c.Row);
        Form->TagButtons->CharGrid->OnDblClick(Form->TagButtons->CharGrid);
        EXPECT_EQ(editor->Text(), c.Reference ? String("a") + c.Reference + "b" : String("ab"));
        EXPECT_EQ(Form->TagButtons->CharGrid->Visible(), c.Reference == nullptr);
        Form->HidePopupLists();
    }
}

TEST_F(SpecialCharactersTest, CharsButtonsClearAStaleAltWhileShortcutsKeepIt) {
    TRichEdit* editor = Page();
    Form->LastShiftState = {ssAlt};
    TestHooks::ClickMouse(*Form->SpecialCharacters->AmpButton, 2, 2);
    EXPECT_EQ(editor->Text(), "a&amp;b");

    editor = Page();
    Form->LastShiftState = {ssAlt};
    Form->TagInsertion->Multx1->Click();
    EXPECT_EQ(editor->Text(), "ab");
}

TEST_F(SpecialCharactersTest, HelpPointerModeShowsTheTopicExceptForTheBareShortcuts) {
    TRichEdit* editor = Page();
    Screen->SetCursor(crHelp);
    Form->TagInsertion->Pound->Click();
    ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
    EXPECT_EQ(TestHooks::HelpRequests()[0].Data, 11100u);
    EXPECT_EQ(editor->Text(), "ab");

    Screen->SetCursor(crHelp);
    Form->TagInsertion->Multx1->Click();
    EXPECT_EQ(editor->Text(), "a&times;b");
    EXPECT_EQ(TestHooks::HelpRequests().size(), 1u);
    Screen->SetCursor(crDefault);
}
