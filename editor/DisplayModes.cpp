// How the pages are shown: switching tag colouring on and off, plain formatting, and marks for
// blanks, tabs and line ends.

#include "editor/TagColouring.h"

#include "editor/CorvaletForm.h"
#include "editor/FontSettings.h"
#include "editor/PageLayout.h"
#include "services/ProgramSettings.h"

void TTagColouring::UseTagColouring1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::UseTagColouring1Click))
        return;
    Form.ColouredTags = !Form.ColouredTags;
    Form.UseTagColouring1->SetChecked(Form.ColouredTags);
    if (Form.ColouredTags)
        ColourTags1Click(&Form);
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteBool("Coloured Tags", Form.ColouredTags);
    if (!Form.ColouredTags) {
        TFont font = ReadPlainFont(false);
        for (TRichEdit* editor : Form.Memos)
            GivePlainFormatting(editor, font);
        GivePlainFormatting(Form.TempMemo, font);
    }
    Form.UpdateStatusBar();
}

void TTagColouring::RemoveTextFormatting1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::RemoveTextFormatting1Click))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    if (!editor)
        return;
    TScreenCursorScope hourglass(crHourGlass);
    bool locked = LockWindowUpdate(Form.Handle());
    Form.StatusUpdateSuppressed = true;
    TFont font = ReadPlainFont(true);
    const TPageLayout layout = StoredPageLayout();
    Form.SetTabStops(editor, layout.LeftMargin, layout.TabWidth);
    SetParagraphIndents(editor, layout);
    editor->Paragraph().SetAlignment(taLeftJustify);
    GivePlainFormatting(editor, font);
    Form.SetTabStops(editor, layout.LeftMargin, layout.TabWidth);
    if (editor->CanFocus())
        editor->SetFocus();
    if (locked)
        LockWindowUpdate(nullptr);
    Form.StatusUpdateSuppressed = false;
    Form.UpdateStatusBar();
}

// Marks are drawn by the editor, never written into the page: the page's own characters stay
// as they are, and a page saved while they show is saved as it is.
void TTagColouring::ShowHideMarks1Click(TObject* /*Sender*/) {
    if (TRichEdit* editor = Form.GetMemo(-1))
        editor->SetShowMarks(!editor->ShowMarks());
}

TFont TTagColouring::ReadPlainFont(bool blackFirst) {
    TFont font = DefaultEditorFont();
    TRichEdit* first = Form.Memos[0];
    first->Font().SetSize(10);
    if (blackFirst)
        first->Font().SetColor(clBlack);
    Form.TextColour = clBlack;
    TRegistry reg;
    if (reg.OpenKeyReadOnly(ProductSubKey("Font"))) {
        font.SetColor(first->Font().Color());
        ReadFontSettings(reg, font);
        first->Font().SetColor(font.Color());
        Form.TextColour = font.Color();
    }
    first->Font().SetStyle(font.Style());
    font.SetName(Copy(font.Name(), 1, 31));
    font.SetColor(Form.TextColour);
    return font;
}

void TTagColouring::GivePlainFormatting(TRichEdit* editor, const TFont& font) {
    bool locked = LockWindowUpdate(editor->Handle());
    bool modified = editor->Modified();
    int selStart = editor->SelStart();
    int selLength = editor->SelLength();
    int firstVisible = Form.FirstVisibleLine(editor);
    editor->SelectAll();
    editor->SelAttributes().Assign(font);
    editor->SetSelStart(selStart);
    editor->SetSelLength(selLength);
    Form.ScrollToLine(editor, firstVisible);
    editor->SetModified(modified);
    if (locked)
        LockWindowUpdate(nullptr);
    editor->Repaint();
}
