#include "platform/SciCalls.h"
#include "platform/Peer.h"

// QScintilla's headers use Qt's keywords, which the platform code leaves off.
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qsciscintillabase.h>
#undef signals
#undef slots

#include <algorithm>
#include <vector>

using Sci = QsciScintillaBase;

static_assert(static_cast<int>(TSciWrap::None) == Sci::SC_WRAP_NONE);
static_assert(static_cast<int>(TSciWrap::Word) == Sci::SC_WRAP_WORD);
static_assert(static_cast<int>(TSciWrapIndent::Fixed) == Sci::SC_WRAPINDENT_FIXED);
static_assert(static_cast<int>(TSciEndOfLine::CrLf) == Sci::SC_EOL_CRLF);
static_assert(static_cast<int>(TSciLexer::Container) == Sci::SCLEX_CONTAINER);
static_assert(static_cast<int>(TSciCodePage::Utf8) == Sci::SC_CP_UTF8);
static_assert(static_cast<int>(TSciAnnotationVisible::Hidden) == Sci::ANNOTATION_HIDDEN);
static_assert(static_cast<int>(TSciCache::Page) == Sci::SC_CACHE_PAGE);
static_assert(static_cast<int>(TSciWhiteSpace::Invisible) == Sci::SCWS_INVISIBLE);
static_assert(static_cast<int>(TSciWhiteSpace::VisibleAlways) == Sci::SCWS_VISIBLEALWAYS);
static_assert(static_cast<int>(scModBeforeInsert) == Sci::SC_MOD_BEFOREINSERT);
static_assert(static_cast<int>(scModBeforeDelete) == Sci::SC_MOD_BEFOREDELETE);
static_assert(static_cast<int>(scModInsertCheck) == Sci::SC_MOD_INSERTCHECK);
static_assert(TSciCalls::StyleDefault == Sci::STYLE_DEFAULT);
static_assert(TSciCalls::StyleLastPredefined == Sci::STYLE_LASTPREDEFINED);
static_assert(TSciCalls::StyleMax == Sci::STYLE_MAX);

long TSciCalls::Send(unsigned msg, unsigned long wParam, long lParam) const {
    return FSci.SendScintilla(msg, wParam, lParam);
}

long TSciCalls::Send(unsigned msg, unsigned long wParam, const String& text) const {
    return FSci.SendScintilla(msg, static_cast<uintptr_t>(wParam), text.c_str());
}

// ---- Text

int TSciCalls::Length() const {
    return static_cast<int>(Send(Sci::SCI_GETLENGTH));
}

const char* TSciCalls::CharacterPointer() const {
    return static_cast<const char*>(FSci.SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
}

void TSciCalls::ClearAll() {
    Send(Sci::SCI_CLEARALL);
}

void TSciCalls::AppendText(const String& text) {
    Send(Sci::SCI_APPENDTEXT, text.size(), text);
}

int TSciCalls::PositionAfter(int position) const {
    return static_cast<int>(Send(Sci::SCI_POSITIONAFTER, static_cast<unsigned long>(position)));
}

void TSciCalls::SetCodePage(TSciCodePage codePage) {
    Send(Sci::SCI_SETCODEPAGE, static_cast<unsigned long>(codePage));
}

void TSciCalls::SetRepresentation(const String& bytes, const String& shown) {
    FSci.SendScintilla(Sci::SCI_SETREPRESENTATION, bytes.c_str(), shown.c_str());
}

void TSciCalls::SetEOLMode(TSciEndOfLine mode) {
    Send(Sci::SCI_SETEOLMODE, static_cast<unsigned long>(mode));
}

void TSciCalls::SetModEventMask(unsigned mask) {
    Send(Sci::SCI_SETMODEVENTMASK, mask);
}

// ---- Lines

int TSciCalls::LineCount() const {
    return static_cast<int>(Send(Sci::SCI_GETLINECOUNT));
}

int TSciCalls::LineFromPosition(int position) const {
    return static_cast<int>(Send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
}

int TSciCalls::PositionFromLine(int line) const {
    return static_cast<int>(Send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line)));
}

int TSciCalls::LineEndPosition(int line) const {
    return static_cast<int>(Send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line)));
}

// ---- Lines on screen and drawing

int TSciCalls::DocLineFromVisible(int visibleLine) const {
    return static_cast<int>(
        Send(Sci::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(visibleLine)));
}

int TSciCalls::VisibleFromDocLine(int line) const {
    return static_cast<int>(Send(Sci::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(line)));
}

void TSciCalls::EnsureVisible(int line) {
    Send(Sci::SCI_ENSUREVISIBLE, static_cast<unsigned long>(line));
}

int TSciCalls::FirstVisibleLine() const {
    return static_cast<int>(Send(Sci::SCI_GETFIRSTVISIBLELINE));
}

int TSciCalls::LinesOnScreen() const {
    return static_cast<int>(Send(Sci::SCI_LINESONSCREEN));
}

void TSciCalls::LineScroll(int columns, int lines) {
    Send(Sci::SCI_LINESCROLL, static_cast<unsigned long>(columns), lines);
}

void TSciCalls::ScrollCaret() {
    Send(Sci::SCI_SCROLLCARET);
}

int TSciCalls::PointXFromPosition(int position) const {
    return static_cast<int>(Send(Sci::SCI_POINTXFROMPOSITION, 0, position));
}

int TSciCalls::PositionFromPoint(int x, int y) const {
    return static_cast<int>(Send(Sci::SCI_POSITIONFROMPOINT, static_cast<unsigned long>(x), y));
}

int TSciCalls::PointYFromPosition(int position) const {
    return static_cast<int>(Send(Sci::SCI_POINTYFROMPOSITION, 0, position));
}

int TSciCalls::TextHeight(int line) const {
    return static_cast<int>(Send(Sci::SCI_TEXTHEIGHT, static_cast<unsigned long>(line)));
}

int TSciCalls::TextWidth(int style, const String& text) const {
    return static_cast<int>(Send(Sci::SCI_TEXTWIDTH, static_cast<unsigned long>(style), text));
}

// ---- Caret and selection

int TSciCalls::CurrentPos() const {
    return static_cast<int>(Send(Sci::SCI_GETCURRENTPOS));
}

int TSciCalls::SelectionStart() const {
    return static_cast<int>(Send(Sci::SCI_GETSELECTIONSTART));
}

int TSciCalls::SelectionEnd() const {
    return static_cast<int>(Send(Sci::SCI_GETSELECTIONEND));
}

int TSciCalls::Anchor() const {
    return static_cast<int>(Send(Sci::SCI_GETANCHOR));
}

void TSciCalls::SetSel(int anchor, int caret) {
    Send(Sci::SCI_SETSEL, static_cast<unsigned long>(anchor), caret);
}

void TSciCalls::ChooseCaretX() {
    Send(Sci::SCI_CHOOSECARETX);
}

void TSciCalls::GotoPos(int position) {
    Send(Sci::SCI_GOTOPOS, static_cast<unsigned long>(position));
}

void TSciCalls::HideSelection(bool hide) {
    Send(Sci::SCI_HIDESELECTION, hide);
}

void TSciCalls::SetSelFore(bool useSetting, TColor color) {
    Send(Sci::SCI_SETSELFORE, useSetting, static_cast<long>(color));
}

void TSciCalls::SetSelBack(bool useSetting, TColor color) {
    Send(Sci::SCI_SETSELBACK, useSetting, static_cast<long>(color));
}

// ---- Editing

bool TSciCalls::ReadOnly() const {
    return Send(Sci::SCI_GETREADONLY) != 0;
}

void TSciCalls::SetReadOnly(bool readOnly) {
    Send(Sci::SCI_SETREADONLY, readOnly);
}

bool TSciCalls::Overtype() const {
    return Send(Sci::SCI_GETOVERTYPE) != 0;
}

void TSciCalls::SetTargetRange(int start, int end) {
    Send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(start), end);
}

int TSciCalls::TargetEnd() const {
    return static_cast<int>(Send(Sci::SCI_GETTARGETEND));
}

void TSciCalls::ReplaceTarget(const String& text) {
    Send(Sci::SCI_REPLACETARGET, text.size(), text);
}

void TSciCalls::ChangeInsertion(const String& text) {
    Send(Sci::SCI_CHANGEINSERTION, text.size(), text);
}

void TSciCalls::DeleteBack() {
    Send(Sci::SCI_DELETEBACK);
}

bool TSciCalls::CanUndo() const {
    return Send(Sci::SCI_CANUNDO) != 0;
}

void TSciCalls::Undo() {
    Send(Sci::SCI_UNDO);
}

void TSciCalls::EmptyUndoBuffer() {
    Send(Sci::SCI_EMPTYUNDOBUFFER);
}

void TSciCalls::SetUndoCollection(bool collectUndo) {
    Send(Sci::SCI_SETUNDOCOLLECTION, collectUndo);
}

void TSciCalls::SetSavePoint() {
    Send(Sci::SCI_SETSAVEPOINT);
}

void TSciCalls::BeginUndoAction() {
    Send(Sci::SCI_BEGINUNDOACTION);
}

void TSciCalls::EndUndoAction() {
    Send(Sci::SCI_ENDUNDOACTION);
}

// ---- Styles

void TSciCalls::SetLexer(TSciLexer lexer) {
    Send(Sci::SCI_SETLEXER, static_cast<unsigned long>(lexer));
}

int TSciCalls::StyleAt(int position) const {
    return static_cast<int>(Send(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
}

void TSciCalls::StartStyling(int position) {
    Send(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(position));
}

void TSciCalls::SetStyling(int length, int style) {
    Send(Sci::SCI_SETSTYLING, static_cast<unsigned long>(length), style);
}

void TSciCalls::SetStylingEx(const String& styles) {
    Send(Sci::SCI_SETSTYLINGEX, styles.size(), styles);
}

void TSciCalls::StyleSetFont(int style, const String& fontName) {
    Send(Sci::SCI_STYLESETFONT, static_cast<unsigned long>(style),
         String(NearestFontFamily(fontName).toUtf8().constData()));
}

void TSciCalls::StyleSetSize(int style, int points) {
    Send(Sci::SCI_STYLESETSIZE, static_cast<unsigned long>(style), points);
}

void TSciCalls::StyleSetBold(int style, bool bold) {
    Send(Sci::SCI_STYLESETBOLD, static_cast<unsigned long>(style), bold);
}

void TSciCalls::StyleSetItalic(int style, bool italic) {
    Send(Sci::SCI_STYLESETITALIC, static_cast<unsigned long>(style), italic);
}

void TSciCalls::StyleSetUnderline(int style, bool underline) {
    Send(Sci::SCI_STYLESETUNDERLINE, static_cast<unsigned long>(style), underline);
}

void TSciCalls::StyleSetFore(int style, TColor color) {
    Send(Sci::SCI_STYLESETFORE, static_cast<unsigned long>(style), static_cast<long>(color));
}

void TSciCalls::StyleSetBack(int style, TColor color) {
    Send(Sci::SCI_STYLESETBACK, static_cast<unsigned long>(style), static_cast<long>(color));
}

String TSciCalls::StyleFont(int style) const {
    char family[128] = {};
    FSci.SendScintilla(Sci::SCI_STYLEGETFONT, static_cast<unsigned long>(style),
                       static_cast<void*>(family));
    return family;
}

int TSciCalls::StyleSize(int style) const {
    return static_cast<int>(Send(Sci::SCI_STYLEGETSIZE, static_cast<unsigned long>(style)));
}

bool TSciCalls::StyleBold(int style) const {
    return Send(Sci::SCI_STYLEGETBOLD, static_cast<unsigned long>(style)) != 0;
}

bool TSciCalls::StyleItalic(int style) const {
    return Send(Sci::SCI_STYLEGETITALIC, static_cast<unsigned long>(style)) != 0;
}

bool TSciCalls::StyleUnderline(int style) const {
    return Send(Sci::SCI_STYLEGETUNDERLINE, static_cast<unsigned long>(style)) != 0;
}

TColor TSciCalls::StyleFore(int style) const {
    return static_cast<TColor>(Send(Sci::SCI_STYLEGETFORE, static_cast<unsigned long>(style)));
}

TColor TSciCalls::StyleBack(int style) const {
    return static_cast<TColor>(Send(Sci::SCI_STYLEGETBACK, static_cast<unsigned long>(style)));
}

// ---- Layout and scrolling

void TSciCalls::SetWrapMode(TSciWrap mode) {
    Send(Sci::SCI_SETWRAPMODE, static_cast<unsigned long>(mode));
}

void TSciCalls::SetWrapIndentMode(TSciWrapIndent mode) {
    Send(Sci::SCI_SETWRAPINDENTMODE, static_cast<unsigned long>(mode));
}

void TSciCalls::SetWrapStartIndent(int indent) {
    Send(Sci::SCI_SETWRAPSTARTINDENT, static_cast<unsigned long>(indent));
}

void TSciCalls::SetTabWidth(int width) {
    Send(Sci::SCI_SETTABWIDTH, static_cast<unsigned long>(width));
}

void TSciCalls::SetMarginLeft(int pixels) {
    Send(Sci::SCI_SETMARGINLEFT, 0, pixels);
}

void TSciCalls::SetMarginRight(int pixels) {
    Send(Sci::SCI_SETMARGINRIGHT, 0, pixels);
}

void TSciCalls::SetMarginWidthN(int margin, int pixels) {
    Send(Sci::SCI_SETMARGINWIDTHN, static_cast<unsigned long>(margin), pixels);
}

void TSciCalls::SetEndAtLastLine(bool endAtLastLine) {
    Send(Sci::SCI_SETENDATLASTLINE, endAtLastLine);
}

void TSciCalls::SetScrollWidthTracking(bool tracking) {
    Send(Sci::SCI_SETSCROLLWIDTHTRACKING, tracking);
}

void TSciCalls::SetScrollWidth(int pixels) {
    Send(Sci::SCI_SETSCROLLWIDTH, static_cast<unsigned long>(pixels));
}

void TSciCalls::SetHScrollBar(bool visible) {
    Send(Sci::SCI_SETHSCROLLBAR, visible);
}

void TSciCalls::SetVScrollBar(bool visible) {
    Send(Sci::SCI_SETVSCROLLBAR, visible);
}

void TSciCalls::SetLayoutCache(TSciCache mode) {
    Send(Sci::SCI_SETLAYOUTCACHE, static_cast<unsigned long>(mode));
}

void TSciCalls::AnnotationSetVisible(TSciAnnotationVisible visible) {
    Send(Sci::SCI_ANNOTATIONSETVISIBLE, static_cast<unsigned long>(visible));
}

// ---- Marks

TSciWhiteSpace TSciCalls::ViewWS() const {
    return static_cast<TSciWhiteSpace>(Send(Sci::SCI_GETVIEWWS));
}

void TSciCalls::SetViewWS(TSciWhiteSpace view) {
    Send(Sci::SCI_SETVIEWWS, static_cast<unsigned long>(view));
}

void TSciCalls::SetViewEOL(bool visible) {
    Send(Sci::SCI_SETVIEWEOL, visible);
}

void TSciCalls::SetWhitespaceFore(bool useSetting, TColor color) {
    Send(Sci::SCI_SETWHITESPACEFORE, useSetting, static_cast<long>(color));
}

// ---- The repeated sequences

int TSciCalls::ReplaceRange(int start, int end, const String& text) {
    BeginUndoAction();
    SetTargetRange(start, end);
    ReplaceTarget(text);
    EndUndoAction();
    return TargetEnd();
}

// Scintilla hands out each byte followed by its style, and a closing pair of zeros.
String TSciCalls::StylesOf(int start, int end) const {
    size_t length = static_cast<size_t>(std::max(end - start, 0));
    std::vector<char> cells(2 * length + 2);
    FSci.SendScintilla(Sci::SCI_GETSTYLEDTEXT, static_cast<long>(start), static_cast<long>(end),
                       cells.data());
    String styles(length, '\0');
    for (size_t i = 0; i < length; ++i)
        styles[i] = cells[2 * i + 1];
    return styles;
}

void TSciCalls::SetStyleOf(int start, int length, int style) {
    StartStyling(start);
    SetStyling(length, style);
}

void TSciCalls::SetStylesOf(int start, const String& styles) {
    StartStyling(start);
    SetStylingEx(styles);
}

void TSciCalls::DefineStyle(int style, const TSciStyle& look) {
    StyleSetFont(style, look.Font);
    StyleSetSize(style, look.Size);
    StyleSetBold(style, look.Bold);
    StyleSetItalic(style, look.Italic);
    StyleSetUnderline(style, look.Underline);
    StyleSetFore(style, look.Fore);
    StyleSetBack(style, look.Back);
}

TSciStyle TSciCalls::StyleOf(int style) const {
    return TSciStyle{StyleFont(style),      StyleSize(style), StyleBold(style), StyleItalic(style),
                     StyleUnderline(style), StyleFore(style), StyleBack(style)};
}
