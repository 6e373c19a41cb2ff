#include "publish/HTMLISPSelect.h"

#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"

TISPSelectForm* ISPSelectForm = nullptr;

namespace {

const String NoDestination = "[none]";

// The number of the names stored without a gap from "1" on.
int StoredDestinationCount(TRegistry& reg) {
    int count = 0;
    while (count < TISPSelectForm::MaxDestinations && reg.ValueExists(IntToStr(count + 1)))
        ++count;
    return count;
}

} // namespace

TISPSelectForm::TISPSelectForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("ISPSelectForm");
        SetCaption("Select ISP");
        SetBorderIcons({});
        SetBounds(Left(), Top(), 199, 311);
        BuildControls();
        OnCreate = Handler(this, &TISPSelectForm::FormCreate);
    });
}

void TISPSelectForm::BuildControls() {
    Panel1 = NewControl<TPanel>(this, this, "Panel1");
    Panel1->SetAlign(alBottom);
    Panel1->SetHeight(64);
    Button1 = NewControl<TButton>(this, Panel1, "Button1", 8, 34, 80, 25);
    Button1->SetCaption("Cancel");
    Button1->OnClick = Handler(this, &TISPSelectForm::Button1Click);
    OKButton = NewControl<TButton>(this, Panel1, "OKButton", 96, 34, 80, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->OnClick = Handler(this, &TISPSelectForm::OKButtonClick);
    AddButton = NewControl<TButton>(this, Panel1, "AddButton", 8, 4, 80, 25);
    AddButton->SetCaption("&Add");
    AddButton->OnClick = Handler(this, &TISPSelectForm::AddButtonClick);
    Button2 = NewControl<TButton>(this, Panel1, "Button2", 96, 4, 80, 25);
    Button2->SetCaption("&Del");
    Button2->OnClick = Handler(this, &TISPSelectForm::Button2Click);

    Panel2 = NewControl<TPanel>(this, this, "Panel2");
    Panel2->SetAlign(alClient);
    Panel2->OnResize = Handler(this, &TISPSelectForm::Panel2Resize);
    ISPCombo = NewControl<TComboBox>(this, Panel2, "ISPCombo", 5, 5, 170, 200);
    ISPCombo->SetStyle(csSimple);
    ISPCombo->SetSorted(true);
    ISPCombo->SetText("Select ISP to Publish For");
    ISPCombo->OnKeyPress = Handler(this, &TISPSelectForm::ISPComboKeyPress);
}

void TISPSelectForm::FormCreate(TObject* /*Sender*/) {
    LoadDestinations();
    LoadWindowPosition();
    if (ISPCombo->Items().IndexOf(NoDestination) < 0)
        ISPCombo->Items().Add(NoDestination);
}

void TISPSelectForm::LoadDestinations() {
    ISPCombo->Items().Clear();
    TRegistry reg;
    if (!reg.OpenKey(ISPFoldersKey, false))
        return;
    const int count = StoredDestinationCount(reg);
    for (int i = 1; i <= count; ++i)
        ISPCombo->Items().Add(LowerCase(reg.ReadString(IntToStr(i))));
}

void TISPSelectForm::LoadWindowPosition() {
    TRegistry reg;
    if (!reg.OpenKey(ISPFoldersKey, false))
        return;
    auto stored = [&reg](const String& name, int current) {
        return reg.ValueExists(name) ? reg.ReadInteger(name) : current;
    };
    SetBounds(stored("LeftPos", Left()), stored("TopPos", Top()), stored("Width", Width()),
              stored("Height", Height()));
}

void TISPSelectForm::SaveISPWindowPosition() {
    TRegistry reg;
    if (!reg.OpenKey(ISPFoldersKey, true))
        return;
    reg.WriteInteger("LeftPos", Left());
    reg.WriteInteger("TopPos", Top());
    reg.WriteInteger("Height", Height());
    reg.WriteInteger("Width", Width());
}

void TISPSelectForm::OKButtonClick(TObject* /*Sender*/) {
    SaveISPWindowPosition();
    SetModalResult(mrOk);
}

void TISPSelectForm::Button1Click(TObject* /*Sender*/) {
    SaveISPWindowPosition();
    SetModalResult(mrCancel);
}

// A new name goes after the last one stored: the list may hold "[none]" without it being stored,
// or stored, so its length says nothing of the next free number.
void TISPSelectForm::AddButtonClick(TObject* /*Sender*/) {
    const String name = ISPCombo->Text();
    if (name.empty() || ISPCombo->Items().IndexOf(name) >= 0)
        return;
    TRegistry reg;
    if (!reg.OpenKey(ISPFoldersKey, true))
        return;
    reg.WriteString(IntToStr(StoredDestinationCount(reg) + 1), name);
    ISPCombo->Items().Add(name);
}

void TISPSelectForm::Button2Click(TObject* /*Sender*/) {
    if (ISPCombo->ItemIndex() >= 0)
        DeleteDestination(ISPCombo->ItemIndex());
}

// Host names hold dots, so a typed "." deletes only when the edit shows the selected entry whole;
// the first entry of the list stays.
void TISPSelectForm::ISPComboKeyPress(TObject* /*Sender*/, char& Key) {
    const int index = ISPCombo->ItemIndex();
    if (Key != '.' || index <= 0 || ISPCombo->Text() != ISPCombo->Items()[index])
        return;
    Key = 0;
    DeleteDestination(index);
}

void TISPSelectForm::DeleteDestination(int index) {
    ISPCombo->Items().Delete(index);
    TRegistry reg;
    reg.DeleteKey(ISPFoldersKey);
    if (!reg.OpenKey(ISPFoldersKey, true))
        return;
    for (int i = 0; i < ISPCombo->Items().Count(); ++i)
        reg.WriteString(IntToStr(i + 1), ISPCombo->Items()[i]);
    SaveISPWindowPosition();
}

void TISPSelectForm::Panel2Resize(TObject* /*Sender*/) {
    ISPCombo->SetBounds(5, 5, Panel2->Width() - 11, Panel2->Height() - 4);
}
