// The Properties command: the report on the file list's current file.

#include "site/FilePane.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "platform/FileListBox.h"
#include "site/HTMLDetailsForm.h"

void TFilePane::Details1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Details1Click))
        return;
    String file = FileListBox1->FileName();
    if (file.empty()) {
        MessageBox(nullptr, "Please select a file first", "Quiltmarker", MB_OK | MB_ICONERROR);
        return;
    }
    TDialogGuard<TDetailsForm> dialog(DetailsForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog->FileName = file;
    dialog.ShowModal();
}
