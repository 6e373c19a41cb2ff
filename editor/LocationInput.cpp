// The main window's side of the one-line input dialog.

#include "editor/CorvaletForm.h"

#include "editor/DialogGuard.h"
#include "editor/HTMLLocationForm.h"
#include "platform/StdCtrls.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"

bool THTMLEMainForm::SetupLocationForm(const String& editText, const String& upperLabel,
                                       const String& label, bool showFileBrowse,
                                       bool showFolderBrowse) {
    if (!EnsureDialog(LocationForm))
        return false;
    LocationForm->StartFolder = WorkingFolder();
    LocationForm->LocEdit->SetText(editText);
    LocationForm->LocLabelTop->SetCaption(upperLabel);
    LocationForm->LocLabel->SetCaption(label);
    LocationForm->BrowseButton->SetVisible(showFileBrowse);
    LocationForm->DirBrowseButton->SetVisible(showFolderBrowse);
    return true;
}

void THTMLEMainForm::SizeNumberInputDialog() {
    if (!LocationForm)
        return;
    LocationForm->SetWidth(124);
    LocationForm->LocEdit->SetWidth(87);
    LocationForm->OKButton->SetBounds(12, LocationForm->OKButton->Top(), 43,
                                      LocationForm->OKButton->Height());
    LocationForm->CancelButton->SetBounds(58, LocationForm->CancelButton->Top(), 43,
                                          LocationForm->CancelButton->Height());
}
