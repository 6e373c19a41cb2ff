#include "generators/HTMLTable.h"

#include "editor/DialogGuard.h"
#include "platform/ColorGrd.h"
#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "widgets/Aligrid.h"
#include "widgets/QmToolbars.h"

#include <algorithm>

THTMLTableForm* HTMLTableForm = nullptr;

namespace {

constexpr int DefaultMaxLines = 100;

TLabel* AddLabel(TForm* form, TWinControl* parent, const String& caption, int left, int top,
                 int width = 70) {
    auto* label = NewControl<TLabel>(form, parent, "", left, top, width, 13);
    label->SetCaption(caption);
    return label;
}

TUpDown* AddNumber(THTMLTableForm* form, TWinControl* parent, const String& name,
                   const String& caption, int left, int top, int min, int max, int position,
                   TEdit*& edit, int editWidth = 40) {
    AddLabel(form, parent, caption, left, top + 4);
    edit = NewControl<TEdit>(form, parent, name + "Edit", left + 72, top, editWidth, 21);
    auto* upDown =
        NewControl<TUpDown>(form, parent, name + "UpDown", left + 72 + editWidth, top, 15, 21);
    upDown->SetMin(min);
    upDown->SetMax(max);
    upDown->SetAssociate(edit);
    upDown->SetPosition(position);
    edit->OnKeyPress = Handler(form, &THTMLTableForm::WidthEditKeyPress);
    return upDown;
}

TComboBox* AddCombo(TForm* form, TWinControl* parent, const String& name, const String& caption,
                    int left, int top, TComboBoxStyle style,
                    std::initializer_list<const char*> items) {
    AddLabel(form, parent, caption, left, top + 4, 42);
    auto* combo = NewControl<TComboBox>(form, parent, name, left + 44, top, 80, 21);
    combo->SetStyle(style);
    for (const char* item : items)
        combo->Items().Add(item);
    return combo;
}

TQmToolbarButton* AddToolButton(THTMLTableForm* form, TWinControl* parent, const String& name,
                                const String& caption, const String& hint, int left, int group,
                                void (THTMLTableForm::*handler)(TObject*)) {
    auto* button = NewControl<TQmToolbarButton>(form, parent, name, left, 4, 23, 22);
    button->SetCaption(caption);
    button->SetHint(hint);
    button->SetShowHint(true);
    button->SetGroupIndex(group);
    button->OnClick = Handler(form, handler);
    return button;
}

// A text's leading whole number, leading blanks skipped; 0 when it starts with anything else.
int LeadingWholeNumber(const String& text, size_t* end = nullptr) {
    size_t i = text.find_first_not_of(' ');
    i = i == String::npos ? text.size() : i;
    int number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        number = std::min(number * 10 + (text[i] - '0'), 99999999);
    if (end)
        *end = i;
    return number;
}

// The number typed into an up-down's edit, taken only within the up-down's range.
void TakeTypedPosition(TEdit* edit, TUpDown* upDown) {
    size_t end = 0;
    int number = LeadingWholeNumber(edit->Text(), &end);
    if (end > 0 && number >= upDown->Min() && number <= upDown->Max())
        upDown->SetPosition(number);
}

} // namespace

THTMLTableForm::THTMLTableForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("HTMLTableForm");
        SetCaption("Quiltmarker - Table Constructor");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(560);
        SetClientHeight(420);
        BuildTableControls();
        BuildCellControls();
        OnShow = Handler(this, &THTMLTableForm::FormShow);
    });
}

void THTMLTableForm::BuildTableControls() {
    TopPanel = NewControl<TPanel>(this, this, "TopPanel", 0, 0, 560, 140);
    ColsUpDown = AddNumber(this, TopPanel, "Cols", "&Cols", 8, 8, 1, DefaultMaxLines, 2, ColsEdit);
    RowsUpDown = AddNumber(this, TopPanel, "Rows", "&Rows", 8, 34, 1, DefaultMaxLines, 1, RowsEdit);
    PaddingUpDown =
        AddNumber(this, TopPanel, "Padding", "Cell &Padding", 8, 60, 0, 100, 0, PaddingEdit);
    SpacingUpDown =
        AddNumber(this, TopPanel, "Spacing", "Cell &Spacing", 8, 86, 0, 100, 0, SpacingEdit);
    // The width edit keeps room for four digits beside the "%" it holds.
    WidthUpDown =
        AddNumber(this, TopPanel, "Width", "&Table width", 144, 8, 0, 1200, 0, WidthEdit, 52);
    BorderUpDown = AddNumber(this, TopPanel, "Border", "&Border", 144, 34, 0, 100, 0, BorderEdit);
    // Drawn as part of the edit's text area, at its right end.
    PCPanel = NewControl<TPanel>(this, WidthEdit, "PCPanel", WidthEdit->Width() - 16, 3, 12, 15);
    PCPanel->SetBevelOuter(bvNone);
    PCPanel->SetColor(clWindow);
    PCPanel->SetCaption("%");
    PCPanel->OnClick = Handler(this, &THTMLTableForm::PCPanelClick);
    PercentCheck = NewControl<TCheckBox>(this, TopPanel, "PercentCheck", 290, 10, 40, 17);
    PercentCheck->SetCaption("&%");
    PercentCheck->SetChecked(true);
    PercentCheck->OnClick = Handler(this, &THTMLTableForm::WidthEditChange);
    WidthEdit->OnChange = Handler(this, &THTMLTableForm::WidthEditChange);
    ColsUpDown->OnClick = Handler(this, &THTMLTableForm::ColsUpDownClick);
    RowsUpDown->OnClick = Handler(this, &THTMLTableForm::RowsUpDownClick);
    ColsEdit->OnChange = Handler(this, &THTMLTableForm::ColsEditChange);
    RowsEdit->OnChange = Handler(this, &THTMLTableForm::RowsEditChange);
    AddLabel(this, TopPanel, "Caption", 144, 64, 50);
    CaptionEdit = NewControl<TEdit>(this, TopPanel, "CaptionEdit", 216, 60, 120, 21);
    AddLabel(this, TopPanel, "Background", 350, 8);
    NoBGCheck = NewControl<TCheckBox>(this, TopPanel, "NoBGCheck", 350, 26, 60, 17);
    NoBGCheck->SetCaption("&None");
    NoBGCheck->SetChecked(true);
    NoBGCheck->OnClick = Handler(this, &THTMLTableForm::NoBGCheckClick);
    ColourPanel = NewControl<TPanel>(this, TopPanel, "ColourPanel", 350, 46, 60, 21);
    ColourPanel->SetCaption("Clear");
    ColourPanel->SetColor(clWhite);
    DropButton1 = NewControl<TQmToolbarButton>(this, TopPanel, "DropButton1", 412, 46, 16, 21);
    DropButton1->SetCaption("v");
    DropButton1->OnClick = Handler(this, &THTMLTableForm::DropButton1Click);
    BackColourGrid = NewControl<TColorGrid>(this, this, "BackColourGrid", 350, 68, 100, 100);
    BackColourGrid->SetForegroundIndex(15);
    BackColourGrid->SetBackgroundEnabled(false);
    BackColourGrid->SetVisible(false);
    BackColourGrid->OnClick = Handler(this, &THTMLTableForm::BackColourGridClick);
    AddLabel(this, TopPanel, "Ali&gnment", 432, 2, 60);
    AlignCombo = AddCombo(this, TopPanel, "AlignCombo", "Table", 432, 16, csDropDownList,
                          {"", "LEFT", "CENTER", "RIGHT"});
    FrameCombo =
        AddCombo(this, TopPanel, "FrameCombo", "&Frame", 432, 42, csDropDown,
                 {"", "VOID", "ABOVE", "BELOW", "HSIDES", "LHS", "RHS", "VSIDES", "BOX", "BORDER"});
    RulesCombo = AddCombo(this, TopPanel, "RulesCombo", "&Rules", 432, 68, csDropDown,
                          {"", "NONE", "GROUPS", "ROWS", "COLS", "ALL"});
    HeadingCheck = NewControl<TCheckBox>(this, TopPanel, "HeadingCheck", 144, 90, 140, 17);
    HeadingCheck->SetCaption("Top row is &Heading");
}

void THTMLTableForm::BuildCellControls() {
    auto* cellPanel = NewControl<TPanel>(this, this, "CellPanel", 0, 140, 560, 60);
    LeftButton = AddToolButton(this, cellPanel, "LeftButton", "L", "Left align cell text", 8, 1,
                               &THTMLTableForm::LeftButtonClick);
    CentreButton = AddToolButton(this, cellPanel, "CentreButton", "C", "Centre align cell text", 32,
                                 1, &THTMLTableForm::CentreButtonClick);
    RightButton = AddToolButton(this, cellPanel, "RightButton", "R", "Right align cell text", 56, 1,
                                &THTMLTableForm::RightButtonClick);
    ValignTopButton =
        AddToolButton(this, cellPanel, "ValignTopButton", "T", "Align cell text at top", 88, 2,
                      &THTMLTableForm::ValignTopButtonClick);
    ValignMidButton =
        AddToolButton(this, cellPanel, "ValignMidButton", "M", "Align cell text in middle ", 112, 2,
                      &THTMLTableForm::ValignMidButtonClick);
    ValignBotButton =
        AddToolButton(this, cellPanel, "ValignBotButton", "B", "Align cell text at bottom", 136, 2,
                      &THTMLTableForm::ValignBotButtonClick);
    ValignBaseButton =
        AddToolButton(this, cellPanel, "ValignBaseButton", "b", "Align cell text at baseline", 160,
                      2, &THTMLTableForm::ValignBaseButtonClick);
    LeftButton->SetDown(true);
    ValignMidButton->SetDown(true);
    RowGroup = NewControl<TGroupBox>(this, cellPanel, "RowGroup", 192, 0, 220, 40);
    RowGroup->SetCaption(" Current Row ");
    CellAlignLeft = NewControl<TRadioButton>(this, RowGroup, "CellAlignLeft", 8, 16, 60, 17);
    CellAlignLeft->SetCaption("&Left");
    CellAlignLeft->OnClick = Handler(this, &THTMLTableForm::CellAlignLeftClick);
    CellAlignCentre = NewControl<TRadioButton>(this, RowGroup, "CellAlignCentre", 76, 16, 64, 17);
    CellAlignCentre->SetCaption("&Centre");
    CellAlignCentre->OnClick = Handler(this, &THTMLTableForm::CellAlignCentreClick);
    CellAlignRight = NewControl<TRadioButton>(this, RowGroup, "CellAlignRight", 148, 16, 60, 17);
    CellAlignRight->SetCaption("&Right");
    CellAlignRight->OnClick = Handler(this, &THTMLTableForm::CellAlignRightClick);
    NoWrapCheck = NewControl<TCheckBox>(this, cellPanel, "NoWrapCheck", 424, 14, 80, 17);
    NoWrapCheck->SetCaption("No &Wrap");
    NoWrapCheck->SetColor(clYellow);
    NoWrapCheck->OnMouseMove = Handler(this, &THTMLTableForm::NoWrapCheckMouseMove);
    NoWrapCheck->OnClick = Handler(this, &THTMLTableForm::NoWrapCheckClick);
    WidthHintLabel = AddLabel(this, this, "Click top row for column width", 8, 204, 200);
    StringGrid = NewControl<TStringAlignGrid>(this, this, "StringGrid", 8, 220, 544, 160);
    StringGrid->SetAlignment(TMyAlign::alLeft);
    StringGrid->SetDefaultColWidth(128);
    StringGrid->SetDefaultRowHeight(16);
    StringGrid->SetGridLineWidth(2);
    StringGrid->SetSelectedCellColor(clNavy);
    TGridOptions options = StringGrid->Options();
    options << goEditing << goRowMoving << goColMoving << goRowSizing << goColSizing;
    StringGrid->SetOptions(options);
    StringGrid->SetFixedCols(0);
    StringGrid->OnSelectCell = Handler(this, &THTMLTableForm::StringGridSelectCell);
    StringGrid->OnMouseUp = Handler(this, &THTMLTableForm::StringGridMouseUp);
    TempEdit = NewControl<TEdit>(this, StringGrid, "TempEdit", 0, 0, 70, 13);
    TempEdit->SetVisible(false);
    TempEdit->OnKeyDown = Handler(this, &THTMLTableForm::TempEditKeyDown);
    TempEdit->OnExit = Handler(this, &THTMLTableForm::TempEditExit);
    OKButton = NewControl<TButton>(this, this, "OKButton", 396, 388, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->OnClick = Handler(this, &THTMLTableForm::OKButtonClick);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 478, 388, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->OnClick = Handler(this, &THTMLTableForm::CancelButtonClick);
    LoadDesign(TTableDesign::Blank(2, 1));
}

void THTMLTableForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
    StringGrid->SetRowHeights(0, 16);
}

void THTMLTableForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrOk);
}

void THTMLTableForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
    Close();
}

void THTMLTableForm::DropButton1Click(TObject* /*Sender*/) {
    BackColourGrid->SetVisible(!BackColourGrid->Visible());
}

void THTMLTableForm::ShowBackColour(int index) {
    ColourPanel->SetColor(TColorGrid::PaletteColor(index));
    ColourPanel->SetCaption("");
}

void THTMLTableForm::BackColourGridClick(TObject* /*Sender*/) {
    BackColourGrid->SetVisible(false);
    ShowBackColour(BackColourGrid->ForegroundIndex());
    NoBGCheck->SetChecked(false);
}

void THTMLTableForm::NoBGCheckClick(TObject* /*Sender*/) {
    if (NoBGCheck->Checked()) {
        ColourPanel->SetCaption("Clear");
        ColourPanel->SetColor(clWhite);
    } else
        ColourPanel->SetCaption("");
}

void THTMLTableForm::SetColumnCount(int count) {
    StringGrid->SetColCount(count);
    StringGrid->SetFixedRows(1);
}

void THTMLTableForm::SetTableRowCount(int count) {
    StringGrid->SetRowCount(count + 1);
    StringGrid->SetFixedRows(1);
}

void THTMLTableForm::ColsUpDownClick(TObject* /*Sender*/, TUDBtnType /*Button*/) {
    int count = ColsUpDown->Position();
    SetColumnCount(count);
    for (int r = 0; r < StringGrid->RowCount(); ++r)
        StringGrid->SetHintCell(count - 1, r, "valign=middle");
}

void THTMLTableForm::RowsUpDownClick(TObject* /*Sender*/, TUDBtnType /*Button*/) {
    int count = RowsUpDown->Position();
    SetTableRowCount(count);
    for (int c = 0; c < StringGrid->ColCount(); ++c)
        StringGrid->SetHintCell(c, count, "valign=middle");
}

// An empty, zero or too large number leaves the count as it was, so the grid never loses its
// last column or row to a half-typed number.
void THTMLTableForm::ColsEditChange(TObject* /*Sender*/) {
    TakeTypedPosition(ColsEdit, ColsUpDown);
    if (!FLoading)
        SetColumnCount(ColsUpDown->Position());
}

void THTMLTableForm::RowsEditChange(TObject* /*Sender*/) {
    TakeTypedPosition(RowsEdit, RowsUpDown);
    if (!FLoading)
        SetTableRowCount(RowsUpDown->Position());
}

void THTMLTableForm::SetCurrentCellAlign(TMyAlign align) {
    StringGrid->SetAlignCell(StringGrid->Col(), StringGrid->Row(), align);
    StringGrid->Invalidate();
}

void THTMLTableForm::LeftButtonClick(TObject* /*Sender*/) {
    SetCurrentCellAlign(TMyAlign::alLeft);
}

void THTMLTableForm::CentreButtonClick(TObject* /*Sender*/) {
    SetCurrentCellAlign(TMyAlign::alCenter);
}

void THTMLTableForm::RightButtonClick(TObject* /*Sender*/) {
    SetCurrentCellAlign(TMyAlign::alRight);
}

void THTMLTableForm::SetCurrentCellHint(const String& hint) {
    StringGrid->SetHintCell(StringGrid->Col(), StringGrid->Row(), hint);
}

void THTMLTableForm::ValignTopButtonClick(TObject* /*Sender*/) {
    SetCurrentCellHint("valign=top");
}

void THTMLTableForm::ValignMidButtonClick(TObject* /*Sender*/) {
    SetCurrentCellHint("valign=middle");
}

void THTMLTableForm::ValignBotButtonClick(TObject* /*Sender*/) {
    SetCurrentCellHint("valign=bottom");
}

void THTMLTableForm::ValignBaseButtonClick(TObject* /*Sender*/) {
    SetCurrentCellHint("valign=baseline");
}

void THTMLTableForm::SetCurrentRowAlign(TMyAlign align) {
    if (!FLoading)
        StringGrid->SetAlignRow(StringGrid->Row(), align);
}

void THTMLTableForm::CellAlignLeftClick(TObject* /*Sender*/) {
    SetCurrentRowAlign(TMyAlign::alLeft);
}

void THTMLTableForm::CellAlignCentreClick(TObject* /*Sender*/) {
    SetCurrentRowAlign(TMyAlign::alCenter);
}

void THTMLTableForm::CellAlignRightClick(TObject* /*Sender*/) {
    SetCurrentRowAlign(TMyAlign::alRight);
}

void THTMLTableForm::NoWrapCheckMouseMove(TObject* /*Sender*/, TShiftState /*Shift*/, int /*X*/,
                                          int /*Y*/) {
    StringGrid->SetColorCell(StringGrid->Col(), StringGrid->Row(),
                             NoWrapCheck->Checked() ? clYellow : clWindow);
}

// The box ticked from the keyboard marks the cell as well, not only a pointer passing over it.
void THTMLTableForm::NoWrapCheckClick(TObject* Sender) {
    if (!FLoading)
        NoWrapCheckMouseMove(Sender, {}, 0, 0);
}

void THTMLTableForm::ShowCellSettings(int col, int row) {
    FLoading = true;
    NoWrapCheck->SetChecked(StringGrid->ColorCell(col, row) == clYellow);
    TMyAlign align = StringGrid->AlignCell(col, row);
    (align == TMyAlign::alRight    ? RightButton
     : align == TMyAlign::alCenter ? CentreButton
                                   : LeftButton)
        ->SetDown(true);
    String hint = StringGrid->HintCell(col, row);
    (hint == "valign=top"        ? ValignTopButton
     : hint == "valign=bottom"   ? ValignBotButton
     : hint == "valign=baseline" ? ValignBaseButton
                                 : ValignMidButton)
        ->SetDown(true);
    TMyAlign rowAlign = StringGrid->AlignRow(row);
    (rowAlign == TMyAlign::alRight    ? CellAlignRight
     : rowAlign == TMyAlign::alCenter ? CellAlignCentre
                                      : CellAlignLeft)
        ->SetChecked(true);
    FLoading = false;
}

void THTMLTableForm::StringGridSelectCell(TObject* /*Sender*/, int ACol, int ARow,
                                          bool& /*CanSelect*/) {
    ShowCellSettings(ACol, ARow);
}

void THTMLTableForm::StringGridMouseUp(TObject* /*Sender*/, TMouseButton /*Button*/,
                                       TShiftState /*Shift*/, int X, int Y) {
    int col = -1;
    int row = -1;
    StringGrid->MouseToCell(X, Y, col, row);
    if (row == 0 && col >= 0)
        EditColumnWidth(col);
}

void THTMLTableForm::EditColumnWidth(int col) {
    TRect cell = StringGrid->CellRect(col, 0);
    TempEdit->SetText("");
    TempEdit->SetBounds(cell.Left + 4, cell.Top + 6, std::min(cell.Right - cell.Left - 8, 70), 13);
    String text = StringGrid->Cells(col, 0);
    TempEdit->SetText(text.empty() ? String("WIDTH=") : text);
    FWidthColumn = col;
    TempEdit->SetVisible(true);
    if (TempEdit->CanFocus())
        TempEdit->SetFocus();
    TempEdit->SetSelStart(static_cast<int>(TempEdit->Text().size()));
}

void THTMLTableForm::TempEditKeyDown(TObject* Sender, WORD& Key, TShiftState /*Shift*/) {
    if (Key == 13)
        TempEditExit(Sender);
}

// A percentage keeps its form: a quote before the number is passed over and a "%" after it
// kept, so opening and leaving the editor on a width read from a page does not wipe it.
void THTMLTableForm::TempEditExit(TObject* /*Sender*/) {
    if (FWidthColumn < 0)
        return;
    String text = TempEdit->Text();
    size_t at = text.find("WIDTH=");
    if (at != String::npos)
        text = text.substr(at + 6);
    size_t start = text.find_first_not_of(' ');
    if (start != String::npos && text[start] == '"')
        text.erase(start, 1);
    size_t end = 0;
    int number = LeadingWholeNumber(text, &end);
    bool percent = end < text.size() && text[end] == '%';
    String width;
    if (number > 0)
        width = percent ? "WIDTH=\"" + IntToStr(number) + "%\"" : "WIDTH=" + IntToStr(number);
    StringGrid->SetCells(FWidthColumn, 0, width);
    FWidthColumn = -1;
    TempEdit->SetVisible(false);
}

void THTMLTableForm::WidthEditChange(TObject* /*Sender*/) {
    PCPanel->SetCaption(PercentCheck->Checked() ? "%" : "");
}

void THTMLTableForm::PCPanelClick(TObject* /*Sender*/) {
    if (WidthEdit->CanFocus())
        WidthEdit->SetFocus();
}

void THTMLTableForm::WidthEditKeyPress(TObject* Sender, char& Key) {
    if (Key >= '0' && Key <= '9')
        return;
    if (Key == '%' && Sender == WidthEdit) {
        PercentCheck->SetChecked(true);
        PCPanel->SetCaption("%");
    }
    Key = 0;
}

void THTMLTableForm::LoadDesign(const TTableDesign& d) {
    FLoading = true;
    int rows = std::max(d.RowCount(), 1);
    int cols = std::max(d.Cols, 1);
    // A table read from a page keeps all its rows and columns, however many.
    ColsUpDown->SetMax(std::max(DefaultMaxLines, cols));
    RowsUpDown->SetMax(std::max(DefaultMaxLines, rows));
    ColsUpDown->SetPosition(cols);
    RowsUpDown->SetPosition(rows);
    SetColumnCount(cols);
    SetTableRowCount(rows);
    PaddingUpDown->SetPosition(d.Padding);
    SpacingUpDown->SetPosition(d.Spacing);
    BorderUpDown->SetPosition(d.Border);
    WidthUpDown->SetMax(std::max(1200, d.Width));
    PaddingUpDown->SetMax(std::max(100, d.Padding));
    SpacingUpDown->SetMax(std::max(100, d.Spacing));
    BorderUpDown->SetMax(std::max(100, d.Border));
    PaddingUpDown->SetPosition(d.Padding);
    SpacingUpDown->SetPosition(d.Spacing);
    BorderUpDown->SetPosition(d.Border);
    WidthUpDown->SetPosition(d.Width);
    PercentCheck->SetChecked(d.Percent);
    CaptionEdit->SetText(d.Caption);
    NoBGCheck->SetChecked(d.BackColour < 0);
    if (d.BackColour >= 0) {
        BackColourGrid->SetForegroundIndex(d.BackColour);
        ShowBackColour(d.BackColour);
    }
    AlignCombo->SetItemIndex(AlignCombo->Items().IndexOf(d.Align));
    FrameCombo->SetText(d.Frame);
    RulesCombo->SetText(d.Rules);
    HeadingCheck->SetChecked(d.Heading);
    for (int c = 0; c < cols; ++c)
        StringGrid->SetCells(c, 0, c < static_cast<int>(d.Widths.size()) ? d.Widths[c] : "");
    for (int r = 0; r < rows; ++r) {
        TMyAlign rowAlign =
            r < static_cast<int>(d.RowAligns.size()) ? d.RowAligns[r] : TMyAlign::alLeft;
        StringGrid->SetAlignRow(r + 1, rowAlign);
        const auto* cells = r < d.RowCount() ? &d.Rows[r] : nullptr;
        for (int c = 0; c < cols; ++c) {
            const TTableCell blank;
            const TTableCell& cell =
                cells && c < static_cast<int>(cells->size()) ? (*cells)[c] : blank;
            StringGrid->SetCells(c, r + 1, cell.Text);
            StringGrid->SetAlignCell(c, r + 1, cell.Align);
            StringGrid->SetHintCell(c, r + 1, cell.Hint);
            StringGrid->SetColorCell(c, r + 1, cell.NoWrap ? clYellow : clWindow);
        }
    }
    FLoading = false;
    ShowCellSettings(StringGrid->Col(), std::max(StringGrid->Row(), 1));
}

TTableDesign THTMLTableForm::Design() const {
    TTableDesign d;
    d.BackColour = NoBGCheck->Checked() ? -1 : BackColourGrid->ForegroundIndex();
    d.Width = WidthUpDown->Position();
    d.Percent = PercentCheck->Checked();
    d.Border = BorderUpDown->Position();
    d.Padding = PaddingUpDown->Position();
    d.Spacing = SpacingUpDown->Position();
    d.Align = AlignCombo->Text();
    d.Frame = FrameCombo->Text();
    d.Rules = RulesCombo->Text();
    d.Caption = CaptionEdit->Text();
    d.Heading = HeadingCheck->Checked();
    d.Cols = StringGrid->ColCount();
    for (int c = 0; c < d.Cols; ++c)
        d.Widths.push_back(StringGrid->Cells(c, 0));
    for (int r = 1; r < StringGrid->RowCount(); ++r) {
        TMyAlign rowAlign = StringGrid->AlignRow(r);
        d.RowAligns.push_back(rowAlign == TMyAlign::alDefault ? TMyAlign::alLeft : rowAlign);
        auto& cells = d.Rows.emplace_back(static_cast<size_t>(d.Cols));
        for (int c = 0; c < d.Cols; ++c) {
            cells[c].Text = StringGrid->Cells(c, r);
            cells[c].Align = StringGrid->AlignCell(c, r);
            cells[c].Hint = StringGrid->HintCell(c, r);
            cells[c].NoWrap = StringGrid->ColorCell(c, r) == clYellow;
        }
    }
    return d;
}
