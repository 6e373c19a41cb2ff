// The program itself killed after an autosave: its next start offers the unsaved text back, and
// then deletes what the killed run left unfinished in the temporary folder.
//
// The program's message boxes are answered through QUILTMARKER_TEST_ANSWERS and its autosave
// runs every QUILTMARKER_TEST_AUTOSAVE_MS milliseconds: the settings of the tests that start the
// real program, since a user's interval is whole minutes.

#include "ProgramRun.h"
#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

namespace {

using TestSupport::ScopedEnv;

// Waits are bounded only so that a broken program fails the test instead of hanging it.
bool WaitFor(TProgramRun& program, const std::function<bool()>& done) {
    for (int i = 0; i < 600 && program.Running(); ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::vector<String> AutosaveCopies() {
    std::vector<String> copies;
    TSearchRec rec;
    for (int found = FindFirst(TempFolder() + "*.htmtmp", faAnyFile & ~faDirectory, rec);
         found == 0; found = FindNext(rec))
        copies.push_back(TempFolder() + rec.Name);
    FindClose(rec);
    return copies;
}

String IndexText() {
    String index = TempFolder() + "htmtmp.idx";
    return FileExists(index) ? ReadFileBytes(index) : String();
}

} // namespace

class CrashRecoveryTest : public testing::Test {
protected:
    void SetUp() override {
        Temp.emplace();
        ASSERT_TRUE(ForceDirectories(Site));
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\Olvane\\Quiltmarker", true));
        reg.WriteString("SplashScreen", "0");
        reg.WriteString("LastDir", Site);
    }
    void TearDown() override { Temp.reset(); }

    std::optional<TestSupport::ShortTempFolder> Temp;
    String Site = TestSupport::Sandbox("site/");
};

TEST_F(CrashRecoveryTest, CopyOfAKilledRunIsOfferedAndLoadedAtTheNextStart) {
    const String text = "<p>typed, never saved</p>\r\n";
    String page = Site + "page.html";
    String leftover = Site + "~~page.html";
    WriteFileAtomic(page, "<p>saved</p>\r\n");
    // The leftover of a save that did not finish, loaded at the first showing as a modified page.
    WriteFileAtomic(leftover, text);
    String indexLine = "=~~page.html\t" + leftover + "\r\n";
    ScopedEnv answers("QUILTMARKER_TEST_ANSWERS", String("yes"));
    String killedRun;
    {
        // Killed before its second run can begin.
        ScopedEnv interval("QUILTMARKER_TEST_AUTOSAVE_MS", String("1000"));
        TProgramRun first({page});
        ASSERT_TRUE(first.Started());
        killedRun = std::to_string(first.Pid());
        ASSERT_TRUE(WaitFor(first, [&] { return Pos(indexLine, IndexText()) > 0; }))
            << "the first run wrote no autosave copy";
        first.Kill();
    }
    std::vector<String> copies = AutosaveCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_TRUE(MatchesMask(ExtractFileName(copies[0]), "ht~" + killedRun + "-????.htmtmp"))
        << copies[0];
    EXPECT_EQ(IndexText(), copies[0] + indexLine);
    EXPECT_EQ(ReadFileBytes(copies[0]), text);
    EXPECT_EQ(TestSupport::ModeOf(copies[0]), 0600u);
    EXPECT_EQ(TestSupport::ModeOf(TempFolder() + "htmtmp.idx"), 0600u);
    // From here only the autosave copy holds the text.
    ASSERT_TRUE(DeleteFile(leftover));
    // Had it been killed during its next run: that run's placeholder and unfinished copy. Beside
    // them, the same of a copy that runs on, and a file of another program.
    const String running = std::to_string(getpid());
    const std::vector<String> killedLeftovers = {ChangeFileExt(copies[0], ".tmp"),
                                                 TempFolder() + "." + ExtractFileName(copies[0]) +
                                                     ".qmsave-" + killedRun + "-9.tmp"};
    const std::vector<String> kept = {TempFolder() + "ht~" + running + "-0001.tmp",
                                      TempFolder() + ".ht~" + running + "-0001.htmtmp.qmsave-" +
                                          running + "-9.tmp",
                                      TempFolder() + "ht~" + killedRun + ".tmp"};
    for (const String& file : killedLeftovers)
        TestSupport::PlantFile(file);
    for (const String& file : kept)
        TestSupport::PlantFile(file);

    ScopedEnv interval("QUILTMARKER_TEST_AUTOSAVE_MS", String("200"));
    TProgramRun second({});
    ASSERT_TRUE(second.Started());
    // The offer was taken: the copy was loaded and deleted, and the page it filled is modified,
    // under its own name and path, so the next autosave copies it again.
    auto recovered = [&] {
        std::vector<String> now = AutosaveCopies();
        return now.size() == 1 && now[0] != copies[0] && IndexText() == now[0] + indexLine &&
               ReadFileBytes(now[0]) == text;
    };
    EXPECT_TRUE(WaitFor(second, recovered))
        << "copies: " << AutosaveCopies().size() << ", index: " << IndexText();
    EXPECT_EQ(ReadFileBytes(page), "<p>saved</p>\r\n");
    for (const String& file : killedLeftovers)
        EXPECT_FALSE(FileExists(file)) << file;
    for (const String& file : kept)
        EXPECT_TRUE(FileExists(file)) << file;
}
