#pragma once
// Files, folders and paths. Paths are native Linux paths; where the program joins a folder and a
// name it uses PathDelim.

#include "platform/SysUtils.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

constexpr char PathDelim = '/';

bool FileExists(const String& fileName);
bool DirectoryExists(const String& dir);
bool ForceDirectories(const String& dir);
bool CreateDir(const String& dir);
bool RemoveDir(const String& dir);
bool DeleteFile(const String& fileName);
bool RenameFile(const String& oldName, const String& newName);
// failIfExists as in the system call: true refuses to replace an existing target. Copying a file
// onto itself fails.
bool CopyFile(const String& source, const String& target, bool failIfExists);
int64_t FileSizeOf(const String& fileName); // -1 when the file cannot be read
// True when the permission bits that apply to this user (owner, group or others) forbid writing;
// the bits decide even for the superuser, as the read-only attribute does.
bool FileIsReadOnly(const String& fileName);

String ExtractFilePath(const String& fileName); // folder with its trailing PathDelim
String ExtractFileDir(const String& fileName);  // folder without it
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName); // with the dot, "" when none
String ChangeFileExt(const String& fileName, const String& extension);
String ExpandFileName(const String& fileName);
String IncludeTrailingPathDelimiter(const String& dir);
String ExcludeTrailingPathDelimiter(const String& dir);

String GetCurrentDir();
bool SetCurrentDir(const String& dir);

// The framework's text for a failed file operation, with the system's reason:
// FileErrorMessage("Cannot open", "/a/b.htm", ENOENT) is
// "Cannot open file \"/a/b.htm\". No such file or directory".
String FileErrorMessage(const String& action, const String& fileName, int errorNumber);

// Reads a whole file as bytes; raises EFOpenError (EReadError when reading fails) naming the file.
String ReadFileBytes(const String& fileName);
// Writes through a temporary file in the same folder and a rename, so that the old file or the
// new one survives any failure, never a mixture. An existing file keeps its permissions, which
// the temporary file has from its creation, and a symbolic link keeps pointing at the file it
// names. A read-only file (see FileIsReadOnly) is not replaced. Raises EFCreateError /
// EWriteError naming the file.
// The temporary file's name is the program's own and carries the writer's process id; the first
// write or ReadFileBytes of a run in a folder deletes those there whose process no longer runs,
// the leftovers of saves that were killed.
void WriteFileAtomic(const String& fileName, std::string_view bytes);
// While one lives, the files that WriteFileAtomic writes are readable and writable by this user
// alone (mode 0600) from their first byte, whatever the umask or the file they replace: for the
// copies of the user's pages that the program keeps in its temporary folder.
class TPrivateWrites {
public:
    TPrivateWrites();
    ~TPrivateWrites();
    TPrivateWrites(const TPrivateWrites&) = delete;
    TPrivateWrites& operator=(const TPrivateWrites&) = delete;
};
// While one lives, WriteFileAtomic still replaces each file whole through its rename, but leaves
// the flushes of the disk to the end of the scope, where one flush of each file system makes all
// the files written meanwhile durable. Only for runs of many files that can be made again, such
// as published copies: a crash within the scope may leave some of them not yet written out.
class TDeferredFlush {
public:
    TDeferredFlush();
    ~TDeferredFlush();
    TDeferredFlush(const TDeferredFlush&) = delete;
    TDeferredFlush& operator=(const TDeferredFlush&) = delete;
};
// Several files replaced as WriteFileAtomic replaces one, with one flush of the disk for them
// all: Add writes a temporary file beside its target (raising as WriteFileAtomic does, with that
// file left as it was); Commit makes every new file durable, then puts each in its target's
// place and gives the names and messages of those it could not. A batch let go without Commit
// removes its temporary files and changes nothing.
class TAtomicWriteBatch {
public:
    TAtomicWriteBatch() = default;
    TAtomicWriteBatch(const TAtomicWriteBatch&) = delete;
    TAtomicWriteBatch& operator=(const TAtomicWriteBatch&) = delete;
    ~TAtomicWriteBatch();
    void Add(const String& fileName, const String& bytes);
    std::vector<std::pair<String, String>> Commit();

private:
    struct TPending {
        String FileName;
        String Target;
        String TempName;
    };
    std::vector<TPending> FPending;
};
// Test hook: the next atomic writes fail after this many bytes (-1: never).
void SetWriteFailureForTests(int64_t failAfterBytes);
// Test hook: called with each temporary file of an atomic write as soon as it is created, before
// anything else is done to it (nullptr: none).
void SetTemporaryFileHookForTests(std::function<void(const String& tempName)> hook);

// Directory search with the framework's wildcard masks ("*.htm*", "*.*", "a?c.txt"): names are
// matched without regard to case and "*.*" matches names without a dot too.
enum : int {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,
    faAnyFile = 0x3F,
};
struct TSearchRec {
    String Name;
    int64_t Size = 0;
    int Attr = 0;
    double Time = 0; // last write time as a TDateTime
    struct Handle;
    Handle* FindHandle = nullptr;
};
int FindFirst(const String& pathAndMask, int attr, TSearchRec& rec); // 0 when found
int FindNext(TSearchRec& rec);                                       // 0 when found
void FindClose(TSearchRec& rec);
bool MatchesMask(const String& name, const String& mask);

// A file's directory entry: its size, its attributes as FindFirst gives them, and its times as
// local date-times. Linux keeps no creation time everywhere: Created is the birth time where the
// file system records one, else the time of the last change of the entry. Exists is false, with
// everything else zero, when the entry cannot be read.
struct TFileEntry {
    bool Exists = false;
    int64_t Size = 0;
    int Attr = 0;
    double Created = 0;
    double Modified = 0;
    double Accessed = 0;
};
TFileEntry FileEntryOf(const String& fileName);
// Why the folder's entries cannot be read ("Permission denied"...), or "" when they can.
String FolderReadProblem(const String& dir);
// The last write time as a local date-time, or -1 when the file cannot be read.
double FileModifiedTime(const String& fileName);
// Sets the last write and last access times (local date-times); false when it cannot.
bool FileSetTimes(const String& fileName, double modified, double accessed);

// The per-user folder that stands for the program's own folder: $QUILTMARKER_HOME, else
// $XDG_DATA_HOME/quiltmarker, else ~/.local/share/quiltmarker. Created on first use and seeded
// from the shipped data folder without overwriting a file that is there. Ends in PathDelim.
String ProgramFolder();
// The environment variable's value, empty when it is not set.
String EnvironmentValue(const char* name);
// The user's home folder, without a trailing delimiter.
String HomeFolder();
// What the last fill of the program folder could not do, naming the folder and how many files
// are missing; "" when nothing was missing afterwards. A folder is filled once a run.
String ProgramFolderProblem();
// Where the shipped data files lie; set once by the program at start.
void SetShippedDataFolder(const String& dir);
// Creates an empty file named prefix + four hex digits + ".tmp" in folder (which ends in PathDelim)
// that did not exist before, readable by this user alone, and returns its path: the system's
// unique temporary file. Raises EFCreateError naming the folder when no such file can be made.
String GetTempFileName(const String& folder, const String& prefix);
// GetTempFileName with this process's id after the prefix: prefix + id + "-" + four hex digits
// + ".tmp", so that a later run can tell the files of a run that was killed.
String GetProcessTempFileName(const String& folder, const String& prefix);
// Deletes what killed runs left in folder: the files that GetProcessTempFileName made there with
// this prefix and the temporary files of WriteFileAtomic, of processes that no longer run. The
// files of a process that still runs, and every name that the program does not make, stay.
void DeleteTempFilesOfEndedRuns(const String& folder, const String& prefix);

// $TMPDIR when set, else /tmp/quiltmarker-<uid> created with mode 0700. Ends in PathDelim.
// A $TMPDIR that other users may write to (such as /tmp itself) gets its own quiltmarker-<uid>
// folder in the same way. That folder is refused with EInOutError when it belongs to another user
// or others may write to it, since files planted there would be read as autosave copies.
String TempFolder();
// A new folder of this user's alone inside TempFolder, named prefix and six random characters.
// Ends in PathDelim. Raises EInOutError when none can be made.
String CreateTempFolder(const String& prefix);
