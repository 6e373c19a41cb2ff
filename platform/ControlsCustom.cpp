#include "platform/Controls.h"
#include "platform/Peer.h"

// ---- Controls that draw themselves

TGraphicControl::TGraphicControl(TComponent* AOwner) : TGraphicControl(AOwner, MakeGraphicPeer) {}

TGraphicControl::TGraphicControl(TComponent* AOwner, const TPeerFactory& makePeer)
    : TControl(AOwner, makePeer) {}

void TGraphicControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        Paint();
        return;
    }
    TControl::WndProc(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TCustomControl(AOwner, MakeCustomPeer) {}

TCustomControl::TCustomControl(TComponent* AOwner, const TPeerFactory& makePeer)
    : TWinControl(AOwner, makePeer) {}

TCustomPopupControl::TCustomPopupControl(TComponent* AOwner)
    : TCustomControl(AOwner, MakePopupPeer) {}

void TCustomControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        Paint();
        return;
    }
    TWinControl::WndProc(Message);
}
