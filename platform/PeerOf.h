#pragma once
// The typed base of a control that has a peer of its own. It hands the control its peer as the
// peer's own class, so what the control asks of its widget is a typed call of that peer, and it
// detaches the peer when the control is freed, so the widget's last events (losing the focus,
// hiding) never reach a control that is going. It comes after the control's framework base, whose
// constructor makes the peer, and is given that peer:
//
//     class TEdit : public TWinControl, protected TPeerOf<TEditPeer> { ... };
//     TEdit::TEdit(TComponent* AOwner)
//         : TWinControl(AOwner, MakePeer<TEditPeer>), TPeerOf(Peer()) {}
//     void TEdit::SetReadOnly(bool value) { ...; TypedPeer().SetReadOnly(value); }
//
// Only the control's own .cpp, where the peer's class is complete, calls TypedPeer.

#include "platform/Controls.h"

// Stops the peer turning its widget's events into messages for its control.
void DetachPeer(TControlPeer& peer);

template <class P> class TPeerOf {
public:
    TPeerOf(const TPeerOf&) = delete;
    TPeerOf& operator=(const TPeerOf&) = delete;

protected:
    explicit TPeerOf(TControlPeer& peer) : FPeer(peer) {}
    ~TPeerOf() { DetachPeer(FPeer); }
    P& TypedPeer() const { return static_cast<P&>(FPeer); }

private:
    TControlPeer& FPeer;
};
