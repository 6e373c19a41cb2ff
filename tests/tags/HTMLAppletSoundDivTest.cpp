// The applet, multimedia and DIV/SPAN dialogs and the STYLE block: the exact text each puts into
// the page, the parameter grid, the coupled boxes, and the classes read from the page's style
// block.

#include "ElementDialogSupport.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Grids.h"
#include "platform/StdCtrls.h"
#include "site/FilePane.h"
#include "tags/HTMLAppletForm.h"
#include "tags/HTMLDivForm.h"
#include "tags/HTMLSoundForm.h"
#include "tags/ObjectDialogs.h"
#include "widgets/QmFilSys.h"

#include <vector>

using namespace ElementDialogSupport;

namespace {

class AppletSoundDivTest : public ElementDialogTest {
protected:
    static std::vector<String> GridRows(const TAppletForm& form) {
        std::vector<String> rows;
        for (int row = 0; row < form.StringGrid->RowCount(); ++row)
            rows.push_back(form.StringGrid->Cells(0, row) + "=" + form.StringGrid->Cells(1, row));
        return rows;
    }
    static void AddParameter(TAppletForm& form, const String& name, const String& value) {
        form.ParamNameEdit->SetText(name);
        form.ParamValueEdit->SetText(value);
        form.AddButton->Click();
    }
    static void DoubleClickRow(TAppletForm& form, int row) {
        const TRect cell = form.StringGrid->CellRect(0, row);
        TestHooks::DoubleClickMouse(*form.StringGrid, cell.Left + 3, cell.Top + 3);
    }
    static std::vector<String> Items(const TStrings& items) {
        std::vector<String> texts;
        for (int i = 0; i < items.Count(); ++i)
            texts.push_back(items[i]);
        return texts;
    }
    std::vector<String> StyleClasses() const {
        TStringList classes;
        classes.Add("left over");
        Main->ObjectDialogs->GetStyleClasses(classes);
        return Items(classes);
    }
};

} // namespace

TEST_F(AppletSoundDivTest, AppletOrObjectIsWrittenInItsAttributeOrder) {
    struct Case {
        const char* Name;
        std::function<void(TAppletForm&)> Fill;
        String Page;
    };
    const Case cases[] = {
        {"applet with a parameter: the selection ends up after it",
         [](TAppletForm& f) {
             f.CodeEdit->SetText("Clock.class");
             f.WidthEdit->SetText("50");
             f.PercentCheck->SetChecked(true);
             f.HeightEdit->SetText("100");
             AddParameter(f, "speed", "5");
         },
         "a<APPLET CODE=\"Clock.class\" WIDTH=\"50%\" HEIGHT=100>\r\n"
         "<PARAM NAME=\"speed\" VALUE=\"5\">\r\n</APPLET>Xb"},
        {"applet without parameters wraps the selection",
         [](TAppletForm& f) { f.CodeEdit->SetText("a.class"); },
         "a<APPLET CODE=\"a.class\">\r\nX</APPLET>b"},
        {"every applet box",
         [](TAppletForm& f) {
             f.CodeEdit->SetText("c");
             f.CodeURLEdit->SetText("u/");
             f.AltTextEdit->SetText("alt");
             f.ArchiveEdit->SetText("z.jar");
             f.WidthEdit->SetText("40");
             f.HeightEdit->SetText("30");
             f.HSpaceEdit->SetText("2");
             f.VSpaceEdit->SetText("3");
             f.AlignCombo->SetText("MIDDLE");
         },
         "a<APPLET CODE=\"c\" CODEBASE=\"u/\" ARCHIVE=\"z.jar\" WIDTH=40 HEIGHT=30 HSPACE=2 "
         "VSPACE=3 ALT=\"alt\" ALIGN=MIDDLE>\r\nX</APPLET>b"},
        {"object: data as SRC, class ID as CLASSID, % kept though hidden",
         [](TAppletForm& f) {
             f.WidthEdit->SetText("80");
             f.PercentCheck->SetChecked(true);
             f.RadioGroup->SetItemIndex(1);
             f.CodeEdit->SetText("movie.swf");
             f.AltTextEdit->SetText("clsid:1");
             f.ArchiveEdit->SetText("Loading");
             f.AlignCombo->SetText("CENTER");
         },
         "a<OBJECT SRC=\"movie.swf\" CLASSID=\"clsid:1\" STANDBY=\"Loading\" WIDTH=\"80%\" "
         "ALIGN=CENTER>\r\nX</OBJECT>b"},
        {"quotes in a parameter stay inside its value",
         [](TAppletForm& f) {
             f.RadioGroup->SetItemIndex(1);
             AddParameter(f, "text", "say \"hi\"");
             AddParameter(f, "n", "");
         },
         "a<OBJECT>\r\n<PARAM NAME=\"text\" VALUE=\"say &quot;hi&quot;\">\r\n"
         "<PARAM NAME=\"n\" VALUE=\"\">\r\n</OBJECT>Xb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("aXb", 1, 1);
        Answer<TAppletForm>([&](TAppletForm& form) {
            EXPECT_EQ(form.RadioGroup->ItemIndex(), 0);
            EXPECT_EQ(GridRows(form), std::vector<String>{"="});
            c.Fill(form);
            form.OKButton->Click();
        });
        Main->ObjectDialogs->AppletButtonClick(nullptr);
        EXPECT_EQ(PageText(), c.Page);
        EXPECT_EQ(AppletForm, nullptr);
    }
}

TEST_F(AppletSoundDivTest, TheModeChangesCaptionsAlignmentsAndThePercentBox) {
    TAppletForm form(nullptr);
    form.ClearFields();
    EXPECT_EQ(Items(form.AlignCombo->Items()),
              (std::vector<String>{"LEFT", "RIGHT", "TOP", "BOTTOM", "MIDDLE", ""}));
    form.RadioGroup->SetItemIndex(1);
    EXPECT_EQ(form.CodeLabel->Caption(), "Data");
    EXPECT_EQ(form.CodeURLLabel->Caption(), "URL of object (Codebase)");
    EXPECT_EQ(form.AltTextLabel->Caption(), "Class ID");
    EXPECT_EQ(form.ArchiveLabel->Caption(), "Standby Text");
    EXPECT_FALSE(form.PercentCheck->Visible());
    EXPECT_EQ(Items(form.AlignCombo->Items()),
              (std::vector<String>{"LEFT", "RIGHT", "CENTER", "BASELINE", "MIDDLE", "TEXTBOTTOM",
                                   "TEXTMIDDLE", ""}));
    form.ClearFields();
    EXPECT_EQ(form.CodeLabel->Caption(), "Applet filename (Code)");
    EXPECT_EQ(form.AltTextLabel->Caption(), "Alt. Text");
    EXPECT_TRUE(form.PercentCheck->Visible());
    EXPECT_EQ(Items(form.AlignCombo->Items()),
              (std::vector<String>{"LEFT", "RIGHT", "MIDDLE", "BOTTOM", ""}));
}

TEST_F(AppletSoundDivTest, TheParameterGridKeepsOneEmptyLastRow) {
    OpenPage("", 0, 0);
    Answer<TAppletForm>([&](TAppletForm& form) {
        AddParameter(form, "a", "1");
        AddParameter(form, "", "ignored"); // no name: nothing added
        EXPECT_EQ(form.ParamValueEdit->Text(), "ignored");
        AddParameter(form, "b", "2");
        AddParameter(form, "c", "3");
        EXPECT_EQ(GridRows(form), (std::vector<String>{"a=1", "b=2", "c=3", "="}));

        DoubleClickRow(form, 1);
        EXPECT_EQ(form.ParamNameEdit->Text(), "b");
        EXPECT_EQ(form.ParamValueEdit->Text(), "2");
        EXPECT_EQ(GridRows(form), (std::vector<String>{"a=1", "c=3", "="}));

        form.StringGrid->SetRow(0);
        form.DeleteButton->Click();
        EXPECT_EQ(GridRows(form), (std::vector<String>{"c=3", "="}));
        // The empty last row stays, whether deleted or double-clicked.
        form.StringGrid->SetRow(1);
        form.DeleteButton->Click();
        DoubleClickRow(form, 1);
        EXPECT_EQ(GridRows(form), (std::vector<String>{"c=3", "="}));
        EXPECT_EQ(form.ParamNameEdit->Text(), "b");

        form.AddButton->Click();
        EXPECT_EQ(GridRows(form), (std::vector<String>{"c=3", "b=2", "="}));
        form.OKButton->Click();
    });
    Main->ObjectDialogs->AppletButtonClick(nullptr);
    EXPECT_EQ(PageText(), "<APPLET>\r\n<PARAM NAME=\"c\" VALUE=\"3\">\r\n"
                          "<PARAM NAME=\"b\" VALUE=\"2\">\r\n</APPLET>");
}

TEST_F(AppletSoundDivTest, EmbedWritesEveryAttribute) {
    struct Case {
        const char* Name;
        std::function<void(TSoundForm&)> Fill;
        String Tag;
    };
    const Case cases[] = {
        {"as it opens", [](TSoundForm& f) { f.FileEdit->SetText("snd/a.mid"); },
         "<EMBED SRC=\"snd/a.mid\" HIDDEN=FALSE AUTOSTART=FALSE WIDTH=200 HEIGHT=50 LOOP=\"-1\">"},
        {"counted loops, hidden",
         [](TSoundForm& f) {
             f.FileEdit->SetText("a.wav");
             TestHooks::ClickMouse(*f.ContinuousCheck, 3, 3);
             f.LoopEdit->SetText("3");
             TestHooks::ClickMouse(*f.HiddenCheck, 3, 3);
             f.WidthEdit->SetText("0");
         },
         "<EMBED SRC=\"a.wav\" HIDDEN=TRUE AUTOSTART=TRUE WIDTH=0 HEIGHT=50 LOOP=3>"},
        {"a full path typed is made relative to the page",
         [this](TSoundForm& f) { f.FileEdit->SetText(Folder + "media/b.wav"); },
         "<EMBED SRC=\"./media/b.wav\" HIDDEN=FALSE AUTOSTART=FALSE WIDTH=200 HEIGHT=50 "
         "LOOP=\"-1\">"},
        {"a browsed file",
         [this](TSoundForm& f) {
             TestHooks::TDialogAnswer chosen;
             chosen.Accepted = true;
             chosen.FileName = Folder + "media/c.mid";
             TestHooks::AnswerDialog(chosen);
             TestHooks::ClickMouse(*f.BrowseButton, 3, 3);
             EXPECT_EQ(f.FileEdit->Text(), "./media/c.mid");
         },
         "<EMBED SRC=\"./media/c.mid\" HIDDEN=FALSE AUTOSTART=FALSE WIDTH=200 HEIGHT=50 "
         "LOOP=\"-1\">"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("aXb", 1, 1);
        Answer<TSoundForm>([&](TSoundForm& form) {
            EXPECT_EQ(form.OpenDialog->InitialDir(),
                      Main->FilePane->DirectoryListBox1->Directory());
            EXPECT_EQ(form.PageFolder, Folder);
            EXPECT_FALSE(form.LoopEdit->Enabled());
            c.Fill(form);
            form.OKButton->Click();
        });
        Main->ObjectDialogs->SoundButtonClick(nullptr);
        EXPECT_EQ(PageText(), "a" + c.Tag + "Xb");
        EXPECT_EQ(SoundForm, nullptr);
    }
}

TEST_F(AppletSoundDivTest, HiddenAutostartAndContinuousAreCoupled) {
    OpenPage("", 0, 0);
    Answer<TSoundForm>([](TSoundForm& form) {
        TestHooks::ClickMouse(*form.HiddenCheck, 3, 3);
        EXPECT_TRUE(form.AutoStartCheck->Checked());
        TestHooks::ClickMouse(*form.AutoStartCheck, 3, 3);
        EXPECT_FALSE(form.HiddenCheck->Checked());
        TestHooks::ClickMouse(*form.ContinuousCheck, 3, 3);
        EXPECT_TRUE(form.LoopEdit->Enabled());
        EXPECT_TRUE(form.LoopUD->Enabled());
        TestHooks::ClickMouse(*form.ContinuousCheck, 3, 3);
        EXPECT_FALSE(form.LoopUD->Enabled());
        form.CancelButton->Click();
    });
    Main->ObjectDialogs->SoundButtonClick(nullptr);
    EXPECT_EQ(PageText(), "");
}

TEST_F(AppletSoundDivTest, DivAndSpanWrapTheSelection) {
    struct Case {
        const char* Name;
        bool Div;
        String Class, Style, Align;
        String Element;
    };
    const Case cases[] = {
        {"braces typed", true, "note", "{color: red}", "CENTER",
         "<DIV CLASS=\"note\" STYLE=\"{color: red}\" ALIGN=CENTER>\r\nX\r\n</DIV>"},
        {"no braces", true, "", "color: red", "", "<DIV STYLE=\"{color: red}\">\r\nX\r\n</DIV>"},
        {"empty braces", true, "", "{}", "", "<DIV>\r\nX\r\n</DIV>"},
        {"SPAN has no alignment", false, "x", "", "RIGHT", "<SPAN CLASS=\"x\">\r\nX\r\n</SPAN>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("aXb", 1, 1);
        Answer<TDivForm>([&](TDivForm& form) {
            EXPECT_EQ(form.Caption(), c.Div ? "<DIV>" : "<SPAN>");
            EXPECT_EQ(form.AlignCombo->Visible(), c.Div);
            EXPECT_EQ(form.AlignLabel->Visible(), c.Div);
            form.ClassCombo->SetText(c.Class);
            form.StyleEdit->SetText(c.Style);
            form.AlignCombo->SetText(c.Align);
            form.OKButton->Click();
        });
        if (c.Div)
            Main->ObjectDialogs->DivButtonClick(nullptr);
        else
            Main->ObjectDialogs->SpanButtonClick(nullptr);
        EXPECT_EQ(PageText(), "a" + c.Element + "b");
        EXPECT_EQ(DivForm, nullptr);
    }
}

TEST_F(AppletSoundDivTest, OneBraceIsTakenOffEachSideOfAStyle) {
    const std::pair<String, String> cases[] = {
        {"{}", ""},  {"{x}", "x"}, {"x", "x"},       {"{x", "x"},
        {"x}", "x"}, {"}", ""},    {"{{x}}", "{x}"}, {"", ""},
    };
    for (const auto& [style, declarations] : cases)
        EXPECT_EQ(StyleDeclarations(style), declarations) << style;
}

TEST_F(AppletSoundDivTest, TheDialogOffersTheClassesOfThePagesStyleBlock) {
    OpenPage("<style>P.intro {color: red} .note {margin: 1.5em}</STYLE><P class=x.y>", 0, 0);
    std::vector<String> offered;
    Answer<TDivForm>([&](TDivForm& form) {
        offered = Items(form.ClassCombo->Items());
        form.CnacelButton->Click();
    });
    Main->ObjectDialogs->DivButtonClick(nullptr);
    EXPECT_EQ(offered, (std::vector<String>{"intro", "note", "5em"}));
}

TEST_F(AppletSoundDivTest, StyleClassesAreReadFromTheFirstStyleBlock) {
    struct Case {
        const char* Name;
        String Page;
        std::vector<String> Classes;
    };
    const Case cases[] = {
        {"no style block", ".a {x}", {}},
        {"no end tag: to the end of the page", "<STYLE>.a {x} .b {y}", {"a", "b"}},
        {"a dot with no brace after it", "<STYLE>.a {x} .b </Style>.c {}", {"a", "b"}},
        {"duplicates and empty names kept", "<STYLE>.a{} .a{} .{}</STYLE>", {"a", "a", ""}},
        {"only the first block", "<STYLE>.a{}</STYLE><STYLE>.b{}</STYLE>", {"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage(c.Page, 0, 0);
        EXPECT_EQ(StyleClasses(), c.Classes);
    }
    Main->TabSheets[0]->SetTabVisible(false);
    ASSERT_FALSE(Main->AnyDocumentOpen());
    EXPECT_EQ(StyleClasses(), std::vector<String>{});
}

TEST_F(AppletSoundDivTest, TheStyleButtonPutsTheSelectionInsideTheComment) {
    OpenPage("aXb", 1, 1);
    Main->ObjectDialogs->StyleButtonClick(nullptr);
    EXPECT_EQ(PageText(), "a<STYLE TYPE=\"text/css\">\r\n<!--\r\nX\r\n\r\n-->\r\n</STYLE>b");
}

TEST_F(AppletSoundDivTest, CancelInsertsNothing) {
    OpenPage("aXb", 1, 1);
    for (auto command : {&TObjectDialogs::AppletButtonClick, &TObjectDialogs::SoundButtonClick,
                         &TObjectDialogs::DivButtonClick, &TObjectDialogs::SpanButtonClick}) {
        TestHooks::AnswerModalResult(mrCancel);
        ((*Main->ObjectDialogs).*command)(nullptr);
    }
    EXPECT_EQ(PageText(), "aXb");
    EXPECT_EQ(AppletForm, nullptr);
    EXPECT_EQ(SoundForm, nullptr);
    EXPECT_EQ(DivForm, nullptr);
}
