#pragma once
// The properties dialog that every form control but the drop-down list shares: each command
// lays it out for its control by hiding the boxes that do not apply, and a control is let go
// only with a name (and a radio button with a value).

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TOpenDialog;
class TPanel;
class TQmToolbarButton;
class TUpDown;

// The kinds of INPUT the text-box buttons make.
enum class TInputKind { Text, Password, Hidden, File, Image };

class TSizeForm : public TForm {
public:
    explicit TSizeForm(TComponent* AOwner);

    TPanel* Panel1 = nullptr;
    TLabel* SizeLabel = nullptr;
    TEdit* SizeEdit = nullptr;
    TUpDown* SizeUpDown = nullptr;
    TLabel* MaxLengthLabel = nullptr;
    TEdit* MaxLengthEdit = nullptr;
    TUpDown* MaxLengthUpDown = nullptr;
    TLabel* NameLabel = nullptr;
    TEdit* NameEdit = nullptr;
    TCheckBox* Check = nullptr;
    TLabel* ValueLabel = nullptr;
    TEdit* ValueEdit = nullptr;
    TLabel* AlignLabel = nullptr;
    TComboBox* AlignCombo = nullptr;
    TLabel* RowsLabel = nullptr;
    TEdit* RowsEdit = nullptr;
    TUpDown* RowsUpDown = nullptr;
    TLabel* InputLabel = nullptr;
    TEdit* InputEdit = nullptr;
    TQmToolbarButton* InputBrowseButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;

    // The folder a browsed image is made relative to.
    String PageFolder;

    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    void InputBrowseButtonClick(TObject* Sender);

    void HideSize();
    void HideMaxLength();
    void HideRows();
    void HideAlign();
    void HideValue();

    // Lays the dialog out for one control; each tag below is the one its layout describes.
    void PrepareInput(TInputKind kind);
    void PrepareTextArea();
    // Radio buttons and check boxes: the value is the label too, put on the side AlignCombo says.
    void PrepareChoice(const String& caption, const String& name);
    // Submit, reset and push buttons, by their type word.
    void PrepareButton(const String& typeWord);

    String InputTag() const;
    String TextAreaTag() const;
    String ChoiceTag(const String& typeWord) const;
    // A push button is an element around the selection; submit and reset are INPUTs.
    String ButtonStartTag() const;
    String ButtonEndTag() const;

private:
    void BuildControls();
    TEdit* AddRow(const String& name, const String& caption, int top, TLabel*& label);
    // " NAME" and " VALUE" as every control writes them.
    String NameAndValue() const;
    // The message that keeps the dialog open, "" when the control may be made.
    String MissingEntry() const;

    String FTypeWord;
};

extern TSizeForm* SizeForm;
