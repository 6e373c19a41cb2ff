// The main window's layout on resizing, its closing, and the closing of its
// pages.

#include "editor/CorvaletForm.h"

#include "editor/ProgramSettings.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"

#include <algorithm>

namespace {

// The logo panel's place: centred in the area beside the file pane and below
// the top panel, never closer than 6 pixels to either.
int CentredStart(int areaStart, int areaSize, int panelSize) {
    int start = areaStart + areaSize / 2 - panelSize / 2;
    return std::max(std::max(start, 0), areaStart + 6);
}

} // namespace

void THTMLEMainForm::FormResize(TObject* /*Sender*/) {
    bool locked = LockWindowUpdate(Handle());
    int paneWidth = LeftPanelVisible ? LeftPanel->Width() : 0;
    int topHeight = TopPanel->Height();
    ImagePanel->SetLeft(CentredStart(paneWidth, ClientWidth() - paneWidth, ImagePanel->Width()));
    ImagePanel->SetTop(CentredStart(topHeight, ClientHeight() - topHeight, ImagePanel->Height()));
    ReportCloseButton->SetLeft(ReportTopPanel->Left() + 13);
    SaveButton->SetLeft(ReportCloseButton->Left() + ReportCloseButton->Width());
    PrintReportButton->SetLeft(SaveButton->Left() + SaveButton->Width());
    if (locked)
        LockWindowUpdate(nullptr);
}

void THTMLEMainForm::FormCloseQuery(TObject* /*Sender*/, bool& CanClose) {
    CloseCancelled = false;
    CloseAllDocuments();
    CanClose = !CloseCancelled;
}

void THTMLEMainForm::FormClose(TObject* /*Sender*/, TCloseAction& Action) {
    if (CloseCancelled) {
        Action = caNone;
        return;
    }
    WinHelp(Handle(), HelpFileName, HELP_QUIT, 0);
    Action = caFree;
    TRegistry reg;
    if (!reg.OpenKey(BrowserMainKey, true))
        return;
    if (reg.ValueExists("Display Inline Images"))
        reg.WriteString("Display Inline Images", SavedInlineImages);
    if (reg.ValueExists("GlobalUserOffline"))
        reg.WriteBool("GlobalUserOffline", SavedGlobalUserOffline);
}

// ---- Closing pages ----

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

// Writes a titled page back to its own file. Choosing a name (untitled pages,
// Save As, templates) needs the save dialog, which comes with the document
// commands; until then such a page is not written, and the caller keeps it
// open.
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
