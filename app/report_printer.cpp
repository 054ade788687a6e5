#include "report_printer.h"

#include "report_fonts.h"
#include "text_document_builder.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

namespace tessarin {
namespace {

// Qt lays a document on a paint device out in units of its default 96 dpi
// and scales them to the device.
constexpr double kDocumentDotsPerInch = 96.0;
constexpr double kLabelTopTwips = 360;

} // namespace

QString PageLabel(int page)
{
    return QStringLiteral("- %1 -").arg(page);
}

int PrintRTF(const DocumentModel& document, QPrinter& printer, const PrintMargins& margins)
{
    const double dotsX = printer.logicalDpiX() / 1440.0;
    const double dotsY = printer.logicalDpiY() / 1440.0;
    // The painter's origin is the printable area's corner; the margins count
    // from the paper's edges.
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    const double leftOffset = printable.left() - paper.left();
    const double topOffset = printable.top() - paper.top();
    const QRectF drawing(QPointF(margins.left * dotsX - leftOffset, margins.top * dotsY - topOffset),
                         QPointF(paper.width() - margins.right * dotsX - leftOffset,
                                 paper.height() - margins.bottom * dotsY - topOffset));
    if (drawing.width() < 1 || drawing.height() < 1)
        return 0;

    QTextDocument pages;
    FillTextDocument(pages, document, kDocumentDotsPerInch);
    pages.documentLayout()->setPaintDevice(&printer);
    pages.setDocumentMargin(0);
    pages.setPageSize(drawing.size());
    const int pageCount = pages.pageCount();

    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QFont labelFont = ReportFont(nullptr);
    labelFont.setPointSizeF(10);
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0)
            printer.newPage();
        painter.save();
        painter.translate(drawing.left(), drawing.top() - page * drawing.height());
        const QRectF view(0, page * drawing.height(), drawing.width(), drawing.height());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        pages.documentLayout()->draw(&painter, context);
        painter.restore();

        if (page + 1 < pageCount) {
            painter.setFont(labelFont);
            painter.setPen(Qt::black);
            const QString label = PageLabel(page + 1);
            const QFontMetricsF metrics(painter.font(), &printer);
            const double width = metrics.horizontalAdvance(label);
            painter.drawText(QRectF(drawing.right() - width, kLabelTopTwips * dotsY, width, metrics.height()),
                             Qt::AlignLeft | Qt::AlignTop, label);
        }
    }
    painter.end();
    return pageCount;
}

} // namespace tessarin
