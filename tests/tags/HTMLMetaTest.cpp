// The META dialog: the reading pass over the page's META tags, the block written back after the
// HEAD start tag, Cancel, dates typed in short forms, the settings it keeps, and keyword
// extraction with its exclusion list.

#include "tags/HTMLMeta.h"
#include "ElementDialogSupport.h"
#include "platform/ComCtrls.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "tags/ElementDialogs.h"

using namespace ElementDialogSupport;

namespace {

class MetaDialogTest : public ElementDialogTest {
protected:
    void TearDown() override {
        delete HTMLMetaForm;
        HTMLMetaForm = nullptr;
        ElementDialogTest::TearDown();
    }
    // Shows the dialog for the open page and answers it.
    void RunMeta(std::function<void(THTMLMetaForm&)> answer) {
        Answer<THTMLMetaForm>(answer);
        Main->ElementDialogs->MetaButtonClick(nullptr);
    }
    String Generator() const {
        return "<META NAME=\"Generator\" CONTENT=\"Quiltmarker " + Main->VerLabelInvis->Caption() +
               "\">\r\n";
    }
};

} // namespace

TEST(MetaTags, TheReadingPassTakesTheKnownTagsAndKeepsEverythingElse) {
    struct Case {
        const char* Name;
        String Page;
        String Rest;
        std::function<void(const TMetaFields&)> Check;
    };
    const Case cases[] = {
        {"keywords in lower case, an author tag kept with its line break",
         "<head>\r\n<meta name=\"keywords\" content=\"a,B\">\r\n<META NAME=\"author\" "
         "CONTENT=\"me\">\r\n\r\n<title>t</title>",
         "<head>\r\n<META NAME=\"author\" CONTENT=\"me\">\r\n\r\n<title>t</title>",
         [](const TMetaFields& f) { EXPECT_EQ(f.Keywords, "a,B"); }},
        {"attributes in any order and case", "<Meta Content=\"x y\"   nAme=\"Description\">rest",
         "rest", [](const TMetaFields& f) { EXPECT_EQ(f.Description, "x y"); }},
        {"blanks around = make an unknown tag", "<META NAME = \"rating\" CONTENT=\"R\">\nx",
         "<META NAME = \"rating\" CONTENT=\"R\">\nx",
         [](const TMetaFields& f) { EXPECT_EQ(f.Rating, "old"); }},
        {"an empty value, and none at all",
         "<META NAME=\"rating\" CONTENT=\"\"><META "
         "NAME=\"objecttype\" CONTENT=\">",
         "",
         [](const TMetaFields& f) {
             EXPECT_EQ(f.Rating, "");
             EXPECT_EQ(f.ObjectType, "old");
         }},
        {"a target without its closing quote", "<META HTTP-EQUIV=\"Window-target\" CONTENT=\"_top>",
         "", [](const TMetaFields& f) { EXPECT_EQ(f.TargetWindow, "old"); }},
        {"robots and no-cache",
         "<META NAME=\"robots\" CONTENT=\"NOINDEX,FOLLOW\"><META HTTP-EQUIV=\"Pragma\" "
         "CONTENT=\"no-cache\">",
         "",
         [](const TMetaFields& f) {
             EXPECT_TRUE(f.DontIndex);
             EXPECT_FALSE(f.DontFollow);
             EXPECT_TRUE(f.NoCache);
         }},
        {"refresh with a URL", "<META HTTP-EQUIV=\"Refresh\" CONTENT=\"10; url=Next.html\">", "",
         [](const TMetaFields& f) {
             EXPECT_EQ(f.RedirectSecs, "10");
             EXPECT_EQ(f.RedirectURL, "Next.html");
         }},
        {"refresh without one", "<META HTTP-EQUIV=\"REFRESH\" CONTENT=\"10\">", "",
         [](const TMetaFields& f) { EXPECT_EQ(f.RedirectURL, "old"); }},
        {"a META that never closes", "a<META NAME=\"keywords\" CONTENT=\"k\"",
         "a<META NAME=\"keywords\" CONTENT=\"k\"",
         [](const TMetaFields& f) { EXPECT_EQ(f.Keywords, "old"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TMetaFields fields;
        fields.Keywords = fields.Rating = fields.ObjectType = fields.TargetWindow = "old";
        fields.RedirectURL = "old";
        EXPECT_EQ(TakeMetaTags(c.Page, fields), c.Rest);
        c.Check(fields);
    }
}

TEST_F(MetaDialogTest, OKWritesOneBlockAfterTheHeadAndReadsItBackTheSame) {
    struct Case {
        const char* Name;
        String Page;
        String Before; // the page up to the block
        String After;
    };
    const Case cases[] = {
        {"a head in lower case", "<html><head>\r\n<meta name=KEYWORDS>\r\n<title>t</title>",
         "<html><head>", "\r\n<meta name=KEYWORDS>\r\n<title>t</title>"},
        {"a head with attributes", "<HEADER><HEAD profile=\"p\"><TITLE>",
         "<HEADER><HEAD profile=\"p\">", "<TITLE>"},
        {"no head", "<P>text", "", "<P>text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage(c.Page, 0, 0);
        RunMeta([](THTMLMetaForm& form) {
            form.KeywordMemo->SetText("cats, \"dogs\" & mice");
            form.RevisitEdit->SetText("");
            form.ObjectTypeEdit->SetText("");
            form.RedirectURLEdit->SetText("next.htm");
            form.DontFollowCheck->SetChecked(true);
            form.OKButton->Click();
        });
        String block = "\r\n<META NAME=\"keywords\" CONTENT=\"cats, &quot;dogs&quot; &amp; "
                       "mice\">\r\n<META NAME=\"rating\" CONTENT=\"General\">\r\n"
                       "<META HTTP-EQUIV=\"refresh\" content=\"5; url=next.htm\">\r\n"
                       "<META NAME=\"robots\" CONTENT=\"INDEX,NOFOLLOW\">\r\n" +
                       Generator();
        if (c.After.starts_with("\r\n")) // one line break between the block and the rest
            block.resize(block.size() - 2);
        EXPECT_EQ(PageText(), c.Before + block + c.After);
        EXPECT_EQ(Caret(), static_cast<int>((c.Before + block).size()));

        // Shown again and confirmed unchanged, the page stays as it is.
        const String written = PageText();
        RunMeta([](THTMLMetaForm& form) { form.OKButton->Click(); });
        EXPECT_EQ(PageText(), written);
    }
}

TEST_F(MetaDialogTest, CancelLeavesThePageAsItWas) {
    const String page = "<HEAD>\r\n<META NAME=\"keywords\" CONTENT=\"k\">\r\n</HEAD>";
    OpenPage(page, 5, 0);
    Editor()->SetModified(false);
    String pageWhileShown;
    RunMeta([&](THTMLMetaForm& form) {
        pageWhileShown = PageText();
        EXPECT_EQ(form.KeywordMemo->Text(), "k");
        form.CancelButton->Click();
    });
    EXPECT_EQ(pageWhileShown, "<HEAD>\r\n</HEAD>");
    EXPECT_EQ(PageText(), page);
    EXPECT_FALSE(Editor()->Modified());
    EXPECT_EQ(Caret(), 5);
    EXPECT_NE(HTMLMetaForm, nullptr); // kept, with its fields, for the next use
}

TEST_F(MetaDialogTest, DatesTypedShortAreWrittenLong) {
    struct Case {
        const char* Typed;
        bool US;
        bool ISO;
        const char* Result;
    };
    const Case cases[] = {
        {"1/2/03", false, false, "Sat, 1 Feb, 2003 00:00:00 GMT"},
        {"1/2/03", true, false, "Thu, 2 Jan, 2003 00:00:00 GMT"},
        {"17-7-97", false, false, "Thu, 17 Jul, 1997 00:00:00 GMT"},
        {"1/2/8", false, false, "1/2/8"},
        {"20010315", false, true, "Thu, 15 Mar, 2001 00:00:00 GMT"},
        {"18991231", false, true, "18991231"},
        {"tomorrow", false, false, "tomorrow"},
    };
    THTMLMetaForm form(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        form.USDates->SetChecked(c.US);
        form.ISOCheckBox->SetChecked(c.ISO);
        form.CreationEdit->SetText(c.Typed);
        EXPECT_EQ(form.CreationEdit->Text(), c.Result);
    }
    form.ISOCheckBox->SetChecked(false);
    TestHooks::AnswerMessageBox(IDOK);
    form.ExpireEdit->SetText("31/2/03");
    EXPECT_EQ(form.ExpireEdit->Text(), "31/2/03");
    EXPECT_EQ(TestHooks::Prompts().back().Kind, "MessageBox");
}

TEST_F(MetaDialogTest, SettingsAndHints) {
    {
        THTMLMetaForm form(nullptr);
        form.USDates->SetChecked(true);
        form.ISOCheckBox->SetChecked(true);
        EXPECT_FALSE(form.USDates->Checked());
        Application->SetHint("*Type it as $DATE now");
        EXPECT_EQ(form.HintLabel->Caption(), "Type it as yyyymmdd now");
        Application->SetHint("no star");
        EXPECT_EQ(form.HintLabel->Caption(), "");
        form.CopyrightEdit->SetText("Ann Smith - 1999");
        form.ReplyToEdit->SetText("ann@x.org");
        form.OKButton->Click();
        EXPECT_EQ(Application->HintHidePause(), 5000);
    }
    THTMLMetaForm again(nullptr);
    int year = 0, month = 0, day = 0;
    DecodeDate(Date(), year, month, day);
    EXPECT_EQ(again.CopyrightEdit->Text(), "Ann Smith - " + IntToStr(year));
    EXPECT_EQ(again.ReplyToEdit->Text(), "ann@x.org");
    EXPECT_TRUE(again.ISOCheckBox->Checked());
    EXPECT_FALSE(again.USDates->Checked());
}

TEST(MetaTags, KeywordsAreCountedOutsideTagsWithoutPunctuation) {
    struct Case {
        const char* Name;
        String Page;
        std::unordered_set<String> Excluded;
        std::vector<String> Items;
    };
    const Case cases[] = {
        {"the example paragraph",
         "<P>The cat, the CAT and the dog.</P> x",
         {},
         {"      3    The", "      2    cat", "      1    and", "      1    dog"}},
        {"punctuation, short words, excluded words in any case",
         "<b>e-mail</b> don't ab THE it's <i class=\"x\">E.mail</i> a > b",
         {"the"},
         {"      2    email", "      1    dont", "      1    its"}},
        {"a < with no > after it is text", "word <word", {}, {"      2    word"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<String> items;
        for (const TKeywordCount& k : CountKeywords(c.Page, c.Excluded))
            items.push_back(KeywordItem(k));
        EXPECT_EQ(items, c.Items);
    }
    EXPECT_EQ(KeywordItem({"many", 1234}), "1234    many");
    EXPECT_EQ(WordOfItem("     12    word"), "word");
}

TEST_F(MetaDialogTest, KeywordsPickedFromThePageAndTheExclusionList) {
    WriteFileAtomic(ExcludedWordsFile(), "and\r\n");
    OpenPage("<HEAD><META NAME=\"keywords\" CONTENT=\"old\"></HEAD><BODY>Big cats and big "
             "dogs, cats</BODY>",
             0, 0);
    RunMeta([](THTMLMetaForm& form) {
        form.KeywordButtonClick(nullptr);
        ASSERT_EQ(form.KeyList->Items().Count(), 3);
        EXPECT_EQ(form.PageControl1->ActivePage(), form.KeySheet);
        EXPECT_EQ(form.KeyList->Items()[0], "      2    Big");
        form.KeyList->SetSelected(0, true);
        form.KeyList->SetSelected(2, true);
        form.AddKeyButtonClick(nullptr);
        EXPECT_EQ(form.KeywordMemo->Text(), "old,Big,dogs");
        TestHooks::AnswerMessageBox(IDOK);
        form.AddExButtonClick(nullptr);
        form.KeywordButtonClick(nullptr);
        ASSERT_EQ(form.KeyList->Items().Count(), 1);
        EXPECT_EQ(form.KeyList->Items()[0], "      2    cats");
        form.CancelButton->Click();
    });
    TStringList saved;
    saved.LoadFromFile(ExcludedWordsFile());
    EXPECT_EQ(saved.Text(), "and\r\nBig\r\ndogs\r\n");
}
