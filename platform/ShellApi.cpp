#include "platform/ShellApi.h"

#include "platform/DateTime.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Peer.h"
#include "platform/TestHooks.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// What stops an operation: the system's error number, the reason shown and the item concerned.
struct TShellFailure {
    int Code;
    String Reason;
    String Name;
};

// The user cancelled or declined a question that the operation cannot go on without.
struct TShellCancel {};

TShellFailure SystemFailure(const std::error_code& error, const fs::path& item) {
    return {error.value(), error.message(), item.string()};
}

TShellFailure SystemFailure(int errorNumber, const fs::path& item) {
    return SystemFailure(std::error_code(errorNumber, std::generic_category()), item);
}

struct TOperationTexts {
    const char* Verb;
    const char* Progress;
    const char* ErrorCaption;
};

const TOperationTexts* TextsOf(UINT operation) {
    static const TOperationTexts move{"move", "Moving...", "Error Moving File or Folder"};
    static const TOperationTexts copy{"copy", "Copying...", "Error Copying File or Folder"};
    static const TOperationTexts remove{"delete", "Deleting...", "Error Deleting File or Folder"};
    static const TOperationTexts rename{"rename", "Renaming...", "Error Renaming File or Folder"};
    switch (operation) {
    case FO_MOVE:
        return &move;
    case FO_COPY:
        return &copy;
    case FO_DELETE:
        return &remove;
    case FO_RENAME:
        return &rename;
    default:
        return nullptr;
    }
}

std::vector<String> SplitNameList(const char* list) {
    std::vector<String> names;
    if (!list)
        return names;
    while (*list) {
        names.emplace_back(list);
        list += names.back().size() + 1;
    }
    return names;
}

bool HasWildcard(const String& name) {
    return name.find_first_of("*?") != String::npos;
}

fs::path FullPath(const String& name) {
    fs::path path = fs::absolute(fs::path(name)).lexically_normal();
    if (!path.has_filename() && path != path.root_path())
        path = path.parent_path();
    return path;
}

bool Exists(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

bool IsFolder(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(fs::symlink_status(path, ignored));
}

// True when inner is outer itself or lies somewhere below it.
bool IsWithin(const fs::path& inner, const fs::path& outer) {
    auto [o, i] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return o == outer.end();
}

// "Copy of page.htm", then "Copy (2) of page.htm"...: the first name not taken in the folder.
fs::path FreeCopyName(const fs::path& target) {
    String name = target.filename().string();
    for (int n = 1;; ++n) {
        String prefix = n == 1 ? String("Copy of ") : "Copy (" + IntToStr(n) + ") of ";
        fs::path candidate = target.parent_path() / (prefix + name);
        if (!Exists(candidate))
            return candidate;
    }
}

// Copies a file through a temporary file beside the target, so that a target that is replaced
// stays whole until the copy is.
void CopyFileOver(const fs::path& source, const fs::path& target) {
    String pattern =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        throw SystemFailure(errno, target);
    ::close(fd);
    fs::path temporary = pattern;
    std::error_code error;
    fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, error);
    if (!error)
        fs::permissions(temporary, fs::status(source, error).permissions(), error);
    if (!error)
        fs::last_write_time(temporary, fs::last_write_time(source, error), error);
    if (!error)
        fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw SystemFailure(error, source);
    }
}

// Copies a file, a symbolic link or a folder with everything in it; files keep their
// permissions and their last-write time.
void CopyTree(const fs::path& source, const fs::path& target) {
    std::error_code error;
    fs::file_status status = fs::symlink_status(source, error);
    if (fs::is_symlink(status)) {
        fs::remove(target, error);
        if (!error)
            fs::copy_symlink(source, target, error);
    } else if (fs::is_directory(status)) {
        fs::create_directory(target, source, error);
        if (error)
            throw SystemFailure(error, target);
        for (fs::directory_iterator it(source, error), end; !error && it != end;
             it.increment(error))
            CopyTree(it->path(), target / it->path().filename());
    } else {
        CopyFileOver(source, target);
    }
    if (error)
        throw SystemFailure(error, source);
}

// Moves by renaming, or by copying and removing when the target lies on another file system.
void MoveTree(const fs::path& source, const fs::path& target) {
    std::error_code error;
    fs::rename(source, target, error);
    if (error.value() == EXDEV) {
        try {
            CopyTree(source, target);
        } catch (const TShellFailure&) {
            std::error_code ignored;
            if (IsFolder(source))
                fs::remove_all(target, ignored); // half a folder is of no use to anyone
            throw;
        }
        error.clear();
        fs::remove_all(source, error);
    }
    if (error)
        throw SystemFailure(error, source);
}

String EncodeTrashPath(const String& path) {
    static const char* hex = "0123456789ABCDEF";
    String encoded;
    for (unsigned char c : path) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     String("/-._~").find(static_cast<char>(c)) != String::npos;
        if (plain) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        }
    }
    return encoded;
}

fs::path TrashFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome)
        return fs::path(dataHome) / "Trash";
    return fs::path(HomeFolder()) / ".local" / "share" / "Trash";
}

void MakePrivateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder.parent_path(), error);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw SystemFailure(errno, folder);
}

// Writes the .trashinfo file under a name no other item has taken, so two items of one name
// never share their restore information; returns that name.
String ReserveTrashName(const fs::path& trash, const fs::path& item) {
    String contents = "[Trash Info]\nPath=" + EncodeTrashPath(item.string()) +
                      "\nDeletionDate=" + FormatDateTime("yyyy-mm-dd'T'hh:nn:ss", Now()) + "\n";
    String stem = item.stem().string();
    String extension = item.extension().string();
    for (int n = 1;; ++n) {
        String name = n == 1 ? item.filename().string() : stem + "." + IntToStr(n) + extension;
        if (Exists(trash / "files" / name))
            continue;
        fs::path info = trash / "info" / (name + ".trashinfo");
        int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            throw SystemFailure(errno, info);
        bool written =
            ::write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
        int writeError = errno;
        ::close(fd);
        if (!written) {
            ::unlink(info.c_str());
            throw SystemFailure(writeError ? writeError : EIO, info);
        }
        return name;
    }
}

void MoveToTrash(const fs::path& item) {
    fs::path trash = TrashFolder();
    MakePrivateFolder(trash);
    MakePrivateFolder(trash / "files");
    MakePrivateFolder(trash / "info");
    String name = ReserveTrashName(trash, item);
    try {
        MoveTree(item, trash / "files" / name);
    } catch (const TShellFailure&) {
        // Restore information is kept only for what reached the Trash whole.
        std::error_code ignored;
        if (!Exists(trash / "files" / name))
            fs::remove(trash / "info" / (name + ".trashinfo"), ignored);
        throw;
    }
}

// The progress window; with the test hooks on, only its caption is recorded.
class TShellProgress {
public:
    TShellProgress(bool shown, const String& caption, int total) {
        if (!shown)
            return;
        if (TestHooks::Active()) {
            ShellProgressShown().push_back(caption);
            return;
        }
        FDialog = std::make_unique<QProgressDialog>();
        FDialog->setWindowTitle(DisplayText(caption));
        FDialog->setWindowModality(Qt::ApplicationModal);
        FDialog->setRange(0, total);
    }

    // Shows the item being worked on; true when the user has cancelled.
    bool Step(const fs::path& item) {
        if (!FDialog)
            return false;
        FDialog->setLabelText(DisplayText(item.filename().string()));
        FDialog->setValue(FDialog->value() + 1);
        QCoreApplication::processEvents();
        return FDialog->wasCanceled();
    }

private:
    std::unique_ptr<QProgressDialog> FDialog;
};

class TShellOperation {
public:
    TShellOperation(SHFILEOPSTRUCT& operation, const TOperationTexts& texts)
        : FOp(operation), FTexts(texts) {}

    int Run() {
        try {
            std::vector<fs::path> sources = ExpandSources();
            if (FOp.wFunc == FO_DELETE)
                Delete(sources);
            else if (FOp.wFunc == FO_RENAME)
                Rename(sources);
            else
                CopyOrMove(sources);
            return 0;
        } catch (const TShellCancel&) {
            FOp.fAnyOperationsAborted = 1;
            return ERROR_CANCELLED;
        } catch (const TShellFailure& failure) {
            Report(failure);
            return failure.Code;
        }
    }

private:
    bool Flag(FILEOP_FLAGS flag) const { return (FOp.fFlags & flag) != 0; }
    bool Copying() const { return FOp.wFunc == FO_COPY; }

    std::vector<fs::path> ExpandSources() {
        std::vector<String> names = SplitNameList(FOp.pFrom);
        if (names.empty())
            throw TShellFailure{EINVAL, "No file or folder was named", ""};
        std::vector<fs::path> sources;
        for (const String& name : names) {
            fs::path path = FullPath(name);
            if (HasWildcard(path.filename().string()))
                AddMatches(path, sources);
            else if (Exists(path))
                sources.push_back(path);
            else
                throw SystemFailure(ENOENT, path);
        }
        return sources;
    }

    void AddMatches(const fs::path& pattern, std::vector<fs::path>& sources) {
        FMasked = true;
        String mask = pattern.filename().string();
        std::vector<fs::path> matches;
        std::error_code error;
        for (fs::directory_iterator it(pattern.parent_path(), error), end; !error && it != end;
             it.increment(error)) {
            if (!MatchesMask(it->path().filename().string(), mask))
                continue;
            if (Flag(FOF_FILESONLY) && IsFolder(it->path()))
                continue;
            matches.push_back(it->path());
        }
        if (error)
            throw SystemFailure(error, pattern.parent_path());
        std::sort(matches.begin(), matches.end());
        sources.insert(sources.end(), matches.begin(), matches.end());
    }

    fs::path Destination() const {
        std::vector<String> names = SplitNameList(FOp.pTo);
        if (names.empty())
            throw TShellFailure{EINVAL, "No destination was named", ""};
        return FullPath(names.front());
    }

    void CopyOrMove(const std::vector<fs::path>& sources) {
        fs::path destination = Destination();
        if (sources.empty())
            return;
        bool intoFolder = FMasked || sources.size() > 1 || IsFolder(destination);
        MakeFolder(intoFolder ? destination : destination.parent_path());
        TShellProgress progress(!Flag(FOF_SILENT), FTexts.Progress, int(sources.size()));
        for (const fs::path& source : sources) {
            if (progress.Step(source))
                throw TShellCancel();
            Transfer(source, intoFolder ? destination / source.filename() : destination);
        }
    }

    void Rename(const std::vector<fs::path>& sources) {
        if (FMasked || sources.size() != 1)
            throw TShellFailure{EINVAL, "Only one file or folder can be renamed at a time",
                                SplitNameList(FOp.pFrom).front()};
        fs::path destination = Destination();
        TShellProgress progress(!Flag(FOF_SILENT), FTexts.Progress, 1);
        progress.Step(sources.front());
        Transfer(sources.front(), destination);
    }

    void Delete(const std::vector<fs::path>& sources) {
        if (sources.empty())
            return;
        if (Ask(DeleteCaption(sources), DeleteQuestion(sources), MB_YESNO | MB_ICONQUESTION) !=
            IDYES)
            throw TShellCancel();
        TShellProgress progress(!Flag(FOF_SILENT), FTexts.Progress, int(sources.size()));
        for (const fs::path& source : sources) {
            if (progress.Step(source))
                throw TShellCancel();
            if (Flag(FOF_ALLOWUNDO)) {
                MoveToTrash(source);
            } else {
                std::error_code error;
                fs::remove_all(source, error);
                if (error)
                    throw SystemFailure(error, source);
            }
        }
    }

    static String DeleteCaption(const std::vector<fs::path>& sources) {
        if (sources.size() > 1)
            return "Confirm Multiple File Delete";
        return IsFolder(sources.front()) ? "Confirm Folder Delete" : "Confirm File Delete";
    }

    String DeleteQuestion(const std::vector<fs::path>& sources) const {
        bool undo = Flag(FOF_ALLOWUNDO);
        if (sources.size() > 1)
            return "Are you sure you want to " + String(undo ? "send" : "delete") + " these " +
                   IntToStr(int64_t(sources.size())) + " items" + (undo ? " to the Trash?" : "?");
        String name = "\"" + sources.front().filename().string() + "\"";
        if (IsFolder(sources.front()))
            return "Are you sure you want to remove the folder " + name +
                   (undo ? " and move all its contents to the Trash?" : " and all its contents?");
        return undo ? "Are you sure you want to send " + name + " to the Trash?"
                    : "Are you sure you want to delete " + name + "?";
    }

    void MakeFolder(const fs::path& folder) {
        if (IsFolder(folder))
            return;
        if (Exists(folder))
            throw SystemFailure(ENOTDIR, folder);
        if (!Flag(FOF_NOCONFIRMMKDIR) &&
            Ask("Confirm Folder Create",
                "The folder \"" + folder.string() +
                    "\" does not exist.\r\n\r\nDo you want to create it?",
                MB_YESNO | MB_ICONQUESTION) != IDYES)
            throw TShellCancel();
        std::error_code error;
        fs::create_directories(folder, error);
        if (error)
            throw SystemFailure(error, folder);
    }

    // Copies or moves one item to its target path, settling a name that is taken first.
    void Transfer(const fs::path& source, fs::path target) {
        bool sourceIsFolder = IsFolder(source);
        std::error_code error;
        if (Exists(target) && fs::equivalent(source, target, error)) {
            if (!Copying())
                throw TShellFailure{EINVAL, "The source and destination are the same",
                                    source.string()};
            target = FreeCopyName(target);
        }
        if (sourceIsFolder && IsWithin(target, source))
            throw TShellFailure{EINVAL, "The destination folder is inside the source folder",
                                source.string()};
        if (Exists(target)) {
            if (Flag(FOF_RENAMEONCOLLISION)) {
                target = FreeCopyName(target);
            } else if (sourceIsFolder && IsFolder(target)) {
                Merge(source, target);
                return;
            } else if (sourceIsFolder || IsFolder(target)) {
                throw SystemFailure(sourceIsFolder ? ENOTDIR : EISDIR, target);
            } else if (!Confirm("Confirm File Replace",
                                "This folder already contains a file named \"" +
                                    target.filename().string() +
                                    "\".\r\n\r\nWould you like to replace the existing file?")) {
                return;
            }
        }
        if (Copying())
            CopyTree(source, target);
        else
            MoveTree(source, target);
    }

    // A folder meeting a folder of its name: its items go in one by one, each asked about.
    void Merge(const fs::path& source, const fs::path& target) {
        if (!Confirm("Confirm Folder Replace",
                     "This folder already contains a folder named \"" + target.filename().string() +
                         "\".\r\n\r\nIf the files in the existing folder have the same names as "
                         "files in the folder you are moving or copying, they will be replaced. "
                         "Do you still want to move or copy the folder?"))
            return;
        std::vector<fs::path> items;
        std::error_code error;
        for (fs::directory_iterator it(source, error), end; !error && it != end;
             it.increment(error))
            items.push_back(it->path());
        if (error)
            throw SystemFailure(error, source);
        std::sort(items.begin(), items.end());
        for (const fs::path& item : items)
            Transfer(item, target / item.filename());
        if (!Copying() && fs::is_empty(source, error))
            fs::remove(source, error); // what was skipped stays where it was
    }

    // Yes: go on; No: leave this item; Cancel ends the operation.
    bool Confirm(const String& caption, const String& text) {
        int answer = Ask(caption, text, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            throw TShellCancel();
        return answer == IDYES;
    }

    int Ask(const String& caption, const String& text, UINT flags) {
        if (Flag(FOF_NOCONFIRMATION))
            return IDYES;
        return MessageBox(FOp.hwnd, text, caption, flags);
    }

    void Report(const TShellFailure& failure) {
        if (Flag(FOF_NOERRORUI))
            return;
        String item = failure.Name.empty() ? String() : " \"" + failure.Name + "\"";
        MessageBox(FOp.hwnd, "Cannot " + String(FTexts.Verb) + item + ": " + failure.Reason + ".",
                   FTexts.ErrorCaption, MB_OK | MB_ICONERROR);
    }

    SHFILEOPSTRUCT& FOp;
    const TOperationTexts& FTexts;
    bool FMasked = false;
};

} // namespace

int SHFileOperation(SHFILEOPSTRUCT* operation) {
    const TOperationTexts* texts = operation ? TextsOf(operation->wFunc) : nullptr;
    if (!texts)
        return EINVAL;
    operation->fAnyOperationsAborted = 0;
    return TShellOperation(*operation, *texts).Run();
}

String ShellNameList(const String& name) {
    String list = name;
    list += '\0';
    list += '\0';
    return list;
}

std::vector<String>& ShellProgressShown() {
    static std::vector<String> captions;
    return captions;
}
