#include "publish/HTMLFolderSelect.h"

#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "publish/PublishSettings.h"
#include "widgets/QmFilSys.h"

#include <cctype>

TFolderSelectForm* FolderSelectForm = nullptr;

namespace {

const int TabWidth = 67;
const int TabsPerRow = 6;

String GroupCaption(int group) {
    return "Group " + IntToStr(group);
}

// "3-12": entry 12 of group 3.
bool IsGroupEntryName(const String& name) {
    const size_t dash = name.find('-');
    if (dash == String::npos || dash == 0 || dash + 1 == name.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (i != dash && !std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

bool ListHolds(TStrings& items, const String& folder) {
    for (int i = 0; i < items.Count(); ++i)
        if (items[i] == folder)
            return true;
    return false;
}

void WriteBoolValue(const String& key, const String& name, bool value) {
    TRegistry reg;
    if (reg.OpenKey(key, true))
        reg.WriteBool(name, value);
}

bool ReadBoolValue(TRegistry& reg, const String& name, bool current) {
    return reg.ValueExists(name) ? reg.ReadBool(name) : current;
}

} // namespace

TFolderSelectForm::TFolderSelectForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("FolderSelectForm");
        SetCaption("Quiltmarker - Select Folders");
        SetBorderStyle(bsDialog);
        SetClientWidth(702);
        SetClientHeight(283);
        BuildControls();
        OnCreate = Handler(this, &TFolderSelectForm::FormCreate);
    });
}

void TFolderSelectForm::BuildControls() {
    BuildFolderChoice();
    BuildGroupTabs();
    BuildOptions();
    Edit1 = NewControl<TEdit>(this, this, "Edit1", 0, 21, TabWidth - 4, 17);
    Edit1->SetColor(clBtnFace);
    Edit1->SetVisible(false);
    Edit1->OnKeyDown = Handler(this, &TFolderSelectForm::Edit1KeyDown);
}

void TFolderSelectForm::BuildFolderChoice() {
    DriveCombo = NewControl<TQmDriveComboBox>(this, this, "DriveCombo", 8, 8, 185, 22);
    DirListBox = NewControl<TQmDirectoryListBox>(this, this, "DirListBox", 8, 34, 185, 134);
    PubCheck = NewControl<TLabel>(this, this, "PubCheck", 8, 172, 185, 13);
    PubCheck->SetAutoSize(false);
    PubCheck->SetAlignment(taCenter);
    FinishButton = NewControl<TButton>(this, this, "FinishButton", 8, 190, 88, 25);
    FinishButton->SetCaption("&Finish");
    FinishButton->OnClick = Handler(this, &TFolderSelectForm::FinishButtonClick);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 105, 190, 88, 25);
    CancelButton->SetCaption("&Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    CancelButton->OnClick = Handler(this, &TFolderSelectForm::CancelButtonClick);

    RevisionGroupBox = NewControl<TGroupBox>(this, this, "RevisionGroupBox", 8, 222, 185, 53);
    RevisionGroupBox->SetCaption("Revision");
    RevisionGroupBox->SetVisible(false);
    MajorRevButton =
        NewControl<TRadioButton>(this, RevisionGroupBox, "MajorRevButton", 8, 22, 55, 17);
    MajorRevButton->SetCaption("Major");
    MinorRevButton =
        NewControl<TRadioButton>(this, RevisionGroupBox, "MinorRevButton", 66, 22, 55, 17);
    MinorRevButton->SetCaption("Minor");
    NoRevCheck = NewControl<TRadioButton>(this, RevisionGroupBox, "NoRevCheck", 124, 22, 55, 17);
    NoRevCheck->SetCaption("None");
    NoRevCheck->SetChecked(true);
}

void TFolderSelectForm::BuildGroupTabs() {
    PageControl1 = NewControl<TPageControl>(this, this, "PageControl1", 200, 8, 354, 268);
    PageControl1->SetMultiLine(true);
    PageControl1->SetTabWidth(TabWidth);
    for (int i = 0; i < GroupCount; ++i) {
        const size_t at = static_cast<size_t>(i);
        TTabSheet* sheet = NewComponent<TTabSheet>(this, "TabSheet" + IntToStr(i + 1));
        sheet->SetPageControl(PageControl1);
        sheet->SetCaption(i < StoredGroupCount ? GroupCaption(i + 1) : String("Temp"));
        TLabel* header = NewControl<TLabel>(this, sheet, "Label" + IntToStr(i + 1), 8, 4, 200, 13);
        header->SetCaption("Publish files to...");
        GroupLists[at] =
            NewControl<TListBox>(this, sheet, "ListBox" + IntToStr(i + 1) + "Pub", 8, 20, 330, 190);
        TabSheets[at] = sheet;
    }
    PageControl1->SetActivePageIndex(0);
}

// The options' captions need a wider column than their first design gave them: the group tabs
// give up the room. The panel ends above the two check boxes below it, which stay in view when
// it is hidden.
void TFolderSelectForm::BuildOptions() {
    PubAddButton = NewControl<TButton>(this, this, "PubAddButton", 560, 8, 136, 25);
    PubAddButton->SetCaption("< Add");
    PubAddButton->OnClick = Handler(this, &TFolderSelectForm::PubAddButtonClick);
    PubDeleteButton = NewControl<TButton>(this, this, "PubDeleteButton", 560, 38, 136, 25);
    PubDeleteButton->SetCaption("> Delete");
    PubDeleteButton->OnClick = Handler(this, &TFolderSelectForm::PubDeleteButtonClick);
    TabNameButton = NewControl<TButton>(this, this, "TabNameButton", 560, 68, 136, 25);
    TabNameButton->SetCaption("<-- Edit Tab Name");
    TabNameButton->OnClick = Handler(this, &TFolderSelectForm::TabNameButtonClick);

    Panel2 = NewControl<TPanel>(this, this, "Panel2", 560, 96, 136, 150);
    Panel2->SetVisible(false);
    TLabel* length = NewControl<TLabel>(this, Panel2, "Label13", 4, 4, 128, 13);
    length->SetCaption("Text length");
    CompactCheck = NewControl<TCheckBox>(this, Panel2, "CompactCheck", 4, 18, 128, 17);
    CompactCheck->SetCaption("&Compact File");
    LineLengthEdit = NewControl<TEdit>(this, Panel2, "LineLengthEdit", 4, 36, 40, 21);
    LineLengthEdit->SetText("80");
    LineLengthEdit->SetEnabled(false);
    LineLengthButtons = NewControl<TUpDown>(this, Panel2, "LineLengthButtons", 44, 36, 15, 21);
    LineLengthButtons->SetMin(25);
    LineLengthButtons->SetMax(200);
    LineLengthButtons->SetAssociate(LineLengthEdit);
    LineLengthButtons->SetPosition(80);
    LineLengthButtons->SetEnabled(false);
    WrapTextCheck = NewControl<TCheckBox>(this, Panel2, "WrapTextCheck", 4, 58, 128, 17);
    WrapTextCheck->SetCaption("&Wrap Text");
    UpperCaseButton = NewControl<TRadioButton>(this, Panel2, "UpperCaseButton", 4, 76, 128, 17);
    UpperCaseButton->SetCaption("Upper case tags");
    UpperCaseButton->SetChecked(true);
    LowerCaseButton = NewControl<TRadioButton>(this, Panel2, "LowerCaseButton", 4, 94, 128, 17);
    LowerCaseButton->SetCaption("Lower case tags");
    NoChangeButton = NewControl<TRadioButton>(this, Panel2, "NoChangeButton", 4, 112, 128, 17);
    NoChangeButton->SetCaption("No change to tags");
    BlankLinesCheck = NewControl<TCheckBox>(this, Panel2, "BlankLinesCheck", 4, 130, 128, 17);
    BlankLinesCheck->SetCaption("&Remove blank lines");
    RemoveCommentsCheck =
        NewControl<TCheckBox>(this, this, "RemoveCommentsCheck", 560, 248, 136, 17);
    RemoveCommentsCheck->SetCaption("Remove C&omments");
    LogCheck = NewControl<TCheckBox>(this, this, "LogCheck", 560, 265, 136, 17);
    LogCheck->SetCaption("Log this operation");
}

void TFolderSelectForm::FormCreate(TObject* /*Sender*/) {
    LogCheck->SetChecked(false);
    TRegistry reg;
    if (reg.OpenKey(MultiPublishKey, false)) {
        LogCheck->SetChecked(ReadBoolValue(reg, "Log", false));
        const int tab = reg.ValueExists("LastTab") ? reg.ReadInteger("LastTab") : 1;
        if (tab >= 1 && tab <= GroupCount)
            PageControl1->SetActivePageIndex(tab - 1);
    }
    if (reg.OpenKey(MultiFoldersKey, false))
        for (int i = 0; i < StoredGroupCount; ++i)
            if (reg.ValueExists(IntToStr(i)))
                TabSheets[static_cast<size_t>(i)]->SetCaption(reg.ReadString(IntToStr(i)));
    LoadOptions();
    BindOptions();
}

// The shared clean-up options; the enabling of the wrap and line-length controls stays as the
// form has it until one of the two boxes is clicked.
void TFolderSelectForm::LoadOptions() {
    TRegistry reg;
    if (reg.OpenKey(PublishKey, false)) {
        RemoveCommentsCheck->SetChecked(
            ReadBoolValue(reg, "Remove Comments", RemoveCommentsCheck->Checked()));
        WrapTextCheck->SetChecked(ReadBoolValue(reg, "WrapText", WrapTextCheck->Checked()));
        if (reg.ValueExists("CompactFile"))
            CompactCheck->SetChecked(reg.ReadInteger("CompactFile") != 0);
        if (reg.ValueExists("LineLength"))
            LineLengthEdit->SetText(reg.ReadString("LineLength"));
        BlankLinesCheck->SetChecked(
            ReadBoolValue(reg, "RemoveBlankLines", BlankLinesCheck->Checked()));
    }
    if (reg.OpenKey(PublishTagsKey, false)) {
        UpperCaseButton->SetChecked(ReadBoolValue(reg, "UpperCase", UpperCaseButton->Checked()));
        LowerCaseButton->SetChecked(ReadBoolValue(reg, "LowerCase", LowerCaseButton->Checked()));
        NoChangeButton->SetChecked(ReadBoolValue(reg, "NoChange", NoChangeButton->Checked()));
    }
}

// Bound once the stored options are shown, so that showing them writes nothing back.
void TFolderSelectForm::BindOptions() {
    CompactCheck->OnClick = Handler(this, &TFolderSelectForm::CompactCheckClick);
    WrapTextCheck->OnClick = Handler(this, &TFolderSelectForm::WrapTextCheckClick);
    BlankLinesCheck->OnClick = Handler(this, &TFolderSelectForm::BlankLinesCheckClick);
    RemoveCommentsCheck->OnClick = Handler(this, &TFolderSelectForm::RemoveCommentsCheckClick);
    LogCheck->OnClick = Handler(this, &TFolderSelectForm::LogCheckClick);
    for (TRadioButton* button : {UpperCaseButton, LowerCaseButton, NoChangeButton})
        button->OnClick = Handler(this, &TFolderSelectForm::UpperCaseButtonClick);
}

TListBox* TFolderSelectForm::GroupFolderList(int tab, int mode) {
    if (mode != 1)
        return nullptr;
    if (tab == -1)
        tab = PageControl1->ActivePageIndex() + 1;
    if (tab < 1 || tab > GroupCount)
        return nullptr;
    return GroupLists[static_cast<size_t>(tab - 1)];
}

void TFolderSelectForm::PubAddButtonClick(TObject* /*Sender*/) {
    TListBox* group = GroupFolderList(-1, 1);
    const String folder = DirListBox->Directory();
    if (group && !ListHolds(group->Items(), folder))
        group->Items().Add(folder);
}

void TFolderSelectForm::PubDeleteButtonClick(TObject* /*Sender*/) {
    TListBox* group = GroupFolderList(-1, 1);
    if (group && group->ItemIndex() >= 0)
        group->Items().Delete(group->ItemIndex());
}

void TFolderSelectForm::TabNameButtonClick(TObject* /*Sender*/) {
    if (Edit1->Visible()) {
        RenameActiveTab();
        return;
    }
    const int k = PageControl1->ActivePageIndex() % TabsPerRow;
    Edit1->SetLeft(PageControl1->Left() + 5 + TabWidth * k);
    Edit1->SetTop(21);
    Edit1->SetText(PageControl1->ActivePage()->Caption());
    Edit1->SetVisible(true);
    Edit1->BringToFront();
    if (Edit1->CanFocus())
        Edit1->SetFocus();
}

void TFolderSelectForm::Edit1KeyDown(TObject* /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
    if (Key == 13)
        RenameActiveTab();
}

// The "Temp" tab's name lasts only while the dialog is open.
void TFolderSelectForm::RenameActiveTab() {
    const int index = PageControl1->ActivePageIndex();
    PageControl1->ActivePage()->SetCaption(Edit1->Text());
    Edit1->SetVisible(false);
    if (index >= StoredGroupCount)
        return;
    TRegistry reg;
    if (reg.OpenKey(MultiFoldersKey, true))
        reg.WriteString(IntToStr(index), Edit1->Text());
}

void TFolderSelectForm::FinishButtonClick(TObject* /*Sender*/) {
    WriteStoredGroups();
    SetModalResult(mrOk);
}

void TFolderSelectForm::WriteStoredGroups() {
    TRegistry reg;
    if (!reg.OpenKey(MultiPublishKey, true))
        return;
    TStringList names;
    reg.GetValueNames(&names);
    for (int i = 0; i < names.Count(); ++i)
        if (IsGroupEntryName(names[i]))
            reg.DeleteValue(names[i]);
    reg.WriteString("LastMultiDir", DirListBox->Directory());
    reg.WriteInteger("LastTab", PageControl1->ActivePageIndex() + 1);
    for (int group = 1; group <= StoredGroupCount; ++group) {
        TStrings& folders = GroupFolderList(group, 1)->Items();
        for (int entry = 0; entry < folders.Count(); ++entry)
            reg.WriteString(IntToStr(group) + "-" + IntToStr(entry + 1), folders[entry]);
    }
}

void TFolderSelectForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

// Wrapping and its line length follow compaction, as in the publisher window.
void TFolderSelectForm::CompactCheckClick(TObject* /*Sender*/) {
    const bool compact = CompactCheck->Checked();
    StorePublishOption("CompactFile", compact);
    WrapTextCheck->SetEnabled(compact);
    LineLengthEdit->SetEnabled(compact && WrapTextCheck->Checked());
    LineLengthButtons->SetEnabled(compact && WrapTextCheck->Checked());
}

void TFolderSelectForm::WrapTextCheckClick(TObject* /*Sender*/) {
    const bool wrap = WrapTextCheck->Checked();
    StorePublishOption("WrapText", wrap);
    LineLengthEdit->SetEnabled(wrap);
    LineLengthButtons->SetEnabled(wrap);
}

void TFolderSelectForm::UpperCaseButtonClick(TObject* /*Sender*/) {
    StoreTagCase(UpperCaseButton->Checked(), LowerCaseButton->Checked(), NoChangeButton->Checked());
}

void TFolderSelectForm::BlankLinesCheckClick(TObject* /*Sender*/) {
    StorePublishOption("RemoveBlankLines", BlankLinesCheck->Checked());
}

void TFolderSelectForm::RemoveCommentsCheckClick(TObject* /*Sender*/) {
    StorePublishOption("Remove Comments", RemoveCommentsCheck->Checked());
}

void TFolderSelectForm::LogCheckClick(TObject* /*Sender*/) {
    WriteBoolValue(MultiPublishKey, "Log", LogCheck->Checked());
}
