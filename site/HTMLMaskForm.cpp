#include "site/HTMLMaskForm.h"

#include "platform/Events.h"
#include "platform/StdCtrls.h"

TMaskForm* MaskForm = nullptr;

TMaskForm::TMaskForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("MaskForm");
        SetCaption("File Masks");
        SetBorderStyle(bsDialog);
        SetClientWidth(330);
        SetClientHeight(240);
        BuildControls();
    });
}

void TMaskForm::BuildControls() {
    ListBox = NewControl<TListBox>(this, this, "ListBox", 8, 8, 250, 160);
    UpButton = NewControl<TButton>(this, this, "UpButton", 264, 40, 25, 25);
    UpButton->SetCaption("^");
    UpButton->OnClick = Handler(this, &TMaskForm::UpButtonClick);
    SpeedButton2 = NewControl<TButton>(this, this, "SpeedButton2", 264, 72, 25, 25);
    SpeedButton2->SetCaption("v");
    SpeedButton2->OnClick = Handler(this, &TMaskForm::SpeedButton2Click);
    TextEdit = NewControl<TEdit>(this, this, "TextEdit", 8, 176, 250, 21);
    TextEdit->SetText("");
    BitBtn1 = NewControl<TButton>(this, this, "BitBtn1", 8, 206, 75, 25);
    BitBtn1->SetCaption("&Add");
    BitBtn1->SetDefault(true);
    BitBtn1->OnClick = Handler(this, &TMaskForm::BitBtn1Click);
    BitBtn2 = NewControl<TButton>(this, this, "BitBtn2", 88, 206, 75, 25);
    BitBtn2->SetCaption("&Delete");
    BitBtn2->OnClick = Handler(this, &TMaskForm::BitBtn2Click);
    OKButton = NewControl<TButton>(this, this, "OKButton", 168, 206, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 248, 206, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}

void TMaskForm::BitBtn1Click(TObject* /*Sender*/) {
    if (TextEdit->Text().empty())
        return;
    ListBox->Items().Add(TextEdit->Text());
    TextEdit->SetText("");
    if (TextEdit->CanFocus())
        TextEdit->SetFocus();
}

void TMaskForm::BitBtn2Click(TObject* /*Sender*/) {
    int index = ListBox->ItemIndex();
    if (index < 0)
        return;
    ListBox->Items().Delete(index);
    ListBox->SetItemIndex(std::min(index, ListBox->Items().Count() - 1));
    if (TextEdit->CanFocus())
        TextEdit->SetFocus();
}

void TMaskForm::MoveSelected(int step) {
    int index = ListBox->ItemIndex();
    int other = index + step;
    if (index < 0 || other < 0 || other >= ListBox->Items().Count())
        return;
    ListBox->Items().Exchange(index, other);
    ListBox->SetItemIndex(other);
}

void TMaskForm::UpButtonClick(TObject* /*Sender*/) {
    MoveSelected(-1);
}

void TMaskForm::SpeedButton2Click(TObject* /*Sender*/) {
    MoveSelected(1);
}
