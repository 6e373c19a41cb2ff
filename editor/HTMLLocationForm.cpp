#include "editor/HTMLLocationForm.h"

#include "editor/DialogGuard.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"
#include "widgets/FBrowse.h"
#include "widgets/QmToolbars.h"

TLocationForm* LocationForm = nullptr;

namespace {

// The glyphs are drawn on the background colour that the bottom-left pixel makes transparent.
void BeginGlyph(TCanvas& canvas) {
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(TRect{0, 0, 16, 16});
    canvas.Pen().SetColor(clBlack);
}

void DrawFileGlyph(TBitmap& glyph) {
    glyph.SetSize(16, 16);
    TCanvas& canvas = glyph.Canvas();
    BeginGlyph(canvas);
    canvas.Brush().SetColor(clWhite);
    canvas.Polygon({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}});
    canvas.Polyline({{10, 1}, {10, 4}, {13, 4}});
}

void DrawFolderGlyph(TBitmap& glyph) {
    glyph.SetSize(16, 16);
    TCanvas& canvas = glyph.Canvas();
    BeginGlyph(canvas);
    canvas.Brush().SetColor(clYellow);
    canvas.Polygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}});
}

} // namespace

TLocationForm::TLocationForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("LocationForm");
        SetCaption("Quiltmarker");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(330);
        SetClientHeight(104);
        Font().SetName("MS Sans Serif");
        BuildControls();
        OnShow = Handler(this, &TLocationForm::FormShow);
    });
}

void TLocationForm::BuildControls() {
    LocLabelTop = NewControl<TLabel>(this, this, "LocLabelTop", 8, 4, 3, 13);
    LocLabelTop->SetCaption("");
    LocLabel = NewControl<TLabel>(this, this, "LocLabel", 8, 24, 174, 13);
    LocLabel->SetCaption("Location of HTML Reference Library");
    LocEdit = NewControl<TEdit>(this, this, "LocEdit", 8, 40, 277, 21);
    LocEdit->SetText("");

    BrowseButton = NewControl<TQmToolbarButton>(this, this, "BrowseButton", 292, 39, 23, 22);
    DrawFileGlyph(BrowseButton->Glyph());
    BrowseButton->OnClick = Handler(this, &TLocationForm::BrowseButtonClick);
    DirBrowseButton = NewControl<TQmToolbarButton>(this, this, "DirBrowseButton", 292, 39, 23, 22);
    DrawFolderGlyph(DirBrowseButton->Glyph());
    DirBrowseButton->SetVisible(false);
    DirBrowseButton->OnClick = Handler(this, &TLocationForm::DirBrowseButtonClick);

    OKButton = NewControl<TButton>(this, this, "OKButton", 164, 72, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->OnClick = Handler(this, &TLocationForm::OKButtonClick);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 246, 72, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->OnClick = Handler(this, &TLocationForm::CancelButtonClick);

    OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
    OpenDialog->SetTitle("Locate Help File");
    OpenDialog->SetFilter("Help files|*.hlp|All files|*.*");
    OpenDialog->SetDefaultExt("hlp");
    FolderBrowse1 = NewComponent<TFolderBrowse>(this, "FolderBrowse1");
}

int TLocationForm::LeadingNumber(const String& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == String::npos)
        return 0;
    bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+')
        ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 1000000000; ++i)
        value = value * 10 + (text[i] - '0');
    return static_cast<int>(negative ? -value : value);
}

void TLocationForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
}

void TLocationForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TLocationForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TLocationForm::BrowseButtonClick(TObject* /*Sender*/) {
    if (OpenDialog->Execute())
        LocEdit->SetText(OpenDialog->FileName());
}

// There are no drives here: the browser starts at StartFolder itself.
void TLocationForm::DirBrowseButtonClick(TObject* /*Sender*/) {
    FolderBrowse1->SetTitle("Location");
    FolderBrowse1->SetDirectory(StartFolder);
    const String fileName = ExtractFileName(LocEdit->Text());
    if (!FolderBrowse1->Execute(FolderBrowserOwner))
        return;
    const String& folder = FolderBrowse1->Directory();
    LocEdit->SetText(AppendFileName ? IncludeTrailingPathDelimiter(folder) + fileName : folder);
}
