#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <QFontMetrics>
#include <QGroupBox>

TGroupBoxPeer::TGroupBoxPeer(TControl& control) : TControlPeer(control, new QGroupBox) {}

void TGroupBoxPeer::SetText(const String& text) {
    static_cast<QGroupBox*>(Widget())->setTitle(DisplayText(text));
}

int TGroupBoxPeer::CaptionHeight() const {
    return QFontMetrics(ToQFont(Control().Font())).height();
}

TGroupBox::TGroupBox(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TGroupBoxPeer>), TPeerOf(Peer()) {
    SetControlStyle(ControlStyle() | TControlStyle{csAcceptsControls});
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::AdjustClientRect(TRect& Rect) const {
    Rect.Top += TypedPeer().CaptionHeight();
    Rect.Left += 2;
    Rect.Top += 2;
    Rect.Right -= 2;
    Rect.Bottom -= 2;
}
