// The report pane in place of the document pages, and its closing.

#include "editor/CorvaletForm.h"

void THTMLEMainForm::CloseReportView() {
    if (!ReportForm->Visible())
        return;
    PageControl1->SetVisible(PagesVisibleBeforeReport);
    ImagePanel->Show();
    UpdateDocumentCommands();
    ReportForm->Hide();
    ReportPanel->Hide();
}
