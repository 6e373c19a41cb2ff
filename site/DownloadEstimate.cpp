#include "site/DownloadEstimate.h"

#include "editor/CorvaletForm.h"
#include "editor/DialogGuard.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
#include "platform/FileUtils.h"
#include "site/DownloadTime.h"
#include "site/FilePane.h"
#include "site/HTMLDownload.h"

// The file pane's item follows its MultiPublish item.
void TDownloadEstimate::Build() {
    CheckDownloadSpeed1 = AddItem(&Form, Form.MainPopupMenu->Items(), "CheckDownloadSpeed1",
                                  "Check &Download Time...");
    CheckDownloadTime1 = InsertItem(&Form, Form.FilePane->MultiPublish3->Parent(),
                                    Form.FilePane->MultiPublish3->MenuIndex() + 1,
                                    "CheckDownloadTime1", "Check &Download Time");
}

void TDownloadEstimate::Bind() {
    CheckDownloadSpeed1->OnClick = Handler(this, &TDownloadEstimate::CheckDownloadSpeed1Click);
    CheckDownloadTime1->OnClick = Handler(this, &TDownloadEstimate::CheckDownloadTime1Click);
}

// The copy is the program's own "~~" name, so it never stands for a page of the user's; it is
// removed whatever the measuring does.
void TDownloadEstimate::CheckDownloadSpeed1Click(TObject* /*Sender*/) {
    if (!Form.PageInUse(-1))
        return;
    const String pageName = Form.FileNames[Form.ActivePageIndex()];
    String folder = ExtractFilePath(pageName);
    if (folder.empty())
        folder = IncludeTrailingPathDelimiter(GetCurrentDir());
    const String copy = folder + "~~temp.html";
    try {
        Form.GetMemo(-1)->Lines().SaveToFile(copy);
    } catch (const Exception& error) {
        MessageBox(Form.Handle(), error.Message(), "Quiltmarker", MB_OK | MB_ICONERROR);
        return;
    }
    MeasureDownloadSize(pageName, copy);
    DeleteFile(copy);
}

void TDownloadEstimate::CheckDownloadTime1Click(TObject* /*Sender*/) {
    const String file = Form.FilePane->FileListBox1->FileName();
    if (file.empty()) {
        MessageBox(Form.Handle(), "Please select a file first", "Quiltmarker",
                   MB_OK | MB_ICONERROR);
        return;
    }
    MeasureDownloadSize(file, file);
}

void TDownloadEstimate::MeasureDownloadSize(const String& pageName, const String& fileToMeasure) {
    TDownloadSize size;
    try {
        size = MeasureDownload(fileToMeasure);
    } catch (const Exception& error) {
        MessageBox(Form.Handle(), error.Message(), "Quiltmarker", MB_OK | MB_ICONERROR);
        return;
    }
    TDialogGuard<THTMLDownloadForm> dialog(HTMLDownloadForm, TButtonLook::Unchanged);
    if (!dialog)
        return;
    ShowDownloadTimes(size.Total, size.Missing, size.Found);
    dialog->FileNamePanel->SetCaption(ExtractFileName(pageName));
    dialog.ShowModal();
}

void TDownloadEstimate::ShowDownloadTimes(int64_t totalBytes, int missingImages, int foundImages) {
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
void TDownloadEstimate::ShowDownloadTime(TPanel* secondsPanel, TPanel* minutesPanel,
                                         int bytesPerSecond, int64_t totalBytes) {
    const String secondsShown = DownloadSeconds(totalBytes, bytesPerSecond);
    secondsPanel->SetCaption(secondsShown + " secs.");
    const String minutesText = FormatMinutes(StrToFloat(secondsShown));
    minutesPanel->SetCaption(minutesText);
    minutesPanel->SetColor(minutesText == "0 mins." ? clBtnShadow : clWindow);
}
