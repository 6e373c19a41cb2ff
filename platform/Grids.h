#pragma once
// Grids: a window of cells in columns and rows that draws itself, with fixed (heading) columns and
// rows, a current cell and a selected block, keyboard and mouse movement, and an in-place editor;
// the string grid keeps a text and an object per cell.

#include "platform/Controls.h"
#include "platform/PeerOf.h"
#include "platform/StdCtrls.h"

#include <map>
#include <memory>
#include <vector>

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking,
};
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateFlag>;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Columns Left..Right and rows Top..Bottom, both ends included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// Scroll-bar requests in the low word of WM_HSCROLL and WM_VSCROLL; the position of the two thumb
// codes is in the high word.
enum : WORD {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8,
};

class TCustomGrid;

// The grid's editor: an edit over the current cell that writes what is typed into the cell.
class TInplaceEdit : public TEdit {
public:
    explicit TInplaceEdit(TCustomGrid* grid);
    TCustomGrid& Grid() const { return *FGrid; }
    // Puts the editor over the grid's current cell with its text and shows it.
    void Move(const TRect& rect);
    void UpdateContents();

    // Wants Tab, Enter and Esc; and reports the focus as the grid's, so moving between the grid
    // and its editor neither enters nor exits the grid.
    void DefaultHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void SetFocus() override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Change() override;

private:
    TCustomGrid* FGrid;
    bool FUpdating = false;
};

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class TGridPeer;

class TCustomGrid : public TCustomControl, protected TPeerOf<TGridPeer> {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    int ColCount() const { return static_cast<int>(FColWidths.size()); }
    void SetColCount(int value);
    int RowCount() const { return static_cast<int>(FRowHeights.size()); }
    void SetRowCount(int value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int value);
    void SetDefaultColWidth(int value); // also every column's width
    void SetDefaultRowHeight(int value);
    int ColWidths(int index) const;
    void SetColWidths(int index, int value);
    int RowHeights(int index) const;
    void SetRowHeights(int index, int value);
    bool TabStops(int index) const;
    void SetTabStops(int index, bool value);
    int GridLineWidth() const { return FGridLineWidth; }
    virtual void SetGridLineWidth(int value);
    TColor FixedColor() const { return FFixedColor; }
    virtual void SetFixedColor(TColor value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    // Which scroll bars the grid may show; each shows only while its lines do not all fit.
    void SetScrollBars(TScrollStyle value);
    // The window less its scroll bars.
    TRect ClientRect() const override;
    // The brush that the cells of the grid are filled with (the grid's colour).
    TBrush& Brush() { return FBrush; }

    // The current cell; setting it asks SelectCell and scrolls it into view.
    int Col() const { return FCurrent.X; }
    void SetCol(int value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int value);
    void FocusCell(int ACol, int ARow);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& value);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int value);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int value);
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // The cell's rectangle in client coordinates; empty when the cell is not in view.
    TRect CellRect(int ACol, int ARow) const;
    // The cell at a client point; -1, -1 outside every cell.
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    TGridCoord MouseCoord(int X, int Y) const;

    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    // Moves a whole column (row) with its width (height) to another position.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);

    void WndProc(TMessage& Message) override;

protected:
    friend class TInplaceEdit;
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
    virtual bool SelectCell(int ACol, int ARow);
    // May the editor show on the current cell: goEditing on, no row select, not a fixed cell.
    virtual bool CanEditShow();
    virtual TInplaceEdit* CreateEditor();
    virtual String GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const String& Value);
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // The line counts changed; the cells kept must follow.
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void TopLeftChanged() {}
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}
    void ShowEditor();
    void HideEditor();
    void InvalidateCell(int ACol, int ARow);
    // The framework's default look of a cell: fixed cells in FixedColor, selected ones
    // highlighted, the others in the grid's brush; the canvas is left to draw text over it.
    void FillCell(TCanvas& canvas, const TRect& rect, TGridDrawState state);
    void Paint() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    // A press selects a cell, or on a heading's edge sizes its line (goColSizing, goRowSizing), or
    // on a heading picks up its line to move (goColMoving, goRowMoving); the release ends it.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoExit() override;
    // A window hears of its new size as WM_SIZE.
    void Resize() override;

private:
    enum class TGridState {
        gsNormal,
        gsSelecting,
        gsRowSizing,
        gsColSizing,
        gsRowMoving,
        gsColMoving
    };
    // What a press at the point would start, and on which line.
    TGridState CalcSizingState(int X, int Y, int& index) const;
    // The line whose far edge is at (within a few pixels of) a point along the columns or rows.
    int LineAtEdge(int at, bool columns) const;
    void ShowSizingCursor(TGridState state);
    void UpdateScrollRange();
    int MaxTopLeft(bool columns) const;
    void MoveCurrent(int ACol, int ARow, bool keepAnchor);
    void ShowFirstScrollableCell();
    void ScrollIntoView(int ACol, int ARow);
    void ScrollBy(bool horizontal, WORD code, int position);
    void PlaceEditor();
    void DrawGridLines(TCanvas& canvas, const TRect& rect, bool fixed);
    int ColumnLeft(int ACol) const;
    int RowTop(int ARow) const;
    int LastVisible(bool columns) const;

    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    std::vector<bool> FTabStops;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TColor FFixedColor = clBtnFace;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    bool FDefaultDrawing = true;
    TBrush FBrush;
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridCoord FTopLeft{1, 1};
    bool FEditorMode = false;
    TInplaceEdit* FInplaceEdit = nullptr;
    TScrollStyle FScrollBars = ssBoth;
    TGridState FGridState = TGridState::gsNormal;
    int FMoveIndex = -1;
    bool FSplitCursorShown = false;
    TCursor FCursorBeforeSplit = crDefault;
};

class TDrawGrid : public TCustomGrid {
public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TNotifyEvent OnTopLeftChanged;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void TopLeftChanged() override;
};

class TStringGridStrings;

class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    String Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const String& value);
    TObject* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject* value);
    // The texts (and objects) of one row or column; assigning to it changes the grid.
    TStrings& Rows(int index);
    TStrings& Cols(int index);

protected:
    // Draws the cell's text 2 pixels in from its top-left corner (DefaultDrawing), then
    // OnDrawCell.
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;

private:
    struct TCell {
        String Text;
        TObject* Object = nullptr;
    };
    friend class TStringGridStrings;
    TCell* CellAt(int ACol, int ARow);
    const TCell* CellAt(int ACol, int ARow) const;

    // [row][column]: moving a row moves one entry.
    std::vector<std::vector<TCell>> FCells;
    std::map<int, std::unique_ptr<TStringGridStrings>> FRowStrings;
    std::map<int, std::unique_ptr<TStringGridStrings>> FColStrings;
};
