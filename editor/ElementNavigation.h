#pragma once
// Moving and selecting in a page: the whole element around the caret (Extend selection), the tag
// around the caret, the caret from tag to tag, Go To Line and the bookmark each page keeps.

#include "editor/MainFormFeature.h"

#include <string_view>
#include <vector>

class TMenuItem;
class TQmToolbarButton;
class TRichEdit;

class TElementNavigation : public TMainFormFeature {
public:
    explicit TElementNavigation(THTMLEMainForm& form);
    // The Edit menu's items take their places around the shell's Select All, Indent and Unindent,
    // the shortcut menu's follow its Select All, the toolbar's buttons follow Paste.
    void Build() override;
    // The Select Tag of the pages' shortcut menu is offered when a press puts the caret in a tag.
    void Bind() override;
    // The commands need a page, or help-pointer mode.
    void UpdateCommands() override;
    void MenuOpening(TMenuItem& menu) override;

    // The element around the editor's caret: start is its '<', length one more than the element
    // when the caret was in its start tag, exactly its length when in its end tag. Moves the
    // caret to the '<' where the search began.
    bool FindMatchingTag(TRichEdit* editor, int& start, int& length, bool showMessages);
    // FindMatchingTag's search on a text, from the tag whose '<' is at the 0-based index L; the
    // editor's caret is not needed, so a reader can search a text that no editor holds.
    static bool MatchingElement(std::string_view text, int L, int& start, int& length,
                                bool* inEndTag = nullptr);
    // The tag around the active page's caret, 1-based: start its '<', end its '>' or -1 when it
    // is not closed before the next '<'; pastName when a blank lies between the '<' and the
    // caret, inComment when the tag begins "<!-".
    bool TagBoundsAtCaret(int* start = nullptr, int* end = nullptr, bool* pastName = nullptr,
                          bool* inComment = nullptr);
    void ExtendButtonClick(TObject* Sender);
    void SelectTag1Click(TObject* Sender);
    void TagRightClick(TObject* Sender);
    void TagLeft1Click(TObject* Sender);
    void BookmarkButtonClick(TObject* Sender);
    void GotoButtonClick(TObject* Sender);
    void GoTo1Click(TObject* Sender);

    // The Edit menu's items.
    TMenuItem* Extendhighlight1 = nullptr;
    TMenuItem* SelectTag2 = nullptr;
    TMenuItem* GoTo1 = nullptr;
    TMenuItem* SetBookmark1 = nullptr;
    TMenuItem* GoToBookmark1 = nullptr;
    // The pages' shortcut menu's items.
    TMenuItem* SelectTag1 = nullptr;
    TMenuItem* GoToLine1 = nullptr;
    TQmToolbarButton* BookmarkButton = nullptr;
    TQmToolbarButton* GotoButton = nullptr;
    TQmToolbarButton* ExtendButton = nullptr;
    // Each page's bookmark, -1 when it has none.
    std::vector<int> Bookmarks;

private:
    void BuildEditMenuItems();
    void BuildToolbarButtons();
    void OfferSelectTagOnPress();
};
