#pragma once
// The shell's file operation: copy, move, rename or delete files and folders named by paths or
// wildcard masks, with the shell's questions, progress window and error boxes.
//
// Names are native paths; a relative one is taken from the current folder. The file part of a
// source may be a wildcard mask ("*.htm", "*.*"), matched without regard to case, "*.*" matching
// names without a dot too. A mask that matches nothing is no failure: there is nothing to do.
//
// Copy and move: when the destination is an existing folder, or the sources are several or a
// mask, each source goes into the destination folder under its own name; otherwise the
// destination is the source's new path. Folders that the destination needs are made, after the
// question "Confirm Folder Create" unless FOF_NOCONFIRMMKDIR. A folder is copied or moved with
// everything in it; one that meets a folder of its name is merged into it.
// Rename: the source takes the destination as its new path.
// Delete: with FOF_ALLOWUNDO the sources go to the desktop Trash ($XDG_DATA_HOME/Trash, else
// ~/.local/share/Trash, with a .trashinfo file each, so the desktop can put them back); without
// it they are removed for good. A source that cannot be put in the Trash is reported and kept.
//
// A name that is taken already is asked about ("Confirm File Replace": Yes replaces it, No skips
// this source, Cancel ends the operation); with FOF_RENAMEONCOLLISION the new item takes the
// free name "Copy of <name>", "Copy (2) of <name>"... instead, without a question, and a copy of
// a file onto itself always does. FOF_NOCONFIRMATION answers Yes to every question.
//
// The operation stops at the first failure, which an error box names with its reason unless
// FOF_NOERRORUI. The progress window shows unless FOF_SILENT; with the test hooks on, its
// caption is recorded instead (ShellProgressShown).

#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"

#include <vector>

enum : UINT { FO_MOVE = 1, FO_COPY = 2, FO_DELETE = 3, FO_RENAME = 4 };

using FILEOP_FLAGS = WORD;
enum : FILEOP_FLAGS {
    FOF_CONFIRMMOUSE = 0x0002, // kept for the callers that pass it; it asks nothing more
    FOF_SILENT = 0x0004,
    FOF_RENAMEONCOLLISION = 0x0008,
    FOF_NOCONFIRMATION = 0x0010,
    FOF_ALLOWUNDO = 0x0040,
    FOF_FILESONLY = 0x0080, // a mask matches files only
    FOF_NOCONFIRMMKDIR = 0x0200,
    FOF_NOERRORUI = 0x0400,
};

// The result when the user cancelled the operation or declined its question.
constexpr int ERROR_CANCELLED = 1223;

struct SHFILEOPSTRUCT {
    HWND hwnd = nullptr; // owner of the questions and error boxes
    UINT wFunc = 0;
    // Name lists: entries ended by a NUL each, the list by a second NUL. Only the first
    // destination entry is used.
    const char* pFrom = nullptr;
    const char* pTo = nullptr;
    FILEOP_FLAGS fFlags = 0;
    BOOL fAnyOperationsAborted = 0; // set when the user cancelled
};

// 0 when everything asked was done (or declined item by item); otherwise ERROR_CANCELLED, or
// the system's error number of the failure that stopped the operation.
int SHFileOperation(SHFILEOPSTRUCT* operation);

// A text as a name list of one entry, ready for pFrom and pTo.
String ShellNameList(const String& name);

// Test hook: the captions of the progress windows that operations showed while the test hooks
// were on, in order; a test clears it when it needs to.
std::vector<String>& ShellProgressShown();

// ---- Files dropped on a window from the desktop or another program

// A drop, handed to the window in WParam of WM_DROPFILES. It lives until DragFinish or until the
// window has handled the message, whichever comes first.
struct HDROP__;
using HDROP = HDROP__*;

// Whether the window takes files dropped on it; those it takes reach its window procedure as
// WM_DROPFILES, window hooks included. A drop on a window that takes none goes to the nearest
// window around it that does, or nowhere.
void DragAcceptFiles(HWND window, BOOL accept);
// With file 0xFFFFFFFF, the number of files dropped. Otherwise the file's full path: with buffer
// nullptr its length, else as much of it as fits in size - 1 characters and a zero, returning the
// characters copied. 0 for a file or drop that is not there.
UINT DragQueryFile(HDROP drop, UINT file, char* buffer, UINT size);
// The file's full path, whole whatever its length; "" for a file or drop that is not there.
String DragQueryFileName(HDROP drop, UINT file);
void DragFinish(HDROP drop);
// A drop of these paths, as the desktop makes one for the window it drops them on.
HDROP MakeDrop(const std::vector<String>& paths);

// ---- Icons of files

// How many icons ExtractIcon can give for a file: one for an icon file (".ico") that can be read;
// none for every other file, since the program files of this system carry no icons of their own;
// none for a file that is missing.
int ExtractIconCount(const String& fileName);
// Icon index of the file, drawn size pixels square and transparent around its shape; false when
// the file has no icon of that index.
bool ExtractIcon(const String& fileName, int index, int size, TBitmap& icon);
// The icon the desktop shows for the file (SHGetFileInfo with SHGFI_ICON), size pixels square:
// an icon file's own picture, else the desktop theme's icon for the file's type, else the
// generic file icon. False when there is none.
bool SHGetFileIcon(const String& fileName, int size, TBitmap& icon);
// Test hook: how many icons ExtractIcon has read; a test sets it to 0 when it needs to.
int& IconExtractions();
