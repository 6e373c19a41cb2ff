#include "site/SiteAnalysing.h"

#include "editor/CorvaletForm.h"
#include "editor/Documents.h"
#include "editor/ElementNavigation.h"
#include "editor/FindReplace.h"
#include "editor/HelpPointer.h"
#include "editor/PrintCommands.h"
#include "editor/TextTransforms.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/RichEdit.h"
#include "site/FilePane.h"
#include "site/GlobalFindReplace.h"
#include "site/ReportPane.h"
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
    explicit TAnalysisPump(TSiteAnalyser& analyser, THTMLEMainForm& form)
        : FAnalyser(analyser), FForm(form) {}

    bool operator()() {
        auto now = std::chrono::steady_clock::now();
        if (now - FLast >= PumpInterval) {
            FLast = now;
            if (!FShown.empty())
                FForm.ReportPane->FilenamePanel->SetCaption(FShown);
            Application->ProcessMessages();
        }
        return !FForm.AbortRequested && !FAnalyser.AnalysisStopRequested;
    }

    void Show(const String& value) { FShown = value; }

private:
    TSiteAnalyser& FAnalyser;
    THTMLEMainForm& FForm;
    std::chrono::steady_clock::time_point FLast{};
    String FShown;
};

void StepProgress(TProgressBar& bar) {
    bar.SetPosition(bar.Position() + 1);
}

using TAnalyserLists = decltype(TSiteAnalyser::AnalyserLists);

TAnalyserListSet ListEntries(const TAnalyserLists& lists) {
    TAnalyserListSet entries;
    for (size_t i = 0; i < lists.size(); ++i)
        for (int j = 0; j < lists[i]->Count(); ++j)
            entries[i].push_back((*lists[i])[j]);
    return entries;
}

void ClearLists(const TAnalyserLists& lists, int first, int last) {
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
    TAnalysisScope(TSiteAnalyser& analyser, THTMLEMainForm& form)
        : FAnalyser(analyser), FForm(form), FItems{analyser.Analyse1, form.PrintCommands->Print1,
                                                   form.ReportPane->ReportPrint1},
          FControls{analyser.AnalyseButton, form.PrintCommands->PrintButton,
                    form.ReportPane->PrintReportButton} {
        ++FAnalyser.AnalysisDepth;
        FAnalyser.AnalysisStopRequested = false;
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
        --FAnalyser.AnalysisDepth;
        if (FAnalyser.CloseAfterAnalysis) {
            FAnalyser.CloseAfterAnalysis = false;
            FForm.Close();
        }
    }

    TAnalysisScope(const TAnalysisScope&) = delete;
    TAnalysisScope& operator=(const TAnalysisScope&) = delete;

private:
    TSiteAnalyser& FAnalyser;
    THTMLEMainForm& FForm;
    std::array<TMenuItem*, 3> FItems;
    std::array<TControl*, 3> FControls;
    std::array<bool, 3> FItemsEnabled{};
    std::array<bool, 3> FControlsEnabled{};
};

TSiteAnalyser::TSiteAnalyser(THTMLEMainForm& form) : TMainFormFeature(form) {
    CreateAnalyserLists();
}

TSiteAnalyser::~TSiteAnalyser() = default;

void TSiteAnalyser::CreateAnalyserLists() {
    for (std::unique_ptr<TStringList>& list : AnalyserLists) {
        list = std::make_unique<TStringList>();
        list->SetSorted(true);
        list->SetDuplicates(dupIgnore);
        // Names that differ only in case are different files here.
        list->SetCaseSensitive(true);
    }
}

void TSiteAnalyser::Build() {
    Analyse1 = InsertItem(&Form, Form.File1, Form.Documents->Close1->MenuIndex(), "Analyse1",
                          "Anal&yse (selected files)");
    AnalyseButton = Form.InsertToolbarButton(Form.StdToolbar, Form.HelpButton, "AnalyseButton",
                                             "Analyse Selected File(s)");
}

void TSiteAnalyser::Bind() {
    Analyse1->OnClick = Handler(this, &TSiteAnalyser::Analyse1Click);
    AnalyseButton->OnClick = Handler(this, &TSiteAnalyser::Analyse1Click);
    Form.ReportPane->AbortButton->OnClick = Handler(this, &TSiteAnalyser::AbortButtonClick);
}

bool TSiteAnalyser::CanClose() {
    if (!AnalysisRunning())
        return true;
    StopAnalysis();
    CloseAfterAnalysis = true;
    return false;
}

void TSiteAnalyser::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.File1)
        Analyse1->SetEnabled(!AnalysisRunning() && Form.FilePane->CurrentFileCommandsOffered());
}

void TSiteAnalyser::AbortButtonClick(TObject* /*Sender*/) {
    Form.AbortRequested = true;
}

void TSiteAnalyser::StopAnalysis() {
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

void TSiteAnalyser::Analyse1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::Analyse1Click) || AnalysisRunning())
        return;
    std::vector<String> names = SelectedFileNames(*Form.FilePane->FileListBox1);
    if (names.empty()) {
        MessageBox(Form.Handle(), "You must first select a file (or files) in the file list.",
                   "Analyse Files", MB_OK | MB_ICONERROR);
        return;
    }
    TAnalysisScope running(*this, Form);
    const String folder = IncludeTrailingPathDelimiter(Form.FilePane->FileListBox1->Directory());
    SetCurrentDir(folder);
    Form.ReportPane->LinksLabel->Hide();
    Form.ReportPane->ImagesLabel->Hide();
    Form.AbortRequested = false;
    Form.ReportPane->AbortLabel->Show();
    Form.ReportPane->AbortButton->Show();
    Form.ReportPane->FileLabel->SetCaption("");
    Form.ReportPane->ShowReportPane();
    Form.ReportPane->ProgressBar->SetPosition(0);
    for (TControl* button : std::initializer_list<TControl*>{
             Form.ElementNavigation->BookmarkButton, Form.ElementNavigation->GotoButton,
             Form.FindReplace->FindButton, Form.FindReplace->ReplaceButton,
             Form.GlobalFindReplace->GlobalReplaceButton, Form.ElementNavigation->ExtendButton,
             Form.TextTransforms->IndentButton, Form.TextTransforms->UnindentButton})
        button->SetEnabled(false);
    if (names.size() == 1) {
        Form.ReportPane->ReportForm->Clear();
        if (MessageBox(Form.Handle(), "Trace into local links?", "Quiltmarker Analyser",
                       MB_YESNO | MB_ICONQUESTION) == IDYES) {
            CheckLocalLinks(names.front());
            Form.ReportPane->AbortLabel->Hide();
            Form.ReportPane->AbortButton->Hide();
            Form.ReportPane->ReportForm->Show();
            Form.ReportPane->ReportForm->Repaint();
            if (Form.ReportPane->ReportForm->CanFocus())
                Form.ReportPane->ReportForm->SetFocus();
            return;
        }
    }
    AnalyseSelectedFiles(folder, names);
}

void TSiteAnalyser::AnalyseSelectedFiles(const String& folder, std::vector<String> names) {
    Form.ReportPane->LinksLabel->SetCaption("Links: 0");
    Form.ReportPane->ImagesLabel->SetCaption("Images: 0");
    Form.ReportPane->LinksLabel->Show();
    Form.ReportPane->ImagesLabel->Show();
    ClearLists(AnalyserLists, alImagesUsed, alLinksExternal);
    std::vector<String> notAnalysed;
    TScreenCursorScope hourglass(crHourGlass);
    Form.ReportPane->ReportForm->Clear();
    Form.ReportPane->ReportForm->Paragraph().SetFirstIndent(20);
    Form.ReportPane->ReportForm->Paragraph().SetLeftIndent(30);
    Form.ReportPane->ReportForm->Paragraph().SetRightIndent(5);
    if (names.size() > MaxAnalysedFiles) {
        MessageBox(Form.Handle(),
                   "Cannot analyse more than 500 files at one time.\r\nOnly the first 500 will be "
                   "analysed.",
                   "Quiltmarker", MB_OK);
        names.resize(MaxAnalysedFiles);
    }
    const int count = static_cast<int>(names.size());
    const bool separate =
        count == 1 || MessageBox(Form.Handle(), "Do you want a separate report for each file?",
                                 "HTML Report", MB_YESNO | MB_ICONQUESTION) == IDYES;
    Form.ReportPane->ProgressBar->SetMax(7 * count + (separate ? 2 * count : 0));
    Form.ReportPane->ProgressBar->SetPosition(0);
    for (const String& name : names) {
        Form.ReportPane->FilenamePanel->SetCaption(name);
        const String path = folder + name;
        if (!separate)
            AppendReportLines(*Form.ReportPane->ReportForm, {PathLine(path)});
        else
            ClearLists(AnalyserLists, alImagesUsed, alImagesExternal);
        bool declined = false;
        bool accepted = AnalyseFileTags(path, true, false, separate, declined);
        if (!AnalysisStopped()) {
            if (declined)
                notAnalysed.push_back(name);
            StepProgress(*Form.ReportPane->ProgressBar);
            if (separate)
                ClearLists(AnalyserLists, alLinksActive, alLinksExternal);
            if (accepted)
                AnalyseFileTags(path, false, true, separate, declined);
        }
        if (AnalysisStopped()) {
            EndAbortedAnalysis();
            return;
        }
        StepProgress(*Form.ReportPane->ProgressBar);
        if (separate) {
            AppendReportLines(*Form.ReportPane->ReportForm,
                              SummaryLines(ListEntries(AnalyserLists), true));
            Form.ReportPane->ReportForm->Repaint();
        }
        StepProgress(*Form.ReportPane->ProgressBar);
    }
    if (!separate)
        WriteCombinedReport();
    AppendReportLines(*Form.ReportPane->ReportForm, NotAnalysedLines(notAnalysed));
    Form.ReportPane->AbortLabel->Hide();
    Form.ReportPane->AbortButton->Hide();
    Form.ReportPane->ProgressBar->SetPosition(0);
    Form.ReportPane->FilenamePanel->SetCaption("");
    Form.ReportPane->FileLabel->SetCaption("");
}

bool TSiteAnalyser::AnalysisStopped() const {
    return Form.AbortRequested || AnalysisStopRequested;
}

void TSiteAnalyser::EndAbortedAnalysis() {
    Form.ReportPane->ProgressBar->SetPosition(0);
    Form.ReportPane->FilenamePanel->SetCaption("");
    Form.ReportPane->FileLabel->SetCaption("");
    Form.ReportPane->AbortLabel->Hide();
    Form.ReportPane->AbortButton->Hide();
    Form.ReportPane->CloseReportView();
}

void TSiteAnalyser::WriteCombinedReport() {
    std::vector<TReportLines> parts = CombinedReportParts(ListEntries(AnalyserLists));
    for (size_t i = 0; i < parts.size(); ++i) {
        Form.ReportPane->FileLabel->SetCaption("CREATING REPORT... " +
                                               IntToStr(static_cast<int>(i) + 1));
        AppendReportLines(*Form.ReportPane->ReportForm, parts[i]);
        Form.ReportPane->ReportForm->Repaint();
    }
}

// A file that cannot be read is declined like one that is not HTML, so the report names it
// among the files not analysed and the analysis goes on.
bool TSiteAnalyser::AnalyseFileTags(const String& path, bool imagePass, bool alreadyAccepted,
                                    bool separateReports, bool& declined) {
    const String name = ExtractFileName(path);
    String text;
    try {
        text = ReadFileBytes(path);
    } catch (const Exception&) {
        declined = true;
        return false;
    }
    Form.ReportPane->FileLabel->SetCaption(name);
    Form.ReportPane->FileLabel->Repaint();
    if (!alreadyAccepted && !LooksLikeHtml(text) &&
        MessageBox(Form.Handle(),
                   "'" + name +
                       "' does not appear to be an HTML file. Do you still want to "
                       "analyse it?",
                   "Quiltmarker", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        declined = true;
        return false;
    }
    StepProgress(*Form.ReportPane->ProgressBar);
    TAnalysisPump pump(*this, Form);
    TSiteFiles files(ExtractFilePath(path));
    auto sink = [&](TAnalyserList list, const String& value) {
        pump.Show(value);
        AnalyserLists[list]->Add(value);
        if (list == alImagesUsed)
            Form.ReportPane->ImagesLabel->SetCaption("Images: " +
                                                     IntToStr(AnalyserLists[list]->Count()));
        else if (list == alLinksActive)
            Form.ReportPane->LinksLabel->SetCaption("Links: " +
                                                    IntToStr(AnalyserLists[list]->Count()));
    };
    if (!AnalysePageText(text, imagePass, files, sink, std::ref(pump)))
        return false;
    StepProgress(*Form.ReportPane->ProgressBar);
    if (separateReports) {
        StepProgress(*Form.ReportPane->ProgressBar);
        TAnalyserListSet lists = ListEntries(AnalyserLists);
        AppendReportLines(*Form.ReportPane->ReportForm, imagePass ? ImageSectionLines(path, lists)
                                                                  : LinkSectionLines(path, lists));
    }
    Application->ProcessMessages();
    return !AnalysisStopped();
}

void TSiteAnalyser::CheckLocalLinks(const String& name) {
    Form.ReportPane->ReportForm->Clear();
    TLinkTrace trace;
    {
        TScreenCursorScope hourglass(crHourGlass);
        TAnalysisPump pump(*this, Form);
        trace =
            TraceLocalLinks(IncludeTrailingPathDelimiter(Form.FilePane->FileListBox1->Directory()),
                            name, std::ref(pump));
        if (trace.Aborted)
            return;
        TStrings& lines = Form.ReportPane->ReportForm->Lines();
        lines.BeginUpdate();
        for (const String& line : TraceReportLines(trace))
            lines.Add(line);
        lines.EndUpdate();
    }
    if (MessageBox(Form.Handle(), "Select the links in the file list?", "Quiltmarker",
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    TStrings& items = Form.FilePane->FileListBox1->Items();
    for (int i = 0; i < items.Count(); ++i)
        Form.FilePane->FileListBox1->SetSelected(
            i, std::binary_search(trace.Found.begin(), trace.Found.end(), items[i]));
}
