#include "publish/Ferrydock95Main.h"
#include "publish/HTMLPublishTo.h"

#include "TestSupport.h"
#include "editor/MainWindowSupport.h"
#include "platform/FileListBox.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "publish/ExternalBrowsers.h"
#include "publish/MultiPublishing.h"
#include "publish/PublishCommands.h"
#include "site/FilePane.h"
#include "site/TagChecking.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace MainWindowSupport;

namespace {

const String Publish = "\\Software\\Olvane\\Quiltmarker\\Publish";
const String PageText = "<html>\r\n<body>New</body>\r\n</html>\r\n";
const String PublishedText = "<HTML>\r\n<BODY>New</BODY>\r\n</HTML>\r\n";
const String UploadQuestion =
    "THIS IS NOT BEING PUBLISHED TO THE UPLOAD FOLDER\n\rIS THIS CORRECT?";

class PublishCommandsTest : public testing::Test {
public:
    void SetUp() override {
        Site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("Site"));
        Upload = IncludeTrailingPathDelimiter(TestSupport::Sandbox("upload"));
        ForceDirectories(Site);
        ForceDirectories(Upload);
        GlobalForm = new TGlobalForm(nullptr);
        Ferrydock95Form = new TFerrydock95Form(nullptr);
        Form = MakeMainWindow();
    }

    void TearDown() override {
        Form.reset();
        delete Ferrydock95Form;
        Ferrydock95Form = nullptr;
        delete GlobalForm;
        GlobalForm = nullptr;
    }

    void StoreFolder(const String& folder) { Store(Publish, {{"PublishTo", folder}}); }

    // A saved page whose editor holds newer text.
    String ModifiedPage(const String& name) {
        WriteFileAtomic(Site + name, "old\r\n");
        UsePage(*Form, 0, Site + name, PageText, true);
        return Site + name;
    }

    bool NothingPublished() const { return std::filesystem::is_empty(Upload); }

    String Site;
    String Upload;
    std::unique_ptr<THTMLEMainForm> Form;
};

TEST_F(PublishCommandsTest, PublishSavesAModifiedPageThenPublishesIt) {
    StoreFolder(Upload);
    const String page = ModifiedPage("Page.html");
    TestHooks::AnswerMessageBox(IDOK);

    Form->PublishCommands->PublishButton->Click();

    EXPECT_EQ(ReadFileBytes(page), PageText);
    EXPECT_FALSE(Form->Memos[0]->Modified());
    EXPECT_EQ(ReadFileBytes(Upload + "page.html"), PublishedText);
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text,
              page + "\r\n\nhas been published as\r\n\n" + Upload + "page.html");
}

// Whichever question the user cancels, nothing is saved over nor published over.
TEST_F(PublishCommandsTest, CancelAtEachQuestionPublishesNothing) {
    struct Case {
        const char* Name;
        std::function<void(PublishCommandsTest&)> Arrange;
        std::vector<String> Asked;
    };
    const Case cases[] = {
        {"untitled, not saved",
         [](PublishCommandsTest& t) {
             UsePage(*t.Form, 0, "[untitled1]", PageText, true);
             TestHooks::AnswerMessageBox(IDNO);
         },
         {"File needs to be saved before publishing.\r\nSave it now?"}},
        {"untitled, save dialog cancelled",
         [](PublishCommandsTest& t) {
             UsePage(*t.Form, 0, "[untitled1]", PageText, true);
             TestHooks::AnswerMessageBox(IDYES);
             TestHooks::AnswerDialogCancel();
         },
         {"File needs to be saved before publishing.\r\nSave it now?", ""}},
        {"not the upload folder",
         [](PublishCommandsTest& t) {
             t.StoreFolder(t.Site);
             t.ModifiedPage("page.html");
             TestHooks::AnswerMessageBox(IDNO);
         },
         {UploadQuestion}},
    };
    for (const Case& c : cases) {
        TestHooks::Reset();
        StoreFolder(Upload);
        c.Arrange(*this);

        Form->PublishCommands->PublishButton->Click();

        EXPECT_TRUE(NothingPublished()) << c.Name;
        EXPECT_FALSE(FileExists(Site + "page.html") &&
                     ReadFileBytes(Site + "page.html") == PublishedText)
            << c.Name;
        ASSERT_EQ(TestHooks::Prompts().size(), c.Asked.size()) << c.Name;
        for (size_t i = 0; i < c.Asked.size(); ++i) {
            if (!c.Asked[i].empty()) {
                EXPECT_EQ(TestHooks::Prompts()[i].Text, c.Asked[i]) << c.Name;
            }
        }
        EXPECT_EQ(TestHooks::QueuedAnswers(), 0) << c.Name;
    }
}

// Earlier settings name a file; a cancelled choice must not publish it again.
TEST_F(PublishCommandsTest, ACancelledMultipleChoicePublishesNothing) {
    WriteFileAtomic(Site + "old.html", PageText);
    Ferrydock95Form->PubFileName->SetText(Site + "old.html");
    Ferrydock95Form->PublishTo->SetText(Upload);
    TestHooks::AnswerDialogCancel();

    Form->PublishCommands->MultipleDocuments1->Click();

    EXPECT_TRUE(NothingPublished());
    EXPECT_EQ(TestHooks::Prompts().size(), 1u);
}

TEST_F(PublishCommandsTest, WithoutAStoredFolderTheDialogAsksAndCancelLeavesItToThePublisher) {
    ModifiedPage("page.html");
    TestHooks::AnswerModalResult(mrCancel);
    TestHooks::AnswerMessageBox(IDYES); // an empty folder is not the upload folder either
    TestHooks::AnswerMessageBox(IDOK);

    Form->PublishCommands->PublishButton->Click();

    ASSERT_EQ(TestHooks::Prompts().size(), 3u);
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Quiltmarker - Publishing Folder");
    EXPECT_EQ(TestHooks::Prompts()[1].Text, UploadQuestion);
    EXPECT_EQ(TestHooks::Prompts()[2].Text, "No folder has been selected to publish to");
    EXPECT_TRUE(Ferrydock95Form->Visible());
    EXPECT_TRUE(NothingPublished());
    EXPECT_EQ(HTMLPublishToForm, nullptr);
}

TEST_F(PublishCommandsTest, CtrlOnlyChoosesTheFolderAfterSavingThePage) {
    StoreFolder("/srv/old");
    const String page = ModifiedPage("page.html");
    TestHooks::SetKeyDown(VK_CONTROL, true);
    TestHooks::AnswerModal([&](TForm& dialog) {
        auto& publishTo = static_cast<THTMLPublishToForm&>(dialog);
        EXPECT_EQ(publishTo.PublishTo->Text(), "/srv/old");
        EXPECT_TRUE(publishTo.PageInUse);
        EXPECT_EQ(publishTo.PagePath, page);
        publishTo.PublishTo->SetText(Upload);
        publishTo.OKButton->Click();
    });

    Form->PublishCommands->PublishButton->Click();

    EXPECT_EQ(ReadFileBytes(page), PageText);
    EXPECT_TRUE(NothingPublished());
    EXPECT_EQ(Form->PublishCommands->ReadPublishFolder(), Upload);
}

TEST_F(PublishCommandsTest, TheFolderDialogKeepsTwentyFourFolders) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Publish + "\\PublishFolders", true));
    for (int i = 1; i <= 30; ++i)
        reg.WriteString(IntToStr(i), "/f" + IntToStr(i));
    THTMLPublishToForm dialog(nullptr);
    TestHooks::AnswerModal([](TForm& shown) {
        auto& publishTo = static_cast<THTMLPublishToForm&>(shown);
        EXPECT_EQ(publishTo.PublishTo->Items().Count(), 24);
        publishTo.PublishTo->SetText("/new");
        publishTo.OKButton->Click();
    });

    EXPECT_EQ(dialog.ShowModal(), mrOk);

    ASSERT_TRUE(reg.OpenKeyReadOnly(Publish + "\\PublishFolders"));
    EXPECT_EQ(reg.ReadString("1"), "/new");
    EXPECT_EQ(reg.ReadString("24"), "/f23");
    EXPECT_FALSE(reg.ValueExists("25"));
}

TEST_F(PublishCommandsTest, TheButtonHintShortensTheUploadFolder) {
    StoreFolder("/srv/upload/pages");
    Form->PublishCommands->PublishButtonMouseEnter(Form->PublishCommands->PublishButton);
    EXPECT_EQ(Form->PublishCommands->PublishButton->Hint(),
              "Publish file (Ctrl to change folder)\r\n.../pages");
}

TEST_F(PublishCommandsTest, TheValidationCopyIsPublishedBesideThePageAndEverythingComesBack) {
    StoreFolder(Upload);
    const String page = ModifiedPage("Page.html");
    TestHooks::AnswerMessageBox(IDYES); // the page's folder is not the upload folder
    TestHooks::AnswerMessageBox(IDOK);

    Form->PublishCommands->ForValidation1->Click();

    EXPECT_EQ(ReadFileBytes(Site + "zvalid~.html"), PublishedText);
    EXPECT_EQ(ReadFileBytes(page), "old\r\n");
    EXPECT_EQ(Form->FileNames[0], page);
    EXPECT_EQ(Form->TabSheets[0]->Caption(), "Page.html");
    EXPECT_TRUE(Form->Memos[0]->Modified());
    EXPECT_EQ(Form->PublishCommands->ReadPublishFolder(), Upload);
    EXPECT_TRUE(NothingPublished());
}

TEST_F(PublishCommandsTest, AnUntitledPageIsNotPublishedForValidation) {
    StoreFolder(Upload);
    UsePage(*Form, 0, "[untitled1]", PageText, true);
    TestHooks::AnswerMessageBox(IDOK);

    Form->PublishCommands->ForValidation1->Click();

    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text,
              "You must save the file before publishing it for validation.");
    EXPECT_EQ(Form->FileNames[0], "[untitled1]");
}

// Set-up shows the publisher in the chosen button style, set to stay open after a run and to say
// what it published, whatever an earlier command left set; its OK runs the publisher and ends
// the window's modal loop. In help-pointer mode it shows nothing.
TEST_F(PublishCommandsTest, SetUpShowsThePublisherSetToTellWhatItPublished) {
    const String page = Site + "page.html";
    WriteFileAtomic(page, PageText);
    for (int flat : {1, 0}) {
        SCOPED_TRACE(flat);
        TestHooks::Reset();
        Store(MainWindowSupport::ProductKey, {{"Office97Style", flat}});
        Ferrydock95Form->CloseAfterRun = true;
        Ferrydock95Form->NoPublishedMessage = true;
        TModalResult result = mrNone;
        TestHooks::AnswerModal([&](TForm& form) {
            ASSERT_EQ(&form, Ferrydock95Form);
            EXPECT_FALSE(Ferrydock95Form->CloseAfterRun);
            EXPECT_EQ(Ferrydock95Form->PubFileNameButton->Flat(), flat == 1);
            Ferrydock95Form->PubFileName->SetText(page);
            Ferrydock95Form->PublishTo->SetText(Upload);
            Ferrydock95Form->OKButton->Click();
            result = form.ModalResult();
        });
        TestHooks::AnswerMessageBox(IDOK);
        DeleteFile(Upload + "page.html");

        Form->PublishCommands->SetupPublisher->Click();

        EXPECT_EQ(result, mrOk);
        EXPECT_EQ(ReadFileBytes(Upload + "page.html"), PublishedText);
        ASSERT_EQ(TestHooks::Prompts().size(), 2u);
        EXPECT_EQ(TestHooks::Prompts()[1].Text,
                  page + "\r\n\nhas been published as\r\n\n" + Upload + "page.html");
    }
    TestHooks::Reset();
    Screen->SetCursor(crHelp);
    Form->PublishCommands->SetupPublisher->Click();
    EXPECT_TRUE(TestHooks::Prompts().empty());
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(PublishCommandsTest, PrePublishToggleIsStoredAtOnce) {
    const bool before = Form->PrePublish;
    Form->Prepublishfiles1->Click();
    EXPECT_EQ(Form->PrePublish, !before);
    EXPECT_EQ(Form->Prepublishfiles1->Checked(), !before);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Olvane\\Quiltmarker"));
    EXPECT_EQ(reg.ReadBool("PrePublish"), !before);
}

TEST_F(PublishCommandsTest, OpeningThePublishMenuEnablesWhatCanRun) {
    WriteFileAtomic(Site + "a.htm", "x");
    Form->FilePane->FileListBox1->SetDirectory(Site);
    Form->FilePane->FileListBox1->SetMask("*.htm");

    EXPECT_EQ(Form->PublishCommands->MultipleDocuments1->MenuIndex(),
              Form->PublishCommands->CurrentDocument1->MenuIndex() + 1);
    EXPECT_EQ(Form->PublishCommands->ForValidation1->MenuIndex(),
              Form->PublishCommands->CurrentDocument1->MenuIndex() + 2);
    Form->Publish1->Click();
    EXPECT_FALSE(Form->PublishCommands->CurrentDocument1->Enabled());
    EXPECT_FALSE(Form->MultiPublishing->MultiCopy1->Enabled());
    EXPECT_FALSE(Form->MultiPublishing->MultiPublish1->Enabled());

    UsePage(*Form, 0, Site + "a.htm", PageText);
    Form->FilePane->FileListBox1->SetSelected(0, true);
    Form->Publish1->Click();
    EXPECT_TRUE(Form->PublishCommands->CurrentDocument1->Enabled());
    EXPECT_TRUE(Form->MultiPublishing->MultiCopy1->Enabled());
    EXPECT_TRUE(Form->MultiPublishing->MultiPublish1->Enabled());
}

// The commands on the active page and on the file list follow the pages: off with none open,
// on once one is.
TEST_F(PublishCommandsTest, ThePublishMenusCommandsNeedAPage) {
    const std::vector<TMenuItem*> items = {
        Form->PublishCommands->CurrentDocument1, Form->MultiPublishing->MultiPublish1,
        Form->MultiPublishing->MultiPublish2, Form->MultiPublishing->MultiCopy1,
        Form->MultiPublishing->MultiSave3};
    for (TMenuItem* item : items)
        EXPECT_FALSE(item->Enabled()) << item->Name();
    UsePage(*Form, 0, Site + "a.htm", PageText);
    Form->UpdateDocumentCommands();
    for (TMenuItem* item : items)
        EXPECT_TRUE(item->Enabled()) << item->Name();
}

// The publishing commands and the external browsers sit where the window always had them.
TEST_F(PublishCommandsTest, ThePublishingCommandsKeepTheirPlaces) {
    const auto names = [](TMenuItem* menu) {
        std::vector<String> list;
        for (int i = 0; i < menu->Count(); ++i)
            list.push_back(menu->Items(i)->Name());
        return list;
    };
    EXPECT_EQ(names(Form->Publish1),
              (std::vector<String>{"CurrentDocument1", "MultipleDocuments1", "ForValidation1",
                                   "MultiPublish1", "MultiPublish2", "MultiCopy1", "MultiSave3"}));
    EXPECT_EQ(names(Form->Setup1),
              (std::vector<String>{"SetupPublisher", "SetupIE1", "SetupNetscapeNavigator1",
                                   "TemplateFolder1", "SetupHelpFiles", "DefaultExtension1"}));
    EXPECT_EQ(Form->Publish1->MenuIndex(), Form->TagChecking->Validate1->MenuIndex() + 1);
    EXPECT_TRUE(Form->MultiPublishing->MultiPublish1->Visible());
    const TQmToolbarButton* publish = Form->PublishCommands->PublishButton;
    const TQmToolbarButton* ie = Form->ExternalBrowsers->IEButton;
    EXPECT_EQ(ie->Left(), publish->Left() + publish->Width());
    EXPECT_EQ(Form->ExternalBrowsers->NavigatorButton->Left(), ie->Left() + ie->Width());
}

} // namespace
