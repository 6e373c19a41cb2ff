#include "generators/IMURLForm.h"

#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

TIMURLForm* IMURLForm = nullptr;

namespace {

TEdit* AddEdit(TIMURLForm* form, const String& name, const String& caption, int top) {
    auto* label = NewControl<TLabel>(form, form, name + "Label", 8, top + 4, 60, 13);
    label->SetCaption(caption);
    return NewControl<TEdit>(form, form, name, 72, top, 280, 21);
}

} // namespace

TIMURLForm::TIMURLForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("IMURLForm");
        SetCaption("Image Map");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(360);
        SetClientHeight(150);
        auto* coordsLabel = NewControl<TLabel>(this, this, "CoordsLabel", 8, 12, 60, 13);
        coordsLabel->SetCaption("Coords");
        CoordsPanel = NewControl<TPanel>(this, this, "CoordsPanel", 72, 8, 280, 21);
        CoordsPanel->SetBevelOuter(bvLowered);
        URLEdit = AddEdit(this, "URLEdit", "URL", 34);
        TargetEdit = AddEdit(this, "TargetEdit", "Target", 60);
        AltEdit = AddEdit(this, "AltEdit", "Alt. Text", 86);
        OKButton = NewControl<TButton>(this, this, "OKButton", 196, 118, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->OnClick = Handler(this, &TIMURLForm::OKButtonClick);
        CancelButton = NewControl<TButton>(this, this, "CancelButton", 278, 118, 75, 25);
        CancelButton->SetCaption("Cancel");
        CancelButton->SetCancel(true);
        CancelButton->OnClick = Handler(this, &TIMURLForm::CancelButtonClick);
    });
}

void TIMURLForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TIMURLForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}
