#pragma once
// The rich-edit control the document pages are edited in. Its text is bytes exactly as the file
// holds them, with CR LF line ends, and every position (SelStart, a line's index, the results of
// the EM_ messages) is a 0-based byte index into that text, CR LF counting as two.
//
// Lines are the text's own lines, ended by CR LF, whether word wrap is on or not; only the first
// visible line and scrolling count the wrapped lines on screen.
//
// Display: a text that is valid UTF-8 and holds a byte of 0x80 or more is shown as UTF-8, any
// other text as Windows-1252. The choice is made whenever the whole text is replaced (Text,
// Lines, loading, Clear); the bytes themselves are never converted. A character typed into a
// UTF-8 text goes in as UTF-8, into any other text as its Windows-1252 byte.

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/PeerOf.h"
#include "platform/StdCtrls.h"

#include <array>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

class TBitmap;
class TRichEdit;
class TRichEditPeer;
class TSciCalls;

enum TSearchType { stWholeWord, stMatchCase };
using TSearchTypes = TSet<TSearchType>;

// Character formatting of the selection; with nothing selected, of the text typed next. Reading
// gives the formatting of the selection's first character. Formatting is never undone, never
// marks the text as modified and raises no OnChange.
class TTextAttributes {
public:
    explicit TTextAttributes(TRichEdit& edit) : FEdit(edit) {}
    TColor Color() const;
    void SetColor(TColor value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles value);
    String Name() const;
    int Size() const;
    void SetSize(int value);
    // Name, size, style and colour of the font at once.
    void Assign(const TFont& font);

private:
    TRichEdit& FEdit;
};

// Paragraph formatting, in points. The control shows one set for all its text: the first indent
// as the left margin, the left indent as the further indent of wrapped lines, the right indent as
// the right margin, and the tab stops as an even tab width (the distance between the first two
// stops, or from the first indent to the only stop). Only left alignment is shown.
class TParaAttributes {
public:
    explicit TParaAttributes(TRichEdit& edit) : FEdit(edit) {}
    int FirstIndent() const { return FFirstIndent; }
    void SetFirstIndent(int value);
    int LeftIndent() const { return FLeftIndent; }
    void SetLeftIndent(int value);
    int RightIndent() const { return FRightIndent; }
    void SetRightIndent(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value) { FAlignment = value; }
    int TabCount() const { return static_cast<int>(FTabs.size()); }
    void SetTabCount(int value); // at most 32 stops
    int Tab(int index) const;
    void SetTab(int index, int value);

    // The distance between tab stops the control shows, in points.
    int TabSpacing() const;

private:
    TRichEdit& FEdit;
    int FFirstIndent = 0;
    int FLeftIndent = 0;
    int FRightIndent = 0;
    TAlignment FAlignment = taLeftJustify;
    std::vector<int> FTabs;
};

// The control's lines. Count leaves out the empty line after a final line end; Text is the
// control's text exactly.
class TRichEditStrings : public TStrings {
public:
    explicit TRichEditStrings(TRichEdit& edit) : FEdit(edit) {}
    int Count() const override;
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    String Text() const override;
    void SetText(const String& text) override;
    // Reads the file's bytes unchanged except that LF and lone CR line ends become CR LF; the
    // control remembers what the file's line ends were, and SaveToFile writes that kind again.
    // The text limit does not apply; the control is left unmodified with nothing to undo.
    // Raises EFOpenError naming the file.
    void LoadFromFile(const String& fileName) override;
    // Writes the text atomically; raises EFCreateError or EWriteError naming the file.
    void SaveToFile(const String& fileName) const override;

protected:
    void SetUpdateState(bool updating) override;

private:
    TRichEdit& FEdit;
};

// A column of a page's header or footer line: its text, its width in millimetres and where the
// text sits in it. A text wider than its column is cut to the longest start that fits (at least
// one character); a narrower one keeps a small pad from the column's aligned side.
struct TPrintColumn {
    String Text;
    double Width = 0;
    TAlignment Alignment = taLeftJustify;
};

// What is drawn around a page's text: the header line centred between the printable area's top
// and the text, the footer line likewise below it, and border lines around the text at
// BorderOffset millimetres from it.
struct TPageDecoration {
    std::vector<TPrintColumn> Header;
    std::vector<TPrintColumn> Footer;
    bool TopBorder = false;
    bool BottomBorder = false;
    bool LeftBorder = false;
    bool RightBorder = false;
    double BorderOffset = 0;
};

// A print of the whole text page by page, as the control shows it (its font and colours), on the
// current printer (platform/Printers.h). The margins are in millimetres from the paper's edge;
// Decorate gives each page's decoration by its number, the first being FirstPage. The logo, when
// not empty, is drawn below the header into a rectangle given as fractions of the text area.
struct TPagePrint {
    String Title;
    double MarginLeft = 0;
    double MarginTop = 0;
    double MarginRight = 0;
    double MarginBottom = 0;
    String DecorationFont;
    int DecorationFontSize = 10;
    int FirstPage = 1;
    std::function<TPageDecoration(int page)> Decorate;
    const TBitmap* Logo = nullptr;
    double LogoLeft = 0;
    double LogoTop = 0;
    double LogoWidth = 0;
    double LogoHeight = 0;
    // Told when the job has begun, after each page's decoration with its number, and when the
    // job has ended, also after a failure.
    std::function<void()> BeginDoc;
    std::function<void(int page)> NewPage;
    std::function<void()> EndDoc;
    // For a preview: each page is recorded into this folder as "PreviewMetafile" and its index
    // from 0, and PageRecorded hears of it.
    String PreviewFolder;
    std::function<void(int index)> PageRecorded;
};

class TRichEdit : public TWinControl, protected TPeerOf<TRichEditPeer> {
public:
    explicit TRichEdit(TComponent* AOwner);
    ~TRichEdit() override;

    // Assigning text replaces it whole, never cut by the text limit: it marks the control as
    // modified, empties the undo history and leaves the caret at the start.
    String Text() const override;
    void SetText(const String& value) override;
    int GetTextLen() const;
    // The text without a copy, valid until the next change: for searching a large page.
    std::string_view TextView() const;
    // The byte at a position; 0 at or past the end.
    char CharAt(int position) const;
    TStrings& Lines() { return FLines; }
    // Empties the text, the undo history and the modified flag, and forgets the file's line ends.
    void Clear();

    int SelStart() const;
    void SetSelStart(int value); // also empties the selection
    int SelLength() const;
    void SetSelLength(int value);
    String SelText() const;
    // Replaces the selection as one undoable step, whatever the text limit; the caret ends
    // after the new text, which takes the formatting typing would give it.
    void SetSelText(const String& value);
    void SelectAll();

    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    bool CanUndo() const;
    void Undo();
    void ClearUndo();

    // The most bytes typing and pasting may bring the text to; 0 means 64000, a negative value
    // (the default) no limit. A longer text that was loaded or assigned stays whole, and the
    // limit grows to its length until the text is replaced whole again.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value) { FMaxLength = value; }

    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    void SetReadOnly(bool value);
    // Kept for the program's sake: lines are always loaded and saved as plain bytes.
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool value) { FPlainText = value; }
    void SetWantTabs(bool value) { FWantTabs = value; }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    // Overtype mode: typing replaces the character after the caret. The Insert key switches it.
    bool Overwrite() const;
    // True while the text is shown as UTF-8 (see the display rule above).
    bool ShowsUtf8() const { return FShowsUtf8; }
    // The line ends of the file the text came from (CR LF for a text that came from none): the
    // kind SaveToFile writes, and whether the file had more than one kind.
    const TLineBreaks& FileLineBreaks() const { return FFileLineBreaks; }

    // Word wrap can show one line of the text as several lines on screen; these convert between
    // the two counts (EM_GETFIRSTVISIBLELINE and EM_LINESCROLL count lines on screen).
    int DocumentLineOfScreenLine(int screenLine) const;
    int ScreenLineOfDocumentLine(int line) const;

    TTextAttributes& SelAttributes() { return FSelAttributes; }
    TParaAttributes& Paragraph() { return FParagraph; }

    // The colour and style a byte is drawn in: its own formatting's, else the font's.
    TColor ColorAt(int position) const;
    TFontStyles StyleAt(int position) const;

    // Marks: blanks, tabs and line ends drawn visibly, in the font's colour, while the text
    // stays exactly as it is. Each control has its own setting, off at first.
    bool ShowMarks() const;
    void SetShowMarks(bool value);

    // The position of the first match of SearchStr in the Length bytes from StartPos (-1 for
    // all to the end), or -1. Without stMatchCase only ASCII letters fold; with stWholeWord the
    // bytes around the match must not be letters, digits, '_' or bytes of 0x80 and above.
    int FindText(const String& SearchStr, int StartPos, int Length, TSearchTypes Options) const;

    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard(); // as typing: refused when it would pass the text limit
    // Prints the whole text on the current printer in the control's font, as a job of that title.
    void Print(const String& Caption);
    // Prints the pages on the current printer, or records them for a preview. Raises
    // EPrinterFailure when the printer fails; the job's EndDoc is still told.
    void PrintPages(const TPagePrint& job);
    void RecordPreviewPages(const TPagePrint& job);
    void ClearSelection();

    // Handles EM_GETSEL (WParam and LParam point to 32-bit start and end, either may be 0; the
    // result packs both, or is -1 past 65535), EM_SETSEL, EM_REPLACESEL, EM_LINEFROMCHAR
    // (WParam) and EM_EXLINEFROMCHAR (LParam): the line of a position, -1 for the selection
    // start's; EM_LINEINDEX: the start of a line, -1 for the caret's, -1 past the last;
    // EM_LINELENGTH, EM_GETLINECOUNT, EM_GETFIRSTVISIBLELINE and EM_LINESCROLL (lines on
    // screen), EM_CHARFROMPOS (LParam packs a client point; the position nearest to it),
    // EM_SCROLLCARET, EM_GETMODIFY, EM_SETMODIFY, EM_CANUNDO, EM_UNDO, WM_UNDO,
    // EM_EMPTYUNDOBUFFER, EM_SETREADONLY, EM_EXLIMITTEXT (LParam), WM_GETTEXTLENGTH, WM_CUT,
    // WM_COPY, WM_PASTE, WM_CLEAR.
    void WndProc(TMessage& Message) override;
    // Typing: WM_CHAR puts its character in at the caret, and the editing keys do their work.
    // WM_GETDLGCODE: the editor wants every key, Tab too when WantTabs is on.
    void DefaultHandler(TMessage& Message) override;

    // Text changes only; formatting raises none.
    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;

private:
    // With the test hooks on, the job is recorded instead of printed: true then.
    bool RecordPages(const TPagePrint& job, bool preview);
    friend class TRichEditPeer;
    friend class TSciWidget;
    friend class TTextAttributes;
    friend class TParaAttributes;
    friend class TRichEditStrings;
    friend class TRunFormatter;

    // The formatting of a run of characters, held by one of Scintilla's styles. Fields left
    // unset follow the control's font.
    struct TCharFormat {
        bool HasColor = false;
        TColor Color = 0;
        bool HasStyle = false;
        uint64_t StyleBits = 0;
        String Name;  // empty: the font's
        int Size = 0; // 0: the font's
        auto operator<=>(const TCharFormat&) const = default;
    };
    // Formatting set with nothing selected, for what is typed at Position.
    struct TTypingFormat {
        int Style = -1; // none
        int Position = 0;
    };
    // Text just put in, and the style it takes.
    struct TInsertion {
        int Position = 0;
        int Length = 0;
        int Style = 0;
    };

    TSciCalls& Sci() const;
    const char* Bytes() const;
    int LineCount() const; // Scintilla's count: the empty line after a final line end included
    int LineStart(int line) const;
    int LineEnd(int line) const;
    int LineFromPosition(int position) const;
    void WrapWholeText() const;
    int Caret() const;
    void Select(int start, int end);

    // The program's own edits, whatever the text limit and the read-only state.
    void ReplaceAll(const String& text);
    void ReplaceRange(int start, int end, const String& text);
    void ChooseDisplay(const String& text);
    void CutLongLinesIntoPieces(const String& text);
    void GivePieces(const String& text, size_t start, size_t end, String& styles) const;
    // The user's edits: nothing happens when read-only or past the text limit.
    void TypeText(const String& bytes);
    void TypeChar(unsigned char code);
    int TextLimit() const;
    bool InsertAllowed(int growth) const;

    TCharFormat FormatOf(int style) const;
    TCharFormat FormatAt(int position) const;
    int InsertionStyle(int position) const;
    TCharFormat SelFormat() const;
    void ChangeSelFormat(const std::function<void(TCharFormat&)>& change);
    int StyleFor(const TCharFormat& format);
    void FreeUnusedStyles();
    void ApplyStyle(int style, const TCharFormat& format);
    void ApplyStyles();
    void ApplyParagraph();
    void ApplyMarksColor();
    // No format in use has a font name or size of its own.
    bool FormatsKeepFont() const;

    // An insertion or deletion about to be made.
    void TextInserting(int position, int length);
    void TextChanging();
    void StyleInsertedText();
    void FlushNotifications();

    TRichEditStrings FLines;
    TTextAttributes FSelAttributes;
    TParaAttributes FParagraph;
    bool FModified = false;
    int FMaxLength = -1;
    int FWholeTextLength = 0; // of the text last put in whole
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
    bool FReadOnly = false;
    bool FPlainText = false;
    bool FWantTabs = false;
    bool FWantReturns = true;
    bool FHideSelection = true;
    bool FShowsUtf8 = false;
    TLineBreaks FFileLineBreaks;
    int FProgrammatic = 0;
    bool FChangePending = false;
    int FLastSelStart = 0;
    int FLastSelEnd = 0;
    TTypingFormat FTyping;
    TInsertion FInserted;
    std::map<TCharFormat, int> FStyles;
    std::vector<TCharFormat> FStyleFormats;
    // Styles a formatter holds for the control and has not handed over yet: in use.
    const String* FPendingStyles = nullptr;
    // Raised whenever style numbers are given back, so that a formatter forgets those it knew.
    unsigned FStyleGeneration = 0;
};

// Colour and style for many runs of a stretch at once, each character keeping its font name
// and size, exactly as selecting each run and setting SelAttributes' Color and Style would leave
// them, but without touching the selection: the control takes every run in one go when Apply is
// called or the formatter goes. Like all formatting it is never undone, never marks the text as
// modified and raises no OnChange. One formatter at a time per control.
class TRunFormatter {
public:
    TRunFormatter(TRichEdit& edit, int start, int end);
    // The same, the whole stretch first given the colour and style, as Format over all of it
    // would; quicker, as the stretch's old formatting is read only when it can show through.
    TRunFormatter(TRichEdit& edit, int start, int end, TColor color, TFontStyles style);
    ~TRunFormatter();
    TRunFormatter(const TRunFormatter&) = delete;
    TRunFormatter& operator=(const TRunFormatter&) = delete;

    // The bytes from start up to end (excluded), cut to the stretch.
    void Format(int start, int end, TColor color, TFontStyles style);
    void Apply();

private:
    // For one colour and style: the style each old style becomes, -1 while not yet known.
    struct TMapping {
        TColor Color;
        uint64_t StyleBits;
        std::array<short, 256> Styles; // one for each of the control's style numbers
    };
    TMapping& MappingFor(TColor color, uint64_t styleBits);
    short NewStyle(TMapping& mapping, unsigned char old);

    TRichEdit& FEdit;
    int FStart;
    String FStyles;
    std::vector<TMapping> FMappings;
    unsigned FGeneration;
    bool FApplied = false;
};
