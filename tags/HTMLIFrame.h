#pragma once
// The inline-frame dialog: it writes its IFRAME around the page's selection itself, as typed,
// whatever the last press or Replace<> mode.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TOpenDialog;
class TPanel;
class TQmToolbarButton;
class TRichEdit;
class TUpDown;

class TIFrameForm : public TForm {
public:
    explicit TIFrameForm(TComponent* AOwner);

    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TEdit* NameEdit = nullptr;
    TEdit* URLEdit = nullptr;
    TQmToolbarButton* BrowseButton = nullptr;
    TEdit* HeightEdit = nullptr;
    TUpDown* HeightUpDown = nullptr;
    TEdit* WidthEdit = nullptr;
    TUpDown* WidthUpDown = nullptr;
    TComboBox* ScrollingCombo = nullptr;
    TEdit* FrameHeightEdit = nullptr;
    TUpDown* FrameHeightUpDown = nullptr;
    TEdit* FrameWidthEdit = nullptr;
    TUpDown* FrameWidthUpDown = nullptr;
    TComboBox* AlignmentCombo = nullptr;
    TCheckBox* FrameBorderCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;

    // The open page's editor, nullptr with no page open: OK then writes nothing.
    TRichEdit* Editor = nullptr;
    String PageFolder;

    void OKButtonClick(TObject* Sender);
    void BrowseButtonClick(TObject* Sender);

    void InsertIFrame();
    // The selection S becomes start + S + end, the caret just before end.
    void InsertIntoEditor(const String& start, const String& end);

private:
    void BuildControls();
    TEdit* AddNumberBox(const String& stem, const String& caption, int left, int top,
                        TUpDown*& upDown);
};

extern TIFrameForm* IFrameForm;
