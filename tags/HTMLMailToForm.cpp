#include "tags/HTMLMailToForm.h"

#include "editor/DialogGuard.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"

TMailToForm* MailToForm = nullptr;

namespace {

TEdit* AddField(TForm* form, TWinControl* parent, const String& name, const String& label,
                int top) {
    auto* caption = NewControl<TLabel>(form, parent, name + "Label", 8, top + 4, 60, 13);
    caption->SetCaption(label);
    auto* edit = NewControl<TEdit>(form, parent, name, 72, top, 240, 21);
    caption->SetFocusControl(edit);
    return edit;
}

} // namespace

TMailToForm::TMailToForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("MailToForm");
        SetCaption("Quiltmarker - Mailto Address");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(336);
        SetClientHeight(150);
        GroupBox1 = NewControl<TGroupBox>(this, this, "GroupBox1", 4, 4, 328, 104);
        AddressEdit = AddField(this, GroupBox1, "AddressEdit", "&Address:", 12);
        LinkTextEdit = AddField(this, GroupBox1, "LinkTextEdit", "&Link text:", 42);
        SubjectEdit = AddField(this, GroupBox1, "SubjectEdit", "&Subject:", 72);
        OKButton = NewControl<TButton>(this, this, "OKButton", 176, 118, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->SetModalResult(mrOk);
        OKButton->OnClick = Handler(this, &TMailToForm::OKButtonClick);
        CancelButton = NewControl<TButton>(this, this, "CancelButton", 256, 118, 75, 25);
        CancelButton->SetCaption("Cancel");
        CancelButton->SetCancel(true);
        CancelButton->SetModalResult(mrCancel);
        CancelButton->OnClick = Handler(this, &TMailToForm::CancelButtonClick);
        OnShow = Handler(this, &TMailToForm::FormShow);
    });
}

void TMailToForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
    if (AddressEdit->CanFocus())
        AddressEdit->SetFocus();
}

void TMailToForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TMailToForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

String TMailToForm::MailLink() const {
    const String subject = SubjectEdit->Text().empty() ? "" : "?subject=" + SubjectEdit->Text();
    return "<A HREF=\"mailto:" + QuotedValue(AddressEdit->Text() + subject) + "\">" +
           LinkTextEdit->Text() + "</A>";
}
