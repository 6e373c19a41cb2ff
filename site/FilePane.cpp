// The file pane: drive, folder, filter combo and file list, the masks that filter the list, the
// recent folders, the selection and pop-up menus, and files dropped on the list.

#include "site/FilePane.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "editor/Documents.h"
#include "editor/HelpPointer.h"
#include "platform/DragManager.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileListBox.h"
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/ShellApi.h"
#include "publish/InternalBrowser.h"
#include "services/GeneralRoutines.h"
#include "services/JCopy.h"
#include "services/MRULiss.h"
#include "services/ProgramSettings.h"
#include "site/HTMLMaskForm.h"
#include "tags/TagInsertion.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmHook.h"

namespace {

const char* const MainMenuImagesMask = "*.*htm*;*.cgi;*.pl;*.log;*.gif;*.jpg;*.png;*.bmp";
const char* const PopupImagesMask = "*.*htm*;*.cgi;*.pl;*.log;*.gif;*.jpg;*.bmp;*.png";
const char* const MultimediaMask =
    "*.*htm*;*.cgi;*.pl;*.log;*.gif;*.jpg;*.png;*.bmp;*.wav;*.mid;*.avi";
const WORD KeyEnter = 13;
const WORD KeyLineFeed = 10;
const WORD KeyDelete = 46;
// The screen's cursor slot of the cursor shown while files are dragged from the list.
const int DragCursorSlot = -25;

} // namespace

// The pane's controls fill the window's left panel; its items take their places in the menus,
// Include Multimedia before Work Offline and the rest after the shell's own items.
void TFilePane::Build() {
    TPanel* panel = Form.LeftPanel;
    DriveListPanel = NewControl<TPanel>(&Form, panel, "DriveListPanel");
    DriveListPanel->SetAlign(alTop);
    DriveListPanel->SetBevelOuter(bvNone);
    DriveListPanel->SetCaption("");
    DriveComboBox1 = NewControl<TQmDriveComboBox>(&Form, DriveListPanel, "DriveComboBox1");
    DriveComboBox1->SetAlign(alTop);
    DriveListPanel->SetHeight(DriveComboBox1->Height());
    DirectoryListBox1 = NewControl<TQmDirectoryListBox>(&Form, panel, "DirectoryListBox1");
    DirectoryListBox1->SetAlign(alTop);
    DirectoryListBox1->SetHeight(160);
    DirectoryListBox1->SetItemHeight(17);
    FilterCombo = NewControl<TComboBox>(&Form, panel, "FilterCombo");
    FilterCombo->SetAlign(alBottom);
    FilterCombo->SetHint("File mask");
    FilterCombo->SetShowHint(true);
    for (const char* mask : {"*.*htm*", "*.*htm;*.gif;*.jpg;*.png;*.bmp", "*.gif;*.jpg;*.png;*.bmp",
                             "*.gif", "*.jpg", "*.png", "*.txt", "*.*"})
        FilterCombo->Items().Add(mask);
    FilterCombo->SetText("*.*htm*");
    FileListBox1 = NewControl<TFileListBox>(&Form, panel, "FileListBox1");
    FileListBox1->SetAlign(alClient);
    FileListBox1->SetMultiSelect(true);
    FileListBox1->SetHelpContext(HelpContexts::FileListBox1Click);
    Screen->SetCursors(DragCursorSlot, LoadCursor(HInstance, "DRAGCURSOR"));
    FileListBox1->SetDragCursor(DragCursorSlot);
    DirectoryListBox1->SetFileList(FileListBox1);
    BuildFilePaneMenus();
    BuildFileOpening();

    MRUFolderList = NewComponent<TMRUFileList>(&Form, "MRUFolderList");
    MRUFolderList->SetMaximum(16);
    MRUFolderList->SetSubmenuName("Change To");
    MRUFolderList->SetFileMenu(MRU1);
    MRUFolderList->SetAutoSaveName(ProductKey);
    MRUFolderList->SetAutoSaveKey("MRU Folders");
    WindowHook1 = NewComponent<TQmWindowHook>(&Form, "WindowHook1");
    WindowHook1->SetWinControl(FileListBox1);
    JCopy1 = NewComponent<TJCopy>(&Form, "JCopy1");
    JCopy1->SetFileCommand(cmMove);
    GR = NewComponent<TGeneralRoutines>(&Form, "GR");
}

void TFilePane::BuildFilePaneMenus() {
    TMenuItem* file = Form.File1;
    FileManagement1 = AddItem(&Form, file, "FileManagement1", "File &Management");
    Copy3 = AddItem(&Form, FileManagement1, "Copy3", "&Copy...");
    MakeSecondCopy2 = AddItem(&Form, FileManagement1, "MakeSecondCopy2", "Copy &As...");
    Move1 = AddItem(&Form, FileManagement1, "Move1", "&Move...");
    Rename2 = AddItem(&Form, FileManagement1, "Rename2", "&Rename...");
    Delete2 = AddItem(&Form, FileManagement1, "Delete2", "&Delete");
    ChangeFilenameCase2 =
        AddItem(&Form, FileManagement1, "ChangeFilenameCase2", "C&hange Filename Case");
    NewFolder2 = AddItem(&Form, FileManagement1, "NewFolder2", "&New Folder");
    DeleteFolder2 = AddItem(&Form, FileManagement1, "DeleteFolder2", "Delete &Folder");
    Details2 = AddItem(&Form, file, "Details2", "Pr&operties");

    TMenuItem* view = Form.View1;
    IncludeMultimedia1 = InsertItem(&Form, view, view->IndexOf(Form.InternalBrowser->WorkOffline1),
                                    "IncludeMultimedia1", "Include &Multimedia");
    IncludeMultimedia1->SetHelpContext(HelpContexts::ShowMultimedia1Click);
    HTMLonly1 = AddItem(&Form, view, "HTMLonly1", "&HTML  Files only");
    ShowImages1 = AddItem(&Form, view, "ShowImages1", "&Include Images");
    ShowAllFiles1 = AddItem(&Form, view, "ShowAllFiles1", "&Show All Files");
    UpdateListing = AddItem(&Form, view, "UpdateListing", "&Refresh File List");
    SelectModified2 = AddItem(&Form, view, "SelectModified2", "S&elect Modified Files");
    FileMasks1 = AddItem(&Form, Form.Preferences1, "FileMasks1", "File Mas&ks...");

    FileListBoxMenu = NewComponent<TPopupMenu>(&Form, "FileListBoxMenu");
    TMenuItem* files = FileListBoxMenu->Items();
    Open2 = AddItem(&Form, files, "Open2", "&Open");
    Copy2 = AddItem(&Form, files, "Copy2", "&Copy...");
    MakeSecondCopy1 = AddItem(&Form, files, "MakeSecondCopy1", "Copy &As...");
    Move2 = AddItem(&Form, files, "Move2", "&Move...");
    Delete1 = AddItem(&Form, files, "Delete1", "&Delete");
    Rename1 = AddItem(&Form, files, "Rename1", "&Rename...");
    ChangeFilenameCase1 = AddItem(&Form, files, "ChangeFilenameCase1", "Change File&name Case");
    Details1 = AddItem(&Form, files, "Details1", "Pr&operties");
    ViewasBackground1 = AddItem(&Form, files, "ViewasBackground1", "View as &Background");
    MultiCopy2 = AddItem(&Form, files, "MultiCopy2", "&MultiCopy...");
    MultiPublish3 = AddItem(&Form, files, "MultiPublish3", "Multi&Publish");
    ShowHTMLonly1 = AddItem(&Form, files, "ShowHTMLonly1", "List &HTML only");
    ShowImages2 = AddItem(&Form, files, "ShowImages2", "Include &Images");
    ShowMultimedia1 = AddItem(&Form, files, "ShowMultimedia1", "Include &Multimedia");
    ShowAllFiles2 = AddItem(&Form, files, "ShowAllFiles2", "&Show All Files");
    Imagesonly1 = AddItem(&Form, files, "Imagesonly1", "I&mages only");
    for (const char* name : {"GIF1", "JPG1", "PNG1", "BMP1", "All1"})
        AddItem(&Form, Imagesonly1, name, String("&") + String(name).substr(0, 3));
    Updatelisting1 = AddItem(&Form, files, "Updatelisting1", "Re&fresh listing");
    SelectAll3 = AddItem(&Form, files, "SelectAll3", "Select &All");
    InvertSelection1 = AddItem(&Form, files, "InvertSelection1", "In&vert Selection");
    SelectModified1 = AddItem(&Form, files, "SelectModified1", "Select Modified Files");
    FileListBox1->SetPopupMenu(FileListBoxMenu);

    DirectoryListBoxMenu = NewComponent<TPopupMenu>(&Form, "DirectoryListBoxMenu");
    TMenuItem* folders = DirectoryListBoxMenu->Items();
    NewFolder1 = AddItem(&Form, folders, "NewFolder1", "&New Folder");
    DeleteFolder1 = AddItem(&Form, folders, "DeleteFolder1", "&Delete Folder");
    MRU1 = AddItem(&Form, folders, "MRU1", "");
    MRU1->SetVisible(false);
    DirectoryListBox1->SetPopupMenu(DirectoryListBoxMenu);
}

// Besides its own controls, the pane serves the window's left panel, the hidden Del w/o Bin item
// and the recent files.
void TFilePane::Bind() {
    using Click = void (TFilePane::*)(TObject*);
    const std::pair<TMenuItem*, Click> clicks[] = {
        {HTMLonly1, &TFilePane::ShowHTMLonly1Click},
        {ShowHTMLonly1, &TFilePane::ShowHTMLonly1Click},
        {ShowImages1, &TFilePane::ShowImages1Click},
        {ShowImages2, &TFilePane::ShowImages2Click},
        {IncludeMultimedia1, &TFilePane::ShowMultimedia1Click},
        {ShowMultimedia1, &TFilePane::ShowMultimedia1Click},
        {ShowAllFiles1, &TFilePane::ShowAllFiles1Click},
        {ShowAllFiles2, &TFilePane::ShowAllFiles1Click},
        {Imagesonly1->Items(0), &TFilePane::GIF1Click},
        {Imagesonly1->Items(1), &TFilePane::JPG1Click},
        {Imagesonly1->Items(2), &TFilePane::PNG1Click},
        {Imagesonly1->Items(3), &TFilePane::BMP1Click},
        {Imagesonly1->Items(4), &TFilePane::All1Click},
        {UpdateListing, &TFilePane::UpdateListingClick},
        {Updatelisting1, &TFilePane::UpdateListingClick},
        {SelectAll3, &TFilePane::SelectAll3Click},
        {InvertSelection1, &TFilePane::InvertSelection1Click},
        {FileMasks1, &TFilePane::FileMasks1Click},
        {Copy3, &TFilePane::Copy2Click},
        {Copy2, &TFilePane::Copy2Click},
        {MakeSecondCopy2, &TFilePane::MakeSecondCopy1Click},
        {MakeSecondCopy1, &TFilePane::MakeSecondCopy1Click},
        {Move1, &TFilePane::Move2Click},
        {Move2, &TFilePane::Move2Click},
        {Rename2, &TFilePane::Rename1Click},
        {Rename1, &TFilePane::Rename1Click},
        {Delete2, &TFilePane::Delete1Click},
        {Delete1, &TFilePane::Delete1Click},
        {ChangeFilenameCase2, &TFilePane::ChangeFilenameCase1Click},
        {ChangeFilenameCase1, &TFilePane::ChangeFilenameCase1Click},
        {NewFolder2, &TFilePane::NewFolder1Click},
        {NewFolder1, &TFilePane::NewFolder1Click},
        {DeleteFolder2, &TFilePane::DeleteFolder1Click},
        {DeleteFolder1, &TFilePane::DeleteFolder1Click},
        {Details2, &TFilePane::Details1Click},
        {Details1, &TFilePane::Details1Click},
        {Form.TagInsertion->DelwoBin1, &TFilePane::Delete1Click},
    };
    for (auto [item, click] : clicks)
        item->OnClick = Handler(this, click);
    // The file pop-up's item is named after its handler with "1", the View menu's with "2".
    struct Period {
        const char* Name;
        const char* ViewCaption;
        const char* PopupCaption;
        Click OnClick;
    };
    const Period periods[] = {
        {"ThisSession", "This &Session", "This Session", &TFilePane::ThisSession1Click},
        {"Today", "&Today", "Today", &TFilePane::Today1Click},
        {"Last24hours", "Last &24 hours", "Last 24 hours", &TFilePane::Last24hours1Click},
        {"N7days", "Last &7 days", "Last 7 days", &TFilePane::N7days1Click},
        {"L", "Last &30 days", "Last 30 days", &TFilePane::L1Click},
        {"Custom", "&Custom...", "Custom...", &TFilePane::Custom1Click},
    };
    for (const Period& period : periods) {
        String name = period.Name;
        AddItem(&Form, SelectModified2, name + "2", period.ViewCaption)->OnClick =
            Handler(this, period.OnClick);
        AddItem(&Form, SelectModified1, name + "1", period.PopupCaption)->OnClick =
            Handler(this, period.OnClick);
    }

    FilterCombo->OnClick = Handler(this, &TFilePane::FilterComboClick);
    FilterCombo->OnKeyDown = Handler(this, &TFilePane::FilterComboKeyDown);
    FilterCombo->OnEnter = Handler(this, &TFilePane::FilterComboEnter);
    DirectoryListBox1->OnChange = Handler(this, &TFilePane::DirectoryListBox1Change);
    DirectoryListBox1->OnMouseDown = Handler(this, &TFilePane::DirectoryListBox1MouseDown);
    DirectoryListBox1->OnMouseMove = Handler(this, &TFilePane::FileListBox1MouseMove);
    DirectoryListBox1->OnClick = Handler(this, &TFilePane::DirectoryListBox1Click);
    DriveComboBox1->OnChange = Handler(this, &TFilePane::DriveComboBox1Change);
    DriveComboBox1->OnClick = Handler(this, &TFilePane::DriveComboBox1Click);
    DriveComboBox1->OnEnter = Handler(this, &TFilePane::DriveComboBox1Click);
    MRUFolderList->OnMRUItemClick = Handler(this, &TFilePane::MRUFolderListMRUItemClick);
    FileListBox1->OnMouseDown = Handler(this, &TFilePane::FileListBox1MouseDown);
    FileListBox1->OnMouseMove = Handler(this, &TFilePane::FileListBox1MouseMove);
    FileListBox1->OnClick = Handler(this, &TFilePane::FileListBox1Click);
    FileListBox1->OnKeyDown = Handler(this, &TFilePane::FileListBox1KeyDown);
    FileListBoxMenu->OnPopup = Handler(this, &TFilePane::FileListBoxMenuPopup);
    WindowHook1->AfterMessage = Handler(this, &TFilePane::WindowHook1AfterMessage);
    Form.LeftPanel->OnResize = Handler(this, &TFilePane::LeftPanelResize);
    TMRUFileList& recentFiles = *Form.Documents->MRU;
    TMRUClick openRecent = recentFiles.OnMRUItemClick;
    recentFiles.OnMRUItemClick = [this, openRecent](TObject* Sender, const String& FileName) {
        openRecent(Sender, FileName);
        ListAfterRecentFile();
    };
    BindFileOpening();
}

// ---- Shared steps ----

String TFilePane::FileListFolder() const {
    return GR->AddDirSlash(FileListBox1->Directory());
}

std::vector<int> TFilePane::SelectedFileIndexes(size_t limit) const {
    std::vector<int> indexes;
    for (int i = 0; i < FileListBox1->Items().Count() && indexes.size() < limit; ++i)
        if (FileListBox1->Selected(i))
            indexes.push_back(i);
    return indexes;
}

void TFilePane::RereadFileList() {
    bool locked = LockWindowUpdate(Form.Handle());
    FileListBox1->Update();
    if (locked)
        LockWindowUpdate(nullptr);
}

void TFilePane::ApplyMask(const String& mask) {
    FilterCombo->SetText(mask);
    FileListBox1->SetMask(mask);
}

TFileListBox* TFilePane::WorkingFileList() const {
    return FileListBox1;
}

bool TFilePane::CurrentFileCommandsOffered() const {
    return FileListBox1->ItemIndex() != -1 || Form.HelpPointerMode();
}

void TFilePane::MenuOpening(TMenuItem& menu) {
    if (&menu == Form.File1) {
        Details2->SetEnabled(CurrentFileCommandsOffered());
        ViewasBackground2->SetVisible(Form.HelpPointerMode() ||
                                      IsImageFile(FileListBox1->FileName()));
    } else if (&menu == Form.View1)
        CheckFilterItemsAsListed(ShowImages1, ShowAllFiles1, IncludeMultimedia1);
}

void TFilePane::ListAfterRecentFile() {
    FileListBox1->SetColor(clWindow);
    FileListBox1->SetMask(FilterCombo->Text());
}

void TFilePane::CheckFilterItems(bool images, bool multimedia) {
    ShowImages1->SetChecked(images);
    ShowImages2->SetChecked(images);
    IncludeMultimedia1->SetChecked(multimedia);
    ShowMultimedia1->SetChecked(multimedia);
}

void TFilePane::CheckFilterItemsAsListed(TMenuItem* images, TMenuItem* allFiles,
                                         TMenuItem* multimedia) {
    images->SetChecked(ShowImages);
    allFiles->SetChecked(FilterCombo->Text() == "*.*");
    multimedia->SetChecked(FilterCombo->Text().find(".wav") != String::npos);
}

// ---- Filters and masks ----

void TFilePane::ShowHTMLonly1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ShowHTMLonly1Click))
        return;
    ShowImages = false;
    ApplyMask(FilterCombo->Items().Count() > 0 ? FilterCombo->Items()[0] : String());
    CheckFilterItems(false, false);
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true)) {
        reg.WriteBool("ShowImages", false);
        reg.WriteBool("ShowMultiMedia", false);
    }
}

void TFilePane::ShowImages1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ShowImages1Click))
        return;
    ShowImages = !ShowImages;
    if (ShowImages) {
        ApplyMask(MainMenuImagesMask);
        CheckFilterItems(true, false);
    } else {
        ApplyMask(FilterCombo->Items().Count() > 0 ? FilterCombo->Items()[0] : String());
        CheckFilterItems(false, false);
    }
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteBool("ShowImages", ShowImages);
}

void TFilePane::ShowImages2Click(TObject* /*Sender*/) {
    ShowImages = true;
    ApplyMask(PopupImagesMask);
    CheckFilterItems(true, false);
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteBool("ShowImages", true);
}

void TFilePane::ShowMultimedia1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ShowMultimedia1Click))
        return;
    ShowImages = true;
    ApplyMask(MultimediaMask);
    CheckFilterItems(true, true);
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteBool("ShowMultiMedia", true);
}

void TFilePane::ShowAllFiles1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::ShowAllFiles1Click))
        return;
    ShowImages = true;
    ApplyMask("*.*");
    CheckFilterItems(true, true);
}

void TFilePane::GIF1Click(TObject* /*Sender*/) {
    ApplyMask("*.gif");
}

void TFilePane::JPG1Click(TObject* /*Sender*/) {
    ApplyMask("*.jpg");
}

void TFilePane::PNG1Click(TObject* /*Sender*/) {
    ApplyMask("*.png");
}

void TFilePane::BMP1Click(TObject* /*Sender*/) {
    ApplyMask("*.bmp");
}

void TFilePane::All1Click(TObject* /*Sender*/) {
    ApplyMask("*.gif;*.jpg;*.png;*.bmp");
}

// A folder that went away while it was listed gives way to the nearest folder above it that is
// still there, so the pane never shows a folder that cannot be entered.
void TFilePane::UpdateListingClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::UpdateListingClick))
        return;
    String folder = DirectoryListBox1->Directory();
    if (!DirectoryExists(folder)) {
        ShowMessage("The folder " + folder + " is no longer there.");
        String parent = folder;
        while (!DirectoryExists(parent) && parent != ExtractFileDir(parent))
            parent = ExtractFileDir(parent);
        DirectoryListBox1->SetDirectory(parent);
    }
    DirectoryListBox1->ReadDirectoryNames();
    RereadFileList();
}

void TFilePane::SelectAll3Click(TObject* /*Sender*/) {
    for (int i = 0; i < FileListBox1->Items().Count(); ++i)
        FileListBox1->SetSelected(i, true);
}

void TFilePane::InvertSelection1Click(TObject* /*Sender*/) {
    for (int i = 0; i < FileListBox1->Items().Count(); ++i)
        FileListBox1->SetSelected(i, !FileListBox1->Selected(i));
}

void TFilePane::FilterComboClick(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::FilterComboClick))
        return;
    if (!FilterCombo->Text().empty())
        FileListBox1->SetMask(FilterCombo->Text());
}

void TFilePane::FilterComboKeyDown(TObject* /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
    String text = FilterCombo->Text();
    if ((Key != KeyEnter && Key != KeyLineFeed) || text.empty())
        return;
    FileListBox1->SetMask(text);
    TStrings& masks = FilterCombo->Items();
    if (masks.IndexOf(text) >= 0)
        return;
    masks.Insert(std::min(2, masks.Count()), text);
    FilterCombo->SetText(text);
    StoreMasks();
}

void TFilePane::FileMasks1Click(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::FileMasks1Click))
        return;
    TDialogGuard<TMaskForm> dialog(MaskForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    TStrings& list = dialog->ListBox->Items();
    list.Clear();
    const TStrings& masks = FilterCombo->Items();
    for (int i = 0; i < masks.Count(); ++i)
        if (list.IndexOf(masks[i]) < 0)
            list.Add(masks[i]);
    if (dialog.ShowModal() != mrOk)
        return;
    FilterCombo->Items().Assign(list);
    ApplyMask(list.Count() > 0 ? list[0] : String());
    StoreMasks();
}

// ---- Folder and drive ----

void TFilePane::DirectoryListBox1Change(TObject* /*Sender*/) {
    String folder = DirectoryListBox1->Directory();
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteString("LastDir", folder);
    MRUFolderList->AddToTop(folder);
    FileListBox1->SetMask(FilterCombo->Text());
    SetCurrentDir(folder);
    ReportUnreadableFolder(folder);
}

// A folder that can be entered but not read lists no file; the user is told why.
void TFilePane::ReportUnreadableFolder(const String& folder) {
    String problem = FolderReadProblem(folder);
    if (!problem.empty())
        ShowMessage("The files of " + folder + " cannot be listed: " + problem);
}

void TFilePane::DriveComboBox1Change(TObject* /*Sender*/) {
    if (Form.HandleHelpPointer(HelpContexts::DriveComboBox1Change))
        return;
    FileListBox1->SetMask(FilterCombo->Text());
}

void TFilePane::MRUFolderListMRUItemClick(TObject* /*Sender*/, const String& FileName) {
    if (!SetCurrentDir(FileName)) {
        ShowMessage("Error changing to " + FileName);
        return;
    }
    DirectoryListBox1->SetDirectory(FileName);
}

// ---- Mouse, keys and the pop-up menu ----

void TFilePane::FileListBox1MouseDown(TObject* /*Sender*/, TMouseButton Button, TShiftState Shift,
                                      int X, int Y) {
    if (Form.HandleHelpPointer(HelpContexts::FileListBox1MouseDown))
        return;
    Form.LastShiftState = Shift;
    Form.LastMouseButton = Button;
    Screen->SetCursor(crDefault);
    // The list drags its files as soon as it is pressed; a release over no page drops nothing.
    if (Button == mbLeft)
        DragManager::BeginDrag(*FileListBox1);
    if (Button != mbRight)
        return;
    FileListMenuPoint = TPoint{X, Y};
    int index = FileListBox1->ItemAtPos(FileListMenuPoint, true);
    if (index < 0)
        return;
    if (!FileListBox1->Selected(index))
        for (int i = 0; i < FileListBox1->Items().Count(); ++i)
            FileListBox1->SetSelected(i, false);
    if (FileListBox1->SelCount() == 0)
        FileListBox1->SetSelected(index, true);
}

void TFilePane::DirectoryListBox1MouseDown(TObject* /*Sender*/, TMouseButton Button,
                                           TShiftState Shift, int /*X*/, int /*Y*/) {
    if (Form.HandleHelpPointer(HelpContexts::DirectoryListBox1MouseDown))
        return;
    Form.LastShiftState = Shift;
    Form.LastMouseButton = Button;
    Screen->SetCursor(crDefault);
}

void TFilePane::FileListBox1MouseMove(TObject* Sender, TShiftState /*Shift*/, int /*X*/,
                                      int /*Y*/) {
    if (auto* list = dynamic_cast<TControl*>(Sender))
        list->SetCursor(Form.HelpPointerMode() ? crHelp : crDefault);
}

void TFilePane::FileListBox1Click(TObject* /*Sender*/) {
    Form.HandleHelpPointer(HelpContexts::FileListBox1Click);
}

void TFilePane::DirectoryListBox1Click(TObject* /*Sender*/) {
    Form.HandleHelpPointer(HelpContexts::DirectoryListBox1Click);
}

void TFilePane::DriveComboBox1Click(TObject* /*Sender*/) {
    Form.HandleHelpPointer(HelpContexts::DriveComboBox1Click);
}

void TFilePane::FilterComboEnter(TObject* /*Sender*/) {
    Form.HandleHelpPointer(HelpContexts::FilterComboEnter);
}

void TFilePane::FileListBox1KeyDown(TObject* Sender, WORD& Key, TShiftState /*Shift*/) {
    if (Key == KeyDelete)
        Delete1Click(Sender);
}

void TFilePane::FileListBoxMenuPopup(TObject* /*Sender*/) {
    int current = FileListBox1->ItemAtPos(FileListMenuPoint, true);
    if (current >= 0)
        FileListBox1->SetItemIndex(current);
    bool selected = FileListBox1->SelCount() > 0;
    for (TMenuItem* item :
         {Open2, Copy2, Move2, Delete1, Rename1, ChangeFilenameCase1, Details1, ViewasBackground1})
        item->SetEnabled(selected);
    CheckFilterItemsAsListed(ShowImages2, ShowAllFiles2, ShowMultimedia1);
    int index = FileListBox1->ItemIndex();
    ViewasBackground1->SetVisible(index >= 0 && IsImageFile(FileListBox1->Items()[index]));
}

// Every dropped file is tried; one that cannot be copied is reported by the copy itself. The
// names are read whole, whatever their length.
void TFilePane::WindowHook1AfterMessage(TObject* /*Sender*/, TMessage& Msg, bool& Handled) {
    Handled = true;
    if (Msg.Msg != WM_DROPFILES)
        return;
    auto drop = reinterpret_cast<HDROP>(Msg.WParam);
    const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT file = 0; file < count; ++file) {
        String path = DragQueryFileName(drop, file);
        JCopy1->SetFileCommand(cmCopy);
        JCopy1->SetFileMaskFrom(path);
        JCopy1->SetFileMaskTo(FileListFolder() + ExtractFileName(path));
        JCopy1->Execute();
    }
    DragFinish(drop);
    RereadFileList();
}

void TFilePane::LeftPanelResize(TObject* Sender) {
    int width = Form.LeftPanel->Width() - 4;
    FilterCombo->SetWidth(width);
    FileListBox1->SetWidth(width);
    DriveComboBox1->SetWidth(width);
    Form.FormResize(Sender);
    if (TRichEdit* editor = Form.GetMemo(-1))
        editor->Invalidate();
}
