#include "widgets/JLLabel.h"

#include "platform/Win32Draw.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace {

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// Every product of the placement is cut toward zero, as integer pixels are.
int Cut(double value) {
    return static_cast<int>(value);
}

} // namespace

TRotatedTextPlacement RotatedTextPlacement(int angle, int w, int h) {
    double r = Radians(angle);
    TRotatedTextPlacement placement;
    if (angle <= 90) {
        placement.dy = Cut(std::sin(r) * w);
    } else if (angle <= 180) {
        placement.dx = Cut(-std::cos(r) * w);
        placement.dy = Cut(std::cos(Radians(180 - angle)) * h) + Cut(std::sin(r) * w);
    } else if (angle <= 270) {
        placement.dx = Cut(std::sin(Radians(angle - 180)) * h) - Cut(std::cos(r) * w);
        placement.dy = Cut(std::sin(Radians(270 - angle)) * h);
    } else {
        placement.dx = Cut(std::sin(Radians(360 - angle)) * h);
    }
    placement.Width = std::abs(Cut(std::cos(r) * w)) + std::abs(Cut(std::sin(r) * h));
    placement.Height = std::abs(Cut(std::sin(r) * w)) + std::abs(Cut(std::cos(r) * h));
    return placement;
}

TRotateLabel::TRotateLabel(TComponent* AOwner) : TLabel(AOwner) {
    Font().SetName("Arial");
}

void TRotateLabel::SetEscapement(int value) {
    if (value == FEscapement)
        return;
    if (value < 0) {
        while (value < -360)
            value += 360;
        value += 360;
    } else {
        while (value > 360)
            value -= 360;
    }
    FEscapement = value;
    Repaint();
}

void TRotateLabel::SetTextStyle(TTextStyle value) {
    if (Change(FTextStyle, value))
        Repaint();
}

void TRotateLabel::Paint() {
    PaintOn(Canvas());
}

void TRotateLabel::PaintOn(TCanvas& canvas) {
    TRect client = ClientRect();
    if (!Transparent())
        FillWith(canvas, client, Color());
    canvas.Brush().SetStyle(bsClear);
    unsigned flags = DT_EXPANDTABS | AlignmentFormat(Alignment());
    if (WordWrap())
        flags |= DT_WORDBREAK;
    DrawCaption(canvas, client, flags);
}

// The edges are the caption drawn twice, one pixel off either way, below the face.
void TRotateLabel::DrawCaption(TCanvas& canvas, const TRect& rect, unsigned flags) {
    canvas.Font().Assign(Font());
    if (!ShowAccelChar())
        flags |= DT_NOPREFIX;
    TColor highlight = clBtnHighlight;
    TColor shadow = clBtnShadow;
    if (FTextStyle == tsRecessed)
        std::swap(highlight, shadow);
    if (FTextStyle != tsNone) {
        canvas.Font().SetColor(shadow);
        DrawCaptionOnce(canvas, Moved(rect, 1, 1), flags);
        canvas.Font().SetColor(highlight);
        DrawCaptionOnce(canvas, Moved(rect, -1, -1), flags);
    }
    canvas.Font().SetColor(Enabled() ? Font().Color() : clGrayText);
    DrawCaptionOnce(canvas, rect, flags);
}

void TRotateLabel::DrawCaptionOnce(TCanvas& canvas, const TRect& rect, unsigned flags) {
    if (FEscapement == 0) {
        TRect textRect = rect;
        DrawText(canvas, Caption(), textRect, flags);
    } else
        DrawRotated(canvas, rect);
}

// Turned text knows neither wrapping nor accelerators: the caption is written as it is.
void TRotateLabel::DrawRotated(TCanvas& canvas, const TRect& rect) {
    TSize extent = canvas.TextExtent(Caption());
    TRotatedTextPlacement placement = RotatedTextPlacement(FEscapement, extent.cx, extent.cy);
    int shift = 0;
    if (AutoSize()) {
        if (Width() != placement.Width || Height() != placement.Height)
            SetBounds(Left(), Top(), placement.Width, placement.Height);
    } else if (Alignment() == taCenter) {
        shift = (Width() - placement.Width) / 2;
    } else if (Alignment() == taRightJustify) {
        shift = Width() - placement.Width;
    }
    canvas.Font().SetOrientation(FEscapement * 10);
    canvas.TextOut(rect.Left + placement.dx + shift, rect.Top + placement.dy, Caption());
    canvas.Font().SetOrientation(0);
}
