#include "site/HTMLDetailsForm.h"

#include "platform/DateTime.h"
#include "platform/Events.h"
#include "platform/ExtCtrls.h"
#include "platform/FileUtils.h"
#include "platform/RichEdit.h"
#include "platform/StdCtrls.h"
#include "site/DownloadTime.h"
#include "tags/HTMLGlobal.h"

TDetailsForm* DetailsForm = nullptr;

namespace {

const TColor Blue = 0xFF0000; // RGB 0000FF as the framework stores it
const TColor Grey = 0x808080;
// The system's compressed attribute, which no Linux file carries.
const int faCompressed = 0x800;

String DateAndTime(TDateTime value) {
    return FormatDateTime("ddd d mmmm yyyy", value) + " at " + FormatDateTime("hh:nn:ss", value);
}

String DownloadTimes(int64_t size) {
    // The four slowest speeds of the download estimate, under this report's own labels.
    const char* const labels[] = {"14.4K=", "28.6K=", "33.6K=", "56.6K="};
    String text = "Download Time:\t";
    for (size_t i = 0; i < std::size(labels); ++i)
        text += (i > 0 ? "  " : "") + String(labels[i]) +
                DownloadSeconds(size, ConnectionSpeeds[i].BytesPerSecond);
    return text;
}

// The image's width and height by the first image extension the lower-cased path holds; a
// width of 0 when it is none of them or cannot be read.
std::pair<String, String> ImageSize(const String& path) {
    const TImageSizeReader reader = ImageSizeReaderFor(LowerCase(path));
    if (reader && GlobalForm)
        return {(GlobalForm->*reader)(path, 'W'), (GlobalForm->*reader)(path, 'H')};
    return {"0", "0"};
}

} // namespace

String AttributesText(int attributes) {
    const std::pair<int, const char*> names[] = {{faArchive, " Archive  "},
                                                 {faReadOnly, "ReadOnly  "},
                                                 {faHidden, "Hidden  "},
                                                 {faSysFile, "System  "},
                                                 {faCompressed, "Compressed"}};
    String text;
    for (auto [bit, name] : names)
        if (attributes & bit)
            text += name;
    return text.empty() ? "None" : text;
}

TDetailsForm::TDetailsForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("DetailsForm");
        SetCaption("Quiltmarker - File Properties");
        SetBorderStyle(bsDialog);
        SetClientWidth(342);
        SetClientHeight(247);
        BuildControls();
        OnShow = Handler(this, &TDetailsForm::FormShow);
    });
}

void TDetailsForm::BuildControls() {
    Panel1 = NewControl<TPanel>(this, this, "Panel1");
    Panel1->SetAlign(alBottom);
    Panel1->SetHeight(40);
    Panel1->SetCaption("");
    OKButton = NewControl<TButton>(this, Panel1, "OKButton", 133, 8, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    DetailsRE = NewControl<TRichEdit>(this, this, "DetailsRE");
    DetailsRE->SetAlign(alClient);
    DetailsRE->SetReadOnly(true);
}

void TDetailsForm::AddDetailLine(const String& text, int n) {
    int start = DetailsRE->GetTextLen();
    if (start > 0)
        start += 2;
    DetailsRE->Lines().Add(text);
    bool dos = text.rfind("(DOS", 0) == 0;
    DetailsRE->SetSelStart(start);
    DetailsRE->SetSelLength(static_cast<int>(text.size()));
    DetailsRE->SelAttributes().SetColor(dos ? Grey : clBlack);
    DetailsRE->SetSelStart(start);
    DetailsRE->SetSelLength(n);
    DetailsRE->SelAttributes().SetColor(dos ? Grey : Blue);
    DetailsRE->SetSelStart(start + static_cast<int>(text.size()));
}

// A file gone since it was listed is reported with what could be read: zero size and times.
// Linux has no short names (the name itself stands for it) and no archive, system or
// compressed attributes; read-only means no write permission and hidden a leading dot.
void TDetailsForm::FormShow(TObject* /*Sender*/) {
    TFileEntry entry = FileEntryOf(FileName);
    String name = ExtractFileName(FileName);
    DetailsRE->Clear();
    DetailsRE->Paragraph().SetFirstIndent(9);
    AddDetailLine(" ", 1);
    AddDetailLine("File Name:\t" + name, 9);
    AddDetailLine("(DOS File Name:\t" + name + ")", 13);
    AddDetailLine("Location:\t" + ExtractFilePath(FileName), 8);
    AddDetailLine(" ", 1);
    AddDetailLine("File Size:\t" + IntToStr(entry.Size) + " bytes", 9);
    AddDetailLine(DownloadTimes(entry.Size), 13);
    auto [width, height] = ImageSize(FileName);
    if (StrToIntDef(width, 0) > 0)
        AddDetailLine("Physical size:\tWidth: " + width + "  Height: " + height, 13);
    AddDetailLine(" ", 1);
    AddDetailLine("Date Created:\t" + DateAndTime(entry.Created), 12);
    AddDetailLine("Last Modified:\t" + DateAndTime(entry.Modified), 13);
    String accessTime = FormatDateTime("hh:nn:ss", entry.Accessed);
    AddDetailLine("Last Accessed:\t" + FormatDateTime("ddd d mmmm yyyy", entry.Accessed) +
                      (accessTime == "00:00:00" ? String() : " at " + accessTime),
                  13);
    AddDetailLine(" ", 1);
    AddDetailLine("Attributes:\t" + AttributesText(entry.Attr), 10);
}
