#pragma once
// The dialog for an applet or an embedded object with its parameters.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TRadioGroup;
class TStringGrid;
class TUpDown;

class TAppletForm : public TForm {
public:
    explicit TAppletForm(TComponent* AOwner);

    TRadioGroup* RadioGroup = nullptr;
    TLabel* CodeLabel = nullptr;
    TEdit* CodeEdit = nullptr;
    TLabel* CodeURLLabel = nullptr;
    TEdit* CodeURLEdit = nullptr;
    TLabel* AltTextLabel = nullptr;
    TEdit* AltTextEdit = nullptr;
    TLabel* ArchiveLabel = nullptr;
    TEdit* ArchiveEdit = nullptr;
    TComboBox* AlignCombo = nullptr;
    TEdit* WidthEdit = nullptr;
    TUpDown* WidthUD = nullptr;
    TCheckBox* PercentCheck = nullptr;
    TEdit* HeightEdit = nullptr;
    TUpDown* HeightUD = nullptr;
    TEdit* HSpaceEdit = nullptr;
    TUpDown* HSpaceUD = nullptr;
    TEdit* VSpaceEdit = nullptr;
    TUpDown* VSpaceUD = nullptr;
    TEdit* ParamNameEdit = nullptr;
    TEdit* ParamValueEdit = nullptr;
    TButton* AddButton = nullptr;
    TButton* DeleteButton = nullptr;
    TStringGrid* StringGrid = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    // APPLET chosen, every box empty, nothing ticked, the grid down to its one empty row.
    void ClearFields();
    void RadioGroupClick(TObject* Sender);
    void AddButtonClick(TObject* Sender);
    void DeleteButtonClick(TObject* Sender);
    void StringGridDblClick(TObject* Sender);

    // The element up to its parameters; with parameters the closing tag too, so that the
    // selection ends up after the element.
    String StartText() const;
    // The closing tag when there are no parameters, so that the selection becomes the content.
    String EndText() const;

private:
    void BuildControls();
    TEdit* AddNumberBox(const String& name, const String& caption, int top, int max,
                        TUpDown*& upDown);
    bool ObjectMode() const;
    String TagName() const;
    // The filled rows: every row but the empty last one.
    int ParameterCount() const;
    String Attributes() const;
    String Parameters() const;
    // Moves the rows after it up by one and drops the empty last row that is left over; the
    // empty last row itself is never removed, so the next Add always has a row to write into.
    void RemoveRow(int row);
    void ClearRow(int row);
};

extern TAppletForm* AppletForm;
