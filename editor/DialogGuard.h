#pragma once
// How a command makes, shows and lets go of its dialog, and where a dialog is shown: kept on the
// screen, its folder browser owned by the start-up window made for that. A dialog is made, without
// an owner, when its global pointer is empty, and released at the end of the command with its
// pointer cleared at once, so the next use makes a fresh one and nothing reaches a dialog that is
// being freed.
//
//     TDialogGuard<TLinkForm> dialog(LinkForm, TButtonLook::Unchanged);
//     if (!dialog)
//         return;                      // it could not be made; the user has been told
//     ... fill dialog->...
//     if (dialog.ShowModal() != mrOk)
//         return;
//     ... read dialog->... back and act

#include "platform/Forms.h"

#include <functional>

// The hidden start-up window that owns every folder browser of the program: its form sets it as
// it is made and clears it as it goes; nullptr before, and the browser then has no owner.
extern TForm* FolderBrowserOwner;

// Moves a form left when its right edge passes the screen's width.
void KeepFormOnScreen(TForm* form);

// Makes a dialog under the hourglass and centres it on the desktop work area. A dialog that
// cannot be made is reported and gives nullptr. The cursor found before comes back either way,
// so a command never ends help-pointer mode by accident.
TForm* CreateDialogForm(const std::function<TForm*()>& make);

template <typename TDialog> TDialog* NewDialog() {
    return new TDialog(nullptr);
}

// Makes the dialog when its pointer is empty; false when it could not be made.
template <typename TDialog>
bool EnsureDialog(TDialog*& dialog, const std::function<TDialog*()>& make = NewDialog<TDialog>) {
    if (!dialog)
        dialog = static_cast<TDialog*>(CreateDialogForm([&make]() -> TForm* { return make(); }));
    return dialog != nullptr;
}

// Whether a dialog's toolbar buttons take the flat-button preference each time it is used.
enum class TButtonLook { Unchanged, FromSetting };

// Gives the dialog's toolbar buttons the flat-button preference when the look asks for it.
void ApplyButtonLook(TForm* dialog, TButtonLook look);

// One use of a dialog, from its making (or the dialog its pointer holds already) to its release.
template <typename TDialog> class TDialogGuard {
public:
    TDialogGuard(TDialog*& dialog, TButtonLook look,
                 const std::function<TDialog*()>& make = NewDialog<TDialog>)
        : FDialog(dialog) {
        if (EnsureDialog(FDialog, make))
            ApplyButtonLook(FDialog, look);
    }
    TDialogGuard(const TDialogGuard&) = delete;
    TDialogGuard& operator=(const TDialogGuard&) = delete;
    ~TDialogGuard() {
        if (FDialog && !FKept) {
            FDialog->Release();
            FDialog = nullptr;
        }
    }

    // False when the dialog could not be made: the command ends.
    explicit operator bool() const { return FDialog != nullptr; }
    TDialog* operator->() const { return FDialog; }
    TDialog& operator*() const { return *FDialog; }
    TModalResult ShowModal() { return FDialog->ShowModal(); }
    // For the few dialogs that stay after their use: the pointer keeps the dialog.
    void Keep() { FKept = true; }

private:
    TDialog*& FDialog;
    bool FKept = false;
};
