#pragma once
// What the body and frameset commands do to a page's existing BODY tags, on the text alone: the
// caret (and selection) keep their place in the text around what is taken out or wrapped. A
// BODY tag inside a comment is not a tag: it is skipped, so a page whose BODY tag an earlier use
// commented out keeps that comment as it is.

#include "platform/SysUtils.h"

class TRichEdit;

struct TPageText {
    String Text;
    int SelStart = 0;
    int SelLength = 0;
};

// The first bare "<BODY>" is removed or, when there is none, the first "<BODY" start tag
// (through the next ">") is turned into a comment; both found without regard to case. A page
// without one comes back as it was.
TPageText RetireBodyTag(const TPageText& page);
// The first BODY start tag and the first "</BODY>" after its removal are taken out, with
// everything between them kept; a start tag without its ">" runs to the end of the page.
TPageText RemoveBodyTags(const TPageText& page);
// Whether the page holds a BODY start or end tag outside comments, whatever their case.
bool HasBodyTags(const String& page);

// The editor's text and selection, and back: a page whose text is unchanged keeps its undo
// history and colours, and only its selection is set.
TPageText ReadPage(const TRichEdit& editor);
void WritePage(TRichEdit& editor, const TPageText& page);
