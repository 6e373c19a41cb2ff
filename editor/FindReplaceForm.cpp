#include "editor/FindReplaceForm.h"

#include "platform/Events.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"

TFindReplaceForm* FindReplaceForm = nullptr;

namespace {

const String ProductKey = "\\Software\\Olvane\\Quiltmarker";

} // namespace

bool StoredFindTypeIsText() {
    TRegistry reg;
    return reg.OpenKey(ProductKey, true) && reg.ValueExists("FindType") &&
           reg.ReadString("FindType") == "text";
}

TFindReplaceForm::TFindReplaceForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("FindReplaceForm");
        SetCaption("Quiltmarker - Global Find and Replace");
        SetBorderStyle(bsDialog);
        SetClientWidth(420);
        SetClientHeight(270);
        BuildControls();
    });
}

void TFindReplaceForm::BuildControls() {
    Label1 = NewControl<TLabel>(this, this, "Label1", 8, 8, 100, 13);
    Label1->SetCaption("Fi&nd what:");
    FindMemo = NewControl<TMemo>(this, this, "FindMemo", 8, 24, 300, 60);
    Label2 = NewControl<TLabel>(this, this, "Label2", 8, 92, 100, 13);
    Label2->SetCaption("Re&place with:");
    ReplaceMemo = NewControl<TMemo>(this, this, "ReplaceMemo", 8, 108, 300, 60);
    Button1 = NewControl<TButton>(this, this, "Button1", 320, 24, 90, 25);
    Button1->SetCaption("&Find All");
    Button1->OnClick = Handler(this, &TFindReplaceForm::Button1Click);
    Button3 = NewControl<TButton>(this, this, "Button3", 320, 56, 90, 25);
    Button3->SetCaption("&Replace All");
    Button3->OnClick = Handler(this, &TFindReplaceForm::Button3Click);
    Button4 = NewControl<TButton>(this, this, "Button4", 320, 88, 90, 25);
    Button4->SetCaption("Cancel");
    Button4->SetCancel(true);
    Button4->OnClick = Handler(this, &TFindReplaceForm::Button4Click);
    CaseCheck = NewControl<TCheckBox>(this, this, "CaseCheck", 8, 180, 140, 17);
    CaseCheck->SetCaption("&Case sensitive");
    ShowLinesCheck = NewControl<TCheckBox>(this, this, "ShowLinesCheck", 8, 204, 140, 17);
    ShowLinesCheck->SetCaption("&Show Lines");
    RadioGroup1 = NewControl<TGroupBox>(this, this, "RadioGroup1", 160, 176, 250, 80);
    RadioGroup1->SetCaption(" File Types ");
    HTMLCheck = NewControl<TRadioButton>(this, RadioGroup1, "HTMLCheck", 10, 20, 220, 17);
    HTMLCheck->SetCaption("&HTML only");
    HTMLCheck->SetHint("*.*htm*");
    TextCheck = NewControl<TRadioButton>(this, RadioGroup1, "TextCheck", 10, 44, 220, 17);
    TextCheck->SetCaption("&All text files");
    TextCheck->SetHint("See Preferences/Text Files in main menu");
    for (TRadioButton* button : {HTMLCheck, TextCheck}) {
        button->SetShowHint(true);
        button->OnClick = Handler(this, &TFindReplaceForm::HTMLCheckClick);
    }
}

void TFindReplaceForm::Button1Click(TObject* /*Sender*/) {
    FindOnly = true;
    Action = 1;
    Close();
}

void TFindReplaceForm::Button3Click(TObject* /*Sender*/) {
    FindOnly = false;
    Action = 2;
    Close();
}

void TFindReplaceForm::Button4Click(TObject* /*Sender*/) {
    Action = 0;
    Close();
}

void TFindReplaceForm::HTMLCheckClick(TObject* /*Sender*/) {
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteString("FindType", TextCheck->Checked() ? "text" : "html");
}
