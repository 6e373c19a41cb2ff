#pragma once
// The aligned string grid: a string grid that keeps, beside its texts, a property record for any
// cell, column and row (alignment, word wrap, editability, background and font, and the colours
// of a selected cell), a hint per cell, the walk of its editor to the next cell, blocks of cells
// through the clipboard, line operations that carry the records with their lines, and the storage
// of all of it in the form stream.

#include "platform/Filer.h"
#include "platform/Grids.h"

#include <functional>
#include <memory>
#include <vector>

// The ordinals are stored in streams.
enum class TMyAlign : uint8_t { alRight = 0, alLeft = 1, alCenter = 2, alDefault = 3 };
enum T_Wordwrap : uint8_t { ww_none = 0, ww_wordwrap = 1, ww_ellipsis = 2, ww_default = 3 };
// The first word is the step, the second the wrap to the next line.
enum T_nextcell : uint8_t {
    nc_rightdown = 0,
    nc_downright = 1,
    nc_leftdown = 2,
    nc_downleft = 3,
    nc_leftup = 4,
    nc_upleft = 5,
    nc_rightup = 6,
    nc_upright = 7,
};
enum T_lastcell : uint8_t { lc_newcolrow = 0, lc_stop = 1, lc_first = 2, lc_exit = 3 };
// The result of a compare event: the first text is greater, equal, or smaller.
enum t_relation : uint8_t { rel_greater = 0, rel_equal = 1, rel_smaller = 2 };

class TStringAlignGrid;

// A font or brush that repaints its grid when it changes.
class TMyFont : public TFont {
public:
    explicit TMyFont(TStringAlignGrid* grid);
};

class TMyBrush : public TBrush {
public:
    explicit TMyBrush(TStringAlignGrid* grid);
};

// The settings of one cell, column or row; each is unset until given.
class TCellProperties : public TObject {
public:
    explicit TCellProperties(TStringAlignGrid* owner) : FOwner(owner) {}

    TStringAlignGrid* Owner() const { return FOwner; }
    TMyBrush* Brush() const { return FBrush.get(); }
    TMyBrush* SelectedBrush() const { return FSelectedBrush.get(); }
    TMyFont* Font() const { return FFont.get(); }
    TMyFont* SelectedFont() const { return FSelectedFont.get(); }
    // A copy of value in the record's own font or brush (made on first use); nullptr frees it.
    void SetFont(const TFont* value);
    void SetSelectedFont(const TFont* value);
    void SetBrush(const TBrush* value);
    void SetSelectedBrush(const TBrush* value);

    TMyAlign Align = TMyAlign::alDefault;
    T_Wordwrap Wordwrap = ww_default;
    uint8_t Editable = 0; // 0 unset, 1 not editable, 2 editable

    // The tagged form of the form stream: a tag and its value for each setting, then tag 0.
    virtual void WriteTagged(TWriter& Writer) const;
    // One tag's value; a tag outside 1 to 7 is a read error.
    virtual void ReadTag(int Tag, TReader& Reader, TStringAlignGrid* Owner);
    // Tags up to tag 0.
    void ReadTagged(TReader& Reader);
    // Copies every setting of source; nullptr unsets everything.
    virtual void Assign(const TCellProperties* source);
    virtual bool IsEmpty() const;
    virtual TCellProperties* Clone() const;

private:
    TStringAlignGrid* FOwner;
    std::unique_ptr<TMyBrush> FBrush;
    std::unique_ptr<TMyBrush> FSelectedBrush;
    std::unique_ptr<TMyFont> FFont;
    std::unique_ptr<TMyFont> FSelectedFont;
};

// Makes a property record for a grid: the record class a descendant grid may change.
using TCellPropertiesClass = std::function<TCellProperties*(TStringAlignGrid* owner)>;

// Entries indexed by position; shorter than the grid where its tail holds nothing.
template <typename V> class TLineList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const V* Get(int index) const {
        return index >= 0 && index < Count() ? &FItems[index] : nullptr;
    }
    V& Ensure(int index) {
        if (index >= Count())
            FItems.resize(index + 1);
        return FItems[index];
    }
    // An empty entry at index, when the list reaches that far.
    void InsertEmpty(int index) {
        if (index <= Count())
            FItems.insert(FItems.begin() + index, V());
    }
    void Move(int from, int to) {
        Ensure(std::max(from, to));
        V taken = std::move(FItems[from]);
        FItems.erase(FItems.begin() + from);
        FItems.insert(FItems.begin() + to, std::move(taken));
    }
    void Exchange(int a, int b) {
        Ensure(std::max(a, b));
        std::swap(FItems[a], FItems[b]);
    }
    // Entries past the grid's last line go: no record points outside the grid.
    void Truncate(int count) {
        if (count < Count())
            FItems.resize(count);
    }
    std::vector<V>& Items() { return FItems; }
    const std::vector<V>& Items() const { return FItems; }

private:
    std::vector<V> FItems;
};

using TPropList = TLineList<std::unique_ptr<TCellProperties>>;
using TPropTable = TLineList<TPropList>;         // [column][row]
using TTextTable = TLineList<TLineList<String>>; // [column][row]

class TNewInplaceEdit;

using TShowHintCellProc = std::function<void(TObject* Sender, int col, int row, String& HintStr,
                                             bool& CanShow, THintInfo& HintInfo)>;
using TCellEvent = std::function<void(TObject* Sender, int col, int row)>;
using TCellEventBool = std::function<void(TObject* Sender, int col, int row, bool& result)>;
using TCompareFunction =
    std::function<t_relation(TObject* Sender, int colrow, int compare1, int compare2)>;
using TColEvent = std::function<void(TObject* Sender, int col)>;
using TRowEvent = std::function<void(TObject* Sender, int row)>;

// The grid's private messages of the edit cycle (WParam the column, LParam the row).
enum : UINT {
    WM_CELLEDIT_CANCELLED = 0xBD0,
    WM_CELLEDIT_ENTER = 0xBD1,
    WM_CELLEDIT_CELLCHANGED = 0xBD2,
    WM_CELLEDIT_BEGIN = 0xBD3,
    WM_CELLEDIT_FOCUSBACK = 0xBD4,
    WM_CELLEDIT_SHOWN = 0xBD5,
};

class TStringAlignGrid : public TStringGrid {
public:
    explicit TStringAlignGrid(TComponent* AOwner);
    ~TStringAlignGrid() override;

    TMyAlign Alignment() const { return FAlignment; }
    void SetAlignment(TMyAlign value);
    T_Wordwrap Wordwrap() const { return FWordwrap; }
    void SetWordwrap(T_Wordwrap value);
    bool Editable() const { return FEditable; }
    void SetEditable(bool value) { FEditable = value; }
    void SetFixedColor(TColor value) override;
    TColor SelectedCellColor() const { return FSelectedCellColor; }
    void SetSelectedCellColor(TColor value);
    TColor SelectedFontColor() const { return FSelectedFontColor; }
    void SetSelectedFontColor(TColor value);
    bool ShowCellHints() const { return FShowCellHints; }
    void SetShowCellHints(bool value) { FShowCellHints = value; }
    bool SelectEditText() const { return FSelectEditText; }
    void SetSelectEditText(bool value) { FSelectEditText = value; }
    bool EditMultiline() const { return FEditMultiline; }
    void SetEditMultiline(bool value) { FEditMultiline = value; }
    bool AutoEditNextCell() const { return FAutoEditNextCell; }
    void SetAutoEditNextCell(bool value) { FAutoEditNextCell = value; }
    T_nextcell NextCellEdit() const { return FNextCellEdit; }
    void SetNextCellEdit(T_nextcell value) { FNextCellEdit = value; }
    T_nextcell NextCellTab() const { return FNextCellTab; }
    void SetNextCellTab(T_nextcell value) { FNextCellTab = value; }
    T_lastcell AfterLastCellEdit() const { return FAfterLastCellEdit; }
    void SetAfterLastCellEdit(T_lastcell value) { FAfterLastCellEdit = value; }
    T_lastcell AfterLastCellTab() const { return FAfterLastCellTab; }
    void SetAfterLastCellTab(T_lastcell value) { FAfterLastCellTab = value; }
    bool DrawSelection() const { return FDrawSelection; }
    void SetDrawSelection(bool value);
    bool AutoAdjustLastCol() const { return FAutoAdjustLastCol; }
    void SetAutoAdjustLastCol(bool value);
    void SetGridLineWidth(int value) override;
    bool RedrawWhileScroll() const { return FRedrawWhileScroll; }
    void SetRedrawWhileScroll(bool value) { FRedrawWhileScroll = value; }

    TShowHintCellProc OnShowHintCell;
    TCellEvent OnAfterEdit;
    TCellEvent OnCancelEdit;
    TCellEvent OnBeforeEdit;
    TCellEventBool OnValidateEdit;
    TCompareFunction OnCompareRow;
    TCompareFunction OnCompareCol;
    TNotifyEvent OnColWidthsChanged;
    TNotifyEvent OnRowHeightsChanged;
    TColEvent OnFixedColClick;
    TRowEvent OnFixedRowClick;

    // ---- Per cell, column and row; a setter makes the record it needs and repaints
    TMyAlign AlignCell(int ACol, int ARow) const;
    void SetAlignCell(int ACol, int ARow, TMyAlign value);
    void SetAlignCol(int ACol, TMyAlign value);
    void SetFixedAlignCol(int ACol, TMyAlign value);
    TMyAlign AlignRow(int ARow) const;
    void SetAlignRow(int ARow, TMyAlign value);
    void SetFixedAlignRow(int ARow, TMyAlign value);
    T_Wordwrap WordwrapCell(int ACol, int ARow) const;
    bool EditCell(int ACol, int ARow) const;
    void SetEditCell(int ACol, int ARow, bool value);
    void SetEditCol(int ACol, bool value);
    void SetEditRow(int ARow, bool value);
    TFont& FontCell(int ACol, int ARow);
    TFont& FontCol(int ACol);
    TFont& FontFixedCol(int ACol);
    TFont& FontRow(int ARow);
    TFont& FontFixedRow(int ARow);
    TBrush& BrushCell(int ACol, int ARow);
    TBrush& BrushCol(int ACol);
    TBrush& BrushFixedCol(int ACol);
    TBrush& BrushRow(int ARow);
    TBrush& BrushFixedRow(int ARow);
    TColor ColorCell(int ACol, int ARow) const;
    void SetColorCell(int ACol, int ARow, TColor value);
    TColor SelectedColorCell(int ACol, int ARow) const;
    void SetSelectedColorCell(int ACol, int ARow, TColor value);
    void SetSelectedColorCol(int ACol, TColor value);
    void SetSelectedColorRow(int ARow, TColor value);
    TColor SelectedFontColorCell(int ACol, int ARow) const;
    String HintCell(int ACol, int ARow) const;
    void SetHintCell(int ACol, int ARow, const String& value);
    // The effective font and brush of a cell (look-up chain).
    const TFont& CellFont(int ACol, int ARow) const;
    const TBrush& CellBrush(int ACol, int ARow) const;

    // ---- Lines, blocks and sorting
    void InsertColumn(int index);
    void InsertRow(int index);
    void ExchangeColumns(int col1, int col2);
    void ExchangeRows(int row1, int row2);
    // Each row of the block: its texts each followed by separator, then CR LF. Returns the stream
    // (a new memory stream, owned by the caller, when none is given).
    TStream* SaveRangeToStream(TStream* stream, char separator, TGridRect rect);
    void LoadRangeFromStream(TStream& stream, char separator, TGridRect rect);
    void CopyRangeToClipboard(char separator, const TGridRect& rect);
    void PasteRangeFromClipboard(char separator, const TGridRect& rect);
    void EndCellEdit(bool cancel);
    void AdjustLastCol();
    // Sorts the rows (rows true) or columns first..last by the key column (row) keyLine.
    std::function<void(int keyLine, int first, int last, bool rows, bool descending)> SortRange;
    void QuickSortRange(int keyLine, int first, int last, bool rows, bool descending);

    // ---- The form stream
    void DefineProperties(TFiler& Filer);
    void Loaded() override;
    TCellPropertiesClass PropClass;

    void WndProc(TMessage& Message) override;

protected:
    virtual void InitAlignGrid();
    virtual void PrepareCellCanvas(int ACol, int ARow, TGridDrawState AState, TRect& ARect);
    virtual void DrawCellText(int ACol, int ARow, TGridDrawState AState, TRect& ARect);
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    TInplaceEdit* CreateEditor() override;
    bool CanEditShow() override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void TopLeftChanged() override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;

private:
    friend class TNewInplaceEdit;
    TNewInplaceEdit* Editor() const;
    // Records of the look-up chain: the cell's, its column's and its row's (the fixed lists for a
    // fixed cell).
    struct TChain {
        const TCellProperties* Records[3];
    };
    TChain ChainOf(int ACol, int ARow) const;
    bool IsFixedCell(int ACol, int ARow) const;
    const TCellProperties* CellRecord(int ACol, int ARow) const;
    TCellProperties* MakeCellRecord(int ACol, int ARow);
    TCellProperties* MakeLineRecord(TPropList& list, int index);
    void Changed() { Invalidate(); }
    void CellHintHook(String& HintStr, bool& CanShow, THintInfo& HintInfo);

    // Editing and walking
    void LoadEditorFromCell();
    void CheckEditEnd(int ACol, int ARow, bool moveOn);
    void OpenEditorAt(int ACol, int ARow);
    bool StepCell(T_nextcell direction, T_lastcell afterLast, int& ACol, int& ARow, bool& grew);
    bool FindNextEditCell(int& ACol, int& ARow);
    void TabToNextCell(bool backwards);
    void CutSelection();

    // Lines
    void MoveLineRecords(bool columns, int from, int to);
    void ExchangeLineRecords(bool columns, int a, int b);
    void TrimToGrid();

    // Storage
    void ReadHints(TReader& reader);
    void WriteHints(TWriter& writer);
    void ReadCells(TReader& reader);
    void WriteCells(TWriter& writer);
    void ReadPropCells(TReader& reader);
    void WritePropCells(TWriter& writer);
    void ReadPropLines(TReader& reader, TPropList& list);
    void WritePropLines(TWriter& writer, const TPropList& list, int count);

    TMyAlign FAlignment = TMyAlign::alLeft;
    T_Wordwrap FWordwrap = ww_none;
    bool FEditable = true;
    TColor FSelectedCellColor = clActiveCaption;
    TColor FSelectedFontColor = clWhite;
    bool FShowCellHints = true;
    bool FSelectEditText = true;
    bool FEditMultiline = false;
    bool FAutoEditNextCell = false;
    T_nextcell FNextCellEdit = nc_rightdown;
    T_nextcell FNextCellTab = nc_rightdown;
    T_lastcell FAfterLastCellEdit = lc_newcolrow;
    T_lastcell FAfterLastCellTab = lc_first;
    bool FDrawSelection = true;
    bool FAutoAdjustLastCol = false;
    bool FRedrawWhileScroll = false;

    TPropList FPropCol;
    TPropList FPropRow;
    TPropList FPropFixedCol;
    TPropList FPropFixedRow;
    TPropTable FPropCell;
    TTextTable FHints;
    std::unique_ptr<TTextTable> FPendingCells;
    std::unique_ptr<TMyFont> FFixedFont;
    std::unique_ptr<TMyBrush> FFixedBrush;
    TGridCoord FHintCell{-1, -1};
    bool FEditInProgress = false;
    bool FReopenEditor = false;
    int FSavedSelStart = 0;
    int FSavedSelLength = 0;
    bool FHintsExist = false;
    bool FCellsRead = false;
    bool FMoveTextsOnly = false; // a line move of the framework's that carries texts only
};

// The grid's editor: it knows the cell it edits and the text that cell had when the edit began.
class TNewInplaceEdit : public TInplaceEdit {
public:
    explicit TNewInplaceEdit(TStringAlignGrid* grid);
    TMyAlign Alignment() const { return FAlignment; }
    void SetAlignment(TMyAlign value);
    bool Multiline() const { return FMultiline; }
    void SetMultiline(bool value) { FMultiline = value; }
    int EditCol() const { return FCol; }
    int EditRow() const { return FRow; }
    void SetEditCell(int ACol, int ARow);
    bool Started() const { return FStarted; }
    void SetStarted(bool value) { FStarted = value; }
    const String& StartText() const { return FStartText; }
    void SetStartText(const String& value) { FStartText = value; }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;

private:
    friend class TStringAlignGrid;
    TStringAlignGrid& AlignGrid() const;
    TMyAlign FAlignment = TMyAlign::alLeft;
    bool FMultiline = false;
    int FCol = -1;
    int FRow = -1;
    bool FStarted = false;
    String FStartText;
};
