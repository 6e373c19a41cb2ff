// The grid under the mouse: selecting cells by pressing and dragging, sizing lines by their
// headings' edges and moving lines by their headings.

#include "platform/Grids.h"
#include "platform/GridsPrivate.h"

#include <algorithm>
#include <cstdlib>

using namespace GridsPrivate;

namespace {

// How far from a line's edge the mouse still grabs it.
constexpr int EdgeReach = 2;

} // namespace

int TCustomGrid::LineAtEdge(int at, bool columns) const {
    int count = columns ? ColCount() : RowCount();
    int extent = columns ? ClientWidth() : ClientHeight();
    for (int i = 0; i < count; ++i) {
        int start = columns ? ColumnLeft(i) : RowTop(i);
        if (start < 0)
            continue;
        if (start > extent)
            break;
        int edge = start + (columns ? FColWidths[i] : FRowHeights[i]);
        if (std::abs(at - edge) <= EdgeReach)
            return i;
    }
    return -1;
}

TCustomGrid::TGridState TCustomGrid::CalcSizingState(int X, int Y, int& index) const {
    index = -1;
    TGridCoord cell = MouseCoord(X, Y);
    bool inHeadingRow = cell.Y >= 0 && cell.Y < FFixedRows;
    bool inHeadingCol = cell.X >= 0 && cell.X < FFixedCols;
    if (FOptions.Contains(goColSizing) && inHeadingRow && (index = LineAtEdge(X, true)) >= 0)
        return TGridState::gsColSizing;
    if (FOptions.Contains(goRowSizing) && inHeadingCol && (index = LineAtEdge(Y, false)) >= 0)
        return TGridState::gsRowSizing;
    if (FOptions.Contains(goColMoving) && inHeadingRow && cell.X >= FFixedCols) {
        index = cell.X;
        return TGridState::gsColMoving;
    }
    if (FOptions.Contains(goRowMoving) && inHeadingCol && cell.Y >= FFixedRows) {
        index = cell.Y;
        return TGridState::gsRowMoving;
    }
    return TGridState::gsNormal;
}

// The split cursor shows over an edge that may be dragged; the grid's own cursor comes back
// when the mouse leaves it.
void TCustomGrid::ShowSizingCursor(TGridState state) {
    bool split = state == TGridState::gsColSizing || state == TGridState::gsRowSizing;
    if (split && !FSplitCursorShown)
        FCursorBeforeSplit = Cursor();
    if (split)
        SetCursor(state == TGridState::gsColSizing ? crHSplit : crVSplit);
    else if (FSplitCursorShown)
        SetCursor(FCursorBeforeSplit);
    FSplitCursorShown = split;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (CanFocus() && !Focused())
        SetFocus();
    if (Button == mbLeft) {
        FGridState = CalcSizingState(X, Y, FMoveIndex);
        TGridCoord cell = MouseCoord(X, Y);
        if (FGridState == TGridState::gsNormal && cell.X >= FFixedCols && cell.Y >= FFixedRows) {
            MoveCurrent(cell.X, cell.Y, Shift.Contains(ssShift));
            FGridState = TGridState::gsSelecting;
        }
        if (FGridState != TGridState::gsNormal)
            SetMouseCapture(true);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    switch (FGridState) {
    case TGridState::gsColSizing:
        SetColWidths(FMoveIndex, std::max(X - ColumnLeft(FMoveIndex), 1));
        break;
    case TGridState::gsRowSizing:
        SetRowHeights(FMoveIndex, std::max(Y - RowTop(FMoveIndex), 1));
        break;
    case TGridState::gsSelecting: {
        TGridCoord cell = MouseCoord(X, Y);
        if (cell.X < FFixedCols || cell.Y < FFixedRows)
            break;
        if (FOptions.Contains(goRangeSelect) && !FOptions.Contains(goRowSelect)) {
            if (cell != FAnchor) {
                FAnchor = cell;
                Invalidate();
            }
        } else {
            MoveCurrent(cell.X, cell.Y, false);
        }
        break;
    }
    case TGridState::gsNormal: {
        int index;
        ShowSizingCursor(CalcSizingState(X, Y, index));
        break;
    }
    default:
        break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGridState state = FGridState;
    FGridState = TGridState::gsNormal;
    if (state != TGridState::gsNormal)
        SetMouseCapture(false);
    TGridCoord cell = MouseCoord(X, Y);
    if (state == TGridState::gsColMoving && cell.X >= FFixedCols)
        MoveColumn(FMoveIndex, cell.X);
    else if (state == TGridState::gsRowMoving && cell.Y >= FFixedRows)
        MoveRow(FMoveIndex, cell.Y);
    TCustomControl::MouseUp(Button, Shift, X, Y);
}
