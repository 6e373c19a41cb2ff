// The date/time dialog as the user runs it from the tag bar: the text each choice puts into the
// page, formats built piece by piece under a fixed clock, zone and locale, and replace codes made,
// changed and deleted in the dialog and then expanded by the publisher from the same registry.

#include "generators/DateCommands.h"
#include "generators/HTMLDate.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/DateTime.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "platform/TimeZone.h"
#include "publish/CodeExpansion.h"
#include "publish/Ferrydock95Main.h"
#include "tags/ElementDialogSupport.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

using namespace ElementDialogSupport;

namespace {

enum class TPage { Date, Time, Misc };

class DateStampsTest : public ElementDialogTest {
protected:
    void SetUp() override {
        ElementDialogTest::SetUp();
        SavedSettings = FormatSettings;
        FormatSettings = EnglishFormatSettings();
        FormatSettings.ShortDateFormat = "dd/mm/yyyy";
        FormatSettings.LongDateFormat = "dddd d mmmm yyyy";
        FormatSettings.ShortTimeFormat = "hh:nn";
        FormatSettings.LongTimeFormat = "hh:nn:ss";
        SetTimeZoneForTests("Europe/London");
        SetMoment(EncodeDate(2026, 7, 3) + EncodeTime(9, 5, 7, 0)); // a Friday in summer time
    }
    void TearDown() override {
        SetClockForTests({});
        SetTimeZoneForTests("");
        FormatSettings = SavedSettings;
        ElementDialogTest::TearDown();
    }
    static void SetMoment(TDateTime moment) {
        SetClockForTests([moment] { return moment; });
    }

    // Presses the page's tag-bar button; answer fills the dialog and closes it.
    void RunStamp(TPage page, std::function<void(TDateForm&)> answer) {
        Answer<TDateForm>(answer);
        TTagButtons& buttons = *Main->TagButtons;
        TQmToolbarButton* button = page == TPage::Date   ? buttons.DateButton
                                   : page == TPage::Time ? buttons.TimeButton
                                                         : buttons.MiscButton;
        button->Click();
        EXPECT_EQ(DateForm, nullptr);
    }

    static String RegistryText(const String& name) {
        TRegistry registry;
        registry.OpenKey(ReplaceCodesKey(), true);
        return registry.ValueExists(name) ? registry.ReadString(name) : "<none>";
    }
    static void WriteCode(const String& name, const String& text) {
        TRegistry registry;
        registry.OpenKey(ReplaceCodesKey(), true);
        registry.WriteString(name, text);
    }
    static String Publish(const String& page) {
        TExpansionContext context;
        context.ReplaceCodes = ReadReplaceCodes();
        context.SourcePath = "/site/page.htm";
        return ExpandCodes(page, context);
    }

    TFormatSettings SavedSettings;
};

// The user's choice of an entry from the list.
void Choose(TComboBox* box, int index) {
    box->SetItemIndex(index);
    box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
}

void Press(TDateForm& form, const String& name) {
    auto* control = dynamic_cast<TControl*>(form.FindComponent(name));
    ASSERT_NE(control, nullptr) << name;
    control->Click();
}

std::vector<String> ItemsOf(TComboBox* box) {
    std::vector<String> items;
    for (int i = 0; i < box->Items().Count(); ++i)
        items.push_back(box->Items()[i]);
    return items;
}

} // namespace

TEST_F(DateStampsTest, OKPutsTheChosenTextAtTheCaret) {
    struct Case {
        const char* Name;
        TPage Page;
        bool Actual;
        int Index; // -1: nothing chosen, the edits as the dialog left them
        std::vector<String> Buttons;
        String Inserted;
    };
    const Case cases[] = {
        {"published preset", TPage::Date, false, 0, {}, "{{ddd d mmmm yyyy}}"},
        {"actual preset", TPage::Date, true, 0, {}, "Fri 3 July 2026"},
        {"slashes", TPage::Date, true, 4, {}, "03/07/26"},
        {"locale short date code", TPage::Date, false, 6, {}, "{{dd/mm/yyyy}}"},
        {"locale long date now", TPage::Date, true, 7, {}, "Friday 3 July 2026"},
        {"time with zone", TPage::Time, true, 3, {}, "09:05:07 BST"},
        {"am/pm now", TPage::Time, true, 2, {}, "9:05 am"},
        {"ampm code", TPage::Time, false, 4, {}, "{{h:nn ampm}} {{GMT}}"},
        {"locale long time code", TPage::Time, false, 7, {}, "{{hh:nn:ss}}"},
        {"pieces, trailing blank trimmed",
         TPage::Date,
         false,
         -1,
         {"Day1Button", "SpeedButton4", "DashButton", "SpeedButton10"},
         "{{ddd d\"-\"yyyy}}"},
        {"pieces now",
         TPage::Date,
         true,
         -1,
         {"Day1Button", "SpeedButton4", "DashButton", "SpeedButton10"},
         "Fri 3-2026"},
        {"empty published code on the date page", TPage::Date, false, -1, {}, ""},
        {"file name now", TPage::Misc, true, 0, {}, "page.htm"},
        {"empty actual gives way to the code", TPage::Misc, true, 2, {}, "{{Last Major Revision}}"},
        {"both empty", TPage::Misc, true, -1, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("ab\r\ncd", 2, 0);
        RunStamp(c.Page, [&c](TDateForm& form) {
            if (c.Actual)
                form.ActualDateButton->SetChecked(true);
            if (c.Index >= 0)
                Choose(form.PubEdit, c.Index);
            for (const String& button : c.Buttons)
                Press(form, button);
            form.OKButton->Click();
        });
        EXPECT_EQ(PageText(), "ab" + c.Inserted + "\r\ncd");
        EXPECT_EQ(Caret(), 2 + static_cast<int>(c.Inserted.size()));
    }
}

// A dialog shown would be an unanswered prompt and fail the test.
TEST_F(DateStampsTest, InHelpPointerModeTheButtonsShowTheirTopics) {
    const std::pair<TPage, uintptr_t> cases[] = {
        {TPage::Date, 11200}, {TPage::Time, 11210}, {TPage::Misc, 11202}};
    for (const auto& [page, topic] : cases) {
        SCOPED_TRACE(topic);
        TestHooks::Reset();
        OpenPage("ab", 1, 0);
        Main->HelpButton->Click();
        TTagButtons& buttons = *Main->TagButtons;
        (page == TPage::Date   ? buttons.DateButton
         : page == TPage::Time ? buttons.TimeButton
                               : buttons.MiscButton)
            ->Click();
        ASSERT_EQ(TestHooks::HelpRequests().size(), 1u);
        EXPECT_EQ(TestHooks::HelpRequests()[0].Data, topic);
        EXPECT_EQ(PageText(), "ab");
    }
    Screen->SetCursor(crDefault);
}

TEST_F(DateStampsTest, CancelPutsNothingIn) {
    OpenPage("ab", 1, 0);
    RunStamp(TPage::Date, [](TDateForm& form) {
        Choose(form.PubEdit, 1);
        form.CancelButton->Click();
    });
    EXPECT_EQ(PageText(), "ab");
}

TEST_F(DateStampsTest, PiecesBuildTheCodeAndDeleteLastTakesThemOffInStep) {
    struct Case {
        TPage Page;
        std::vector<String> Buttons;
        String Published;
        String Actual;
    };
    const Case cases[] = {
        {TPage::Date,
         {"Day1Button", "SpeedButton4", "SpeedButton8", "SpeedButton10"},
         "{{ddd d mmm yyyy }}",
         "Fri 3 Jul 2026 "},
        {TPage::Date, {"Day1Button", "SpeedButton4", "DashButton"}, "{{ddd d\"-\"}}", "Fri 3-"},
        {TPage::Date, {"SpeedButton3", "StrokeButton", "SpeedButton5"}, "{{dd\"/\"mm }}", "03/07 "},
        {TPage::Date,
         {"SpeedButton2", "SpeedButton6", "SpeedButton9"},
         "{{dddd mmmm yy }}",
         "Friday July 26 "},
        {TPage::Date, {"Day1Button", "SpeedButton4", "DeleteButton"}, "{{ddd }}", "Fri "},
        {TPage::Date, {"Day1Button", "SpeedButton4", "DeleteButton", "DeleteButton"}, "{{}}", ""},
        {TPage::Date, {"DeleteButton"}, "", ""},
        // A quoted separator goes with the piece before it, as in the actual text.
        {TPage::Date,
         {"Day1Button", "SpeedButton4", "DashButton", "DeleteButton"},
         "{{ddd }}",
         "Fri "},
        {TPage::Time, {"Hour0Button", "Min0Button"}, "{{hh:nn:}}", "09:05:"},
        {TPage::Time,
         {"HourNo0Button", "MinNo0Button", "SecNo0Button", "AMPMButton"},
         "{{h:n:s am/pm }}",
         "9:5:7 am "},
        {TPage::Time,
         {"Hour0Button", "Min0Button", "HrsButton"},
         "{{hh:nn:\" Hrs\" }}",
         "09:05:Hrs "},
        {TPage::Time,
         {"Hour0Button", "Min0Button", "HrsButton", "Delete2Button"},
         "{{hh:nn:}}",
         "09:05:"},
        {TPage::Time, {"Hour0Button", "Sec0Button", "AtButton"}, "{{hh:ss \"at\" }}", "09:07 at "},
        {TPage::Time,
         {"Hour0Button", "Min0Button", "GMTButton"},
         "{{hh:nn:}} {{GMT}}",
         "09:05:BST"},
        {TPage::Time,
         {"Hour0Button", "TrueGMTButton", "TrueGMTButton"},
         "{{convgmt}} {{hh:}}",
         "09:"},
        {TPage::Time, {"Hour0Button", "LocalTimeButton"}, "{{hh: \"BST\"  }}", "09: \"BST\"  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Buttons.back());
        OpenPage("", 0, 0);
        RunStamp(c.Page, [&c](TDateForm& form) {
            for (const String& button : c.Buttons)
                Press(form, button);
            EXPECT_EQ(form.PubEdit->Text(), c.Published);
            EXPECT_EQ(form.ActualEdit->Text(), c.Actual);
            form.CancelButton->Click();
        });
    }
}

TEST_F(DateStampsTest, TheZoneButtonsFollowDaylightTime) {
    struct Case {
        TDateTime Moment;
        String Word;
        String Hint;
    };
    const Case cases[] = {
        {EncodeDate(2026, 7, 3) + EncodeTime(21, 0, 0, 0), "BST",
         "Insert \"BST\" (British Summer Time)"},
        {EncodeDate(2026, 1, 9) + EncodeTime(21, 0, 0, 0), "GMT",
         "Insert \"GMT\" (Greenwich Mean Time)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Word);
        SetMoment(c.Moment);
        OpenPage("", 0, 0);
        RunStamp(TPage::Time, [&c](TDateForm& form) {
            EXPECT_EQ(form.LocalTimeButton->Caption(), c.Word);
            EXPECT_EQ(form.LocalTimeButton->Hint(), c.Hint);
            EXPECT_EQ(form.ActualEdit->Items()[4], "9:00 pm " + c.Word);
            EXPECT_EQ(form.ActualDateButton->Caption(), "Actual Time");
            EXPECT_EQ(form.PubDateButton->Caption(), "Published Time");
            form.CancelButton->Click();
        });
    }
}

TEST_F(DateStampsTest, TheReadyMadeListsHoldEightEntriesInStep) {
    OpenPage("", 0, 0);
    RunStamp(TPage::Date, [](TDateForm& form) {
        EXPECT_EQ(ItemsOf(form.PubEdit),
                  (std::vector<String>{"{{ddd d mmmm yyyy}}", "{{dddd d mmm yyyy}}",
                                       "{{ddd d mmm yyyy}}", "{{dddd d mmmm yyyy}}",
                                       "{{dd\"/\"mm\"/\"yy}}", "{{dd\"-\"mm\"-\"yy}}",
                                       "{{dd/mm/yyyy}}", "{{dddd d mmmm yyyy}}"}));
        EXPECT_EQ(ItemsOf(form.ActualEdit),
                  (std::vector<String>{"Fri 3 July 2026", "Friday 3 Jul 2026", "Fri 3 Jul 2026",
                                       "Friday 3 July 2026", "03/07/26", "03-07-26", "03/07/2026",
                                       "Friday 3 July 2026"}));
        // Choosing in either list chooses the same entry in the other.
        Choose(form.ActualEdit, 5);
        EXPECT_EQ(form.PubEdit->Text(), "{{dd\"-\"mm\"-\"yy}}");
        Choose(form.PubEdit, 1);
        EXPECT_EQ(form.ActualEdit->Text(), "Friday 3 Jul 2026");
        // The Time page has its own lists.
        form.PageControl1->SetActivePage(form.TimeSheet);
        form.PageControl1Change(form.PageControl1);
        EXPECT_EQ(ItemsOf(form.PubEdit),
                  (std::vector<String>{"{{hh:nn:ss}}", "{{hh:nn}}", "{{h:nn ampm}}",
                                       "{{hh:nn:ss}} {{GMT}}", "{{h:nn ampm}} {{GMT}}",
                                       "{{hh:nn}} {{GMT}}", "{{hh:nn}}", "{{hh:nn:ss}}"}));
        EXPECT_EQ(ItemsOf(form.ActualEdit),
                  (std::vector<String>{"09:05:07", "09:05", "9:05 am", "09:05:07 BST",
                                       "9:05 am BST", "09:05 BST", "09:05", "09:05:07"}));
        form.CancelButton->Click();
    });
}

TEST_F(DateStampsTest, AUserDefinitionsDialogTurnedToTheDatePageShowsSamples) {
    OpenPage("", 0, 0);
    RunStamp(TPage::Misc, [](TDateForm& form) {
        form.PageControl1->SetActivePage(form.DateSheet);
        form.PageControl1Change(form.PageControl1);
        EXPECT_EQ(form.SpeedButton6->Caption(), "July");
        EXPECT_EQ(form.ActualEdit->Items()[7], "Friday 3 July 2026");
        Press(form, "SpeedButton6");
        // The lists show their first entries again, as on every turn of the page.
        EXPECT_EQ(form.ActualEdit->Text(), "Fri 3 July 2026July ");
        form.CancelButton->Click();
    });
}

TEST_F(DateStampsTest, ATwoLineCodeIsSavedListedAndPublished) {
    WriteCode("zeta", "last");
    WriteCode("Alpha", "first");
    {
        TRegistry registry;
        registry.OpenKey(ReplaceCodesKey(), true);
        registry.WriteInteger("number", 5); // no code: passed over
        registry.WriteString("empty", "");
    }
    OpenPage("x", 1, 0, "site.htm");
    RunStamp(TPage::Misc, [](TDateForm& form) {
        EXPECT_EQ(form.ActualDateButton->Caption(), "Actual Insert");
        EXPECT_TRUE(form.ExpandButton->Visible());
        Press(form, "NewButton");
        EXPECT_TRUE(form.SaveButton->Enabled());
        // While a new definition is made the lists go their own ways.
        Choose(form.PubEdit, 1);
        EXPECT_EQ(form.ActualEdit->Text(), "");
        form.PubEdit->SetText("{{sig}}");
        Press(form, "ExpandButton");
        EXPECT_EQ(form.Height(), TDateForm::ExpandedHeight);
        form.ActualMemo->SetText("Jo\r\nSmith");
        Press(form, "SaveButton");
        EXPECT_FALSE(form.ActualMemo->Visible());
        EXPECT_EQ(form.Height(), TDateForm::NormalHeight);
        EXPECT_FALSE(form.SaveButton->Enabled());
        EXPECT_EQ(form.PubEdit->Text(), "{{sig}}");
        EXPECT_EQ(
            ItemsOf(form.PubEdit),
            (std::vector<String>{"{{filename}}", "{{fullpath}}", "{{Last Major Revision}}",
                                 "{{Last Minor Revision}}", "{{Alpha}}", "{{sig}}", "{{zeta}}"}));
        EXPECT_EQ(form.ActualEdit->Items()[0], "site.htm");
        EXPECT_EQ(form.ActualEdit->Items()[5], "Jo\\nSmith");
        form.ActualDateButton->SetChecked(true);
        Choose(form.PubEdit, 5);
        form.OKButton->Click();
    });
    EXPECT_EQ(RegistryText("sig"), "Jo\\nSmith");
    // The actual text goes in as the publisher would write it.
    EXPECT_EQ(PageText(), "xJo\r\nSmith");
    EXPECT_EQ(Publish("<p>{{sig}}</p>"), "<p>Jo\r\nSmith</p>");
}

TEST_F(DateStampsTest, SavingOverAnExistingCodeAsksFirst) {
    WriteCode("sig", "old");
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        OpenPage("", 0, 0);
        RunStamp(TPage::Misc, [answer](TDateForm& form) {
            TestHooks::AnswerMessageBox(answer);
            Press(form, "NewButton");
            form.PubEdit->SetText("SIG"); // braces and case as the user likes
            form.ActualEdit->SetText("new");
            Press(form, "SaveButton");
            EXPECT_FALSE(form.SaveButton->Enabled());
            form.CancelButton->Click();
        });
        const TestHooks::TPrompt& asked = TestHooks::Prompts().back();
        EXPECT_EQ(asked.Text, "An entry already exists for \"SIG\".\r\nReplace it?");
        EXPECT_EQ(asked.Caption, "Quiltmarker");
        EXPECT_EQ(asked.Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(RegistryText("sig"), answer == IDYES ? "new" : "old");
    }
    EXPECT_EQ(ReadReplaceCodes().Names.size(), 1u);
    EXPECT_EQ(Publish("{{sig}}"), "new");
}

TEST_F(DateStampsTest, ReplacingTheChosenCodeKeepsOneEntry) {
    WriteCode("sig", "old");
    OpenPage("", 0, 0);
    RunStamp(TPage::Misc, [](TDateForm& form) {
        TestHooks::AnswerMessageBox(IDYES);
        Choose(form.PubEdit, 4);
        TestHooks::TypeText(*form.ActualEdit, "er");
        Press(form, "SaveButton");
        EXPECT_EQ(ItemsOf(form.PubEdit).size(), 5u);
        EXPECT_EQ(form.ActualEdit->Items()[4], "older");
        form.CancelButton->Click();
    });
    EXPECT_EQ(RegistryText("sig"), "older");
}

TEST_F(DateStampsTest, DeletingTheChosenCodeRemovesItEverywhere) {
    WriteCode("sig", "Jo");
    WriteCode("tag", "line");
    OpenPage("", 0, 0);
    RunStamp(TPage::Misc, [](TDateForm& form) {
        Choose(form.PubEdit, 4);
        Press(form, "DelButton");
        EXPECT_EQ(form.PubEdit->Text(), "");
        EXPECT_EQ(form.ActualEdit->Text(), "");
        EXPECT_EQ(ItemsOf(form.PubEdit).back(), "{{tag}}");
        EXPECT_EQ(ItemsOf(form.ActualEdit).back(), "line");
        EXPECT_EQ(ItemsOf(form.PubEdit).size(), 5u);
        form.CancelButton->Click();
    });
    EXPECT_EQ(RegistryText("sig"), "<none>");
    EXPECT_EQ(Publish("{{tag}}"), "line");
    EXPECT_EQ(ReadReplaceCodes().IndexOf("sig"), -1);
}

TEST_F(DateStampsTest, ACodeThePublisherCouldNeverFinishIsRefused) {
    WriteCode("a", "x {{b}}");
    struct Case {
        const char* Name;
        String Code;
        String Text;
        String Message;
    };
    const Case cases[] = {
        {"names itself", "loop", "again {{loop}}", "Syntax error: Unclosed {{"},
        {"through another code", "b", "y {{a}}", "Syntax error: Unclosed {{"},
        {"no name", "{{}}", "text", "A replace code needs a name."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenPage("", 0, 0);
        RunStamp(TPage::Misc, [&c](TDateForm& form) {
            TestHooks::AnswerMessageBox(IDOK);
            Press(form, "NewButton");
            form.PubEdit->SetText(c.Code);
            form.ActualEdit->SetText(c.Text);
            Press(form, "SaveButton");
            EXPECT_TRUE(form.SaveButton->Enabled());
            form.CancelButton->Click();
        });
        EXPECT_EQ(TestHooks::Prompts().back().Text, c.Message);
        EXPECT_EQ(ReadReplaceCodes().Names, (std::vector<String>{"a"}));
    }
    // A code that names another one that ends is fine.
    OpenPage("", 0, 0);
    RunStamp(TPage::Misc, [](TDateForm& form) {
        Press(form, "NewButton");
        form.PubEdit->SetText("b");
        form.ActualEdit->SetText("y {{filename}}");
        Press(form, "SaveButton");
        form.CancelButton->Click();
    });
    EXPECT_EQ(Publish("{{a}}"), "x y page.htm");
}

TEST_F(DateStampsTest, TypingANewDefinitionAsksToSaveItAtOK) {
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        OpenPage("", 0, 0);
        RunStamp(TPage::Date, [answer](TDateForm& form) {
            TestHooks::AnswerMessageBox(answer);
            form.PubEdit->SetText("{{stamp}}");
            TestHooks::TypeText(*form.ActualEdit, "made ");
            form.OKButton->Click();
        });
        EXPECT_EQ(TestHooks::Prompts().back().Text, "Save new definition?");
        EXPECT_EQ(PageText(), "{{stamp}}");
        EXPECT_EQ(RegistryText("stamp"), answer == IDYES ? "made " : "<none>");
    }
}

TEST_F(DateStampsTest, TypingInTheOpenCodeListJumpsToTheNextCodeOfThatLetter) {
    WriteCode("link", "<A>");
    WriteCode("zed", "Z");
    OpenPage("", 0, 0);
    RunStamp(TPage::Misc, [](TDateForm& form) {
        Choose(form.PubEdit, 0);
        form.PubEdit->SetDroppedDown(true);
        const std::pair<const char*, int> steps[] = {{"L", 2}, {"l", 3}, {"L", 4}, {"l", 2},
                                                     {"f", 0}, {"F", 1}, {"f", 0}, {"z", 5}};
        for (const auto& [key, index] : steps) {
            TestHooks::TypeText(*form.PubEdit, key);
            EXPECT_EQ(form.PubEdit->ItemIndex(), index) << key;
            EXPECT_EQ(form.ActualEdit->ItemIndex(), index) << key;
        }
        EXPECT_EQ(form.ActualEdit->Text(), "Z");
        // The chosen code is the only one of its letter: the key only empties the edit.
        TestHooks::TypeText(*form.PubEdit, "z");
        EXPECT_EQ(form.PubEdit->Text(), "");
        // With the list closed the key is typed as any other.
        form.PubEdit->SetDroppedDown(false);
        TestHooks::TypeText(*form.PubEdit, "l");
        EXPECT_EQ(form.PubEdit->Text(), "l");
        form.CancelButton->Click();
    });
}

TEST_F(DateStampsTest, PrintingListsEveryCodeWithItsText) {
    WriteCode("sig", "Jo\\nSmith");
    OpenPage("", 0, 0);
    RunStamp(TPage::Misc, [](TDateForm& form) {
        TestHooks::AnswerDialogCancel();
        TestHooks::TDialogAnswer print;
        print.Accepted = true;
        TestHooks::AnswerDialog(print);
        Press(form, "PrintButton");
        EXPECT_TRUE(TestHooks::PrintJobs().empty());
        Press(form, "PrintButton");
        form.CancelButton->Click();
    });
    ASSERT_EQ(TestHooks::PrintJobs().size(), 1u);
    const TestHooks::TPrintJob& job = TestHooks::PrintJobs().front();
    const String indent(10, ' ');
    EXPECT_EQ(job.Title, "Publishing Codes");
    EXPECT_EQ(job.Text, "{{filename}}\r\n" + indent +
                            "(Name of current file inserted by computer)\r\n\r\n"
                            "{{fullpath}}\r\n" +
                            indent +
                            "(Path and name of current file inserted by computer)\r\n\r\n"
                            "{{Last Major Revision}}\r\n" +
                            indent + "\r\n\r\n{{Last Minor Revision}}\r\n" + indent +
                            "\r\n\r\n{{sig}}\r\n" + indent + "Jo\r\n" + indent + "Smith\r\n\r\n");
}

TEST_F(DateStampsTest, ACodeMadeAtOKIsPutInAndExpandedWhenThePageIsPublished) {
    OpenPage("<P></P>", 3, 0);
    RunStamp(TPage::Misc, [](TDateForm& form) {
        TestHooks::AnswerMessageBox(IDYES);
        Press(form, "NewButton");
        form.PubEdit->SetText("sig");
        Press(form, "ExpandButton");
        form.ActualMemo->SetText("Jo\r\nSmith");
        form.OKButton->Click();
    });
    EXPECT_EQ(TestHooks::Prompts().back().Text, "Save new definition?");
    EXPECT_EQ(PageText(), "<P>{{sig}}</P>");

    const String source = Folder + "signed.htm";
    const String upload = IncludeTrailingPathDelimiter(TestSupport::Sandbox("upload"));
    ForceDirectories(upload);
    WriteFileAtomic(source, PageText());
    TFerrydock95Form publisher(nullptr);
    publisher.PublishTo->SetText(upload);
    publisher.PubFileName->SetText(source);
    TestHooks::AnswerMessageBox(IDOK);
    publisher.PublishFiles();
    EXPECT_EQ(ReadFileBytes(upload + "signed.htm"), "<P>Jo\r\nSmith</P>\r\n");
}
