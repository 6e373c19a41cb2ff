// The printing half of the rich-edit printer: the pages of a rich edit with a header and a footer
// line, printed or previewed, and the page-setup dialog.

#include "services/RichPrint.h"

#include "platform/CommonDialogs.h"
#include "platform/DateTime.h"
#include "services/RichPreview.h"

#include <cmath>

namespace {

// The entries between "|" separators: an empty text is one empty entry, a trailing "|" gives a
// final empty one.
std::vector<String> SplitColumns(const String& text) {
    std::vector<String> entries(1);
    for (char c : text) {
        if (c == '|')
            entries.emplace_back();
        else
            entries.back() += c;
    }
    return entries;
}

// "<65" a left column 65 units wide, ">95" right, "^30" centred; no sign is left, and a width
// that is missing or not a number is 0.
TPrintColumn ParseColumnFormat(String entry) {
    TPrintColumn column;
    if (!entry.empty() && (entry[0] == '<' || entry[0] == '>' || entry[0] == '^')) {
        column.Alignment = entry[0] == '>'   ? taRightJustify
                           : entry[0] == '^' ? taCenter
                                             : taLeftJustify;
        entry.erase(0, 1);
    }
    try {
        column.Width = StrToFloat(entry);
    } catch (const EConvertError&) {
        column.Width = 0;
    }
    return column;
}

// Every occurrence replaced, scanning from the start after each; nothing when the value holds
// the placeholder itself, which would never end.
String ReplacePlaceholder(const String& placeholder, const String& value, String text) {
    if (value.find(placeholder) != String::npos)
        return text;
    for (size_t at = text.find(placeholder); at != String::npos; at = text.find(placeholder))
        text.replace(at, placeholder.size(), value);
    return text;
}

// Header and footer lines do not advance the line count, so "{$LINE}" is 0 in them.
String ExpandPlaceholders(String text, int page, const String& title) {
    TDateTime now = Now();
    text = ReplacePlaceholder("{$LINE}", "0", text);
    text = ReplacePlaceholder("{$PAGE}", IntToStr(page), text);
    text = ReplacePlaceholder("{$DATE}", FormatDateTime("ddddd", now), text);
    text = ReplacePlaceholder("{$TIME}", FormatDateTime("tt", now), text);
    return ReplacePlaceholder("{$TITLE}", title, text);
}

} // namespace

String PrinterFailureMessage(const EPrinterFailure& failure) {
    if (failure.ToFile && failure.Stage != psStart)
        return "Not be able to print to a file.";
    switch (failure.Stage) {
    case psStart:
        return "Not be able to start the printing.";
    case psNewPage:
        return "Not be able to print a new page.";
    case psEnd:
        break;
    }
    return "Not be able to end the printing.";
}

namespace {} // namespace

double TRichPrinter::Millimetres(double value) const {
    return MeasureUnit() == muInches ? value * 25.4 : value;
}

std::vector<TPrintColumn> TRichPrinter::LineColumns(const String& format, const String& text,
                                                    int page) const {
    std::vector<String> formats = SplitColumns(format);
    std::vector<String> texts = SplitColumns(text);
    std::vector<TPrintColumn> columns;
    for (size_t i = 0; i < formats.size(); ++i) {
        TPrintColumn column = ParseColumnFormat(formats[i]);
        column.Width = Millimetres(column.Width);
        if (i < texts.size())
            column.Text = texts[i].find("{$") != String::npos
                              ? ExpandPlaceholders(texts[i], page, Title())
                              : texts[i];
        columns.push_back(column);
    }
    return columns;
}

TPageDecoration TRichPrinter::DecoratePage(int page) const {
    TPageDecoration decoration;
    if (!Header().empty())
        decoration.Header = LineColumns(HeaderFormat(), Header(), page);
    if (!Footer().empty())
        decoration.Footer = LineColumns(FooterFormat(), Footer(), page);
    decoration.TopBorder = PageBorders().Contains(pbTop);
    decoration.BottomBorder = PageBorders().Contains(pbBottom);
    decoration.LeftBorder = PageBorders().Contains(pbLeft);
    decoration.RightBorder = PageBorders().Contains(pbRight);
    decoration.BorderOffset = Millimetres(BorderOffset());
    return decoration;
}

TPagePrint TRichPrinter::PageJob(int firstPage) {
    LoadPageSettings();
    TPagePrint job;
    job.Title = Title();
    job.MarginLeft = Millimetres(MarginLeft());
    job.MarginTop = Millimetres(MarginTop());
    job.MarginRight = Millimetres(MarginRight());
    job.MarginBottom = Millimetres(MarginBottom());
    job.DecorationFont = FFontHeaderFooter.Name();
    job.DecorationFontSize = FFontHeaderFooter.Size();
    job.FirstPage = firstPage;
    job.Decorate = [this](int page) { return DecoratePage(page); };
    job.Logo = &FBitmapLogo;
    job.LogoLeft = LogoLeft() / PhysicalPageWidth();
    job.LogoTop = LogoTop() / PhysicalPageHeight();
    job.LogoWidth = LogoWidth() / PhysicalPageWidth();
    job.LogoHeight = LogoHeight() / PhysicalPageHeight();
    job.BeginDoc = [this] {
        if (OnBeginDoc)
            OnBeginDoc(this);
    };
    job.NewPage = [this](int) {
        if (OnNewPage)
            OnNewPage(this);
    };
    job.EndDoc = [this] {
        if (OnEndDoc)
            OnEndDoc(this);
    };
    return job;
}

// The printer's failures become the messages the user is told.
void TRichPrinter::RunJob(const std::function<void(const TPagePrint&)>& run, TPagePrint job) {
    try {
        run(job);
    } catch (const EPrinterFailure& failure) {
        throw ELinePrinter(PrinterFailureMessage(failure));
    }
}

void TRichPrinter::PrintRichEditPages(TRichEdit* richEdit, int firstPage) {
    RunJob([richEdit](const TPagePrint& job) { richEdit->PrintPages(job); }, PageJob(firstPage));
}

// The window shows the pages as they arrive and keeps them in a folder of its own.
void TRichPrinter::PreviewRichEdit(TRichEdit* richEdit) {
    TPagePrint job = PageJob(1);
    auto* preview = new TRichPreviewForm(Application);
    TPrinterPage page = Printer().Page();
    preview->SetPageSize(page.PrintableWidth, page.PrintableHeight);
    preview->SetAspectRatio(PhysicalPageHeight() / PhysicalPageWidth());
    job.PreviewFolder = preview->PagesFolder();
    job.PageRecorded = [preview](int) { preview->AddPage(); };
    try {
        RunJob([richEdit](const TPagePrint& j) { richEdit->RecordPreviewPages(j); }, job);
    } catch (...) {
        delete preview;
        throw;
    }
}

bool TRichPrinter::RunPageSetupDialog() {
    LoadPageSettings();
    double scale = MeasureUnit() == muInches ? 1000 : 100;
    auto dialogUnits = [scale](double margin) {
        return static_cast<int>(std::nearbyint(margin * scale));
    };
    TPageSetupDialog dialog(nullptr);
    dialog.SetInches(MeasureUnit() == muInches);
    dialog.SetOrientation(Orientation());
    dialog.SetPaperName(Printer().PaperName());
    dialog.SetMargins(Rect(dialogUnits(MarginLeft()), dialogUnits(MarginTop()),
                           dialogUnits(MarginRight()), dialogUnits(MarginBottom())));
    bool confirmed = dialog.Execute();
    Printer().SetPaperName(dialog.PaperName());
    SetOrientation(dialog.Orientation());
    TRect chosen = dialog.Margins();
    SetMarginLeft(chosen.Left / scale);
    SetMarginTop(chosen.Top / scale);
    SetMarginRight(chosen.Right / scale);
    SetMarginBottom(chosen.Bottom / scale);
    ReapplyMargins();
    SavePageSettings();
    return confirmed;
}
