#pragma once
// A label whose caption can be drawn at any angle, plain or with a raised or recessed edge.

#include "platform/StdCtrls.h"

enum TTextStyle { tsNone, tsRaised, tsRecessed };

// Text of w x h pixels turned by angle degrees (1 to 360, counter-clockwise): where it starts
// (dx, dy) from the top-left of the box that holds it, and that box's size.
struct TRotatedTextPlacement {
    int dx = 0;
    int dy = 0;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TRotatedTextPlacement&, const TRotatedTextPlacement&) = default;
};
TRotatedTextPlacement RotatedTextPlacement(int angle, int w, int h);

class TRotateLabel : public TLabel {
public:
    explicit TRotateLabel(TComponent* AOwner);

    // Degrees, counter-clockwise, kept from 0 to 360 (45 by default).
    int Escapement() const { return FEscapement; }
    void SetEscapement(int value);
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle value);

protected:
    TCanvas* PaintCanvas() override { return &Canvas(); }
    void Paint() override;
    // The label's face drawn on canvas, whose origin is the label's top-left corner.
    void PaintOn(TCanvas& canvas);

private:
    void DrawCaption(TCanvas& canvas, const TRect& rect, unsigned flags);
    void DrawCaptionOnce(TCanvas& canvas, const TRect& rect, unsigned flags);
    void DrawRotated(TCanvas& canvas, const TRect& rect);

    int FEscapement = 45;
    TTextStyle FTextStyle = tsRaised;
};
