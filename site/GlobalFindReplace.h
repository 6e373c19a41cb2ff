#pragma once
// Find and replace across files: Global Replace over the files selected in the file pane, with
// its lines shown in the report pane; the search of one file, which rewrites it only when
// something matched; and the texts of the result grid's "Found" column.

#include "editor/MainFormFeature.h"
#include "platform/Controls.h"
#include "platform/FileUtils.h"
#include "platform/SysUtils.h"

#include <vector>

class TMenuItem;
class TQmToolbarButton;

class TGlobalFindReplace : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // The Edit menu's item comes before Go To Line, the toolbar's button after Unindent.
    void Build() override;
    void Bind() override;
    bool RunGlobalReplace(const String& findText, const String& replaceText) override;

    void GlobalReplaceClick(TObject* Sender);
    void GlobalReplaceButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                      int X, int Y);
    // The run over the selected files (at most 500) with the options kept in the members below.
    void GlobalFindReplace(const String& findText, const String& replaceText, bool showLines);
    // The lines of Show Lines in the report pane.
    void ShowGlobalReport(const std::vector<String>& lines);

    String LastGlobalFindText;
    String LastGlobalReplaceText;
    bool GlobalMatchCase = false;
    bool GlobalFindOnly = false;
    // All text files rather than HTML files alone: the options dialog's choice, or the stored
    // one when the Replace dialog starts the run.
    bool GlobalAllTextFiles = false;
    TMenuItem* GlobalReplace = nullptr;
    TQmToolbarButton* GlobalReplaceButton = nullptr;
};

// What a run asks of every file.
struct TGlobalSearch {
    String Find;    // lower-cased already when case is ignored
    String Replace; // put in as typed
    bool MatchCase = false;
    bool FindOnly = false;
    bool ShowLines = false;
};

// What one file gave. Problem is the reason a file was left as it was (it could not be read or
// written), empty when all went well.
struct TGlobalFileResult {
    int Count = 0;
    bool Rewritten = false;
    String Problem;
    std::vector<String> Lines; // the lines holding the occurrences, for the report
};

// The occurrences of the find text in text (CR LF line ends), left to right and not overlapping;
// with replacing, output gets the text with each replaced (the replacement is never searched).
// An empty find text is never found.
TGlobalFileResult SearchText(const String& text, const TGlobalSearch& search, String& output);

// Reads the file, searches it and, when replacing and something matched, writes its new text
// with the line ends it had into the batch, which replaces the file when committed. A file
// without a match is not touched.
TGlobalFileResult SearchFile(const String& path, const TGlobalSearch& search,
                             TAtomicWriteBatch& batch);

// The count, two blanks before it from 10 to 99 and four below 10, so that sorting the texts keeps
// counts up to 999 in order, then " occurrence" or " replacement", with "s" above one.
String FoundText(int count, bool findOnly);
