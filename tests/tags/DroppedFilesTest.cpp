// Files dragged from the file list onto a page: the exact text each kind of file gives, relative
// to the page, at the drop point, with the ALT question and unreadable images.

#include "ElementDialogSupport.h"
#include "editor/HTMLLocationForm.h"
#include "platform/FileListBox.h"
#include "platform/StdCtrls.h"
#include "site/FilePane.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"

#include <fstream>

using namespace ElementDialogSupport;

namespace {

String Gif(int width, int height) {
    return String("GIF89a") + char(width & 0xFF) + char(width >> 8) + char(height & 0xFF) +
           char(height >> 8) + String("\xF7\0\0", 3);
}

String Png(int width, int height) {
    auto be32 = [](int v) {
        return String{char(v >> 24), char((v >> 16) & 0xFF), char((v >> 8) & 0xFF), char(v & 0xFF)};
    };
    return "\x89PNG\r\n\x1A\n" + be32(13) + "IHDR" + be32(width) + be32(height) +
           String("\x08\x02\0\0\0", 5);
}

class DroppedFilesTest : public ElementDialogTest {
protected:
    void Write(const String& relative, const String& bytes) {
        ForceDirectories(ExtractFilePath(Folder + relative));
        std::ofstream(Folder + relative, std::ios::binary) << bytes;
    }
    // Drags the file from the list onto the page's top left corner; true when the page took it.
    bool Drop(const String& relative, TShiftState shift = {}) {
        String path = Folder + relative;
        Main->FilePane->FileListBox1->SetMask("*");
        Main->FilePane->FileListBox1->SetDirectory(
            ExcludeTrailingPathDelimiter(ExtractFilePath(path)));
        Main->FilePane->FileListBox1->SetItemIndex(
            Main->FilePane->FileListBox1->Items().IndexOf(ExtractFileName(path)));
        EXPECT_EQ(Main->FilePane->FileListBox1->FileName(), path);
        return TestHooks::DragAndDrop(*Main->FilePane->FileListBox1, *Editor(), 1, 1, shift);
    }
};

} // namespace

TEST_F(DroppedFilesTest, EachKindOfFileGoesInAsItsReferenceAtTheDropPoint) {
    Main->AskForAltData = false;
    Write("about.htm", "<p>");
    Write("page.html.bak", "");
    Write("img/logo.gif", Gif(16, 9));
    Write("img/x.gif.png", Png(1000, 20));
    Write("theme.mid", "");
    Write("media/clip.rm", "");
    Write("notes.txt", "");
    Write("a&b.htm", "");
    struct Case {
        const char* File;
        const char* Expected; // "|" marks the caret
    };
    const Case cases[] = {
        {"about.htm", "<A HREF=\"about.htm\">|</A>text"},
        {"page.html.bak", "<A HREF=\"page.html.bak\">|</A>text"},
        {"a&b.htm", "<A HREF=\"a&amp;b.htm\">|</A>text"},
        {"img/logo.gif", "<IMG SRC=\"./img/logo.gif\" ALT=\"\" WIDTH=16 HEIGHT=9 BORDER=0>|text"},
        {"img/x.gif.png", "<IMG SRC=\"./img/x.gif.png\" ALT=\"\" BORDER=0>|text"},
        {"theme.mid", "<EMBED SRC=\"theme.mid\">|text"},
        {"media/clip.rm", "<EMBED SRC=\"./media/clip.rm\">|text"},
        {"notes.txt", "notes.txt|text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        OpenPage("text", 4, 0, "index.html");
        Main->LastShiftState = {ssCtrl};
        EXPECT_TRUE(Drop(c.File));
        String expected = c.Expected;
        size_t caret = expected.find('|');
        EXPECT_EQ(PageText(), expected.erase(caret, 1));
        EXPECT_EQ(Caret(), static_cast<int>(caret));
        EXPECT_EQ(Screen->Cursor(), crDefault);
    }
}

TEST_F(DroppedFilesTest, TheAltQuestionAndAnUnreadableImage) {
    Main->AskForAltData = true;
    Write("img/logo.gif", Gif(320, 240));
    Write("img/gone.gif", Gif(1, 1));
    OpenPage("", 0, 0, "index.html");
    Answer<TLocationForm>([](TLocationForm& form) {
        EXPECT_EQ(form.LocLabel->Caption(), "Alternative text for image");
        EXPECT_FALSE(form.DirBrowseButton->Visible());
        EXPECT_EQ(form.LocEdit->Text(), "");
        form.LocEdit->SetText("Our \"logo\" & name");
        form.SetModalResult(mrOk);
    });
    Drop("img/logo.gif");
    EXPECT_EQ(PageText(),
              "<IMG SRC=\"./img/logo.gif\" ALT=\"Our &quot;logo&quot; &amp; name\" WIDTH=320 "
              "HEIGHT=240 BORDER=0>");

    OpenPage("", 0, 0, "index.html");
    Main->FilePane->FileListBox1->SetMask("*");
    Main->FilePane->FileListBox1->SetDirectory(Folder + "img");
    DeleteFile(Folder + "img/gone.gif");
    Main->FilePane->FileListBox1->SetItemIndex(
        Main->FilePane->FileListBox1->Items().IndexOf("gone.gif"));
    ASSERT_GE(Main->FilePane->FileListBox1->ItemIndex(), 0);
    TestHooks::AnswerModalResult(mrCancel);
    TestHooks::AnswerMessageBox(IDOK);
    size_t promptsBefore = TestHooks::Prompts().size();
    TestHooks::DragAndDrop(*Main->FilePane->FileListBox1, *Editor(), 1, 1);
    EXPECT_EQ(PageText(), "<IMG SRC=\"./img/gone.gif\" ALT=\"\" BORDER=0>");
    // The ALT dialog, then the reader's message once.
    ASSERT_EQ(TestHooks::Prompts().size(), promptsBefore + 2);
    EXPECT_NE(TestHooks::Prompts().back().Text.find("gone.gif"), String::npos);
}

TEST_F(DroppedFilesTest, UntitledPagesAltAndOtherSourcesFollowTheirRules) {
    Main->AskForAltData = false;
    Write("sub/about.htm", "");
    // An untitled page: the URL is relative to the file's own folder.
    MainWindowSupport::UsePage(*Main, 0, "[untitled1]", "");
    Drop("sub/about.htm");
    EXPECT_EQ(PageText(), "<A HREF=\"about.htm\"></A>");

    // Alt held during the drop leaves out the start text.
    OpenPage("", 0, 0, "index.html");
    Drop("sub/about.htm", {ssAlt});
    EXPECT_EQ(PageText(), "</A>");

    // Anything but the file list drops nothing, and the cursor comes back.
    OpenPage("x", 0, 0, "index.html");
    TestHooks::DragAndDrop(*Main->FilePane->DirectoryListBox1, *Editor(), 1, 1);
    EXPECT_EQ(PageText(), "x");
    EXPECT_EQ(Screen->Cursor(), crDefault);
}
