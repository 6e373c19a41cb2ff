// The image index of the file pane's folder: real GIF, PNG and JPEG files made byte by byte, the
// pages' exact HTML, rows packed to the screen's width, page breaks, and bad images and folders.

#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/DateTime.h"
#include "platform/FileListBox.h"
#include "platform/TestHooks.h"
#include "site/FilePane.h"
#include "site/ImageIndexing.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmFilSys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using namespace MainWindowSupport;

namespace {

String Bytes(std::initializer_list<int> values) {
    String bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

String BigEndian32(uint32_t v) {
    return Bytes({int(v >> 24), int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)});
}

String Gif(int width, int height) {
    return "GIF89a" + Bytes({width & 0xFF, width >> 8, height & 0xFF, height >> 8, 0xF7, 0, 0}) +
           String(24, '\0') + ";";
}

String Png(uint32_t width, uint32_t height) {
    return Bytes({0x89}) + "PNG" + Bytes({0x0D, 0x0A, 0x1A, 0x0A}) + BigEndian32(13) + "IHDR" +
           BigEndian32(width) + BigEndian32(height) + Bytes({8, 2, 0, 0, 0}) +
           Bytes({0x90, 0x77, 0x53, 0xDE});
}

// A baseline JFIF picture: its frame header after the application and table segments.
String Jpeg(int width, int height) {
    const String jfif = Bytes({0xFF, 0xE0, 0, 16}) + "JFIF" + Bytes({0, 1, 2, 0, 0, 1, 0, 1, 0, 0});
    const String tables = Bytes({0xFF, 0xDB, 0, 67, 0}) + String(64, '\x01');
    const String frame = Bytes({0xFF, 0xC0, 0, 17, 8, height >> 8, height & 0xFF, width >> 8,
                                width & 0xFF, 3, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0});
    return Bytes({0xFF, 0xD8}) + jfif + tables + frame + Bytes({0xFF, 0xD9});
}

String Crlf(const String& text) {
    String out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// The head of every index page up to its heading, which names the folder and the page.
const char* const HeadStart = R"html(<HTML>
<HEAD>
<TITLE>
Image Index
</TITLE>
<script language="JavaScript" TYPE="text/javascript"><!--
function clickhdlr(img)
{
document.writeln("<HTML><HEAD><TITLE>"+img+"</TITLE>")
document.writeln("</HEAD><BODY BACKGROUND='")
document.writeln(img)
document.writeln("'><CENTER><H2>")
document.writeln(img)
document.writeln("<font color=white>&nbsp;&nbsp;")
document.writeln(img)
document.writeln("</font>")
document.writeln("<FORM><INPUT TYPE='button' NAME='button1' VALUE='Click to return to main document' onclick='history.back()'><BR></FORM></CENTER>")
document.writeln("</BODY><"+"/HTML>")
document.close()
}
//-->
</script></HEAD>

<BODY BGCOLOR="#C0C0C0">
)html";

const char* const Foot = R"html(
<BR><BR><HR><BR>
<CENTER><FONT SIZE=1>
Image index made by Quiltmarker<BR>
Created: 5 March 2024 - 14:07
</FONT></CENTER>
</BODY>
</HTML>
)html";

class ImageIndexTest : public testing::Test {
protected:
    void SetUp() override {
        Folder = ExcludeTrailingPathDelimiter(TestSupport::Sandbox("pictures"));
        std::filesystem::create_directories(Folder);
        SetClockForTests([] { return EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 31, 0); });
        GlobalForm = new TGlobalForm(nullptr);
    }
    void TearDown() override {
        Form.reset();
        delete GlobalForm;
        GlobalForm = nullptr;
        SetClockForTests({});
    }

    void Make(const String& name, const String& bytes) {
        WriteFileAtomic(Folder + "/" + name, bytes);
    }

    void MakeWindow() {
        Form = MakeMainWindow();
        Form->FilePane->DirectoryListBox1->SetDirectory(Folder);
        Form->FilePane->FileListBox1->SetMask("*.htm*");
    }

    String Heading(int page) const {
        return "<CENTER><H2>IMAGE INDEX for<BR>" + Folder + "<BR>(Page " + IntToStr(page) +
               ")</H2>\r\n<H3>Click an image to view it as a background</H3>\r\n</CENTER>\r\n"
               "<P>\r\n";
    }

    // The index's pages, in the order they were opened.
    std::vector<String> IndexPages() const {
        std::vector<String> pages;
        for (int page = 0; page < THTMLEMainForm::PageCount; ++page)
            if (Form->PageInUse(page) && Form->FileNames[page].rfind("[untitled", 0) == 0)
                pages.push_back(Form->Memos[page]->Text());
        return pages;
    }

    // The names of each row's images, from the name cells under the thumbnails.
    static std::vector<std::vector<String>> Rows(const String& page) {
        std::vector<std::vector<String>> rows;
        static const std::regex table("<TR ALIGN=CENTER>\r\n((?:<TD><B>.*</B></TD>\r\n)*)</TR>");
        static const std::regex cell("<TD><B>(.*)</B></TD>");
        for (std::sregex_iterator t(page.begin(), page.end(), table), end; t != end; ++t) {
            rows.emplace_back();
            const String cells = (*t)[1];
            for (std::sregex_iterator c(cells.begin(), cells.end(), cell); c != end; ++c)
                rows.back().push_back((*c)[1]);
        }
        return rows;
    }

    String Folder;
    std::unique_ptr<THTMLEMainForm> Form;
};

TEST_F(ImageIndexTest, WritesTheIndexPageOfAFolder) {
    Make("a.gif", Gif(400, 300));
    Make("b.png", Png(400, 200));
    Make("c.jpg", Jpeg(400, 100));
    Make("notes.txt", "not an image");
    MakeWindow();
    Form->ImageIndex->CreateImageIndex1->Click();

    const char* const rows = R"html(<TABLE cellpadding=4>
<TR ALIGN=CENTER VALIGN=BOTTOM>
<TD><IMG SRC="a.gif" ALT="a.gif" WIDTH=400 HEIGHT=300 onClick="clickhdlr('a.gif')"><BR><FONT SIZE=1>W: 400 H: 300</FONT>
</TD>
<TD><IMG SRC="b.png" ALT="b.png" WIDTH=400 HEIGHT=200 onClick="clickhdlr('b.png')"><BR><FONT SIZE=1>W: 400 H: 200</FONT>
</TD>
</TR>

<TR ALIGN=CENTER>
<TD><B>a.gif</B></TD>
<TD><B>b.png</B></TD>
</TR></TABLE>

<TABLE cellpadding=4>
<TR ALIGN=CENTER VALIGN=BOTTOM>
<TD><IMG SRC="c.jpg" ALT="c.jpg" WIDTH=400 HEIGHT=100 onClick="clickhdlr('c.jpg')"><BR><FONT SIZE=1>W: 400 H: 100</FONT>
</TD>
</TR>

<TR ALIGN=CENTER>
<TD><B>c.jpg</B></TD>
</TR></TABLE>

)html";
    const std::vector<String> pages = IndexPages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], Crlf(HeadStart) + Heading(1) + Crlf(rows) + Crlf(Foot));
    EXPECT_EQ(Form->FilePane->FileListBox1->Mask(), "*.htm*");
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

// Rows are filled up to the screen's width, each image counted at least 100 pixels wide but
// written at its own width; an image wider than the screen has a row to itself.
TEST_F(ImageIndexTest, PacksRowsToTheScreenWidth) {
    struct TCase {
        const char* Name;
        int ScreenWidth;
        std::vector<int> Widths;
        std::vector<std::vector<String>> Rows;
    };
    const TCase cases[] = {
        {"three of 400 on 1024", 1024, {400, 400, 400}, {{"i0.gif", "i1.gif"}, {"i2.gif"}}},
        {"narrow ones count 100",
         300,
         {50, 50, 50, 50},
         {{"i0.gif", "i1.gif", "i2.gif"}, {"i3.gif"}}},
        {"exactly the screen", 800, {400, 400, 1}, {{"i0.gif", "i1.gif"}, {"i2.gif"}}},
        {"first wider than the screen", 1024, {2000, 100, 100}, {{"i0.gif"}, {"i1.gif", "i2.gif"}}},
        {"wide one in the middle", 1024, {100, 2000, 100}, {{"i0.gif"}, {"i1.gif"}, {"i2.gif"}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove_all(Folder);
        std::filesystem::create_directories(Folder);
        for (size_t i = 0; i < c.Widths.size(); ++i)
            Make("i" + IntToStr(int(i)) + ".gif", Gif(c.Widths[i], 10));
        TestHooks::SetScreenSize(c.ScreenWidth, 768);
        MakeWindow();
        Form->ImageIndex->CreateImageIndex1->Click();
        const std::vector<String> pages = IndexPages();
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(Rows(pages[0]), c.Rows);
        EXPECT_NE(pages[0].find("WIDTH=" + IntToStr(c.Widths[0]) + " HEIGHT=10 "), String::npos);
    }
}

// Damaged files, a text named .gif and a mixed-case extension give the screen's width and no
// height, without a message; names with blanks and quotes stay whole in the page and its script.
TEST_F(ImageIndexTest, BadImagesAndOddNames) {
    Make("bad.gif", "GIF8");
    Make("cut.png", Png(300, 200).substr(0, 20));
    Make("fake.gif", "<HTML>this is no picture</HTML>");
    Make("mixed.Gif", Gif(30, 40));
    Make("my pic.gif", Gif(10, 20));
    Make("it's \"q\".jpg", Jpeg(60, 70));
    MakeWindow();
    Form->ImageIndex->CreateImageIndex1->Click();
    const std::vector<String> pages = IndexPages();
    ASSERT_EQ(pages.size(), 1u);
    const String& page = pages[0];
    for (const char* name : {"bad.gif", "cut.png", "fake.gif", "mixed.Gif"})
        EXPECT_NE(page.find(String("<TD><IMG SRC=\"") + name + "\" ALT=\"" + name +
                            "\" WIDTH=1024 onClick=\"clickhdlr('" + name +
                            "')\"><BR><FONT SIZE=1>W: 1024 H: 0</FONT>\r\n"),
                  String::npos)
            << name;
    EXPECT_NE(page.find("<TD><IMG SRC=\"my pic.gif\" ALT=\"my pic.gif\" WIDTH=10 HEIGHT=20 "
                        "onClick=\"clickhdlr('my pic.gif')\">"),
              String::npos);
    EXPECT_NE(page.find("<TD><IMG SRC=\"it's &quot;q&quot;.jpg\" ALT=\"it's &quot;q&quot;.jpg\" "
                        "WIDTH=60 HEIGHT=70 onClick=\"clickhdlr('it\\'s &quot;q&quot;.jpg')\">"),
              String::npos);
    EXPECT_EQ(Rows(page), (std::vector<std::vector<String>>{{"bad.gif"},
                                                            {"cut.png"},
                                                            {"fake.gif"},
                                                            {"it's &quot;q&quot;.jpg"},
                                                            {"mixed.Gif"},
                                                            {"my pic.gif"}}));
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

TEST_F(ImageIndexTest, FolderWithoutImagesGivesHeadAndFoot) {
    Make("page.htm", "<P>");
    MakeWindow();
    Form->ImageIndex->CreateImageIndex1->Click();
    EXPECT_EQ(IndexPages(), std::vector<String>{Crlf(HeadStart) + Heading(1) + Crlf(Foot)});
}

TEST_F(ImageIndexTest, UnreadableFolderIsReportedAndNoPageOpened) {
    Make("a.gif", Gif(10, 10));
    MakeWindow();
    std::filesystem::remove_all(Folder);
    TestHooks::AnswerMessageBox(IDOK);
    Form->ImageIndex->CreateImageIndex1->Click();
    EXPECT_TRUE(IndexPages().empty());
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text,
              "The files of " + Folder + " cannot be listed: No such file or directory");
    EXPECT_EQ(Form->FilePane->FileListBox1->Mask(), "*.htm*");
}

// A new page is begun after a row that left the page past the limit, never before the last
// image; a stored limit that is no number or too small counts as 64000.
TEST_F(ImageIndexTest, PageBreaksFollowTheStoredLimit) {
    struct TCase {
        const char* Name;
        TStoredValue Limit;
        std::vector<std::vector<std::vector<String>>> PageRows;
    };
    const std::vector<std::vector<String>> allOnOne = {{"a.gif"}, {"b.gif"}, {"c.gif"}};
    const TCase cases[] = {
        {"small limit", {"MaxEditSize", String("1500")}, {{{"a.gif"}}, {{"b.gif"}, {"c.gif"}}}},
        {"limit stored as a number", {"MaxEditSize", 1500}, {{{"a.gif"}}, {{"b.gif"}, {"c.gif"}}}},
        {"no limit", {"MaxEditSize", String("-1")}, {allOnOne}},
        {"no number", {"MaxEditSize", String("big")}, {allOnOne}},
        {"too small", {"MaxEditSize", String("900")}, {allOnOne}},
    };
    for (const char* name : {"a.gif", "b.gif", "c.gif"})
        Make(name, Gif(600, 10));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Store(ProductKey, {c.Limit});
        MakeWindow();
        Form->ImageIndex->CreateImageIndex1->Click();
        const std::vector<String> pages = IndexPages();
        ASSERT_EQ(pages.size(), c.PageRows.size());
        for (size_t p = 0; p < pages.size(); ++p) {
            EXPECT_EQ(pages[p].rfind(Crlf(HeadStart) + Heading(int(p) + 1), 0), 0u);
            EXPECT_EQ(Rows(pages[p]), c.PageRows[p]);
            EXPECT_EQ(pages[p].substr(pages[p].size() - Crlf(Foot).size()), Crlf(Foot));
        }
    }
}

// With one page free the index fills it and stops at the next one with the editor's message;
// the user's pages are left as they were, the file list keeps its mask, and the command can run
// again, starting afresh.
TEST_F(ImageIndexTest, StopsWhenNoPageIsFreeAndRunsAgainAfresh) {
    for (const char* name : {"a.gif", "b.gif", "c.gif"})
        Make(name, Gif(600, 10));
    Store(ProductKey, {{"MaxEditSize", String("1500")}});
    MakeWindow();
    for (int page = 0; page < THTMLEMainForm::PageCount - 1; ++page)
        UsePage(*Form, page, Folder + "/p" + IntToStr(page) + ".htm", "user page");
    TestHooks::AnswerMessageBox(IDOK);
    Form->ImageIndex->CreateImageIndex1->Click();
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Sorry, can't open more than 20 files open at a time.");
    for (int page = 0; page < THTMLEMainForm::PageCount - 1; ++page)
        EXPECT_EQ(Form->Memos[page]->Text(), "user page");
    std::vector<String> pages = IndexPages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Rows(pages[0]), (std::vector<std::vector<String>>{{"a.gif"}}));
    EXPECT_EQ(Form->FilePane->FileListBox1->Mask(), "*.htm*");

    for (TRichEdit* editor : Form->Memos)
        editor->SetModified(false);
    Form->Documents->CloseAll1Click(nullptr);
    Store(ProductKey, {{"MaxEditSize", String("64000")}});
    Form->ImageIndex->CreateImageIndex1->Click();
    Form->ImageIndex->CreateImageIndex1->Click();
    pages = IndexPages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], pages[1]);
    EXPECT_EQ(Rows(pages[1]), (std::vector<std::vector<String>>{{"a.gif"}, {"b.gif"}, {"c.gif"}}));
}

} // namespace
