#pragma once
// The colour picker of 16 squares: the 16 standard colours, one chosen as the foreground (marked
// "FG") and, when enabled, one as the background ("BG"). A left click chooses the foreground
// colour, a right click the background colour, each only while enabled; a click that changes
// one raises OnChange, then the control's OnClick follows. Indexes set in code raise no event.

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

    // -1: no colour chosen; an index outside 0 to 15 chooses none.
    int ForegroundIndex() const { return FForegroundIndex; }
    void SetForegroundIndex(int value);
    TColor ForegroundColor() const { return PaletteColor(FForegroundIndex); }
    int BackgroundIndex() const { return FBackgroundIndex; }
    void SetBackgroundIndex(int value);
    void SetBackgroundEnabled(bool value);
    void SetGridOrdering(TGridOrdering value);

    // The square under a point of the control, -1 when none.
    int SquareAt(int X, int Y) const;

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    int Columns() const;
    TRect SquareRect(int index) const;
    void Choose(int& index, int value);

    int FForegroundIndex = 0;
    int FBackgroundIndex = 15;
    bool FBackgroundEnabled = true;
    TGridOrdering FGridOrdering = go4x4;
};
