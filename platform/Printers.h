#pragma once
// The current printer: the one the print and printer-setup dialogs chose last, which every print
// job of the program uses. An empty name stands for the system's default printer.

#include "platform/SysUtils.h"

class TPrinter {
public:
    const String& PrinterName() const { return FPrinterName; }
    void SetPrinterName(const String& value) { FPrinterName = value; }
    // Where the print dialog's "print to file" sends the next jobs; empty prints on paper.
    const String& OutputFileName() const { return FOutputFileName; }
    void SetOutputFileName(const String& value) { FOutputFileName = value; }

private:
    String FPrinterName;
    String FOutputFileName;
};

TPrinter& Printer();
