#pragma once
// The program's main window: twenty document pages, the file pane, the tag-button bar, the
// toolbars, the report pane and the status bar. Its handlers are defined in the files of the
// subsystems that own them, one file per feature.

#include "editor/HelpPointer.h"
#include "editor/MainFormFeature.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/DateTime.h"
#include "platform/DragManager.h"
#include "platform/ExtCtrls.h"
#include "platform/FileListBox.h"
#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/Menus.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class TQmDock;
class TQmToolbar;
class TQmToolbarButton;
class TQmWindowHook;
class TFolderBrowse;
class TWebConnect;
class TRichPrinter;
class TVersionNo;
class TMRUFileList;
class TRegistry;
class TDownloadEstimate;
class TReportPane;
class TElementNavigation;
class TFindReplace;
class TInternalBrowser;
class TTagInsertion;
class TTagButtons;
class TFilePane;
class TTableCommands;
class TTagChecking;
class TSiteAnalyser;
class TImageIndex;
class TGlobalFindReplace;

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
    TDownloadEstimate* DownloadEstimate = nullptr;
    TReportPane* ReportPane = nullptr;
    TElementNavigation* ElementNavigation = nullptr;
    TFindReplace* FindReplace = nullptr;
    TInternalBrowser* InternalBrowser = nullptr;
    TTagInsertion* TagInsertion = nullptr;
    TTagButtons* TagButtons = nullptr;
    TFilePane* FilePane = nullptr;
    TTableCommands* TableCommands = nullptr;
    TTagChecking* TagChecking = nullptr;
    TSiteAnalyser* SiteAnalyser = nullptr;
    TImageIndex* ImageIndex = nullptr;
    TGlobalFindReplace* GlobalFindReplace = nullptr;
    // The file list the user works in, the first that a feature shows (the file pane's); none
    // when no feature shows one.
    TFileListBox* WorkingFileList() const;
    // Its folder, where the file dialogs start; the current folder when there is no list.
    String WorkingFolder() const;

    // ---- Creation, settings, showing and closing ----
    void FormCreate(TObject* Sender);
    // With an editor, applies the editor settings to it alone; with none, to every page's.
    void ApplyEditorSettings(TRichEdit* editor);
    void FormResize(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);
    // A second copy of the program handed its command line over: bring this window to the
    // front and open the file it names as the first showing opens its own command line.
    void OpenHandedOverFile(const String& commandLine);

    // ---- The Font command ----
    void ChangeFontButtonClick(TObject* Sender);

    // ---- Opening, saving and closing documents ----
    // Loads a file into the first free page (keepName: under its own name, re-using a page that
    // holds it already; else untitled). The page it was loaded into, or -1 when none was.
    int OpenDocument(const String& fileName, bool chooseTemplate, bool keepName, bool anyExtension);
    // True when the file's lower-cased extension, with its dot, occurs in TextFileExtensions.
    bool IsTextFile(const String& fileName) const;
    // True when the lower-cased name holds ".htm" or ".shtm" anywhere.
    static bool IsHTMLFile(const String& fileName);
    void Close1Click(TObject* Sender);
    void CloseAll1Click(TObject* Sender);
    // Writes a page to its file, or to one chosen in the save dialog; false when the dialog was
    // cancelled or the write failed (the error has been shown and the page is as it was).
    bool SaveDocument(int page, bool saveAs, bool asTemplate);
    // A name without a "." in its file-name part gets "." + DefaultExtension.
    String WithDefaultExtension(const String& path) const;
    // Writes an editor's text to a file; false, with the error shown, when it could not be.
    static bool WriteEditorText(TRichEdit* editor, const String& path);
    void FileNewButtonClick(TObject* Sender);
    void FileOpenClick(TObject* Sender);
    void Save1Click(TObject* Sender);
    void FileSaveButtonClick(TObject* Sender);
    void SaveAs1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void TextFiles1Click(TObject* Sender);
    void File1Click(TObject* Sender);
    // Files dropped on the window, in their order: each text file opens; the first other file is
    // refused with a message and ends the drop.
    void OpenDroppedFiles(const std::vector<String>& paths);
    // Files dropped on the window from the desktop (WM_DROPFILES).
    void WindowHook2AfterMessage(TObject* Sender, TMessage& Msg, bool& Handled);
    void Memo1Exit(TObject* Sender);
    void Memo1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // A page that was never saved carries "[untitled<n>]" in place of a file name.
    static bool IsUntitled(const String& fileName);

    // ---- Autosave and recovery ----
    // The Preferences > Autosave commands: the interval in minutes, or Off.
    void Off1Click(TObject* Sender);
    void N2mins1Click(TObject* Sender);
    void N5mins1Click(TObject* Sender);
    void N10mins1Click(TObject* Sender);
    void N15mins1Click(TObject* Sender);
    // Copies every modified page into the temporary folder and lists the copies in the index.
    void AutosaveTimerTimer(TObject* Sender);

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
    // Reads the pages' files again; their changes are given up, as the user asked.
    void ReloadPages(const std::vector<int>& pages);
    int ActivePageIndex() const;
    bool AnyDocumentOpen() const;
    // A page is open and the active page shows its editor.
    bool EditorPageOpen() const;
    TTabSheet* GetPage(int page) const;
    String ActiveFileName() const;
    String TagNameAtCaret() const;
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
    // A button right after another on the toolbar, the ones after it moved along to make room;
    // while the window is built, as the toolbar takes its buttons' order from their places once
    // the window has loaded.
    TQmToolbarButton* InsertToolbarButton(TQmToolbar* toolbar, TControl* after, const String& name,
                                          const String& hint);
    // The toolbar button's picture, glyphs/<button name>.bmp in the program folder, if present.
    static void LoadButtonGlyph(TQmToolbarButton* button);

    // ---- Help-pointer mode and the Help menu ----
    // True when help-pointer mode was on: the number's topic has been shown and the caller must
    // do nothing else.
    bool HandleHelpPointer(THelpContext number);
    // Help-pointer mode is on: a command chosen shows its help topic instead of running.
    bool HelpPointerMode() const;
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

    // ---- Clipboard, undo and the Edit menu's refresh ----
    void Undo1Click(TObject* Sender);
    void Cut1Click(TObject* Sender);
    void Copy1Click(TObject* Sender);
    void Paste1Click(TObject* Sender);
    void SelectAll1Click(TObject* Sender);
    void Edit1Click(TObject* Sender);
    void PreferencesClick(TObject* Sender);
    void MainPopupMenuPopup(TObject* Sender);
    TMenuItem* Undo2 = nullptr;
    TMenuItem* Cut2 = nullptr;
    TMenuItem* Copy4 = nullptr;
    TMenuItem* Paste2 = nullptr;
    TMenuItem* SelectAll1 = nullptr;

    // ---- Element dialogs ----
    // The link, image, font, mailto, rule and META dialogs of the tag bar.
    void LinkButtonClick(TObject* Sender);
    void ImageButtonClick(TObject* Sender);
    void FaceButtonClick(TObject* Sender);
    void BaseFontButtonClick(TObject* Sender);
    // Inserts the start tag named so that the font dialog, closed with OK, describes, with the
    // end text after the selection; nothing when the dialog describes nothing.
    void BuildFontTag(const String& name, const String& end);
    void MailToButtonClick(TObject* Sender);
    void RuleButtonClick(TObject* Sender);
    void MetaButtonClick(TObject* Sender);
    // ---- List dialog ----
    void ListButtonClick(TObject* Sender);
    void BindElementDialogs();

    // ---- Tag colouring ----
    // Colours the length + 1 characters from start of the active page, just put in.
    void ColourTagRange(int start, int length);
    // Colours the whole active page; only when colouring is on, unless forced.
    void ColourAllTags(bool force);
    // Typing in a page: the typed character's colour, and "&lt;" / "&gt;" in Replace<> mode.
    void Memo1KeyPress(TObject* Sender, char& Key);
    void ColourTags1Click(TObject* Sender);
    void UseTagColouring1Click(TObject* Sender);
    void SetTagColours1Click(TObject* Sender);
    void RemoveTextFormatting1Click(TObject* Sender);
    void ShowHideMarks1Click(TObject* Sender);
    TMenuItem* SetTagColours1 = nullptr;
    TMenuItem* RemoveTextFormatting1 = nullptr;
    TMenuItem* RemoveTextFormatting2 = nullptr;
    // Set by a typed "<", cleared by ">", by the next blank or in a comment; one for all pages.
    bool TypingTagName = false;

    // ---- Text transformations and editor keys ----
    // TextTransforms.cpp: the commands that rewrite the active page in place, each one undo step.
    void ChangeCase1Click(TObject* Sender);
    void Uppercase1Click(TObject* Sender);
    void Lowercase1Click(TObject* Sender);
    // "Upper" converts the page's tags to upper case, anything else to lower case.
    void ChangeTagCase(const String& mode);
    void IndentButtonClick(TObject* Sender);
    void UnindentButtonClick(TObject* Sender);
    void RemoveIndents1Click(TObject* Sender);
    void PerlCommentButtonClick(TObject* Sender);
    void PerlNoCommentButtonClick(TObject* Sender);
    void ReplaceAngles1Click(TObject* Sender);
    // The Replace<> list's item k converts the active page's selection: 0 and 1 write the angle
    // brackets as codes (1 adding "<BR>" after each line), 2 and 3 turn them back (3 dropping
    // the "<BR>"s); any other k changes nothing.
    void ConvertAnglesInSelection(int k);
    void RemoveLinespaces1Click(TObject* Sender);
    void RemoveComments1Click(TObject* Sender);
    // EditorKeys.cpp: the editors' keys and mouse, and the window's own keys.
    void Memo1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void Memo1KeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void Memo1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    TMenuItem* ChangeCase1 = nullptr;
    TMenuItem* ChangeCase2 = nullptr;
    TMenuItem* Uppercase1 = nullptr;
    TMenuItem* Lowercase1 = nullptr;
    TMenuItem* RemoveLinespaces1 = nullptr;
    TMenuItem* RemoveLinespaces2 = nullptr;
    TMenuItem* RemoveComments2 = nullptr;
    // Set by Backspace while colouring is on: the next key release types in TextColour again.
    bool RestoreTextColour = false;
    // Where the mouse was last pressed in an editor, in its client coordinates.
    TPoint EditorMousePoint;
    // The hidden version sequence's progress.
    bool VersionFirstKeySeen = false;
    bool VersionSecondKeySeen = false;

    // ---- Special characters ----
    // SpecialCharacters.cpp: the Chars page, its entity list and character map, and the
    // shortcuts that insert character references.
    void AmpButtonClick(TObject* Sender);
    void QuotButtonClick(TObject* Sender);
    void CopyRtButtonClick(TObject* Sender);
    void RegButtonClick(TObject* Sender);
    void QuarterButtonClick(TObject* Sender);
    void HalfButtonClick(TObject* Sender);
    void Quarter3ButtonClick(TObject* Sender);
    void nbspButtonClick(TObject* Sender);
    void OtherCharButtonClick(TObject* Sender);
    void CharMapButtonClick(TObject* Sender);
    void PoundClick(TObject* Sender);
    void LeftAngleClick(TObject* Sender);
    void RightAngleClick(TObject* Sender);
    void Multx1Click(TObject* Sender);
    void Quarter1Click(TObject* Sender);
    void Half1Click(TObject* Sender);
    void Threquarters1Click(TObject* Sender);
    void CharListBoxClick(TObject* Sender);
    void CharListBoxExit(TObject* Sender);
    void CharGridDblClick(TObject* Sender);
    void CharGridExit(TObject* Sender);
    TQmToolbarButton* AmpButton = nullptr;
    TQmToolbarButton* QuotButton = nullptr;
    TQmToolbarButton* CopyRtButton = nullptr;
    TQmToolbarButton* RegButton = nullptr;
    TQmToolbarButton* QuarterButton = nullptr;
    TQmToolbarButton* HalfButton = nullptr;
    TQmToolbarButton* Quarter3Button = nullptr;
    TQmToolbarButton* nbspButton = nullptr;
    TQmToolbarButton* OtherCharButton = nullptr;
    TQmToolbarButton* CharMapButton = nullptr;

    // ---- Files dropped on a page ----
    // DroppedFiles.cpp: a file dragged from the file list onto an editor goes in as a reference.
    void Memo1DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State,
                       bool& Accept);
    void Memo1DragDrop(TObject* Sender, TObject* Source, int X, int Y);

    // ---- External browsers ----
    // ExternalBrowsers.cpp: the saved page shown in another browser program, a running one
    // driven by keystrokes; the set-up of the programs' paths.
    void IEButtonClick(TObject* Sender);
    void NavigatorButtonClick(TObject* Sender);
    void SetupIEClick(TObject* Sender);
    void SetupNetscapeNavigatorClick(TObject* Sender);
    // The first visible desktop window with a title holding text, searched upward from the
    // foreground window and then downward; the foreground window itself is never chosen.
    HWND FindWindowByTitle(const String& text, bool ignoreCase);
    // Brings the window to the front and plays the keys into it, the parts between "{p}" and
    // "{/p}" pasted through the clipboard (a "{" in them written "{{}"); false when the window
    // would not come to the front.
    bool SendKeysToWindow(HWND window, const String& keys);
    TMenuItem* InternetExplorer1 = nullptr;
    TMenuItem* NetscapeNavigator31 = nullptr;
    TMenuItem* Setup1 = nullptr;
    TMenuItem* SetupIE1 = nullptr;
    TMenuItem* SetupNetscapeNavigator1 = nullptr;
    TQmToolbarButton* IEButton = nullptr;
    TQmToolbarButton* NavigatorButton = nullptr;

    // ---- Members ----
    std::array<String, PageCount> FileNames;
    std::array<String, PageCount> AutosaveNames;
    std::array<String, AppButtonCount> AppCmdLines;
    std::array<String, AppButtonCount> AppHints;
    std::array<String, AppButtonCount> AppButtonTexts;
    std::array<String, AppButtonCount> AppButtonGlyphs;

    String DefaultExtension;
    String TemplateFolder;
    String IEHTMLHelpFile;
    String RefLibHelpFile;
    String AutoInsertTab;
    String ProgramFolder;
    String HelpFileName;
    String IEPath;
    String NetscapePath;
    String TextFileExtensions;
    String IEWindowTitle;
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
    int UntitledCounter = 0;
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
    // Documents: the File menu's new, open and exit items and the text-file types.
    TMenuItem* New1 = nullptr;
    TMenuItem* BlankDocument1 = nullptr;
    TMenuItem* Open1 = nullptr;
    TMenuItem* OpenFile1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* TextFiles1 = nullptr;
    TMenuItem* Save1 = nullptr;
    TMenuItem* SaveAs1 = nullptr;
    TMenuItem* SaveAsTemplate = nullptr;
    TMenuItem* SaveAsFrameworkDocument1 = nullptr;
    TMenuItem* Close1 = nullptr;
    TMenuItem* CloseAll1 = nullptr;
    TMenuItem* Print1 = nullptr;
    TMenuItem* PrintPreview1 = nullptr;
    TMenuItem* Edit1 = nullptr;
    TMenuItem* Undo1 = nullptr;
    TMenuItem* Cut1 = nullptr;
    TMenuItem* Copy1 = nullptr;
    TMenuItem* Paste1 = nullptr;
    TMenuItem* SelectAll2 = nullptr;
    TMenuItem* Indent1 = nullptr;
    TMenuItem* Unindent1 = nullptr;
    TMenuItem* Select1 = nullptr;
    TMenuItem* TagCase1 = nullptr;
    TMenuItem* RemoveIndents1 = nullptr;
    TMenuItem* RemoveComments1 = nullptr;
    TMenuItem* ReplaceAngles1 = nullptr;
    TMenuItem* ShowHideMarks1 = nullptr;
    TMenuItem* ColourTags1 = nullptr;
    TMenuItem* Tools1 = nullptr;
    TMenuItem* Publish1 = nullptr;
    TMenuItem* CurrentDocument1 = nullptr;
    TMenuItem* MultiPublish1 = nullptr;
    TMenuItem* MultiPublish2 = nullptr;
    TMenuItem* MultiCopy1 = nullptr;
    TMenuItem* MultiSave3 = nullptr;
    TMenuItem* MultipleDocuments1 = nullptr;
    TMenuItem* ForValidation1 = nullptr;
    TMenuItem* SetupPublisher = nullptr;
    TQmToolbarButton* PublishButton = nullptr;
    // Set by the preview while it publishes its copy of the page; the copy's source.
    bool PublishPreviewCopy = false;
    String PreviewFileName;
    void PublishButtonClick(TObject* Sender);
    void PublishButtonMouseEnter(TObject* Sender);
    void Publish1Click(TObject* Sender);
    void MultipleDocuments1Click(TObject* Sender);
    void SetupPublisherClick(TObject* Sender);
    void Prepublishfiles1Click(TObject* Sender);
    void ForValidation1Click(TObject* Sender);
    // The stored publish folder, empty when none is stored.
    String ReadPublishFolder() const;
    TMenuItem* View1 = nullptr;
    TMenuItem* Preferences1 = nullptr;
    TMenuItem* Font1 = nullptr;
    TMenuItem* Editor1 = nullptr;
    TMenuItem* Printer1 = nullptr;
    TMenuItem* PermanentSaveonViewing1 = nullptr;
    TMenuItem* UseTagColouring1 = nullptr;
    TMenuItem* StatusBarShows1 = nullptr;
    TMenuItem* ShowLineNumber2 = nullptr;
    TMenuItem* ShowSize2 = nullptr;
    TMenuItem* RequestALTtags1 = nullptr;
    TMenuItem* Autosave1 = nullptr;
    TMenuItem* N2mins1 = nullptr;
    TMenuItem* N5mins1 = nullptr;
    TMenuItem* N10mins1 = nullptr;
    TMenuItem* N15mins1 = nullptr;
    TMenuItem* Off1 = nullptr;
    TMenuItem* ParaPrefs = nullptr;
    TMenuItem* Office97Style1 = nullptr;
    TMenuItem* AutoInsertTabs = nullptr;
    TMenuItem* SmartTabsMenu = nullptr;
    TMenuItem* Prepublishfiles1 = nullptr;
    TMenuItem* WordWrap1 = nullptr;
    TMenuItem* On2 = nullptr;
    TMenuItem* Off2 = nullptr;
    TMenuItem* MaxPageSize1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* N11 = nullptr;
    TMenuItem* IEHelp = nullptr;
    TMenuItem* RefLibHelp = nullptr;
    TMenuItem* Contents1 = nullptr;
    TMenuItem* PointerHelp1 = nullptr;
    TMenuItem* UsingHelp1 = nullptr;
    TMenuItem* Invis1 = nullptr;
    TMenuItem* TabsRight1 = nullptr;
    TMenuItem* TabsLeft1 = nullptr;

    // Top panel with the docks and toolbars; the tag-button bar fills the rest of it.
    TPanel* TopPanel = nullptr;
    TQmDock* DockStd = nullptr;
    TQmDock* DockEdit = nullptr;
    TQmToolbar* StdToolbar = nullptr;
    TQmToolbar* EditToolbar = nullptr;
    TQmToolbarButton* FileNewButton = nullptr;
    TQmToolbarButton* FileOpenButton = nullptr;
    TQmToolbarButton* FileSaveButton = nullptr;
    TQmToolbarButton* PrintButton = nullptr;
    TQmToolbarButton* CloseButton = nullptr;
    TQmToolbarButton* CloseAllButton = nullptr;
    TQmToolbarButton* HelpButton = nullptr;
    TQmToolbarButton* CutButton = nullptr;
    TQmToolbarButton* CopyButton = nullptr;
    TQmToolbarButton* PasteButton = nullptr;
    TQmToolbarButton* IndentButton = nullptr;
    TQmToolbarButton* UnindentButton = nullptr;

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
    TTimer* AutosaveTimer = nullptr;
    TFontDialog* FontDialog1 = nullptr;
    TVersionNo* VersionNo = nullptr;
    TRichPrinter* RichPrinter1 = nullptr;
    TMRUFileList* MRU = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TSaveDialog* SaveDialog = nullptr;
    TQmWindowHook* WindowHook2 = nullptr;
    TFolderBrowse* FolderBrowse1 = nullptr;
    TWebConnect* WebConnect1 = nullptr;

private:
    std::vector<std::unique_ptr<TMainFormFeature>> FFeatures;
    void MakeFeatures();
    // The window's features. Each feature file builds its menu items, buttons and panels and binds
    // their events to its handlers; the constructor calls the builders in the order of the form
    // resource, since a later builder's controls are laid out, and its items placed, among those
    // of the earlier ones.
    // MainWindowLayout.cpp: the frame around the pages, and the menu bar with the items that no
    // feature places itself.
    void BuildMenuBar();
    void BuildTopPanel();
    void BuildLeftPanel();
    void BuildImagePanel();
    void BuildHiddenHelpers();
    void BindMainWindowLayout();
    // DocumentPages.cpp: the twenty pages, stepping through them, and the status bar.
    void BuildStatusBar();
    void BuildDocumentPages();
    void BindDocumentPages();
    // Documents.cpp: opening, saving and closing documents, and the recent files.
    void BuildDocuments();
    void BindDocuments();
    // FontCommand.cpp: the editor and printer fonts.
    void BuildFontCommand();
    void BindFontCommand();
    // EditCommands.cpp: the clipboard, undo and select all, and the menus' refresh.
    void BuildEditCommands();
    void BindEditCommands();
    // HelpPointer.cpp: help-pointer mode and the Help menu.
    void BuildHelpCommands();
    void BindHelpCommands();
    // Autosave.cpp: the autosave commands and runs, and the recovery of their copies after a run
    // that did not end normally.
    void BindAutosave();
    void ChooseAutosaveInterval(TMenuItem* item, int minutes);
    TStringList AutosaveIndex(const String& folder, TStrings& placeholders,
                              std::optional<Exception>& failure);
    void WriteAutosaveCopy(int page, const String& folder, TStrings& placeholders);
    // The page's index line: its copy, its caption and, for a page with a file, the file's path.
    String AutosaveIndexLine(int page) const;
    void ReportAutosaveFailure(const std::optional<Exception>& failure);
    void RecoverAutosavedFiles();
    // Loads the copy on a free page as the index describes it; false when it was not loaded.
    bool LoadAutosavedCopy(const String& copy, const TStrings& index);
    void KeepUnloadedCopies(const String& folder, int count);
    void MarkPageModified(int page);
    // The files, not folders or devices, that the mask finds, in the order of the folder search.
    static std::vector<String> FilesMatching(const String& pathAndMask);
    // Whether the failure of the runs that keep failing has been shown, and the index lines of
    // the copies that recovery could not load, kept for the next start.
    bool AutosaveFailureShown = false;
    std::vector<String> KeptAutosaveLines;
    // FirstShowing.cpp: the leftovers of a crashed run in the site folder.
    void OfferLeftoverFiles();
    void OfferLeftoverFile(const String& fileName, const String& question);
    // MainSettings.cpp, FirstShowing.cpp, MainClose.cpp: the window's creation, first showing and
    // closing.
    void BindMainSettings();
    void BindFirstShowing();
    void BindMainClose();
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
    void ReadIEWindowTitle();
    void PrepareSplash();
    void SetProgramFolders();
    void PrepareLayout();
    void ReadDisplaySettings();
    void ReadTextFileExtensions();
    void ReadGeneralSettings();
    void ApplyFixedFonts();
    void ReadPrinterFont();
    void FindReferenceHelp();
    void ReadTemplateAndTabs();
    void SetPageIndentsAndTabs();
    void ReadAppButtons();
    void ShowHiddenCommands();
    void SetIndentsOnceMore();
    void FinishCreation();
    void ShowSplashProgress(const String& text);
    void ReadAutosave(const TRegistry& reg);
    void ApplyFlatButtons(bool flat);
    void SetUpAppButton(int index);
    void SetIndents(TRichEdit* editor);
    void SetTabStops(TRichEdit* editor, int leftMargin, int tabWidth);

    void OpenCommandLineFile();
    // A file named on a command line: opened, or the user told why not; an empty line opens
    // nothing.
    void OpenNamedFile(const String& fileName);
    // A recent file chosen from the File menu.
    void MRUMRUItemClick(TObject* Sender, const String& FileName);
    // A copy that autosave made of a page, in the temporary folder.
    static bool IsAutosaveCopy(const String& fileName);
    // Says that a file the user asked to open was refused as not a text file.
    void ReportNotATextFile(const String& fileName);

    // Documents: the steps the commands share.
    // Word wrap and scroll bars as the all-pages preference says.
    void ApplyWordWrapPreference(TRichEdit* editor);
    // The page control shown with the page active and unmodified.
    void ShowFreshPage(int page);
    // Brings a page that holds the file forward; the page to load it into again when the user
    // asks to revert its changes, else -1 (*found tells whether there was one).
    int ReusedPage(const String& fileName, bool* found);
    // The file chosen in the template dialog, or empty when cancelled.
    String ChooseTemplate();
    // The save dialog's answer for the page; empty when cancelled.
    String AskSaveName(int page, bool asTemplate);
    // Writes the page's text and forgets its autosave copy; false, with the error shown, when
    // the file could not be written.
    bool WriteDocument(int page, const String& path);
    void DeleteAutosaveCopy(int page);
    // Save: what a feature shows in the pages' place, else the active page.
    void SaveActiveDocument();
    // Save, Save As or Print of what a feature shows in the pages' place; false when none shows.
    bool RunOnShownView(TMainFormFeature::TShownViewCommand command);
    // caption + " has changed. Save it?": IDYES, IDNO or IDCANCEL.
    int AskToSaveChanges(int page);
    // Closes the active page as the close commands do, asking first when it was modified.
    void CloseActivePage();
    // Close All's work without its help-pointer gate: closing the window must ask about every
    // modified page even in help-pointer mode.
    void CloseAllDocuments();
    void ActivateAfterClose(int closed);
    // Moves to the next page in use in the direction step (1 or -1), going round.
    void ActivateNextPage(int step);
    std::array<TQmToolbarButton*, 9> DocumentButtons() const;
    std::array<TMenuItem*, 21> DocumentMenuItems() const;

    int LeftMargin = 2;
    int LeftIndent = 12;
    int RightMargin = 5;

    // ---- Tag colouring ----
    // TagColouring.cpp: the colouring routines, typing, Colour Tags and Set Tag Colours;
    // DisplayModes.cpp: Use Tag Colouring, Remove Text Formatting and Show/Hide Marks.
    void BindTagColouring();
    void ColourTypedCharacter(TRichEdit* editor, char key);
    void ColourTypedDash(TRichEdit* editor, int caret);
    void SetTypingAttributes(TRichEdit* editor, TColor colour, TFontStyles style);
    void TypeAngleAsReference(TRichEdit* editor, char& key);
    // The editor font the registry gives for plain formatting; Memo1's font and TextColour
    // follow it, Memo1's colour first set to black when blackFirst.
    TFont ReadPlainFont(bool blackFirst);
    // All the text of an editor in the font, in TextColour, keeping its selection, scroll
    // position and modified flag.
    void GivePlainFormatting(TRichEdit* editor, const TFont& font);

public:
    // ---- Text transformations and editor keys ----
    void BuildTextTransforms();
    void BindTextTransforms();
    void BindEditorKeys();
    void ToggleReplaceAngles();
    // The bytes from start up to end replaced as one undo step.
    void ReplaceEditorRange(TRichEdit* editor, int start, int end, const String& text);
    // The page's whole text rewritten, its selection, scroll position and colouring kept, as
    // one undo step that replaces only the stretch that changed; the page takes no input
    // meanwhile.
    void RewriteWholePage(TRichEdit* editor,
                          const std::function<String(std::string_view)>& rewrite);
    // Indent and Unindent with a selection: the selection's whole lines.
    void ShiftSelectedLines(TRichEdit* editor, int start, int length, bool indent);
    // The start of an editor line; -1 past the last.
    static int LineIndex(TRichEdit* editor, int line);
    void ShowKeywordHelp();
    void CopyTabsToNewLine(TRichEdit* editor);
    void TrackVersionSequence(WORD key, TShiftState shift);

    // ---- Publishing the active page (publish/PublishCommands.cpp) ----
    void BuildPublishCommands();
    void BindPublishCommands();
    // Asks for the publish folder with the publish-folder dialog, saving a modified page first.
    void ChoosePublishFolder(int page, bool inUse);
    // Saves the page when its editor is shown and modified; false when it stays modified (the
    // save was cancelled or failed).
    bool SaveBeforePublishing(int page);
    // Publishes the page's text as "zvalid~.html" into the page's own folder.
    void PublishValidationCopy(int page);

    // ---- Special characters ----
    void BuildSpecialCharacters();
    void BindSpecialCharacters();
    // The help gate (none for help 0), then the reference put in front of the selection.
    void InsertCharacterReference(THelpContext help, const String& reference);
    // The character map's cells filled with their characters, or emptied.
    void FillCharGrid(bool filled);
    void ShowCharGrid(bool shown);

    // ---- Application buttons ----
    // A picture file the user chose for a button; a damaged one is reported with its name.
    static void LoadButtonGlyph(TQmToolbarButton* button, const String& fileName);
    void BindAppButtons();
    // Runs the button's command line, or opens its set-up dialog when Ctrl was held at the press
    // or the button has no command line.
    void AppButton1Click(TObject* Sender);
    void AppButton1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // Starts the program of button index with the placeholders of its command line filled in.
    void RunAppCommand(int index);
    // The set-up dialog of button index; OK gives the button and its stored values the new
    // definition.
    void SetUpAppCommand(int index);
    // Caption, font, hint and glyph of button index after its definition was set up.
    void ShowAppButtonDefinition(int index);
    // The selected files of the file list, each with its folder, joined by ";".
    String SelectedFilesWithFolder() const;

    // ---- Files dropped on a page ----
    void BindDroppedFiles();
    // The caret moved to the drop point as a click there would move it.
    void ClickEditorAt(TRichEdit* editor, int x, int y);
    // The start and end texts for a file dropped on the active page.
    std::pair<String, String> DroppedFileTexts(const String& path);
    // The IMG tag's start text for an image file.
    String DroppedImageTag(const String& path, const String& url, const String& name);

    // ---- Multi-publish, multi-copy and the dates published ----
    void BuildMultiPublishing();
    void BindMultiPublishing();
    void MultiPublish1Click(TObject* Sender);
    void MultiSave1Click(TObject* Sender);
    void MultiCopy1Click(TObject* Sender);
    void ShowDatesPublished1Click(TObject* Sender);
    // Makes the folder-group dialog when missing and fills its groups from the registry.
    void LoadMultiPublishFolders();
    // True only while a multi-publish runs.
    bool PublishSelectedFiles = false;
    TMenuItem* ShowDatesPublished1 = nullptr;
    // ---- External browsers ----
    void BuildExternalBrowsers();
    void BindExternalBrowsers();
    // What tells the two browsers apart in the commands they share.
    struct TExternalBrowser;
    void ViewInExternalBrowser(const TExternalBrowser& browser);
    void SetupBrowserPath(const TExternalBrowser& browser);

    // ---- Attributes of the tag at the caret ----
    // TagAttributes.cpp: the attribute dialog's command and the writing of its attribute.
    void BuildTagAttributes();
    void BindTagAttributes();
    void Attributes1Click(TObject* Sender);
    void EditTagAttributes();
    // The tag around the caret: the position of its '>' and its name, or -1 when the caret
    // stands outside a tag or the tag is not closed.
    static int TagAroundCaret(const String& text, int caret, String& tagName);
    // The dialog's top-left corner at the last press in the editor, kept above the screen's
    // bottom 40 pixels and within its width.
    void PlaceAttributeDialog(TForm* dialog, TRichEdit* editor) const;
    // The attribute, after a blank, just before the tag's '>', in the attribute colour.
    void WriteAttribute(TRichEdit* editor, int closePosition, const String& attribute,
                        int firstVisible);
    TMenuItem* InsertAttribute1 = nullptr;
    TMenuItem* Attributes1 = nullptr;

    // ---- Applet, sound, DIV and SPAN dialogs and the STYLE block ----
    void BindObjectDialogs();
    void AppletButtonClick(TObject* Sender);
    void SoundButtonClick(TObject* Sender);
    void DivButtonClick(TObject* Sender);
    void SpanButtonClick(TObject* Sender);
    void StyleButtonClick(TObject* Sender);
    // The class names that the active page's style block defines, in order, duplicates kept;
    // empty with no page open or no style block.
    void GetStyleClasses(TStrings& list) const;
    // ---- Printing commands (PrintCommands.cpp) ----
    void BuildPrintCommands();
    void BindPrintCommands();
    void Print1Click(TObject* Sender);
    void Asformatted1Click(TObject* Sender);
    void PrintPreview1Click(TObject* Sender);
    void Asformatted2Click(TObject* Sender);
    void PageSetup1Click(TObject* Sender);
    void PrintSetup1Click(TObject* Sender);
    // Print1 and PrintPreview1 alone, or the "Normal" / "As formatted" submenus with colouring.
    void ShowPrintItems();
    String PrintHeader() const;
    void MakePlainCopy();
    void PrintReportOrPage(bool formatted);
    void PreviewPage(bool formatted);
    TMenuItem* PrintExtra = nullptr;
    TMenuItem* Normal2 = nullptr;
    TMenuItem* Asformatted1 = nullptr;
    TMenuItem* PrintPreviewExtra = nullptr;
    TMenuItem* Normal4 = nullptr;
    TMenuItem* Asformatted2 = nullptr;
    TMenuItem* PageSetup1 = nullptr;
    TMenuItem* PrintSetup1 = nullptr;
    TPrintDialog* PrintDialog = nullptr;
    TPrinterSetupDialog* PrinterSetupDialog = nullptr;

    // ---- Reference help and the about box ----
    void BuildReferenceHelp();
    void BindReferenceHelp();
    // The tag at the caret named in the item, which is enabled; "Help on <TAG>" and disabled
    // when the caret is in no tag (or in a comment).
    void NameTagInHelpItem(TMenuItem* item);
    void Help1Click(TObject* Sender);
    void HelponTAG1Click(TObject* Sender);
    void HTML40Help1Click(TObject* Sender);
    void RefLibHelpClick(TObject* Sender);
    void IEHelpClick(TObject* Sender);
    void SetupHelpFilesClick(TObject* Sender);
    void AboutHelpClick(TObject* Sender);
    // which is "HTMLRefLib" or "IEHelp": asks for the file's place and stores it at once.
    void LocateHelpFile(const String& which);
    // The tag name a "Help on <NAME>" caption holds.
    static String TagNameOfHelpItem(const String& caption);
    // The HTML 4.0 reference's keyword for the tag, from WDGJump.ini's Jumps, else the name.
    String HelpKeywordOfTag(const String& tagName) const;
    String HTML40HelpFile() const;
    // The located file's viewer; its place is asked for first when it is not known.
    void RunLocatedHelp(String& path, const String& which);
    TMenuItem* HelponTAG2 = nullptr;
    TMenuItem* HTML40Help1 = nullptr;
    TMenuItem* AboutSeparator = nullptr;
    TMenuItem* AboutHelp = nullptr;
    TMenuItem* SetupHelpFiles = nullptr;
};

extern THTMLEMainForm* HTMLEMainForm;
