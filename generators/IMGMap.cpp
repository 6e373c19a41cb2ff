#include "generators/IMGMap.h"

#include "editor/DialogGuard.h"
#include "generators/IMURLForm.h"
#include "generators/ImageSelect.h"
#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

#include <algorithm>

TIMMainForm* IMMainForm = nullptr;

namespace {

const String DeleteAllQuestion =
    "This will clear all the selected areas from the\r\nimage map. Are you sure you want to "
    "continue?";

TMenuItem* AddItem(TIMMainForm* form, TPopupMenu* menu, const String& name, const String& caption) {
    auto* item = NewComponent<TMenuItem>(form, name);
    item->SetCaption(caption);
    menu->Items()->Add(item);
    return item;
}

TPanel* AddPanel(TIMMainForm* form, TWinControl* parent, const String& name, TAlign align,
                 int height) {
    auto* panel = NewControl<TPanel>(form, parent, name);
    panel->SetBevelOuter(bvNone);
    panel->SetHeight(height);
    panel->SetAlign(align);
    return panel;
}

TButton* AddButton(TIMMainForm* form, TWinControl* parent, const String& name,
                   const String& caption, int left) {
    auto* button = NewControl<TButton>(form, parent, name, left, 8, 75, 25);
    button->SetCaption(caption);
    return button;
}

// The number right-aligned in four digits' room, each missing digit two blanks wide.
String PaddedNumber(int number) {
    const String digits = IntToStr(number);
    const int missing = std::max(0, 4 - static_cast<int>(digits.size()));
    return String(2 * missing, ' ') + digits;
}

std::vector<TPoint> Corners(const TRect& r) {
    return {Point(r.Left, r.Top), Point(r.Right, r.Top), Point(r.Right, r.Bottom),
            Point(r.Left, r.Bottom)};
}

TRect OrderedRect(const TPoint& a, const TPoint& b) {
    return Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

} // namespace

TIMMainForm::TIMMainForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("IMMainForm");
        SetCaption("IMGMap");
        SetWidth(400);
        SetHeight(300);
        PopupMenu1 = NewComponent<TPopupMenu>(this, "PopupMenu1");
        PopupMenu1->OnPopup = Handler(this, &TIMMainForm::PopupMenu1Popup);
        Delete1 = AddItem(this, PopupMenu1, "Delete1", "Delete Block");
        Delete1->OnClick = Handler(this, &TIMMainForm::Delete1Click);
        DeleteAll1 = AddItem(this, PopupMenu1, "DeleteAll1", "Delete All");
        DeleteAll1->OnClick = Handler(this, &TIMMainForm::DeleteAll1Click);
        AddItem(this, PopupMenu1, "N1", "-");
        LinkURL1 = AddItem(this, PopupMenu1, "LinkURL1", "Area URL");
        LinkURL1->OnClick = Handler(this, &TIMMainForm::LinkURL1Click);
        DefaultURL1 = AddItem(this, PopupMenu1, "DefaultURL1", "Default URL");
        DefaultURL1->OnClick = Handler(this, &TIMMainForm::DefaultURL1Click);

        IMStatusBar = NewControl<TStatusBar>(this, this, "IMStatusBar");
        IMStatusBar->SetAlign(alBottom);
        IMStatusBar->SetTop(280);
        IMStatusBar->Panels().Add();
        MapBottomPanel = AddPanel(this, this, "MapBottomPanel", alBottom, 41);
        MapBottomPanel->SetTop(230);
        CreateCodeButton = AddButton(this, MapBottomPanel, "CreateCodeButton", "Create Code", 20);
        CreateCodeButton->SetWidth(90);
        CreateCodeButton->OnClick = Handler(this, &TIMMainForm::CreateMap1Click);
        MapPanel = AddPanel(this, this, "MapPanel", alClient, 0);
        Image1 = NewControl<TImage>(this, MapPanel, "Image1");
        Image1->SetAutoSize(true);
        Bevel1 = NewControl<TBevel>(this, MapPanel, "Bevel1");
        PaintBox1 = NewControl<TPaintBox>(this, MapPanel, "PaintBox1");
        PaintBox1->SetCursor(crCross);
        PaintBox1->SetPopupMenu(PopupMenu1);
        PaintBox1->OnMouseDown = Handler(this, &TIMMainForm::PaintBox1MouseDown);
        PaintBox1->OnMouseMove = Handler(this, &TIMMainForm::PaintBox1MouseMove);
        PaintBox1->OnMouseUp = Handler(this, &TIMMainForm::PaintBox1MouseUp);
        PaintBox1->OnPaint = Handler(this, &TIMMainForm::PaintBox1Paint);

        CodePanel = AddPanel(this, this, "CodePanel", alNone, 200);
        CodePanel->SetVisible(false);
        CodeButtonPanel = AddPanel(this, CodePanel, "CodeButtonPanel", alBottom, 41);
        ToMapButton = AddButton(this, CodeButtonPanel, "ToMapButton", "To Map", 8);
        ToMapButton->OnClick = Handler(this, &TIMMainForm::ToMapButtonClick);
        CancelButton = AddButton(this, CodeButtonPanel, "CancelButton", "Cancel", 200);
        CancelButton->SetCancel(true);
        CancelButton->OnClick = Handler(this, &TIMMainForm::CancelButtonClick);
        OKButton = AddButton(this, CodeButtonPanel, "OKButton", "OK", 283);
        OKButton->SetDefault(true);
        OKButton->OnClick = Handler(this, &TIMMainForm::OKButtonClick);
        Memo = NewControl<TMemo>(this, CodePanel, "Memo");
        Memo->SetAlign(alClient);
        Memo->SetScrollBars(ssBoth);
        Memo->SetWordWrap(false);

        OnCreate = Handler(this, &TIMMainForm::FormCreate);
        OnActivate = Handler(this, &TIMMainForm::FormActivate);
    });
}

void TIMMainForm::FormCreate(TObject* /*Sender*/) {
    TCanvas& canvas = PaintBox1->Canvas();
    canvas.Pen().SetColor(clYellow);
    canvas.Pen().SetMode(pmXor);
    canvas.Brush().SetColor(clYellow);
    CodePanel->SetAlign(alClient);
    HighlightedArea.reset();
    DefaultURL = NoDefaultArea;
}

// A picture that cannot be read leaves the surface empty: every point is then (8, 8), so no
// area can be drawn.
void TIMMainForm::FormActivate(TObject* /*Sender*/) {
    TBitmap& picture = Image1->Picture().Bitmap();
    picture.SetSize(0, 0);
    try {
        picture.LoadFromFile(ImageSelectForm->ImageEdit->Text());
    } catch (const Exception&) {
        picture.SetSize(0, 0);
    }
    const int width = picture.Width();
    const int height = picture.Height();
    Image1->SetBounds(PictureOffset, PictureOffset, width, height);
    PaintBox1->SetBounds(0, 0, width + 30, height + 30);
    Bevel1->SetBounds(PictureOffset, PictureOffset, width + 4, height + 4);
    SetWidth(std::max(PaintBox1->Width(), 400));
    SetHeight(
        std::max(PaintBox1->Height() + MapBottomPanel->Height() + IMStatusBar->Height() + 20, 300));
    CreateCodeButton->SetLeft(20);
    if (Top() + Height() > Screen->Height())
        SetTop(0);
    if (Left() + Width() > Screen->Width())
        SetLeft(0);
}

TPoint TIMMainForm::ClampToPicture(int x, int y) const {
    const TPicture& picture = Image1->Picture();
    return Point(std::clamp(x, PictureOffset, picture.Width() + PictureOffset),
                 std::clamp(y, PictureOffset, picture.Height() + PictureOffset));
}

String TIMMainForm::PositionText(int x, int y) {
    return PaddedNumber(x) + " : " + PaddedNumber(y) + "    URL: ";
}

void TIMMainForm::PaintBox1MouseDown(TObject* /*Sender*/, TMouseButton /*Button*/,
                                     TShiftState /*Shift*/, int X, int Y) {
    Drawing = true;
    StartPoint = ClampToPicture(X, Y);
    CurrentPoint = StartPoint;
}

// The marks are kept as state and drawn by the paint handler: a surface is drawn on only while
// it paints.
void TIMMainForm::PaintBox1MouseMove(TObject* /*Sender*/, TShiftState /*Shift*/, int X, int Y) {
    const TPoint point = ClampToPicture(X, Y);
    String status = PositionText(point.x - PictureOffset, point.y - PictureOffset);
    HighlightedArea.reset();
    const int area = AreaAtPoint(point.x, point.y);
    if (area >= 0) {
        status += AreaURLs[area];
        HighlightedArea = Areas[area];
    }
    IMStatusBar->Panels().Items(0)->SetText(status);
    if (Drawing)
        CurrentPoint = point;
    PaintBox1->Invalidate();
}

void TIMMainForm::PaintBox1MouseUp(TObject* /*Sender*/, TMouseButton /*Button*/,
                                   TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    if (!Drawing)
        return;
    Drawing = false;
    PaintBox1->Invalidate();
    if (StartPoint.x == CurrentPoint.x || StartPoint.y == CurrentPoint.y)
        return;
    AddArea(OrderedRect(StartPoint, CurrentPoint), "", "", "");
}

void TIMMainForm::PaintBox1Paint(TObject* /*Sender*/) {
    TCanvas& canvas = PaintBox1->Canvas();
    for (const TRect& area : Areas)
        canvas.Polygon(Corners(area));
    if (HighlightedArea)
        canvas.DrawFocusRect(*HighlightedArea);
    if (Drawing) {
        const TBrushStyle fill = canvas.Brush().Style();
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(OrderedRect(StartPoint, CurrentPoint));
        canvas.Brush().SetStyle(fill);
    }
}

// The menu is opened by a press, which ends any drag: the release goes to the menu.
void TIMMainForm::PopupMenu1Popup(TObject* /*Sender*/) {
    Drawing = false;
    PaintBox1->Invalidate();
    const bool onArea = AreaAtPoint(CurrentPoint.x, CurrentPoint.y) >= 0;
    Delete1->SetEnabled(onArea);
    LinkURL1->SetEnabled(onArea);
}

void TIMMainForm::Delete1Click(TObject* /*Sender*/) {
    const int area = AreaAtPoint(CurrentPoint.x, CurrentPoint.y);
    if (area < 0)
        return;
    DeleteArea(area);
    HighlightedArea.reset();
    PaintBox1->Invalidate();
}

void TIMMainForm::DeleteAll1Click(TObject* /*Sender*/) {
    if (MessageBox(Handle(), DeleteAllQuestion, "IMGMap", MB_YESNO | MB_ICONSTOP) != IDYES)
        return;
    ClearAreas();
    HighlightedArea.reset();
    PaintBox1->Invalidate();
}

void TIMMainForm::LinkURL1Click(TObject* /*Sender*/) {
    const int area = AreaAtPoint(CurrentPoint.x, CurrentPoint.y);
    if (area < 0)
        return;
    TDialogGuard<TIMURLForm> dialog(IMURLForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    const TRect& r = Areas[area];
    dialog->CoordsPanel->SetCaption(
        " " + IntToStr(r.Left - PictureOffset) + "," + IntToStr(r.Top - PictureOffset) + "," +
        IntToStr(r.Right - PictureOffset) + "," + IntToStr(r.Bottom - PictureOffset));
    dialog->URLEdit->SetText(AreaURLs[area].empty() ? String("http://") : AreaURLs[area]);
    dialog->AltEdit->SetText(AreaAltTexts[area]);
    dialog->TargetEdit->SetText(AreaTargets[area]);
    if (dialog.ShowModal() != mrOk)
        return;
    AreaURLs[area] = dialog->URLEdit->Text();
    AreaAltTexts[area] = dialog->AltEdit->Text();
    AreaTargets[area] = dialog->TargetEdit->Text();
}

void TIMMainForm::DefaultURL1Click(TObject* /*Sender*/) {
    TDialogGuard<TIMURLForm> dialog(IMURLForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->CoordsPanel->SetCaption(" ");
    dialog->URLEdit->SetText(DefaultURL);
    dialog->AltEdit->SetEnabled(false);
    if (dialog.ShowModal() == mrOk)
        DefaultURL = dialog->URLEdit->Text();
}

void TIMMainForm::CreateMap1Click(TObject* /*Sender*/) {
    Memo->SetText(WriteMapCode(*this, ImageSelectForm->ImageEdit->Text(), WriteImgTag));
    OKButton->SetLeft(ClientWidth() - 20 - OKButton->Width());
    CancelButton->SetLeft(OKButton->Left() - 8 - CancelButton->Width());
    MapBottomPanel->SetVisible(false);
    MapPanel->SetVisible(false);
    CodePanel->SetVisible(true);
}

void TIMMainForm::ShowMapView() {
    CodePanel->SetVisible(false);
    MapBottomPanel->SetVisible(true);
    MapPanel->SetVisible(true);
    HighlightedArea.reset();
}

void TIMMainForm::ToMapButtonClick(TObject* /*Sender*/) {
    ShowMapView();
}

void TIMMainForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TIMMainForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}
