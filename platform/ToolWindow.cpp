#include "platform/ToolWindow.h"

#include "platform/KeyTables.h"
#include "platform/Peer.h"
#include "platform/Win32Draw.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

void MakeToolWindow(TControl& control, const TControl& owner) {
    QWidget* widget = control.Peer().Widget();
    QWidget* ownerWindow = owner.Peer().Widget()->window();
    const bool shown = widget->isVisible();
    widget->setParent(ownerWindow,
                      Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    widget->setAttribute(Qt::WA_ShowWithoutActivating);
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setGeometry(control.Left(), control.Top(), control.Width(), control.Height());
    widget->setVisible(shown);
}

// ---- The outline

namespace {

const TScreenOutline* CurrentOutline = nullptr;

} // namespace

struct TScreenOutline::TWidget : QWidget {
    TWidget()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_ShowWithoutActivating);
    }
    int Thickness = 1;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QBrush halftone(Qt::black, Qt::Dense4Pattern);
        const int w = width();
        const int h = height();
        const int t = std::min(Thickness, std::min(w, h) / 2 + 1);
        painter.fillRect(0, 0, w, t, halftone);
        painter.fillRect(0, h - t, w, t, halftone);
        painter.fillRect(0, t, t, h - 2 * t, halftone);
        painter.fillRect(w - t, t, t, h - 2 * t, halftone);
    }
};

TScreenOutline::TScreenOutline() : FWidget(std::make_unique<TWidget>()) {}

TScreenOutline::~TScreenOutline() {
    if (CurrentOutline == this)
        CurrentOutline = nullptr;
}

void TScreenOutline::Hide() {
    FWidget->hide();
    if (CurrentOutline == this)
        CurrentOutline = nullptr;
}

void TScreenOutline::Show(const TRect& rect, int thickness) {
    FRect = rect;
    FThickness = thickness;
    if (IsRectEmpty(rect)) {
        Hide();
        return;
    }
    CurrentOutline = this;
    FWidget->Thickness = thickness;
    FWidget->setGeometry(rect.Left, rect.Top, rect.Width(), rect.Height());
    // Only the edges are part of the window, so what lies inside the frame stays in view even
    // without a compositing window manager.
    const QRegion whole(0, 0, rect.Width(), rect.Height());
    FWidget->setMask(whole.subtracted(QRegion(thickness, thickness, rect.Width() - 2 * thickness,
                                              rect.Height() - 2 * thickness)));
    FWidget->show();
    FWidget->update();
}

const TScreenOutline* TScreenOutline::Current() {
    return CurrentOutline;
}

// ---- Input held by a drag

struct TInputHold::TFilter : QObject {
    std::function<void(int, bool)> OnKey;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool down = event->type() == QEvent::KeyPress;
            const int virtualKey = VirtualKeyOf(*key);
            NoteKeyInput(virtualKey, down);
            if (!key->isAutoRepeat() && OnKey)
                OnKey(virtualKey, down);
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
        case QEvent::ContextMenu:
        case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
        }
    }
};

TInputHold::TInputHold(std::function<void(int virtualKey, bool down)> onKey)
    : FFilter(std::make_unique<TFilter>()) {
    FFilter->OnKey = std::move(onKey);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(FFilter.get());
}

TInputHold::~TInputHold() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(FFilter.get());
}
