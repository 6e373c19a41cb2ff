#pragma once
// The documents: the File menu's commands that open, save and close the pages' files, the recent
// files, files dropped on the window and the text-file types. Opening is in Documents.cpp, saving
// in DocumentsSave.cpp, closing in DocumentsClose.cpp.

#include "editor/MainFormFeature.h"

#include <vector>

class TMRUFileList;
class TOpenDialog;
class TQmToolbarButton;
class TQmWindowHook;
class TRichEdit;
class TSaveDialog;
struct TMessage;

class TDocuments : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // New and Open head the File menu, then the saving commands; the closing ones stand before
    // Exit. The toolbar's New, Open and Save lead it; Close and Close All follow Print.
    void Build() override;
    void Bind() override;
    // The text-file types.
    void ReadSettings() override;
    // Saving and closing need a page, or help-pointer mode.
    void UpdateCommands() override;
    void MenuOpening(TMenuItem& menu) override;
    // Every page is closed, asking about each modified one; no when a question was cancelled or
    // a save failed.
    bool CanClose() override;
    // Asks about every modified page before any closes.
    bool PrepareExit() override;
    // A page named on a command line is never dropped without a word.
    int OpenNamedFile(const String& fileName) override;

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
    // An empty untitled page in the editor font, active and focused; the page, or -1 (the user
    // told) when all are in use.
    int NewBlankPage();
    void FileOpenClick(TObject* Sender);
    void Save1Click(TObject* Sender);
    void FileSaveButtonClick(TObject* Sender);
    void SaveAs1Click(TObject* Sender);
    void TextFiles1Click(TObject* Sender);
    // Files dropped on the window, in their order: each text file opens; the first other file is
    // refused with a message and ends the drop.
    void OpenDroppedFiles(const std::vector<String>& paths);
    // Files dropped on the window from the desktop (WM_DROPFILES).
    void WindowHook2AfterMessage(TObject* Sender, TMessage& Msg, bool& Handled);

    TMenuItem* New1 = nullptr;
    TMenuItem* BlankDocument1 = nullptr;
    TMenuItem* Open1 = nullptr;
    TMenuItem* OpenFile1 = nullptr;
    TMenuItem* Save1 = nullptr;
    TMenuItem* SaveAs1 = nullptr;
    TMenuItem* Close1 = nullptr;
    TMenuItem* CloseAll1 = nullptr;
    TMenuItem* TextFiles1 = nullptr;
    TQmToolbarButton* FileNewButton = nullptr;
    TQmToolbarButton* FileOpenButton = nullptr;
    TQmToolbarButton* FileSaveButton = nullptr;
    TQmToolbarButton* CloseButton = nullptr;
    TQmToolbarButton* CloseAllButton = nullptr;
    TMRUFileList* MRU = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TSaveDialog* SaveDialog = nullptr;
    TQmWindowHook* WindowHook2 = nullptr;
    // The extensions, each with its dot and a blank after it, of the files that open as text.
    String TextFileExtensions;
    // The number of the last "[untitled<n>]" page.
    int UntitledCounter = 0;

private:
    void BuildFileMenu();
    void BuildToolbarButtons();
    void BuildDialogs();
    // A recent file chosen from the File menu.
    void MRUMRUItemClick(TObject* Sender, const String& FileName);
    // A copy that autosave made of a page, in the temporary folder.
    static bool IsAutosaveCopy(const String& fileName);
    // Says that a file the user asked to open was refused as not a text file.
    void ReportNotATextFile(const String& fileName);
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
    // caption + " has changed. Save it?": IDYES, IDNO or IDCANCEL.
    int AskToSaveChanges(int page);
    // Closes the active page as the close commands do, asking first when it was modified.
    void CloseActivePage();
    // Close All's work without its help-pointer gate: closing the window must ask about every
    // modified page even in help-pointer mode.
    void CloseAllDocuments();
    void ActivateAfterClose(int closed);
};
