#pragma once
// A speed button: a button without a window of its own, showing a glyph, that never takes the
// focus.

#include "platform/Controls.h"
#include "platform/Graphics.h"

// Where a button's glyph lies beside its caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// A button's frame: the one of the desktop in use, the old thick one, or the new one.
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);

    TBitmap& Glyph() { return FGlyph; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;

private:
    TBitmap FGlyph;
    bool FPressed = false;
};
