#include "publish/MultiPublishRun.h"

#include "platform/ComCtrls.h"
#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"
#include "publish/AnimPubForm.h"
#include "publish/Ferrydock95Main.h"
#include "publish/HTMLFolderSelect.h"
#include "publish/PublishLog.h"
#include "publish/PublishSteps.h"
#include "services/GeneralRoutines.h"

#include <algorithm>

namespace {

const String ProgramCaption = "Quiltmarker";
const String UploadQuestion =
    "THIS IS NOT BEING PUBLISHED TO THE UPLOAD FOLDER\n\rIS THIS CORRECT?";

void AddOnce(std::vector<String>& list, const String& item) {
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

// One folder: false when the user cancelled.
bool PublishIntoFolder(const std::vector<String>& files, const String& folder,
                       TPublishedLists& lists) {
    TFerrydock95Form& publisher = *Ferrydock95Form;
    bool uploadConfirmed = LowerCase(folder).find("upload") != String::npos;
    for (const String& file : files) {
        publisher.NoPublishedMessage = false;
        publisher.PubFileName->SetText(file);
        publisher.PublishTo->SetText(folder);
        AddOnce(lists.Files, file);
        AddOnce(lists.Folders, folder);
        if (!uploadConfirmed) {
            const int answer = Application->MessageBox(UploadQuestion, ProgramCaption,
                                                       MB_YESNOCANCEL | MB_ICONERROR);
            if (answer == IDCANCEL)
                return false;
            if (answer == IDNO)
                continue;
            uploadConfirmed = true;
        }
        publisher.DestinationKey.clear();
        publisher.CloseAfterRun = true;
        publisher.PublishFiles();
    }
    return true;
}

// Hides the progress window however the loop ends.
class TProgressShown {
public:
    TProgressShown() {
        AnimPub->SetCaption("Publishing");
        AnimPub->Show();
    }
    ~TProgressShown() { AnimPub->Hide(); }
    TProgressShown(const TProgressShown&) = delete;
    TProgressShown& operator=(const TProgressShown&) = delete;
};

} // namespace

void PrepareMultiplePublishing(const TFolderSelectForm& dialog) {
    TFerrydock95Form& publisher = *Ferrydock95Form;
    publisher.CompactCheck->SetChecked(dialog.CompactCheck->Checked());
    publisher.WrapTextCheck->SetChecked(dialog.WrapTextCheck->Checked());
    publisher.UpperCaseButton->SetChecked(dialog.UpperCaseButton->Checked());
    publisher.LowerCaseButton->SetChecked(dialog.LowerCaseButton->Checked());
    publisher.NoChangeButton->SetChecked(dialog.NoChangeButton->Checked());
    publisher.BlankLinesCheck->SetChecked(dialog.BlankLinesCheck->Checked());
    publisher.RemoveCommentsCheck->SetChecked(dialog.RemoveCommentsCheck->Checked());
    publisher.LineLengthEdit->SetText(IntToStr(dialog.LineLengthButtons->Position()));
    publisher.MultipleRun = true;
}

void StampSourceFiles(const std::vector<String>& paths, TRevisionKind kind) {
    TAtomicWriteBatch batch;
    for (const String& path : paths)
        batch.Add(path, StampPage(JoinAsCrLfLines(ReadFileBytes(path)), kind, Now()));
    const auto failures = batch.Commit();
    if (!failures.empty())
        throw EWriteError(failures.front().second);
}

bool PublishIntoFolders(const std::vector<String>& files, const std::vector<String>& folders,
                        const TGeneralRoutines& routines, TPublishedLists& lists) {
    Ferrydock95Form->ShowMessages = true;
    Ferrydock95Form->MessagesOff = false;
    TProgressShown progress;
    // Published copies can be made again from their pages: the disk is flushed once for the run.
    TDeferredFlush flush;
    for (const String& folder : folders) {
        Application->ProcessMessages();
        if (!routines.DirectoryExists(folder))
            ShowMessage(folder + " does not exist - skipping");
        else if (!PublishIntoFolder(files, folder, lists))
            return false;
    }
    return true;
}

void LogPublishedFiles(const TPublishedLists& lists) {
    const String log = PublishLogFile();
    if (!FileExists(log) &&
        Application->MessageBox("No log file exists. OK to create\r\n" + log + "?", ProgramCaption,
                                MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    AppendToPublishLog(PublishLogBlock(Now(), lists.Files, lists.Folders));
}

void EndMultiplePublishing() {
    if (Ferrydock95Form)
        Ferrydock95Form->MessagesOff = false;
}
