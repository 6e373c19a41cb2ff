#include "platform/FileUtils.h"

#include "platform/Classes.h"
#include "platform/FileUtilsStat.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <optional>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::atomic<int64_t> WriteFailureAfter{-1};

// Creates a folder and its parents; 0 when the folder exists afterwards, else the reason.
int MakeFolders(const String& dir) {
    if (dir.empty())
        return ENOENT;
    std::error_code error;
    fs::create_directories(fs::path(dir), error);
    if (DirectoryExists(dir))
        return 0;
    return error ? error.value() : ENOTDIR;
}

} // namespace

bool ModeIsReadOnly(const struct stat& info) {
    mode_t writeBit = info.st_uid == geteuid()   ? S_IWUSR
                      : info.st_gid == getegid() ? S_IWGRP
                                                 : S_IWOTH;
    return (info.st_mode & writeBit) == 0;
}

// ---------------------------------------------------------------------------------------------
// Files and folders

bool FileExists(const String& fileName) {
    struct stat info;
    return ::stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const String& dir) {
    struct stat info;
    return ::stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ForceDirectories(const String& dir) {
    return MakeFolders(dir) == 0;
}

bool CreateDir(const String& dir) {
    return ::mkdir(dir.c_str(), 0777) == 0;
}

bool RemoveDir(const String& dir) {
    return ::rmdir(dir.c_str()) == 0;
}

bool DeleteFile(const String& fileName) {
    return ::unlink(fileName.c_str()) == 0;
}

// As the framework's rename, an existing target is never replaced.
bool RenameFile(const String& oldName, const String& newName) {
    struct stat info;
    if (::lstat(newName.c_str(), &info) == 0)
        return false;
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

// Keeps the source's last write time, as the system's copy does.
bool CopyFile(const String& source, const String& target, bool failIfExists) {
    struct stat from, to;
    if (::stat(source.c_str(), &from) != 0 || S_ISDIR(from.st_mode))
        return false;
    if (::stat(target.c_str(), &to) == 0) {
        bool sameFile = from.st_dev == to.st_dev && from.st_ino == to.st_ino;
        if (sameFile || failIfExists)
            return false;
    }
    try {
        WriteFileAtomic(target, ReadFileBytes(source));
    } catch (const Exception&) {
        return false;
    }
    const timespec times[2] = {from.st_atim, from.st_mtim};
    ::utimensat(AT_FDCWD, target.c_str(), times, 0);
    return true;
}

int64_t FileSizeOf(const String& fileName) {
    struct stat info;
    if (::stat(fileName.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return -1;
    return info.st_size;
}

bool FileIsReadOnly(const String& fileName) {
    struct stat info;
    return ::stat(fileName.c_str(), &info) == 0 && ModeIsReadOnly(info);
}

// ---------------------------------------------------------------------------------------------
// Paths

String ExtractFilePath(const String& fileName) {
    size_t slash = fileName.rfind(PathDelim);
    return slash == String::npos ? String() : fileName.substr(0, slash + 1);
}

// The delimiter stays when it is the root or follows another one.
String ExtractFileDir(const String& fileName) {
    size_t slash = fileName.rfind(PathDelim);
    if (slash == String::npos)
        return String();
    if (slash > 0 && fileName[slash - 1] != PathDelim)
        return fileName.substr(0, slash);
    return fileName.substr(0, slash + 1);
}

String ExtractFileName(const String& fileName) {
    size_t slash = fileName.rfind(PathDelim);
    return slash == String::npos ? fileName : fileName.substr(slash + 1);
}

namespace {
// Where the extension starts, or npos: the last dot after the last delimiter.
size_t ExtensionStart(const String& fileName) {
    size_t mark = fileName.find_last_of(String(".") + PathDelim);
    return mark != String::npos && fileName[mark] == '.' ? mark : String::npos;
}
} // namespace

String ExtractFileExt(const String& fileName) {
    size_t dot = ExtensionStart(fileName);
    return dot == String::npos ? String() : fileName.substr(dot);
}

String ChangeFileExt(const String& fileName, const String& extension) {
    return fileName.substr(0, ExtensionStart(fileName)) + extension;
}

// Resolves "." and ".." by the text alone, as the framework does; symbolic links stay.
String ExpandFileName(const String& fileName) {
    if (fileName.empty())
        return String();
    String path = fileName[0] == PathDelim
                      ? fileName
                      : IncludeTrailingPathDelimiter(GetCurrentDir()) + fileName;
    std::vector<String> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = std::min(path.find(PathDelim, start), path.size());
        String part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    String result;
    for (const String& part : parts)
        result += PathDelim + part;
    if (result.empty())
        return String(1, PathDelim);
    if (fileName.back() == PathDelim)
        result += PathDelim;
    return result;
}

String IncludeTrailingPathDelimiter(const String& dir) {
    return !dir.empty() && dir.back() == PathDelim ? dir : dir + PathDelim;
}

// The root keeps its delimiter: without it the path would name the current folder instead.
String ExcludeTrailingPathDelimiter(const String& dir) {
    if (dir.size() > 1 && dir.back() == PathDelim)
        return dir.substr(0, dir.size() - 1);
    return dir;
}

String GetCurrentDir() {
    std::error_code error;
    fs::path current = fs::current_path(error);
    return error ? String() : current.string();
}

bool SetCurrentDir(const String& dir) {
    return ::chdir(dir.c_str()) == 0;
}

// ---------------------------------------------------------------------------------------------
// Temporary files of killed runs
//
// The temporary names of saves and of GetProcessTempFileName end in "<process id>-<count>.tmp"
// after a mark of their own, so that a later run can tell what a killed process left from what a
// running copy is still writing. A name of any other form is never deleted.

namespace {

// Marks the temporary file of a save: "." + the file's name + SaveMark + stamp.
const String SaveMark = ".qmsave-";

String ProcessStamp() {
    return std::to_string(getpid()) + "-";
}

bool IsCount(const String& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// GetTempFileName's four upper-case hex digits.
bool IsFourHexDigits(const String& text) {
    return text.size() == 4 && text.find_first_not_of("0123456789ABCDEF") == String::npos;
}

// The process id the digits give as ProcessStamp writes it, or 0 when they are not one.
pid_t ProcessIdOf(const String& digits) {
    if (!IsCount(digits) || digits[0] == '0' || digits.size() > 9)
        return 0;
    return static_cast<pid_t>(std::stol(digits));
}

// The writer that a name's end "<process id>-<tail>.tmp" gives, when the tail fits; else 0.
pid_t StampedWriter(const String& end, bool (*tailFits)(const String&)) {
    if (!end.ends_with(".tmp"))
        return 0;
    String stamp = end.substr(0, end.size() - 4);
    size_t dash = stamp.find('-');
    if (dash == String::npos || !tailFits(stamp.substr(dash + 1)))
        return 0;
    return ProcessIdOf(stamp.substr(0, dash));
}

pid_t SaveTemporaryWriter(const String& name) {
    size_t mark = name.rfind(SaveMark);
    if (name[0] != '.' || mark == String::npos || mark < 2)
        return 0;
    return StampedWriter(name.substr(mark + SaveMark.size()), IsCount);
}

pid_t ProcessTempFileWriter(const String& name, const String& prefix) {
    if (!name.starts_with(prefix))
        return 0;
    return StampedWriter(name.substr(prefix.size()), IsFourHexDigits);
}

// A process of another user still runs too: the system refuses the signal then, with EPERM.
bool ProcessHasEnded(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// One scan of the folder: the regular files whose names writerOf ties to a process that has
// ended are deleted.
void DeleteFilesOfEndedWriters(const String& folder,
                               const std::function<pid_t(const String&)>& writerOf) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    std::vector<String> ended;
    while (const dirent* found = ::readdir(dir)) {
        pid_t writer = writerOf(found->d_name);
        if (writer > 0 && ProcessHasEnded(writer))
            ended.push_back(folder + found->d_name);
    }
    ::closedir(dir);
    for (const String& path : ended) {
        struct stat info;
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            ::unlink(path.c_str());
    }
}

std::mutex CleanedFoldersLock;
std::set<String> CleanedFolders;

// Once a run for each folder, so that a save or a read costs one scan of its folder at most.
void DeleteSaveLeftoversOnce(const String& fileName) {
    String folder = ExtractFilePath(ExpandFileName(fileName));
    {
        std::lock_guard<std::mutex> lock(CleanedFoldersLock);
        if (!CleanedFolders.insert(folder).second)
            return;
    }
    DeleteFilesOfEndedWriters(folder, SaveTemporaryWriter);
}

} // namespace

void DeleteTempFilesOfEndedRuns(const String& folder, const String& prefix) {
    DeleteFilesOfEndedWriters(folder, [&](const String& name) {
        pid_t writer = ProcessTempFileWriter(name, prefix);
        return writer != 0 ? writer : SaveTemporaryWriter(name);
    });
}

// ---------------------------------------------------------------------------------------------
// Whole files

String FileErrorMessage(const String& action, const String& fileName, int errorNumber) {
    return action + " file \"" + fileName + "\". " +
           std::error_code(errorNumber, std::generic_category()).message();
}

// Read straight into the result, sized by the file and one byte more, so that a page costs no
// buffer beyond itself and its end is seen at once; a file that grows meanwhile, or one that
// tells no size (a pipe, a kernel file), still comes whole as the result grows.
String ReadFileBytes(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    DeleteSaveLeftoversOnce(fileName);
    constexpr size_t MinRoom = 64 * 1024;
    constexpr size_t MaxRead = 1 << 30;
    String bytes(static_cast<size_t>(std::max<int64_t>(stream.Size(), 0)) + 1, '\0');
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(std::max(bytes.size() * 2, MinRoom));
        const size_t room = std::min(bytes.size() - filled, MaxRead);
        const int n = stream.Read(&bytes[filled], static_cast<int>(room));
        if (n < 0)
            throw EReadError(FileErrorMessage("Cannot read", fileName, errno));
        if (n == 0) {
            bytes.resize(filled);
            return bytes;
        }
        filled += static_cast<size_t>(n);
    }
}

namespace {

// The file a name stands for: a symbolic link is followed, so that replacing the file keeps the
// link.
String ReplacedFile(const String& fileName) {
    struct stat info;
    if (::lstat(fileName.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return fileName;
    std::error_code error;
    fs::path target = fs::weakly_canonical(fs::path(fileName), error);
    return error ? fileName : target.string();
}

// A hidden, unique name beside the target, stamped with this process; the name part is cut so
// that it stays a legal name. The file is created with the mode given, as the umask narrows it.
int CreateTemporaryBeside(const String& target, mode_t mode, String& tempName) {
    static std::atomic<unsigned> counter{0};
    String prefix = ExtractFilePath(target) + "." + ExtractFileName(target).substr(0, 100) +
                    SaveMark + ProcessStamp();
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = prefix + std::to_string(counter++) + ".tmp";
        int handle = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (handle >= 0 || errno != EEXIST)
            return handle;
    }
    return -1;
}

// Writes every byte or returns the reason of the failure (0 when all went well). The test hook
// stops the write part way, as a full disk would. The bytes reach the disk only with a sync.
int WriteAll(int handle, std::string_view bytes) {
    int64_t limit = WriteFailureAfter.load();
    size_t allowed = limit >= 0 ? std::min(bytes.size(), static_cast<size_t>(limit)) : bytes.size();
    size_t done = 0;
    while (done < allowed) {
        ssize_t n = ::write(handle, bytes.data() + done, allowed - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        done += static_cast<size_t>(n);
    }
    if (limit >= 0)
        return ENOSPC;
    return 0;
}

void SyncFolder(const String& fileName) {
    String folder = ExtractFilePath(fileName);
    int handle = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

} // namespace

namespace {

int PrivateWritesDepth = 0;
std::function<void(const String&)> TemporaryCreatedHook;

// The mode a new file must end with, when it is not the one the umask gives a new file.
std::optional<mode_t> ModeToKeep(bool existed, const struct stat& old) {
    if (PrivateWritesDepth > 0)
        return 0600;
    if (existed)
        return old.st_mode & 07777;
    return std::nullopt;
}

// Writes the bytes into a new temporary file beside the file a name stands for, with the old
// file's permissions and owner (0600 under a TPrivateWrites), and gives the target and the
// temporary name; synced when asked. The file is created with those permissions, so that it is
// never open to more users than they allow, even for a moment; the owner is set before them,
// since a new owner drops the set-id bits.
// Raises EFCreateError / EWriteError naming the file, with no temporary file left behind.
void WriteTemporary(const String& fileName, std::string_view bytes, bool sync, String& target,
                    String& tempName) {
    target = ReplacedFile(fileName);
    struct stat old;
    bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode))
        throw EFCreateError(FileErrorMessage("Cannot create", fileName, EISDIR));
    if (existed && ModeIsReadOnly(old))
        throw EFCreateError(FileErrorMessage("Cannot create", fileName, EACCES));
    DeleteSaveLeftoversOnce(target);
    std::optional<mode_t> mode = ModeToKeep(existed, old);
    int handle = CreateTemporaryBeside(target, mode.value_or(0666), tempName);
    if (handle < 0)
        throw EFCreateError(FileErrorMessage("Cannot create", fileName, errno));
    if (TemporaryCreatedHook)
        TemporaryCreatedHook(tempName);
    // Where the system refuses the owner, the file becomes ours, as any new file would.
    if (existed) {
        [[maybe_unused]] int kept = ::fchown(handle, old.st_uid, old.st_gid);
    }
    // The umask may have taken bits that the old file had.
    if (mode)
        ::fchmod(handle, *mode);
    int error = WriteAll(handle, bytes);
    if (error == 0 && sync && ::fsync(handle) != 0)
        error = errno;
    if (::close(handle) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(tempName.c_str());
        throw EWriteError(FileErrorMessage("Cannot write", fileName, error));
    }
}

// Puts the temporary file in the target's place; raises EWriteError, with the temporary file
// removed, when it cannot.
void RenameOver(const String& fileName, const String& tempName, const String& target) {
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        int error = errno;
        ::unlink(tempName.c_str());
        throw EWriteError(FileErrorMessage("Cannot write", fileName, error));
    }
}

} // namespace

namespace {

// Each flushes its file system once; the folders of the files written while a TDeferredFlush
// lives, each named once.
void SyncFileSystems(const std::vector<String>& folders) {
    for (const String& folder : folders) {
        int handle =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (handle >= 0) {
            ::syncfs(handle);
            ::close(handle);
        }
    }
}

void AddFolderOnce(std::vector<String>& folders, const String& fileName) {
    String folder = ExtractFilePath(fileName);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
        folders.push_back(folder);
}

int DeferredFlushDepth = 0;
std::vector<String> DeferredFlushFolders;

} // namespace

TDeferredFlush::TDeferredFlush() {
    ++DeferredFlushDepth;
}

TDeferredFlush::~TDeferredFlush() {
    if (--DeferredFlushDepth > 0)
        return;
    SyncFileSystems(DeferredFlushFolders);
    DeferredFlushFolders.clear();
}

TPrivateWrites::TPrivateWrites() {
    ++PrivateWritesDepth;
}

TPrivateWrites::~TPrivateWrites() {
    --PrivateWritesDepth;
}

void WriteFileAtomic(const String& fileName, std::string_view bytes) {
    const bool deferred = DeferredFlushDepth > 0;
    String target;
    String tempName;
    WriteTemporary(fileName, bytes, !deferred, target, tempName);
    RenameOver(fileName, tempName, target);
    if (deferred)
        AddFolderOnce(DeferredFlushFolders, target);
    else
        SyncFolder(target);
}

void TAtomicWriteBatch::Add(const String& fileName, const String& bytes) {
    TPending pending{fileName, {}, {}};
    WriteTemporary(fileName, bytes, false, pending.Target, pending.TempName);
    FPending.push_back(std::move(pending));
}

std::vector<std::pair<String, String>> TAtomicWriteBatch::Commit() {
    std::vector<std::pair<String, String>> failures;
    std::vector<String> folders;
    for (const TPending& pending : FPending)
        AddFolderOnce(folders, pending.Target);
    // One flush of each file system makes every new file durable before any replaces its old one.
    SyncFileSystems(folders);
    for (const TPending& pending : FPending) {
        try {
            RenameOver(pending.FileName, pending.TempName, pending.Target);
        } catch (const Exception& failure) {
            failures.emplace_back(pending.FileName, failure.Message());
        }
    }
    for (const String& folder : folders)
        SyncFolder(folder);
    FPending.clear();
    return failures;
}

TAtomicWriteBatch::~TAtomicWriteBatch() {
    for (const TPending& pending : FPending)
        ::unlink(pending.TempName.c_str());
}

void SetWriteFailureForTests(int64_t failAfterBytes) {
    WriteFailureAfter = failAfterBytes;
}

void SetTemporaryFileHookForTests(std::function<void(const String& tempName)> hook) {
    TemporaryCreatedHook = std::move(hook);
}

// ---------------------------------------------------------------------------------------------
// Temporary files

// The search starts at a number that differs from run to run and goes through all 65536 names,
// so that a folder full of earlier names slows the search down but never defeats it.
String GetTempFileName(const String& folder, const String& prefix) {
    static std::atomic<unsigned> next{static_cast<unsigned>(getpid()) * 40503u +
                                      static_cast<unsigned>(::time(nullptr))};
    int error = EEXIST;
    for (int attempt = 0; attempt < 0x10000 && error == EEXIST; ++attempt) {
        String name = folder + prefix + Format("%.4X", next++ & 0xFFFF) + ".tmp";
        int handle = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (handle >= 0) {
            ::close(handle);
            return name;
        }
        error = errno;
    }
    throw EFCreateError(FileErrorMessage("Cannot create", folder + prefix + "*.tmp", error));
}

String GetProcessTempFileName(const String& folder, const String& prefix) {
    return GetTempFileName(folder, prefix + ProcessStamp());
}

// ---------------------------------------------------------------------------------------------
// The program's own folders

namespace {

String ShippedDataFolder;
String SeededFolder; // the program folder last filled from ShippedDataFolder
String FillProblem;  // what that fill could not do, "" when nothing was missing afterwards

String ProgramFolderPath() {
    String dir = EnvironmentValue("QUILTMARKER_HOME");
    if (!dir.empty())
        return dir;
    String dataHome = EnvironmentValue("XDG_DATA_HOME");
    if (dataHome.empty())
        dataHome = IncludeTrailingPathDelimiter(HomeFolder()) + ".local/share";
    return IncludeTrailingPathDelimiter(dataHome) + "quiltmarker";
}

// Copies each shipped file that the program folder lacks; a file that is there is the user's
// and stays. Returns what could not be copied, "" when nothing is missing afterwards.
String SeedFromShippedData(const String& programFolder) {
    std::error_code error;
    fs::recursive_directory_iterator walk(fs::path(ShippedDataFolder), error);
    if (error)
        return "The program's files could not be read from " + ShippedDataFolder + " (" +
               error.message() + ").";
    int missing = 0;
    String first;
    for (const fs::directory_entry& entry : walk) {
        if (!entry.is_regular_file(error))
            continue;
        fs::path relative = entry.path().lexically_relative(fs::path(ShippedDataFolder));
        String target = IncludeTrailingPathDelimiter(programFolder) + relative.string();
        struct stat info;
        if (::lstat(target.c_str(), &info) == 0)
            continue;
        if (ForceDirectories(ExtractFileDir(target)) &&
            CopyFile(entry.path().string(), target, true))
            continue;
        if (missing++ == 0)
            first = relative.string();
    }
    if (missing == 0)
        return "";
    return "The program folder " + programFolder + " could not be filled from " +
           ShippedDataFolder + ": " + IntToStr(missing) + " of its files could not be copied " +
           "there, " + first + " the first. The pictures and other files the program reads " +
           "from it are missing.";
}

[[noreturn]] void RefuseTempFolder(const String& dir, const String& reason) {
    throw EInOutError("Cannot use the temporary folder \"" + dir + "\": " + reason + ".");
}

// A folder of this user's own that no one else may write to or read from.
String PrivateTempFolder(const String& dir) {
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        RefuseTempFolder(dir, std::error_code(errno, std::generic_category()).message());
    struct stat info;
    if (::lstat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        RefuseTempFolder(dir, "it is not a folder");
    if (info.st_uid != geteuid())
        RefuseTempFolder(dir, "it belongs to another user");
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        RefuseTempFolder(dir, "other users may write to it");
    if ((info.st_mode & 077) != 0)
        ::chmod(dir.c_str(), 0700);
    return dir;
}

bool IsSharedFolder(const String& dir) {
    struct stat info;
    return ::stat(dir.c_str(), &info) == 0 &&
           (info.st_uid != geteuid() || (info.st_mode & S_IWOTH) != 0);
}

} // namespace

String ProgramFolder() {
    String dir = ProgramFolderPath();
    if (int error = MakeFolders(dir))
        throw EInOutError("Cannot create folder \"" + dir + "\". " +
                          std::error_code(error, std::generic_category()).message());
    // One fill a run: the folder is asked for at every picture it holds.
    String key = dir + '\n' + ShippedDataFolder;
    if (!ShippedDataFolder.empty() && SeededFolder != key) {
        FillProblem = SeedFromShippedData(dir);
        SeededFolder = key;
    }
    return IncludeTrailingPathDelimiter(dir);
}

String ProgramFolderProblem() {
    return FillProblem;
}

void SetShippedDataFolder(const String& dir) {
    ShippedDataFolder = dir;
    FillProblem.clear();
}

String TempFolder() {
    String base = ExcludeTrailingPathDelimiter(EnvironmentValue("TMPDIR"));
    if (!base.empty()) {
        MakeFolders(base);
        if (!IsSharedFolder(base))
            return IncludeTrailingPathDelimiter(base);
    } else {
        base = "/tmp";
    }
    String dir = IncludeTrailingPathDelimiter(base) + "quiltmarker-" + std::to_string(getuid());
    return IncludeTrailingPathDelimiter(PrivateTempFolder(dir));
}

String CreateTempFolder(const String& prefix) {
    String pattern = TempFolder() + prefix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data()))
        throw EInOutError("Cannot create a folder in " + TempFolder());
    return IncludeTrailingPathDelimiter(String(name.data()));
}

String EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? String(value) : String();
}

// "." when neither the environment nor the password database names one, so that nothing is ever
// written at the root of the file system.
String HomeFolder() {
    String home = EnvironmentValue("HOME");
    if (home.empty()) {
        const passwd* entry = getpwuid(getuid());
        home = entry && entry->pw_dir && *entry->pw_dir ? entry->pw_dir : ".";
    }
    return home;
}
