#include "editor/DialogGuard.h"

#include "editor/CorvaletForm.h"
#include "services/ProgramSettings.h"
#include "widgets/QmToolbars.h"

#include <algorithm>
#include <exception>

namespace {

// A missing value, or one of another type, leaves raised buttons.
bool FlatButtonsChosen() {
    TRegistry reg;
    bool flat = false;
    return reg.OpenKey(ProductKey, true) && ReadSetting(reg, "Office97Style", flat) && flat;
}

} // namespace

TForm* FolderBrowserOwner = nullptr;

void KeepFormOnScreen(TForm* form) {
    if (Screen->Width() < form->Left() + form->Width())
        form->SetLeft(Screen->Width() - form->Width() - 8);
}

TForm* CreateDialogForm(const std::function<TForm*()>& make) {
    TScreenCursorScope hourglass(crHourGlass);
    TForm* dialog = nullptr;
    try {
        dialog = make();
        THTMLEMainForm::CentreOnWorkArea(dialog);
    } catch (const std::exception&) {
        delete dialog;
        dialog = nullptr;
        THTMLEMainForm::ReportFormCreationFailure();
    }
    return dialog;
}

void ApplyButtonLook(TForm* dialog, TButtonLook look) {
    if (look == TButtonLook::FromSetting)
        THTMLEMainForm::ApplyButtonStyle(dialog);
}

void THTMLEMainForm::ReportFormCreationFailure() {
    ShowMessage("Not enough memory to show this form.\r\nClose some windows and try again");
}

void THTMLEMainForm::CentreOnWorkArea(TForm* form) {
    const TRect area = Screen->WorkAreaRect();
    int left = area.Left + (area.Width() - form->Width()) / 2;
    int top = area.Top + (area.Height() - form->Height()) / 2;
    form->SetBounds(std::max(left, area.Left), std::max(top, area.Top), form->Width(),
                    form->Height());
}

// Only buttons the form owns itself: those of a frame or other container of its own keep
// their look.
void THTMLEMainForm::ApplyButtonStyle(TForm* form) {
    const bool flat = FlatButtonsChosen();
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (SameText(component->ClassName(), "TQmToolbarButton"))
            static_cast<TQmToolbarButton*>(component)->SetFlat(flat);
    }
}
