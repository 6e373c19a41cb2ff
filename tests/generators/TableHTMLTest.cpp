// The table writer's exact HTML, the reader on hand-written tables, and the two together.

#include "generators/TableHTML.h"
#include "editor/CorvaletForm.h"

#include <gtest/gtest.h>

namespace {

// A 2 x 2 table with texts a, b / c, d.
TTableDesign TwoByTwo() {
    TTableDesign d = TTableDesign::Blank(2, 2);
    d.Rows[0][0].Text = "a";
    d.Rows[0][1].Text = "b";
    d.Rows[1][0].Text = "c";
    d.Rows[1][1].Text = "d";
    return d;
}

String Cells(const TTableDesign& d) {
    String all;
    for (const auto& row : d.Rows) {
        for (const TTableCell& cell : row)
            all += "[" + cell.Text + "]";
        all += "/";
    }
    return all;
}

} // namespace

TEST(TableWriter, WritesTheOptionsInTheirOrder) {
    struct Case {
        const char* Name;
        std::function<void(TTableDesign&)> Change;
        bool Compact;
        String Html;
    };
    const Case cases[] = {
        {"nothing set", [](TTableDesign&) {}, false,
         "<TABLE>\r\n\t<TR>\r\n\t\t<TD>a</TD>\r\n\t\t<TD>b</TD>\r\n\t</TR>\r\n\t<TR>\r\n"
         "\t\t<TD>c</TD>\r\n\t\t<TD>d</TD>\r\n\t</TR>\r\n</TABLE>\r\n"},
        {"compact", [](TTableDesign&) {}, true,
         "<TABLE>\r\n\t<TR><TD>a</TD><TD>b</TD></TR>\r\n\t<TR><TD>c</TD><TD>d</TD></TR>\r\n"
         "</TABLE>\r\n"},
        {"table attributes",
         [](TTableDesign& d) {
             d.BackColour = 4;
             d.Width = 80;
             d.Border = 1;
             d.Padding = 2;
             d.Spacing = 3;
             d.Align = "CENTER";
             d.Frame = "BOX";
             d.Rules = "ALL";
             d.Caption = "Prices";
         },
         true,
         "<TABLE BGCOLOR=Navy WIDTH=\"80%\" BORDER=1 CELLPADDING=2 CELLSPACING=3 ALIGN=CENTER "
         "FRAME=BOX RULES=ALL>\r\n<CAPTION>Prices</CAPTION>\r\n"
         "\t<TR><TD>a</TD><TD>b</TD></TR>\r\n\t<TR><TD>c</TD><TD>d</TD></TR>\r\n</TABLE>\r\n"},
        {"pixel width, heading, column widths",
         [](TTableDesign& d) {
             d.Width = 300;
             d.Percent = false;
             d.Heading = true;
             d.Widths = {"WIDTH=40", "WIDTH=\"25%\""};
         },
         true,
         "<TABLE WIDTH=300>\r\n\t<TR><TH WIDTH=40>a</TH><TH WIDTH=\"25%\">b</TH></TR>\r\n"
         "\t<TR><TD>c</TD><TD>d</TD></TR>\r\n</TABLE>\r\n"},
        {"row and cell alignments, valign, nowrap",
         [](TTableDesign& d) {
             d.RowAligns[0] = TMyAlign::alRight;
             d.Rows[0][0].Align = TMyAlign::alRight; // same as its row: not written
             d.Rows[0][1].Align = TMyAlign::alLeft;
             d.Rows[1][0].Align = TMyAlign::alCenter;
             d.Rows[1][0].Hint = "valign=top";
             d.Rows[1][1].Hint = "valign=middle";
             d.Rows[1][1].NoWrap = true;
         },
         true,
         "<TABLE>\r\n\t<TR ALIGN=RIGHT><TD>a</TD><TD ALIGN=LEFT>b</TD></TR>\r\n"
         "\t<TR><TD ALIGN=CENTER VALIGN=TOP>c</TD><TD NOWRAP>d</TD></TR>\r\n</TABLE>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTableDesign d = TwoByTwo();
        c.Change(d);
        EXPECT_EQ(WriteTable(d, c.Compact, "\t"), c.Html);
    }
}

TEST(TableReader, ReadsHandWrittenTables) {
    TTableReading r = ReadTable(
        "<Table border = 3 Width = \"50%\" bgcolor=\"#c0c0c0\" ALIGN=right frame=hsides>\r\n"
        "<caption>Our prices</caption>\r\n"
        "<tr valign=top><TH width=\"30%\">Item<TH align=right>Price</th></tr>\r\n"
        "<TR ALIGN=CENTER>\r\n  <td valign=\"bottom\" ALIGN=LEFT NOWRAP>Tea\r\nleaves</td>"
        "<td>2 = 2</td>\r\n</TR>\r\n"
        "<tr><td>only one</td></tr>\r\n</table>");
    ASSERT_TRUE(r.Read);
    const TTableDesign& d = r.Design;
    EXPECT_EQ(d.Border, 3);
    EXPECT_EQ(d.Width, 50);
    EXPECT_TRUE(d.Percent);
    EXPECT_EQ(d.BackColour, 7);
    EXPECT_EQ(d.Align, "RIGHT");
    EXPECT_EQ(d.Frame, "HSIDES");
    EXPECT_EQ(d.Caption, "Our prices");
    EXPECT_TRUE(d.Heading);
    EXPECT_EQ(d.Cols, 2);
    ASSERT_EQ(d.RowCount(), 3);
    // The first cell's end tag is missing: its text runs to the next cell.
    EXPECT_EQ(Cells(d), "[Item][Price]/[Tea\r\nleaves][2 = 2]/[only one][]/");
    EXPECT_EQ(d.Widths[0], "WIDTH=\"30%\"");
    EXPECT_EQ(d.Rows[0][0].Hint, "valign=top");
    EXPECT_EQ(d.Rows[0][1].Align, TMyAlign::alRight);
    EXPECT_EQ(d.RowAligns[1], TMyAlign::alCenter);
    EXPECT_EQ(d.Rows[1][0].Hint, "valign=bottom");
    EXPECT_EQ(d.Rows[1][0].Align, TMyAlign::alLeft);
    EXPECT_TRUE(d.Rows[1][0].NoWrap);
    EXPECT_EQ(d.Rows[1][1].Hint, "");
    EXPECT_EQ(r.Unheld,
              std::vector<String>{"rows with fewer cells than others, which get empty cells"});
}

TEST(TableReader, RecognisesOnlyATableWithRows) {
    for (const char* text :
         {" <table><tr><td>a</td></tr></table>", "\r\n<table><tr><td>a</td></tr></table>",
          "<table>a</table>", "<tablex><tr><td>a</td></tr></tablex>", "<p>a</p>"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ReadTable(text).Read);
    }
}

TEST(TableReader, ToldWhatTheDesignerCannotHoldAndKeepsEveryCellText) {
    TTableReading r = ReadTable("<table class=x bgcolor=#123456><tbody>\r\n"
                                "<tr><td colspan=2>wide</td></tr>\r\n"
                                "<tr><td>in<table><tr><td>nested</td></tr></table></td>"
                                "<td>b</td></tr>\r\n"
                                "</tbody></table>\r\n<p>after</p>");
    ASSERT_TRUE(r.Read);
    EXPECT_EQ(Cells(r.Design), "[wide][]/[in<table><tr><td>nested</td></tr></table>][b]/");
    EXPECT_EQ(r.Design.BackColour, -1);
    EXPECT_EQ(r.After, "<p>after</p>");
    const std::vector<String> told = {
        "the background colour #123456, not one of the 16 named colours",
        "the CLASS attribute of TABLE",
        "tags or text between the TABLE tag and the first row",
        "the COLSPAN attribute of a cell",
        "tags or text between rows",
        "rows with fewer cells than others, which get empty cells",
    };
    EXPECT_EQ(r.Unheld, told);
}

TEST(TableReader, AMissingRowEndTagEndsTheRowAtTheNextRow) {
    TTableReading r = ReadTable("<TABLE><TR><TD>a</TD><TR><TD>b</TD></TR></TABLE>");
    ASSERT_TRUE(r.Read);
    EXPECT_EQ(Cells(r.Design), "[a]/[b]/");
    EXPECT_TRUE(r.Unheld.empty());
}

TEST(TableReader, ARowValignReachesOnlyItsOwnCells) {
    TTableReading r = ReadTable("<table><tr valign=TOP><td>a</td><td valign=baseline>b</td></tr>"
                                "<tr><td>c</td><td>d</td></tr></table>");
    ASSERT_TRUE(r.Read);
    EXPECT_EQ(r.Design.Rows[0][0].Hint, "valign=top");
    EXPECT_EQ(r.Design.Rows[0][1].Hint, "valign=baseline");
    EXPECT_EQ(r.Design.Rows[1][0].Hint, "");
}

TEST(TableReader, WrittenTablesReadBackToTheSameTable) {
    TTableDesign d = TwoByTwo();
    d.BackColour = 14;
    d.Width = 640;
    d.Percent = false;
    d.Border = 2;
    d.Frame = "WHATEVER";
    d.Caption = "x = y";
    d.Heading = true;
    d.Widths = {"", "WIDTH=\"20%\""};
    d.RowAligns[1] = TMyAlign::alCenter;
    d.Rows[0][0].Text = "2 = 2";
    d.Rows[0][1].NoWrap = true;
    d.Rows[1][0].Align = TMyAlign::alRight;
    d.Rows[1][1].Hint = "valign=bottom";
    d.Rows[1][1].Text = "line\r\nbreak";
    for (bool compact : {false, true}) {
        SCOPED_TRACE(compact);
        String html = WriteTable(d, compact, "\t");
        TTableReading r = ReadTable(html);
        ASSERT_TRUE(r.Read);
        EXPECT_TRUE(r.Unheld.empty());
        EXPECT_EQ(r.After, "");
        EXPECT_EQ(WriteTable(r.Design, compact, "\t"), html);
        EXPECT_EQ(WriteTable(r.Design, !compact, "\t"), WriteTable(d, !compact, "\t"));
    }
}

TEST(TableTextRoutines, BlanksAroundEqualsAndTagAttributes) {
    EXPECT_EQ(RemoveBlanksAroundEquals("a  =   b\tc =\td"), "a =b\tc=\td");
    EXPECT_EQ(RemoveBlanksAroundEquals("x = = y"), "x==y");
    EXPECT_EQ(ExtractTagAttributes("<td align  =  right  nowrap>text"), "ALIGN=RIGHT  NOWRAP");
    EXPECT_EQ(ExtractTagAttributes("<table\r\nborder=1>"), "");
    EXPECT_EQ(RemoveChars("WIDTH = \"5%\"", " \""), "WIDTH=5%");
}
