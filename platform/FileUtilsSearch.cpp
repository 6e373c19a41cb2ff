// The folder search of the file routines: FindFirst, FindNext, masks and a file's entry.

#include "platform/FileUtils.h"
#include "platform/TestHooks.h"

#include "platform/FileUtilsStat.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

// The framework's search results for "nothing matched" and "no such folder", and for the end.
constexpr int ErrorFileNotFound = 2;
constexpr int ErrorPathNotFound = 3;
constexpr int ErrorNoMoreFiles = 18;

bool IsDotFolder(const String& name) {
    return name == "." || name == "..";
}

double UnixTimeToDateTime(const timespec& time) {
    tm local{};
    localtime_r(&time.tv_sec, &local);
    double seconds = static_cast<double>(time.tv_sec + local.tm_gmtoff) + time.tv_nsec / 1e9;
    return seconds / 86400.0 + 25569.0; // 25569: days from 30 December 1899 to 1 January 1970
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Directory search

struct TSearchRec::Handle {
    struct Entry {
        String Name;
        int64_t Size;
        int Attr;
        double Time;
    };
    std::vector<Entry> Entries;
    size_t Next = 0;
};

namespace {

// "*" stands for any run of characters, "?" for one; a failed match after a star retries with the
// star taking one character more.
bool WildcardMatch(const String& name, const String& mask) {
    size_t n = 0, m = 0;
    size_t starMask = String::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || LowCase(mask[m]) == LowCase(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != String::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

bool EndsWith(const String& s, const String& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

int AttributesOf(const struct stat& info, const String& name) {
    int attr = 0;
    if (S_ISDIR(info.st_mode))
        attr |= faDirectory;
    else if (!S_ISREG(info.st_mode))
        attr |= faSysFile; // pipes, sockets and devices: opening one could hang the program
    if (name[0] == '.' && !IsDotFolder(name))
        attr |= faHidden;
    if (ModeIsReadOnly(info))
        attr |= faReadOnly;
    return attr;
}

bool ComesBefore(const TSearchRec::Handle::Entry& a, const TSearchRec::Handle::Entry& b) {
    if (IsDotFolder(a.Name) != IsDotFolder(b.Name))
        return IsDotFolder(a.Name);
    int order = CompareText(a.Name, b.Name);
    return order != 0 ? order < 0 : a.Name < b.Name;
}

void FillSearchRec(TSearchRec& rec) {
    const TSearchRec::Handle::Entry& entry = rec.FindHandle->Entries[rec.FindHandle->Next++];
    rec.Name = entry.Name;
    rec.Size = entry.Size;
    rec.Attr = entry.Attr;
    rec.Time = entry.Time;
}

} // namespace

bool MatchesMask(const String& name, const String& mask) {
    if (WildcardMatch(name, mask))
        return true;
    // "name.*" also finds the name without an extension, and "name." finds only such names.
    if (EndsWith(mask, ".*"))
        return WildcardMatch(name, mask.substr(0, mask.size() - 2));
    if (EndsWith(mask, ".") && name.find('.') == String::npos)
        return WildcardMatch(name, mask.substr(0, mask.size() - 1));
    return false;
}

namespace {

// The local date-time back as the system's time: the zone's offset at that moment is taken from
// the system's rules, so a summer time in winter is read as summer time.
timespec DateTimeToUnixTime(double dateTime) {
    double localSeconds = (dateTime - 25569.0) * 86400.0;
    auto whole = static_cast<time_t>(std::floor(localSeconds));
    tm local{};
    gmtime_r(&whole, &local);
    local.tm_isdst = -1;
    time_t utc = ::mktime(&local);
    long nanoseconds = std::lround((localSeconds - std::floor(localSeconds)) * 1e9);
    return timespec{utc, std::min(nanoseconds, 999999999L)};
}

} // namespace

TFileEntry FileEntryOf(const String& fileName) {
    struct statx info;
    if (::statx(AT_FDCWD, fileName.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
        return {};
    auto toTimespec = [](const statx_timestamp& t) { return timespec{t.tv_sec, t.tv_nsec}; };
    struct stat basic;
    if (::stat(fileName.c_str(), &basic) != 0)
        return {};
    TFileEntry entry;
    entry.Exists = true;
    entry.Size = S_ISDIR(basic.st_mode) ? 0 : basic.st_size;
    entry.Attr = AttributesOf(basic, ExtractFileName(fileName).empty() ? String("/")
                                                                       : ExtractFileName(fileName));
    entry.Modified = UnixTimeToDateTime(basic.st_mtim);
    entry.Accessed = UnixTimeToDateTime(basic.st_atim);
    entry.Created = UnixTimeToDateTime((info.stx_mask & STATX_BTIME) ? toTimespec(info.stx_btime)
                                                                     : basic.st_ctim);
    return entry;
}

namespace {

// The folder's entries, or nullptr with errno set.
DIR* OpenFolder(const String& dir) {
    if (TestHooks::FolderReadingRefused(dir)) {
        errno = EACCES;
        return nullptr;
    }
    return ::opendir(dir.c_str());
}

} // namespace

String FolderReadProblem(const String& dir) {
    DIR* handle = OpenFolder(dir);
    if (!handle)
        return std::error_code(errno, std::generic_category()).message();
    ::closedir(handle);
    return "";
}

double FileModifiedTime(const String& fileName) {
    struct stat info;
    if (::stat(fileName.c_str(), &info) != 0)
        return -1;
    return UnixTimeToDateTime(info.st_mtim);
}

bool FileSetTimes(const String& fileName, double modified, double accessed) {
    const timespec times[2] = {DateTimeToUnixTime(accessed), DateTimeToUnixTime(modified)};
    return ::utimensat(AT_FDCWD, fileName.c_str(), times, 0) == 0;
}

// Hidden entries, system entries and folders are found only when attr asks for them; the
// results come sorted by name, "." and ".." first.
int FindFirst(const String& pathAndMask, int attr, TSearchRec& rec) {
    FindClose(rec);
    String folder = ExtractFilePath(pathAndMask);
    String mask = ExtractFileName(pathAndMask);
    DIR* dir = OpenFolder(folder.empty() ? String(".") : folder);
    if (!dir)
        return ErrorPathNotFound;
    int excluded = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    auto handle = std::make_unique<TSearchRec::Handle>();
    while (const dirent* found = ::readdir(dir)) {
        String name = found->d_name;
        if (!MatchesMask(name, mask))
            continue;
        String path = folder + name;
        struct stat info;
        if (::stat(path.c_str(), &info) != 0 && ::lstat(path.c_str(), &info) != 0)
            continue;
        int entryAttr = AttributesOf(info, name);
        if ((entryAttr & excluded) != 0)
            continue;
        int64_t size = S_ISDIR(info.st_mode) ? 0 : info.st_size;
        handle->Entries.push_back({name, size, entryAttr, UnixTimeToDateTime(info.st_mtim)});
    }
    ::closedir(dir);
    if (handle->Entries.empty())
        return ErrorFileNotFound;
    std::sort(handle->Entries.begin(), handle->Entries.end(), ComesBefore);
    rec.FindHandle = handle.release();
    FillSearchRec(rec);
    return 0;
}

int FindNext(TSearchRec& rec) {
    if (!rec.FindHandle || rec.FindHandle->Next >= rec.FindHandle->Entries.size())
        return ErrorNoMoreFiles;
    FillSearchRec(rec);
    return 0;
}

void FindClose(TSearchRec& rec) {
    delete rec.FindHandle;
    rec.FindHandle = nullptr;
}
