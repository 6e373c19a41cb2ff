#include "platform/ColorGrd.h"

#include <algorithm>
#include <array>

namespace {

constexpr int Columns = 4;
constexpr int Rows = 4;

constexpr std::array<TColor, TColorGrid::ColourCount> Palette = {
    clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clSilver,
    clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite,
};

bool ValidIndex(int index) {
    return index >= 0 && index < TColorGrid::ColourCount;
}

} // namespace

TColorGrid::TColorGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), 100, 100);
}

void TColorGrid::SetForegroundIndex(int value) {
    FForegroundIndex = ValidIndex(value) ? value : -1;
    Invalidate();
}

void TColorGrid::SetBackgroundIndex(int value) {
    FBackgroundIndex = ValidIndex(value) ? value : -1;
    Invalidate();
}

TColor TColorGrid::ColourOf(int index) {
    return ValidIndex(index) ? Palette[static_cast<size_t>(index)] : clBlack;
}

TRect TColorGrid::SquareRect(int index) const {
    const int w = std::max(1, Width() / Columns);
    const int h = std::max(1, Height() / Rows);
    const int left = index % Columns * w;
    const int top = index / Columns * h;
    return TRect{left, top, left + w, top + h};
}

int TColorGrid::SquareAt(int x, int y) const {
    if (x < 0 || y < 0 || Width() < Columns || Height() < Rows)
        return -1;
    const int column = x / (Width() / Columns);
    const int row = y / (Height() / Rows);
    return column < Columns && row < Rows ? row * Columns + column : -1;
}

void TColorGrid::Paint() {
    TCanvas& canvas = Canvas();
    for (int i = 0; i < ColourCount; ++i) {
        const TRect square = SquareRect(i);
        canvas.Brush().SetColor(ColourOf(i));
        canvas.Pen().SetColor(i == FForegroundIndex || i == FBackgroundIndex ? clWhite : clGray);
        canvas.Rectangle(square);
    }
}

void TColorGrid::Choose(int& index, int value) {
    if (index == value)
        return;
    index = value;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TColorGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int square = SquareAt(X, Y);
    if (square < 0)
        return;
    if (Button == mbLeft && FForegroundEnabled)
        Choose(FForegroundIndex, square);
    else if (Button == mbRight && FBackgroundEnabled)
        Choose(FBackgroundIndex, square);
}
