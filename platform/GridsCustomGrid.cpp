#include "platform/Grids.h"
#include "platform/GridsPrivate.h"
#include "platform/Peer.h"
#include "platform/Win32Draw.h"

#include <algorithm>

using namespace GridsPrivate;

// ---- The grid

TCustomGrid::TCustomGrid(TComponent* AOwner)
    : TCustomControl(AOwner, MakeGridPeer), TPeerOf(Peer()) {
    SetTabStop(true);
    SetColor(clWindow);
    FBrush.SetColor(clWindow);
    FBrush.OnChange = [this](TObject*) { Invalidate(); };
    FColWidths.assign(5, FDefaultColWidth);
    FRowHeights.assign(5, FDefaultRowHeight);
    FTabStops.assign(5, true);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::SetColCount(int value) {
    value = std::max(value, 1);
    int old = ColCount();
    if (value == old)
        return;
    FColWidths.resize(value, FDefaultColWidth);
    FTabStops.resize(value, true);
    FFixedCols = std::min(FFixedCols, value - 1);
    SizeChanged(old, RowCount());
    if (FCurrent.X >= value)
        MoveCurrent(value - 1, FCurrent.Y, false);
    FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, value - 1);
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetRowCount(int value) {
    value = std::max(value, 1);
    int old = RowCount();
    if (value == old)
        return;
    FRowHeights.resize(value, FDefaultRowHeight);
    FFixedRows = std::min(FFixedRows, value - 1);
    SizeChanged(ColCount(), old);
    if (FCurrent.Y >= value)
        MoveCurrent(FCurrent.X, value - 1, false);
    FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, value - 1);
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetFixedCols(int value) {
    if (value < 0 || value >= ColCount())
        throw EInvalidOperation("Fixed column count must be less than column count");
    FFixedCols = value;
    ShowFirstScrollableCell();
}

void TCustomGrid::SetFixedRows(int value) {
    if (value < 0 || value >= RowCount())
        throw EInvalidOperation("Fixed row count must be less than row count");
    FFixedRows = value;
    ShowFirstScrollableCell();
}

// New fixed lines start the grid over: the view and the current cell go to the first cell
// that is not fixed, so that a grid without fixed lines shows and edits its first cell.
void TCustomGrid::ShowFirstScrollableCell() {
    FTopLeft = TGridCoord{FFixedCols, FFixedRows};
    MoveCurrent(FFixedCols, FFixedRows, false);
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int value) {
    FDefaultColWidth = value;
    std::fill(FColWidths.begin(), FColWidths.end(), value);
    ColWidthsChanged();
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int value) {
    FDefaultRowHeight = value;
    std::fill(FRowHeights.begin(), FRowHeights.end(), value);
    RowHeightsChanged();
    UpdateScrollRange();
    Invalidate();
}

int TCustomGrid::ColWidths(int index) const {
    return InRange(index, 0, ColCount() - 1) ? FColWidths[index] : FDefaultColWidth;
}

void TCustomGrid::SetColWidths(int index, int value) {
    if (!InRange(index, 0, ColCount() - 1) || FColWidths[index] == value)
        return;
    FColWidths[index] = value;
    ColWidthsChanged();
    UpdateScrollRange();
    PlaceEditor();
    Invalidate();
}

int TCustomGrid::RowHeights(int index) const {
    return InRange(index, 0, RowCount() - 1) ? FRowHeights[index] : FDefaultRowHeight;
}

void TCustomGrid::SetRowHeights(int index, int value) {
    if (!InRange(index, 0, RowCount() - 1) || FRowHeights[index] == value)
        return;
    FRowHeights[index] = value;
    RowHeightsChanged();
    UpdateScrollRange();
    PlaceEditor();
    Invalidate();
}

bool TCustomGrid::TabStops(int index) const {
    return InRange(index, 0, ColCount() - 1) && FTabStops[index];
}

void TCustomGrid::SetTabStops(int index, bool value) {
    if (InRange(index, 0, ColCount() - 1))
        FTabStops[index] = value;
}

void TCustomGrid::SetGridLineWidth(int value) {
    if (!Change(FGridLineWidth, std::max(value, 0)))
        return;
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor value) {
    if (Change(FFixedColor, value))
        Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions value) {
    if (!Change(FOptions, value))
        return;
    if (value.Contains(goAlwaysShowEditor) && Focused())
        ShowEditor();
    else if (!value.Contains(goEditing))
        HideEditor();
    Invalidate();
}

void TCustomGrid::SetCol(int value) {
    FocusCell(value, FCurrent.Y);
}

void TCustomGrid::SetRow(int value) {
    FocusCell(FCurrent.X, value);
}

void TCustomGrid::FocusCell(int ACol, int ARow) {
    MoveCurrent(ACol, ARow, false);
}

TGridRect TCustomGrid::Selection() const {
    TGridRect rect{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
                   std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
    if (FOptions.Contains(goRowSelect)) {
        rect.Left = FFixedCols;
        rect.Right = ColCount() - 1;
    }
    return rect;
}

void TCustomGrid::SetSelection(const TGridRect& value) {
    MoveCurrent(value.Left, value.Top, false);
    FAnchor = TGridCoord{std::clamp(value.Right, FFixedCols, ColCount() - 1),
                         std::clamp(value.Bottom, FFixedRows, RowCount() - 1)};
    Invalidate();
}

void TCustomGrid::SetTopRow(int value) {
    value = std::clamp(value, FFixedRows, RowCount() - 1);
    if (!Change(FTopLeft.Y, value))
        return;
    UpdateScrollRange();
    PlaceEditor();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::SetLeftCol(int value) {
    value = std::clamp(value, FFixedCols, ColCount() - 1);
    if (!Change(FTopLeft.X, value))
        return;
    UpdateScrollRange();
    PlaceEditor();
    Invalidate();
    TopLeftChanged();
}

int TCustomGrid::LastVisible(bool columns) const {
    int edge = columns ? ClientWidth() : ClientHeight();
    int count = columns ? ColCount() : RowCount();
    int fixed = columns ? FFixedCols : FFixedRows;
    int at = 0;
    for (int i = 0; i < fixed; ++i)
        at += (columns ? FColWidths[i] : FRowHeights[i]) + FGridLineWidth;
    int last = (columns ? FTopLeft.X : FTopLeft.Y) - 1;
    for (int i = columns ? FTopLeft.X : FTopLeft.Y; i < count; ++i) {
        at += (columns ? FColWidths[i] : FRowHeights[i]) + FGridLineWidth;
        if (at > edge)
            break;
        last = i;
    }
    return last;
}

int TCustomGrid::VisibleColCount() const {
    return std::max(LastVisible(true) - FTopLeft.X + 1, 0);
}

int TCustomGrid::VisibleRowCount() const {
    return std::max(LastVisible(false) - FTopLeft.Y + 1, 0);
}

int TCustomGrid::ColumnLeft(int ACol) const {
    int x = 0;
    for (int i = 0; i < std::min(ACol, FFixedCols); ++i)
        x += FColWidths[i] + FGridLineWidth;
    if (ACol < FFixedCols)
        return x;
    if (ACol < FTopLeft.X)
        return -1;
    for (int i = FTopLeft.X; i < ACol; ++i)
        x += FColWidths[i] + FGridLineWidth;
    return x;
}

int TCustomGrid::RowTop(int ARow) const {
    int y = 0;
    for (int i = 0; i < std::min(ARow, FFixedRows); ++i)
        y += FRowHeights[i] + FGridLineWidth;
    if (ARow < FFixedRows)
        return y;
    if (ARow < FTopLeft.Y)
        return -1;
    for (int i = FTopLeft.Y; i < ARow; ++i) {
        y += FRowHeights[i] + FGridLineWidth;
        if (y > ClientHeight())
            return y;
    }
    return y;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    if (!InRange(ACol, 0, ColCount() - 1) || !InRange(ARow, 0, RowCount() - 1))
        return TRect{};
    int left = ColumnLeft(ACol);
    int top = RowTop(ARow);
    if (left < 0 || top < 0 || left >= ClientWidth() || top >= ClientHeight())
        return TRect{};
    return Bounds(left, top, FColWidths[ACol], FRowHeights[ARow]);
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    TGridCoord cell = MouseCoord(X, Y);
    ACol = cell.X;
    ARow = cell.Y;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
    auto find = [this](int at, bool columns) {
        int count = columns ? ColCount() : RowCount();
        int fixed = columns ? FFixedCols : FFixedRows;
        int edge = 0;
        for (int i = 0; i < count; ++i) {
            if (i == fixed)
                i = columns ? FTopLeft.X : FTopLeft.Y;
            edge += (columns ? FColWidths[i] : FRowHeights[i]) + FGridLineWidth;
            if (at < edge)
                return i;
        }
        return -1;
    };
    if (X < 0 || Y < 0)
        return TGridCoord{-1, -1};
    int col = find(X, true);
    int row = find(Y, false);
    if (col < 0 || row < 0)
        return TGridCoord{-1, -1};
    return TGridCoord{col, row};
}

void TCustomGrid::SetEditorMode(bool value) {
    if (value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex || !InRange(FromIndex, 0, ColCount() - 1) ||
        !InRange(ToIndex, 0, ColCount() - 1))
        return;
    MoveEntry(FColWidths, FromIndex, ToIndex);
    std::vector<char> stops(FTabStops.begin(), FTabStops.end());
    MoveEntry(stops, FromIndex, ToIndex);
    FTabStops.assign(stops.begin(), stops.end());
    ColumnMoved(FromIndex, ToIndex);
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex || !InRange(FromIndex, 0, RowCount() - 1) ||
        !InRange(ToIndex, 0, RowCount() - 1))
        return;
    MoveEntry(FRowHeights, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    UpdateScrollRange();
    Invalidate();
}

bool TCustomGrid::SelectCell(int, int) {
    return true;
}

bool TCustomGrid::CanEditShow() {
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
           FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows;
}

TInplaceEdit* TCustomGrid::CreateEditor() {
    return new TInplaceEdit(this);
}

String TCustomGrid::GetEditText(int, int) {
    return String();
}

void TCustomGrid::SetEditText(int, int, const String&) {}

void TCustomGrid::ColumnMoved(int, int) {}

void TCustomGrid::RowMoved(int, int) {}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::ShowEditor() {
    FEditorMode = true;
    if (!FInplaceEdit)
        FInplaceEdit = CreateEditor();
    FInplaceEdit->UpdateContents();
    FInplaceEdit->SelectAll();
    if (!CanEditShow()) {
        HideEditor();
        return;
    }
    PlaceEditor();
    if (Focused() || FInplaceEdit->Focused() || Showing())
        FInplaceEdit->SetFocus();
}

void TCustomGrid::HideEditor() {
    FEditorMode = false;
    if (!FInplaceEdit || !FInplaceEdit->Visible())
        return;
    // The grid takes the editor's focus, unless the focus is on its way to another control.
    TForm* form = GetParentForm(this);
    bool keepFocus = FInplaceEdit->Focused() && (!form || form->ActiveControl() == this);
    FInplaceEdit->Hide();
    if (keepFocus && CanFocus())
        SetFocus();
}

void TCustomGrid::PlaceEditor() {
    if (!FInplaceEdit || !FEditorMode)
        return;
    TRect rect = CellRect(FCurrent.X, FCurrent.Y);
    if (IsRectEmpty(rect))
        FInplaceEdit->Hide();
    else
        FInplaceEdit->Move(rect);
}

void TCustomGrid::InvalidateCell(int, int) {
    Invalidate();
}

void TCustomGrid::ScrollIntoView(int ACol, int ARow) {
    if (ACol >= FFixedCols) {
        if (ACol < FTopLeft.X)
            SetLeftCol(ACol);
        else
            while (ACol > LastVisible(true) && FTopLeft.X < ACol)
                SetLeftCol(FTopLeft.X + 1);
    }
    if (ARow >= FFixedRows) {
        if (ARow < FTopLeft.Y)
            SetTopRow(ARow);
        else
            while (ARow > LastVisible(false) && FTopLeft.Y < ARow)
                SetTopRow(FTopLeft.Y + 1);
    }
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool keepAnchor) {
    ACol = std::clamp(ACol, std::min(FFixedCols, ColCount() - 1), ColCount() - 1);
    ARow = std::clamp(ARow, std::min(FFixedRows, RowCount() - 1), RowCount() - 1);
    if (TGridCoord{ACol, ARow} != FCurrent && !SelectCell(ACol, ARow))
        return;
    bool moved = TGridCoord{ACol, ARow} != FCurrent;
    if (moved && FEditorMode && !FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
    FCurrent = TGridCoord{ACol, ARow};
    if (!keepAnchor || !FOptions.Contains(goRangeSelect))
        FAnchor = FCurrent;
    ScrollIntoView(ACol, ARow);
    if (moved && FEditorMode)
        ShowEditor();
    else if (moved && FOptions.Contains(goAlwaysShowEditor) && Focused())
        ShowEditor();
    Invalidate();
}

void TCustomGrid::ScrollBy(bool horizontal, WORD code, int position) {
    int current = horizontal ? FTopLeft.X : FTopLeft.Y;
    int page = std::max(horizontal ? VisibleColCount() : VisibleRowCount(), 1);
    int last = MaxTopLeft(horizontal);
    int first = horizontal ? FFixedCols : FFixedRows;
    int target = current;
    switch (code) {
    case SB_LINEUP:
        target = current - 1;
        break;
    case SB_LINEDOWN:
        target = current + 1;
        break;
    case SB_PAGEUP:
        target = current - page;
        break;
    case SB_PAGEDOWN:
        target = current + page;
        break;
    case SB_THUMBPOSITION:
        target = first + position;
        break;
    case SB_THUMBTRACK:
        if (FOptions.Contains(goThumbTracking))
            target = first + position;
        break;
    case SB_TOP:
        target = first;
        break;
    case SB_BOTTOM:
        target = last;
        break;
    default:
        return;
    }
    target = std::clamp(target, first, std::max(last, first));
    if (horizontal)
        SetLeftCol(target);
    else
        SetTopRow(target);
}

void TCustomGrid::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FOptions.Contains(goTabs))
            Message.Result |= DLGC_WANTTAB;
        if (FOptions.Contains(goEditing))
            Message.Result |= DLGC_WANTALLKEYS;
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        ScrollBy(Message.Msg == WM_HSCROLL, LOWORD(Message.WParam),
                 static_cast<int16_t>(HIWORD(Message.WParam)));
        return;
    case WM_SIZE:
        UpdateScrollRange();
        PlaceEditor();
        break;
    }
    TCustomControl::WndProc(Message);
}

void TCustomGrid::DrawGridLines(TCanvas& canvas, const TRect& rect, bool fixed) {
    if (FGridLineWidth <= 0)
        return;
    bool vert = FOptions.Contains(fixed ? goFixedVertLine : goVertLine);
    bool horz = FOptions.Contains(fixed ? goFixedHorzLine : goHorzLine);
    TColor color = fixed ? clBlack : clSilver;
    if (vert)
        FillWith(
            canvas,
            Rect(rect.Right, rect.Top, rect.Right + FGridLineWidth, rect.Bottom + FGridLineWidth),
            color);
    if (horz)
        FillWith(
            canvas,
            Rect(rect.Left, rect.Bottom, rect.Right + FGridLineWidth, rect.Bottom + FGridLineWidth),
            color);
}

// The framework's default look: fixed cells in FixedColor, selected ones highlighted unless
// focused, the others in the grid's brush; text drawn over it without background.
void TCustomGrid::FillCell(TCanvas& canvas, const TRect& rect, TGridDrawState state) {
    bool highlighted = state.Contains(gdSelected) &&
                       (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected));
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(state.Contains(gdFixed) ? FFixedColor
                            : highlighted           ? clHighlight
                                                    : FBrush.Color());
    canvas.FillRect(rect);
    canvas.Font().Assign(Font());
    if (highlighted)
        canvas.Font().SetColor(clHighlightText);
    canvas.Brush().SetStyle(bsClear);
}

void TCustomGrid::Paint() {
    TCanvas& canvas = Canvas();
    FillWith(canvas, ClientRect(), Color());
    TGridRect selected = Selection();
    int lastCol = std::min(LastVisible(true) + 1, ColCount() - 1);
    int lastRow = std::min(LastVisible(false) + 1, RowCount() - 1);
    for (int row = 0; row <= lastRow; ++row) {
        if (row == FFixedRows)
            row = FTopLeft.Y;
        if (row > lastRow)
            break;
        for (int col = 0; col <= lastCol; ++col) {
            if (col == FFixedCols)
                col = FTopLeft.X;
            if (col > lastCol)
                break;
            TRect rect = CellRect(col, row);
            if (IsRectEmpty(rect))
                continue;
            bool fixed = col < FFixedCols || row < FFixedRows;
            TGridDrawState state;
            if (fixed)
                state << gdFixed;
            else {
                if (InRange(col, selected.Left, selected.Right) &&
                    InRange(row, selected.Top, selected.Bottom))
                    state << gdSelected;
                if (col == FCurrent.X && row == FCurrent.Y)
                    state << gdFocused;
            }
            DrawCell(col, row, rect, state);
            DrawGridLines(canvas, rect, fixed);
        }
    }
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    bool extend = Shift.Contains(ssShift);
    int page = std::max(VisibleRowCount(), 1);
    switch (Key) {
    case VK_UP:
        MoveCurrent(FCurrent.X, FCurrent.Y - 1, extend);
        break;
    case VK_DOWN:
        MoveCurrent(FCurrent.X, FCurrent.Y + 1, extend);
        break;
    case VK_LEFT:
        if (FEditorMode && FInplaceEdit && FInplaceEdit->Focused())
            return;
        MoveCurrent(FCurrent.X - 1, FCurrent.Y, extend);
        break;
    case VK_RIGHT:
        if (FEditorMode && FInplaceEdit && FInplaceEdit->Focused())
            return;
        MoveCurrent(FCurrent.X + 1, FCurrent.Y, extend);
        break;
    case VK_PRIOR:
        MoveCurrent(FCurrent.X, FCurrent.Y - page, extend);
        break;
    case VK_NEXT:
        MoveCurrent(FCurrent.X, FCurrent.Y + page, extend);
        break;
    case VK_HOME:
        MoveCurrent(FFixedCols, FCurrent.Y, extend);
        break;
    case VK_END:
        MoveCurrent(ColCount() - 1, FCurrent.Y, extend);
        break;
    case VK_F2:
        ShowEditor();
        break;
    case VK_TAB:
        if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt))
            return;
        MoveCurrent(FCurrent.X + (Shift.Contains(ssShift) ? -1 : 1), FCurrent.Y, false);
        break;
    default:
        return;
    }
    Key = 0;
}

void TCustomGrid::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (!FOptions.Contains(goEditing))
        return;
    if (Key == '\r') {
        if (FEditorMode && !FOptions.Contains(goAlwaysShowEditor))
            HideEditor();
        else
            ShowEditor();
        Key = 0;
        return;
    }
    if (FEditorMode || (static_cast<unsigned char>(Key) < ' ' && Key != '\b'))
        return;
    ShowEditor();
    if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible()) {
        if (Key == '\b')
            FInplaceEdit->SetText("");
        else
            FInplaceEdit->SetSelText(String(1, Key));
        Key = 0;
    }
}

void TCustomGrid::DoExit() {
    TCustomControl::DoExit();
    if (!FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
}

void TCustomGrid::Resize() {
    Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(ClientWidth(), ClientHeight()));
    TCustomControl::Resize();
}
