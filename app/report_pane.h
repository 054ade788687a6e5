#pragma once
// The report pane: a read-only, selectable rich-text view of the report.
// Its display lines are the layout lines of its text blocks, so line
// numbers, the tree's tags and what is on screen always agree.
#include "report_view.h"
#include "document_model.h"

#include <QTextEdit>

#include <string>

namespace tessarin {

class ReportPane final : public QTextEdit, public ReportView {
    Q_OBJECT

public:
    explicit ReportPane(QWidget* parent = nullptr);

    void SetDocument(const DocumentModel& model) override;
    std::int32_t LineCount() const override;
    std::int32_t FirstCharOfLine(std::int32_t line) const override;
    // Scrolls the selection's start into view, so that a line selected
    // after the end was shown comes to rest at the top.
    void Select(std::int32_t start, std::int32_t length) override;
    std::int32_t PlainTextLength() const override;
    std::int32_t LinesOfParagraphs(std::int32_t paragraphs) const override;

    // What the pane shows.
    const DocumentModel& Content() const noexcept { return content_; }
    // The selection as RTF and as plain text (for the clipboard).
    std::string SelectedRtf() const;
    std::string SelectedText() const;
    std::int32_t SelectionStart() const;
    std::int32_t SelectionLength() const;

protected:
    // What a keyboard copy or a drag takes: the same as the pop-up's copy.
    QMimeData* createMimeDataFromSelection() const override;

private:
    // The layout runs lazily; every line query first completes it.
    void CompleteLayout() const;

    DocumentModel content_;
};

} // namespace tessarin
