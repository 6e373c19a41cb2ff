// Check boxes and radio buttons, whose peers are one template.

#include "platform/StdCtrls.h"
#include "platform/StdPeers.h"

#include <QCheckBox>
#include <QPalette>
#include <QRadioButton>

#include <type_traits>

namespace {

Qt::CheckState QtState(TCheckBoxState state) {
    return state == cbChecked  ? Qt::Checked
           : state == cbGrayed ? Qt::PartiallyChecked
                               : Qt::Unchecked;
}

} // namespace

// A check box or radio button: the widget shows the state the control holds, also after a
// click, which the control turns into its own next state.
template <typename Box> class TCheckPeer : public TStdPeer {
public:
    explicit TCheckPeer(TControl& control) : TStdPeer(control, new Box) {
        QObject::connect(Check(), &Box::clicked, this, Report([this](bool) {
                             if (Notify(BN_CLICKED))
                                 ShowCheckState(FShown);
                         }));
    }
    void SetText(const String& text) override { Check()->setText(DisplayText(text)); }
    // A colour of its own fills the control behind its box and caption; the box keeps the
    // window colour, so its mark stays readable. clWindow, which every control starts with,
    // leaves the parent's background showing.
    void SetColor(TColor color) override {
        QPalette palette = Check()->palette();
        palette.setColor(QPalette::Window, ToQColor(color));
        palette.setColor(QPalette::Base, ToQColor(clWindow));
        Check()->setPalette(palette);
        Check()->setBackgroundRole(QPalette::Window);
        Check()->setAutoFillBackground(color != clWindow);
    }
    void ShowState(TCheckBoxState state) { ShowCheckState(QtState(state)); }
    void ShowAlignment(TAlignment alignment) {
        Check()->setLayoutDirection(alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    }

protected:
    Box* Check() const { return static_cast<Box*>(Widget()); }

private:
    void ShowCheckState(Qt::CheckState state) {
        FShown = state;
        if constexpr (std::is_same_v<Box, QCheckBox>)
            Check()->setCheckState(state);
        else
            Check()->setChecked(state == Qt::Checked);
    }

    Qt::CheckState FShown = Qt::Unchecked;
};

class TCheckBoxPeer : public TCheckPeer<QCheckBox> {
public:
    using TCheckPeer::TCheckPeer;
    // Clicks step through the grayed state too.
};

class TRadioButtonPeer : public TCheckPeer<QRadioButton> {
public:
    explicit TRadioButtonPeer(TControl& control) : TCheckPeer(control) {
        // The framework unchecks the other radio buttons of the parent itself.
        Check()->setAutoExclusive(false);
    }
};

// ---- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TCheckBoxPeer>), TPeerOf(Peer()) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::SetState(TCheckBoxState value) {
    if (!Change(FState, value))
        return;
    TypedPeer().ShowState(value);
    if (!IsLoading())
        Click();
}

void TCheckBox::SetAlignment(TAlignment value) {
    FAlignment = value;
    TypedPeer().ShowAlignment(value);
}

// A click checks an unchecked box and unchecks a checked or grayed one.
void TCheckBox::Toggle() {
    SetState(FState == cbUnchecked ? cbChecked : cbUnchecked);
}

void TCheckBox::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND && NotifyCode(Message) == BN_CLICKED) {
        Toggle();
        return;
    }
    TWinControl::WndProc(Message);
}

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner)
    : TWinControl(AOwner, MakePeer<TRadioButtonPeer>), TPeerOf(Peer()) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool value) {
    if (!Change(FChecked, value))
        return;
    SetTabStop(value);
    TypedPeer().ShowState(value ? cbChecked : cbUnchecked);
    if (!value)
        return;
    UncheckSiblings();
    if (!IsLoading())
        Click();
}

void TRadioButton::UncheckSiblings() {
    if (!Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            other && other != this)
            other->SetChecked(false);
}

void TRadioButton::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND && NotifyCode(Message) == BN_CLICKED) {
        SetChecked(true);
        return;
    }
    TWinControl::WndProc(Message);
}
