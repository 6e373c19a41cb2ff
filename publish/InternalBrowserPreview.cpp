// The preview of the active page in the internal browser. The page can be shown published, or
// with its tables made visible; both rewrite the page's own file, so a copy of the file is taken
// beside it first and put back when the preview closes. A modified page that is not to be saved
// for good has its file backed up too, since publishing saves it.

#include "publish/InternalBrowser.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "editor/ElementNavigation.h"
#include "editor/PrintCommands.h"
#include "platform/FileUtils.h"
#include "platform/SHDocVw.h"
#include "publish/Ferrydock95Main.h"
#include "publish/HTMLISPSelect.h"
#include "publish/MultiPublishing.h"
#include "publish/PublishCommands.h"
#include "publish/TableView.h"
#include "services/JCopy.h"
#include "site/FilePane.h"
#include "site/GlobalFindReplace.h"
#include "site/ReportPane.h"
#include "tags/TagButtons.h"
#include "widgets/QmToolbars.h"

namespace {

const String BackupMark = "~$";
const String CopyMark = "~~";
const String CopyBackFailed = "Can't copy original file back";

// The file beside path whose name is path's name after mark.
String BesidePath(const String& path, const String& mark) {
    return ExtractFilePath(path) + mark + ExtractFileName(path);
}

// The preview's run on the publisher: a preview copy without messages for destination, the
// stored publish folder being the page's folder. Everything is put back however the run ends,
// so the next real Publish is not a preview.
class TPreviewPublishing {
public:
    explicit TPreviewPublishing(const String& folder)
        : FStoredFolder(StoredPublishFolder()), FDestinationKey(Ferrydock95Form->DestinationKey) {
        StorePublishFolder(folder);
        Ferrydock95Form->NoPublishedMessage = true;
        Ferrydock95Form->BrowserPreview = true;
        Ferrydock95Form->DestinationKey = folder;
    }
    TPreviewPublishing(const TPreviewPublishing&) = delete;
    TPreviewPublishing& operator=(const TPreviewPublishing&) = delete;
    ~TPreviewPublishing() {
        Ferrydock95Form->NoPublishedMessage = false;
        Ferrydock95Form->BrowserPreview = false;
        Ferrydock95Form->DestinationKey = FDestinationKey;
        try {
            StorePublishFolder(FStoredFolder);
        } catch (const std::exception&) {
            Application->HandleException(nullptr);
        }
    }

private:
    String FStoredFolder;
    String FDestinationKey;
};

} // namespace

void TInternalBrowser::IntBrowserButtonClick(TObject* /*Sender*/) {
    RunPreviewCommand(String());
}

void TInternalBrowser::RunPreviewCommand(const String& paneFile) {
    if (Form.HandleHelpPointer(HelpContexts::IntBrowserButtonClick))
        return;
    const TShiftState shift = Form.LastShiftState;
    Form.LastShiftState = {};
    if (BrowserLocked)
        return;
    Form.ReportPane->CloseReportView();
    ImagePreviewShown = false;
    const bool fromFileList = !paneFile.empty();
    if (!IntBrowser->Visible() && !fromFileList && !SaveOrBackUpForPreview())
        return;
    if (IntBrowser->Visible() && !fromFileList)
        ClosePreview();
    else
        OpenPreview(fromFileList ? paneFile : Form.FileNames[Form.ActivePageIndex()], fromFileList,
                    shift);
}

bool TInternalBrowser::SaveOrBackUpForPreview() {
    const int page = Form.ActivePageIndex();
    if (!Form.PageInUse(page))
        return false;
    TRichEdit* editor = Form.GetMemo(page);
    if (!editor->Modified())
        return true;
    const String fileName = Form.FileNames[page];
    if (!Form.PermSave && !Form.IsUntitled(fileName)) {
        PreviewSavedModified = editor->Modified();
        const String backup = BesidePath(fileName, BackupMark);
        // Without the backup the page's file could not be put back after publishing saved it.
        if (!CopyFile(fileName, backup, false)) {
            ShowMessage("Can't copy " + fileName + " to " + backup);
            return false;
        }
        PreviewBackupName = backup;
        return true;
    }
    if (Form.IsUntitled(fileName) &&
        MessageBox(Form.Handle(), "File needs to be saved before viewing.\r\nSave it now?",
                   "Quiltmarker", MB_YESNO | MB_ICONQUESTION) == IDNO)
        return false;
    return Form.Documents->SaveDocument(page, false, false) && !editor->Modified();
}

void TInternalBrowser::OpenPreview(const String& path, bool fromFileList, TShiftState shift) {
    IntBrowserButton->SetEnabled(false);
    if (!fromFileList) {
        bool prepared = false;
        try {
            prepared = PrepareShownFile(path, shift);
        } catch (...) {
            IntBrowserButton->SetEnabled(true);
            throw;
        }
        if (!prepared) {
            IntBrowserButton->SetEnabled(true);
            return;
        }
        // Pages shown from the file pane do not lock the browser: they come while it shows.
        BrowserLocked = true;
        BrowserLockTimer->SetEnabled(false);
        BrowserLockTimer->SetEnabled(true);
        for (TMenuItem* item : {Form.PrintCommands->Print1, Form.PrintCommands->PrintPreview1,
                                Form.File1, Form.Edit1, Form.Publish1})
            item->SetEnabled(false);
        Form.PrintCommands->PrintButton->SetEnabled(false);
        SetStatusPanelWidths({500, 0, 0, 0});
    }
    if (BrowserFullSize)
        Form.LeftPanel->SetVisible(false);
    ShowInternalBrowser();
    AddURLToHistory(path);
    IntBrowser->Navigate(path);
    BrowserPanel->SetColor(clBlack);
}

// However opening fails, the page's files are put back at once: no later closing of the preview
// is to do it.
bool TInternalBrowser::PrepareShownFile(const String& path, TShiftState shift) {
    Form.PublishCommands->PreviewFileName = path;
    PreviewSourceName.clear();
    PreviewCopyName.clear();
    if (!Form.PrePublish && !ShowTableBorders && !ShowTableBackgrounds)
        return true;
    const String folder = ExcludeTrailingPathDelimiter(ExtractFilePath(path));
    Form.FilePane->JCopy1->SetFileCommand(cmCopy);
    Form.FilePane->JCopy1->SetFileMaskFrom(path);
    Form.FilePane->JCopy1->SetFileMaskTo(BesidePath(path, CopyMark));
    Form.FilePane->JCopy1->SetFileOverwrite(true);
    Form.FilePane->JCopy1->SetShowProgress(false);
    Form.FilePane->JCopy1->SetConfirmFiles(false);
    Form.FilePane->JCopy1->SetShowErrors(false);
    // A folder of the copy's name would take the copy inside it: the copy must be the file.
    const bool copyFailed =
        Form.FilePane->JCopy1->Execute() || !FileExists(BesidePath(path, CopyMark));
    Form.FilePane->JCopy1->SetConfirmFiles(true);
    Form.FilePane->JCopy1->SetShowErrors(true);
    // Without its copy the page's file could not be put back: it is shown as it is.
    if (copyFailed)
        return true;
    PreviewSourceName = path;
    PreviewCopyName = BesidePath(path, CopyMark);
    try {
        if (Form.PrePublish && !PrePublishInPlace(folder, shift)) {
            RestorePreviewFiles();
            return false;
        }
        if (ShowTableBorders || ShowTableBackgrounds)
            WriteFileAtomic(
                path, TableViewText(ReadFileBytes(path), ShowTableBorders, ShowTableBackgrounds));
    } catch (...) {
        RestorePreviewFiles();
        throw;
    }
    return true;
}

bool TInternalBrowser::PrePublishInPlace(const String& folder, TShiftState shift) {
    TPreviewPublishing publishing(folder);
    if (shift.Contains(ssCtrl)) {
        TDialogGuard<TISPSelectForm> dialog(ISPSelectForm, TButtonLook::Unchanged);
        if (!dialog)
            return false;
        if (dialog->ISPCombo->ItemIndex() < 0 && dialog->ISPCombo->Items().Count() > 0)
            dialog->ISPCombo->SetItemIndex(0);
        if (dialog.ShowModal() != mrOk)
            return false;
        Ferrydock95Form->DestinationKey = dialog->ISPCombo->Text();
    }
    Form.PublishCommands->PublishPreviewCopy = true;
    Form.PublishCommands->PublishButtonClick(&Form);
    return true;
}

void TInternalBrowser::ClosePreview() {
    Form.PublishCommands->PublishPreviewCopy = false;
    SetStatusPanelWidths({300, 150, 25, 50});
    for (TMenuItem* item : {Form.File1, Form.Edit1, Form.Publish1})
        item->SetEnabled(true);
    RestorePreviewFiles();
    IntBrowser->SetVisible(false);
    IntBrowserPanel->SetVisible(false);
    BrowserPanel->SetVisible(false);
    Form.TagButtons->ButtonsPage->SetVisible(true);
    Form.ElementNavigation->SelectTag1->SetEnabled(true);
    IntBrowserButton->SetGlyph(&IntBrowserOpen->Glyph());
    IntBrowserButton->SetHint("Internal Browser");
    InternalBrowser1->SetChecked(false);
    // Save and Print come back with the pages' own commands, as pages are open or not.
    Form.UpdateDocumentCommands();
    for (TQmToolbarButton* button :
         {Form.Documents->FileNewButton, Form.TagButtons->BasicButton,
          Form.Documents->FileOpenButton, Form.PublishCommands->PublishButton,
          Form.GlobalFindReplace->GlobalReplaceButton})
        button->SetEnabled(true);
    for (TMenuItem* item : {Form.MultiPublishing->MultiPublish1,
                            Form.MultiPublishing->MultiPublish2, Form.MultiPublishing->MultiCopy1})
        item->SetEnabled(true);
    Form.LeftPanel->SetVisible(Form.LeftPanelVisible);
    Form.UpdateStatusBar();
}

// Whatever the settings were switched to meanwhile, every copy that was made goes back. A copy
// that cannot go back stays beside the page, so the original is never lost.
void TInternalBrowser::RestorePreviewFiles() {
    if (!PreviewCopyName.empty() && FileExists(PreviewCopyName)) {
        if (CopyFile(PreviewCopyName, PreviewSourceName, false))
            DeleteFile(PreviewCopyName);
        else
            ShowMessage(CopyBackFailed);
    }
    PreviewCopyName.clear();
    PreviewSourceName.clear();
    if (PreviewBackupName.empty() || !FileExists(PreviewBackupName))
        return;
    const String original =
        ExtractFilePath(PreviewBackupName) + ExtractFileName(PreviewBackupName).substr(2);
    if (CopyFile(PreviewBackupName, original, false))
        DeleteFile(PreviewBackupName);
    else
        ShowMessage(CopyBackFailed);
    PreviewBackupName.clear();
    for (int page = 0; page < Form.PageCount; ++page)
        if (Form.PageInUse(page) && Form.FileNames[page] == original)
            Form.GetMemo(page)->SetModified(PreviewSavedModified);
}

void TInternalBrowser::SetStatusPanelWidths(std::initializer_list<int> widths) {
    int panel = Form.FolderPanel;
    for (int width : widths)
        Form.StatusBar1->Panels().Items(panel++)->SetWidth(width);
}
