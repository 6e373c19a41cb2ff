// The main window's life: its construction from its features, and its destruction.

#include "editor/CorvaletForm.h"

#include "platform/FileListBox.h"
#include "platform/FileUtils.h"

#include <algorithm>

THTMLEMainForm* HTMLEMainForm = nullptr;

namespace {

THTMLEMainForm::TFeatureMaker& FeatureMaker() {
    static THTMLEMainForm::TFeatureMaker maker;
    return maker;
}

} // namespace

void THTMLEMainForm::SetFeatureMaker(TFeatureMaker maker) {
    FeatureMaker() = std::move(maker);
}

// A window without its features would be a shell with dead commands: that is the program's
// fault, never the user's, and it is said at once.
void THTMLEMainForm::MakeFeatures() {
    if (!FeatureMaker())
        throw EInvalidOperation("The main window's features were not set up");
    FeatureMaker()(*this);
}

void THTMLEMainForm::LeaveViewsOverPages() {
    for (const auto& feature : FFeatures)
        feature->LeaveViewsOverPages();
}

bool THTMLEMainForm::ShowsViewOverPages() const {
    return std::any_of(FFeatures.begin(), FFeatures.end(),
                       [](const auto& feature) { return feature->ShowsViewOverPages(); });
}

bool THTMLEMainForm::RunOnShownView(TMainFormFeature::TShownViewCommand command) {
    return std::any_of(FFeatures.begin(), FFeatures.end(),
                       [command](const auto& feature) { return feature->RunOnShownView(command); });
}

THTMLEMainForm::THTMLEMainForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("HTMLEMainForm");
    SetCaption("Quiltmarker");
    SetBounds(0, 0, 800, 600);
    MakeFeatures();
    BuildForm([this] {
        BuildMenuBar();
        BuildTopPanel();
        BuildLeftPanel();
        BuildStatusBar();
        // The logo panel lies under the pages, which cover it while a page is open.
        BuildImagePanel();
        BuildDocumentPages();
        BuildHiddenHelpers();
        BuildHelpCommands();
        for (const auto& feature : FFeatures)
            feature->Build();
        BindEvents();
        // No page is open yet: the commands that need one start disabled.
        UpdateDocumentCommands();
    });
}

void THTMLEMainForm::BindEvents() {
    BindMainSettings();
    BindMainWindowLayout();
    BindFirstShowing();
    BindMainClose();
    BindDocumentPages();
    BindMainMenus();
    BindHelpCommands();
    for (const auto& feature : FFeatures)
        feature->Bind();
    BindMenuBar();
}

// Each menu of the bar, and the pages' pop-up menu, as it drops down, runs its own step and then
// lets every feature bring its items in it up to date.
void THTMLEMainForm::BindMenuBar() {
    TMenuItem* bar = MainMenu1->Items();
    for (int i = 0; i < bar->Count(); ++i) {
        TMenuItem* menu = bar->Items(i);
        TNotifyEvent own = menu->OnClick;
        menu->OnClick = [this, own, menu](TObject* Sender) {
            if (own)
                own(Sender);
            for (const auto& feature : FFeatures)
                feature->MenuOpening(*menu);
        };
    }
    TNotifyEvent own = MainPopupMenu->OnPopup;
    MainPopupMenu->OnPopup = [this, own](TObject* Sender) {
        if (own)
            own(Sender);
        for (const auto& feature : FFeatures)
            feature->MenuOpening(*MainPopupMenu->Items());
    };
}

TFileListBox* THTMLEMainForm::WorkingFileList() const {
    for (const auto& feature : FFeatures)
        if (TFileListBox* list = feature->WorkingFileList())
            return list;
    return nullptr;
}

String THTMLEMainForm::WorkingFolder() const {
    TFileListBox* list = WorkingFileList();
    return list ? list->Directory() : GetCurrentDir();
}

THTMLEMainForm::~THTMLEMainForm() {
    // Taking the menu away while the components go resizes the window, whose layout needs them.
    OnResize = nullptr;
}
