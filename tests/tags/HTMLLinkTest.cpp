// The link dialog: the four kinds of link, the boxes each kind shows, the URL reset at each
// showing and the browse button's relative URL.

#include "tags/HTMLLink.h"
#include "ElementDialogSupport.h"
#include "platform/StdCtrls.h"
#include "tags/ElementDialogs.h"
#include "widgets/QmToolbars.h"

using namespace ElementDialogSupport;

namespace {

class LinkDialogTest : public ElementDialogTest {};

TRadioButton* KindButton(TLinkForm& form, char kind) {
    switch (kind) {
    case 'A':
        return form.TargetButton;
    case 'S':
        return form.StyleButton;
    case 'B':
        return form.BaseButton;
    default:
        return form.LinkButton;
    }
}

} // namespace

TEST_F(LinkDialogTest, EachKindOfLinkReplacesTheSelection) {
    struct Case {
        const char* Name;
        char Kind; // H hypertext, A anchor, S style sheet, B base
        String URL;
        String Target;
        String Expected;
        String CaretBefore;
    };
    const Case cases[] = {
        {"hypertext link", 'H', "a.htm", "", "say <A HREF=\"a.htm\">foo</A> now", "</A> now"},
        {"anchor with a target", 'A', "top", "main",
         "say <A NAME=\"top\" TARGET=\"main\">foo</A> now", "</A> now"},
        {"style sheet drops the text", 'S', "s.css", "main",
         "say <LINK REL=\"stylesheet\" HREF=\"s.css\" TYPE=\"text/css\"> now", " now"},
        {"base link", 'B', "b/", "main", "say <BASE HREF=\"b/\" TARGET=\"main\"> now", " now"},
        {"nothing typed", 'H', "http://", "", "say <A HREF=\"http://\">foo</A> now", "</A> now"},
        {"quote and ampersand stay in the value", 'H', "a\"b.cgi?x=1&y=&amp;", "t\"",
         "say <A HREF=\"a&quot;b.cgi?x=1&amp;y=&amp;\" TARGET=\"t&quot;\">foo</A> now", "</A> now"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("say foo now", 4, 3);
        String shownLinkText;
        Answer<TLinkForm>([&](TLinkForm& form) {
            shownLinkText = form.LinkEdit->Text();
            KindButton(form, c.Kind)->SetChecked(true);
            form.URLEdit->SetText(c.URL);
            form.TargetEdit->SetText(c.Target);
            form.OKButton->Click();
        });
        Main->LastShiftState = TShiftState{ssAlt};
        Main->ElementDialogs->LinkButtonClick(nullptr);
        EXPECT_EQ(shownLinkText, "foo");
        EXPECT_EQ(PageText(), c.Expected);
        EXPECT_EQ(Caret(), static_cast<int>(c.Expected.find(c.CaretBefore)));
        EXPECT_EQ(LinkForm, nullptr);
    }
}

TEST_F(LinkDialogTest, CancelAndNoPageInsertNothing) {
    OpenPage("say foo now", 4, 3);
    TestHooks::AnswerModalResult(mrCancel);
    Main->ElementDialogs->LinkButtonClick(nullptr);
    EXPECT_EQ(PageText(), "say foo now");
    EXPECT_EQ(LinkForm, nullptr);

    Main->TabSheets[0]->SetTabVisible(false);
    Main->ElementDialogs->LinkButtonClick(
        nullptr); // no dialog is shown: an unanswered prompt would fail
    EXPECT_EQ(TestHooks::Prompts().size(), 1u);
}

TEST_F(LinkDialogTest, KindsShowTheirBoxesAndTheURLStartsAfreshAtEachShowing) {
    TLinkForm form(nullptr);
    struct Shown {
        char Kind;
        bool Target;
        bool LinkText;
    };
    for (const Shown& s : {Shown{'S', false, false}, Shown{'B', true, false},
                           Shown{'A', true, true}, Shown{'H', true, true}}) {
        SCOPED_TRACE(s.Kind);
        KindButton(form, s.Kind)->SetChecked(true);
        EXPECT_EQ(form.TargetEdit->Visible(), s.Target);
        EXPECT_EQ(form.Label2->Visible(), s.Target);
        EXPECT_EQ(form.LinkEdit->Visible(), s.LinkText);
        EXPECT_EQ(form.Label1->Visible(), s.LinkText);
    }

    OpenPage("x", 0, 0, "sub/page.htm");
    String urlAtShowing;
    Answer<TLinkForm>([&](TLinkForm& dialog) {
        urlAtShowing = dialog.URLEdit->Text();
        TestHooks::TDialogAnswer chosen;
        chosen.Accepted = true;
        chosen.FileName = Folder + "pics/a.htm";
        TestHooks::AnswerDialog(chosen);
        dialog.BrowseButton->Click();
        dialog.OKButton->Click();
    });
    Main->ElementDialogs->LinkButtonClick(nullptr);
    EXPECT_EQ(urlAtShowing, "http://");
    EXPECT_EQ(TestHooks::Prompts().back().Kind, "OpenDialog");
    EXPECT_EQ(PageText(), "<A HREF=\"../pics/a.htm\"></A>x");
}
