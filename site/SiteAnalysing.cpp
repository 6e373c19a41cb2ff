// Analyse (selected files): the images and links of the pages selected in the file pane, or the
// pages reached from one page by its local links, reported in the report pane.

#include "editor/CorvaletForm.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "editor/HelpPointer.h"
#include "editor/TextTransforms.h"
#include "editor/PrintCommands.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/RichEdit.h"
#include "site/FilePane.h"
#include "site/ReportPane.h"
#include "site/SiteAnalyser.h"
#include "widgets/QmToolbars.h"

#include <chrono>

namespace {

constexpr int MaxAnalysedFiles = 500;
// The window is kept answering while a pass runs, without spending the pass's time on redrawing
// after every tag.
constexpr std::chrono::milliseconds PumpInterval(30);

// Lets the window's messages run now and then; false once the analysis is to stop.
class TAnalysisPump {
public:
    explicit TAnalysisPump(THTMLEMainForm& form) : FForm(form) {}

    bool operator()() {
        auto now = std::chrono::steady_clock::now();
        if (now - FLast >= PumpInterval) {
            FLast = now;
            if (!FShown.empty())
                FForm.ReportPane->FilenamePanel->SetCaption(FShown);
            Application->ProcessMessages();
        }
        return !FForm.AbortRequested && !FForm.AnalysisStopRequested;
    }

    void Show(const String& value) { FShown = value; }

private:
    THTMLEMainForm& FForm;
    std::chrono::steady_clock::time_point FLast{};
    String FShown;
};

void StepProgress(TProgressBar& bar) {
    bar.SetPosition(bar.Position() + 1);
}

TAnalyserListSet
ListEntries(const std::array<TStringList*, THTMLEMainForm::AnalyserListCount>& lists) {
    TAnalyserListSet entries;
    for (size_t i = 0; i < lists.size(); ++i)
        for (int j = 0; j < lists[i]->Count(); ++j)
            entries[i].push_back((*lists[i])[j]);
    return entries;
}

void ClearLists(const std::array<TStringList*, THTMLEMainForm::AnalyserListCount>& lists, int first,
                int last) {
    for (int i = first; i <= last; ++i)
        lists[i]->Clear();
}

// Each line at the end of the report in its own look.
void AppendReportLines(TRichEdit& report, const TReportLines& lines) {
    int baseSize = report.Font().Size();
    report.Lines().BeginUpdate();
    for (const TReportLine& line : lines) {
        report.SetSelStart(report.GetTextLen());
        report.SelAttributes().SetStyle(line.Style);
        report.SelAttributes().SetSize(baseSize + line.SizeStep);
        report.SelAttributes().SetColor(line.Colour);
        report.SetSelText(line.Text + "\r\n");
    }
    report.Lines().EndUpdate();
    report.Perform(EM_SCROLLCARET, 0, 0);
}

} // namespace

// While an analysis runs, what would empty its lists or print the pane under it is refused:
// Analyse and Print are disabled, and closing the window waits for the analysis to stop.
class TAnalysisScope {
public:
    explicit TAnalysisScope(THTMLEMainForm& form)
        : FForm(form), FItems{form.Analyse1, form.PrintCommands->Print1,
                              form.ReportPane->ReportPrint1},
          FControls{form.AnalyseButton, form.PrintCommands->PrintButton,
                    form.ReportPane->PrintReportButton} {
        ++FForm.AnalysisDepth;
        FForm.AnalysisStopRequested = false;
        for (size_t i = 0; i < FItems.size(); ++i) {
            FItemsEnabled[i] = FItems[i]->Enabled();
            FItems[i]->SetEnabled(false);
            FControlsEnabled[i] = FControls[i]->Enabled();
            FControls[i]->SetEnabled(false);
        }
    }

    ~TAnalysisScope() {
        for (size_t i = 0; i < FItems.size(); ++i) {
            FItems[i]->SetEnabled(FItemsEnabled[i]);
            FControls[i]->SetEnabled(FControlsEnabled[i]);
        }
        --FForm.AnalysisDepth;
        if (FForm.CloseAfterAnalysis) {
            FForm.CloseAfterAnalysis = false;
            FForm.Close();
        }
    }

    TAnalysisScope(const TAnalysisScope&) = delete;
    TAnalysisScope& operator=(const TAnalysisScope&) = delete;

private:
    THTMLEMainForm& FForm;
    std::array<TMenuItem*, 3> FItems;
    std::array<TControl*, 3> FControls;
    std::array<bool, 3> FItemsEnabled{};
    std::array<bool, 3> FControlsEnabled{};
};

void THTMLEMainForm::BuildSiteAnalyser() {
    Analyse1 = InsertItem(this, File1, File1->IndexOf(Validatecurrentfile1) + 1, "Analyse1",
                          "Anal&yse (selected files)");
    AnalyseButton = AddToolbarButton(StdToolbar, "AnalyseButton", "Analyse Selected File(s)");
}

void THTMLEMainForm::BindSiteAnalyser() {
    Analyse1->OnClick = Handler(this, &THTMLEMainForm::Analyse1Click);
    AnalyseButton->OnClick = Handler(this, &THTMLEMainForm::Analyse1Click);
    ReportPane->AbortButton->OnClick = Handler(this, &THTMLEMainForm::AbortButtonClick);
}

void THTMLEMainForm::AbortButtonClick(TObject* /*Sender*/) {
    AbortRequested = true;
}

void THTMLEMainForm::StopAnalysis() {
    if (AnalysisRunning())
        AnalysisStopRequested = true;
}

namespace {

std::vector<String> SelectedFileNames(TFileListBox& list) {
    std::vector<String> names;
    for (int i = 0; i < list.Items().Count(); ++i)
        if (list.Selected(i))
            names.push_back(list.Items()[i]);
    return names;
}

} // namespace

void THTMLEMainForm::Analyse1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::Analyse1Click) || AnalysisRunning())
        return;
    std::vector<String> names = SelectedFileNames(*FilePane->FileListBox1);
    if (names.empty()) {
        MessageBox(Handle(), "You must first select a file (or files) in the file list.",
                   "Analyse Files", MB_OK | MB_ICONERROR);
        return;
    }
    TAnalysisScope running(*this);
    const String folder = IncludeTrailingPathDelimiter(FilePane->FileListBox1->Directory());
    SetCurrentDir(folder);
    ReportPane->LinksLabel->Hide();
    ReportPane->ImagesLabel->Hide();
    AbortRequested = false;
    ReportPane->AbortLabel->Show();
    ReportPane->AbortButton->Show();
    ReportPane->FileLabel->SetCaption("");
    ReportPane->ShowReportPane();
    ReportPane->ProgressBar->SetPosition(0);
    for (TControl* button : std::initializer_list<TControl*>{
             ElementNavigation->BookmarkButton, ElementNavigation->GotoButton,
             FindReplace->FindButton, FindReplace->ReplaceButton, GlobalReplaceButton,
             ElementNavigation->ExtendButton, TextTransforms->IndentButton,
             TextTransforms->UnindentButton})
        button->SetEnabled(false);
    if (names.size() == 1) {
        ReportPane->ReportForm->Clear();
        if (MessageBox(Handle(), "Trace into local links?", "Quiltmarker Analyser",
                       MB_YESNO | MB_ICONQUESTION) == IDYES) {
            CheckLocalLinks(names.front());
            ReportPane->AbortLabel->Hide();
            ReportPane->AbortButton->Hide();
            ReportPane->ReportForm->Show();
            ReportPane->ReportForm->Repaint();
            if (ReportPane->ReportForm->CanFocus())
                ReportPane->ReportForm->SetFocus();
            return;
        }
    }
    AnalyseSelectedFiles(folder, names);
}

void THTMLEMainForm::AnalyseSelectedFiles(const String& folder, std::vector<String> names) {
    ReportPane->LinksLabel->SetCaption("Links: 0");
    ReportPane->ImagesLabel->SetCaption("Images: 0");
    ReportPane->LinksLabel->Show();
    ReportPane->ImagesLabel->Show();
    ClearLists(AnalyserLists, alImagesUsed, alLinksExternal);
    std::vector<String> notAnalysed;
    TScreenCursorScope hourglass(crHourGlass);
    ReportPane->ReportForm->Clear();
    ReportPane->ReportForm->Paragraph().SetFirstIndent(20);
    ReportPane->ReportForm->Paragraph().SetLeftIndent(30);
    ReportPane->ReportForm->Paragraph().SetRightIndent(5);
    if (names.size() > MaxAnalysedFiles) {
        MessageBox(Handle(),
                   "Cannot analyse more than 500 files at one time.\r\nOnly the first 500 will be "
                   "analysed.",
                   "Quiltmarker", MB_OK);
        names.resize(MaxAnalysedFiles);
    }
    const int count = static_cast<int>(names.size());
    const bool separate =
        count == 1 || MessageBox(Handle(), "Do you want a separate report for each file?",
                                 "HTML Report", MB_YESNO | MB_ICONQUESTION) == IDYES;
    ReportPane->ProgressBar->SetMax(7 * count + (separate ? 2 * count : 0));
    ReportPane->ProgressBar->SetPosition(0);
    for (const String& name : names) {
        ReportPane->FilenamePanel->SetCaption(name);
        const String path = folder + name;
        if (!separate)
            AppendReportLines(*ReportPane->ReportForm, {PathLine(path)});
        else
            ClearLists(AnalyserLists, alImagesUsed, alImagesExternal);
        bool declined = false;
        bool accepted = AnalyseFileTags(path, true, false, separate, declined);
        if (!AnalysisStopped()) {
            if (declined)
                notAnalysed.push_back(name);
            StepProgress(*ReportPane->ProgressBar);
            if (separate)
                ClearLists(AnalyserLists, alLinksActive, alLinksExternal);
            if (accepted)
                AnalyseFileTags(path, false, true, separate, declined);
        }
        if (AnalysisStopped()) {
            EndAbortedAnalysis();
            return;
        }
        StepProgress(*ReportPane->ProgressBar);
        if (separate) {
            AppendReportLines(*ReportPane->ReportForm,
                              SummaryLines(ListEntries(AnalyserLists), true));
            ReportPane->ReportForm->Repaint();
        }
        StepProgress(*ReportPane->ProgressBar);
    }
    if (!separate)
        WriteCombinedReport();
    AppendReportLines(*ReportPane->ReportForm, NotAnalysedLines(notAnalysed));
    ReportPane->AbortLabel->Hide();
    ReportPane->AbortButton->Hide();
    ReportPane->ProgressBar->SetPosition(0);
    ReportPane->FilenamePanel->SetCaption("");
    ReportPane->FileLabel->SetCaption("");
}

bool THTMLEMainForm::AnalysisStopped() const {
    return AbortRequested || AnalysisStopRequested;
}

void THTMLEMainForm::EndAbortedAnalysis() {
    ReportPane->ProgressBar->SetPosition(0);
    ReportPane->FilenamePanel->SetCaption("");
    ReportPane->FileLabel->SetCaption("");
    ReportPane->AbortLabel->Hide();
    ReportPane->AbortButton->Hide();
    ReportPane->CloseReportView();
}

void THTMLEMainForm::WriteCombinedReport() {
    std::vector<TReportLines> parts = CombinedReportParts(ListEntries(AnalyserLists));
    for (size_t i = 0; i < parts.size(); ++i) {
        ReportPane->FileLabel->SetCaption("CREATING REPORT... " +
                                          IntToStr(static_cast<int>(i) + 1));
        AppendReportLines(*ReportPane->ReportForm, parts[i]);
        ReportPane->ReportForm->Repaint();
    }
}

// A file that cannot be read is declined like one that is not HTML, so the report names it
// among the files not analysed and the analysis goes on.
bool THTMLEMainForm::AnalyseFileTags(const String& path, bool imagePass, bool alreadyAccepted,
                                     bool separateReports, bool& declined) {
    const String name = ExtractFileName(path);
    String text;
    try {
        text = ReadFileBytes(path);
    } catch (const Exception&) {
        declined = true;
        return false;
    }
    ReportPane->FileLabel->SetCaption(name);
    ReportPane->FileLabel->Repaint();
    if (!alreadyAccepted && !LooksLikeHtml(text) &&
        MessageBox(Handle(),
                   "'" + name +
                       "' does not appear to be an HTML file. Do you still want to "
                       "analyse it?",
                   "Quiltmarker", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        declined = true;
        return false;
    }
    StepProgress(*ReportPane->ProgressBar);
    TAnalysisPump pump(*this);
    TSiteFiles files(ExtractFilePath(path));
    auto sink = [&](TAnalyserList list, const String& value) {
        pump.Show(value);
        AnalyserLists[list]->Add(value);
        if (list == alImagesUsed)
            ReportPane->ImagesLabel->SetCaption("Images: " +
                                                IntToStr(AnalyserLists[list]->Count()));
        else if (list == alLinksActive)
            ReportPane->LinksLabel->SetCaption("Links: " + IntToStr(AnalyserLists[list]->Count()));
    };
    if (!AnalysePageText(text, imagePass, files, sink, std::ref(pump)))
        return false;
    StepProgress(*ReportPane->ProgressBar);
    if (separateReports) {
        StepProgress(*ReportPane->ProgressBar);
        TAnalyserListSet lists = ListEntries(AnalyserLists);
        AppendReportLines(*ReportPane->ReportForm, imagePass ? ImageSectionLines(path, lists)
                                                             : LinkSectionLines(path, lists));
    }
    Application->ProcessMessages();
    return !AnalysisStopped();
}

void THTMLEMainForm::CheckLocalLinks(const String& name) {
    ReportPane->ReportForm->Clear();
    TLinkTrace trace;
    {
        TScreenCursorScope hourglass(crHourGlass);
        TAnalysisPump pump(*this);
        trace = TraceLocalLinks(IncludeTrailingPathDelimiter(FilePane->FileListBox1->Directory()),
                                name, std::ref(pump));
        if (trace.Aborted)
            return;
        TStrings& lines = ReportPane->ReportForm->Lines();
        lines.BeginUpdate();
        for (const String& line : TraceReportLines(trace))
            lines.Add(line);
        lines.EndUpdate();
    }
    if (MessageBox(Handle(), "Select the links in the file list?", "Quiltmarker",
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    TStrings& items = FilePane->FileListBox1->Items();
    for (int i = 0; i < items.Count(); ++i)
        FilePane->FileListBox1->SetSelected(
            i, std::binary_search(trace.Found.begin(), trace.Found.end(), items[i]));
}
