// The style sheet wizard as the user runs it: the page's STYLE block into the wizard and back,
// the property lines each set of values gives, and the controls that keep each other consistent.

#include "generators/StyleWizard.h"
#include "generators/CSSMain.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/ElementDialogSupport.h"
#include "tags/TagButtons.h"
#include "widgets/QmCmboBx.h"
#include "widgets/QmCombos.h"
#include "widgets/QmToolbars.h"

using namespace ElementDialogSupport;

namespace {

const std::vector<TFontFamily> Families = {
    {"Verdana", TMPF_TRUETYPE | TMPF_FIXED_PITCH},
    {"Times New Roman", TMPF_TRUETYPE | TMPF_FIXED_PITCH},
    {"Courier New", TMPF_TRUETYPE},
    {"arial", TMPF_TRUETYPE | TMPF_FIXED_PITCH},
};

// The user chooses an item of a list by its text.
void Choose(TComboBox* combo, const String& item) {
    combo->SetItemIndex(combo->Items().IndexOf(item));
    ASSERT_GE(combo->ItemIndex(), 0) << item;
    combo->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
}

void Click(TWinControl* control) {
    control->Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED), 0);
}

void Type(TEdit* edit, const String& text) {
    edit->SetText(text);
}

class StyleWizardTest : public ElementDialogTest {
protected:
    void SetUp() override {
        ElementDialogTest::SetUp();
        TestHooks::SetFontFamilies(Families);
    }
    void RunWizard() { Main->TagButtons->StyleWizardButton->Click(); }
};

class CSSFormTest : public StyleWizardTest {
protected:
    void SetUp() override {
        StyleWizardTest::SetUp();
        Form = std::make_unique<TCSSMainForm>(nullptr);
        Form->FormShow(nullptr);
    }
    String Memo() const { return Form->StyleMemo->Text(); }
    std::unique_ptr<TCSSMainForm> Form;
};

const String Rules = "P\t{\r\n\t\tcolor: red;\r\n\t\t}";
const String OldBlock =
    "<style type=\"text/css\" media=\"screen\">\r\n<!--\r\n" + Rules + "\r\n-->\r\n</Style>";
const String Head = "<HTML>\r\n<HEAD>\r\n<TITLE>t</TITLE>\r\n";
const String Rest = "\r\n</HEAD>\r\n<BODY><STYLE>B { }</STYLE>x</BODY>\r\n</HTML>\r\n";

} // namespace

TEST(FindStyleBlockTest, TakesTheFirstBlockAndItsRules) {
    struct Case {
        String Page;
        bool Found;
        size_t Start;
        size_t Length;
        String Rules;
    };
    for (const Case& c : {
             Case{"a" + OldBlock + "b", true, 1, OldBlock.size(), Rules},
             Case{"<STYLE>\r\n B {x}\r\n</STYLE><style>i {}</style>", true, 0, 25, "B {x}"},
             Case{"<style media=print> <!-- I {} --> </STYLE>", true, 0, 42, "I {}"},
             Case{"</STYLE> <STYLE>u</STYLE>", true, 9, 16, "u"},
             Case{"<STYLE>never closed", false, 0, 0, ""},
             Case{"<P>no style", false, 0, 0, ""},
         }) {
        TStyleBlock block = FindStyleBlock(c.Page);
        EXPECT_EQ(block.Found, c.Found) << c.Page;
        EXPECT_EQ(block.Start, c.Start) << c.Page;
        EXPECT_EQ(block.Length, c.Length) << c.Page;
        EXPECT_EQ(block.Rules, c.Rules) << c.Page;
    }
}

TEST_F(StyleWizardTest, OKWritesTheEditedBlockWhereTheOldOneStood) {
    OpenPage(Head + OldBlock + Rest, 3, 0);
    Answer<TCSSMainForm>([](TCSSMainForm& form) {
        EXPECT_EQ(form.StyleMemo->Text(), Rules);
        EXPECT_EQ(form.StyleMemo->SelStart(), static_cast<int>(Rules.size()));
        EXPECT_TRUE(form.OKButton->Enabled());
        EXPECT_TRUE(form.AddStyleCheck->Checked());
        EXPECT_EQ(form.PageControl->ActivePage(), form.StyleSheet);
        form.StyleMemo->SetSelStart(static_cast<int>(Rules.size()) - 3);
        Choose(form.FontWeightCombo, "bold");
        Click(form.StyleAddButton);
        Click(form.OKButton);
    });
    RunWizard();
    EXPECT_EQ(PageText(), Head +
                              "<STYLE TYPE=\"text/css\">\r\n<!--\r\nP\t{\r\n\t\tcolor: red;\r\n"
                              "\t\tfont-weight: bold;\r\n\t\t}-->\r\n</STYLE>" +
                              Rest);
    EXPECT_EQ(CSSMainForm, nullptr);
}

TEST_F(StyleWizardTest, ABlockConfirmedUnchangedLosesOnlyItsBlanks) {
    OpenPage(Head + OldBlock + Rest, 0, 0);
    Answer<TCSSMainForm>([](TCSSMainForm& form) { Click(form.OKButton); });
    RunWizard();
    EXPECT_EQ(PageText(),
              Head + "<STYLE TYPE=\"text/css\">\r\n<!--\r\n" + Rules + "-->\r\n</STYLE>" + Rest);
}

TEST_F(StyleWizardTest, CancelAndClosingLeaveThePageExactlyAsItWas) {
    for (bool byTitleBar : {false, true}) {
        // A stale Alt press and Replace<> mode must not change what comes back.
        Main->ReplaceAngles = true;
        Main->LastShiftState = {ssAlt};
        OpenPage(Head + OldBlock + Rest, 5, 2);
        if (byTitleBar) {
            TestHooks::AnswerModalResult(mrCancel);
        } else {
            Answer<TCSSMainForm>([](TCSSMainForm& form) {
                Choose(form.SelectorCombo, "H1");
                Click(form.StyleAddButton);
                Click(form.CancelButton);
            });
        }
        RunWizard();
        EXPECT_EQ(PageText(), Head + OldBlock + Rest);
        EXPECT_FALSE(Editor()->Modified());
        EXPECT_EQ(Editor()->SelStart(), 5);
        EXPECT_EQ(Editor()->SelLength(), 2);
    }
}

TEST_F(StyleWizardTest, AStaleAltPressDoesNotLoseTheNewBlock) {
    Main->LastShiftState = {ssAlt};
    Main->ReplaceAngles = true;
    OpenPage("<STYLE>A {}</STYLE>", 0, 0);
    Answer<TCSSMainForm>([](TCSSMainForm& form) { Click(form.OKButton); });
    RunWizard();
    EXPECT_EQ(PageText(), "<STYLE TYPE=\"text/css\">\r\n<!--\r\nA {}-->\r\n</STYLE>");
}

TEST_F(StyleWizardTest, APageWithoutABlockGetsOneInItsHead) {
    const String page = "<HTML><head><TITLE>t</TITLE></head><BODY>x</BODY></HTML>";
    OpenPage(page, 45, 1);
    Answer<TCSSMainForm>([](TCSSMainForm& form) {
        EXPECT_FALSE(form.OKButton->Enabled());
        EXPECT_FALSE(form.AddStyleCheck->Checked());
        EXPECT_EQ(form.StyleMemo->Text(), "");
        Choose(form.SelectorCombo, "BODY");
        Click(form.StyleAddButton);
        EXPECT_TRUE(form.OKButton->Enabled());
        Click(form.AddStyleCheck);
        Click(form.OKButton);
    });
    RunWizard();
    EXPECT_EQ(PageText(), "<HTML><head><TITLE>t</TITLE><STYLE TYPE=\"text/css\">\r\n<!--\r\n"
                          "BODY\t{\r\n\t\t}\r\n-->\r\n</STYLE>\r\n</head><BODY>x</BODY></HTML>");
}

TEST_F(StyleWizardTest, APageWithoutAHeadGetsTheBlockAtTheCaretAndIsToldSo) {
    OpenPage("<P>one</P><P>two</P>", 10, 0);
    Answer<TCSSMainForm>([](TCSSMainForm& form) {
        Choose(form.SelectorCombo, "P");
        Click(form.StyleAddButton);
        Click(form.OKButton);
    });
    TestHooks::AnswerMessageBox(IDOK);
    RunWizard();
    EXPECT_EQ(PageText(), "<P>one</P>P\t{\r\n\t\t}\r\n<P>two</P>");
    ASSERT_FALSE(TestHooks::Prompts().empty());
    EXPECT_EQ(TestHooks::Prompts().back().Text,
              "The page has no HEAD section, so the style sheet was put in at the caret.");
}

TEST_F(CSSFormTest, EachSetOfValuesGivesItsPropertyLines) {
    struct Case {
        const char* Name;
        std::function<void(TCSSMainForm&)> Set;
        String Lines;
    };
    const std::vector<Case> cases = {
        {"nothing", [](TCSSMainForm&) {}, ""},
        {"unit left empty", [](TCSSMainForm& f) { Type(f.FontSizeEdit, "12"); }, ""},
        {"font size", [](TCSSMainForm& f) { Choose(f.FontSizeCombo, "pt"); },
         "\t\tfont-size: 10pt;\r\n"},
        {"font size keyword wins over the unit",
         [](TCSSMainForm& f) {
             Choose(f.FontSizeCombo, "pt");
             Choose(f.FontSizeExtra, "x-large");
         },
         "\t\tfont-size: x-large;\r\n"},
        {"font names",
         [](TCSSMainForm& f) {
             for (const char* name : {"Times New Roman", "Arial, Helvetica, sans-serif", "arial"}) {
                 Choose(f.VisFontCombo, name);
                 Click(f.FontAddButton);
             }
             Choose(f.VisFontCombo, "ARIAL");
             Click(f.FontAddButton);
             Choose(f.VisFontCombo, "----------------");
             Click(f.FontAddButton);
         },
         "\t\tfont-family: \"Times New Roman\", Arial, Helvetica, sans-serif, arial;\r\n"},
        {"colour by name", [](TCSSMainForm& f) { Choose(f.ColorCombo, "Navy"); },
         "\t\tcolor: navy;\r\n"},
        {"colour with More",
         [](TCSSMainForm& f) {
             TestHooks::TDialogAnswer answer;
             answer.Accepted = true;
             answer.Fill = [](TComponent* dialog) {
                 static_cast<TColorDialog*>(dialog)->SetColor(RGB(0x12, 0xAB, 0x0F));
             };
             TestHooks::AnswerDialog(answer);
             Click(f.ColorMoreButton);
             EXPECT_EQ(f.ColorCombo->ColorValue(), RGB(0x12, 0xAB, 0x0F));
         },
         "\t\tcolor: #12AB0F;\r\n"},
        {"background and border colours",
         [](TCSSMainForm& f) {
             Choose(f.BackgroundColorCombo2, "Teal");
             Choose(f.BorderColorCombo, "Silver");
         },
         "\t\tbackground-color: teal;\r\n\t\tborder-color: silver;\r\n"},
        {"decoration in its order",
         [](TCSSMainForm& f) {
             Click(f.TDBlinkCheck);
             Click(f.TDULCheck);
             Click(f.TDLTCheck);
         },
         "\t\ttext-decoration: underline line-through blink;\r\n"},
        {"spacing normal and by number",
         [](TCSSMainForm& f) {
             Click(f.WSButton);
             Type(f.LetterSpacingEdit, "-2");
             Choose(f.LetterSpacingCombo, "px");
         },
         "word-spacing: normal;\r\n\t\tletter-spacing: -2px;\r\n"},
        {"text lists in lower case with their numbers",
         [](TCSSMainForm& f) {
             Choose(f.TextTransformCombo, "capitalize");
             Type(f.TextIndentEdit, "3");
             Choose(f.TextIndentCombo, "em");
             Choose(f.TextAlignEdit, "center");
             Choose(f.VertAlignEdit, "sub");
             Choose(f.WhiteSpaceEdit, "pre");
             Type(f.LineHeightEdit, "120");
             Choose(f.LineHeightCombo, "%");
         },
         "\t\ttext-transform: capitalize;\r\n\t\ttext-indent: 3em;\r\n\t\ttext-align: center;\r\n"
         "\t\tvertical-align: sub;\r\n\t\twhite-space: pre;\r\n\t\tline-height: 120%;\r\n"},
        {"sides",
         [](TCSSMainForm& f) {
             Type(f.PadLeftEdit, "4");
             Choose(f.LPCombo, "px");
             Choose(f.PaddingCombo, "Left");
             Choose(f.LBStyleCombo, "dotted");
             Choose(f.BorderStyleCombo, "Bottom");
             Choose(f.LMCombo, "auto");
         },
         "border-bottom: dotted;\r\npadding-left: 4px;\r\nmargin: auto;\r\n"},
        {"sides left empty by a reset count as all sides",
         [](TCSSMainForm& f) {
             Click(f.StyleAddButton);
             Type(f.PadLeftEdit, "2");
             Choose(f.LPCombo, "em");
             Choose(f.LBStyleCombo, "solid");
         },
         "border-style: solid;\r\npadding: 2em;\r\n"},
        {"border width by keyword",
         [](TCSSMainForm& f) {
             Choose(f.LBWCombo, "px");
             Choose(f.LBWComboExtra, "thick");
             Choose(f.BorderWidthCombo, "All");
         },
         "\t\tborder-width: thick;\r\n"},
        {"border width by its leading digits",
         [](TCSSMainForm& f) {
             Type(f.BWLeftEdit, "2x");
             Choose(f.LBWCombo, "mm");
             Choose(f.BorderWidthCombo, "Top");
         },
         "\t\tborder-top-width: 2mm;\r\n"},
        {"block lists",
         [](TCSSMainForm& f) {
             Choose(f.DisplayCombo, "list-item");
             Choose(f.FloatCombo, "left");
             Choose(f.ClearCombo, "both");
             Type(f.HeightEdit, "20");
             Choose(f.HCombo, "cm");
             Choose(f.WCombo, "auto");
         },
         "\t\tdisplay: list-item;\r\n\t\tfloat: left;\r\n\t\tclear: both;\r\n"
         "\t\theight: 20cm;\r\n\t\twidth: auto;\r\n"},
        {"background position x and y",
         [](TCSSMainForm& f) {
             Choose(f.BGPosXComboExtra, "right");
             Type(f.BPYEdit, "5");
             Choose(f.BGPosYCombo, "%");
         },
         "\t\tbackground-position: right 5%;\r\n"},
        {"background position y without x",
         [](TCSSMainForm& f) {
             Type(f.BPYEdit, "5");
             Choose(f.BGPosYCombo, "%");
         },
         ""},
        {"backgrounds and lists",
         [](TCSSMainForm& f) {
             Type(f.BGImageEdit, "back.gif");
             Choose(f.BGAttachmentCombo, "fixed");
             Choose(f.BGRepeatCombo, "repeat-x");
             Choose(f.ListStyleTypeCombo, "upper-roman");
             Choose(f.ListStylePosCombo, "inside");
             Type(f.ListStyleImageEdit, "dot.png");
         },
         "\t\tbackground-image: url(back.gif);\r\n\t\tbackground-attachment: fixed;\r\n"
         "\t\tbackground-repeat: repeat-x;\r\n\t\tlist-style-type: upper-roman;\r\n"
         "\t\tlist-style-position: inside;\r\n\t\tlist-style-image: url(dot.png);\r\n"},
    };
    for (const Case& c : cases) {
        TCSSMainForm form(nullptr);
        form.FormShow(nullptr);
        c.Set(form);
        Click(form.StyleAddButton);
        EXPECT_EQ(form.StyleMemo->Text(), c.Lines) << c.Name;
        EXPECT_EQ(form.StyleMemo->SelStart(), static_cast<int>(c.Lines.size())) << c.Name;
    }
}

TEST_F(CSSFormTest, ARuleGoesAtTheEndAndItsLinesInsideIt) {
    Form->StyleMemo->SetText("A\t{\r\n\t\t}\r\n");
    Form->StyleMemo->SetSelStart(0);
    Choose(Form->SelectorCombo, "P");
    Form->ClassNameEdit->SetText("intro");
    Choose(Form->FontStyleCombo, "italic");
    Click(Form->StyleAddButton);
    const String expected = "A\t{\r\n\t\t}\r\nP.intro\t{\r\n\t\tfont-style: italic;\r\n\t\t}\r\n";
    EXPECT_EQ(Memo(), expected);
    EXPECT_EQ(Form->StyleMemo->SelStart(), static_cast<int>(expected.size()) - 5);
    // Without a selector the lines go in at the caret.
    Form->StyleMemo->SetSelStart(5);
    Choose(Form->FontVariantCombo, "small-caps");
    Click(Form->StyleAddButton);
    EXPECT_EQ(Memo(), "A\t{\r\n\t\tfont-variant: small-caps;\r\n\t\t}\r\nP.intro\t{\r\n"
                      "\t\tfont-style: italic;\r\n\t\t}\r\n");
    EXPECT_EQ(Form->StyleMemo->SelStart(), 34);
}

TEST_F(CSSFormTest, AddResetsTheValuesButKeepsColoursFontsAndTheStyleText) {
    Click(Form->AddStyleCheck);
    Choose(Form->SelectorCombo, "TD");
    Form->ClassNameEdit->SetText("c");
    Choose(Form->ColorCombo, "Red");
    Choose(Form->VisFontCombo, "Verdana");
    Click(Form->FontAddButton);
    Choose(Form->PaddingCombo, "Top");
    Click(Form->TDNoneCheck);
    Click(Form->LSButton);
    Type(Form->FontSizeEdit, "33");
    Click(Form->StyleAddButton);
    const String style = Memo();
    EXPECT_EQ(style, "TD.c\t{\r\n\t\tfont-family: Verdana;\r\n\t\tcolor: red;\r\n"
                     "letter-spacing: normal;\r\n\t\ttext-decoration: none;\r\n\t\t}\r\n");
    for (TEdit* number : {Form->PadLeftEdit, Form->WordSpacingEdit, Form->LineHeightEdit,
                          Form->MarginLeftEdit, Form->BPYEdit, Form->WidthEdit})
        EXPECT_EQ(number->Text(), "1") << number->Name();
    EXPECT_EQ(Form->FontSizeEdit->Text(), "10");
    for (TComboBox* list : {Form->SelectorCombo, Form->PaddingCombo, Form->BorderStyleCombo,
                            Form->FontStyleCombo, Form->VisFontCombo})
        EXPECT_EQ(list->Text(), "") << list->Name();
    EXPECT_EQ(Form->ClassNameEdit->Text(), "");
    EXPECT_EQ(Form->ColorEdit->Text(), "");
    EXPECT_FALSE(Form->TDNoneCheck->Checked());
    EXPECT_FALSE(Form->LSButton->Checked());
    EXPECT_EQ(Form->FontList->Items().Count(), 0);
    EXPECT_EQ(Form->ColorCombo->Text(), "Red");
    EXPECT_EQ(Form->FontCombo->Text(), "Verdana");
    EXPECT_TRUE(Form->AddStyleCheck->Checked());
    EXPECT_EQ(Memo(), style);
}

TEST_F(CSSFormTest, TheFontListStartsWithTheWebNamesThenTheInstalledFonts) {
    const std::vector<String> expected = {"\"Times New Roman\", Times, serif",
                                          "Arial, Helvetica, sans-serif",
                                          "arial",
                                          "Helvetica",
                                          "Arial Black",
                                          "Times New Roman",
                                          "Times Roman",
                                          "Times",
                                          "Courier New",
                                          "Comic Sans MS",
                                          "Trebuchet MS",
                                          "Impact",
                                          "Verdana",
                                          "Georgia",
                                          "----------------",
                                          "monospace",
                                          "fantasy",
                                          "cursive",
                                          "serif",
                                          "sans-serif",
                                          "-----------------"};
    ASSERT_EQ(Form->FontCombo->Items().Count(), static_cast<int>(expected.size()));
    for (int i = 0; i < Form->FontCombo->Items().Count(); ++i) {
        EXPECT_EQ(Form->FontCombo->Items().Get(i), expected[i]) << i;
        EXPECT_EQ(Form->VisFontCombo->Items().Get(i), expected[i]) << i;
    }
    EXPECT_EQ(Form->VisFontCombo->ItemIndex(), 0);
    EXPECT_EQ(Form->FontCombo->ItemIndex(), 0);
    Choose(Form->VisFontCombo, "Courier New");
    EXPECT_EQ(Form->FontLabel->Font().Name(), "Courier New");
    EXPECT_EQ(Form->FontLabel->Font().Size(), 12);
}

TEST_F(CSSFormTest, DeleteRemovesTheSelectedNames) {
    for (const char* name : {"a", "b", "c", "d"})
        Form->FontList->Items().Add(name);
    Form->FontList->SetSelected(1, true);
    Form->FontList->SetSelected(3, true);
    Click(Form->DeleteButton);
    EXPECT_EQ(Form->FontList->Items().Text(), "a\r\nc\r\n");
}

TEST_F(CSSFormTest, CoupledControlsKeepEachOtherConsistent) {
    TCSSMainForm& f = *Form;
    Choose(f.FontSizeCombo, "em");
    Choose(f.FontSizeExtra, "small");
    EXPECT_EQ(f.FontSizeCombo->Text(), "");
    Choose(f.FontSizeCombo, "px");
    EXPECT_EQ(f.FontSizeExtra->Text(), "");

    Choose(f.WordSpacingCombo, "em");
    Click(f.WSButton);
    EXPECT_EQ(f.WordSpacingCombo->Text(), "");
    Choose(f.WordSpacingCombo, "ex");
    EXPECT_FALSE(f.WSButton->Checked());

    Click(f.TDULCheck);
    Click(f.TDOLCheck);
    Click(f.TDNoneCheck);
    EXPECT_FALSE(f.TDULCheck->Checked());
    EXPECT_FALSE(f.TDOLCheck->Checked());
    Click(f.TDBlinkCheck);
    EXPECT_FALSE(f.TDNoneCheck->Checked());

    Choose(f.BackgroundColorCombo2, "Navy");
    EXPECT_EQ(f.BackgroundColorEdit->Text(), "navy");
    EXPECT_EQ(f.BackgroundColorEdit2->Text(), "navy");
    EXPECT_EQ(f.BackgroundColorCombo->Text(), "Navy");
    Click(f.BGColorTransButton);
    EXPECT_EQ(f.BackgroundColorEdit->Text(), "");
    EXPECT_EQ(f.BackgroundColorEdit2->Text(), "");
    EXPECT_TRUE(f.BGColorTransButton2->Checked());
    f.BackgroundColorEdit2->SetText("#FF0000");
    EXPECT_EQ(f.BackgroundColorEdit->Text(), "#FF0000");
    EXPECT_FALSE(f.BGColorTransButton->Checked());
    EXPECT_FALSE(f.BGColorTransButton2->Checked());

    TestHooks::AnswerDialogCancel();
    Click(f.Button2);
    EXPECT_EQ(f.BackgroundColorEdit->Text(), "#FF0000");

    Choose(f.LMCombo, "auto");
    EXPECT_EQ(f.MarginLeftEdit->Text(), "");
    bool allowed = true;
    f.UpDown4Changing(f.UpDown4, allowed);
    EXPECT_FALSE(allowed);

    Choose(f.BGPosYComboExtra, "top");
    EXPECT_EQ(f.BGPosYComboExtra->Text(), "");
    f.UpDown15Changing(f.UpDown15, allowed = true);
    EXPECT_FALSE(allowed);
    Choose(f.BGPosXCombo, "pt");
    Choose(f.BGPosYComboExtra, "top");
    EXPECT_EQ(f.BGPosYComboExtra->Text(), "top");
    Choose(f.BGPosXComboExtra, "center");
    EXPECT_EQ(f.BGPosXCombo->Text(), "");
}

TEST_F(CSSFormTest, PropertyPagesWaitForAStyleText) {
    TestHooks::AnswerMessageBox(IDOK);
    Form->PageControl->SelectNextPage(true);
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->StyleSheet);
    ASSERT_FALSE(TestHooks::Prompts().empty());
    EXPECT_EQ(TestHooks::Prompts().back().Text,
              "Please add a selector before selecting properties.");
    Choose(Form->SelectorCombo, "EM");
    Click(Form->StyleAddButton);
    Form->PageControl->SelectNextPage(true);
    EXPECT_EQ(Form->PageControl->ActivePage(), Form->FontSheet);
    Click(Form->StyleClearButton);
    EXPECT_EQ(Memo(), "");
}

TEST_F(StyleWizardTest, ReturnInTheStyleTextBreaksTheLineAndClosesNothing) {
    OpenPage("<STYLE>A {}</STYLE>", 0, 0);
    Answer<TCSSMainForm>([](TCSSMainForm& form) {
        form.StyleMemo->SetSelStart(3);
        TestHooks::PressKey(*form.StyleMemo, VK_RETURN);
        EXPECT_EQ(form.ModalResult(), mrNone);
        EXPECT_EQ(form.StyleMemo->Text(), "A {\r\n}");
        Click(form.OKButton);
    });
    RunWizard();
    EXPECT_EQ(PageText(), "<STYLE TYPE=\"text/css\">\r\n<!--\r\nA {\r\n}-->\r\n</STYLE>");
}
