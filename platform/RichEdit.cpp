#include "platform/RichEdit.h"
#include "platform/RichEditPeer.h"
#include "platform/TestHooks.h"

#include <algorithm>
#include <array>
#include <climits>

namespace {

// EM_EXLIMITTEXT's meaning of 0.
constexpr int ZeroTextLimit = 64000;

// A line longer than this is shown in pieces (see CutLongLinesIntoPieces) of at most
// PieceLength bytes, short enough for Scintilla to keep their widths.
constexpr size_t LongLine = 1000;
constexpr size_t PieceLength = 16;

int PointsToPixels(int points) {
    return points * ScreenPixelsPerInch / 72;
}

bool IsWordByte(unsigned char byte) {
    return byte >= 0x80 || byte == '_' || (byte >= '0' && byte <= '9') ||
           (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

bool HasHighByte(const String& bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

} // namespace

// ---- The control

TRichEdit::TRichEdit(TComponent* AOwner)
    : TWinControl(AOwner,
                  [](TControl& control) { return std::make_unique<TRichEditPeer>(control); }),
      TPeerOf(Peer()), FLines(*this), FSelAttributes(*this), FParagraph(*this) {
    SetTabStop(true);
    // Visible annotations make Scintilla lay out every line of a new text at once.
    Sci().AnnotationSetVisible(TSciAnnotationVisible::Hidden);
    Sci().SetLexer(TSciLexer::Container);
    Sci().SetLayoutCache(TSciCache::Page);
    Sci().SetEOLMode(TSciEndOfLine::CrLf);
    // Edits are followed from the notices sent before them: QScintilla turns every notice of
    // a finished edit into a count of characters from the start of the text, which makes a
    // keystroke cost more the further down a large page it is.
    Sci().SetModEventMask(scModBeforeInsert | scModBeforeDelete | scModInsertCheck);
    for (int margin = 0; margin < 5; ++margin)
        Sci().SetMarginWidthN(margin, 0);
    Sci().SetEndAtLastLine(false);
    Sci().SetScrollWidthTracking(true);
    Sci().SetScrollWidth(1);
    Sci().SetSelFore(true, ColorToRGB(clHighlightText));
    Sci().SetSelBack(true, ColorToRGB(clHighlight));
    FStyleFormats.resize(TSciCalls::StyleMax + 1);
    ApplyStyles();
    SetWordWrap(FWordWrap);
    SetScrollBars(FScrollBars);
    SetHideSelection(FHideSelection);
    ReplaceAll("");
    FModified = false;
    TypedPeer().Start();
}

TRichEdit::~TRichEdit() = default;

TSciCalls& TRichEdit::Sci() const {
    return TypedPeer().Calls();
}

const char* TRichEdit::Bytes() const {
    return Sci().CharacterPointer();
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
    return Sci().Length();
}

std::string_view TRichEdit::TextView() const {
    return std::string_view(Bytes(), static_cast<size_t>(GetTextLen()));
}

char TRichEdit::CharAt(int position) const {
    return position >= 0 && position < GetTextLen() ? Bytes()[position] : 0;
}

void TRichEdit::Clear() {
    ReplaceAll("");
    FModified = false;
    FFileLineBreaks = TLineBreaks();
    FlushNotifications();
}

int TRichEdit::LineCount() const {
    return Sci().LineCount();
}

int TRichEdit::LineStart(int line) const {
    return Sci().PositionFromLine(line);
}

int TRichEdit::LineEnd(int line) const {
    return Sci().LineEndPosition(line);
}

int TRichEdit::LineFromPosition(int position) const {
    return Sci().LineFromPosition(position);
}

// Scintilla wraps a new text a piece at a time as it is shown; asking it to make the last line
// visible wraps the rest at once (there are no folds, so nothing else moves).
void TRichEdit::WrapWholeText() const {
    if (FWordWrap)
        Sci().EnsureVisible(LineCount() - 1);
}

int TRichEdit::DocumentLineOfScreenLine(int screenLine) const {
    WrapWholeText();
    return Sci().DocLineFromVisible(std::max(screenLine, 0));
}

int TRichEdit::ScreenLineOfDocumentLine(int line) const {
    WrapWholeText();
    return Sci().VisibleFromDocLine(std::max(line, 0));
}

int TRichEdit::Caret() const {
    return Sci().CurrentPos();
}

int TRichEdit::SelStart() const {
    return Sci().SelectionStart();
}

int TRichEdit::SelLength() const {
    return Sci().SelectionEnd() - SelStart();
}

void TRichEdit::Select(int start, int end) {
    int length = GetTextLen();
    Sci().SetSel(std::clamp(start, 0, length), std::clamp(end, 0, length));
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
    Sci().GotoPos(start + static_cast<int>(value.size()));
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
    return Sci().CanUndo();
}

void TRichEdit::Undo() {
    Sci().Undo();
    FlushNotifications();
}

void TRichEdit::ClearUndo() {
    Sci().EmptyUndoBuffer();
}

void TRichEdit::SetWordWrap(bool value) {
    FWordWrap = value;
    Sci().SetWrapMode(value ? TSciWrap::Word : TSciWrap::None);
}

void TRichEdit::SetScrollBars(TScrollStyle value) {
    FScrollBars = value;
    Sci().SetHScrollBar(value == ssHorizontal || value == ssBoth);
    Sci().SetVScrollBar(value == ssVertical || value == ssBoth);
}

void TRichEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    Sci().SetReadOnly(value);
}

void TRichEdit::SetHideSelection(bool value) {
    FHideSelection = value;
    Sci().HideSelection(value && !Focused());
}

bool TRichEdit::Overwrite() const {
    return Sci().Overtype();
}

// ---- Whole-text and programmatic edits

namespace {

// While the program itself edits, the text limit and the read-only state do not apply.
class TProgramEdit {
public:
    TProgramEdit(int& depth, TSciCalls& sci) : FDepth(depth), FSci(sci) {
        ++FDepth;
        FReadOnly = FSci.ReadOnly();
        FSci.SetReadOnly(false);
    }
    ~TProgramEdit() {
        FSci.SetReadOnly(FReadOnly);
        --FDepth;
    }
    TProgramEdit(const TProgramEdit&) = delete;
    TProgramEdit& operator=(const TProgramEdit&) = delete;

private:
    int& FDepth;
    TSciCalls& FSci;
    bool FReadOnly = false;
};

} // namespace

void TRichEdit::ReplaceAll(const String& text) {
    TProgramEdit edit(FProgrammatic, Sci());
    FTyping = TTypingFormat{};
    FWholeTextLength = static_cast<int>(text.size());
    Sci().SetUndoCollection(false);
    Sci().ClearAll();
    // Scintilla takes a large text in a fraction of a second unwrapped, and many seconds
    // wrapped; it wraps the lines later, as they are shown. The display is chosen while the
    // text is empty, as changing it lays out the whole text again.
    Sci().SetWrapMode(TSciWrap::None);
    ChooseDisplay(text);
    Sci().AppendText(text);
    CutLongLinesIntoPieces(text);
    Sci().EmptyUndoBuffer();
    Sci().SetUndoCollection(true);
    Sci().SetSavePoint();
    SetWordWrap(FWordWrap);
    Sci().GotoPos(0);
}

// Scintilla lays a line out whole after every change in it, and measures each run of one style
// in it afresh unless the run is short and recently measured. A long line of one style (a page
// without colouring, a minified page above all) would cost seconds a keystroke and more to show;
// cut into short pieces of two styles that look the same, as colouring cuts it, it costs a
// tenth of that.
void TRichEdit::CutLongLinesIntoPieces(const String& text) {
    String styles;
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = std::min(text.find('\n', lineStart), text.size());
        if (lineEnd - lineStart > LongLine) {
            styles.resize(text.size(), 0);
            GivePieces(text, lineStart, lineEnd, styles);
        }
        lineStart = lineEnd + 1;
    }
    if (!styles.empty())
        Sci().SetStylesOf(0, styles);
}

// Pieces follow the words and tags, which recur, so that most are measured once; one ends only
// where a character starts, so that no character is drawn in two parts. Style 0 and the
// default style, which every other style starts from, both look as the control's font.
void TRichEdit::GivePieces(const String& text, size_t start, size_t end, String& styles) const {
    char style = 0;
    size_t pieceStart = start;
    for (size_t p = start; p < end; ++p) {
        bool continuation = FShowsUtf8 && (static_cast<unsigned char>(text[p]) & 0xC0) == 0x80;
        bool wordStart =
            p > pieceStart && (text[p - 1] == ' ' || text[p - 1] == '>' || text[p] == '<');
        if (!continuation && (wordStart || p - pieceStart >= PieceLength)) {
            style = style == 0 ? static_cast<char>(TSciCalls::StyleDefault) : 0;
            pieceStart = p;
        }
        styles[p] = style;
    }
}

void TRichEdit::ReplaceRange(int start, int end, const String& text) {
    TProgramEdit edit(FProgrammatic, Sci());
    Sci().ReplaceRange(start, end, text);
}

void TRichEdit::ChooseDisplay(const String& text) {
    FShowsUtf8 = HasHighByte(text) && IsValidUtf8(text);
    TypedPeer().ShowAsUtf8(FShowsUtf8);
}

// ---- Typing

// A text put in whole that is longer than the limit raises the limit to its own length, so it
// can still be edited.
int TRichEdit::TextLimit() const {
    if (FMaxLength < 0)
        return -1;
    return std::max(FMaxLength == 0 ? ZeroTextLimit : FMaxLength, FWholeTextLength);
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
        end = Sci().PositionAfter(start);
    if (!InsertAllowed(static_cast<int>(bytes.size()) - (end - start)))
        return;
    Sci().GotoPos(Sci().ReplaceRange(start, end, bytes));
    FlushNotifications();
}

void TRichEdit::TypeChar(unsigned char code) {
    switch (code) {
    case '\b':
        if (!FReadOnly) {
            Sci().DeleteBack();
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
            TypedPeer().MoveFocus(!CurrentShiftState().Contains(ssShift));
        return;
    default:
        break;
    }
    TypeText(FShowsUtf8 && code >= 0x80 ? Windows1252ToUtf8(code)
                                        : String(1, static_cast<char>(code)));
}

// ---- Clipboard

void TRichEdit::CopyToClipboard() {
    if (SelLength() > 0)
        TypedPeer().SetClipboardBytes(SelText());
}

void TRichEdit::CutToClipboard() {
    if (FReadOnly || SelLength() == 0)
        return;
    CopyToClipboard();
    ReplaceRange(SelStart(), SelStart() + SelLength(), "");
    FlushNotifications();
}

void TRichEdit::Print(const String& Caption) {
    if (!TestHooks::RecordPrintJob({Caption, Text(), Font().Name(), this, false, "", ""}))
        TypedPeer().Print(Caption);
}

namespace {

String JoinColumns(const std::vector<TPrintColumn>& columns) {
    String joined;
    for (size_t i = 0; i < columns.size(); ++i)
        joined += (i ? "|" : "") + columns[i].Text;
    return joined;
}

} // namespace

bool TRichEdit::RecordPages(const TPagePrint& job, bool preview) {
    TPageDecoration first = job.Decorate ? job.Decorate(job.FirstPage) : TPageDecoration{};
    return TestHooks::RecordPrintJob({job.Title, Text(), Font().Name(), this, preview,
                                      JoinColumns(first.Header), JoinColumns(first.Footer)});
}

void TRichEdit::PrintPages(const TPagePrint& job) {
    if (!RecordPages(job, false))
        TypedPeer().PrintPages(job);
}

void TRichEdit::RecordPreviewPages(const TPagePrint& job) {
    if (!RecordPages(job, true))
        TypedPeer().RecordPreviewPages(job);
}

void TRichEdit::PasteFromClipboard() {
    TypeText(AdjustLineBreaks(TypedPeer().ClipboardBytes()));
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
        return matchCase ? a == b : LowCase(static_cast<char>(a)) == LowCase(static_cast<char>(b));
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
    return FormatOf(Sci().StyleAt(position));
}

// Typed text takes the typing format set at the caret, else the formatting of the character
// before it (at the very start, of the one after it).
int TRichEdit::InsertionStyle(int position) const {
    if (FTyping.Style >= 0 && FTyping.Position == position)
        return FTyping.Style;
    int at = position > 0 ? position - 1 : position;
    return at < GetTextLen() ? Sci().StyleAt(at) : 0;
}

TRichEdit::TCharFormat TRichEdit::SelFormat() const {
    return SelLength() > 0 ? FormatAt(SelStart()) : FormatOf(InsertionStyle(Caret()));
}

// A style number for the format; formats no text uses any more give theirs back when the
// numbers run out, and only a text with more formats than Scintilla has styles loses one.
int TRichEdit::StyleFor(const TCharFormat& format) {
    if (format == TCharFormat{})
        return 0;
    if (auto it = FStyles.find(format); it != FStyles.end())
        return it->second;
    auto freeStyle = [this] {
        for (int style = 1; style <= TSciCalls::StyleMax; ++style)
            if ((style < TSciCalls::StyleDefault || style > TSciCalls::StyleLastPredefined) &&
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
    std::array<bool, TSciCalls::StyleMax + 1> used{};
    constexpr int Chunk = 1 << 20;
    int length = GetTextLen();
    for (int start = 0; start < length; start += Chunk)
        for (char style : Sci().StylesOf(start, std::min(length, start + Chunk)))
            used[static_cast<unsigned char>(style)] = true;
    if (FTyping.Style >= 0)
        used[static_cast<size_t>(FTyping.Style)] = true;
    if (FPendingStyles)
        for (char style : *FPendingStyles)
            used[static_cast<unsigned char>(style)] = true;
    std::erase_if(FStyles, [&used](const auto& entry) { return !used[entry.second]; });
    ++FStyleGeneration;
}

void TRichEdit::ApplyStyle(int style, const TCharFormat& format) {
    TFontStyles fontStyle =
        format.HasStyle ? TFontStyles::FromBits(format.StyleBits) : Font().Style();
    Sci().DefineStyle(style, TSciStyle{format.Name.empty() ? Font().Name() : format.Name,
                                       format.Size == 0 ? Font().Size() : format.Size,
                                       fontStyle.Contains(fsBold), fontStyle.Contains(fsItalic),
                                       fontStyle.Contains(fsUnderline),
                                       ColorToRGB(format.HasColor ? format.Color : Font().Color()),
                                       ColorToRGB(Color())});
}

// The font and colour of the control are every style's defaults.
void TRichEdit::ApplyStyles() {
    ApplyStyle(TSciCalls::StyleDefault, TCharFormat{});
    ApplyStyle(0, TCharFormat{});
    for (const auto& [format, style] : FStyles)
        ApplyStyle(style, format);
    ApplyParagraph();
    ApplyMarksColor();
}

void TRichEdit::ChangeSelFormat(const std::function<void(TCharFormat&)>& change) {
    int start = SelStart();
    int length = SelLength();
    if (length == 0) {
        TCharFormat format = FormatOf(InsertionStyle(start));
        change(format);
        FTyping = TTypingFormat{StyleFor(format), start};
        return;
    }
    std::array<int, TSciCalls::StyleMax + 1> changed;
    changed.fill(-1);
    String styles = Sci().StylesOf(start, start + length);
    for (char& style : styles) {
        auto old = static_cast<unsigned char>(style);
        if (changed[old] < 0) {
            TCharFormat format = FormatOf(old);
            change(format);
            changed[old] = StyleFor(format);
        }
        style = static_cast<char>(changed[old]);
    }
    Sci().SetStylesOf(start, styles);
}

void TRichEdit::ApplyParagraph() {
    auto widthOf = [this](const String& text) {
        return std::max(1, Sci().TextWidth(TSciCalls::StyleDefault, text));
    };
    Sci().SetMarginLeft(PointsToPixels(std::max(FParagraph.FirstIndent(), 0)));
    Sci().SetMarginRight(PointsToPixels(std::max(FParagraph.RightIndent(), 0)));
    Sci().SetWrapIndentMode(TSciWrapIndent::Fixed);
    Sci().SetWrapStartIndent(PointsToPixels(std::max(FParagraph.LeftIndent(), 0)) / widthOf("n"));
    int spacing = PointsToPixels(FParagraph.TabSpacing());
    int space = widthOf(" ");
    Sci().SetTabWidth(std::max(1, (spacing + space / 2) / space));
}

// ---- Notifications

// Scintilla tells of an insertion before it is made; the new text takes its style once it is
// in, at the next notice or when the edit is complete, whichever comes first.
void TRichEdit::TextInserting(int position, int length) {
    TextChanging();
    FInserted = TInsertion{position, length, InsertionStyle(position)};
    if (FTyping.Style >= 0 && FTyping.Position == position)
        FTyping.Position = position + length;
}

void TRichEdit::TextChanging() {
    StyleInsertedText();
    FModified = true;
    FChangePending = true;
}

void TRichEdit::StyleInsertedText() {
    if (FInserted.Style != 0)
        Sci().SetStyleOf(FInserted.Position, FInserted.Length, FInserted.Style);
    FInserted = TInsertion{};
}

// The events the last edit or input caused, raised once it is complete, so that a handler may
// change the text again.
void TRichEdit::FlushNotifications() {
    StyleInsertedText();
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
    case EM_CHARFROMPOS:
        Message.Result =
            Sci().PositionFromPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        return;
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
        Message.Result = Sci().FirstVisibleLine();
        return;
    case EM_LINESCROLL:
        Sci().LineScroll(position(Message.WParam), static_cast<int>(Message.LParam));
        Message.Result = 1;
        return;
    case EM_SCROLLCARET:
        TypedPeer().ScrollCaret();
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
        Sci().HideSelection(FHideSelection && Message.Msg == WM_KILLFOCUS);
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
    // Many lines: Return breaks a line here rather than pressing a dialog's default button.
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
        if (FWantTabs)
            Message.Result |= DLGC_WANTTAB;
        return;
    }
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
