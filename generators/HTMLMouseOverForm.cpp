#include "generators/HTMLMouseOverForm.h"

#include "platform/Buttons.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"
#include "tags/DialogLayout.h"

TMouseOverForm* MouseOverForm = nullptr;

namespace {

const String ImageFilter = "Image files (*.gif;*.jpg)|*.gif;*.jpg|All files (*.*)|*.*";

TSpeedButton* AddBrowse(TForm* form, const String& name, TEdit* edit) {
    auto* button = NewControl<TSpeedButton>(form, form, name, edit->Left() + edit->Width() + 2,
                                            edit->Top(), 23, 22);
    button->SetCaption("...");
    return button;
}

} // namespace

TMouseOverForm::TMouseOverForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("MouseOverForm");
        SetCaption("Quiltmarker - \"MouseOver\" Button");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(460);
        SetClientHeight(392);
        ImageGroup = NewControl<TRadioGroup>(this, this, "ImageGroup", 8, 4, 444, 40);
        ImageGroup->SetCaption(" &Images ");
        ImageGroup->SetColumns(4);
        for (const char* item : {"Preset &1", "Preset &2", "Preset &3", "&Custom Images"})
            ImageGroup->Items().Add(item);
        ImageGroup->SetHint("Choose a set of predefined buttons or set your own");
        ImageGroup->SetShowHint(true);
        ImageGroup->SetItemIndex(0);
        ChangeGroup = NewControl<TRadioGroup>(this, this, "ChangeGroup", 8, 48, 444, 40);
        ChangeGroup->SetCaption(" &Change on ");
        ChangeGroup->SetColumns(3);
        for (const char* item : {"&Mouse over button", "&Click on button", "&Both"})
            ChangeGroup->Items().Add(item);
        ChangeGroup->SetHint("Choose when the button will change state");
        ChangeGroup->SetShowHint(true);
        ChangeGroup->SetItemIndex(2);
        NormalImageEdit =
            AddImageBox("NormalImageEdit", "Normal Image", "Image which will be shown normally", 94,
                        NormalBrowseButton, "NormalBrowseButton");
        NormalBrowseButton->OnClick = Handler(this, &TMouseOverForm::NormalBrowseButtonClick);
        OverImageEdit = AddImageBox("OverImageEdit", "MouseOver Image",
                                    "Image which will be shown when the mouse is over it", 136,
                                    OverBrowseButton, "OverBrowseButton");
        OverBrowseButton->OnClick = Handler(this, &TMouseOverForm::OverBrowseButtonClick);
        OnImageEdit = AddImageBox("OnImageEdit", "Clicked Image",
                                  "Image which will be shown when link is clicked", 178,
                                  OnBrowseButton, "OnBrowseButton");
        OnBrowseButton->OnClick = Handler(this, &TMouseOverForm::OnBrowseButtonClick);
        AltTextEdit = AddLabelledBox<TEdit>(this, this, "AltTextEdit", "AltTextLabel", "ALT Text",
                                            8, 220, 416);
        URLEdit = AddLabelledBox<TEdit>(this, this, "URLEdit", "URLLabel", "Link URL", 8, 262, 416);
        URLBrowseButton = AddBrowse(this, "URLBrowseButton", URLEdit);
        URLBrowseButton->OnClick = Handler(this, &TMouseOverForm::URLBrowseButtonClick);
        LinkTextEdit = AddLabelledBox<TEdit>(this, this, "LinkTextEdit", "LinkTextLabel",
                                             "Link Text", 8, 304, 220);
        LinkTextEdit->OnChange = Handler(this, &TMouseOverForm::LinkTextEditChange);
        TextIsLinkCheck = NewControl<TCheckBox>(this, this, "TextIsLinkCheck", 240, 322, 200, 17);
        TextIsLinkCheck->SetCaption("Include &text in link");
        TextIsLinkCheck->SetChecked(true);
        LinkTextEditChange(LinkTextEdit);
        OKButton = AddModalButton(this, this, "OKButton", mrOk, 292, 360);
        CancelButton = AddModalButton(this, this, "CancelButton", mrCancel, 376, 360);
        OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
        OpenDialog->SetFilter(ImageFilter);
        // Bound last, so that building the group's default does not run it.
        ImageGroup->OnClick = Handler(this, &TMouseOverForm::ImageGroupClick);
    });
}

TEdit* TMouseOverForm::AddImageBox(const String& name, const String& caption, const String& hint,
                                   int top, TSpeedButton*& browse, const String& browseName) {
    auto* edit = AddLabelledBox<TEdit>(this, this, name, name + "Label", caption, 8, top, 416);
    edit->SetHint(hint);
    edit->SetShowHint(true);
    edit->SetEnabled(false);
    browse = AddBrowse(this, browseName, edit);
    browse->SetEnabled(false);
    return edit;
}

void TMouseOverForm::BrowseImage(TEdit* edit) {
    OpenDialog->SetFilter(ImageFilter);
    if (OpenDialog->Execute())
        edit->SetText(OpenDialog->FileName());
}

void TMouseOverForm::NormalBrowseButtonClick(TObject* /*Sender*/) {
    BrowseImage(NormalImageEdit);
}

void TMouseOverForm::OverBrowseButtonClick(TObject* /*Sender*/) {
    BrowseImage(OverImageEdit);
}

void TMouseOverForm::OnBrowseButtonClick(TObject* /*Sender*/) {
    BrowseImage(OnImageEdit);
}

void TMouseOverForm::URLBrowseButtonClick(TObject* /*Sender*/) {
    OpenDialog->SetFilter("HTML files (*.*htm*)|*.*htm*|All files (*.*)|*.*");
    if (OpenDialog->Execute())
        URLEdit->SetText(ExtractFileName(OpenDialog->FileName()));
}

void TMouseOverForm::ImageGroupClick(TObject* /*Sender*/) {
    const bool custom = ImageGroup->ItemIndex() == 3;
    for (TWinControl* control :
         {static_cast<TWinControl*>(NormalImageEdit), static_cast<TWinControl*>(OverImageEdit),
          static_cast<TWinControl*>(OnImageEdit)})
        control->SetEnabled(custom);
    for (TSpeedButton* button : {NormalBrowseButton, OverBrowseButton, OnBrowseButton})
        button->SetEnabled(custom);
    if (custom)
        NormalImageEdit->SetFocus();
    else
        AltTextEdit->SetFocus();
}

void TMouseOverForm::LinkTextEditChange(TObject* /*Sender*/) {
    TextIsLinkCheck->SetEnabled(!LinkTextEdit->Text().empty());
}
