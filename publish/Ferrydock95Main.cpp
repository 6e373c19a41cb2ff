#include "publish/Ferrydock95Main.h"

#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/FileStamp.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "publish/AnimPubForm.h"
#include "services/ProgramSettings.h"
#include "widgets/FBrowse.h"
#include "widgets/QmToolbars.h"

#include <algorithm>
#include <vector>

TFerrydock95Form* Ferrydock95Form = nullptr;

namespace {

const String PublisherCaption = "Ferrydock 95";

// Ends the run however it ends: a finished run, a start check, an unclosed code or an error.
class TRunEnd {
public:
    explicit TRunEnd(const std::function<void()>& end) : FEnd(end) {}
    ~TRunEnd() { FEnd(); }
    TRunEnd(const TRunEnd&) = delete;
    TRunEnd& operator=(const TRunEnd&) = delete;

private:
    std::function<void()> FEnd;
};

// The same file on disk, whatever the paths look like.
bool IsSameFile(const String& sourcePath, const String& outputPath) {
    const TFileStamp source = FileStampOf(sourcePath);
    const TFileStamp output = FileStampOf(outputPath);
    return source.Exists && output.Exists && source.Device == output.Device &&
           source.Inode == output.Inode;
}

} // namespace

TFerrydock95Form::TFerrydock95Form(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("Ferrydock95Form");
        SetCaption("Quiltmarker - Publisher");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu, biMinimize});
        SetClientWidth(293);
        SetClientHeight(499);
        Font().SetName("MS Sans Serif");
        BuildControls();
        OnCreate = Handler(this, &TFerrydock95Form::FormCreate);
    });
    // Bound once the stored settings are in the controls, so that loading writes nothing back.
    BindControls();
}

void TFerrydock95Form::BuildControls() {
    FileGroup = NewControl<TGroupBox>(this, this, "FileGroup", 8, 8, 277, 73);
    FileGroup->SetCaption(" File to Publish ");
    PubFileName = NewControl<TComboBox>(this, FileGroup, "PubFileName", 8, 18, 233, 21);
    PubFileName->SetDropDownCount(10);
    PubFileNameButton =
        NewControl<TQmToolbarButton>(this, FileGroup, "PubFileNameButton", 245, 17, 23, 22);
    MultipleButton = NewControl<TButton>(this, FileGroup, "MultipleButton", 8, 44, 75, 23);
    MultipleButton->SetCaption("&Multiple");
    MultipleLabel1 = NewControl<TLabel>(this, FileGroup, "MultipleLabel1", 90, 44, 80, 13);
    MultipleLabel1->SetCaption("Publish");
    MultipleLabel2 = NewControl<TLabel>(this, FileGroup, "MultipleLabel2", 90, 57, 80, 13);
    MultipleLabel2->SetCaption("Multiple Files");

    PublishToGroup = NewControl<TGroupBox>(this, this, "PublishToGroup", 8, 88, 277, 49);
    PublishToGroup->SetCaption(" Publish To ");
    PublishTo = NewControl<TComboBox>(this, PublishToGroup, "PublishTo", 8, 18, 233, 21);
    SpeedButton2 =
        NewControl<TQmToolbarButton>(this, PublishToGroup, "SpeedButton2", 245, 17, 23, 22);

    CopyToGroup = NewControl<TGroupBox>(this, this, "CopyToGroup", 8, 144, 277, 121);
    CopyToGroup->SetCaption(" Copy To ");
    TEdit** copyTo[] = {&CopyTo1, &CopyTo2, &CopyTo3, &CopyTo4};
    TQmToolbarButton** browse[] = {&SpeedButton3, &SpeedButton4, &SpeedButton5, &SpeedButton6};
    for (int i = 0; i < 4; ++i) {
        String name = "CopyTo" + IntToStr(i + 1);
        *copyTo[i] = NewControl<TEdit>(this, CopyToGroup, name, 8, 18 + i * 25, 233, 21);
        *browse[i] = NewControl<TQmToolbarButton>(
            this, CopyToGroup, "SpeedButton" + IntToStr(i + 3), 245, 17 + i * 25, 23, 22);
    }

    CompactCheck = NewControl<TCheckBox>(this, this, "CompactCheck", 16, 274, 129, 17);
    CompactCheck->SetCaption("&Compact File");
    WrapTextCheck = NewControl<TCheckBox>(this, this, "WrapTextCheck", 32, 294, 113, 17);
    WrapTextCheck->SetCaption("&Wrap Text");
    WrapTextCheck->SetEnabled(false);
    LineLengthLabel = NewControl<TLabel>(this, this, "LineLengthLabel", 32, 318, 61, 13);
    LineLengthLabel->SetCaption("Line Length");
    LineLengthEdit = NewControl<TEdit>(this, this, "LineLengthEdit", 100, 314, 33, 21);
    LineLengthEdit->SetText("80");
    LineLengthEdit->SetEnabled(false);
    LineLengthButtons = NewControl<TUpDown>(this, this, "LineLengthButtons", 133, 314, 15, 21);
    LineLengthButtons->SetMin(25);
    LineLengthButtons->SetMax(200);
    LineLengthButtons->SetAssociate(LineLengthEdit);
    LineLengthButtons->SetPosition(80);
    LineLengthButtons->SetEnabled(false);
    BlankLinesCheck = NewControl<TCheckBox>(this, this, "BlankLinesCheck", 16, 342, 134, 17);
    BlankLinesCheck->SetCaption("&Remove blank lines");
    RemoveCommentsCheck =
        NewControl<TCheckBox>(this, this, "RemoveCommentsCheck", 16, 362, 134, 17);
    RemoveCommentsCheck->SetCaption("Remove C&omments");

    TagsCaseGroup = NewControl<TGroupBox>(this, this, "TagsCaseGroup", 152, 272, 133, 89);
    TagsCaseGroup->SetCaption(" Tags case ");
    UpperCaseButton =
        NewControl<TRadioButton>(this, TagsCaseGroup, "UpperCaseButton", 8, 18, 121, 17);
    UpperCaseButton->SetCaption("Upper case tags");
    UpperCaseButton->SetChecked(true);
    LowerCaseButton =
        NewControl<TRadioButton>(this, TagsCaseGroup, "LowerCaseButton", 8, 40, 121, 17);
    LowerCaseButton->SetCaption("Lower case tags");
    NoChangeButton =
        NewControl<TRadioButton>(this, TagsCaseGroup, "NoChangeButton", 8, 62, 121, 17);
    NoChangeButton->SetCaption("No change to tags");
    BuildButtons();
    BuildChoosers();
}

void TFerrydock95Form::BuildButtons() {
    AlwaysShowCheck = NewControl<TCheckBox>(this, this, "AlwaysShowCheck", 16, 392, 137, 17);
    AlwaysShowCheck->SetCaption("&Always Show");
    OKButton = NewControl<TButton>(this, this, "OKButton", 120, 460, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 205, 460, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetModalResult(mrCancel);
    // Below the client area: the start folder is set once and rarely looked at again.
    WorkingDirGroup = NewControl<TGroupBox>(this, this, "WorkingDirGroup", 8, 505, 277, 49);
    WorkingDirGroup->SetCaption(" Working Directory ");
    WorkingDir = NewControl<TEdit>(this, WorkingDirGroup, "WorkingDir", 8, 18, 233, 21);
    SpeedButton7 =
        NewControl<TQmToolbarButton>(this, WorkingDirGroup, "SpeedButton7", 245, 17, 23, 22);
}

void TFerrydock95Form::BuildChoosers() {
    // The browse buttons carry no picture of their own: a caption keeps them in sight.
    for (TQmToolbarButton* button : {PubFileNameButton, SpeedButton2, SpeedButton3, SpeedButton4,
                                     SpeedButton5, SpeedButton6, SpeedButton7})
        button->SetCaption("...");
    FileOpenDialog = NewComponent<TOpenDialog>(this, "FileOpenDialog");
    FileOpenDialog->SetFilter("HTML Files|*.*htm*|All files|*.*");
    FileOpenDialog->SetOptions({ofPathMustExist, ofFileMustExist});
    FolderBrowse1 = NewComponent<TFolderBrowse>(this, "FolderBrowse1");
}

void TFerrydock95Form::BindControls() {
    PubFileNameButton->OnClick = Handler(this, &TFerrydock95Form::PubFileNameButtonClick);
    MultipleButton->OnClick = Handler(this, &TFerrydock95Form::MultipleButtonClick);
    SpeedButton2->OnClick = Handler(this, &TFerrydock95Form::SpeedButton2Click);
    SpeedButton3->OnClick = Handler(this, &TFerrydock95Form::SpeedButton3Click);
    SpeedButton4->OnClick = Handler(this, &TFerrydock95Form::SpeedButton4Click);
    SpeedButton5->OnClick = Handler(this, &TFerrydock95Form::SpeedButton5Click);
    SpeedButton6->OnClick = Handler(this, &TFerrydock95Form::SpeedButton6Click);
    SpeedButton7->OnClick = Handler(this, &TFerrydock95Form::SpeedButton7Click);
    CopyTo1->OnChange = Handler(this, &TFerrydock95Form::CopyTo1Change);
    CopyTo2->OnChange = Handler(this, &TFerrydock95Form::CopyTo2Change);
    CopyTo3->OnChange = Handler(this, &TFerrydock95Form::CopyTo3Change);
    CopyTo4->OnChange = Handler(this, &TFerrydock95Form::CopyTo4Change);
    WorkingDir->OnChange = Handler(this, &TFerrydock95Form::WorkingDirChange);
    UpperCaseButton->OnClick = Handler(this, &TFerrydock95Form::UpperCaseButtonClick);
    LowerCaseButton->OnClick = Handler(this, &TFerrydock95Form::LowerCaseButtonClick);
    NoChangeButton->OnClick = Handler(this, &TFerrydock95Form::NoChangeButtonClick);
    CompactCheck->OnClick = Handler(this, &TFerrydock95Form::CompactCheckClick);
    WrapTextCheck->OnClick = Handler(this, &TFerrydock95Form::WrapTextCheckClick);
    LineLengthEdit->OnChange = Handler(this, &TFerrydock95Form::LineLengthEditChange);
    AlwaysShowCheck->OnClick = Handler(this, &TFerrydock95Form::AlwaysShowCheckClick);
    BlankLinesCheck->OnClick = Handler(this, &TFerrydock95Form::BlankLinesCheckClick);
    RemoveCommentsCheck->OnClick = Handler(this, &TFerrydock95Form::RemoveCommentsCheckClick);
    PubFileName->OnChange = Handler(this, &TFerrydock95Form::PubFileNameChange);
    PublishTo->OnExit = Handler(this, &TFerrydock95Form::PublishToExit);
    OKButton->OnClick = Handler(this, &TFerrydock95Form::OKButtonClick);
    CancelButton->OnClick = Handler(this, &TFerrydock95Form::CancelButtonClick);
}

void TFerrydock95Form::PublishFiles() {
    TRunEnd runEnd([this] { EndRun(); });
    ShowMessages = !MessagesOff;
    if (DestinationKey.empty() || MultipleRun)
        DestinationKey = PublishTo->Text();
    if (!CheckRunCanStart())
        return;
    SetCursor(crHourGlass);
    if (SourceFileCount == 1)
        TakeSingleSourceFile();
    const TReplaceCodes codes = ReadReplaceCodes();
    try {
        // The list holds MaxSourceFiles entries, whatever count a caller left.
        for (int i = 0; i < std::min(SourceFileCount, MaxSourceFiles); ++i)
            PublishFile(SourceFiles[static_cast<size_t>(i)], codes);
    } catch (const EAbort&) {
        return; // the code expansion has said why; nothing more is published or copied
    }
    // A preview copy stands where its source was: copying it would spread the preview.
    if (!BrowserPreview)
        OfferCopies();
}

bool TFerrydock95Form::CheckRunCanStart() {
    if (PubFileName->Text().empty()) {
        String message = "No file has been selected for publishing.";
        if (PublishTo->Text().empty()) {
            Application->MessageBox(message, "Quiltmarker", MB_OK | MB_ICONERROR);
            return false;
        }
        message += "\r\nDo you want to change the publishing folder?";
        if (Application->MessageBox(message, "Quiltmarker", MB_YESNO | MB_ICONQUESTION) == IDYES)
            OfferSettings();
        return false;
    }
    if (PublishTo->Text().empty()) {
        Application->MessageBox("No folder has been selected to publish to", PublisherCaption,
                                MB_OK | MB_ICONERROR);
        OfferSettings();
        return false;
    }
    return true;
}

// The window stays open after the run, so that the user can set the file and folder there.
void TFerrydock95Form::OfferSettings() {
    if (!Visible())
        Show();
    CloseAfterRun = false;
}

// The list keeps each path once, the latest at the top. Paths keep their case: a Linux file name
// is found only as it is written.
void TFerrydock95Form::TakeSingleSourceFile() {
    const String path = PubFileName->Text();
    SourceFiles[0] = path;
    int listed = PubFileName->Items().IndexOf(path);
    if (listed >= 0)
        PubFileName->Items().Delete(listed);
    PubFileName->Items().Insert(0, path);
    PubFileName->SetText(path);
}

TPublishSettings TFerrydock95Form::CurrentSettings() const {
    TPublishSettings settings;
    settings.RemoveComments = RemoveCommentsCheck->Checked();
    settings.TagCase = NoChangeButton->Checked()    ? tcNoChange
                       : UpperCaseButton->Checked() ? tcUpperCase
                                                    : tcLowerCase;
    settings.RemoveBlankLines = BlankLinesCheck->Checked();
    settings.Compact = CompactCheck->Checked();
    settings.Wrap = WrapTextCheck->Checked();
    settings.LineLength = LineLengthEdit->Text();
    return settings;
}

void TFerrydock95Form::PublishFile(const String& sourcePath, const TReplaceCodes& codes) {
    String page = JoinAsCrLfLines(ReadFileBytes(sourcePath));
    DestinationKey = LowerCase(DestinationKey);
    ShowProgress(sourcePath);

    TExpansionContext context;
    context.SourcePath = sourcePath;
    context.DestinationKey = DestinationKey;
    context.BrowserPreview = BrowserPreview;
    context.ReplaceCodes = codes;
    String published = PublishPageText(std::move(page), CurrentSettings(), context);

    // A preview copy replaces the page's own file, whose name may not be in lower case.
    const String outputName =
        ExtractFileName(BrowserPreview ? sourcePath : LowerCase(context.SourcePath));
    const String outputPath = IncludeTrailingPathDelimiter(PublishTo->Text()) + outputName;
    if (!MayWrite(sourcePath, outputPath))
        return;
    WriteFileAtomic(outputPath, JoinAsCrLfLines(std::move(published)));
    ReportPublished(sourcePath, outputPath);
}

void TFerrydock95Form::ShowProgress(const String& sourcePath) {
    if (AnimPub == nullptr || !AnimPub->Visible())
        return;
    AnimPub->Label->SetCaption("Publishing\r\n" + LowerCase(sourcePath) + "\r\nto\r\n" +
                               LowerCase(DestinationKey));
    ShowMessages = false;
    AnimPub->Repaint();
    Application->ProcessMessages();
}

// Publishing into the page's own folder would put the copy over the page itself, losing its
// codes and comments; only the callers that mean to do so go ahead without asking. A folder
// reached through a link, or on a disk that ignores case, reaches the page under another path.
bool TFerrydock95Form::MayWrite(const String& sourcePath, const String& outputPath) {
    if (BrowserPreview || SourceOverwriteIntended || !IsSameFile(sourcePath, outputPath))
        return true;
    String question = outputPath +
                      "\r\n\nis the page being published. Publishing it here replaces the page "
                      "with its published copy.\r\n\nOverwrite the page?";
    return Application->MessageBox(question, PublisherCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TFerrydock95Form::ReportPublished(const String& sourcePath, const String& outputPath) {
    if (NoPublishedMessage || MessagesOff || !ShowMessages)
        return;
    String message = sourcePath + "\r\n\nhas been published as\r\n\n" + outputPath;
    if (SourceFileCount > 1 || MultipleRun) {
        message += "\r\n\nContinue showing this message?";
        if (Application->MessageBox(message, PublisherCaption, MB_YESNO | MB_ICONINFORMATION) ==
            IDNO) {
            ShowMessages = false;
            MessagesOff = true;
        }
    } else {
        Application->MessageBox(message, PublisherCaption, MB_OK | MB_ICONINFORMATION);
    }
}

void TFerrydock95Form::OfferCopies() {
    for (TEdit* folder : {CopyTo1, CopyTo2, CopyTo3, CopyTo4})
        if (!folder->Text().empty())
            CopySourceTo(folder->Text());
}

// A run of several files copies every one of them, not only the one PubFileName names.
void TFerrydock95Form::CopySourceTo(const String& folder) {
    if (Application->MessageBox("Copy to " + folder, PublisherCaption,
                                MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    std::vector<String> sources{PubFileName->Text()};
    if (SourceFileCount > 1)
        sources.assign(SourceFiles.begin(),
                       SourceFiles.begin() + std::min(SourceFileCount, MaxSourceFiles));
    for (const String& source : sources) {
        const String target = IncludeTrailingPathDelimiter(folder) + ExtractFileName(source);
        if (!CopyFile(source, target, false))
            Application->MessageBox("COPY FAILED", PublisherCaption, MB_OK | MB_ICONERROR);
    }
}

void TFerrydock95Form::EndRun() {
    SetCursor(crDefault);
    SourceFileCount = 1;
    MultipleRun = false;
    SourceOverwriteIntended = false;
}
