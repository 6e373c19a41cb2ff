// Publishing from the main window: the Publish button and menu, the publish folder, the
// publisher's set-up, the pre-publish preference and the validation copy.

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "editor/HelpPointer.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/Menus.h"
#include "platform/Registry.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "publish/Ferrydock95Main.h"
#include "publish/HTMLPublishTo.h"
#include "services/ProgramSettings.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "tags/HTMLGlobal.h"
#include "widgets/QmToolbars.h"

namespace {

const String PublishHint = "Publish file (Ctrl to change folder)";
const String UploadMark = String(1, PathDelim) + "upload" + PathDelim;

// Puts the page's path and the stored publish folder back however the validation copy ends.
class TValidationSwap {
public:
    TValidationSwap(THTMLEMainForm& form, int page)
        : FForm(form), FPage(page), FPath(form.FileNames[page]), FFolder(form.ReadPublishFolder()),
          FModified(form.GetMemo(page)->Modified()) {}
    TValidationSwap(const TValidationSwap&) = delete;
    TValidationSwap& operator=(const TValidationSwap&) = delete;
    ~TValidationSwap() {
        FForm.FileNames[FPage] = FPath;
        Ferrydock95Form->SourceOverwriteIntended = false;
        // A settings file that cannot be written is reported; the page is put back all the same.
        try {
            StorePublishFolder(FFolder);
        } catch (const std::exception&) {
            Application->HandleException(&FForm);
        }
        // The page's own file was not written: its changes are still to be saved.
        FForm.GetMemo(FPage)->SetModified(FModified);
        FForm.TabSheets[FPage]->SetCaption(ExtractFileName(FPath));
        FForm.UpdateStatusBar();
    }

private:
    THTMLEMainForm& FForm;
    int FPage;
    String FPath;
    String FFolder;
    bool FModified;
};

} // namespace

void THTMLEMainForm::BuildPublishCommands() {
    PublishButton = AddToolbarButton(StdToolbar, "PublishButton",
                                     "Publish current document (Ctrl to change folder)");
    MultipleDocuments1 = AddItem(this, Publish1, "MultipleDocuments1", "&Multiple Documents...");
    ForValidation1 = AddItem(this, Publish1, "ForValidation1", "For &Validation");
    // Both follow Current Document, ahead of the commands on the file list's selection.
    for (TMenuItem* item : {ForValidation1, MultipleDocuments1}) {
        Publish1->Remove(item);
        Publish1->Insert(CurrentDocument1->MenuIndex() + 1, item);
    }
    SetupPublisher = AddItem(this, Setup1, "SetupPublisher", "&Publisher...");
}

void THTMLEMainForm::BindPublishCommands() {
    PublishButton->OnClick = Handler(this, &THTMLEMainForm::PublishButtonClick);
    PublishButton->OnMouseEnter = Handler(this, &THTMLEMainForm::PublishButtonMouseEnter);
    CurrentDocument1->OnClick = Handler(this, &THTMLEMainForm::PublishButtonClick);
    Publish1->OnClick = Handler(this, &THTMLEMainForm::Publish1Click);
    MultipleDocuments1->OnClick = Handler(this, &THTMLEMainForm::MultipleDocuments1Click);
    ForValidation1->OnClick = Handler(this, &THTMLEMainForm::ForValidation1Click);
    SetupPublisher->OnClick = Handler(this, &THTMLEMainForm::SetupPublisherClick);
    Prepublishfiles1->OnClick = Handler(this, &THTMLEMainForm::Prepublishfiles1Click);
}

String THTMLEMainForm::ReadPublishFolder() const {
    return StoredPublishFolder();
}

void THTMLEMainForm::PublishButtonClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::PublishButtonClick))
        return;
    ReportPane->CloseReportView();
    const int page = ActivePageIndex();
    const bool inUse = PageInUse(page);
    if (GlobalForm->IsKeyDown(VK_CONTROL) && !PublishPreviewCopy) {
        ChoosePublishFolder(page, inUse);
        return;
    }
    if (!inUse)
        return;
    TRichEdit* editor = GetMemo(page);
    if (editor->Modified()) {
        if (IsUntitled(FileNames[page]) &&
            MessageBox(Handle(), "File needs to be saved before publishing.\r\nSave it now?",
                       "Quiltmarker", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        // A page still modified after the save was not written: its old file is not published.
        if (!Documents->SaveDocument(page, false, false) || editor->Modified())
            return;
    }
    const String source = PublishPreviewCopy ? PreviewFileName : FileNames[page];
    if (source.empty())
        return;
    TFerrydock95Form* publisher = Ferrydock95Form;
    publisher->PubFileName->SetText(source);
    publisher->PublishTo->SetText(ReadPublishFolder());
    if (publisher->PublishTo->Text().empty()) {
        ChoosePublishFolder(page, inUse);
        publisher->PublishTo->SetText(ReadPublishFolder());
    }
    publisher->CloseAfterRun = true;
    publisher->SourceFileCount = 1;
    if (LowerCase(publisher->PublishTo->Text()).find("upload") == String::npos &&
        !publisher->NoPublishedMessage &&
        MessageBox(Handle(), "THIS IS NOT BEING PUBLISHED TO THE UPLOAD FOLDER\n\rIS THIS CORRECT?",
                   "Quiltmarker", MB_YESNO | MB_ICONERROR) != IDYES)
        return;
    SetCursor(crHourGlass);
    try {
        publisher->PublishFiles();
    } catch (...) {
        SetCursor(crDefault);
        throw;
    }
    SetCursor(crDefault);
}

bool THTMLEMainForm::SaveBeforePublishing(int page) {
    TRichEdit* editor = GetMemo(page);
    if (!editor->Visible() || !editor->Modified())
        return true;
    return Documents->SaveDocument(page, false, false) && !editor->Modified();
}

// The dialog is shown even when the save was refused: only the folder is chosen there.
void THTMLEMainForm::ChoosePublishFolder(int page, bool inUse) {
    TDialogGuard<THTMLPublishToForm> dialog(HTMLPublishToForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    if (inUse)
        SaveBeforePublishing(page);
    dialog->PageInUse = inUse;
    dialog->PagePath = inUse ? FileNames[page] : String();
    dialog.ShowModal();
}

void THTMLEMainForm::PublishButtonMouseEnter(TObject* /*Sender*/) {
    String hint = PublishHint;
    String folder = ReadPublishFolder();
    if (!folder.empty()) {
        const size_t upload = folder.find(UploadMark);
        if (upload != String::npos)
            folder = "..." + String(1, PathDelim) + folder.substr(upload + UploadMark.size());
        hint += "\r\n" + folder;
    }
    PublishButton->SetHint(hint);
}

void THTMLEMainForm::Publish1Click(TObject* /*Sender*/) {
    CurrentDocument1->SetEnabled(AnyDocumentOpen());
    const bool selected = FilePane->FileListBox1->SelCount() > 0;
    MultiCopy1->SetEnabled(selected);
    MultiPublish1->SetEnabled(selected);
}

// A cancelled choice publishes nothing: the files of an earlier choice are not published again.
void THTMLEMainForm::MultipleDocuments1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::MultipleDocuments1Click))
        return;
    TFerrydock95Form* publisher = Ferrydock95Form;
    ApplyButtonStyle(publisher);
    publisher->NoPublishedMessage = false;
    if (!publisher->ChooseMultipleFiles())
        return;
    publisher->OKButtonClick(publisher->OKButton);
}

void THTMLEMainForm::SetupPublisherClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::SetupPublisherClick))
        return;
    TFerrydock95Form* publisher = Ferrydock95Form;
    ApplyButtonStyle(publisher);
    publisher->CloseAfterRun = false;
    publisher->NoPublishedMessage = false;
    publisher->ShowModal();
}

void THTMLEMainForm::Prepublishfiles1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Prepublishfiles1Click))
        return;
    PrePublish = !PrePublish;
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    reg.WriteBool("PrePublish", PrePublish);
    Prepublishfiles1->SetChecked(PrePublish);
}

void THTMLEMainForm::ForValidation1Click(TObject* /*Sender*/) {
    const int page = ActivePageIndex();
    if (!PageInUse(page))
        return;
    // An untitled page has no folder for its copy to go into.
    if (IsUntitled(FileNames[page])) {
        ShowMessage("You must save the file before publishing it for validation.");
        return;
    }
    PublishValidationCopy(page);
}

void THTMLEMainForm::PublishValidationCopy(int page) {
    const String folder = ExtractFilePath(FileNames[page]);
    TValidationSwap swap(*this, page);
    FileNames[page] = IncludeTrailingPathDelimiter(folder) + "zvalid~.html";
    GetMemo(page)->SetModified(true);
    StorePublishFolder(folder);
    // The copy is meant to replace the file it was published from.
    Ferrydock95Form->SourceOverwriteIntended = true;
    PublishButtonClick(ForValidation1);
}
