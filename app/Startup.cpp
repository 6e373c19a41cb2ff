#include "app/Startup.h"

#include "app/HandOver.h"
#include "app/MainFormFeatures.h"
#include "editor/CorvaletForm.h"
#include "editor/HTMLSplash.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "platform/TestHooks.h"
#include "publish/AnimPubForm.h"
#include "publish/Ferrydock95Main.h"
#include "publish/HTMLISPSelect.h"
#include "publish/HTMLSelDir.h"
#include "services/Clipicon.h"
#include "services/ProgramSettings.h"
#include "services/QmGIF.h"
#include "services/RichPrint.h"
#include "tags/HTMLGlobal.h"
#include "tags/HTMLGlossary.h"
#include "widgets/Qmconst.h"

const char* const InitialProgramVersion = "3.0c2";

namespace {

struct TMarginDefault {
    const char* Name;
    double Value;
};
constexpr TMarginDefault MarginDefaults[] = {
    {"MarginBottom", 25.0},
    {"MarginTop", 20.0},
    {"MarginLeft", 20.0},
    {"MarginRight", 20.0},
};

struct TCodeDefault {
    const char* Name;
    const char* Value;
};
constexpr TCodeDefault CodeDefaults[] = {
    {"CodeDirection", "1"},
    {"CodeMeasurement", "1"},
    {"CodePlainText", "0"},
};

// Installed, the shipped data lie in ../share/quiltmarker beside the program; run from a build
// folder, they are the source tree's data folder.
String ShippedDataFolder() {
    String installed = ExtractFilePath(Application->ExeName()) + "../share/quiltmarker";
    return DirectoryExists(installed) ? installed : String(QM_SOURCE_DATA);
}

// Errors of the framework are shown as it shows them, and the start goes on.
template <typename Steps> bool RunShowingErrors(Steps steps) {
    try {
        steps();
        return true;
    } catch (...) {
        Application->HandleException(nullptr);
        return false;
    }
}

} // namespace

void SetInitialProgramVersion() {
    ProgramVersionText = InitialProgramVersion;
}

void SeedPrintMarginDefaults() {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKey(RichPrintMarginsPath(), true))
        return;
    for (const TMarginDefault& margin : MarginDefaults)
        if (!reg.ValueExists(margin.Name))
            reg.WriteBinaryData(margin.Name, &margin.Value, sizeof(margin.Value));
    for (const TCodeDefault& code : CodeDefaults)
        if (!reg.ValueExists(code.Name))
            reg.WriteString(code.Name, code.Value);
    reg.CloseKey();
}

void ReportRegistryLoadProblem() {
    String problem = RegistryLoadProblem();
    if (!problem.empty())
        Application->MessageBox(problem, "Quiltmarker", MB_OK | MB_ICONWARNING);
}

void GoOnWhenSettingsCannotBeSaved() {
    String problem = RegistryWriteProblem();
    if (problem.empty())
        return;
    KeepRegistryChangesInMemory();
    if (RegistryLoadProblem().empty())
        Application->MessageBox(problem, "Quiltmarker", MB_OK | MB_ICONWARNING);
}

void PrepareSettings() {
    ReportRegistryLoadProblem();
    GoOnWhenSettingsCannotBeSaved();
    RunShowingErrors(SeedPrintMarginDefaults);
}

void ReportProgramFolderProblem() {
    try {
        ProgramFolder();
    } catch (const EInOutError&) {
        // A folder that cannot be made at all is told of when the main window reads its settings.
        return;
    }
    String problem = ProgramFolderProblem();
    if (!problem.empty())
        Application->MessageBox(problem, "Quiltmarker", MB_OK | MB_ICONWARNING);
}

bool AnotherCopyRuns() {
    // The lock is never released: the system lets go of it when the process ends.
    CreateMutex(nullptr, false, RunningCopyLock);
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

bool LeftToAnotherCopy(const String& commandLine) {
    while (AnotherCopyRuns()) {
        bool handedOver = true;
        RunShowingErrors([&] { handedOver = HandOverToRunningCopy(commandLine); });
        if (handedOver)
            return true;
    }
    return false;
}

String CommandLineOf(int argc, char** argv) {
    String line;
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? " " : "") + String(argv[i]);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
        line = line.substr(1, line.size() - 2);
    // The main window moves the working folder to the last site folder, and a second copy hands
    // the line to a program that runs elsewhere: a relative name must name the file it named here.
    return line.empty() ? line : ExpandFileName(line);
}

void SetProvisionalTitle() {
    Application->SetTitle("Quiltmarker");
}

void CreateSplash() {
    Splash = new TSplash(nullptr);
}

String SplashSetting() {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    String setting = "2";
    if (reg.OpenKey(ProductKey, true))
        ReadSetting(reg, "SplashScreen", setting);
    reg.CloseKey();
    return setting;
}

void DecideSplashShowing() {
    String setting = SplashSetting();
    if (!StartupCommandLine.empty()) {
        setting = "0";
        Splash->Hide();
    }
    if (setting == "1")
        Splash->SetFormStyle(fsNormal);
    if (setting != "0")
        Splash->Show();
    Application->ProcessMessages();
}

void ShowCreatingForms() {
    if (Splash)
        Splash->ShowProgress("Creating forms...");
}

void CreateStartupForms() {
    THTMLEMainForm::SetFeatureMaker(MakeMainFormFeatures);
    Application->CreateForm(HTMLEMainForm);
    Application->CreateForm(GlossaryForm);
    Application->CreateForm(GlobalForm);
    Application->CreateForm(SelDirForm);
    Application->CreateForm(ISPSelectForm);
    Application->CreateForm(AnimPub);
    Application->CreateForm(Ferrydock95Form);
}

void AcceptHandOvers() {
    ListenForHandOver(*HTMLEMainForm, [](const String& handedOver) {
        HTMLEMainForm->OpenHandedOverFile(handedOver);
    });
}

int RunProgram(int argc, char** argv) {
    // The window system comes first here: the second copy's message and its talk with the
    // running copy need it.
    Application->Initialize(argc, argv);
    TestHooks::InstallFromEnvironment();
    SetShippedDataFolder(ShippedDataFolder());
    SetInitialProgramVersion();
    PrepareSettings();
    String commandLine = CommandLineOf(argc, argv);
    if (LeftToAnotherCopy(commandLine))
        return 0;
    StartupCommandLine = commandLine;
    ReportProgramFolderProblem();
    RunShowingErrors([] {
        SetProvisionalTitle();
        CreateSplash();
        DecideSplashShowing();
    });
    RunShowingErrors([] {
        RegisterQmCursors();
        RegisterIconClipboardFormat();
        RegisterGifPictureFormats();
        ShowCreatingForms();
        CreateStartupForms();
        AcceptHandOvers();
        SetRunningCopyReady();
        Application->Run();
    });
    return 0;
}
