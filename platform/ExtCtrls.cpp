#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdPeers.h"

#include <QTimer>

#include <algorithm>

namespace {

void FrameBevel(TCanvas& canvas, TRect& rect, TBevelCut cut, int width) {
    if (cut == bvLowered)
        Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width);
    else if (cut == bvRaised)
        Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width);
    else if (cut == bvSpace)
        rect = Rect(rect.Left + width, rect.Top + width, rect.Right - width, rect.Bottom - width);
}

void Inset(TRect& rect, int by) {
    rect = Rect(rect.Left + by, rect.Top + by, rect.Right - by, rect.Bottom - by);
}

} // namespace

// ---- TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner, MakePeer<TPaintedPeer>) {
    SetControlStyle(ControlStyle() | TControlStyle{csAcceptsControls});
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TPanel::FrameChanged() {
    Realign();
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut value) {
    FBevelInner = value;
    FrameChanged();
}

void TPanel::SetBevelOuter(TBevelCut value) {
    FBevelOuter = value;
    FrameChanged();
}

void TPanel::SetBevelWidth(int value) {
    FBevelWidth = std::max(value, 1);
    FrameChanged();
}

void TPanel::SetBorderWidth(int value) {
    FBorderWidth = std::max(value, 0);
    FrameChanged();
}

void TPanel::SetBorderStyle(TBorderStyle value) {
    FBorderStyle = value;
    FrameChanged();
}

void TPanel::AdjustClientRect(TRect& Rect) const {
    if (FBorderStyle == bsSingle)
        Inset(Rect, 1);
    if (FBevelOuter != bvNone)
        Inset(Rect, FBevelWidth);
    Inset(Rect, FBorderWidth);
    if (FBevelInner != bvNone)
        Inset(Rect, FBevelWidth);
}

void TPanel::Paint() {
    TCanvas& canvas = TCustomControl::Canvas();
    TRect rect = ClientRect();
    if (FBorderStyle == bsSingle)
        Frame3D(canvas, rect, clWindowFrame, clWindowFrame, 1);
    FrameBevel(canvas, rect, FBevelOuter, FBevelWidth);
    Inset(rect, FBorderWidth);
    FrameBevel(canvas, rect, FBevelInner, FBevelWidth);
    String caption = WithoutAccelerator(Caption());
    if (caption.empty())
        return;
    TSize extent = canvas.TextExtent(caption);
    int x = FAlignment == taLeftJustify    ? rect.Left
            : FAlignment == taRightJustify ? rect.Right - extent.cx
                                           : rect.Left + (rect.Width() - extent.cx) / 2;
    int y = rect.Top + (rect.Height() - extent.cy) / 2;
    canvas.Brush().SetStyle(bsClear);
    canvas.TextRect(rect, x, y, caption);
}

void TPanel::WndProc(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED)
        Invalidate();
}

// ---- TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value) {
    FShape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    FStyle = value;
    Invalidate();
}

// Two lines side by side, the first in the shadow's colour when lowered, so the line looks cut
// in; a frame is an etched box, two boxes one pixel apart.
void TBevel::Paint() {
    TCanvas& canvas = TGraphicControl::Canvas();
    TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    int w = Width();
    int h = Height();
    auto line = [&canvas](TColor color, int x1, int y1, int x2, int y2) {
        canvas.Pen().SetColor(color);
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    TRect box = ClientRect();
    switch (FShape) {
    case bsBox:
        Frame3D(canvas, box, first, second, 1);
        break;
    case bsFrame: {
        TRect inner = Rect(1, 1, w, h);
        Frame3D(canvas, inner, second, second, 1);
        TRect outer = Rect(0, 0, w - 1, h - 1);
        Frame3D(canvas, outer, first, first, 1);
        break;
    }
    case bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(first, 0, h - 2, w, h - 2);
        line(second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(first, w - 2, 0, w - 2, h);
        line(second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}

// ---- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 105, 105);
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

TCanvas& TImage::Canvas() {
    if (FPicture.Empty())
        FPicture.Bitmap().SetSize(Width(), Height());
    // What is drawn now shows at the next painting.
    Invalidate();
    return FPicture.Bitmap().Canvas();
}

void TImage::PictureChanged() {
    if (FPicture.Graphic())
        FPicture.Graphic()->SetTransparent(false);
    if (FAutoSize && !FPicture.Empty())
        SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    FAutoSize = value;
    PictureChanged();
}

void TImage::Paint() {
    TGraphic* graphic = FPicture.Graphic();
    if (!graphic || graphic->Empty())
        return;
    TGraphicControl::Canvas().Draw(0, 0, *graphic);
}

// ---- TPaintBox

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
    if (OnPaint)
        OnPaint(this);
}

// ---- TRadioGroup

TRadioGroup::TRadioGroup(TComponent* AOwner) : TGroupBox(AOwner) {
    FItems.OnChange = [this](TObject*) { MakeButtons(); };
}

TRadioGroup::~TRadioGroup() {
    FItems.OnChange = nullptr;
}

TRadioButton* TRadioGroup::Buttons(int index) const {
    if (index < 0 || index >= static_cast<int>(FButtons.size()))
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FButtons[index];
}

// One button per item, the checked one kept when it still exists.
void TRadioGroup::MakeButtons() {
    FUpdating = true;
    while (FButtons.size() > static_cast<size_t>(FItems.Count())) {
        FButtons.back()->Free();
        FButtons.pop_back();
    }
    while (FButtons.size() < static_cast<size_t>(FItems.Count())) {
        auto* button = new TRadioButton(this);
        button->SetParent(this);
        button->OnClick = [this](TObject* Sender) { ButtonClicked(Sender); };
        FButtons.push_back(button);
    }
    if (FItemIndex >= FItems.Count())
        FItemIndex = -1;
    for (size_t i = 0; i < FButtons.size(); ++i) {
        FButtons[i]->SetCaption(FItems.Get(static_cast<int>(i)));
        FButtons[i]->SetChecked(static_cast<int>(i) == FItemIndex);
    }
    FUpdating = false;
    ArrangeButtons();
}

// Buttons fill the columns from the top, each column as many as it takes, below the caption.
void TRadioGroup::ArrangeButtons() {
    int count = static_cast<int>(FButtons.size());
    if (count == 0)
        return;
    int perColumn = (count + FColumns - 1) / FColumns;
    int textHeight = TypedPeer().CaptionHeight();
    int columnWidth = (Width() - 10) / FColumns;
    int space = Height() - textHeight - 5;
    int buttonHeight = space / perColumn;
    int top = textHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        FButtons[i]->SetBounds((i / perColumn) * columnWidth + 8,
                               (i % perColumn) * buttonHeight + top, columnWidth, buttonHeight);
}

void TRadioGroup::ButtonClicked(TObject* Sender) {
    if (FUpdating)
        return;
    auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
    if (it == FButtons.end())
        return;
    FItemIndex = static_cast<int>(it - FButtons.begin());
    Click();
}

void TRadioGroup::SetItemIndex(int value) {
    if (value < -1 || value >= static_cast<int>(FButtons.size()))
        value = -1;
    if (value == FItemIndex)
        return;
    if (value < 0) {
        FUpdating = true;
        FButtons[FItemIndex]->SetChecked(false);
        FUpdating = false;
        FItemIndex = -1;
        return;
    }
    // The button's click reaches ButtonClicked, which takes the index and raises OnClick.
    FButtons[value]->SetChecked(true);
    FItemIndex = value;
}

void TRadioGroup::SetColumns(int value) {
    FColumns = std::clamp(value, 1, 16);
    ArrangeButtons();
}

void TRadioGroup::Resize() {
    ArrangeButtons();
    TGroupBox::Resize();
}

void TRadioGroup::WndProc(TMessage& Message) {
    TGroupBox::WndProc(Message);
    if (Message.Msg == CM_FONTCHANGED)
        ArrangeButtons();
}

// ---- TTimer

// The system timer behind a TTimer.
class TTimerCore {
public:
    explicit TTimerCore(TTimer& timer) {
        QObject::connect(&FTimer, &QTimer::timeout, &FTimer, [&timer] {
            try {
                timer.Timer();
            } catch (...) {
                Application->HandleException(&timer);
            }
        });
    }
    // Starts the interval afresh; a timer that does not run stops.
    void Restart(bool running, int interval) {
        FTimer.stop();
        if (running)
            FTimer.start(interval);
    }

private:
    QTimer FTimer;
};

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner), FCore(std::make_unique<TTimerCore>(*this)) {
    UpdateTimer();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool value) {
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(int value) {
    FInterval = value;
    UpdateTimer();
}

// Any change starts the interval afresh.
void TTimer::UpdateTimer() {
    FCore->Restart(Running(), FInterval);
}

void TTimer::Timer() {
    if (OnTimer)
        OnTimer(this);
}

bool TestHooks::FireTimer(TTimer& timer) {
    if (!timer.Running())
        return false;
    timer.Timer();
    return true;
}
