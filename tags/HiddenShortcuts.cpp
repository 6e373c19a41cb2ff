// The hidden shortcut menu: items of the invisible top-level menu Invis1 whose keyboard
// shortcuts give the most used tag buttons and commands their keys.

#include "editor/CorvaletForm.h"

#include "editor/ElementNavigation.h"
#include "platform/Events.h"

namespace {

using F = THTMLEMainForm;

struct TShortcutItem {
    TMenuItem* THTMLEMainForm::*Member;
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

struct TItemHandler {
    TMenuItem* THTMLEMainForm::*Member;
    void (THTMLEMainForm::*Click)(TObject*);
};

// The items whose commands exist; the others keep their keys for the commands still to come.
const TItemHandler ItemHandlers[] = {
    {&F::Paragraph1, &F::ParaButtonClick},
    {&F::Break1, &F::BreakButtonClick},
    {&F::Bold1, &F::BoldButtonClick},
    {&F::Italic1, &F::ItalicButtonClick},
    {&F::Underline1, &F::UnderlineButtonClick},
    {&F::Centre1, &F::CentreAlignButtonClick},
    {&F::Right1, &F::RightAlignButtonClick},
    {&F::Comment, &F::CommentButtonClick},
    {&F::Undo3, &F::Undo1Click},
    {&F::DelwoBin1, &F::Delete1Click},
};

} // namespace

void THTMLEMainForm::BuildHiddenShortcuts() {
    auto add = [this](const TShortcutItem& entry) {
        TMenuItem* item = AddItem(this, Invis1, entry.Name, entry.Caption);
        if (entry.Key != 0)
            item->SetShortCut(ShortCut(entry.Key, entry.Shift));
        item->SetVisible(!entry.Hidden);
        this->*entry.Member = item;
    };
    for (const TShortcutItem& entry : ShortcutItems)
        add(entry);
    // User1 to User9 on Alt and a digit, User10 to User16 on Shift+Alt and a digit from 0.
    for (int i = 0; i < UserButtonCount; ++i) {
        String number = IntToStr(i + 1);
        TMenuItem* item = AddItem(this, Invis1, "User" + number + "1", "User" + number);
        item->SetShortCut(i < 9 ? ShortCut(static_cast<WORD>('1' + i), {ssAlt})
                                : ShortCut(static_cast<WORD>('0' + i - 9), {ssShift, ssAlt}));
        UserItems[i] = item;
    }
    for (const TShortcutItem& entry : LaterItems)
        add(entry);
}

void THTMLEMainForm::BindHiddenShortcuts() {
    for (const TItemHandler& entry : ItemHandlers)
        (this->*entry.Member)->OnClick = Handler(this, entry.Click);
    for (TMenuItem* item : {TagRight, HLTagRight1})
        item->OnClick = Handler(ElementNavigation, &TElementNavigation::TagRightClick);
    for (TMenuItem* item : {TagLeft1, HLTagLeft1})
        item->OnClick = Handler(ElementNavigation, &TElementNavigation::TagLeft1Click);
}
