#pragma once
// The page margins, the tab width and word wrap as the preferences keep them, read and applied the
// same way wherever a page takes them: the editor settings, new pages, Remove Text Formatting and
// the preferences.

class TRegistry;
class TRichEdit;

struct TPageLayout {
    int LeftMargin = 2;
    int LeftIndent = 12;
    int RightMargin = 5;
    int TabWidth = 12;
};

// From the opened product key; a value that is not stored keeps its default.
TPageLayout ReadPageLayout(const TRegistry& reg);
// The layout as stored; the defaults when nothing is.
TPageLayout StoredPageLayout();
// Words wrap at the window's edge, with only the vertical scroll bar, or lines run on with both.
void SetPageWordWrap(TRichEdit* editor, bool wrap);
// The editor's paragraphs (its selection's, or its whole text's when it is all selected) take the
// layout's indents.
void SetParagraphIndents(TRichEdit* editor, const TPageLayout& layout);
