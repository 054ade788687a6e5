#include "report_printer.h"

#include "report_fonts.h"
#include "text_document_builder.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace tessarin {
namespace {

// Qt lays a document on a paint device out in units of its default 96 dpi
// and scales them to the device.
constexpr double kDocumentDotsPerInch = 96.0;
constexpr double kLabelTopTwips = 360;

double dotsY(const QPrinter& printer)
{
    return printer.logicalDpiY() / 1440.0;
}

} // namespace

QString PageLabel(int page)
{
    return QStringLiteral("- %1 -").arg(page);
}

namespace {

// The report laid out for one printer: the drawing rectangle (in device
// pixels, from the painter's origin) and, for each page, the band of the
// document its lines fill.
struct PrintLayout {
    QRectF drawing;
    std::vector<std::pair<double, double>> pageBands; // top, bottom in document units
};

// Every line belongs to the page its top lies on. Drawing a page's band
// rather than a page-high window keeps a line that touches the break off the
// page before: clipped out of sight there, it would still be in the file.
std::vector<std::pair<double, double>> PageBands(QTextDocument& pages, double pageHeight)
{
    std::vector<std::pair<double, double>> bands(static_cast<std::size_t>(pages.pageCount()),
                                                 {std::numeric_limits<double>::max(), 0.0});
    QAbstractTextDocumentLayout* layout = pages.documentLayout();
    for (QTextBlock block = pages.begin(); block.isValid(); block = block.next()) {
        const QPointF origin = layout->blockBoundingRect(block).topLeft();
        const QTextLayout* lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QRectF line = lines->lineAt(i).rect().translated(origin);
            const auto page
                = std::min(bands.size() - 1, static_cast<std::size_t>(std::max(0.0, line.top() / pageHeight)));
            bands[page].first = std::min(bands[page].first, line.top());
            bands[page].second = std::max(bands[page].second, line.bottom());
        }
    }
    return bands;
}

bool LayOut(QTextDocument& pages, const DocumentModel& document, QPrinter& printer, const PrintMargins& margins,
            PrintLayout& result)
{
    const double dotsX = printer.logicalDpiX() / 1440.0;
    const double dotsY = printer.logicalDpiY() / 1440.0;
    // The painter's origin is the printable area's corner; the margins count
    // from the paper's edges.
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    const double leftOffset = printable.left() - paper.left();
    const double topOffset = printable.top() - paper.top();
    result.drawing = QRectF(QPointF(margins.left * dotsX - leftOffset, margins.top * dotsY - topOffset),
                            QPointF(paper.width() - margins.right * dotsX - leftOffset,
                                    paper.height() - margins.bottom * dotsY - topOffset));
    if (result.drawing.width() < 1 || result.drawing.height() < 1)
        return false;
    FillTextDocument(pages, document, kDocumentDotsPerInch);
    pages.documentLayout()->setPaintDevice(&printer);
    pages.setDocumentMargin(0);
    pages.setPageSize(result.drawing.size());
    result.pageBands = PageBands(pages, result.drawing.height());
    return true;
}

// The pages to print, from 0, in order, each copy included: the range asked
// for (all when none), and the copies the printer does not make itself.
std::vector<int> PrintOrder(const QPrinter& printer, int pageCount)
{
    int first = 0;
    int last = pageCount - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::min(last, std::max(printer.toPage(), printer.fromPage()) - 1);
    }
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> order;
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy)
            for (int page = first; page <= last; ++page)
                order.push_back(page);
    } else {
        for (int page = first; page <= last; ++page)
            order.insert(order.end(), static_cast<std::size_t>(copies), page);
    }
    return order;
}

} // namespace

int PrintPageCount(const DocumentModel& document, QPrinter& printer, const PrintMargins& margins)
{
    QTextDocument pages;
    PrintLayout layout;
    return LayOut(pages, document, printer, margins, layout) ? pages.pageCount() : 0;
}

int PrintRTF(const DocumentModel& document, QPrinter& printer, const PrintMargins& margins)
{
    QTextDocument pages;
    PrintLayout layout;
    if (!LayOut(pages, document, printer, margins, layout))
        return 0;
    const QRectF& drawing = layout.drawing;
    const int pageCount = pages.pageCount();
    const std::vector<int> order = PrintOrder(printer, pageCount);
    if (order.empty())
        return 0;

    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QFont labelFont = ReportFont(nullptr);
    labelFont.setPointSizeF(10);
    for (std::size_t sheet = 0; sheet < order.size(); ++sheet) {
        const int page = order[sheet];
        if (sheet > 0)
            printer.newPage();
        const auto [bandTop, bandBottom] = layout.pageBands[static_cast<std::size_t>(page)];
        if (bandBottom > bandTop) {
            painter.save();
            painter.translate(drawing.left(), drawing.top() - page * drawing.height());
            // A hair inside the band: a neighbour that only touches it stays out.
            const QRectF band(0, bandTop + 0.25, drawing.width(), bandBottom - bandTop - 0.5);
            painter.setClipRect(QRectF(0, page * drawing.height(), drawing.width(), drawing.height()));
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = band;
            context.palette.setColor(QPalette::Text, Qt::black);
            pages.documentLayout()->draw(&painter, context);
            painter.restore();
        }

        if (page + 1 < pageCount) {
            painter.setFont(labelFont);
            painter.setPen(Qt::black);
            const QString label = PageLabel(page + 1);
            const QFontMetricsF metrics(painter.font(), &printer);
            const double width = metrics.horizontalAdvance(label);
            painter.drawText(QRectF(drawing.right() - width, kLabelTopTwips * dotsY(printer), width, metrics.height()),
                             Qt::AlignLeft | Qt::AlignTop, label);
        }
    }
    painter.end();
    return static_cast<int>(order.size());
}

} // namespace tessarin
