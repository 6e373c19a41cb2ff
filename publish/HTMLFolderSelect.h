#pragma once
// The folder-group dialog of multi-publishing and multi-copying: eleven stored groups of folders
// and a "Temp" group that lasts while the dialog is open, the clean-up options shared with the
// publisher window, the revision choice and the log switch.

#include "platform/Forms.h"

#include <array>

class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TListBox;
class TPageControl;
class TPanel;
class TQmDirectoryListBox;
class TQmDriveComboBox;
class TRadioButton;
class TTabSheet;
class TUpDown;

// The stored groups and the dialog's place in the registry.
inline const String MultiPublishKey = "\\Software\\Olvane\\Quiltmarker\\MultiPublish";
inline const String MultiFoldersKey = "\\Software\\Olvane\\Quiltmarker\\MultiFolders";

class TFolderSelectForm : public TForm {
public:
    explicit TFolderSelectForm(TComponent* AOwner);

    static constexpr int GroupCount = 12;       // the last one is "Temp"
    static constexpr int StoredGroupCount = 11; // "Temp" is not stored

    // The list of group tab 1 to 12, or of the active tab for -1; nothing for another mode
    // than 1 or a tab out of range.
    TListBox* GroupFolderList(int tab, int mode);

    void FormCreate(TObject* Sender);
    void FinishButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);
    void PubAddButtonClick(TObject* Sender);
    void PubDeleteButtonClick(TObject* Sender);
    void TabNameButtonClick(TObject* Sender);
    void Edit1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void CompactCheckClick(TObject* Sender);
    void WrapTextCheckClick(TObject* Sender);
    void UpperCaseButtonClick(TObject* Sender);
    void BlankLinesCheckClick(TObject* Sender);
    void RemoveCommentsCheckClick(TObject* Sender);
    void LogCheckClick(TObject* Sender);

    TQmDriveComboBox* DriveCombo = nullptr;
    TQmDirectoryListBox* DirListBox = nullptr;
    TLabel* PubCheck = nullptr;
    TButton* FinishButton = nullptr;
    TButton* CancelButton = nullptr;
    TGroupBox* RevisionGroupBox = nullptr;
    TRadioButton* MajorRevButton = nullptr;
    TRadioButton* MinorRevButton = nullptr;
    TRadioButton* NoRevCheck = nullptr;
    TPageControl* PageControl1 = nullptr;
    std::array<TTabSheet*, GroupCount> TabSheets{};
    std::array<TListBox*, GroupCount> GroupLists{}; // ListBox1Pub ... ListBox12Pub
    TButton* PubAddButton = nullptr;
    TButton* PubDeleteButton = nullptr;
    TButton* TabNameButton = nullptr;
    TPanel* Panel2 = nullptr;
    TCheckBox* CompactCheck = nullptr;
    TEdit* LineLengthEdit = nullptr;
    TUpDown* LineLengthButtons = nullptr;
    TCheckBox* WrapTextCheck = nullptr;
    TRadioButton* UpperCaseButton = nullptr;
    TRadioButton* LowerCaseButton = nullptr;
    TRadioButton* NoChangeButton = nullptr;
    TCheckBox* BlankLinesCheck = nullptr;
    TCheckBox* RemoveCommentsCheck = nullptr;
    TCheckBox* LogCheck = nullptr;
    TEdit* Edit1 = nullptr;

private:
    void BuildControls();
    void BuildFolderChoice();
    void BuildGroupTabs();
    void BuildOptions();
    void LoadOptions();
    void BindOptions();
    void RenameActiveTab();
    void WriteStoredGroups();
};

extern TFolderSelectForm* FolderSelectForm;
