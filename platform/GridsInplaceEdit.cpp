#include "platform/Grids.h"
#include "platform/StdPeers.h"
#include "platform/SysUtils.h"

#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>

namespace {

// The widget shows each line end of the text as one character.
int LFIndex(const String& text, int byteIndex) {
    byteIndex = std::clamp(byteIndex, 0, static_cast<int>(text.size()));
    int index = byteIndex;
    for (int i = 0; i + 1 < byteIndex; ++i)
        if (text[i] == '\r' && text[i + 1] == '\n')
            --index;
    return index;
}

int CRLFIndex(const String& text, int lfIndex) {
    int counted = 0;
    int i = 0;
    for (; i < static_cast<int>(text.size()) && counted < lfIndex; ++i, ++counted)
        if (text[i] == '\r' && i + 1 < static_cast<int>(text.size()) && text[i + 1] == '\n')
            ++i;
    return i;
}

} // namespace

// The grid's editor holds the lines of a cell, wrapped at the cell's width, as the framework's
// multi-line edit over the cell does; nothing of it but the text shows.
class TInplaceEditPeer : public TEditPeer {
public:
    explicit TInplaceEditPeer(TControl& control) : TEditPeer(control, new QTextEdit) {
        Editor()->setAcceptRichText(false);
        Editor()->setFrameShape(QFrame::NoFrame);
        Editor()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        Editor()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        Editor()->setLineWrapMode(QTextEdit::WidgetWidth);
        Editor()->document()->setDocumentMargin(1);
        Watch(Editor()->viewport());
        QObject::connect(Editor(), &QTextEdit::textChanged, this, Report([this] { Edited(); }));
    }
    void SetText(const String& text) override {
        if (!ShowLines(*Editor(), text))
            return;
        QSignalBlocker blocker(Editor());
        ApplyAlignment();
    }
    void SetReadOnly(bool readOnly) override { Editor()->setReadOnly(readOnly); }
    void SetTextAlignment(TAlignment alignment) override {
        FAlignment = QtAlignment(alignment);
        QSignalBlocker blocker(Editor());
        ApplyAlignment();
    }
    int SelStart(const String& text) const override {
        return ByteAt(text, Editor()->textCursor().selectionStart());
    }
    int SelLength(const String& text) const override {
        QTextCursor cursor = Editor()->textCursor();
        return ByteAt(text, cursor.selectionEnd()) - ByteAt(text, cursor.selectionStart());
    }
    void Select(const String& text, int start, int length) override {
        start = std::clamp(start, 0, static_cast<int>(text.size()));
        QTextCursor cursor = Editor()->textCursor();
        cursor.setPosition(PositionOf(text, start));
        cursor.setPosition(PositionOf(text, start + std::max(length, 0)), QTextCursor::KeepAnchor);
        Editor()->setTextCursor(cursor);
    }
    void SelectAll() override { Editor()->selectAll(); }
    void SetMaxLength(int maxLength) override { FMaxLength = maxLength; }

private:
    QTextEdit* Editor() const { return static_cast<QTextEdit*>(Widget()); }

    static int ByteAt(const String& text, int position) {
        return CRLFIndex(text, ByteIndex(WithLF(text), position));
    }
    static int PositionOf(const String& text, int byteIndex) {
        return WidgetIndex(WithLF(text), LFIndex(text, byteIndex));
    }

    // Typing writes the widget's lines back as the text, with CR LF; past the most bytes typing
    // may bring it to, the text stays as it was.
    void Edited() {
        TEdit& edit = static_cast<TEdit&>(Control());
        String typed =
            AdjustLineBreaks(TextFromDisplay(Editor()->toPlainText(), WithLF(edit.Text())));
        if (FMaxLength > 0 && typed.size() > static_cast<size_t>(FMaxLength) &&
            typed.size() > edit.Text().size()) {
            SetText(edit.Text());
            Editor()->moveCursor(QTextCursor::End);
            return;
        }
        edit.SetText(typed);
        QSignalBlocker blocker(Editor());
        ApplyAlignment();
    }

    // Every line of the cell keeps the cell's alignment, new lines included.
    void ApplyAlignment() {
        for (QTextBlock block = Editor()->document()->begin(); block.isValid();
             block = block.next()) {
            if (block.blockFormat().alignment() == FAlignment)
                continue;
            QTextCursor cursor(block);
            QTextBlockFormat format = block.blockFormat();
            format.setAlignment(FAlignment);
            cursor.setBlockFormat(format);
        }
    }

    Qt::Alignment FAlignment = Qt::AlignLeft;
    int FMaxLength = 0;
};

// ---- The grid's editor

TInplaceEdit::TInplaceEdit(TCustomGrid* grid)
    : TEdit(grid, MakePeer<TInplaceEditPeer>), FGrid(grid) {
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
