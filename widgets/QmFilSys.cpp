#include "widgets/QmFilSys.h"

#include <algorithm>

namespace {

String Cased(const String& text, TTextCase textCase) {
    return textCase == tcUpperCase ? UpperCase(text) : LowerCase(text);
}

bool IsRoot(const String& path) {
    return path.size() == 1 && path[0] == PathDelim;
}

// A full path with every name that is there spelt as the disk spells it. A name kept
// lower-cased is found by a search that matches without regard to case; wildcards in a name must
// not match other names.
String DiskSpelling(const String& path) {
    if (path.size() <= 1 || FileExists(path) || DirectoryExists(path))
        return path;
    String folder = IncludeTrailingPathDelimiter(DiskSpelling(ExtractFileDir(path)));
    String name = ExtractFileName(path);
    TSearchRec rec;
    for (int result = FindFirst(folder + name, faAnyFile, rec); result == 0; result = FindNext(rec))
        if (SameText(rec.Name, name)) {
            name = rec.Name;
            break;
        }
    FindClose(rec);
    return folder + name;
}

} // namespace

// ---- Long names

String LongFormOfName(const String& path) {
    if (path.empty() || IsRoot(path))
        return path;
    return ExtractFileName(DiskSpelling(ExcludeTrailingPathDelimiter(ExpandFileName(path))));
}

String LongFormOfPath(const String& path) {
    String remaining = ExpandFileName(path);
    if (remaining.size() <= 1)
        return remaining;
    remaining = ExcludeTrailingPathDelimiter(remaining);
    String result;
    while (!remaining.empty()) {
        result = PathDelim + LongFormOfName(remaining) + result;
        remaining = ExtractFileDir(remaining);
        if (remaining.size() <= 1)
            break;
    }
    return result;
}

int FontLineHeight(TFont& font) {
    TCanvas canvas;
    int screenHeight = canvas.TextHeight("Pp");
    canvas.Font().Assign(font);
    int height = canvas.TextHeight("Pp");
    return height + std::min(height, screenHeight) / 4;
}

// ---- TQmDirectoryListBox

TQmDirectoryListBox::TQmDirectoryListBox(TComponent* AOwner) : TDirectoryListBox(AOwner) {}

void TQmDirectoryListBox::SetShowLongNames(bool value) {
    if (!::Change(FShowLongNames, value))
        return;
    ReadDirectoryNames();
    UpdateLabelCaption();
}

String TQmDirectoryListBox::LongDirectory() const {
    return LongFormOfPath(Directory());
}

void TQmDirectoryListBox::UpdateLabelCaption() {
    TLabel* label = DirLabel();
    if (!label)
        return;
    int width = label->AutoSize() ? Width() : label->Width();
    String text = FShowLongNames ? LongDirectory() : Directory();
    TCanvas& canvas = label->Canvas();
    canvas.Font().Assign(label->Font());
    label->SetCaption(MinimizeName(text, canvas, width));
}

// The base has shown the folder on the label by then; this shows it as the disk spells it.
void TQmDirectoryListBox::Change() {
    TDirectoryListBox::Change();
    UpdateLabelCaption();
}

// At the root "/", which holds one separator, the subfolders sit two steps in.
int TQmDirectoryListBox::ItemIndent(int index) {
    if (Items().GetObject(index) == &ClosedBitmap()) {
        const String& folder = Directory();
        return (static_cast<int>(std::count(folder.begin(), folder.end(), PathDelim)) + 1) * 4 + 2;
    }
    return index * 4 + 2;
}

String TQmDirectoryListBox::ItemText(int index) {
    return FShowLongNames ? LongFormOfName(GetItemPath(index)) : Items()[index];
}

// The text always leaves room for a glyph 16 pixels wide.
void TQmDirectoryListBox::DrawItem(int index, const TRect& rect) {
    TCanvas& canvas = Canvas();
    canvas.FillRect(rect);
    int indent = ItemIndent(index);
    int textTop = rect.Top + (rect.Height() - canvas.TextHeight("Pp")) / 2;
    canvas.TextRect(rect, rect.Left + indent + 20, textTop, ItemText(index));
    if (auto* glyph = dynamic_cast<TBitmap*>(Items().GetObject(index)); glyph && !glyph->Empty()) {
        glyph->SetTransparent(true);
        canvas.Draw(rect.Left + indent, (rect.Top + rect.Bottom - glyph->Height()) / 2, *glyph);
    }
}

// ---- TQmDriveComboBox

// A drive without a label shows its name alone: most roots here have none, and "/ []" looks
// like something is missing.
String DriveVolumeText(const TLogicalDrive& drive, TTextCase textCase) {
    return drive.VolumeLabel.empty() ? String() : "[" + Cased(drive.VolumeLabel, textCase) + "]";
}

String DriveNetworkText(const TLogicalDrive& drive, TTextCase textCase) {
    if (drive.RemoteName.empty())
        return DriveVolumeText(drive, textCase);
    return Cased(drive.RemoteName, textCase);
}

TQmDriveComboBox::TQmDriveComboBox(TComponent* AOwner) : TDriveComboBox(AOwner) {
    BuildList();
    FitItemHeight();
}

void TQmDriveComboBox::SetDriveTypes(TDriveTypes value) {
    if (::Change(FDriveTypes, value))
        RecreateWnd();
}

// The removable-drive glyph is 13 pixels high.
void TQmDriveComboBox::FitItemHeight() {
    SetItemHeight(std::max(FontLineHeight(Font()), 13));
}

void TQmDriveComboBox::WndProc(TMessage& Message) {
    TDriveComboBox::WndProc(Message);
    if (Message.Msg == CM_FONTCHANGED) {
        FitItemHeight();
        RecreateWnd();
    }
}

namespace {

String JoinedDriveText(const String& name, const String& detail) {
    return detail.empty() ? name : name + " " + detail;
}

} // namespace

// A removable drive is never read: an empty drive must not hold the list up.
String TQmDriveComboBox::DriveText(const TLogicalDrive& drive) const {
    String name = Cased(drive.Name, TextCase());
    switch (drive.Type) {
    case DRIVE_REMOVABLE:
        return name;
    case DRIVE_REMOTE:
        return JoinedDriveText(name, DriveNetworkText(drive, TextCase()));
    default:
        return JoinedDriveText(name, DriveVolumeText(drive, TextCase()));
    }
}

TBitmap* TQmDriveComboBox::DriveGlyph(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE:
        return &FloppyBitmap();
    case DRIVE_REMOTE:
        return &NetworkBitmap();
    case DRIVE_CDROM:
        return &CDROMBitmap();
    case DRIVE_RAMDISK:
        return &RAMBitmap();
    default:
        return &FixedBitmap();
    }
}

void TQmDriveComboBox::BuildList() {
    Items().Clear();
    for (const TLogicalDrive& drive : LogicalDrives()) {
        if (drive.Type < DRIVE_REMOVABLE || drive.Type > DRIVE_RAMDISK ||
            !FDriveTypes.Contains(static_cast<TDriveType>(drive.Type)))
            continue;
        Items().AddObject(DriveText(drive), DriveGlyph(drive.Type));
    }
    SetItemIndex(Items().Count() > 0 ? 0 : -1);
}
