#pragma once
// The drop-down link menu dialog: how the visitor opens the chosen link, the menu's look, and its
// list of links, which always ends with one empty row that Add writes into.

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TColorDialog;
class TEdit;
class TLabel;
class TOpenDialog;
class TPanel;
class TQmToolbarButton;
class TRadioGroup;
class TRichEdit;
class TSpeedButton;
class TStringGrid;
class TUpDown;

class TDropLinkForm : public TForm {
public:
    explicit TDropLinkForm(TComponent* AOwner);

    TRadioGroup* ButtonGroup = nullptr;
    TEdit* LinkNameEdit = nullptr;
    TCheckBox* NewWindowCheck = nullptr;
    TEdit* WindowNameEdit = nullptr;
    TCheckBox* BorderCheck = nullptr;
    TPanel* ColourPanel = nullptr;
    TEdit* BorderSizeEdit = nullptr;
    TUpDown* BorderSizeUD = nullptr;
    TRadioGroup* AlignGroup = nullptr;
    TLabel* TextLabel = nullptr;
    TEdit* ClickTextEdit = nullptr;
    TQmToolbarButton* ImageBrowseButton = nullptr;
    TEdit* LinkTextEdit = nullptr;
    TEdit* LinkURLEdit = nullptr;
    TQmToolbarButton* QmToolbarButton1 = nullptr;
    TButton* AddButton = nullptr;
    TButton* DeleteButton = nullptr;
    TStringGrid* Grid = nullptr;
    TSpeedButton* UpButton = nullptr;
    TSpeedButton* DownButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TColorDialog* ColorDialog = nullptr;
    // The active page's editor, where a menu of the same name is looked for.
    TRichEdit* PageEditor = nullptr;

    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    void NewWindowCheckClick(TObject* Sender);
    void AddButtonClick(TObject* Sender);
    void DeleteButtonClick(TObject* Sender);
    void GridDblClick(TObject* Sender);
    void UpButtonClick(TObject* Sender);
    void DownButtonClick(TObject* Sender);
    void QmToolbarButton1Click(TObject* Sender);
    void ColourPanelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                              int Y);
    void ColourPanelMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ColourPanelClick(TObject* Sender);
    void BorderCheckClick(TObject* Sender);
    void ButtonGroupClick(TObject* Sender);
    void ImageBrowseButtonClick(TObject* Sender);

    // The link list back to one empty row.
    void ClearLinks();
    // The entries, all rows but the trailing empty one: link text and URL.
    std::vector<std::pair<String, String>> Links() const;

private:
    void BuildControls();
    void BuildLinkList();
    void SwapRows(int a, int b);
    void RunImageDialog();
};

extern TDropLinkForm* DropLinkForm;
