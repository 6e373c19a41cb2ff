#include "platform/ColorGrd.h"

#include <array>

namespace {

constexpr std::array<TColor, TColorGrid::ColorCount> Palette = {
    clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clSilver,
    clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

constexpr int GridColumns[] = {16, 8, 4, 2, 1};

int IndexOrNone(int index) {
    return index >= 0 && index < TColorGrid::ColorCount ? index : -1;
}

} // namespace

TColorGrid::TColorGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetWidth(100);
    SetHeight(100);
}

TColor TColorGrid::PaletteColor(int index) {
    return index >= 0 && index < ColorCount ? Palette[static_cast<size_t>(index)] : clBlack;
}

void TColorGrid::SetForegroundIndex(int value) {
    FForegroundIndex = IndexOrNone(value);
    Invalidate();
}

void TColorGrid::SetBackgroundIndex(int value) {
    FBackgroundIndex = IndexOrNone(value);
    Invalidate();
}

void TColorGrid::SetBackgroundEnabled(bool value) {
    FBackgroundEnabled = value;
    Invalidate();
}

void TColorGrid::SetGridOrdering(TGridOrdering value) {
    FGridOrdering = value;
    Invalidate();
}

int TColorGrid::Columns() const {
    return GridColumns[FGridOrdering];
}

TRect TColorGrid::SquareRect(int index) const {
    int columns = Columns();
    int rows = ColorCount / columns;
    int column = index % columns;
    int row = index / columns;
    int width = ClientWidth();
    int height = ClientHeight();
    return TRect{column * width / columns, row * height / rows, (column + 1) * width / columns,
                 (row + 1) * height / rows};
}

int TColorGrid::SquareAt(int X, int Y) const {
    for (int index = 0; index < ColorCount; ++index)
        if (SquareRect(index).Contains(TPoint{X, Y}))
            return index;
    return -1;
}

void TColorGrid::Paint() {
    TCanvas& canvas = Canvas();
    for (int index = 0; index < ColorCount; ++index) {
        TRect square = SquareRect(index);
        canvas.Pen().SetColor(clGray);
        canvas.Brush().SetColor(PaletteColor(index));
        canvas.Rectangle(square);
        String mark = index == FForegroundIndex                         ? "FG"
                      : FBackgroundEnabled && index == FBackgroundIndex ? "BG"
                                                                        : "";
        if (mark.empty())
            continue;
        // The mark in the colour that stands out on the square.
        TColor colour = PaletteColor(index);
        int brightness = (colour & 0xFF) + ((colour >> 8) & 0xFF) + ((colour >> 16) & 0xFF);
        canvas.Font().SetColor(brightness > 3 * 128 ? clBlack : clWhite);
        canvas.Brush().SetStyle(bsClear);
        canvas.TextRect(square, square.Left + 2, square.Top + 1, mark);
        canvas.Brush().SetStyle(bsSolid);
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
    int square = SquareAt(X, Y);
    if (square >= 0 && Button == mbLeft)
        Choose(FForegroundIndex, square);
    else if (square >= 0 && Button == mbRight && FBackgroundEnabled)
        Choose(FBackgroundIndex, square);
    TCustomControl::MouseDown(Button, Shift, X, Y);
}
