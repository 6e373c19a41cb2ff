#pragma once
// The BODY dialog: a background image, fixed or scrolling, and the page's five colours, each
// from a 16-colour grid or any colour the colour dialog gives.

#include "platform/Forms.h"

#include <array>

class TButton;
class TCheckBox;
class TColorDialog;
class TColorGrid;
class TEdit;
class TOpenDialog;
class TPanel;
class TQmToolbarButton;

class TBodyForm : public TForm {
public:
    explicit TBodyForm(TComponent* AOwner);

    TPanel* Panel1 = nullptr;
    TEdit* BgImageEdit = nullptr;
    TQmToolbarButton* BgImageButton = nullptr;
    TCheckBox* FixedCheckBox = nullptr;
    TCheckBox* BgColourCheck = nullptr;
    TColorGrid* BgColourGrid = nullptr;
    TQmToolbarButton* CustomBGColourButton = nullptr;
    TCheckBox* TextColourCheck = nullptr;
    TColorGrid* TextColourGrid = nullptr;
    TQmToolbarButton* TextColourCustomButton = nullptr;
    TCheckBox* LinkColourCheck = nullptr;
    TColorGrid* LinkColourGrid = nullptr;
    TQmToolbarButton* CustomLinkColourButton = nullptr;
    TCheckBox* ActiveColourCheck = nullptr;
    TColorGrid* ActiveColourGrid = nullptr;
    TQmToolbarButton* CustomActiveColourButton = nullptr;
    TCheckBox* VisitedColourCheck = nullptr;
    TColorGrid* VisitedColourGrid = nullptr;
    TQmToolbarButton* CustomVisitedColourButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TColorDialog* ColorDialog1 = nullptr;

    // One colour per row, in the order background, text, link, active link, visited link.
    TColor BgColour = 0;
    TColor TextColour = 0;
    TColor LinkColour = 0;
    TColor ActiveColour = 0;
    TColor VisitedColour = 0;
    // The folder a browsed image is made relative to.
    String PageFolder;

    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void BgImageButtonClick(TObject* Sender);
    void BgImageEditChange(TObject* Sender);
    void FixedCheckBoxClick(TObject* Sender);
    // Every grid's change: its row takes the grid's colour.
    void ColourGridChange(TObject* Sender);
    // Every grid's click: its row's box is ticked.
    void BgColourGridClick(TObject* Sender);
    // Every row's custom-colour button.
    void CustomColourButtonClick(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // The grid square of the colour, -1 when it is none of the 16.
    static int IndexOfColour(TColor colour);

    // The five colour boxes unticked and no background mark on the background grid.
    void Prepare();
    // The BODY start tag the dialog describes.
    String BodyTag() const;

private:
    struct TColourRow {
        TCheckBox* Check;
        TColorGrid* Grid;
        TQmToolbarButton* Custom;
        TColor* Colour;
    };
    void BuildControls();
    void AddColourRow(int row, TCheckBox*& check, TColorGrid*& grid, TQmToolbarButton*& custom,
                      TColor& colour);
    // The row of a grid or custom button by its tag, 0 to 4.
    const TColourRow& RowOf(TObject* sender) const;

    std::array<TColourRow, 5> FRows{};
};

extern TBodyForm* BodyForm;
