// The document editors' keys and mouse, and the keys the main window sees before its controls:
// the status panels, keyword help on the tag at the caret, smart tabs, Replace<> mode on Scroll
// Lock and the hidden version sequence.

#include "editor/EditorKeys.h"

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

void TEditorKeys::Bind() {
    Form.SetKeyPreview(true);
    Form.OnKeyDown = Handler(this, &TEditorKeys::FormKeyDown);
    for (TRichEdit* editor : Form.Memos) {
        editor->OnKeyDown = Handler(this, &TEditorKeys::Memo1KeyDown);
        editor->OnKeyUp = Handler(this, &TEditorKeys::Memo1KeyUp);
        editor->OnMouseDown = Handler(this, &TEditorKeys::Memo1MouseDown);
    }
}

// The INS/OW panel reads the editor's own mode when the key is released, so Insert needs no
// tracking here, whatever Shift, Ctrl or Alt came with it.
void TEditorKeys::Memo1KeyDown(TObject* /*Sender*/, WORD& Key, TShiftState Shift) {
    if (Key == VK_F1 && Shift.Contains(ssCtrl)) {
        ShowKeywordHelp();
        return;
    }
    Form.UpdateLinePosition();
    if (Form.ColouredTags && Key == VK_BACK)
        RestoreTextColour = true;
}

void TEditorKeys::ShowKeywordHelp() {
    String name = Form.TagNameAtCaret();
    if (name.empty())
        return;
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(ProductSubKey("Help")) || !reg.ValueExists("HTMLRefLib"))
        return;
    String keyword = "<" + name + ">";
    WinHelp(Form.Handle(), reg.ReadString("HTMLRefLib"), HELP_KEY,
            reinterpret_cast<uintptr_t>(keyword.c_str()));
}

void TEditorKeys::Memo1KeyUp(TObject* Sender, WORD& Key, TShiftState /*Shift*/) {
    TRichEdit* editor = Form.GetMemo(-1);
    if (Sender == editor)
        Form.UpdateInsertMode();
    if (Form.ColouredTags && RestoreTextColour) {
        editor->SelAttributes().SetColor(Form.TextColour);
        RestoreTextColour = false;
    }
    Form.UpdateLinePosition();
    if (Form.SmartTabs && Key == VK_RETURN && Sender == editor)
        CopyTabsToNewLine(editor);
}

// The first line of the page is never copied from.
void TEditorKeys::CopyTabsToNewLine(TRichEdit* editor) {
    int caret = editor->SelStart();
    int line = Form.LineOfPosition(editor, caret) - 1;
    if (line < 1)
        return;
    int start = TTextTransforms::LineIndex(editor, line);
    int tabs = TextTransforms::LeadingTabs(editor->TextView().substr(start));
    if (tabs == 0)
        return;
    int newLine = TTextTransforms::LineIndex(editor, line + 1);
    TTextTransforms::ReplaceEditorRange(editor, newLine, newLine, String(tabs, '\t'));
    editor->SetSelStart(caret + tabs);
}

void TEditorKeys::Memo1MouseDown(TObject* Sender, TMouseButton /*Button*/, TShiftState /*Shift*/,
                                 int X, int Y) {
    Form.UpdateLinePosition();
    EditorMousePoint = TPoint{X, Y};
    if (auto* editor = dynamic_cast<TRichEdit*>(Sender))
        editor->SetPopupMenu(Form.MainPopupMenu);
}

void TEditorKeys::FormKeyDown(TObject* /*Sender*/, WORD& Key, TShiftState Shift) {
    TrackVersionSequence(Key, Shift);
    if (Key == VK_SCROLL)
        Form.TextTransforms->ToggleReplaceAngles();
}

void TEditorKeys::TrackVersionSequence(WORD key, TShiftState shift) {
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
        Form.VersionNo->ShowVersionInfo(true, "Quiltmarker", "");
}
