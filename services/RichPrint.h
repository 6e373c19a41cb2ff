#pragma once
// The rich-edit printer's page settings: four margins, the measuring unit and the orientation,
// kept in the current user's registry, and the page's geometry that bounds the margins.
//
// The registry holds the settings under RichPrintSettingsKey, subkey RichPrintMarginsKey:
// "MarginLeft", "MarginTop", "MarginBottom", "MarginRight" as 8-byte little-endian doubles in
// the unit of "CodeMeasurement" ("1" millimetres, any other number inches), and "CodeDirection"
// ("1" portrait, any other number landscape). While that subkey exists it is the source of truth:
// a margin reads from it, and one that is missing there, of another type or size, or not a finite
// number counts as missing, so the printer's own value stands. A code that is missing, not a
// string or not a number counts as "1".
//
// The page is the current printer's (platform/Printers.h): its paper and orientation as page
// setup chose them, and the edges it cannot print on.

#include "platform/Component.h"
#include "platform/Graphics.h"
#include "platform/Printers.h"
#include "platform/RichEdit.h"
#include "platform/Sets.h"

// Every printing failure the printer reports, and every change refused while a job is open.
class ELinePrinter : public EPrinter {
public:
    using EPrinter::EPrinter;
};

constexpr const char* RichPrintSettingsKey = "RichPrint.Settings";
constexpr const char* RichPrintMarginsKey = "Marges";
// The margins' key from the current user's root.
String RichPrintMarginsPath();

// What the user is told of a printer's failure at each stage of a job.
String PrinterFailureMessage(const EPrinterFailure& failure);

enum TMeasureUnit { muMillimeters, muInches };
enum TPageBorderStyle { pbTop, pbBottom, pbLeft, pbRight };
using TPageBorders = TSet<TPageBorderStyle>;
enum TPageSetupFlags {
    poDisableMargins,
    poMargins,
    poDisableOrientation,
    poDisablePaper,
    poDisablePrinter,
};
using TPageOptions = TSet<TPageSetupFlags>;

class TRichPrinter : public TComponent {
public:
    // Stores the measuring unit, re-applies the margins, then takes the page settings from the
    // registry. Where no margins are stored yet, the printer's own (top 30, bottom 25, left 25,
    // right 15 mm) are, and the page is upright. Stored margins are re-applied in the unit they
    // were stored in, never read as millimetres when they are inches, and a stored orientation
    // is kept.
    explicit TRichPrinter(TComponent* AOwner);

    // In MeasureUnit, from the paper's edge. A margin set is kept within the paper less the
    // unprintable edges and written to the registry at once; a NaN changes nothing. Refused with
    // ELinePrinter while a job is open.
    double MarginTop() const;
    void SetMarginTop(double value);
    double MarginBottom() const;
    void SetMarginBottom(double value);
    double MarginLeft() const;
    void SetMarginLeft(double value);
    double MarginRight() const;
    void SetMarginRight(double value);
    // Each margin through its getter and setter, so stored values fit the page again.
    void ReapplyMargins();

    // Changing the unit converts the margins and BorderOffset; any assignment re-applies the
    // margins and stores the unit.
    TMeasureUnit MeasureUnit() const { return FMeasureUnit; }
    void SetMeasureUnit(TMeasureUnit value);
    // While settings are stored, "CodeDirection" answers; otherwise the printer does. Setting it
    // turns the printer's page; refused while a job is open.
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation value);
    // The job's title, also "{$TITLE}" in the header and footer; refused while a job is open.
    String Title() const;
    void SetTitle(const String& value);
    bool IsPrinting() const { return Printer().Printing(); }
    // The header and footer lines' font; a white one is made black.
    TFont& Font_HeaderFooter() { return FFontHeaderFooter; }
    void SetFont_HeaderFooter(const TFont& value);
    // Drawn below the header on every page, LogoLeft, LogoTop, LogoWidth and LogoHeight being
    // fractions of the paper applied to the text area.
    TBitmap& BitmapLogo() { return FBitmapLogo; }
    void SetBitmapLogo(const TBitmap& value) { FBitmapLogo.Assign(value); }

    // Margins, unit and orientation from the registry, each through its setter.
    void LoadPageSettings();
    void SavePageSettings();

    // The page in MeasureUnit: the paper, the part the printer reaches, and the unprintable
    // edges around that part; and the conversions between MeasureUnit and printer pixels.
    double PhysicalPageWidth() const;
    double PhysicalPageHeight() const;
    double PrintableWidth() const;
    double PrintableHeight() const;
    double GutterTop() const;
    double GutterBottom() const;
    double GutterLeft() const;
    double GutterRight() const;
    int UnitsToPixelsX(double value) const;
    int UnitsToPixelsY(double value) const;
    double PixelsToUnitsX(int pixels) const;
    double PixelsToUnitsY(int pixels) const;

    // The page-setup dialog's options; assigning them also settles the dialog's flags (the PSD_
    // values, with the unit as it is at that moment).
    TPageOptions Options_Dialog() const { return FOptionsDialog; }
    void SetOptions_Dialog(TPageOptions value);
    unsigned PageSetupFlags() const { return FPageSetupFlags; }

    // Kept for the page's decoration.
    double LogoTop() const { return FLogoTop; }
    void SetLogoTop(double value) { FLogoTop = value; }
    double LogoLeft() const { return FLogoLeft; }
    void SetLogoLeft(double value) { FLogoLeft = value; }
    double LogoWidth() const { return FLogoWidth; }
    void SetLogoWidth(double value) { FLogoWidth = value; }
    double LogoHeight() const { return FLogoHeight; }
    void SetLogoHeight(double value) { FLogoHeight = value; }
    const String& Header() const { return FHeader; }
    void SetHeader(const String& value) { FHeader = value; }
    const String& HeaderFormat() const { return FHeaderFormat; }
    void SetHeaderFormat(const String& value) { FHeaderFormat = value; }
    const String& Footer() const { return FFooter; }
    void SetFooter(const String& value) { FFooter = value; }
    const String& FooterFormat() const { return FFooterFormat; }
    void SetFooterFormat(const String& value) { FFooterFormat = value; }
    TPageBorders PageBorders() const { return FPageBorders; }
    void SetPageBorders(TPageBorders value) { FPageBorders = value; }
    bool ShowProgress() const { return FShowProgress; }
    void SetShowProgress(bool value) { FShowProgress = value; }
    double BorderOffset() const { return FBorderOffset; }
    void SetBorderOffset(double value) { FBorderOffset = value; }

    // Prints the rich edit's whole text on the current printer page by page, each page with the
    // header and footer lines and the borders; the first page is numbered firstPage. The page
    // settings are read from the registry first. A printer that fails raises ELinePrinter: "Not
    // be able to start the printing.", "Not be able to print a new page.", "Not be able to end
    // the printing.", or "Not be able to print to a file." when a file could not be written;
    // margins that leave the text no room cannot start either.
    void PrintRichEditPages(TRichEdit* richEdit, int firstPage);
    // The pages PrintRichEditPages would print, recorded into the preview window
    // (TRichPreviewForm), which stays open until the user closes it.
    void PreviewRichEdit(TRichEdit* richEdit);

    TNotifyEvent OnBeginDoc;
    TNotifyEvent OnEndDoc;
    TNotifyEvent OnNewPage;
    // The page-setup dialog seeded with the margins, in hundredths of a millimetre or thousandths
    // of an inch. Whatever the answer, the dialog's margins are set and the page settings
    // stored, so a cancelled dialog leaves the margins rounded to that unit. True on OK.
    bool RunPageSetupDialog();

private:
    // The job for the rich edit's pages, its settings fixed at the start of the run.
    TPagePrint PageJob(int firstPage);
    TPageDecoration DecoratePage(int page) const;
    void RunJob(const std::function<void(const TPagePrint&)>& run, TPagePrint job);
    void RefuseWhilePrinting(const char* what) const;
    std::vector<TPrintColumn> LineColumns(const String& format, const String& text, int page) const;
    double Millimetres(double value) const;

    enum TMarginSide { msTop, msBottom, msLeft, msRight };
    void AdoptStoredUnit();
    double Margin(TMarginSide side) const;
    void SetMargin(TMarginSide side, double value);

    double FMargins[4] = {30, 25, 25, 15};
    TMeasureUnit FMeasureUnit = muMillimeters;
    TPageOptions FOptionsDialog{poMargins};
    unsigned FPageSetupFlags = 0;
    double FLogoTop = 0;
    double FLogoLeft = 0;
    double FLogoWidth = 25;
    double FLogoHeight = 20;
    String FHeader = "{$TITLE}";
    String FHeaderFormat = ">100";
    String FFooter = "Page {$PAGE}";
    String FFooterFormat = ">100";
    TPageBorders FPageBorders;
    bool FShowProgress = true;
    double FBorderOffset = 2;
    TFont FFontHeaderFooter;
    TBitmap FBitmapLogo;
};
