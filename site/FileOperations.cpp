// The file pane's file operations: copy, move, rename, copy under a new name, delete, re-casing
// names, and making and deleting folders. Files go through the shell operation JCopy1, which
// asks its own questions before anything is replaced and reports its own failures; a run over
// several files in which some failed ends with the list of what was done and what was not.

#include "site/FilePane.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/HTMLLocationForm.h"
#include "platform/FileListBox.h"
#include "platform/FileStamp.h"
#include "services/GeneralRoutines.h"
#include "services/JCopy.h"
#include "widgets/FBrowse.h"
#include "widgets/QmFilSys.h"

#include <cerrno>
#include <system_error>

namespace {

const char* const CaseSwapName = "~00HTML~.TMP";

String JoinLines(const std::vector<String>& names) {
    String lines;
    for (const String& name : names)
        lines += "\r\n" + name;
    return lines;
}

// Said only when something failed and something else had been asked for as well.
void ReportPartialRun(const String& doneHeading, const std::vector<String>& done,
                      const String& notDoneHeading, const std::vector<String>& notDone) {
    if (notDone.empty() || done.empty())
        return;
    MessageBox(nullptr,
               doneHeading + JoinLines(done) + "\r\n\r\n" + notDoneHeading + JoinLines(notDone),
               "Quiltmarker", MB_OK | MB_ICONWARNING);
}

// The name as re-casing gives it: the part up to the first "." lower-cased when the name begins
// below "a" (bytes of 128 and above count as below), else upper-cased; the rest lower-cased.
String RecasedName(const String& name) {
    if (name.empty())
        return name;
    bool lower =
        static_cast<unsigned char>(name[0]) < 'a' || static_cast<unsigned char>(name[0]) >= 128;
    String cased = lower ? LowerCase(name) : UpperCase(name);
    size_t dot = name.find('.');
    if (dot == String::npos)
        return LowerCase(name);
    return cased.substr(0, dot + 1) + LowerCase(name.substr(dot + 1));
}

bool AskOverwrite(const String& path) {
    return MessageBox(nullptr, "File \"" + path + "\" already exists. Overwrite it?", "Quiltmarker",
                      MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace

// ---- Copy and move ----

namespace {

struct TFileRun {
    std::vector<String> Done;
    std::vector<String> NotDone;
};

} // namespace

void TFilePane::Copy2Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Copy2Click))
        return;
    if (FileListBox1->FileName().empty())
        return;
    Form.FolderBrowse1->SetTitle("Copy to");
    if (!Form.FolderBrowse1->Execute(FolderBrowserOwner))
        return;
    String folder = GR->AddDirSlash(Form.FolderBrowse1->Directory());
    std::vector<int> selected = SelectedFileIndexes();
    TFileRun run;
    for (int index : selected) {
        String name = FileListBox1->Items()[index];
        JCopy1->SetFileCommand(cmCopy);
        JCopy1->SetFileMaskFrom(FileListFolder() + name);
        JCopy1->SetFileMaskTo(folder + name);
        JCopy1->SetFileOverwrite(true);
        TFileStamp before = FileStampOf(folder + name);
        bool copied = !JCopy1->Execute() && FileStampOf(folder + name) != before;
        (copied ? run.Done : run.NotDone).push_back(name);
    }
    ReportPartialRun("Copied:", run.Done, "Not copied:", run.NotDone);
    if (selected.empty() || folder != FileListFolder())
        return;
    String first = FileListBox1->Items()[selected.front()];
    RereadFileList();
    for (int i = 0; i < FileListBox1->Items().Count(); ++i)
        if (FileListBox1->Items()[i] == first) {
            FileListBox1->SetItemIndex(i);
            FileListBox1->SetTopIndex(i);
        }
}

void TFilePane::Move2Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Move2Click))
        return;
    if (FileListBox1->FileName().empty())
        return;
    Form.FolderBrowse1->SetTitle("Move to");
    if (!Form.FolderBrowse1->Execute(FolderBrowserOwner))
        return;
    String folder = GR->AddDirSlash(Form.FolderBrowse1->Directory());
    TFileRun run;
    for (int index : SelectedFileIndexes()) {
        String name = FileListBox1->Items()[index];
        JCopy1->SetFileCommand(cmMove);
        JCopy1->SetFileMaskFrom(FileListFolder() + name);
        JCopy1->SetFileMaskTo(folder + name);
        JCopy1->SetFileOverwrite(true);
        bool moved = !JCopy1->Execute() && !FileExists(FileListFolder() + name);
        (moved ? run.Done : run.NotDone).push_back(name);
    }
    RereadFileList();
    ReportPartialRun("Moved:", run.Done, "Not moved:", run.NotDone);
}

// ---- Rename and Copy As ----

namespace {

void ShowCurrentAndTop(TFileListBox& list, const String& path) {
    if (ExtractFilePath(path) != IncludeTrailingPathDelimiter(list.Directory()))
        return;
    String name = ExtractFileName(path);
    for (int i = 0; i < list.Items().Count(); ++i)
        if (list.Items()[i] == name) {
            list.SetItemIndex(i);
            list.SetTopIndex(i);
        }
}

} // namespace

// The name is offered as the disk spells it and the folder kept as it is: on a file system that
// tells cases apart, a lower-cased path would name another file.
void TFilePane::Rename1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Rename1Click))
        return;
    String current = FileListBox1->FileName();
    String name = ExtractFileName(current);
    if (!Form.SetupLocationForm(name, "", "Rename " + name + " to:", false, true))
        return;
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    if (dialog.ShowModal() != mrOk)
        return;
    String target = ExtractFilePath(current) + dialog->LocEdit->Text();
    JCopy1->SetFileOverwrite(false);
    if (FileExists(target)) {
        if (!AskOverwrite(target))
            return;
        JCopy1->SetFileOverwrite(true);
    }
    JCopy1->SetFileCommand(cmRename);
    JCopy1->SetFileMaskFrom(current);
    JCopy1->SetFileMaskTo(target);
    JCopy1->Execute();
    RereadFileList();
    ShowCurrentAndTop(*FileListBox1, target);
}

void TFilePane::MakeSecondCopy1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::MakeSecondCopy1Click))
        return;
    String current = FileListBox1->FileName();
    String name = ExtractFileName(current);
    if (!Form.SetupLocationForm(name, "", "Make copy of " + name + " as:", false, true))
        return;
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    dialog->AppendFileName = true;
    if (dialog.ShowModal() != mrOk)
        return;
    String text = dialog->LocEdit->Text();
    if (ExtractFileName(text).empty()) {
        MessageBox(nullptr, "You have not given a new filename!", "Copy As...",
                   MB_OK | MB_ICONERROR);
        return;
    }
    String target = ExtractFilePath(text).empty() ? FileListFolder() + text : text;
    JCopy1->SetFileOverwrite(false);
    if (FileExists(target)) {
        if (!AskOverwrite(target))
            return;
        JCopy1->SetFileOverwrite(true);
    }
    JCopy1->SetFileCommand(cmCopy);
    JCopy1->SetFileMaskFrom(current);
    JCopy1->SetFileMaskTo(target);
    JCopy1->Execute();
    RereadFileList();
    ShowCurrentAndTop(*FileListBox1, target);
}

// ---- Delete ----

void TFilePane::Delete1Click(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::Delete1Click))
        return;
    if (!FileListBox1->Focused()) {
        if (Form.PageInUse(-1))
            Form.GetMemo(-1)->CutToClipboard();
        return;
    }
    auto* item = dynamic_cast<TComponent*>(Sender);
    bool toBin = !(item && item->Name() == "DelwoBin1") && GetKeyState(VK_SHIFT) >= 0;
    std::vector<int> selected = SelectedFileIndexes();
    int n = static_cast<int>(selected.size());
    String question =
        String(toBin ? "Are you sure you want to send " : "Are you sure you want to delete ") +
        (n == 1 ? String("this file") : "these " + IntToStr(n) + " files") +
        (toBin ? " to the Recycle Bin?" : "?");
    if (MessageBox(nullptr, question, "Quiltmarker", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    TFileRun run;
    for (int index : selected) {
        String name = FileListBox1->Items()[index];
        JCopy1->SetFileCommand(cmDelete);
        JCopy1->SetFileMaskFrom(FileListFolder() + name);
        JCopy1->SetConfirmFiles(false);
        JCopy1->SetShowProgress(true);
        JCopy1->SetAllowUndo(toBin);
        bool deleted = !JCopy1->Execute() && !FileExists(FileListFolder() + name);
        (deleted ? run.Done : run.NotDone).push_back(name);
    }
    JCopy1->SetConfirmFiles(true);
    RereadFileList();
    ReportPartialRun("Deleted:", run.Done, "Not deleted:", run.NotDone);
}

// ---- Change filename case ----

// Each name goes through a temporary name, as a system that ignores case needs. A name that
// another file has already, or a temporary name that is taken, leaves that file as it is, and a
// file whose second step fails gets its own name back: re-casing never merges or loses files.
void TFilePane::ChangeFilenameCase1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ChangeFilenameCase1Click))
        return;
    TCursor saved = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    int current = FileListBox1->ItemIndex();
    int top = FileListBox1->TopIndex();
    if (FileListBox1->FileName().empty()) {
        Screen->SetCursor(saved);
        return;
    }
    String folder = GR->AddDirSlash(DirectoryListBox1->Directory());
    String swap = folder + CaseSwapName;
    TFileRun run;
    auto rename = [this](const String& from, const String& to) {
        JCopy1->SetFileCommand(cmRename);
        JCopy1->SetShowProgress(false);
        JCopy1->SetFileOverwrite(true);
        JCopy1->SetFileMaskFrom(from);
        JCopy1->SetFileMaskTo(to);
        return !JCopy1->Execute() && FileExists(to);
    };
    for (int index : SelectedFileIndexes()) {
        String name = FileListBox1->Items()[index];
        String recased = RecasedName(name);
        if (recased == name)
            continue;
        bool taken = FileExists(folder + recased) || FileExists(swap);
        bool done = !taken && rename(folder + name, swap);
        if (done && !rename(swap, folder + recased)) {
            rename(swap, folder + name);
            done = false;
        }
        (done ? run.Done : run.NotDone).push_back(name);
    }
    JCopy1->SetShowProgress(true);
    RereadFileList();
    FileListBox1->SetItemIndex(current);
    FileListBox1->SetTopIndex(top);
    Screen->SetCursor(saved);
    if (!run.NotDone.empty())
        MessageBox(nullptr,
                   "These names were left as they were, since another file has the new name or "
                   "the name could not be changed:" +
                       JoinLines(run.NotDone),
                   "Quiltmarker", MB_OK | MB_ICONWARNING);
}

// ---- Folders ----

void TFilePane::NewFolder1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::NewFolder1Click))
        return;
    String folder = DirectoryListBox1->Directory();
    if (folder.empty())
        return;
    if (!Form.SetupLocationForm("", "", "New folder in " + folder, false, true))
        return;
    TDialogGuard<TLocationForm> dialog(LocationForm, TButtonLook::Unchanged);
    if (dialog.ShowModal() != mrOk)
        return;
    CreateDir(GR->AddDirSlash(folder) + dialog->LocEdit->Text());
    DirectoryListBox1->ReadDirectoryNames();
}

void TFilePane::DeleteFolder1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::DeleteFolder1Click))
        return;
    int index = DirectoryListBox1->ItemIndex();
    if (index < 0)
        return;
    String path = DirectoryListBox1->GetItemPath(index);
    if (path.empty())
        return;
    if (path == DirectoryListBox1->Directory()) {
        MessageBox(nullptr, "Cannot delete current folder.\r\nPlease change to another one",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
        return;
    }
    if (MessageBox(nullptr, "Delete folder " + path + "?\r\nNOTE: This action cannot be undone.",
                   "Quiltmarker", MB_YESNO | MB_ICONSTOP) != IDYES)
        return;
    if (RemoveDir(path)) {
        DirectoryListBox1->ReadDirectoryNames();
        return;
    }
    int error = errno;
    MessageBox(nullptr, std::error_code(error, std::generic_category()).message(),
               "Deletion Failed", MB_OK | MB_ICONINFORMATION);
}
