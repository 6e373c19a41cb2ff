#include "publish/Ferrydock95Main.h"

#include "publish/AnimPubForm.h"

#include "platform/ComCtrls.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

class PublisherRunTest : public testing::Test {
protected:
    void SetUp() override {
        FSite = IncludeTrailingPathDelimiter(TestSupport::Sandbox("Site"));
        FPublished = IncludeTrailingPathDelimiter(TestSupport::Sandbox("upload"));
        ForceDirectories(FSite);
        ForceDirectories(FPublished);
        FForm = std::make_unique<TFerrydock95Form>(nullptr);
        FForm->PublishTo->SetText(FPublished);
    }

    String Page(const String& name, const String& text) {
        WriteFileAtomic(FSite + name, text);
        return FSite + name;
    }

    void StoreCode(const String& name, const String& text) {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Olvane\\Quiltmarker\\Replace Codes", true));
        reg.WriteString(name, text);
    }

    void ChooseFiles(std::initializer_list<String> files) {
        int count = 0;
        for (const String& file : files)
            FForm->SourceFiles[static_cast<size_t>(count++)] = file;
        FForm->SourceFileCount = count;
        FForm->MultipleRun = true;
        FForm->PubFileName->SetText(*files.begin());
    }

    void ExpectRunStateReset() {
        EXPECT_EQ(FForm->SourceFileCount, 1);
        EXPECT_FALSE(FForm->MultipleRun);
        EXPECT_EQ(FForm->Cursor(), crDefault);
    }

    String FSite;
    String FPublished;
    std::unique_ptr<TFerrydock95Form> FForm;
};

TEST_F(PublisherRunTest, PublishesTheCleanedPageUnderItsLowerCasedNameAndReportsIt) {
    StoreCode("Sig", "Olvane");
    String source = Page("Page.HTML", "<HTML>\n<Body>\n<!-- remove me -->\n\n"
                                      "<a href=\"Index.html\">{{sig}}</a>\n</html>\ntrailer\n");
    FForm->PubFileName->SetText(source);
    FForm->RemoveCommentsCheck->SetChecked(true);
    FForm->BlankLinesCheck->SetChecked(true);
    TestHooks::AnswerMessageBox(IDOK);

    FForm->PublishFiles();

    EXPECT_EQ(ReadFileBytes(FPublished + "page.html"),
              "<HTML>\r\n<BODY>\r\n<A HREF=\"Index.html\">Olvane</A>\r\n</HTML>\r\n");
    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    const TestHooks::TPrompt& message = TestHooks::Prompts()[0];
    EXPECT_EQ(message.Text,
              source + "\r\n\nhas been published as\r\n\n" + FPublished + "page.html");
    EXPECT_EQ(message.Caption, "Ferrydock 95");
    EXPECT_EQ(message.Flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(FForm->PubFileName->Items()[0], source);
    EXPECT_EQ(FForm->DestinationKey, LowerCase(FPublished));
    ExpectRunStateReset();
}

TEST_F(PublisherRunTest, CompactionWrapsAtTheLineLength) {
    String source = Page("wrap.html", "<p>one   two</p>\n<p>three four</p>\n");
    FForm->PubFileName->SetText(source);
    FForm->NoChangeButton->SetChecked(true);
    FForm->CompactCheck->SetChecked(true);
    FForm->WrapTextCheck->SetChecked(true);
    FForm->LineLengthEdit->SetText("25");
    FForm->NoPublishedMessage = true;

    FForm->PublishFiles();

    EXPECT_EQ(ReadFileBytes(FPublished + "wrap.html"), "<p>one two</p><p>three \r\nfour</p>\r\n");
}

TEST_F(PublisherRunTest, RenamedIndexPageIsWrittenAndNamedWithItsNewExtension) {
    StoreCode("globalnamechange", "[[elsewhere]]indexhtm\\n[[upload]]indexshtml");
    String source = Page("index.html", "{{filename}} <a href=\"index.html\">\n");
    FForm->PubFileName->SetText(source);
    FForm->NoPublishedMessage = true;

    FForm->PublishFiles();

    EXPECT_EQ(ReadFileBytes(FPublished + "index.shtml"),
              "index.shtml <A HREF=\"index.shtml\">\r\n");
    EXPECT_FALSE(FileExists(FPublished + "index.html"));
}

TEST_F(PublisherRunTest, StartChecksStopARunWithoutFileOrFolder) {
    struct Case {
        const char* File;
        bool HasFolder;
        int Answer;
        const char* Text;
        const char* Caption;
        UINT Flags;
        bool WindowShown;
    };
    const Case cases[] = {
        {"", false, IDOK, "No file has been selected for publishing.", "Quiltmarker",
         MB_OK | MB_ICONERROR, false},
        {"", true, IDNO,
         "No file has been selected for publishing.\r\nDo you want to change the publishing "
         "folder?",
         "Quiltmarker", MB_YESNO | MB_ICONQUESTION, false},
        {"", true, IDYES,
         "No file has been selected for publishing.\r\nDo you want to change the publishing "
         "folder?",
         "Quiltmarker", MB_YESNO | MB_ICONQUESTION, true},
        {"page.html", false, IDOK, "No folder has been selected to publish to", "Ferrydock 95",
         MB_OK | MB_ICONERROR, true},
    };
    String source = Page("page.html", "<p>\n");
    for (const Case& c : cases) {
        TestHooks::Reset();
        FForm->Hide();
        FForm->CloseAfterRun = true;
        FForm->MultipleRun = true;
        FForm->PubFileName->SetText(*c.File ? source : String());
        FForm->PublishTo->SetText(c.HasFolder ? FPublished : String());
        TestHooks::AnswerMessageBox(c.Answer);

        FForm->PublishFiles();

        ASSERT_EQ(TestHooks::Prompts().size(), 1u) << c.Text;
        EXPECT_EQ(TestHooks::Prompts()[0].Text, c.Text);
        EXPECT_EQ(TestHooks::Prompts()[0].Caption, c.Caption);
        EXPECT_EQ(TestHooks::Prompts()[0].Flags, c.Flags);
        EXPECT_EQ(FForm->Visible(), c.WindowShown) << c.Text;
        EXPECT_EQ(FForm->CloseAfterRun, !c.WindowShown) << c.Text;
        EXPECT_FALSE(FileExists(FPublished + "page.html")) << c.Text;
        ExpectRunStateReset();
    }
    FForm->Hide();
}

TEST_F(PublisherRunTest, NoToContinueShowingSilencesLaterFilesAndRuns) {
    String first = Page("one.html", "1\n");
    String second = Page("two.html", "2\n");
    ChooseFiles({first, second});
    TestHooks::AnswerMessageBox(IDNO);

    FForm->PublishFiles();

    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, first + "\r\n\nhas been published as\r\n\n" +
                                                FPublished + "one.html" +
                                                "\r\n\nContinue showing this message?");
    EXPECT_EQ(TestHooks::Prompts()[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(ReadFileBytes(FPublished + "two.html"), "2\r\n");
    EXPECT_TRUE(FForm->MessagesOff);
    ExpectRunStateReset();

    FForm->PubFileName->SetText(first);
    FForm->PublishFiles();
    EXPECT_EQ(TestHooks::Prompts().size(), 1u);
}

TEST_F(PublisherRunTest, ProgressWindowNamesEachPageInsteadOfMessages) {
    String first = Page("One.html", "1\n");
    String second = Page("Two.html", "2\n");
    TAnimPub progress(nullptr);
    AnimPub = &progress;
    progress.Show();
    ChooseFiles({first, second});

    FForm->PublishFiles();

    AnimPub = nullptr;
    EXPECT_EQ(progress.Label->Caption(),
              "Publishing\r\n" + LowerCase(second) + "\r\nto\r\n" + LowerCase(FPublished));
    EXPECT_TRUE(TestHooks::Prompts().empty());
    EXPECT_TRUE(FileExists(FPublished + "two.html"));
}

TEST_F(PublisherRunTest, UnclosedCodeEndsTheRunKeepingEarlierFiles) {
    String first = Page("one.html", "fine\n");
    String second = Page("two.html", "broken {{hh:nn\n");
    String third = Page("three.html", "never\n");
    ChooseFiles({first, second, third});
    FForm->NoPublishedMessage = true;
    FForm->CopyTo1->SetText(TestSupport::Sandbox("copies"));
    TestHooks::AnswerMessageBox(IDOK);

    FForm->PublishFiles();

    ASSERT_EQ(TestHooks::Prompts().size(), 1u);
    EXPECT_EQ(TestHooks::Prompts()[0].Text, "Syntax error: Unclosed {{");
    EXPECT_TRUE(FileExists(FPublished + "one.html"));
    EXPECT_FALSE(FileExists(FPublished + "two.html"));
    EXPECT_FALSE(FileExists(FPublished + "three.html"));
    ExpectRunStateReset();
}

TEST_F(PublisherRunTest, CopyToFoldersAreOfferedInTurn) {
    String source = Page("page.html", "<p>\n");
    String yes = IncludeTrailingPathDelimiter(TestSupport::Sandbox("yes"));
    String no = IncludeTrailingPathDelimiter(TestSupport::Sandbox("no"));
    String missing = TestSupport::Sandbox("missing");
    ForceDirectories(yes);
    ForceDirectories(no);
    FForm->PubFileName->SetText(source);
    FForm->NoPublishedMessage = true;
    FForm->CopyTo1->SetText(yes);
    FForm->CopyTo2->SetText(no);
    FForm->CopyTo4->SetText(missing);
    for (int answer : {IDYES, IDNO, IDYES, IDOK})
        TestHooks::AnswerMessageBox(answer);

    FForm->PublishFiles();

    const auto& prompts = TestHooks::Prompts();
    ASSERT_EQ(prompts.size(), 4u);
    EXPECT_EQ(prompts[0].Text, "Copy to " + yes);
    EXPECT_EQ(prompts[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(prompts[1].Text, "Copy to " + no);
    EXPECT_EQ(prompts[2].Text, "Copy to " + missing);
    EXPECT_EQ(prompts[3].Text, "COPY FAILED");
    EXPECT_EQ(prompts[3].Flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    for (const TestHooks::TPrompt& prompt : prompts)
        EXPECT_EQ(prompt.Caption, "Ferrydock 95") << prompt.Text;
    EXPECT_EQ(ReadFileBytes(yes + "page.html"), "<p>\n");
    EXPECT_FALSE(FileExists(no + "page.html"));
}

TEST_F(PublisherRunTest, OddPagesArePublishedWithCrLfLines) {
    const struct {
        const char* Name;
        const char* Text;
        const char* Expected;
    } cases[] = {
        {"cr.html", "<p>a\r<p>b\r", "<P>a\r\n<P>b\r\n"},
        {"empty.html", "", ""},
    };
    FForm->NoPublishedMessage = true;
    for (const auto& c : cases) {
        FForm->PubFileName->SetText(Page(c.Name, c.Text));
        FForm->PublishFiles();
        EXPECT_EQ(ReadFileBytes(FPublished + c.Name), c.Expected) << c.Name;
    }
}

TEST_F(PublisherRunTest, FrameworkErrorsEndTheRunAndResetItsState) {
    String good = Page("good.html", "<p>\n");
    String other = Page("other.html", "<p>\n");
    FForm->NoPublishedMessage = true;

    ChooseFiles({good, FSite + "gone.html", other});
    EXPECT_THROW(FForm->PublishFiles(), EFOpenError);
    EXPECT_TRUE(FileExists(FPublished + "good.html"));
    EXPECT_FALSE(FileExists(FPublished + "other.html"));
    ExpectRunStateReset();

    ChooseFiles({good, other});
    FForm->PublishTo->SetText(TestSupport::Sandbox("no such folder"));
    EXPECT_THROW(FForm->PublishFiles(), EStreamError);
    ExpectRunStateReset();

    ChooseFiles({other});
    FForm->PublishTo->SetText(FPublished);
    FForm->CompactCheck->SetChecked(true);
    FForm->WrapTextCheck->SetChecked(true);
    FForm->LineLengthEdit->SetText("eighty");
    EXPECT_EQ(TestSupport::MessageOf<EConvertError>([&] { FForm->PublishFiles(); }),
              "'eighty' is not a valid integer value");
    EXPECT_FALSE(FileExists(FPublished + "other.html"));
    ExpectRunStateReset();
}

TEST_F(PublisherRunTest, PublishingOverTheSourceAsksUnlessMeantSo) {
    const String original = "<p>x\n";
    // The site's folder once more under another path, as a link to it.
    const String linked = TestSupport::Sandbox("linked site");
    std::filesystem::create_directory_symlink(FSite, linked);
    struct Case {
        bool Preview;
        bool Intended;
        bool ThroughLink;
        int Answer; // 0: no question expected
        bool Overwritten;
    };
    const Case cases[] = {
        {false, false, false, IDNO, false}, {false, false, false, IDYES, true},
        {true, false, false, 0, true},      {false, true, false, 0, true},
        {false, false, true, IDNO, false},
    };
    FForm->NoPublishedMessage = true;
    for (const Case& c : cases) {
        TestHooks::Reset();
        String source = Page("self.html", original);
        FForm->PublishTo->SetText(c.ThroughLink ? linked : FSite);
        FForm->PubFileName->SetText(source);
        FForm->BrowserPreview = c.Preview;
        FForm->SourceOverwriteIntended = c.Intended;
        if (c.Answer)
            TestHooks::AnswerMessageBox(c.Answer);

        FForm->PublishFiles();

        ASSERT_EQ(TestHooks::Prompts().size(), c.Answer ? 1u : 0u);
        if (c.Answer) {
            EXPECT_EQ(TestHooks::Prompts()[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
            EXPECT_EQ(TestHooks::Prompts()[0].Caption, "Ferrydock 95");
            // The path as it stands on disk, not upper-cased into a file that does not exist.
            const String target =
                c.ThroughLink ? IncludeTrailingPathDelimiter(linked) + "self.html" : source;
            EXPECT_EQ(TestHooks::Prompts()[0].Text.substr(0, target.size() + 6),
                      target + "\r\n\nis ");
        }
        EXPECT_EQ(ReadFileBytes(source) != original, c.Overwritten);
        EXPECT_FALSE(FForm->SourceOverwriteIntended);
    }
}

} // namespace
