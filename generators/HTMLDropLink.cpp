#include "generators/HTMLDropLink.h"

#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/Grids.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "tags/DialogLayout.h"
#include "widgets/QmToolbars.h"

TDropLinkForm* DropLinkForm = nullptr;

namespace {

const String ImageFilter = "Image files (*.gif;*.jpg)|*.gif;*.jpg|All files (*.*)|*.*";
const String HTMLFilter = "HTML files (*.*htm*)|*.*htm*|All files (*.*)|*.*";

TQmToolbarButton* AddBrowseButton(TForm* form, const String& name, TEdit* edit) {
    auto* button = NewControl<TQmToolbarButton>(form, form, name, edit->Left() + edit->Width() + 2,
                                                edit->Top(), 23, 22);
    button->SetCaption("...");
    return button;
}

TRadioGroup* AddRadioGroup(TForm* form, const String& name, const String& caption,
                           std::initializer_list<const char*> items, int columns, int index,
                           int left, int top, int width, int height) {
    auto* group = NewControl<TRadioGroup>(form, form, name, left, top, width, height);
    group->SetCaption(caption);
    group->SetColumns(columns);
    for (const char* item : items)
        group->Items().Add(item);
    group->SetItemIndex(index);
    return group;
}

} // namespace

TDropLinkForm::TDropLinkForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("DropLinkForm");
        SetCaption("Quiltmarker - DropDown Link List");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(520);
        SetClientHeight(432);
        BuildControls();
        BuildLinkList();
    });
}

void TDropLinkForm::BuildControls() {
    ButtonGroup = AddRadioGroup(this, "ButtonGroup", "&Activate by ",
                                {"&Button", "&Text", "&Image", "&Selection"}, 4, 0, 8, 4, 504, 40);
    ButtonGroup->OnClick = Handler(this, &TDropLinkForm::ButtonGroupClick);
    LinkNameEdit = AddLabelledBox<TEdit>(this, this, "LinkNameEdit", "LinkNameLabel", "Menu &name",
                                         8, 50, 140);
    NewWindowCheck = NewControl<TCheckBox>(this, this, "NewWindowCheck", 160, 68, 190, 17);
    NewWindowCheck->SetCaption("&Open  link in new window");
    NewWindowCheck->OnClick = Handler(this, &TDropLinkForm::NewWindowCheckClick);
    WindowNameEdit = AddLabelledBox<TEdit>(this, this, "WindowNameEdit", "WindowNameLabel",
                                           "&Window name", 360, 50, 152);
    WindowNameEdit->SetText("_newwin");
    WindowNameEdit->SetEnabled(false);

    BorderCheck = NewControl<TCheckBox>(this, this, "BorderCheck", 8, 112, 70, 17);
    BorderCheck->SetCaption("&Border");
    BorderCheck->OnClick = Handler(this, &TDropLinkForm::BorderCheckClick);
    auto* colourLabel = NewControl<TLabel>(this, this, "ColourLabel", 80, 96, 60, 13);
    colourLabel->SetCaption("&Colour");
    ColourPanel = NewControl<TPanel>(this, this, "ColourPanel", 80, 112, 40, 21);
    // A fixed face colour, so that a menu made before any colour is chosen is the same on every
    // desktop.
    ColourPanel->SetColor(clSilver);
    ColourPanel->SetBevelInner(bvRaised);
    ColourPanel->SetBevelOuter(bvRaised);
    ColourPanel->SetEnabled(false);
    ColourPanel->OnMouseDown = Handler(this, &TDropLinkForm::ColourPanelMouseDown);
    ColourPanel->OnMouseUp = Handler(this, &TDropLinkForm::ColourPanelMouseUp);
    ColourPanel->OnClick = Handler(this, &TDropLinkForm::ColourPanelClick);
    BorderSizeEdit = AddLabelledBox<TEdit>(this, this, "BorderSizeEdit", "BorderSizeLabel", "&Size",
                                           132, 96, 36);
    BorderSizeUD = AddUpDown(this, this, "BorderSizeUD", BorderSizeEdit, 0, 100);
    BorderSizeUD->SetPosition(4);
    BorderSizeEdit->SetEnabled(false);
    BorderSizeUD->SetEnabled(false);
    AlignGroup = AddRadioGroup(this, "AlignGroup", " A&lignment ", {"&Left", "&Center", "&Right"},
                               3, 1, 200, 92, 312, 40);

    ClickTextEdit = AddLabelledBox<TEdit>(this, this, "ClickTextEdit", "TextLabel", "Button &Text",
                                          8, 140, 300, &TextLabel);
    ClickTextEdit->SetText("Go");
    ImageBrowseButton = AddBrowseButton(this, "ImageBrowseButton", ClickTextEdit);
    ImageBrowseButton->SetVisible(false);
    ImageBrowseButton->OnClick = Handler(this, &TDropLinkForm::ImageBrowseButtonClick);

    LinkTextEdit = AddLabelledBox<TEdit>(this, this, "LinkTextEdit", "LinkTextLabel", "&Link text",
                                         8, 184, 160);
    LinkURLEdit = AddLabelledBox<TEdit>(this, this, "LinkURLEdit", "LinkURLLabel",
                                        "Location (&URL)", 176, 184, 200);
    QmToolbarButton1 = AddBrowseButton(this, "QmToolbarButton1", LinkURLEdit);
    QmToolbarButton1->OnClick = Handler(this, &TDropLinkForm::QmToolbarButton1Click);

    OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
    OpenDialog->SetFilter(HTMLFilter);
    ColorDialog = NewComponent<TColorDialog>(this, "ColorDialog");
}

void TDropLinkForm::BuildLinkList() {
    AddButton = NewControl<TButton>(this, this, "AddButton", 8, 228, 75, 25);
    AddButton->SetCaption("&Add");
    AddButton->OnClick = Handler(this, &TDropLinkForm::AddButtonClick);
    DeleteButton = NewControl<TButton>(this, this, "DeleteButton", 90, 228, 75, 25);
    DeleteButton->SetCaption("&Delete");
    DeleteButton->OnClick = Handler(this, &TDropLinkForm::DeleteButtonClick);
    auto* note = NewControl<TLabel>(this, this, "GridLabel", 176, 236, 250, 13);
    note->SetCaption("Double-click an entry to edit it");
    Grid = NewControl<TStringGrid>(this, this, "Grid", 8, 260, 470, 128);
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(0);
    Grid->SetColCount(2);
    Grid->SetRowCount(1);
    Grid->SetDefaultColWidth(230);
    Grid->SetOptions(Grid->Options() | TGridOptions{goRowSelect});
    Grid->OnDblClick = Handler(this, &TDropLinkForm::GridDblClick);
    UpButton = NewControl<TSpeedButton>(this, this, "UpButton", 488, 272, 23, 22);
    UpButton->SetCaption("^");
    UpButton->OnClick = Handler(this, &TDropLinkForm::UpButtonClick);
    DownButton = NewControl<TSpeedButton>(this, this, "DownButton", 488, 300, 23, 22);
    DownButton->SetCaption("v");
    DownButton->OnClick = Handler(this, &TDropLinkForm::DownButtonClick);

    OKButton = NewControl<TButton>(this, this, "OKButton", 354, 400, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->OnClick = Handler(this, &TDropLinkForm::OKButtonClick);
    CancelButton = AddModalButton(this, this, "CancelButton", mrCancel, 436, 400);
    CancelButton->OnClick = Handler(this, &TDropLinkForm::CancelButtonClick);
}

void TDropLinkForm::ClearLinks() {
    for (int row = 0; row < Grid->RowCount(); ++row) {
        Grid->SetCells(0, row, "");
        Grid->SetCells(1, row, "");
    }
    Grid->SetRowCount(1);
}

std::vector<std::pair<String, String>> TDropLinkForm::Links() const {
    std::vector<std::pair<String, String>> links;
    for (int row = 0; row + 1 < Grid->RowCount(); ++row)
        links.emplace_back(Grid->Cells(0, row), Grid->Cells(1, row));
    return links;
}

void TDropLinkForm::OKButtonClick(TObject* /*Sender*/) {
    const String name = LinkNameEdit->Text();
    if (PageEditor && PageEditor->Text().find("<SELECT NAME=\"" + name + "\"") != String::npos)
        ShowMessage("A menu named " + name +
                    " already exists.\r\nPlease enter a new name or delete the existing menu.");
    else if (name.empty())
        ShowMessage("Please enter a menu name.");
    else
        SetModalResult(mrOk);
}

void TDropLinkForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

void TDropLinkForm::NewWindowCheckClick(TObject* /*Sender*/) {
    WindowNameEdit->SetEnabled(NewWindowCheck->Checked());
}

void TDropLinkForm::BorderCheckClick(TObject* /*Sender*/) {
    const bool on = BorderCheck->Checked();
    BorderSizeEdit->SetEnabled(on);
    BorderSizeUD->SetEnabled(on);
    ColourPanel->SetEnabled(on);
}

void TDropLinkForm::ColourPanelMouseDown(TObject* /*Sender*/, TMouseButton /*Button*/,
                                         TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    ColourPanel->SetBevelInner(bvLowered);
    ColourPanel->SetBevelOuter(bvLowered);
}

void TDropLinkForm::ColourPanelMouseUp(TObject* /*Sender*/, TMouseButton /*Button*/,
                                       TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    ColourPanel->SetBevelInner(bvRaised);
    ColourPanel->SetBevelOuter(bvRaised);
}

void TDropLinkForm::ColourPanelClick(TObject* /*Sender*/) {
    ColorDialog->SetColor(ColourPanel->Color());
    if (ColorDialog->Execute())
        ColourPanel->SetColor(ColorDialog->Color());
}

void TDropLinkForm::RunImageDialog() {
    OpenDialog->SetFilter(ImageFilter);
    if (OpenDialog->Execute())
        ClickTextEdit->SetText(OpenDialog->FileName());
}

void TDropLinkForm::ButtonGroupClick(TObject* /*Sender*/) {
    ImageBrowseButton->SetVisible(false);
    ClickTextEdit->SetVisible(true);
    ClickTextEdit->SetText("");
    switch (ButtonGroup->ItemIndex()) {
    case 2:
        TextLabel->SetCaption("Image name");
        ImageBrowseButton->SetVisible(true);
        RunImageDialog();
        break;
    case 1:
        TextLabel->SetCaption("Text");
        ClickTextEdit->SetFocus();
        break;
    case 0:
        TextLabel->SetCaption("Button Text");
        break;
    default:
        TextLabel->SetCaption("");
        ClickTextEdit->SetVisible(false);
        break;
    }
}

void TDropLinkForm::ImageBrowseButtonClick(TObject* /*Sender*/) {
    RunImageDialog();
}

void TDropLinkForm::QmToolbarButton1Click(TObject* /*Sender*/) {
    OpenDialog->SetFilter(HTMLFilter);
    if (OpenDialog->Execute())
        LinkURLEdit->SetText(ExtractFileName(OpenDialog->FileName()));
}

void TDropLinkForm::AddButtonClick(TObject* /*Sender*/) {
    const int last = Grid->RowCount() - 1;
    Grid->SetCells(0, last, LinkTextEdit->Text());
    Grid->SetCells(1, last, LinkURLEdit->Text());
    Grid->SetRowCount(last + 2);
    Grid->SetRow(last);
    LinkTextEdit->SetText("");
    LinkURLEdit->SetText("");
    LinkTextEdit->SetFocus();
}

// The trailing empty row stays: deleting it would make the last entry the row that Add
// overwrites and the menu leaves out.
void TDropLinkForm::DeleteButtonClick(TObject* /*Sender*/) {
    const int selected = Grid->Row();
    const int last = Grid->RowCount() - 1;
    if (selected < 0 || selected >= last)
        return;
    for (int row = selected; row < last; ++row) {
        Grid->SetCells(0, row, Grid->Cells(0, row + 1));
        Grid->SetCells(1, row, Grid->Cells(1, row + 1));
    }
    Grid->SetCells(0, last, "");
    Grid->SetCells(1, last, "");
    Grid->SetRowCount(last);
}

void TDropLinkForm::GridDblClick(TObject* Sender) {
    const int selected = Grid->Row();
    if (selected < 0 || selected >= Grid->RowCount() - 1)
        return;
    LinkTextEdit->SetText(Grid->Cells(0, selected));
    LinkURLEdit->SetText(Grid->Cells(1, selected));
    DeleteButtonClick(Sender);
}

void TDropLinkForm::SwapRows(int a, int b) {
    for (int col = 0; col < 2; ++col) {
        const String kept = Grid->Cells(col, a);
        Grid->SetCells(col, a, Grid->Cells(col, b));
        Grid->SetCells(col, b, kept);
    }
    Grid->SetRow(b);
}

void TDropLinkForm::UpButtonClick(TObject* /*Sender*/) {
    const int selected = Grid->Row();
    if (selected <= 0 || selected >= Grid->RowCount() - 1)
        return;
    SwapRows(selected, selected - 1);
}

void TDropLinkForm::DownButtonClick(TObject* /*Sender*/) {
    const int selected = Grid->Row();
    if (selected < 0 || selected >= Grid->RowCount() - 2)
        return;
    SwapRows(selected, selected + 1);
}
