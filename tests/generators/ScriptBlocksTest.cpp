// The script wizards' text work on its own: the caret kept through insertions, how a page holds
// a head part, the drop-down menu block and the mouse-over script's numbering.

#include "generators/ScriptBlocks.h"

#include <gtest/gtest.h>

TEST(ScriptBlocks, TheCaretFollowsInsertionsBeforeIt) {
    struct TCase {
        size_t Position;
        bool AheadOfCaret;
        int Caret;
    } cases[] = {{0, false, 5}, {2, false, 5}, {3, false, 3}, {3, true, 5}, {4, true, 3}};
    for (const TCase& c : cases) {
        TPageText page{"abcdef", 3};
        page.InsertAt(c.Position, "XY", c.AheadOfCaret);
        EXPECT_EQ(page.Caret, c.Caret) << c.Position << " " << c.AheadOfCaret;
    }
    TPageText inside{"ab123cd", 3};
    inside.ReplaceAt(2, 3, "9");
    EXPECT_EQ(inside.Text, "ab9cd");
    EXPECT_EQ(inside.Caret, 2);
    TPageText after{"ab123cd", 6};
    after.ReplaceAt(2, 3, "9");
    EXPECT_EQ(after.Caret, 4);
}

TEST(ScriptBlocks, AHeadPartIsWholeOnlyWithBothMarkersInOrder) {
    const String head = DropLinksHeadPart();
    const String start = "<!-- **DropLinks Script** -->\r\n";
    const String end = "<!-- **End of DropLinks List** -->";
    struct TCase {
        String Text;
        THeadState State;
    } cases[] = {
        {"<HEAD></HEAD>", THeadState::Absent},
        {head, THeadState::Present},
        {"x **DropLinks Script** y " + end, THeadState::Present},
        {head.substr(start.size()), THeadState::Damaged},           // start marker gone
        {start + "function go_DropList(a){}", THeadState::Damaged}, // end marker gone
        {end + start, THeadState::Damaged},                         // out of order
        {"function go_DropList(link){}", THeadState::Damaged},      // function without markers
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FindHeadPart(c.Text, DropLinksMarks), c.State) << c.Text;
}

TEST(ScriptBlocks, DropMenuLinesFollowTheChoices) {
    TDropMenu menu;
    menu.FormName = "FormList1";
    menu.MenuName = "M";
    menu.ClickText = "Go";
    menu.Entries = {{"One", "a.htm"}, {"Two", "b.htm"}};
    EXPECT_EQ(JoinLines(DropMenuLines(menu)),
              "<!-- **DropDown Menu Start** -->\r\n<CENTER>\r\n<FORM NAME=\"FormList1\">\r\n"
              "<SELECT NAME=\"M\">\r\n<OPTION Value=\"a.htm\">One\r\n"
              "<OPTION Value=\"b.htm\">Two\r\n</SELECT>\r\n\r\n"
              "<INPUT TYPE=\"Button\" VALUE=\"Go\" onClick=\"b=this.form.M.selectedIndex;"
              "go_DropList(this.form.M.options[b].value,'')\">\r\n"
              "</FORM></CENTER>\r\n<!-- **DropDown Menu End** -->\r\n");

    struct TCase {
        TDropActivation Activation;
        TDropAlign Align;
        bool Border;
        bool NewWindow;
        String Expected;
    } cases[] = {
        {daSelection, alignLeft, false, true,
         "<!-- **DropDown Menu Start** -->\r\n<FORM NAME=\"F\">\r\n<SELECT NAME=\"M\" "
         "onChange=\"b=this.selectedIndex;go_DropList(this.options[b].value,'')\">\r\n"
         "</SELECT>\r\n\r\n\r\n</FORM>\r\n<!-- **DropDown Menu End** -->\r\n"},
        {daText, alignRight, true, true,
         "<!-- **DropDown Menu Start** -->\r\n<DIV ALIGN=RIGHT><TABLE CELLSPACING=0 BORDER=4 "
         "BGCOLOR=\"Silver\"><TR><TD ALIGN=CENTER VALIGN=MIDDLE><BR>\r\n<FORM NAME=\"F\">\r\n"
         "&nbsp;&nbsp;&nbsp;&nbsp;\r\n<SELECT NAME=\"M\">\r\n</SELECT>\r\n\r\n"
         "&nbsp;&nbsp;<A HREF=\"javascript:b=document.F.M.selectedIndex;go_DropList(document.F.M"
         ".options[b].value,'win')\">Pick</A>\r\n\r\n&nbsp;&nbsp;&nbsp;&nbsp;\r\n"
         "</FORM></TD></TR></TABLE></DIV>\r\n<!-- **DropDown Menu End** -->\r\n"},
        {daImage, alignLeft, false, false,
         "<!-- **DropDown Menu Start** -->\r\n<FORM NAME=\"F\">\r\n<SELECT NAME=\"M\">\r\n"
         "</SELECT>\r\n\r\n&nbsp;&nbsp;<A HREF=\"javascript:b=document.F.M.selectedIndex;"
         "go_DropList(document.F.M.options[b].value,'')\"><IMG SRC=\"g.gif\"></A>\r\n\r\n"
         "</FORM>\r\n<!-- **DropDown Menu End** -->\r\n"},
    };
    for (const TCase& c : cases) {
        TDropMenu m;
        m.Activation = c.Activation;
        m.Align = c.Align;
        m.Border = c.Border;
        m.BorderSize = "4";
        m.Colour = "\"Silver\"";
        m.NewWindow = c.NewWindow;
        m.WindowName = "win";
        m.FormName = "F";
        m.MenuName = "M";
        m.ClickText = "Pick";
        m.ImageTag = "<IMG SRC=\"g.gif\">";
        EXPECT_EQ(JoinLines(DropMenuLines(m)), c.Expected);
    }
}

TEST(ScriptBlocks, TheMouseOverStartTagClosesEveryAttribute) {
    struct TCase {
        TChangeOn ChangeOn;
        String URL;
        String Start;
    } cases[] = {
        {changeOnMouseOver, "",
         "<A HREF=\"#abut2\" onMouseover = \"butn_down('abut2',0)\" onMouseout = "
         "\"butn_up('abut2')\">"},
        {changeOnClick, "x.htm", "<A HREF=\"x.htm\" onClick = \"butn_down('abut2',1)\">"},
        {changeOnBoth, "",
         "<A HREF=\"#abut2\" onMouseover = \"butn_down('abut2',0)\" onMouseout = "
         "\"butn_up('abut2')\" onClick = \"butn_down('abut2',1)\">"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MouseOverBody({2, c.URL, c.ChangeOn, "<IMG SRC=\"u.gif\"", "", true}),
                  c.Start + "<IMG SRC=\"u.gif\" NAME=\"abut2\" ALIGN=MIDDLE></A>");
    const String start = "<A HREF=\"#abut1\" onClick = \"butn_down('abut1',1)\">";
    const String image = "<IMG NAME=\"abut1\" ALIGN=MIDDLE>";
    EXPECT_EQ(MouseOverBody({1, "", changeOnClick, "<IMG", "Home", true}),
              start + image + "&nbsp;" + start + "Home</A>\r\n");
    EXPECT_EQ(MouseOverBody({1, "", changeOnClick, "<IMG", "Home", false}),
              start + image + "</A>&nbsp;Home\r\n");
}

TEST(ScriptBlocks, ExtendingTheScriptRaisesItsCountAndDeclaresTheButton) {
    TPageText page{"<HEAD></HEAD>|", 13};
    InsertMouseOverScript(page, {"u1", "d1", "o1"});
    EXPECT_EQ(page.Caret, 13 + static_cast<int>(MouseOverScript({"u1", "d1", "o1"}).size()));
    ASSERT_EQ(ExtendMouseOverScript(page, {"u2", "d2", "o2"}), 2);
    const String& text = page.Text;
    EXPECT_NE(text.find("abut1up.src=\"u1\";\r\nabut2up=new Image();abut2up.src=\"u2\";\r\n"
                        "//2 **End of Up buttons**\r\n\n"),
              String::npos);
    EXPECT_NE(text.find("abut2down=new Image(); abut2down.src=\"d2\";\r\n"
                        "//**End of Down buttons**"),
              String::npos);
    EXPECT_NE(text.find("abut1on.src=\"o1\";}\r\nabut2on=new Image(); abut2on.src=\"o2\";\r\n"
                        "//**End of On buttons**"),
              String::npos);
    EXPECT_EQ(page.Text.substr(static_cast<size_t>(page.Caret)), "|");
    ASSERT_EQ(ExtendMouseOverScript(page, {"u", "d", "o"}), 3);
    EXPECT_NE(page.Text.find("//3 **End of Up buttons**"), String::npos);
    EXPECT_EQ(page.Text.substr(static_cast<size_t>(page.Caret)), "|");
}

TEST(ScriptBlocks, ADamagedMouseOverScriptIsLeftAlone) {
    TPageText whole{"", 0};
    InsertMouseOverScript(whole, {"img/u.gif", "d", "o"});
    auto replaced = [&](const String& from, const String& to) {
        String text = whole.Text;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const String damaged[] = {
        replaced("//1 **End of Up buttons**", "// **End of Up buttons**"), // count gone
        replaced("//1 **End of Up buttons**", "1 **End of Up buttons**"),  // slashes gone
        replaced("//**End of Down buttons**", "//**End of Down**"),
        replaced("//**End of On buttons**", ""),
        replaced("<!-- **End of MouseOver Button Script** -->", ""),
        replaced("<!-- **MouseOver Button Script** -->", ""),
    };
    for (const String& text : damaged) {
        EXPECT_TRUE(HasMouseOverScript(text));
        EXPECT_FALSE(MouseOverScriptIsWhole(text));
        TPageText page{text, 3};
        EXPECT_EQ(ExtendMouseOverScript(page, {"a", "b", "c"}), 0);
        EXPECT_EQ(page.Text, text);
    }
    EXPECT_TRUE(MouseOverScriptIsWhole(whole.Text));
}
