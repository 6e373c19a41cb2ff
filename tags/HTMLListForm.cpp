#include "tags/HTMLListForm.h"

#include "editor/DialogGuard.h"
#include "platform/Events.h"
#include "platform/Grids.h"
#include "platform/StdCtrls.h"
#include "tags/ListText.h"

#include <algorithm>
#include <cctype>

TListForm* ListForm = nullptr;

namespace {

const int RowHeight = 24;
const int RadioHeight = 17;
const int RadioStep = 21;

// The number the text starts with, 0 when it starts with no digit; a long run of digits stays
// above any row count instead of overflowing.
int LeadingNumber(const String& text) {
    int n = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        n = std::min(n * 10 + (c - '0'), 1000000);
    }
    return n;
}

TRadioButton* AddRadio(TForm* form, TGroupBox* group, const String& name, const String& caption,
                       int index, int width) {
    auto* radio =
        NewControl<TRadioButton>(form, group, name, 12, 18 + index * RadioStep, width, RadioHeight);
    radio->SetCaption(caption);
    return radio;
}

TEdit* AddNumberBox(TForm* form, const String& name, const String& labelName, const String& label,
                    int left, int top, TLabel*& caption) {
    caption = NewControl<TLabel>(form, form, labelName, left, top + 4, 36, 13);
    caption->SetCaption(label);
    auto* edit = NewControl<TEdit>(form, form, name, left + 40, top, 44, 21);
    caption->SetFocusControl(edit);
    return edit;
}

TUpDown* AddUpDown(TForm* form, const String& name, TEdit* edit, int position) {
    auto* upDown = NewControl<TUpDown>(form, form, name);
    upDown->SetMin(1);
    upDown->SetMax(100);
    upDown->SetPosition(position);
    upDown->SetAssociate(edit);
    return upDown;
}

} // namespace

TListForm::TListForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("ListForm");
        SetCaption("Quiltmarker - List");
        SetClientWidth(540);
        SetClientHeight(336);

        ListGrid = NewControl<TStringGrid>(this, this, "ListGrid", 8, 8, 524, 152);
        ListGrid->SetFixedCols(0);
        ListGrid->SetFixedRows(0);
        ListGrid->SetColCount(2);
        ListGrid->SetRowCount(2);
        // Typing starts in the first row's item text.
        ListGrid->FocusCell(1, 0);
        ListGrid->SetDefaultRowHeight(RowHeight);
        ListGrid->SetOptions(ListGrid->Options() |
                             TGridOptions{goEditing, goTabs, goAlwaysShowEditor, goColSizing});

        NumRowsEdit = AddNumberBox(this, "NumRowsEdit", "Label1", "&Rows", 8, 168, Label1);
        NumRowsUpDown = AddUpDown(this, "NumRowsUpDown", NumRowsEdit, 2);
        StartEdit = AddNumberBox(this, "StartEdit", "Label2", "&Start", 120, 168, Label2);
        StartEdit->SetReadOnly(true);
        StartUpDown = AddUpDown(this, "StartUpDown", StartEdit, 1);
        EnableStart(false);

        GroupBox1 = NewControl<TGroupBox>(this, this, "GroupBox1", 8, 198, 150, 130);
        GroupBox1->SetCaption("&List Type");
        PlainListButton = AddRadio(this, GroupBox1, "PlainListButton", "&Unordered list", 0, 130);
        OrderedListButton = AddRadio(this, GroupBox1, "OrderedListButton", "&Ordered list", 1, 130);
        DefinitionButton =
            AddRadio(this, GroupBox1, "DefinitionButton", "&Definition list", 2, 130);
        MenuListButton = AddRadio(this, GroupBox1, "MenuListButton", "&Menu list", 3, 130);
        DirectoryListButton =
            AddRadio(this, GroupBox1, "DirectoryListButton", "Director&y list", 4, 130);
        PlainListButton->SetChecked(true);

        // The bullet frame, the number-type frame and Compact share one place: the list type
        // shows one of them at a time.
        BulletGroup = NewControl<TGroupBox>(this, this, "BulletGroup", 166, 198, 120, 88);
        BulletGroup->SetCaption("Bullet Type");
        DiscButton = AddRadio(this, BulletGroup, "DiscButton", "Disc", 0, 96);
        CircleButton = AddRadio(this, BulletGroup, "CircleButton", "Circle", 1, 96);
        SquareButton = AddRadio(this, BulletGroup, "SquareButton", "Square", 2, 96);
        DiscButton->SetChecked(true);

        TypeGroup = NewControl<TGroupBox>(this, this, "TypeGroup", 166, 198, 120, 130);
        TypeGroup->SetCaption("&Type");
        OneButton = AddRadio(this, TypeGroup, "OneButton", "1", 0, 60);
        iButton = AddRadio(this, TypeGroup, "iButton", "i", 1, 60);
        IIButton = AddRadio(this, TypeGroup, "IIButton", "I", 2, 60);
        IIButton->Font().SetName("Times New Roman");
        aButton = AddRadio(this, TypeGroup, "aButton", "a", 3, 60);
        AAButton = AddRadio(this, TypeGroup, "AAButton", "A", 4, 60);
        OneButton->SetChecked(true);
        TypeGroup->SetVisible(false);

        CompactCheck = NewControl<TCheckBox>(this, this, "CompactCheck", 170, 204, 110, 17);
        CompactCheck->SetCaption("&Compact");
        CompactCheck->SetVisible(false);

        OKButton = NewControl<TButton>(this, this, "OKButton", 376, 303, 75, 25);
        OKButton->SetCaption("OK");
        OKButton->SetDefault(true);
        OKButton->SetModalResult(mrOk);
        CancelButton = NewControl<TButton>(this, this, "CancelButton", 457, 303, 75, 25);
        CancelButton->SetCaption("Cancel");
        CancelButton->SetCancel(true);
        CancelButton->SetModalResult(mrCancel);

        NumRowsUpDown->OnClick = Handler(this, &TListForm::NumRowsUpDownClick);
        NumRowsEdit->OnChange = Handler(this, &TListForm::NumRowsEditChange);
        StartEdit->OnChange = Handler(this, &TListForm::NumRowsEditChange);
        StartUpDown->OnClick = Handler(this, &TListForm::StartUpDownClick);
        PlainListButton->OnClick = Handler(this, &TListForm::PlainListButtonClick);
        OrderedListButton->OnClick = Handler(this, &TListForm::OrderedListButtonClick);
        DefinitionButton->OnClick = Handler(this, &TListForm::DefinitionButtonClick);
        MenuListButton->OnClick = Handler(this, &TListForm::MenuListButtonClick);
        DirectoryListButton->OnClick = Handler(this, &TListForm::DirectoryListButtonClick);
        OneButton->OnClick = Handler(this, &TListForm::OneButtonClick);
        iButton->OnClick = Handler(this, &TListForm::iButtonClick);
        IIButton->OnClick = Handler(this, &TListForm::IIButtonClick);
        aButton->OnClick = Handler(this, &TListForm::aButtonClick);
        AAButton->OnClick = Handler(this, &TListForm::AAButtonClick);
        OKButton->OnClick = Handler(this, &TListForm::OKButtonClick);
        CancelButton->OnClick = Handler(this, &TListForm::CancelButtonClick);
        OnShow = Handler(this, &TListForm::FormShow);
    });
}

void TListForm::NumRowsUpDownClick(TObject* /*Sender*/, TUDBtnType /*Button*/) {
    NumRowsEdit->SetText(IntToStr(NumRowsUpDown->Position()));
}

// Also the start box's change: a new start renumbers the preview. Writing the clamped count back
// into the box raises this once more, and that run changes nothing.
void TListForm::NumRowsEditChange(TObject* /*Sender*/) {
    NumRowsUpDown->SetPosition(LeadingNumber(NumRowsEdit->Text()));
    ListGrid->SetRowCount(NumRowsUpDown->Position());
    UpdateListLayout();
}

void TListForm::PlainListButtonClick(TObject* /*Sender*/) {
    EnableStart(false);
    UpdateListLayout();
}

void TListForm::OrderedListButtonClick(TObject* /*Sender*/) {
    UpdateListLayout();
    EnableStart(true);
}

// The preview numbers must not become terms.
void TListForm::DefinitionButtonClick(TObject* /*Sender*/) {
    EnableStart(false);
    UpdateListLayout();
    for (int row = 0; row < ListGrid->RowCount(); ++row)
        ListGrid->SetCells(0, row, "");
}

void TListForm::MenuListButtonClick(TObject* Sender) {
    PlainListButtonClick(Sender);
}

void TListForm::DirectoryListButtonClick(TObject* Sender) {
    PlainListButtonClick(Sender);
}

void TListForm::OneButtonClick(TObject* /*Sender*/) {
    UpdateListLayout();
}

void TListForm::iButtonClick(TObject* /*Sender*/) {
    UpdateListLayout();
}

void TListForm::IIButtonClick(TObject* /*Sender*/) {
    UpdateListLayout();
}

void TListForm::aButtonClick(TObject* /*Sender*/) {
    UpdateListLayout();
}

void TListForm::AAButtonClick(TObject* /*Sender*/) {
    UpdateListLayout();
}

void TListForm::StartUpDownClick(TObject* /*Sender*/, TUDBtnType /*Button*/) {
    UpdateStartEdit();
}

void TListForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
}

void TListForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void TListForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TListForm::UpdateListLayout() {
    const int width = ListGrid->Width();
    if (OrderedListButton->Checked()) {
        BulletGroup->SetVisible(false);
        CompactCheck->SetVisible(false);
        TypeGroup->SetVisible(true);
        ListGrid->SetColWidths(0, 30);
        ListGrid->SetColWidths(1, width - 42);
        const int start = StartUpDown->Position();
        for (int row = 0; row < ListGrid->RowCount(); ++row)
            ListGrid->SetCells(0, row, PreviewLabel(NumberType(), start + row));
        ListGrid->SetTabStops(0, false);
        UpdateStartEdit();
    } else if (DefinitionButton->Checked()) {
        BulletGroup->SetVisible(false);
        TypeGroup->SetVisible(false);
        CompactCheck->SetVisible(true);
        ListGrid->SetColWidths(0, width / 4);
        ListGrid->SetColWidths(1, width - width / 4 - 12);
        ListGrid->SetTabStops(0, true);
    } else {
        ListGrid->SetColWidths(0, 0);
        ListGrid->SetColWidths(1, width - 14);
        ListGrid->SetTabStops(0, false);
        BulletGroup->SetVisible(PlainListButton->Checked());
        TypeGroup->SetVisible(false);
        CompactCheck->SetVisible(false);
    }
}

void TListForm::UpdateStartEdit() {
    StartEdit->SetText(StartLabel(NumberType(), StartUpDown->Position()));
}

void TListForm::Prepare() {
    ListGrid->SetColWidths(0, 0);
    ListGrid->SetTabStops(0, false);
    ListGrid->SetColWidths(1, 500);
    ListGrid->SetRowCount(2);
    NumRowsUpDown->SetPosition(2);
    NumRowsEdit->SetText("2");
    // The list type first: writing the start box renumbers an ordered list, which would put the
    // last number type's form ("i") in the box.
    PlainListButton->SetChecked(true);
    StartUpDown->SetPosition(1);
    StartEdit->SetText("1");
    EnableStart(false);
}

String TListForm::ListHTML(const String& indent) const {
    std::vector<TListRow> rows;
    for (int row = 0; row < ListGrid->RowCount(); ++row)
        rows.push_back({ListGrid->Cells(0, row), ListGrid->Cells(1, row)});
    return ListText(Choice(), rows, indent);
}

TListChoice TListForm::Choice() const {
    TListChoice choice;
    choice.Kind = OrderedListButton->Checked()     ? TListKind::Ordered
                  : DefinitionButton->Checked()    ? TListKind::Definition
                  : MenuListButton->Checked()      ? TListKind::Menu
                  : DirectoryListButton->Checked() ? TListKind::Directory
                                                   : TListKind::Unordered;
    choice.Bullet = CircleButton->Checked() ? 'C' : SquareButton->Checked() ? 'S' : 'D';
    choice.Type = NumberType();
    choice.Start = StartUpDown->Position();
    choice.Compact = CompactCheck->Checked();
    return choice;
}

char TListForm::NumberType() const {
    return iButton->Checked()    ? 'i'
           : IIButton->Checked() ? 'I'
           : aButton->Checked()  ? 'a'
           : AAButton->Checked() ? 'A'
                                 : '1';
}

void TListForm::EnableStart(bool enabled) {
    StartEdit->SetEnabled(enabled);
    StartUpDown->SetEnabled(enabled);
}
