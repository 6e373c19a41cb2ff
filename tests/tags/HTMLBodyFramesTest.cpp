// The body, frames and inline-frame dialogs: the page's own BODY tag taken out of service, the
// new BODY tag, FRAMESET and FRAME tags with Apply, and the IFRAME the dialog writes itself.

#include "ElementDialogSupport.h"
#include "platform/ColorGrd.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "tags/HTMLBodyForm.h"
#include "tags/HTMLFrameWizForm1.h"
#include "tags/HTMLIFrame.h"
#include "tags/PageStructureDialogs.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <fstream>

using namespace ElementDialogSupport;

namespace {

class BodyFramesTest : public ElementDialogTest {
protected:
    void Press(TQmToolbarButton* TTagButtons::*button) {
        TestHooks::ClickMouse(*(Main->TagButtons->*button), 3, 3, mbLeft, {});
    }
    // The page after the body dialog, filled so, closed with OK.
    void RunBody(const std::function<void(TBodyForm&)>& fill) {
        Answer<TBodyForm>([fill](TBodyForm& form) {
            fill(form);
            form.OKButton->Click();
        });
        Press(&TTagButtons::BodyButton);
    }
};

using B = TTagButtons;

void ChooseColour(TColor colour) {
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.Fill = [colour](TComponent* dialog) {
        static_cast<TColorDialog*>(dialog)->SetColor(colour);
    };
    TestHooks::AnswerDialog(answer);
}

} // namespace

TEST_F(BodyFramesTest, ThePagesBodyTagMakesWayForTheNewOne) {
    struct Case {
        const char* Name;
        String Page;
        int Caret;
        String Result;
        int ResultCaret;
    };
    const Case cases[] = {
        {"a bare tag in lower case goes, the caret moving back with the text", "a<body>bc", 8,
         "ab<BODY>\r\n</BODY>c", 8},
        {"the caret inside the bare tag goes to its place", "a<BODY>bc", 3, "a<BODY>\r\n</BODY>bc",
         7},
        {"a tag with attributes is commented out; the end tag is there already",
         "<BODY BGCOLOR=white>t</BODY>", 0, "<BODY><!-- <BODY BGCOLOR=white> -->t</BODY>", 6},
        {"the caret after a commented tag moves on by the comment marks", "<BODY X>t</BODY>", 9,
         "<!-- <BODY X> -->t<BODY></BODY>", 24},
        {"only the upper-case end tag counts", "<body x>t</body>", 0,
         "<BODY>\r\n</BODY><!-- <body x> -->t</body>", 6},
        {"a tag commented out before stays as it is; the next one is taken",
         "<!-- <BODY X> -->\r\n<BODY TEXT=red>t", 19,
         "<!-- <BODY X> -->\r\n<BODY>\r\n</BODY><!-- <BODY TEXT=red> -->t", 25},
        {"a tag without its end: nothing of it is lost", "ab<BODY", 7,
         "ab<!--  --><BODY<BODY>\r\n</BODY>", 22},
        {"no BODY tag at all", "text", 4, "text<BODY>\r\n</BODY>", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage(c.Page, c.Caret, 0);
        RunBody([](TBodyForm&) {});
        EXPECT_EQ(PageText(), c.Result);
        EXPECT_EQ(Caret(), c.ResultCaret);
        EXPECT_EQ(BodyForm, nullptr);
    }
}

// A selection stays between the tags, so it gets its own end tag.
TEST_F(BodyFramesTest, ASelectionGetsItsEndTagEvenWhenThePageHasOne) {
    OpenPage("ab</BODY>", 0, 1);
    RunBody([](TBodyForm&) {});
    EXPECT_EQ(PageText(), "<BODY>a\r\n</BODY>b</BODY>");
}

TEST_F(BodyFramesTest, TheBodyTagCarriesTheImageAndTheTickedColoursInOrder) {
    struct Case {
        const char* Name;
        std::function<void(TBodyForm&)> Fill;
        String Tag;
    };
    const Case cases[] = {
        {"image, fixed and the text colour",
         [](TBodyForm& f) {
             f.BgImageEdit->SetText("back.gif");
             f.FixedCheckBox->SetChecked(true);
             f.TextColourCheck->SetChecked(true);
         },
         "<BODY BACKGROUND=\"back.gif\" BGPROPERTIES=\"FIXED\" TEXT=\"Black\">"},
        {"every colour from its grid",
         [](TBodyForm& f) {
             for (TCheckBox* box : {f.VisitedColourCheck, f.BgColourCheck, f.LinkColourCheck,
                                    f.ActiveColourCheck, f.TextColourCheck})
                 box->SetChecked(true);
             TestHooks::ClickMouse(*f.LinkColourGrid, 20 * 9 + 5, 5);
         },
         "<BODY BGCOLOR=\"White\" TEXT=\"Black\" LINK=\"Red\" ALINK=\"Olive\" VLINK=\"Teal\">"},
        {"a custom colour that no square shows",
         [](TBodyForm& f) {
             ChooseColour(0x030201);
             f.CustomBGColourButton->Click();
             EXPECT_EQ(f.BgColourGrid->ForegroundIndex(), -1);
         },
         "<BODY BGCOLOR=\"#010203\">"},
        {"a custom colour that a square shows",
         [](TBodyForm& f) {
             ChooseColour(0xFF0000);
             f.TextColourCustomButton->Click();
             EXPECT_EQ(f.TextColourGrid->ForegroundIndex(), 12);
         },
         "<BODY TEXT=\"Blue\">"},
        {"a quote and an ampersand in the image's name",
         [](TBodyForm& f) { f.BgImageEdit->SetText("a\"b&c.gif"); },
         "<BODY BACKGROUND=\"a&quot;b&amp;c.gif\">"},
        {"an image browsed for, relative to the page",
         [this](TBodyForm& f) {
             TestHooks::TDialogAnswer chosen;
             chosen.Accepted = true;
             chosen.FileName = Folder + "img/back.gif";
             ForceDirectories(Folder + "img");
             std::ofstream(chosen.FileName) << "GIF89a";
             TestHooks::AnswerDialog(chosen);
             f.BgImageButton->Click();
         },
         "<BODY BACKGROUND=\"./img/back.gif\">"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("", 0, 0);
        RunBody(c.Fill);
        EXPECT_EQ(PageText(), c.Tag + "\r\n</BODY>");
    }
}

TEST_F(BodyFramesTest, FixedIsOnlyForABackgroundImage) {
    OpenPage("", 0, 0);
    bool enabledAtFirst = true;
    bool enabledWithImage = false;
    bool tickedAfterEmptying = true;
    bool enabledAfterEmptying = true;
    Answer<TBodyForm>([&](TBodyForm& form) {
        enabledAtFirst = form.FixedCheckBox->Enabled();
        form.BgImageEdit->SetText("back.gif");
        enabledWithImage = form.FixedCheckBox->Enabled();
        form.FixedCheckBox->SetChecked(true);
        form.BgImageEdit->SetText("");
        tickedAfterEmptying = form.FixedCheckBox->Checked();
        enabledAfterEmptying = form.FixedCheckBox->Enabled();
        form.CancelButton->Click();
    });
    Press(&B::BodyButton);
    EXPECT_FALSE(enabledAtFirst);
    EXPECT_TRUE(enabledWithImage);
    EXPECT_FALSE(tickedAfterEmptying);
    EXPECT_FALSE(enabledAfterEmptying);
    EXPECT_EQ(PageText(), "");
}

TEST_F(BodyFramesTest, WithNoPageOpenTheBodyAndInlineFrameChangeNothing) {
    OpenPage("<BODY X>old", 11, 0);
    Main->TabSheets[0]->SetTabVisible(false);
    ASSERT_FALSE(Main->AnyDocumentOpen());
    const size_t promptsBefore = TestHooks::Prompts().size();
    Press(&B::BodyButton);
    EXPECT_EQ(TestHooks::Prompts().size(), promptsBefore);
    Answer<TIFrameForm>([](TIFrameForm& form) {
        form.URLEdit->SetText("a.htm");
        form.OKButton->Click();
    });
    Press(&B::IFrameButton);
    Answer<TFrameWizForm>([](TFrameWizForm& form) { form.OKButton->Click(); });
    Press(&B::FrameSetButton);
    EXPECT_EQ(PageText(), "<BODY X>old");
}

TEST_F(BodyFramesTest, AFramesetSharesItsRowsAndColumnsOut) {
    struct Case {
        String Rows;
        String Cols;
        String Start;
    };
    const Case cases[] = {
        {"3", "1", "<FRAMESET ROWS=\"33%,33%,*\" COLS=\"100%\">\r\n"},
        {"", "", "<FRAMESET>\r\n"},
        {"2", "", "<FRAMESET ROWS=\"50%,*\">\r\n"},
        {"", "7", "<FRAMESET COLS=\"14%,14%,14%,14%,14%,14%,*\">\r\n"},
        {"10", "12", "<FRAMESET ROWS=\"10%,10%,10%,10%,10%,10%,10%,10%,10%,*\" COLS=\"100%\">\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Start);
        OpenPage("abc", 1, 1);
        Answer<TFrameWizForm>([&](TFrameWizForm& form) {
            EXPECT_EQ(form.PageControl->ActivePage(), form.FramesetSheet);
            form.RowsEdit->SetText(c.Rows);
            form.ColsEdit->SetText(c.Cols);
            form.OKButton->Click();
        });
        Press(&B::FrameSetButton);
        EXPECT_EQ(PageText(), "a" + c.Start + "b</FRAMESET>c");
        EXPECT_EQ(FrameWizForm, nullptr);
    }
}

TEST_F(BodyFramesTest, AFramesetOffersToTakeTheBodyTagsOut) {
    struct Case {
        const char* Name;
        int Answer;
        String Page;
        int SelStart;
        int SelLength;
        String Result;
    };
    const Case cases[] = {
        {"yes: the tags go, the text between them and the selection stay", IDYES,
         "<body bgcolor=red>\r\nab</BODY>", 21, 1, "\r\na<FRAMESET>\r\nb</FRAMESET>"},
        {"yes, the caret inside the start tag", IDYES, "x<BODY>y</BODY>", 3, 0,
         "x<FRAMESET>\r\n</FRAMESET>y"},
        {"no: the tags stay", IDNO, "<BODY>ab</BODY>", 7, 1,
         "<BODY>a<FRAMESET>\r\nb</FRAMESET></BODY>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage(c.Page, c.SelStart, c.SelLength);
        const size_t promptsBefore = TestHooks::Prompts().size();
        Answer<TFrameWizForm>([&](TFrameWizForm& form) {
            form.RowsEdit->SetText("");
            form.ColsEdit->SetText("");
            TestHooks::AnswerMessageBox(c.Answer);
            form.OKButton->Click();
        });
        Press(&B::FrameSetButton);
        EXPECT_EQ(PageText(), c.Result);
        ASSERT_EQ(TestHooks::Prompts().size(), promptsBefore + 2);
        const TestHooks::TPrompt& question = TestHooks::Prompts()[promptsBefore + 1];
        EXPECT_EQ(question.Text, "You cannot have <BODY>...</BODY> tags in a\r\npage containing "
                                 "<FRAMESET> tags.\r\nDo you want to remove the <BODY> tags?");
        EXPECT_EQ(question.Buttons(), static_cast<UINT>(MB_YESNO));
    }
}

TEST_F(BodyFramesTest, FramesGoInWithApplyAndStayAfterCancel) {
    struct Case {
        std::function<void(TFrameWizForm&)> Fill;
        String Frame;
    };
    const Case cases[] = {
        {[](TFrameWizForm& f) {
             f.NameEdit->SetText("main");
             f.URLEdit->SetText("a.htm");
         },
         "\t<FRAME NAME=\"main\" SRC=\"a.htm\" SCROLLING=\"AUTO\" FRAMEBORDER=1>\r\n"},
        {[](TFrameWizForm& f) {
             f.URLEdit->SetText("b.htm?x=\"1\"");
             f.NoResizeCheck->SetChecked(true);
             f.FrameBorderCheck->SetChecked(false);
             f.HeightEdit->SetText("5");
             f.WidthEdit->SetText("500");
             f.ScrollingCombo->SetText("NO");
         },
         "\t<FRAME SRC=\"b.htm?x=&quot;1&quot;\" SCROLLING=\"NO\" MARGINHEIGHT=5 MARGINWIDTH=1 "
         "NORESIZE FRAMEBORDER=0>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Frame);
        OpenPage("ab", 1, 0);
        Answer<TFrameWizForm>([&](TFrameWizForm& form) {
            EXPECT_EQ(form.PageControl->ActivePage(), form.FrameSheet);
            c.Fill(form);
            form.ApplyButton->Click();
            form.ApplyButton->Click();
            form.CancelButton->Click();
        });
        Press(&B::FrameButton);
        EXPECT_EQ(PageText(), "a" + c.Frame + c.Frame + "b");
    }
}

TEST_F(BodyFramesTest, TheWizardInsertsWhatItsShownPageDescribes) {
    OpenPage("ab", 1, 0);
    Answer<TFrameWizForm>([](TFrameWizForm& form) {
        TestHooks::ClickMouse(*form.PageControl, 120, 8);
        EXPECT_EQ(form.Mode, 2);
        form.URLEdit->SetText("a.htm");
        form.OKButton->Click();
    });
    Press(&B::FrameSetButton);
    EXPECT_EQ(PageText(), "a\t<FRAME SRC=\"a.htm\" SCROLLING=\"AUTO\" FRAMEBORDER=1>\r\nb");
}

TEST_F(BodyFramesTest, AnInlineFrameGoesAroundTheSelection) {
    struct Case {
        std::function<void(TIFrameForm&)> Fill;
        String Start;
    };
    const Case cases[] = {
        {[](TIFrameForm& f) { f.URLEdit->SetText("a.htm"); },
         "\t<IFRAME SRC=\"a.htm\" SCROLLING=\"\" MARGINHEIGHT=0 MARGINWIDTH=0 HEIGHT=0 WIDTH=0 "
         "FRAMEBORDER=1>\r\n"},
        {[](TIFrameForm& f) {
             f.NameEdit->SetText("n&m");
             f.URLEdit->SetText("a.htm");
             f.HeightEdit->SetText("");
             f.WidthEdit->SetText("");
             f.FrameHeightEdit->SetText("200");
             f.FrameWidthEdit->SetText("300");
             f.ScrollingCombo->SetText("YES");
             f.FrameBorderCheck->SetChecked(false);
             f.AlignmentCombo->SetText("LEFT");
         },
         "\t<IFRAME NAME=\"n&amp;m\" SRC=\"a.htm\" SCROLLING=\"YES\" HEIGHT=200 WIDTH=300 "
         "FRAMEBORDER=0 ALIGN=LEFT>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Start);
        OpenPage("abc", 1, 1);
        Answer<TIFrameForm>([&](TIFrameForm& form) {
            c.Fill(form);
            form.OKButton->Click();
        });
        Press(&B::IFrameButton);
        EXPECT_EQ(PageText(), "a" + c.Start + "b</IFRAME>c");
        EXPECT_EQ(Caret(), static_cast<int>(1 + c.Start.size() + 1));
        EXPECT_EQ(IFrameForm, nullptr);
    }
}

TEST_F(BodyFramesTest, CancelInsertsNothing) {
    OpenPage("<BODY X>ab", 9, 1);
    for (auto button : {&B::BodyButton, &B::FrameSetButton, &B::FrameButton, &B::IFrameButton}) {
        TestHooks::AnswerModalResult(mrCancel);
        Press(button);
    }
    EXPECT_EQ(PageText(), "<BODY X>ab");
}

TEST_F(BodyFramesTest, UnderTheHelpPointerEachButtonShowsItsTopic) {
    const std::pair<TQmToolbarButton * TTagButtons::*, unsigned> buttons[] = {
        {&B::BodyButton, 10240},
        {&B::FrameSetButton, 11000},
        {&B::FrameButton, 11010},
        {&B::IFrameButton, 11022},
    };
    OpenPage("ab", 1, 0);
    for (const auto& [button, topic] : buttons) {
        SCOPED_TRACE(topic);
        Screen->SetCursor(crHelp);
        const size_t before = TestHooks::HelpRequests().size();
        Press(button);
        ASSERT_EQ(TestHooks::HelpRequests().size(), before + 1);
        EXPECT_EQ(TestHooks::HelpRequests().back().Data, topic);
    }
    Screen->SetCursor(crDefault);
    EXPECT_EQ(PageText(), "ab");
}
