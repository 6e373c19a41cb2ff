// The hidden shortcut menu: items of the invisible top-level menu Invis1 whose keyboard
// shortcuts give the most used tag buttons and commands their keys.

#include "tags/TagInsertion.h"

#include "editor/EditCommands.h"
#include "editor/ElementNavigation.h"
#include "platform/Events.h"
#include "tags/TagButtons.h"

namespace {

using F = TTagInsertion;

struct TShortcutItem {
    TMenuItem* TTagInsertion::*Member;
    const char* Name;
    const char* Caption;
    WORD Key; // 0: no shortcut
    TShiftState Shift;
    bool Hidden;
};

const TShiftState Ctrl{ssCtrl};
const TShiftState CtrlShift{ssCtrl, ssShift};
const TShiftState CtrlAlt{ssCtrl, ssAlt};

const TShortcutItem ShortcutItems[] = {
    {&F::Paragraph1, "Paragraph1", "Paragraph", VK_RETURN, Ctrl, true},
    {&F::Break1, "Break1", "Break", VK_RETURN, {ssShift}, true},
    {&F::Bold1, "Bold1", "Bold", 'B', Ctrl, false},
    {&F::Italic1, "Italic1", "Italic", 'I', Ctrl, false},
    {&F::Underline1, "Underline1", "Underline", 'U', Ctrl, false},
    {&F::Centre1, "Centre1", "Centre", 'E', Ctrl, false},
    {&F::Right1, "Right1", "Right", 'R', Ctrl, false},
    {&F::nbsp1, "nbsp1", "nbsp", 0, {}, false},
    {&F::LeftAngle, "LeftAngle", "LeftAngle", VK_OEM_COMMA, Ctrl, false},
    {&F::LeftAngle2, "LeftAngle2", "LeftAngle2", VK_OEM_COMMA, CtrlShift, false},
    {&F::RightAngle, "RightAngle", "RightAngle", VK_OEM_PERIOD, Ctrl, false},
    {&F::RightAngle2, "RightAngle2", "RightAngle2", VK_OEM_PERIOD, CtrlShift, false},
    {&F::Comment, "Comment", "Comment", '1', Ctrl, false},
    {&F::Quot1, "Quot1", "Quot", '2', Ctrl, false},
    {&F::Pound, "Pound", "Pound", '3', Ctrl, false},
    {&F::Copyright1, "Copyright1", "Copyright", '4', Ctrl, false},
    {&F::Reg1, "Reg1", "Reg", '5', Ctrl, false},
    {&F::Multx1, "Multx1", "Mult x", '6', Ctrl, false},
    {&F::Amp1, "Amp1", "Amp", '7', Ctrl, false},
    {&F::Quarter1, "Quarter1", "Quarter", '8', Ctrl, false},
    {&F::Half1, "Half1", "Half", '9', Ctrl, false},
    {&F::Threquarters1, "Threquarters1", "Three-quarters", '0', Ctrl, false},
};

// After the user items: their commands come with the tag stepping, the file pane and undo.
const TShortcutItem LaterItems[] = {
    {&F::TagRight, "TagRight", "Tag Right", VK_RIGHT, {ssAlt}, false},
    {&F::TagLeft1, "TagLeft1", "Tag Left", VK_LEFT, {ssAlt}, false},
    {&F::HLTagRight1, "HLTagRight1", "HLTagRight", VK_RIGHT, CtrlAlt, false},
    {&F::HLTagLeft1, "HLTagLeft1", "HLTagLeft", VK_LEFT, CtrlAlt, false},
    {&F::DelwoBin1, "DelwoBin1", "Del w/o Bin", VK_DELETE, {ssShift}, false},
    {&F::Undo3, "Undo3", "Undo", 'Z', Ctrl, false},
};

template <typename TTarget> struct TItemHandler {
    TMenuItem* TTagInsertion::*Member;
    void (TTarget::*Click)(TObject*);
};

// The items whose commands exist; the others keep their keys for the commands still to come.
const TItemHandler<TTagButtons> ButtonItems[] = {
    {&F::Paragraph1, &TTagButtons::ParaButtonClick},
    {&F::Break1, &TTagButtons::BreakButtonClick},
    {&F::Bold1, &TTagButtons::BoldButtonClick},
    {&F::Italic1, &TTagButtons::ItalicButtonClick},
    {&F::Underline1, &TTagButtons::UnderlineButtonClick},
    {&F::Centre1, &TTagButtons::CentreAlignButtonClick},
    {&F::Right1, &TTagButtons::RightAlignButtonClick},
    {&F::Comment, &TTagButtons::CommentButtonClick},
};

const TItemHandler<TElementNavigation> NavigationItems[] = {
    {&F::TagRight, &TElementNavigation::TagRightClick},
    {&F::TagLeft1, &TElementNavigation::TagLeft1Click},
    {&F::HLTagRight1, &TElementNavigation::TagRightClick},
    {&F::HLTagLeft1, &TElementNavigation::TagLeft1Click},
};

const TItemHandler<TEditCommands> EditItems[] = {
    {&F::Undo3, &TEditCommands::Undo1Click},
};

} // namespace

// The items come first in the hidden menu, before the page stepping's.
void TTagInsertion::BuildHiddenShortcuts() {
    int index = Form.Invis1->IndexOf(Form.TabsRight1);
    auto add = [this, &index](const TShortcutItem& entry) {
        TMenuItem* item = InsertItem(&Form, Form.Invis1, index++, entry.Name, entry.Caption);
        if (entry.Key != 0)
            item->SetShortCut(ShortCut(entry.Key, entry.Shift));
        item->SetVisible(!entry.Hidden);
        this->*entry.Member = item;
    };
    for (const TShortcutItem& entry : ShortcutItems)
        add(entry);
    // User1 to User9 on Alt and a digit, User10 to User16 on Shift+Alt and a digit from 0.
    for (int i = 0; i < std::ssize(UserItems); ++i) {
        String number = IntToStr(i + 1);
        TMenuItem* item =
            InsertItem(&Form, Form.Invis1, index++, "User" + number + "1", "User" + number);
        item->SetShortCut(i < 9 ? ShortCut(static_cast<WORD>('1' + i), {ssAlt})
                                : ShortCut(static_cast<WORD>('0' + i - 9), {ssShift, ssAlt}));
        UserItems[i] = item;
    }
    for (const TShortcutItem& entry : LaterItems)
        add(entry);
}

void TTagInsertion::BindHiddenShortcuts() {
    for (const auto& entry : ButtonItems)
        (this->*entry.Member)->OnClick = Handler(Form.TagButtons, entry.Click);
    for (const auto& entry : NavigationItems)
        (this->*entry.Member)->OnClick = Handler(Form.ElementNavigation, entry.Click);
    for (const auto& entry : EditItems)
        (this->*entry.Member)->OnClick = Handler(Form.EditCommands, entry.Click);
}
