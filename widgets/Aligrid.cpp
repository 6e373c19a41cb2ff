#include "widgets/Aligrid.h"
#include "platform/Win32Draw.h"
#include "services/AH_Tool.h"

namespace {

// Indexes a setter may make records for: the 16 bits the form stream keeps.
bool SettableIndex(int index) {
    return index >= 0 && index <= 0xFFFF;
}

bool AlignSet(const TCellProperties* r) {
    return r && r->Align != TMyAlign::alDefault;
}
bool WordwrapSet(const TCellProperties* r) {
    return r && r->Wordwrap != ww_default;
}
bool EditableSet(const TCellProperties* r) {
    return r && r->Editable != 0;
}
bool FontSet(const TCellProperties* r) {
    return r && r->Font();
}
bool BrushSet(const TCellProperties* r) {
    return r && r->Brush();
}

const TCellProperties* LineRecord(const TPropList& list, int index) {
    const auto* entry = list.Get(index);
    return entry ? entry->get() : nullptr;
}

// The grid's own compare: the texts byte by byte.
t_relation CompareTexts(const String& a, const String& b) {
    int order = a.compare(b);
    return order > 0 ? rel_greater : order == 0 ? rel_equal : rel_smaller;
}

} // namespace

TMyFont::TMyFont(TStringAlignGrid* grid) {
    OnChange = [grid](TObject*) { grid->Invalidate(); };
}

TMyBrush::TMyBrush(TStringAlignGrid* grid) {
    OnChange = [grid](TObject*) { grid->Invalidate(); };
}

// ---- Property records

namespace {

template <typename Own, typename Given>
void CopyInto(std::unique_ptr<Own>& member, const Given* value, TStringAlignGrid* owner) {
    if (!value) {
        member.reset();
        return;
    }
    if (!member)
        member = std::make_unique<Own>(owner);
    member->Assign(*value);
}

} // namespace

void TCellProperties::SetFont(const TFont* value) {
    CopyInto(FFont, value, FOwner);
}

void TCellProperties::SetSelectedFont(const TFont* value) {
    CopyInto(FSelectedFont, value, FOwner);
}

void TCellProperties::SetBrush(const TBrush* value) {
    CopyInto(FBrush, value, FOwner);
}

void TCellProperties::SetSelectedBrush(const TBrush* value) {
    CopyInto(FSelectedBrush, value, FOwner);
}

void TCellProperties::Assign(const TCellProperties* source) {
    Align = source ? source->Align : TMyAlign::alDefault;
    Wordwrap = source ? source->Wordwrap : ww_default;
    Editable = source ? source->Editable : 0;
    SetBrush(source ? source->Brush() : nullptr);
    SetSelectedBrush(source ? source->SelectedBrush() : nullptr);
    SetFont(source ? source->Font() : nullptr);
    SetSelectedFont(source ? source->SelectedFont() : nullptr);
}

bool TCellProperties::IsEmpty() const {
    return Align == TMyAlign::alDefault && Wordwrap == ww_default && Editable == 0 && !FBrush &&
           !FSelectedBrush && !FFont && !FSelectedFont;
}

TCellProperties* TCellProperties::Clone() const {
    auto* copy =
        FOwner && FOwner->PropClass ? FOwner->PropClass(FOwner) : new TCellProperties(FOwner);
    copy->Assign(this);
    return copy;
}

// ---- The grid

TStringAlignGrid::TStringAlignGrid(TComponent* AOwner) : TStringGrid(AOwner) {
    FHintsExist = false;
    FCellsRead = false;
    FReopenEditor = false;
    FEditable = true;
    InitAlignGrid();
}

void TStringAlignGrid::InitAlignGrid() {
    PropClass = [](TStringAlignGrid* owner) { return new TCellProperties(owner); };
    FAlignment = TMyAlign::alLeft;
    FWordwrap = ww_none;
    FSelectedCellColor = clActiveCaption;
    FSelectedFontColor = clWhite;
    FHintCell = TGridCoord{-1, -1};
    FFixedBrush = std::make_unique<TMyBrush>(this);
    FFixedBrush->SetColor(FixedColor());
    FFixedFont = std::make_unique<TMyFont>(this);
    OnCompareRow = [this](TObject*, int row, int col1, int col2) {
        return CompareTexts(Cells(col1, row), Cells(col2, row));
    };
    OnCompareCol = [this](TObject*, int col, int row1, int row2) {
        return CompareTexts(Cells(col, row1), Cells(col, row2));
    };
    SortRange = [this](int keyLine, int first, int last, bool rows, bool descending) {
        QuickSortRange(keyLine, first, last, rows, descending);
    };
    AddShowHintHandler(MethodOf<&TStringAlignGrid::CellHintHook>(this));
}

TStringAlignGrid::~TStringAlignGrid() {
    RemoveShowHintHandler(MethodOf<&TStringAlignGrid::CellHintHook>(this));
}

void TStringAlignGrid::SetAlignment(TMyAlign value) {
    if (Change(FAlignment, value))
        Changed();
}

void TStringAlignGrid::SetWordwrap(T_Wordwrap value) {
    if (Change(FWordwrap, value))
        Changed();
}

void TStringAlignGrid::SetFixedColor(TColor value) {
    TStringGrid::SetFixedColor(value);
    FFixedBrush->SetColor(value);
    Changed();
}

void TStringAlignGrid::SetSelectedCellColor(TColor value) {
    if (Change(FSelectedCellColor, value))
        Changed();
}

void TStringAlignGrid::SetSelectedFontColor(TColor value) {
    if (Change(FSelectedFontColor, value))
        Changed();
}

void TStringAlignGrid::SetDrawSelection(bool value) {
    if (Change(FDrawSelection, value))
        Changed();
}

void TStringAlignGrid::SetAutoAdjustLastCol(bool value) {
    if (Change(FAutoAdjustLastCol, value) && value)
        AdjustLastCol();
}

void TStringAlignGrid::SetGridLineWidth(int value) {
    if (value == GridLineWidth())
        return;
    TStringGrid::SetGridLineWidth(value);
    if (FAutoAdjustLastCol)
        AdjustLastCol();
}

// ---- The look-up chain

bool TStringAlignGrid::IsFixedCell(int ACol, int ARow) const {
    return ACol < FixedCols() || ARow < FixedRows();
}

const TCellProperties* TStringAlignGrid::CellRecord(int ACol, int ARow) const {
    const TPropList* column = FPropCell.Get(ACol);
    return column ? LineRecord(*column, ARow) : nullptr;
}

TStringAlignGrid::TChain TStringAlignGrid::ChainOf(int ACol, int ARow) const {
    bool fixed = IsFixedCell(ACol, ARow);
    return TChain{{CellRecord(ACol, ARow), LineRecord(fixed ? FPropFixedCol : FPropCol, ACol),
                   LineRecord(fixed ? FPropFixedRow : FPropRow, ARow)}};
}

namespace {

template <typename IsSet>
const TCellProperties* FirstSet(const TCellProperties* const (&records)[3], IsSet isSet) {
    for (const TCellProperties* record : records)
        if (isSet(record))
            return record;
    return nullptr;
}

} // namespace

TMyAlign TStringAlignGrid::AlignCell(int ACol, int ARow) const {
    if (const TCellProperties* record = FirstSet(ChainOf(ACol, ARow).Records, AlignSet))
        return record->Align;
    return FAlignment == TMyAlign::alDefault ? TMyAlign::alLeft : FAlignment;
}

T_Wordwrap TStringAlignGrid::WordwrapCell(int ACol, int ARow) const {
    if (const TCellProperties* record = FirstSet(ChainOf(ACol, ARow).Records, WordwrapSet))
        return record->Wordwrap;
    return FWordwrap == ww_default ? ww_none : FWordwrap;
}

bool TStringAlignGrid::EditCell(int ACol, int ARow) const {
    if (const TCellProperties* record = FirstSet(ChainOf(ACol, ARow).Records, EditableSet))
        return record->Editable == 2;
    return FEditable;
}

const TFont& TStringAlignGrid::CellFont(int ACol, int ARow) const {
    if (const TCellProperties* record = FirstSet(ChainOf(ACol, ARow).Records, FontSet))
        return *record->Font();
    return IsFixedCell(ACol, ARow) ? *FFixedFont : Font();
}

const TBrush& TStringAlignGrid::CellBrush(int ACol, int ARow) const {
    if (const TCellProperties* record = FirstSet(ChainOf(ACol, ARow).Records, BrushSet))
        return *record->Brush();
    return IsFixedCell(ACol, ARow) ? *FFixedBrush : const_cast<TStringAlignGrid*>(this)->Brush();
}

TColor TStringAlignGrid::ColorCell(int ACol, int ARow) const {
    return CellBrush(ACol, ARow).Color();
}

TMyAlign TStringAlignGrid::AlignRow(int ARow) const {
    const TCellProperties* record = LineRecord(FPropRow, ARow);
    return record ? record->Align : FAlignment;
}

// The selected colours look at the ordinary lists only.
TColor TStringAlignGrid::SelectedColorCell(int ACol, int ARow) const {
    for (const TCellProperties* record :
         {CellRecord(ACol, ARow), LineRecord(FPropCol, ACol), LineRecord(FPropRow, ARow)})
        if (record && record->SelectedBrush())
            return record->SelectedBrush()->Color();
    return FSelectedCellColor;
}

TColor TStringAlignGrid::SelectedFontColorCell(int ACol, int ARow) const {
    for (const TCellProperties* record :
         {CellRecord(ACol, ARow), LineRecord(FPropCol, ACol), LineRecord(FPropRow, ARow)})
        if (record && record->SelectedFont())
            return record->SelectedFont()->Color();
    return FSelectedFontColor;
}

// ---- Records made on demand

TCellProperties* TStringAlignGrid::MakeLineRecord(TPropList& list, int index) {
    auto& entry = list.Ensure(index);
    if (!entry)
        entry.reset(PropClass(this));
    return entry.get();
}

TCellProperties* TStringAlignGrid::MakeCellRecord(int ACol, int ARow) {
    return MakeLineRecord(FPropCell.Ensure(ACol), ARow);
}

namespace {

// A setter's index check: records are made only for indexes the stream can hold.
template <typename Apply> void IfSettable(int index, Apply apply) {
    if (SettableIndex(index))
        apply();
}

} // namespace

void TStringAlignGrid::SetAlignCell(int ACol, int ARow, TMyAlign value) {
    if (!SettableIndex(ACol) || !SettableIndex(ARow))
        return;
    MakeCellRecord(ACol, ARow)->Align = value;
    Changed();
}

void TStringAlignGrid::SetAlignCol(int ACol, TMyAlign value) {
    IfSettable(ACol, [&] { MakeLineRecord(FPropCol, ACol)->Align = value; });
    Changed();
}

void TStringAlignGrid::SetFixedAlignCol(int ACol, TMyAlign value) {
    IfSettable(ACol, [&] { MakeLineRecord(FPropFixedCol, ACol)->Align = value; });
    Changed();
}

void TStringAlignGrid::SetAlignRow(int ARow, TMyAlign value) {
    IfSettable(ARow, [&] { MakeLineRecord(FPropRow, ARow)->Align = value; });
    Changed();
}

void TStringAlignGrid::SetFixedAlignRow(int ARow, TMyAlign value) {
    IfSettable(ARow, [&] { MakeLineRecord(FPropFixedRow, ARow)->Align = value; });
    Changed();
}

void TStringAlignGrid::SetEditCell(int ACol, int ARow, bool value) {
    if (!SettableIndex(ACol) || !SettableIndex(ARow))
        return;
    MakeCellRecord(ACol, ARow)->Editable = value ? 2 : 1;
    Changed();
}

void TStringAlignGrid::SetEditCol(int ACol, bool value) {
    IfSettable(ACol, [&] { MakeLineRecord(FPropCol, ACol)->Editable = value ? 2 : 1; });
    Changed();
}

void TStringAlignGrid::SetEditRow(int ARow, bool value) {
    IfSettable(ARow, [&] { MakeLineRecord(FPropRow, ARow)->Editable = value ? 2 : 1; });
    Changed();
}

namespace {

TFont& FontOf(TCellProperties* record, const TFont& model) {
    if (!record->Font())
        record->SetFont(&model);
    return *record->Font();
}

TBrush& BrushOf(TCellProperties* record, TBrush& model) {
    if (!record->Brush())
        record->SetBrush(&model);
    return *record->Brush();
}

// What a getter hands out for an index no record may be made for: a throw-away that changes
// nothing of the grid.
template <typename T> T& Scratch() {
    static T scratch;
    return scratch;
}

} // namespace

TFont& TStringAlignGrid::FontCell(int ACol, int ARow) {
    if (!SettableIndex(ACol) || !SettableIndex(ARow))
        return Scratch<TFont>();
    return FontOf(MakeCellRecord(ACol, ARow), Font());
}

TFont& TStringAlignGrid::FontCol(int ACol) {
    return SettableIndex(ACol) ? FontOf(MakeLineRecord(FPropCol, ACol), Font()) : Scratch<TFont>();
}

TFont& TStringAlignGrid::FontFixedCol(int ACol) {
    return SettableIndex(ACol) ? FontOf(MakeLineRecord(FPropFixedCol, ACol), Font())
                               : Scratch<TFont>();
}

TFont& TStringAlignGrid::FontRow(int ARow) {
    return SettableIndex(ARow) ? FontOf(MakeLineRecord(FPropRow, ARow), Font()) : Scratch<TFont>();
}

TFont& TStringAlignGrid::FontFixedRow(int ARow) {
    return SettableIndex(ARow) ? FontOf(MakeLineRecord(FPropFixedRow, ARow), Font())
                               : Scratch<TFont>();
}

TBrush& TStringAlignGrid::BrushCell(int ACol, int ARow) {
    if (!SettableIndex(ACol) || !SettableIndex(ARow))
        return Scratch<TBrush>();
    return BrushOf(MakeCellRecord(ACol, ARow), Brush());
}

TBrush& TStringAlignGrid::BrushCol(int ACol) {
    return SettableIndex(ACol) ? BrushOf(MakeLineRecord(FPropCol, ACol), Brush())
                               : Scratch<TBrush>();
}

TBrush& TStringAlignGrid::BrushFixedCol(int ACol) {
    return SettableIndex(ACol) ? BrushOf(MakeLineRecord(FPropFixedCol, ACol), Brush())
                               : Scratch<TBrush>();
}

TBrush& TStringAlignGrid::BrushRow(int ARow) {
    return SettableIndex(ARow) ? BrushOf(MakeLineRecord(FPropRow, ARow), Brush())
                               : Scratch<TBrush>();
}

TBrush& TStringAlignGrid::BrushFixedRow(int ARow) {
    return SettableIndex(ARow) ? BrushOf(MakeLineRecord(FPropFixedRow, ARow), Brush())
                               : Scratch<TBrush>();
}

void TStringAlignGrid::SetColorCell(int ACol, int ARow, TColor value) {
    BrushCell(ACol, ARow).SetColor(value);
    Changed();
}

namespace {

void SetSelectedColorOf(TCellProperties* record, TColor value) {
    TBrush brush;
    brush.SetColor(value);
    record->SetSelectedBrush(&brush);
}

} // namespace

void TStringAlignGrid::SetSelectedColorCell(int ACol, int ARow, TColor value) {
    if (SettableIndex(ACol) && SettableIndex(ARow))
        SetSelectedColorOf(MakeCellRecord(ACol, ARow), value);
    Changed();
}

void TStringAlignGrid::SetSelectedColorCol(int ACol, TColor value) {
    IfSettable(ACol, [&] { SetSelectedColorOf(MakeLineRecord(FPropCol, ACol), value); });
    Changed();
}

void TStringAlignGrid::SetSelectedColorRow(int ARow, TColor value) {
    IfSettable(ARow, [&] { SetSelectedColorOf(MakeLineRecord(FPropRow, ARow), value); });
    Changed();
}

String TStringAlignGrid::HintCell(int ACol, int ARow) const {
    const TLineList<String>* column = FHints.Get(ACol);
    const String* hint = column ? column->Get(ARow) : nullptr;
    return hint ? *hint : String();
}

void TStringAlignGrid::SetHintCell(int ACol, int ARow, const String& value) {
    if (!SettableIndex(ACol) || !SettableIndex(ARow))
        return;
    FHints.Ensure(ACol).Ensure(ARow) = value;
    FHintsExist = true;
    Changed();
}

// ---- Drawing

void TStringAlignGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    TRect area = ARect;
    PrepareCellCanvas(ACol, ARow, AState, area);
    DrawCellText(ACol, ARow, AState, area);
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, area, AState);
}

void TStringAlignGrid::PrepareCellCanvas(int ACol, int ARow, TGridDrawState AState, TRect& ARect) {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(CellFont(ACol, ARow));
    canvas.Brush().Assign(CellBrush(ACol, ARow));
    if (FDrawSelection && AState.Contains(gdSelected) &&
        (!AState.Contains(gdFocused) || Options().Contains(goDrawFocusSelected) ||
         Options().Contains(goRowSelect))) {
        canvas.Brush().SetColor(SelectedColorCell(ACol, ARow));
        canvas.Font().SetColor(SelectedFontColorCell(ACol, ARow));
    }
    if (!DefaultDrawing())
        return;
    canvas.FillRect(ARect);
    // Without its grid line the cell reaches over the line's place.
    bool fixed = AState.Contains(gdFixed);
    if (!Options().Contains(fixed ? goFixedVertLine : goVertLine))
        ARect.Right += GridLineWidth();
    if (!Options().Contains(fixed ? goFixedHorzLine : goHorzLine))
        ARect.Bottom += GridLineWidth();
    canvas.Brush().SetStyle(bsClear);
}

void TStringAlignGrid::DrawCellText(int ACol, int ARow, TGridDrawState, TRect& ARect) {
    if (!DefaultDrawing())
        return;
    ARect = TRect{ARect.Left + 2, ARect.Top + 2, ARect.Right - 2, ARect.Bottom - 2};
    UINT format = DT_NOPREFIX;
    switch (AlignCell(ACol, ARow)) {
    case TMyAlign::alRight:
        format |= DT_RIGHT;
        break;
    case TMyAlign::alCenter:
        format |= DT_CENTER;
        break;
    default:
        format |= DT_LEFT;
        break;
    }
    switch (WordwrapCell(ACol, ARow)) {
    case ww_wordwrap:
        format |= DT_WORDBREAK;
        break;
    case ww_ellipsis:
        format |= DT_END_ELLIPSIS;
        break;
    default:
        break;
    }
    DrawText(Canvas(), Cells(ACol, ARow), ARect, format);
}
