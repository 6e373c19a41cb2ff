#include "platform/Buttons.h"

#include "platform/Win32Draw.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 23, 22);
    FGlyph.OnChange = [this](TObject*) { Invalidate(); };
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && Enabled()) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FPressed) {
        FPressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

// The face, its edge, the glyph in the middle and one pixel down and right while pressed.
void TSpeedButton::Paint() {
    TRect rect{0, 0, Width(), Height()};
    Canvas().Brush().SetColor(clBtnFace);
    Canvas().FillRect(rect);
    DrawEdge(Canvas(), rect, FPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int shift = FPressed ? 1 : 0;
    if (FGlyph.Empty()) {
        DrawCaption(shift);
        return;
    }
    Canvas().Draw((Width() - FGlyph.Width()) / 2 + shift, (Height() - FGlyph.Height()) / 2 + shift,
                  FGlyph);
}

// A button without a glyph shows its caption, greyed while it is disabled.
void TSpeedButton::DrawCaption(int shift) {
    const String caption = Caption();
    if (caption.empty())
        return;
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Font().SetColor(Enabled() ? clBtnText : clGrayText);
    Canvas().TextOut((Width() - Canvas().TextWidth(caption)) / 2 + shift,
                     (Height() - Canvas().TextHeight(caption)) / 2 + shift, caption);
}
