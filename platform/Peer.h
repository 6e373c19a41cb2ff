#pragma once
// The Qt side of the controls, for the platform's own .cpp files only. A peer owns the widget that
// shows its control, keeps the widget in step with the control's state, and turns the widget's
// input into messages for the control's window procedure.

#include "platform/Controls.h"
#include "platform/DisplayText.h"
#include "platform/KeyTables.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QDropEvent;
class QEvent;
class QImage;
class QKeyEvent;
class QMouseEvent;
class QPainter;

class TControlPeer : public QObject {
    Q_OBJECT
public:
    // Takes ownership of widget.
    TControlPeer(TControl& control, QWidget* widget);
    ~TControlPeer() override;

    TControl& Control() const { return FControl; }
    // The widget that shows the control, and the one its children and drawing go on (the same,
    // except for forms, whose client area sits below the menu bar).
    QWidget* Widget() const { return FWidget; }
    virtual QWidget* ClientWidget() const { return FWidget; }
    // Also turns the input of a part of the widget (a viewport, an inner editor) into messages,
    // with positions in the client widget's coordinates.
    void Watch(QWidget* part);

    // The control's state, pushed onto the widget when it changes.
    virtual void SetParentPeer(TControlPeer* parent);
    virtual void SetGeometry(const TRect& bounds);
    virtual void SetShown(bool shown);
    virtual void SetEnabled(bool enabled);
    virtual void SetText(const String& text);
    virtual void SetFont(const TFont& font);
    virtual void SetColor(TColor color);
    virtual void SetCursor(TCursor cursor);

    void Invalidate();
    void InvalidateRect(const TRect& rect);
    void Update();
    void Repaint();
    // A picture of the widget as it is shown now, children included.
    void RenderTo(TBitmap& picture) const;
    // The client area as the widget erases and paints it itself, without its children.
    void RenderBackgroundTo(TBitmap& picture) const;
    void BringToFront();
    void SetFocus();
    bool Focused() const;
    // Whether the widget gets the mouse wherever it is.
    void SetMouseGrab(bool grabbed);
    // Puts the widget right after previous's in the order the Tab key goes.
    void FollowInTabOrder(const TControlPeer& previous);
    // A widget that is not updated keeps what it shows until it is updated again.
    void SetUpdatesEnabled(bool enabled);
    // Files dropped on the widget come to the control as WM_DROPFILES; other drops the widget
    // takes as before.
    void SetAcceptFiles(bool accept);
    TPoint ClientToScreen(const TPoint& point) const;
    TPoint ScreenToClient(const TPoint& point) const;

    // Hands a message made from input to the control; true when it reached the control's
    // DefaultHandler, so the widget should react to the input as well. Exceptions thrown by the
    // program's handlers stop here and are shown through the application.
    bool Deliver(TMessage& message);
    // Called by DefaultHandler.
    void DefaultReached(const TMessage& message);
    // Stops turning the widget's events into messages: the control is being freed, and the
    // widget's own last events (losing the focus, hiding) must not reach it. A peer whose widget
    // reports through signals of its own stops those too.
    virtual void Detach() { FDetached = true; }
    bool Detached() const { return FDetached; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Turns one event of the widget or a watched part into messages; true when the widget must not
    // see it.
    virtual bool TranslateEvent(QWidget* watched, QEvent* event);
    // Paints a control that draws itself: its background, then WM_PAINT with its canvas bound.
    virtual void PaintControl(QWidget& widget, TCanvas& canvas);

private:
    bool TranslateMouse(QWidget* watched, QMouseEvent* event);
    bool TranslateKey(QWidget* watched, QKeyEvent* event);
    bool TranslateToolTip(QEvent* event);
    bool TranslateTopLevel(QWidget* watched, QEvent* event);
    bool TranslateFileDrop(QDropEvent* event);
    void LetGoOfWindowFocus();
    bool DeliverInput(UINT msg, WPARAM wParam, LPARAM lParam);

    TControl& FControl;
    QPointer<QWidget> FWidget;
    const TMessage* FDelivering = nullptr;
    bool FDefaultReached = false;
    bool FResending = false;
    bool FDetached = false;
    bool FAcceptFiles = false;
    bool FWidgetTakesDrops = false; // what the widget itself does with drops
};

// The peers of the base controls: a plain widget; a window that shows its colour; a control
// without a window, which lets its parent show through and never takes the focus; and a window
// that draws itself and takes the focus.
std::unique_ptr<TControlPeer> MakePlainPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeWindowPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeGraphicPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeCustomPeer(TControl& control);
// A window that draws itself over its parent's window (TCustomPopupControl).
std::unique_ptr<TControlPeer> MakePopupPeer(TControl& control);

// Runs call from the event loop, once the messages being handled now are done.
void CallLater(std::function<void()> call);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
// The font with its family mapped to the nearest one the machine has.
QFont ToQFont(const TFont& font);
// "MS Sans Serif", "Small Fonts", "Arial", "Courier New", "Times New Roman" and any other name
// turned into an installed family of the same kind.
QString NearestFontFamily(const String& name);

// Lets a canvas draw through a painter for as long as this object lives.
class TCanvasPainting {
public:
    TCanvasPainting(TCanvas& canvas, QPainter& painter);
    ~TCanvasPainting();
    TCanvasPainting(const TCanvasPainting&) = delete;
    TCanvasPainting& operator=(const TCanvasPainting&) = delete;

private:
    TCanvas& FCanvas;
};

// A path as the file system spells it (bytes), and as a widget shows it.
String FileSystemName(const QString& path);
QString ShownFileName(const String& path);

// The cursor shown for a cursor number: the screen's table first, then the stock shapes.
QCursor CursorFor(TCursor cursor);

// The image behind a bitmap.
QImage& BitmapImage(TBitmap& bitmap);
const QImage& BitmapImage(const TBitmap& bitmap);

// Keyboard and mouse state seen in real input, kept where tests set it too.
void NoteKeyInput(int virtualKey, bool down);
void NoteMouseInput(const TPoint& screenPoint);
