#pragma once
// The rewrites of a page's text that the Edit menu and the tag bar offer: the plain text
// routines (TextTransformsText.cpp), each taking the text (CR LF line ends, 8-bit bytes) and giving
// the rewritten text, in one pass, so a page of any size is rewritten at once and a byte outside
// the change never moves; and the feature that runs them on the active page.

#include "editor/MainFormFeature.h"
#include "platform/SysUtils.h"

#include <functional>
#include <string_view>

class TMenuItem;
class TQmToolbarButton;
class TRichEdit;

namespace TextTransforms {

enum class TCaseMode { Upper, Lower, Sentence, InitialCaps, Toggle };

// UPPER and lower case change every letter; the other modes touch only "A" to "Z" and "a" up to
// code 127, everything else (bytes of 128 and above too) stays.
String ChangeCase(std::string_view text, TCaseMode mode);

// Tag names, attribute names and unquoted values in the case asked for; double-quoted values,
// text between tags and comments stay as they are.
String ChangeTagCase(std::string_view text, bool upper);

// Whole lines (no final line end): each line that is not empty gains a tab in front, or loses a
// leading tab; count receives the number of tabs added or removed. The result gives every line
// a CR LF after it.
String IndentLines(std::string_view lines, int& count);
String UnindentLines(std::string_view lines, int& count);

// Leading blanks and tabs gone; a tab right after a blank dropped, any other tab made a blank.
String RemoveIndents(std::string_view text);

// "#" put in front of each line, or taken from the front of the lines that start with one.
String CommentLines(std::string_view lines);
String UncommentLines(std::string_view lines);

// "<", ">" and "&" written as "&lt;", "&gt;" and "&amp;", with "<BR>" after each line when
// asked; the text's final line end, or its lack, is kept.
String AnglesToCodes(std::string_view text, bool addBreaks);
// Back again: "&lt;", "&gt;" and "&amp;" exactly in lower case; "<BR>" exactly in upper case is
// dropped when asked.
String CodesToAngles(std::string_view text, bool dropBreaks);

// Every run of empty lines loses one line, except a run that ends the text; each kept line is
// followed by CR LF.
String RemoveBlankLines(std::string_view text);

// Comments removed outside SCRIPT and STYLE blocks, tags found without regard to case.
String RemoveComments(std::string_view text);

// The number of tabs the line starts with.
int LeadingTabs(std::string_view line);

} // namespace TextTransforms

// The commands that rewrite the active page in place, each one undo step: change case, tag case,
// indents, Perl comments, Replace<> and its conversions, blank lines and comments.
class TTextTransforms : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // Change Case comes before Global Replace, Indent and Unindent before Select Tag, the rest
    // after it; in the pages' pop-up menu they follow Check Tags, and the toolbar's buttons
    // Paste.
    void Build() override;
    void Bind() override;
    // Indent, Unindent and Remove Comments need a page, or help-pointer mode.
    void UpdateCommands() override;
    // The Edit menu: Change Case, Tag Case, Remove Indents, Remove Linespaces, Indent and
    // Unindent need an editor page shown, or help-pointer mode.
    void MenuOpening(TMenuItem& menu) override;

    void ChangeCase1Click(TObject* Sender);
    void Uppercase1Click(TObject* Sender);
    void Lowercase1Click(TObject* Sender);
    void IndentButtonClick(TObject* Sender);
    void UnindentButtonClick(TObject* Sender);
    void RemoveIndents1Click(TObject* Sender);
    void PerlCommentButtonClick(TObject* Sender);
    void PerlNoCommentButtonClick(TObject* Sender);
    void ReplaceAngles1Click(TObject* Sender);
    void RemoveLinespaces1Click(TObject* Sender);
    void RemoveComments1Click(TObject* Sender);
    // The Replace<> list's item k converts the active page's selection: 0 and 1 write the angle
    // brackets as codes (1 adding "<BR>" after each line), 2 and 3 turn them back (3 dropping
    // the "<BR>"s); any other k changes nothing.
    void ConvertAnglesInSelection(int k);
    // Replace<> mode on or off: typed angle brackets go in as references.
    void ToggleReplaceAngles();
    // The bytes from start up to end replaced as one undo step.
    static void ReplaceEditorRange(TRichEdit* editor, int start, int end, const String& text);
    // The start of an editor line; -1 past the last.
    static int LineIndex(TRichEdit* editor, int line);
    // The page's whole text rewritten, its selection, scroll position and colouring kept, as
    // one undo step that replaces only the stretch that changed; the page takes no input
    // meanwhile.
    void RewriteWholePage(TRichEdit* editor,
                          const std::function<String(std::string_view)>& rewrite);

    TMenuItem* ChangeCase1 = nullptr;
    TMenuItem* ChangeCase2 = nullptr;
    TMenuItem* Indent1 = nullptr;
    TMenuItem* Unindent1 = nullptr;
    TMenuItem* TagCase1 = nullptr;
    TMenuItem* Uppercase1 = nullptr;
    TMenuItem* Lowercase1 = nullptr;
    TMenuItem* RemoveIndents1 = nullptr;
    TMenuItem* RemoveLinespaces1 = nullptr;
    TMenuItem* RemoveLinespaces2 = nullptr;
    TMenuItem* RemoveComments1 = nullptr;
    TMenuItem* RemoveComments2 = nullptr;
    TMenuItem* ReplaceAngles1 = nullptr;
    TQmToolbarButton* IndentButton = nullptr;
    TQmToolbarButton* UnindentButton = nullptr;

private:
    void BuildEditMenuItems();
    // "Upper" converts the page's tags to upper case, anything else to lower case.
    void ChangeTagCase(const String& mode);
    // Indent and Unindent with a selection: the selection's whole lines.
    void ShiftSelectedLines(TRichEdit* editor, int start, int length, bool indent);
};
