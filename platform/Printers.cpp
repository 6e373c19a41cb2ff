#include "platform/Printers.h"

#include "platform/DisplayText.h"
#include "platform/Graphics.h"
#include "platform/Peer.h"
#include "platform/PrinterDevice.h"
#include "platform/TestHooks.h"

#include <QFile>
#include <QPainter>

#include <algorithm>

TPrinter& Printer() {
    static TPrinter printer;
    return printer;
}

// The tests' printer: 600 pixels an inch, and edges it cannot print on of 6 mm, 7 at the foot.
void UseStandInPage(QPrinter& printer) {
    printer.setResolution(600);
    printer.setPageMargins(QMarginsF(6, 6, 6, 7), QPageLayout::Millimeter);
}

void UseCurrentPrinter(QPrinter& printer) {
    if (!Printer().PrinterName().empty())
        printer.setPrinterName(DisplayText(Printer().PrinterName()));
    if (!Printer().OutputFileName().empty())
        printer.setOutputFileName(DisplayText(Printer().OutputFileName()));
    QPageSize::PageSizeId paper = PaperId(Printer().PaperName());
    if (paper != QPageSize::Custom)
        printer.setPageSize(QPageSize(paper));
    printer.setPageOrientation(Printer().Orientation() == poLandscape ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
    printer.setDocName(DisplayText(Printer().Title()));
    if (TestHooks::Active())
        UseStandInPage(printer);
}

QPageSize::PageSizeId PaperId(const String& name) {
    for (int id = 0; id < QPageSize::LastPageSize; ++id) {
        auto sizeId = static_cast<QPageSize::PageSizeId>(id);
        if (QPageSize::name(sizeId).compare(DisplayText(name), Qt::CaseInsensitive) == 0)
            return sizeId;
    }
    return QPageSize::Custom;
}

TPrinterPage PageOf(const QPrinter& printer) {
    QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
    TPrinterPage page;
    page.PixelsPerInchX = printer.logicalDpiX();
    page.PixelsPerInchY = printer.logicalDpiY();
    page.PhysicalWidth = paper.width();
    page.PhysicalHeight = paper.height();
    page.PrintableWidth = printable.width();
    page.PrintableHeight = printable.height();
    page.OffsetX = printable.left() - paper.left();
    page.OffsetY = printable.top() - paper.top();
    return page;
}

TPrinterPage TPrinter::Page() const {
    if (!FPage) {
        QPrinter printer(QPrinter::HighResolution);
        UseCurrentPrinter(printer);
        FPage = PageOf(printer);
    }
    return *FPage;
}

TPagePicture::TPagePicture(const TPrinterPage& page) : FPage(page) {}

int TPagePicture::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return FPage.PrintableWidth;
    case PdmHeight:
        return FPage.PrintableHeight;
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return FPage.PixelsPerInchX;
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return FPage.PixelsPerInchY;
    default:
        return QPicture::metric(metric);
    }
}

namespace {

// The recorded page stretched over the target, whatever its own proportions.
void DrawStretched(QPainter& painter, QPicture& picture, const TPrinterPage& page, int width,
                   int height) {
    painter.setClipRect(0, 0, width, height);
    painter.scale(double(width) / std::max(1, page.PrintableWidth),
                  double(height) / std::max(1, page.PrintableHeight));
    painter.drawPicture(0, 0, picture);
}

bool LoadRecordedPage(const String& fileName, TPagePicture& picture) {
    return QFile::exists(DisplayText(fileName)) && picture.load(DisplayText(fileName));
}

} // namespace

bool DrawRecordedPage(const String& fileName, TBitmap& bitmap, const TRect& pageRect) {
    TPagePicture picture(Printer().Page());
    if (!LoadRecordedPage(fileName, picture))
        return false;
    QImage& image = BitmapImage(bitmap);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(pageRect.Left, pageRect.Top);
    DrawStretched(painter, picture, picture.Page(), pageRect.Width(), pageRect.Height());
    return true;
}

bool PrintRecordedPage(const String& fileName, int width, int height) {
    TPagePicture picture(Printer().Page());
    if (!LoadRecordedPage(fileName, picture))
        return false;
    QPrinter printer(QPrinter::HighResolution);
    UseCurrentPrinter(printer);
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer))
        throw EPrinterFailure(psStart);
    DrawStretched(painter, picture, picture.Page(), width, height);
    if (!painter.end())
        throw EPrinterFailure(psEnd);
    TestHooks::RecordReprintedPage(fileName);
    return true;
}
