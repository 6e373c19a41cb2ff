#include "editor/ChangeCaseForm.h"

#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

TChangeCaseForm* ChangeCaseForm = nullptr;

TChangeCaseForm::TChangeCaseForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("ChangeCaseForm");
        SetCaption("Quiltmarker - Change Case");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(250);
        SetClientHeight(140);
        Font().SetName("MS Sans Serif");
        BuildControls();
    });
}

void TChangeCaseForm::BuildControls() {
    struct Choice {
        TRadioButton* TChangeCaseForm::*Member;
        const char* Name;
        const char* Caption;
    };
    static const Choice choices[] = {
        {&TChangeCaseForm::UCButton, "UCButton", "&UPPER CASE"},
        {&TChangeCaseForm::LCButton, "LCButton", "&lower case"},
        {&TChangeCaseForm::SCButton, "SCButton", "&Sentence case"},
        {&TChangeCaseForm::ICButton, "ICButton", "&Initial Caps"},
        {&TChangeCaseForm::TCButton, "TCButton", "&Toggle case"},
    };
    int top = 10;
    for (const Choice& choice : choices) {
        auto* button = NewControl<TRadioButton>(this, this, choice.Name, 12, top, 140, 17);
        button->SetCaption(choice.Caption);
        this->*choice.Member = button;
        top += 24;
    }
    UCButton->SetChecked(true);
    RightPanel = NewControl<TPanel>(this, this, "RightPanel");
    RightPanel->SetAlign(alRight);
    RightPanel->SetWidth(90);
    RightPanel->SetBevelOuter(bvNone);
    RightPanel->SetCaption("");
    OKButton = NewControl<TButton>(this, RightPanel, "OKButton", 6, 10, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, RightPanel, "CancelButton", 6, 42, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}

TextTransforms::TCaseMode TChangeCaseForm::Mode() const {
    using TextTransforms::TCaseMode;
    if (LCButton->Checked())
        return TCaseMode::Lower;
    if (SCButton->Checked())
        return TCaseMode::Sentence;
    if (ICButton->Checked())
        return TCaseMode::InitialCaps;
    if (TCButton->Checked())
        return TCaseMode::Toggle;
    return TCaseMode::Upper;
}
