#include "publish/Ferrydock95Main.h"

#include "platform/ComCtrls.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"
#include "widgets/QmToolbars.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const String Publish = "\\Software\\Olvane\\Quiltmarker\\Publish";

std::unique_ptr<TFerrydock95Form> MakePublisher() {
    return std::make_unique<TFerrydock95Form>(nullptr);
}

std::vector<String> Items(const TStrings& list) {
    std::vector<String> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list[i]);
    return items;
}

std::vector<String> Folders(int count, const String& prefix = "/site/f") {
    std::vector<String> folders;
    for (int i = 1; i <= count; ++i)
        folders.push_back(prefix + IntToStr(i));
    return folders;
}

void StoreNumbered(const String& key, int first, const std::vector<String>& values) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, true));
    for (size_t i = 0; i < values.size(); ++i)
        reg.WriteString(IntToStr(first + static_cast<int>(i)), values[i]);
}

std::vector<String> StoredPublishFolders() {
    TRegistry reg;
    std::vector<String> folders;
    if (!reg.OpenKeyReadOnly(Publish + "\\PublishFolders"))
        return folders;
    TStringList names;
    reg.GetValueNames(&names);
    for (int i = 1; i <= names.Count(); ++i)
        folders.push_back(reg.ReadString(IntToStr(i)));
    return folders;
}

// Every control changed as a user changes it writes its value at once, and a publisher made
// afterwards shows them all again.
TEST(PublisherSettings, EveryOptionRoundTripsThroughTheRegistry) {
    {
        auto form = MakePublisher();
        form->CompactCheck->SetChecked(true);
        form->WrapTextCheck->SetChecked(true);
        form->LineLengthEdit->SetText("120");
        form->BlankLinesCheck->SetChecked(true);
        form->RemoveCommentsCheck->SetChecked(true);
        form->AlwaysShowCheck->SetChecked(true);
        form->NoChangeButton->SetChecked(true);
        form->CopyTo1->SetText("/copies/One");
        form->CopyTo4->SetText("/copies/four");
        form->WorkingDir->SetText("/work/Site");
        form->PublishTo->SetText("/srv/upload/Pages");
        form->PublishToExit(form->PublishTo);
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(Publish));
    EXPECT_EQ(reg.GetDataType("CompactFile"), rdInteger);
    EXPECT_EQ(reg.ReadInteger("CompactFile"), 1);
    EXPECT_TRUE(reg.ReadBool("Remove Comments"));
    EXPECT_EQ(reg.ReadString("LineLength"), "120");
    EXPECT_TRUE(reg.ReadBool("AlwaysShow"));
    ASSERT_TRUE(reg.OpenKeyReadOnly(Publish + "\\Tags"));
    EXPECT_FALSE(reg.ReadBool("UpperCase"));
    EXPECT_FALSE(reg.ReadBool("LowerCase"));
    EXPECT_TRUE(reg.ReadBool("NoChange"));

    auto form = MakePublisher();
    EXPECT_TRUE(form->CompactCheck->Checked());
    EXPECT_TRUE(form->WrapTextCheck->Checked());
    EXPECT_TRUE(form->WrapTextCheck->Enabled());
    EXPECT_TRUE(form->LineLengthEdit->Enabled());
    EXPECT_EQ(form->LineLengthEdit->Text(), "120");
    EXPECT_TRUE(form->BlankLinesCheck->Checked());
    EXPECT_TRUE(form->RemoveCommentsCheck->Checked());
    EXPECT_TRUE(form->NoChangeButton->Checked());
    EXPECT_FALSE(form->UpperCaseButton->Checked());
    EXPECT_EQ(form->CopyTo1->Text(), "/copies/One");
    EXPECT_EQ(form->CopyTo2->Text(), "");
    EXPECT_EQ(form->CopyTo4->Text(), "/copies/four");
    EXPECT_EQ(form->WorkingDir->Text(), "/work/Site");
    EXPECT_EQ(form->PublishTo->Text(), "/srv/upload/Pages");
    EXPECT_EQ(Items(form->PublishTo->Items()), std::vector<String>{"/srv/upload/Pages"});
    // Stored only: the window itself never reads it back.
    EXPECT_FALSE(form->AlwaysShowCheck->Checked());
}

// The publish-folder dialog stores up to 24 folders: all of them are in the window's list, and
// adding one keeps them behind it. The window's own limit of 100 drops only the oldest.
TEST(PublisherSettings, AddingAPublishFolderKeepsEveryStoredOne) {
    struct Case {
        int Stored;
        int Kept;
    };
    for (const Case c : {Case{24, 24}, Case{100, 99}}) {
        TRegistry().DeleteKey(Publish);
        StoreNumbered(Publish + "\\PublishFolders", 1, Folders(c.Stored));
        auto form = MakePublisher();
        EXPECT_EQ(Items(form->PublishTo->Items()), Folders(c.Stored));

        form->PublishTo->SetText("/site/new");
        form->PublishToExit(form->PublishTo);

        std::vector<String> expected = {"/site/new"};
        for (const String& folder : Folders(c.Kept))
            expected.push_back(folder);
        EXPECT_EQ(StoredPublishFolders(), expected) << c.Stored;
        EXPECT_EQ(form->DestinationKey, "/site/new");
    }
}

TEST(PublisherSettings, ALongerRecentListIsReadWithItsGapsSkipped) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Publish + "\\RecentFiles", true));
    reg.WriteString("0", "/site/A.html");
    reg.WriteString("2", "/site/c.html");
    reg.WriteString("24", "/site/last.html");
    reg.WriteString("25", "/site/beyond.html");
    ASSERT_TRUE(reg.OpenKey(Publish, true));
    reg.WriteString("LineLength", "eighty");
    reg.WriteString("CompactFile", "1"); // of the wrong type: the default stays

    auto form = MakePublisher();

    EXPECT_EQ(Items(form->PubFileName->Items()),
              (std::vector<String>{"/site/A.html", "/site/c.html", "/site/last.html"}));
    EXPECT_EQ(form->LineLengthEdit->Text(), "80");
    EXPECT_FALSE(form->CompactCheck->Checked());
}

TEST(PublisherSettings, WrappingControlsFollowCompactionAndWrapping) {
    struct Case {
        bool Compact;
        bool Wrap;
        bool WrapEnabled;
        bool LengthEnabled;
    };
    const Case cases[] = {
        {false, false, false, false},
        {false, true, false, false},
        {true, false, true, false},
        {true, true, true, true},
    };
    for (const Case& c : cases) {
        auto form = MakePublisher();
        form->CompactCheck->SetChecked(true);
        form->WrapTextCheck->SetChecked(c.Wrap);
        form->CompactCheck->SetChecked(c.Compact);
        EXPECT_EQ(form->WrapTextCheck->Enabled(), c.WrapEnabled) << c.Compact << c.Wrap;
        EXPECT_EQ(form->LineLengthEdit->Enabled(), c.LengthEnabled) << c.Compact << c.Wrap;
        EXPECT_EQ(form->LineLengthButtons->Enabled(), c.LengthEnabled) << c.Compact << c.Wrap;
    }
}

TEST(PublisherSettings, TypingASourceFileRewritesTheRecentList) {
    auto form = MakePublisher();
    form->PubFileName->Items().Add("/site/one.html");
    form->PubFileName->Items().Add("/site/two.html");
    TestHooks::TypeText(*form->PubFileName, "x");

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(Publish + "\\RecentFiles"));
    EXPECT_EQ(reg.ReadString("0"), "/site/one.html");
    EXPECT_EQ(reg.ReadString("1"), "/site/two.html");
}

TEST(PublisherSettings, ChoosingMoreThanAHundredFilesTakesTheFirstHundred) {
    auto form = MakePublisher();
    const String site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("site"));
    ForceDirectories(site);
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    for (int i = 1; i <= 120; ++i) {
        answer.Files.push_back(site + "p" + IntToStr(i) + ".html");
        WriteFileAtomic(answer.Files.back(), "x");
    }
    answer.FileName = answer.Files[0];
    TestHooks::AnswerDialog(answer);
    TestHooks::AnswerMessageBox(IDOK);

    form->MultipleButton->Click();

    ASSERT_EQ(TestHooks::Prompts().size(), 2u);
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Select Multiple Files to Publish");
    const TestHooks::TPrompt& message = TestHooks::Prompts()[1];
    EXPECT_EQ(message.Text, "No more than 100 files can be published at one time.\r\n"
                            "The extra files you have selected will be ignored.");
    EXPECT_EQ(message.Caption, "Publishing Multiple Files");
    EXPECT_EQ(message.Icon(), static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(form->SourceFileCount, 100);
    EXPECT_TRUE(form->MultipleRun);
    EXPECT_EQ(form->SourceFiles[99], site + "p100.html");
    EXPECT_EQ(form->PubFileName->Text(), site + "p1.html");
    // Each chosen file went to the top in turn, so the last taken leads the list.
    EXPECT_EQ(form->PubFileName->Items()[0], site + "p100.html");
    EXPECT_EQ(form->PubFileName->Items().Count(), 100);
}

TEST(PublisherSettings, ACancelledFileChoiceChangesNothing) {
    auto form = MakePublisher();
    form->PubFileName->SetText("/site/page.html");
    TestHooks::AnswerDialogCancel();

    EXPECT_FALSE(form->ChooseMultipleFiles());

    EXPECT_EQ(form->PubFileName->Text(), "/site/page.html");
    EXPECT_FALSE(form->MultipleRun);
    EXPECT_EQ(form->SourceFileCount, 1);
}

TEST(PublisherSettings, ChoosingOneFileNamesItAndPutsItFirstInTheRecentList) {
    const String site = IncludeTrailingPathDelimiter(TestSupport::Sandbox("site"));
    ForceDirectories(site);
    WriteFileAtomic(site + "Page.html", "x");
    auto form = MakePublisher();
    form->PubFileName->Items().Add("/site/older.html");
    form->WorkingDir->SetText(site);
    form->SourceFileCount = 3;
    TestHooks::TDialogAnswer answer;
    answer.Accepted = true;
    answer.FileName = site + "Page.html";
    TestHooks::AnswerDialog(answer);

    form->PubFileNameButton->Click();

    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Select File to Publish");
    EXPECT_EQ(form->PubFileName->Text(), site + "Page.html");
    EXPECT_EQ(form->SourceFileCount, 1);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(Publish + "\\RecentFiles"));
    EXPECT_EQ(reg.ReadString("0"), site + "Page.html");
    EXPECT_EQ(reg.ReadString("1"), "/site/older.html");
}

} // namespace
