#include "platform/Peer.h"
#include "platform/Forms.h"
#include "platform/ShellApi.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QUrl>

namespace {

void NoteModifiers(Qt::KeyboardModifiers modifiers) {
    NoteKeyInput(VK_SHIFT, modifiers.testFlag(Qt::ShiftModifier));
    NoteKeyInput(VK_CONTROL, modifiers.testFlag(Qt::ControlModifier));
    NoteKeyInput(VK_MENU, modifiers.testFlag(Qt::AltModifier));
}

WPARAM MouseKeys(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    WPARAM keys = 0;
    if (buttons.testFlag(Qt::LeftButton))
        keys |= MK_LBUTTON;
    if (buttons.testFlag(Qt::RightButton))
        keys |= MK_RBUTTON;
    if (buttons.testFlag(Qt::MiddleButton))
        keys |= MK_MBUTTON;
    if (modifiers.testFlag(Qt::ShiftModifier))
        keys |= MK_SHIFT;
    if (modifiers.testFlag(Qt::ControlModifier))
        keys |= MK_CONTROL;
    return keys;
}

// The message of a button event: the left button's, shifted for the right and middle ones.
UINT ButtonMessage(QEvent::Type type, Qt::MouseButton button) {
    UINT base = type == QEvent::MouseButtonPress     ? WM_LBUTTONDOWN
                : type == QEvent::MouseButtonRelease ? WM_LBUTTONUP
                                                     : WM_LBUTTONDBLCLK;
    if (button == Qt::RightButton)
        return base + (WM_RBUTTONDOWN - WM_LBUTTONDOWN);
    if (button == Qt::MiddleButton)
        return base + (WM_MBUTTONDOWN - WM_LBUTTONDOWN);
    return button == Qt::LeftButton ? base : WM_NULL;
}

// The files a drag carries, as full paths; empty when it carries none.
std::vector<String> DraggedFiles(const QMimeData* data) {
    std::vector<String> paths;
    if (data)
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                paths.push_back(FileSystemName(url.toLocalFile()));
    return paths;
}

} // namespace

String FileSystemName(const QString& path) {
    QByteArray bytes = QFile::encodeName(path);
    return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString ShownFileName(const String& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

// ---- The peer

TControlPeer::TControlPeer(TControl& control, QWidget* widget)
    : FControl(control), FWidget(widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

TControlPeer::~TControlPeer() {
    delete FWidget.data();
}

void TControlPeer::Watch(QWidget* part) {
    part->setMouseTracking(true);
    part->setAttribute(Qt::WA_NoMousePropagation);
    part->installEventFilter(this);
}

void TControlPeer::SetParentPeer(TControlPeer* parent) {
    FWidget->setParent(parent ? parent->ClientWidget() : nullptr);
}

void TControlPeer::SetGeometry(const TRect& bounds) {
    FWidget->setGeometry(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

void TControlPeer::SetShown(bool shown) {
    if (!shown)
        LetGoOfWindowFocus();
    FWidget->setVisible(shown);
}

// A hidden widget must never keep the keyboard. While its window is active the toolkit moves the
// focus on by itself; while a modal dialog is in front it would not, and the window would give
// the keys back to the hidden widget when the dialog closes.
void TControlPeer::LetGoOfWindowFocus() {
    if (FWidget->isWindow())
        return;
    QWidget* focused = FWidget->window()->focusWidget();
    if (focused && (focused == FWidget || FWidget->isAncestorOf(focused)) &&
        !FWidget->window()->isActiveWindow())
        focused->clearFocus();
}

void TControlPeer::SetEnabled(bool enabled) {
    FWidget->setEnabled(enabled);
}

void TControlPeer::SetText(const String& text) {
    if (FWidget->isWindow())
        FWidget->setWindowTitle(DisplayText(text));
}

void TControlPeer::SetFont(const TFont& font) {
    FWidget->setFont(ToQFont(font));
    QPalette palette = FWidget->palette();
    palette.setColor(QPalette::WindowText, ToQColor(font.Color()));
    palette.setColor(QPalette::Text, ToQColor(font.Color()));
    palette.setColor(QPalette::ButtonText, ToQColor(font.Color()));
    FWidget->setPalette(palette);
}

void TControlPeer::SetColor(TColor color) {
    QPalette palette = FWidget->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    palette.setColor(QPalette::Base, ToQColor(color));
    FWidget->setPalette(palette);
}

void TControlPeer::SetCursor(TCursor cursor) {
    if (cursor == crDefault)
        FWidget->unsetCursor();
    else
        FWidget->setCursor(CursorFor(cursor));
}

void TControlPeer::Invalidate() {
    ClientWidget()->update();
}

void TControlPeer::InvalidateRect(const TRect& rect) {
    ClientWidget()->update(rect.Left, rect.Top, rect.Width(), rect.Height());
}

void TControlPeer::Update() {
    ClientWidget()->repaint();
}

void TControlPeer::Repaint() {
    ClientWidget()->repaint();
}

void TControlPeer::RenderTo(TBitmap& picture) const {
    QImage image(FWidget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    FWidget->render(&image);
    BitmapImage(picture) = image;
}

void TControlPeer::RenderBackgroundTo(TBitmap& picture) const {
    QWidget* client = ClientWidget();
    QImage image(client->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(client->palette().color(client->backgroundRole()));
    client->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    BitmapImage(picture) = image;
}

void TControlPeer::BringToFront() {
    // Without a window system there is no stacking of windows to change.
    if (!FWidget->isWindow() || QGuiApplication::platformName() != QLatin1String("offscreen"))
        FWidget->raise();
    if (!FWidget->isWindow())
        return;
    // The tool windows it keeps (floating toolbars) stay above it, with or without a window
    // manager to see to it.
    for (QWidget* tool : FWidget->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (tool->isWindow() && tool->windowType() == Qt::Tool && tool->isVisible())
            tool->raise();
    if (FWidget->isVisible())
        FWidget->activateWindow();
}

void TControlPeer::SetFocus() {
    if (FWidget->isWindow())
        FWidget->activateWindow();
    FWidget->setFocus(Qt::OtherFocusReason);
}

bool TControlPeer::Focused() const {
    return FWidget->hasFocus();
}

void TControlPeer::SetMouseGrab(bool grabbed) {
    if (grabbed)
        FWidget->grabMouse();
    else
        FWidget->releaseMouse();
}

void TControlPeer::FollowInTabOrder(const TControlPeer& previous) {
    QWidget::setTabOrder(previous.Widget(), FWidget);
}

void TControlPeer::SetUpdatesEnabled(bool enabled) {
    FWidget->setUpdatesEnabled(enabled);
}

void TControlPeer::SetAcceptFiles(bool accept) {
    if (accept == FAcceptFiles)
        return;
    if (accept)
        FWidgetTakesDrops = FWidget->acceptDrops();
    FAcceptFiles = accept;
    FWidget->setAcceptDrops(accept || FWidgetTakesDrops);
}

TPoint TControlPeer::ClientToScreen(const TPoint& point) const {
    QPoint global = ClientWidget()->mapToGlobal(QPoint(point.x, point.y));
    return TPoint{global.x(), global.y()};
}

TPoint TControlPeer::ScreenToClient(const TPoint& point) const {
    QPoint local = ClientWidget()->mapFromGlobal(QPoint(point.x, point.y));
    return TPoint{local.x(), local.y()};
}

bool TControlPeer::Deliver(TMessage& message) {
    const TMessage* outerMessage = FDelivering;
    bool outerReached = FDefaultReached;
    FDelivering = &message;
    FDefaultReached = false;
    // The control may be freed by its own handler (a form released, a page closed): nothing of
    // this peer is touched after that.
    QPointer<TControlPeer> alive(this);
    bool reached = false;
    try {
        FControl.WindowProc()(message);
    } catch (...) {
        if (Application)
            Application->HandleException(alive ? &FControl : nullptr);
    }
    if (!alive)
        return false;
    reached = FDefaultReached;
    FDelivering = outerMessage;
    FDefaultReached = outerReached;
    return reached;
}

void TControlPeer::DefaultReached(const TMessage& message) {
    if (&message == FDelivering)
        FDefaultReached = true;
}

bool TControlPeer::DeliverInput(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    return Deliver(message);
}

bool TControlPeer::eventFilter(QObject* watched, QEvent* event) {
    if (FResending || FDetached || !watched->isWidgetType())
        return false;
    return TranslateEvent(static_cast<QWidget*>(watched), event);
}

bool TControlPeer::TranslateEvent(QWidget* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return TranslateMouse(watched, static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return TranslateKey(watched, static_cast<QKeyEvent*>(event));
    case QEvent::Paint:
        if (TCanvas* canvas = FControl.PaintCanvas(); canvas && watched == ClientWidget()) {
            PaintControl(*watched, *canvas);
            return true;
        }
        return false;
    case QEvent::FocusIn:
        DeliverInput(WM_SETFOCUS, 0, 0);
        return false;
    case QEvent::FocusOut:
        DeliverInput(WM_KILLFOCUS, 0, 0);
        return false;
    case QEvent::Enter:
        DeliverInput(CM_MOUSEENTER, 0, 0);
        return false;
    case QEvent::Leave:
        DeliverInput(CM_MOUSELEAVE, 0, 0);
        return false;
    case QEvent::ToolTip:
        return TranslateToolTip(event);
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!FAcceptFiles || DraggedFiles(drag->mimeData()).empty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop:
        return TranslateFileDrop(static_cast<QDropEvent*>(event));
    case QEvent::ContextMenu: {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        QPoint global = menuEvent->globalPos();
        return !DeliverInput(WM_CONTEXTMENU, 0, MAKELPARAM(global.x(), global.y()));
    }
    default:
        return TranslateTopLevel(watched, event);
    }
}

// Events that only a window gets: its size and place set by the user, activation, closing.
bool TControlPeer::TranslateTopLevel(QWidget* watched, QEvent* event) {
    if (!FWidget->isWindow())
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == ClientWidget()) {
            QSize size = ClientWidget()->size();
            DeliverInput(WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.width(), size.height()));
        }
        return false;
    case QEvent::Move:
        if (watched == FWidget) {
            QPoint place = FWidget->pos();
            DeliverInput(WM_MOVE, 0, MAKELPARAM(place.x(), place.y()));
        }
        return false;
    case QEvent::WindowActivate:
        if (watched == FWidget)
            DeliverInput(WM_ACTIVATE, WA_ACTIVE, 0);
        return false;
    case QEvent::WindowDeactivate:
        if (watched == FWidget)
            DeliverInput(WM_ACTIVATE, WA_INACTIVE, 0);
        return false;
    case QEvent::Close:
        if (watched != FWidget)
            return false;
        // The form decides whether and how it closes; the window system is never let close it.
        event->ignore();
        DeliverInput(WM_CLOSE, 0, 0);
        return true;
    default:
        return false;
    }
}

// The drop lives while the window handles it; a window that keeps none of it need not finish it.
bool TControlPeer::TranslateFileDrop(QDropEvent* event) {
    std::vector<String> paths = DraggedFiles(event->mimeData());
    if (!FAcceptFiles || paths.empty())
        return false;
    event->acceptProposedAction();
    HDROP drop = MakeDrop(paths);
    DeliverInput(WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    DragFinish(drop);
    return true;
}

bool TControlPeer::TranslateMouse(QWidget* watched, QMouseEvent* event) {
    QPoint global = event->globalPosition().toPoint();
    NoteMouseInput(TPoint{global.x(), global.y()});
    NoteModifiers(event->modifiers());
    QPoint local = watched == ClientWidget()
                       ? event->position().toPoint()
                       : watched->mapTo(ClientWidget(), event->position().toPoint());
    UINT msg = event->type() == QEvent::MouseMove ? WM_MOUSEMOVE
                                                  : ButtonMessage(event->type(), event->button());
    if (msg == WM_NULL)
        return false;
    return !DeliverInput(msg, MouseKeys(event->modifiers(), event->buttons()),
                         MAKELPARAM(local.x(), local.y()));
}

// A key gives WM_KEYDOWN and, for a character, WM_CHAR; a handler that sets the key to 0 keeps
// it from the widget, and one that changes the character has the changed one typed instead. The
// widget's own handling runs here, so that a key the widget ignores never goes on to the parent
// windows, as keys never do.
bool TControlPeer::TranslateKey(QWidget* watched, QKeyEvent* event) {
    // Keys never edit what the user cannot see: a hidden part of a window on screen.
    if (!watched->isVisible() && watched->window()->isVisible())
        return true;
    NoteModifiers(event->modifiers());
    WORD key = VirtualKeyOf(*event);
    bool down = event->type() == QEvent::KeyPress;
    if (key != 0)
        NoteKeyInput(key, down);
    QPointer<TControlPeer> alive(this);
    QPointer<QWidget> target(watched);
    auto handleNatively = [&](QKeyEvent* handled) {
        if (alive && target) {
            FResending = true;
            static_cast<QObject*>(target.data())->event(handled);
            if (alive)
                FResending = false;
        }
        event->accept();
        return true;
    };
    LPARAM keyData = event->isAutoRepeat() ? (1 | (1 << 30)) : 1;
    if (!down) {
        if (key != 0 && !DeliverInput(WM_KEYUP, key, keyData | (LPARAM{3} << 30)))
            return true;
        return handleNatively(event);
    }
    if (key != 0 && !DeliverInput(WM_KEYDOWN, key, keyData))
        return true;
    QString text = event->text();
    char code;
    if (!alive || text.size() != 1 || !CharToWindows1252(text.at(0).unicode(), code))
        return handleNatively(event);
    TMessage charMessage{WM_CHAR, static_cast<unsigned char>(code), keyData, 0};
    if (!Deliver(charMessage) || !alive)
        return true;
    auto typed = static_cast<char>(charMessage.WParam);
    if (typed == code)
        return handleNatively(event);
    char16_t shown = Windows1252ToUnicode(static_cast<unsigned char>(typed));
    QKeyEvent changed(QEvent::KeyPress, event->key(), event->modifiers(), QString(QChar(shown)),
                      event->isAutoRepeat());
    return handleNatively(&changed);
}

bool TControlPeer::TranslateToolTip(QEvent* event) {
    auto* help = static_cast<QHelpEvent*>(event);
    String hint = GetShortHint(FControl.Hint());
    bool canShow = FControl.HintShowing() && Application && Application->ShowHint();
    THintInfo info;
    info.HintControl = &FControl;
    info.CursorPos = TPoint{help->pos().x(), help->pos().y()};
    info.HintPos = TPoint{help->globalPos().x(), help->globalPos().y()};
    info.CursorRect = FControl.ClientRect();
    if (canShow && Application->OnShowHint)
        Application->OnShowHint(hint, canShow, info);
    if (canShow && !hint.empty())
        QToolTip::showText(QPoint(info.HintPos.x, info.HintPos.y), DisplayText(hint), FWidget,
                           QRect(), Application->HintHidePause());
    else
        QToolTip::hideText();
    return true;
}

void TControlPeer::PaintControl(QWidget& widget, TCanvas& canvas) {
    QPainter painter(&widget);
    if (dynamic_cast<TWinControl*>(&FControl) && !FControl.ControlStyle().Contains(csOpaque))
        painter.fillRect(widget.rect(), ToQColor(FControl.Color()));
    canvas.Font().Assign(FControl.Font());
    canvas.Brush().SetColor(FControl.Color());
    TCanvasPainting binding(canvas, painter);
    DeliverInput(WM_PAINT, 0, 0);
}

// ---- The peers of the base controls

std::unique_ptr<TControlPeer> MakePlainPeer(TControl& control) {
    return std::make_unique<TControlPeer>(control, new QWidget);
}

std::unique_ptr<TControlPeer> MakeWindowPeer(TControl& control) {
    auto* widget = new QWidget;
    widget->setAutoFillBackground(true);
    return std::make_unique<TControlPeer>(control, widget);
}

// The mouse input over a control without a window is its own: the window below it does not see
// the press as well (and so never takes the mouse from it).
std::unique_ptr<TControlPeer> MakeGraphicPeer(TControl& control) {
    auto* widget = new QWidget;
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setAttribute(Qt::WA_NoMousePropagation);
    return std::make_unique<TControlPeer>(control, widget);
}

std::unique_ptr<TControlPeer> MakeCustomPeer(TControl& control) {
    auto* widget = new QWidget;
    widget->setFocusPolicy(Qt::StrongFocus);
    return std::make_unique<TControlPeer>(control, widget);
}

namespace {

// A tool window keeps above the window that owns it; it neither takes the focus nor becomes the
// active window when shown or clicked.
class TPopupPeer : public TControlPeer {
public:
    using TControlPeer::TControlPeer;
    void SetParentPeer(TControlPeer* parent) override {
        Widget()->setParent(parent ? parent->Widget()->window() : nullptr, PopupFlags);
    }

    static constexpr Qt::WindowFlags PopupFlags =
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
};

} // namespace

std::unique_ptr<TControlPeer> MakePopupPeer(TControl& control) {
    auto* widget = new QWidget(nullptr, TPopupPeer::PopupFlags);
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setAttribute(Qt::WA_ShowWithoutActivating);
    return std::make_unique<TPopupPeer>(control, widget);
}

// ---- Posted messages and later calls

namespace {

class TPostedMessage;

// The posted messages not delivered yet, oldest first.
std::vector<TPostedMessage*>& QueuedPosts() {
    static std::vector<TPostedMessage*> queued;
    return queued;
}

class TPostedMessage : public QEvent {
public:
    TPostedMessage(HWND handle, const TMessage& message)
        : QEvent(Type()), Handle(handle), Message(message) {
        QueuedPosts().push_back(this);
    }
    ~TPostedMessage() override { std::erase(QueuedPosts(), this); }
    static QEvent::Type Type() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    HWND Handle;
    TMessage Message;
    bool Dropped = false;
};

TPostedMessage* FirstQueuedPost(HWND handle, UINT Msg) {
    for (TPostedMessage* posted : QueuedPosts())
        if (!posted->Dropped && posted->Message.Msg == Msg && (!handle || posted->Handle == handle))
            return posted;
    return nullptr;
}

class TMessagePost : public QObject {
protected:
    void customEvent(QEvent* event) override {
        if (event->type() != TPostedMessage::Type())
            return;
        auto* posted = static_cast<TPostedMessage*>(event);
        TWinControl* control = FindControl(posted->Handle);
        if (!control || posted->Dropped)
            return;
        try {
            control->Perform(posted->Message.Msg, posted->Message.WParam, posted->Message.LParam);
        } catch (...) {
            Application->HandleException(control);
        }
    }
};

} // namespace

BOOL PostMessage(HWND handle, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (!QCoreApplication::instance() || !FindControl(handle))
        return 0;
    static TMessagePost* post = new TMessagePost;
    QCoreApplication::postEvent(post, new TPostedMessage(handle, TMessage{Msg, WParam, LParam, 0}));
    return 1;
}

bool PeekPostedMessage(HWND handle, UINT Msg, TMessage& message) {
    TPostedMessage* posted = FirstQueuedPost(handle, Msg);
    if (posted)
        message = posted->Message;
    return posted != nullptr;
}

bool RemovePostedMessage(HWND handle, UINT Msg) {
    TPostedMessage* posted = FirstQueuedPost(handle, Msg);
    if (posted)
        posted->Dropped = true;
    return posted != nullptr;
}

void CallLater(std::function<void()> call) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}
