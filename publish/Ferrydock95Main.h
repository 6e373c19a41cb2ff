#pragma once
// The publisher window: made hidden at start-up, it holds the publishing settings and runs the
// publishing engine for every way of publishing.

#include "platform/Forms.h"
#include "publish/PublishSettings.h"
#include "publish/PublishSteps.h"

#include <array>

class TComboBox;
class TEdit;
class TCheckBox;
class TRadioButton;
class TGroupBox;
class TLabel;
class TUpDown;
class TButton;
class TOpenDialog;
class TFolderBrowse;
class TQmToolbarButton;
class TStrings;

// The publish folders stored under PublishKey's subkey "PublishFolders", in their order: "1" up to
// "limit", missing numbers skipped.
void ReadPublishFolders(TStrings& list, int limit);
// A folder not yet in the list goes to its top, the oldest beyond limit drop off, and the stored
// list is written again as "1" to "n"; a folder already listed changes nothing.
void RememberPublishFolder(TStrings& list, const String& folder, int limit);
// The stored publish folder ("PublishTo"), empty when none is stored.
String StoredPublishFolder();
void StorePublishFolder(const String& folder);

class TFerrydock95Form : public TForm {
public:
    explicit TFerrydock95Form(TComponent* AOwner);

    static constexpr int MaxSourceFiles = 100;
    static constexpr int MaxRecentFiles = 25;
    static constexpr int MaxPublishFolders = 100;

    // Publishes every source file of the run into the publish folder, then offers the copy-to
    // folders. Callers set the run state first; every way the run ends leaves SourceFileCount 1,
    // MultipleRun false and the normal cursor. A framework error (an unreadable page, a folder
    // that cannot be written, a line length that is not a number) ends the run and is raised on
    // to the caller, so the application shows it.
    void PublishFiles();
    // Asks, then copies the page named by PubFileName into the folder; in a run of several files,
    // every source of the run.
    void CopySourceTo(const String& folder);

    TGroupBox* FileGroup = nullptr;
    TComboBox* PubFileName = nullptr;
    TGroupBox* PublishToGroup = nullptr;
    TComboBox* PublishTo = nullptr;
    TGroupBox* CopyToGroup = nullptr;
    TEdit* CopyTo1 = nullptr;
    TEdit* CopyTo2 = nullptr;
    TEdit* CopyTo3 = nullptr;
    TEdit* CopyTo4 = nullptr;
    TCheckBox* CompactCheck = nullptr;
    TCheckBox* WrapTextCheck = nullptr;
    TLabel* LineLengthLabel = nullptr;
    TEdit* LineLengthEdit = nullptr;
    TUpDown* LineLengthButtons = nullptr;
    TCheckBox* BlankLinesCheck = nullptr;
    TCheckBox* RemoveCommentsCheck = nullptr;
    TGroupBox* TagsCaseGroup = nullptr;
    TRadioButton* UpperCaseButton = nullptr;
    TRadioButton* LowerCaseButton = nullptr;
    TRadioButton* NoChangeButton = nullptr;
    TQmToolbarButton* PubFileNameButton = nullptr;
    TLabel* MultipleLabel1 = nullptr;
    TLabel* MultipleLabel2 = nullptr;
    TButton* MultipleButton = nullptr;
    TQmToolbarButton* SpeedButton2 = nullptr;
    TQmToolbarButton* SpeedButton3 = nullptr;
    TQmToolbarButton* SpeedButton4 = nullptr;
    TQmToolbarButton* SpeedButton5 = nullptr;
    TQmToolbarButton* SpeedButton6 = nullptr;
    TCheckBox* AlwaysShowCheck = nullptr;
    TButton* OKButton = nullptr;
    TButton* CancelButton = nullptr;
    TGroupBox* WorkingDirGroup = nullptr;
    TEdit* WorkingDir = nullptr;
    TQmToolbarButton* SpeedButton7 = nullptr;
    TOpenDialog* FileOpenDialog = nullptr;
    TFolderBrowse* FolderBrowse1 = nullptr;

    void FormCreate(TObject* Sender);
    void PubFileNameButtonClick(TObject* Sender);
    void MultipleButtonClick(TObject* Sender);
    // The several-files choice itself; false when it was cancelled and nothing changed.
    bool ChooseMultipleFiles();
    void SpeedButton2Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton4Click(TObject* Sender);
    void SpeedButton5Click(TObject* Sender);
    void SpeedButton6Click(TObject* Sender);
    void SpeedButton7Click(TObject* Sender);
    void CopyTo1Change(TObject* Sender);
    void CopyTo2Change(TObject* Sender);
    void CopyTo3Change(TObject* Sender);
    void CopyTo4Change(TObject* Sender);
    void WorkingDirChange(TObject* Sender);
    void UpperCaseButtonClick(TObject* Sender);
    void LowerCaseButtonClick(TObject* Sender);
    void NoChangeButtonClick(TObject* Sender);
    void CompactCheckClick(TObject* Sender);
    void WrapTextCheckClick(TObject* Sender);
    void LineLengthEditChange(TObject* Sender);
    void AlwaysShowCheckClick(TObject* Sender);
    void BlankLinesCheckClick(TObject* Sender);
    void RemoveCommentsCheckClick(TObject* Sender);
    void PubFileNameChange(TObject* Sender);
    void PublishToExit(TObject* Sender);
    void OKButtonClick(TObject* Sender);
    void CancelButtonClick(TObject* Sender);

    // The run state.
    std::array<String, MaxSourceFiles> SourceFiles;
    int SourceFileCount = 1;
    bool MultipleRun = false;
    bool MessagesOff = false;
    bool ShowMessages = true;
    bool NoPublishedMessage = false;
    bool CloseAfterRun = false;
    String DestinationKey;
    bool BrowserPreview = false;
    // Set by a caller that publishes a page over its own file on purpose (the validation copy);
    // any other run asks first. Cleared at the end of every run.
    bool SourceOverwriteIntended = false;

private:
    void BuildControls();
    void BuildChoosers();
    void BuildButtons();
    void BindControls();
    void LoadRecentFiles();
    void LoadOptions();
    void LoadCopyToFolders();
    void EnableWrapControls();
    void WriteCopyTo(int number, const TEdit* edit);
    void StoreTagCaseButtons();
    bool BrowseFolder(const String& title, String& folder);
    void PutRecentFileOnTop(const String& path);
    bool CheckRunCanStart();
    void OfferSettings();
    void TakeSingleSourceFile();
    TPublishSettings CurrentSettings() const;
    void PublishFile(const String& sourcePath, const TReplaceCodes& codes);
    void ShowProgress(const String& sourcePath);
    bool MayWrite(const String& sourcePath, const String& outputPath);
    void ReportPublished(const String& sourcePath, const String& outputPath);
    void OfferCopies();
    void EndRun();
};

extern TFerrydock95Form* Ferrydock95Form;
