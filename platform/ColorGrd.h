#pragma once
// The colour picker of 16 squares: the 16 standard colours, one chosen as the foreground (marked
// "FG") and, when enabled, one as the background ("BG"). A click with the left button chooses the
// foreground colour and then raises OnClick.

#include "platform/Controls.h"

// How the 16 squares are laid out: columns x rows.
enum TGridOrdering { go16x1, go8x2, go4x4, go2x8, go1x16 };

class TColorGrid : public TCustomControl {
public:
    static constexpr int ColorCount = 16;

    explicit TColorGrid(TComponent* AOwner);

    // The colour of square 0 to 15: black, maroon, green, olive, navy, purple, teal, silver,
    // gray, red, lime, yellow, blue, fuchsia, aqua, white; black for any other index.
    static TColor PaletteColor(int index);

    int ForegroundIndex() const { return FForegroundIndex; }
    void SetForegroundIndex(int value); // kept within 0 to 15
    TColor ForegroundColor() const { return PaletteColor(FForegroundIndex); }
    int BackgroundIndex() const { return FBackgroundIndex; }
    void SetBackgroundIndex(int value);
    bool BackgroundEnabled() const { return FBackgroundEnabled; }
    void SetBackgroundEnabled(bool value);
    TGridOrdering GridOrdering() const { return FGridOrdering; }
    void SetGridOrdering(TGridOrdering value);

    // The square under a point of the control, -1 when none.
    int SquareAt(int X, int Y) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    int Columns() const;
    TRect SquareRect(int index) const;

    int FForegroundIndex = 0;
    int FBackgroundIndex = 15;
    bool FBackgroundEnabled = true;
    TGridOrdering FGridOrdering = go4x4;
};
