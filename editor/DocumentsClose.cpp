// Closing documents: Close, Close All and Exit. A page whose question is cancelled, or whose save
// fails, stays open; Close All goes on with the others.

#include "editor/CorvaletForm.h"

#include "platform/FileUtils.h"

void THTMLEMainForm::Close1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Close1Click))
        return;
    CloseActivePage();
}

void THTMLEMainForm::CloseAll1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::CloseAll1Click))
        return;
    CloseAllDocuments();
}

// The pages answered No lose their modified flags only once Exit goes ahead: after a Cancel they
// are still marked, and a later close asks about them again.
void THTMLEMainForm::Exit1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Exit1Click))
        return;
    PrinterForm->Hide();
    TempMemo->Hide();
    std::vector<int> notSaved;
    for (int page = 0; page < PageCount; ++page) {
        if (!PageInUse(page) || !GetMemo(page)->Modified() || TabSheets[page]->Caption().empty())
            continue;
        int answer = AskToSaveChanges(page);
        if (answer == IDCANCEL || (answer == IDYES && !SaveDocument(page, false, false)))
            return;
        if (answer != IDYES)
            notSaved.push_back(page);
    }
    for (int page : notSaved)
        GetMemo(page)->SetModified(false);
    for (int page = 0; page < PageCount; ++page)
        DeleteAutosaveCopy(page);
    Close();
}

void THTMLEMainForm::CloseAllDocuments() {
    LeaveViewsOverPages();
    for (int page = 0; page < PageCount; ++page) {
        if (!PageInUse(page))
            continue;
        PageControl1->SetActivePage(TabSheets[page]);
        CloseActivePage();
    }
    UpdateStatusBar();
    UpdateDocumentCommands();
}

int THTMLEMainForm::AskToSaveChanges(int page) {
    return MessageBox(Handle(), TabSheets[page]->Caption() + " has changed. Save it?",
                      "Quiltmarker", MB_YESNOCANCEL | MB_ICONQUESTION);
}

void THTMLEMainForm::CloseActivePage() {
    PrinterForm->Hide();
    TempMemo->Hide();
    if (ShowsViewOverPages()) {
        LeaveViewsOverPages();
        return;
    }
    if (!PageInUse(-1))
        return;
    int page = ActivePageIndex();
    TRichEdit* editor = GetMemo(page);
    TTabSheet* sheet = TabSheets[page];
    if (editor->Modified() && !sheet->Caption().empty() && editor->Visible()) {
        int answer = AskToSaveChanges(page);
        if (answer == IDCANCEL || (answer == IDYES && !SaveDocument(page, false, false))) {
            CloseCancelled = true;
            return;
        }
    }
    editor->Clear();
    editor->SetModified(false);
    DeleteAutosaveCopy(page);
    sheet->SetTabVisible(false);
    sheet->SetCaption("");
    ActivateAfterClose(page);
    PageControl1Change(PageControl1);
    UpdateStatusBar();
    UpdateDocumentCommands();
}

void THTMLEMainForm::ActivateAfterClose(int closed) {
    int next = -1;
    for (int page = closed - 1; page >= 0 && next < 0; --page)
        if (PageInUse(page))
            next = page;
    for (int page = closed + 1; page < PageCount && next < 0; ++page)
        if (PageInUse(page))
            next = page;
    if (next >= 0 && GetMemo(next)->Visible()) {
        PageControl1->SetActivePage(TabSheets[next]);
        return;
    }
    for (int page = 0; page < PageCount; ++page) {
        if (PageInUse(page)) {
            PageControl1->SetActivePage(TabSheets[page]);
            return;
        }
    }
}
