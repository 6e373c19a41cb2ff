// Insert Attribute: which tag the caret is in, what the catalogue offers for it, the text each
// value editor gives, and where that text goes in the page.

#include "ElementDialogSupport.h"
#include "editor/EditorKeys.h"
#include "platform/CommonDialogs.h"
#include "platform/IniFiles.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/HTMLAttForm.h"
#include "tags/TagAttributes.h"

using namespace ElementDialogSupport;

namespace {

const String Catalogue = "[a]\r\n"
                         "HRef=$\r\n"
                         "Target=_BLANK|_TOP\r\n"
                         "[TABLE]\r\n"
                         "WIDTH=%\r\n"
                         "border=#\r\n"
                         "BGCOLOR=!\r\n"
                         "NoWrap=0\r\n"
                         "Unused=\r\n"
                         "BORDER=5\r\n"
                         "ALIGN=LEFT|CENTER\r\n";

class AttributesTest : public ElementDialogTest {
protected:
    void SetUp() override {
        ElementDialogTest::SetUp();
        WriteFileAtomic(AttributeCatalogueFile(), Catalogue);
    }

    // The user picks the attribute in the list, as with the mouse.
    static void Choose(TAttForm& form, const String& name) {
        const int index = form.ListBox->Items().IndexOf(name);
        ASSERT_GE(index, 0) << name;
        const TRect item = form.ListBox->ItemRect(index);
        TestHooks::ClickMouse(*form.ListBox, 5, item.Top + 2);
    }

    static void AnswerColour(TColor colour) {
        TestHooks::TDialogAnswer answer;
        answer.Accepted = true;
        answer.Fill = [colour](TComponent* dialog) {
            static_cast<TColorDialog*>(dialog)->SetColor(colour);
        };
        TestHooks::AnswerDialog(answer);
    }

    bool DialogShown() const {
        for (const TestHooks::TPrompt& prompt : TestHooks::Prompts())
            if (prompt.Kind == "Form")
                return true;
        return false;
    }
};

} // namespace

TEST_F(AttributesTest, TheChosenAttributeGoesBeforeTheTagsCloseInTheTagsCase) {
    struct Case {
        const char* Name;
        String Page;
        std::function<void(TAttForm&)> Fill;
        String Result;
    };
    const Case cases[] = {
        {"a list in a lower-case tag", "<a href=\"x\">y</a>",
         [](TAttForm& f) { Choose(f, "target"); }, "<a href=\"x\" target=_blank>y</a>"},
        {"a list value typed over, in an upper-case tag", "<A HREF=\"x\">y</A>",
         [](TAttForm& f) {
             Choose(f, "target");
             f.ComboBox->SetText("_top");
         },
         "<A HREF=\"x\" TARGET=_TOP>y</A>"},
        {"free text keeps its case", "<a>y</a>",
         [](TAttForm& f) {
             Choose(f, "href");
             f.Edit->SetText("Page.HTM");
         },
         "<a href=\"Page.HTM\">y</a>"},
        {"a quote and an ampersand stay inside the value", "<a>y</a>",
         [](TAttForm& f) {
             Choose(f, "href");
             f.Edit->SetText("a \"b\" & c");
         },
         "<a href=\"a &quot;b&quot; &amp; c\">y</a>"},
        {"a number", "<TABLE>",
         [](TAttForm& f) {
             Choose(f, "border");
             f.NumEdit->SetText("2");
         },
         "<TABLE BORDER=2>"},
        {"a number, the box unticked", "<table>",
         [](TAttForm& f) {
             Choose(f, "width");
             f.NumEdit->SetText("50");
         },
         "<table width=50>"},
        {"a percentage", "<table>",
         [](TAttForm& f) {
             Choose(f, "width");
             f.NumEdit->SetText("50");
             f.PCCheck->SetChecked(true);
         },
         "<table width=\"50%\">"},
        {"no value", "<TABLE>", [](TAttForm& f) { Choose(f, "nowrap"); }, "<TABLE NOWRAP>"},
        {"a colour with a name", "<table>",
         [](TAttForm& f) {
             AnswerColour(0x0000FF);
             Choose(f, "bgcolor");
         },
         "<table bgcolor=\"Red\">"},
        {"a colour without one, red first", "<TABLE>",
         [](TAttForm& f) {
             AnswerColour(0x563412);
             Choose(f, "bgcolor");
         },
         "<TABLE BGCOLOR=\"#123456\">"},
        {"the colour dialog cancelled writes nothing", "<TABLE>",
         [](TAttForm& f) {
             TestHooks::AnswerDialogCancel();
             Choose(f, "bgcolor");
         },
         "<TABLE>"},
        {"nothing chosen writes nothing", "<TABLE>", [](TAttForm&) {}, "<TABLE>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage(c.Page, 2, 0);
        Answer<TAttForm>([&](TAttForm& form) {
            c.Fill(form);
            form.OKButton->Click();
        });
        Main->TagAttributes->InsertAttribute1->Click();
        EXPECT_EQ(PageText(), c.Result);
        EXPECT_EQ(AttForm, nullptr);
        EXPECT_EQ(TestHooks::QueuedAnswers(), 0);
    }
}

TEST_F(AttributesTest, TheListHoldsTheSectionsAttributesInOrderWithTheirEditorsHidden) {
    OpenPage("<table border=1>", 3, 0);
    std::vector<String> listed;
    std::vector<bool> shown;
    String caption;
    Answer<TAttForm>([&](TAttForm& form) {
        caption = form.Caption();
        for (int i = 0; i < form.ListBox->Items().Count(); ++i)
            listed.push_back(form.ListBox->Items().Get(i));
        shown = {form.Edit->Visible(), form.ComboBox->Visible(), form.NumEdit->Visible(),
                 form.PCCheck->Visible()};
        Choose(form, "align");
        shown.push_back(form.ComboBox->Visible());
        shown.push_back(form.ComboBox->Items().Count() == 2 && form.ComboBox->Text() == "LEFT");
        // Another choice takes the first one's editor away.
        Choose(form, "width");
        shown.push_back(form.ComboBox->Visible());
        shown.push_back(form.NumEdit->Visible() && form.PCCheck->Visible());
        form.Button1->Click();
    });
    Main->TagAttributes->InsertAttribute1->Click();
    EXPECT_EQ(caption, "AttForm");
    // Sorted without regard to case, lower-cased, the empty code and the second BORDER left out.
    EXPECT_EQ(listed, (std::vector<String>{"align", "bgcolor", "border", "nowrap", "width"}));
    EXPECT_EQ(shown, (std::vector<bool>{false, false, false, false, true, true, false, true}));
    EXPECT_EQ(PageText(), "<table border=1>");
}

TEST_F(AttributesTest, NoDialogWhenTheCaretIsNotInACataloguedTag) {
    struct Case {
        const char* Name;
        String Page;
        int Caret;
    };
    const Case cases[] = {
        {"right after a tag", "<a href=x>text", 10},
        {"in plain text", "<a>text", 5},
        {"at the start", "<a>", 0},
        {"a tag that is not closed", "x <a href", 5},
        {"an end tag", "<a>y</a>", 6},
        {"a tag the catalogue lacks", "<B>y", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage(c.Page, c.Caret, 0);
        Main->TagAttributes->InsertAttribute1->Click();
        EXPECT_FALSE(DialogShown());
        EXPECT_EQ(PageText(), c.Page);
        EXPECT_EQ(AttForm, nullptr);
    }
    {
        SCOPED_TRACE("help-pointer mode: the topic, not the dialog");
        OpenPage("<a>", 2, 0);
        Screen->SetCursor(crHelp);
        Main->TagAttributes->Attributes1->Click();
        Screen->SetCursor(crDefault);
        ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
        EXPECT_EQ(TestHooks::HelpRequests()[0].Data, 432u);
        EXPECT_FALSE(DialogShown());
    }
    {
        SCOPED_TRACE("the last page closed: its hidden editor is left alone");
        OpenPage("<a>", 2, 0);
        Main->TabSheets[0]->SetTabVisible(false);
        Main->TagAttributes->InsertAttribute1->Click();
        EXPECT_FALSE(DialogShown());
        EXPECT_EQ(PageText(), "<a>");
    }
    SCOPED_TRACE("no catalogue at all");
    DeleteFile(AttributeCatalogueFile());
    OpenPage("<a>", 2, 0);
    Main->TagAttributes->InsertAttribute1->Click();
    EXPECT_FALSE(DialogShown());
}

TEST_F(AttributesTest, ATagOverSeveralLinesIsKnownByItsName) {
    OpenPage("<A\r\nHREF=\"x\">y</A>", 6, 0);
    Answer<TAttForm>([](TAttForm& form) {
        Choose(form, "target");
        form.OKButton->Click();
    });
    Main->TagAttributes->InsertAttribute1->Click();
    EXPECT_EQ(PageText(), "<A\r\nHREF=\"x\" TARGET=_BLANK>y</A>");
}

// The pop-up menu speaks of the tag right-clicked; the Edit menu of the tag at the caret, wherever
// the mouse was last pressed.
TEST_F(AttributesTest, ThePopUpMenuWritesIntoTheTagUnderTheLastPressTheEditMenuIntoTheCaretsTag) {
    const String page = "<a href=x>y</a><TABLE>";
    for (bool popUp : {true, false}) {
        SCOPED_TRACE(popUp ? "pop-up" : "Edit menu");
        OpenPage(page, 18, 0);
        const int pressed =
            static_cast<int>(Editor()->Perform(EM_CHARFROMPOS, 0, MAKELPARAM(20, 5)));
        ASSERT_GT(pressed, 0);
        ASSERT_LT(pressed, 9);
        TestHooks::ClickMouse(*Editor(), 20, 5, mbRight);
        Editor()->SetSelStart(18);
        Answer<TAttForm>([](TAttForm& form) {
            Choose(form, form.ListBox->Items().IndexOf("target") >= 0 ? "target" : "nowrap");
            form.OKButton->Click();
        });
        (popUp ? Main->TagAttributes->Attributes1 : Main->TagAttributes->InsertAttribute1)->Click();
        EXPECT_EQ(PageText(),
                  popUp ? "<a href=x target=_blank>y</a><TABLE>" : "<a href=x>y</a><TABLE NOWRAP>");
    }
}

TEST_F(AttributesTest, TheDialogSitsAtTheLastPressKeptOnTheScreen) {
    struct Case {
        const char* Name;
        TSize Screen;
        bool KeptLeft;
        bool KeptUp;
    };
    const Case cases[] = {
        {"room enough", {2000, 1500}, false, false},
        {"too low and too far right", {300, 250}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestHooks::SetScreenSize(c.Screen.cx, c.Screen.cy);
        OpenPage("<a>", 2, 0);
        Main->EditorKeys->EditorMousePoint = TPoint{60, 40};
        const TPoint corner = Editor()->ClientToScreen(Main->EditorKeys->EditorMousePoint);
        TRect bounds;
        Answer<TAttForm>([&](TAttForm& form) {
            bounds = form.BoundsRect();
            form.Button1->Click();
        });
        Main->TagAttributes->InsertAttribute1->Click();
        EXPECT_EQ(bounds.Left, c.KeptLeft ? c.Screen.cx - bounds.Width() : corner.x);
        EXPECT_EQ(bounds.Top, c.KeptUp ? c.Screen.cy - 40 - bounds.Height() : corner.y);
    }
}

TEST_F(AttributesTest, TheAttributeTakesTheAttributeColourAndTheViewStaysWhereItWas) {
    String page = "<a>y</a>";
    for (int line = 0; line < 200; ++line)
        page += "\r\nline";
    OpenPage(page, 2, 0);
    Main->ColouredTags = true;
    Main->ParamColour = clGreen;
    Main->ParamStyle = TFontStyles{fsBold};
    Main->ScrollToLine(Editor(), 100);
    const int firstVisible = Main->FirstVisibleLine(Editor());
    ASSERT_GT(firstVisible, 0);
    Answer<TAttForm>([](TAttForm& form) {
        Choose(form, "href");
        form.Edit->SetText("x");
        form.OKButton->Click();
    });
    Main->TagAttributes->InsertAttribute1->Click();
    ASSERT_EQ(PageText().substr(0, 13), "<a href=\"x\">y");
    for (int k = 3; k < 11; ++k) {
        EXPECT_EQ(Editor()->ColorAt(k), clGreen) << k;
        EXPECT_EQ(Editor()->StyleAt(k), TFontStyles{fsBold}) << k;
    }
    EXPECT_EQ(Main->FirstVisibleLine(Editor()), firstVisible);
}

// The shipped catalogue is read as the dialog reads it: every attribute has a code the dialog
// knows how to edit, and a list never offers an empty value.
TEST(AttributeCatalogueTest, EveryShippedAttributeHasAUsableCode) {
    TIniFile catalogue(String(QM_SOURCE_DATA) + "/html40.att");
    TStringList sections;
    catalogue.ReadSections(&sections);
    ASSERT_GT(sections.Count(), 50);
    for (int s = 0; s < sections.Count(); ++s) {
        const String section = sections.Get(s);
        EXPECT_EQ(section, UpperCase(section));
        TStringList values;
        catalogue.ReadSectionValues(section, &values);
        EXPECT_GT(values.Count(), 0) << section;
        for (int v = 0; v < values.Count(); ++v) {
            const String line = values.Get(v);
            const String code = line.substr(line.find('=') + 1);
            EXPECT_FALSE(code.empty()) << section << " " << line;
            EXPECT_EQ(("|" + code + "|").find("||"), String::npos) << section << " " << line;
        }
    }
    EXPECT_EQ(catalogue.ReadString("A", "HREF", ""), "$");
    EXPECT_EQ(catalogue.ReadString("BODY", "BGCOLOR", ""), "!");
}
