// The document editors' keys and mouse, and the keys the main window sees before its controls:
// the status panels, keyword help on the tag at the caret, smart tabs, Replace<> mode on Scroll
// Lock and the hidden version sequence.

#include "editor/CorvaletForm.h"

#include "editor/TextTransforms.h"
#include "platform/Events.h"
#include "platform/Registry.h"
#include "platform/WinHelp.h"
#include "services/ProgramSettings.h"
#include "services/VersionNo.h"

namespace {

// The hidden version sequence: each key with Ctrl and Alt held, in this order.
constexpr WORD VersionKeys[] = {VK_F9, VK_F11, VK_F10};

} // namespace

void THTMLEMainForm::BindEditorKeys() {
    SetKeyPreview(true);
    OnKeyDown = Handler(this, &THTMLEMainForm::FormKeyDown);
    for (TRichEdit* editor : Memos) {
        editor->OnKeyDown = Handler(this, &THTMLEMainForm::Memo1KeyDown);
        editor->OnKeyUp = Handler(this, &THTMLEMainForm::Memo1KeyUp);
        editor->OnMouseDown = Handler(this, &THTMLEMainForm::Memo1MouseDown);
    }
}

// The INS/OW panel reads the editor's own mode when the key is released, so Insert needs no
// tracking here, whatever Shift, Ctrl or Alt came with it.
void THTMLEMainForm::Memo1KeyDown(TObject* /*Sender*/, WORD& Key, TShiftState Shift) {
    if (Key == VK_F1 && Shift.Contains(ssCtrl)) {
        ShowKeywordHelp();
        return;
    }
    UpdateLinePosition();
    if (ColouredTags && Key == VK_BACK)
        RestoreTextColour = true;
}

void THTMLEMainForm::ShowKeywordHelp() {
    String name = TagNameAtCaret();
    if (name.empty())
        return;
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(ProductSubKey("Help")) || !reg.ValueExists("HTMLRefLib"))
        return;
    String keyword = "<" + name + ">";
    WinHelp(Handle(), reg.ReadString("HTMLRefLib"), HELP_KEY,
            reinterpret_cast<uintptr_t>(keyword.c_str()));
}

void THTMLEMainForm::Memo1KeyUp(TObject* Sender, WORD& Key, TShiftState /*Shift*/) {
    TRichEdit* editor = GetMemo(-1);
    if (Sender == editor)
        UpdateInsertMode();
    if (ColouredTags && RestoreTextColour) {
        editor->SelAttributes().SetColor(TextColour);
        RestoreTextColour = false;
    }
    UpdateLinePosition();
    if (SmartTabs && Key == VK_RETURN && Sender == editor)
        CopyTabsToNewLine(editor);
}

// The first line of the page is never copied from.
void THTMLEMainForm::CopyTabsToNewLine(TRichEdit* editor) {
    int caret = editor->SelStart();
    int line = LineOfPosition(editor, caret) - 1;
    if (line < 1)
        return;
    int start = LineIndex(editor, line);
    int tabs = TextTransforms::LeadingTabs(editor->TextView().substr(start));
    if (tabs == 0)
        return;
    int newLine = LineIndex(editor, line + 1);
    ReplaceEditorRange(editor, newLine, newLine, String(tabs, '\t'));
    editor->SetSelStart(caret + tabs);
}

void THTMLEMainForm::Memo1MouseDown(TObject* Sender, TMouseButton /*Button*/, TShiftState /*Shift*/,
                                    int X, int Y) {
    UpdateLinePosition();
    EditorMousePoint = TPoint{X, Y};
    if (auto* editor = dynamic_cast<TRichEdit*>(Sender))
        editor->SetPopupMenu(MainPopupMenu);
}

void THTMLEMainForm::FormKeyDown(TObject* /*Sender*/, WORD& Key, TShiftState Shift) {
    TrackVersionSequence(Key, Shift);
    if (Key == VK_SCROLL)
        ToggleReplaceAngles();
}

void THTMLEMainForm::TrackVersionSequence(WORD key, TShiftState shift) {
    bool held = shift.Contains(ssCtrl) && shift.Contains(ssAlt);
    if (held && key == VersionKeys[0] && !VersionFirstKeySeen && !VersionSecondKeySeen) {
        VersionFirstKeySeen = true;
        return;
    }
    if (held && key == VersionKeys[1] && VersionFirstKeySeen && !VersionSecondKeySeen) {
        VersionSecondKeySeen = true;
        return;
    }
    bool complete = held && key == VersionKeys[2] && VersionFirstKeySeen && VersionSecondKeySeen;
    VersionFirstKeySeen = false;
    VersionSecondKeySeen = false;
    if (complete)
        VersionNo->ShowVersionInfo(true, "Quiltmarker", "");
}
