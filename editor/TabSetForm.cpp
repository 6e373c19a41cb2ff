#include "editor/TabSetForm.h"

#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

TTabSetForm* TabSetForm = nullptr;

TTabSetForm::TTabSetForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("TabSetForm");
        SetCaption("Quiltmarker - Tab Setting");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(190);
        SetClientHeight(80);
        Font().SetName("MS Sans Serif");
        BuildControls();
    });
}

void TTabSetForm::BuildControls() {
    Label1 = NewControl<TLabel>(this, this, "Label1", 12, 16, 60, 13);
    Label1->SetCaption("Tab width");
    TabWidthEdit = NewControl<TEdit>(this, this, "TabWidthEdit", 80, 12, 41, 21);
    TabWidthUpDown = NewControl<TUpDown>(this, this, "TabWidthUpDown", 121, 12, 15, 21);
    TabWidthUpDown->SetMin(4);
    TabWidthUpDown->SetMax(100);
    TabWidthUpDown->SetIncrement(4);
    TabWidthUpDown->SetAssociate(TabWidthEdit);
    TabWidthUpDown->SetPosition(12);
    OKButton = NewControl<TButton>(this, this, "OKButton", 12, 46, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 100, 46, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}
