// The interactive half of the aligned grid: the in-place editor and its edit cycle, the walk to
// the next cell, keys, cell hints, clicks on fixed cells, the last column's width and scrolling.

#include "widgets/Aligrid.h"

// ---- The editor

TNewInplaceEdit::TNewInplaceEdit(TStringAlignGrid* grid) : TInplaceEdit(grid) {}

TStringAlignGrid& TNewInplaceEdit::AlignGrid() const {
    return static_cast<TStringAlignGrid&>(Grid());
}

// The widget keeps its place and selection; only the text moves.
void TNewInplaceEdit::SetAlignment(TMyAlign value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    SetTextAlignment(value == TMyAlign::alRight    ? taRightJustify
                     : value == TMyAlign::alCenter ? taCenter
                                                   : taLeftJustify);
}

void TNewInplaceEdit::SetEditCell(int ACol, int ARow) {
    FCol = ACol;
    FRow = ARow;
}

void TNewInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    bool editorKey = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME ||
                     Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
    if (FMultiline && editorKey)
        return; // the edit's own caret movement
    if (Key == VK_ESCAPE && !FMultiline) {
        // The cell gets its starting text back and the edit ends as Enter ends it, but
        // cancelled: it is neither validated nor moved on from.
        SetText(FStartText);
        PostMessage(AlignGrid().Handle(), WM_CELLEDIT_CANCELLED, FCol, FRow);
        char enter = '\r';
        Key = 0;
        AlignGrid().KeyPress(enter);
        return;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

void TNewInplaceEdit::KeyPress(char& Key) {
    if (FCol == -1 && FRow == -1) {
        Key = 0;
        return;
    }
    if (Key == '\t' || Key == 27) {
        Key = 0;
        return;
    }
    if (Key == '\r' && FMultiline) {
        if (AlignGrid().EditCell(FCol, FRow))
            SetSelText("\r\n");
        Key = 0;
        return;
    }
    if (Key == '\r')
        PostMessage(AlignGrid().Handle(), WM_CELLEDIT_ENTER, FCol, FRow);
    TInplaceEdit::KeyPress(Key);
}

// ---- The edit cycle

TInplaceEdit* TStringAlignGrid::CreateEditor() {
    auto* editor = new TNewInplaceEdit(this);
    editor->SetEditCell(-1, -1);
    return editor;
}

TNewInplaceEdit* TStringAlignGrid::Editor() const {
    return static_cast<TNewInplaceEdit*>(InplaceEditor());
}

bool TStringAlignGrid::CanEditShow() {
    bool answer = TStringGrid::CanEditShow();
    TNewInplaceEdit* editor = Editor();
    if (!editor)
        return answer;
    if (editor->EditCol() != Col() || editor->EditRow() != Row()) {
        if (editor->EditCol() >= 0 && editor->EditRow() >= 0)
            PostMessage(Handle(), WM_CELLEDIT_CELLCHANGED, editor->EditCol(), editor->EditRow());
        editor->SetStarted(false);
    }
    if (!ComponentState().Contains(csDesigning))
        answer = answer && EditCell(Col(), Row());
    if (!answer) {
        editor->SetEditCell(-1, -1);
        return false;
    }
    LoadEditorFromCell();
    if (!editor->Started()) {
        editor->SetStarted(true);
        SendMessage(Handle(), WM_CELLEDIT_BEGIN, Col(), Row());
        editor->SetStartText(Cells(Col(), Row()));
    }
    if (!FSelectEditText)
        editor->SetSelStart(static_cast<int>(editor->Text().size()));
    PostMessage(Handle(), WM_CELLEDIT_SHOWN, 0, 0);
    return true;
}

void TStringAlignGrid::LoadEditorFromCell() {
    TNewInplaceEdit* editor = Editor();
    editor->SetAlignment(AlignCell(Col(), Row()));
    editor->SetFont(CellFont(Col(), Row()));
    editor->SetColor(ColorCell(Col(), Row()));
    editor->SetEditCell(Col(), Row());
    editor->SetMultiline(FEditMultiline);
}

void TStringAlignGrid::OpenEditorAt(int ACol, int ARow) {
    FocusCell(ACol, ARow);
    FEditInProgress = true;
    ShowEditor();
}

// The end of an edit on a cell: validation, then OnAfterEdit, or the editor back on the cell.
void TStringAlignGrid::CheckEditEnd(int ACol, int ARow, bool moveOn) {
    FEditInProgress = false;
    if (Editor())
        Editor()->SetStarted(false);
    bool valid = ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
    if (valid) {
        bool result = true;
        if (OnValidateEdit)
            OnValidateEdit(this, ACol, ARow, result);
        if (!result)
            OpenEditorAt(ACol, ARow);
        else if (OnAfterEdit)
            OnAfterEdit(this, ACol, ARow);
    }
    if (!moveOn || !FAutoEditNextCell || FEditInProgress || !valid)
        return;
    int col = Col();
    int row = Row();
    if (FindNextEditCell(col, row)) {
        if (Editor())
            Editor()->SetEditCell(-1, -1);
        OpenEditorAt(col, row);
    }
}

void TStringAlignGrid::WndProc(TMessage& Message) {
    int col = static_cast<int>(Message.WParam);
    int row = static_cast<int>(Message.LParam);
    switch (Message.Msg) {
    case WM_CELLEDIT_CANCELLED:
        FEditInProgress = false;
        if (Editor())
            Editor()->SetStarted(false);
        if (col >= 0 && row >= 0 && OnCancelEdit)
            OnCancelEdit(this, col, row);
        return;
    case WM_CELLEDIT_ENTER:
        CheckEditEnd(col, row, true);
        return;
    case WM_CELLEDIT_CELLCHANGED:
        CheckEditEnd(col, row, false);
        return;
    case WM_CELLEDIT_BEGIN:
        if (col >= 0 && row >= 0 && OnBeforeEdit)
            OnBeforeEdit(this, col, row);
        FEditInProgress = true;
        return;
    case WM_CELLEDIT_FOCUSBACK:
        ShowEditor();
        if (InplaceEditor() && InplaceEditor()->Visible()) {
            InplaceEditor()->SetSelStart(FSavedSelStart);
            if (FSavedSelLength < 0)
                InplaceEditor()->SelectAll();
            else
                InplaceEditor()->SetSelLength(FSavedSelLength);
        }
        return;
    case WM_CELLEDIT_SHOWN:
        return;
    case WM_COPY:
        CopyRangeToClipboard('\t', Selection());
        return;
    case WM_CUT:
        CutSelection();
        break;
    case WM_PASTE:
        PasteRangeFromClipboard('\t', Selection());
        return;
    case WM_SIZE:
        TStringGrid::WndProc(Message);
        if (FAutoAdjustLastCol)
            AdjustLastCol();
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        TStringGrid::WndProc(Message);
        if (FRedrawWhileScroll && LOWORD(Message.WParam) == SB_THUMBTRACK)
            Perform(Message.Msg, MAKELONG(SB_THUMBPOSITION, HIWORD(Message.WParam)),
                    Message.LParam);
        return;
    default:
        break;
    }
    TStringGrid::WndProc(Message);
}

void TStringAlignGrid::EndCellEdit(bool cancel) {
    FEditInProgress = false;
    TNewInplaceEdit* editor = Editor();
    if (!editor || !editor->Visible())
        return;
    if (cancel) {
        WORD escape = VK_ESCAPE;
        editor->KeyDown(escape, TShiftState());
        return;
    }
    HideEditor();
    CheckEditEnd(Col(), Row(), false);
}

// ---- Focus

void TStringAlignGrid::DoExit() {
    TNewInplaceEdit* editor = Editor();
    if (editor && editor->Visible()) {
        FReopenEditor = true;
        FSavedSelStart = editor->SelStart();
        FSavedSelLength = editor->SelLength();
        EndCellEdit(false);
        if (FEditInProgress) {
            // The edit was refused: the grid keeps the focus.
            if (InplaceEditor()->CanFocus())
                InplaceEditor()->SetFocus();
            return;
        }
    }
    TStringGrid::DoExit();
    SetEditorMode(false);
}

void TStringAlignGrid::DoEnter() {
    TStringGrid::DoEnter();
    if (FReopenEditor && Options().Contains(goAlwaysShowEditor))
        PostMessage(Handle(), WM_CELLEDIT_FOCUSBACK, 0, 0);
}

// ---- Walking to the next cell

bool TStringAlignGrid::StepCell(T_nextcell direction, T_lastcell afterLast, int& ACol, int& ARow,
                                bool& grew) {
    const int firstCol = FixedCols();
    const int firstRow = FixedRows();
    const int lastCol = ColCount() - 1;
    const int lastRow = RowCount() - 1;
    bool stepsAcross = direction % 2 == 0; // the step is along a row
    int step = (direction == nc_rightdown || direction == nc_rightup || direction == nc_downright ||
                direction == nc_downleft)
                   ? 1
                   : -1;
    int wrap = (direction == nc_rightdown || direction == nc_leftdown ||
                direction == nc_downright || direction == nc_upright)
                   ? 1
                   : -1;
    int col = ACol;
    int row = ARow;
    bool ended = false;
    if (stepsAcross) {
        col += step;
        if (col < firstCol || col > lastCol) {
            col = step > 0 ? firstCol : lastCol;
            row += wrap;
            ended = row < firstRow || row > lastRow;
        }
    } else {
        row += step;
        if (row < firstRow || row > lastRow) {
            row = step > 0 ? firstRow : lastRow;
            col += wrap;
            ended = col < firstCol || col > lastCol;
        }
    }
    if (!ended) {
        ACol = col;
        ARow = row;
        return true;
    }
    switch (afterLast) {
    case lc_stop:
        return false;
    case lc_exit:
        if (TForm* form = GetParentForm(this))
            PostMessage(form->Handle(), WM_NEXTDLGCTL, 0, 0);
        return false;
    case lc_first: {
        static constexpr bool startsLeft[8] = {true, true, false, false, false, false, true, true};
        static constexpr bool startsTop[8] = {true, true, true, true, false, false, false, false};
        ACol = startsLeft[direction] ? firstCol : lastCol;
        ARow = startsTop[direction] ? firstRow : lastRow;
        return true;
    }
    case lc_newcolrow:
        break;
    }
    grew = true;
    switch (direction) {
    case nc_rightdown:
        InsertRow(RowCount());
        ACol = firstCol;
        ARow = RowCount() - 1;
        break;
    case nc_downright:
        InsertColumn(ColCount());
        ACol = ColCount() - 1;
        ARow = firstRow;
        break;
    case nc_leftdown:
        InsertRow(RowCount());
        ACol = ColCount() - 1;
        ARow = RowCount() - 1;
        break;
    case nc_downleft:
        InsertColumn(firstCol);
        ACol = firstCol;
        ARow = firstRow;
        break;
    case nc_leftup:
        InsertRow(firstRow);
        ACol = ColCount() - 1;
        ARow = firstRow;
        break;
    case nc_upleft:
        InsertColumn(firstCol);
        ACol = firstCol;
        ARow = RowCount() - 1;
        break;
    case nc_rightup:
        InsertRow(firstRow);
        ACol = firstCol;
        ARow = firstRow;
        break;
    case nc_upright:
        InsertColumn(ColCount());
        ACol = ColCount() - 1;
        ARow = RowCount() - 1;
        break;
    }
    return true;
}

bool TStringAlignGrid::FindNextEditCell(int& ACol, int& ARow) {
    const int startCol = ACol;
    const int startRow = ARow;
    int col = ACol;
    int row = ARow;
    for (;;) {
        bool grew = false;
        if (!StepCell(FNextCellEdit, FAfterLastCellEdit, col, row, grew))
            return false;
        if (grew || EditCell(col, row)) {
            ACol = col;
            ARow = row;
            return true;
        }
        if (col == startCol && row == startRow)
            return false;
    }
}

void TStringAlignGrid::TabToNextCell(bool backwards) {
    T_nextcell direction =
        static_cast<T_nextcell>(backwards ? (FNextCellTab + 4) % 8 : FNextCellTab);
    // Without a single tab stop the walk would never end (and, adding lines, never stop growing).
    bool anyStop = false;
    for (int i = FixedCols(); i < ColCount() && !anyStop; ++i)
        anyStop = TabStops(i);
    if (!anyStop)
        return;
    const int startCol = Col();
    const int startRow = Row();
    int col = startCol;
    int row = startRow;
    for (;;) {
        bool grew = false;
        if (!StepCell(direction, FAfterLastCellTab, col, row, grew) ||
            (col == startCol && row == startRow))
            return;
        if (TabStops(col))
            break;
    }
    FocusCell(col, row);
}

// ---- Keys

void TStringAlignGrid::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_TAB && !Shift.Contains(ssAlt)) {
        TabToNextCell(Shift.Contains(ssShift));
        Key = 0;
        return;
    }
    if (Key == VK_INSERT && Shift.Contains(ssCtrl))
        Perform(WM_COPY, 0, 0);
    else if (Key == VK_INSERT && Shift.Contains(ssShift))
        Perform(WM_PASTE, 0, 0);
    else if (Key == VK_DELETE && Shift.Contains(ssShift))
        Perform(WM_CUT, 0, 0);
    TStringGrid::KeyDown(Key, Shift);
}

void TStringAlignGrid::KeyPress(char& Key) {
    if (Key == '\r' && FEditMultiline)
        return;
    TStringGrid::KeyPress(Key);
}

// ---- Hints

void TStringAlignGrid::CellHintHook(String& HintStr, bool& CanShow, THintInfo& HintInfo) {
    if (HintInfo.HintControl != this || !FShowCellHints)
        return;
    TGridCoord cell = MouseCoord(HintInfo.CursorPos.x, HintInfo.CursorPos.y);
    FHintCell = cell;
    TRect rect = CellRect(cell.X, cell.Y);
    HintInfo.HintPos = ClientToScreen(Point(rect.Left, rect.Bottom + 6));
    HintInfo.CursorRect = rect;
    HintStr = HintCell(cell.X, cell.Y);
    if (OnShowHintCell)
        OnShowHintCell(this, cell.X, cell.Y, HintStr, CanShow, HintInfo);
}

void TStringAlignGrid::MouseMove(TShiftState Shift, int X, int Y) {
    TGridCoord cell = MouseCoord(X, Y);
    if (FHintCell != TGridCoord{-1, -1} && cell != FHintCell) {
        Application->CancelHint();
        FHintCell = TGridCoord{-1, -1};
    }
    TStringGrid::MouseMove(Shift, X, Y);
}

// ---- Clicks on fixed cells, the last column

void TStringAlignGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (X >= 0 && Y >= 0) {
        TGridCoord cell = MouseCoord(X, Y);
        bool inFixedCol = cell.X >= 0 && cell.X < FixedCols();
        bool inFixedRow = cell.Y >= 0 && cell.Y < FixedRows();
        if (inFixedCol && !inFixedRow && cell.Y >= 0) {
            if (OnFixedRowClick)
                OnFixedRowClick(this, cell.Y);
        } else if (inFixedRow && !inFixedCol && cell.X >= 0) {
            if (OnFixedColClick)
                OnFixedColClick(this, cell.X);
        }
    }
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TStringAlignGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TStringGrid::MouseUp(Button, Shift, X, Y);
    if (FAutoAdjustLastCol)
        AdjustLastCol();
}

void TStringAlignGrid::AdjustLastCol() {
    int sum = 0;
    for (int i = 0; i < ColCount() - 1; ++i)
        sum += ColWidths(i);
    if (sum >= ClientWidth())
        return;
    bool lines = Options().Contains(goVertLine) || Options().Contains(goFixedVertLine);
    int width = ClientWidth() - sum - (lines ? ColCount() * GridLineWidth() : 0);
    // A width below one pixel would hide the column.
    if (width >= 1)
        SetColWidths(ColCount() - 1, width);
}

void TStringAlignGrid::TopLeftChanged() {
    TStringGrid::TopLeftChanged();
    if (InplaceEditor() && InplaceEditor()->Visible())
        PostMessage(Handle(), WM_CELLEDIT_SHOWN, 0, 0);
}

void TStringAlignGrid::ColWidthsChanged() {
    TStringGrid::ColWidthsChanged();
    if (OnColWidthsChanged)
        OnColWidthsChanged(this);
}

void TStringAlignGrid::RowHeightsChanged() {
    TStringGrid::RowHeightsChanged();
    if (OnRowHeightsChanged)
        OnRowHeightsChanged(this);
}
