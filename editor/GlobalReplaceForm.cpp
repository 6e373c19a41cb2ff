#include "editor/GlobalReplaceForm.h"

#include "platform/Clipbrd.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileListBox.h"
#include "platform/Grids.h"
#include "platform/StdCtrls.h"
#include "widgets/SASG.h"

TGlobalReplaceForm* GlobalReplaceForm = nullptr;

namespace {

// The header sort's direction for the whole run of the program: the first sort is descending.
bool HeaderSortDescending = true;

bool HoldsNone(const String& found) {
    return found.find("None") != String::npos;
}

String WithDottedLineBreaks(const String& cell) {
    String text;
    for (char c : cell)
        text += (c == '\r' || c == '\n') ? String("........") : String(1, c);
    return text;
}

} // namespace

TGlobalReplaceForm::TGlobalReplaceForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("GlobalReplaceForm");
        SetCaption("Quiltmarker - Global Replace");
        SetBorderIcons({});
        SetClientWidth(300);
        SetClientHeight(320);
        BuildControls();
    });
}

void TGlobalReplaceForm::BuildControls() {
    BuildBottomPanel();
    StringGrid1 = NewControl<TStringGrid>(this, this, "StringGrid1");
    StringGrid1->SetAlign(alClient);
    StringGrid1->SetColCount(2);
    StringGrid1->SetRowCount(2);
    StringGrid1->SetFixedCols(0);
    StringGrid1->SetLeftCol(0);
    StringGrid1->SetFixedRows(1);
    StringGrid1->SetOptions(StringGrid1->Options() | goColSizing);
    StringGrid1->OnMouseDown = Handler(this, &TGlobalReplaceForm::StringGrid1MouseDown);
    StringGrid1->OnDblClick = Handler(this, &TGlobalReplaceForm::StringGrid1DblClick);
    SortGrid1 = NewComponent<TSortAStringGrid>(this, "SortGrid1");
    SortGrid1->SetGridToSort(StringGrid1);
    SortGrid1->StartIndex = 1;
    SortGrid1->SortIndex = 1;
    SortGrid1->SortDirection = SortDirType::Descending;
    SortGrid1->ShowMessageOnError = true;
    TempMemo = NewControl<TMemo>(this, this, "TempMemo");
    TempMemo->SetWordWrap(false);
    TempMemo->SetVisible(false);
}

void TGlobalReplaceForm::BuildBottomPanel() {
    Panel1 = NewControl<TPanel>(this, this, "Panel1");
    Panel1->SetAlign(alBottom);
    Panel1->SetHeight(64);
    Panel1->SetCaption("");
    Label1 = NewControl<TLabel>(this, Panel1, "Label1", 8, 6, 200, 13);
    Label1->SetCaption("Reload open documents?");
    Label1->Font().SetStyle({fsBold});
    Label1->SetVisible(false);
    OKButton = NewControl<TButton>(this, Panel1, "OKButton", 110, 30, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->OnClick = Handler(this, &TGlobalReplaceForm::OKButtonClick);
    YesButton = NewControl<TButton>(this, Panel1, "YesButton", 70, 30, 75, 25);
    YesButton->SetCaption("&Yes");
    YesButton->SetModalResult(mrYes);
    YesButton->OnClick = Handler(this, &TGlobalReplaceForm::YesButtonClick);
    NoButton = NewControl<TButton>(this, Panel1, "NoButton", 150, 30, 75, 25);
    NoButton->SetCaption("&No");
    NoButton->SetModalResult(mrNo);
    NoButton->OnClick = Handler(this, &TGlobalReplaceForm::NoButtonClick);
    CopyButton = NewControl<TButton>(this, Panel1, "CopyButton", 240, 30, 25, 25);
    CopyButton->SetHint("Copy to Clipboard");
    CopyButton->OnClick = Handler(this, &TGlobalReplaceForm::CopyButtonClick);
    SelectButton = NewControl<TButton>(this, Panel1, "SelectButton", 268, 30, 25, 25);
    SelectButton->SetHint("Select in file list");
    SelectButton->OnClick = Handler(this, &TGlobalReplaceForm::SelectButtonClick);
    for (TButton* button : {CopyButton, SelectButton})
        button->SetShowHint(true);
}

void TGlobalReplaceForm::AskReload(bool ask) {
    OKButton->SetVisible(!ask);
    Label1->SetVisible(ask);
    YesButton->SetVisible(ask);
    NoButton->SetVisible(ask);
}

void TGlobalReplaceForm::SortRange(int first, int last, int column, bool descending) {
    SortGrid1->StartIndex = first;
    SortGrid1->EndIndex = last;
    SortGrid1->SortIndex = column;
    SortGrid1->SortType = ToSortType::Character;
    SortGrid1->CaseSensitiv = false;
    SortGrid1->SortDirection = descending ? SortDirType::Descending : SortDirType::Ascending;
    SortGrid1->Execute();
}

void TGlobalReplaceForm::SortRows(int column, bool descending) {
    int last = StringGrid1->RowCount() - 1;
    if (last >= 2)
        SortRange(1, last, column, descending);
}

void TGlobalReplaceForm::SortGroupsByName(bool noneOrOthers) {
    auto groupOf = [this, noneOrOthers](int row) {
        String found = StringGrid1->Cells(1, row);
        return noneOrOthers ? String(HoldsNone(found) ? "None" : "") : found;
    };
    int rows = StringGrid1->RowCount();
    for (int first = 1; first < rows;) {
        int last = first;
        while (last + 1 < rows && groupOf(last + 1) == groupOf(first))
            ++last;
        if (last > first)
            SortRange(first, last, 0, false);
        first = last + 1;
    }
}

void TGlobalReplaceForm::YesButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrYes);
}

void TGlobalReplaceForm::NoButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrNo);
}

void TGlobalReplaceForm::OKButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrNo);
}

void TGlobalReplaceForm::StringGrid1MouseDown(TObject* /*Sender*/, TMouseButton /*Button*/,
                                              TShiftState /*Shift*/, int X, int Y) {
    LastMousePoint = TPoint{X, Y};
}

// A grid of a single data row has nothing to sort, so it is left without the sorter's complaint.
void TGlobalReplaceForm::StringGrid1DblClick(TObject* /*Sender*/) {
    int column = -1;
    int row = -1;
    StringGrid1->MouseToCell(LastMousePoint.x, LastMousePoint.y, column, row);
    if ((row != 0 && row != -1) || (column != 0 && column != 1))
        return;
    bool ctrl = GetAsyncKeyState(VK_CONTROL) < 0;
    bool alt = GetAsyncKeyState(VK_MENU) < 0;
    if (StringGrid1->RowCount() < 3)
        return;
    SortRows(column, HeaderSortDescending);
    HeaderSortDescending = !HeaderSortDescending;
    if (column == 1 && !alt)
        SortGroupsByName(ctrl);
}

void TGlobalReplaceForm::CopyButtonClick(TObject* /*Sender*/) {
    TempMemo->Lines().Clear();
    for (int row = 0; row < StringGrid1->RowCount(); ++row) {
        String line;
        for (int column = 0; column < StringGrid1->ColCount(); ++column)
            line += WithDottedLineBreaks(StringGrid1->Cells(column, row) + "\r\n");
        TempMemo->Lines().Add(line);
    }
    SetClipboardData(CF_TEXT, TempMemo->Lines().Text());
    ShowMessage("Details have been copied to the clipboard.");
}

void TGlobalReplaceForm::SelectButtonClick(TObject* /*Sender*/) {
    if (!FileList)
        return;
    for (int i = 0; i < FileList->Items().Count(); ++i)
        FileList->SetSelected(i, false);
    for (int row = 1; row < StringGrid1->RowCount(); ++row) {
        const String found = StringGrid1->Cells(1, row);
        if (HoldsNone(found) || found == NotReadText || found == NotWrittenText)
            continue;
        int index = FileList->Items().IndexOf(StringGrid1->Cells(0, row));
        if (index >= 0)
            FileList->SetSelected(index, true);
    }
}
