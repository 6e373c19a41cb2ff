#pragma once
// The current printer as Qt's printer, and the page recorded for a preview, for the platform's
// own .cpp files.

#include "platform/Printers.h"

#include <QPageSize>
#include <QPicture>
#include <QPrinter>

// The printer, paper, orientation, output file and job title of the current printer.
void UseCurrentPrinter(QPrinter& printer);
QPageSize::PageSizeId PaperId(const String& name);
TPrinterPage PageOf(const QPrinter& printer);

// A page drawn as the printer would draw it: its size and resolution are the printer's
// printable area, so fonts take the size they have on paper.
class TPagePicture : public QPicture {
public:
    explicit TPagePicture(const TPrinterPage& page);
    const TPrinterPage& Page() const { return FPage; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    TPrinterPage FPage;
};
