// Opening, saving and closing documents: the File menu's document commands, the recent files,
// and the pages a document is opened on and closed from.

#include "editor/CorvaletForm.h"

#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "services/MRULiss.h"
#include "services/ProgramSettings.h"
#include "widgets/QmToolbars.h"

// The saving commands head the File menu and the closing ones end it, around the printing ones.
void THTMLEMainForm::BuildDocuments() {
    Save1 = InsertItem(this, File1, 0, "Save1", "&Save");
    SaveAs1 = InsertItem(this, File1, 1, "SaveAs1", "Save &As...");
    SaveAsTemplate = InsertItem(this, File1, 2, "SaveAsTemplate", "Save As &Template...");
    SaveAsFrameworkDocument1 =
        InsertItem(this, File1, 3, "SaveAsFrameworkDocument1", "Save As &Framework Document");
    Close1 = AddItem(this, File1, "Close1", "&Close");
    CloseAll1 = AddItem(this, File1, "CloseAll1", "Close A&ll");

    MRU = NewComponent<TMRUFileList>(this, "MRU");
    MRU->SetMaximum(12);
    MRU->SetFileMenu(File1);
    MRU->SetAutoSaveName(ProductSubKey("LatestFiles"));
    MRU->SetAutoSaveKey("MRU Items");
}

void THTMLEMainForm::BindDocuments() {
    Close1->OnClick = Handler(this, &THTMLEMainForm::Close1Click);
    CloseAll1->OnClick = Handler(this, &THTMLEMainForm::CloseAll1Click);
    CloseButton->OnClick = Handler(this, &THTMLEMainForm::Close1Click);
    CloseAllButton->OnClick = Handler(this, &THTMLEMainForm::CloseAll1Click);
    MRU->OnMRUItemClick = Handler(this, &THTMLEMainForm::MRUMRUItemClick);
}

// ---- Opening ----

void THTMLEMainForm::MRUMRUItemClick(TObject*, const String& FileName) {
    OpenDocument(FileName, false, true, false);
}

bool THTMLEMainForm::IsTextFile(const String& fileName) const {
    String extension = LowerCase(ExtractFileExt(fileName));
    return !extension.empty() && Pos(extension, TextFileExtensions) > 0;
}

int THTMLEMainForm::FirstFreePage() const {
    for (int page = 0; page < PageCount; ++page)
        if (!PageInUse(page))
            return page;
    return -1;
}

// The page keeps the path as it is on disk, so that saving writes back to the same file; only the
// tab shows it in lower case.
int THTMLEMainForm::OpenDocument(const String& fileName, bool /*chooseTemplate*/, bool keepName,
                                 bool anyExtension) {
    int target = FirstFreePage();
    if (target < 0) {
        MessageBox(Handle(),
                   "Sorry, can't open more than " + IntToStr(PageCount) + " files at a time.",
                   "Quiltmarker", MB_OK | MB_ICONERROR);
        AbortRequested = true;
        return -1;
    }
    if (fileName.empty())
        return -1;
    for (int page = 0; keepName && page < PageCount; ++page) {
        if (!PageInUse(page) || FileNames[page] != fileName)
            continue;
        PageControl1->SetActivePage(TabSheets[page]);
        bool revert = GetMemo(page)->Modified() &&
                      MessageBox(Handle(), "Revert to saved version?", "Quiltmarker",
                                 MB_YESNO | MB_ICONQUESTION) == IDYES;
        if (!revert) {
            PageControl1Change(PageControl1);
            return -1;
        }
        target = page;
        break;
    }
    // An autosave copy loads as text under the page name it was written for.
    String displayName = ExtractFileName(fileName);
    bool autosaveCopy = LowerCase(ExtractFileExt(fileName)) == ".htmtmp";
    if (autosaveCopy)
        displayName = Copy(displayName, 1, Pos(".", displayName) - 1) + ".html";
    if (!IsTextFile(fileName) && !anyExtension && !autosaveCopy)
        return -1;
    TRichEdit* editor = GetMemo(target);
    editor->SetWordWrap(true);
    editor->Clear();
    ApplyEditorSettings(editor);
    try {
        editor->Lines().LoadFromFile(fileName);
    } catch (const Exception& error) {
        Application->ShowException(error);
        return -1;
    }
    TabSheets[target]->SetTabVisible(true);
    PageControl1->SetActivePage(TabSheets[target]);
    editor->SetModified(false);
    bool wordWrap = On2->Checked();
    editor->SetWordWrap(wordWrap);
    editor->SetScrollBars(wordWrap ? ssVertical : ssBoth);
    StatusBar1->Panels().Items(ModifiedPanel)->SetText("");
    PageControl1->SetVisible(true);
    if (keepName) {
        TabSheets[target]->SetCaption(LowerCase(displayName));
        FileNames[target] = autosaveCopy ? ExtractFilePath(fileName) + displayName : fileName;
    } else {
        TabSheets[target]->SetCaption("[untitled" + IntToStr(++UntitledCounter) + "]");
        FileNames[target] = "[untitled]";
    }
    UpdateDocumentCommands();
    UpdateStatusBar();
    return target;
}

// ---- Closing and saving ----

void THTMLEMainForm::CloseReportView() {
    if (!ReportForm->Visible())
        return;
    ReportForm->Hide();
    ReportPanel->Hide();
    PageControl1->SetVisible(PagesVisibleBeforeReport);
    ImagePanel->Show();
    UpdateDocumentCommands();
}

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

void THTMLEMainForm::CloseAllDocuments() {
    CloseReportView();
    for (int page = 0; page < PageCount; ++page) {
        if (!PageInUse(page))
            continue;
        PageControl1->SetActivePage(TabSheets[page]);
        CloseActivePage();
    }
    UpdateStatusBar();
    UpdateDocumentCommands();
}

void THTMLEMainForm::CloseActivePage() {
    PrinterForm->Hide();
    TempMemo->Hide();
    if (ReportForm->Visible()) {
        CloseReportView();
        return;
    }
    if (!PageInUse(-1))
        return;
    int page = ActivePageIndex();
    TRichEdit* editor = GetMemo(page);
    TTabSheet* sheet = TabSheets[page];
    if (editor->Modified() && !sheet->Caption().empty() && editor->Visible()) {
        int answer = MessageBox(Handle(), sheet->Caption() + " has changed. Save it?",
                                "Quiltmarker", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !SaveDocument(page, false, false))) {
            CloseCancelled = true;
            return;
        }
    }
    editor->Clear();
    editor->SetModified(false);
    if (!AutosaveNames[page].empty() && FileExists(AutosaveNames[page]))
        DeleteFile(AutosaveNames[page]);
    AutosaveNames[page].clear();
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

// Writes a titled page back to its own file. A page that needs a name chosen first (an untitled
// page, Save As, a template) is not written, and the caller keeps it open.
bool THTMLEMainForm::SaveDocument(int page, bool saveAs, bool asTemplate) {
    if (!PageInUse(page))
        return true;
    const String& fileName = FileNames[page];
    if (saveAs || asTemplate || fileName.empty() || IsUntitled(fileName))
        return false;
    TRichEdit* editor = GetMemo(page);
    try {
        editor->Lines().SaveToFile(fileName);
    } catch (const EStreamError&) {
        Application->HandleException(this);
        return false;
    }
    editor->SetModified(false);
    return true;
}
