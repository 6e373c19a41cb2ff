// Multi-publish and multi-copy driven from the main window's file list: the folder-group dialog
// answered as a user would, the pages stamped, published into every folder of a group, the log
// written, and the questions on the way.

#include "PublisherForms.h"
#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/ComCtrls.h"
#include "platform/DateTime.h"
#include "platform/FileCtrl.h"
#include "platform/FileListBox.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "publish/AnimPubForm.h"
#include "publish/HTMLFolderSelect.h"
#include "publish/MultiPublishing.h"
#include "publish/PublishLog.h"
#include "site/FilePane.h"
#include "widgets/QmFilSys.h"

#include <gtest/gtest.h>

using namespace MainWindowSupport;

namespace {

const TDateTime Moment = 45000.5; // Wednesday 15 March 2023, 12:00
const String Page = "<html>\r\n<body>{{filename}}</body>\r\n</html>\r\n";

class MultiPublishTest : public testing::Test {
protected:
    void SetUp() override {
        SetClockForTests([] { return Moment; });
        Site = Folder("site");
        Upload1 = Folder("upload1");
        Upload2 = Folder("upload2");
        Plain = Folder("plain");
        for (const char* name : {"a.html", "b.html", "c.html"})
            WriteFileAtomic(Site + name, Page);
        PublisherForms::Make();
        Form = MakeMainWindow();
        Form->FilePane->DirectoryListBox1->SetDirectory(Site);
        Form->FilePane->FileListBox1->SetMask("*.*");
        Form->FilePane->FileListBox1->Update();
    }

    void TearDown() override {
        Form.reset();
        PublisherForms::Free();
        SetClockForTests({});
    }

    static String Folder(const String& name) {
        String folder = IncludeTrailingPathDelimiter(TestSupport::Sandbox(name));
        ForceDirectories(folder);
        return folder;
    }

    void Select(std::initializer_list<String> names) {
        for (int i = 0; i < Form->FilePane->FileListBox1->Items().Count(); ++i)
            for (const String& name : names)
                if (Form->FilePane->FileListBox1->Items()[i] == name)
                    Form->FilePane->FileListBox1->SetSelected(i, true);
    }

    static void StoreGroup(int group, std::initializer_list<String> folders) {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(MultiPublishKey, true));
        int entry = 0;
        for (const String& folder : folders)
            reg.WriteString(IntToStr(group) + "-" + IntToStr(++entry), folder);
    }

    // Finish on the group tab with the revision and log choices.
    static void AnswerFinish(int tab, void (*choose)(TFolderSelectForm&)) {
        TestHooks::AnswerModal([tab, choose](TForm& form) {
            auto& dialog = dynamic_cast<TFolderSelectForm&>(form);
            dialog.PageControl1->SetActivePageIndex(tab - 1);
            choose(dialog);
            dialog.FinishButtonClick(nullptr);
        });
    }

    static std::vector<String> PromptTexts() {
        std::vector<String> texts;
        for (const TestHooks::TPrompt& prompt : TestHooks::Prompts())
            if (prompt.Kind == "MessageBox")
                texts.push_back(prompt.Text);
        return texts;
    }

    void ExpectCommandEnded() {
        EXPECT_FALSE(Form->MultiPublishing->PublishSelectedFiles);
        EXPECT_FALSE(PublisherForms::MessagesOff());
        EXPECT_EQ(FolderSelectForm, nullptr);
        EXPECT_FALSE(AnimPub->Visible());
    }

    String Site, Upload1, Upload2, Plain;
    std::unique_ptr<THTMLEMainForm> Form;
};

const String UploadQuestion =
    "THIS IS NOT BEING PUBLISHED TO THE UPLOAD FOLDER\n\rIS THIS CORRECT?";

TEST_F(MultiPublishTest, PublishesIntoTwoGroupsWithStampsAndLogsEachRun) {
    const String missing = Site + "gone";
    // A folder written with a trailing separator has an empty last name in the log.
    StoreGroup(1, {ExcludeTrailingPathDelimiter(Upload1), missing, Upload2});
    StoreGroup(2, {ExcludeTrailingPathDelimiter(Plain)});
    Select({"a.html", "b.html"});

    AnswerFinish(1, [](TFolderSelectForm& dialog) {
        dialog.MinorRevButton->SetChecked(true);
        dialog.LogCheck->SetChecked(true);
    });
    TestHooks::AnswerMessageBox(IDOK);  // the missing folder
    TestHooks::AnswerMessageBox(IDOK);  // "Publication completed"
    TestHooks::AnswerMessageBox(IDYES); // create the log
    Form->FilePane->MultiPublish3->Click();

    const String published = "<HTML>\r\n<BODY>a.html</BODY>\r\n</HTML>\r\n";
    EXPECT_EQ(ReadFileBytes(Upload1 + "a.html"), published);
    EXPECT_EQ(ReadFileBytes(Upload2 + "a.html"), published);
    EXPECT_TRUE(FileExists(Upload2 + "b.html"));
    EXPECT_FALSE(FileExists(Upload1 + "c.html"));
    EXPECT_EQ(ReadFileBytes(Site + "a.html"),
              Page + "<!-- LR45000.5LR -->\r\n<!-- LMR45000.5LMR -->\r\n");
    EXPECT_EQ(ReadFileBytes(Site + "c.html"), Page);
    EXPECT_EQ(PromptTexts(), (std::vector<String>{
                                 missing + " does not exist - skipping", "Publication completed",
                                 "No log file exists. OK to create\r\n" + PublishLogFile() + "?"}));
    ExpectCommandEnded();

    // The second group: its folder is not an upload folder, asked once for both files.
    SetClockForTests([] { return Moment + 1.25; });
    TestHooks::Reset();
    AnswerFinish(2, [](TFolderSelectForm& dialog) { dialog.MajorRevButton->SetChecked(true); });
    TestHooks::AnswerMessageBox(IDYES);
    TestHooks::AnswerMessageBox(IDOK);
    // The Publish menu's item, enabled while a document is open.
    Form->MultiPublishing->MultiPublish2->OnClick(Form->MultiPublishing->MultiPublish2);

    EXPECT_EQ(PromptTexts(), (std::vector<String>{UploadQuestion, "Publication completed"}));
    EXPECT_TRUE(FileExists(Plain + "a.html"));
    EXPECT_TRUE(FileExists(Plain + "b.html"));
    EXPECT_EQ(ReadFileBytes(Site + "b.html"),
              Page + "<!-- LR45001.75LR -->\r\n<!-- LMR45001.75LMR -->\r\n");
    EXPECT_EQ(ReadFileBytes(PublishLogFile()),
              "===============================\r\nWed 15 March 2023   12:00:00\r\n"
              "      " +
                  Site + "a.html\r\n      " + Site +
                  "b.html\r\nPublished to:\r\n"
                  "      upload1\r\n      \r\n"
                  "===============================\r\nThu 16 March 2023   18:00:00\r\n"
                  "      " +
                  Site + "a.html\r\n      " + Site +
                  "b.html\r\nPublished to:\r\n"
                  "      plain\r\n");
}

TEST_F(MultiPublishTest, NoAtTheFolderQuestionSkipsTheFileAndCancelEndsTheCommand) {
    StoreGroup(1, {Plain, Upload1});
    Select({"a.html", "b.html", "c.html"});
    AnswerFinish(1, [](TFolderSelectForm&) {});
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerMessageBox(IDCANCEL);
    Form->MultiPublishing->MultiPublish1Click(nullptr);

    EXPECT_EQ(PromptTexts(), (std::vector<String>{UploadQuestion, UploadQuestion}));
    for (const char* name : {"a.html", "b.html", "c.html"}) {
        EXPECT_FALSE(FileExists(Plain + name));
        EXPECT_FALSE(FileExists(Upload1 + name));
    }
    ExpectCommandEnded();
}

TEST_F(MultiPublishTest, CancelAndAnEmptyGroupPublishNothingAndEndTheCommand) {
    StoreGroup(1, {Upload1});
    Select({"a.html"});
    TestHooks::AnswerModalResult(mrCancel);
    Form->MultiPublishing->MultiPublish1Click(nullptr);
    ExpectCommandEnded();

    AnswerFinish(2, [](TFolderSelectForm& dialog) { dialog.MajorRevButton->SetChecked(true); });
    Form->MultiPublishing->MultiPublish1Click(nullptr);
    ExpectCommandEnded();
    EXPECT_FALSE(FileExists(Upload1 + "a.html"));
    EXPECT_EQ(ReadFileBytes(Site + "a.html"), Page);
}

TEST_F(MultiPublishTest, OpenPagesAreOfferedSavingAndOnlyUnchangedOnesAreReloaded) {
    UsePage(*Form, 0, Site + "a.html", Page);
    UsePage(*Form, 1, Site + "b.html", "unsaved edit", true);
    StoreGroup(1, {Upload1});
    Select({"a.html", "b.html"});
    AnswerFinish(1, [](TFolderSelectForm& dialog) { dialog.MinorRevButton->SetChecked(true); });
    TestHooks::AnswerMessageBox(IDNO);  // do not save b.html
    TestHooks::AnswerMessageBox(IDYES); // reload
    Form->MultiPublishing->MultiPublish1Click(nullptr);

    EXPECT_EQ(PromptTexts(),
              (std::vector<String>{Site + "b.html has been modified.\r\nSave before publishing?",
                                   "Reload displayed files?"}));
    EXPECT_EQ(Form->Memos[0]->Text(), Page + "<!-- LR45000.5LR -->\r\n<!-- LMR45000.5LMR -->\r\n");
    EXPECT_FALSE(Form->Memos[0]->Modified());
    EXPECT_EQ(Form->Memos[1]->Text(), "unsaved edit");
    EXPECT_TRUE(Form->Memos[1]->Modified());
}

TEST_F(MultiPublishTest, MultiCopyCopiesTheSelectedFilesIntoEveryFolderOfTheGroup) {
    WriteFileAtomic(Upload2 + "a.html", "old copy");
    StoreGroup(1, {Upload1, Upload2});
    Select({"a.html", "c.html"});
    TestHooks::AnswerModal([](TForm& form) {
        auto& dialog = dynamic_cast<TFolderSelectForm&>(form);
        EXPECT_EQ(dialog.PubCheck->Caption(), "Copy to publish folders");
        EXPECT_FALSE(dialog.RevisionGroupBox->Visible());
        dialog.FinishButtonClick(nullptr);
    });
    Form->FilePane->MultiCopy2->Click();

    for (const String& folder : {Upload1, Upload2}) {
        EXPECT_EQ(ReadFileBytes(folder + "a.html"), Page);
        EXPECT_EQ(ReadFileBytes(folder + "c.html"), Page);
        EXPECT_FALSE(FileExists(folder + "b.html"));
    }
    EXPECT_EQ(FolderSelectForm, nullptr);
}

TEST_F(MultiPublishTest, GroupsTabNamesAndLastTabSurviveTheDialogButTempDoesNot) {
    TestHooks::AnswerModal([this](TForm& form) {
        auto& dialog = dynamic_cast<TFolderSelectForm&>(form);
        dialog.DirListBox->SetDirectory(Upload1);
        dialog.PageControl1->SetActivePageIndex(2);
        dialog.PubAddButtonClick(nullptr);
        dialog.PubAddButtonClick(nullptr); // held already
        dialog.TabNameButtonClick(nullptr);
        dialog.Edit1->SetText("Mirrors");
        dialog.TabNameButtonClick(nullptr);
        dialog.PageControl1->SetActivePageIndex(11);
        dialog.PubAddButtonClick(nullptr);
        dialog.TabNameButtonClick(nullptr);
        dialog.Edit1->SetText("Scratch");
        WORD enter = 13;
        dialog.Edit1KeyDown(nullptr, enter, {});
        EXPECT_EQ(dialog.TabSheets[11]->Caption(), "Scratch");
        dialog.FinishButtonClick(nullptr);
    });
    Form->MultiPublishing->MultiCopy1Click(nullptr);

    TestHooks::AnswerModal([this](TForm& form) {
        auto& dialog = dynamic_cast<TFolderSelectForm&>(form);
        EXPECT_EQ(dialog.PageControl1->ActivePageIndex(), 11);
        EXPECT_EQ(dialog.TabSheets[2]->Caption(), "Mirrors");
        EXPECT_EQ(dialog.TabSheets[11]->Caption(), "Temp");
        EXPECT_EQ(dialog.GroupFolderList(3, 1)->Items().Count(), 1);
        EXPECT_EQ(dialog.GroupFolderList(3, 1)->Items()[0], ExcludeTrailingPathDelimiter(Upload1));
        EXPECT_EQ(dialog.GroupFolderList(12, 1)->Items().Count(), 0);
        EXPECT_EQ(dialog.GroupFolderList(3, 0), nullptr);
        form.SetModalResult(mrCancel);
    });
    Form->MultiPublishing->MultiCopy1Click(nullptr);
}

TEST_F(MultiPublishTest, ShowDatesPublishedReadsTheActivePagesStamps) {
    UsePage(*Form, 0, Site + "a.html", Page + "<!-- LR45001,75LR -->\r\n<!-- LMR45000.5LMR -->");
    TestHooks::AnswerMessageBox(IDOK);
    Form->MultiPublishing->ShowDatesPublished1->Click();
    EXPECT_EQ(PromptTexts(),
              (std::vector<String>{"LAST PUBLISHED REVISIONS\r\n\nLast Major Revision: 15 Mar 2023 "
                                   "at 12:00:00\r\nLast Minor Revision: 16 Mar 2023 at 18:00:00"}));
}

} // namespace
