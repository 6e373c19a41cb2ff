#pragma once
// The framework's file-system controls: the folder list and the drive list, and the system's
// facts about drives behind them.
//
// Linux has no drive letters. The one "drive" is the root "/", which holds every mounted volume;
// its Drive is always '/', and a drive letter given to the drive list or to the folder list (a
// setting kept from elsewhere) is accepted and changes nothing. Folders are full paths from "/".

#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"

#include <optional>
#include <vector>

class TFileListBox;

// The kinds of drive, numbered as the system numbers them.
enum : UINT {
    DRIVE_UNKNOWN = 0,
    DRIVE_NO_ROOT_DIR = 1,
    DRIVE_REMOVABLE = 2,
    DRIVE_FIXED = 3,
    DRIVE_REMOTE = 4,
    DRIVE_CDROM = 5,
    DRIVE_RAMDISK = 6,
};

// A drive as the drive list shows it: its name ("/"), the folder it opens, its kind, the label of
// its volume (empty when it has none or cannot be read) and, for a network drive, the remote name
// it is connected to (empty when unknown).
struct TLogicalDrive {
    String Name;
    String Root;
    UINT Type = DRIVE_UNKNOWN;
    String VolumeLabel;
    String RemoteName;
};
// The drives of the machine: the root "/", of the kind of the file system mounted there.
std::vector<TLogicalDrive> LogicalDrives();
// Test hook: the drives LogicalDrives reports instead of the machine's (nullopt: the machine's).
void SetLogicalDrivesForTests(std::optional<std::vector<TLogicalDrive>> drives);

// The framework's shortening of a path to width pixels of canvas's font: leading folders give way
// to "..." ("/.../site/pages"); when even the last name with "..." does not fit, the last name
// alone.
String MinimizeName(const String& path, TCanvas& canvas, int width);

enum TTextCase { tcLowerCase, tcUpperCase };

// The folders of the current path from "/" down, then the subfolders of the current folder. The
// list draws its items itself, through DrawItem. A double click opens the folder clicked.
class TDirectoryListBox : public TListBox {
public:
    explicit TDirectoryListBox(TComponent* AOwner);
    ~TDirectoryListBox() override;

    // The folder shown, as a full path; the process's current folder when the list was made.
    const String& Directory() const { return FDirectory; }
    // Makes the folder (relative to the current one, or a full path) the process's current
    // folder and lists it. A folder that cannot be entered raises EInOutError naming it and
    // changes nothing; an empty text changes nothing.
    void SetDirectory(const String& value);
    char Drive() const { return PathDelim; }
    void SetDrive(char) {}
    // The folder of an item as a full path.
    String GetItemPath(int index) const;
    void SetItemHeight(int value);
    // The canvas DrawItem draws with.
    TCanvas& Canvas() { return FCanvas; }
    // The file list that follows the folder shown.
    void SetFileList(TFileListBox* value);
    // The label that shows the folder, shortened to the label's width.
    TLabel* DirLabel() const { return FDirLabel; }
    void SetDirLabel(TLabel* value);
    // Reads the folder's subfolders again.
    void ReadDirectoryNames();

    TNotifyEvent OnChange;

protected:
    // The folder changed: the file list takes it, the label shows it, then OnChange.
    virtual void Change();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Draws item index in rect (in the list's client coordinates) on Canvas, whose brush and font
    // colour are already those of the item's selection state. By default: the rectangle filled,
    // the text two pixels in.
    virtual void DrawItem(int index, const TRect& rect);
    // The glyph the items of the subfolders carry as their objects: the picture "QM_CLOSEDFOLDER",
    // empty when the program folder lacks it (the folders above the current one carry
    // "QM_OPENFOLDER", the current folder "QM_CURRENTFOLDER").
    TBitmap& ClosedBitmap() { return FClosedBitmap; }
    void WndProc(TMessage& Message) override;

private:
    void BuildList();
    void ShowDirectoryOnLabel();

    String FDirectory;
    TFileListBox* FFileList = nullptr;
    TLabel* FDirLabel = nullptr;
    int FPathItemCount = 0;
    int FItemHeight = 16;
    TCanvas FCanvas;
    TBitmap FOpenedBitmap;
    TBitmap FCurrentBitmap;
    TBitmap FClosedBitmap;
};

// The drives to choose from, each item the drive's text and its glyph.
class TDriveComboBox : public TComboBox {
public:
    explicit TDriveComboBox(TComponent* AOwner);
    ~TDriveComboBox() override;
    char Drive() const { return PathDelim; }
    void SetDrive(char) {}
    // The case of the drive names and the texts behind them.
    TTextCase TextCase() const { return FTextCase; }
    void SetTextCase(TTextCase value);
    // The height of each item of the drop-down list.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
    // Builds the list again, as making the control's window does.
    void RecreateWnd();

protected:
    // Fills the list with the drives, each item's object its glyph.
    virtual void BuildList();
    // The glyphs of removable, fixed, network, CD-ROM and RAM drives: the pictures "QM_FLOPPY",
    // "QM_FIXEDDISK", "QM_NETDRIVE", "QM_CDROM" and "QM_RAM", empty when they are missing.
    TBitmap& FloppyBitmap() { return FFloppyBitmap; }
    TBitmap& FixedBitmap() { return FFixedBitmap; }
    TBitmap& NetworkBitmap() { return FNetworkBitmap; }
    TBitmap& CDROMBitmap() { return FCDROMBitmap; }
    TBitmap& RAMBitmap() { return FRAMBitmap; }

private:
    void DrawItem(int index, const TRect& rect);

    TTextCase FTextCase = tcLowerCase;
    int FItemHeight = 16;
    TCanvas FCanvas;
    TBitmap FFloppyBitmap;
    TBitmap FFixedBitmap;
    TBitmap FNetworkBitmap;
    TBitmap FCDROMBitmap;
    TBitmap FRAMBitmap;
};
