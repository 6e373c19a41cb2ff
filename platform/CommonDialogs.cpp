#include "platform/CommonDialogs.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Peer.h"
#include "platform/PrinterDevice.h"
#include "platform/TestHooks.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTreeView>

#include <algorithm>
#include <cmath>

namespace {

QWidget* DialogOwner() {
    TForm* form = Screen ? Screen->ActiveForm() : nullptr;
    return form ? form->Peer().Widget() : nullptr;
}

// The queued answer of a font or colour dialog: its Fill sets what was chosen. The prompt records
// shown, what the dialog shows chosen as it opens.
bool TakeChoice(const String& kind, const String& title, TComponent& dialog,
                const String& shown = "") {
    TestHooks::TDialogAnswer answer;
    if (!TestHooks::TakeDialogAnswer(kind, title, answer, shown) || !answer.Accepted)
        return false;
    if (answer.Fill)
        answer.Fill(&dialog);
    return true;
}

// A description that already names its masks ("Web Images (*.gif;*.jpg)") loses them, so that
// the dialog, which lists the masks after every description, does not show them twice.
String DescriptionWithoutMasks(const String& description) {
    const size_t open = description.rfind(" (");
    const bool namesMasks = open != String::npos && description.back() == ')' &&
                            description.find('*', open) != String::npos;
    return namesMasks ? description.substr(0, open) : description;
}

} // namespace

std::vector<String> TOpenDialog::ShownFilters() const {
    std::vector<String> parts;
    for (size_t start = 0; start <= FFilter.size();) {
        const size_t bar = std::min(FFilter.find('|', start), FFilter.size());
        parts.push_back(FFilter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<String> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        String masks = StringReplace(parts[i + 1], ";", " ", rfReplaceAll);
        masks = StringReplace(masks, "*.*", "*", rfReplaceAll);
        filters.push_back(DescriptionWithoutMasks(parts[i]) + " (" + masks + ")");
    }
    return filters;
}

namespace {

QStringList NameFilters(const std::vector<String>& shown) {
    QStringList filters;
    for (const String& filter : shown)
        filters << DisplayText(filter);
    return filters;
}

} // namespace

// ---- TOpenDialog

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

String TOpenDialog::ShownTitle() const {
    return FTitle.empty() ? DefaultTitle() : FTitle;
}

String TOpenDialog::StartFolder() const {
    return FInitialDir.empty() ? GetCurrentDir() : FInitialDir;
}

// A name typed without a folder lies in the folder shown; one without an extension gets the
// default extension.
String TOpenDialog::CompleteName(const String& name) const {
    String full = !name.empty() && name[0] == PathDelim
                      ? name
                      : IncludeTrailingPathDelimiter(StartFolder()) + name;
    if (!FDefaultExt.empty() && ExtractFileExt(full).empty())
        full += "." + FDefaultExt;
    return full;
}

bool TOpenDialog::Acceptable(const std::vector<String>& files) const {
    for (const String& file : files) {
        if (FOptions.Contains(ofFileMustExist) && !FileExists(file)) {
            MessageBox(nullptr,
                       file + "\r\nFile not found.\r\nPlease verify the correct file name was "
                              "given.",
                       ShownTitle(), MB_OK | MB_ICONWARNING);
            return false;
        }
        if (FOptions.Contains(ofPathMustExist) && !DirectoryExists(ExtractFileDir(file))) {
            MessageBox(nullptr,
                       file + "\r\nPath does not exist.\r\nPlease verify the correct path was "
                              "given.",
                       ShownTitle(), MB_OK | MB_ICONWARNING);
            return false;
        }
        if (Saving() && FOptions.Contains(ofOverwritePrompt) && FileExists(file) &&
            MessageBox(nullptr, file + " already exists.\r\nDo you want to replace it?",
                       ShownTitle(), MB_YESNO | MB_ICONWARNING) != IDYES)
            return false;
    }
    return true;
}

void TOpenDialog::Accept(const std::vector<String>& files) {
    FFiles->Clear();
    for (const String& file : files)
        FFiles->Add(file);
    FFileName = files.front();
    if (!FOptions.Contains(ofNoChangeDir))
        SetCurrentDir(ExtractFileDir(FFileName));
}

bool TOpenDialog::Execute() {
    TModalScope modal;
    return TestHooks::Active() ? ExecuteHooked() : ExecuteShown();
}

bool TOpenDialog::ExecuteHooked() {
    while (true) {
        TestHooks::TDialogAnswer answer;
        if (!TestHooks::TakeDialogAnswer(Kind(), ShownTitle(), answer) || !answer.Accepted)
            return false;
        std::vector<String> files;
        for (const String& file :
             answer.Files.empty() ? std::vector<String>{answer.FileName} : answer.Files)
            files.push_back(CompleteName(file));
        if (answer.FilterIndex > 0)
            FFilterIndex = answer.FilterIndex;
        if (Acceptable(files)) {
            Accept(files);
            return true;
        }
    }
}

namespace {

// Qt's own file list starts with its size, type and date columns too narrow for what they show:
// the dialog opens wider, each of those columns takes the width of its contents and the names
// take the rest. A desktop's native dialog has no such list and keeps its own layout.
void ShowWholeColumns(QFileDialog& dialog) {
    dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 460)));
    for (QTreeView* list : dialog.findChildren<QTreeView*>()) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

} // namespace

bool TOpenDialog::ExecuteShown() {
    QFileDialog dialog(DialogOwner(), DisplayText(ShownTitle()), ShownFileName(StartFolder()));
    dialog.setAcceptMode(Saving() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!Saving() && FOptions.Contains(ofAllowMultiSelect))
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else if (!Saving() && FOptions.Contains(ofFileMustExist))
        dialog.setFileMode(QFileDialog::ExistingFile);
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !FOptions.Contains(ofOverwritePrompt));
    QStringList filters = NameFilters(ShownFilters());
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (FFilterIndex >= 1 && FFilterIndex <= filters.size())
            dialog.selectNameFilter(filters[FFilterIndex - 1]);
    }
    dialog.setDefaultSuffix(DisplayText(FDefaultExt));
    ShowWholeColumns(dialog);
    if (!FFileName.empty())
        dialog.selectFile(ShownFileName(ExtractFileName(FFileName)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    std::vector<String> files;
    for (const QString& file : dialog.selectedFiles())
        files.push_back(FileSystemName(file));
    if (qsizetype chosen = filters.indexOf(dialog.selectedNameFilter()); chosen >= 0)
        FFilterIndex = static_cast<int>(chosen) + 1;
    Accept(files);
    return true;
}

// ---- TFontDialog

namespace {

// A font the dialog chose, kept under the program's own name when it is the family that name
// stands for on this machine, so that OK without a change leaves the font as it was.
void TakeQFont(const QFont& font, TFont& target) {
    if (font.family() != NearestFontFamily(target.Name()))
        target.SetName(TextFromDisplay(font.family()));
    if (font.pointSize() > 0)
        target.SetSize(font.pointSize());
    TFontStyles style;
    if (font.bold())
        style << fsBold;
    if (font.italic())
        style << fsItalic;
    if (font.underline())
        style << fsUnderline;
    if (font.strikeOut())
        style << fsStrikeOut;
    target.SetStyle(style);
}

// The style of the font's family, among those the machine has, that is as bold and as italic
// (or oblique) as the font: the one Qt draws the font in, when several are. The dialog left to
// itself looks for a style named "Normal", which many families lack, and then takes the first
// of its list, which may be "Oblique". Empty when the family has no such style.
QString MatchingStyle(const QFont& font) {
    const QString family = font.family();
    const QString drawn = QFontInfo(font).styleName();
    const int anySize = 12; // a style's weight and slant do not depend on the size
    QString first;
    for (const QString& style : QFontDatabase::styles(family)) {
        const QFont candidate = QFontDatabase::font(family, style, anySize);
        if (candidate.bold() != font.bold() || candidate.italic() != font.italic())
            continue;
        if (style == drawn)
            return style;
        if (first.isEmpty())
            first = style;
    }
    return first;
}

void StartOn(QFontDialog& dialog, const TFont& font) {
    QFont start = ToQFont(font);
    const QString style = MatchingStyle(start);
    if (!style.isEmpty())
        start.setStyleName(style);
    dialog.setCurrentFont(start);
}

// Qt's own dialog, the only one that can take it, with an Apply button that runs apply.
void OfferApply(QFontDialog& dialog, const std::function<void()>& apply) {
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        QObject::connect(buttons->addButton(QDialogButtonBox::Apply), &QPushButton::clicked, apply);
}

// "family, style" as the dialog shows them chosen.
String ChosenFont(const QFontDialog& dialog) {
    const QFont chosen = dialog.currentFont();
    return TextFromDisplay(chosen.family() + ", " + QFontDatabase::styleString(chosen));
}

} // namespace

bool TFontDialog::Execute() {
    TModalScope modal;
    QFontDialog dialog(DialogOwner());
    dialog.setWindowTitle("Font");
    StartOn(dialog, FFont);
    if (TestHooks::Active())
        return TakeChoice("FontDialog", "Font", *this, ChosenFont(dialog));
    if (OnApply)
        OfferApply(dialog, [this, &dialog] {
            TakeQFont(dialog.currentFont(), FFont);
            Apply();
        });
    if (dialog.exec() != QDialog::Accepted)
        return false;
    TakeQFont(dialog.selectedFont(), FFont);
    return true;
}

void TFontDialog::Apply() {
    if (OnApply)
        OnApply(this, nullptr);
}

// ---- TColorDialog

bool TColorDialog::Execute() {
    TModalScope modal;
    if (TestHooks::Active())
        return TakeChoice("ColorDialog", "Color", *this);
    QColor color = QColorDialog::getColor(ToQColor(FColor), DialogOwner(), "Color");
    if (!color.isValid())
        return false;
    FColor = FromQColor(color);
    return true;
}

// ---- Printing dialogs

namespace {

// A printer object on the current printer, for a dialog to start from.
void SelectCurrentPrinter(QPrinter& printer) {
    if (!Printer().PrinterName().empty())
        printer.setPrinterName(DisplayText(Printer().PrinterName()));
}

bool ChoosePrinter(const QString& title, QAbstractPrintDialog::PrintDialogOptions options,
                   bool takeFile, TPrintDialog* range = nullptr) {
    QPrinter printer;
    SelectCurrentPrinter(printer);
    QPrintDialog dialog(&printer, DialogOwner());
    dialog.setWindowTitle(title);
    dialog.setOptions(options);
    if (range) {
        dialog.setMinMax(range->MinPage, range->MaxPage);
        dialog.setFromTo(range->FromPage, range->ToPage);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (range) {
        range->PrintRange =
            dialog.printRange() == QAbstractPrintDialog::PageRange ? prPageNums : prAllPages;
        range->FromPage = dialog.fromPage();
        range->ToPage = dialog.toPage();
    }
    Printer().SetPrinterName(TextFromDisplay(printer.printerName()));
    if (takeFile)
        Printer().SetOutputFileName(TextFromDisplay(printer.outputFileName()));
    return true;
}

} // namespace

bool TPrintDialog::Execute() {
    TModalScope modal;
    if (TestHooks::Active())
        return TakeChoice("PrintDialog", "Print", *this);
    QAbstractPrintDialog::PrintDialogOptions options;
    if (FOptions.Contains(poPrintToFile))
        options |= QAbstractPrintDialog::PrintToFile;
    if (FOptions.Contains(poPageNums))
        options |= QAbstractPrintDialog::PrintPageRange;
    if (FOptions.Contains(poSelection))
        options |= QAbstractPrintDialog::PrintSelection;
    return ChoosePrinter("Print", options, true, this);
}

bool TPrinterSetupDialog::Execute() {
    TModalScope modal;
    if (TestHooks::Active())
        return TakeChoice("PrinterSetupDialog", "Print Setup", *this);
    return ChoosePrinter("Print Setup", {}, false);
}

bool TPageSetupDialog::Execute() {
    TModalScope modal;
    if (TestHooks::Active())
        return TakeChoice("PageSetupDialog", "Page Setup", *this);
    QPrinter printer;
    SelectCurrentPrinter(printer);
    QPageSize::PageSizeId paper = PaperId(FPaperName);
    if (paper != QPageSize::Custom)
        printer.setPageSize(QPageSize(paper));
    printer.setPageOrientation(FOrientation == poLandscape ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
    QPageLayout::Unit unit = FInches ? QPageLayout::Inch : QPageLayout::Millimeter;
    double scale = FInches ? 1000.0 : 100.0;
    printer.setPageMargins(QMarginsF(FMargins.Left / scale, FMargins.Top / scale,
                                     FMargins.Right / scale, FMargins.Bottom / scale),
                           unit);
    QPageSetupDialog dialog(&printer, DialogOwner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QMarginsF chosen = printer.pageLayout().margins(unit);
    FOrientation =
        printer.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    FPaperName = TextFromDisplay(printer.pageLayout().pageSize().name());
    Printer().SetPrinterName(TextFromDisplay(printer.printerName()));
    auto scaled = [scale](double value) { return static_cast<int>(std::lround(value * scale)); };
    FMargins = Rect(scaled(chosen.left()), scaled(chosen.top()), scaled(chosen.right()),
                    scaled(chosen.bottom()));
    return true;
}
