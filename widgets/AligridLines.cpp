// The aligned grid's lines: inserting, moving, exchanging and sorting rows and columns with
// their records and hints, and blocks of cells to and from streams and the clipboard.

#include "platform/Clipbrd.h"
#include "services/AH_Tool.h"
#include "widgets/Aligrid.h"
#include "widgets/Maxmin.h"

#include <algorithm>
#include <numeric>

namespace {

// The position a remembered line has after a line moved from one place to another.
int FollowMove(int line, int from, int to) {
    if (line == from)
        return to;
    if (from < to && line > from && line <= to)
        return line - 1;
    if (from > to && line >= to && line < from)
        return line + 1;
    return line;
}

template <typename V> void MoveInner(TLineList<TLineList<V>>& table, int from, int to) {
    for (TLineList<V>& column : table.Items())
        if (column.Count() > std::min(from, to))
            column.Move(from, to);
}

template <typename V> void ExchangeInner(TLineList<TLineList<V>>& table, int a, int b) {
    for (TLineList<V>& column : table.Items())
        if (column.Count() > std::min(a, b))
            column.Exchange(a, b);
}

template <typename V> void InsertInner(TLineList<TLineList<V>>& table, int index) {
    for (TLineList<V>& column : table.Items())
        column.InsertEmpty(index);
}

} // namespace

// ---- Records follow their lines

void TStringAlignGrid::MoveLineRecords(bool columns, int from, int to) {
    if (columns) {
        FPropCol.Move(from, to);
        FPropFixedCol.Move(from, to);
        FPropCell.Move(from, to);
        FHints.Move(from, to);
    } else {
        FPropRow.Move(from, to);
        FPropFixedRow.Move(from, to);
        MoveInner(FPropCell, from, to);
        MoveInner(FHints, from, to);
    }
    TrimToGrid();
}

void TStringAlignGrid::ExchangeLineRecords(bool columns, int a, int b) {
    if (columns) {
        FPropCol.Exchange(a, b);
        FPropFixedCol.Exchange(a, b);
        FPropCell.Exchange(a, b);
        FHints.Exchange(a, b);
    } else {
        FPropRow.Exchange(a, b);
        FPropFixedRow.Exchange(a, b);
        ExchangeInner(FPropCell, a, b);
        ExchangeInner(FHints, a, b);
    }
    TrimToGrid();
}

// No record or hint stays behind outside the grid's lines.
void TStringAlignGrid::TrimToGrid() {
    FPropCol.Truncate(ColCount());
    FPropFixedCol.Truncate(ColCount());
    FPropCell.Truncate(ColCount());
    FHints.Truncate(ColCount());
    FPropRow.Truncate(RowCount());
    FPropFixedRow.Truncate(RowCount());
    for (TPropList& column : FPropCell.Items())
        column.Truncate(RowCount());
    for (TLineList<String>& column : FHints.Items())
        column.Truncate(RowCount());
}

void TStringAlignGrid::SizeChanged(int OldColCount, int OldRowCount) {
    TStringGrid::SizeChanged(OldColCount, OldRowCount);
    TrimToGrid();
}

void TStringAlignGrid::ColumnMoved(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex)
        return;
    if (FMoveTextsOnly) {
        TStringGrid::ColumnMoved(FromIndex, ToIndex);
        return;
    }
    MoveLineRecords(true, FromIndex, ToIndex);
    if (TNewInplaceEdit* editor = Editor(); editor && editor->EditCol() >= 0)
        editor->SetEditCell(FollowMove(editor->EditCol(), FromIndex, ToIndex), editor->EditRow());
    TStringGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringAlignGrid::RowMoved(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex)
        return;
    if (FMoveTextsOnly) {
        TStringGrid::RowMoved(FromIndex, ToIndex);
        return;
    }
    MoveLineRecords(false, FromIndex, ToIndex);
    if (TNewInplaceEdit* editor = Editor(); editor && editor->EditRow() >= 0)
        editor->SetEditCell(editor->EditCol(), FollowMove(editor->EditRow(), FromIndex, ToIndex));
    TStringGrid::RowMoved(FromIndex, ToIndex);
}

// ---- Inserting

void TStringAlignGrid::InsertColumn(int index) {
    index = IntMax(index, FixedCols());
    bool editorHidden = EditorMode() && Col() >= index;
    if (editorHidden)
        HideEditor();
    int currentCol = Col();
    SetColCount(ColCount() + 1);
    int last = ColCount() - 1;
    FPropCol.InsertEmpty(index);
    FPropFixedCol.InsertEmpty(index);
    FPropCell.InsertEmpty(index);
    FHints.InsertEmpty(index);
    TrimToGrid();
    Cols(last).Clear();
    if (last != index) {
        // Texts only: the records are in place already.
        FMoveTextsOnly = true;
        MoveColumn(last, index);
        FMoveTextsOnly = false;
    }
    if (currentCol >= index)
        SetCol(currentCol + 1);
    if (editorHidden)
        ShowEditor();
    Invalidate();
}

void TStringAlignGrid::InsertRow(int index) {
    index = IntMax(index, FixedRows());
    bool editorHidden = EditorMode() && Row() >= index;
    if (editorHidden)
        HideEditor();
    int currentRow = Row();
    SetRowCount(RowCount() + 1);
    int last = RowCount() - 1;
    FPropRow.InsertEmpty(index);
    FPropFixedRow.InsertEmpty(index);
    InsertInner(FPropCell, index);
    InsertInner(FHints, index);
    TrimToGrid();
    Rows(last).Clear();
    if (last != index) {
        FMoveTextsOnly = true;
        MoveRow(last, index);
        FMoveTextsOnly = false;
    }
    if (currentRow >= index)
        SetRow(currentRow + 1);
    if (editorHidden)
        ShowEditor();
    Invalidate();
}

// ---- Exchanging

namespace {

void ExchangeTexts(TStrings& a, TStrings& b) {
    TStringList kept;
    kept.AddStrings(a);
    a.Assign(b);
    b.Assign(kept);
}

} // namespace

void TStringAlignGrid::ExchangeColumns(int col1, int col2) {
    if (col1 == col2 || col1 < 0 || col2 < 0 || col1 >= ColCount() || col2 >= ColCount())
        return;
    bool editorHidden = EditorMode() && (Col() == col1 || Col() == col2);
    if (editorHidden)
        HideEditor();
    ExchangeLineRecords(true, col1, col2);
    ExchangeTexts(Cols(col1), Cols(col2));
    if (Col() == col1 || Col() == col2)
        SetCol(Col() == col1 ? col2 : col1);
    if (editorHidden)
        ShowEditor();
    Invalidate();
}

void TStringAlignGrid::ExchangeRows(int row1, int row2) {
    if (row1 == row2 || row1 < 0 || row2 < 0 || row1 >= RowCount() || row2 >= RowCount())
        return;
    bool editorHidden = EditorMode() && (Row() == row1 || Row() == row2);
    if (editorHidden)
        HideEditor();
    ExchangeLineRecords(false, row1, row2);
    ExchangeTexts(Rows(row1), Rows(row2));
    if (Row() == row1 || Row() == row2)
        SetRow(Row() == row1 ? row2 : row1);
    if (editorHidden)
        ShowEditor();
    Invalidate();
}

// ---- Sorting

// Ascending (or descending) by the compare event's relation. Lines of equal keys keep their
// order, and the lines are put in place by exchanges, so records and hints go with them.
void TStringAlignGrid::QuickSortRange(int keyLine, int first, int last, bool rows,
                                      bool descending) {
    int count = rows ? RowCount() : ColCount();
    first = IntMax(first, 0);
    last = IntMin(last, count - 1);
    if (first >= last)
        return;
    const TCompareFunction& compare = rows ? OnCompareCol : OnCompareRow;
    std::vector<int> order(last - first + 1);
    std::iota(order.begin(), order.end(), first);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return compare(this, keyLine, a, b) == (descending ? rel_greater : rel_smaller);
    });
    // at[p]: the original line now at position p; where[o]: the position of original line o.
    std::vector<int> at(order.size());
    std::iota(at.begin(), at.end(), first);
    std::vector<int> where = at;
    for (size_t p = 0; p < order.size(); ++p) {
        int wanted = order[p];
        int from = where[wanted - first];
        int to = first + static_cast<int>(p);
        if (from == to)
            continue;
        if (rows)
            ExchangeRows(to, from);
        else
            ExchangeColumns(to, from);
        int displaced = at[p];
        at[from - first] = displaced;
        where[displaced - first] = from;
        at[p] = wanted;
        where[wanted - first] = to;
    }
}

// ---- Blocks of cells

TStream* TStringAlignGrid::SaveRangeToStream(TStream* stream, char separator, TGridRect rect) {
    if (rect.Right < rect.Left || rect.Right < 0 || rect.Right > ColCount() - 1)
        rect.Right = ColCount() - 1;
    if (rect.Bottom < rect.Top || rect.Bottom < 0 || rect.Bottom > RowCount() - 1)
        rect.Bottom = RowCount() - 1;
    rect.Left = IntMax(rect.Left, 0);
    rect.Top = IntMax(rect.Top, 0);
    if (!stream)
        stream = new TMemoryStream;
    for (int row = rect.Top; row <= rect.Bottom; ++row) {
        String line;
        for (int col = rect.Left; col <= rect.Right; ++col)
            line += Cells(col, row) + separator;
        WriteString(*stream, line + "\r\n");
    }
    return stream;
}

void TStringAlignGrid::LoadRangeFromStream(TStream& stream, char separator, TGridRect rect) {
    rect.Left = IntMax(rect.Left, 0);
    rect.Top = IntMax(rect.Top, 0);
    bool colLimit = rect.Right >= rect.Left;
    bool rowLimit = rect.Bottom >= rect.Top;
    String text(static_cast<size_t>(stream.Size() - stream.Position()), '\0');
    text.resize(stream.Read(text.data(), static_cast<int>(text.size())));
    TStringList lines;
    lines.SetText(text);
    int row = rect.Top;
    for (int i = 0; i < lines.Count() && (!rowLimit || row <= rect.Bottom); ++i, ++row) {
        if (row > RowCount() - 1)
            SetRowCount(RowCount() + 1);
        String rest = lines[i] + separator;
        for (int col = rect.Left; (!colLimit || col <= rect.Right) && rest.size() > 1; ++col) {
            if (col > ColCount() - 1)
                SetColCount(ColCount() + 1);
            size_t end = rest.find(separator);
            SetCells(col, row, rest.substr(0, end));
            rest.erase(0, end + 1);
        }
    }
}

void TStringAlignGrid::CopyRangeToClipboard(char separator, const TGridRect& rect) {
    TMemoryStream stream;
    SaveRangeToStream(&stream, separator, rect);
    CopyStreamToClipboard(stream, CF_TEXT);
}

void TStringAlignGrid::PasteRangeFromClipboard(char separator, const TGridRect& rect) {
    TMemoryStream stream;
    PasteClipboardToStream(stream, CF_TEXT);
    stream.SetPosition(0);
    LoadRangeFromStream(stream, separator, rect);
}

void TStringAlignGrid::CutSelection() {
    TGridRect selection = Selection();
    CopyRangeToClipboard('\t', selection);
    for (int row = selection.Top; row <= selection.Bottom; ++row)
        for (int col = selection.Left; col <= selection.Right; ++col)
            SetCells(col, row, String());
}
