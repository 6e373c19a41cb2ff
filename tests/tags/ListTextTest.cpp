// The list dialog's texts: each kind of list from the grid's rows, the preview numbers and the
// start box's forms.

#include "tags/ListText.h"

#include <gtest/gtest.h>

TEST(ListText, EachKindOfListFromTheRows) {
    const std::vector<TListRow> rows = {{"T", "one"}, {"U", "two"}};
    struct Case {
        const char* Name;
        TListChoice Choice;
        String Tab;
        String Text;
    };
    const Case cases[] = {
        {"unordered", {}, "", "<UL>\r\n<LI>one\r\n<LI>two\r\n</UL>\r\n"},
        {"square bullets, tab indent",
         {TListKind::Unordered, 'S'},
         "\t",
         "<UL TYPE=SQUARE>\r\n\t<LI>one\r\n\t<LI>two\r\n</UL>\r\n"},
        {"ordered, type i from 3",
         {TListKind::Ordered, 'D', 'i', 3},
         "",
         "<OL TYPE=\"i\" START=3>\r\n<LI>one\r\n<LI>two\r\n</OL>\r\n"},
        {"ordered from 1",
         {TListKind::Ordered, 'C', '1', 1},
         "",
         "<OL TYPE=\"1\">\r\n<LI>one\r\n<LI>two\r\n</OL>\r\n"},
        {"definition, compact",
         {TListKind::Definition, 'D', '1', 1, true},
         "\t",
         "<DL COMPACT>\r\n\t<DT>T\r\n\t\t<DD>one\r\n\t<DT>U\r\n\t\t<DD>two\r\n</DL>\r\n"},
        {"menu", {TListKind::Menu}, "", "<MENU>\r\n<LI>one\r\n<LI>two\r\n</MENU>\r\n"},
        {"directory", {TListKind::Directory}, "", "<DIR>\r\n<LI>one\r\n<LI>two\r\n</DIR>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ListText(c.Choice, rows, c.Tab), c.Text);
    }
}

TEST(ListText, PreviewAndStartLabels) {
    struct Case {
        char Type;
        int N;
        const char* Preview;
        const char* Start;
    };
    const Case cases[] = {
        {'1', 9, " 9", "9"},    {'1', 10, "10", "10"},     {'1', 104, "10", "104"},
        {'i', 3, "iii", "iii"}, {'i', 49, "xlix", "xlix"}, {'i', 50, "l", "l"},
        {'I', 50, "L", "L"},    {'I', 51, "...", "(51)"},  {'a', 26, "z", "z"},
        {'a', 27, "aa", "aa"},  {'a', 52, "az", "az"},     {'a', 53, "ba", "ba"},
        {'a', 199, "gq", "gq"}, {'A', 28, "AB", "AB"},     {'I', 14, "XIV", "XIV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.Type) + " " + std::to_string(c.N));
        EXPECT_EQ(PreviewLabel(c.Type, c.N), c.Preview);
        EXPECT_EQ(StartLabel(c.Type, c.N), c.Start);
    }
}
