#pragma once
// Check Download Time: the active page (its unsaved changes included, through a copy beside it)
// or the file pane's file, measured with the images it shows and timed at each connection speed.
// Neither command takes part in help-pointer mode.

#include "editor/MainFormFeature.h"

#include <cstdint>

class TMenuItem;
class TPanel;

class TDownloadEstimate : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;

    void CheckDownloadSpeed1Click(TObject* Sender);
    void CheckDownloadTime1Click(TObject* Sender);

    // The page pop-up's item for the active page, and the file pane's for its file.
    TMenuItem* CheckDownloadSpeed1 = nullptr;
    TMenuItem* CheckDownloadTime1 = nullptr;

private:
    // Measures the file and shows the estimate under the page's name.
    void MeasureDownloadSize(const String& pageName, const String& fileToMeasure);
    void ShowDownloadTimes(int64_t totalBytes, int missingImages, int foundImages);
    void ShowDownloadTime(TPanel* secondsPanel, TPanel* minutesPanel, int bytesPerSecond,
                          int64_t totalBytes);
};
