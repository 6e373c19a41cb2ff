#pragma once
// The program's main window, a shell: the twenty document pages and their accessors, the status
// bar, the top-level menus and toolbars, the settings read at start and written at close, closing,
// and help-pointer mode. Everything else is a feature (editor/MainFormFeature.h) in the folder that
// owns it, made by the program's start and held here through a pointer.

#include "editor/HelpPointer.h"
#include "editor/MainFormFeature.h"
#include "platform/ComCtrls.h"
#include "platform/DateTime.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TFileListBox;
class TQmDock;
class TQmToolbar;
class TQmToolbarButton;
class TFolderBrowse;
class TWebConnect;
class TQmGradientCaption;
class TVersionNo;
class TDownloadEstimate;
class TReportPane;
class TElementNavigation;
class TFindReplace;
class TInternalBrowser;
class TTagInsertion;
class TTagButtons;
class TFilePane;
class TTableCommands;
class TDateCommands;
class TScriptCommands;
class TTagColouring;
class TTextTransforms;
class TEditorKeys;
class TElementDialogs;
class TObjectDialogs;
class TUserTexts;
class TFormDialogs;
class TPageStructureDialogs;
class TSpecialCharacters;
class TDroppedFiles;
class TTagAttributes;
class TPrintCommands;
class TFontCommand;
class TEditorPreferences;
class TReferenceHelp;
class TAutosave;
class TPublishCommands;
class TMultiPublishing;
class TAppButtons;
class TExternalBrowsers;
class TDocuments;
class TTemplates;
class TEditCommands;
class TTagChecking;
class TSiteAnalyser;
class TImageIndex;
class TGlobalFindReplace;
class TWindowLayout;

class THTMLEMainForm : public TForm {
public:
    static constexpr int PageCount = 20;
    static constexpr int AppButtonCount = 16;
    static constexpr int UserButtonCount = 16;

    explicit THTMLEMainForm(TComponent* AOwner);
    ~THTMLEMainForm() override;

    // ---- Features ----
    // Makes the window's features, each through AddFeature, in the order they build; the
    // program's start sets it before the first window is made.
    using TFeatureMaker = std::function<void(THTMLEMainForm&)>;
    static void SetFeatureMaker(TFeatureMaker maker);
    // Takes the feature into the window's list; the window's pointer to it is the result.
    template <typename TFeature> TFeature* AddFeature(std::unique_ptr<TFeature> feature) {
        TFeature* added = feature.get();
        FFeatures.push_back(std::move(feature));
        return added;
    }
    // Every feature, in the order they were made.
    const std::vector<std::unique_ptr<TMainFormFeature>>& Features() const { return FFeatures; }
    // Every view a feature shows in the pages' place goes, and the pages show again.
    void LeaveViewsOverPages();
    // Whether a feature shows something in the pages' place now.
    bool ShowsViewOverPages() const;
    // Save, Save As or Print of what a feature shows in the pages' place; false when none shows.
    bool RunOnShownView(TMainFormFeature::TShownViewCommand command);
    TDownloadEstimate* DownloadEstimate = nullptr;
    TReportPane* ReportPane = nullptr;
    TElementNavigation* ElementNavigation = nullptr;
    TFindReplace* FindReplace = nullptr;
    TInternalBrowser* InternalBrowser = nullptr;
    TTagInsertion* TagInsertion = nullptr;
    TTagButtons* TagButtons = nullptr;
    TFilePane* FilePane = nullptr;
    TTableCommands* TableCommands = nullptr;
    TDateCommands* DateCommands = nullptr;
    TScriptCommands* ScriptCommands = nullptr;
    TTagColouring* TagColouring = nullptr;
    TTextTransforms* TextTransforms = nullptr;
    TEditorKeys* EditorKeys = nullptr;
    TElementDialogs* ElementDialogs = nullptr;
    TObjectDialogs* ObjectDialogs = nullptr;
    TUserTexts* UserTexts = nullptr;
    TFormDialogs* FormDialogs = nullptr;
    TPageStructureDialogs* PageStructureDialogs = nullptr;
    TSpecialCharacters* SpecialCharacters = nullptr;
    TDroppedFiles* DroppedFiles = nullptr;
    TTagAttributes* TagAttributes = nullptr;
    TPrintCommands* PrintCommands = nullptr;
    TFontCommand* FontCommand = nullptr;
    TEditorPreferences* EditorPreferences = nullptr;
    TReferenceHelp* ReferenceHelp = nullptr;
    TAutosave* Autosave = nullptr;
    TPublishCommands* PublishCommands = nullptr;
    TMultiPublishing* MultiPublishing = nullptr;
    TAppButtons* AppButtons = nullptr;
    TExternalBrowsers* ExternalBrowsers = nullptr;
    TDocuments* Documents = nullptr;
    TTemplates* Templates = nullptr;
    TEditCommands* EditCommands = nullptr;
    TTagChecking* TagChecking = nullptr;
    TSiteAnalyser* SiteAnalyser = nullptr;
    TImageIndex* ImageIndex = nullptr;
    TGlobalFindReplace* GlobalFindReplace = nullptr;
    TWindowLayout* WindowLayout = nullptr;
    // The file list the user works in, the first that a feature shows (the file pane's); none
    // when no feature shows one.
    TFileListBox* WorkingFileList() const;
    // Its folder, where the file dialogs start; the current folder when there is no list.
    String WorkingFolder() const;

    // ---- Creation, settings, showing and closing ----
    void FormCreate(TObject* Sender);
    // With an editor, applies the editor settings to it alone; with none, to every page's.
    void ApplyEditorSettings(TRichEdit* editor);
    // Twenty tab stops, tabWidth apart, the first tabWidth after leftMargin.
    void SetTabStops(TRichEdit* editor, int leftMargin, int tabWidth);
    void FormResize(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    // Where the toolbars are, kept in the registry between runs.
    void SaveToolbarPlaces();
    void LoadToolbarPlaces();
    void FormClose(TObject* Sender, TCloseAction& Action);
    // A second copy of the program handed its command line over: bring this window to the
    // front and open the file it names as the first showing opens its own command line.
    void OpenHandedOverFile(const String& commandLine);
    // Shows how far the window's creation has come on the splash screen, when it shows.
    void ShowSplashProgress(const String& text);

    // ---- Exit, the menus' own refresh and the editors' focus and mouse ----
    void Exit1Click(TObject* Sender);
    void File1Click(TObject* Sender);
    void Edit1Click(TObject* Sender);
    void PreferencesClick(TObject* Sender);
    void Memo1Exit(TObject* Sender);
    void Memo1EndDrag(TObject* Sender, TObject* Target, int X, int Y);
    void Memo1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // A page that was never saved carries "[untitled<n>]" in place of a file name.
    static bool IsUntitled(const String& fileName);
    // The page shows its text as changed, as a page recovered from a copy is.
    void MarkPageModified(int page);
    // The files, not folders or devices, that the mask finds, in the order of the folder search.
    static std::vector<String> FilesMatching(const String& pathAndMask);

    // ---- Document pages, page accessors and status bar ----
    enum StatusPanel { CaretPanel, FolderPanel, FilePanel, InsertPanel, ModifiedPanel, CountPanel };
    // The editor of page 0 ... 19; -1: the active page's (the last active one after the last
    // page closed). Ask PageInUse to know whether a page is open.
    TRichEdit* GetMemo(int page) const;
    bool PageInUse(int page) const;
    // The first page not in use, -1 when all are.
    int FirstFreePage() const;
    // The pages in use that show one of the files.
    std::vector<int> PagesShowing(const std::vector<String>& paths) const;
    // Reads the pages' files again; their changes are given up, as the user asked. A file that
    // cannot be read is reported under the command's caption.
    void ReloadPages(const std::vector<int>& pages, const String& caption);
    int ActivePageIndex() const;
    bool AnyDocumentOpen() const;
    // A page is open and the active page shows its editor.
    bool EditorPageOpen() const;
    TTabSheet* GetPage(int page) const;
    String ActiveFileName() const;
    String TagNameAtCaret() const;
    // The same, but a comment ("!--" where a name would be) is no tag: the menus that name the
    // tag at the caret offer nothing for it.
    String TagNameOutsideComment() const;
    int LineOfPosition(TRichEdit* editor, int position) const;
    int FirstVisibleLine(TRichEdit* editor) const;
    void ScrollToLine(TRichEdit* editor, int line);
    // Always the active page: -1 scrolls the caret into view, any other count scrolls by lines.
    void ScrollToCaret(TRichEdit* editor, int lines);
    int SaveEditorView(TRichEdit* editor, int* selStart = nullptr, int* selLength = nullptr);
    void RestoreEditorView(TRichEdit* editor, int firstVisibleIndex, int selStart, int selLength);
    void UpdateStatusBar();
    void UpdateLinePosition();
    void UpdateInsertMode();
    void UpdateDocumentCommands();
    // Every feature hears that the page, now the active one, was just loaded or made blank.
    void TellPageLoaded(int page);
    void EnableDocumentCommands();
    // The commands that need a page are on: a page is open, or help-pointer mode offers them.
    bool DocumentCommandsEnabled() const;
    void HidePopupLists();
    void TabsRight(TObject* Sender);
    void TabsLeft1Click(TObject* Sender);
    void Memo1Change(TObject* Sender);
    void PageControl1Change(TObject* Sender);
    // Puts the caret in the page on screen, ready for typing.
    void FocusActivePage();
    void Memo1Enter(TObject* Sender);
    void StatusBar1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

    // ---- The toolbars ----
    // A button at the end of the toolbar, with its hint and picture.
    TQmToolbarButton* AddToolbarButton(TQmToolbar* toolbar, const String& name, const String& hint);
    // A button right after another on the toolbar (the first when after is null), the ones after it
    // moved along to make room; while the window is built, as the toolbar takes its buttons' order
    // from their places once the window has loaded.
    TQmToolbarButton* InsertToolbarButton(TQmToolbar* toolbar, TControl* after, const String& name,
                                          const String& hint);
    // The toolbar button's picture, glyphs/<button name>.bmp in the program folder, if present.
    static void LoadButtonGlyph(TQmToolbarButton* button);
    // The picture file on the button; a damaged one is reported with its name. The tag bar's and
    // the application buttons' pictures the user chose load through it too.
    static void LoadButtonGlyph(TQmToolbarButton* button, const String& fileName);

    // ---- Help-pointer mode and the Help menu ----
    // True when help-pointer mode was on: the number's topic has been shown and the caller must
    // do nothing else.
    bool HandleHelpPointer(THelpContext number);
    // Help-pointer mode is on: a command chosen shows its help topic instead of running.
    bool HelpPointerMode() const;
    // A command on the page on screen is offered: a page shows its editor, or help-pointer mode
    // offers every command.
    bool EditorCommandsOffered() const;
    // A command on the open pages is offered: a page is open, or help-pointer mode is on.
    bool PageCommandsOffered() const;
    void PointerHelp1Click(TObject* Sender);
    void Contents1Click(TObject* Sender);
    void UsingHelp1Click(TObject* Sender);

    // ---- Dialog guards and the one-line input dialog ----
    // The message for a dialog that could not be made.
    static void ReportFormCreationFailure();
    static void CentreOnWorkArea(TForm* form);
    // Flat or raised toolbar buttons on a dialog, as the setting Office97Style says.
    static void ApplyButtonStyle(TForm* form);
    // Makes LocationForm when it does not exist and fills it; false when it could not be made.
    bool SetupLocationForm(const String& editText, const String& upperLabel, const String& label,
                           bool showFileBrowse, bool showFolderBrowse);
    // Narrows LocationForm for a short number.
    void SizeNumberInputDialog();

    // The Set up menu, where the features that are set up once put their commands.
    TMenuItem* Setup1 = nullptr;

    // ---- Members ----
    std::array<String, PageCount> FileNames;
    std::array<String, PageCount> AutosaveNames;

    String DefaultExtension;
    String TemplateFolder;
    String AutoInsertTab;
    String ProgramFolder;
    String HelpFileName;
    TDateTime SessionStart = 0;
    HCURSOR HelpCursor = nullptr;
    // The last press on a button, a list or an editor.
    TShiftState LastShiftState;
    TMouseButton LastMouseButton = mbLeft;
    TFontStyles TagStyle;
    TFontStyles ParamStyle;
    TFontStyles TextStyle;
    TFontStyles CommentStyle;
    TColor TagColour = 0;
    TColor ParamColour = 0;
    TColor CommentColour = 0;
    TColor TextColour = 0;
    int MaxEditSize = 0;
    int TabWidth = 0;
    bool PermSave = false;
    bool ColouredTags = false;
    bool ShowLineNumbers = false;
    bool AskForAltData = false;
    bool DoubleParaTags = false;
    bool SmartTabs = false;
    bool PrePublish = false;
    bool LastInsertToggle = false;
    bool InsertToggleKnown = false;
    bool LeftPanelVisible = false;
    bool ReplaceAngles = false;
    bool AbortRequested = false;
    bool FirstShowPending = false;
    bool CloseCancelled = false;
    bool ForceCommandsEnabled = false;
    bool StatusUpdateSuppressed = false;

    // ---- Components ----
    // Menus.
    TMainMenu* MainMenu1 = nullptr;
    TPopupMenu* MainPopupMenu = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* Edit1 = nullptr;
    TMenuItem* ShowHideMarks1 = nullptr;
    TMenuItem* ColourTags1 = nullptr;
    TMenuItem* Tools1 = nullptr;
    // The Publish menu of Tools, where the publishing features put their commands.
    TMenuItem* Publish1 = nullptr;
    TMenuItem* View1 = nullptr;
    TMenuItem* Preferences1 = nullptr;
    TMenuItem* PermanentSaveonViewing1 = nullptr;
    TMenuItem* UseTagColouring1 = nullptr;
    TMenuItem* StatusBarShows1 = nullptr;
    TMenuItem* ShowLineNumber2 = nullptr;
    TMenuItem* ShowSize2 = nullptr;
    TMenuItem* RequestALTtags1 = nullptr;
    TMenuItem* ParaPrefs = nullptr;
    TMenuItem* Office97Style1 = nullptr;
    TMenuItem* AutoInsertTabs = nullptr;
    TMenuItem* SmartTabsMenu = nullptr;
    TMenuItem* Prepublishfiles1 = nullptr;
    TMenuItem* WordWrap1 = nullptr;
    TMenuItem* WordWrapallpages1 = nullptr;
    TMenuItem* On2 = nullptr;
    TMenuItem* Off2 = nullptr;
    TMenuItem* MaxPageSize1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* Contents1 = nullptr;
    TMenuItem* PointerHelp1 = nullptr;
    TMenuItem* UsingHelp1 = nullptr;
    TMenuItem* Invis1 = nullptr;
    TMenuItem* TabsRight1 = nullptr;
    TMenuItem* TabsLeft1 = nullptr;

    // Top panel: on the left the toolbar area with the docks and toolbars, the tag-button bar's
    // panel filling the rest.
    TPanel* TopPanel = nullptr;
    TPanel* ToolbarPanel = nullptr;
    TPanel* ButtonsPagePanel = nullptr;
    TQmDock* DockStd = nullptr;
    TQmDock* DockEdit = nullptr;
    // The docks along the bottom, right and left edges, empty until a toolbar is dragged there.
    TQmDock* QmDock1 = nullptr;
    TQmDock* QmDock2 = nullptr;
    TQmDock* QmDock3 = nullptr;
    TQmToolbar* StdToolbar = nullptr;
    TQmToolbar* EditToolbar = nullptr;
    TQmToolbarButton* HelpButton = nullptr;

    // The panel on the left that the file pane fills.
    TPanel* LeftPanel = nullptr;

    // Document pages.
    TPageControl* PageControl1 = nullptr;
    std::array<TTabSheet*, PageCount> TabSheets{};
    std::array<TRichEdit*, PageCount> Memos{};
    TPanel* ImagePanel = nullptr;
    TLabel* VersionLabel = nullptr;

    TStatusBar* StatusBar1 = nullptr;

    // Hidden helpers.
    TLabel* VerLabelInvis = nullptr;
    TRichEdit* TempMemo = nullptr;
    TRichEdit* PrinterForm = nullptr;
    TVersionNo* VersionNo = nullptr;
    TFolderBrowse* FolderBrowse1 = nullptr;
    TWebConnect* WebConnect1 = nullptr;
    TQmGradientCaption* GradientCaption1 = nullptr;

private:
    std::vector<std::unique_ptr<TMainFormFeature>> FFeatures;
    void MakeFeatures();
    // The shell's own parts are built first, in the order of the form resource; then each feature
    // builds its items, buttons and panels among them, in the order the features were made.
    // MainWindowLayout.cpp: the frame around the pages, and the menu bar with the items that no
    // feature places itself.
    void BuildMenuBar();
    void BuildTopPanel();
    void BuildEdgeDocks();
    void BuildLeftPanel();
    void BuildImagePanel();
    void BuildHiddenHelpers();
    void BindMainWindowLayout();
    // DocumentPages.cpp: the twenty pages, stepping through them, and the status bar.
    void BuildStatusBar();
    void BuildDocumentPages();
    void BindDocumentPages();
    // HelpPointer.cpp: help-pointer mode and the Help menu.
    void BuildHelpCommands();
    void BindHelpCommands();
    // FirstShowing.cpp: the leftovers of a crashed run in the site folder.
    void OfferLeftoverFiles();
    void OfferLeftoverFile(const String& fileName, const String& question);
    // MainSettings.cpp, FirstShowing.cpp, MainClose.cpp: the window's creation, first showing and
    // closing.
    void BindMainSettings();
    void BindFirstShowing();
    void BindMainClose();
    // MainMenus.cpp: the refresh of the menu items the shell keeps.
    void BindMainMenus();
    // The binders of every feature.
    void BindEvents();
    void BindMenuBar();

    // The steps of FormCreate, in their order.
    void TakeVersionFromLabel();
    void ReadFeatureSettings();
    void RecordSessionStart();
    void CountSession();
    void ClearStateMembers();
    void ShowVersionLabel();
    void LoadCursors();
    void PrepareSplash();
    void SetProgramFolders();
    void PrepareLayout();
    void ReadDisplaySettings();
    void ReadGeneralSettings();
    void ApplyFixedFonts();
    void ReadTemplateAndTabs();
    void SetPageIndentsAndTabs();
    void ShowHiddenCommands();
    void SetIndentsOnceMore();
    void FinishCreation();
    void ApplyFlatButtons(bool flat);
    void SetIndents(TRichEdit* editor);

    // A file named to the window, opened by the feature that opens documents: the page, or -1.
    int OpenFileNamed(const String& fileName);

    // The steps the page commands share.
    // Moves to the next page in use in the direction step (1 or -1), going round.
    void ActivateNextPage(int step);

    int LeftMargin = 2;
    int LeftIndent = 12;
    int RightMargin = 5;
};

extern THTMLEMainForm* HTMLEMainForm;
