#include "platform/RichEditPeer.h"
#include "platform/PrinterDevice.h"
#include "platform/RichEdit.h"

// QScintilla's headers use Qt's keywords, which the platform code leaves off.
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>
#undef signals
#undef slots

#include <QAccessibleWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <memory>

namespace {

// The character a Windows-1252 byte stands for.
QChar Windows1252Char(unsigned char byte) {
    return DisplayText(String(1, static_cast<char>(byte))).at(0);
}

// Bytes in 0x80-0x9F that Windows-1252 gives a character: Scintilla's 8-bit mode would show
// them as control codes, so the editor paints their glyphs itself.
bool IsWindows1252Glyph(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F && Windows1252Char(byte).unicode() >= 0x100;
}

String Utf8Bytes(const QString& shown) {
    QByteArray bytes = shown.toUtf8();
    return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// Text from the keyboard or the clipboard as the text's own bytes: UTF-8 for a text shown as
// UTF-8, else Windows-1252 with '?' for what it cannot hold.
String BytesForText(const QString& shown, bool utf8) {
    if (utf8)
        return Utf8Bytes(shown);
    String bytes;
    for (char32_t ch : shown.toUcs4()) {
        char code;
        bytes += CharToWindows1252(ch, code) ? code : '?';
    }
    return bytes;
}

QString TextForBytes(const String& bytes, bool utf8) {
    if (utf8)
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString shown;
    shown.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        shown += Windows1252Char(static_cast<unsigned char>(c));
    return shown;
}

// The rich edit's keyboard, leaving every other key to the program's shortcuts. Backspace,
// Enter, Tab and the characters are typed through WM_CHAR, the clipboard keys by the control.
constexpr int Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return QKeyCombination(modifiers, key).toCombined();
}

struct KeyBinding {
    QsciCommand::Command Command;
    int Key;
};

constexpr KeyBinding RichEditKeys[] = {
    {QsciCommand::LineDown, Key(Qt::Key_Down)},
    {QsciCommand::LineDownExtend, Key(Qt::Key_Down, Qt::ShiftModifier)},
    {QsciCommand::LineUp, Key(Qt::Key_Up)},
    {QsciCommand::LineUpExtend, Key(Qt::Key_Up, Qt::ShiftModifier)},
    {QsciCommand::CharLeft, Key(Qt::Key_Left)},
    {QsciCommand::CharLeftExtend, Key(Qt::Key_Left, Qt::ShiftModifier)},
    {QsciCommand::CharRight, Key(Qt::Key_Right)},
    {QsciCommand::CharRightExtend, Key(Qt::Key_Right, Qt::ShiftModifier)},
    {QsciCommand::WordLeft, Key(Qt::Key_Left, Qt::ControlModifier)},
    {QsciCommand::WordLeftExtend, Key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier)},
    {QsciCommand::WordRight, Key(Qt::Key_Right, Qt::ControlModifier)},
    {QsciCommand::WordRightExtend, Key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier)},
    {QsciCommand::HomeDisplay, Key(Qt::Key_Home)},
    {QsciCommand::HomeDisplayExtend, Key(Qt::Key_Home, Qt::ShiftModifier)},
    {QsciCommand::LineEndDisplay, Key(Qt::Key_End)},
    {QsciCommand::LineEndDisplayExtend, Key(Qt::Key_End, Qt::ShiftModifier)},
    {QsciCommand::PageUp, Key(Qt::Key_PageUp)},
    {QsciCommand::PageUpExtend, Key(Qt::Key_PageUp, Qt::ShiftModifier)},
    {QsciCommand::PageDown, Key(Qt::Key_PageDown)},
    {QsciCommand::PageDownExtend, Key(Qt::Key_PageDown, Qt::ShiftModifier)},
    {QsciCommand::Delete, Key(Qt::Key_Delete)},
    {QsciCommand::DeleteWordRight, Key(Qt::Key_Delete, Qt::ControlModifier)},
    {QsciCommand::DeleteWordLeft, Key(Qt::Key_Backspace, Qt::ControlModifier)},
    {QsciCommand::EditToggleOvertype, Key(Qt::Key_Insert)},
    {QsciCommand::Undo, Key(Qt::Key_Z, Qt::ControlModifier)},
    {QsciCommand::Undo, Key(Qt::Key_Backspace, Qt::AltModifier)},
    {QsciCommand::Redo, Key(Qt::Key_Y, Qt::ControlModifier)},
    {QsciCommand::SelectAll, Key(Qt::Key_A, Qt::ControlModifier)},
};

// Ctrl+Home and Ctrl+End, with or without Shift: the editor moves to the text's edges itself
// (see TRichEditPeer::GoToTextEdge).
bool IsTextEdgeKey(const QKeyEvent& event) {
    Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return modifiers == Qt::ControlModifier &&
           (event.key() == Qt::Key_Home || event.key() == Qt::Key_End);
}

bool IsTyping(const QKeyEvent& event) {
    QString text = event.text();
    return !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
           !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar ch) {
               return ch.unicode() >= 0x20 && ch.unicode() != 0x7F;
           });
}

// QScintilla's accessible view of the editor turns every caret move into a count of the
// characters before the caret, which costs tens of milliseconds a keystroke at the end of a large
// page. Qt makes a widget's accessible view when the widget is first shown, whether or not a
// screen reader is listening; with none listening then, the editor gets the plain view of a
// widget, which counts nothing. The factory is installed before the first editor is made, ahead
// of QScintilla's own.
QAccessibleInterface* PlainViewWithoutListener(const QString&, QObject* object) {
    auto* sci = qobject_cast<QsciScintillaBase*>(object);
    if (!sci || QAccessible::isActive())
        return nullptr;
    return new QAccessibleWidget(sci, QAccessible::EditableText);
}

void InstallAccessibleView() {
    static const bool installed = [] {
        QAccessible::installFactory(PlainViewWithoutListener);
        return true;
    }();
    (void)installed;
}

} // namespace

String Windows1252ToUtf8(unsigned char code) {
    return Utf8Bytes(QString(Windows1252Char(code)));
}

// ---- The widget

class TSciWidget : public QsciScintilla {
public:
    static TSciWidget* Create(TRichEditPeer& peer) {
        InstallAccessibleView();
        return new TSciWidget(peer);
    }
    // Kept by the widget rather than the peer, as the widget has events while the peer is
    // still being made.
    bool Started = false;
    bool Windows1252Glyphs = false;
    void MoveFocus(bool next) { focusNextPrevChild(next); }

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override { event->ignore(); }
    void paintEvent(QPaintEvent* event) override;

private:
    explicit TSciWidget(TRichEditPeer& peer) : FPeer(peer) {}
    void PaintWindows1252Glyphs();
    void PaintWindows1252Glyph(QPainter& painter, int position, unsigned char byte, bool selected);
    TRichEditPeer& FPeer;
};

bool TSciWidget::event(QEvent* event) {
    // The program's shortcuts come before every key but a typed character, as menu
    // accelerators do.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!IsTyping(*key))
            return QAbstractScrollArea::event(event);
        key->accept();
        return true;
    }
    bool handled = QsciScintilla::event(event);
    if (Started)
        FPeer.Edit().FlushNotifications();
    return handled;
}

bool TSciWidget::viewportEvent(QEvent* event) {
    bool handled = QsciScintilla::viewportEvent(event);
    if (Started)
        FPeer.Edit().FlushNotifications();
    return handled;
}

// Keys the framework could not turn into one 8-bit character come here with their text; the
// others are the editor's own keys.
void TSciWidget::keyPressEvent(QKeyEvent* event) {
    if (IsTyping(*event))
        FPeer.Edit().TypeText(BytesForText(event->text(), FPeer.Edit().ShowsUtf8()));
    else if (IsTextEdgeKey(*event))
        FPeer.GoToTextEdge(event->key() == Qt::Key_End,
                           event->modifiers().testFlag(Qt::ShiftModifier));
    else
        QsciScintilla::keyPressEvent(event);
}

void TSciWidget::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty())
        FPeer.Edit().TypeText(BytesForText(event->commitString(), FPeer.Edit().ShowsUtf8()));
    event->accept();
}

void TSciWidget::paintEvent(QPaintEvent* event) {
    QsciScintilla::paintEvent(event);
    if (Windows1252Glyphs)
        PaintWindows1252Glyphs();
}

// Scintilla draws a placeholder about as wide as the glyph for each such byte (see
// ShowAsUtf8); the glyph goes over it in the colours and font of the byte's style. Only the bytes
// on screen are looked at, row by row: a page on one line would otherwise be read whole at every
// blink of the caret.
void TSciWidget::PaintWindows1252Glyphs() {
    TSciCalls& sci = FPeer.Calls();
    const auto* bytes = reinterpret_cast<const unsigned char*>(sci.CharacterPointer());
    int selStart = sci.SelectionStart();
    int selEnd = sci.SelectionEnd();
    bool selectionShown = hasFocus() || !FPeer.Edit().HideSelection();
    int rowHeight = std::max(sci.TextHeight(0), 1);
    int width = viewport()->width();
    int length = sci.Length();
    int painted = 0;
    QPainter painter(viewport());
    for (int y = rowHeight / 2; y < viewport()->height() + rowHeight; y += rowHeight) {
        int start = std::max(sci.PositionFromPoint(0, y), painted);
        int end = std::min(sci.PositionFromPoint(width, y) + 1, length);
        for (int pos = start; pos < end; ++pos)
            if (IsWindows1252Glyph(bytes[pos]))
                PaintWindows1252Glyph(painter, pos, bytes[pos],
                                      selectionShown && pos >= selStart && pos < selEnd);
        painted = std::max(painted, end);
    }
}

void TSciWidget::PaintWindows1252Glyph(QPainter& painter, int position, unsigned char byte,
                                       bool selected) {
    TSciCalls& sci = FPeer.Calls();
    int x = sci.PointXFromPosition(position);
    int y = sci.PointYFromPosition(position);
    int right = sci.PointXFromPosition(position + 1);
    if (right <= x)
        return;
    TSciStyle look = sci.StyleOf(sci.StyleAt(position));
    QFont font(QString::fromUtf8(look.Font.c_str()), look.Size);
    font.setBold(look.Bold);
    font.setItalic(look.Italic);
    font.setUnderline(look.Underline);
    // One pixel is left for the caret, drawn at the box's left edge; positions are whole
    // pixels of fractional ones, so the box reaches one pixel further right.
    QRect box(x + 1, y, right - x, sci.TextHeight(0));
    painter.fillRect(box, ToQColor(selected ? ColorToRGB(clHighlight) : look.Back));
    painter.setPen(ToQColor(selected ? ColorToRGB(clHighlightText) : look.Fore));
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, QString(Windows1252Char(byte)));
}

// ---- The peer

TRichEditPeer::TRichEditPeer(TControl& control)
    : TControlPeer(control, TSciWidget::Create(*this)), FSci(static_cast<TSciWidget*>(Widget())),
      FCalls(*FSci) {
    Watch(FSci->viewport());
    FSci->setAcceptDrops(false);
    FSci->viewport()->setAcceptDrops(false);
    BindKeys();
    QObject::connect(FSci, &QsciScintillaBase::SCN_MODIFIED, this,
                     [this](int position, int type, const char*, int length, int, int, int, int,
                            int, int) { Modified(position, type, length); });
}

TRichEdit& TRichEditPeer::Edit() const {
    return static_cast<TRichEdit&>(Control());
}

void TRichEditPeer::Start() {
    FSci->Started = true;
}

void TRichEditPeer::Detach() {
    TControlPeer::Detach();
    FSci->Started = false;
    QObject::disconnect(FSci, nullptr, this, nullptr);
}

void TRichEditPeer::BindKeys() {
    QsciCommandSet& commands = *FSci->standardCommands();
    commands.clearKeys();
    commands.clearAlternateKeys();
    for (const KeyBinding& binding : RichEditKeys) {
        QsciCommand* command = commands.find(binding.Command);
        if (command->key() == 0)
            command->setKey(binding.Key);
        else
            command->setAlternateKey(binding.Key);
    }
}

void TRichEditPeer::Modified(int position, int type, int length) {
    if (!FSci->Started)
        return;
    if (type & scModInsertCheck) {
        if (!Edit().InsertAllowed(length))
            FCalls.ChangeInsertion("");
    } else if (length > 0 && (type & scModBeforeInsert)) {
        Edit().TextInserting(position, length);
    } else if (length > 0 && (type & scModBeforeDelete)) {
        Edit().TextChanging();
    }
}

// Scintilla's own moves to the start or the end of the text wrap every line not yet wrapped
// before they scroll, which takes seconds on a large page just opened while the lines are still
// being wrapped in the background. Placing the selection wraps only the lines it shows.
void TRichEditPeer::GoToTextEdge(bool end, bool extend) {
    int caret = end ? FCalls.Length() : 0;
    FCalls.SetSel(extend ? FCalls.Anchor() : caret, caret);
    FCalls.ChooseCaretX();
    ScrollCaret();
}

// A line not yet wrapped counts as one line on screen until it is shown. Showing the caret wraps
// the lines around it, which may push it below the window, so it is brought into view once more
// with their heights known.
void TRichEditPeer::ScrollCaret() {
    FCalls.ScrollCaret();
    FSci->viewport()->repaint();
    FCalls.ScrollCaret();
}

void TRichEditPeer::ShowAsUtf8(bool utf8) {
    FCalls.SetCodePage(utf8 ? TSciCodePage::Utf8 : TSciCodePage::SingleByte);
    FSci->Windows1252Glyphs = !utf8;
    if (utf8)
        return;
    // Room for the glyph painted over each Windows-1252 byte of 0x80-0x9F; the five bytes it
    // leaves undefined show their code.
    for (int byte = 0x80; byte <= 0x9F; ++byte)
        FCalls.SetRepresentation(String(1, static_cast<char>(byte)),
                                 IsWindows1252Glyph(static_cast<unsigned char>(byte))
                                     ? String("n")
                                     : "x" + IntToHex(byte, 2));
}

void TRichEditPeer::SetUpdatesEnabled(bool enabled) {
    FSci->setUpdatesEnabled(enabled);
}

void TRichEditPeer::MoveFocus(bool next) {
    FSci->MoveFocus(next);
}

String TRichEditPeer::ClipboardBytes() const {
    return BytesForText(QGuiApplication::clipboard()->text(), Edit().ShowsUtf8());
}

void TRichEditPeer::Print(const String& title) {
    QsciPrinter printer;
    UseCurrentPrinter(printer);
    printer.setDocName(QString::fromLatin1(title.data(), static_cast<int>(title.size())));
    bool toFile = !printer.outputFileName().isEmpty();
    QPainter painter;
    if (!painter.begin(&printer))
        throw EPrinterFailure(psStart, toFile);
    printer.printRange(FSci, painter);
    if (!painter.end())
        throw EPrinterFailure(psEnd, toFile);
}

long TRichEditPeer::FormatRange(QPainter& painter, const QRect& area, long start, long end) {
    FSci->SendScintilla(QsciScintillaBase::SCI_SETPRINTWRAPMODE, QsciScintillaBase::SC_WRAP_WORD);
    return FSci->SendScintilla(QsciScintillaBase::SCI_FORMATRANGE, 1, &painter, area, start, end);
}

long TRichEditPeer::FormatLength() const {
    return FSci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
}

void TRichEditPeer::SetClipboardBytes(const String& bytes) {
    QGuiApplication::clipboard()->setText(TextForBytes(bytes, Edit().ShowsUtf8()));
}
