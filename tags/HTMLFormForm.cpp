#include "tags/HTMLFormForm.h"

#include "editor/DialogGuard.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"

TFormForm* FormForm = nullptr;

namespace {

TComboBox* AddCombo(TForm* form, TWinControl* parent, const String& name, const String& label,
                    int top, std::initializer_list<const char*> items) {
    auto* combo = AddLabelledBox<TComboBox>(form, parent, name, name + "Label", label, 8, top, 312);
    for (const char* item : items)
        combo->Items().Add(item);
    return combo;
}

} // namespace

TFormForm::TFormForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("FormForm");
        SetCaption("Quiltmarker - Forms");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(336);
        SetClientHeight(186);
        Panel1 = NewControl<TPanel>(this, this, "Panel1", 4, 4, 328, 140);
        ActionCombo = AddCombo(this, Panel1, "ActionCombo", "&Action", 4,
                               {"http://.../cgi-bin/...", "http://", "mailto:"});
        MethodCombo = AddCombo(this, Panel1, "MethodCombo", "&Method", 48, {"POST", "GET"});
        EncTypeCombo = AddCombo(this, Panel1, "EncTypeCombo", "&Enctype", 92,
                                {"application/x-www-form-urlencoded"});
        OKButton = AddModalButton(this, this, "OKButton", mrOk, 176, 154);
        OKButton->OnClick = Handler(this, &TFormForm::OKButtonClick);
        CancelButton = AddModalButton(this, this, "CancelButton", mrCancel, 256, 154);
        CancelButton->OnClick = Handler(this, &TFormForm::CancelButtonClick);
        OnShow = Handler(this, &TFormForm::FormShow);
    });
}

void TFormForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
}

void TFormForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TFormForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TFormForm::Prepare() {
    for (TComboBox* combo : {ActionCombo, MethodCombo, EncTypeCombo})
        combo->SetText("");
}

String TFormForm::StartText() const {
    return "<FORM" + QuotedAttribute("ACTION", ActionCombo->Text()) +
           QuotedAttribute("METHOD", MethodCombo->Text()) +
           QuotedAttribute("ENCTYPE", EncTypeCombo->Text()) + ">\r\n";
}
