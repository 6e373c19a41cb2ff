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
    if (FGlyph.Empty())
        return;
    const int shift = FPressed ? 1 : 0;
    Canvas().Draw((Width() - FGlyph.Width()) / 2 + shift, (Height() - FGlyph.Height()) / 2 + shift,
                  FGlyph);
}
