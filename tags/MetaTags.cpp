#include "tags/MetaTags.h"

#include "tags/DialogAttributes.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Where in the tag the value after CONTENT=" begins, or npos when the tag has none or fewer than
// two of its characters follow the quote.
size_t ValueStart(const String& upperTag) {
    const size_t content = upperTag.find("CONTENT=\"");
    if (content == String::npos)
        return String::npos;
    const size_t start = content + 9;
    return upperTag.size() >= start + 2 ? start : String::npos;
}

// The value as the page writes it: to the next double quote, or to the end of the tag.
String ValueOf(const String& tag, size_t start, bool* closed = nullptr) {
    const size_t quote = tag.find('"', start);
    if (closed)
        *closed = quote != String::npos;
    return tag.substr(start, quote == String::npos ? String::npos : quote - start);
}

// The leading decimal number of a text, 0 when there is none.
int LeadingNumber(const String& text) {
    size_t i = 0;
    int n = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && n < 100000000)
        n = n * 10 + (text[i++] - '0');
    return n;
}

void TakeRefresh(const String& value, TMetaFields& fields) {
    const size_t url = UpperCase(value).find("; URL=");
    if (url == String::npos)
        return;
    fields.RedirectSecs = IntToStr(LeadingNumber(value));
    fields.RedirectURL = value.substr(url + 6);
}

// The known tag's value goes into its field; false for a tag the dialog does not know.
bool TakeTag(const String& tag, TMetaFields& fields) {
    const String upper = UpperCase(tag);
    const size_t start = ValueStart(upper);
    const bool hasValue = start != String::npos;
    const String value = hasValue ? ValueOf(tag, start) : String();
    auto take = [&](String& field) {
        if (hasValue)
            field = value;
    };
    auto has = [&](const char* marker) { return upper.find(marker) != String::npos; };
    if (has("NAME=\"KEYWORDS"))
        take(fields.Keywords);
    else if (has("CONTENT=\"NO-CACHE\""))
        fields.NoCache = true;
    else if (has("NAME=\"DESCRIPTION"))
        take(fields.Description);
    else if (has("NAME=\"RATING"))
        take(fields.Rating);
    else if (has("HTTP-EQUIV=\"WINDOW-TARGET")) {
        bool closed = false;
        const String target = hasValue ? ValueOf(tag, start, &closed) : String();
        if (closed)
            fields.TargetWindow = target;
    } else if (has("NAME=\"REVISIT-AFTER"))
        take(fields.Revisit);
    else if (has("NAME=\"OBJECTTYPE"))
        take(fields.ObjectType);
    else if (has("NAME=\"GENERATOR"))
        return true; // written afresh with every block
    else if (has("HTTP-EQUIV=\"CREATION_DATE"))
        take(fields.Creation);
    else if (has("HTTP-EQUIV=\"EXPIRES"))
        take(fields.Expire);
    else if (has("HTTP-EQUIV=\"REPLY-TO"))
        take(fields.ReplyTo);
    else if (has("HTTP-EQUIV=\"RESOURCE-TYPE"))
        take(fields.ResourceType);
    else if (has("HTTP-EQUIV=\"DISTRIBUTION"))
        take(fields.Distribution);
    else if (has("HTTP-EQUIV=\"COPYRIGHT"))
        take(fields.Copyright);
    else if (has("NAME=\"ROBOTS\"")) {
        fields.DontIndex = fields.DontIndex || has("NOINDEX");
        fields.DontFollow = fields.DontFollow || has("NOFOLLOW");
    } else if (has("HTTP-EQUIV=\"REFRESH")) {
        if (hasValue)
            TakeRefresh(value, fields);
    } else
        return false;
    return true;
}

// The length of the line break at pos: CR LF, a lone CR or LF, or none.
size_t LineBreakAt(const String& text, size_t pos) {
    if (text.compare(pos, 2, "\r\n") == 0)
        return 2;
    return pos < text.size() && (text[pos] == '\r' || text[pos] == '\n') ? 1 : 0;
}

String MetaLine(const String& kind, const String& name, const String& value) {
    return value.empty()
               ? String()
               : "<META " + kind + "=\"" + name + "\" CONTENT=\"" + QuotedValue(value) + "\">\r\n";
}

bool IsPunctuation(unsigned char c) {
    return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) ||
           (c >= 123 && c <= 126);
}

bool IsSeparator(unsigned char c) {
    return c <= ' ';
}

} // namespace

// A known tag goes with the line break that ends it, so that taking it out leaves no empty line;
// an unknown one stays with everything after it.
String TakeMetaTags(const String& page, TMetaFields& fields) {
    const String upperPage = UpperCase(page);
    String rest;
    rest.reserve(page.size());
    size_t pos = 0;
    for (;;) {
        const size_t tagStart = upperPage.find("<META", pos);
        const size_t tagEnd = tagStart == String::npos ? String::npos : page.find('>', tagStart);
        if (tagEnd == String::npos)
            break;
        rest.append(page, pos, tagStart - pos);
        const String tag = page.substr(tagStart, tagEnd + 1 - tagStart);
        pos = tagEnd + 1;
        if (TakeTag(tag, fields))
            pos += LineBreakAt(page, pos);
        else
            rest += tag;
    }
    rest.append(page, pos, String::npos);
    return rest;
}

String MetaBlock(const TMetaFields& f, const String& version) {
    String block = "\r\n";
    block += MetaLine("NAME", "keywords", f.Keywords);
    block += MetaLine("NAME", "description", f.Description);
    block += MetaLine("NAME", "rating", f.Rating);
    block += MetaLine("NAME", "revisit-after", f.Revisit);
    block += MetaLine("NAME", "objecttype", f.ObjectType);
    if (!f.RedirectURL.empty() && !f.RedirectSecs.empty())
        block += "<META HTTP-EQUIV=\"refresh\" content=\"" +
                 QuotedValue(f.RedirectSecs + "; url=" + f.RedirectURL) + "\">\r\n";
    block += MetaLine("HTTP-EQUIV", "creation_date", f.Creation);
    block += MetaLine("HTTP-EQUIV", "expires", f.Expire);
    block += MetaLine("HTTP-EQUIV", "reply-to", f.ReplyTo);
    block += MetaLine("HTTP-EQUIV", "resource-type", f.ResourceType);
    block += MetaLine("HTTP-EQUIV", "distribution", f.Distribution);
    block += MetaLine("HTTP-EQUIV", "copyright", f.Copyright);
    if (f.DontIndex || f.DontFollow)
        block += String("<META NAME=\"robots\" CONTENT=\"") + (f.DontIndex ? "NOINDEX" : "INDEX") +
                 (f.DontFollow ? ",NOFOLLOW" : ",FOLLOW") + "\">\r\n";
    block += MetaLine("HTTP-EQUIV", "window-target", f.TargetWindow);
    if (f.NoCache)
        block += "<META HTTP-EQUIV=\"pragma\" CONTENT=\"no-cache\">\r\n";
    return block + MetaLine("NAME", "Generator", "Quiltmarker " + version);
}

String MetaBlockAt(const String& page, int position, const TMetaFields& fields,
                   const String& version) {
    const String block = MetaBlock(fields, version);
    const bool lineFollows = LineBreakAt(page, static_cast<size_t>(position)) > 0;
    return lineFollows ? block.substr(0, block.size() - 2) : block;
}

int MetaBlockPosition(const String& page) {
    const String upper = UpperCase(page);
    const size_t head = upper.find("<HEAD>");
    if (head != String::npos)
        return static_cast<int>(head + 6);
    for (size_t at = upper.find("<HEAD"); at != String::npos; at = upper.find("<HEAD", at + 1)) {
        const size_t end = page.find('>', at);
        if (at + 5 < page.size() && IsSeparator(static_cast<unsigned char>(page[at + 5])) &&
            end != String::npos)
            return static_cast<int>(end + 1);
    }
    return 0;
}

// Tags are cut out from each "<" to the next ">" and stand as a blank between the words around
// them; a "<" that no ">" follows is kept as text.
std::vector<TKeywordCount> CountKeywords(const String& page,
                                         const std::unordered_set<String>& excluded) {
    std::vector<TKeywordCount> counts;
    std::unordered_map<String, size_t> indexOf;
    String word;
    String key;
    auto countWord = [&]() {
        if (word.size() >= 3) {
            key = LowerCase(word);
            if (!excluded.count(key)) {
                auto [found, added] = indexOf.try_emplace(key, counts.size());
                if (added)
                    counts.push_back({word, 1});
                else
                    ++counts[found->second].Count;
            }
        }
        word.clear();
    };
    const size_t n = page.size();
    for (size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(page[i]);
        if (c == '<') {
            const size_t close = page.find('>', i + 1);
            if (close != String::npos) {
                countWord();
                i = close;
                continue;
            }
        }
        if (IsSeparator(c))
            countWord();
        else if (!IsPunctuation(c))
            word += static_cast<char>(c);
    }
    countWord();
    std::stable_sort(counts.begin(), counts.end(),
                     [](const TKeywordCount& a, const TKeywordCount& b) {
                         if (a.Count != b.Count)
                             return a.Count > b.Count;
                         return CompareText(a.Word, b.Word) < 0;
                     });
    return counts;
}

String KeywordItem(const TKeywordCount& keyword) {
    const int c = keyword.Count;
    const String lead(static_cast<size_t>(2 * ((c < 1000) + (c < 100) + (c < 10))), ' ');
    return lead + IntToStr(keyword.Count) + "    " + keyword.Word;
}

String WordOfItem(const String& item) {
    const String trimmed = Trim(item);
    const size_t blank = trimmed.find(' ');
    return blank == String::npos ? String() : Trim(trimmed.substr(blank + 1));
}
