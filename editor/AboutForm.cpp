#include "editor/AboutForm.h"

#include "platform/ComCtrls.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"
#include "platform/SystemStatus.h"
#include "widgets/QmCtrls.h"
#include "widgets/WebButton.h"
#include "widgets/WebLabel.h"

TAboutForm* AboutForm = nullptr;

namespace {

const char* const SupportAddress = "support@olvane.example";
const char* const WebSite = "https://www.olvane.example/";

TLabel* AddLabel(TForm* form, TWinControl* parent, const String& name, const String& caption,
                 int left, int top, int width = 80) {
    auto* label = NewControl<TLabel>(form, parent, name, left, top, width, 13);
    label->SetCaption(caption);
    return label;
}

TButton* AddButton(TForm* form, const String& name, const String& caption, int left) {
    auto* button = NewControl<TButton>(form, form, name, left, 262, 75, 25);
    button->SetCaption(caption);
    return button;
}

TProgressBar* AddBar(TForm* form, TWinControl* parent, const String& name, int top) {
    auto* bar = NewControl<TProgressBar>(form, parent, name, 112, top, 120, 14);
    bar->SetMin(0);
    bar->SetMax(100);
    return bar;
}

String OneDecimalPercent(double percent) {
    return Format("%.1f%%", percent);
}

String WholeUnits(uint64_t amount, uint64_t unit, const char* suffix) {
    return IntToStr(static_cast<int64_t>(amount / unit)) + suffix;
}

void ShowUsage(TProgressBar* bar, TLabel* label, uint64_t total, uint64_t available) {
    double percent = UsedPercentage(total, available);
    bar->SetPosition(static_cast<int>(percent));
    label->SetCaption(OneDecimalPercent(percent));
}

String PlatformLine(unsigned platformId) {
    switch (platformId) {
    case VER_PLATFORM_WIN32s:
        return "System: Windows Win 32s";
    case VER_PLATFORM_WIN32_WINDOWS:
        return "System: Windows 95/98";
    case VER_PLATFORM_WIN32_NT:
        return "System: Windows NT";
    default:
        return "Unknown";
    }
}

} // namespace

double UsedPercentage(uint64_t total, uint64_t available) {
    if (total == 0)
        return 0.0;
    return static_cast<double>(total - std::min(available, total)) * 100.0 /
           static_cast<double>(total);
}

TAboutForm::TAboutForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] { BuildControls(); });
}

// A panel still playing stops as it is freed; by then the panels its handler would hide may be
// gone.
TAboutForm::~TAboutForm() {
    SecretPanel1->OnStopPlay = nullptr;
}

void TAboutForm::BuildControls() {
    SetName("AboutForm");
    SetCaption("About Quiltmarker");
    SetBorderStyle(bsDialog);
    SetBorderIcons({biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientWidth(400);
    SetClientHeight(296);
    VersionLabel = AddLabel(this, this, "VersionLabel", "", 16, 16, 280);
    Label1 = AddLabel(this, this, "Label1", "E-mail: ", 16, 40, 40);
    WebLabel1 = NewControl<TWebLabel>(this, this, "WebLabel1", 60, 40, 200, 13);
    WebLabel1->SetServiceType(svMAIL);
    WebLabel1->SetURL(SupportAddress);
    WebLabel1->SetCaption(SupportAddress);
    WebLabel1->SetHint("Send e-mail");
    WebLabel1->SetShowHint(true);
    WebLabel1->OnClick = Handler(this, &TAboutForm::WebLabel1Click);
    // Two lines beside the web button: on one line the text would run under it.
    Label2 =
        AddLabel(this, this, "Label2",
                 "Visit the Olvane Software website for upgrades and more software", 16, 58, 330);
    Label2->SetWordWrap(true);
    WebButton = NewControl<TWebButton>(this, this, "WebButton", 352, 58, 25, 25);
    WebButton->SetURL(WebSite);
    WebButton->SetHint("Connect to web site");
    WebButton->SetShowHint(true);
    OKButton = AddButton(this, "OKButton", "OK", 312);
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    SystemButton = AddButton(this, "SystemButton", "&System", 16);
    SystemButton->OnClick = Handler(this, &TAboutForm::SystemButtonClick);
    AckButton = AddButton(this, "AckButton", "&Credits", 96);
    AckButton->OnClick = Handler(this, &TAboutForm::Image2DblClick);
    BuildCreditsPanel();
    BuildSystemPanel();
}

void TAboutForm::BuildCreditsPanel() {
    AckPanel = NewControl<TPanel>(this, this, "AckPanel", 52, 50, 298, 206);
    AckPanel->SetVisible(false);
    SecretPanel1 = NewControl<TSecretPanel>(this, AckPanel, "SecretPanel1", 2, 2, 294, 202);
    SecretPanel1->Glyph().LoadFromResourceName(HInstance, "MAINICON");
    SecretPanel1->SetInterval(5);
    SecretPanel1->SetTextStyle(bvLowered);
    SecretPanel1->SetBevelOuter(bvNone);
    SecretPanel1->Font().SetColor(clNavy);
    SecretPanel1->Font().SetStyle(TFontStyles{fsBold});
    SecretPanel1->OnStopPlay = Handler(this, &TAboutForm::SecretPanel1StopPlay);
    SecretPanel1->OnDblClick = Handler(this, &TAboutForm::SecretPanel1StopPlay);
}

void TAboutForm::BuildSystemPanel() {
    SystemPanel = NewControl<TPanel>(this, this, "SystemPanel", 16, 88, 368, 168);
    SystemPanel->SetVisible(false);
    struct Row {
        const char* Caption;
        TLabel* TAboutForm::*Percent;
        TProgressBar* TAboutForm::*Bar;
        TLabel* TAboutForm::*Bytes;
        TLabel* TAboutForm::*Free;
    };
    const Row rows[] = {
        {"Memory Load", &TAboutForm::MemLoadLabel, &TAboutForm::ProgressBar1, nullptr, nullptr},
        {"Physical Memory", &TAboutForm::PhysMemLabel, &TAboutForm::ProgressBar2,
         &TAboutForm::PhysBytesLabel, &TAboutForm::PhysFreeLabel},
        {"Virtual Memory", &TAboutForm::VirtMemLabel, &TAboutForm::ProgressBar3,
         &TAboutForm::VirtBytesLabel, &TAboutForm::VirtFreeLabel},
        {"Page File", &TAboutForm::PFileMemLabel, &TAboutForm::ProgressBar4,
         &TAboutForm::PFileBytesLabel, &TAboutForm::PFileFreeLabel},
    };
    const char* const valueNames[][4] = {
        {"MemLoadLabel", "ProgressBar1", "", ""},
        {"PhysMemLabel", "ProgressBar2", "PhysBytesLabel", "PhysFreeLabel"},
        {"VirtMemLabel", "ProgressBar3", "VirtBytesLabel", "VirtFreeLabel"},
        {"PFileMemLabel", "ProgressBar4", "PFileBytesLabel", "PFileFreeLabel"},
    };
    int top = 6;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const String index = IntToStr(static_cast<int>(i));
        AddLabel(this, SystemPanel, "Caption" + index, row.Caption, 8, top, 100);
        this->*row.Bar = AddBar(this, SystemPanel, valueNames[i][1], top);
        this->*row.Percent = AddLabel(this, SystemPanel, valueNames[i][0], "", 240, top, 50);
        if (row.Bytes) {
            AddLabel(this, SystemPanel, "TotalCaption" + index, "Total Bytes:", 16, top + 16, 64);
            this->*row.Bytes = AddLabel(this, SystemPanel, valueNames[i][2], "", 80, top + 16, 90);
            AddLabel(this, SystemPanel, "FreeCaption" + index, "Free:", 180, top + 16, 30);
            this->*row.Free = AddLabel(this, SystemPanel, valueNames[i][3], "", 212, top + 16, 90);
        }
        top += row.Bytes ? 34 : 20;
    }
    ListBox1 = NewControl<TListBox>(this, SystemPanel, "ListBox1", 8, top, 352, 160 - top);
}

void TAboutForm::WebLabel1Click(TObject* /*Sender*/) {
    WebLabel1->SetSubject("Quiltmarker " + VersionLabel->Caption());
}

void TAboutForm::Image2DblClick(TObject* /*Sender*/) {
    if (AckPanel->Visible()) {
        AckPanel->SetVisible(false);
        return;
    }
    SystemPanel->SetVisible(false);
    SecretPanel1->Lines().LoadFromFile(ProgramFolder() + "acknowledgements.txt");
    AckPanel->SetVisible(true);
    SecretPanel1->SetActive(true);
}

void TAboutForm::SecretPanel1StopPlay(TObject* /*Sender*/) {
    AckPanel->SetVisible(false);
}

void TAboutForm::SystemButtonClick(TObject* /*Sender*/) {
    if (SystemPanel->Visible()) {
        SystemPanel->SetVisible(false);
        return;
    }
    TMemoryStatus memory;
    GlobalMemoryStatus(memory);
    TOSVersionInfo version;
    GetVersionEx(version);
    FillSystemPanel(memory, version);
    SystemPanel->SetVisible(true);
}

void TAboutForm::FillSystemPanel(const TMemoryStatus& memory, const TOSVersionInfo& version) {
    const uint64_t KB = 1024;
    const uint64_t MB = 1048576;
    ProgressBar1->SetPosition(static_cast<int>(memory.MemoryLoad));
    MemLoadLabel->SetCaption(OneDecimalPercent(memory.MemoryLoad));
    ShowUsage(ProgressBar2, PhysMemLabel, memory.TotalPhys, memory.AvailPhys);
    PhysBytesLabel->SetCaption(WholeUnits(memory.TotalPhys, KB, "KB"));
    PhysFreeLabel->SetCaption(WholeUnits(memory.AvailPhys, KB, "KB"));
    ShowUsage(ProgressBar3, VirtMemLabel, memory.TotalVirtual, memory.AvailVirtual);
    VirtBytesLabel->SetCaption(WholeUnits(memory.TotalVirtual, MB, "MB"));
    VirtFreeLabel->SetCaption(WholeUnits(memory.AvailVirtual, MB, "MB"));
    ShowUsage(ProgressBar4, PFileMemLabel, memory.TotalPageFile, memory.AvailPageFile);
    PFileBytesLabel->SetCaption(WholeUnits(memory.TotalPageFile, MB, "MB"));
    PFileFreeLabel->SetCaption(WholeUnits(memory.AvailPageFile, MB, "MB"));
    TStrings& lines = ListBox1->Items();
    lines.Clear();
    lines.Add(PlatformLine(version.PlatformId));
    lines.Add("Version: " + IntToStr(static_cast<int>(version.MajorVersion)) + "." +
              IntToStr(static_cast<int>(version.MinorVersion)));
    lines.Add("Build: " + IntToStr(static_cast<int>(version.BuildNumber & 0xFFFF)));
    lines.Add("System Info: '" + version.CSDVersion + "'");
}
