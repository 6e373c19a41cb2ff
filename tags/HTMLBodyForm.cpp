#include "tags/HTMLBodyForm.h"

#include "editor/DialogGuard.h"
#include "platform/ColorGrd.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmToolbars.h"

TBodyForm* BodyForm = nullptr;

namespace {

struct TRowLook {
    const char* Stem; // of the row's check box and grid names
    const char* CustomButton;
    const char* Label;
    int InitialIndex;
    const char* Attribute;
};

const TRowLook RowLooks[] = {
    {"BgColour", "CustomBGColourButton", "Background &colour", 15, "BGCOLOR"},
    {"TextColour", "TextColourCustomButton", "Text colour", 0, "TEXT"},
    {"LinkColour", "CustomLinkColourButton", "Link colour", 12, "LINK"},
    {"ActiveColour", "CustomActiveColourButton", "Active link colour", 3, "ALINK"},
    {"VisitedColour", "CustomVisitedColourButton", "Visited link colour", 6, "VLINK"},
};

const int RowTop = 76;
const int RowHeight = 40;

} // namespace

TBodyForm::TBodyForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("BodyForm");
        SetCaption("Quiltmarker - Body Tags");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(400);
        SetClientHeight(324);
        BuildControls();
        OnShow = Handler(this, &TBodyForm::FormShow);
        OnActivate = Handler(this, &TBodyForm::FormActivate);
    });
}

void TBodyForm::AddColourRow(int row, TCheckBox*& check, TColorGrid*& grid,
                             TQmToolbarButton*& custom, TColor& colour) {
    const TRowLook& look = RowLooks[row];
    const int top = RowTop + row * RowHeight;
    auto* caption = NewControl<TLabel>(this, Panel1, String(look.Stem) + "Label", 28, top, 200, 13);
    caption->SetCaption(look.Label);
    check = NewControl<TCheckBox>(this, Panel1, String(look.Stem) + "Check", 8, top + 18, 17, 17);
    grid = NewControl<TColorGrid>(this, Panel1, String(look.Stem) + "Grid", 28, top + 16, 320, 20);
    caption->SetFocusControl(grid);
    grid->SetGridOrdering(go16x1);
    grid->SetBackgroundEnabled(false);
    grid->SetBackgroundIndex(-1);
    grid->SetForegroundIndex(look.InitialIndex);
    grid->SetTag(row);
    grid->OnChange = Handler(this, &TBodyForm::ColourGridChange);
    grid->OnClick = Handler(this, &TBodyForm::BgColourGridClick);
    custom = NewControl<TQmToolbarButton>(this, Panel1, look.CustomButton, 356, top + 15, 23, 22);
    custom->SetCaption("...");
    custom->SetHint("Custom colour");
    custom->SetShowHint(true);
    custom->SetTag(row);
    custom->OnClick = Handler(this, &TBodyForm::CustomColourButtonClick);
    FRows[row] = {check, grid, custom, &colour};
}

void TBodyForm::BuildControls() {
    Panel1 = NewControl<TPanel>(this, this, "Panel1", 4, 4, 392, 280);
    BgImageEdit = AddLabelledBox<TEdit>(this, Panel1, "BgImageEdit", "BgImageLabel",
                                        "&Background image", 8, 8, 290);
    BgImageEdit->OnChange = Handler(this, &TBodyForm::BgImageEditChange);
    BgImageButton = NewControl<TQmToolbarButton>(this, Panel1, "BgImageButton", 302, 23, 23, 22);
    BgImageButton->SetCaption("...");
    BgImageButton->SetHint("Browse");
    BgImageButton->SetShowHint(true);
    BgImageButton->OnClick = Handler(this, &TBodyForm::BgImageButtonClick);
    FixedCheckBox = NewControl<TCheckBox>(this, Panel1, "FixedCheckBox", 8, 50, 100, 17);
    FixedCheckBox->SetCaption("&Fixed");
    FixedCheckBox->SetEnabled(false);
    FixedCheckBox->OnClick = Handler(this, &TBodyForm::FixedCheckBoxClick);

    AddColourRow(0, BgColourCheck, BgColourGrid, CustomBGColourButton, BgColour);
    AddColourRow(1, TextColourCheck, TextColourGrid, TextColourCustomButton, TextColour);
    AddColourRow(2, LinkColourCheck, LinkColourGrid, CustomLinkColourButton, LinkColour);
    AddColourRow(3, ActiveColourCheck, ActiveColourGrid, CustomActiveColourButton, ActiveColour);
    AddColourRow(4, VisitedColourCheck, VisitedColourGrid, CustomVisitedColourButton,
                 VisitedColour);

    OKButton = AddModalButton(this, this, "OKButton", mrOk, 240, 292);
    OKButton->OnClick = Handler(this, &TBodyForm::OKButtonClick);
    CancelButton = AddModalButton(this, this, "CancelButton", mrCancel, 320, 292);
    CancelButton->OnClick = Handler(this, &TBodyForm::CancelButtonClick);
    OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
    OpenDialog->SetTitle("Select Background Image");
    OpenDialog->SetFilter("Graphics files |*.gif;*.jpg;*.bmp|All files|*.*");
    OpenDialog->SetOptions({ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofNoNetworkButton});
    ColorDialog1 = NewComponent<TColorDialog>(this, "ColorDialog1");
    ColorDialog1->SetOptions({cdFullOpen, cdAnyColor});
}

void TBodyForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
}

void TBodyForm::FormActivate(TObject* /*Sender*/) {
    for (const TColourRow& row : FRows)
        *row.Colour = GlobalForm->ColourFromIndex(row.Grid->ForegroundIndex());
}

void TBodyForm::BgImageButtonClick(TObject* /*Sender*/) {
    if (OpenDialog->Execute())
        BgImageEdit->SetText(URLFromPage(OpenDialog->FileName(), PageFolder));
}

void TBodyForm::BgImageEditChange(TObject* /*Sender*/) {
    const bool hasImage = !BgImageEdit->Text().empty();
    FixedCheckBox->SetEnabled(hasImage);
    if (!hasImage)
        FixedCheckBox->SetChecked(false);
}

void TBodyForm::FixedCheckBoxClick(TObject* /*Sender*/) {
    if (BgImageEdit->Text().empty())
        FixedCheckBox->SetChecked(false);
}

const TBodyForm::TColourRow& TBodyForm::RowOf(TObject* sender) const {
    const int tag = static_cast<TComponent*>(sender)->Tag();
    return FRows[tag >= 0 && tag < static_cast<int>(FRows.size()) ? tag : 0];
}

void TBodyForm::ColourGridChange(TObject* Sender) {
    const TColourRow& row = RowOf(Sender);
    *row.Colour = GlobalForm->ColourFromIndex(row.Grid->ForegroundIndex());
}

void TBodyForm::BgColourGridClick(TObject* Sender) {
    RowOf(Sender).Check->SetChecked(true);
}

// Marking the grid raises no change, so the row keeps the chosen colour even when no square
// shows it.
void TBodyForm::CustomColourButtonClick(TObject* Sender) {
    const TColourRow& row = RowOf(Sender);
    ColorDialog1->SetColor(*row.Colour);
    if (!ColorDialog1->Execute())
        return;
    *row.Colour = ColorDialog1->Color() & 0xFFFFFF;
    row.Grid->SetForegroundIndex(IndexOfColour(*row.Colour));
    row.Check->SetChecked(true);
}

void TBodyForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TBodyForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

int TBodyForm::IndexOfColour(TColor colour) {
    const String hex = GlobalForm->ColourToHex(colour);
    for (int index = 0; index < TColorGrid::ColorCount; ++index)
        if (GlobalForm->ColourToHex(GlobalForm->ColourFromIndex(index)) == hex)
            return index;
    return -1;
}

void TBodyForm::Prepare() {
    for (const TColourRow& row : FRows)
        row.Check->SetChecked(false);
    BgColourGrid->SetBackgroundIndex(-1);
}

String TBodyForm::BodyTag() const {
    String body = "<BODY" + QuotedAttribute("BACKGROUND", BgImageEdit->Text());
    if (FixedCheckBox->Checked())
        body += " BGPROPERTIES=\"FIXED\"";
    for (size_t i = 0; i < FRows.size(); ++i)
        if (FRows[i].Check->Checked())
            body += QuotedAttribute(RowLooks[i].Attribute,
                                    GlobalForm->HTMLColourText(*FRows[i].Colour));
    return body + ">";
}
