#pragma once
// The Qt side shared by the peers of the standard and common controls, for the platform's own
// .cpp files only.

#include "platform/Peer.h"

#include <memory>
#include <utility>

// A caption as the system draws it: "&&" shows "&", and the "&" that marks the accelerator is
// left out.
String WithoutAccelerator(const String& caption);

// Lines of one pixel along the edges of rect, topLeft above and left, bottomRight below and
// right, width times, each inside the last; rect ends inside them.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);

template <typename P> std::unique_ptr<TControlPeer> MakePeer(TControl& control) {
    return std::make_unique<P>(control);
}

// A window that draws itself (panels, status bars) and, unlike an edit, never takes the focus.
class TPaintedPeer : public TControlPeer {
public:
    explicit TPaintedPeer(TControl& control) : TControlPeer(control, new QWidget) {
        Widget()->setFocusPolicy(Qt::NoFocus);
    }
};

// The peer of a control whose widget reports the user's actions through signals. It tells
// whether a message comes from the widget's own input, and stops reporting once its control is
// being freed: the control calls Detach from its destructor, before the widget goes.
class TStdPeer : public TControlPeer {
public:
    using TControlPeer::TControlPeer;
    bool Translating() const { return FTranslating > 0; }
    void Detach() { FDetached = true; }
    bool Detached() const { return FDetached; }
    // Sends the control CN_COMMAND with a notification code; false when the control was freed
    // by what the notification ran.
    bool Notify(WORD code);

protected:
    bool TranslateEvent(QWidget* watched, QEvent* event) override;
    // A slot that runs action while the control lives.
    template <typename F> auto Report(F action) {
        return [this, action](auto&&... args) {
            if (!FDetached)
                action(std::forward<decltype(args)>(args)...);
        };
    }

private:
    int FTranslating = 0;
    bool FDetached = false;
};
