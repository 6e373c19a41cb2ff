#include "services/RichPreview.h"

#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/Printers.h"
#include "platform/StdCtrls.h"

#include <cmath>
#include <cstdlib>

namespace {

int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// "   1 of    5": the page number and the count right-aligned in four characters each.
String PageLabel(int page, int count) {
    return Format("%4d of %4d", page, count);
}

String ZoomText(double value) {
    return Format("%5.3f", value);
}

// The step as typed, "." separating the decimals; 0.1 for a text that is no such number.
double ReadStep(const String& text) {
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() || *end != '\0' ? 0.1 : value;
}

constexpr int PanelHeight = 71;

} // namespace

// The window takes most of the screen's height and the page's proportions; a page too wide for
// the screen takes its width instead, and the height follows the proportions.
TPreviewLayout PreviewLayout(int screenWidth, int screenHeight, double aspectRatio) {
    double ratio = aspectRatio > 0 ? aspectRatio : 1 / 0.707;
    int height = Round(screenHeight * 0.95);
    int clientHeight = height - 27;
    int width = Round((clientHeight * 0.98 - PanelHeight) / ratio);
    if (screenWidth < Round(width * 1.0204)) {
        width = Round(screenWidth * 0.98);
        height = Round(width * ratio + PanelHeight) + 27;
        clientHeight = height - 27;
    }
    TPreviewLayout layout;
    layout.FormHeight = height;
    layout.FormWidth = Round(width * 1.0204);
    int clientWidth = layout.FormWidth - 8;
    if (clientWidth < Round(clientWidth * 0.02) + 395) {
        layout.FormWidth = Round((clientWidth * 0.02 + 395) * 1.0204);
        clientWidth = layout.FormWidth - 8;
    }
    int top = Round(clientHeight * 0.01);
    int left = Round(clientWidth * 0.01);
    layout.Picture =
        Bounds(left, top, Round(clientWidth * 0.98), Round(clientHeight * 0.98) - PanelHeight);
    return layout;
}

TRichPreviewForm* RichPreviewForm = nullptr;

TRichPreviewForm::TRichPreviewForm(TComponent* AOwner) : TForm(AOwner) {
    RichPreviewForm = this;
    FFolder = CreateTempFolder("preview-");
    BuildForm([this] { BuildControls(); });
    SetAspectRatio(0);
    Show();
}

TRichPreviewForm::~TRichPreviewForm() {
    if (RichPreviewForm == this)
        RichPreviewForm = nullptr;
    DeletePages();
}

void TRichPreviewForm::BuildControls() {
    SetCaption("Print Preview");
    SetBorderStyle(bsSingle);
    SetBorderIcons({});
    SetKeyPreview(true);
    Image1 = NewControl<TImage>(this, this, "Image1");
    Panel1 = NewControl<TPanel>(this, this, "Panel1");
    Panel1->SetHeight(PanelHeight);
    ArrowButton1 = NewControl<TButton>(this, Panel1, "ArrowButton1", 8, 8, 25, 25);
    ArrowButton1->SetCaption("<");
    ArrowButton1->SetHint("Showing previous pages [PgDn]");
    Label2 = NewControl<TLabel>(this, Panel1, "Label2", 36, 8, 60, 13);
    Label2->SetCaption("PREVIOUS");
    Label9 = NewControl<TLabel>(this, Panel1, "Label9", 36, 22, 60, 13);
    Label9->SetCaption("page");
    ArrowButton2 = NewControl<TButton>(this, Panel1, "ArrowButton2", 8, 38, 25, 25);
    ArrowButton2->SetCaption(">");
    ArrowButton2->SetHint("Showing next pages [PgUp]");
    Label1 = NewControl<TLabel>(this, Panel1, "Label1", 36, 38, 60, 13);
    Label1->SetCaption("NEXT ");
    Label3 = NewControl<TLabel>(this, Panel1, "Label3", 36, 52, 60, 13);
    Label3->SetCaption("page");
    Label4 = NewControl<TLabel>(this, Panel1, "Label4", 100, 8, 80, 13);
    Label4->SetCaption("Page number:");
    Label5 = NewControl<TLabel>(this, Panel1, "Label5", 100, 24, 90, 13);
    Label5->SetHint("Actual page number");
    SpeedButton1 = NewControl<TButton>(this, Panel1, "SpeedButton1", 100, 40, 60, 25);
    SpeedButton1->SetCaption("&Print");
    SpeedButton1->SetHint("Printing of selection from document ['P' key]");
    SpeedButton2 = NewControl<TButton>(this, Panel1, "SpeedButton2", 196, 8, 60, 25);
    SpeedButton2->SetCaption("&Larger");
    SpeedButton2->SetHint("Larger zoom ['L' key]");
    SpeedButton3 = NewControl<TButton>(this, Panel1, "SpeedButton3", 196, 40, 60, 25);
    SpeedButton3->SetCaption("&Smaller");
    SpeedButton3->SetHint("Smaller zoom ['S' key]");
    SpeedButton3->SetEnabled(false);
    Label8 = NewControl<TLabel>(this, Panel1, "Label8", 262, 8, 70, 13);
    Label8->SetCaption("Zoom factor:");
    Label7 = NewControl<TLabel>(this, Panel1, "Label7", 336, 8, 40, 13);
    Label7->SetHint("Actual size of the zoom (double click for a value of one)");
    Label6 = NewControl<TLabel>(this, Panel1, "Label6", 262, 40, 70, 13);
    Label6->SetCaption("Zoom step:");
    MaskEdit1 = NewControl<TEdit>(this, Panel1, "MaskEdit1", 336, 36, 45, 21);
    MaskEdit1->SetMaxLength(5);
    MaskEdit1->SetHint("Input step size zooming");
    BitBtn1 = NewControl<TButton>(this, Panel1, "BitBtn1", 0, 20, 40, 25);
    BitBtn1->SetCaption("Close");
    BitBtn1->SetHint("Closing this preview");
    PrintDialog1 = NewComponent<TPrintDialog>(this, "PrintDialog1");
    PrintDialog1->SetOptions({poPageNums, poWarning});

    MaskEdit1->SetText(ZoomText(FStep));
    Label7->SetCaption(ZoomText(FZoom));
    ArrowButton1->OnClick = Handler(this, &TRichPreviewForm::ArrowButton1Click);
    ArrowButton2->OnClick = Handler(this, &TRichPreviewForm::ArrowButton2Click);
    SpeedButton1->OnClick = Handler(this, &TRichPreviewForm::SpeedButton1Click);
    SpeedButton2->OnClick = Handler(this, &TRichPreviewForm::SpeedButton2Click);
    SpeedButton3->OnClick = Handler(this, &TRichPreviewForm::SpeedButton3Click);
    MaskEdit1->OnChange = Handler(this, &TRichPreviewForm::MaskEdit1Change);
    Label7->OnDblClick = Handler(this, &TRichPreviewForm::Label7DblClick);
    BitBtn1->OnClick = Handler(this, &TRichPreviewForm::BitBtn1Click);
    Image1->OnMouseDown = Handler(this, &TRichPreviewForm::Image1MouseDown);
    OnKeyDown = Handler(this, &TRichPreviewForm::FormKeyDown);
    OnKeyPress = Handler(this, &TRichPreviewForm::FormKeyPress);
    OnClose = Handler(this, &TRichPreviewForm::FormClose);
}

void TRichPreviewForm::SetPageSize(int width, int height) {
    FPageWidth = width;
    FPageHeight = height;
}

void TRichPreviewForm::SetAspectRatio(double ratio) {
    TPreviewLayout layout = PreviewLayout(Screen->Width(), Screen->Height(), ratio);
    SetWidth(layout.FormWidth);
    SetHeight(layout.FormHeight);
    Image1->SetBounds(layout.Picture.Left, layout.Picture.Top, layout.Picture.Width(),
                      layout.Picture.Height());
    Panel1->SetBounds(layout.Picture.Left, layout.Picture.Bottom, layout.Picture.Width(),
                      PanelHeight);
    BitBtn1->SetLeft(layout.Picture.Width() - BitBtn1->Width() - 4);
    Image1->Picture().Bitmap().SetSize(layout.Picture.Width(), layout.Picture.Height());
    FormPaint();
}

String TRichPreviewForm::PageFileName(int index) const {
    return FFolder + "PreviewMetafile" + IntToStr(index);
}

void TRichPreviewForm::AddPage() {
    FPage = FPageCount++;
    FormPaint();
}

// The page on display, zoomed: beyond a factor of 1.00001 the page grows past the window and
// the window shows the part the scroll position gives; only that part is drawn.
void TRichPreviewForm::FormPaint() {
    TBitmap& bitmap = Image1->Picture().Bitmap();
    int width = bitmap.Width(), height = bitmap.Height();
    if (FZoom > 1.00001)
        FRange = TPoint{Round(width * FZoom) - width, Round(height * FZoom) - height};
    else
        FRange = TPoint{0, 0};
    FPosition.x = std::clamp(FPosition.x, 0, FRange.x);
    FPosition.y = std::clamp(FPosition.y, 0, FRange.y);
    TRect page = Bounds(-FPosition.x, -FPosition.y, width + FRange.x, height + FRange.y);
    if (!DrawRecordedPage(PageFileName(FPage), bitmap, page))
        return;
    Image1->Invalidate();
    Label5->SetCaption(PageLabel(FPage + 1, FPageCount));
}

void TRichPreviewForm::ShowPage(int index) {
    FPage = std::clamp(index, 0, std::max(0, FPageCount - 1));
    FormPaint();
}

void TRichPreviewForm::EnablePrevious(bool enabled) {
    ArrowButton1->SetEnabled(enabled);
    Label2->SetEnabled(enabled);
    Label9->SetEnabled(enabled);
}

void TRichPreviewForm::EnableNext(bool enabled) {
    ArrowButton2->SetEnabled(enabled);
    Label1->SetEnabled(enabled);
    Label3->SetEnabled(enabled);
}

void TRichPreviewForm::ArrowButton2Click(TObject* /*Sender*/) {
    ShowPage(FPage + 1);
    EnablePrevious(true);
    EnableNext(FPage < FPageCount - 1);
}

void TRichPreviewForm::ArrowButton1Click(TObject* /*Sender*/) {
    ShowPage(FPage - 1);
    EnablePrevious(FPage > 0);
    EnableNext(true);
}

void TRichPreviewForm::FormKeyDown(TObject* /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
    const int increment = 16;
    switch (Key) {
    case VK_PRIOR:
        ArrowButton2Click(this);
        break;
    case VK_NEXT:
        ArrowButton1Click(this);
        break;
    case VK_END:
        ShowPage(FPageCount - 1);
        Label1->SetEnabled(false);
        Label3->SetEnabled(false);
        Label2->SetEnabled(true);
        Label9->SetEnabled(true);
        break;
    case VK_HOME:
        ShowPage(0);
        Label1->SetEnabled(true);
        Label3->SetEnabled(true);
        Label2->SetEnabled(false);
        Label9->SetEnabled(false);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        FPosition.x += Key == VK_LEFT ? -increment : increment;
        FormPaint();
        break;
    case VK_UP:
    case VK_DOWN:
        FPosition.y += Key == VK_UP ? -increment : increment;
        FormPaint();
        break;
    default:
        break;
    }
}

void TRichPreviewForm::FormKeyPress(TObject* /*Sender*/, char& Key) {
    switch (Key) {
    case 'L':
    case 'l':
        SpeedButton2Click(this);
        break;
    case 'P':
    case 'p':
        SpeedButton1Click(this);
        break;
    case 'S':
    case 's':
        SpeedButton3Click(this);
        break;
    default:
        break;
    }
}

void TRichPreviewForm::ShowZoom() {
    Label7->SetCaption(ZoomText(FZoom));
    FormPaint();
}

void TRichPreviewForm::SpeedButton2Click(TObject* /*Sender*/) {
    FZoom += FStep;
    SpeedButton3->SetEnabled(FZoom > 1);
    ShowZoom();
}

void TRichPreviewForm::SpeedButton3Click(TObject* /*Sender*/) {
    FZoom = std::max(1.0, FZoom - FStep);
    SpeedButton3->SetEnabled(FZoom != 1);
    ShowZoom();
}

void TRichPreviewForm::MaskEdit1Change(TObject* /*Sender*/) {
    FStep = ReadStep(MaskEdit1->Text());
}

void TRichPreviewForm::ResetZoom() {
    FZoom = 1.0;
    SpeedButton3->SetEnabled(false);
    ShowZoom();
}

void TRichPreviewForm::Label7DblClick(TObject* /*Sender*/) {
    ResetZoom();
}

void TRichPreviewForm::Image1MouseDown(TObject* /*Sender*/, TMouseButton Button,
                                       TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    if (Button == mbRight)
        ResetZoom();
}

// Each page of the range is a job of its own; the window shows the page being printed. A page
// whose file is gone is skipped.
void TRichPreviewForm::SpeedButton1Click(TObject* /*Sender*/) {
    TScreenCursorScope hourglass(crHourGlass);
    PrintDialog1->MinPage = 1;
    PrintDialog1->MaxPage = FPageCount;
    PrintDialog1->FromPage = 1;
    PrintDialog1->ToPage = FPageCount;
    if (!PrintDialog1->Execute())
        return;
    bool range = PrintDialog1->PrintRange == prPageNums;
    int from = range ? PrintDialog1->FromPage : 1;
    int to = range ? PrintDialog1->ToPage : FPageCount;
    for (int index = std::max(from, 1) - 1; index < std::min(to, FPageCount); ++index) {
        ShowPage(index);
        PrintRecordedPage(PageFileName(index), FPageWidth, FPageHeight);
    }
}

void TRichPreviewForm::BitBtn1Click(TObject* /*Sender*/) {
    Close();
}

void TRichPreviewForm::FormClose(TObject* /*Sender*/, TCloseAction& Action) {
    Action = caFree;
}

void TRichPreviewForm::DeletePages() {
    for (int index = 0; index < FPageCount; ++index)
        DeleteFile(PageFileName(index));
    RemoveDir(FFolder);
}
