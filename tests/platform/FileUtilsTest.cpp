#include "platform/FileUtils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using TestSupport::EndedProcessId;
using TestSupport::MessageOf;
using TestSupport::ModeOf;
using TestSupport::PlantFile;
using TestSupport::ScopedEnv;
using TestSupport::ScopedUmask;

namespace {

// Every name FindFirst reports for a mask and attributes, in order.
std::vector<String> Found(const String& pathAndMask, int attr) {
    std::vector<String> names;
    TSearchRec rec;
    for (int result = FindFirst(pathAndMask, attr, rec); result == 0; result = FindNext(rec))
        names.push_back(rec.Name);
    FindClose(rec);
    return names;
}

std::vector<String> FolderContents(const String& dir) {
    return Found(IncludeTrailingPathDelimiter(dir) + "*", faAnyFile & ~faDirectory);
}

class FileUtilsTest : public testing::Test {
protected:
    void TearDown() override {
        SetWriteFailureForTests(-1);
        SetTemporaryFileHookForTests(nullptr);
        SetShippedDataFolder("");
    }
    String Dir = TestSupport::Sandbox("files");
    void SetUp() override { ASSERT_TRUE(ForceDirectories(Dir)); }
    String At(const String& name) const { return Dir + "/" + name; }
};

struct PathCase {
    String FileName, Path, Dir, Name, Ext;
};

TEST_F(FileUtilsTest, SplitsPathsAtTheLastDelimiter) {
    std::vector<PathCase> cases = {
        {"/site/v1.2/index.htm", "/site/v1.2/", "/site/v1.2", "index.htm", ".htm"},
        {"/site/v1.2/README", "/site/v1.2/", "/site/v1.2", "README", ""},
        {"archive.tar.gz", "", "", "archive.tar.gz", ".gz"},
        {"/index.htm", "/", "/", "index.htm", ".htm"},
        {"/site/pages/", "/site/pages/", "/site/pages", "", ""},
        {"site//a.b", "site//", "site//", "a.b", ".b"},
        {".htaccess", "", "", ".htaccess", ".htaccess"},
        {"", "", "", "", ""},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.FileName);
        EXPECT_EQ(ExtractFilePath(c.FileName), c.Path);
        EXPECT_EQ(ExtractFileDir(c.FileName), c.Dir);
        EXPECT_EQ(ExtractFileName(c.FileName), c.Name);
        EXPECT_EQ(ExtractFileExt(c.FileName), c.Ext);
    }
}

TEST_F(FileUtilsTest, ChangesOnlyTheExtensionOfTheName) {
    struct Case {
        String FileName, Extension, Expected;
    };
    std::vector<Case> cases = {
        {"/site/v1.2/page", ".htm", "/site/v1.2/page.htm"},
        {"/site/page.html", ".bak", "/site/page.bak"},
        {"a.tar.gz", "", "a.tar"},
        {"page.htm", ".htmtmp", "page.htmtmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChangeFileExt(c.FileName, c.Extension), c.Expected) << c.FileName;
}

TEST_F(FileUtilsTest, ExpandsRelativeNamesAndTrailingDelimiters) {
    String before = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(Dir));
    String current = GetCurrentDir();
    EXPECT_EQ(ExpandFileName("a/./b/../c.htm"), current + "/a/c.htm");
    EXPECT_EQ(ExpandFileName("sub/"), current + "/sub/");
    ASSERT_TRUE(SetCurrentDir(before));
    EXPECT_EQ(ExpandFileName("/x/../../y//z"), "/y/z");
    EXPECT_EQ(ExpandFileName("/.."), "/");

    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST_F(FileUtilsTest, AtomicWriteCreatesAndReplacesKeepingPermissionsAndLinks) {
    String page = At("page.htm");
    WriteFileAtomic(page, String("new\0\xFF", 5));
    EXPECT_EQ(ReadFileBytes(page), String("new\0\xFF", 5));

    ASSERT_EQ(::chmod(page.c_str(), 0640), 0);
    WriteFileAtomic(page, "second");
    EXPECT_EQ(ReadFileBytes(page), "second");
    EXPECT_EQ(ModeOf(page), 0640u);

    String link = At("link.htm");
    ASSERT_EQ(::symlink("page.htm", link.c_str()), 0);
    WriteFileAtomic(link, "through the link");
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadFileBytes(page), "through the link");
    EXPECT_EQ(FolderContents(Dir), (std::vector<String>{"link.htm", "page.htm"}));
}

// A pipe tells no size, so the bytes must come however far they outgrow the first guess.
TEST_F(FileUtilsTest, ReadsEveryByteWhateverSizeTheFileTells) {
    const String empty = At("empty.htm");
    WriteFileAtomic(empty, "");
    EXPECT_EQ(ReadFileBytes(empty), "");

    const String pipe = At("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    String bytes;
    for (int i = 0; bytes.size() < 200 * 1024; ++i)
        bytes += IntToStr(i) + '\0';
    std::thread writer([&] { std::ofstream(pipe, std::ios::binary) << bytes; });
    const String read = ReadFileBytes(pipe);
    writer.join();
    EXPECT_EQ(read, bytes);
}

TEST_F(FileUtilsTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    String page = At("page.htm");
    WriteFileAtomic(page, "old contents");
    String message = "Cannot write file \"" + page + "\". No space left on device";
    for (int64_t after : {0, 3, 11}) {
        SCOPED_TRACE(after);
        SetWriteFailureForTests(after);
        EXPECT_EQ(MessageOf<EWriteError>([&] { WriteFileAtomic(page, "new contents"); }), message);
        EXPECT_EQ(ReadFileBytes(page), "old contents");
        EXPECT_EQ(FolderContents(Dir), std::vector<String>{"page.htm"});
    }
    String fresh = At("fresh.htm");
    EXPECT_THROW(WriteFileAtomic(fresh, "x"), EWriteError);
    EXPECT_FALSE(FileExists(fresh));
    SetWriteFailureForTests(-1);
    WriteFileAtomic(page, "new contents");
    EXPECT_EQ(ReadFileBytes(page), "new contents");
}

// Deferring the flushes changes when the disk is flushed, not what the files hold: each file is
// in place at once and a failed write still leaves the old one.
TEST_F(FileUtilsTest, UnderADeferredFlushEachFileIsReplacedWholeAtOnce) {
    String a = At("a.htm");
    WriteFileAtomic(a, "old a");
    {
        TDeferredFlush outer;
        {
            TDeferredFlush inner;
            WriteFileAtomic(a, "new a");
            EXPECT_EQ(ReadFileBytes(a), "new a");
        }
        WriteFileAtomic(At("b.htm"), "b");
        SetWriteFailureForTests(2);
        EXPECT_THROW(WriteFileAtomic(a, "newer a"), EWriteError);
        SetWriteFailureForTests(-1);
    }
    EXPECT_EQ(ReadFileBytes(a), "new a");
    EXPECT_EQ(ReadFileBytes(At("b.htm")), "b");
    EXPECT_EQ(FolderContents(Dir), (std::vector<String>{"a.htm", "b.htm"}));
}

// A batch replaces its files only when committed; let go before, it leaves the old files and
// no temporary file; a file that fails to be written is raised at once and stays as it was.
TEST_F(FileUtilsTest, AtomicWriteBatchReplacesOnlyOnCommit) {
    String a = At("a.htm");
    String b = At("b.htm");
    WriteFileAtomic(a, "old a");
    WriteFileAtomic(b, "old b");
    {
        TAtomicWriteBatch batch;
        batch.Add(a, "new a");
        EXPECT_EQ(ReadFileBytes(a), "old a");
    }
    EXPECT_EQ(FolderContents(Dir), (std::vector<String>{"a.htm", "b.htm"}));
    TAtomicWriteBatch batch;
    batch.Add(a, "new a");
    SetWriteFailureForTests(2);
    EXPECT_THROW(batch.Add(b, "new b"), EWriteError);
    SetWriteFailureForTests(-1);
    EXPECT_TRUE(batch.Commit().empty());
    EXPECT_EQ(ReadFileBytes(a), "new a");
    EXPECT_EQ(ReadFileBytes(b), "old b");
    EXPECT_EQ(FolderContents(Dir), (std::vector<String>{"a.htm", "b.htm"}));
}

TEST_F(FileUtilsTest, RefusedWritesNameTheFile) {
    String readOnly = At("locked.htm");
    WriteFileAtomic(readOnly, "locked");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    String noFolder = At("none/page.htm");
    struct Case {
        String FileName, Reason;
    };
    for (const Case& c : std::vector<Case>{{readOnly, "Permission denied"},
                                           {noFolder, "No such file or directory"},
                                           {Dir, "Is a directory"}}) {
        EXPECT_EQ(MessageOf<EFCreateError>([&] { WriteFileAtomic(c.FileName, "x"); }),
                  "Cannot create file \"" + c.FileName + "\". " + c.Reason);
    }
    EXPECT_EQ(ReadFileBytes(readOnly), "locked");
    EXPECT_TRUE(FileIsReadOnly(readOnly));
    EXPECT_EQ(MessageOf<EFOpenError>([&] { ReadFileBytes(noFolder); }),
              "Cannot open file \"" + noFolder + "\". No such file or directory");
}

TEST_F(FileUtilsTest, CopyFileRefusesItselfAndHonoursFailIfExists) {
    String source = At("source.htm"), target = At("target.htm");
    WriteFileAtomic(source, "source");
    const timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);

    EXPECT_FALSE(CopyFile(source, source, false));
    EXPECT_FALSE(CopyFile(source, Dir + "/./source.htm", false));
    EXPECT_EQ(ReadFileBytes(source), "source");

    EXPECT_TRUE(CopyFile(source, target, true));
    EXPECT_EQ(ReadFileBytes(target), "source");
    struct stat info {};
    ::stat(target.c_str(), &info);
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);

    WriteFileAtomic(target, "mine");
    EXPECT_FALSE(CopyFile(source, target, true));
    EXPECT_EQ(ReadFileBytes(target), "mine");
    EXPECT_TRUE(CopyFile(source, target, false));
    EXPECT_EQ(ReadFileBytes(target), "source");
    EXPECT_FALSE(CopyFile(At("missing.htm"), target, false));
    EXPECT_FALSE(CopyFile(source, At("none/target.htm"), false));
}

TEST_F(FileUtilsTest, FilesAndFolders) {
    String nested = At("a/b/c");
    EXPECT_FALSE(CreateDir(nested));
    EXPECT_TRUE(ForceDirectories(nested + "/"));
    EXPECT_TRUE(DirectoryExists(nested));
    EXPECT_FALSE(FileExists(nested));
    EXPECT_EQ(FileSizeOf(nested), -1);

    String file = nested + "/f.txt";
    WriteFileAtomic(file, "12345");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_EQ(FileSizeOf(file), 5);
    EXPECT_FALSE(ForceDirectories(file + "/x"));

    String other = nested + "/g.txt";
    WriteFileAtomic(other, "other");
    EXPECT_FALSE(RenameFile(file, other));
    EXPECT_EQ(ReadFileBytes(other), "other");
    EXPECT_TRUE(RenameFile(file, nested + "/h.txt"));
    EXPECT_FALSE(FileExists(file));

    EXPECT_FALSE(RemoveDir(nested));
    EXPECT_FALSE(DeleteFile(nested));
    EXPECT_TRUE(DeleteFile(other));
    EXPECT_TRUE(DeleteFile(nested + "/h.txt"));
    EXPECT_TRUE(RemoveDir(nested));
    EXPECT_FALSE(DirectoryExists(nested));
}

struct MaskCase {
    String Name, Mask;
    bool Matches;
};

class Masks : public testing::TestWithParam<MaskCase> {};

TEST_P(Masks, MatchLikeTheFrameworkWithoutRegardToCase) {
    EXPECT_EQ(MatchesMask(GetParam().Name, GetParam().Mask), GetParam().Matches);
}

INSTANTIATE_TEST_SUITE_P(
    FileUtilsTest, Masks,
    testing::Values(MaskCase{"a.HTML", "*.htm*", true}, MaskCase{"a.htm", "*.htm*", true},
                    MaskCase{"a.txt", "*.htm*", false}, MaskCase{"readme", "*.*", true},
                    MaskCase{"abc.txt", "a?c.txt", true}, MaskCase{"ac.txt", "a?c.txt", false},
                    MaskCase{"abbc.txt", "a?c.txt", false}, MaskCase{"page.htm", "*.html", false},
                    MaskCase{"INDEX.Htm", "index.htm", true}, MaskCase{"a.b.c", "*.c", true},
                    MaskCase{"banana", "*an*na", true}, MaskCase{"bananas", "*an*na", false},
                    MaskCase{"notes", "notes.*", true}, MaskCase{"notes", "*.", true},
                    MaskCase{"notes.txt", "*.", false}, MaskCase{"x", "", false}));

TEST_F(FileUtilsTest, FindFirstListsSortedMatchesWithTheAttributesAskedFor) {
    for (const char* name : {"b.htm", "A.HTML", "c.txt", ".hidden.htm"})
        WriteFileAtomic(At(name), "12345");
    ASSERT_TRUE(CreateDir(At("sub")));
    ASSERT_TRUE(CreateDir(At("pages.htm")));
    ASSERT_EQ(::mkfifo(At("pipe.htm").c_str(), 0600), 0);

    struct Case {
        String Mask;
        int Attr;
        std::vector<String> Names;
    };
    std::vector<Case> cases = {
        {"*.htm*", 0, {"A.HTML", "b.htm"}},
        {"*.htm*", faReadOnly | faArchive, {"A.HTML", "b.htm"}},
        {"*.htm*", faDirectory, {"A.HTML", "b.htm", "pages.htm"}},
        {"*", faDirectory, {".", "..", "A.HTML", "b.htm", "c.txt", "pages.htm", "sub"}},
        {"*.*", faHidden, {".hidden.htm", "A.HTML", "b.htm", "c.txt"}},
        {"*.htm", faAnyFile, {".hidden.htm", "b.htm", "pages.htm", "pipe.htm"}},
        {"x*", faAnyFile, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mask + " " + std::to_string(c.Attr));
        EXPECT_EQ(Found(At(c.Mask), c.Attr), c.Names);
    }
    TSearchRec rec;
    EXPECT_NE(FindFirst(At("x*"), faAnyFile, rec), 0);
    EXPECT_NE(FindFirst(At("none/*.*"), faAnyFile, rec), 0);
    EXPECT_NE(FindNext(rec), 0);
}

TEST_F(FileUtilsTest, FindFirstFillsSizeTimeAndAttributes) {
    String page = At("page.htm");
    WriteFileAtomic(page, "12345");
    ASSERT_EQ(::chmod(page.c_str(), 0444), 0);
    tm local{};
    local.tm_year = 2001 - 1900;
    local.tm_mon = 1;
    local.tm_mday = 3;
    local.tm_hour = 4;
    local.tm_min = 5;
    local.tm_sec = 6;
    local.tm_isdst = -1;
    const timespec times[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, page.c_str(), times, 0), 0);
    ASSERT_TRUE(CreateDir(At("sub")));

    TSearchRec rec;
    ASSERT_EQ(FindFirst(At("*"), faAnyFile, rec), 0);
    std::vector<std::pair<String, int>> seen;
    do {
        seen.emplace_back(rec.Name, rec.Attr);
        if (rec.Name == "page.htm") {
            EXPECT_EQ(rec.Size, 5);
            // 3 February 2001 is day 36925 of the framework's calendar.
            EXPECT_NEAR(rec.Time, 36925 + (4 * 3600 + 5 * 60 + 6) / 86400.0, 1e-6);
        }
    } while (FindNext(rec) == 0);
    FindClose(rec);
    EXPECT_EQ(seen, (std::vector<std::pair<String, int>>{{".", faDirectory},
                                                         {"..", faDirectory},
                                                         {"page.htm", faReadOnly},
                                                         {"sub", faDirectory}}));
}

TEST_F(FileUtilsTest, ProgramFolderFollowsTheEnvironment) {
    String home = TestSupport::Sandbox("home");
    EXPECT_EQ(ProgramFolder(), home + "/");
    {
        ScopedEnv unsetHome("QUILTMARKER_HOME", std::nullopt);
        EXPECT_EQ(ProgramFolder(), TestSupport::Sandbox("xdg-data/quiltmarker/"));
        ScopedEnv unsetData("XDG_DATA_HOME", std::nullopt);
        ScopedEnv userHome("HOME", TestSupport::Sandbox("user"));
        EXPECT_EQ(ProgramFolder(), TestSupport::Sandbox("user/.local/share/quiltmarker/"));
        EXPECT_TRUE(DirectoryExists(TestSupport::Sandbox("user/.local/share/quiltmarker")));
    }
    ScopedEnv blocked("QUILTMARKER_HOME", At("file/home"));
    WriteFileAtomic(At("file"), "in the way");
    EXPECT_EQ(MessageOf<EInOutError>([] {
                  ProgramFolder();
              }).rfind("Cannot create folder \"" + At("file/home") + "\". ", 0),
              0u);
}

TEST_F(FileUtilsTest, ProgramFolderIsSeededWithoutOverwriting) {
    String shipped = TestSupport::Sandbox("shipped");
    ASSERT_TRUE(ForceDirectories(shipped + "/help"));
    WriteFileAtomic(shipped + "/html40.att", "shipped attributes");
    WriteFileAtomic(shipped + "/exwords.txt", "shipped words");
    WriteFileAtomic(shipped + "/help/index.htm", "help");
    String home = TestSupport::Sandbox("home/");
    WriteFileAtomic(home + "exwords.txt", "my words");

    SetShippedDataFolder(shipped);
    EXPECT_EQ(ProgramFolder(), home);
    EXPECT_EQ(ReadFileBytes(home + "exwords.txt"), "my words");
    EXPECT_EQ(ReadFileBytes(home + "html40.att"), "shipped attributes");
    EXPECT_EQ(ReadFileBytes(home + "help/index.htm"), "help");
}

TEST_F(FileUtilsTest, TempFolderIsTmpDirWhenPrivate) {
    EXPECT_EQ(TempFolder(), TestSupport::Sandbox("tmp/"));
}

TEST_F(FileUtilsTest, SharedTempFolderGetsAPrivateFolderOfItsOwn) {
    String shared = TestSupport::Sandbox("shared");
    ASSERT_TRUE(CreateDir(shared));
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    ScopedEnv tmpdir("TMPDIR", shared);
    String own = shared + "/quiltmarker-" + std::to_string(getuid());

    EXPECT_EQ(TempFolder(), own + "/");
    EXPECT_EQ(ModeOf(own), 0700u);
    ASSERT_EQ(::chmod(own.c_str(), 0755), 0);
    EXPECT_EQ(TempFolder(), own + "/");
    EXPECT_EQ(ModeOf(own), 0700u);
}

TEST_F(FileUtilsTest, PlantedTempFolderIsRefused) {
    String shared = TestSupport::Sandbox("shared");
    ASSERT_TRUE(CreateDir(shared));
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    ScopedEnv tmpdir("TMPDIR", shared);
    String own = shared + "/quiltmarker-" + std::to_string(getuid());

    ASSERT_TRUE(CreateDir(own));
    ASSERT_EQ(::chmod(own.c_str(), 0777), 0);
    EXPECT_EQ(MessageOf<EInOutError>([] { TempFolder(); }),
              "Cannot use the temporary folder \"" + own + "\": other users may write to it.");
    ASSERT_TRUE(RemoveDir(own));

    ASSERT_EQ(::symlink(Dir.c_str(), own.c_str()), 0);
    EXPECT_EQ(MessageOf<EInOutError>([] { TempFolder(); }),
              "Cannot use the temporary folder \"" + own + "\": it is not a folder.");
    ASSERT_TRUE(DeleteFile(own));

    ASSERT_TRUE(CreateDir(own));
    if (::chown(own.c_str(), getuid() + 4321, getgid()) != 0)
        GTEST_SKIP() << "only the superuser can hand the folder to another user";
    EXPECT_EQ(MessageOf<EInOutError>([] { TempFolder(); }),
              "Cannot use the temporary folder \"" + own + "\": it belongs to another user.");
}

TEST_F(FileUtilsTest, TempFileNamesAreNewPrivateFilesOfThePrefix) {
    String folder = IncludeTrailingPathDelimiter(Dir);
    std::vector<String> names;
    for (int i = 0; i < 3; ++i)
        names.push_back(GetTempFileName(folder, "ht~"));

    EXPECT_EQ(FolderContents(Dir).size(), 3u);
    for (const String& name : names) {
        EXPECT_EQ(ExtractFilePath(name), folder);
        EXPECT_TRUE(MatchesMask(ExtractFileName(name), "ht~????.tmp")) << name;
        EXPECT_EQ(FileSizeOf(name), 0);
        EXPECT_EQ(ModeOf(name), 0600u);
    }
    String missing = folder + "gone/";
    EXPECT_EQ(MessageOf<EFCreateError>([&] { GetTempFileName(missing, "ht~"); }),
              "Cannot create file \"" + missing + "ht~*.tmp\". No such file or directory");
}

TEST_F(FileUtilsTest, TempFolderWithoutTmpDirIsPrivateInTmp) {
    ScopedEnv tmpdir("TMPDIR", std::nullopt);
    String expected = "/tmp/quiltmarker-" + std::to_string(getuid());
    EXPECT_EQ(TempFolder(), expected + "/");
    struct stat info {};
    ASSERT_EQ(::lstat(expected.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, geteuid());
    EXPECT_EQ(info.st_mode & 07777, 0700u);
}

// A process killed during a save, right after it made its temporary file beside fileName: the
// file it leaves and its id.
std::pair<String, pid_t> KilledSaveLeftover(const String& fileName) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        SetTemporaryFileHookForTests([&](const String& tempName) {
            [[maybe_unused]] ssize_t sent = ::write(pipeEnds[1], tempName.data(), tempName.size());
            ::_exit(0);
        });
        WriteFileAtomic(fileName, "never written whole");
        ::_exit(1);
    }
    ::close(pipeEnds[1]);
    char name[4096];
    ssize_t got = ::read(pipeEnds[0], name, sizeof name);
    ::close(pipeEnds[0]);
    ::waitpid(child, nullptr, 0);
    return {got > 0 ? String(name, static_cast<size_t>(got)) : String(), child};
}

String SaveTemporaryName(const String& name, pid_t pid) {
    return "." + name + ".qmsave-" + std::to_string(pid) + "-7.tmp";
}

struct LeftoverTrigger {
    const char* Name;
    std::function<void(const String& page)> Act;
};

} // namespace

// The temporary file of a save is the program's own, stamped with its process: a later save or
// read in the folder deletes it once that process has ended, and nothing else.
TEST_F(FileUtilsTest, LeftoversOfKilledSavesGoAtTheNextSaveOrOpenInTheirFolder) {
    const std::vector<LeftoverTrigger> triggers = {
        {"save", [](const String& page) { WriteFileAtomic(page, "new"); }},
        {"batch",
         [](const String& page) {
             TAtomicWriteBatch batch;
             batch.Add(page, "new");
             EXPECT_TRUE(batch.Commit().empty());
         }},
        {"open", [](const String& page) { ReadFileBytes(page); }},
    };
    for (const LeftoverTrigger& trigger : triggers) {
        SCOPED_TRACE(trigger.Name);
        const String folder = At(trigger.Name);
        ASSERT_TRUE(CreateDir(folder));
        const String page = folder + "/page.htm";
        PlantFile(page, "old");
        auto [killedLeftover, ended] = KilledSaveLeftover(page);
        ASSERT_EQ(ExtractFilePath(killedLeftover), folder + "/");
        ASSERT_TRUE(FileExists(killedLeftover));
        const String stamp = "qmsave-" + std::to_string(ended) + "-";
        struct Planted {
            String Name;
            bool Stays;
        };
        const std::vector<Planted> planted = {
            {SaveTemporaryName("other.htm", ended), false},
            {SaveTemporaryName("page.htm", getpid()), true},  // this copy, still writing
            {SaveTemporaryName("page.htm", getppid()), true}, // another copy that runs
            {SaveTemporaryName("page.htm", 1), true},         // one of another user
            {"page.htm." + stamp + "7.tmp", true},            // not hidden
            {".page.htm." + std::to_string(ended) + "-7.tmp", true},
            {".page.htm." + stamp + "7.tmp.bak", true},
            {".page.htm." + stamp + "7x.tmp", true},
            {".page.htm.qmsave-" + std::to_string(ended) + ".tmp", true},
            {".page.htm.qmsave-0" + std::to_string(ended) + "-7.tmp", true},
            {"." + stamp + "7.tmp", true}, // no file's name
            {"ht~" + std::to_string(ended) + "-0001.tmp", true},
        };
        for (const Planted& file : planted)
            PlantFile(folder + "/" + file.Name);

        trigger.Act(page);

        EXPECT_FALSE(FileExists(killedLeftover)) << killedLeftover;
        for (const Planted& file : planted)
            EXPECT_EQ(FileExists(folder + "/" + file.Name), file.Stays) << file.Name;
        // One scan of a folder a run: a later leftover waits for the next run.
        const String later = folder + "/" + SaveTemporaryName("later.htm", ended);
        PlantFile(later);
        trigger.Act(page);
        EXPECT_TRUE(FileExists(later));
    }
}

// The temporary file never allows more than the file it replaces, from its creation on, whatever
// the umask took; the new file ends with the old one's mode exactly. Under TPrivateWrites it is
// this user's alone, and the next write after the scope follows the umask again.
TEST_F(FileUtilsTest, TemporaryFileHasTheFinalModeFromItsCreation) {
    struct Case {
        mode_t Umask;
        std::optional<mode_t> Old;
        bool Private;
        mode_t Final;
    };
    const std::vector<Case> cases = {
        {0277, std::nullopt, true, 0600}, {022, 0644, true, 0600},
        {0, 0600, false, 0600},           {022, 0664, false, 0664},
        {077, 0644, false, 0644},         {022, 02775, false, 02775},
        {0, 0640, false, 0640},           {027, std::nullopt, false, 0640},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("umask %.3o, old %.4o", static_cast<unsigned>(c.Umask),
                            static_cast<unsigned>(c.Old.value_or(0))) +
                     (c.Private ? ", private" : ""));
        const String page = At("page.htm");
        ::unlink(page.c_str());
        if (c.Old) {
            PlantFile(page, "old");
            ASSERT_EQ(::chmod(page.c_str(), *c.Old), 0);
        }
        ScopedUmask umask(c.Umask);
        std::optional<mode_t> created;
        SetTemporaryFileHookForTests([&](const String& tempName) { created = ModeOf(tempName); });
        {
            std::optional<TPrivateWrites> privateWrites;
            if (c.Private)
                privateWrites.emplace();
            WriteFileAtomic(page, "new");
        }
        ASSERT_TRUE(created.has_value());
        EXPECT_EQ(*created & ~c.Final, 0u) << Format("%.4o", static_cast<unsigned>(*created));
        EXPECT_EQ(ModeOf(page), c.Final);
    }
}

// A placeholder carries its process: a later run deletes those of a process that ended, with the
// save leftovers beside them, and leaves the rest. The run is of a user other than the superuser,
// whose processes refuse it the signal that asks whether they run.
TEST_F(FileUtilsTest, TempFilesOfEndedRunsAreDeletedByTheirPrefixAndProcess) {
    const String folder = IncludeTrailingPathDelimiter(Dir);
    const String own = GetProcessTempFileName(folder, "ht~");
    EXPECT_TRUE(MatchesMask(ExtractFileName(own), "ht~" + std::to_string(getpid()) + "-????.tmp"))
        << own;
    EXPECT_EQ(ModeOf(own), 0600u);
    const pid_t ended = EndedProcessId();
    const String endedId = std::to_string(ended);
    struct Planted {
        String Name;
        bool Stays;
    };
    const std::vector<Planted> planted = {
        {"ht~" + endedId + "-00A1.tmp", false},
        {SaveTemporaryName("ht~" + endedId + "-00A1.htmtmp", ended), false},
        {"ht~" + std::to_string(getppid()) + "-00A2.tmp", true},
        {"ht~1-00A9.tmp", true},
        {"ht~" + endedId + "-00a3.tmp", true},
        {"ht~" + endedId + "-0A4.tmp", true},
        {"ht~" + endedId + "-000A5.tmp", true},
        {"ht~" + endedId + "-00A6.htmtmp", true},
        {"xx~" + endedId + "-00A7.tmp", true},
        {"ht~x" + endedId + "-00A8.tmp", true},
    };
    for (const Planted& file : planted)
        PlantFile(folder + file.Name);

    ASSERT_EQ(::chmod(Dir.c_str(), 0777), 0);
    pid_t child = ::fork();
    if (child == 0) {
        bool ready = ::chdir(Dir.c_str()) == 0 && (geteuid() != 0 || ::setuid(65534) == 0);
        if (ready)
            DeleteTempFilesOfEndedRuns("", "ht~");
        ::_exit(ready ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_TRUE(FileExists(own));
    for (const Planted& file : planted)
        EXPECT_EQ(FileExists(folder + file.Name), file.Stays) << file.Name;
}

// Times set as local date-times come back from the directory entry to the millisecond, with
// read-only and hidden as the permissions and the name give them; a missing file gives nothing.
TEST_F(FileUtilsTest, FileEntryGivesTheTimesThatWereSet) {
    String file = Dir + "/.notes.txt";
    WriteFileAtomic(file, "12345");
    double modified = 45000 + 0.5; // noon
    double accessed = 45001;       // midnight
    ASSERT_TRUE(FileSetTimes(file, modified, accessed));
    TFileEntry entry = FileEntryOf(file);
    EXPECT_TRUE(entry.Exists);
    EXPECT_EQ(entry.Size, 5);
    EXPECT_NEAR(entry.Modified, modified, 1e-8);
    EXPECT_NEAR(entry.Accessed, accessed, 1e-8);
    EXPECT_NEAR(FileModifiedTime(file), modified, 1e-8);
    EXPECT_EQ(entry.Attr & (faHidden | faArchive | faSysFile), faHidden);
    EXPECT_FALSE(FileEntryOf(Dir + "/gone").Exists);
    EXPECT_EQ(FileModifiedTime(Dir + "/gone"), -1);
    EXPECT_EQ(FolderReadProblem(Dir), "");
    EXPECT_EQ(FolderReadProblem(file), "Not a directory");
}
