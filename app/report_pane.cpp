#include "report_pane.h"

#include "rtf_range.h"
#include "text_document_builder.h"

#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <limits>

namespace tessarin {

ReportPane::ReportPane(QWidget* parent)
    : QTextEdit(parent)
    , content_(EmptyDocument())
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    setAcceptDrops(false); // a dropped file goes to the window, which loads it
    setLineWrapMode(QTextEdit::WidgetWidth);
    // A scroll bar that came and went would change the wrapping width, and
    // with it the line numbers the tree's tags were taken from.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void ReportPane::SetDocument(const DocumentModel& model)
{
    content_ = model;
    // Refilled in place: cheaper than a new document, which the view would
    // take in and lay out anew.
    FillTextDocument(*document(), content_, logicalDpiX());
}

void ReportPane::CompleteLayout() const
{
    document()->documentLayout()->documentSize();
}

std::int32_t ReportPane::LineCount() const
{
    return LinesOfParagraphs(std::numeric_limits<std::int32_t>::max());
}

std::int32_t ReportPane::LinesOfParagraphs(std::int32_t paragraphs) const
{
    CompleteLayout();
    std::int32_t lines = 0;
    std::int32_t index = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && index < paragraphs;
         block = block.next(), ++index)
        lines += std::max(block.layout()->lineCount(), 1);
    return lines;
}

std::int32_t ReportPane::FirstCharOfLine(std::int32_t line) const
{
    if (line < 0)
        return -1;
    CompleteLayout();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const int count = std::max(layout->lineCount(), 1);
        if (line < count)
            return block.position() + (layout->lineCount() > 0 ? layout->lineAt(line).textStart() : 0);
        line -= count;
    }
    return -1;
}

void ReportPane::Select(std::int32_t start, std::int32_t length)
{
    const std::int32_t textLength = PlainTextLength();
    const std::int32_t first = std::clamp(start, 0, textLength);
    const std::int32_t last = first + std::clamp(length, 0, textLength - first);
    QTextCursor cursor(document());
    cursor.setPosition(last);
    cursor.setPosition(first, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

std::int32_t ReportPane::PlainTextLength() const
{
    return document()->characterCount() - 1;
}

std::int32_t ReportPane::SelectionStart() const
{
    return textCursor().selectionStart();
}

std::int32_t ReportPane::SelectionLength() const
{
    return textCursor().selectionEnd() - textCursor().selectionStart();
}

std::string ReportPane::SelectedRtf() const
{
    return WriteRtf(CopyRange(content_, SelectionStart(), SelectionLength()));
}

std::string ReportPane::SelectedText() const
{
    return PlainTextOf(CopyRange(content_, SelectionStart(), SelectionLength()));
}

QMimeData* ReportPane::createMimeDataFromSelection() const
{
    // Qt's own copy would give the logo's object mark as text and no RTF.
    auto* mime = new QMimeData;
    const DocumentModel part = CopyRange(content_, SelectionStart(), SelectionLength());
    mime->setData(QStringLiteral("text/rtf"), QByteArray::fromStdString(WriteRtf(part)));
    mime->setText(QString::fromStdString(PlainTextOf(part)));
    return mime;
}

} // namespace tessarin
