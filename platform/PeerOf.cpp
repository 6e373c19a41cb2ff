#include "platform/PeerOf.h"
#include "platform/Peer.h"

void DetachPeer(TControlPeer& peer) {
    peer.Detach();
}
