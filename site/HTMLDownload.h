#pragma once
// The download-time estimate: a page's total size and how long it takes to arrive at each
// connection speed, in seconds and in minutes.

#include "platform/Forms.h"

#include <array>

class TButton;
class TLabel;
class TPanel;

class THTMLDownloadForm : public TForm {
public:
    explicit THTMLDownloadForm(TComponent* AOwner);

    TLabel* HeadingLabel = nullptr;
    TLabel* SecsLabel = nullptr;
    TLabel* MinsLabel = nullptr;
    std::array<TLabel*, 7> SpeedLabels{};
    TPanel *Edit144 = nullptr, *Edit288 = nullptr, *Edit336 = nullptr, *Edit566 = nullptr,
           *Edit64 = nullptr, *Edit128 = nullptr, *EditT1 = nullptr;
    TPanel *Edit144Mins = nullptr, *Edit288Mins = nullptr, *Edit336Mins = nullptr,
           *Edit566Mins = nullptr, *Edit64Mins = nullptr, *Edit128Mins = nullptr,
           *EditT1Mins = nullptr;
    TPanel* FileNamePanel = nullptr;
    TPanel* SizeEdit = nullptr;
    TLabel* TotSizeLabel = nullptr;
    TLabel* ExcludeLabel = nullptr;
    TButton* OKButton = nullptr;

    // The seconds and minutes panels of each speed, in the order of the speeds.
    std::array<TPanel*, 7> SecondsPanels() const;
    std::array<TPanel*, 7> MinutesPanels() const;

    void OKButtonClick(TObject* Sender);

private:
    void BuildControls();
    TPanel* NewValuePanel(const String& name, int left, int top, int width);
};

extern THTMLDownloadForm* HTMLDownloadForm;
