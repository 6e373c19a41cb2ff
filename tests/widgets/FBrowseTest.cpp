#include "widgets/FBrowse.h"

#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

namespace {

class FBrowseTest : public testing::Test {
protected:
    void SetUp() override {
        Site = TestSupport::Sandbox("site");
        ASSERT_TRUE(ForceDirectories(Site + "/pages"));
        Form = new TForm(nullptr);
        Browse = new TFolderBrowse(Form);
        Browse->SetTitle("Select folder:");
    }
    void TearDown() override { Form->Free(); }

    void Choose(const String& folder) {
        TestHooks::TDialogAnswer answer;
        answer.Accepted = true;
        answer.Folder = folder;
        TestHooks::AnswerDialog(answer);
    }

    String Site;
    TForm* Form = nullptr;
    TFolderBrowse* Browse = nullptr;
};

} // namespace

TEST_F(FBrowseTest, ChoosingAFolderReturnsItInDirectoryAfterOpeningAtTheOldOne) {
    struct Case {
        String Chosen;
        String Directory;
    };
    for (const Case& c :
         {Case{"SITE/pages", "SITE/pages"}, Case{"SITE/pages/", "SITE/pages"}, Case{"/", "/"}}) {
        String chosen = StringReplace(c.Chosen, "SITE", Site, rfReplaceAll);
        Browse->SetDirectory(Site);
        Choose(chosen);
        ASSERT_TRUE(Browse->Execute(Form)) << chosen;
        EXPECT_EQ(Browse->Directory(), StringReplace(c.Directory, "SITE", Site, rfReplaceAll));
        const TestHooks::TPrompt& shown = TestHooks::Prompts().back();
        EXPECT_EQ(shown.Kind, "FolderBrowser");
        EXPECT_EQ(shown.Caption, "Select folder:");
        EXPECT_EQ(shown.Text, Site);
    }
}

TEST_F(FBrowseTest, CancelKeepsDirectoryAndAnEmptyOrMissingStartOpensWhereTheBrowserDoes) {
    for (const String& start : {String(), Site + "/missing"}) {
        Browse->SetDirectory(start);
        TestHooks::AnswerDialogCancel();
        EXPECT_FALSE(Browse->Execute(nullptr));
        EXPECT_EQ(Browse->Directory(), start);
        EXPECT_EQ(TestHooks::Prompts().back().Text, "");
    }
}
