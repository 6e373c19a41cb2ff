#pragma once
// Analyse (selected files): the images and links of the pages selected in the file pane, or the
// pages reached from one page by its local links, reported in the report pane.

#include "editor/MainFormFeature.h"
#include "site/SiteAnalyser.h"

#include <array>
#include <memory>
#include <vector>

class TMenuItem;
class TQmToolbarButton;
class TStringList;

class TSiteAnalyser : public TMainFormFeature {
public:
    explicit TSiteAnalyser(THTMLEMainForm& form);
    ~TSiteAnalyser() override;
    // The File menu's item comes before Close, the toolbar's button after Help.
    void Build() override;
    void Bind() override;
    // A running analysis is stopped and the window closes once it has ended, since the analysis
    // still works with the lists and the report pane.
    bool CanClose() override;
    // Analyse is offered for the file list's current file, never while an analysis runs.
    void MenuOpening(TMenuItem& menu) override;

    void Analyse1Click(TObject* Sender);
    void AbortButtonClick(TObject* Sender);
    // One pass over a file, its images or its links; false when it was declined or aborted
    // (declined tells which).
    bool AnalyseFileTags(const String& path, bool imagePass, bool alreadyAccepted,
                         bool separateReports, bool& declined);
    void CheckLocalLinks(const String& name);
    void AnalyseSelectedFiles(const String& folder, std::vector<String> names);
    void WriteCombinedReport();
    void EndAbortedAnalysis();
    bool AnalysisStopped() const;
    // Ends a running analysis at its next tag; a command that would change the pane under it
    // calls this first.
    void StopAnalysis();
    bool AnalysisRunning() const { return AnalysisDepth > 0; }

    TMenuItem* Analyse1 = nullptr;
    TQmToolbarButton* AnalyseButton = nullptr;
    int AnalysisDepth = 0;
    bool AnalysisStopRequested = false;
    bool CloseAfterAnalysis = false;
    // What the passes found, by list: sorted, each name once, its case kept.
    std::array<std::unique_ptr<TStringList>, alListCount> AnalyserLists;

private:
    void CreateAnalyserLists();
};
