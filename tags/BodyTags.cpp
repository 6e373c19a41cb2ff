#include "tags/BodyTags.h"

#include "platform/RichEdit.h"

#include <algorithm>

namespace {

// The place of the first what in upper that lies outside "<!-- ... -->", npos for none.
size_t FindOutsideComments(const String& upper, const String& what) {
    size_t at = 0;
    while (true) {
        const size_t hit = upper.find(what, at);
        const size_t comment = upper.find("<!--", at);
        if (hit == String::npos || comment == String::npos || hit < comment)
            return hit;
        const size_t close = upper.find("-->", comment + 4);
        if (close == String::npos)
            return String::npos;
        at = close + 3;
    }
}

// The length of the start tag at start: through the next ">", or to the end of the text.
size_t StartTagLength(const String& text, size_t start) {
    const size_t close = text.find('>', start);
    return close == String::npos ? text.size() - start : close + 1 - start;
}

// A position after the range [start, start + length) is taken out: one inside it goes to start.
int AfterRemoval(int position, size_t start, size_t length) {
    const int from = static_cast<int>(start);
    const int to = static_cast<int>(start + length);
    return position >= to ? position - static_cast<int>(length) : std::min(position, from);
}

void RemoveRange(TPageText& page, size_t start, size_t length) {
    const int selEnd = AfterRemoval(page.SelStart + page.SelLength, start, length);
    page.SelStart = AfterRemoval(page.SelStart, start, length);
    page.SelLength = selEnd - page.SelStart;
    page.Text.erase(start, length);
}

} // namespace

TPageText RetireBodyTag(const TPageText& page) {
    TPageText result = page;
    const String upper = UpperCase(page.Text);
    const size_t bare = FindOutsideComments(upper, "<BODY>");
    if (bare != String::npos) {
        RemoveRange(result, bare, 6);
        result.SelLength = 0;
        return result;
    }
    const size_t start = FindOutsideComments(upper, "<BODY");
    if (start == String::npos)
        return result;
    // A tag without its ">" is taken as empty: the comment marks go in front of it.
    const size_t length =
        page.Text.find('>', start) == String::npos ? 0 : StartTagLength(page.Text, start);
    result.Text.insert(start + length, " -->");
    result.Text.insert(start, "<!-- ");
    // "<!-- " comes before a caret inside the tag, both marks before one after it.
    if (result.SelStart > static_cast<int>(start))
        result.SelStart += result.SelStart >= static_cast<int>(start + length) ? 9 : 5;
    result.SelLength = 0;
    return result;
}

TPageText RemoveBodyTags(const TPageText& page) {
    TPageText result = page;
    const size_t start = FindOutsideComments(UpperCase(result.Text), "<BODY");
    if (start != String::npos)
        RemoveRange(result, start, StartTagLength(result.Text, start));
    const size_t end = FindOutsideComments(UpperCase(result.Text), "</BODY>");
    if (end != String::npos)
        RemoveRange(result, end, 7);
    return result;
}

bool HasBodyTags(const String& page) {
    const String upper = UpperCase(page);
    return FindOutsideComments(upper, "<BODY") != String::npos ||
           FindOutsideComments(upper, "</BODY>") != String::npos;
}

TPageText ReadPage(const TRichEdit& editor) {
    return {editor.Text(), editor.SelStart(), editor.SelLength()};
}

void WritePage(TRichEdit& editor, const TPageText& page) {
    if (editor.Text() != page.Text)
        editor.SetText(page.Text);
    editor.SetSelStart(page.SelStart);
    editor.SetSelLength(page.SelLength);
}
