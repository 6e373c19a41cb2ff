#include "tags/HTMLSelectForm.h"

#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"

TSelectForm* SelectForm = nullptr;

TSelectForm::TSelectForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("SelectForm");
        SetCaption("Quiltmarker - Type: Select");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(300);
        SetClientHeight(250);
        Panel1 = NewControl<TPanel>(this, this, "Panel1", 4, 4, 292, 206);
        NameEdit = AddLabelledBox<TEdit>(this, Panel1, "NameEdit", "NameLabel", "Name", 8, 4, 160);
        SizeEdit = AddLabelledBox<TEdit>(this, Panel1, "SizeEdit", "SizeLabel",
                                         "No. of visible items", 180, 4, 50);
        SizeUpDown = AddUpDown(this, Panel1, "SizeUpDown", SizeEdit, 1, 100);
        SizeUpDown->SetPosition(1);
        auto* valuesLabel = NewControl<TLabel>(this, Panel1, "ValuesLabel", 8, 48, 100, 13);
        valuesLabel->SetCaption("Values");
        ValueMemo = NewControl<TMemo>(this, Panel1, "ValueMemo", 8, 64, 276, 134);
        ValueMemo->SetScrollBars(ssBoth);
        valuesLabel->SetFocusControl(ValueMemo);
        OKButton = AddModalButton(this, this, "OKButton", mrOk, 140, 218);
        OKButton->OnClick = Handler(this, &TSelectForm::OKButtonClick);
        CancelButton = AddModalButton(this, this, "CancelButton", mrCancel, 220, 218);
        CancelButton->OnClick = Handler(this, &TSelectForm::CancelButtonClick);
    });
}

void TSelectForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TSelectForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TSelectForm::Prepare() {
    ValueMemo->Lines().Clear();
    NameEdit->SetText("");
}

String TSelectForm::SelectTag() {
    String select = "<SELECT" + QuotedAttribute("NAME", NameEdit->Text()) + " SIZE=\"" +
                    QuotedValue(SizeEdit->Text()) + "\">\r\n";
    TStrings& lines = ValueMemo->Lines();
    for (int i = 0; i < lines.Count(); ++i)
        select += "<OPTION>" + lines.Get(i) + "\r\n";
    return select + "</SELECT><BR>";
}
