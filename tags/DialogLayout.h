#pragma once
// How the element dialogs place a box with its caption above it, so that every dialog lines its
// labels up the same way and a label's accelerator focuses its box.

#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

// A box of the given kind 16 pixels below its label; the label is handed back through label
// when the dialog changes its caption later.
template <typename TBox>
TBox* AddLabelledBox(TForm* form, TWinControl* parent, const String& name, const String& labelName,
                     const String& caption, int left, int top, int width,
                     TLabel** label = nullptr) {
    auto* heading = NewControl<TLabel>(form, parent, labelName, left, top, width, 13);
    heading->SetCaption(caption);
    auto* box = NewControl<TBox>(form, parent, name, left, top + 16, width, 21);
    heading->SetFocusControl(box);
    if (label)
        *label = heading;
    return box;
}

// A dialog's closing button carrying its modal result: OK is the default button, Cancel answers
// Esc; the handler, when given, runs on the click.
inline TButton* AddModalButton(TForm* form, TWinControl* parent, const String& name,
                               TModalResult result, int left, int top) {
    auto* button = NewControl<TButton>(form, parent, name, left, top, 75, 25);
    button->SetCaption(result == mrOk ? "OK" : "Cancel");
    button->SetDefault(result == mrOk);
    button->SetCancel(result == mrCancel);
    button->SetModalResult(result);
    return button;
}

// An up-down right of its box, stepping the number in it between min and max.
inline TUpDown* AddUpDown(TForm* form, TWinControl* parent, const String& name, TEdit* edit,
                          int min, int max) {
    auto* upDown =
        NewControl<TUpDown>(form, parent, name, edit->Left() + edit->Width(), edit->Top(), 15, 21);
    upDown->SetMin(min);
    upDown->SetMax(max);
    upDown->SetThousands(false);
    upDown->SetAssociate(edit);
    return upDown;
}
