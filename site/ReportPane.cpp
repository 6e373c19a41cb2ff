#include "site/ReportPane.h"

#include "editor/CorvaletForm.h"
#include "editor/Documents.h"
#include "editor/FontSettings.h"
#include "editor/PrintCommands.h"
#include "editor/Templates.h"
#include "editor/TextTransforms.h"
#include "platform/Clipbrd.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
#include "site/FilePane.h"
#include "site/GlobalFindReplace.h"
#include "site/SiteAnalysing.h"
#include "widgets/QmToolbars.h"

namespace {

// Each from the start text up to and including the next end text becomes the replacement; an
// unclosed start keeps the rest of the text as it is.
String ReplaceEnclosed(const String& text, const String& start, const String& end,
                       const String& replacement) {
    String result;
    size_t from = 0;
    for (size_t open = text.find(start); open != String::npos; open = text.find(start, from)) {
        size_t close = text.find(end, open + start.size());
        if (close == String::npos)
            break;
        result.append(text, from, open - from);
        result += replacement;
        from = close + end.size();
    }
    result.append(text, from, String::npos);
    return result;
}

String ReplaceEach(String text, std::initializer_list<std::pair<const char*, const char*>> pairs) {
    for (const auto& [oldText, newText] : pairs)
        text = TReportPane::ReplaceText(text, oldText, newText);
    return text;
}

bool IsBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

// Line breaks and runs of blanks become single blanks, and the final line break goes. A CR LF
// pair counts as one line break; a lone CR or LF is one too and swallows nothing after it.
String CollapseWhiteSpace(const String& text) {
    String result;
    size_t end = text.size() >= 2 ? text.size() - 2 : 0;
    for (size_t i = 0; i < end; ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < end && text[i + 1] == '\n')
                ++i;
            bool nextBlank = i + 1 < end && IsBlankOrTab(text[i + 1]);
            if (!result.empty() && !IsBlankOrTab(result.back()) && !nextBlank)
                result += ' ';
        } else if (c == ' ') {
            if (result.empty() || result.back() != ' ')
                result += ' ';
        } else {
            result += c;
        }
    }
    return result;
}

// What a tag leaves in the view, by its first characters.
String TagMark(const String& text, size_t open) {
    String head = UpperCase(text.substr(open, 5));
    auto startsWith = [&head](const char* prefix) { return head.rfind(prefix, 0) == 0; };
    if (startsWith("<P ") || startsWith("<P>"))
        return "\r\n\n";
    if (startsWith("<A "))
        return "[link]";
    if (startsWith("</H") && head.size() > 3 && head[3] >= '1' && head[3] <= '9')
        return "\r\n";
    if (startsWith("<BR>") || startsWith("<LI>") || startsWith("</TR") || startsWith("</DIV"))
        return "\r\n";
    if (startsWith("<IMG"))
        return "[image]";
    return "";
}

String DropTags(const String& text) {
    String result;
    size_t from = 0;
    for (size_t open = text.find('<', from); open != String::npos; open = text.find('<', from)) {
        result.append(text, from, open - from);
        result += TagMark(text, open);
        size_t close = text.find('>', open);
        if (close == String::npos || close + 1 >= text.size())
            return result;
        from = close + 1;
        if (text[from] != '<')
            result += ' ';
    }
    result.append(text, from, String::npos);
    return result;
}

// A command the window's creation brings out of hiding, placed as the form resource places it.
TMenuItem* InsertHiddenItem(TComponent* owner, TMenuItem* parent, int index, const String& name,
                            const String& caption) {
    TMenuItem* item = InsertItem(owner, parent, index, name, caption);
    item->SetVisible(false);
    return item;
}

} // namespace

// The pane lies over the pages, in their place.
void TReportPane::BuildPanels() {
    ReportPanel = NewControl<TPanel>(&Form, &Form, "ReportPanel");
    ReportPanel->SetAlign(alClient);
    ReportPanel->SetCaption("");
    ReportPanel->SetVisible(false);
    ReportTopPanel = NewControl<TPanel>(&Form, ReportPanel, "ReportTopPanel");
    ReportTopPanel->SetAlign(alTop);
    ReportTopPanel->SetHeight(35);
    ReportTopPanel->SetCaption("");
    ReportCloseButton = NewControl<TButton>(&Form, ReportTopPanel, "ReportCloseButton");
    ReportCloseButton->SetCaption("&Close");
    SaveButton = NewControl<TButton>(&Form, ReportTopPanel, "SaveButton");
    SaveButton->SetCaption("&Save");
    PrintReportButton = NewControl<TButton>(&Form, ReportTopPanel, "PrintReportButton");
    PrintReportButton->SetCaption("&Print");
    for (TButton* button : {ReportCloseButton, SaveButton, PrintReportButton})
        button->SetBounds(0, 3, 75, 24);
    ReportForm = NewControl<TRichEdit>(&Form, ReportPanel, "ReportForm");
    ReportForm->SetAlign(alClient);
    ReportForm->SetPlainText(true);
    ReportForm->SetScrollBars(ssVertical);
    ReportForm->SetWantTabs(true);
    ReportForm->SetVisible(false);
}

void TReportPane::BuildProgressControls() {
    ProgressBar = NewControl<TProgressBar>(&Form, ReportTopPanel, "ProgressBar", 250, 8, 150, 16);
    ProgressBar->SetMin(0);
    ProgressBar->SetMax(100);
    AbortButton = NewControl<TButton>(&Form, ReportTopPanel, "AbortButton", 410, 5, 75, 24);
    AbortButton->SetCaption("Abort");
    AbortButton->SetModalResult(mrAbort);
    AbortLabel = NewControl<TLabel>(&Form, ReportTopPanel, "AbortLabel", 490, 10, 80, 13);
    AbortLabel->SetColor(clRed);
    AbortLabel->Font().SetColor(clWhite);
    AbortLabel->Font().SetStyle({fsBold});
    AbortLabel->SetVisible(false);
    FileLabel = NewControl<TLabel>(&Form, ReportTopPanel, "FileLabel", 580, 10, 40, 13);
    FilenamePanel = NewControl<TLabel>(&Form, ReportTopPanel, "FilenamePanel", 620, 10, 150, 13);
    FilenamePanel->SetAlignment(taCenter);
    ImagesLabel = NewControl<TLabel>(&Form, ReportTopPanel, "ImagesLabel", 780, 10, 80, 13);
    LinksLabel = NewControl<TLabel>(&Form, ReportTopPanel, "LinksLabel", 870, 10, 80, 13);
    for (TLabel* label : {FileLabel, FilenamePanel, ImagesLabel, LinksLabel})
        label->SetCaption("");
    ImagesLabel->SetVisible(false);
    LinksLabel->SetVisible(false);
}

void TReportPane::BuildReportMenu() {
    ReportFormMenu = NewComponent<TPopupMenu>(&Form, "ReportFormMenu");
    TMenuItem* items = ReportFormMenu->Items();
    ReportSave1 = AddItem(&Form, items, "ReportSave1", "&Save");
    ReportPrint1 = AddItem(&Form, items, "ReportPrint1", "&Print");
    Copy5 = AddItem(&Form, items, "Copy5", "&Copy");
    SelectAll4 = AddItem(&Form, items, "SelectAll4", "Select &All");
    SelectAll4->SetShortCut(ShortCut('A', {ssCtrl}));
    SelectFiles2 = AddItem(&Form, items, "SelectFiles2", "Select &Files");
    AddItem(&Form, items, "N40", "-");
    ReportClose1 = AddItem(&Form, items, "ReportClose1", "&Close");
    ReportForm->SetPopupMenu(ReportFormMenu);
}

// Text Only comes before Remove Indents in the Edit menu; in the Tools menu, Text Only and Select
// Files follow the Publish submenu.
void TReportPane::BuildMenuItems() {
    TextOnly1 =
        InsertHiddenItem(&Form, Form.Edit1, Form.TextTransforms->RemoveIndents1->MenuIndex(),
                         "TextOnly1", "Te&xt Only");
    TextOnly2 = InsertHiddenItem(&Form, Form.Tools1, Form.Publish1->MenuIndex() + 1, "TextOnly2",
                                 "Te&xt Only");
    SelectFiles1 = InsertHiddenItem(&Form, Form.Tools1, TextOnly2->MenuIndex() + 1, "SelectFiles1",
                                    "Select &Files...");
}

void TReportPane::Build() {
    BuildPanels();
    BuildProgressControls();
    BuildReportMenu();
    BuildMenuItems();
}

// The pane's Save, Print and Close are the File menu's, which take the report while it shows.
void TReportPane::Bind() {
    ReportCloseButton->OnClick = Handler(this, &TReportPane::ReportCloseButtonClick);
    SaveButton->OnClick = Handler(Form.Documents, &TDocuments::Save1Click);
    ReportSave1->OnClick = Handler(Form.Documents, &TDocuments::Save1Click);
    PrintReportButton->OnClick = Handler(Form.PrintCommands, &TPrintCommands::Print1Click);
    ReportPrint1->OnClick = Handler(Form.PrintCommands, &TPrintCommands::Print1Click);
    Copy5->OnClick = Handler(this, &TReportPane::Copy5Click);
    SelectAll4->OnClick = Handler(this, &TReportPane::SelectAll4Click);
    SelectFiles2->OnClick = Handler(this, &TReportPane::Select1Click);
    ReportClose1->OnClick = Handler(Form.Documents, &TDocuments::Close1Click);
    ReportFormMenu->OnPopup = Handler(this, &TReportPane::ReportFormMenuPopup);
    ReportTopPanel->OnResize = Handler(this, &TReportPane::ReportTopPanelResize);
    SelectFiles1->OnClick = Handler(this, &TReportPane::SelectFiles1Click);
    TextOnly1->OnClick = Handler(this, &TReportPane::TextOnly1Click);
    TextOnly2->OnClick = Handler(this, &TReportPane::TextOnly1Click);
}

// The buttons stand side by side from 13 pixels into the top panel, which the window lays out.
void TReportPane::ReportTopPanelResize(TObject* /*Sender*/) {
    int left = ReportTopPanel->Left() + 13;
    for (TButton* button : {ReportCloseButton, SaveButton, PrintReportButton}) {
        button->SetLeft(left);
        left += button->Width();
    }
}

// Select Files works on file names pasted into the page.
void TReportPane::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.MainPopupMenu->Items())
        SelectFiles1->SetEnabled(Clipboard()->HasFormat(CF_TEXT));
}

void TReportPane::ReadSettings() {
    GiveDefaultPlainFont(ReportForm->Font());
    for (TMenuItem* item : {TextOnly1, TextOnly2, SelectFiles1})
        item->SetVisible(true);
}

void TReportPane::PrinterFontChosen(const TFont& font) {
    ReportForm->Font().SetName(font.Name());
    ReportForm->Font().SetSize(font.Size());
}

void TReportPane::ShowReportPane() {
    if (!ReportForm->Visible())
        PagesVisibleBeforeReport = Form.PageControl1->Visible();
    Form.ImagePanel->Hide();
    Form.PageControl1->Hide();
    ReportForm->Show();
    ReportPanel->Show();
    ReportPanel->Repaint();
}

void TReportPane::CloseReportView() {
    Form.SiteAnalyser->StopAnalysis();
    if (!ReportForm->Visible())
        return;
    Form.PageControl1->SetVisible(PagesVisibleBeforeReport);
    Form.ImagePanel->Show();
    Form.UpdateDocumentCommands();
    Form.GlobalFindReplace->GlobalReplaceButton->SetEnabled(true);
    ReportForm->Hide();
    ReportPanel->Hide();
}

void TReportPane::LeaveViewsOverPages() {
    CloseReportView();
}

bool TReportPane::ShowsViewOverPages() const {
    return ReportForm->Visible();
}

void TReportPane::ShowReport(const String& text) {
    ReportForm->Clear();
    ReportForm->Paragraph().SetFirstIndent(20);
    ReportForm->Paragraph().SetLeftIndent(30);
    ReportForm->Paragraph().SetRightIndent(5);
    ShowReportPane();
    AbortButton->Hide();
    AbortLabel->Hide();
    ReportForm->Lines().SetText(text);
}

bool TReportPane::RunOnShownView(TShownViewCommand command) {
    if (!ReportForm->Visible())
        return false;
    if (command == TShownViewCommand::Print)
        PrintReport();
    else
        SaveReport(command == TShownViewCommand::SaveAs);
    return true;
}

// The dialog is given the default extension, so that its question before replacing a file asks
// about the name that will really be written.
void TReportPane::SaveReport(bool saveAs) {
    TSaveDialog& dialog = *Form.Documents->SaveDialog;
    if (saveAs)
        dialog.SetDefaultExt(Form.DefaultExtension);
    bool chosen = dialog.Execute();
    dialog.SetDefaultExt("");
    if (!chosen)
        return;
    String path = dialog.FileName();
    if (saveAs && dialog.FilterIndex() == 3) {
        if (MessageBox(Form.Handle(), "Save this as your new 'framework' document?", "Quiltmarker",
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        path = Form.Templates->FrameworkDocumentName();
    } else if (saveAs) {
        path = Form.Documents->WithDefaultExtension(path);
    }
    TDocuments::WriteEditorText(ReportForm, path);
}

void TReportPane::PrintReport() {
    if (Form.PrintCommands->PrintDialog->Execute())
        ReportForm->Print("Web Page Analysis");
}

void TReportPane::ReportCloseButtonClick(TObject* /*Sender*/) {
    CloseReportView();
    if (TextOnly1->Visible())
        TextOnly1->SetEnabled(true);
}

void TReportPane::Copy5Click(TObject* /*Sender*/) {
    ReportForm->CopyToClipboard();
}

void TReportPane::SelectAll4Click(TObject* /*Sender*/) {
    if (ReportForm->Visible())
        ReportForm->SelectAll();
}

void TReportPane::ReportFormMenuPopup(TObject* /*Sender*/) {
    SelectFiles2->SetEnabled(Clipboard()->HasFormat(CF_TEXT));
}

void TReportPane::Select1Click(TObject* /*Sender*/) {
    SelectListedFiles(1);
}

void TReportPane::SelectFiles1Click(TObject* /*Sender*/) {
    SelectListedFiles(2);
}

// The names go through the clipboard, which keeps them afterwards, as the user may paste them.
void TReportPane::SelectListedFiles(int source) {
    Form.FilePane->FilterCombo->SetText("*.*");
    Form.FilePane->FileListBox1->SetMask("*.*");
    if (source == 1) {
        ReportForm->CopyToClipboard();
    } else if (source == 2 && Form.AnyDocumentOpen() && Form.GetMemo(-1)) {
        Form.GetMemo(-1)->CopyToClipboard();
    } else {
        return;
    }
    TRichEdit& names = *Form.TempMemo;
    names.Clear();
    names.PasteFromClipboard();
    TStrings& lines = names.Lines();
    for (int i = 0; i < lines.Count(); ++i) {
        String name = Trim(lines[i]);
        size_t background = name.find(" [BACKGROUND]");
        if (background != String::npos)
            name.erase(background);
        int index = Form.FilePane->FileListBox1->Items().IndexOf(name);
        if (index >= 0)
            Form.FilePane->FileListBox1->SetSelected(index, true);
    }
}

String TReportPane::ReplaceText(const String& text, const String& oldText, const String& newText) {
    if (oldText.empty())
        return text;
    String result;
    size_t from = 0;
    for (size_t found = text.find(oldText); found != String::npos;
         found = text.find(oldText, from)) {
        result.append(text, from, found - from);
        result += newText;
        from = found + oldText.size();
    }
    result.append(text, from, String::npos);
    return result;
}

String TReportPane::TextOnlyText(const String& pageText) {
    String text = ReplaceEnclosed(pageText, "<!--", "-->", " ");
    text =
        ReplaceEach(text, {{"&nbsp;", " "}, {"&amp;", "&"}, {"&quot;", "\""}, {"&copy;", "\xA9"}});
    text = DropTags(CollapseWhiteSpace(text));
    text = ReplaceEach(text, {{"&gt;", ">"},
                              {"&lt;", "<"},
                              {"&pound;", "\xA3"},
                              {"&frac14;", "\xBC"},
                              {"&frac12;", "\xBD"},
                              {"&frac34;", "\xBE"}});
    return ReplaceEnclosed(text, "{{", "}}", "[publisher function]");
}

void TReportPane::TextOnly1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::TextOnly1Click))
        return;
    TRichEdit* editor = Form.GetMemo(-1);
    if (!Form.AnyDocumentOpen() || !editor || !Form.PageInUse(-1))
        return;
    String text = AdjustLineBreaks(editor->Text(), true);
    TScreenCursorScope hourglass(crHourGlass);
    ShowReportPane();
    ReportForm->Clear();
    ReportForm->SetText(TextOnlyText(text));
    ReportForm->SetSelStart(0);
    ReportForm->SetSelLength(0);
}
