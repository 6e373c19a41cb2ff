#include "editor/HTMLMarginForm.h"

#include "platform/Events.h"
#include "platform/RichEdit.h"
#include "platform/Spin.h"
#include "platform/StdCtrls.h"

THTMLMarginForm* HTMLMarginForm = nullptr;

THTMLMarginForm::THTMLMarginForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("HTMLMarginForm");
        SetCaption("Quiltmarker - Set Margins");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(400);
        SetClientHeight(230);
        Font().SetName("MS Sans Serif");
        BuildControls();
    });
}

void THTMLMarginForm::BuildControls() {
    struct Margin {
        TLabel* THTMLMarginForm::*Label;
        TSpinEdit* THTMLMarginForm::*Edit;
        const char* LabelName;
        const char* Caption;
        const char* EditName;
        int MinValue;
    };
    static const Margin margins[] = {
        {&THTMLMarginForm::LeftLabel, &THTMLMarginForm::LeftEdit, "LeftLabel", "Left &Margin",
         "LeftEdit", 0},
        {&THTMLMarginForm::IndentLabel, &THTMLMarginForm::IndentEdit, "IndentLabel", "Left &Indent",
         "IndentEdit", -10},
        {&THTMLMarginForm::RightLabel, &THTMLMarginForm::RightEdit, "RightLabel", "&Right Margin",
         "RightEdit", 0},
    };
    int left = 12;
    for (const Margin& margin : margins) {
        auto* label = NewControl<TLabel>(this, this, margin.LabelName, left, 8, 80, 13);
        label->SetCaption(margin.Caption);
        auto* edit = NewControl<TSpinEdit>(this, this, margin.EditName, left, 24, 60, 22);
        edit->SetMinValue(margin.MinValue);
        edit->SetMaxValue(99);
        edit->OnChange = Handler(this, &THTMLMarginForm::LeftEditChange);
        label->SetFocusControl(edit);
        this->*margin.Label = label;
        this->*margin.Edit = edit;
        left += 96;
    }
    SampleLabel = NewControl<TLabel>(this, this, "SampleLabel", 12, 56, 60, 13);
    SampleLabel->SetCaption("Sample");
    SampleEdit = NewControl<TRichEdit>(this, this, "SampleEdit", 12, 72, 376, 110);
    SampleEdit->SetPlainText(true);
    SampleEdit->SetReadOnly(true);
    OKButton = NewControl<TButton>(this, this, "OKButton", 232, 194, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 313, 194, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}

void THTMLMarginForm::ApplyMarginsToSample(int leftMargin, int leftIndent, int rightMargin) {
    SampleEdit->SelectAll();
    SampleEdit->Paragraph().SetFirstIndent(leftMargin);
    SampleEdit->Paragraph().SetLeftIndent(leftIndent);
    SampleEdit->Paragraph().SetRightIndent(rightMargin);
}

void THTMLMarginForm::ShowSample(int leftMargin, int leftIndent, int rightMargin) {
    SampleEdit->Clear();
    ApplyMarginsToSample(leftMargin, leftIndent, rightMargin);
    SampleEdit->Lines().Add("This is an example of how the current settings will look.");
    SampleEdit->Lines().Add(
        "The LEFT INDENT setting determines how much the second and subsequent "
        "lines of a paragraph will be indented in relation to the left margin.");
    LeftEdit->SetValue(leftMargin);
    IndentEdit->SetValue(leftIndent);
    RightEdit->SetValue(rightMargin);
}

void THTMLMarginForm::LeftEditChange(TObject* /*Sender*/) {
    SampleEdit->SetVisible(false);
    ApplyMarginsToSample(LeftEdit->Value(), IndentEdit->Value(), RightEdit->Value());
    SampleEdit->SetSelStart(0);
    SampleEdit->SetVisible(true);
    SampleEdit->Repaint();
}
