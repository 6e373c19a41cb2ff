#pragma once
// Small windows that float above their form (a floating toolbar): the window manager gives them
// neither frame nor title, so the control paints its own; they never take the keyboard focus or
// the activation from the form. Also the outline that follows the pointer while such a window is
// dragged or sized, and the input a drag holds for itself.

#include "platform/Controls.h"

#include <functional>
#include <memory>

// Makes the control's widget a frameless tool window kept above owner's window; the control's
// Left and Top are screen coordinates from then on. The control must have no parent.
void MakeToolWindow(TControl& control, const TControl& owner);

// A frame over the whole screen, drawn in a halftone pattern, that follows the pointer. Moving
// it replaces the old frame in one step; it is gone when the object is.
class TScreenOutline {
public:
    TScreenOutline();
    ~TScreenOutline();
    TScreenOutline(const TScreenOutline&) = delete;
    TScreenOutline& operator=(const TScreenOutline&) = delete;

    // Shows the frame with edges of thickness pixels; an empty rectangle hides it.
    void Show(const TRect& rect, int thickness);
    // Takes the frame off the screen; Rect stays where it was last shown.
    void Hide();
    TRect Rect() const { return FRect; }
    int Thickness() const { return FThickness; }

    // The outline on screen now, nullptr when none is.
    static const TScreenOutline* Current();

private:
    struct TWidget;
    std::unique_ptr<TWidget> FWidget;
    TRect FRect{};
    int FThickness = 0;
};

// While it lives, keys and the other mouse buttons go nowhere: each key pressed or released is
// reported (virtual key, down) instead, and right or middle presses are dropped.
class TInputHold {
public:
    explicit TInputHold(std::function<void(int virtualKey, bool down)> onKey);
    ~TInputHold();
    TInputHold(const TInputHold&) = delete;
    TInputHold& operator=(const TInputHold&) = delete;

private:
    struct TFilter;
    std::unique_ptr<TFilter> FFilter;
};
