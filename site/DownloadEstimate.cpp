// Check Download Time: the active page (its unsaved changes included, through a copy beside it)
// or the file pane's file, measured with the images it shows and timed at each connection speed.
// Neither command takes part in help-pointer mode.

#include "editor/CorvaletForm.h"

#include "editor/DialogGuard.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "site/DownloadTime.h"
#include "site/HTMLDownload.h"

void THTMLEMainForm::BuildDownloadTime() {
    CheckDownloadSpeed1 =
        AddItem(this, MainPopupMenu->Items(), "CheckDownloadSpeed1", "Check &Download Time...");
}

void THTMLEMainForm::BindDownloadTime() {
    CheckDownloadSpeed1->OnClick = Handler(this, &THTMLEMainForm::CheckDownloadSpeed1Click);
    CheckDownloadTime1->OnClick = Handler(this, &THTMLEMainForm::CheckDownloadTime1Click);
}

// The copy is the program's own "~~" name, so it never stands for a page of the user's; it is
// removed whatever the measuring does.
void THTMLEMainForm::CheckDownloadSpeed1Click(TObject* /*Sender*/) {
    if (!PageInUse(-1))
        return;
    const String pageName = FileNames[ActivePageIndex()];
    String folder = ExtractFilePath(pageName);
    if (folder.empty())
        folder = IncludeTrailingPathDelimiter(GetCurrentDir());
    const String copy = folder + "~~temp.html";
    try {
        GetMemo(-1)->Lines().SaveToFile(copy);
    } catch (const Exception& error) {
        MessageBox(Handle(), error.Message(), "Quiltmarker", MB_OK | MB_ICONERROR);
        return;
    }
    MeasureDownloadSize(pageName, copy);
    DeleteFile(copy);
}

void THTMLEMainForm::CheckDownloadTime1Click(TObject* /*Sender*/) {
    const String file = FileListBox1->FileName();
    if (file.empty()) {
        MessageBox(Handle(), "Please select a file first", "Quiltmarker", MB_OK | MB_ICONERROR);
        return;
    }
    MeasureDownloadSize(file, file);
}

void THTMLEMainForm::MeasureDownloadSize(const String& pageName, const String& fileToMeasure) {
    TDownloadSize size;
    try {
        size = MeasureDownload(fileToMeasure);
    } catch (const Exception& error) {
        MessageBox(Handle(), error.Message(), "Quiltmarker", MB_OK | MB_ICONERROR);
        return;
    }
    TDialogGuard<THTMLDownloadForm> dialog(HTMLDownloadForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    ShowDownloadTimes(size.Total, size.Missing, size.Found);
    dialog->FileNamePanel->SetCaption(ExtractFileName(pageName));
    dialog.ShowModal();
}

void THTMLEMainForm::ShowDownloadTimes(int64_t totalBytes, int missingImages, int foundImages) {
    THTMLDownloadForm& form = *HTMLDownloadForm;
    form.SizeEdit->SetCaption(IntToStr(totalBytes) + " bytes");
    form.TotSizeLabel->SetCaption(foundImages > 0
                                      ? "Total size (incl. " + IntToStr(foundImages) + " image" +
                                            (foundImages > 1 ? "s" : "") + ")"
                                      : String("Total size (no images)"));
    form.ExcludeLabel->SetVisible(missingImages > 0);
    if (missingImages > 0)
        form.ExcludeLabel->SetCaption("(excludes " + IntToStr(missingImages) + " unknown image" +
                                      (missingImages > 1 ? "s" : "") + ")");
    const auto seconds = form.SecondsPanels();
    const auto minutes = form.MinutesPanels();
    for (size_t i = 0; i < ConnectionSpeeds.size(); ++i)
        ShowDownloadTime(seconds[i], minutes[i], ConnectionSpeeds[i].BytesPerSecond, totalBytes);
}

// The minutes come from the seconds as shown, so 7.96 seconds, shown as "8.0", make a quarter.
void THTMLEMainForm::ShowDownloadTime(TPanel* secondsPanel, TPanel* minutesPanel,
                                      int bytesPerSecond, int64_t totalBytes) {
    const String secondsShown = DownloadSeconds(totalBytes, bytesPerSecond);
    secondsPanel->SetCaption(secondsShown + " secs.");
    const String minutesText = FormatMinutes(StrToFloat(secondsShown));
    minutesPanel->SetCaption(minutesText);
    minutesPanel->SetColor(minutesText == "0 mins." ? clBtnShadow : clWindow);
}
