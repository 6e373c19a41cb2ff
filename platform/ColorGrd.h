#pragma once
// The 16-colour picker: four rows of four squares in the order Black, Maroon, Green, Olive, Navy,
// Purple, Teal, Silver, Gray, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White. A left click chooses
// the foreground colour, a right click the background colour, each only while enabled.
// Indexes set in code raise no event; a click that changes one raises OnChange.

#include "platform/Controls.h"
#include "platform/Graphics.h"

class TColorGrid : public TCustomControl {
public:
    static constexpr int ColourCount = 16;

    explicit TColorGrid(TComponent* AOwner);

    // -1: no colour chosen.
    int ForegroundIndex() const { return FForegroundIndex; }
    void SetForegroundIndex(int value);
    int BackgroundIndex() const { return FBackgroundIndex; }
    void SetBackgroundIndex(int value);
    bool ForegroundEnabled() const { return FForegroundEnabled; }
    void SetForegroundEnabled(bool value) { FForegroundEnabled = value; }
    bool BackgroundEnabled() const { return FBackgroundEnabled; }
    void SetBackgroundEnabled(bool value) { FBackgroundEnabled = value; }
    // The colour of a square; black for an index outside 0 to 15.
    static TColor ColourOf(int index);
    // The square under a point of the client area, -1 outside.
    int SquareAt(int x, int y) const;

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TRect SquareRect(int index) const;
    void Choose(int& index, int value);

    int FForegroundIndex = 0;
    int FBackgroundIndex = -1;
    bool FForegroundEnabled = true;
    bool FBackgroundEnabled = true;
};
