#include "site/HTMLDownload.h"

#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "site/DownloadTime.h"

THTMLDownloadForm* HTMLDownloadForm = nullptr;

THTMLDownloadForm::THTMLDownloadForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("HTMLDownloadForm");
        SetCaption("Download Time Estimate");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu, biMinimize});
        SetClientWidth(282);
        SetClientHeight(330);
        BuildControls();
    });
}

TPanel* THTMLDownloadForm::NewValuePanel(const String& name, int left, int top, int width) {
    TPanel* panel = NewControl<TPanel>(this, this, name, left, top, width, 21);
    panel->SetBevelOuter(bvLowered);
    panel->SetColor(clWindow);
    panel->SetCaption("");
    return panel;
}

void THTMLDownloadForm::BuildControls() {
    HeadingLabel = NewControl<TLabel>(this, this, "HeadingLabel", 8, 8, 266, 16);
    HeadingLabel->SetAlignment(taCenter);
    HeadingLabel->SetCaption("ESTIMATED DOWNLOAD TIME");
    FileNamePanel = NewValuePanel("FileNamePanel", 8, 28, 266);
    SecsLabel = NewControl<TLabel>(this, this, "SecsLabel", 112, 56, 72, 13);
    SecsLabel->SetCaption("Secs.");
    MinsLabel = NewControl<TLabel>(this, this, "MinsLabel", 196, 56, 72, 13);
    MinsLabel->SetCaption("Mins.");

    TPanel** seconds[] = {&Edit144, &Edit288, &Edit336, &Edit566, &Edit64, &Edit128, &EditT1};
    TPanel** minutes[] = {&Edit144Mins, &Edit288Mins, &Edit336Mins, &Edit566Mins,
                          &Edit64Mins,  &Edit128Mins, &EditT1Mins};
    const char* secondsNames[] = {"Edit144", "Edit288", "Edit336", "Edit566",
                                  "Edit64",  "Edit128", "EditT1"};
    for (size_t i = 0; i < ConnectionSpeeds.size(); ++i) {
        const int top = 74 + 26 * static_cast<int>(i);
        SpeedLabels[i] =
            NewControl<TLabel>(this, this, "SpeedLabel" + IntToStr(int(i) + 1), 8, top + 4, 96, 13);
        SpeedLabels[i]->SetCaption(ConnectionSpeeds[i].Label);
        *seconds[i] = NewValuePanel(secondsNames[i], 112, top, 76);
        *minutes[i] = NewValuePanel(String(secondsNames[i]) + "Mins", 196, top, 78);
    }

    SizeEdit = NewValuePanel("SizeEdit", 160, 260, 114);
    TotSizeLabel = NewControl<TLabel>(this, this, "TotSizeLabel", 8, 264, 146, 13);
    TotSizeLabel->SetAlignment(taRightJustify);
    ExcludeLabel = NewControl<TLabel>(this, this, "ExcludeLabel", 8, 284, 266, 13);
    ExcludeLabel->SetAlignment(taCenter);
    ExcludeLabel->SetVisible(false);

    OKButton = NewControl<TButton>(this, this, "OKButton", 104, 300, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    OKButton->OnClick = Handler(this, &THTMLDownloadForm::OKButtonClick);
}

std::array<TPanel*, 7> THTMLDownloadForm::SecondsPanels() const {
    return {Edit144, Edit288, Edit336, Edit566, Edit64, Edit128, EditT1};
}

std::array<TPanel*, 7> THTMLDownloadForm::MinutesPanels() const {
    return {Edit144Mins, Edit288Mins, Edit336Mins, Edit566Mins,
            Edit64Mins,  Edit128Mins, EditT1Mins};
}

void THTMLDownloadForm::OKButtonClick(TObject* /*Sender*/) {
    Close();
}
