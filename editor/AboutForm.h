#pragma once
// The about box: the version, a link to write to the maker and one to its web site, the scrolling
// credits and a panel of system information.

#include "platform/Forms.h"

#include <cstdint>

class TLabel;
class TButton;
class TPanel;
class TProgressBar;
class TListBox;
class TWebLabel;
class TWebButton;
class TSecretPanel;
struct TMemoryStatus;
struct TOSVersionInfo;

class TAboutForm : public TForm {
public:
    explicit TAboutForm(TComponent* AOwner);
    ~TAboutForm() override;

    TLabel* VersionLabel = nullptr;
    TLabel* Label1 = nullptr;
    TWebLabel* WebLabel1 = nullptr;
    TLabel* Label2 = nullptr;
    TWebButton* WebButton = nullptr;
    TButton* OKButton = nullptr;
    TButton* SystemButton = nullptr;
    TButton* AckButton = nullptr;
    TPanel* AckPanel = nullptr;
    TSecretPanel* SecretPanel1 = nullptr;
    TPanel* SystemPanel = nullptr;
    TLabel* MemLoadLabel = nullptr;
    TLabel* PhysMemLabel = nullptr;
    TLabel* PhysBytesLabel = nullptr;
    TLabel* PhysFreeLabel = nullptr;
    TLabel* VirtMemLabel = nullptr;
    TLabel* VirtBytesLabel = nullptr;
    TLabel* VirtFreeLabel = nullptr;
    TLabel* PFileMemLabel = nullptr;
    TLabel* PFileBytesLabel = nullptr;
    TLabel* PFileFreeLabel = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TProgressBar* ProgressBar2 = nullptr;
    TProgressBar* ProgressBar3 = nullptr;
    TProgressBar* ProgressBar4 = nullptr;
    TListBox* ListBox1 = nullptr;

    void WebLabel1Click(TObject* Sender);
    void Image2DblClick(TObject* Sender);
    void SecretPanel1StopPlay(TObject* Sender);
    void SystemButtonClick(TObject* Sender);
    // The system panel's figures and lines for the status and version given.
    void FillSystemPanel(const TMemoryStatus& memory, const TOSVersionInfo& version);

private:
    void BuildControls();
    void BuildCreditsPanel();
    void BuildSystemPanel();
};

extern TAboutForm* AboutForm;

// The percentage of total that is not available; 0 for a total of 0 (no swap space, say).
double UsedPercentage(uint64_t total, uint64_t available);
