// What the file pane keeps between runs: the filters, the last drive and folder, and the masks
// with the last one chosen, read as the window is created and the last mask kept as it closes.

#include "site/FilePane.h"

#include "editor/CorvaletForm.h"
#include "platform/FileListBox.h"
#include "platform/Registry.h"
#include "services/ProgramSettings.h"
#include "widgets/FBrowse.h"
#include "widgets/QmFilSys.h"

namespace {

// The separator of the stored file masks: "§" in the Windows ANSI code page.
const char MaskSeparator = '\xA7';
// The masks that Masks keeps when the user has changed them.
const int StoredMaskCount = 16;

// The masks the creation appends to those of the file filter's form resource.
const char* const AppendedMasks[] = {
    "*.*htm*",
    "*.*htm*;*.gif;*.jpg;*.png",
    "*.gif;*.jpg;*.png",
    "*.gif",
    "*.jpg",
    "*.png",
    "*.css",
    "*.txt",
    "*.*",
};

} // namespace

// A key that cannot be opened reads as empty, so every default still stands.
void TFilePane::ReadSettings() {
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    ReadFilterSettings(reg);
    ApplyStartFolder(reg);
    SetUpFileMasks();
}

void TFilePane::WriteSettings() {
    StoreLastMask();
}

void TFilePane::ReadFilterSettings(const TRegistry& reg) {
    ShowImages = false;
    ReadSetting(reg, "ShowImages", ShowImages);
    bool multimedia = false;
    if (ReadSetting(reg, "ShowMultimedia", multimedia))
        IncludeMultimedia1->SetChecked(multimedia);
    String drive;
    if (ReadSetting(reg, "LastDrive", drive) && !drive.empty())
        DriveComboBox1->SetDrive(drive[0]);
}

void TFilePane::ApplyStartFolder(const TRegistry& reg) {
    String folder;
    if (!ReadSetting(reg, "LastDir", folder) || folder.empty() || !SetCurrentDir(folder))
        return;
    DirectoryListBox1->SetDirectory(folder);
    Form.FolderBrowse1->SetDirectory(folder);
}

void TFilePane::SetUpFileMasks() {
    TStrings& masks = FilterCombo->Items();
    for (const char* mask : AppendedMasks)
        masks.Add(mask);
    masks.Put(0, "*.*htm*;*.cgi;*.pl;*.log;*.txt");
    masks.Put(1, "*.*htm*;*.cgi;*.pl;*.log;*.txt;*.gif;*.jpg;*.png;");
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey("LatestFiles"), true)) {
        String stored;
        if (ReadSetting(reg, "Masks", stored)) {
            if (!stored.empty())
                FillMasks(stored);
        } else if (!reg.ValueExists("Masks")) {
            reg.WriteString("Masks", JoinedMasks(masks.Count()));
        }
        String lastMask = FilterCombo->Text();
        ReadSetting(reg, "LastMask", lastMask);
        FilterCombo->SetText(lastMask);
        if (masks.IndexOf(lastMask) < 0)
            masks.Add(lastMask);
    }
    FileListBox1->SetMask(FilterCombo->Text());
}

void TFilePane::FillMasks(const String& stored) {
    TStrings& masks = FilterCombo->Items();
    masks.Clear();
    size_t start = 0;
    for (size_t separator = stored.find(MaskSeparator); separator != String::npos;
         separator = stored.find(MaskSeparator, start)) {
        masks.Add(stored.substr(start, separator - start));
        start = separator + 1;
    }
    if (start < stored.size())
        masks.Add(stored.substr(start));
}

String TFilePane::JoinedMasks(int count) const {
    const TStrings& masks = FilterCombo->Items();
    String joined;
    for (int i = 0; i < masks.Count() && i < count; ++i)
        joined += (i > 0 ? String(1, MaskSeparator) : String()) + masks.Get(i);
    return joined;
}

void TFilePane::StoreMasks() {
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey("LatestFiles"), true))
        reg.WriteString("Masks", JoinedMasks(StoredMaskCount));
    StoreLastMask();
}

void TFilePane::StoreLastMask() {
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey("LatestFiles"), true))
        reg.WriteString("LastMask", FilterCombo->Text());
}
