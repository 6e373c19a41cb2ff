// The shell file operation as the file commands use it: through TJCopy's properties, on real
// folders of the test's sandbox, with the shell's questions answered through the test hooks.

#include "services/JCopy.h"

#include "TestSupport.h"
#include "platform/DateTime.h"
#include "platform/FileUtils.h"
#include "platform/ShellApi.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class JCopyTest : public testing::Test {
protected:
    void SetUp() override {
        Source = TestSupport::Sandbox("site");
        Target = TestSupport::Sandbox("upload");
        fs::create_directories(Source);
        fs::create_directories(Target);
        ShellProgressShown().clear();
    }

    static void Write(const String& path, const String& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static String Read(const String& path) {
        return FileExists(path) ? ReadFileBytes(path) : "<none>";
    }

    bool Run(TFileCmd command, const String& from, const String& to = String()) {
        Copy.SetFileCommand(command);
        Copy.SetFileMaskFrom(from);
        Copy.SetFileMaskTo(to);
        return Copy.Execute();
    }

    static TestHooks::TPrompt LastPrompt() {
        const auto& prompts = TestHooks::Prompts();
        return prompts.empty() ? TestHooks::TPrompt{"", "<no prompt>", "<no prompt>"}
                               : prompts.back();
    }

    String Source;
    String Target;
    TJCopy Copy{nullptr};
};

} // namespace

TEST_F(JCopyTest, CopyingAFileIntoAFolderKeepsTheSourceAndItsTime) {
    Write(Source + "/index.htm", "<html>");
    fs::last_write_time(Source + "/index.htm",
                        fs::last_write_time(Source + "/index.htm") - std::chrono::hours(48));

    EXPECT_FALSE(Run(cmCopy, Source + "/index.htm", Target));

    EXPECT_EQ(Read(Target + "/index.htm"), "<html>");
    EXPECT_EQ(Read(Source + "/index.htm"), "<html>");
    EXPECT_EQ(fs::last_write_time(Target + "/index.htm"),
              fs::last_write_time(Source + "/index.htm"));
    EXPECT_EQ(ShellProgressShown(), std::vector<String>{"Copying..."});
}

TEST_F(JCopyTest, AMaskMovesMatchingNamesWithoutRegardToCaseAndFoldersOnlyWhenRecursing) {
    for (bool recurse : {false, true}) {
        SCOPED_TRACE(recurse ? "recursing" : "files only");
        fs::remove_all(Target);
        Write(Source + "/a.htm", "a");
        Write(Source + "/B.HTM", "b");
        Write(Source + "/c.gif", "c");
        Write(Source + "/old.htm/inner.txt", "inner");
        Copy.SetRecurseDirs(recurse);
        Copy.SetConfirmDirs(false);

        EXPECT_FALSE(Run(cmMove, Source + "/*.htm", Target));

        EXPECT_EQ(Read(Target + "/a.htm"), "a");
        EXPECT_EQ(Read(Target + "/B.HTM"), "b");
        EXPECT_FALSE(FileExists(Source + "/a.htm"));
        EXPECT_EQ(Read(Source + "/c.gif"), "c");
        EXPECT_EQ(Read(Target + "/old.htm/inner.txt"), recurse ? "inner" : "<none>");
        EXPECT_EQ(DirectoryExists(Source + "/old.htm"), !recurse);
    }
}

TEST_F(JCopyTest, AMissingDestinationFolderIsMadeAfterTheQuestionOrWithoutIt) {
    Write(Source + "/a.htm", "a");
    String folder = Target + "/new/deeper";

    TestHooks::AnswerMessageBox(IDNO);
    EXPECT_TRUE(Run(cmCopy, Source + "/*.htm", folder));
    EXPECT_EQ(LastPrompt().Caption, "Confirm Folder Create");
    EXPECT_NE(LastPrompt().Text.find(folder), String::npos);
    EXPECT_FALSE(DirectoryExists(folder));

    Copy.SetConfirmDirs(false);
    size_t prompts = TestHooks::Prompts().size();
    EXPECT_FALSE(Run(cmCopy, Source + "/*.htm", folder));
    EXPECT_EQ(TestHooks::Prompts().size(), prompts);
    EXPECT_EQ(Read(folder + "/a.htm"), "a");
}

TEST_F(JCopyTest, AnExistingFileIsReplacedOnlyWhenTheQuestionIsAnsweredYes) {
    struct Case {
        int Answer;
        const char* Content;
        bool Failed;
    };
    const Case cases[] = {{IDYES, "new", false}, {IDNO, "old", false}, {IDCANCEL, "old", true}};
    Write(Source + "/page.htm", "new");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Answer);
        Write(Target + "/page.htm", "old");
        TestHooks::AnswerMessageBox(c.Answer);
        EXPECT_EQ(Run(cmCopy, Source + "/page.htm", Target + "/page.htm"), c.Failed);
        EXPECT_EQ(LastPrompt().Caption, "Confirm File Replace");
        EXPECT_EQ(Read(Target + "/page.htm"), c.Content);
    }

    Write(Target + "/page.htm", "old");
    Copy.SetConfirmFiles(false);
    EXPECT_FALSE(Run(cmCopy, Source + "/page.htm", Target));
    EXPECT_EQ(Read(Target + "/page.htm"), "new");
}

TEST_F(JCopyTest, WithoutOverwritingACopyTakesAFreeNameAndTheOldFileStays) {
    Write(Source + "/page.htm", "new");
    Write(Target + "/page.htm", "old");
    Copy.SetFileOverwrite(false);

    EXPECT_FALSE(Run(cmCopy, Source + "/page.htm", Target));
    EXPECT_FALSE(Run(cmCopy, Source + "/page.htm", Target));

    EXPECT_EQ(Read(Target + "/page.htm"), "old");
    EXPECT_EQ(Read(Target + "/Copy of page.htm"), "new");
    EXPECT_EQ(Read(Target + "/Copy (2) of page.htm"), "new");
}

TEST_F(JCopyTest, DeletingWithUndoPutsTheFileInTheTrashWithWhatRestoresIt) {
    String trash = TestSupport::Sandbox("xdg-data/Trash");
    SetClockForTests([] { return EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0); });
    Copy.SetConfirmFiles(false);
    for (int i = 0; i < 2; ++i) {
        Write(Source + "/my page.htm", "page " + IntToStr(i));
        EXPECT_FALSE(Run(cmDelete, Source + "/my page.htm"));
        EXPECT_FALSE(FileExists(Source + "/my page.htm"));
    }
    SetClockForTests({});

    EXPECT_EQ(Read(trash + "/files/my page.htm"), "page 0");
    EXPECT_EQ(Read(trash + "/files/my page.2.htm"), "page 1");
    String info =
        "[Trash Info]\nPath=" + Source + "/my%20page.htm\nDeletionDate=2024-03-05T14:07:09\n";
    EXPECT_EQ(Read(trash + "/info/my page.htm.trashinfo"), info);
    EXPECT_EQ(Read(trash + "/info/my page.2.htm.trashinfo"), info);
}

TEST_F(JCopyTest, DeletingWithoutUndoRemovesForGoodAfterTheQuestion) {
    Write(Source + "/a.htm", "a");
    Write(Source + "/b.htm", "b");
    Copy.SetAllowUndo(false);

    TestHooks::AnswerMessageBox(IDNO);
    EXPECT_TRUE(Run(cmDelete, Source + "/*.htm"));
    EXPECT_EQ(LastPrompt().Caption, "Confirm Multiple File Delete");
    EXPECT_EQ(LastPrompt().Text, "Are you sure you want to delete these 2 items?");
    EXPECT_TRUE(FileExists(Source + "/a.htm"));

    TestHooks::AnswerMessageBox(IDYES);
    EXPECT_FALSE(Run(cmDelete, Source + "/*.htm"));
    EXPECT_FALSE(FileExists(Source + "/a.htm"));
    EXPECT_FALSE(FileExists(Source + "/b.htm"));
    EXPECT_FALSE(DirectoryExists(TestSupport::Sandbox("xdg-data/Trash/files")));
}

TEST_F(JCopyTest, AnItemTheTrashCannotTakeIsReportedAndKept) {
    Write(TestSupport::Sandbox("xdg-data/Trash"), "a file where the Trash folder should be");
    Write(Source + "/page.htm", "page");
    Copy.SetConfirmFiles(false);

    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_TRUE(Run(cmDelete, Source + "/page.htm"));

    EXPECT_EQ(Read(Source + "/page.htm"), "page");
    EXPECT_EQ(LastPrompt().Caption, "Error Deleting File or Folder");
}

TEST_F(JCopyTest, AFailureIsReportedNamingTheFileUnlessErrorsAreHidden) {
    String missing = Source + "/missing.htm";

    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_TRUE(Run(cmCopy, missing, Target));
    EXPECT_EQ(LastPrompt().Caption, "Error Copying File or Folder");
    EXPECT_EQ(LastPrompt().Text, "Cannot copy \"" + missing + "\": No such file or directory.");

    Copy.SetShowErrors(false);
    size_t prompts = TestHooks::Prompts().size();
    EXPECT_TRUE(Run(cmMove, missing, Target));
    EXPECT_EQ(TestHooks::Prompts().size(), prompts);
}

TEST_F(JCopyTest, AFolderCannotGoIntoItself) {
    Write(Source + "/inner/a.htm", "a");
    Copy.SetShowErrors(false);
    EXPECT_TRUE(Run(cmMove, Source, Source + "/inner"));
    EXPECT_EQ(Read(Source + "/inner/a.htm"), "a");
}

TEST_F(JCopyTest, RenamingTakesTheNewPathAndReplacesAsAgreed) {
    Write(Source + "/Page.HTM", "page");
    Write(Source + "/other.htm", "other");
    Copy.SetShowProgress(false);

    EXPECT_FALSE(Run(cmRename, Source + "/Page.HTM", Source + "/page.htm"));
    EXPECT_EQ(Read(Source + "/page.htm"), "page");
    EXPECT_FALSE(FileExists(Source + "/Page.HTM"));

    Copy.SetConfirmFiles(false);
    EXPECT_FALSE(Run(cmRename, Source + "/page.htm", Source + "/other.htm"));
    EXPECT_EQ(Read(Source + "/other.htm"), "page");
    EXPECT_TRUE(ShellProgressShown().empty());
}

TEST_F(JCopyTest, PathsOfAnyLengthWork) {
    String folder = Source + "/" + String(140, 'd');
    Write(folder + "/" + String(150, 'f') + ".htm", "long");
    EXPECT_FALSE(Run(cmCopy, folder + "/*.htm", Target));
    EXPECT_EQ(Read(Target + "/" + String(150, 'f') + ".htm"), "long");
}
