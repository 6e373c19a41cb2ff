#pragma once
// The frames wizard: a FRAMESET of rows and columns shared out evenly, or a FRAME; Apply puts
// one in and keeps the wizard open for the next. Before a frameset it offers to take the page's
// BODY tags out, which a page of frames cannot have.

#include "platform/Forms.h"

#include <functional>

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TOpenDialog;
class TPageControl;
class TQmToolbarButton;
class TRichEdit;
class TTabSheet;
class TUpDown;

class TFrameWizForm : public TForm {
public:
    explicit TFrameWizForm(TComponent* AOwner);

    TPageControl* PageControl = nullptr;
    TTabSheet* FramesetSheet = nullptr;
    TEdit* RowsEdit = nullptr;
    TUpDown* RowsUpDown = nullptr;
    TEdit* ColsEdit = nullptr;
    TUpDown* ColsUpDown = nullptr;
    TTabSheet* FrameSheet = nullptr;
    TEdit* NameEdit = nullptr;
    TEdit* URLEdit = nullptr;
    TQmToolbarButton* BrowseButton = nullptr;
    TEdit* HeightEdit = nullptr;
    TUpDown* HeightUpDown = nullptr;
    TEdit* WidthEdit = nullptr;
    TUpDown* WidthUpDown = nullptr;
    TComboBox* ScrollingCombo = nullptr;
    TCheckBox* NoResizeCheck = nullptr;
    TCheckBox* FrameBorderCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TButton* ApplyButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;

    // 1: frameset, 2: frame; follows the page shown.
    int Mode = 1;
    // The open page's editor, nullptr with no page open.
    TRichEdit* Editor = nullptr;
    String PageFolder;
    // Puts a start and an end text into the page around its selection.
    std::function<void(const String& start, const String& end)> InsertTag;

    void FormShow(TObject* Sender);
    void PageControlChange(TObject* Sender);
    void BrowseButtonClick(TObject* Sender);
    void ApplyButtonClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    void InsertFrameset();
    void InsertFrame();

private:
    void BuildFramesetSheet();
    void BuildFrameSheet();
    TEdit* AddNumberBox(TTabSheet* sheet, const String& stem, const String& caption, int left,
                        int top, int max, TUpDown*& upDown);
    // Offers to take the page's BODY tags out; the caret and selection keep their place.
    void OfferBodyRemoval();
    void InsertForMode();
};

extern TFrameWizForm* FrameWizForm;

// The ROWS or COLS value for n frames shared out evenly, with its closing quote: "100%\"" for
// one, else n - 1 equal percentages and "*".
String FrameSplit(int n);
