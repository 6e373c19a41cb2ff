// The publisher window's settings: read from the registry when the window is made, written the
// moment a control changes, and the source file and folder choices.

#include "editor/DialogGuard.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "publish/Ferrydock95Main.h"
#include "services/ProgramSettings.h"
#include "widgets/FBrowse.h"

#include <algorithm>

namespace {

const String CopyToKey = PublishKey + "\\CopyTo";
const String RecentFilesKey = PublishKey + "\\RecentFiles";
const String PublishFoldersKey = PublishKey + "\\PublishFolders";

TRegistry OpenForWriting(const String& key) {
    TRegistry reg;
    reg.OpenKey(key, true);
    return reg;
}

// The values "first" to "last" of a key that exist as texts, in number order.
void ReadNumberedValues(const String& key, int first, int last, TStrings& list) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(key))
        return;
    for (int number = first; number <= last; ++number) {
        String value;
        if (ReadSetting(reg, IntToStr(number), value))
            list.Add(value);
    }
}

void ReadString(const TRegistry& reg, const String& name, TEdit* edit) {
    String value;
    if (ReadSetting(reg, name, value))
        edit->SetText(value);
}

void ReadBool(const TRegistry& reg, const String& name, TCheckBox* check) {
    int value = 0;
    if (ReadSetting(reg, name, value))
        check->SetChecked(value != 0);
}

void ReadBool(const TRegistry& reg, const String& name, TRadioButton* button) {
    int value = 0;
    if (ReadSetting(reg, name, value))
        button->SetChecked(value != 0);
}

} // namespace

void ReadPublishFolders(TStrings& list, int limit) {
    ReadNumberedValues(PublishFoldersKey, 1, limit, list);
}

void RememberPublishFolder(TStrings& list, const String& folder, int limit) {
    if (list.IndexOf(folder) >= 0)
        return;
    if (list.Count() > limit)
        list.Delete(limit);
    list.Insert(0, folder);
    TRegistry reg;
    reg.DeleteKey(PublishFoldersKey);
    reg.OpenKey(PublishFoldersKey, true);
    for (int i = 0; i < std::min(list.Count(), limit); ++i)
        reg.WriteString(IntToStr(i + 1), list[i]);
}

String StoredPublishFolder() {
    TRegistry reg;
    String folder;
    if (reg.OpenKeyReadOnly(PublishKey))
        ReadSetting(reg, "PublishTo", folder);
    return folder;
}

void StorePublishFolder(const String& folder) {
    OpenForWriting(PublishKey).WriteString("PublishTo", folder);
}

// Paths keep their case throughout: a Linux file or folder is found only as it is written.
void TFerrydock95Form::FormCreate(TObject* /*Sender*/) {
    MultipleRun = false;
    MessagesOff = false;
    NoPublishedMessage = false;
    LoadRecentFiles();
    LoadOptions();
    EnableWrapControls();
    SourceFileCount = 1;
}

// Every stored publish folder is read, so that the list written back when a folder is added
// keeps the ones the publish-folder dialog stored.
void TFerrydock95Form::LoadRecentFiles() {
    ReadNumberedValues(RecentFilesKey, 0, MaxRecentFiles - 1, PubFileName->Items());
    ReadPublishFolders(PublishTo->Items(), MaxPublishFolders);
}

void TFerrydock95Form::LoadOptions() {
    TRegistry reg;
    if (reg.OpenKeyReadOnly(PublishKey)) {
        ReadBool(reg, "Remove Comments", RemoveCommentsCheck);
        ReadBool(reg, "WrapText", WrapTextCheck);
        String folder;
        if (ReadSetting(reg, "PublishTo", folder))
            PublishTo->SetText(folder);
        ReadBool(reg, "CompactFile", CompactCheck);
        // A line length that is no number would stop every wrapped run: the default stays.
        String lineLength;
        if (ReadSetting(reg, "LineLength", lineLength) && StrToIntDef(lineLength, -1) >= 0)
            LineLengthEdit->SetText(lineLength);
        ReadBool(reg, "RemoveBlankLines", BlankLinesCheck);
    }
    if (reg.OpenKeyReadOnly(PublishTagsKey)) {
        ReadBool(reg, "UpperCase", UpperCaseButton);
        ReadBool(reg, "LowerCase", LowerCaseButton);
        ReadBool(reg, "NoChange", NoChangeButton);
    }
    LoadCopyToFolders();
    if (reg.OpenKeyReadOnly(PublishKey))
        ReadString(reg, "WorkingDir", WorkingDir);
}

void TFerrydock95Form::LoadCopyToFolders() {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(CopyToKey))
        return;
    TEdit* const edits[] = {CopyTo1, CopyTo2, CopyTo3, CopyTo4};
    for (int i = 0; i < 4; ++i)
        ReadString(reg, IntToStr(i + 1), edits[i]);
}

void TFerrydock95Form::EnableWrapControls() {
    const bool compact = CompactCheck->Checked();
    const bool wrap = compact && WrapTextCheck->Checked();
    WrapTextCheck->SetEnabled(compact);
    LineLengthEdit->SetEnabled(wrap);
    LineLengthButtons->SetEnabled(wrap);
}

void TFerrydock95Form::PubFileNameButtonClick(TObject* /*Sender*/) {
    FileOpenDialog->SetTitle("Select File to Publish");
    FileOpenDialog->SetInitialDir(WorkingDir->Text());
    if (!FileOpenDialog->Execute())
        return;
    const String path = FileOpenDialog->FileName();
    if (PubFileName->Items().IndexOf(path) < 0)
        PubFileName->Items().Insert(0, path);
    PubFileName->SetText(path);
    SourceFileCount = 1;
    PubFileNameChange(PubFileName);
}

void TFerrydock95Form::MultipleButtonClick(TObject* /*Sender*/) {
    ChooseMultipleFiles();
}

bool TFerrydock95Form::ChooseMultipleFiles() {
    TOpenOptions options = FileOpenDialog->Options();
    options << ofAllowMultiSelect;
    FileOpenDialog->SetOptions(options);
    FileOpenDialog->SetTitle("Select Multiple Files to Publish");
    if (!FileOpenDialog->Execute())
        return false;
    PubFileName->SetText("[multiple]");
    MultipleRun = true;
    const TStrings& files = FileOpenDialog->Files();
    if (files.Count() > MaxSourceFiles)
        Application->MessageBox("No more than " + IntToStr(MaxSourceFiles) +
                                    " files can be published at one time.\r\n" +
                                    "The extra files you have selected will be ignored.",
                                "Publishing Multiple Files", MB_OK | MB_ICONERROR);
    const int taken = std::min(files.Count(), MaxSourceFiles);
    for (int i = 0; i < taken; ++i) {
        SourceFiles[static_cast<size_t>(i)] = files[i];
        PutRecentFileOnTop(files[i]);
    }
    SourceFileCount = taken;
    PubFileName->SetText(files[0]);
    PubFileNameChange(PubFileName);
    return true;
}

void TFerrydock95Form::PutRecentFileOnTop(const String& path) {
    TStrings& items = PubFileName->Items();
    const int listed = items.IndexOf(path);
    if (listed >= 0)
        items.Delete(listed);
    items.Insert(0, path);
}

bool TFerrydock95Form::BrowseFolder(const String& title, String& folder) {
    FolderBrowse1->SetTitle(title);
    FolderBrowse1->SetDirectory(WorkingDir->Text());
    if (!FolderBrowse1->Execute(FolderBrowserOwner))
        return false;
    folder = FolderBrowse1->Directory();
    return true;
}

void TFerrydock95Form::SpeedButton2Click(TObject* /*Sender*/) {
    String folder;
    if (BrowseFolder("Publish to:", folder))
        PublishTo->SetText(folder);
}

void TFerrydock95Form::SpeedButton3Click(TObject* /*Sender*/) {
    String folder;
    if (BrowseFolder("Copy to:", folder))
        CopyTo1->SetText(folder);
}

void TFerrydock95Form::SpeedButton4Click(TObject* /*Sender*/) {
    String folder;
    if (BrowseFolder("Copy to:", folder))
        CopyTo2->SetText(folder);
}

void TFerrydock95Form::SpeedButton5Click(TObject* /*Sender*/) {
    String folder;
    if (BrowseFolder("Copy to:", folder))
        CopyTo3->SetText(folder);
}

void TFerrydock95Form::SpeedButton6Click(TObject* /*Sender*/) {
    String folder;
    if (BrowseFolder("Copy to:", folder))
        CopyTo4->SetText(folder);
}

void TFerrydock95Form::SpeedButton7Click(TObject* /*Sender*/) {
    String folder;
    if (BrowseFolder("Working directory:", folder))
        WorkingDir->SetText(folder);
}

void TFerrydock95Form::WriteCopyTo(int number, const TEdit* edit) {
    OpenForWriting(CopyToKey).WriteString(IntToStr(number), edit->Text());
}

void TFerrydock95Form::CopyTo1Change(TObject* /*Sender*/) {
    WriteCopyTo(1, CopyTo1);
}

void TFerrydock95Form::CopyTo2Change(TObject* /*Sender*/) {
    WriteCopyTo(2, CopyTo2);
}

void TFerrydock95Form::CopyTo3Change(TObject* /*Sender*/) {
    WriteCopyTo(3, CopyTo3);
}

void TFerrydock95Form::CopyTo4Change(TObject* /*Sender*/) {
    WriteCopyTo(4, CopyTo4);
}

void TFerrydock95Form::WorkingDirChange(TObject* /*Sender*/) {
    OpenForWriting(PublishKey).WriteString("WorkingDir", WorkingDir->Text());
}

void TFerrydock95Form::StoreTagCaseButtons() {
    StoreTagCase(UpperCaseButton->Checked(), LowerCaseButton->Checked(), NoChangeButton->Checked());
}

void TFerrydock95Form::UpperCaseButtonClick(TObject* /*Sender*/) {
    StoreTagCaseButtons();
}

void TFerrydock95Form::LowerCaseButtonClick(TObject* /*Sender*/) {
    StoreTagCaseButtons();
}

void TFerrydock95Form::NoChangeButtonClick(TObject* /*Sender*/) {
    StoreTagCaseButtons();
}

void TFerrydock95Form::CompactCheckClick(TObject* /*Sender*/) {
    StorePublishOption("CompactFile", CompactCheck->Checked());
    EnableWrapControls();
}

void TFerrydock95Form::WrapTextCheckClick(TObject* /*Sender*/) {
    StorePublishOption("WrapText", WrapTextCheck->Checked());
    EnableWrapControls();
}

void TFerrydock95Form::LineLengthEditChange(TObject* /*Sender*/) {
    OpenForWriting(PublishKey).WriteString("LineLength", LineLengthEdit->Text());
}

void TFerrydock95Form::AlwaysShowCheckClick(TObject* /*Sender*/) {
    StorePublishOption("AlwaysShow", AlwaysShowCheck->Checked());
}

void TFerrydock95Form::BlankLinesCheckClick(TObject* /*Sender*/) {
    StorePublishOption("RemoveBlankLines", BlankLinesCheck->Checked());
}

void TFerrydock95Form::RemoveCommentsCheckClick(TObject* /*Sender*/) {
    StorePublishOption("Remove Comments", RemoveCommentsCheck->Checked());
}

// Older values beyond the list's length stay: the list is read back only as far as it goes.
void TFerrydock95Form::PubFileNameChange(TObject* /*Sender*/) {
    TRegistry reg = OpenForWriting(RecentFilesKey);
    const TStrings& items = PubFileName->Items();
    for (int i = 0; i < std::min(items.Count(), MaxRecentFiles); ++i)
        reg.WriteString(IntToStr(i), items[i]);
}

void TFerrydock95Form::PublishToExit(TObject* /*Sender*/) {
    const String folder = PublishTo->Text();
    DestinationKey = folder;
    StorePublishFolder(folder);
    RememberPublishFolder(PublishTo->Items(), folder, MaxPublishFolders);
}

void TFerrydock95Form::OKButtonClick(TObject* /*Sender*/) {
    PublishFiles();
    DestinationKey.clear();
    if (CloseAfterRun)
        CancelButtonClick(CancelButton);
    else
        PublishToExit(PublishTo);
}

void TFerrydock95Form::CancelButtonClick(TObject* /*Sender*/) {
    PublishToExit(PublishTo);
    DestinationKey.clear();
    Close();
}
