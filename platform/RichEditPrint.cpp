// The rich edit's pages on the printer or recorded for a preview: the text laid out page by page
// inside the margins, each page decorated with its header and footer lines, logo and borders.

#include "platform/Peer.h"
#include "platform/PrinterDevice.h"
#include "platform/RichEdit.h"
#include "platform/RichEditPeer.h"
#include "platform/TestHooks.h"

#include <QDir>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>

// Where a job's pages go: the printer, one page after another, or a picture file for each.
class TPageTarget {
public:
    virtual ~TPageTarget() = default;
    virtual TPrinterPage Page() const = 0;
    virtual void Begin(QPainter& painter) = 0;
    virtual void NextPage(QPainter& painter) = 0;
    virtual void End(QPainter& painter) = 0;
    virtual bool Preview() const = 0;
};

namespace {

class TPrinterTarget : public TPageTarget {
public:
    TPrinterTarget() : FPrinter(QPrinter::HighResolution) {
        UseCurrentPrinter(FPrinter);
        FToFile = !FPrinter.outputFileName().isEmpty();
    }
    TPrinterPage Page() const override { return PageOf(FPrinter); }
    void Begin(QPainter& painter) override {
        if (!painter.begin(&FPrinter))
            throw EPrinterFailure(psStart, FToFile);
    }
    void NextPage(QPainter&) override {
        if (!FPrinter.newPage())
            throw EPrinterFailure(psNewPage, FToFile);
    }
    void End(QPainter& painter) override {
        if (!painter.end() || FPrinter.printerState() == QPrinter::Error)
            throw EPrinterFailure(psEnd, FToFile);
    }
    bool Preview() const override { return false; }

private:
    QPrinter FPrinter;
    bool FToFile = false;
};

class TPreviewTarget : public TPageTarget {
public:
    explicit TPreviewTarget(const TPagePrint& job) : FJob(job), FPage(Printer().Page()) {}
    TPrinterPage Page() const override { return FPage; }
    void Begin(QPainter& painter) override { StartPicture(painter); }
    void NextPage(QPainter& painter) override {
        FinishPicture(painter);
        StartPicture(painter);
    }
    void End(QPainter& painter) override { FinishPicture(painter); }
    bool Preview() const override { return true; }

private:
    void StartPicture(QPainter& painter) {
        FPicture = std::make_unique<TPagePicture>(FPage);
        painter.begin(FPicture.get());
    }
    void FinishPicture(QPainter& painter) {
        painter.end();
        QString name = QDir(DisplayText(FJob.PreviewFolder))
                           .filePath(QStringLiteral("PreviewMetafile%1").arg(FIndex));
        if (!FPicture->save(name))
            throw EPrinterFailure(psNewPage, true);
        if (FJob.PageRecorded)
            FJob.PageRecorded(FIndex);
        ++FIndex;
    }

    const TPagePrint& FJob;
    TPrinterPage FPage;
    std::unique_ptr<TPagePicture> FPicture;
    int FIndex = 0;
};

// The longest start of the text that fits the width, found by halving; never less than one
// character. A text that fits is kept whole.
QString FitTextToWidth(const QFontMetrics& metrics, const QString& text, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    qsizetype lo = 1, hi = text.size(), mid = 0, previous = 0;
    do {
        previous = mid;
        mid = (lo + hi) / 2;
        int measured = metrics.horizontalAdvance(text.left(mid));
        if (measured > width)
            hi = mid;
        else if (measured < width)
            lo = mid;
        else
            lo = hi;
    } while (mid != previous && hi > lo);
    return text.left(std::max<qsizetype>(mid, 1));
}

// A page's layout on the printer, in its pixels from the printable area's top-left corner.
class TPageLayout {
public:
    TPageLayout(const TPagePrint& job, const TPrinterPage& page, int lineHeight)
        : FJob(job), FPage(page), FLineHeight(lineHeight) {
        int gutterRight = page.PhysicalWidth - page.PrintableWidth - page.OffsetX;
        int gutterBottom = page.PhysicalHeight - page.PrintableHeight - page.OffsetY;
        FLeft = PixelsX(job.MarginLeft) - page.OffsetX;
        FTop = PixelsY(job.MarginTop) - page.OffsetY;
        int right = PixelsX(job.MarginRight) - gutterRight;
        FBottom = std::max(PixelsY(job.MarginBottom) - gutterBottom, lineHeight);
        FWidth = page.PrintableWidth - FLeft - right;
        FHeight = page.PrintableHeight - FTop - FBottom;
    }

    int PixelsX(double millimetres) const {
        return static_cast<int>(std::nearbyint(millimetres / 25.4 * FPage.PixelsPerInchX));
    }
    int PixelsY(double millimetres) const {
        return static_cast<int>(std::nearbyint(millimetres / 25.4 * FPage.PixelsPerInchY));
    }
    QRect TextArea() const { return QRect(FLeft, FTop, FWidth, FHeight); }
    bool Fits() const { return FWidth > 0 && FHeight > 0; }
    int HeaderY() const { return std::max(0, (FTop - FLineHeight) / 2); }
    int FooterY() const { return FTop + FHeight + std::max(0, (FBottom - FLineHeight) / 2); }
    int Left() const { return FLeft; }
    int LineHeight() const { return FLineHeight; }
    const TPrinterPage& Page() const { return FPage; }
    // The logo's place: fractions of the text area, from the header line's bottom.
    QRect LogoRect() const {
        int top =
            HeaderY() + FLineHeight + static_cast<int>(std::nearbyint(FJob.LogoTop * FHeight));
        int left = FLeft + static_cast<int>(std::nearbyint(FJob.LogoLeft * FWidth));
        return QRect(left, top, static_cast<int>(std::nearbyint(FJob.LogoWidth * FWidth)),
                     static_cast<int>(std::nearbyint(FJob.LogoHeight * FHeight)));
    }

private:
    const TPagePrint& FJob;
    TPrinterPage FPage;
    int FLineHeight;
    int FLeft = 0;
    int FTop = 0;
    int FBottom = 0;
    int FWidth = 0;
    int FHeight = 0;
};

class TPageDecorator {
public:
    TPageDecorator(const TPagePrint& job, const TPageLayout& layout, bool preview)
        : FJob(job), FLayout(layout), FPreview(preview) {}

    void Decorate(QPainter& painter, int number) {
        TestHooks::TPrintedPage logged;
        logged.Number = number;
        logged.Preview = FPreview;
        logged.PixelsPerInch = FLayout.Page().PixelsPerInchX;
        logged.PrintableWidth = FLayout.Page().PrintableWidth;
        logged.PrintableHeight = FLayout.Page().PrintableHeight;
        QRect area = FLayout.TextArea();
        logged.TextArea = Rect(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
        TPageDecoration page = FJob.Decorate ? FJob.Decorate(number) : TPageDecoration{};
        painter.save();
        painter.setPen(Qt::black);
        if (!page.Header.empty()) {
            logged.Header = DrawLine(painter, page.Header, FLayout.HeaderY());
            logged.Logo = DrawLogo(painter);
        }
        if (!page.Footer.empty())
            logged.Footer = DrawLine(painter, page.Footer, FLayout.FooterY());
        logged.Borders = DrawBorders(painter, page);
        painter.restore();
        TestHooks::RecordPrintedPage(logged);
    }

private:
    // The columns side by side from the text's left edge, each text cut to its column.
    std::vector<TestHooks::TPrintedText> DrawLine(QPainter& painter,
                                                  const std::vector<TPrintColumn>& columns, int y) {
        std::vector<TestHooks::TPrintedText> drawn;
        QFontMetrics metrics = painter.fontMetrics();
        int pad = FLayout.Page().PixelsPerInchX / 600 * 6;
        int x = FLayout.Left();
        for (const TPrintColumn& column : columns) {
            int width = FLayout.PixelsX(column.Width);
            QString text = FitTextToWidth(metrics, DisplayText(column.Text), width);
            int textWidth = metrics.horizontalAdvance(text);
            int offset = 0;
            if (column.Alignment == taRightJustify)
                offset = width - textWidth - (textWidth < width - pad ? pad : 0);
            else if (column.Alignment == taCenter)
                offset = (width - textWidth) / 2;
            else if (textWidth < width - pad)
                offset = pad;
            offset = std::max(0, offset);
            if (!text.isEmpty()) {
                painter.drawText(x + offset, y + metrics.ascent(), text);
                drawn.push_back({TextFromDisplay(text), x + offset, y});
            }
            x += width;
        }
        return drawn;
    }

    TRect DrawLogo(QPainter& painter) {
        if (!FJob.Logo || FJob.Logo->Empty())
            return {};
        QRect rect = FLayout.LogoRect();
        painter.save();
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.drawRect(rect);
        painter.drawImage(rect, BitmapImage(*FJob.Logo));
        painter.restore();
        return Rect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
    }

    std::vector<TestHooks::TPrintedLine> DrawBorders(QPainter& painter,
                                                     const TPageDecoration& page) {
        std::vector<TestHooks::TPrintedLine> drawn;
        QRect area = FLayout.TextArea();
        int l = area.left(), t = area.top(), w = area.width(), h = area.height();
        auto line = [&](int penWidth, int x1, int y1, int x2, int y2) {
            painter.setPen(QPen(Qt::black, penWidth));
            painter.drawLine(x1, y1, x2, y2);
            drawn.push_back({TPoint{x1, y1}, TPoint{x2, y2}, penWidth});
        };
        int penY = FLayout.Page().PixelsPerInchY / 600 * 2;
        int oy = FLayout.PixelsY(page.BorderOffset);
        if (page.TopBorder)
            line(penY, l - oy, t - oy, l + w + oy, t - oy);
        if (page.BottomBorder)
            line(penY, l - oy, t + h + oy, l + w + oy, t + h + oy);
        int penX = FLayout.Page().PixelsPerInchX / 600 * 2;
        int ox = FLayout.PixelsX(page.BorderOffset);
        if (page.LeftBorder)
            line(penX, l - ox, t - ox, l - ox, t + h + ox);
        if (page.RightBorder)
            line(penX, l + w + ox, t - ox, l + w + ox, t + h + ox);
        return drawn;
    }

    const TPagePrint& FJob;
    const TPageLayout& FLayout;
    bool FPreview;
};

// The job's EndDoc, told however the run ends.
struct TEndDocScope {
    const TPagePrint& Job;
    ~TEndDocScope() {
        if (Job.EndDoc)
            Job.EndDoc();
    }
};

// The printer counts as printing while a job is open.
struct TPrintingScope {
    explicit TPrintingScope(bool open) : Open(open) { Printer().SetPrinting(open); }
    ~TPrintingScope() {
        if (Open)
            Printer().SetPrinting(false);
    }
    bool Open;
};

} // namespace

void TRichEditPeer::RenderPages(const TPagePrint& job, TPageTarget& target) {
    TEndDocScope endDoc{job};
    if (job.BeginDoc)
        job.BeginDoc();
    QPainter painter;
    QFont font(DisplayText(job.DecorationFont));
    font.setPointSize(job.DecorationFontSize);
    TPrinterPage page = target.Page();
    TPrintingScope printing(!target.Preview());
    target.Begin(painter);
    painter.setFont(font);
    TPageLayout layout(job, page, painter.fontMetrics().height());
    if (!layout.Fits()) {
        painter.end();
        throw EPrinterFailure(psStart);
    }
    TPageDecorator decorator(job, layout, target.Preview());
    int number = job.FirstPage;
    auto startPage = [&] {
        decorator.Decorate(painter, number);
        if (job.NewPage)
            job.NewPage(number);
    };
    startPage();
    long length = FormatLength();
    long start = 0;
    for (;;) {
        long next = FormatRange(painter, layout.TextArea(), start, length);
        if (next >= length || next <= start)
            break;
        target.NextPage(painter);
        painter.setFont(font);
        ++number;
        startPage();
        start = next;
    }
    target.End(painter);
}

void TRichEditPeer::PrintPages(const TPagePrint& job) {
    TPrinterTarget target;
    RenderPages(job, target);
}

void TRichEditPeer::RecordPreviewPages(const TPagePrint& job) {
    TPreviewTarget target(job);
    RenderPages(job, target);
}
