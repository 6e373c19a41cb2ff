#include "site/TagChecker.h"
#include "site/TagCheckTables.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<String>;

// A correct page with the fragment as its line 6, inside the body.
String PageWith(const String& body) {
    return "<HTML>\r\n<HEAD>\r\n<TITLE>T</TITLE>\r\n</HEAD>\r\n<BODY>\r\n" + body +
           "\r\n</BODY>\r\n</HTML>\r\n";
}

Lines Check(const String& text) {
    return CheckTagText(text, ContainerTagNames()).Report;
}

} // namespace

TEST(TagCheckTables, TheFourTablesHoldTheirTags) {
    const TTagNames& containers = ContainerTagNames();
    EXPECT_EQ(containers.Names().size(), 71u);
    EXPECT_EQ(containers.Names().back(), "P");
    EXPECT_EQ(TTagNames(LoadResourceText(EmptyTagsResource)).Names().size(), 26u);
    EXPECT_EQ(LoadResourceText(HeadOnlyTagsResource),
              "&!DOCTYPE&STYLE&BASE&TITLE&META&LINK&HEAD&HTML&");
    EXPECT_EQ(LoadResourceText(99), "");
}

TEST(TagChecker, ACorrectPageReportsNoErrors) {
    EXPECT_EQ(Check(PageWith("<TABLE><TR><TD>x</TD></TR></TABLE>")),
              (Lines{"NO ERRORS FOUND", ""}));
}

TEST(TagChecker, EachRuleGivesItsReportLines) {
    struct Case {
        const char* What;
        String Text;
        Lines Report;
    };
    const std::vector<Case> cases = {
        {"nothing of a page",
         "<B>",
         {"Line 1 Char 1 - No opening <HTML> tag.", "Line 1 Char 1 - No opening <HEAD> tag.",
          "Line 1 Char 1 - No opening <BODY> or <FRAMESET> tag.",
          "Line 1 char 1 - <B> tag cannot be placed in <HEAD> section.",
          "End of file - <B> opened in line 1 char 1 not closed.",
          "     Line 1 char 1 - Location of opening <B> tag", ""}},
        {"an HTML tag with attributes counts as missing",
         "<html lang=en>\r\n<head>\r\n<title>T</title>\r\n</head>\r\n<body>\r\n</body>\r\n</html>",
         {"Line 1 Char 1 - No opening <HTML> tag.", ""}},
        {"two titles on one line",
         "<HTML>\r\n<HEAD>\r\n<TITLE>a</TITLE><TITLE>b</TITLE>\r\n</HEAD>\r\n<BODY>\r\n</BODY>"
         "\r\n</HTML>",
         {"Line 3 char 1 - Only one <TITLE> tag allowed.",
          "Line 3 char 9 - Only one </TITLE> tag allowed.", ""}},
        {"two titles on two lines",
         "<HTML>\r\n<HEAD>\r\n<TITLE>a</TITLE>\r\n<TITLE>b</TITLE>\r\n<TITLE>c</TITLE>\r\n</HEAD>"
         "\r\n<BODY>\r\n</BODY>\r\n</HTML>",
         {"Line 3 char 1 - Only one <TITLE> tag allowed.",
          "     Line 4 char 1 - Location of second <TITLE> tag.",
          "Line 3 char 9 - Only one </TITLE> tag allowed.",
          "     Line 4 char 9 - Location of second </TITLE> tag.", ""}},
        {"a body tag that does not follow the head",
         "<HTML>\r\n<HEAD>\r\n<TITLE>T</TITLE>\r\n</HEAD>\r\n<B>x</B>\r\n<BODY>\r\n</BODY>\r\n"
         "</HTML>",
         {"Line 5 char 1 - <B> tag cannot be placed in <HEAD> section.",
          "Line 5 char 1 - <BODY> or <FRAMESET> tag should follow </HEAD> tag.",
          "Line 6 char 1 - </HEAD> should precede <BODY> tag.", ""}},
        {"a lone < in the head",
         "<HTML>\r\n<HEAD>\r\n< x\r\n</HEAD>\r\n<BODY>\r\n</BODY>\r\n</HTML>",
         {"Line 3 char 1 - <> tag cannot be placed in <HEAD> section.", "",
          "Line 3 char 1 - tag not properly closed (missing '>' at end)", ""}},
        {"closed but not opened",
         PageWith("</B>"),
         {"Line 6 char 1 - <B> closed but not opened.", ""}},
        {"a tag left open inside another",
         PageWith("<B><I></B>"),
         {"Line 6 char 7 - <I> opened in line 6 char 4 not closed.",
          "     Line 6 char 4 - Location of opening <I> tag", ""}},
        {"an unnecessary end tag",
         PageWith("</LI>"),
         {"Line 6 char 1 - Unnecessary closing tag </LI>.", ""}},
        {"a paragraph end tag is accepted", PageWith("<P>x</P>"), {"NO ERRORS FOUND", ""}},
        {"a BR with a slash",
         PageWith("<BR/>"),
         {"Line 6 char 1 - Unrecognised opening tag <BR/>.", ""}},
        {"unknown tags",
         PageWith("<xyz></xyz>"),
         {"Line 6 char 1 - Unrecognised opening tag <XYZ>.",
          "Line 6 char 6 - Unrecognised closing tag </XYZ>.", ""}},
        {"a head-only tag in the body",
         PageWith("<META>"),
         {"Line 6 char 1 - <META> tag can only be placed in <HEAD> section.", ""}},
        {"body and frameset together",
         PageWith("<FRAMESET></FRAMESET>"),
         {"Line 5 char 1 - Cannot have <BODY> and <FRAMESET> tags in same document.", ""}},
        {"a cell right after the table",
         PageWith("<TABLE><TD>x</TD></TABLE>"),
         {"Line 6 char 8 - <TR>, <THEAD>, <TBODY>, <COLGROUP> or <CAPTION> should follow "
          "<TABLE>.",
          "Line 6 char 18 - </TR> should precede </TABLE>.", ""}},
        {"no cell in a row",
         PageWith("<TABLE><TR><B>x</B></TR></TABLE>"),
         {"Line 6 char 12 - <TD> or <TH> should follow <TR>.",
          "Line 6 char 20 - </TD> or </TH> should precede </TR>.", ""}},
        {"a script's tags are not examined",
         PageWith("<SCRIPT><xyz></SCRIPT>"),
         {"NO ERRORS FOUND", ""}},
        {"a comment's tags are not examined", PageWith("<!-- <xyz> -->"), {"NO ERRORS FOUND", ""}},
        {"a comment closed without blanks hides nothing",
         PageWith("<!--note--><xyz>"),
         {"Line 6 char 12 - Unrecognised opening tag <XYZ>.", ""}},
        {"a closed comment in the head is no tag",
         "<HTML>\r\n<HEAD>\r\n<!--note-->\r\n<TITLE>T</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
         "</BODY>\r\n</HTML>",
         {"NO ERRORS FOUND", ""}},
        {"a missing >",
         PageWith("<B x</B>"),
         {"NO ERRORS FOUND", "", "Line 6 char 1 - tag not properly closed (missing '>' at end)",
          ""}},
        {"an unterminated quote",
         PageWith("<A HREF=\"x>y</A>"),
         {"NO ERRORS FOUND", "", "Line 6 char 1 - tag contains unterminated quote", ""}},
        {"a quote before any tag is blamed on its >",
         "a\"b>",
         {"Line 1 Char 1 - No opening <HTML> tag.", "Line 1 Char 1 - No opening <HEAD> tag.",
          "Line 1 Char 1 - No opening <BODY> or <FRAMESET> tag.", "",
          "Line 1 char 4 - tag contains unterminated quote", ""}},
        {"an image without text or size",
         PageWith("<IMG SRC=\"a.gif\" ALT=\"\">"),
         {"NO ERRORS FOUND", "",
          "COMMENTS:", "Line 6 char 1 - <IMG> tag (a.gif) has no text alternative",
          "Line 6 char 1 - <IMG> tag (a.gif) has no WIDTH or HEIGHT  attribute"}},
        {"a width of 0 is no width; 50% is a height",
         PageWith("<img src=\"B.gif\" alt=\"b\" width=\"0\" height=\"50%\">"),
         {"NO ERRORS FOUND", "",
          "COMMENTS:", "Line 6 char 1 - <IMG> tag (B.gif) has no WIDTH  attribute"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check(c.Text), c.Report) << c.What;
}

TEST(TagChecker, ThePositionListHoldsTheColumnsOfTheTagsLeftOpen) {
    EXPECT_EQ(CheckTagText("  <B>\r\n<I>", ContainerTagNames()).PositionList, (Lines{"3", "1"}));
}

TEST(TagChecker, FindAttributeValueFindsTheValueAfterTheEqualsSign) {
    struct Case {
        const char* Tag;
        const char* Name;
        int Position;
    };
    const Case cases[] = {
        {"<IMG SRC = \"A\">", "SRC", 12},
        {"<IMG LOWSRC=\"A\">", "SRC", 13},
        {"<IMG WIDTH\r\n=\t5>", "WIDTH", 15},
        {"<IMG ALT>", "ALT", 0},
        {"<IMG ALT=>", "ALT", 0},
        {"<IMG ALT=", "ALT", 0},
        {"<IMG>", "SRC", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindAttributeValue(c.Tag, c.Name), c.Position) << c.Tag;
}

TEST(TagChecker, TheTagMapIndentsWhatContainerTagsHoldDownToTheLevelAsked) {
    const String text = "<HTML><BODY>\r\n<TABLE><TR><TD>x</TD></TR></TABLE>\r\n<P>para</P>\r\n"
                        "</BODY></HTML>";
    const String ten(10, ' ');
    auto linesOf = [&](int level) {
        Lines lines;
        for (const TTagMapLine& line : MapTags(text, ContainerTagNames(), level))
            lines.push_back(line.Line);
        return lines;
    };
    const String one = "      ", two = "     :      ",
                 three = "     :     :      ", four = "     :     :     :      ";
    EXPECT_EQ(linesOf(0), (Lines{"<HTML>" + ten, one + "<BODY>" + ten, two + "<TABLE>" + ten,
                                 three + "<TR>" + ten, four + "<TD>" + ten + "x", four + "</TD>",
                                 three + "</TR>", two + "</TABLE>", two + "<p>" + ten + "para",
                                 one + "</P>", "</BODY>", "</HTML>"}));
    EXPECT_EQ(linesOf(1), (Lines{"<HTML>" + ten, "</BODY>", "</HTML>"}));
    EXPECT_EQ(linesOf(2),
              (Lines{"<HTML>" + ten, one + "<BODY>" + ten, one + "</P>", "</BODY>", "</HTML>"}));
    std::vector<TTagMapLine> map = MapTags(text, ContainerTagNames(), 0);
    EXPECT_EQ(map[2].Position, 14);
    EXPECT_EQ(map.back().Position, static_cast<int>(text.size()) - 7);
}

TEST(TagChecker, TheTagMapCutsLongTextAndEndsAtAnOpenComment) {
    const String ten(10, ' ');
    auto linesOf = [&](const String& text) {
        Lines lines;
        for (const TTagMapLine& line : MapTags(text, ContainerTagNames(), 0))
            lines.push_back(line.Line);
        return lines;
    };
    EXPECT_EQ(linesOf("<B>" + String(100, 'a')), (Lines{"<B>" + ten + String(79, 'a') + "..."}));
    EXPECT_EQ(linesOf("<B>" + String(79, 'a')), (Lines{"<B>" + ten + String(79, 'a')}));
    EXPECT_EQ(linesOf("<UL><LI>a</LI></UL>"),
              (Lines{"<UL>" + ten, "      <li>" + ten + "a", "      </li>", "</UL>"}));
    EXPECT_EQ(linesOf("<B><!-- x <I>"), (Lines{"<B>" + ten, "      <!-- ... -->"}));
}

TEST(TagChecker, AReportLineNamesAPlaceOnlyInItsOwnShape) {
    struct Case {
        const char* Line;
        bool Names;
        int LineNumber;
        int Column;
    };
    const Case cases[] = {
        {"Line 12345 char 7 - <B> closed but not opened.", true, 12345, 7},
        {"     Line 4 char 9 - Location of second <TITLE> tag.", true, 4, 9},
        {"Line 1 Char 1 - No opening <HTML> tag.", true, 1, 1},
        {"COMMENTS:", false, 0, 0},
        {"End of file - <B> opened in line 1 char 1 not closed.", false, 0, 0},
        {"NO ERRORS FOUND", false, 0, 0},
        {"", false, 0, 0},
        {"Line x char 1", false, 0, 0},
    };
    for (const Case& c : cases) {
        int line = 0, column = 0;
        EXPECT_EQ(ParseReportPlace(c.Line, line, column), c.Names) << c.Line;
        if (c.Names) {
            EXPECT_EQ(line, c.LineNumber) << c.Line;
            EXPECT_EQ(column, c.Column) << c.Line;
        }
    }
}
