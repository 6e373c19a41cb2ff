#pragma once
// The publisher window: made hidden at start-up, it holds the publishing settings and runs the
// publishing engine for every way of publishing.

#include "platform/Forms.h"
#include "publish/PublishSteps.h"

#include <array>

class TComboBox;
class TEdit;
class TCheckBox;
class TRadioButton;
class TGroupBox;
class TLabel;
class TUpDown;

class TFerrydock95Form : public TForm {
public:
    explicit TFerrydock95Form(TComponent* AOwner);

    static constexpr int MaxSourceFiles = 100;

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
