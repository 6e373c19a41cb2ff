// Publishing from the main window: the Publish button and menu, the publish folder, the
// publisher's set-up, the pre-publish preference and the validation copy.

#include "publish/PublishCommands.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "editor/HelpPointer.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/Menus.h"
#include "platform/Registry.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "publish/Ferrydock95Main.h"
#include "publish/HTMLPublishTo.h"
#include "publish/MultiPublishing.h"
#include "services/ProgramSettings.h"
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
        : FForm(form), FPage(page), FPath(form.FileNames[page]), FFolder(StoredPublishFolder()),
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

// The Publish menu, which the shell keeps in Tools, opens with the commands on the active page;
// the multi-publishing commands follow them. The publisher's item opens Set up.
void TPublishCommands::Build() {
    PublishButton = Form.AddToolbarButton(Form.StdToolbar, "PublishButton",
                                          "Publish current document (Ctrl to change folder)");
    CurrentDocument1 = AddItem(&Form, Form.Publish1, "CurrentDocument1", "&Current Document");
    MultipleDocuments1 =
        AddItem(&Form, Form.Publish1, "MultipleDocuments1", "&Multiple Documents...");
    ForValidation1 = AddItem(&Form, Form.Publish1, "ForValidation1", "For &Validation");
    SetupPublisher = InsertItem(&Form, Form.Setup1, 0, "SetupPublisher", "&Publisher...");
}

// The pre-publish preference is the shell's item, since its setting is read with the general
// preferences.
void TPublishCommands::Bind() {
    PublishButton->OnClick = Handler(this, &TPublishCommands::PublishButtonClick);
    PublishButton->OnMouseEnter = Handler(this, &TPublishCommands::PublishButtonMouseEnter);
    CurrentDocument1->OnClick = Handler(this, &TPublishCommands::PublishButtonClick);
    Form.Publish1->OnClick = Handler(this, &TPublishCommands::Publish1Click);
    MultipleDocuments1->OnClick = Handler(this, &TPublishCommands::MultipleDocuments1Click);
    ForValidation1->OnClick = Handler(this, &TPublishCommands::ForValidation1Click);
    SetupPublisher->OnClick = Handler(this, &TPublishCommands::SetupPublisherClick);
    Form.Prepublishfiles1->OnClick = Handler(this, &TPublishCommands::Prepublishfiles1Click);
}

void TPublishCommands::UpdateCommands() {
    CurrentDocument1->SetEnabled(Form.DocumentCommandsEnabled());
}

String TPublishCommands::ReadPublishFolder() const {
    return StoredPublishFolder();
}

void TPublishCommands::PublishButtonClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::PublishButtonClick))
        return;
    Form.ReportPane->CloseReportView();
    const int page = Form.ActivePageIndex();
    const bool inUse = Form.PageInUse(page);
    if (GlobalForm->IsKeyDown(VK_CONTROL) && !PublishPreviewCopy) {
        ChoosePublishFolder(page, inUse);
        return;
    }
    if (!inUse)
        return;
    TRichEdit* editor = Form.GetMemo(page);
    if (editor->Modified()) {
        if (Form.IsUntitled(Form.FileNames[page]) &&
            MessageBox(Form.Handle(), "File needs to be saved before publishing.\r\nSave it now?",
                       "Quiltmarker", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        // A page still modified after the save was not written: its old file is not published.
        if (!Form.Documents->SaveDocument(page, false, false) || editor->Modified())
            return;
    }
    const String source = PublishPreviewCopy ? PreviewFileName : Form.FileNames[page];
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
        MessageBox(Form.Handle(),
                   "THIS IS NOT BEING PUBLISHED TO THE UPLOAD FOLDER\n\rIS THIS CORRECT?",
                   "Quiltmarker", MB_YESNO | MB_ICONERROR) != IDYES)
        return;
    Form.SetCursor(crHourGlass);
    try {
        publisher->PublishFiles();
    } catch (...) {
        Form.SetCursor(crDefault);
        throw;
    }
    Form.SetCursor(crDefault);
}

bool TPublishCommands::SaveBeforePublishing(int page) {
    TRichEdit* editor = Form.GetMemo(page);
    if (!editor->Visible() || !editor->Modified())
        return true;
    return Form.Documents->SaveDocument(page, false, false) && !editor->Modified();
}

// The dialog is shown even when the save was refused: only the folder is chosen there.
void TPublishCommands::ChoosePublishFolder(int page, bool inUse) {
    TDialogGuard<THTMLPublishToForm> dialog(HTMLPublishToForm, TButtonLook::FromSetting);
    if (!dialog)
        return;
    if (inUse)
        SaveBeforePublishing(page);
    dialog->PageInUse = inUse;
    dialog->PagePath = inUse ? Form.FileNames[page] : String();
    dialog.ShowModal();
}

void TPublishCommands::PublishButtonMouseEnter(TObject* /*Sender*/) {
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

void TPublishCommands::Publish1Click(TObject* /*Sender*/) {
    CurrentDocument1->SetEnabled(Form.AnyDocumentOpen());
    Form.MultiPublishing->PublishMenuOpening();
}

// A cancelled choice publishes nothing: the files of an earlier choice are not published again.
void TPublishCommands::MultipleDocuments1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::MultipleDocuments1Click))
        return;
    TFerrydock95Form* publisher = Ferrydock95Form;
    Form.ApplyButtonStyle(publisher);
    publisher->NoPublishedMessage = false;
    if (!publisher->ChooseMultipleFiles())
        return;
    publisher->OKButtonClick(publisher->OKButton);
}

void TPublishCommands::SetupPublisherClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::SetupPublisherClick))
        return;
    TFerrydock95Form* publisher = Ferrydock95Form;
    Form.ApplyButtonStyle(publisher);
    publisher->CloseAfterRun = false;
    publisher->NoPublishedMessage = false;
    publisher->ShowModal();
}

void TPublishCommands::Prepublishfiles1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Prepublishfiles1Click))
        return;
    Form.PrePublish = !Form.PrePublish;
    TRegistry reg;
    reg.OpenKey(ProductKey, true);
    reg.WriteBool("PrePublish", Form.PrePublish);
    Form.Prepublishfiles1->SetChecked(Form.PrePublish);
}

void TPublishCommands::ForValidation1Click(TObject* /*Sender*/) {
    const int page = Form.ActivePageIndex();
    if (!Form.PageInUse(page))
        return;
    // An untitled page has no folder for its copy to go into.
    if (Form.IsUntitled(Form.FileNames[page])) {
        ShowMessage("You must save the file before publishing it for validation.");
        return;
    }
    PublishValidationCopy(page);
}

void TPublishCommands::PublishValidationCopy(int page) {
    const String folder = ExtractFilePath(Form.FileNames[page]);
    TValidationSwap swap(Form, page);
    Form.FileNames[page] = IncludeTrailingPathDelimiter(folder) + "zvalid~.html";
    Form.GetMemo(page)->SetModified(true);
    StorePublishFolder(folder);
    // The copy is meant to replace the file it was published from.
    Ferrydock95Form->SourceOverwriteIntended = true;
    PublishButtonClick(ForValidation1);
}
