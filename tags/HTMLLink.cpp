#include "tags/HTMLLink.h"

#include "editor/DialogGuard.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "widgets/QmToolbars.h"

TLinkForm* LinkForm = nullptr;

namespace {

TRadioButton* AddRadio(TForm* form, TWinControl* parent, const String& name, const String& caption,
                       int top) {
    auto* button = NewControl<TRadioButton>(form, parent, name, 10, top, 130, 17);
    button->SetCaption(caption);
    return button;
}

TLabel* AddLabel(TForm* form, const String& name, const String& caption, int top) {
    auto* label = NewControl<TLabel>(form, form, name, 164, top, 200, 13);
    label->SetCaption(caption);
    return label;
}

} // namespace

TLinkForm::TLinkForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("LinkForm");
        SetCaption("Quiltmarker - Insert Hypertext Link");
        SetBorderStyle(bsDialog);
        SetClientWidth(430);
        SetClientHeight(180);
        BuildControls();
        OnShow = Handler(this, &TLinkForm::FormShow);
        OnActivate = Handler(this, &TLinkForm::FormActivate);
    });
}

void TLinkForm::BuildControls() {
    RadioGroup1 = NewControl<TGroupBox>(this, this, "RadioGroup1", 8, 8, 148, 120);
    LinkButton = AddRadio(this, RadioGroup1, "LinkButton", "&Hypertext Link", 20);
    TargetButton = AddRadio(this, RadioGroup1, "TargetButton", "&Anchor", 44);
    StyleButton = AddRadio(this, RadioGroup1, "StyleButton", "&Style sheet link", 68);
    BaseButton = AddRadio(this, RadioGroup1, "BaseButton", "&Base Link", 92);
    LinkButton->SetChecked(true);
    for (TRadioButton* button : {LinkButton, TargetButton, StyleButton, BaseButton})
        button->OnClick = Handler(this, &TLinkForm::StyleButtonClick);

    URLLabel = AddLabel(this, "URLLabel", "&URL", 8);
    URLEdit = NewControl<TEdit>(this, this, "URLEdit", 164, 24, 230, 21);
    URLEdit->SetText("http://");
    BrowseButton = NewControl<TQmToolbarButton>(this, this, "BrowseButton", 398, 23, 23, 22);
    BrowseButton->SetCaption("...");
    BrowseButton->OnClick = Handler(this, &TLinkForm::BrowseButtonClick);
    Label2 = AddLabel(this, "Label2", "&Target Window", 52);
    TargetEdit = NewControl<TEdit>(this, this, "TargetEdit", 164, 68, 230, 21);
    Label1 = AddLabel(this, "Label1", "Link &Text", 96);
    LinkEdit = NewControl<TEdit>(this, this, "LinkEdit", 164, 112, 257, 21);

    OKButton = NewControl<TButton>(this, this, "OKButton", 264, 148, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->OnClick = Handler(this, &TLinkForm::OKButtonClick);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 346, 148, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->OnClick = Handler(this, &TLinkForm::CancelButtonClick);
    OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
}

void TLinkForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
}

void TLinkForm::FormActivate(TObject* /*Sender*/) {
    URLEdit->SetText("http://");
}

void TLinkForm::StyleButtonClick(TObject* /*Sender*/) {
    const bool style = StyleButton->Checked();
    const bool base = BaseButton->Checked();
    TargetEdit->SetVisible(!style);
    Label2->SetVisible(!style);
    LinkEdit->SetVisible(!style && !base);
    Label1->SetVisible(!style && !base);
}

void TLinkForm::BrowseButtonClick(TObject* /*Sender*/) {
    OpenDialog->SetInitialDir(PageFolder);
    if (OpenDialog->Execute())
        URLEdit->SetText(URLFromPage(OpenDialog->FileName(), PageFolder));
}

void TLinkForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TLinkForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

String TLinkForm::StartText() const {
    const String url = QuotedValue(URLEdit->Text());
    const String target = QuotedAttribute("TARGET", TargetEdit->Text());
    if (StyleButton->Checked())
        return "<LINK REL=\"stylesheet\" HREF=\"" + url + "\" TYPE=\"text/css\">";
    if (BaseButton->Checked())
        return "<BASE HREF=\"" + url + "\"" + target + ">";
    const String attribute = TargetButton->Checked() ? "NAME=" : "HREF=";
    return "<A " + attribute + "\"" + url + "\"" + target + ">" + LinkEdit->Text();
}

String TLinkForm::EndText() const {
    return StyleButton->Checked() || BaseButton->Checked() ? String() : String("</A>");
}
