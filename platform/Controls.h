#pragma once
// Controls: visual components with a parent, bounds, alignment, events and a window procedure.
// Each control keeps its state itself and holds one peer that shows it on screen; messages made
// from the peer's input reach the control through its window procedure.

#include "platform/Component.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Sets.h"
#include "platform/Types.h"

#include <functional>
#include <memory>
#include <vector>

class TControl;
class TControlPeer;
class TWinControl;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoStdEvents,
};
using TControlStyle = TSet<TControlStyleFlag>;

// Screen cursors: the stock ones are negative; the program's own sit in other slots of the
// screen's cursor table.
using TCursor = int;
enum : TCursor {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
};

// Frames of forms and panels.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle; // of panels and other controls: bsNone or bsSingle

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
// A drag from the control ended (platform/DragManager.h): Target took the drop, or is null.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TWndMethod = std::function<void(TMessage& Message)>;

// Makes the peer of a control; each kind of control passes its own to the protected constructor.
using TPeerFactory = std::function<std::unique_ptr<TControlPeer>(TControl& control)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* value);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& rect);
    // The area children and drawing use, in the control's own coordinates.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    TPoint ClientToScreen(const TPoint& point) const;
    TPoint ScreenToClient(const TPoint& point) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents up to a shown form.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    // Caption and Text are the same property under two names.
    virtual String Text() const { return FText; }
    virtual void SetText(const String& value);
    String Caption() const { return Text(); }
    void SetCaption(const String& value) { SetText(value); }

    const String& Hint() const { return FHint; }
    void SetHint(const String& value);
    // A hint is "short|long": the short part shows over the control, the long one goes to the
    // application's Hint (status bars show it).
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    // Take ShowHint from the parent (on by default; setting ShowHint turns it off).
    // Whether the hint shows, ParentShowHint taken into account.
    bool HintShowing() const;
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& value) { FFont.Assign(value); }
    bool ParentFont() const { return FParentFont; }
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value) { FPopupMenu = value; }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    // Whether the control gets the mouse wherever it is: from a left press to its release (for
    // csCaptureMouse controls), or while set in code.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // Sends a message straight to the control's window procedure and returns its result.
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // The window procedure that every message passes through. A hook saves the one it finds and
    // installs its own, calling the saved one to pass messages on; an empty one restores WndProc.
    const TWndMethod& WindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod value);
    // The control's own handling; what it does not handle goes on to DefaultHandler.
    virtual void WndProc(TMessage& Message);
    // The system's handling of a message: for one made from input, the widget's own reaction.
    virtual void DefaultHandler(TMessage& Message);

    void Invalidate();
    // Only that part of the client area is painted again.
    void InvalidateRect(const TRect& rect);
    void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();

    // Raises OnClick, as a click of the user does.
    virtual void Click();

    TControlPeer& Peer() const { return *FPeer; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;
    TEndDragEvent OnEndDrag;

protected:
    TControl(TComponent* AOwner, const TPeerFactory& makePeer);
    friend class TControlPeer;
    friend class TWinControl;

    void Loaded() override;
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void Resize();
    // The canvas the peer paints through, for controls that draw themselves.
    virtual TCanvas* PaintCanvas() { return nullptr; }
    // Called before Visible changes.
    virtual void VisibleChanging() {}
    // Whether the peer's widget should be on screen (a control without parent never is).
    virtual bool WidgetShown() const;
    // Pushes the control's place and visibility onto its peer, after the peer changed parent.
    void SyncPeer();
    void RequestAlign();
    // Bounds the window system gave the control (a window resized by the user): kept without
    // being sent back to the peer.
    void BoundsSetByPeer(int ALeft, int ATop, int AWidth, int AHeight);
    // Sends a message to the top-level window the control lies in (see TWinControl::IsTopLevel);
    // 0 when it lies in none.
    LRESULT PerformOnTopLevel(UINT Msg, WPARAM WParam, LPARAM LParam) const;

private:
    void HandleMouseMessage(TMessage& Message);
    void FontChanged();
    void AdoptParentFont();
    void BoundsChanged(bool resized);

    std::unique_ptr<TControlPeer> FPeer;
    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    String FText;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TFont FFont;
    bool FParentFont = true;
    TColor FColor = clWindow;
    TCursor FCursor = crDefault;
    int FHelpContext = 0;
    TPopupMenu* FPopupMenu = nullptr;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TWndMethod FWindowProc;
    bool FClickPending = false;
    bool FAdoptingParentFont = false;
};

// A control that is a window: it holds child controls, takes the keyboard focus and has a handle.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // Children in the order they were put in.
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Sends the message to every child until one sets a non-zero Result.
    void Broadcast(TMessage& Message);
    // Whether control is this one or lies inside it.
    bool ContainsControl(const TControl* control) const;

    // An opaque value that names this control to SendMessage and PostMessage; never 0.
    HWND Handle() const;

    bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value) { FTabStop = value; }

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    // Lays the aligned children out again in the client area.
    void Realign();

    // Whether the control is a window of its own on the desktop that looks after the controls
    // inside it: their focus, key preview, menus, hints and help (the CM_ messages sent to a
    // top-level window). A form is.
    virtual bool IsTopLevel() const { return false; }

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    TWinControl(TComponent* AOwner, const TPeerFactory& makePeer);
    friend class TControl;
    friend class TControlPeer;

    // The framework's layout: top, bottom, left and right aligned children take their edges of
    // rect in turn (each group ordered by position), and a client-aligned one the rest.
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // The part of the client area aligned children share (a frame drawn inside may narrow it).
    virtual void AdjustClientRect(TRect& Rect) const;
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // Raises the key events of a key message, after the form previewed it; true when a handler
    // took the key (set it to 0).
    bool DoKey(TMessage& Message);

private:
    void RaiseKeyEvent(TMessage& Message);
    void MoveControl(TControl* control, int index);
    void NotifyFocusChanged();
    void ShowHelp();

    uintptr_t FHandle;
    std::vector<TControl*> FControls;
    bool FTabStop = false;
    int FAlignLevel = 0;
    bool FAlignPending = false;
    bool FAligning = false;
};

// A control without a window of its own that draws itself on its parent.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    TCanvas& Canvas() { return FCanvas; }
    void WndProc(TMessage& Message) override;

protected:
    TGraphicControl(TComponent* AOwner, const TPeerFactory& makePeer);
    virtual void Paint() {}
    TCanvas* PaintCanvas() override { return &FCanvas; }

private:
    TCanvas FCanvas;
};

// A window that draws itself.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    TCanvas& Canvas() { return FCanvas; }
    void WndProc(TMessage& Message) override;

protected:
    TCustomControl(TComponent* AOwner, const TPeerFactory& makePeer);
    virtual void Paint() {}
    TCanvas* PaintCanvas() override { return &FCanvas; }

private:
    TCanvas FCanvas;
};

// A window that draws itself and stands on the screen over the window of its parent, which owns
// it: no frame, never activated, so the keyboard stays where it was; its bounds are in screen
// coordinates. It shows whenever it is visible, wherever its parent is.
class TCustomPopupControl : public TCustomControl {
public:
    explicit TCustomPopupControl(TComponent* AOwner);
    bool Showing() const override { return Visible(); }

protected:
    bool WidgetShown() const override { return Visible(); }
};

// A component as a form resource makes it: owned and named.
template <typename T> T* NewComponent(TComponent* owner, const String& name) {
    T* component = new T(owner);
    component->SetName(name);
    return component;
}

// A control as a form resource makes it: owned, named and placed on its parent.
template <typename T> T* NewControl(TComponent* owner, TWinControl* parent, const String& name) {
    T* control = NewComponent<T>(owner, name);
    control->SetParent(parent);
    return control;
}

template <typename T>
T* NewControl(TComponent* owner, TWinControl* parent, const String& name, int left, int top,
              int width, int height) {
    T* control = NewControl<T>(owner, parent, name);
    control->SetBounds(left, top, width, height);
    return control;
}

// The top-level window a control lies in, the control itself when it is one; nullptr for none.
TWinControl* TopLevelWindowOf(const TControl* control);
// The windowed control a handle names; nullptr once it is freed.
TWinControl* FindControl(HWND handle);
LRESULT SendMessage(HWND handle, UINT Msg, WPARAM WParam, LPARAM LParam);
// Queues the message; it is delivered while messages are processed, if the window still exists.
BOOL PostMessage(HWND handle, UINT Msg, WPARAM WParam, LPARAM LParam);
// The first message of that number still queued for the window (for any window when handle is
// nullptr): true, with its values, when there is one.
bool PeekPostedMessage(HWND handle, UINT Msg, TMessage& message);
// Takes that message out of the queue, so that it is never delivered; false when none is queued.
bool RemovePostedMessage(HWND handle, UINT Msg);
bool IsWindow(HWND handle);
// The window that has the mouse (for a control without a window, its parent's); nullptr for none.
HWND GetCapture();
// Stops one window from redrawing until it is unlocked with nullptr; only one window can be
// locked at a time, so a second lock fails.
BOOL LockWindowUpdate(HWND handle);

String GetShortHint(const String& hint);
String GetLongHint(const String& hint);

// The mouse buttons of MK_ flags, with Alt from the keyboard state.
TShiftState KeysToShiftState(WPARAM keys);
// Shift, Ctrl and Alt as the keyboard state has them now.
TShiftState CurrentShiftState();
// The keyboard as the program last saw it (and as a test sets it): the high bit 0x8000 for a
// key held down, the low bit 1 for a toggle key that is on (VK_INSERT, VK_CAPITAL, VK_NUMLOCK).
short GetKeyState(int virtualKey);
short GetAsyncKeyState(int virtualKey);
// Where the mouse pointer is, in screen coordinates.
BOOL GetCursorPos(TPoint* point);
