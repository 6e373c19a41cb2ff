// Table from text: marked lines to a TABLE element, and plain columns through a pattern line.

#include "generators/HTMLTextToTable.h"

#include <gtest/gtest.h>

namespace {

String Generate(const String& selected, const TTextTableOptions& options, bool pattern = false) {
    String text = TableSourceText(selected);
    if (pattern && !ConvertByPattern(text, options))
        return "no table";
    return TableFromMarkedText(MarkedText(text, options), options, "\t");
}

} // namespace

TEST(TextToTable, MarkedLinesBecomeRowsAndCells) {
    TTextTableOptions plain;
    TTextTableOptions heading;
    heading.Header = true;
    TTextTableOptions top;
    top.VertAlign = "middle";
    TTextTableOptions own;
    own.Left = '|';
    own.Right = '>';
    own.Centre = '^';
    own.NoBreak = '*';
    struct Case {
        const char* Name;
        String Selected;
        const TTextTableOptions& Options;
        String Table;
    };
    const Case cases[] = {
        {"right separator", "#Item]Price\r\n#Tea]2.50", plain,
         "<TABLE>\t<TR><TD>Item</TD><TD ALIGN=RIGHT>Price</TD></TR>\r\n"
         "\t<TR><TD>Tea</TD><TD ALIGN=RIGHT>2.50</TD></TR>\r\n</TABLE>\r\n"},
        {"centre first cell, no-break, blanks after separators", "[~ a #  b\t]c ", plain,
         "<TABLE>\t<TR><TD ALIGN=CENTER NOWRAP> a</TD><TD>b</TD><TD ALIGN=RIGHT>c</TD></TR>\r\n"
         "</TABLE>\r\n"},
        {"lines without separators, empty lines", "\r\n\r\none\ttwo\r\n\r\nthree\r\n\r\n", plain,
         "<TABLE>\t<TR><TD>one\ttwo</TD></TR>\r\n\t<TR><TD></TD></TR>\r\n"
         "\t<TR><TD>three</TD></TR>\r\n</TABLE>\r\n"},
        {"two left separators", "##a", plain,
         "<TABLE>\t<TR><TD></TD><TD>a</TD></TR>\r\n</TABLE>\r\n"},
        {"heading row", "#A#B\r\n#1#2", heading,
         "<TABLE>\t<TR><TH>A</TH><TH>B</TH></TR>\r\n\t<TR><TD>1</TD><TD>2</TD></TR>\r\n"
         "</TABLE>\r\n"},
        {"middle in lower case still written", "#a", top,
         "<TABLE>\t<TR VALIGN=middle><TD>a</TD></TR>\r\n</TABLE>\r\n"},
        {"separators of the user's own", "|a>*b^c", own,
         "<TABLE>\t<TR><TD>a</TD><TD ALIGN=RIGHT NOWRAP>b</TD><TD ALIGN=CENTER>c</TD></TR>\r\n"
         "</TABLE>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Generate(c.Selected, c.Options), c.Table);
    }
}

TEST(TextToTable, APatternLineCutsPlainColumns) {
    TTextTableOptions options;
    struct Case {
        const char* Name;
        String Selected;
        String Table;
    };
    const Case cases[] = {
        {"a tab", "# ]\r\nTea\t2.50",
         "<TABLE>\t<TR><TD>Tea</TD><TD ALIGN=RIGHT>2.50</TD></TR>\r\n</TABLE>\r\n"},
        {"three blanks", "  # ]\r\nTea   2.50",
         "<TABLE>\t<TR><TD>Tea</TD><TD ALIGN=RIGHT>2.50</TD></TR>\r\n</TABLE>\r\n"},
        {"single blanks stay in the cell", "# ]\r\nGreen tea 2.50",
         "<TABLE>\t<TR><TD>Green tea 2.50</TD></TR>\r\n</TABLE>\r\n"},
        {"no-break column, more cells than marks", "#~ [\r\na\tb\tc",
         "<TABLE>\t<TR><TD NOWRAP>a</TD><TD ALIGN=CENTER>b</TD><TD>c</TD></TR>\r\n</TABLE>\r\n"},
        {"a separator in the line wins", "# #\r\na\t]b",
         "<TABLE>\t<TR><TD>a</TD><TD ALIGN=RIGHT>b</TD></TR>\r\n</TABLE>\r\n"},
        {"nothing under the pattern", "\r\n# ]\r\n", "no table"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Generate(c.Selected, options, true), c.Table);
    }
}

TEST(TextToTable, TheSourceTextDropsOuterEmptyLines) {
    EXPECT_EQ(TableSourceText("\r\n\r\n"), "");
    EXPECT_EQ(TableSourceText("\na\r\rb\r\n"), "a\r\n \r\nb");
    EXPECT_EQ(PatternLineOf(" \r\n  # ] \r\nx"), "# ]");
}
