#pragma once
// The Qt side of forms, for the platform's own .cpp files only.

#include "platform/Forms.h"
#include "platform/Peer.h"

class QEventLoop;

// A form's window: its menu bar, when it has one, above the client area that holds the children.
class TFormPeer : public TControlPeer {
public:
    explicit TFormPeer(TControl& control);
    QWidget* ClientWidget() const override { return FClient; }
    // Shows the menu's bar above the client area; nullptr removes the menu bar.
    void SetMenu(TMainMenu* menu);
    void SetGeometry(const TRect& bounds) override;
    void SetColor(TColor color) override;
    void SetWindowStyle(TFormBorderStyle border, bool stayOnTop, bool minimize, bool maximize);
    void SetWindowState(TWindowState state);
    // While modal, the window keeps the input from every other window of the program.
    void SetModal(bool modal);
    // A shown window becomes the one the keyboard goes to.
    void ActivateWindow();
    // The focus goes on to the next (or previous) widget of the window that takes it by Tab.
    void FocusNext(bool forward);
    // Handles messages until QuitModalLoop is called.
    void RunModalLoop();
    void QuitModalLoop();

private:
    void ResizeWindow();
    QWidget* FClient;
    QPointer<QWidget> FMenuBar;
    bool FFixedSize = false;
    QEventLoop* FModalLoop = nullptr;
};
