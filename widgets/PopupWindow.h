#pragma once
// The window an edit drops down, and what passes between the two.

#include "platform/Controls.h"
#include "platform/DateTime.h"

#include <functional>
#include <variant>

class TCustomComboEdit;

// What passes between an edit and its pop-up: nothing, a text or a date.
using TPopupValue = std::variant<std::monostate, String, TDateTime>;

using TPopupCloseEvent = std::function<void(TObject* Sender, bool Accept)>;

// The window an edit drops down: it stands over the edit's window without taking the focus, and
// a left-button release in it finishes it, accepting when the release lies inside it.
class TPopupWindow : public TCustomPopupControl {
public:
    explicit TPopupWindow(TCustomComboEdit* AEditor);

    virtual TPopupValue GetWindowValue() = 0;
    virtual void SetWindowValue(const TPopupValue& Value) = 0;
    virtual void FinishPopup(bool Accept);
    virtual String GetDisplayText() const { return String(); }
    // Shows it at a point of the screen, on top, without activating it.
    void ShowAt(const TPoint& point);
    void HideWindow() { Hide(); }
    // The edit keeps the keyboard and passes its keys on.
    using TCustomPopupControl::KeyDown;
    using TCustomPopupControl::KeyPress;

    TCustomComboEdit* Editor() const { return FEditor; }
    TPopupCloseEvent OnPopupClose;

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TCustomComboEdit* FEditor;
};
