#include "publish/PublishSteps.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct TextCase {
    const char* Input;
    const char* Expected;
};

TEST(PublishStepsTest, PagesAreReadAndWrittenAsCrLfLines) {
    const TextCase cases[] = {
        {"", ""},
        {"a", "a\r\n"},
        {"a\rb\rc", "a\r\nb\r\nc\r\n"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\r\n\r\nb", "a\r\n\r\nb\r\n"},
        {"a\n\rb", "a\r\n\r\nb\r\n"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(JoinAsCrLfLines(c.Input), c.Expected) << c.Input;
}

TEST(PublishStepsTest, StampsAreShieldedFromCommentRemovalAndRestored) {
    const TextCase shielding[] = {
        {"<!-- LMR45000.25LMR -->", "<[-- LMR45000.25LMR ]->"},
        {"<!-- LR45000.5LR -->", "<[-- LR45000.5LR ]->"},
        // Without its opening the closing marker is left to end an ordinary comment.
        {"<!-- note LMR --> x", "<!-- note LMR --> x"},
    };
    for (const TextCase& c : shielding)
        EXPECT_EQ(ShieldRevisionStamps(c.Input), c.Expected) << c.Input;

    const String page = "<p>x</p><!-- note -->\r\n<!-- LR45000.5LR -->\r\n"
                        "<!-- LMR45000.25LMR -->\r\n";
    EXPECT_EQ(RestoreRevisionStamps(RemoveComments(ShieldRevisionStamps(page))),
              "<p>x</p>\r\n<!-- LR45000.5LR -->\r\n<!-- LMR45000.25LMR -->\r\n");
}

TEST(PublishStepsTest, GlobalNameChangeRenamesPagesAndLinksForMatchingDestinations) {
    struct Case {
        const char* Code;
        const char* Destination;
        const char* Text;
        const char* Path;
        const char* ExpectedText;
        const char* ExpectedPath;
    };
    const Case cases[] = {
        {"[[upload]]indexshtml", "/srv/upload", "<a href=\"index.html\"> index.html",
         "/s/index.html", "<a href=\"index.shtml\"> index.html", "/s/index.shtml"},
        {"[[upload]]indexhtm\\n[[other]]*shtml", "/srv/Upload", "\"index.html\" \"b.html\"",
         "/s/page.html", "\"index.htm\" \"b.html\"", "/s/page.html"},
        {"[[test]]*shtml", "/home/test",
         "<a href=\"a.html\"><a href=\"http://x.org/b.html\">x.html", "/s/Page.v2.html",
         "<a href=\"a.shtml\"><a href=\"http://x.org/b.html\">x.shtml", "/s/Page.shtml"},
        // Every matching variant applies, in order.
        {"[[srv]]indexshtml\\n[[srv]]*htm", "/srv/", "\"index.html\" \"b.html\"", "/s/index.html",
         "\"index.shtml\" \"b.htm\"", "/s/index.htm"},
        // An empty key occurs nowhere; an unknown value does nothing.
        {"[[]]*htm", "/srv/", "\"a.html\"", "/s/a.html", "\"a.html\"", "/s/a.html"},
        {"[[srv]]other", "/srv/", "\"a.html\"", "/s/a.html", "\"a.html\"", "/s/a.html"},
    };
    for (const Case& c : cases) {
        String text = c.Text;
        String path = c.Path;
        ApplyGlobalNameChange(c.Code, c.Destination, text, path);
        EXPECT_EQ(text, c.ExpectedText) << c.Code;
        EXPECT_EQ(path, c.ExpectedPath) << c.Code;
    }
}

TEST(PublishStepsTest, CommentsGoButScriptAndStyleBlocksKeepTheirs) {
    const TextCase cases[] = {
        {"a<!-- x -->b", "ab"},
        {"<style><!-- p{} --></style><!--c-->", "<style><!-- p{} --></style>"},
        {"<SCRIPT><!-- f() //--></script>x<!--y-->", "<SCRIPT><!-- f() //--></script>x"},
        {"a<!-- b", "a<!-- b"},
        {"<!-->x-->y", "y"},
        {"<script>a<!--b-->", "<script>a"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(RemoveComments(c.Input), c.Expected) << c.Input;
}

TEST(PublishStepsTest, TagCaseKeepsQuotedValuesScriptsAndComments) {
    struct Case {
        bool Upper;
        const char* Input;
        const char* Expected;
    };
    const Case cases[] = {
        {true, "<a href=\"Index.html\">Link</a>", "<A HREF=\"Index.html\">Link</A>"},
        {false, "<IMG SRC=\"Pic.GIF\" ALT=\"A B\">", "<img src=\"Pic.GIF\" alt=\"A B\">"},
        {true, "<script>If (A<b) x=\"q\"</script><p>", "<script>If (A<b) x=\"q\"</script><P>"},
        {true, "<!-- <b>bold</b> --><b>x</b>", "<!-- <b>bold</b> --><B>x</B>"},
        {true, "<SCRIPT>x</SCRIPT><i>", "<SCRIPT>x</SCRIPT><I>"},
        // Without an end the rest of the page stays as it is.
        {true, "<script>x</Script><i>", "<script>x</Script><i>"},
        {true, "a < b", "a < b"},
        {false, "<P>x<B CLASS=Y", "<p>x<B CLASS=Y"},
        // A tag ends at its first ">", even one within quotes.
        {true, "<a title=\"x>y\" id=z>b", "<A TITLE=\"x>y\" id=z>b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChangeTagCase(c.Input, c.Upper), c.Expected) << c.Input;
}

TEST(PublishStepsTest, BlankLineStrippingKeepsLinesOfBlanks) {
    const TextCase cases[] = {
        {"a\r\n\r\n\r\nb\r\n", "a\r\nb\r\n"},
        {"a\r\n  \r\nb", "a\r\n  \r\nb"},
        {"\r\n\r\na", "\r\na"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(StripBlankLines(c.Input), c.Expected) << c.Input;
}

TEST(PublishStepsTest, CompactionCollapsesBlanksAndJoinsLinesOutsideScripts) {
    const TextCase cases[] = {
        {"a   b\t\tc", "a b c"},
        {"<p title=\"a   b\">x  y</p>", "<p title=\"a   b\">x y</p>"},
        {"a\r\nb\r\n", "ab"},
        {"x\r\n<SCRIPT>\r\nf();\r\n</script>\r\ny", "x<SCRIPT>\r\nf();\r\n</script>\r\ny"},
        {"<script>\r\nno end\r\n", "<script>no end"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(CompactText(c.Input, false, 80), c.Expected) << c.Input;
}

// A browser shows these blocks with their line ends and blanks, so compaction leaves them as
// written, open tag included; quotes inside them do not turn the page's quoted values around.
TEST(PublishStepsTest, CompactionKeepsPreAndTextAreaBlocksByteForByte) {
    const char* const pre =
        "<PRE Class=\"Code\"  ID=x>\r\n  if (a)   b();\r\n\r\n\tsay \"hi\r\n</Pre >";
    const char* const textArea =
        "<TextArea  NAME=\"Note\" Rows=3>Line one\r\n   Line  two</TEXTAREA>";
    const TextCase cases[] = {
        {"a  b\r\n<PRE Class=\"Code\"  ID=x>\r\n  if (a)   b();\r\n\r\n\tsay \"hi\r\n</Pre >  c   "
         "d",
         "a b<PRE Class=\"Code\"  ID=x>\r\n  if (a)   b();\r\n\r\n\tsay \"hi\r\n</Pre > c d"},
        {"<p>\r\n<TextArea  NAME=\"Note\" Rows=3>Line one\r\n   Line  two</TEXTAREA>\r\n</p>",
         "<p><TextArea  NAME=\"Note\" Rows=3>Line one\r\n   Line  two</TEXTAREA></p>"},
        // A PRE inside a PRE is closed by its own end tag; the outer one runs on to its own.
        {"<pre>a  <pre>b  </pre>  c</pre>  d", "<pre>a  <pre>b  </pre>  c</pre> d"},
        // A TEXTAREA holds no tags: its first end tag closes it.
        {"<textarea><pre>  </textarea>  x  </pre>", "<textarea><pre>  </textarea> x </pre>"},
        // Never closed: a browser shows the rest as written, and so it stays.
        {"a  b <pre>x  y\r\nz", "a b <pre>x  y\r\nz"},
        {"<pre>x  y</pre", "<pre>x  y</pre"},
        // Other tags that merely begin with the same letters are compacted.
        {"<preview>a  b\r\n</preview><textareas>c  d", "<preview>a b</preview><textareas>c d"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(CompactText(c.Input, false, 80), c.Expected) << c.Input;

    // The whole clean-up with wrapping; the tag case and the removal of empty lines are asked
    // for on their own and change the blocks as they would anywhere else.
    TPublishSettings settings;
    settings.RemoveComments = true;
    settings.TagCase = tcNoChange;
    settings.Compact = true;
    settings.Wrap = true;
    settings.LineLength = "25";
    TExpansionContext context;
    const String published =
        PublishPageText(JoinAsCrLfLines(String("<html><body>\r\n") + pre + "\r\n" + textArea +
                                        "\r\n</body></html>"),
                        settings, context);
    EXPECT_NE(published.find(pre), String::npos) << published;
    EXPECT_NE(published.find(textArea), String::npos) << published;
}

TEST(PublishStepsTest, WrappingBreaksAfterABlankOrTagEndAtTheLineLength) {
    struct Case {
        int Length;
        const char* Input;
        const char* Expected;
    };
    const Case cases[] = {
        {10, "aaaa bbbb cccc dddd", "aaaa bbbb \r\ncccc dddd"},
        {10, "abcdefghijklmno pq", "abcdefghijklmno \r\npq"},
        {10, "abcdefghijklmnop", "abcdefghijklmnop\r\n"},
        {8, "<p><b>text</b></p>", "<p><b>\r\ntext</b>\r\n</p>"},
        {10, " abcdefghijk", " abcdefghijk\r\n"},
        // A PRE block is no place for a line end; after its end tag a break is harmless.
        {10, "ab <pre>c d e f g h i</pre> j k", "ab \r\n<pre>c d e f g h i</pre>\r\n j k"},
        {6, "<pre>a b c d e f", "<pre>a b c d e f\r\n"},
        // A length typed below 1 still ends.
        {0, "ab cd", "ab \r\ncd\r\n"},
        {-5, "ab cd", "ab \r\ncd\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompactText(c.Input, true, c.Length), c.Expected) << c.Input;
}

TEST(PublishStepsTest, CutKeepsHtmlEndAndOneCharacter) {
    const TextCase cases[] = {
        {"<html>x</HTML>\r\ntrailer", "<html>x</HTML>\r"},
        {"no end tag\r\n", "no end tag\r\n"},
        {"<html></html>", "<html></html>"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(CutAfterHtmlEnd(c.Input), c.Expected) << c.Input;
}

// The steps search forward only once; these are the steps written the plain way, searching the
// remaining text afresh each time, to show that the results are the same on any text.
namespace plain {

size_t FindUpper(const String& text, const String& upperNeedle, size_t from) {
    return UpperCase(text).find(upperNeedle, from);
}

String RemoveComments(const String& text) {
    String out;
    String rest = text;
    while (true) {
        size_t comment = rest.find("<!--");
        if (comment == String::npos)
            return out + rest;
        size_t marker =
            std::min({comment, FindUpper(rest, "<SCRIPT", 0), FindUpper(rest, "<STYLE", 0)});
        out += rest.substr(0, marker);
        rest.erase(0, marker);
        size_t end = String::npos;
        size_t endLength = 0;
        if (rest.compare(0, 4, "<!--") == 0) {
            end = rest.find("-->", 3);
            if (end != String::npos) {
                rest.erase(0, end + 3);
                continue;
            }
        } else if (UpperCase(rest.substr(0, 7)) == "<SCRIPT") {
            end = FindUpper(rest, "</SCRIPT>", 7);
            endLength = 9;
        } else {
            end = FindUpper(rest, "</STYLE>", 6);
            endLength = 8;
        }
        size_t kept = end == String::npos ? 1 : end + endLength;
        out += rest.substr(0, kept);
        rest.erase(0, kept);
    }
}

// Outside double quotes the tag changes case; a quoted value runs to its closing quote.
String TagInCase(const String& tag, bool upper) {
    String out;
    size_t pos = 0;
    while (pos < tag.size()) {
        size_t quote = tag.find('"', pos);
        String outside = tag.substr(pos, quote == String::npos ? String::npos : quote - pos);
        out += upper ? UpperCase(outside) : LowerCase(outside);
        if (quote == String::npos)
            break;
        size_t closing = tag.find('"', quote + 1);
        out += tag.substr(quote, closing == String::npos ? String::npos : closing - quote + 1);
        pos = closing == String::npos ? tag.size() : closing + 1;
    }
    return out;
}

String ChangeTagCase(const String& text, bool upper) {
    String out;
    String rest = text;
    while (true) {
        size_t open = rest.find('<');
        if (open == String::npos)
            return out + rest;
        size_t end = String::npos;
        if (UpperCase(rest.substr(open + 1, 6)) == "SCRIPT") {
            end = rest.find("</script>");
            if (end == String::npos)
                end = rest.find("</SCRIPT>");
        } else if (rest.compare(open, 4, "<!--") == 0) {
            end = rest.find("-->");
        } else {
            end = rest.find('>', open + 1);
            if (end == String::npos)
                return out + rest;
            out += rest.substr(0, open) + TagInCase(rest.substr(open, end - open + 1), upper);
            rest.erase(0, end + 1);
            continue;
        }
        if (end == String::npos)
            return out + rest;
        out += rest.substr(0, end + 1);
        rest.erase(0, end + 1);
    }
}

String StripBlankLines(const String& text) {
    String out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!((text[i] == '\r' || text[i] == '\n') && i >= 2 && text[i - 2] == text[i]))
            out += text[i];
    return out;
}

void ReplaceFirst(String& text, const String& what, const String& with) {
    size_t at = text.find(what);
    if (at != String::npos)
        text.replace(at, what.size(), with);
}

String ShieldRevisionStamps(String text) {
    for (const char* stamp : {"LMR", "LR"}) {
        size_t at = text.find(String("<!-- ") + stamp);
        if (at == String::npos)
            continue;
        text[at + 1] = '[';
        ReplaceFirst(text, String(stamp) + " -->", String(stamp) + " ]->");
    }
    return text;
}

String RestoreRevisionStamps(String text) {
    for (const char* stamp : {"LMR", "LR"}) {
        ReplaceFirst(text, String("<[-- ") + stamp, String("<!-- ") + stamp);
        ReplaceFirst(text, String(stamp) + " ]->", String(stamp) + " -->");
    }
    return text;
}

String CutAfterHtmlEnd(const String& text) {
    size_t end = UpperCase(text).find("</HTML>");
    return end == String::npos ? text : text.substr(0, end + 8);
}

bool EndsName(const String& text, size_t at) {
    return at < text.size() && String(" \t\f\r\n/>").find(text[at]) != String::npos;
}

bool OpensTag(const String& text, size_t at, const String& upperName) {
    return UpperCase(text.substr(at, upperName.size())) == upperName &&
           EndsName(text, at + upperName.size());
}

// The end of the PRE or TEXTAREA block opening at `at`, past its end tag's ">"; npos for none.
size_t BlockEnd(const String& text, size_t at) {
    size_t close = String::npos;
    if (OpensTag(text, at, "<TEXTAREA")) {
        for (size_t i = at + 1; i < text.size() && close == String::npos; ++i)
            if (OpensTag(text, i, "</TEXTAREA"))
                close = i;
    } else if (OpensTag(text, at, "<PRE")) {
        int depth = 0;
        for (size_t i = at; i < text.size() && close == String::npos; ++i)
            if (OpensTag(text, i, "<PRE"))
                ++depth;
            else if (OpensTag(text, i, "</PRE") && --depth == 0)
                close = i;
    } else {
        return String::npos;
    }
    size_t end = close == String::npos ? String::npos : text.find('>', close);
    return end == String::npos ? text.size() : end + 1;
}

struct Compacted {
    String Text;
    std::vector<std::pair<size_t, size_t>> Kept; // from a block's "<" up to its last character
};

// The page is cut into scripts (lines kept), PRE and TEXTAREA blocks (kept whole) and single
// characters; then blanks collapse outside quotes and line ends go outside scripts. The random
// pages always close "</script" with ">", so the scripts can be found on the page as it is.
Compacted Compact(const String& text) {
    enum Kind { Character, Script, Block };
    struct Piece {
        Kind What;
        size_t Begin;
        size_t End;
    };
    std::vector<Piece> pieces;
    const String upper = UpperCase(text);
    for (size_t i = 0; i < text.size();) {
        size_t end = upper.find("</SCRIPT", i + 1);
        if (upper.compare(i, 7, "<SCRIPT") == 0 && end != String::npos) {
            end = std::min(end + 9, text.size());
            while (end < text.size() && (text[end] == '\r' || text[end] == '\n'))
                ++end;
            pieces.push_back({Script, i, end});
        } else if ((end = BlockEnd(text, i)) != String::npos) {
            pieces.push_back({Block, i, end});
        } else {
            end = i + 1;
            pieces.push_back({Character, i, end});
        }
        i = end;
    }
    Compacted out;
    bool quoted = false;
    char last = '\0';
    for (const Piece& piece : pieces) {
        if (piece.What == Block) {
            out.Kept.push_back({out.Text.size(), out.Text.size() + piece.End - piece.Begin - 1});
            out.Text += text.substr(piece.Begin, piece.End - piece.Begin);
            last = text[piece.End - 1];
            continue;
        }
        for (size_t i = piece.Begin; i < piece.End; ++i) {
            char c = text[i];
            if (c == '"')
                quoted = !quoted;
            if (!quoted && (c == ' ' || c == '\t')) {
                if (last == ' ')
                    continue;
                c = ' ';
            }
            last = c;
            if (piece.What == Script || (c != '\r' && c != '\n'))
                out.Text += c;
        }
    }
    return out;
}

String Wrap(const Compacted& compacted, int length) {
    const String& text = compacted.Text;
    auto isPoint = [&](size_t at) {
        for (const auto& [begin, end] : compacted.Kept)
            if (begin <= at && at < end)
                return false;
        return text[at] == ' ' || text[at] == '>';
    };
    size_t l = static_cast<size_t>(std::max(length, 1));
    String out;
    size_t start = 0;
    while (text.size() - start > l) {
        size_t at = String::npos;
        for (size_t i = start + l - 1; i >= start + 1 && at == String::npos; --i)
            if (isPoint(i))
                at = i;
        for (size_t i = start + l; i < text.size() && at == String::npos; ++i)
            if (isPoint(i))
                at = i;
        if (at == String::npos)
            at = text.size() - 1;
        out += text.substr(start, at - start + 1) + "\r\n";
        start = at + 1;
    }
    return out + text.substr(start);
}

} // namespace plain

String RandomPage(std::mt19937& random, int pieces) {
    static const char* const Pieces[] = {
        "<!--",        "-->",       "<script>", "</SCRIPT>", "<Style>",  "</style>",  " ",
        "  ",          ">",         "<p>",      "word",      "\"",       "\r\n",      "<b",
        "-",           "x-",        "<!-->",    "</script>", "<a href=", "</Script>", "\t",
        "\r",          "\n",        "<pre>",    "</PRE>",    "<Pre ",    "</pre",     "<TextArea>",
        "</textarea>", "<preview>", "<!-- LMR", "LMR -->",   "<!-- LR",  "LR -->",    "<[-- LR",
        "LMR ]->",     "</html>",
    };
    std::uniform_int_distribution<size_t> pick(0, std::size(Pieces) - 1);
    String page;
    for (int i = 0; i < pieces; ++i)
        page += Pieces[pick(random)];
    return page;
}

TEST(PublishStepsTest, OnePassStepsGiveThePlainResultOnAnyText) {
    std::mt19937 random(5101);
    for (int round = 0; round < 1000; ++round) {
        const String page = RandomPage(random, 40);
        ASSERT_EQ(JoinAsCrLfLines(page), AdjustLineBreaks(page, true)) << page;
        ASSERT_EQ(ShieldRevisionStamps(page), plain::ShieldRevisionStamps(page)) << page;
        ASSERT_EQ(RestoreRevisionStamps(page), plain::RestoreRevisionStamps(page)) << page;
        ASSERT_EQ(RemoveComments(page), plain::RemoveComments(page)) << page;
        ASSERT_EQ(ChangeTagCase(page, true), plain::ChangeTagCase(page, true)) << page;
        ASSERT_EQ(ChangeTagCase(page, false), plain::ChangeTagCase(page, false)) << page;
        ASSERT_EQ(StripBlankLines(page), plain::StripBlankLines(page)) << page;
        ASSERT_EQ(CutAfterHtmlEnd(page), plain::CutAfterHtmlEnd(page)) << page;
        const plain::Compacted compacted = plain::Compact(page);
        ASSERT_EQ(CompactText(page, false, 0), compacted.Text) << page;
        for (int length : {1, 3, 7, 20})
            ASSERT_EQ(CompactText(page, true, length), plain::Wrap(compacted, length))
                << page << " at " << length;
    }
}

} // namespace
