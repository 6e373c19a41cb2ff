// Multi-publish, multi-copy and Show Dates Published: the selected files of the file list
// published into, or copied to, every folder of a folder group, with revision stamps and a log.

#include "editor/CorvaletForm.h"

#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "editor/HelpPointer.h"
#include "platform/Events.h"
#include "platform/FileCtrl.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Registry.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "publish/HTMLFolderSelect.h"
#include "publish/MultiPublishRun.h"
#include "services/GeneralRoutines.h"
#include "site/FilePane.h"
#include "widgets/QmFilSys.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

namespace {

const String ProgramCaption = "Quiltmarker";
const int MaxCopiedFiles = 500;

// Runs the end of a command however the command ends.
class TCommandEnd {
public:
    explicit TCommandEnd(std::function<void()> end) : FEnd(std::move(end)) {}
    ~TCommandEnd() { FEnd(); }
    TCommandEnd(const TCommandEnd&) = delete;
    TCommandEnd& operator=(const TCommandEnd&) = delete;

private:
    std::function<void()> FEnd;
};

bool Ask(const String& question) {
    return Application->MessageBox(question, ProgramCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

TRevisionKind ChosenRevision(const TFolderSelectForm& dialog) {
    if (dialog.MajorRevButton->Checked())
        return TRevisionKind::Major;
    if (dialog.MinorRevButton->Checked())
        return TRevisionKind::Minor;
    return TRevisionKind::None;
}

std::vector<String> ListItems(TStrings& items) {
    std::vector<String> list;
    for (int i = 0; i < items.Count(); ++i)
        list.push_back(items[i]);
    return list;
}

} // namespace

void THTMLEMainForm::BuildMultiPublishing() {
    ShowDatesPublished1 =
        AddItem(this, MainPopupMenu->Items(), "ShowDatesPublished1", "Show Dates Published...");
}

void THTMLEMainForm::BindMultiPublishing() {
    for (TMenuItem* item : {MultiPublish1, MultiPublish2, FilePane->MultiPublish3})
        item->OnClick = Handler(this, &THTMLEMainForm::MultiPublish1Click);
    for (TMenuItem* item : {MultiCopy1, FilePane->MultiCopy2})
        item->OnClick = Handler(this, &THTMLEMainForm::MultiCopy1Click);
    ShowDatesPublished1->OnClick = Handler(this, &THTMLEMainForm::ShowDatesPublished1Click);
}

void THTMLEMainForm::LoadMultiPublishFolders() {
    if (!EnsureDialog(FolderSelectForm))
        return;
    TRegistry reg;
    if (!reg.OpenKey(MultiPublishKey, false))
        return;
    for (int group = 1; group <= TFolderSelectForm::GroupCount; ++group) {
        TStrings& folders = FolderSelectForm->GroupFolderList(group, 1)->Items();
        folders.Clear();
        for (int entry = 1;; ++entry) {
            const String name = IntToStr(group) + "-" + IntToStr(entry);
            if (!reg.ValueExists(name))
                break;
            folders.Add(reg.ReadString(name));
        }
    }
}

void THTMLEMainForm::MultiPublish1Click(TObject* Sender) {
    if (HandleHelpPointer(HelpContexts::MultiPublish1Click))
        return;
    PublishSelectedFiles = true;
    MultiSave1Click(Sender);
}

// Every way out of the command, a cancel or an empty group included, ends it the same way.
void THTMLEMainForm::MultiSave1Click(TObject* /*Sender*/) {
    TCommandEnd end([this] {
        PublishSelectedFiles = false;
        EndMultiplePublishing();
    });
    TDialogGuard<TFolderSelectForm> dialog(FolderSelectForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    TRegistry reg;
    if (reg.OpenKey(MultiPublishKey, false) && reg.ValueExists("LastMultiDir")) {
        const String last = reg.ReadString("LastMultiDir");
        if (DirectoryExists(last))
            dialog->DirListBox->SetDirectory(last);
    }
    dialog->RevisionGroupBox->SetVisible(true);
    dialog->Panel2->SetVisible(true);
    dialog->NoRevCheck->SetChecked(true);
    LoadMultiPublishFolders();
    dialog->PubCheck->SetCaption("Publish selected files");
    if (dialog.ShowModal() != mrOk)
        return;

    TScreenCursorScope hourglass(crHourGlass);
    const TRevisionKind revision = ChosenRevision(*dialog);
    const std::vector<String> folders = ListItems(dialog->GroupFolderList(-1, 1)->Items());
    if (folders.empty())
        return;
    PrepareMultiplePublishing(*dialog);

    std::vector<String> files;
    const String listFolder = FilePane->GR->AddDirSlash(FilePane->DirectoryListBox1->Directory());
    for (int i = 0; i < FilePane->FileListBox1->Items().Count(); ++i) {
        if (!FilePane->FileListBox1->Selected(i))
            continue;
        Application->ProcessMessages();
        const String path = listFolder + FilePane->FileListBox1->Items()[i];
        files.push_back(path);
        for (int page : PagesShowing({path})) {
            if (Memos[page]->Modified() &&
                Ask(FileNames[page] + " has been modified.\r\nSave before publishing?"))
                Documents->SaveDocument(page, false, false);
            break; // only the first page that shows the file
        }
    }
    if (revision != TRevisionKind::None)
        StampSourceFiles(files, revision);

    TPublishedLists lists;
    if (!PublishIntoFolders(files, folders, *FilePane->GR, lists))
        return;

    // A page whose edits were kept unsaved keeps them: only pages without changes are read again.
    const std::vector<int> shown = PagesShowing(files);
    if (shown.empty())
        ShowMessage("Publication completed");
    else if (Ask("Reload displayed files?")) {
        std::vector<int> unchanged;
        std::copy_if(shown.begin(), shown.end(), std::back_inserter(unchanged),
                     [this](int page) { return !Memos[page]->Modified(); });
        ReloadPages(unchanged);
        TTabSheet* active = PageControl1->ActivePage();
        for (int page : unchanged) {
            PageControl1->SetActivePage(TabSheets[page]);
            ColourAllTags(false);
        }
        PageControl1->SetActivePage(active);
    }
    if (dialog->LogCheck->Checked())
        LogPublishedFiles(lists);
}

void THTMLEMainForm::MultiCopy1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::MultiCopy1Click))
        return;
    TDialogGuard<TFolderSelectForm> dialog(FolderSelectForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    LoadMultiPublishFolders();
    dialog->PubCheck->SetCaption("Copy to publish folders");
    std::vector<String> entries;
    for (int i = 0; i < FilePane->FileListBox1->Items().Count() &&
                    static_cast<int>(entries.size()) < MaxCopiedFiles;
         ++i)
        if (FilePane->FileListBox1->Selected(i))
            entries.push_back(FilePane->FileListBox1->Items()[i]);
    if (dialog.ShowModal() != mrOk)
        return;
    const std::vector<String> folders = ListItems(dialog->GroupFolderList(-1, 1)->Items());
    if (folders.empty())
        return;
    const String listFolder = FilePane->GR->AddDirSlash(FilePane->DirectoryListBox1->Directory());
    for (const String& entry : entries) {
        Application->ProcessMessages();
        const String source = listFolder + entry;
        for (const String& folder : folders)
            CopyFile(source, FilePane->GR->AddDirSlash(folder) + ExtractFileName(source), false);
    }
}

void THTMLEMainForm::ShowDatesPublished1Click(TObject* /*Sender*/) {
    TRichEdit* editor = GetMemo(-1);
    if (editor == nullptr)
        return;
    ShowMessage(DatesPublishedText(editor->Text()));
}
