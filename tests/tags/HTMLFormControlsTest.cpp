// The Forms page's dialogs: the FORM element, the controls made through the shared control
// dialog with its name check, and the drop-down list; the exact text each puts into the page.

#include "ElementDialogSupport.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "tags/FormDialogs.h"
#include "tags/HTMLFormForm.h"
#include "tags/HTMLSelectForm.h"
#include "tags/HTMLSizeForm.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

using namespace ElementDialogSupport;

namespace {

class FormControlsTest : public ElementDialogTest {
protected:
    // Presses the tag-bar button as the user would.
    void Press(TQmToolbarButton* TTagButtons::*button) {
        TestHooks::ClickMouse(*(Main->TagButtons->*button), 3, 3, mbLeft, {});
    }
};

using B = TTagButtons;

} // namespace

TEST_F(FormControlsTest, AFormGoesAroundTheSelectedLines) {
    struct Case {
        const char* Name;
        String Action;
        String Method;
        String Encoding;
        String Start;
    };
    const Case cases[] = {
        {"action and method", "mail.cgi", "POST", "",
         "<FORM ACTION=\"mail.cgi\" METHOD=\"POST\">\r\n"},
        {"nothing given", "", "", "", "<FORM>\r\n"},
        {"all three", "a.cgi?x=1&y=\"2\"", "GET", "text/plain",
         "<FORM ACTION=\"a.cgi?x=1&amp;y=&quot;2&quot;\" METHOD=\"GET\" "
         "ENCTYPE=\"text/plain\">\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("<P>line</P>", 0, 11);
        Answer<TFormForm>([&](TFormForm& form) {
            EXPECT_EQ(form.ActionCombo->Text(), "");
            form.ActionCombo->SetText(c.Action);
            form.MethodCombo->SetText(c.Method);
            form.EncTypeCombo->SetText(c.Encoding);
            form.OKButton->Click();
        });
        Press(&B::FormButton);
        EXPECT_EQ(PageText(), c.Start + "<P>line</P>\r\n</FORM>");
        EXPECT_EQ(FormForm, nullptr);
    }
}

TEST_F(FormControlsTest, EachInputButtonLaysTheDialogOutForItsInput) {
    struct Case {
        TQmToolbarButton* TTagButtons::*Button;
        String Caption;
        // Which boxes show: size, max length, value, check, file name.
        String Shown;
        std::function<void(TSizeForm&)> Fill;
        String Tag;
    };
    const Case cases[] = {
        {&B::TextButton, "Type: Text", "SMVCF-", [](TSizeForm&) {},
         "<INPUT TYPE=\"text\" NAME=\"Text\"><BR>"},
        {&B::TextButton, "Type: Text", "SMVCF-",
         [](TSizeForm& f) {
             f.SizeEdit->SetText("20");
             f.MaxLengthEdit->SetText("10");
         },
         "<INPUT TYPE=\"text\" NAME=\"Text\" SIZE=\"20\" MAXLENGTH=\"10\"><BR>"},
        {&B::PasswordButton, "Type: Password", "SMV-F-",
         [](TSizeForm& f) { f.ValueEdit->SetText("a\"b&c"); },
         "<INPUT TYPE=\"password\" NAME=\"Password\" VALUE=\"a&quot;b&amp;c\"><BR>"},
        {&B::HiddenButton, "Type: Hidden", "--V-F-",
         [](TSizeForm& f) { f.ValueEdit->SetText("x"); },
         "<INPUT TYPE=\"hidden\" NAME=\"Hidden\" VALUE=\"x\"><BR>"},
        {&B::FormFileButton, "Type: File", "S--CF-",
         [](TSizeForm& f) {
             f.SizeEdit->SetText("40");
             f.Check->SetChecked(true);
         },
         "<INPUT TYPE=\"file\" NAME=\"File\" SIZE=\"40\" DISABLED><BR>"},
        {&B::FormImageButton, "Type: Image", "---CFI",
         [this](TSizeForm& f) {
             TestHooks::TDialogAnswer chosen;
             chosen.Accepted = true;
             chosen.FileName = Folder + "img/go.gif";
             TestHooks::AnswerDialog(chosen);
             f.InputBrowseButton->Click();
         },
         "<INPUT TYPE=\"image\" NAME=\"Image\" SRC=\"./img/go.gif\"><BR>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Tag);
        OpenPage("ab", 1, 0);
        String shown;
        Answer<TSizeForm>([&](TSizeForm& form) {
            EXPECT_EQ(form.Caption(), c.Caption);
            EXPECT_FALSE(form.AlignCombo->Visible());
            EXPECT_FALSE(form.RowsEdit->Visible());
            EXPECT_EQ(form.Check->Caption(), "Disabled");
            for (auto [letter, box] : {std::pair<char, TControl*>{'S', form.SizeEdit},
                                       {'M', form.MaxLengthEdit},
                                       {'V', form.ValueEdit},
                                       {'C', form.Check},
                                       {'F', form.NameEdit},
                                       {'I', form.InputEdit}})
                shown += box->Visible() ? letter : '-';
            c.Fill(form);
            form.OKButton->Click();
        });
        Press(c.Button);
        EXPECT_EQ(shown, c.Shown);
        EXPECT_EQ(PageText(), "a" + c.Tag + "\r\nb");
        EXPECT_EQ(SizeForm, nullptr);
    }
}

TEST_F(FormControlsTest, AControlWithoutItsNameOrRadioValueKeepsTheDialogOpen) {
    struct Case {
        TQmToolbarButton* TTagButtons::*Button;
        String Name;
        String Value;
        String Message;
    };
    const Case cases[] = {
        {&B::TextButton, "", "v", "You must give a NAME for the form item."},
        {&B::RadioButton, "", "", "You must give a VALUE for a radio button."},
        {&B::RadioButton, "r", "", "You must give a VALUE for a radio button."},
        {&B::CheckBoxButton, "", "", "You must give a NAME for the form item."},
        {&B::SubmitButton, "", "", "You must give a NAME for the form item."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Message);
        OpenPage("ab", 1, 0);
        const size_t promptsBefore = TestHooks::Prompts().size();
        bool stayed = false;
        Answer<TSizeForm>([&](TSizeForm& form) {
            form.NameEdit->SetText(c.Name);
            form.ValueEdit->SetText(c.Value);
            TestHooks::AnswerMessageBox(IDOK);
            form.OKButton->Click();
            stayed = form.ModalResult() == mrNone;
            form.NameEdit->SetText("n");
            form.ValueEdit->SetText("v");
            form.OKButton->Click();
        });
        Press(c.Button);
        EXPECT_TRUE(stayed);
        ASSERT_EQ(TestHooks::Prompts().size(), promptsBefore + 2);
        const TestHooks::TPrompt& box = TestHooks::Prompts()[promptsBefore + 1];
        EXPECT_EQ(box.Text, c.Message);
        EXPECT_EQ(box.Caption, "Quiltmarker");
        EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONERROR));
        EXPECT_NE(PageText().find("NAME=\"n\" VALUE=\"v\""), String::npos);
    }
}

TEST_F(FormControlsTest, TextAreasChoicesAndButtons) {
    struct Case {
        TQmToolbarButton* TTagButtons::*Button;
        std::function<void(TSizeForm&)> Fill;
        String Start;
        String End;
    };
    const Case cases[] = {
        {&B::TextAreaButton, [](TSizeForm&) {},
         "<TEXTAREA NAME=\"Textarea\" COLS=\"25\" ROWS=\"1\" WRAP=SOFT></TEXTAREA><BR>", "\r\n"},
        {&B::TextAreaButton,
         [](TSizeForm& f) {
             f.SizeEdit->SetText("");
             f.AlignCombo->SetItemIndex(0);
             f.ValueEdit->SetText("Hello");
             f.Check->SetChecked(true);
         },
         "<TEXTAREA NAME=\"Textarea\" ROWS=\"1\" DISABLED>Hello</TEXTAREA><BR>", "\r\n"},
        {&B::RadioButton,
         [](TSizeForm& f) {
             f.ValueEdit->SetText("Yes");
             f.Check->SetChecked(true);
         },
         "<INPUT TYPE=\"radio\" NAME=\"Radio\" VALUE=\"Yes\" CHECKED>Yes<BR>", "\r\n"},
        {&B::RadioButton,
         [](TSizeForm& f) {
             f.ValueEdit->SetText("Yes");
             f.AlignCombo->SetText("LEFT");
         },
         "Yes<INPUT TYPE=\"radio\" NAME=\"Radio\" VALUE=\"Yes\"><BR>", "\r\n"},
        {&B::CheckBoxButton, [](TSizeForm& f) { f.AlignCombo->SetText("CENTER"); },
         "<INPUT TYPE=\"checkbox\" NAME=\"Checkbox\"><BR>", "\r\n"},
        {&B::SubmitButton, [](TSizeForm& f) { f.ValueEdit->SetText("Send"); },
         "<INPUT TYPE=\"submit\" NAME=\"submit\" VALUE=\"Send\"><BR>", "\r\n"},
        {&B::ResetButton, [](TSizeForm& f) { f.Check->SetChecked(true); },
         "<INPUT TYPE=\"reset\" NAME=\"reset\" DISABLED><BR>", "\r\n"},
        {&B::ButtonButton, [](TSizeForm&) {}, "<BUTTON TYPE=\"button\" NAME=\"button\">",
         "\r\n</BUTTON>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Start);
        OpenPage("ab", 1, 0);
        Answer<TSizeForm>([&](TSizeForm& form) {
            c.Fill(form);
            form.OKButton->Click();
        });
        Press(c.Button);
        EXPECT_EQ(PageText(), "a" + c.Start + c.End + "b");
        EXPECT_EQ(Caret(), 1 + static_cast<int>(c.Start.size()));
    }
}

TEST_F(FormControlsTest, ADropDownListHasAnOptionPerLine) {
    struct Case {
        String Name;
        String Size;
        String Values;
        String Tag;
    };
    const Case cases[] = {
        {"c", "3", "red\r\nblue",
         "<SELECT NAME=\"c\" SIZE=\"3\">\r\n<OPTION>red\r\n<OPTION>blue\r\n</SELECT><BR>"},
        {"", "", "a\r\n\r\nb\r\n",
         "<SELECT SIZE=\"\">\r\n<OPTION>a\r\n<OPTION>\r\n<OPTION>b\r\n</SELECT><BR>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Tag);
        OpenPage("ab", 1, 0);
        Answer<TSelectForm>([&](TSelectForm& form) {
            EXPECT_EQ(form.SizeEdit->Text(), "1");
            form.NameEdit->SetText(c.Name);
            form.SizeEdit->SetText(c.Size);
            form.ValueMemo->SetText(c.Values);
            form.OKButton->Click();
        });
        Press(&B::SelectButton);
        EXPECT_EQ(PageText(), "a" + c.Tag + "\r\nb");
        EXPECT_EQ(SelectForm, nullptr);
    }
}

TEST_F(FormControlsTest, CancelInsertsNothing) {
    OpenPage("ab", 1, 1);
    for (auto button : {&B::FormButton, &B::TextButton, &B::TextAreaButton, &B::SelectButton}) {
        TestHooks::AnswerModalResult(mrCancel);
        Press(button);
    }
    EXPECT_EQ(PageText(), "ab");
    EXPECT_EQ(SizeForm, nullptr);
}

TEST_F(FormControlsTest, UnderTheHelpPointerEachButtonShowsItsTopic) {
    const std::pair<TQmToolbarButton * TTagButtons::*, unsigned> buttons[] = {
        {&B::FormButton, 10800},     {&B::TextButton, 10810},     {&B::PasswordButton, 10825},
        {&B::HiddenButton, 10890},   {&B::FormFileButton, 10893}, {&B::FormImageButton, 10894},
        {&B::TextAreaButton, 10820}, {&B::RadioButton, 10850},    {&B::CheckBoxButton, 10840},
        {&B::SubmitButton, 10860},   {&B::ResetButton, 10870},    {&B::ButtonButton, 10859},
        {&B::SelectButton, 10880},
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
