// Select Modified Files: the listed files last written since a moment (the start of this session
// or of an earlier one, today, 24 hours, 7 or 30 days, or a custom period), with their count.

#include "site/FilePane.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "platform/IniFiles.h"
#include "services/GeneralRoutines.h"
#include "site/HTMLCustomAmendedForm.h"
#include "site/HTMLMessageForm.h"
#include "widgets/QmFilSys.h"

#include <cmath>
#include <optional>

namespace {

const double MillisecondsPerDay = 86400000.0;

String SessionsFile() {
    return ProgramFolder() + "sessions.ini";
}

int SessionTotal() {
    return std::max(0, TIniFile(SessionsFile()).ReadInteger("Sessions", "Total", 0));
}

// The start of a session as a date-time; none when it was never recorded or cannot be read. It
// was written with a full stop, but a comma is read as well.
std::optional<TDateTime> SessionStartOf(int session) {
    String text =
        Trim(TIniFile(SessionsFile()).ReadString("Sessions", "S" + IntToStr(session), "0"));
    for (char& c : text)
        if (c == ',')
            c = '.';
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value == 0)
        return std::nullopt;
    return value;
}

String SelectedCountText(int count) {
    return (count == 0 ? String("No") : IntToStr(count)) + " file" + (count == 1 ? "" : "s") +
           " selected";
}

} // namespace

void TFilePane::SelectFilesModifiedSince(TDateTime threshold) {
    TCursor saved = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    bool locked = LockWindowUpdate(FileListBox1->Handle());
    String folder = GR->AddDirSlash(DirectoryListBox1->Directory());
    int count = 0;
    bool anySelected = FileListBox1->SelCount() > 0;
    TStrings& items = FileListBox1->Items();
    for (int i = 0; i < items.Count(); ++i) {
        double written = FileModifiedTime(folder + items[i]);
        bool recent = written >= 0 &&
                      std::round(written * MillisecondsPerDay) / MillisecondsPerDay >= threshold;
        // The list's selection is touched only where it changes: each change costs the list
        // a walk over its selected ranges.
        if (anySelected ? FileListBox1->Selected(i) != recent : recent)
            FileListBox1->SetSelected(i, recent);
        count += recent ? 1 : 0;
    }
    if (locked)
        LockWindowUpdate(nullptr);
    Screen->SetCursor(saved);

    TDialogGuard<TMessageForm> notice(MessageForm, TButtonLook::Unchanged);
    if (!notice)
        return;
    notice->Label1->SetCaption(SelectedCountText(count));
    notice->SetWidth(notice->Label1->Width() + 28);
    TPoint panel = Form.LeftPanel->ClientToScreen(TPoint{0, 0});
    notice->SetLeft(panel.x + (FileListBox1->Width() + 8 - notice->Width()) / 2);
    notice->SetTop(panel.y + FileListBox1->Top());
    notice->Label1->SetLeft((notice->ClientWidth() - notice->Label1->Width()) / 2);
    notice->Button1->SetLeft((notice->Width() - notice->Button1->Width() - 8) / 2);
    notice.ShowModal();
}

void TFilePane::ThisSession1Click(TObject* /*Sender*/) {
    std::optional<TDateTime> start = SessionStartOf(SessionTotal());
    if (!start) {
        ShowMessage("Can't find Session Record");
        return;
    }
    SelectFilesModifiedSince(*start);
}

void TFilePane::Today1Click(TObject* /*Sender*/) {
    SelectFilesModifiedSince(Date());
}

void TFilePane::Last24hours1Click(TObject* /*Sender*/) {
    SelectFilesModifiedSince(Now() - 1);
}

void TFilePane::N7days1Click(TObject* /*Sender*/) {
    SelectFilesModifiedSince(Date() - 7);
}

void TFilePane::L1Click(TObject* /*Sender*/) {
    SelectFilesModifiedSince(Date() - 30);
}

void TFilePane::Custom1Click(TObject* /*Sender*/) {
    TDialogGuard<TCustomAmendedForm> dialog(CustomAmendedForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    dialog.Keep();
    int total = SessionTotal();
    dialog->TotalSessions = total;
    dialog->SessionButtonClick(nullptr);
    if (dialog.ShowModal() != mrOk)
        return;
    int n = dialog->Value();
    TDateTime threshold = 0;
    if (dialog->HoursButton->Checked()) {
        threshold = Now() - n / 24.0;
    } else if (dialog->DaysButton->Checked()) {
        threshold = Date() - n;
    } else if (dialog->WeeksButton->Checked()) {
        threshold = Date() - 7.0 * n;
    } else {
        std::optional<TDateTime> start = SessionStartOf(total - std::min(n, total) + 1);
        if (!start) {
            ShowMessage("Can't find Session Record");
            return;
        }
        threshold = *start;
    }
    SelectFilesModifiedSince(threshold);
}
