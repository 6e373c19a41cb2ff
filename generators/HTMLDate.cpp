#include "generators/HTMLDate.h"

#include "editor/DialogGuard.h"
#include "generators/DateCodes.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/DateTime.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/Graphics.h"
#include "platform/Registry.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "publish/CodeExpansion.h"

TDateForm* DateForm = nullptr;

namespace {

TLabel* AddLabel(TDateForm* form, TWinControl* parent, const String& caption, int left, int top) {
    auto* label = NewControl<TLabel>(form, parent, "", left, top, 60, 13);
    label->SetCaption(caption);
    return label;
}

TButton* AddButton(TDateForm* form, TWinControl* parent, const String& name, const String& caption,
                   const String& hint, int left, int top, int width) {
    auto* button = NewControl<TButton>(form, parent, name, left, top, width, 25);
    button->SetCaption(caption);
    if (!hint.empty()) {
        button->SetHint(hint);
        button->SetShowHint(true);
    }
    return button;
}

// The pieces whose sample is fixed: a separator or a word.
const std::map<String, String> FixedSamples = {
    {"\"-\"", "-"}, {"\"/\"", "/"}, {"\" Hrs\"", "Hrs"}, {"\"at\"", "at"}};

// The pieces whose samples the ready-made lists show.
const char* const ListPieces[] = {"ddddd", "dddddd", "t", "tt"};

} // namespace

TDateForm::TDateForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("DateForm");
        SetCaption("Insert Date/Time");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(524);
        SetHeight(NormalHeight);
        PageControl1 = NewControl<TPageControl>(this, this, "PageControl1", 4, 4, 424, 118);
        // Wide enough for "User Definitions" in the desktop's font, wider than the
        // system font needed.
        PageControl1->SetTabWidth(112);
        DateSheet = NewComponent<TTabSheet>(this, "DateSheet");
        DateSheet->SetPageControl(PageControl1);
        DateSheet->SetCaption("Date");
        TimeSheet = NewComponent<TTabSheet>(this, "TimeSheet");
        TimeSheet->SetPageControl(PageControl1);
        TimeSheet->SetCaption("Time");
        MiscSheet = NewComponent<TTabSheet>(this, "MiscSheet");
        MiscSheet->SetPageControl(PageControl1);
        MiscSheet->SetCaption("User Definitions");
        PageControl1->OnChange = Handler(this, &TDateForm::PageControl1Change);
        BuildDatePage();
        BuildTimePage();
        BuildMiscPage();

        PubDateButton = NewControl<TRadioButton>(this, this, "PubDateButton", 8, 134, 141, 17);
        PubDateButton->SetCaption("Publication Date/Time");
        PubDateButton->SetChecked(true);
        PubDateButton->OnClick = Handler(this, &TDateForm::ActualDateButtonClick);
        PubEdit = NewControl<TComboBox>(this, this, "PubEdit", 150, 132, 272, 21);
        PubEdit->SetDropDownCount(16);
        PubEdit->OnChange = Handler(this, &TDateForm::PubEditChange);
        PubEdit->OnKeyPress = Handler(this, &TDateForm::PubEditKeyPress);
        ActualDateButton =
            NewControl<TRadioButton>(this, this, "ActualDateButton", 8, 162, 140, 17);
        ActualDateButton->SetCaption("Actual Date/Time");
        ActualDateButton->OnClick = Handler(this, &TDateForm::ActualDateButtonClick);
        ActualEdit = NewControl<TComboBox>(this, this, "ActualEdit", 150, 160, 272, 21);
        ActualEdit->SetColor(clBtnFace);
        ActualEdit->OnChange = Handler(this, &TDateForm::ActualEditChange);
        ActualEdit->OnKeyPress = Handler(this, &TDateForm::ActualEditKeyPress);
        ActualMemo = NewControl<TMemo>(this, this, "ActualMemo", 150, 160, 272, 170);
        ActualMemo->SetScrollBars(ssVertical);
        ActualMemo->SetColor(clBtnFace);
        ActualMemo->SetVisible(false);
        ActualMemo->OnKeyPress = Handler(this, &TDateForm::ActualMemoKeyPress);
        ExpandButton =
            AddButton(this, this, "ExpandButton", "...", "Expand/Reduce edit box", 426, 158, 24);
        ExpandButton->OnClick = Handler(this, &TDateForm::ExpandButtonClick);
        NameList = NewControl<TListBox>(this, this, "NameList", 0, 0, 10, 10);
        NameList->SetSorted(true);
        NameList->SetVisible(false);
        RichEdit = NewControl<TRichEdit>(this, this, "RichEdit", 0, 0, 10, 10);
        RichEdit->SetVisible(false);
        PrintDialog = new TPrintDialog(this);

        OKButton = AddButton(this, this, "OKButton", "OK", "", 440, 26, 75);
        OKButton->SetDefault(true);
        OKButton->OnClick = Handler(this, &TDateForm::OKButtonClick);
        CancelButton = AddButton(this, this, "CancelButton", "Cancel", "", 440, 58, 75);
        CancelButton->SetCancel(true);
        CancelButton->OnClick = Handler(this, &TDateForm::CancelButtonClick);

        OnShow = Handler(this, &TDateForm::FormShow);
        OnActivate = Handler(this, &TDateForm::FormActivate);
    });
}

TSpeedButton* TDateForm::AddPieceButton(TTabSheet* page, const String& name, const String& hint,
                                        const String& piece, int left, int top) {
    auto* button = NewControl<TSpeedButton>(this, page, name, left, top, 34, 22);
    const auto fixed = FixedSamples.find(piece);
    button->SetCaption(fixed != FixedSamples.end() ? fixed->second : piece);
    button->SetHint(hint);
    button->SetShowHint(true);
    button->OnClick = Handler(this, &TDateForm::PieceButtonClick);
    PieceOfButton[button] = piece;
    return button;
}

void TDateForm::BuildDatePage() {
    TTabSheet* page = DateSheet;
    AddLabel(this, page, "Day", 8, 4);
    Day1Button = AddPieceButton(page, "Day1Button", "3-letter Day", "ddd", 8, 20);
    SpeedButton2 = AddPieceButton(page, "SpeedButton2", "Full Day", "dddd", 44, 20);
    SpeedButton2->SetWidth(70);
    AddLabel(this, page, "Date", 122, 4);
    SpeedButton3 = AddPieceButton(page, "SpeedButton3", "Leading Zero", "dd", 122, 20);
    SpeedButton4 = AddPieceButton(page, "SpeedButton4", "No Leading Zero", "d", 158, 20);
    AddLabel(this, page, "Month", 200, 4);
    SpeedButton5 = AddPieceButton(page, "SpeedButton5", "Leading Zero", "mm", 200, 20);
    SpeedButton7 = AddPieceButton(page, "SpeedButton7", "No Leading Zero", "m", 236, 20);
    SpeedButton8 = AddPieceButton(page, "SpeedButton8", "3 Letters", "mmm", 272, 20);
    SpeedButton6 = AddPieceButton(page, "SpeedButton6", "Full Month", "mmmm", 308, 20);
    SpeedButton6->SetWidth(80);
    AddLabel(this, page, "Year", 8, 46);
    SpeedButton9 = AddPieceButton(page, "SpeedButton9", "Two Figures", "yy", 8, 62);
    SpeedButton10 = AddPieceButton(page, "SpeedButton10", "Four Figures", "yyyy", 44, 62);
    SpeedButton10->SetWidth(44);
    AddLabel(this, page, "Separators", 122, 46);
    DashButton = AddPieceButton(page, "DashButton", "Dash", "\"-\"", 122, 62);
    StrokeButton = AddPieceButton(page, "StrokeButton", "Stroke", "\"/\"", 158, 62);
    DeleteButton = AddButton(this, page, "DeleteButton", "Delete last", "", 308, 60, 80);
    DeleteButton->OnClick = Handler(this, &TDateForm::Delete2ButtonClick);
}

void TDateForm::BuildTimePage() {
    TTabSheet* page = TimeSheet;
    AddLabel(this, page, "Hour", 8, 4);
    Hour0Button = AddPieceButton(page, "Hour0Button", "Leading Zero", "hh", 8, 20);
    HourNo0Button = AddPieceButton(page, "HourNo0Button", "No Leading Zero", "h", 44, 20);
    AddLabel(this, page, "Minute", 88, 4);
    Min0Button = AddPieceButton(page, "Min0Button", "Leading Zero", "nn", 88, 20);
    MinNo0Button = AddPieceButton(page, "MinNo0Button", "No Leading Zero", "n", 124, 20);
    AddLabel(this, page, "Second", 168, 4);
    Sec0Button = AddPieceButton(page, "Sec0Button", "Leading Zero", "ss", 168, 20);
    SecNo0Button = AddPieceButton(page, "SecNo0Button", "No Leading Zero", "s", 204, 20);
    AMPMButton = AddPieceButton(page, "AMPMButton", "AM/PM", "am/pm", 248, 20);
    AMPMButton->SetWidth(44);
    HrsButton = AddPieceButton(page, "HrsButton", "Hrs", "\" Hrs\"", 294, 20);
    AtButton = AddPieceButton(page, "AtButton", "At", "\"at\"", 330, 20);
    GMTButton = AddButton(this, page, "GMTButton", "GMT/BST", "", 8, 58, 64);
    GMTButton->OnClick = Handler(this, &TDateForm::GMTButtonClick);
    TrueGMTButton =
        AddButton(this, page, "TrueGMTButton", "Convert local times to GMT", "", 76, 58, 170);
    TrueGMTButton->OnClick = Handler(this, &TDateForm::TrueGMTButtonClick);
    LocalTimeButton = NewControl<TSpeedButton>(this, page, "LocalTimeButton", 250, 59, 50, 22);
    LocalTimeButton->SetShowHint(true);
    LocalTimeButton->OnClick = Handler(this, &TDateForm::LocalTimeButtonClick);
    Delete2Button = AddButton(this, page, "Delete2Button", "Delete last", "", 308, 58, 80);
    Delete2Button->OnClick = Handler(this, &TDateForm::Delete2ButtonClick);
}

void TDateForm::BuildMiscPage() {
    TTabSheet* page = MiscSheet;
    NewButton = AddButton(this, page, "NewButton", "&New", "Add new entry", 8, 24, 75);
    NewButton->OnClick = Handler(this, &TDateForm::NewButtonClick);
    SaveButton = AddButton(this, page, "SaveButton", "&Save", "Save new entry", 88, 24, 75);
    SaveButton->SetEnabled(false);
    SaveButton->OnClick = Handler(this, &TDateForm::SaveButtonClick);
    DelButton = AddButton(this, page, "DelButton", "&Delete", "Delete current entry", 168, 24, 75);
    DelButton->OnClick = Handler(this, &TDateForm::DelButtonClick);
    PrintButton = AddButton(this, page, "PrintButton", "&Print", "Print codes", 248, 24, 75);
    PrintButton->OnClick = Handler(this, &TDateForm::PrintButtonClick);
}

void TDateForm::FormShow(TObject* /*Sender*/) {
    KeepFormOnScreen(this);
    if (PageControl1->ActivePage() != MiscSheet)
        MakeSamples();
    PubDateButton->SetChecked(true);
    FillDateFormatLists(0, 0);
}

void TDateForm::FormActivate(TObject* /*Sender*/) {
    ActualEdit->SetText("");
    PubEdit->SetText("");
    ExpandButton->SetVisible(PageControl1->ActivePage() == MiscSheet);
}

// The samples are made on turning to the Date or Time page as well, so that a dialog opened on
// the User Definitions page still shows them there.
void TDateForm::PageControl1Change(TObject* /*Sender*/) {
    if (PageControl1->ActivePage() != MiscSheet)
        MakeSamples();
    FillDateFormatLists(0, 0);
}

void TDateForm::MakeSamples() {
    const TDateTime now = Now();
    for (const auto& [button, piece] : PieceOfButton) {
        const auto fixed = FixedSamples.find(piece);
        Samples[piece] = fixed != FixedSamples.end() ? fixed->second : FormatDateTime(piece, now);
        button->SetCaption(Samples[piece]);
    }
    for (const char* piece : ListPieces)
        Samples[piece] = FormatDateTime(piece, now);
}

String TDateForm::Sample(const String& piece) const {
    const auto found = Samples.find(piece);
    return found == Samples.end() ? String() : found->second;
}

void TDateForm::ActualDateButtonClick(TObject* /*Sender*/) {
    const bool actual = ActualDateButton->Checked();
    ActualEdit->SetColor(actual ? clWindow : clBtnFace);
    ActualMemo->SetColor(actual ? clWindow : clBtnFace);
    PubEdit->SetColor(actual ? clBtnFace : clWindow);
}

void TDateForm::PieceButtonClick(TObject* Sender) {
    const String& piece = PieceOfButton.at(dynamic_cast<TSpeedButton*>(Sender));
    AddDateFormatPiece(Sample(piece), piece);
}

void TDateForm::AddDateFormatPiece(String sample, String piece) {
    String actual = ActualEdit->Text();
    String published = PubEdit->Text();
    const bool separator = sample == "-" || sample == "/";
    if (separator && !actual.empty() && actual.back() == ' ') {
        actual.pop_back();
        published = WithoutCharBeforeClose(published);
    }
    const bool timePiece = !piece.empty() && (piece[0] == 'h' || piece[0] == 'n');
    if (!separator && !timePiece) {
        sample += ' ';
        piece += ' ';
    }
    if (timePiece) {
        sample += ':';
        piece += ':';
    }
    ActualEdit->SetText(actual + sample);
    PubEdit->SetText(AppendToCode(published, piece));
    ActualEdit->SetSelStart(static_cast<int>(ActualEdit->Text().size()));
}

void TDateForm::Delete2ButtonClick(TObject* /*Sender*/) {
    ActualEdit->SetText(WithoutLastActualPiece(ActualEdit->Text()));
    PubEdit->SetText(WithoutLastCodePiece(PubEdit->Text()));
}

void TDateForm::GMTButtonClick(TObject* /*Sender*/) {
    PubEdit->SetText(WithZoneCode(PubEdit->Text()));
    ActualEdit->SetText(ActualEdit->Text() + ZoneWord());
}

void TDateForm::TrueGMTButtonClick(TObject* /*Sender*/) {
    if (Pos("{{convgmt}}", PubEdit->Text()) == 0)
        PubEdit->SetText("{{convgmt}} " + PubEdit->Text());
}

void TDateForm::LocalTimeButtonClick(TObject* /*Sender*/) {
    const String quoted = " \"" + LocalTimeButton->Caption() + "\" ";
    AddDateFormatPiece(quoted, quoted);
}

// While a new definition is typed the lists are left apart.
void TDateForm::ActualEditChange(TObject* /*Sender*/) {
    if (!SaveButton->Enabled() && ActualEdit->ItemIndex() >= 0)
        PubEdit->SetItemIndex(ActualEdit->ItemIndex());
}

void TDateForm::PubEditChange(TObject* /*Sender*/) {
    if (!SaveButton->Enabled() && PubEdit->ItemIndex() >= 0)
        ActualEdit->SetItemIndex(PubEdit->ItemIndex());
}

void TDateForm::ActualEditKeyPress(TObject* /*Sender*/, char& /*Key*/) {
    SaveButton->SetEnabled(true);
}

void TDateForm::ActualMemoKeyPress(TObject* /*Sender*/, char& /*Key*/) {
    SaveButton->SetEnabled(true);
}

void TDateForm::PubEditKeyPress(TObject* /*Sender*/, char& Key) {
    if (!PubEdit->DroppedDown())
        return;
    const char typed = Key;
    const int current = PubEdit->ItemIndex();
    Key = 0;
    PubEdit->SetText("");
    const int found = NextCodeStartingWith(PubEdit->Items(), current, typed);
    if (found < 0)
        return;
    PubEdit->SetItemIndex(found);
    PubEditChange(PubEdit);
}

void TDateForm::OKButtonClick(TObject* /*Sender*/) {
    if (ActualMemo->Visible())
        ExpandButtonClick(ExpandButton);
    if (SaveButton->Enabled() && Application->MessageBox("Save new definition?", "Quiltmarker",
                                                         MB_YESNO | MB_ICONQUESTION) == IDYES)
        SaveButtonClick(SaveButton);
    String actual = ActualEdit->Text();
    if (!actual.empty() && actual.back() == ' ')
        actual.pop_back();
    ActualEdit->SetText(actual);
    PubEdit->SetText(WithoutBlankBeforeClose(PubEdit->Text()));
    SetModalResult(mrOk);
}

void TDateForm::CancelButtonClick(TObject* /*Sender*/) {
    SetModalResult(mrCancel);
}

// ---- The ready-made lists ----

void TDateForm::FillDateFormatLists(int actualIndex, int pubIndex) {
    ActualEdit->SetItemIndex(-1);
    PubEdit->SetItemIndex(-1);
    ActualEdit->SetText("");
    PubEdit->SetText("");
    ActualMemo->SetVisible(false);
    SetHeight(NormalHeight);
    ExpandButton->SetVisible(PageControl1->ActivePage() == MiscSheet);
    ActualEdit->Items().Clear();
    PubEdit->Items().Clear();
    if (PageControl1->ActivePage() == DateSheet)
        FillDateLists();
    else if (PageControl1->ActivePage() == TimeSheet)
        FillTimeLists();
    else
        FillMiscLists();
    if (actualIndex < ActualEdit->Items().Count())
        ActualEdit->SetItemIndex(actualIndex);
    if (pubIndex < PubEdit->Items().Count())
        PubEdit->SetItemIndex(pubIndex);
}

void TDateForm::AddEntry(const String& actual, const String& published) {
    ActualEdit->Items().Add(actual);
    PubEdit->Items().Add(published);
}

void TDateForm::FillDateLists() {
    ActualDateButton->SetCaption("Actual Date");
    PubDateButton->SetCaption("Published Date");
    const TDateTime now = Now();
    for (const char* format : {"ddd d mmmm yyyy", "dddd d mmm yyyy", "ddd d mmm yyyy",
                               "dddd d mmmm yyyy", "dd\"/\"mm\"/\"yy", "dd\"-\"mm\"-\"yy"})
        AddEntry(FormatDateTime(format, now), String("{{") + format + "}}");
    AddEntry(Sample("ddddd"), "{{" + FormatSettings.ShortDateFormat + "}}");
    AddEntry(Sample("dddddd"), "{{" + FormatSettings.LongDateFormat + "}}");
}

void TDateForm::FillTimeLists() {
    ActualDateButton->SetCaption("Actual Time");
    PubDateButton->SetCaption("Published Time");
    const String zone = ZoneWord();
    const String abbreviation = ZoneAbbreviation();
    LocalTimeButton->SetCaption(abbreviation);
    LocalTimeButton->SetHint("Insert \"" + abbreviation + "\" (" + ZoneName() + ")");
    const TDateTime now = Now();
    AddEntry(FormatDateTime("hh:nn:ss", now), "{{hh:nn:ss}}");
    AddEntry(FormatDateTime("hh:nn", now), "{{hh:nn}}");
    AddEntry(FormatDateTime("h:nn am/pm", now), "{{h:nn ampm}}");
    AddEntry(FormatDateTime("hh:nn:ss", now) + " " + zone, "{{hh:nn:ss}} {{GMT}}");
    AddEntry(FormatDateTime("h:nn am/pm", now) + " " + zone, "{{h:nn ampm}} {{GMT}}");
    AddEntry(FormatDateTime("hh:nn", now) + " " + zone, "{{hh:nn}} {{GMT}}");
    AddEntry(Sample("t"), "{{" + FormatSettings.ShortTimeFormat + "}}");
    AddEntry(Sample("tt"), "{{" + FormatSettings.LongTimeFormat + "}}");
}

void TDateForm::FillMiscLists() {
    ActualDateButton->SetCaption("Actual Insert");
    PubDateButton->SetCaption("Published Insert");
    AddEntry(ExtractFileName(PageFileName), "{{filename}}");
    AddEntry(PageFileName, "{{fullpath}}");
    AddEntry("", "{{Last Major Revision}}");
    AddEntry("", "{{Last Minor Revision}}");
    const TReplaceCodes codes = ReadReplaceCodes();
    NameList->Clear();
    for (const String& name : codes.Names)
        NameList->Items().Add(name);
    for (int i = 0; i < NameList->Items().Count(); ++i) {
        const String name = NameList->Items()[i];
        const int code = codes.IndexOf(name);
        if (!name.empty() && code >= 0 && !codes.Texts[code].empty())
            AddEntry(codes.Texts[code], "{{" + name + "}}");
    }
}

// ---- Replace codes ----

String TDateForm::CodeName() const {
    return CodeNameOf(PubEdit->Text());
}

void TDateForm::NewButtonClick(TObject* /*Sender*/) {
    ActualEdit->SetItemIndex(-1);
    PubEdit->SetItemIndex(-1);
    ActualEdit->SetText("");
    PubEdit->SetText("");
    ActualMemo->SetText("");
    SaveButton->SetEnabled(true);
}

void TDateForm::RemoveEntry(int index) {
    if (index < 0)
        return;
    if (index < PubEdit->Items().Count())
        PubEdit->Items().Delete(index);
    if (index < ActualEdit->Items().Count())
        ActualEdit->Items().Delete(index);
}

void TDateForm::SaveButtonClick(TObject* /*Sender*/) {
    const int actualIndex = ActualEdit->ItemIndex();
    const int pubIndex = PubEdit->ItemIndex();
    if (PageControl1->ActivePage() == MiscSheet && ActualMemo->Visible())
        ExpandButtonClick(ExpandButton);
    const String name = CodeName();
    const String actual = ActualEdit->Text();
    const String published = PubEdit->Text();
    if (!CodeCanBeSaved(name, actual))
        return;
    TRegistry registry;
    if (!registry.OpenKey(ReplaceCodesKey(), true))
        return;
    if (registry.ValueExists(name) && registry.GetDataType(name) == rdString &&
        !registry.ReadString(name).empty()) {
        if (Application->MessageBox("An entry already exists for \"" + name + "\".\r\nReplace it?",
                                    "Quiltmarker", MB_YESNO | MB_ICONQUESTION) != IDYES) {
            SaveButton->SetEnabled(false);
            return;
        }
        // The list holds the code only on its own page, and perhaps under another case.
        RemoveEntry(PubEdit->Items().IndexOf("{{" + name + "}}"));
        ActualEdit->SetText(actual);
        PubEdit->SetText(published);
    }
    registry.WriteString(name, actual);
    FillDateFormatLists(actualIndex, pubIndex);
    PubEdit->SetText("{{" + name + "}}");
    SaveButton->SetEnabled(false);
}

bool TDateForm::CodeCanBeSaved(const String& name, const String& text) const {
    if (name.empty()) {
        Application->MessageBox("A replace code needs a name.", "Quiltmarker",
                                MB_OK | MB_ICONWARNING);
        return false;
    }
    return ExpandsToAnEnd(name, text);
}

void TDateForm::DelButtonClick(TObject* /*Sender*/) {
    if (PubEdit->Text().empty())
        return;
    const String name = CodeName();
    if (name.empty())
        return;
    TRegistry registry;
    if (registry.OpenKey(ReplaceCodesKey(), true) && registry.ValueExists(name))
        registry.DeleteValue(name);
    RemoveEntry(PubEdit->ItemIndex());
    ActualEdit->SetText("");
    PubEdit->SetText("");
}

void TDateForm::ExpandButtonClick(TObject* /*Sender*/) {
    if (ActualMemo->Visible()) {
        ActualEdit->SetText(EncodeLineBreaks(ActualMemo->Text()));
        ActualMemo->SetVisible(false);
        ActualEdit->SetFocus();
        SetHeight(NormalHeight);
        return;
    }
    ActualMemo->SetText(DecodeLineBreaks(ActualEdit->Text()));
    ActualMemo->SetVisible(true);
    ActualMemo->SetFocus();
    SetHeight(ExpandedHeight);
}

void TDateForm::PrintButtonClick(TObject* /*Sender*/) {
    if (!PrintDialog->Execute())
        return;
    RichEdit->Clear();
    RichEdit->Paragraph().SetFirstIndent(12);
    RichEdit->Paragraph().SetLeftIndent(24);
    RichEdit->Paragraph().SetRightIndent(10);
    const String indent(10, ' ');
    for (int i = 0; i < PubEdit->Items().Count(); ++i) {
        const String code = PubEdit->Items()[i];
        String text = i < ActualEdit->Items().Count() ? ActualEdit->Items()[i] : String();
        if (code == "{{filename}}")
            text = "(Name of current file inserted by computer)";
        else if (code == "{{fullpath}}")
            text = "(Path and name of current file inserted by computer)";
        AppendPrintedText(code + "\r\n", {fsBold});
        AppendPrintedText(
            indent + StringReplace(text, "\\n", "\r\n" + indent, rfReplaceAll) + "\r\n\r\n", {});
    }
    RichEdit->Print("Publishing Codes");
}

void TDateForm::AppendPrintedText(const String& text, TFontStyles style) {
    RichEdit->SetSelStart(static_cast<int>(RichEdit->Text().size()));
    RichEdit->SelAttributes().SetStyle(style);
    RichEdit->SetSelText(text);
}
