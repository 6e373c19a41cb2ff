// Autosave: the modified pages copied into the private temporary folder at the chosen interval,
// with an index that ties each copy to its page, and the recovery of those copies at the first
// showing after a run that did not end normally.
//
// The index "htmtmp.idx" has one line per copy, in page order: the copy's path, "=", the page's
// tab caption and, for a page that has a file, a tab and the file's full path. Keeping the path
// lets a recovered page be saved where it came from; a caption alone would name a file in
// whatever folder the file pane shows at the next start.
//
// The copies and the index are this user's alone, whatever folder $TMPDIR names. The names of the
// placeholders and of the copies carry the id of the run that made them, so that the start after
// a run that was killed can tell its leftovers from those of a copy of the program that runs.

#include "editor/Autosave.h"

#include "editor/CorvaletForm.h"
#include "editor/Documents.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/Registry.h"
#include "services/ProgramSettings.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {

const String IndexFileName = "htmtmp.idx";
const String CopyExtension = ".htmtmp";
const String PlaceholderPrefix = "ht~";

struct TIndexEntry {
    String Copy;
    String Caption;
    String FileName; // empty for an untitled page
};

// A caption is a file's name, which holds no "/", so the path begins at the first tab followed by
// one. A line without "=" names no copy.
std::optional<TIndexEntry> ParseIndexLine(const String& line) {
    size_t equals = line.find('=');
    if (equals == String::npos)
        return std::nullopt;
    TIndexEntry entry{line.substr(0, equals), line.substr(equals + 1), ""};
    size_t path = entry.Caption.find("\t/");
    if (path != String::npos) {
        entry.FileName = entry.Caption.substr(path + 1);
        entry.Caption.erase(path);
    }
    return entry;
}

// The first line of the index that names the copy, by the copy's file name; -1 when none does.
int IndexLineOf(const TStrings& index, const String& copy) {
    for (int i = 0; i < index.Count(); ++i) {
        std::optional<TIndexEntry> entry = ParseIndexLine(index.Get(i));
        if (entry && ExtractFileName(entry->Copy) == ExtractFileName(copy))
            return i;
    }
    return -1;
}

// The copy of a new placeholder: its name with ".htmtmp" for ".tmp". A name whose copy exists
// already, an older copy that no placeholder holds any more, is passed over; its placeholder is
// kept with the others until the run ends, so it is not offered again.
String NewCopyName(const String& folder, TStrings& placeholders) {
    for (;;) {
        String placeholder = GetProcessTempFileName(folder, PlaceholderPrefix);
        placeholders.Add(placeholder);
        String copy = ChangeFileExt(placeholder, CopyExtension);
        if (!FileExists(copy))
            return copy;
    }
}

// Only the tests that start the real program set this: autosave every that many milliseconds,
// not minutes.
void TakeTestIntervalFromEnvironment(TTimer& autosaveTimer) {
    int interval = StrToIntDef(EnvironmentValue("QUILTMARKER_TEST_AUTOSAVE_MS"), 0);
    if (interval > 0)
        autosaveTimer.SetInterval(interval);
}

// The timer stays disabled for the length of one run, and runs on whatever the run met.
class TTimerPause {
public:
    explicit TTimerPause(TTimer& timer) : FTimer(timer) { FTimer.SetEnabled(false); }
    ~TTimerPause() { FTimer.SetEnabled(true); }
    TTimerPause(const TTimerPause&) = delete;
    TTimerPause& operator=(const TTimerPause&) = delete;

private:
    TTimer& FTimer;
};

} // namespace

// The items follow Request ALT Tags, a radio group of their own.
void TAutosave::Build() {
    TMenuItem* preferences = Form.Preferences1;
    Autosave1 = InsertItem(&Form, preferences, preferences->IndexOf(Form.RequestALTtags1) + 1,
                           "Autosave1", "A&utosave");
    N2mins1 = AddRadioItem(&Form, Autosave1, "N2mins1", "&2 mins", 2);
    N5mins1 = AddRadioItem(&Form, Autosave1, "N5mins1", "&5 mins", 2);
    N10mins1 = AddRadioItem(&Form, Autosave1, "N10mins1", "&10 mins", 2);
    N15mins1 = AddRadioItem(&Form, Autosave1, "N15mins1", "15 &mins", 2);
    Off1 = AddRadioItem(&Form, Autosave1, "Off1", "&Off", 2);
    AutosaveTimer = NewComponent<TTimer>(&Form, "AutosaveTimer");
    AutosaveTimer->SetEnabled(false);
}

void TAutosave::Bind() {
    Off1->OnClick = Handler(this, &TAutosave::Off1Click);
    N2mins1->OnClick = Handler(this, &TAutosave::N2mins1Click);
    N5mins1->OnClick = Handler(this, &TAutosave::N5mins1Click);
    N10mins1->OnClick = Handler(this, &TAutosave::N10mins1Click);
    N15mins1->OnClick = Handler(this, &TAutosave::N15mins1Click);
    AutosaveTimer->OnTimer = Handler(this, &TAutosave::AutosaveTimerTimer);
}

// Any minutes but those of an item check Off, while the timer runs all the same.
void TAutosave::ReadSettings() {
    int minutes = 5;
    TRegistry reg;
    if (reg.OpenKey(ProductKey, false))
        ReadSetting(reg, "Autosave", minutes);
    // An interval the timer cannot hold is kept at the longest it can; 0 or less
    // never fires.
    AutosaveTimer->SetInterval(
        static_cast<int>(std::clamp<int64_t>(int64_t{minutes} * 60000, 0, INT_MAX)));
    AutosaveTimer->SetEnabled(true);
    TMenuItem* checked = Off1;
    for (auto [value, item] : {std::pair{2, N2mins1}, {5, N5mins1}, {10, N10mins1}, {15, N15mins1}})
        if (value == minutes)
            checked = item;
    checked->SetChecked(true);
    Autosave1->SetChecked(true);
}

// Recovery comes before the command line's file, so that the recovered pages keep the first
// tabs.
void TAutosave::FirstShowing() {
    TakeTestIntervalFromEnvironment(*AutosaveTimer);
    RecoverAutosavedFiles();
}

// ---- The commands ----

void TAutosave::Off1Click(TObject*) {
    if (!Form.HandleHelpPointer(HelpContexts::Off1Click))
        ChooseAutosaveInterval(Off1, 0);
}

void TAutosave::N2mins1Click(TObject*) {
    if (!Form.HandleHelpPointer(HelpContexts::N2mins1Click))
        ChooseAutosaveInterval(N2mins1, 2);
}

void TAutosave::N5mins1Click(TObject*) {
    if (!Form.HandleHelpPointer(HelpContexts::N5mins1Click))
        ChooseAutosaveInterval(N5mins1, 5);
}

void TAutosave::N10mins1Click(TObject*) {
    if (!Form.HandleHelpPointer(HelpContexts::N10mins1Click))
        ChooseAutosaveInterval(N10mins1, 10);
}

void TAutosave::N15mins1Click(TObject*) {
    if (!Form.HandleHelpPointer(HelpContexts::N15mins1Click))
        ChooseAutosaveInterval(N15mins1, 15);
}

// 0 minutes is Off.
void TAutosave::ChooseAutosaveInterval(TMenuItem* item, int minutes) {
    if (minutes > 0)
        AutosaveTimer->SetInterval(minutes * 60000);
    AutosaveTimer->SetEnabled(minutes > 0);
    TRegistry reg;
    if (reg.OpenKey(ProductKey, true))
        reg.WriteInteger("Autosave", minutes);
    item->SetChecked(true);
    Autosave1->SetChecked(minutes > 0);
}

// ---- The run ----

// A copy or the index that cannot be written is shown and the run goes on with the rest; the next
// run tries again.
void TAutosave::AutosaveTimerTimer(TObject*) {
    TTimerPause pause(*AutosaveTimer);
    TStatusPanel* panel = Form.StatusBar1->Panels().Items(THTMLEMainForm::FolderPanel);
    String panelText = panel->Text();
    TStringList placeholders;
    std::optional<Exception> failure;
    try {
        TPrivateWrites privateWrites;
        String folder = TempFolder();
        AutosaveIndex(folder, placeholders, failure).SaveToFile(folder + IndexFileName);
    } catch (const Exception& error) {
        failure = failure.value_or(error);
    }
    panel->SetText(panelText);
    for (int i = 0; i < placeholders.Count(); ++i)
        DeleteFile(placeholders.Get(i));
    ReportAutosaveFailure(failure);
}

// Copies the modified pages and gives the index that lists every page's latest copy, followed by
// the copies that recovery kept for the next start.
TStringList TAutosave::AutosaveIndex(const String& folder, TStrings& placeholders,
                                     std::optional<Exception>& failure) {
    TStringList index;
    for (int page = 0; page < THTMLEMainForm::PageCount; ++page) {
        if (!Form.PageInUse(page) || !Form.GetMemo(page)->Modified())
            continue;
        try {
            WriteAutosaveCopy(page, folder, placeholders);
        } catch (const Exception& error) {
            failure = failure.value_or(error);
        }
        if (!Form.AutosaveNames[page].empty())
            index.Add(AutosaveIndexLine(page));
    }
    for (const String& line : KeptAutosaveLines)
        if (FileExists(ParseIndexLine(line)->Copy))
            index.Add(line);
    return index;
}

// The new copy is whole before the page lets go of its old one, so that a failure or a crash
// during the run leaves the page with a complete copy, old or new.
void TAutosave::WriteAutosaveCopy(int page, const String& folder, TStrings& placeholders) {
    String copy = NewCopyName(folder, placeholders);
    Form.StatusBar1->Panels()
        .Items(THTMLEMainForm::FolderPanel)
        ->SetText("Autosaving " + copy + " *****************");
    Form.GetMemo(page)->Lines().SaveToFile(copy);
    String old = Form.AutosaveNames[page];
    Form.AutosaveNames[page] = copy;
    if (!old.empty() && old != copy)
        DeleteFile(old);
}

String TAutosave::AutosaveIndexLine(int page) const {
    String line = Form.AutosaveNames[page] + "=" + Form.TabSheets[page]->Caption();
    if (!THTMLEMainForm::IsUntitled(Form.FileNames[page]))
        line += "\t" + ExpandFileName(Form.FileNames[page]);
    return line;
}

// A failure that goes on from run to run is shown once; after a run that wrote everything, a new
// failure is shown again.
void TAutosave::ReportAutosaveFailure(const std::optional<Exception>& failure) {
    if (failure && !AutosaveFailureShown)
        Application->ShowException(*failure);
    AutosaveFailureShown = failure.has_value();
}

// ---- Recovery ----

namespace {

// No index, or none that can be read: the copies come back as untitled pages.
TStringList ReadIndex(const String& folder) {
    TStringList index;
    try {
        index.LoadFromFile(folder + IndexFileName);
    } catch (const EStreamError&) {
    }
    return index;
}

} // namespace

// A copy is deleted once it was loaded or the user declined them; a copy that could not be loaded
// stays, with its index line, for the next start, and the user is told. Then the placeholders and
// unfinished copies of runs that were killed go; recovery never reads them.
void TAutosave::RecoverAutosavedFiles() {
    String folder = TempFolder();
    std::vector<String> copies = THTMLEMainForm::FilesMatching(folder + "*" + CopyExtension);
    if (!copies.empty()) {
        TStringList index = ReadIndex(folder);
        bool load = MessageBox(Form.Handle(),
                               "Autosaved file(s) exist from a previous session.\r\nLoad them?",
                               "Quiltmarker", MB_YESNO | MB_ICONINFORMATION) == IDYES;
        int kept = 0;
        for (const String& name : copies) {
            String copy = folder + name;
            if (!load || LoadAutosavedCopy(copy, index)) {
                DeleteFile(copy);
                continue;
            }
            ++kept;
            int line = IndexLineOf(index, copy);
            if (line >= 0)
                KeptAutosaveLines.push_back(index.Get(line));
        }
        if (kept == 0)
            DeleteFile(folder + IndexFileName);
        else
            KeepUnloadedCopies(folder, kept);
    }
    DeleteTempFilesOfEndedRuns(folder, PlaceholderPrefix);
}

// The index keeps the lines of the copies left for the next start, and only those.
void TAutosave::KeepUnloadedCopies(const String& folder, int count) {
    TStringList index;
    for (const String& line : KeptAutosaveLines)
        index.Add(line);
    TPrivateWrites privateWrites;
    index.SaveToFile(folder + IndexFileName);
    MessageBox(Form.Handle(),
               IntToStr(count) + " autosaved file(s) could not be loaded now.\r\nThey stay in " +
                   folder + " and will be offered again at the next start.",
               "Quiltmarker", MB_OK | MB_ICONWARNING);
}

// The recovered page takes the caption the index gives its copy and the path of the file it was
// a copy of; without a path it stays untitled, so that its first Save asks where to write.
bool TAutosave::LoadAutosavedCopy(const String& copy, const TStrings& index) {
    if (Form.FirstFreePage() < 0)
        return false;
    int page = Form.Documents->OpenDocument(copy, false, false, false);
    if (page < 0)
        return false;
    int line = IndexLineOf(index, copy);
    std::optional<TIndexEntry> entry =
        line >= 0 ? ParseIndexLine(index.Get(line)) : std::optional<TIndexEntry>();
    if (entry && !entry->Caption.empty()) {
        Form.TabSheets[page]->SetCaption(entry->Caption);
        Form.FileNames[page] = entry->FileName.empty() ? "[untitled]" : entry->FileName;
    }
    Form.MarkPageModified(page);
    return true;
}
