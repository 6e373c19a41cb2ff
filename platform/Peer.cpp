#include "platform/Peer.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <array>
#include <map>

// ---- Text shown in widgets

namespace {

// Windows-1252 in 0x80-0x9F; the five codes it leaves out stand for themselves.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Windows1252ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? Windows1252High[byte - 0x80] : char16_t(byte);
}

int Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
bool ValidSecondByte(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return second >= 0x80 && second <= 0xBF;
    }
}

bool EncodeWindows1252(const QString& text, String& bytes) {
    bytes.clear();
    for (char32_t ch : text.toUcs4()) {
        char code;
        if (!CharToWindows1252(ch, code))
            return false;
        bytes += code;
    }
    return true;
}

} // namespace

bool IsValidUtf8(const String& text) {
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        int length = Utf8SequenceLength(lead);
        if (length == 0 || i + length > text.size())
            return false;
        if (length > 1 && !ValidSecondByte(lead, static_cast<unsigned char>(text[i + 1])))
            return false;
        for (int k = 2; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

bool CharToWindows1252(char32_t ch, char& code) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        code = static_cast<char>(ch);
        return true;
    }
    for (size_t i = 0; i < Windows1252High.size(); ++i)
        if (Windows1252High[i] == ch) {
            code = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

QString DisplayText(const String& text) {
    if (IsValidUtf8(text))
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QString shown;
    shown.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        shown += QChar(Windows1252ToUnicode(static_cast<unsigned char>(c)));
    return shown;
}

String TextFromDisplay(const QString& shown, const String& previous) {
    if (DisplayText(previous) == shown)
        return previous;
    String bytes;
    if (!IsValidUtf8(previous) && EncodeWindows1252(shown, bytes))
        return bytes;
    QByteArray utf8 = shown.toUtf8();
    return String(utf8.constData(), static_cast<size_t>(utf8.size()));
}

// ---- Keys

namespace {

struct KeyPair {
    int QtKey;
    WORD VirtualKey;
};

// Keys whose virtual code is not simply their Qt code (letters and digits are).
constexpr KeyPair KeyTable[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Printer, VK_PRINT},
    {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

// The keypad's own codes, when the key comes from the keypad.
constexpr KeyPair KeypadTable[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},      {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

} // namespace

WORD VirtualKeyOf(const QKeyEvent& event) {
    int key = event.key();
    bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<WORD>(keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<WORD>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
    if (keypad)
        for (const KeyPair& pair : KeypadTable)
            if (pair.QtKey == key)
                return pair.VirtualKey;
    for (const KeyPair& pair : KeyTable)
        if (pair.QtKey == key)
            return pair.VirtualKey;
    return 0;
}

int QtKeyOf(WORD virtualKey, bool& keypad) {
    keypad = false;
    if (virtualKey >= '0' && virtualKey <= '9')
        return Qt::Key_0 + (virtualKey - '0');
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
        keypad = true;
        return Qt::Key_0 + (virtualKey - VK_NUMPAD0);
    }
    if (virtualKey >= VK_F1 && virtualKey <= VK_F1 + 23)
        return Qt::Key_F1 + (virtualKey - VK_F1);
    for (const KeyPair& pair : KeypadTable)
        if (pair.VirtualKey == virtualKey) {
            keypad = true;
            return pair.QtKey;
        }
    for (const KeyPair& pair : KeyTable)
        if (pair.VirtualKey == virtualKey)
            return pair.QtKey;
    return Qt::Key_unknown;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    if (modifiers.testFlag(Qt::ShiftModifier))
        shift << ssShift;
    if (modifiers.testFlag(Qt::ControlModifier))
        shift << ssCtrl;
    if (modifiers.testFlag(Qt::AltModifier))
        shift << ssAlt;
    if (buttons.testFlag(Qt::LeftButton))
        shift << ssLeft;
    if (buttons.testFlag(Qt::RightButton))
        shift << ssRight;
    if (buttons.testFlag(Qt::MiddleButton))
        shift << ssMiddle;
    return shift;
}

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

} // namespace

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
    FWidget->setVisible(shown);
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

void TControlPeer::Update() {
    ClientWidget()->repaint();
}

void TControlPeer::Repaint() {
    ClientWidget()->repaint();
}

void TControlPeer::BringToFront() {
    // Without a window system there is no stacking of windows to change.
    if (!FWidget->isWindow() || QGuiApplication::platformName() != QLatin1String("offscreen"))
        FWidget->raise();
    if (FWidget->isWindow() && FWidget->isVisible())
        FWidget->activateWindow();
}

void TControlPeer::SendToBack() {
    FWidget->lower();
}

void TControlPeer::SetFocus() {
    if (FWidget->isWindow())
        FWidget->activateWindow();
    FWidget->setFocus(Qt::OtherFocusReason);
}

bool TControlPeer::Focused() const {
    return FWidget->hasFocus();
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
    if (FControl.HintShowing() && !hint.empty() && Application && Application->ShowHint())
        QToolTip::showText(help->globalPos(), DisplayText(hint), FWidget, QRect(),
                           Application->HintHidePause());
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

// ---- Posted messages

namespace {

class TPostedMessage : public QEvent {
public:
    TPostedMessage(HWND handle, const TMessage& message)
        : QEvent(Type()), Handle(handle), Message(message) {}
    static QEvent::Type Type() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    HWND Handle;
    TMessage Message;
};

class TMessagePost : public QObject {
protected:
    void customEvent(QEvent* event) override {
        if (event->type() != TPostedMessage::Type())
            return;
        auto* posted = static_cast<TPostedMessage*>(event);
        TWinControl* control = FindControl(posted->Handle);
        if (!control)
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
