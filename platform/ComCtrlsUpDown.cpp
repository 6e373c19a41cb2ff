#include "platform/ComCtrls.h"
#include "platform/DateTime.h"
#include "platform/StdPeers.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A number as typed: an optional minus and digits, with thousands separators allowed.
bool ParseTypedNumber(const String& text, int& value) {
    String digits;
    for (char c : Trim(text))
        if (c != ',' && c != FormatSettings.ThousandSeparator)
            digits += c;
    size_t start = !digits.empty() && digits[0] == '-' ? 1 : 0;
    if (digits.size() == start || digits.size() - start > 9)
        return false;
    for (size_t i = start; i < digits.size(); ++i)
        if (digits[i] < '0' || digits[i] > '9')
            return false;
    value = std::atoi(digits.c_str());
    return true;
}

void DrawArrow(TCanvas& canvas, const TRect& box, bool up) {
    int cx = box.Left + box.Width() / 2;
    int cy = box.Top + box.Height() / 2;
    int half = std::max(1, std::min(box.Width(), box.Height()) / 4);
    int tip = up ? cy - half / 2 - 1 : cy + half / 2;
    int base = up ? tip + half : tip - half;
    canvas.Pen().SetColor(clBtnText);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnText);
    canvas.Polygon({Point(cx, tip), Point(cx - half, base), Point(cx + half, base)});
}

} // namespace

TUpDown::TUpDown(TComponent* AOwner) : TCustomControl(AOwner, MakePeer<TPaintedPeer>) {
    SetControlStyle(WithoutClickEvents(ControlStyle()));
    SetColor(clBtnFace);
    SetBounds(0, 0, 16, 24);
}

int TUpDown::Position() const {
    int typed = 0;
    if (FAssociate && ParseTypedNumber(FAssociate->Text(), typed) &&
        typed >= std::min(FMin, FMax) && typed <= std::max(FMin, FMax))
        FPosition = typed;
    return FPosition;
}

void TUpDown::SetPosition(int value) {
    FPosition = std::clamp(value, std::min(FMin, FMax), std::max(FMin, FMax));
    if (FAssociate)
        FAssociate->SetText(PositionText(FPosition));
}

String TUpDown::PositionText(int value) const {
    String digits = IntToStr(std::abs(value));
    if (FThousands)
        for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
            digits.insert(at, 1, FormatSettings.ThousandSeparator);
    return value < 0 ? "-" + digits : digits;
}

void TUpDown::SetAssociate(TWinControl* value) {
    FAssociate = value;
    if (!value)
        return;
    FreeNotification(value);
    if (value->Parent()) {
        SetParent(value->Parent());
        SetBounds(value->Left() + value->Width(), value->Top(), Width(), value->Height());
    }
    value->SetText(PositionText(FPosition));
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate)
        FAssociate = nullptr;
}

void TUpDown::Step(TUDBtnType button) {
    int low = std::min(FMin, FMax);
    int high = std::max(FMin, FMax);
    int next = Position() + (button == btNext ? FIncrement : -FIncrement);
    if (next > high)
        next = FWrap ? low : high;
    else if (next < low)
        next = FWrap ? high : low;
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    if (!allow)
        return;
    SetPosition(next);
    if (OnClick)
        OnClick(this, button);
}

void TUpDown::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
        Step(GET_Y_LPARAM(Message.LParam) < Height() / 2 ? btNext : btPrev);
        return;
    }
    TCustomControl::DefaultHandler(Message);
}

void TUpDown::Paint() {
    TCanvas& canvas = Canvas();
    int middle = Height() / 2;
    TRect up = Rect(0, 0, Width(), middle);
    TRect down = Rect(0, middle, Width(), Height());
    TRect upArrow = up;
    TRect downArrow = down;
    Frame3D(canvas, up, clBtnHighlight, clBtnShadow, 1);
    Frame3D(canvas, down, clBtnHighlight, clBtnShadow, 1);
    DrawArrow(canvas, upArrow, true);
    DrawArrow(canvas, downArrow, false);
}
