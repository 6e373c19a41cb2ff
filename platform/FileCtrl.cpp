#include "platform/FileCtrl.h"
#include "platform/FileListBox.h"
#include "platform/Forms.h"
#include "platform/StdPeers.h"

#include <QStorageInfo>

#include <vector>

// ---- Drives

namespace {

std::optional<std::vector<TLogicalDrive>> TestDrives;

bool IsNetworkFileSystem(const QByteArray& type) {
    for (const char* network : {"nfs", "nfs4", "cifs", "smbfs", "smb3", "sshfs", "fuse.sshfs"})
        if (type == network)
            return true;
    return false;
}

// "//server/share" as the shell names a share: "\\server\share".
String RemoteNameOf(const QByteArray& device) {
    String name = device.toStdString();
    if (name.rfind("//", 0) == 0)
        for (char& c : name)
            if (c == '/')
                c = '\\';
    return name;
}

} // namespace

std::vector<TLogicalDrive> LogicalDrives() {
    if (TestDrives)
        return *TestDrives;
    QStorageInfo root = QStorageInfo::root();
    TLogicalDrive drive{String(1, PathDelim), String(1, PathDelim), DRIVE_FIXED, "", ""};
    if (root.isValid()) {
        drive.VolumeLabel = root.name().toStdString();
        if (IsNetworkFileSystem(root.fileSystemType())) {
            drive.Type = DRIVE_REMOTE;
            drive.RemoteName = RemoteNameOf(root.device());
        }
    }
    return {drive};
}

void SetLogicalDrivesForTests(std::optional<std::vector<TLogicalDrive>> drives) {
    TestDrives = std::move(drives);
}

// ---- Path shortening

String MinimizeName(const String& path, TCanvas& canvas, int width) {
    if (canvas.TextWidth(path) <= width)
        return path;
    String name = ExtractFileName(ExcludeTrailingPathDelimiter(path));
    String tail = path.substr(0, path.size() - name.size());
    // Drop leading folders one at a time until "..." and what is left fits.
    size_t cut = tail.find(PathDelim, 1);
    while (cut != String::npos) {
        String shortened = String(1, PathDelim) + "..." + tail.substr(cut) + name;
        if (canvas.TextWidth(shortened) <= width)
            return shortened;
        cut = tail.find(PathDelim, cut + 1);
    }
    return name;
}

namespace {

// "/home/ann" as "/", "home", "ann".
std::vector<String> PathComponents(const String& folder) {
    std::vector<String> parts{String(1, PathDelim)};
    size_t start = 1;
    while (start < folder.size()) {
        size_t end = folder.find(PathDelim, start);
        if (end == String::npos)
            end = folder.size();
        if (end > start)
            parts.push_back(folder.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// The visible subfolders, in the order of the folder search.
std::vector<String> Subfolders(const String& folder) {
    std::vector<String> names;
    TSearchRec rec;
    for (int found = FindFirst(IncludeTrailingPathDelimiter(folder) + "*", faDirectory, rec);
         found == 0; found = FindNext(rec))
        if ((rec.Attr & faDirectory) && rec.Name != "." && rec.Name != "..")
            names.push_back(rec.Name);
    FindClose(rec);
    return names;
}

} // namespace

// ---- TDirectoryListBox

TDirectoryListBox::TDirectoryListBox(TComponent* AOwner)
    : TListBox(AOwner), FDirectory(GetCurrentDir()) {
    TypedPeer().SetOwnerDraw(
        *this, FCanvas, [this](int index, const TRect& rect) { DrawItem(index, rect); },
        FItemHeight);
    FOpenedBitmap.LoadFromResourceName(HInstance, "QM_OPENFOLDER");
    FCurrentBitmap.LoadFromResourceName(HInstance, "QM_CURRENTFOLDER");
    FClosedBitmap.LoadFromResourceName(HInstance, "QM_CLOSEDFOLDER");
    BuildList();
}

TDirectoryListBox::~TDirectoryListBox() = default;

void TDirectoryListBox::SetDirectory(const String& value) {
    if (value.empty())
        return;
    String folder = ExpandFileName(value);
    if (!DirectoryExists(folder) || !SetCurrentDir(folder))
        throw EInOutError("Cannot open folder \"" + folder + "\"");
    String current = GetCurrentDir();
    if (current == FDirectory)
        return;
    FDirectory = current;
    BuildList();
    Change();
}

void TDirectoryListBox::BuildList() {
    Items().Clear();
    std::vector<String> path = PathComponents(FDirectory);
    FPathItemCount = static_cast<int>(path.size());
    for (int i = 0; i < FPathItemCount; ++i)
        Items().AddObject(path[i], i + 1 < FPathItemCount ? &FOpenedBitmap : &FCurrentBitmap);
    for (const String& name : Subfolders(FDirectory))
        Items().AddObject(name, &FClosedBitmap);
    SetItemIndex(FPathItemCount - 1);
}

String TDirectoryListBox::GetItemPath(int index) const {
    if (index < 0 || index >= Items().Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    if (index >= FPathItemCount)
        return IncludeTrailingPathDelimiter(FDirectory) + Items()[index];
    String path;
    for (int i = 1; i <= index; ++i)
        path += PathDelim + Items()[i];
    return path.empty() ? String(1, PathDelim) : path;
}

void TDirectoryListBox::SetItemHeight(int value) {
    if (value > 0 && ::Change(FItemHeight, value))
        TypedPeer().SetItemHeight(value);
}

void TDirectoryListBox::SetFileList(TFileListBox* value) {
    if (!::Change(FFileList, value))
        return;
    if (value) {
        FreeNotification(value);
        value->SetDirectory(FDirectory);
    }
}

void TDirectoryListBox::SetDirLabel(TLabel* value) {
    if (!::Change(FDirLabel, value))
        return;
    if (value) {
        FreeNotification(value);
        ShowDirectoryOnLabel();
    }
}

void TDirectoryListBox::ShowDirectoryOnLabel() {
    if (!FDirLabel)
        return;
    TCanvas& canvas = FDirLabel->Canvas();
    canvas.Font().Assign(FDirLabel->Font());
    FDirLabel->SetCaption(MinimizeName(FDirectory, canvas, FDirLabel->Width()));
}

void TDirectoryListBox::Notification(TComponent* AComponent, TOperation Operation) {
    TListBox::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FFileList)
        FFileList = nullptr;
    if (AComponent == FDirLabel)
        FDirLabel = nullptr;
}

void TDirectoryListBox::ReadDirectoryNames() {
    BuildList();
}

void TDirectoryListBox::Change() {
    if (FFileList)
        FFileList->SetDirectory(FDirectory);
    ShowDirectoryOnLabel();
    if (OnChange)
        OnChange(this);
}

void TDirectoryListBox::DrawItem(int index, const TRect& rect) {
    FCanvas.FillRect(rect);
    FCanvas.TextOut(rect.Left + 2, rect.Top, Items()[index]);
}

// The list box raises no double click of its own; the first click has chosen the item.
void TDirectoryListBox::WndProc(TMessage& Message) {
    TListBox::WndProc(Message);
    if (Message.Msg == WM_LBUTTONDBLCLK && ItemIndex() >= 0) {
        DblClick();
        SetDirectory(GetItemPath(ItemIndex()));
    }
}

// ---- TDriveComboBox

TDriveComboBox::TDriveComboBox(TComponent* AOwner) : TComboBox(AOwner) {
    SetStyle(csDropDownList);
    TypedPeer().SetOwnerDraw(
        *this, FCanvas, [this](int index, const TRect& rect) { DrawItem(index, rect); },
        FItemHeight);
    FFloppyBitmap.LoadFromResourceName(HInstance, "QM_FLOPPY");
    FFixedBitmap.LoadFromResourceName(HInstance, "QM_FIXEDDISK");
    FCDROMBitmap.LoadFromResourceName(HInstance, "QM_CDROM");
    FNetworkBitmap.LoadFromResourceName(HInstance, "QM_NETDRIVE");
    FRAMBitmap.LoadFromResourceName(HInstance, "QM_RAM");
    BuildList();
}

TDriveComboBox::~TDriveComboBox() = default;

void TDriveComboBox::SetTextCase(TTextCase value) {
    if (::Change(FTextCase, value))
        RecreateWnd();
}

void TDriveComboBox::SetItemHeight(int value) {
    if (value > 0 && ::Change(FItemHeight, value))
        TypedPeer().SetItemHeight(value);
}

void TDriveComboBox::RecreateWnd() {
    BuildList();
}

void TDriveComboBox::BuildList() {
    Items().Clear();
    for (const TLogicalDrive& drive : LogicalDrives())
        Items().AddObject(drive.Name, &FFixedBitmap);
    SetItemIndex(Items().Count() > 0 ? 0 : -1);
}

// Each drive as its glyph followed by its text.
void TDriveComboBox::DrawItem(int index, const TRect& rect) {
    FCanvas.FillRect(rect);
    if (index < 0 || index >= Items().Count())
        return;
    // TextRect fills the whole rectangle, so the glyph goes on after the text.
    int textTop = rect.Top + (rect.Height() - FCanvas.TextHeight("Pp")) / 2;
    FCanvas.TextRect(rect, rect.Left + 22, textTop, Items()[index]);
    if (auto* glyph = dynamic_cast<TBitmap*>(Items().GetObject(index)); glyph && !glyph->Empty()) {
        glyph->SetTransparent(true);
        FCanvas.Draw(rect.Left + 2, (rect.Top + rect.Bottom - glyph->Height()) / 2, *glyph);
    }
}
