// Closing documents: Close, Close All, and the questions of the window's closing and of Exit. A
// page whose question is cancelled, or whose save fails, stays open; Close All goes on with the
// others.

#include "editor/Documents.h"

#include "editor/CorvaletForm.h"

#include "platform/FileUtils.h"

void TDocuments::Close1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Close1Click))
        return;
    CloseActivePage();
}

void TDocuments::CloseAll1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::CloseAll1Click))
        return;
    CloseAllDocuments();
}

bool TDocuments::CanClose() {
    Form.CloseCancelled = false;
    CloseAllDocuments();
    return !Form.CloseCancelled;
}

// The pages answered No lose their modified flags only once Exit goes ahead: after a Cancel they
// are still marked, and a later close asks about them again.
bool TDocuments::PrepareExit() {
    std::vector<int> notSaved;
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page) {
        if (!Form.PageInUse(page) || !Form.GetMemo(page)->Modified() ||
            Form.TabSheets[page]->Caption().empty())
            continue;
        int answer = AskToSaveChanges(page);
        if (answer == IDCANCEL || (answer == IDYES && !SaveDocument(page, false, false)))
            return false;
        if (answer != IDYES)
            notSaved.push_back(page);
    }
    for (int page : notSaved)
        Form.GetMemo(page)->SetModified(false);
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page)
        DeleteAutosaveCopy(page);
    return true;
}

void TDocuments::CloseAllDocuments() {
    Form.LeaveViewsOverPages();
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page) {
        if (!Form.PageInUse(page))
            continue;
        Form.PageControl1->SetActivePage(Form.TabSheets[page]);
        CloseActivePage();
    }
    Form.UpdateStatusBar();
    Form.UpdateDocumentCommands();
}

int TDocuments::AskToSaveChanges(int page) {
    return MessageBox(Form.Handle(), Form.TabSheets[page]->Caption() + " has changed. Save it?",
                      "Quiltmarker", MB_YESNOCANCEL | MB_ICONQUESTION);
}

void TDocuments::CloseActivePage() {
    Form.PrinterForm->Hide();
    Form.TempMemo->Hide();
    if (Form.ShowsViewOverPages()) {
        Form.LeaveViewsOverPages();
        return;
    }
    if (!Form.PageInUse(-1))
        return;
    int page = Form.ActivePageIndex();
    TRichEdit* editor = Form.GetMemo(page);
    TTabSheet* sheet = Form.TabSheets[page];
    if (editor->Modified() && !sheet->Caption().empty() && editor->Visible()) {
        int answer = AskToSaveChanges(page);
        if (answer == IDCANCEL || (answer == IDYES && !SaveDocument(page, false, false))) {
            Form.CloseCancelled = true;
            return;
        }
    }
    editor->Clear();
    editor->SetModified(false);
    DeleteAutosaveCopy(page);
    sheet->SetTabVisible(false);
    sheet->SetCaption("");
    ActivateAfterClose(page);
    Form.PageControl1Change(Form.PageControl1);
    Form.UpdateStatusBar();
    Form.UpdateDocumentCommands();
}

void TDocuments::ActivateAfterClose(int closed) {
    int next = -1;
    for (int page = closed - 1; page >= 0 && next < 0; --page)
        if (Form.PageInUse(page))
            next = page;
    for (int page = closed + 1; page < THTMLEMainForm::PageCount && next < 0; ++page)
        if (Form.PageInUse(page))
            next = page;
    if (next >= 0 && Form.GetMemo(next)->Visible()) {
        Form.PageControl1->SetActivePage(Form.TabSheets[next]);
        return;
    }
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page) {
        if (Form.PageInUse(page)) {
            Form.PageControl1->SetActivePage(Form.TabSheets[page]);
            return;
        }
    }
}
