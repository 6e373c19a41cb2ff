// The main window's showing: the first one ends the splash, offers back what a run that did not
// end normally left behind, and opens the file of the command line; every one lays the window out
// again.

#include "editor/CorvaletForm.h"

#include "editor/HTMLSplash.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/ShellApi.h"
#include "widgets/QmFilSys.h"
#include "widgets/QmToolbars.h"

namespace {

void FreeSplash() {
    if (!Splash)
        return;
    Splash->Hide();
    Splash->Free();
    Splash = nullptr;
}

} // namespace

void THTMLEMainForm::BindFirstShowing() {
    OnShow = Handler(this, &THTMLEMainForm::FormShow);
}

// What the features offer back comes before the command line's file, so that the recovered pages
// keep the first tabs; a failure of one is shown and the rest goes on.
// Files dropped from the desktop are accepted from here on, on the window and on the working file
// list.
void THTMLEMainForm::FormShow(TObject* Sender) {
    FreeSplash();
    if (FirstShowPending) {
        FirstShowPending = false;
        DragAcceptFiles(Handle(), true);
        if (TFileListBox* list = WorkingFileList())
            DragAcceptFiles(list->Handle(), true);
        for (const auto& feature : FFeatures) {
            try {
                feature->FirstShowing();
            } catch (const Exception& error) {
                Application->ShowException(error);
            }
        }
        OpenFileNamed(StartupCommandLine);
        OfferLeftoverFiles();
    }
    for (const auto& feature : FFeatures)
        feature->WindowShowing();
    Prepublishfiles1->SetVisible(true);
    FormResize(Sender);
}

int THTMLEMainForm::OpenFileNamed(const String& fileName) {
    for (const auto& feature : FFeatures)
        if (int page = feature->OpenNamedFile(fileName); page >= 0)
            return page;
    return -1;
}

// A "~~" file is the temporary file of a save that did not finish; only the first is offered. An
// "ht~" file is an autosaved copy kept beside its page. The file each stands for is its name
// without that prefix. Neither is ever deleted here.
void THTMLEMainForm::OfferLeftoverFiles() {
    String site = IncludeTrailingPathDelimiter(WorkingFolder());
    std::vector<String> temporary = FilesMatching(site + "~~*.*");
    if (!temporary.empty()) {
        const String& name = temporary.front();
        OfferLeftoverFile(site + name,
                          "A temporary file called " + name +
                              " exists.\r\nIt appears that Quiltmarker may have crashed during "
                              "the last session\r\nand left this file behind. You should replace "
                              "the existing file\r\n" +
                              name.substr(2) +
                              " with this file. Do you want to load the temporary file now?");
    }
    std::vector<String> autosaved = FilesMatching(site + "ht~*.*");
    for (size_t i = 0; i < autosaved.size(); ++i) {
        const String& name = autosaved[i];
        OfferLeftoverFile(site + name, i == 0
                                           ? "An autosaved file called " + name +
                                                 " exists.\r\nThis is an unsaved copy of " +
                                                 name.substr(3) + ". Do you want to recover it now?"
                                           : "Recover " + name.substr(3) + "?");
    }
}

void THTMLEMainForm::OfferLeftoverFile(const String& fileName, const String& question) {
    if (MessageBox(Handle(), question, "Quiltmarker", MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return;
    int page = OpenFileNamed(fileName);
    if (page >= 0)
        MarkPageModified(page);
}

void THTMLEMainForm::MarkPageModified(int page) {
    GetMemo(page)->SetModified(true);
    UpdateStatusBar();
}

std::vector<String> THTMLEMainForm::FilesMatching(const String& pathAndMask) {
    std::vector<String> names;
    TSearchRec rec;
    for (int found = FindFirst(pathAndMask, faReadOnly | faHidden | faArchive, rec); found == 0;
         found = FindNext(rec))
        names.push_back(rec.Name);
    FindClose(rec);
    return names;
}
