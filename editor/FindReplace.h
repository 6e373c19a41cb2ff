#pragma once
// Find and replace in a page: the two modeless dialogs, one find step up or down with its restart
// question, Replace one by one and Replace All, and the two text searches the element finder
// shares. The Replace dialog also serves Global Replace, whose Replace All runs over the files
// selected in the file pane.

#include "editor/MainFormFeature.h"
#include "platform/CommonDialogs.h"

#include <string_view>

class TMenuItem;
class TQmToolbarButton;
class TRichEdit;

class TFindReplace : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // The Edit menu's items follow Select Tag, the toolbar's buttons Go To Bookmark.
    void Build() override;
    void Bind() override;
    // Both commands need a page, or help-pointer mode.
    void UpdateCommands() override;
    void MenuOpening(TMenuItem& menu) override;

    void Find1Click(TObject* Sender);
    void FindDialog1Find(TObject* Sender);
    void Replace1Click(TObject* Sender);
    void ReplaceDialogFind(TObject* Sender);
    void ReplaceDialogReplace(TObject* Sender);
    // The 1-based position of the first occurrence of pattern at or after the 1-based position
    // from, 0 when there is none; without matchCase ASCII letters compare without regard to case.
    // An empty pattern is never found.
    static int FindTextFrom(std::string_view text, int from, std::string_view pattern,
                            bool matchCase);
    // The 1-based position of the last occurrence lying wholly within the first before - 1
    // characters of text, 0 when there is none.
    static int FindLastTextBefore(std::string_view text, int before, std::string_view pattern,
                                  bool matchCase);

    TMenuItem* Find1 = nullptr;
    TMenuItem* Replace1 = nullptr;
    TQmToolbarButton* FindButton = nullptr;
    TQmToolbarButton* ReplaceButton = nullptr;
    TFindDialog* FindDialog1 = nullptr;
    TReplaceDialog* ReplaceDialog = nullptr;
    // Set when a find step ends without a match and the user stops there; the dialog closes.
    bool SearchStopped = false;
    // The Replace dialog works for Global Replace: it searches the hidden editor, and its Replace
    // All runs over the selected files.
    bool GlobalReplaceMode = false;

private:
    // One find step in the active page, with the restart question when nothing is found.
    void SearchText(TFindOptions options, const String& pattern);
    // The editor's search start for the next step down, its selection emptied.
    static int NextSearchStart(TRichEdit* editor);
    void ShowFound(TRichEdit* editor, int position, int length);
    // Every occurrence of the Replace dialog's find text in the active page replaced by its
    // replace text, and the count reported.
    void ReplaceAllInDocument();
    // Replace All of the Replace dialog in global mode: a run over the selected files.
    void ReplaceInSelectedFiles();
    bool SearchRestarted = false;
};
