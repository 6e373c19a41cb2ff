#include "platform/Grids.h"
#include "platform/GridsPrivate.h"
#include "platform/Win32Draw.h"

#include <algorithm>

using namespace GridsPrivate;

// ---- The string grid

// One row or column of a string grid seen as a list of texts.
class TStringGridStrings : public TStrings {
public:
    TStringGridStrings(TStringGrid& grid, int index, bool row)
        : FGrid(grid), FIndex(index), FRow(row) {}
    int Count() const override { return FRow ? FGrid.ColCount() : FGrid.RowCount(); }
    String Get(int index) const override {
        return FRow ? FGrid.Cells(index, FIndex) : FGrid.Cells(FIndex, index);
    }
    void Put(int index, const String& s) override {
        if (FRow)
            FGrid.SetCells(index, FIndex, s);
        else
            FGrid.SetCells(FIndex, index, s);
    }
    TObject* GetObject(int index) const override {
        return FRow ? FGrid.Objects(index, FIndex) : FGrid.Objects(FIndex, index);
    }
    void PutObject(int index, TObject* object) override {
        if (FRow)
            FGrid.SetObjects(index, FIndex, object);
        else
            FGrid.SetObjects(FIndex, index, object);
    }
    // A line of a grid keeps its length: inserting or deleting is not a grid operation.
    void Insert(int, const String&) override {}
    void Delete(int) override {}
    void Clear() override {
        for (int i = 0; i < Count(); ++i) {
            Put(i, String());
            PutObject(i, nullptr);
        }
    }
    // A whole row is written at once, with one repaint.
    void Assign(const TStrings& other) override {
        if (!FRow || FIndex < 0 || FIndex >= FGrid.RowCount()) {
            Clear();
            for (int i = 0; i < std::min(Count(), other.Count()); ++i) {
                Put(i, other.Get(i));
                PutObject(i, other.GetObject(i));
            }
            return;
        }
        auto& row = FGrid.FCells[FIndex];
        for (int i = 0; i < Count(); ++i) {
            bool given = i < other.Count();
            row[i].Text = given ? other.Get(i) : String();
            row[i].Object = given ? other.GetObject(i) : nullptr;
        }
        FGrid.InvalidateCell(0, FIndex);
    }

private:
    TStringGrid& FGrid;
    int FIndex;
    bool FRow;
};

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {
    FCells.assign(RowCount(), std::vector<TCell>(ColCount()));
}

TStringGrid::~TStringGrid() = default;

TStringGrid::TCell* TStringGrid::CellAt(int ACol, int ARow) {
    if (!InRange(ARow, 0, static_cast<int>(FCells.size()) - 1) ||
        !InRange(ACol, 0, static_cast<int>(FCells[ARow].size()) - 1))
        return nullptr;
    return &FCells[ARow][ACol];
}

const TStringGrid::TCell* TStringGrid::CellAt(int ACol, int ARow) const {
    return const_cast<TStringGrid*>(this)->CellAt(ACol, ARow);
}

String TStringGrid::Cells(int ACol, int ARow) const {
    const TCell* cell = CellAt(ACol, ARow);
    return cell ? cell->Text : String();
}

void TStringGrid::SetCells(int ACol, int ARow, const String& value) {
    TCell* cell = CellAt(ACol, ARow);
    if (!cell || cell->Text == value)
        return;
    cell->Text = value;
    if (EditorMode() && ACol == Col() && ARow == Row() && InplaceEditor())
        InplaceEditor()->UpdateContents();
    InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
    const TCell* cell = CellAt(ACol, ARow);
    return cell ? cell->Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* value) {
    if (TCell* cell = CellAt(ACol, ARow))
        cell->Object = value;
}

TStrings& TStringGrid::Rows(int index) {
    auto& entry = FRowStrings[index];
    if (!entry)
        entry = std::make_unique<TStringGridStrings>(*this, index, true);
    return *entry;
}

TStrings& TStringGrid::Cols(int index) {
    auto& entry = FColStrings[index];
    if (!entry)
        entry = std::make_unique<TStringGridStrings>(*this, index, false);
    return *entry;
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (!DefaultDrawing()) {
        TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
        return;
    }
    FillCell(Canvas(), ARect, AState);
    TRect inner = Inset(ARect, 2);
    DrawText(Canvas(), Cells(ACol, ARow), inner, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(int ACol, int ARow) {
    return Cells(ACol, ARow);
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value) {
    if (TCell* cell = CellAt(ACol, ARow))
        cell->Text = Value;
    InvalidateCell(ACol, ARow);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
    for (auto& row : FCells)
        MoveEntry(row, FromIndex, ToIndex);
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
    MoveEntry(FCells, FromIndex, ToIndex);
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::SizeChanged(int, int) {
    FCells.resize(RowCount());
    for (auto& row : FCells)
        row.resize(ColCount());
}
