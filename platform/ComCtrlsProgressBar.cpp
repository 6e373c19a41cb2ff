#include "platform/ComCtrls.h"
#include "platform/StdPeers.h"

#include <QProgressBar>

#include <algorithm>

class TProgressBarPeer : public TControlPeer {
public:
    explicit TProgressBarPeer(TControl& control) : TControlPeer(control, new QProgressBar) {
        Bar()->setTextVisible(false);
    }
    void ShowProgress(int min, int max, int position) {
        Bar()->setRange(min, max);
        Bar()->setValue(position);
    }

private:
    QProgressBar* Bar() const { return static_cast<QProgressBar*>(Widget()); }
};

TProgressBar::TProgressBar(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TProgressBarPeer>), TPeerOf(Peer()) {
    SetBounds(0, 0, 150, 16);
    ShowProgress();
}

void TProgressBar::ShowProgress() {
    TypedPeer().ShowProgress(FMin, std::max(FMin, FMax), FPosition);
}

void TProgressBar::SetMin(int value) {
    FMin = value;
    SetPosition(FPosition);
}

void TProgressBar::SetMax(int value) {
    FMax = value;
    SetPosition(FPosition);
}

void TProgressBar::SetPosition(int value) {
    FPosition = std::clamp(value, FMin, std::max(FMin, FMax));
    ShowProgress();
}
