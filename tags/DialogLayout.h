#pragma once
// How the element dialogs place a box with its caption above it, so that every dialog lines its
// labels up the same way and a label's accelerator focuses its box.

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
