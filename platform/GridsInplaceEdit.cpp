#include "platform/Grids.h"
#include "platform/Peer.h"

// ---- The grid's editor

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : TEdit(grid), FGrid(grid) {
    SetVisible(false);
    SetParent(grid);
}

void TInplaceEdit::Move(const TRect& rect) {
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    Show();
}

void TInplaceEdit::UpdateContents() {
    FUpdating = true;
    SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    FUpdating = false;
}

void TInplaceEdit::Change() {
    if (!FUpdating)
        FGrid->SetEditText(FGrid->Col(), FGrid->Row(), Text());
    TEdit::Change();
}

void TInplaceEdit::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
        return;
    }
    TEdit::DefaultHandler(Message);
}

void TInplaceEdit::SetFocus() {
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FGrid->Perform(WM_SETFOCUS, 0, 0);
    Peer().SetFocus();
}

void TInplaceEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_SETFOCUS) {
        FGrid->Perform(WM_SETFOCUS, 0, 0);
        TControl::WndProc(Message);
        return;
    }
    TEdit::WndProc(Message);
}

// Keys that move between cells belong to the grid, as do Enter, Esc and Tab.
void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_TAB:
        FGrid->KeyDown(Key, Shift);
        break;
    case VK_ESCAPE:
        if (!FGrid->Options().Contains(goAlwaysShowEditor))
            FGrid->HideEditor();
        Key = 0;
        break;
    default:
        TEdit::KeyDown(Key, Shift);
    }
}

void TInplaceEdit::KeyPress(char& Key) {
    if (Key == '\r') {
        FGrid->KeyPress(Key);
        Key = 0;
        return;
    }
    TEdit::KeyPress(Key);
}
