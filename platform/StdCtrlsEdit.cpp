#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <QLineEdit>

class TLineEditPeer : public TEditPeer, public TLineEditing {
public:
    explicit TLineEditPeer(TControl& control) : TEditPeer(control, new QLineEdit) {
        QObject::connect(Line(), &QLineEdit::textEdited, this, Report([this](const QString& shown) {
                             TEdit& edit = static_cast<TEdit&>(Control());
                             edit.SetText(TextFromDisplay(shown, edit.Text()));
                         }));
    }
    void SetText(const String& text) override { ShowText(text); }
    void SetReadOnly(bool readOnly) override { Line()->setReadOnly(readOnly); }
    void SetTextAlignment(TAlignment alignment) override {
        Line()->setAlignment(QtAlignment(alignment) | Qt::AlignVCenter);
    }
    int SelStart(const String& text) const override { return TLineEditing::SelStart(text); }
    int SelLength(const String& text) const override { return TLineEditing::SelLength(text); }
    void Select(const String& text, int start, int length) override {
        TLineEditing::Select(text, start, length);
    }
    void SelectAll() override { TLineEditing::SelectAll(); }
    void SetMaxLength(int maxLength) override { TLineEditing::SetMaxLength(maxLength); }
    void SetRightTextMargin(int pixels) override {
        QMargins margins = Line()->textMargins();
        margins.setRight(pixels);
        Line()->setTextMargins(margins);
    }

protected:
    QLineEdit* LineEdit() const override { return Line(); }

private:
    QLineEdit* Line() const { return static_cast<QLineEdit*>(Widget()); }
};

TEdit::TEdit(TComponent* AOwner) : TEdit(AOwner, MakePeer<TLineEditPeer>) {}

TEdit::TEdit(TComponent* AOwner, const TPeerFactory& makePeer)
    : TWinControl(AOwner, makePeer), TPeerOf(Peer()) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetMaxLength(0);
}

void TEdit::SetMaxLength(int value) {
    FMaxLength = value;
    TypedPeer().SetMaxLength(value);
}

void TEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    TypedPeer().SetReadOnly(value);
}

int TEdit::SelStart() const {
    return TypedPeer().SelStart(Text());
}

void TEdit::SetSelStart(int value) {
    TypedPeer().Select(Text(), value, 0);
}

int TEdit::SelLength() const {
    return TypedPeer().SelLength(Text());
}

void TEdit::SetSelLength(int value) {
    TypedPeer().Select(Text(), SelStart(), value);
}

String TEdit::SelText() const {
    return SelectedBytes(Text(), SelStart(), SelLength());
}

void TEdit::SetSelText(const String& value) {
    int start = SelStart();
    SetText(ReplaceSelection(Text(), start, SelLength(), value));
    SetSelStart(start + static_cast<int>(value.size()));
}

void TEdit::SetRightTextMargin(int pixels) {
    TypedPeer().SetRightTextMargin(pixels);
}

void TEdit::SetTextAlignment(TAlignment value) {
    TypedPeer().SetTextAlignment(value);
}

void TEdit::SelectAll() {
    TypedPeer().SelectAll();
}

void TEdit::TypeChar(char key) {
    TTyped typed;
    if (FReadOnly || !TypeKey(Text(), SelStart(), SelLength(), key, FMaxLength, typed))
        return;
    SetText(typed.Text);
    SetSelStart(typed.Caret);
}

void TEdit::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_CHAR:
        if (!TypedPeer().Translating()) {
            TypeChar(static_cast<char>(Message.WParam));
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::DefaultHandler(Message);
}

void TEdit::WndProc(TMessage& Message) {
    TWinControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED && !IsLoading())
        Change();
}

void TEdit::Change() {
    if (OnChange)
        OnChange(this);
}
