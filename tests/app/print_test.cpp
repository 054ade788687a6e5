// Printing through Qt's PDF output, read back with pdftotext: the margins,
// a page number on every page but the last, each line once, the range and
// the copies asked for.
#include "main_window.h"
#include "report_pane.h"
#include "report_printer.h"

#include "app_test_support.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <functional>

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

struct Word {
    QString text;
    double xMin, yMin, xMax;
};

struct Page {
    double width = 0;
    std::vector<Word> words;

    // The words above the top margin (half an inch, 36 points), run together.
    QString Header() const
    {
        QString header;
        for (const Word& word : words)
            if (word.yMin < 36)
                header += word.text;
        return header;
    }
};

// Every page with its words and their boxes, in points.
std::vector<Page> PdfPages(const fs::path& pdf)
{
    QProcess process;
    process.start("pdftotext", {"-bbox", QString::fromStdString(pdf.string()), "-"});
    process.waitForFinished(30000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    std::vector<Page> pages;
    const QRegularExpression item(R"re(<page width="([\d.]+)"|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty())
            pages.push_back(Page{m.captured(1).toDouble(), {}});
        else if (!pages.empty())
            pages.back().words.push_back({m.captured(5), m.captured(2).toDouble(), m.captured(3).toDouble(),
                                          m.captured(4).toDouble()});
    }
    return pages;
}

// The words below the top margin: the report's text without the labels.
QStringList BodyWords(const Page& page)
{
    QStringList words;
    for (const Word& word : page.words)
        if (word.yMin >= 36)
            words << word.text;
    return words;
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        window_.show();
    }

    int PrintTo(const fs::path& pdf, const std::function<void(QPrinter&)>& setUp = {})
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (setUp)
            setUp(printer);
        return window_.PrintReport(printer);
    }

    TempFolder folder_;
    frmMain window_{TestOptions()};
};

TEST_F(Printing, ALongReportIsNumberedPrintsEachLineOnceAndHonoursRangeAndCopies)
{
    ASSERT_TRUE(window_.LoadEdidFile(QString::fromStdString(WriteEdd(folder_ / "m.edd", TestEdid()).string())));
    const fs::path pdf = folder_ / "report.pdf";
    const int printed = PrintTo(pdf);
    const std::vector<Page> pages = PdfPages(pdf);
    ASSERT_GE(printed, 3);
    ASSERT_EQ(static_cast<int>(pages.size()), printed);
    for (std::size_t page = 0; page + 1 < pages.size(); ++page)
        EXPECT_EQ(pages[page].Header(), QStringLiteral("-%1-").arg(page + 1));
    EXPECT_EQ(pages.back().Header(), "");

    // Half-inch margins from the paper's edges; the label ends at the right
    // margin, a quarter inch (18 points) below the top of the printable area.
    const Page& first = pages.front();
    double left = first.width;
    for (const Word& word : first.words)
        left = std::min(left, word.xMin);
    EXPECT_NEAR(left, 36, 0.5);
    const Word& labelEnd = first.words.at(2);
    EXPECT_EQ(labelEnd.text, "-");
    EXPECT_NEAR(labelEnd.xMax, first.width - 36, 0.5);
    EXPECT_GE(first.words.at(0).yMin, 18);
    EXPECT_LT(first.words.at(0).yMin, 36);

    // Each line once: a line at a page break printed on both pages would add its words.
    const std::vector<Page>& all = pages;
    qsizetype words = 0;
    for (const Page& page : all)
        words += BodyWords(page).size();
    const QString shown = window_.RichTextBox()->toPlainText().remove(QChar::ObjectReplacementCharacter);
    EXPECT_EQ(words, shown.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size());

    // Pages 2 and 3 as asked, each with its own number.
    EXPECT_EQ(PrintTo(folder_ / "range.pdf", [](QPrinter& printer) {
                  printer.setPrintRange(QPrinter::PageRange);
                  printer.setFromTo(2, 3);
              }), 2);
    const std::vector<Page> range = PdfPages(folder_ / "range.pdf");
    ASSERT_EQ(range.size(), 2u);
    EXPECT_EQ(BodyWords(range[0]), BodyWords(all[1]));
    EXPECT_EQ(BodyWords(range[1]), BodyWords(all[2]));
    EXPECT_EQ(range[0].Header(), "-2-");

    // Copies the PDF output does not make itself: uncollated, each page in a row.
    EXPECT_EQ(PrintTo(folder_ / "copies.pdf", [](QPrinter& printer) {
                  printer.setPrintRange(QPrinter::PageRange);
                  printer.setFromTo(1, 2);
                  printer.setCopyCount(2);
                  printer.setCollateCopies(false);
              }), 4);
    const std::vector<Page> copies = PdfPages(folder_ / "copies.pdf");
    ASSERT_EQ(copies.size(), 4u);
    EXPECT_EQ(BodyWords(copies[1]), BodyWords(all[0]));
    EXPECT_EQ(BodyWords(copies[2]), BodyWords(all[1]));

    // A range beyond the report prints nothing.
    EXPECT_EQ(PrintTo(folder_ / "none.pdf", [&](QPrinter& printer) {
                  printer.setPrintRange(QPrinter::PageRange);
                  printer.setFromTo(static_cast<int>(all.size()) + 1, static_cast<int>(all.size()) + 2);
              }), 0);
}

TEST_F(Printing, AnEmptyPanePrintsOnePageWithoutLabel)
{
    const fs::path pdf = folder_ / "empty.pdf";
    EXPECT_EQ(PrintTo(pdf), 1);
    const std::vector<Page> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].words.empty());
}

} // namespace
} // namespace tessarin::test
