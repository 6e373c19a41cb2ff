// The report pane in place of the document pages: its commands, the text-only view of a page and
// selecting in the file pane the files a text names.

#include "editor/CorvaletForm.h"

#include "platform/Clipbrd.h"
#include "platform/Events.h"
#include "site/FilePane.h"
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
        text = THTMLEMainForm::ReplaceText(text, oldText, newText);
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

} // namespace

void THTMLEMainForm::BuildReportPane() {
    ReportTopPanel->SetHeight(35);
    ProgressBar = NewControl<TProgressBar>(this, ReportTopPanel, "ProgressBar", 250, 8, 150, 16);
    ProgressBar->SetMin(0);
    ProgressBar->SetMax(100);
    AbortButton = NewControl<TButton>(this, ReportTopPanel, "AbortButton", 410, 5, 75, 24);
    AbortButton->SetCaption("Abort");
    AbortButton->SetModalResult(mrAbort);
    AbortLabel = NewControl<TLabel>(this, ReportTopPanel, "AbortLabel", 490, 10, 80, 13);
    AbortLabel->SetColor(clRed);
    AbortLabel->Font().SetColor(clWhite);
    AbortLabel->Font().SetStyle({fsBold});
    AbortLabel->SetVisible(false);
    FileLabel = NewControl<TLabel>(this, ReportTopPanel, "FileLabel", 580, 10, 40, 13);
    FilenamePanel = NewControl<TLabel>(this, ReportTopPanel, "FilenamePanel", 620, 10, 150, 13);
    FilenamePanel->SetAlignment(taCenter);
    ImagesLabel = NewControl<TLabel>(this, ReportTopPanel, "ImagesLabel", 780, 10, 80, 13);
    LinksLabel = NewControl<TLabel>(this, ReportTopPanel, "LinksLabel", 870, 10, 80, 13);
    for (TLabel* label : {FileLabel, FilenamePanel, ImagesLabel, LinksLabel})
        label->SetCaption("");
    ImagesLabel->SetVisible(false);
    LinksLabel->SetVisible(false);
    ReportForm->SetScrollBars(ssVertical);
    ReportForm->SetWantTabs(true);

    ReportFormMenu = NewComponent<TPopupMenu>(this, "ReportFormMenu");
    TMenuItem* items = ReportFormMenu->Items();
    ReportSave1 = AddItem(this, items, "ReportSave1", "&Save");
    ReportPrint1 = AddItem(this, items, "ReportPrint1", "&Print");
    Copy5 = AddItem(this, items, "Copy5", "&Copy");
    SelectAll4 = AddItem(this, items, "SelectAll4", "Select &All");
    SelectAll4->SetShortCut(ShortCut('A', {ssCtrl}));
    SelectFiles2 = AddItem(this, items, "SelectFiles2", "Select &Files");
    AddItem(this, items, "N40", "-");
    ReportClose1 = AddItem(this, items, "ReportClose1", "&Close");
    ReportForm->SetPopupMenu(ReportFormMenu);
}

void THTMLEMainForm::BindReportPane() {
    ReportCloseButton->OnClick = Handler(this, &THTMLEMainForm::ReportCloseButtonClick);
    ReportSave1->OnClick = Handler(this, &THTMLEMainForm::Save1Click);
    Copy5->OnClick = Handler(this, &THTMLEMainForm::Copy5Click);
    SelectAll4->OnClick = Handler(this, &THTMLEMainForm::SelectAll4Click);
    SelectFiles2->OnClick = Handler(this, &THTMLEMainForm::Select1Click);
    ReportClose1->OnClick = Handler(this, &THTMLEMainForm::Close1Click);
    ReportFormMenu->OnPopup = Handler(this, &THTMLEMainForm::ReportFormMenuPopup);
    SelectFiles1->OnClick = Handler(this, &THTMLEMainForm::SelectFiles1Click);
    TextOnly1->OnClick = Handler(this, &THTMLEMainForm::TextOnly1Click);
    TextOnly2->OnClick = Handler(this, &THTMLEMainForm::TextOnly1Click);
}

void THTMLEMainForm::ShowReportPane() {
    if (!ReportForm->Visible())
        PagesVisibleBeforeReport = PageControl1->Visible();
    ImagePanel->Hide();
    PageControl1->Hide();
    ReportForm->Show();
    ReportPanel->Show();
    ReportPanel->Repaint();
}

// A running analysis ends first, so that nothing writes into the pane once it has gone.
void THTMLEMainForm::CloseReportView() {
    StopAnalysis();
    if (!ReportForm->Visible())
        return;
    PageControl1->SetVisible(PagesVisibleBeforeReport);
    ImagePanel->Show();
    UpdateDocumentCommands();
    GlobalReplaceButton->SetEnabled(true);
    ReportForm->Hide();
    ReportPanel->Hide();
}

void THTMLEMainForm::ReportCloseButtonClick(TObject* /*Sender*/) {
    CloseReportView();
    if (TextOnly1->Visible())
        TextOnly1->SetEnabled(true);
}

void THTMLEMainForm::Copy5Click(TObject* /*Sender*/) {
    ReportForm->CopyToClipboard();
}

void THTMLEMainForm::SelectAll4Click(TObject* /*Sender*/) {
    if (ReportForm->Visible())
        ReportForm->SelectAll();
}

void THTMLEMainForm::ReportFormMenuPopup(TObject* /*Sender*/) {
    SelectFiles2->SetEnabled(Clipboard()->HasFormat(CF_TEXT));
}

void THTMLEMainForm::Select1Click(TObject* /*Sender*/) {
    SelectListedFiles(1);
}

void THTMLEMainForm::SelectFiles1Click(TObject* /*Sender*/) {
    SelectListedFiles(2);
}

// The names go through the clipboard, which keeps them afterwards, as the user may paste them.
void THTMLEMainForm::SelectListedFiles(int source) {
    FilePane->FilterCombo->SetText("*.*");
    FilePane->FileListBox1->SetMask("*.*");
    if (source == 1) {
        ReportForm->CopyToClipboard();
    } else if (source == 2 && AnyDocumentOpen() && GetMemo(-1)) {
        GetMemo(-1)->CopyToClipboard();
    } else {
        return;
    }
    TempMemo->Clear();
    TempMemo->PasteFromClipboard();
    TStrings& lines = TempMemo->Lines();
    for (int i = 0; i < lines.Count(); ++i) {
        String name = Trim(lines[i]);
        size_t background = name.find(" [BACKGROUND]");
        if (background != String::npos)
            name.erase(background);
        int index = FilePane->FileListBox1->Items().IndexOf(name);
        if (index >= 0)
            FilePane->FileListBox1->SetSelected(index, true);
    }
}

String THTMLEMainForm::ReplaceText(const String& text, const String& oldText,
                                   const String& newText) {
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

String THTMLEMainForm::TextOnlyText(const String& pageText) {
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

void THTMLEMainForm::TextOnly1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::TextOnly1Click))
        return;
    TRichEdit* editor = GetMemo(-1);
    if (!AnyDocumentOpen() || !editor || !PageInUse(-1))
        return;
    String text = AdjustLineBreaks(editor->Text(), true);
    TScreenCursorScope hourglass(crHourGlass);
    ShowReportPane();
    ReportForm->Clear();
    ReportForm->SetText(TextOnlyText(text));
    ReportForm->SetSelStart(0);
    ReportForm->SetSelLength(0);
}
