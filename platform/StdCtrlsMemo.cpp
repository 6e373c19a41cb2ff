#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <QPlainTextEdit>

namespace {

Qt::ScrollBarPolicy BarPolicy(bool shown) {
    return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
}

} // namespace

class TMemoPeer : public TStdPeer {
public:
    explicit TMemoPeer(TControl& control) : TStdPeer(control, new QPlainTextEdit) {
        Watch(Editor()->viewport());
        QObject::connect(Editor(), &QPlainTextEdit::textChanged, this, Report([this] {
                             TMemo& memo = static_cast<TMemo&>(Control());
                             String shown = WithLF(memo.Text());
                             memo.SetText(
                                 AdjustLineBreaks(TextFromDisplay(Editor()->toPlainText(), shown)));
                         }));
    }
    void SetText(const String& text) override { ShowLines(*Editor(), text); }
    void SetReadOnly(bool readOnly) { Editor()->setReadOnly(readOnly); }
    void SetWordWrap(bool wrap) {
        Editor()->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    }
    void ShowScrollBars(bool horizontal, bool vertical) {
        Editor()->setHorizontalScrollBarPolicy(BarPolicy(horizontal));
        Editor()->setVerticalScrollBarPolicy(BarPolicy(vertical));
    }
    // Tab types a tab instead of moving the focus on.
    void SetWantTabs(bool wantTabs) { Editor()->setTabChangesFocus(!wantTabs); }

private:
    QPlainTextEdit* Editor() const { return static_cast<QPlainTextEdit*>(Widget()); }
};

TMemo::TMemo(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TMemoPeer>), TPeerOf(Peer()), FLines(*this) {
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetScrollBars(ssNone);
    SetWantTabs(false);
}

void TMemo::SetReadOnly(bool value) {
    FReadOnly = value;
    TypedPeer().SetReadOnly(value);
}

void TMemo::SetWordWrap(bool value) {
    FWordWrap = value;
    TypedPeer().SetWordWrap(value);
}

void TMemo::SetScrollBars(TScrollStyle value) {
    FScrollBars = value;
    TypedPeer().ShowScrollBars(value == ssHorizontal || value == ssBoth,
                               value == ssVertical || value == ssBoth);
}

void TMemo::SetWantTabs(bool value) {
    FWantTabs = value;
    TypedPeer().SetWantTabs(value);
}

void TMemo::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FWantReturns)
            Message.Result |= DLGC_WANTALLKEYS;
        if (FWantTabs)
            Message.Result |= DLGC_WANTTAB;
        return;
    }
    TWinControl::DefaultHandler(Message);
}

void TMemo::WndProc(TMessage& Message) {
    TWinControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED && !IsLoading())
        Change();
}

void TMemo::Change() {
    if (OnChange)
        OnChange(this);
}

int TMemo::TMemoStrings::LineStart(int line) const {
    if (line < 0)
        return -1;
    String text = FMemo.Text();
    size_t start = 0;
    for (int i = 0; i < line; ++i) {
        size_t end = text.find("\r\n", start);
        if (end == String::npos)
            return -1;
        start = end + 2;
    }
    return static_cast<int>(start);
}

int TMemo::TMemoStrings::LineLength(int start) const {
    String text = FMemo.Text();
    size_t end = text.find("\r\n", start);
    return static_cast<int>((end == String::npos ? text.size() : end) - start);
}

int TMemo::TMemoStrings::Count() const {
    String text = FMemo.Text();
    int lines = 1;
    for (size_t at = text.find("\r\n"); at != String::npos; at = text.find("\r\n", at + 2))
        ++lines;
    return LineLength(LineStart(lines - 1)) == 0 ? lines - 1 : lines;
}

String TMemo::TMemoStrings::Get(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    int start = LineStart(index);
    return FMemo.Text().substr(start, LineLength(start));
}

void TMemo::TMemoStrings::Put(int index, const String& s) {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    String text = FMemo.Text();
    int start = LineStart(index);
    FMemo.SetText(text.replace(start, LineLength(start), s));
}

// A line put after the last one is not ended, unless the text already ended with a line end.
void TMemo::TMemoStrings::Insert(int index, const String& s) {
    int count = Count();
    if (index < 0 || index > count)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    String text = FMemo.Text();
    if (index < count)
        text.insert(LineStart(index), s + "\r\n");
    else if (text.empty())
        text = s;
    else if (LineStart(count) >= 0)
        text += s + "\r\n";
    else
        text += "\r\n" + s;
    FMemo.SetText(text);
}

void TMemo::TMemoStrings::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    String text = FMemo.Text();
    int start = LineStart(index);
    int next = LineStart(index + 1);
    FMemo.SetText(text.erase(start, next >= 0 ? next - start : String::npos));
}

void TMemo::TMemoStrings::Clear() {
    FMemo.SetText("");
}
