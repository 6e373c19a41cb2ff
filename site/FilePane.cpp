// The file pane: drive, folder, filter combo and file list, the masks that filter the list and
// their memory, the recent folders, the selection and pop-up menus, and files dropped on the list.

#include "editor/CorvaletForm.h"

#include "editor/DialogGuard.h"
#include "platform/Events.h"
#include "platform/Registry.h"
#include "platform/ShellApi.h"
#include "services/GeneralRoutines.h"
#include "services/JCopy.h"
#include "services/MRULiss.h"
#include "services/ProgramSettings.h"
#include "site/HTMLMaskForm.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmHook.h"

namespace {

const char MaskSeparator = '\xA7';
const int StoredMaskCount = 16;
const char* const MainMenuImagesMask = "*.*htm*;*.cgi;*.pl;*.log;*.gif;*.jpg;*.png;*.bmp";
const char* const PopupImagesMask = "*.*htm*;*.cgi;*.pl;*.log;*.gif;*.jpg;*.bmp;*.png";
const char* const MultimediaMask =
    "*.*htm*;*.cgi;*.pl;*.log;*.gif;*.jpg;*.png;*.bmp;*.wav;*.mid;*.avi";
const WORD KeyEnter = 13;
const WORD KeyLineFeed = 10;
const WORD KeyDelete = 46;

} // namespace

void THTMLEMainForm::BuildFilePane() {
    LeftPanel = NewControl<TPanel>(this, this, "LeftPanel");
    LeftPanel->SetAlign(alLeft);
    LeftPanel->SetWidth(180);
    LeftPanel->SetBevelOuter(bvNone);
    LeftPanel->SetCaption("");
    DriveComboBox1 = NewControl<TQmDriveComboBox>(this, LeftPanel, "DriveComboBox1");
    DriveComboBox1->SetAlign(alTop);
    DirectoryListBox1 = NewControl<TQmDirectoryListBox>(this, LeftPanel, "DirectoryListBox1");
    DirectoryListBox1->SetAlign(alTop);
    DirectoryListBox1->SetHeight(160);
    DirectoryListBox1->SetItemHeight(17);
    FilterCombo = NewControl<TComboBox>(this, LeftPanel, "FilterCombo");
    FilterCombo->SetAlign(alBottom);
    FilterCombo->SetHint("File mask");
    FilterCombo->SetShowHint(true);
    for (const char* mask : {"*.*htm*", "*.*htm;*.gif;*.jpg;*.png;*.bmp", "*.gif;*.jpg;*.png;*.bmp",
                             "*.gif", "*.jpg", "*.png", "*.txt", "*.*"})
        FilterCombo->Items().Add(mask);
    FilterCombo->SetText("*.*htm*");
    FileListBox1 = NewControl<TFileListBox>(this, LeftPanel, "FileListBox1");
    FileListBox1->SetAlign(alClient);
    FileListBox1->SetMultiSelect(true);
    DirectoryListBox1->SetFileList(FileListBox1);
    BuildFilePaneMenus();

    MRUFolderList = NewComponent<TMRUFileList>(this, "MRUFolderList");
    MRUFolderList->SetMaximum(16);
    MRUFolderList->SetSubmenuName("Change To");
    MRUFolderList->SetFileMenu(MRU1);
    MRUFolderList->SetAutoSaveName(ProductKey);
    MRUFolderList->SetAutoSaveKey("MRU Folders");
    WindowHook1 = NewComponent<TQmWindowHook>(this, "WindowHook1");
    WindowHook1->SetWinControl(FileListBox1);
    JCopy1 = NewComponent<TJCopy>(this, "JCopy1");
    JCopy1->SetFileCommand(cmMove);
    GR = NewComponent<TGeneralRoutines>(this, "GR");
}

void THTMLEMainForm::BuildFilePaneMenus() {
    FileManagement1 = AddItem(this, File1, "FileManagement1", "File &Management");
    Copy3 = AddItem(this, FileManagement1, "Copy3", "&Copy...");
    MakeSecondCopy2 = AddItem(this, FileManagement1, "MakeSecondCopy2", "Copy &As...");
    Move1 = AddItem(this, FileManagement1, "Move1", "&Move...");
    Rename2 = AddItem(this, FileManagement1, "Rename2", "&Rename...");
    Delete2 = AddItem(this, FileManagement1, "Delete2", "&Delete");
    ChangeFilenameCase2 =
        AddItem(this, FileManagement1, "ChangeFilenameCase2", "C&hange Filename Case");
    NewFolder2 = AddItem(this, FileManagement1, "NewFolder2", "&New Folder");
    DeleteFolder2 = AddItem(this, FileManagement1, "DeleteFolder2", "Delete &Folder");
    Details2 = AddItem(this, File1, "Details2", "Pr&operties");

    HTMLonly1 = AddItem(this, View1, "HTMLonly1", "&HTML  Files only");
    ShowImages1 = AddItem(this, View1, "ShowImages1", "&Include Images");
    ShowAllFiles1 = AddItem(this, View1, "ShowAllFiles1", "&Show All Files");
    UpdateListing = AddItem(this, View1, "UpdateListing", "&Refresh File List");
    SelectModified2 = AddItem(this, View1, "SelectModified2", "S&elect Modified Files");
    FileMasks1 = AddItem(this, Preferences1, "FileMasks1", "File Mas&ks...");

    FileListBoxMenu = NewComponent<TPopupMenu>(this, "FileListBoxMenu");
    TMenuItem* files = FileListBoxMenu->Items();
    Open2 = AddItem(this, files, "Open2", "&Open");
    Copy2 = AddItem(this, files, "Copy2", "&Copy...");
    MakeSecondCopy1 = AddItem(this, files, "MakeSecondCopy1", "Copy &As...");
    Move2 = AddItem(this, files, "Move2", "&Move...");
    Delete1 = AddItem(this, files, "Delete1", "&Delete");
    Rename1 = AddItem(this, files, "Rename1", "&Rename...");
    ChangeFilenameCase1 = AddItem(this, files, "ChangeFilenameCase1", "Change File&name Case");
    Details1 = AddItem(this, files, "Details1", "Pr&operties");
    ViewasBackground1 = AddItem(this, files, "ViewasBackground1", "View as &Background");
    MultiCopy2 = AddItem(this, files, "MultiCopy2", "&MultiCopy...");
    MultiPublish3 = AddItem(this, files, "MultiPublish3", "Multi&Publish");
    ShowHTMLonly1 = AddItem(this, files, "ShowHTMLonly1", "List &HTML only");
    ShowImages2 = AddItem(this, files, "ShowImages2", "Include &Images");
    ShowMultimedia1 = AddItem(this, files, "ShowMultimedia1", "Include &Multimedia");
    ShowAllFiles2 = AddItem(this, files, "ShowAllFiles2", "&Show All Files");
    Imagesonly1 = AddItem(this, files, "Imagesonly1", "I&mages only");
    for (const char* name : {"GIF1", "JPG1", "PNG1", "BMP1", "All1"})
        AddItem(this, Imagesonly1, name, String("&") + String(name).substr(0, 3));
    Updatelisting1 = AddItem(this, files, "Updatelisting1", "Re&fresh listing");
    SelectAll3 = AddItem(this, files, "SelectAll3", "Select &All");
    InvertSelection1 = AddItem(this, files, "InvertSelection1", "In&vert Selection");
    SelectModified1 = AddItem(this, files, "SelectModified1", "Select Modified Files");
    FileListBox1->SetPopupMenu(FileListBoxMenu);

    DirectoryListBoxMenu = NewComponent<TPopupMenu>(this, "DirectoryListBoxMenu");
    NewFolder1 = AddItem(this, DirectoryListBoxMenu->Items(), "NewFolder1", "&New Folder");
    DeleteFolder1 = AddItem(this, DirectoryListBoxMenu->Items(), "DeleteFolder1", "&Delete Folder");
    MRU1 = AddItem(this, DirectoryListBoxMenu->Items(), "MRU1", "");
    MRU1->SetVisible(false);
    DirectoryListBox1->SetPopupMenu(DirectoryListBoxMenu);
}

void THTMLEMainForm::BindFilePane() {
    using Click = void (THTMLEMainForm::*)(TObject*);
    const std::pair<TMenuItem*, Click> clicks[] = {
        {HTMLonly1, &THTMLEMainForm::ShowHTMLonly1Click},
        {ShowHTMLonly1, &THTMLEMainForm::ShowHTMLonly1Click},
        {ShowImages1, &THTMLEMainForm::ShowImages1Click},
        {ShowImages2, &THTMLEMainForm::ShowImages2Click},
        {IncludeMultimedia1, &THTMLEMainForm::ShowMultimedia1Click},
        {ShowMultimedia1, &THTMLEMainForm::ShowMultimedia1Click},
        {ShowAllFiles1, &THTMLEMainForm::ShowAllFiles1Click},
        {ShowAllFiles2, &THTMLEMainForm::ShowAllFiles1Click},
        {Imagesonly1->Items(0), &THTMLEMainForm::GIF1Click},
        {Imagesonly1->Items(1), &THTMLEMainForm::JPG1Click},
        {Imagesonly1->Items(2), &THTMLEMainForm::PNG1Click},
        {Imagesonly1->Items(3), &THTMLEMainForm::BMP1Click},
        {Imagesonly1->Items(4), &THTMLEMainForm::All1Click},
        {UpdateListing, &THTMLEMainForm::UpdateListingClick},
        {Updatelisting1, &THTMLEMainForm::UpdateListingClick},
        {SelectAll3, &THTMLEMainForm::SelectAll3Click},
        {InvertSelection1, &THTMLEMainForm::InvertSelection1Click},
        {FileMasks1, &THTMLEMainForm::FileMasks1Click},
        {Copy3, &THTMLEMainForm::Copy2Click},
        {Copy2, &THTMLEMainForm::Copy2Click},
        {MakeSecondCopy2, &THTMLEMainForm::MakeSecondCopy1Click},
        {MakeSecondCopy1, &THTMLEMainForm::MakeSecondCopy1Click},
        {Move1, &THTMLEMainForm::Move2Click},
        {Move2, &THTMLEMainForm::Move2Click},
        {Rename2, &THTMLEMainForm::Rename1Click},
        {Rename1, &THTMLEMainForm::Rename1Click},
        {Delete2, &THTMLEMainForm::Delete1Click},
        {Delete1, &THTMLEMainForm::Delete1Click},
        {ChangeFilenameCase2, &THTMLEMainForm::ChangeFilenameCase1Click},
        {ChangeFilenameCase1, &THTMLEMainForm::ChangeFilenameCase1Click},
        {NewFolder2, &THTMLEMainForm::NewFolder1Click},
        {NewFolder1, &THTMLEMainForm::NewFolder1Click},
        {DeleteFolder2, &THTMLEMainForm::DeleteFolder1Click},
        {DeleteFolder1, &THTMLEMainForm::DeleteFolder1Click},
        {Details2, &THTMLEMainForm::Details1Click},
        {Details1, &THTMLEMainForm::Details1Click},
    };
    for (auto [item, click] : clicks)
        item->OnClick = Handler(this, click);
    struct Period {
        const char* ViewCaption;
        const char* PopupCaption;
        Click OnClick;
    };
    const Period periods[] = {
        {"This &Session", "This Session", &THTMLEMainForm::ThisSession1Click},
        {"&Today", "Today", &THTMLEMainForm::Today1Click},
        {"Last &24 hours", "Last 24 hours", &THTMLEMainForm::Last24hours1Click},
        {"Last &7 days", "Last 7 days", &THTMLEMainForm::N7days1Click},
        {"Last &30 days", "Last 30 days", &THTMLEMainForm::L1Click},
        {"&Custom...", "Custom...", &THTMLEMainForm::Custom1Click},
    };
    for (const Period& period : periods) {
        AddItem(this, SelectModified2, "", period.ViewCaption)->OnClick =
            Handler(this, period.OnClick);
        AddItem(this, SelectModified1, "", period.PopupCaption)->OnClick =
            Handler(this, period.OnClick);
    }

    FilterCombo->OnClick = Handler(this, &THTMLEMainForm::FilterComboClick);
    FilterCombo->OnKeyDown = Handler(this, &THTMLEMainForm::FilterComboKeyDown);
    FilterCombo->OnEnter = Handler(this, &THTMLEMainForm::FilterComboEnter);
    DirectoryListBox1->OnChange = Handler(this, &THTMLEMainForm::DirectoryListBox1Change);
    DirectoryListBox1->OnMouseDown = Handler(this, &THTMLEMainForm::DirectoryListBox1MouseDown);
    DirectoryListBox1->OnMouseMove = Handler(this, &THTMLEMainForm::FileListBox1MouseMove);
    DirectoryListBox1->OnClick = Handler(this, &THTMLEMainForm::DirectoryListBox1Click);
    DriveComboBox1->OnChange = Handler(this, &THTMLEMainForm::DriveComboBox1Change);
    DriveComboBox1->OnClick = Handler(this, &THTMLEMainForm::DriveComboBox1Click);
    DriveComboBox1->OnEnter = Handler(this, &THTMLEMainForm::DriveComboBox1Click);
    MRUFolderList->OnMRUItemClick = Handler(this, &THTMLEMainForm::MRUFolderListMRUItemClick);
    FileListBox1->OnMouseDown = Handler(this, &THTMLEMainForm::FileListBox1MouseDown);
    FileListBox1->OnMouseMove = Handler(this, &THTMLEMainForm::FileListBox1MouseMove);
    FileListBox1->OnClick = Handler(this, &THTMLEMainForm::FileListBox1Click);
    FileListBox1->OnKeyDown = Handler(this, &THTMLEMainForm::FileListBox1KeyDown);
    FileListBoxMenu->OnPopup = Handler(this, &THTMLEMainForm::FileListBoxMenuPopup);
    WindowHook1->AfterMessage = Handler(this, &THTMLEMainForm::WindowHook1AfterMessage);
    LeftPanel->OnResize = Handler(this, &THTMLEMainForm::LeftPanelResize);
}

// ---- Shared steps ----

String THTMLEMainForm::FileListFolder() const {
    return GR->AddDirSlash(FileListBox1->Directory());
}

std::vector<int> THTMLEMainForm::SelectedFileIndexes(size_t limit) const {
    std::vector<int> indexes;
    for (int i = 0; i < FileListBox1->Items().Count() && indexes.size() < limit; ++i)
        if (FileListBox1->Selected(i))
            indexes.push_back(i);
    return indexes;
}

void THTMLEMainForm::RereadFileList() {
    bool locked = LockWindowUpdate(Handle());
    FileListBox1->Update();
    if (locked)
        LockWindowUpdate(nullptr);
}

void THTMLEMainForm::ApplyMask(const String& mask) {
    FilterCombo->SetText(mask);
    FileListBox1->SetMask(mask);
}

void THTMLEMainForm::StoreMasks() {
    const TStrings& masks = FilterCombo->Items();
    String joined;
    for (int i = 0; i < masks.Count() && i < StoredMaskCount; ++i)
        joined += (i > 0 ? String(1, MaskSeparator) : String()) + masks.Get(i);
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey("LatestFiles"), true))
        reg.WriteString("Masks", joined);
    StoreLastMask();
}

void THTMLEMainForm::StoreLastMask() {
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey("LatestFiles"), true))
        reg.WriteString("LastMask", FilterCombo->Text());
}

void THTMLEMainForm::CheckFilterItems(bool images, bool multimedia) {
    ShowImages1->SetChecked(images);
    ShowImages2->SetChecked(images);
    IncludeMultimedia1->SetChecked(multimedia);
    ShowMultimedia1->SetChecked(multimedia);
}

// ---- Filters and masks ----

void THTMLEMainForm::ShowHTMLonly1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ShowHTMLonly1Click))
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

void THTMLEMainForm::ShowImages1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ShowImages1Click))
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

void THTMLEMainForm::ShowImages2Click(TObject* /*Sender*/) {
    ShowImages = true;
    ApplyMask(PopupImagesMask);
    CheckFilterItems(true, false);
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteBool("ShowImages", true);
}

void THTMLEMainForm::ShowMultimedia1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ShowMultimedia1Click))
        return;
    ShowImages = true;
    ApplyMask(MultimediaMask);
    CheckFilterItems(true, true);
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteBool("ShowMultiMedia", true);
}

void THTMLEMainForm::ShowAllFiles1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::ShowAllFiles1Click))
        return;
    ShowImages = true;
    ApplyMask("*.*");
    CheckFilterItems(true, true);
}

void THTMLEMainForm::GIF1Click(TObject* /*Sender*/) {
    ApplyMask("*.gif");
}

void THTMLEMainForm::JPG1Click(TObject* /*Sender*/) {
    ApplyMask("*.jpg");
}

void THTMLEMainForm::PNG1Click(TObject* /*Sender*/) {
    ApplyMask("*.png");
}

void THTMLEMainForm::BMP1Click(TObject* /*Sender*/) {
    ApplyMask("*.bmp");
}

void THTMLEMainForm::All1Click(TObject* /*Sender*/) {
    ApplyMask("*.gif;*.jpg;*.png;*.bmp");
}

// A folder that went away while it was listed gives way to the nearest folder above it that is
// still there, so the pane never shows a folder that cannot be entered.
void THTMLEMainForm::UpdateListingClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::UpdateListingClick))
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

void THTMLEMainForm::SelectAll3Click(TObject* /*Sender*/) {
    for (int i = 0; i < FileListBox1->Items().Count(); ++i)
        FileListBox1->SetSelected(i, true);
}

void THTMLEMainForm::InvertSelection1Click(TObject* /*Sender*/) {
    for (int i = 0; i < FileListBox1->Items().Count(); ++i)
        FileListBox1->SetSelected(i, !FileListBox1->Selected(i));
}

void THTMLEMainForm::FilterComboClick(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::FilterComboClick))
        return;
    if (!FilterCombo->Text().empty())
        FileListBox1->SetMask(FilterCombo->Text());
}

void THTMLEMainForm::FilterComboKeyDown(TObject* /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
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

void THTMLEMainForm::FileMasks1Click(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::FileMasks1Click))
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

void THTMLEMainForm::DirectoryListBox1Change(TObject* /*Sender*/) {
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
void THTMLEMainForm::ReportUnreadableFolder(const String& folder) {
    String problem = FolderReadProblem(folder);
    if (!problem.empty())
        ShowMessage("The files of " + folder + " cannot be listed: " + problem);
}

void THTMLEMainForm::DriveComboBox1Change(TObject* /*Sender*/) {
    if (HandleHelpPointer(HelpContexts::DriveComboBox1Change))
        return;
    FileListBox1->SetMask(FilterCombo->Text());
}

void THTMLEMainForm::MRUFolderListMRUItemClick(TObject* /*Sender*/, const String& FileName) {
    if (!SetCurrentDir(FileName)) {
        ShowMessage("Error changing to " + FileName);
        return;
    }
    DirectoryListBox1->SetDirectory(FileName);
}

// ---- Mouse, keys and the pop-up menu ----

void THTMLEMainForm::FileListBox1MouseDown(TObject* /*Sender*/, TMouseButton Button,
                                           TShiftState Shift, int X, int Y) {
    if (HandleHelpPointer(HelpContexts::FileListBox1MouseDown))
        return;
    LastShiftState = Shift;
    LastMouseButton = Button;
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

void THTMLEMainForm::DirectoryListBox1MouseDown(TObject* /*Sender*/, TMouseButton Button,
                                                TShiftState Shift, int /*X*/, int /*Y*/) {
    if (HandleHelpPointer(HelpContexts::DirectoryListBox1MouseDown))
        return;
    LastShiftState = Shift;
    LastMouseButton = Button;
    Screen->SetCursor(crDefault);
}

void THTMLEMainForm::FileListBox1MouseMove(TObject* Sender, TShiftState /*Shift*/, int /*X*/,
                                           int /*Y*/) {
    if (auto* list = dynamic_cast<TControl*>(Sender))
        list->SetCursor(Screen->Cursor() == crHelp ? crHelp : crDefault);
}

void THTMLEMainForm::FileListBox1Click(TObject* /*Sender*/) {
    HandleHelpPointer(HelpContexts::FileListBox1Click);
}

void THTMLEMainForm::DirectoryListBox1Click(TObject* /*Sender*/) {
    HandleHelpPointer(HelpContexts::DirectoryListBox1Click);
}

void THTMLEMainForm::DriveComboBox1Click(TObject* /*Sender*/) {
    HandleHelpPointer(HelpContexts::DriveComboBox1Click);
}

void THTMLEMainForm::FilterComboEnter(TObject* /*Sender*/) {
    HandleHelpPointer(HelpContexts::FilterComboEnter);
}

void THTMLEMainForm::FileListBox1KeyDown(TObject* Sender, WORD& Key, TShiftState /*Shift*/) {
    if (Key == KeyDelete)
        Delete1Click(Sender);
}

void THTMLEMainForm::FileListBoxMenuPopup(TObject* /*Sender*/) {
    int current = FileListBox1->ItemAtPos(FileListMenuPoint, true);
    if (current >= 0)
        FileListBox1->SetItemIndex(current);
    bool selected = FileListBox1->SelCount() > 0;
    for (TMenuItem* item :
         {Open2, Copy2, Move2, Delete1, Rename1, ChangeFilenameCase1, Details1, ViewasBackground1})
        item->SetEnabled(selected);
    ShowImages2->SetChecked(ShowImages);
    ShowAllFiles2->SetChecked(FilterCombo->Text() == "*.*");
    ShowMultimedia1->SetChecked(Pos(".wav", FilterCombo->Text()) > 0);
    int index = FileListBox1->ItemIndex();
    ViewasBackground1->SetVisible(index >= 0 && IsImageFile(FileListBox1->Items()[index]));
}

// Every dropped file is tried; one that cannot be copied is reported by the copy itself. The
// names are read whole, whatever their length.
void THTMLEMainForm::WindowHook1AfterMessage(TObject* /*Sender*/, TMessage& Msg, bool& Handled) {
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

void THTMLEMainForm::LeftPanelResize(TObject* Sender) {
    int width = LeftPanel->Width() - 4;
    FilterCombo->SetWidth(width);
    FileListBox1->SetWidth(width);
    DriveComboBox1->SetWidth(width);
    FormResize(Sender);
    if (TRichEdit* editor = GetMemo(-1))
        editor->Invalidate();
}
