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

String Wrap(const String& text, int length) {
    size_t l = static_cast<size_t>(length);
    String out;
    String rest = text;
    while (rest.size() > l) {
        size_t at = String::npos;
        for (size_t i = l; i >= 2; --i)
            if (rest[i - 1] == ' ' || rest[i - 1] == '>') {
                at = i - 1;
                break;
            }
        if (at == String::npos) {
            at = rest.find_first_of(" >", l);
            if (at == String::npos)
                at = rest.size() - 1;
        }
        out += rest.substr(0, at + 1) + "\r\n";
        rest.erase(0, at + 1);
    }
    return out + rest;
}

} // namespace plain

String RandomPage(std::mt19937& random, int pieces) {
    static const char* const Pieces[] = {
        "<!--", "-->", "<script>", "</SCRIPT>", "<Style>",  "</style>",  " ",
        "  ",   ">",   "<p>",      "word",      "\"",       "\r\n",      "<b",
        "-",    "x-",  "<!-->",    "</script>", "<a href=", "</Script>",
    };
    std::uniform_int_distribution<size_t> pick(0, std::size(Pieces) - 1);
    String page;
    for (int i = 0; i < pieces; ++i)
        page += Pieces[pick(random)];
    return page;
}

TEST(PublishStepsTest, OnePassStepsGiveThePlainResultOnAnyText) {
    std::mt19937 random(5101);
    for (int round = 0; round < 400; ++round) {
        String page = RandomPage(random, 40);
        ASSERT_EQ(RemoveComments(page), plain::RemoveComments(page)) << page;
        ASSERT_EQ(ChangeTagCase(page, true), plain::ChangeTagCase(page, true)) << page;
        String joined = CompactText(page, false, 0);
        for (int length : {1, 3, 7, 20})
            ASSERT_EQ(CompactText(page, true, length), plain::Wrap(joined, length))
                << page << " at " << length;
    }
}

} // namespace
