#include "platform/RichEdit.h"
#include "platform/FileUtils.h"
#include "platform/Peer.h"

// QScintilla's headers use Qt's keywords, which the platform code leaves off.
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qsciscintilla.h>
#undef signals
#undef slots

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <climits>

using Sci = QsciScintillaBase;

namespace {

// EM_EXLIMITTEXT's meaning of 0.
constexpr int DefaultTextLimit = 64000;
// The rich edit's tab stops when none are set: every half inch.
constexpr int DefaultTabSpacing = 36;
constexpr int MaxTabStops = 32;
// Scintilla keeps styles 32 to 39 for itself.
constexpr int FirstReservedStyle = Sci::STYLE_DEFAULT;
constexpr int LastReservedStyle = 39;

int PointsToPixels(int points) {
    return points * ScreenPixelsPerInch / 72;
}

bool IsWordByte(unsigned char byte) {
    return byte >= 0x80 || byte == '_' || (byte >= '0' && byte <= '9') ||
           (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

unsigned char FoldAscii(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + 32) : byte;
}

// LF and lone CR become CR LF. allLF tells whether every line end of the input was a bare LF.
String NormalizeLineEnds(const String& bytes, bool& allLF) {
    String result;
    result.reserve(bytes.size() + bytes.size() / 32);
    size_t crlf = 0;
    size_t bare = 0;
    size_t loneCR = 0;
    size_t done = 0;
    for (size_t end = bytes.find_first_of("\r\n"); end != String::npos;
         end = bytes.find_first_of("\r\n", done)) {
        result.append(bytes, done, end - done);
        result += "\r\n";
        if (bytes[end] == '\n')
            ++bare;
        else if (end + 1 < bytes.size() && bytes[end + 1] == '\n')
            ++crlf, ++end;
        else
            ++loneCR;
        done = end + 1;
    }
    result.append(bytes, done, String::npos);
    allLF = bare > 0 && crlf == 0 && loneCR == 0;
    return result;
}

String CrLfToLf(const String& bytes) {
    String result;
    result.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            result += bytes[i];
    return result;
}

bool HasHighByte(const String& bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The character a Windows-1252 byte stands for.
QChar Windows1252Char(unsigned char byte) {
    return DisplayText(String(1, static_cast<char>(byte))).at(0);
}

// Bytes in 0x80-0x9F that Windows-1252 gives a character: Scintilla's 8-bit mode would show
// them as control codes, so the editor paints their glyphs itself.
bool IsWindows1252Glyph(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F && Windows1252Char(byte).unicode() >= 0x100;
}

// Text from the keyboard or the clipboard as the text's own bytes: UTF-8 for a text shown as
// UTF-8, else Windows-1252 with '?' for what it cannot hold.
String BytesForText(const QString& shown, bool utf8) {
    if (utf8) {
        QByteArray bytes = shown.toUtf8();
        return String(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
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
    {QsciCommand::DocumentStart, Key(Qt::Key_Home, Qt::ControlModifier)},
    {QsciCommand::DocumentStartExtend, Key(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier)},
    {QsciCommand::DocumentEnd, Key(Qt::Key_End, Qt::ControlModifier)},
    {QsciCommand::DocumentEndExtend, Key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier)},
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

} // namespace

// ---- The peer

// QScintilla, with the rich edit's keyboard and drawing; after every event it handled, the
// control raises the notifications that the event caused.
namespace {

bool IsTyping(const QKeyEvent& event) {
    QString text = event.text();
    return !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
           !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar ch) {
               return ch.unicode() >= 0x20 && ch.unicode() != 0x7F;
           });
}

} // namespace

class TSciWidget : public QsciScintilla {
public:
    explicit TSciWidget(TRichEditPeer& peer) : FPeer(peer) {}
    // True from the end of the control's construction to the start of its destruction: only
    // then may the widget's events reach the control.
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
    void PaintWindows1252Glyphs();
    TRichEditPeer& FPeer;
};

class TRichEditPeer : public TControlPeer {
public:
    explicit TRichEditPeer(TControl& control)
        : TControlPeer(control, new TSciWidget(*this)), FSci(static_cast<TSciWidget*>(Widget())) {
        Watch(FSci->viewport());
        FSci->setAcceptDrops(false);
        FSci->viewport()->setAcceptDrops(false);
        QObject::connect(FSci, &Sci::SCN_MODIFIED, this,
                         [this](int position, int type, const char*, int length, int, int, int, int,
                                int, int) { Modified(position, type, length); });
    }

    TSciWidget& Sci() const { return *FSci; }
    TRichEdit& Edit() const { return static_cast<TRichEdit&>(Control()); }
    // The control is being freed: nothing of the widget reaches it any more.
    void Stop() {
        FSci->Started = false;
        QObject::disconnect(FSci, nullptr, this, nullptr);
    }
    // The control keeps the text; the caption never reaches the widget.
    void SetText(const String&) override {}

private:
    void Modified(int position, int type, int length) {
        if (!FSci->Started)
            return;
        if (type & Sci::SC_MOD_INSERTCHECK) {
            if (!Edit().InsertAllowed(length))
                FSci->SendScintilla(Sci::SCI_CHANGEINSERTION, 0UL, "");
        } else if (length > 0 && (type & Sci::SC_MOD_INSERTTEXT)) {
            Edit().TextInserted(position, length);
        } else if (length > 0 && (type & Sci::SC_MOD_DELETETEXT)) {
            Edit().TextDeleted();
        }
    }

    TSciWidget* FSci;
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
// ChooseDisplay); the glyph goes over it in the colours and font of the byte's style.
void TSciWidget::PaintWindows1252Glyphs() {
    long firstShown = SendScintilla(SCI_GETFIRSTVISIBLELINE);
    long lastShown = firstShown + SendScintilla(SCI_LINESONSCREEN) + 1;
    long start = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(SendScintilla(
                                                         SCI_DOCLINEFROMVISIBLE, firstShown)));
    long end =
        SendScintilla(SCI_GETLINEENDPOSITION,
                      static_cast<unsigned long>(SendScintilla(SCI_DOCLINEFROMVISIBLE, lastShown)));
    if (end <= start)
        return;
    const auto* bytes =
        static_cast<const unsigned char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    long selStart = SendScintilla(SCI_GETSELECTIONSTART);
    long selEnd = SendScintilla(SCI_GETSELECTIONEND);
    bool selectionShown = hasFocus() || !FPeer.Edit().HideSelection();
    QPainter painter(viewport());
    for (long pos = start; pos < end; ++pos) {
        if (!IsWindows1252Glyph(bytes[pos]))
            continue;
        auto x = static_cast<int>(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, pos));
        auto y = static_cast<int>(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, pos));
        auto right = static_cast<int>(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, pos + 1));
        if (right <= x)
            continue;
        auto height = static_cast<int>(SendScintilla(SCI_TEXTHEIGHT, 0UL));
        auto style = static_cast<unsigned long>(SendScintilla(SCI_GETSTYLEAT, pos));
        bool selected = selectionShown && pos >= selStart && pos < selEnd;
        TColor fore = selected ? ColorToRGB(clHighlightText)
                               : static_cast<TColor>(SendScintilla(SCI_STYLEGETFORE, style));
        TColor back = selected ? ColorToRGB(clHighlight)
                               : static_cast<TColor>(SendScintilla(SCI_STYLEGETBACK, style));
        char family[128] = {};
        SendScintilla(SCI_STYLEGETFONT, style, static_cast<void*>(family));
        QFont font(QString::fromUtf8(family),
                   static_cast<int>(SendScintilla(SCI_STYLEGETSIZE, style)));
        font.setBold(SendScintilla(SCI_STYLEGETBOLD, style) != 0);
        font.setItalic(SendScintilla(SCI_STYLEGETITALIC, style) != 0);
        font.setUnderline(SendScintilla(SCI_STYLEGETUNDERLINE, style) != 0);
        // One pixel is left for the caret, drawn at the box's left edge; positions are whole
        // pixels of fractional ones, so the box reaches one pixel further right.
        QRect box(x + 1, y, right - x, height);
        painter.fillRect(box, ToQColor(back));
        painter.setPen(ToQColor(fore));
        painter.setFont(font);
        painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip,
                         QString(Windows1252Char(bytes[pos])));
    }
}

// ---- Text attributes

TColor TTextAttributes::Color() const {
    TRichEdit::TCharFormat format = FEdit.SelFormat();
    return format.HasColor ? format.Color : FEdit.Font().Color();
}

void TTextAttributes::SetColor(TColor value) {
    FEdit.ChangeSelFormat([value](TRichEdit::TCharFormat& format) {
        format.HasColor = true;
        format.Color = value;
    });
}

TFontStyles TTextAttributes::Style() const {
    TRichEdit::TCharFormat format = FEdit.SelFormat();
    return format.HasStyle ? TFontStyles::FromBits(format.StyleBits) : FEdit.Font().Style();
}

void TTextAttributes::SetStyle(TFontStyles value) {
    FEdit.ChangeSelFormat([value](TRichEdit::TCharFormat& format) {
        format.HasStyle = true;
        format.StyleBits = value.Bits();
    });
}

String TTextAttributes::Name() const {
    TRichEdit::TCharFormat format = FEdit.SelFormat();
    return format.Name.empty() ? FEdit.Font().Name() : format.Name;
}

void TTextAttributes::SetName(const String& value) {
    FEdit.ChangeSelFormat([value](TRichEdit::TCharFormat& format) { format.Name = value; });
}

int TTextAttributes::Size() const {
    TRichEdit::TCharFormat format = FEdit.SelFormat();
    return format.Size == 0 ? FEdit.Font().Size() : format.Size;
}

void TTextAttributes::SetSize(int value) {
    FEdit.ChangeSelFormat([value](TRichEdit::TCharFormat& format) { format.Size = value; });
}

void TTextAttributes::Assign(const TFont& font) {
    FEdit.ChangeSelFormat([&font](TRichEdit::TCharFormat& format) {
        format = TRichEdit::TCharFormat{true,        font.Color(), true, font.Style().Bits(),
                                        font.Name(), font.Size()};
    });
}

// ---- Paragraph attributes

void TParaAttributes::SetFirstIndent(int value) {
    FFirstIndent = value;
    FEdit.ApplyParagraph();
}

void TParaAttributes::SetLeftIndent(int value) {
    FLeftIndent = value;
    FEdit.ApplyParagraph();
}

void TParaAttributes::SetRightIndent(int value) {
    FRightIndent = value;
    FEdit.ApplyParagraph();
}

void TParaAttributes::SetTabCount(int value) {
    FTabs.resize(static_cast<size_t>(std::clamp(value, 0, MaxTabStops)), 0);
    FEdit.ApplyParagraph();
}

int TParaAttributes::Tab(int index) const {
    return index >= 0 && index < TabCount() ? FTabs[static_cast<size_t>(index)] : 0;
}

void TParaAttributes::SetTab(int index, int value) {
    if (index < 0 || index >= MaxTabStops)
        return;
    if (index >= TabCount())
        FTabs.resize(static_cast<size_t>(index) + 1, 0);
    FTabs[static_cast<size_t>(index)] = value;
    FEdit.ApplyParagraph();
}

int TParaAttributes::TabSpacing() const {
    int spacing = FTabs.size() >= 2   ? FTabs[1] - FTabs[0]
                  : FTabs.size() == 1 ? FTabs[0] - std::max(FFirstIndent, 0)
                                      : DefaultTabSpacing;
    return spacing > 0 ? spacing : DefaultTabSpacing;
}

// ---- Lines

namespace {

void CheckLineIndex(int index, int upper) {
    if (index < 0 || index > upper)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

} // namespace

int TRichEditStrings::Count() const {
    int lines = FEdit.LineCount();
    return FEdit.LineStart(lines - 1) == FEdit.GetTextLen() ? lines - 1 : lines;
}

String TRichEditStrings::Get(int index) const {
    CheckLineIndex(index, Count() - 1);
    int start = FEdit.LineStart(index);
    return String(FEdit.Bytes() + start, static_cast<size_t>(FEdit.LineEnd(index) - start));
}

void TRichEditStrings::Put(int index, const String& s) {
    CheckLineIndex(index, Count() - 1);
    FEdit.ReplaceRange(FEdit.LineStart(index), FEdit.LineEnd(index), s);
    FEdit.FlushNotifications();
}

void TRichEditStrings::Insert(int index, const String& s) {
    CheckLineIndex(index, Count());
    if (index < FEdit.LineCount()) {
        int start = FEdit.LineStart(index);
        FEdit.ReplaceRange(start, start, s + "\r\n");
    } else {
        // After a last line without a line end.
        int end = FEdit.GetTextLen();
        FEdit.ReplaceRange(end, end, "\r\n" + s);
    }
    FEdit.FlushNotifications();
}

void TRichEditStrings::Delete(int index) {
    CheckLineIndex(index, Count() - 1);
    int start = FEdit.LineStart(index);
    int end = index + 1 < FEdit.LineCount() ? FEdit.LineStart(index + 1) : FEdit.GetTextLen();
    // A last line without a line end takes the line end before it along.
    if (index + 1 >= FEdit.LineCount() && index > 0)
        start = FEdit.LineEnd(index - 1);
    FEdit.ReplaceRange(start, end, "");
    FEdit.FlushNotifications();
}

void TRichEditStrings::Clear() {
    FEdit.Clear();
}

String TRichEditStrings::Text() const {
    return FEdit.Text();
}

void TRichEditStrings::SetText(const String& text) {
    FEdit.SetText(text);
}

void TRichEditStrings::LoadFromFile(const String& fileName) {
    bool allLF = false;
    String text = NormalizeLineEnds(ReadFileBytes(fileName), allLF);
    FEdit.ReplaceAll(text);
    FEdit.FLineEndsLF = allLF;
    FEdit.FModified = false;
    FEdit.FlushNotifications();
}

void TRichEditStrings::SaveToFile(const String& fileName) const {
    WriteFileAtomic(fileName, FEdit.FLineEndsLF ? CrLfToLf(FEdit.Text()) : FEdit.Text());
}

void TRichEditStrings::SetUpdateState(bool updating) {
    FEdit.Editor().Sci().setUpdatesEnabled(!updating);
}

// ---- The control

TRichEdit::TRichEdit(TComponent* AOwner)
    : TWinControl(AOwner,
                  [](TControl& control) { return std::make_unique<TRichEditPeer>(control); }),
      FLines(*this), FSelAttributes(*this), FParagraph(*this) {
    SetTabStop(true);
    QsciCommandSet& commands = *Editor().Sci().standardCommands();
    commands.clearKeys();
    commands.clearAlternateKeys();
    for (const KeyBinding& binding : RichEditKeys) {
        QsciCommand* command = commands.find(binding.Command);
        if (command->key() == 0)
            command->setKey(binding.Key);
        else
            command->setAlternateKey(binding.Key);
    }
    Send(Sci::SCI_SETLEXER, Sci::SCLEX_CONTAINER);
    Send(Sci::SCI_SETEOLMODE, Sci::SC_EOL_CRLF);
    Send(Sci::SCI_SETMODEVENTMASK,
         Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT | Sci::SC_MOD_INSERTCHECK);
    for (int margin = 0; margin < 5; ++margin)
        Send(Sci::SCI_SETMARGINWIDTHN, static_cast<uintptr_t>(margin), 0);
    Send(Sci::SCI_SETENDATLASTLINE, 0);
    Send(Sci::SCI_SETSCROLLWIDTHTRACKING, 1);
    Send(Sci::SCI_SETSCROLLWIDTH, 1);
    Send(Sci::SCI_SETSELFORE, 1, static_cast<intptr_t>(ColorToRGB(clHighlightText)));
    Send(Sci::SCI_SETSELBACK, 1, static_cast<intptr_t>(ColorToRGB(clHighlight)));
    FStyleFormats.resize(Sci::STYLE_MAX + 1);
    ApplyStyles();
    SetWordWrap(FWordWrap);
    SetScrollBars(FScrollBars);
    SetHideSelection(FHideSelection);
    ReplaceAll("");
    FModified = false;
    Editor().Sci().Started = true;
}

TRichEdit::~TRichEdit() {
    Editor().Stop();
}

TRichEditPeer& TRichEdit::Editor() const {
    return static_cast<TRichEditPeer&>(Peer());
}

intptr_t TRichEdit::Send(unsigned msg, uintptr_t wParam, intptr_t lParam) const {
    return Editor().Sci().SendScintilla(msg, static_cast<unsigned long>(wParam),
                                        static_cast<long>(lParam));
}

const char* TRichEdit::Bytes() const {
    return static_cast<const char*>(
        Editor().Sci().SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
}

String TRichEdit::Text() const {
    return String(Bytes(), static_cast<size_t>(GetTextLen()));
}

void TRichEdit::SetText(const String& value) {
    ReplaceAll(value);
    FModified = true;
    FlushNotifications();
}

int TRichEdit::GetTextLen() const {
    return static_cast<int>(Send(Sci::SCI_GETLENGTH));
}

void TRichEdit::Clear() {
    ReplaceAll("");
    FModified = false;
    FLineEndsLF = false;
    FlushNotifications();
}

int TRichEdit::LineCount() const {
    return static_cast<int>(Send(Sci::SCI_GETLINECOUNT));
}

int TRichEdit::LineStart(int line) const {
    return static_cast<int>(Send(Sci::SCI_POSITIONFROMLINE, static_cast<uintptr_t>(line)));
}

int TRichEdit::LineEnd(int line) const {
    return static_cast<int>(Send(Sci::SCI_GETLINEENDPOSITION, static_cast<uintptr_t>(line)));
}

int TRichEdit::LineFromPosition(int position) const {
    return static_cast<int>(Send(Sci::SCI_LINEFROMPOSITION, static_cast<uintptr_t>(position)));
}

// Scintilla wraps a new text a piece at a time as it is shown; asking it to make the last line
// visible wraps the rest at once (there are no folds, so nothing else moves).
void TRichEdit::WrapWholeText() const {
    if (FWordWrap)
        Send(Sci::SCI_ENSUREVISIBLE, static_cast<uintptr_t>(LineCount() - 1));
}

int TRichEdit::DocumentLineOfScreenLine(int screenLine) const {
    WrapWholeText();
    return static_cast<int>(
        Send(Sci::SCI_DOCLINEFROMVISIBLE, static_cast<uintptr_t>(std::max(screenLine, 0))));
}

int TRichEdit::ScreenLineOfDocumentLine(int line) const {
    WrapWholeText();
    return static_cast<int>(
        Send(Sci::SCI_VISIBLEFROMDOCLINE, static_cast<uintptr_t>(std::max(line, 0))));
}

int TRichEdit::Caret() const {
    return static_cast<int>(Send(Sci::SCI_GETCURRENTPOS));
}

int TRichEdit::SelStart() const {
    return static_cast<int>(Send(Sci::SCI_GETSELECTIONSTART));
}

int TRichEdit::SelLength() const {
    return static_cast<int>(Send(Sci::SCI_GETSELECTIONEND)) - SelStart();
}

void TRichEdit::Select(int start, int end) {
    int length = GetTextLen();
    Send(Sci::SCI_SETSEL, static_cast<uintptr_t>(std::clamp(start, 0, length)),
         std::clamp(end, 0, length));
    FlushNotifications();
}

void TRichEdit::SetSelStart(int value) {
    Select(value, value);
}

void TRichEdit::SetSelLength(int value) {
    int start = SelStart();
    Select(start, start + std::max(value, 0));
}

String TRichEdit::SelText() const {
    return String(Bytes() + SelStart(), static_cast<size_t>(SelLength()));
}

void TRichEdit::SetSelText(const String& value) {
    int start = SelStart();
    ReplaceRange(start, start + SelLength(), value);
    Send(Sci::SCI_GOTOPOS, static_cast<uintptr_t>(start + static_cast<int>(value.size())));
    FlushNotifications();
}

void TRichEdit::SelectAll() {
    Select(0, GetTextLen());
}

void TRichEdit::ClearSelection() {
    if (!FReadOnly && SelLength() > 0)
        SetSelText("");
}

bool TRichEdit::CanUndo() const {
    return Send(Sci::SCI_CANUNDO) != 0;
}

void TRichEdit::Undo() {
    Send(Sci::SCI_UNDO);
    FlushNotifications();
}

void TRichEdit::ClearUndo() {
    Send(Sci::SCI_EMPTYUNDOBUFFER);
}

void TRichEdit::SetWordWrap(bool value) {
    FWordWrap = value;
    Send(Sci::SCI_SETWRAPMODE, value ? Sci::SC_WRAP_WORD : Sci::SC_WRAP_NONE);
}

void TRichEdit::SetScrollBars(TScrollStyle value) {
    FScrollBars = value;
    Send(Sci::SCI_SETHSCROLLBAR, value == ssHorizontal || value == ssBoth);
    Send(Sci::SCI_SETVSCROLLBAR, value == ssVertical || value == ssBoth);
}

void TRichEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    Send(Sci::SCI_SETREADONLY, value);
}

void TRichEdit::SetHideSelection(bool value) {
    FHideSelection = value;
    Send(Sci::SCI_HIDESELECTION, value && !Focused());
}

bool TRichEdit::Overwrite() const {
    return Send(Sci::SCI_GETOVERTYPE) != 0;
}

void TRichEdit::SetOverwrite(bool value) {
    Send(Sci::SCI_SETOVERTYPE, value);
}

// ---- Whole-text and programmatic edits

namespace {

// While the program itself edits, the text limit and the read-only state do not apply.
class TProgramEdit {
public:
    TProgramEdit(int& depth, QsciScintilla& sci) : FDepth(depth), FSci(sci) {
        ++FDepth;
        FReadOnly = FSci.SendScintilla(Sci::SCI_GETREADONLY) != 0;
        FSci.SendScintilla(Sci::SCI_SETREADONLY, 0UL);
    }
    ~TProgramEdit() {
        FSci.SendScintilla(Sci::SCI_SETREADONLY, static_cast<unsigned long>(FReadOnly));
        --FDepth;
    }
    TProgramEdit(const TProgramEdit&) = delete;
    TProgramEdit& operator=(const TProgramEdit&) = delete;

private:
    int& FDepth;
    QsciScintilla& FSci;
    bool FReadOnly = false;
};

} // namespace

void TRichEdit::ReplaceAll(const String& text) {
    TProgramEdit edit(FProgrammatic, Editor().Sci());
    FTyping = TTypingFormat{};
    // Scintilla takes a large text in a fraction of a second unwrapped, and many seconds
    // wrapped; it wraps the lines later, as they are shown.
    Send(Sci::SCI_SETWRAPMODE, Sci::SC_WRAP_NONE);
    Send(Sci::SCI_SETUNDOCOLLECTION, 0);
    Send(Sci::SCI_CLEARALL);
    Send(Sci::SCI_APPENDTEXT, text.size(), reinterpret_cast<intptr_t>(text.data()));
    Send(Sci::SCI_EMPTYUNDOBUFFER);
    Send(Sci::SCI_SETUNDOCOLLECTION, 1);
    SetWordWrap(FWordWrap);
    ChooseDisplay(text);
    Send(Sci::SCI_GOTOPOS, 0);
}

void TRichEdit::ReplaceRange(int start, int end, const String& text) {
    TProgramEdit edit(FProgrammatic, Editor().Sci());
    Send(Sci::SCI_BEGINUNDOACTION);
    Send(Sci::SCI_SETTARGETRANGE, static_cast<uintptr_t>(start), end);
    Send(Sci::SCI_REPLACETARGET, text.size(), reinterpret_cast<intptr_t>(text.data()));
    Send(Sci::SCI_ENDUNDOACTION);
}

void TRichEdit::ChooseDisplay(const String& text) {
    FShowsUtf8 = HasHighByte(text) && IsValidUtf8(text);
    Send(Sci::SCI_SETCODEPAGE, FShowsUtf8 ? Sci::SC_CP_UTF8 : 0);
    Editor().Sci().Windows1252Glyphs = !FShowsUtf8;
    if (FShowsUtf8)
        return;
    // Room for the glyph painted over each Windows-1252 byte of 0x80-0x9F; the five bytes it
    // leaves undefined show their code.
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        const char code[2] = {static_cast<char>(byte), 0};
        String shown = IsWindows1252Glyph(static_cast<unsigned char>(byte))
                           ? String("n")
                           : "x" + IntToHex(byte, 2);
        Send(Sci::SCI_SETREPRESENTATION, reinterpret_cast<uintptr_t>(code),
             reinterpret_cast<intptr_t>(shown.c_str()));
    }
}

// ---- Typing

int TRichEdit::TextLimit() const {
    return FMaxLength == 0 ? DefaultTextLimit : FMaxLength < 0 ? -1 : FMaxLength;
}

bool TRichEdit::InsertAllowed(int growth) const {
    int limit = TextLimit();
    return FProgrammatic > 0 || limit < 0 || GetTextLen() + growth <= limit;
}

void TRichEdit::TypeText(const String& bytes) {
    if (FReadOnly || bytes.empty())
        return;
    int start = SelStart();
    int end = start + SelLength();
    // Overtype replaces the character after the caret, never a line end.
    if (start == end && Overwrite() && start < GetTextLen() && Bytes()[start] != '\r' &&
        Bytes()[start] != '\n')
        end = static_cast<int>(Send(Sci::SCI_POSITIONAFTER, static_cast<uintptr_t>(start)));
    if (!InsertAllowed(static_cast<int>(bytes.size()) - (end - start)))
        return;
    Send(Sci::SCI_BEGINUNDOACTION);
    Send(Sci::SCI_SETTARGETRANGE, static_cast<uintptr_t>(start), end);
    Send(Sci::SCI_REPLACETARGET, bytes.size(), reinterpret_cast<intptr_t>(bytes.data()));
    Send(Sci::SCI_ENDUNDOACTION);
    Send(Sci::SCI_GOTOPOS, static_cast<uintptr_t>(Send(Sci::SCI_GETTARGETEND)));
    FlushNotifications();
}

void TRichEdit::TypeChar(unsigned char code) {
    switch (code) {
    case '\b':
        if (!FReadOnly) {
            Send(Sci::SCI_DELETEBACK);
            FlushNotifications();
        }
        return;
    case '\r':
        if (FWantReturns)
            TypeText("\r\n");
        return;
    case '\t':
        if (FWantTabs)
            TypeText("\t");
        else
            Editor().Sci().MoveFocus(!CurrentShiftState().Contains(ssShift));
        return;
    default:
        break;
    }
    if (FShowsUtf8 && code >= 0x80) {
        QByteArray utf8 = QString(Windows1252Char(code)).toUtf8();
        TypeText(String(utf8.constData(), static_cast<size_t>(utf8.size())));
    } else {
        TypeText(String(1, static_cast<char>(code)));
    }
}

// ---- Clipboard

void TRichEdit::CopyToClipboard() {
    if (SelLength() > 0)
        QGuiApplication::clipboard()->setText(TextForBytes(SelText(), FShowsUtf8));
}

void TRichEdit::CutToClipboard() {
    if (FReadOnly || SelLength() == 0)
        return;
    CopyToClipboard();
    ReplaceRange(SelStart(), SelStart() + SelLength(), "");
    FlushNotifications();
}

void TRichEdit::PasteFromClipboard() {
    bool allLF = false;
    TypeText(
        NormalizeLineEnds(BytesForText(QGuiApplication::clipboard()->text(), FShowsUtf8), allLF));
}

// ---- Finding

int TRichEdit::FindText(const String& SearchStr, int StartPos, int Length,
                        TSearchTypes Options) const {
    int textLength = GetTextLen();
    if (SearchStr.empty() || StartPos < 0 || StartPos > textLength)
        return -1;
    int end = Length < 0 ? textLength : std::min(textLength, StartPos + Length);
    const auto* text = reinterpret_cast<const unsigned char*>(Bytes());
    const auto* pattern = reinterpret_cast<const unsigned char*>(SearchStr.data());
    bool matchCase = Options.Contains(stMatchCase);
    auto same = [matchCase](unsigned char a, unsigned char b) {
        return matchCase ? a == b : FoldAscii(a) == FoldAscii(b);
    };
    const unsigned char* first = text + StartPos;
    const unsigned char* last = text + end;
    for (;;) {
        const unsigned char* found =
            std::search(first, last, pattern, pattern + SearchStr.size(), same);
        if (found == last)
            return -1;
        const unsigned char* after = found + SearchStr.size();
        bool whole = (found == text || !IsWordByte(found[-1])) &&
                     (after == text + textLength || !IsWordByte(*after));
        if (!Options.Contains(stWholeWord) || whole)
            return static_cast<int>(found - text);
        first = found + 1;
    }
}

// ---- Formatting

TRichEdit::TCharFormat TRichEdit::FormatOf(int style) const {
    return FStyleFormats[static_cast<size_t>(style)];
}

TRichEdit::TCharFormat TRichEdit::FormatAt(int position) const {
    return FormatOf(static_cast<int>(Send(Sci::SCI_GETSTYLEAT, static_cast<uintptr_t>(position))));
}

// Typed text takes the typing format set at the caret, else the formatting of the character
// before it (at the very start, of the one after it).
int TRichEdit::InsertionStyle(int position, int length) const {
    if (FTyping.Style >= 0 && FTyping.Position == position)
        return FTyping.Style;
    int at = position > 0 ? position - 1 : position + length;
    return at < GetTextLen()
               ? static_cast<int>(Send(Sci::SCI_GETSTYLEAT, static_cast<uintptr_t>(at)))
               : 0;
}

TRichEdit::TCharFormat TRichEdit::SelFormat() const {
    return SelLength() > 0 ? FormatAt(SelStart()) : FormatOf(InsertionStyle(Caret(), 0));
}

// A style number for the format; formats no text uses any more give theirs back when the
// numbers run out, and only a text with more formats than Scintilla has styles loses one.
int TRichEdit::StyleFor(const TCharFormat& format) {
    if (format == TCharFormat{})
        return 0;
    if (auto it = FStyles.find(format); it != FStyles.end())
        return it->second;
    auto freeStyle = [this] {
        for (int style = 1; style <= Sci::STYLE_MAX; ++style)
            if ((style < FirstReservedStyle || style > LastReservedStyle) &&
                std::none_of(FStyles.begin(), FStyles.end(),
                             [style](const auto& entry) { return entry.second == style; }))
                return style;
        return -1;
    };
    int style = freeStyle();
    if (style < 0) {
        FreeUnusedStyles();
        style = freeStyle();
        if (style < 0)
            return 0;
    }
    FStyles[format] = style;
    FStyleFormats[static_cast<size_t>(style)] = format;
    ApplyStyle(style, format);
    return style;
}

void TRichEdit::FreeUnusedStyles() {
    std::array<bool, Sci::STYLE_MAX + 1> used{};
    constexpr int Chunk = 1 << 20;
    std::vector<char> styled(2 * Chunk + 2);
    int length = GetTextLen();
    for (int start = 0; start < length; start += Chunk) {
        int end = std::min(length, start + Chunk);
        Editor().Sci().SendScintilla(Sci::SCI_GETSTYLEDTEXT, start, end, styled.data());
        for (int i = 0; i < end - start; ++i)
            used[static_cast<unsigned char>(styled[2 * static_cast<size_t>(i) + 1])] = true;
    }
    if (FTyping.Style >= 0)
        used[static_cast<size_t>(FTyping.Style)] = true;
    std::erase_if(FStyles, [&used](const auto& entry) { return !used[entry.second]; });
}

void TRichEdit::ApplyStyle(int style, const TCharFormat& format) {
    auto number = static_cast<uintptr_t>(style);
    TFontStyles fontStyle =
        format.HasStyle ? TFontStyles::FromBits(format.StyleBits) : Font().Style();
    QByteArray family =
        NearestFontFamily(format.Name.empty() ? Font().Name() : format.Name).toUtf8();
    Send(Sci::SCI_STYLESETFONT, number, reinterpret_cast<intptr_t>(family.constData()));
    Send(Sci::SCI_STYLESETSIZE, number, format.Size == 0 ? Font().Size() : format.Size);
    Send(Sci::SCI_STYLESETBOLD, number, fontStyle.Contains(fsBold));
    Send(Sci::SCI_STYLESETITALIC, number, fontStyle.Contains(fsItalic));
    Send(Sci::SCI_STYLESETUNDERLINE, number, fontStyle.Contains(fsUnderline));
    Send(Sci::SCI_STYLESETFORE, number,
         static_cast<intptr_t>(ColorToRGB(format.HasColor ? format.Color : Font().Color())));
    Send(Sci::SCI_STYLESETBACK, number, static_cast<intptr_t>(ColorToRGB(Color())));
}

// The font and colour of the control are every style's defaults.
void TRichEdit::ApplyStyles() {
    ApplyStyle(Sci::STYLE_DEFAULT, TCharFormat{});
    ApplyStyle(0, TCharFormat{});
    for (const auto& [format, style] : FStyles)
        ApplyStyle(style, format);
    ApplyParagraph();
}

void TRichEdit::ChangeSelFormat(const std::function<void(TCharFormat&)>& change) {
    int start = SelStart();
    int length = SelLength();
    if (length == 0) {
        TCharFormat format = FormatOf(InsertionStyle(start, 0));
        change(format);
        FTyping = TTypingFormat{StyleFor(format), start};
        return;
    }
    std::vector<char> styled(2 * static_cast<size_t>(length) + 2);
    Editor().Sci().SendScintilla(Sci::SCI_GETSTYLEDTEXT, start, start + length, styled.data());
    std::array<int, Sci::STYLE_MAX + 1> changed;
    changed.fill(-1);
    String styles(static_cast<size_t>(length), '\0');
    for (size_t i = 0; i < styles.size(); ++i) {
        auto old = static_cast<unsigned char>(styled[2 * i + 1]);
        if (changed[old] < 0) {
            TCharFormat format = FormatOf(old);
            change(format);
            changed[old] = StyleFor(format);
        }
        styles[i] = static_cast<char>(changed[old]);
    }
    Send(Sci::SCI_STARTSTYLING, static_cast<uintptr_t>(start));
    Send(Sci::SCI_SETSTYLINGEX, styles.size(), reinterpret_cast<intptr_t>(styles.data()));
}

void TRichEdit::ApplyParagraph() {
    auto widthOf = [this](const char* text) {
        return std::max<int>(1, static_cast<int>(Send(Sci::SCI_TEXTWIDTH, Sci::STYLE_DEFAULT,
                                                      reinterpret_cast<intptr_t>(text))));
    };
    Send(Sci::SCI_SETMARGINLEFT, 0, PointsToPixels(std::max(FParagraph.FirstIndent(), 0)));
    Send(Sci::SCI_SETMARGINRIGHT, 0, PointsToPixels(std::max(FParagraph.RightIndent(), 0)));
    Send(Sci::SCI_SETWRAPINDENTMODE, Sci::SC_WRAPINDENT_FIXED);
    Send(Sci::SCI_SETWRAPSTARTINDENT,
         static_cast<uintptr_t>(PointsToPixels(std::max(FParagraph.LeftIndent(), 0)) /
                                widthOf("n")));
    int spacing = PointsToPixels(FParagraph.TabSpacing());
    int space = widthOf(" ");
    Send(Sci::SCI_SETTABWIDTH, static_cast<uintptr_t>(std::max(1, (spacing + space / 2) / space)));
}

// ---- Notifications

void TRichEdit::TextInserted(int position, int length) {
    FModified = true;
    FChangePending = true;
    int style = InsertionStyle(position, length);
    if (style != 0) {
        Send(Sci::SCI_STARTSTYLING, static_cast<uintptr_t>(position));
        Send(Sci::SCI_SETSTYLING, static_cast<uintptr_t>(length), style);
    }
    if (FTyping.Style >= 0 && FTyping.Position == position)
        FTyping.Position = position + length;
}

void TRichEdit::TextDeleted() {
    FModified = true;
    FChangePending = true;
}

// The events the last edit or input caused, raised once it is complete, so that a handler may
// change the text again.
void TRichEdit::FlushNotifications() {
    if (FChangePending) {
        FChangePending = false;
        if (OnChange)
            OnChange(this);
    }
    int start = SelStart();
    int end = start + SelLength();
    if (start != FLastSelStart || end != FLastSelEnd) {
        FLastSelStart = start;
        FLastSelEnd = end;
        if (OnSelectionChange)
            OnSelectionChange(this);
    }
}

// ---- Messages

namespace {

int LParamToLimit(LPARAM value) {
    return value < 0 || value > INT_MAX ? -1 : static_cast<int>(value);
}

} // namespace

void TRichEdit::WndProc(TMessage& Message) {
    auto position = [](uintptr_t value) { return static_cast<int>(static_cast<intptr_t>(value)); };
    switch (Message.Msg) {
    case EM_GETSEL: {
        auto start = static_cast<DWORD>(SelStart());
        auto end = static_cast<DWORD>(SelStart() + SelLength());
        if (Message.WParam)
            *reinterpret_cast<DWORD*>(Message.WParam) = start;
        if (Message.LParam)
            *reinterpret_cast<DWORD*>(Message.LParam) = end;
        Message.Result = start > 0xFFFF || end > 0xFFFF ? -1 : MAKELONG(start, end);
        return;
    }
    case EM_SETSEL: {
        // A start of -1 only takes the selection away; an end of -1 means the end of the text.
        int start = position(Message.WParam);
        int end = static_cast<int>(Message.LParam);
        if (start < 0)
            Select(Caret(), Caret());
        else
            Select(start, end < 0 ? GetTextLen() : end);
        return;
    }
    case EM_REPLACESEL:
        SetSelText(String(reinterpret_cast<const char*>(Message.LParam)));
        return;
    case EM_LINEFROMCHAR:
    case EM_EXLINEFROMCHAR: {
        int at = position(Message.Msg == EM_LINEFROMCHAR ? Message.WParam
                                                         : static_cast<uintptr_t>(Message.LParam));
        Message.Result = LineFromPosition(at < 0 ? SelStart() : at);
        return;
    }
    case EM_LINEINDEX: {
        int line = position(Message.WParam);
        if (line < 0)
            line = LineFromPosition(Caret());
        Message.Result = line < LineCount() ? LineStart(line) : -1;
        return;
    }
    case EM_LINELENGTH: {
        int line = LineFromPosition(position(Message.WParam));
        Message.Result = LineEnd(line) - LineStart(line);
        return;
    }
    case EM_GETLINECOUNT:
        Message.Result = LineCount();
        return;
    case EM_GETFIRSTVISIBLELINE:
        Message.Result = Send(Sci::SCI_GETFIRSTVISIBLELINE);
        return;
    case EM_LINESCROLL:
        Send(Sci::SCI_LINESCROLL, Message.WParam, Message.LParam);
        Message.Result = 1;
        return;
    case EM_SCROLLCARET:
        Send(Sci::SCI_SCROLLCARET);
        return;
    case EM_GETMODIFY:
        Message.Result = FModified;
        return;
    case EM_SETMODIFY:
        FModified = Message.WParam != 0;
        return;
    case EM_CANUNDO:
        Message.Result = CanUndo();
        return;
    case EM_UNDO:
    case WM_UNDO:
        Message.Result = CanUndo();
        Undo();
        return;
    case EM_EMPTYUNDOBUFFER:
        ClearUndo();
        return;
    case EM_SETREADONLY:
        SetReadOnly(Message.WParam != 0);
        Message.Result = 1;
        return;
    case EM_EXLIMITTEXT:
        SetMaxLength(LParamToLimit(Message.LParam));
        return;
    case WM_GETTEXTLENGTH:
        Message.Result = GetTextLen();
        return;
    case WM_CUT:
        CutToClipboard();
        return;
    case WM_COPY:
        CopyToClipboard();
        return;
    case WM_PASTE:
        PasteFromClipboard();
        return;
    case WM_CLEAR:
        ClearSelection();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Send(Sci::SCI_HIDESELECTION, FHideSelection && Message.Msg == WM_KILLFOCUS);
        break;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
        ApplyStyles();
        break;
    default:
        break;
    }
    TWinControl::WndProc(Message);
}

namespace {

struct ClipboardKey {
    WORD Key;
    TShiftStateFlag Shift;
    void (TRichEdit::*Action)();
};

constexpr ClipboardKey ClipboardKeys[] = {
    {'C', ssCtrl, &TRichEdit::CopyToClipboard},
    {VK_INSERT, ssCtrl, &TRichEdit::CopyToClipboard},
    {'X', ssCtrl, &TRichEdit::CutToClipboard},
    {VK_DELETE, ssShift, &TRichEdit::CutToClipboard},
    {'V', ssCtrl, &TRichEdit::PasteFromClipboard},
    {VK_INSERT, ssShift, &TRichEdit::PasteFromClipboard},
};

} // namespace

void TRichEdit::DefaultHandler(TMessage& Message) {
    TShiftState shift = CurrentShiftState() & TShiftState{ssShift, ssCtrl, ssAlt};
    if (Message.Msg == WM_CHAR) {
        auto code = static_cast<unsigned char>(Message.WParam);
        bool typed = code >= 0x20 && code != 0x7F;
        bool editing = (code == '\b' || code == '\r' || code == '\t') && !shift.Contains(ssCtrl) &&
                       !shift.Contains(ssAlt);
        if (typed || editing)
            TypeChar(code);
        else // control keys (Ctrl+A, Ctrl+Backspace, Delete) go on to the editor's keyboard
            TWinControl::DefaultHandler(Message);
        return;
    }
    if (Message.Msg == WM_KEYDOWN)
        for (const ClipboardKey& key : ClipboardKeys)
            if (Message.WParam == key.Key && shift == TShiftState{key.Shift}) {
                (this->*key.Action)();
                return;
            }
    TWinControl::DefaultHandler(Message);
}
