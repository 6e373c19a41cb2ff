// The mailto and horizontal-rule dialogs: the exact text each puts into the page, the caret
// afterwards, and Cancel.

#include "ElementDialogSupport.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "tags/ElementDialogs.h"
#include "tags/HTMLMailToForm.h"
#include "tags/HTMLRuleForm.h"

using namespace ElementDialogSupport;

namespace {

class MailToRuleTest : public ElementDialogTest {};

} // namespace

TEST_F(MailToRuleTest, AMailLinkTakesThePlaceOfTheSelection) {
    struct Case {
        const char* Name;
        String Address;
        String Subject;
        String Page;
    };
    const Case cases[] = {
        {"with a subject", "x", "Hi", "<P><A HREF=\"mailto:x?subject=Hi\">Write to us</A></P>"},
        {"without", "x@y.org", "", "<P><A HREF=\"mailto:x@y.org\">Write to us</A></P>"},
        {"a quote in the subject", "x", "Say \"hi\" & go",
         "<P><A HREF=\"mailto:x?subject=Say &quot;hi&quot; &amp; go\">Write to us</A></P>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("<P>Write to us</P>", 3, 11);
        String shownText;
        Answer<TMailToForm>([&](TMailToForm& form) {
            shownText = form.LinkTextEdit->Text();
            form.AddressEdit->SetText(c.Address);
            form.SubjectEdit->SetText(c.Subject);
            form.OKButton->Click();
        });
        Main->ElementDialogs->MailToButtonClick(nullptr);
        EXPECT_EQ(shownText, "Write to us");
        EXPECT_EQ(PageText(), c.Page);
        EXPECT_EQ(Caret(), static_cast<int>(c.Page.find("</P>")));
        EXPECT_EQ(MailToForm, nullptr);
    }
}

TEST_F(MailToRuleTest, ARuleGoesBeforeTheSelectionWithALineBreakAfterIt) {
    struct Case {
        const char* Name;
        std::function<void(TRuleForm&)> Fill;
        String Rule;
    };
    const Case cases[] = {
        {"nothing entered", [](TRuleForm&) {}, "<HR>"},
        {"width in percent",
         [](TRuleForm& f) {
             f.WidthEdit->SetText("50");
             f.PercentCheck->SetChecked(true);
         },
         "<HR WIDTH=\"50%\">"},
        {"out of range: the up-downs' positions",
         [](TRuleForm& f) {
             f.WidthEdit->SetText("400");
             f.SizeEdit->SetText("30");
         },
         "<HR SIZE=\"2\" WIDTH=\"100\">"},
        {"size, alignment and no shade",
         [](TRuleForm& f) {
             f.SizeEdit->SetText("4");
             f.AlignCombo->SetText("CENTER");
             f.NoShadeCheck->SetChecked(true);
         },
         "<HR SIZE=\"4\" ALIGN=CENTER NOSHADE>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("ab", 1, 0);
        Answer<TRuleForm>([&](TRuleForm& form) {
            EXPECT_EQ(form.WidthEdit->Text(), "");
            EXPECT_EQ(form.WidthUpDown->Position(), 100);
            c.Fill(form);
            form.OKButton->Click();
        });
        Main->ElementDialogs->RuleButtonClick(nullptr);
        EXPECT_EQ(PageText(), "a" + c.Rule + "\r\nb");
        EXPECT_EQ(Caret(), 1 + static_cast<int>(c.Rule.size()));
        EXPECT_EQ(RuleForm, nullptr);
    }
}

TEST_F(MailToRuleTest, CancelInsertsNothing) {
    OpenPage("ab", 1, 1);
    TestHooks::AnswerModalResult(mrCancel);
    Main->ElementDialogs->MailToButtonClick(nullptr);
    TestHooks::AnswerModalResult(mrCancel);
    Main->ElementDialogs->RuleButtonClick(nullptr);
    EXPECT_EQ(PageText(), "ab");
    EXPECT_EQ(MailToForm, nullptr);
    EXPECT_EQ(RuleForm, nullptr);
}

// With every page closed, the last page's editor still exists: its selection must not be taken.
TEST_F(MailToRuleTest, WithNoPageOpenTheDialogsChangeNoEditor) {
    OpenPage("old text", 0, 3);
    Main->TabSheets[0]->SetTabVisible(false);
    ASSERT_FALSE(Main->AnyDocumentOpen());
    String shownText = "(not shown)";
    Answer<TMailToForm>([&](TMailToForm& form) {
        shownText = form.LinkTextEdit->Text();
        form.AddressEdit->SetText("x");
        form.OKButton->Click();
    });
    Main->ElementDialogs->MailToButtonClick(nullptr);
    Answer<TRuleForm>([](TRuleForm& form) { form.OKButton->Click(); });
    Main->ElementDialogs->RuleButtonClick(nullptr);
    EXPECT_EQ(shownText, "");
    EXPECT_EQ(PageText(), "old text");
}
