#pragma once
// The list dialog: a whole list built from the rows of a grid, with the item numbers of an
// ordered list previewed beside the rows. The dialog outlives a Cancel, so what was typed is still
// there next time.

#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;
class TStringGrid;
struct TListChoice;

class TListForm : public TForm {
public:
    explicit TListForm(TComponent* AOwner);

    TStringGrid* ListGrid = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* NumRowsEdit = nullptr;
    TUpDown* NumRowsUpDown = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TRadioButton* PlainListButton = nullptr;
    TRadioButton* OrderedListButton = nullptr;
    TRadioButton* DefinitionButton = nullptr;
    TRadioButton* MenuListButton = nullptr;
    TRadioButton* DirectoryListButton = nullptr;
    TGroupBox* BulletGroup = nullptr;
    TRadioButton* DiscButton = nullptr;
    TRadioButton* CircleButton = nullptr;
    TRadioButton* SquareButton = nullptr;
    TGroupBox* TypeGroup = nullptr;
    TRadioButton* OneButton = nullptr;
    TRadioButton* iButton = nullptr;
    TRadioButton* IIButton = nullptr;
    TRadioButton* aButton = nullptr;
    TRadioButton* AAButton = nullptr;
    TCheckBox* CompactCheck = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* StartEdit = nullptr;
    TUpDown* StartUpDown = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void NumRowsUpDownClick(TObject* Sender, TUDBtnType Button);
    void NumRowsEditChange(TObject* Sender);
    void PlainListButtonClick(TObject* Sender);
    void OrderedListButtonClick(TObject* Sender);
    void DefinitionButtonClick(TObject* Sender);
    void MenuListButtonClick(TObject* Sender);
    void DirectoryListButtonClick(TObject* Sender);
    void OneButtonClick(TObject* Sender);
    void iButtonClick(TObject* Sender);
    void IIButtonClick(TObject* Sender);
    void aButtonClick(TObject* Sender);
    void AAButtonClick(TObject* Sender);
    void StartUpDownClick(TObject* Sender, TUDBtnType Button);
    void FormShow(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // Widths, tab stops, frames and previews for the list type and number type chosen.
    void UpdateListLayout();
    // The start number in the chosen number type's form.
    void UpdateStartEdit();

    // Two rows, the start at 1 and the unordered list chosen; the texts and the bullet, number
    // type and Compact choices stay as they were.
    void Prepare();
    // The list the dialog describes, each generated line after the indent text.
    String ListHTML(const String& indent) const;

private:
    TListChoice Choice() const;
    char NumberType() const;
    void EnableStart(bool enabled);
};

extern TListForm* ListForm;
