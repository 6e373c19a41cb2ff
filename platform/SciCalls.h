#pragma once
// The rich edit's side of Scintilla's message interface, for the platform's own .cpp files: one
// short typed call per message the rich edit sends, named after the message (a getter without
// its "Get"), so that no message number, pointer cast or QScintilla type stands anywhere else.
// The sequences the rich edit repeats (replacing a range, styling a run, reading the styles of
// a range, defining a style) are one helper each, after the messages. Positions are byte
// positions in the text, lines are the text's own lines unless a name says "visible".

#include "platform/Graphics.h"
#include "platform/SysUtils.h"

class QsciScintillaBase;

// Scintilla's values for the arguments the rich edit passes, numbered as Scintilla numbers them.
enum class TSciWrap { None = 0, Word = 1 };
enum class TSciWrapIndent { Fixed = 0 };
enum class TSciEndOfLine { CrLf = 0 };
enum class TSciLexer { Container = 0 };
enum class TSciCodePage { SingleByte = 0, Utf8 = 65001 };
enum class TSciAnnotationVisible { Hidden = 0 };
enum class TSciWhiteSpace { Invisible = 0, VisibleAlways = 1 };
enum class TSciCache { Page = 2 };
// The kinds of modification Scintilla reports, or-ed together.
enum TSciModification : unsigned {
    scModBeforeInsert = 0x400,
    scModBeforeDelete = 0x800,
    scModInsertCheck = 0x100000,
};

// How a style draws its text. Setting it, Font is a font name of the framework's, drawn in the
// installed family nearest to it; reading it, the family the style was given.
struct TSciStyle {
    String Font;
    int Size = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    TColor Fore = 0;
    TColor Back = 0;
};

class TSciCalls {
public:
    // Styles 32 (the default) to 39 are Scintilla's own; text can take every other up to 255.
    static constexpr int StyleDefault = 32;
    static constexpr int StyleLastPredefined = 39;
    static constexpr int StyleMax = 255;

    explicit TSciCalls(QsciScintillaBase& sci) : FSci(sci) {}

    // Text
    int Length() const;
    // The text's bytes, valid until the next change.
    const char* CharacterPointer() const;
    void ClearAll();
    void AppendText(const String& text);
    int PositionAfter(int position) const;
    void SetCodePage(TSciCodePage codePage);
    // A byte sequence drawn as the text shown.
    void SetRepresentation(const String& bytes, const String& shown);
    void SetEOLMode(TSciEndOfLine mode);
    void SetModEventMask(unsigned mask); // TSciModification values

    // Lines
    int LineCount() const;
    int LineFromPosition(int position) const;
    int PositionFromLine(int line) const;
    int LineEndPosition(int line) const;

    // Lines on screen and drawing
    int DocLineFromVisible(int visibleLine) const;
    int VisibleFromDocLine(int line) const;
    void EnsureVisible(int line);
    int FirstVisibleLine() const;
    int LinesOnScreen() const;
    void LineScroll(int columns, int lines);
    void ScrollCaret();
    int PointXFromPosition(int position) const;
    int PointYFromPosition(int position) const;
    // The position nearest to a point of the text area.
    int PositionFromPoint(int x, int y) const;
    int TextHeight(int line) const;
    int TextWidth(int style, const String& text) const;

    // Caret and selection
    int CurrentPos() const;
    int SelectionStart() const;
    int SelectionEnd() const;
    int Anchor() const;
    void SetSel(int anchor, int caret);
    // The caret's place across the line, kept for the next move up or down.
    void ChooseCaretX();
    void GotoPos(int position);
    void HideSelection(bool hide);
    void SetSelFore(bool useSetting, TColor color);
    void SetSelBack(bool useSetting, TColor color);

    // Editing
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    bool Overtype() const;
    void SetTargetRange(int start, int end);
    int TargetEnd() const;
    void ReplaceTarget(const String& text);
    // Replaces the text about to be inserted; only while Scintilla asks whether it may insert.
    void ChangeInsertion(const String& text);
    void DeleteBack();
    bool CanUndo() const;
    void Undo();
    void EmptyUndoBuffer();
    void SetUndoCollection(bool collectUndo);
    void SetSavePoint();
    void BeginUndoAction();
    void EndUndoAction();

    // Styles
    void SetLexer(TSciLexer lexer);
    int StyleAt(int position) const;
    void StartStyling(int position);
    void SetStyling(int length, int style);
    // One style a byte, from where styling started.
    void SetStylingEx(const String& styles);
    void StyleSetFont(int style, const String& fontName);
    void StyleSetSize(int style, int points);
    void StyleSetBold(int style, bool bold);
    void StyleSetItalic(int style, bool italic);
    void StyleSetUnderline(int style, bool underline);
    void StyleSetFore(int style, TColor color);
    void StyleSetBack(int style, TColor color);
    String StyleFont(int style) const;
    int StyleSize(int style) const;
    bool StyleBold(int style) const;
    bool StyleItalic(int style) const;
    bool StyleUnderline(int style) const;
    TColor StyleFore(int style) const;
    TColor StyleBack(int style) const;

    // Layout and scrolling
    void SetWrapMode(TSciWrap mode);
    void SetWrapIndentMode(TSciWrapIndent mode);
    void SetWrapStartIndent(int indent);
    void SetTabWidth(int width);
    void SetMarginLeft(int pixels);
    void SetMarginRight(int pixels);
    void SetMarginWidthN(int margin, int pixels);
    void SetEndAtLastLine(bool endAtLastLine);
    void SetScrollWidthTracking(bool tracking);
    void SetScrollWidth(int pixels);
    void SetHScrollBar(bool visible);
    void SetVScrollBar(bool visible);
    void SetLayoutCache(TSciCache mode);
    void AnnotationSetVisible(TSciAnnotationVisible visible);

    // Marks: blanks, tabs and line ends drawn visibly
    TSciWhiteSpace ViewWS() const;
    void SetViewWS(TSciWhiteSpace view);
    void SetViewEOL(bool visible);
    void SetWhitespaceFore(bool useSetting, TColor color);

    // The repeated sequences
    // Replaces start to end with text as one undoable step; returns where the text put in ends.
    int ReplaceRange(int start, int end, const String& text);
    // The style of each byte from start to end.
    String StylesOf(int start, int end) const;
    // Gives the length bytes from start one style, or each byte from start its own.
    void SetStyleOf(int start, int length, int style);
    void SetStylesOf(int start, const String& styles);
    void DefineStyle(int style, const TSciStyle& look);
    TSciStyle StyleOf(int style) const;

private:
    long Send(unsigned msg, unsigned long wParam = 0, long lParam = 0) const;
    long Send(unsigned msg, unsigned long wParam, const String& text) const;

    QsciScintillaBase& FSci;
};
