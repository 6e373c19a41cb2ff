// Help-pointer mode: the next command shows its topic instead of running, then the mode ends;
// commands that do not take part run and leave the mode on. The Help menu's own commands, F1.

#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "editor/FontCommand.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/TestHooks.h"
#include "platform/WinHelp.h"
#include "site/FilePane.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>

using namespace MainWindowSupport;

namespace {

// The mode is the screen's cursor, which outlives a window: every test starts and ends without it.
class HelpPointer : public testing::Test {
protected:
    void SetUp() override { Form = MakeMainWindow(); }
    void TearDown() override {
        Screen->SetCursor(crDefault);
        Screen->SetCursors(crHelp, nullptr);
    }
    void ExpectOneRequest(UINT command, uintptr_t data) {
        const auto& requests = TestHooks::HelpRequests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].HelpFile, Form->HelpFileName);
        EXPECT_EQ(requests[0].Command, command);
        EXPECT_EQ(requests[0].Data, data);
    }

    std::unique_ptr<THTMLEMainForm> Form;
};

} // namespace

TEST_F(HelpPointer, InTheModeACommandShowsItsTopicAndDoesNotRun) {
    struct Case {
        const char* Name;
        std::function<void(THTMLEMainForm&)> Choose;
        THelpContext Topic;
    };
    const Case cases[] = {
        {"Close", [](THTMLEMainForm& f) { f.Documents->Close1->Click(); }, 200},
        {"Close button", [](THTMLEMainForm& f) { f.Documents->CloseButton->Click(); }, 200},
        {"Close All", [](THTMLEMainForm& f) { f.Documents->CloseAll1->Click(); }, 210},
        {"Editor font", [](THTMLEMainForm& f) { f.FontCommand->Editor1->Click(); }, 910},
        {"Printer font", [](THTMLEMainForm& f) { f.FontCommand->Printer1->Click(); }, 910},
        {"Contents", [](THTMLEMainForm& f) { f.Contents1->Click(); }, 1020},
        {"Using Help", [](THTMLEMainForm& f) { f.UsingHelp1->Click(); }, 1027},
        {"Help Pointer again", [](THTMLEMainForm& f) { f.PointerHelp1->Click(); }, 1025},
        {"help button again", [](THTMLEMainForm& f) { f.HelpButton->Click(); }, 1025},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestHooks::Reset();
        UsePage(*Form, 2, "/site/page.htm", "<P>text", true);
        Form->HelpButton->Click();
        ASSERT_EQ(Screen->Cursor(), crHelp);
        EXPECT_TRUE(TestHooks::HelpRequests().empty());

        // A font dialog or a save question would be an unanswered prompt and fail the test.
        c.Choose(*Form);
        ExpectOneRequest(HELP_CONTEXT, c.Topic);
        EXPECT_EQ(Screen->Cursor(), crDefault);
        EXPECT_FALSE(Form->ForceCommandsEnabled);
        EXPECT_TRUE(Form->PageInUse(2));
        EXPECT_EQ(Form->Memos[2]->Text(), "<P>text");

        // The mode has ended: the same command now runs.
        TestHooks::Reset();
        TestHooks::AnswerMessageBox(IDNO);
        Form->Documents->Close1->Click();
        EXPECT_FALSE(Form->PageInUse(2));
        EXPECT_TRUE(TestHooks::HelpRequests().empty());
    }
}

TEST_F(HelpPointer, TopicsFrom30000OnAreShownAsPopups) {
    const std::pair<THelpContext, UINT> cases[] = {
        {29999, HELP_CONTEXT},
        {HelpContexts::IntBrowserBackButtonClick, HELP_CONTEXTPOPUP},
        {HelpContexts::RightScroll1Click, HELP_CONTEXTPOPUP},
    };
    for (auto [number, command] : cases) {
        SCOPED_TRACE(number);
        TestHooks::Reset();
        Form->PointerHelp1->Click();
        EXPECT_TRUE(Form->HandleHelpPointer(number));
        ExpectOneRequest(command, number);
        EXPECT_FALSE(Form->HandleHelpPointer(number)); // the mode has ended
    }
}

// With no page open the document commands and a disabled tag bar can be chosen in the mode, and
// are as they were once it ends.
TEST_F(HelpPointer, TheModeEnablesCommandsAndTheTagBarUntilItEnds) {
    Form->TagButtons->ButtonsPage->SetEnabled(false);
    Form->UpdateDocumentCommands();
    ASSERT_FALSE(Form->AnyDocumentOpen());
    ASSERT_FALSE(Form->Documents->Close1->Enabled());
    ASSERT_FALSE(Form->Documents->Save1->Enabled());

    Form->PointerHelp1->Click();
    EXPECT_TRUE(Form->Documents->Close1->Enabled());
    EXPECT_TRUE(Form->Documents->Save1->Enabled());
    EXPECT_TRUE(Form->Documents->FileSaveButton->Enabled());
    EXPECT_TRUE(Form->TagButtons->ButtonsPage->Enabled());
    EXPECT_EQ(Screen->Cursors(crHelp), Form->HelpCursor);

    Form->Documents->Close1->Click();
    ExpectOneRequest(HELP_CONTEXT, 200);
    EXPECT_FALSE(Form->Documents->Close1->Enabled());
    EXPECT_FALSE(Form->Documents->Save1->Enabled());
    EXPECT_FALSE(Form->Documents->FileSaveButton->Enabled());
    EXPECT_FALSE(Form->TagButtons->ButtonsPage->Enabled());

    // A tag bar that was enabled stays so.
    Form->TagButtons->ButtonsPage->SetEnabled(true);
    Form->PointerHelp1->Click();
    Form->PointerHelp1->Click();
    EXPECT_TRUE(Form->TagButtons->ButtonsPage->Enabled());
}

// Without a page, a bookmark or a tag at the caret, the Edit menu offers every command in the mode.
TEST_F(HelpPointer, TheEditMenuOffersItsCommandsInTheMode) {
    TestHooks::SetClipboardText("");
    Form->PointerHelp1->Click();
    Form->Edit1->Click();
    const TElementNavigation& navigation = *Form->ElementNavigation;
    for (TMenuItem* item :
         {Form->EditCommands->Undo1, Form->EditCommands->Cut1, Form->EditCommands->Copy1,
          Form->EditCommands->Paste1, Form->EditCommands->SelectAll2, navigation.GoTo1,
          navigation.Extendhighlight1, navigation.SelectTag2, navigation.SetBookmark1,
          navigation.GoToBookmark1, Form->FindReplace->Find1, Form->FindReplace->Replace1})
        EXPECT_TRUE(item->Enabled()) << item->Name();
}

// A command that shows the hourglass takes the mode's cursor away but leaves the commands forced
// on; without a page, the Edit menu takes them back as it opens, the bookmark button with them.
TEST_F(HelpPointer, WithoutTheModeTheEditMenuTakesBackTheForcedCommands) {
    Form->PointerHelp1->Click();
    Screen->SetCursor(crDefault);
    const TElementNavigation& navigation = *Form->ElementNavigation;
    ASSERT_TRUE(navigation.BookmarkButton->Enabled());
    Form->Edit1->Click();
    EXPECT_FALSE(navigation.BookmarkButton->Enabled());
    for (TMenuItem* item :
         {Form->EditCommands->Undo1, Form->EditCommands->Cut1, Form->EditCommands->Copy1,
          Form->EditCommands->Paste1, Form->EditCommands->SelectAll2, navigation.GoTo1,
          navigation.Extendhighlight1, navigation.SelectTag2, navigation.SetBookmark1,
          navigation.GoToBookmark1, Form->FindReplace->Find1, Form->FindReplace->Replace1})
        EXPECT_FALSE(item->Enabled()) << item->Name();
}

TEST_F(HelpPointer, OutOfTheModeCommandsRunAndTheGateOnlyForgetsTheInsertKey) {
    UsePage(*Form, 0, "/site/a.htm", "a");
    UsePage(*Form, 1, "/site/b.htm", "b");
    Form->UpdateDocumentCommands();
    Form->InsertToggleKnown = true;
    EXPECT_FALSE(Form->HandleHelpPointer(HelpContexts::BodyButtonClick));
    EXPECT_FALSE(Form->InsertToggleKnown);

    Form->Documents->Close1->Click();
    EXPECT_FALSE(Form->PageInUse(1));
    EXPECT_TRUE(Form->PageInUse(0));
    Form->Contents1->Click();
    Form->UsingHelp1->Click();
    const auto& requests = TestHooks::HelpRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(requests[1].Command, static_cast<UINT>(HELP_HELPONHELP));
    EXPECT_EQ(requests[1].HelpFile, Form->HelpFileName);
}

// Tab stepping does not take part, and neither does a busy spell under the hourglass: both leave
// the mode on for the next command.
TEST_F(HelpPointer, WhatDoesNotTakePartLeavesTheModeOn) {
    UsePage(*Form, 0, "/site/a.htm", "a");
    UsePage(*Form, 1, "/site/b.htm", "b");
    Form->PointerHelp1->Click();

    Form->TabsRight1->Click();
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TabSheets[0]);
    {
        TScreenCursorScope busy(crHourGlass);
        EXPECT_EQ(Screen->Cursor(), crHourGlass);
    }
    EXPECT_EQ(Screen->Cursor(), crHelp);
    EXPECT_TRUE(TestHooks::HelpRequests().empty());

    Form->Documents->CloseAll1->Click();
    ExpectOneRequest(HELP_CONTEXT, 210);
    EXPECT_TRUE(Form->PageInUse(0));
    EXPECT_TRUE(Form->PageInUse(1));
}

// Closing the window in the mode still asks about a modified page; Cancel keeps it and the window.
TEST_F(HelpPointer, ClosingTheWindowInTheModeStillAsksAboutChangedPages) {
    UsePage(*Form, 0, "/site/a.htm", "changed", true);
    Form->PointerHelp1->Click();
    TestHooks::AnswerMessageBox(IDCANCEL);
    bool canClose = true;
    Form->FormCloseQuery(Form.get(), canClose);
    EXPECT_FALSE(canClose);
    EXPECT_TRUE(Form->PageInUse(0));
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "a.htm has changed. Save it?");
}

TEST_F(HelpPointer, F1ShowsTheNumbersTheWindowGivesItsItems) {
    TestHooks::PressKey(*Form->FilePane->FileListBox1, VK_F1);
    ExpectOneRequest(HELP_CONTEXT, 20030);
    const std::pair<const char*, int> items[] = {
        {"Help1", 1010},  {"Contents1", 1020},         {"RefLibHelp", 1030},
        {"IEHelp", 1040}, {"IncludeMultimedia1", 550}, {"SmartTabsMenu", 940},
    };
    for (auto [name, number] : items) {
        auto* item = dynamic_cast<TMenuItem*>(Form->FindComponent(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->HelpContext(), number) << name;
    }
    EXPECT_EQ(Form->TagButtons->ApplicationPage->HelpContext(), 25090);
}

namespace {

// Every number the commands pass to the help pointer is one of the HelpContexts constants, so the
// header that declares them is read as it stands: a number added there needs a topic at once.
std::map<String, THelpContext> DeclaredHelpNumbers() {
    String header = ReadFileBytes(String(QM_SOURCE_DATA) + "/../editor/HelpPointer.h");
    static const std::regex declaration(R"(constexpr THelpContext (\w+) = (\d+);)");
    std::map<String, THelpContext> numbers;
    for (std::sregex_iterator it(header.begin(), header.end(), declaration), end; it != end; ++it)
        numbers[(*it)[1].str()] = static_cast<THelpContext>(std::stoul((*it)[2].str()));
    return numbers;
}

// The numbers the window's own items carry for F1: menu items, tag-bar pages, controls.
void CollectItemHelpNumbers(const TComponent& owner, std::map<String, THelpContext>& numbers) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        TComponent* component = owner.Components(i);
        int number = 0;
        if (auto* item = dynamic_cast<TMenuItem*>(component))
            number = item->HelpContext();
        else if (auto* control = dynamic_cast<TControl*>(component))
            number = control->HelpContext();
        if (number != 0)
            numbers[component->Name()] = static_cast<THelpContext>(number);
        CollectItemHelpNumbers(*component, numbers);
    }
}

} // namespace

TEST_F(HelpPointer, EveryHelpNumberOfTheProgramLeadsToAShippedPage) {
    std::map<String, THelpContext> declared = DeclaredHelpNumbers();
    // The reading of the header must find the constants the commands use, with their values.
    EXPECT_EQ(declared["Close1Click"], HelpContexts::Close1Click);
    EXPECT_EQ(declared["FileListBox1Click"], HelpContexts::FileListBox1Click);
    EXPECT_EQ(declared["IntBrowserRefreshButtonClick"], HelpContexts::IntBrowserRefreshButtonClick);
    EXPECT_EQ(declared["ApplicationPage"], HelpContexts::ApplicationPage);
    EXPECT_GT(declared.size(), 200u);

    std::map<String, THelpContext> carried;
    CollectItemHelpNumbers(*Form, carried);
    EXPECT_EQ(carried["Help1"], HelpContexts::HelpMenu);
    EXPECT_EQ(carried["CommonSheet"], HelpContexts::CommonSheet);

    String helpFile = String(QM_SOURCE_DATA) + PathDelim + "help" + PathDelim + "Quiltmarker.hlp";
    for (const auto* numbers : {&declared, &carried}) {
        for (const auto& [name, number] : *numbers) {
            THelpTopic topic;
            UINT command = number < HelpContexts::FirstPopup ? HELP_CONTEXT : HELP_CONTEXTPOPUP;
            ASSERT_TRUE(FindHelpTopic(helpFile, command, number, topic));
            // A number without a page of its own would show the index page instead.
            EXPECT_FALSE(topic.Page.empty()) << name << " " << number;
        }
    }
}
