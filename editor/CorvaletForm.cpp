// The main window's life: its construction from its features, and its destruction.

#include "editor/CorvaletForm.h"

THTMLEMainForm* HTMLEMainForm = nullptr;

THTMLEMainForm::THTMLEMainForm(TComponent* AOwner) : TForm(AOwner) {
    Bookmarks.fill(-1);
    SetName("HTMLEMainForm");
    SetCaption("Quiltmarker");
    SetBounds(0, 0, 800, 600);
    BuildForm([this] {
        BuildMenuBar();
        BuildHiddenShortcuts();
        BuildDocuments();
        BuildFontCommand();
        BuildTagInsertion();
        BuildTopPanel();
        BuildTagButtons();
        BuildFilePane();
        BuildStatusBar();
        // The logo panel lies under the pages, which cover it while a page is open.
        BuildImagePanel();
        BuildDocumentPages();
        BuildBrowserAndReportPanes();
        BuildHiddenHelpers();
        BuildHelpCommands();
        BuildFindReplace();
        BuildGlobalFindReplace();
        BuildReportPane();
        BuildEditCommands();
        BuildTagChecking();
        BuildSiteAnalyser();
        BuildImageIndex();
        BuildDownloadTime();
        BuildTextTransforms();
        BuildSpecialCharacters();
        BuildPublishCommands();
        BuildMultiPublishing();
        BuildExternalBrowsers();
        BuildInternalBrowser();
        BuildFileOpening();
        BuildTagAttributes();
        BuildPrintCommands();
        BuildReferenceHelp();
        BindEvents();
        // No page is open yet: the commands that need one start disabled.
        UpdateDocumentCommands();
    });
}

void THTMLEMainForm::BindEvents() {
    BindMainSettings();
    BindMainWindowLayout();
    BindFirstShowing();
    BindAutosave();
    BindMainClose();
    BindDocumentPages();
    BindDocuments();
    BindFontCommand();
    BindTagInsertion();
    BindTagButtons();
    BindTagBarLists();
    BindHiddenShortcuts();
    BindHelpCommands();
    BindFindReplace();
    BindGlobalFindReplace();
    BindReportPane();
    BindElementNavigation();
    BindEditCommands();
    BindFilePane();
    BindTagColouring();
    BindElementDialogs();
    BindTagChecking();
    BindSiteAnalyser();
    BindImageIndex();
    BindDownloadTime();
    BindTables();
    BindTextTransforms();
    BindEditorKeys();
    BindSpecialCharacters();
    BindDroppedFiles();
    BindPublishCommands();
    BindMultiPublishing();
    BindAppButtons();
    BindExternalBrowsers();
    BindInternalBrowser();
    BindFileOpening();
    BindTagAttributes();
    BindObjectDialogs();
    BindPrintCommands();
    BindReferenceHelp();
}

THTMLEMainForm::~THTMLEMainForm() {
    // Taking the menu away while the components go resizes the window, whose layout needs them.
    OnResize = nullptr;
    for (TStringList* list : AnalyserLists)
        delete list;
}
