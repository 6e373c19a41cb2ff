#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <QPushButton>

class TButtonPeer : public TStdPeer {
public:
    explicit TButtonPeer(TControl& control) : TStdPeer(control, new QPushButton) {
        QObject::connect(Button(), &QPushButton::clicked, this,
                         Report([this](bool) { Notify(BN_CLICKED); }));
    }
    void SetText(const String& text) override { Button()->setText(DisplayText(text)); }
    void SetDefault(bool isDefault) { Button()->setDefault(isDefault); }

private:
    QPushButton* Button() const { return static_cast<QPushButton*>(Widget()); }
};

namespace {

// The button Return clicks, as the framework marks it active: the focused button, else the
// default button while the focus is on a control that is not a button.
bool IsActive(const TButton& button) {
    TForm* form = GetParentForm(&button);
    auto* focused = form ? dynamic_cast<TButton*>(form->ActiveControl()) : nullptr;
    return focused ? focused == &button : button.Default();
}

bool WantsDialogKey(const TButton& button, WORD key) {
    bool wanted = key == VK_RETURN ? IsActive(button) : key == VK_ESCAPE && button.Cancel();
    return wanted && button.CanFocus();
}

} // namespace

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner, MakePeer<TButtonPeer>), TPeerOf(Peer()) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool value) {
    FDefault = value;
    TypedPeer().SetDefault(value);
}

void TButton::Click() {
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND && NotifyCode(Message) == BN_CLICKED) {
        Click();
        return;
    }
    if (Message.Msg == CM_DIALOGKEY && WantsDialogKey(*this, static_cast<WORD>(Message.WParam))) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::WndProc(Message);
}
