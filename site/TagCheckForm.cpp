#include "site/TagCheckForm.h"

#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "services/ProgramSettings.h"
#include "site/TagCheckTables.h"
#include "tags/HTMLGlobal.h"
#include "widgets/Splitters.h"

#include <algorithm>

TTagCheckForm* TagCheckForm = nullptr;

namespace {

// The printer font's defaults, kept where no setting overrides them.
struct TPrinterFont {
    String Name = "MS Sans Serif";
    int Size = 10;
    TFontStyles Style;
    TColor Colour = 0;
};

TPrinterFont ReadPrinterFont() {
    TPrinterFont font;
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(ProductSubKey(PrinterFontKey)))
        return font;
    ReadSetting(reg, "FontName", font.Name);
    ReadSetting(reg, "FontSize", font.Size);
    const std::pair<const char*, TFontStyle> styles[] = {{"FontStyleBold", fsBold},
                                                         {"FontStyleItalic", fsItalic},
                                                         {"FontStyleUnderline", fsUnderline}};
    for (const auto& [name, style] : styles) {
        bool on = false;
        if (ReadSetting(reg, name, on) && on)
            font.Style << style;
    }
    int colour = 0;
    if (ReadSetting(reg, "FontColour", colour))
        font.Colour = static_cast<TColor>(colour);
    return font;
}

void AddPanel(TStatusBar* bar, int width, TAlignment alignment = taLeftJustify) {
    TStatusPanel* panel = bar->Panels().Add();
    panel->SetWidth(width);
    panel->SetAlignment(alignment);
}

} // namespace

TTagCheckForm::TTagCheckForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        BuildControls();
        BindControls();
    });
}

void TTagCheckForm::BuildControls() {
    SetName("TagCheckForm");
    SetCaption("Quiltmarker - Tag Check");
    SetBounds(81, 2, 683, 567);

    Panel2 = NewControl<TPanel>(this, this, "Panel2");
    Panel2->SetAlign(alBottom);
    Panel2->SetHeight(39);
    Panel2->SetCaption("");
    SaveButton = NewControl<TButton>(this, Panel2, "SaveButton", 8, 8, 75, 25);
    SaveButton->SetCaption("&Save");
    SaveButton->SetEnabled(false);
    Button1 = NewControl<TButton>(this, Panel2, "Button1", 88, 8, 75, 25);
    Button1->SetCaption("Save &As");
    CheckButton = NewControl<TButton>(this, Panel2, "CheckButton", 184, 8, 81, 25);
    CheckButton->SetCaption("&Check Tags");
    MapButton = NewControl<TButton>(this, Panel2, "MapButton", 272, 8, 81, 25);
    MapButton->SetCaption("&Map Tags");
    Label1 = NewControl<TLabel>(this, Panel2, "Label1", 364, 13, 26, 13);
    Label1->SetCaption("Level");
    LevelEdit = NewControl<TEdit>(this, Panel2, "LevelEdit", 394, 9, 33, 21);
    LevelEdit->SetText("0");
    LevelUpDown = NewControl<TUpDown>(this, Panel2, "LevelUpDown", 427, 9, 15, 21);
    LevelUpDown->SetMin(0);
    LevelUpDown->SetWrap(false);
    LevelUpDown->SetAssociate(LevelEdit);
    LevelUpDown->SetPosition(0);
    ExitButton = NewControl<TButton>(this, Panel2, "ExitButton", 596, 8, 75, 25);
    ExitButton->SetCaption("E&xit");

    Panel1 = NewControl<TPanel>(this, this, "Panel1");
    Panel1->SetAlign(alClient);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetCaption("");
    SplitterWnd1 = NewControl<TSplitterWnd>(this, Panel1, "SplitterWnd1");
    SplitterWnd1->SetOrientation(swHorizontal);
    SplitterWnd1->SetThickness(2);
    SplitterWnd1->SetBarStyle(sbCheckered);
    SplitterWnd1->SetCursorHorz(crVSplit);
    SplitterWnd1->SetCursorVert(crHSplit);
    SplitterWnd1->SetAlign(alClient);
    Pane1 = NewComponent<TPane>(this, "Pane1");
    Pane1->SetSplitterWnd(SplitterWnd1);
    Pane1->SetPaneSize(306);
    Pane2 = NewComponent<TPane>(this, "Pane2");
    Pane2->SetSplitterWnd(SplitterWnd1);
    Pane2->SetPaneSize(195);

    PopupMenu1 = NewComponent<TPopupMenu>(this, "PopupMenu1");
    Copy1 = AddItem(this, PopupMenu1->Items(), "Copy1", "&Copy");
    Print1 = AddItem(this, PopupMenu1->Items(), "Print1", "&Print");
    PopupMenu2 = NewComponent<TPopupMenu>(this, "PopupMenu2");
    Copy2 = AddItem(this, PopupMenu2->Items(), "Copy2", "&Copy");
    Print2 = AddItem(this, PopupMenu2->Items(), "Print2", "&Print");

    FileStatusBar = NewControl<TStatusBar>(this, Pane1, "FileStatusBar");
    FileStatusBar->SetAlign(alBottom);
    AddPanel(FileStatusBar, 10, taCenter);
    AddPanel(FileStatusBar, 75);
    FileStatusBar->Panels().Items(1)->SetText("Line:");
    AddPanel(FileStatusBar, 75);
    FileStatusBar->Panels().Items(2)->SetText("Char:");
    AddPanel(FileStatusBar, 50);
    REFile = NewControl<TRichEdit>(this, Pane1, "REFile");
    REFile->SetAlign(alClient);
    REFile->SetPlainText(true);
    REFile->SetScrollBars(ssBoth);
    REFile->SetWordWrap(false);
    REFile->SetPopupMenu(PopupMenu1);

    ListReport = NewControl<TListBox>(this, Pane2, "ListReport");
    ListReport->SetAlign(alClient);
    ListReport->SetPopupMenu(PopupMenu2);
    InvisMemo = NewControl<TRichEdit>(this, Pane2, "InvisMemo");
    InvisMemo->SetVisible(false);

    SaveDialog1 = NewComponent<TSaveDialog>(this, "SaveDialog1");
    SaveDialog1->SetDefaultExt("html");
    SaveDialog1->SetFilter("HTML Documents|*.*htm*|All files|*.*");
}

void TTagCheckForm::BindControls() {
    OnCreate = Handler(this, &TTagCheckForm::FormCreate);
    OnResize = Handler(this, &TTagCheckForm::FormResize);
    OnClose = Handler(this, &TTagCheckForm::FormClose);
    Pane1->OnResize = Handler(this, &TTagCheckForm::Pane1Resize);
    REFile->OnChange = Handler(this, &TTagCheckForm::REFileChange);
    REFile->OnKeyDown = Handler(this, &TTagCheckForm::REFileKeyDown);
    REFile->OnKeyUp = Handler(this, &TTagCheckForm::REFileKeyDown);
    REFile->OnKeyPress = Handler(this, &TTagCheckForm::REFileKeyPress);
    REFile->OnMouseDown = Handler(this, &TTagCheckForm::REFileMouseDown);
    ListReport->OnDblClick = Handler(this, &TTagCheckForm::ListReportDblClick);
    SaveButton->OnClick = Handler(this, &TTagCheckForm::SaveButtonClick);
    Button1->OnClick = Handler(this, &TTagCheckForm::Button1Click);
    CheckButton->OnClick = Handler(this, &TTagCheckForm::CheckButtonClick);
    MapButton->OnClick = Handler(this, &TTagCheckForm::MapButtonClick);
    ExitButton->OnClick = Handler(this, &TTagCheckForm::ExitButtonClick);
    Copy1->OnClick = Handler(this, &TTagCheckForm::Copy1Click);
    Print1->OnClick = Handler(this, &TTagCheckForm::Print1Click);
    Copy2->OnClick = Handler(this, &TTagCheckForm::Copy2Click);
    Print2->OnClick = Handler(this, &TTagCheckForm::Print2Click);
}

// ---- Creation and placement

void TTagCheckForm::FormCreate(TObject* /*Sender*/) {
    FReady = false;
    FFileSaved = false;
    ReadPlacement();
    ApplyPrinterFont();
    FReady = true;
    FContainerTags = TTagNames(LoadResourceText(ContainerTagsResource));
    LoadFile();
    if (FFileLoaded)
        CheckButtonClick(this);
}

void TTagCheckForm::ReadPlacement() {
    TRegistry reg;
    if (!reg.OpenKey(ProductSubKey(TagCheckKey), true))
        return;
    int value = 0;
    if (ReadSetting(reg, "Height", value))
        SetHeight(value);
    if (ReadSetting(reg, "Width", value))
        SetWidth(value);
    bool maximized = false;
    ReadSetting(reg, "IsMaximized", maximized);
    if (ReadSetting(reg, "Top", value))
        SetTop(value);
    if (ReadSetting(reg, "Left", value))
        SetLeft(value);
    SetWindowState(maximized ? wsMaximized : wsNormal);
    if (ReadSetting(reg, "Pane1Size", value))
        Pane1->SetPaneSize(value);
    if (ReadSetting(reg, "Pane2Size", value))
        Pane2->SetPaneSize(value);
}

void TTagCheckForm::ApplyPrinterFont() {
    TPrinterFont font = ReadPrinterFont();
    // Only the style reaches the window: every control shows in it through the form's font.
    Font().SetStyle(font.Style);
    InvisMemo->Font().SetName(font.Name.substr(0, 31));
    InvisMemo->Font().SetSize(font.Size);
    InvisMemo->Font().SetStyle(font.Style);
    InvisMemo->Font().SetColor(font.Colour);
    InvisMemo->Clear();
    InvisMemo->SelectAll();
    InvisMemo->SelAttributes().Assign(InvisMemo->Font());
}

void TTagCheckForm::LoadFile() {
    FFileName = GlobalForm ? GlobalForm->ResultText : String();
    REFile->Lines().Clear();
    try {
        REFile->Lines().LoadFromFile(FFileName);
        FFileLoaded = true;
    } catch (const Exception& error) {
        // The user learns why; the command shows no window on a page it could not read.
        Application->ShowException(error);
        FFileLoaded = false;
    }
    REFile->SetModified(false);
    ListReport->Items().Clear();
    SaveButton->SetEnabled(false);
    FileStatusBar->Panels().Items(3)->SetText(FFileName);
}

void TTagCheckForm::WritePlacement() {
    TRegistry reg;
    if (!reg.OpenKey(ProductSubKey(TagCheckKey), true))
        return;
    reg.WriteBool("IsMaximized", WindowState() == wsMaximized);
    if (WindowState() != wsNormal)
        return;
    reg.WriteInteger("Top", Top());
    reg.WriteInteger("Left", Left());
    reg.WriteInteger("Height", Height());
    reg.WriteInteger("Width", Width());
    reg.WriteInteger("Pane1Size", Pane1->PaneSize());
    reg.WriteInteger("Pane2Size", Pane2->PaneSize());
}

void TTagCheckForm::WriteClosingPlacement() {
    if (!FReady)
        return;
    TRegistry reg;
    if (!reg.OpenKey(ProductSubKey(TagCheckKey), true))
        return;
    bool maximized = WindowState() == wsMaximized;
    reg.WriteBool("IsMaximized", maximized);
    if (maximized)
        return;
    reg.WriteInteger("Top", Top());
    reg.WriteInteger("Left", Left());
}

void TTagCheckForm::FormResize(TObject* /*Sender*/) {
    if (FReady)
        WritePlacement();
}

void TTagCheckForm::Pane1Resize(TObject* /*Sender*/) {
    if (!FReady)
        return;
    REFile->Repaint();
    ListReport->Repaint();
    TRegistry reg;
    if (!reg.OpenKey(ProductSubKey(TagCheckKey), true))
        return;
    reg.WriteInteger("Pane1Size", Pane1->PaneSize());
    reg.WriteInteger("Pane2Size", Pane2->PaneSize());
}

void TTagCheckForm::FormClose(TObject* /*Sender*/, TCloseAction& /*Action*/) {
    WriteClosingPlacement();
}

// ---- Editing and saving

void TTagCheckForm::REFileChange(TObject* /*Sender*/) {
    SaveButton->SetEnabled(REFile->Modified());
}

void TTagCheckForm::REFileKeyDown(TObject* /*Sender*/, WORD& /*Key*/, TShiftState /*Shift*/) {
    UpdateLinePosition();
}

void TTagCheckForm::REFileKeyPress(TObject* /*Sender*/, char& /*Key*/) {
    UpdateLinePosition();
}

void TTagCheckForm::REFileMouseDown(TObject* /*Sender*/, TMouseButton /*Button*/,
                                    TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    UpdateLinePosition();
}

void TTagCheckForm::UpdateLinePosition() {
    int caret = REFile->SelStart();
    int line = static_cast<int>(REFile->Perform(EM_LINEFROMCHAR, caret, 0));
    int lineStart = static_cast<int>(REFile->Perform(EM_LINEINDEX, line, 0));
    FileStatusBar->Panels().Items(1)->SetText("Line: " + IntToStr(line + 1));
    FileStatusBar->Panels().Items(2)->SetText("Char: " + IntToStr(caret - lineStart + 1));
    FileStatusBar->Panels().Items(0)->SetText(REFile->Modified() ? "#" : "");
}

void TTagCheckForm::SaveButtonClick(TObject* /*Sender*/) {
    REFile->Lines().SaveToFile(FFileName);
    REFile->SetModified(false);
    FFileSaved = true;
    SaveButton->SetEnabled(false);
}

void TTagCheckForm::Button1Click(TObject* /*Sender*/) {
    SaveDialog1->SetFileName(FFileName);
    if (!SaveDialog1->Execute())
        return;
    REFile->Lines().SaveToFile(SaveDialog1->FileName());
    REFile->SetModified(false);
}

void TTagCheckForm::ExitButtonClick(TObject* /*Sender*/) {
    if (REFile->Modified()) {
        int answer = MessageBox(Handle(), "The file has been changed. Save it?", "Quiltmarker",
                                MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES)
            SaveButtonClick(this);
    }
    WriteClosingPlacement();
    SetModalResult(mrOk);
    Close();
}

// ---- Checking and the tag map

void TTagCheckForm::CheckButtonClick(TObject* /*Sender*/) {
    TScreenCursorScope hourglass(crHourGlass);
    FMapShown = false;
    TTagCheckResult result = CheckTagText(REFile->Text(), FContainerTags);
    TStrings& items = ListReport->Items();
    items.BeginUpdate();
    items.Clear();
    for (const String& line : result.Report)
        items.Add(line);
    items.EndUpdate();
    FPositionList = std::move(result.PositionList);
}

void TTagCheckForm::MapButtonClick(TObject* /*Sender*/) {
    TScreenCursorScope hourglass(crHourGlass);
    TStrings& items = ListReport->Items();
    items.BeginUpdate();
    items.Clear();
    FPositionList.clear();
    FMapShown = true;
    for (const TTagMapLine& line :
         MapTags(REFile->Text(), FContainerTags, LevelUpDown->Position())) {
        items.Add(line.Line);
        FPositionList.push_back(IntToStr(line.Position));
    }
    items.EndUpdate();
}

// ---- Going to a report line

void TTagCheckForm::ListReportDblClick(TObject* /*Sender*/) {
    int index = ListReport->ItemIndex();
    if (ListReport->Items().Count() == 0 || index < 0)
        return;
    if (FMapShown)
        GoToMapLine(index);
    else
        GoToReportLine(ListReport->Items().Get(index));
}

void TTagCheckForm::SelectTagFrom(int start, bool blankEnds) {
    std::string_view text = REFile->TextView();
    size_t end = blankEnds ? text.find_first_of("> ", start) : text.find('>', start);
    end = end == std::string_view::npos ? text.size() : end + 1;
    REFile->SetSelStart(start);
    REFile->SetSelLength(static_cast<int>(end) - start);
}

void TTagCheckForm::GoToMapLine(int index) {
    if (index >= static_cast<int>(FPositionList.size()))
        return;
    int start = StrToIntDef(FPositionList[index], 0);
    std::string_view text = REFile->TextView();
    if (text.substr(start, 4) == "<!--") {
        size_t close = text.find("-->", start);
        size_t end = close == std::string_view::npos ? text.size() : close + 3;
        REFile->SetSelStart(start);
        REFile->SetSelLength(static_cast<int>(end) - start);
    } else {
        SelectTagFrom(start, true);
    }
    ShowSelection();
}

void TTagCheckForm::GoToReportLine(const String& line) {
    if (line.empty() || line.compare(0, 15, "NO ERRORS FOUND") == 0)
        return;
    if (line.compare(0, 11, "End of file") == 0) {
        REFile->SetSelStart(REFile->GetTextLen());
    } else {
        int lineNumber = 0, column = 0;
        // A line that names no place (a heading, a line past the text's end) moves nothing.
        if (!ParseReportPlace(line, lineNumber, column))
            return;
        int lineStart = static_cast<int>(REFile->Perform(EM_LINEINDEX, lineNumber - 1, 0));
        if (lineStart < 0)
            return;
        SelectTagFrom(std::min(lineStart + column - 1, REFile->GetTextLen()), false);
    }
    ShowSelection();
}

void TTagCheckForm::ShowSelection() {
    REFile->Perform(EM_SCROLLCARET, 0, 0);
    if (REFile->CanFocus())
        REFile->SetFocus();
    UpdateLinePosition();
}

// ---- Copying and printing

void TTagCheckForm::FillInvisMemo() {
    InvisMemo->Clear();
    String text;
    for (int index = 0; index < ListReport->Items().Count(); ++index)
        text += ListReport->Items().Get(index) + "\r\n";
    InvisMemo->SetText(text);
}

void TTagCheckForm::Copy2Click(TObject* /*Sender*/) {
    FillInvisMemo();
    InvisMemo->SelectAll();
    InvisMemo->CopyToClipboard();
    ShowMessage("Report copied to clipboard");
}

void TTagCheckForm::Print2Click(TObject* /*Sender*/) {
    FillInvisMemo();
    InvisMemo->Print("Quiltmarker Tag Check");
}

void TTagCheckForm::Copy1Click(TObject* /*Sender*/) {
    bool locked = LockWindowUpdate(Handle());
    REFile->SelectAll();
    REFile->CopyToClipboard();
    REFile->SetSelStart(0);
    if (locked)
        LockWindowUpdate(nullptr);
    ShowMessage("HTML code copied to clipboard");
}

void TTagCheckForm::Print1Click(TObject* /*Sender*/) {
    REFile->Print("Quiltmarker Tag Check");
}
