#pragma once
// The file pane, in the window's left panel: the drive box, the folder tree, the filter combo and
// the file list, the masks that filter the list, the recent folders, the selection, the pop-up
// menus and the files dropped on the list (FilePane.cpp); what it keeps between runs, the filters,
// the last drive and folder and the masks (FilePaneSettings.cpp); the file operations on the
// list's selection and the folder tree (FileOperations.cpp); selecting the files changed since a
// moment (SelectModified.cpp); the properties of the list's current file (FileProperties.cpp);
// opening and viewing the files chosen in it (FileOpening.cpp); and a saved page's file brought
// into the list (FilePaneDocuments.cpp).

#include "editor/MainFormFeature.h"
#include "platform/Controls.h"
#include "platform/DateTime.h"

#include <vector>

class TComboBox;
class TFileListBox;
class TGeneralRoutines;
class TJCopy;
class TMRUFileList;
class TPanel;
class TPopupMenu;
class TQmDirectoryListBox;
class TQmDriveComboBox;
class TQmWindowHook;
class TRegistry;

class TFilePane : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    // The images and multimedia filters, the last drive and folder, and the masks with the last
    // one chosen.
    void ReadSettings() override;
    // The last mask chosen.
    void WriteSettings() override;
    // "LastMask" alone, as the window's closing keeps it.
    void StoreLastMask();
    // The File menu's Properties is offered for the list's current file and View as Background
    // shows for an image; the View menu's filter items are checked as the filter stands.
    void MenuOpening(TMenuItem& menu) override;
    void FileSaved(const String& fileName) override;
    TFileListBox* WorkingFileList() const override;
    // The commands on the list's current file are offered: the list has a current item, or
    // help-pointer mode offers them.
    bool CurrentFileCommandsOffered() const;

    // ---- Filters and masks ----
    void ShowHTMLonly1Click(TObject* Sender);
    void ShowImages1Click(TObject* Sender);
    void ShowImages2Click(TObject* Sender);
    void ShowMultimedia1Click(TObject* Sender);
    void ShowAllFiles1Click(TObject* Sender);
    void GIF1Click(TObject* Sender);
    void JPG1Click(TObject* Sender);
    void PNG1Click(TObject* Sender);
    void BMP1Click(TObject* Sender);
    void All1Click(TObject* Sender);
    void UpdateListingClick(TObject* Sender);
    void SelectAll3Click(TObject* Sender);
    void InvertSelection1Click(TObject* Sender);
    void FilterComboClick(TObject* Sender);
    void FilterComboKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FileMasks1Click(TObject* Sender);

    // ---- Folder, drive, mouse, keys and the pop-up menu ----
    void DirectoryListBox1Change(TObject* Sender);
    void DriveComboBox1Change(TObject* Sender);
    void MRUFolderListMRUItemClick(TObject* Sender, const String& FileName);
    void FileListBox1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                               int Y);
    void DirectoryListBox1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                    int Y);
    void FileListBox1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FileListBox1Click(TObject* Sender);
    void DirectoryListBox1Click(TObject* Sender);
    void DriveComboBox1Click(TObject* Sender);
    void FilterComboEnter(TObject* Sender);
    void FileListBox1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FileListBoxMenuPopup(TObject* Sender);
    void WindowHook1AfterMessage(TObject* Sender, TMessage& Msg, bool& Handled);
    void LeftPanelResize(TObject* Sender);

    // ---- File operations on the list's selection and the folder tree ----
    void Copy2Click(TObject* Sender);
    void MakeSecondCopy1Click(TObject* Sender);
    void Move2Click(TObject* Sender);
    void Rename1Click(TObject* Sender);
    // From the hidden item DelwoBin1 (by its name) the files are deleted for good.
    void Delete1Click(TObject* Sender);
    void ChangeFilenameCase1Click(TObject* Sender);
    void NewFolder1Click(TObject* Sender);
    void DeleteFolder1Click(TObject* Sender);

    // ---- Selecting the files changed since a moment, and the current file's properties ----
    void ThisSession1Click(TObject* Sender);
    void Today1Click(TObject* Sender);
    void Last24hours1Click(TObject* Sender);
    void N7days1Click(TObject* Sender);
    void L1Click(TObject* Sender);
    void Custom1Click(TObject* Sender);
    void Details1Click(TObject* Sender);

    // ---- Opening and viewing the files chosen ----
    // The name holds ".gif", ".jpg", ".bmp" or ".png" in any case.
    static bool IsImageFile(const String& fileName);
    void FileListBox1DblClick(TObject* Sender);
    void ViewasBackground2Click(TObject* Sender);
    // The pages the browser shows for an image: the image alone (its size left out unless known),
    // or as the background of sample texts.
    static String ImagePageText(const String& path, bool sizeKnown);
    static String BackgroundPageText(const String& path);

    // ---- What the other commands ask of the pane ----
    // The selected items' indexes in list order, at most limit.
    std::vector<int> SelectedFileIndexes(size_t limit = 500) const;
    // A folder that can be entered but not read lists no file; the user is told why.
    void ReportUnreadableFolder(const String& folder);

    // ---- Controls and state ----
    // The drive list on its panel at the top of the pane; full screen hides the panel.
    TPanel* DriveListPanel = nullptr;
    TQmDriveComboBox* DriveComboBox1 = nullptr;
    TQmDirectoryListBox* DirectoryListBox1 = nullptr;
    TFileListBox* FileListBox1 = nullptr;
    TComboBox* FilterCombo = nullptr;
    TPopupMenu* FileListBoxMenu = nullptr;
    TPopupMenu* DirectoryListBoxMenu = nullptr;
    TMRUFileList* MRUFolderList = nullptr;
    TQmWindowHook* WindowHook1 = nullptr;
    TJCopy* JCopy1 = nullptr;
    TGeneralRoutines* GR = nullptr;
    // The pane's menu items: the main menu's, then the file list's and the folder tree's pop-ups.
    TMenuItem *FileManagement1 = nullptr, *Copy3 = nullptr, *MakeSecondCopy2 = nullptr,
              *Move1 = nullptr, *Rename2 = nullptr, *Delete2 = nullptr,
              *ChangeFilenameCase2 = nullptr, *NewFolder2 = nullptr, *DeleteFolder2 = nullptr,
              *Details2 = nullptr, *ViewasBackground2 = nullptr, *IncludeMultimedia1 = nullptr,
              *HTMLonly1 = nullptr, *ShowImages1 = nullptr, *ShowAllFiles1 = nullptr,
              *UpdateListing = nullptr, *SelectModified2 = nullptr, *FileMasks1 = nullptr;
    TMenuItem *Open2 = nullptr, *Copy2 = nullptr, *MakeSecondCopy1 = nullptr, *Move2 = nullptr,
              *Delete1 = nullptr, *Rename1 = nullptr, *ChangeFilenameCase1 = nullptr,
              *Details1 = nullptr, *ViewasBackground1 = nullptr, *MultiCopy2 = nullptr,
              *MultiPublish3 = nullptr, *ShowHTMLonly1 = nullptr, *ShowImages2 = nullptr,
              *ShowMultimedia1 = nullptr, *ShowAllFiles2 = nullptr, *Imagesonly1 = nullptr,
              *Updatelisting1 = nullptr, *SelectAll3 = nullptr, *InvertSelection1 = nullptr,
              *SelectModified1 = nullptr;
    TMenuItem *NewFolder1 = nullptr, *DeleteFolder1 = nullptr, *MRU1 = nullptr;
    // Whether the filter lists images.
    bool ShowImages = false;

private:
    void BuildFilePaneMenus();
    void BuildFileOpening();
    void BindFileOpening();
    // The file list's folder with its final PathDelim.
    String FileListFolder() const;
    // Reads the file list again with the window's updates held back.
    void RereadFileList();
    // The filter text becomes the list's mask (and the combo's text when given).
    void ApplyMask(const String& mask);
    void CheckFilterItems(bool images, bool multimedia);
    // The filter items of a menu checked as the filter stands: images while they are listed, all
    // files for the filter "*.*" exactly, multimedia while it lists sounds.
    void CheckFilterItemsAsListed(TMenuItem* images, TMenuItem* allFiles, TMenuItem* multimedia);
    // Selects exactly the listed files last written at or after the threshold and tells how many.
    void SelectFilesModifiedSince(TDateTime threshold);
    // A pane's file opened as a page; false when the command is to end (no free page).
    bool OpenFromPane(const String& path, bool anyExtension);
    // A file shown in the browser on a page of its own: as an image (its size left out unless
    // known), or as the background of sample texts when it is an image.
    void ShowFileInBrowser(const String& path, bool asBackground, bool sizeKnown);
    // Brings a file just saved into the file list: the list is read again when it lacks the name,
    // and the name's entry scrolls to the top.
    void ShowSavedFileInList(const String& fileName);
    // After a recent file opened from the File menu, the list is read in the filter's text.
    void ListAfterRecentFile();
    // The settings read at the start, in their order (FilePaneSettings.cpp).
    void ReadFilterSettings(const TRegistry& reg);
    void ApplyStartFolder(const TRegistry& reg);
    void SetUpFileMasks();
    void FillMasks(const String& stored);
    // The first count masks joined by 0xA7.
    String JoinedMasks(int count) const;
    // "Masks" (the first 16 masks) and "LastMask" (the filter text).
    void StoreMasks();

    TPoint FileListMenuPoint;
};
