// The image-map command as the user runs it from the tag bar: the picture dialog, rectangles
// drawn, moved over and deleted with the mouse on the editor, their links given in the area
// dialog, and the exact code that goes into the page; a selected map read back and rewritten in
// its place, and every way out that must leave the page as it was.

#include "generators/IMGMap.h"
#include "generators/IMURLForm.h"
#include "generators/ImageSelect.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "tags/ElementDialogSupport.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

using namespace ElementDialogSupport;

namespace {

class ImageMapCommandTest : public ElementDialogTest {
protected:
    void SetUp() override {
        ElementDialogTest::SetUp();
        Picture = Folder + "pic.bmp";
        TBitmap bitmap;
        bitmap.SetSize(100, 50);
        bitmap.SaveToFile(Picture);
    }

    void ClickImageMapButton() { Main->TagButtons->ImageMapButton->Click(); }

    // The picture dialog filled and left with OK; the editor's answer comes next.
    void ChoosePicture(const String& image, const String& mapName = "") {
        Answer<TImageSelectForm>([image, mapName](TImageSelectForm& form) {
            if (!image.empty())
                form.ImageEdit->SetText(image);
            if (!mapName.empty())
                form.MapNameEdit->SetText(mapName);
            form.OKButton->Click();
        });
    }

    static void Press(TIMMainForm& form, int x, int y, TMouseButton button = mbLeft) {
        form.PaintBox1->Perform(button == mbLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN,
                                button == mbLeft ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
    }
    static void Move(TIMMainForm& form, int x, int y) {
        form.PaintBox1->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    static void Release(TIMMainForm& form, int x, int y, TMouseButton button = mbLeft) {
        form.PaintBox1->Perform(button == mbLeft ? WM_LBUTTONUP : WM_RBUTTONUP, 0,
                                MAKELPARAM(x, y));
    }
    static void Drag(TIMMainForm& form, int x1, int y1, int x2, int y2) {
        Press(form, x1, y1);
        Move(form, (x1 + x2) / 2, (y1 + y2) / 2);
        Move(form, x2, y2);
        Release(form, x2, y2);
    }
    // A right click at the point opens the pop-up menu there; the item is then chosen.
    static void ChooseFromMenu(TIMMainForm& form, int x, int y, TMenuItem* item) {
        Press(form, x, y, mbRight);
        Release(form, x, y, mbRight);
        form.PopupMenu1->Popup(x, y);
        ASSERT_TRUE(item->Enabled());
        item->Click();
    }
    static String StatusText(TIMMainForm& form) {
        return form.IMStatusBar->Panels().Items(0)->Text();
    }

    String Picture;
};

// The message boxes shown, without the forms.
std::vector<TestHooks::TPrompt> MessagePrompts() {
    std::vector<TestHooks::TPrompt> shown;
    for (const TestHooks::TPrompt& prompt : TestHooks::Prompts())
        if (prompt.Kind == "MessageBox")
            shown.push_back(prompt);
    return shown;
}

const String MapCode = "<MAP NAME=\"nav\">\r\n"
                       "\t<AREA SHAPE=\"RECT\" COORDS=\"2,3,40,30\" HREF=\"a.htm\" BORDER=1>\r\n"
                       "</MAP>\r\n";

} // namespace

TEST_F(ImageMapCommandTest, ARectangleDrawnAndLinkedGoesIntoThePageAsAMap) {
    OpenPage("<P>", 3, 0);
    ChoosePicture(Picture, "nav");
    Answer<TIMMainForm>([](TIMMainForm& form) {
        EXPECT_EQ(form.Image1->Picture().Width(), 100);
        EXPECT_EQ(form.PaintBox1->Width(), 130);
        Drag(form, 18, 18, 60, 50);
        ChooseFromMenu(form, 30, 30, form.LinkURL1);
        form.CreateCodeButton->Click();
        EXPECT_FALSE(form.MapPanel->Visible());
        EXPECT_TRUE(form.CodePanel->Visible());
        form.OKButton->Click();
    });
    Answer<TIMURLForm>([](TIMURLForm& form) {
        EXPECT_EQ(form.CoordsPanel->Caption(), " 10,10,52,42");
        EXPECT_EQ(form.URLEdit->Text(), "http://");
        form.URLEdit->SetText("go.cgi?a=1&b=\"2\"");
        form.AltEdit->SetText("Tom & Jerry");
        form.TargetEdit->SetText("main");
        form.OKButton->Click();
    });
    ClickImageMapButton();
    EXPECT_EQ(
        PageText(),
        "<P><IMG SRC=\"" + Picture +
            "\" WIDTH=\"100\" HEIGHT=\"50\" USEMAP=\"#nav\">\r\n"
            "\r\n<MAP NAME=\"nav\">\r\n"
            "\t<AREA SHAPE=\"RECT\" COORDS=\"10,10,52,42\" HREF=\"go.cgi?a=1&amp;b=&quot;2&quot;\" "
            "TARGET=\"main\" ALT=\"Tom &amp; Jerry\" TITLE=\"Tom &amp; Jerry\" BORDER=1>\r\n"
            "</MAP>\r\n");
    EXPECT_TRUE(Editor()->Modified());
    EXPECT_EQ(ImageSelectForm, nullptr);
    EXPECT_EQ(IMMainForm, nullptr);
    EXPECT_EQ(IMURLForm, nullptr);
}

TEST_F(ImageMapCommandTest, DrawingStaysOnThePictureAndAClickStoresNothing) {
    OpenPage("", 0, 0);
    ChoosePicture(Picture);
    Answer<TIMMainForm>([](TIMMainForm& form) {
        Press(form, 2, 200);
        Move(form, 50, 40);
        EXPECT_TRUE(form.Drawing);
        EXPECT_EQ(form.StartPoint, Point(8, 58));
        EXPECT_EQ(form.CurrentPoint, Point(50, 40)); // the band follows the mouse
        Move(form, 500, 2);
        Release(form, 500, 2);
        Press(form, 30, 30);
        Release(form, 30, 30);
        Drag(form, 40, 40, 40, 55); // no width
        ASSERT_EQ(form.Areas.size(), 1u);
        EXPECT_EQ(form.Areas[0], Rect(8, 8, 108, 58));
        EXPECT_FALSE(form.Drawing);
        form.SetModalResult(mrOk);
    });
    ClickImageMapButton();
    EXPECT_EQ(PageText(), ""); // the code was never made
}

TEST_F(ImageMapCommandTest, TheStatusLineAndTheHighlightFollowTheMouse) {
    OpenPage("", 0, 0);
    ChoosePicture(Picture);
    Answer<TIMMainForm>([](TIMMainForm& form) {
        Move(form, 0, 0);
        EXPECT_EQ(StatusText(form), "      0 :       0    URL: ");
        EXPECT_FALSE(form.HighlightedArea);
        Drag(form, 10, 10, 50, 50);
        Drag(form, 30, 30, 70, 55);
        form.AreaURLs = {"under.htm", "over.htm"};
        Move(form, 20, 20);
        EXPECT_EQ(StatusText(form), "    12 :     12    URL: under.htm");
        EXPECT_EQ(form.HighlightedArea, Rect(10, 10, 50, 50));
        Move(form, 40, 40);
        EXPECT_EQ(StatusText(form), "    32 :     32    URL: over.htm");
        EXPECT_EQ(form.HighlightedArea, Rect(30, 30, 70, 55));
        Move(form, 100, 20);
        EXPECT_EQ(StatusText(form), "    92 :     12    URL: ");
        EXPECT_FALSE(form.HighlightedArea);
        form.SetModalResult(mrCancel);
    });
    ClickImageMapButton();
    EXPECT_EQ(TIMMainForm::PositionText(1234, 56), "1234 :     56    URL: ");
}

TEST_F(ImageMapCommandTest, DeletingAnAreaKeepsTheOthersWithTheirLinks) {
    OpenPage("", 0, 0);
    ChoosePicture(Picture, "m");
    Answer<TIMMainForm>([](TIMMainForm& form) {
        Drag(form, 10, 10, 20, 20);
        Drag(form, 30, 10, 60, 40);
        Drag(form, 50, 30, 80, 50); // over the second
        form.AreaURLs = {"1", "2", "3"};
        form.AreaAltTexts = {"a1", "a2", "a3"};
        form.AreaTargets = {"t1", "t2", "t3"};
        Press(form, 40, 20, mbRight);
        Release(form, 40, 20, mbRight);
        form.PopupMenu1->Popup(40, 20);
        EXPECT_TRUE(form.Delete1->Enabled());
        form.Delete1->Click();
        ChooseFromMenu(form, 55, 35, form.Delete1); // the third, drawn last, lies on top
        Press(form, 100, 50, mbRight);
        form.PopupMenu1->Popup(100, 50);
        EXPECT_FALSE(form.Delete1->Enabled());
        EXPECT_FALSE(form.LinkURL1->Enabled());
        EXPECT_TRUE(form.DefaultURL1->Enabled());
        form.CreateCodeButton->Click();
        form.OKButton->Click();
    });
    ClickImageMapButton();
    EXPECT_EQ(PageText(), "<IMG SRC=\"" + Picture +
                              "\" WIDTH=\"100\" HEIGHT=\"50\" USEMAP=\"#m\">\r\n\r\n"
                              "<MAP NAME=\"m\">\r\n\t<AREA SHAPE=\"RECT\" COORDS=\"2,2,12,12\" "
                              "HREF=\"1\" TARGET=\"t1\" ALT=\"a1\" TITLE=\"a1\" BORDER=1>\r\n"
                              "</MAP>\r\n");
}

TEST_F(ImageMapCommandTest, DeleteAllAsksFirstAndTheDefaultLinkIsWritten) {
    OpenPage("", 0, 0);
    ChoosePicture("pic.bmp", "m");
    Answer<TIMMainForm>([](TIMMainForm& form) {
        Drag(form, 10, 10, 20, 20);
        form.DeleteAll1->Click();
        EXPECT_EQ(form.Areas.size(), 1u);
        form.DeleteAll1->Click();
        EXPECT_TRUE(form.Areas.empty());
        EXPECT_TRUE(form.AreaURLs.empty());
        form.DefaultURL1->Click();
        form.CreateCodeButton->Click();
        form.ToMapButtonClick(nullptr);
        EXPECT_TRUE(form.MapPanel->Visible());
        EXPECT_FALSE(form.CodePanel->Visible());
        form.CreateCodeButton->Click();
        form.OKButton->Click();
    });
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerMessageBox(IDYES);
    Answer<TIMURLForm>([](TIMURLForm& form) {
        EXPECT_EQ(form.URLEdit->Text(), "*");
        EXPECT_FALSE(form.AltEdit->Enabled());
        form.URLEdit->SetText("");
        form.OKButton->Click();
    });
    const String current = GetCurrentDir();
    SetCurrentDir(Folder);
    ClickImageMapButton();
    SetCurrentDir(current);
    const std::vector<TestHooks::TPrompt> questions = MessagePrompts();
    ASSERT_EQ(questions.size(), 2u);
    const TestHooks::TPrompt& question = questions[0];
    EXPECT_EQ(question.Caption, "IMGMap");
    EXPECT_EQ(question.Text, "This will clear all the selected areas from the\r\nimage map. Are "
                             "you sure you want to continue?");
    EXPECT_EQ(question.Flags, static_cast<UINT>(MB_YESNO | MB_ICONSTOP));
    EXPECT_EQ(PageText(), "<IMG SRC=\"pic.bmp\" WIDTH=\"100\" HEIGHT=\"50\" USEMAP=\"#m\">\r\n\r\n"
                          "<MAP NAME=\"m\">\r\n<AREA SHAPE=\"DEFAULT\" NOHREF>\r\n</MAP>\r\n");
}

TEST_F(ImageMapCommandTest, ASelectedMapIsReadBackAndRewrittenInItsPlace) {
    const String before = "<IMG SRC=\"" + Picture + "\" USEMAP=\"#nav\">\r\n";
    const String after = "<P>after";
    OpenPage(before + MapCode + after, static_cast<int>(before.size()),
             static_cast<int>(MapCode.size()));
    Answer<TImageSelectForm>([this](TImageSelectForm& form) {
        EXPECT_EQ(form.ImageEdit->Text(), Picture);
        EXPECT_EQ(form.MapNameEdit->Text(), "nav");
        form.OKButton->Click();
    });
    Answer<TIMMainForm>([](TIMMainForm& form) {
        ASSERT_EQ(form.Areas.size(), 1u);
        EXPECT_EQ(form.Areas[0], Rect(10, 11, 48, 38));
        EXPECT_EQ(form.AreaURLs[0], "a.htm");
        EXPECT_FALSE(form.WriteImgTag);
        Drag(form, 60, 20, 90, 40);
        form.CreateCodeButton->Click();
        form.OKButton->Click();
    });
    ClickImageMapButton();
    EXPECT_EQ(PageText(),
              before +
                  "<MAP NAME=\"nav\">\r\n"
                  "\t<AREA SHAPE=\"RECT\" COORDS=\"2,3,40,30\" HREF=\"a.htm\" BORDER=1>\r\n"
                  "\t<AREA SHAPE=\"RECT\" COORDS=\"52,12,82,32\" HREF=\"\" BORDER=1>\r\n"
                  "</MAP>\r\n" +
                  after);
}

TEST_F(ImageMapCommandTest, EveryWayOutWithoutOKLeavesThePageAsItWas) {
    const String before = "<IMG SRC=\"" + Picture + "\" USEMAP=\"#nav\">\r\n";
    const String page = before + MapCode;
    struct Case {
        const char* What;
        std::function<void()> Answers;
    };
    const Case cases[] = {
        {"the editor's Cancel",
         [this] {
             ChoosePicture("");
             Answer<TIMMainForm>([](TIMMainForm& form) {
                 Drag(form, 60, 20, 90, 40);
                 form.CreateCodeButton->Click();
                 form.CancelButton->Click();
             });
         }},
        {"the editor's close box, code made",
         [this] {
             ChoosePicture("");
             Answer<TIMMainForm>([](TIMMainForm& form) {
                 form.CreateCodeButton->Click();
                 form.Close();
             });
         }},
        {"the picture dialog's Cancel", [] { TestHooks::AnswerModalResult(mrCancel); }},
        {"a picture that is not there",
         [] {
             Answer<TImageSelectForm>([](TImageSelectForm& form) {
                 form.ImageEdit->SetText("missing.gif");
                 form.OKButton->Click();
             });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        OpenPage(page, static_cast<int>(before.size()), static_cast<int>(MapCode.size()));
        c.Answers();
        ClickImageMapButton();
        EXPECT_EQ(PageText(), page);
        EXPECT_FALSE(Editor()->Modified());
        EXPECT_EQ(TestHooks::QueuedAnswers(), 0);
    }
}

TEST_F(ImageMapCommandTest, AMapWhoseImageIsMissingIsLeftAlone) {
    const String page = "<IMG SRC=\"a.gif\" USEMAP=\"#other\">" + MapCode;
    OpenPage(page, static_cast<int>(page.size() - MapCode.size()),
             static_cast<int>(MapCode.size()));
    TestHooks::AnswerMessageBox(IDOK);
    ClickImageMapButton();
    ASSERT_EQ(MessagePrompts().size(), 1u);
    EXPECT_EQ(MessagePrompts()[0].Text, "Cannot find related image tag");
    EXPECT_EQ(PageText(), page);
    EXPECT_FALSE(Editor()->Modified());
    EXPECT_EQ(ImageSelectForm, nullptr);
    EXPECT_EQ(IMMainForm, nullptr);
}

TEST_F(ImageMapCommandTest, WhatTheEditorCannotKeepIsToldBeforeThePageChanges) {
    const String map = "<MAP NAME=\"nav\"><AREA SHAPE=\"circle\" COORDS=\"5,5,4\" HREF=\"c\">"
                       "<AREA COORDS=\"1,1,9,9\" HREF=\"r\"></MAP>";
    const String page = "<IMG SRC=\"pic.bmp\" USEMAP=\"#nav\">" + map;
    const int start = static_cast<int>(page.size() - map.size());
    OpenPage(page, start, static_cast<int>(map.size()));
    TestHooks::AnswerMessageBox(IDNO);
    ClickImageMapButton();
    ASSERT_EQ(MessagePrompts().size(), 1u);
    EXPECT_EQ(MessagePrompts()[0].Text,
              "The image map editor cannot keep everything in this map:\r\n"
              "- areas of the shape CIRCLE\r\n\r\nEdit the map without them?");
    EXPECT_EQ(PageText(), page);
    EXPECT_FALSE(Editor()->Modified());

    OpenPage(page, start, static_cast<int>(map.size()));
    TestHooks::AnswerMessageBox(IDYES);
    ChoosePicture("");
    Answer<TIMMainForm>([](TIMMainForm& form) {
        form.CreateCodeButton->Click();
        form.OKButton->Click();
    });
    const String current = GetCurrentDir();
    SetCurrentDir(Folder);
    ClickImageMapButton();
    SetCurrentDir(current);
    EXPECT_EQ(PageText(), "<IMG SRC=\"pic.bmp\" USEMAP=\"#nav\"><MAP NAME=\"nav\">\r\n"
                          "\t<AREA SHAPE=\"RECT\" COORDS=\"1,1,9,9\" HREF=\"r\" BORDER=1>\r\n"
                          "</MAP>\r\n");
}

TEST_F(ImageMapCommandTest, OKOnANonMapSelectionPutsTheCodeInFrontOfIt) {
    OpenPage("ab<B>cd</B>", 2, 9);
    ChoosePicture(Picture, "m");
    Answer<TIMMainForm>([](TIMMainForm& form) {
        form.CreateCodeButton->Click();
        form.Memo->SetText("<MAP NAME=\"m\">\r\n</MAP>\r\n"); // edited in the code view
        form.OKButton->Click();
    });
    ClickImageMapButton();
    EXPECT_EQ(PageText(), "ab<MAP NAME=\"m\">\r\n</MAP>\r\n<B>cd</B>");
}

TEST_F(ImageMapCommandTest, NothingHappensWithoutAPage) {
    ClickImageMapButton();
    EXPECT_TRUE(TestHooks::Prompts().empty());
}

TEST_F(ImageMapCommandTest, ABrowsedPictureIsNamedFromTheCurrentFolder) {
    const String site = MainWindowSupport::Folder("site");
    MainWindowSupport::Folder("site2");
    OpenPage("", 0, 0);
    Answer<TImageSelectForm>([](TImageSelectForm& form) {
        form.BrowseButton->Click();
        EXPECT_EQ(form.ImageEdit->Text(), "../site2/pic.gif");
        form.CancelButton->Click();
    });
    TestHooks::TDialogAnswer chosen;
    chosen.Accepted = true;
    chosen.FileName = TestSupport::Sandbox("site2/pic.gif");
    TestHooks::AnswerDialog(chosen);
    const String current = GetCurrentDir();
    SetCurrentDir(site);
    ClickImageMapButton();
    const String after = GetCurrentDir();
    SetCurrentDir(current);
    EXPECT_EQ(IncludeTrailingPathDelimiter(after), site);
    ASSERT_EQ(TestHooks::Prompts().size(), 2u);
    EXPECT_EQ(TestHooks::Prompts()[1].Kind, "OpenDialog");
    EXPECT_EQ(PageText(), "");
}
