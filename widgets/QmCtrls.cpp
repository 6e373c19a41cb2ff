#include "widgets/QmCtrls.h"

#include "platform/Events.h"
#include "platform/Graphics.h"

#include <algorithm>

namespace {

// The gap between the panel's bevels and its text.
const int TextMargin = 3;
// A line is drawn with at most this many characters.
const size_t MaxLineLength = 255;

} // namespace

TSecretPanel::TSecretPanel(TComponent* AOwner) : TPanel(AOwner) {
    SetBevelOuter(bvLowered);
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(30);
    FTimer->OnTimer = Handler(this, &TSecretPanel::ScrollStep);
    FLines.OnChange = Handler(this, &TSecretPanel::LinesChanged);
}

TSecretPanel::~TSecretPanel() {
    SetActive(false);
    FLines.OnChange = nullptr;
}

void TSecretPanel::SetActive(bool value) {
    if (value == FActive)
        return;
    if (value)
        Start();
    else
        Stop();
}

void TSecretPanel::SetInterval(int value) {
    FTimer->SetInterval(value);
}

void TSecretPanel::SetTextStyle(TBevelCut value) {
    if (value == FTextStyle)
        return;
    FTextStyle = value;
    if (FActive) {
        PrepareLines();
        Invalidate();
    }
}

void TSecretPanel::Start() {
    FActive = true;
    FScrollPos = 0;
    PrepareLines();
    try {
        FTimer->SetEnabled(true);
        NotifyStart();
    } catch (...) {
        FActive = false;
        FTimer->SetEnabled(false);
        throw;
    }
    if (!IsDestroying())
        HideChildren();
    Invalidate();
}

void TSecretPanel::Stop() {
    FActive = false;
    FTimer->SetEnabled(false);
    FScrollPos = 0;
    NotifyStop();
    ShowHiddenChildren();
    Invalidate();
}

void TSecretPanel::HideChildren() {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child->Visible()) {
            FHiddenChildren.push_back(child);
            child->SetVisible(false);
        }
    }
}

// A child freed or moved elsewhere during the play is no longer the panel's to show.
void TSecretPanel::ShowHiddenChildren() {
    for (TControl* child : FHiddenChildren)
        for (int i = 0; i < ControlCount(); ++i)
            if (Controls(i) == child) {
                child->SetVisible(true);
                break;
            }
    FHiddenChildren.clear();
}

void TSecretPanel::LinesChanged(TObject* /*Sender*/) {
    if (!FActive)
        return;
    FScrollPos = 0;
    PrepareLines();
    Invalidate();
}

void TSecretPanel::PrepareLines() {
    FFirstLine = FLines.Count();
    for (int i = 0; i < FLines.Count(); ++i)
        if (!Trim(FLines[i]).empty()) {
            FFirstLine = i;
            break;
        }
    Canvas().Font().Assign(Font());
    int height = Canvas().TextHeight("Wg") + (FTextStyle != bvNone ? 1 : 0);
    FLineHeight = std::clamp(height, 1, 255);
    int inset = BorderWidth() + (BevelOuter() != bvNone ? BevelWidth() : 0) +
                (BevelInner() != bvNone ? BevelWidth() : 0) + TextMargin;
    TRect client = ClientRect();
    FTextRect =
        TRect{client.Left + inset, client.Top + inset, client.Right - inset, client.Bottom - inset};
    if (FTextRect.Left >= FTextRect.Right || FTextRect.Top >= FTextRect.Bottom)
        FTextRect = TRect{};
    FScrollLength = FTextRect.Height() + (FLines.Count() - FFirstLine) * FLineHeight;
}

void TSecretPanel::ScrollStep(TObject* /*Sender*/) {
    if (FScrollPos < FScrollLength) {
        ++FScrollPos;
    } else if (FCycled) {
        FScrollPos = 0;
    } else {
        SetActive(false);
        return;
    }
    Invalidate();
}

void TSecretPanel::Paint() {
    TPanel::Paint();
    if (FActive)
        PaintScrollText();
}

void TSecretPanel::PaintScrollText() {
    if (FLines.Count() == 0 || FTextRect.Width() == 0 || FTextRect.Height() == 0)
        return;
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsClear);
    const TColor textColor = Font().Color();
    int top = FTextRect.Top + FTextRect.Height() - FScrollPos;
    for (int i = FFirstLine; i < FLines.Count() && top < FTextRect.Bottom; ++i) {
        if (top + FLineHeight > FTextRect.Top) {
            String line = FLines[i].substr(0, MaxLineLength);
            int x = FTextRect.Left + (FTextRect.Width() - canvas.TextWidth(line)) / 2;
            TRect lineRect{FTextRect.Left, std::max(top, FTextRect.Top), FTextRect.Right,
                           std::min(top + FLineHeight, FTextRect.Bottom)};
            if (FTextStyle != bvNone) {
                int shift = FTextStyle == bvLowered ? 1 : -1;
                canvas.Font().SetColor(clBtnHighlight);
                canvas.TextRect(lineRect, x + shift, top + shift, line);
                canvas.Font().SetColor(textColor);
            }
            canvas.TextRect(lineRect, x, top, line);
        }
        top += FLineHeight;
    }
}

void TSecretPanel::NotifyStart() {
    if (OnStartPlay)
        OnStartPlay(this);
}

void TSecretPanel::NotifyStop() {
    if (OnStopPlay)
        OnStopPlay(this);
}
