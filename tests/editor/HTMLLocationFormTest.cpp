// The one-line input dialog: filled by the main window, browsing for a file or a folder, narrowed
// for a number, and kept inside the screen when shown.

#include "editor/HTMLLocationForm.h"
#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "editor/DialogGuard.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "site/FilePane.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

// The program's start-up forms that the dialog uses, for one test.
class LocationFormTest : public testing::Test {
protected:
    void SetUp() override { GlobalForm = new TGlobalForm(nullptr); }
    void TearDown() override {
        delete LocationForm;
        LocationForm = nullptr;
        delete GlobalForm;
        GlobalForm = nullptr;
    }

    TLocationForm& MakeLocationForm() {
        EnsureDialog(LocationForm);
        return *LocationForm;
    }
};

} // namespace

TEST_F(LocationFormTest, SetupFillsTheDialogAndTheAnswerIsReadBack) {
    auto main = MakeMainWindow();
    main->FilePane->DirectoryListBox1->SetDirectory(TestSupport::CurrentSandbox);
    ASSERT_TRUE(main->SetupLocationForm("old.htm", "Rename", "New name:", false, true));
    TLocationForm& form = *LocationForm;
    EXPECT_EQ(form.StartFolder, TestSupport::CurrentSandbox);
    EXPECT_EQ(form.LocEdit->Text(), "old.htm");
    EXPECT_EQ(form.LocLabelTop->Caption(), "Rename");
    EXPECT_EQ(form.LocLabel->Caption(), "New name:");
    EXPECT_FALSE(form.BrowseButton->Visible());
    EXPECT_TRUE(form.DirBrowseButton->Visible());
    EXPECT_FALSE(form.AppendFileName);

    // Shown past the screen's right edge, it moves back inside.
    form.SetLeft(1000);
    int shownLeft = 0;
    TestHooks::AnswerModal([&](TForm&) {
        shownLeft = form.Left();
        form.LocEdit->SetText("new.htm");
        form.OKButton->Click();
    });
    {
        TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
        ASSERT_EQ(&*dialog, &form);
        EXPECT_EQ(dialog.ShowModal(), mrOk);
        EXPECT_EQ(dialog->LocEdit->Text(), "new.htm");
    }
    EXPECT_EQ(shownLeft, TestHooks::ScreenSize().cx - form.Width() - 8);
    EXPECT_EQ(LocationForm, nullptr);
}

TEST_F(LocationFormTest, SizeNumberInputDialogNarrowsTheDialog) {
    auto main = MakeMainWindow();
    ASSERT_TRUE(main->SetupLocationForm("12", "", "Line number:", false, false));
    main->SizeNumberInputDialog();
    const TLocationForm& form = *LocationForm;
    EXPECT_EQ(form.Width(), 124);
    EXPECT_EQ(form.LocEdit->Width(), 87);
    EXPECT_EQ(form.OKButton->Left(), 12);
    EXPECT_EQ(form.OKButton->Width(), 43);
    EXPECT_EQ(form.CancelButton->Left(), 58);
    EXPECT_EQ(form.CancelButton->Width(), 43);
}

TEST_F(LocationFormTest, FileBrowsePutsTheChosenFileInTheEdit) {
    TLocationForm& form = MakeLocationForm();
    form.LocEdit->SetText("before");
    TestHooks::AnswerDialogCancel();
    form.BrowseButton->Click();
    EXPECT_EQ(form.LocEdit->Text(), "before");
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.FileName = "/ref/html.hlp";
    TestHooks::AnswerDialog(answer);
    form.BrowseButton->Click();
    EXPECT_EQ(form.LocEdit->Text(), "/ref/html.hlp");
    EXPECT_EQ(TestHooks::Prompts().at(0).Caption, "Locate Help File");
}

TEST_F(LocationFormTest, FolderBrowseWithAndWithoutTheFileName) {
    struct TBrowseCase {
        const char* Name;
        bool AppendFileName;
        const char* Chosen; // nullptr: the browser is cancelled
        const char* Result;
    };
    const TBrowseCase cases[] = {
        {"keeps the name", true, "/new", "/new/page.htm"},
        {"no doubled delimiter", true, "/new/", "/new/page.htm"},
        {"folder alone", false, "/new", "/new"},
        {"cancelled", true, nullptr, "/old/page.htm"},
    };
    TLocationForm& form = MakeLocationForm();
    form.StartFolder = TestSupport::CurrentSandbox;
    for (const TBrowseCase& c : cases) {
        form.AppendFileName = c.AppendFileName;
        form.LocEdit->SetText("/old/page.htm");
        if (c.Chosen) {
            TestHooks::TDialogAnswer answer;
            answer.Accepted = true;
            answer.Folder = c.Chosen;
            TestHooks::AnswerDialog(answer);
        } else {
            TestHooks::AnswerDialogCancel();
        }
        form.DirBrowseButton->Click();
        EXPECT_EQ(form.LocEdit->Text(), c.Result) << c.Name;
        const TestHooks::TPrompt& prompt = TestHooks::Prompts().back();
        EXPECT_EQ(prompt.Kind, "FolderBrowser");
        EXPECT_EQ(prompt.Caption, "Location");
        EXPECT_EQ(prompt.Text, TestSupport::CurrentSandbox);
    }
}
