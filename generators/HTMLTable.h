#pragma once
// The table designer: the TABLE element's own attributes above a grid that holds the rows, the
// cells with their alignments and no-wrap marks, and the column widths in its top row.

#include "generators/TableHTML.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TColorGrid;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TPanel;
class TQmToolbarButton;
class TRadioButton;
class TStringAlignGrid;
class TUpDown;

class THTMLTableForm : public TForm {
public:
    explicit THTMLTableForm(TComponent* AOwner);

    TPanel* TopPanel = nullptr;
    TEdit* ColsEdit = nullptr;
    TUpDown* ColsUpDown = nullptr;
    TEdit* RowsEdit = nullptr;
    TUpDown* RowsUpDown = nullptr;
    TEdit* PaddingEdit = nullptr;
    TUpDown* PaddingUpDown = nullptr;
    TEdit* SpacingEdit = nullptr;
    TUpDown* SpacingUpDown = nullptr;
    TEdit* WidthEdit = nullptr;
    TUpDown* WidthUpDown = nullptr;
    TCheckBox* PercentCheck = nullptr;
    TPanel* PCPanel = nullptr;
    TEdit* BorderEdit = nullptr;
    TUpDown* BorderUpDown = nullptr;
    TEdit* CaptionEdit = nullptr;
    TCheckBox* NoBGCheck = nullptr;
    TPanel* ColourPanel = nullptr;
    TQmToolbarButton* DropButton1 = nullptr;
    TColorGrid* BackColourGrid = nullptr;
    TComboBox* AlignCombo = nullptr;
    TComboBox* FrameCombo = nullptr;
    TComboBox* RulesCombo = nullptr;
    TCheckBox* HeadingCheck = nullptr;
    TQmToolbarButton* LeftButton = nullptr;
    TQmToolbarButton* CentreButton = nullptr;
    TQmToolbarButton* RightButton = nullptr;
    TQmToolbarButton* ValignTopButton = nullptr;
    TQmToolbarButton* ValignMidButton = nullptr;
    TQmToolbarButton* ValignBotButton = nullptr;
    TQmToolbarButton* ValignBaseButton = nullptr;
    TGroupBox* RowGroup = nullptr;
    TRadioButton* CellAlignLeft = nullptr;
    TRadioButton* CellAlignCentre = nullptr;
    TRadioButton* CellAlignRight = nullptr;
    TCheckBox* NoWrapCheck = nullptr;
    TEdit* TempEdit = nullptr;
    TLabel* WidthHintLabel = nullptr;
    TStringAlignGrid* StringGrid = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;

    void FormShow(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    void DropButton1Click(TObject* Sender);
    void BackColourGridClick(TObject* Sender);
    void NoBGCheckClick(TObject* Sender);
    void ColsUpDownClick(TObject* Sender, TUDBtnType Button);
    void RowsUpDownClick(TObject* Sender, TUDBtnType Button);
    void ColsEditChange(TObject* Sender);
    void RowsEditChange(TObject* Sender);
    void LeftButtonClick(TObject* Sender);
    void CentreButtonClick(TObject* Sender);
    void RightButtonClick(TObject* Sender);
    void ValignTopButtonClick(TObject* Sender);
    void ValignMidButtonClick(TObject* Sender);
    void ValignBotButtonClick(TObject* Sender);
    void ValignBaseButtonClick(TObject* Sender);
    void CellAlignLeftClick(TObject* Sender);
    void CellAlignCentreClick(TObject* Sender);
    void CellAlignRightClick(TObject* Sender);
    void NoWrapCheckMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void NoWrapCheckClick(TObject* Sender);
    void StringGridSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void StringGridMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TempEditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void TempEditExit(TObject* Sender);
    void WidthEditChange(TObject* Sender);
    void PCPanelClick(TObject* Sender);
    void WidthEditKeyPress(TObject* Sender, char& Key);

    // The designer shows the table: its attributes, its grid and the grid's sizes.
    void LoadDesign(const TTableDesign& design);
    // What the designer holds now.
    TTableDesign Design() const;

    // Opens the column-width editor over the top-row cell of the column.
    void EditColumnWidth(int col);

private:
    void BuildTableControls();
    void BuildCellControls();
    void SetColumnCount(int count);
    void SetTableRowCount(int count);
    void SetCurrentCellAlign(TMyAlign align);
    void SetCurrentCellHint(const String& hint);
    void SetCurrentRowAlign(TMyAlign align);
    void ShowCellSettings(int col, int row);
    void ShowBackColour(int index);
    int FWidthColumn = -1;
    bool FLoading = false;
};

extern THTMLTableForm* HTMLTableForm;
