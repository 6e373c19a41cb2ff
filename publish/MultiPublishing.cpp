// Multi-publish, multi-copy and Show Dates Published: the selected files of the file list
// published into, or copied to, every folder of a folder group, with revision stamps and a log.

#include "publish/MultiPublishing.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "editor/HelpPointer.h"
#include "editor/TagColouring.h"
#include "editor/TextTransforms.h"
#include "platform/Events.h"
#include "platform/FileCtrl.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Registry.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "publish/HTMLFolderSelect.h"
#include "publish/MultiPublishRun.h"
#include "publish/RevisionStamps.h"
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

// The Publish menu's items follow the commands on the active page; Show Dates Published follows
// the page pop-up's text commands.
void TMultiPublishing::Build() {
    TMenuItem* publish = Form.Publish1;
    MultiPublish1 = AddHiddenItem(&Form, publish, "MultiPublish1", "&Multi-Publish");
    MultiPublish2 = AddItem(&Form, publish, "MultiPublish2", "Multi-&Publish...");
    MultiCopy1 = AddItem(&Form, publish, "MultiCopy1", "Multi-&Copy...");
    MultiSave3 = AddItem(&Form, publish, "MultiSave3", "Multi-&Save...");
    ShowDatesPublished1 = InsertItem(&Form, Form.MainPopupMenu->Items(),
                                     Form.TextTransforms->RemoveComments2->MenuIndex() + 1,
                                     "ShowDatesPublished1", "Show Dates Published...");
}

// The file pane's Multi-Publish and Multi-Copy run these commands too.
void TMultiPublishing::Bind() {
    for (TMenuItem* item : {MultiPublish1, MultiPublish2, Form.FilePane->MultiPublish3})
        item->OnClick = Handler(this, &TMultiPublishing::MultiPublish1Click);
    for (TMenuItem* item : {MultiCopy1, Form.FilePane->MultiCopy2})
        item->OnClick = Handler(this, &TMultiPublishing::MultiCopy1Click);
    ShowDatesPublished1->OnClick = Handler(this, &TMultiPublishing::ShowDatesPublished1Click);
}

void TMultiPublishing::ReadSettings() {
    MultiPublish1->SetVisible(true);
}

void TMultiPublishing::UpdateCommands() {
    const bool enabled = Form.DocumentCommandsEnabled();
    for (TMenuItem* item : {MultiPublish1, MultiPublish2, MultiCopy1, MultiSave3})
        item->SetEnabled(enabled);
}

void TMultiPublishing::PublishMenuOpening() {
    const bool selected = Form.FilePane->FileListBox1->SelCount() > 0;
    MultiCopy1->SetEnabled(selected);
    MultiPublish1->SetEnabled(selected);
}

void TMultiPublishing::MenuOpening(TMenuItem& menu) {
    if (&menu != Form.MainPopupMenu->Items())
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    ShowDatesPublished1->SetEnabled(editor && Form.PageInUse(-1) &&
                                    HoldsMajorStamp(editor->TextView()));
}

void TMultiPublishing::LoadMultiPublishFolders() {
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

void TMultiPublishing::MultiPublish1Click(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::MultiPublish1Click))
        return;
    PublishSelectedFiles = true;
    MultiSave1Click(Sender);
}

// Every way out of the command, a cancel or an empty group included, ends it the same way.
void TMultiPublishing::MultiSave1Click(TObject* /*Sender*/) {
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
    const String listFolder =
        Form.FilePane->GR->AddDirSlash(Form.FilePane->DirectoryListBox1->Directory());
    for (int i = 0; i < Form.FilePane->FileListBox1->Items().Count(); ++i) {
        if (!Form.FilePane->FileListBox1->Selected(i))
            continue;
        Application->ProcessMessages();
        const String path = listFolder + Form.FilePane->FileListBox1->Items()[i];
        files.push_back(path);
        for (int page : Form.PagesShowing({path})) {
            if (Form.Memos[page]->Modified() &&
                Ask(Form.FileNames[page] + " has been modified.\r\nSave before publishing?"))
                Form.Documents->SaveDocument(page, false, false);
            break; // only the first page that shows the file
        }
    }
    if (revision != TRevisionKind::None)
        StampSourceFiles(files, revision);

    TPublishedLists lists;
    if (!PublishIntoFolders(files, folders, *Form.FilePane->GR, lists))
        return;

    // A page whose edits were kept unsaved keeps them: only pages without changes are read again.
    const std::vector<int> shown = Form.PagesShowing(files);
    if (shown.empty())
        ShowMessage("Publication completed");
    else if (Ask("Reload displayed files?")) {
        std::vector<int> unchanged;
        std::copy_if(shown.begin(), shown.end(), std::back_inserter(unchanged),
                     [this](int page) { return !Form.Memos[page]->Modified(); });
        Form.ReloadPages(unchanged, "Quiltmarker");
        TTabSheet* active = Form.PageControl1->ActivePage();
        for (int page : unchanged) {
            Form.PageControl1->SetActivePage(Form.TabSheets[page]);
            Form.TagColouring->ColourAllTags(false);
        }
        Form.PageControl1->SetActivePage(active);
    }
    if (dialog->LogCheck->Checked())
        LogPublishedFiles(lists);
}

void TMultiPublishing::MultiCopy1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::MultiCopy1Click))
        return;
    TDialogGuard<TFolderSelectForm> dialog(FolderSelectForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    LoadMultiPublishFolders();
    dialog->PubCheck->SetCaption("Copy to publish folders");
    std::vector<String> entries;
    for (int i = 0; i < Form.FilePane->FileListBox1->Items().Count() &&
                    static_cast<int>(entries.size()) < MaxCopiedFiles;
         ++i)
        if (Form.FilePane->FileListBox1->Selected(i))
            entries.push_back(Form.FilePane->FileListBox1->Items()[i]);
    if (dialog.ShowModal() != mrOk)
        return;
    const std::vector<String> folders = ListItems(dialog->GroupFolderList(-1, 1)->Items());
    if (folders.empty())
        return;
    const String listFolder =
        Form.FilePane->GR->AddDirSlash(Form.FilePane->DirectoryListBox1->Directory());
    for (const String& entry : entries) {
        Application->ProcessMessages();
        const String source = listFolder + entry;
        for (const String& folder : folders)
            CopyFile(source, Form.FilePane->GR->AddDirSlash(folder) + ExtractFileName(source),
                     false);
    }
}

void TMultiPublishing::ShowDatesPublished1Click(TObject* /*Sender*/) {
    TRichEdit* editor = Form.GetMemo(-1);
    if (editor == nullptr)
        return;
    ShowMessage(DatesPublishedText(editor->Text()));
}
