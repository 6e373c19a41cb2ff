#pragma once
// The current printer: the one the print and printer-setup dialogs chose last, with the paper and
// orientation page setup chose, which every print job of the program uses. An empty name stands
// for the system's default printer.

#include "platform/SysUtils.h"
#include "platform/Types.h"

#include <optional>

class TBitmap;

enum TPrinterOrientation { poPortrait, poLandscape };

class EPrinter : public Exception {
public:
    using Exception::Exception;
};

// The stage of a job at which the printer failed, and whether it was writing to a file.
enum TPrinterStage { psStart, psNewPage, psEnd };
class EPrinterFailure : public EPrinter {
public:
    explicit EPrinterFailure(TPrinterStage stage, bool toFile = false)
        : EPrinter("The printer failed."), Stage(stage), ToFile(toFile) {}
    TPrinterStage Stage;
    bool ToFile;
};

// The current printer's page in its own pixels: the paper, the part of it the printer reaches,
// and where that part starts on the paper.
struct TPrinterPage {
    int PixelsPerInchX = 600;
    int PixelsPerInchY = 600;
    int PhysicalWidth = 0;
    int PhysicalHeight = 0;
    int PrintableWidth = 0;
    int PrintableHeight = 0;
    int OffsetX = 0;
    int OffsetY = 0;
};

class TPrinter {
public:
    const String& PrinterName() const { return FPrinterName; }
    void SetPrinterName(const String& value) { Change(FPrinterName, value); }
    // Where the print dialog's "print to file" sends the next jobs; empty prints on paper.
    const String& OutputFileName() const { return FOutputFileName; }
    void SetOutputFileName(const String& value) { FOutputFileName = value; }
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation value) { Change(FOrientation, value); }
    // The paper's name as page setup offers it ("A4", "A5", "Letter"); empty: the printer's own.
    const String& PaperName() const { return FPaperName; }
    void SetPaperName(const String& value) { Change(FPaperName, value); }
    // The next job's title.
    const String& Title() const { return FTitle; }
    void SetTitle(const String& value) { FTitle = value; }
    // A job is open.
    bool Printing() const { return FPrinting; }
    void SetPrinting(bool value) { FPrinting = value; }

    // Asked of the printer once for each choice of printer, paper and orientation.
    TPrinterPage Page() const;

private:
    template <typename T> void Change(T& field, const T& value) {
        field = value;
        FPage.reset();
    }

    String FPrinterName;
    String FOutputFileName;
    String FPaperName;
    String FTitle;
    TPrinterOrientation FOrientation = poPortrait;
    bool FPrinting = false;
    mutable std::optional<TPrinterPage> FPage;
};

TPrinter& Printer();

// A page recorded for a preview, kept in a file: drawn stretched over pageRect of the bitmap
// (which may reach beyond it) on white, or printed stretched over width x height printer pixels
// as a job of its own. False when the
// file cannot be read; printing raises EPrinterFailure when the job fails.
bool DrawRecordedPage(const String& fileName, TBitmap& bitmap, const TRect& pageRect);
bool PrintRecordedPage(const String& fileName, int width, int height);
