#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <QLabel>

namespace {

Qt::Alignment LabelAlignment(TAlignment alignment, TTextLayout layout) {
    Qt::Alignment vertical = layout == tlBottom   ? Qt::AlignBottom
                             : layout == tlCenter ? Qt::AlignVCenter
                                                  : Qt::AlignTop;
    return QtAlignment(alignment) | vertical;
}

} // namespace

class TLabelPeer : public TControlPeer {
public:
    explicit TLabelPeer(TControl& control) : TControlPeer(control, new QLabel) {
        Label()->setFocusPolicy(Qt::NoFocus);
        Label()->setTextFormat(Qt::PlainText);
        Label()->setMargin(0);
    }
    // The label shows its caption through ShowLabel, which knows how.
    void SetText(const String&) override {}

    // Qt reads "&&" and "&" as the framework does, but only when there is a control to focus.
    void ShowLabel(const String& caption, TWinControl* focusControl, TAlignment alignment,
                   TTextLayout layout, bool wrap, bool transparent) {
        QLabel* label = Label();
        label->setBuddy(focusControl ? focusControl->Peer().Widget() : nullptr);
        label->setText(DisplayText(focusControl ? caption : WithoutAccelerator(caption)));
        label->setAlignment(LabelAlignment(alignment, layout));
        label->setWordWrap(wrap);
        label->setAutoFillBackground(!transparent);
    }

    TSize TextSize(int width, bool wrap) const {
        if (wrap)
            return TSize{width, Label()->heightForWidth(width)};
        QSize size = Label()->sizeHint();
        if (Label()->text().isEmpty())
            size.setWidth(0);
        return TSize{size.width(), size.height()};
    }

private:
    QLabel* Label() const { return static_cast<QLabel*>(Widget()); }
};

TLabel::TLabel(TComponent* AOwner)
    : TGraphicControl(AOwner, MakePeer<TLabelPeer>), TPeerOf(Peer()) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 65, 17);
    ShowFormat();
}

void TLabel::ShowFormat() {
    TypedPeer().ShowLabel(Caption(), FShowAccelChar ? FFocusControl : nullptr, FAlignment, FLayout,
                          FWordWrap, FTransparent);
}

// The framework keeps a label's left edge, or its right edge when it is right-aligned.
void TLabel::AdjustBounds() {
    if (!FAutoSize || IsLoading())
        return;
    TSize size = TypedPeer().TextSize(Width(), FWordWrap);
    int left = Left();
    if (!FWordWrap && FAlignment == taRightJustify)
        left += Width() - size.cx;
    SetBounds(left, Top(), size.cx, size.cy);
}

void TLabel::SetAlignment(TAlignment value) {
    FAlignment = value;
    ShowFormat();
}

void TLabel::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool value) {
    FWordWrap = value;
    ShowFormat();
    AdjustBounds();
}

void TLabel::SetTransparent(bool value) {
    FTransparent = value;
    ShowFormat();
}

void TLabel::SetFocusControl(TWinControl* value) {
    FFocusControl = value;
    if (value)
        FreeNotification(value);
    ShowFormat();
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) {
        FFocusControl = nullptr;
        ShowFormat();
    }
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::WndProc(TMessage& Message) {
    TGraphicControl::WndProc(Message);
    if (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_FONTCHANGED) {
        ShowFormat();
        AdjustBounds();
    }
}
