// Printing through Qt's PDF output, read back with pdftotext: the margins,
// and a page number on every page but the last.
#include "main_window.h"
#include "report_pane.h"
#include "report_printer.h"

#include "app_test_support.h"

#include <QDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

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

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        window_.show();
    }

    int PrintTo(const fs::path& pdf)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printer.setPageSize(QPageSize(QPageSize::A4));
        return window_.PrintReport(printer);
    }

    TempFolder folder_;
    frmMain window_{TestOptions()};
};

TEST_F(Printing, ALongReportCarriesItsPageNumberOnEveryPageButTheLast)
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
    // Every line of the report is printed once.
    int titles = 0;
    for (const Page& page : pages)
        for (const Word& word : page.words)
            titles += word.text == "Vendor/Product" ? 1 : 0;
    EXPECT_EQ(titles, 1);

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
}

TEST_F(Printing, AnEmptyPanePrintsOnePageWithoutLabel)
{
    const fs::path pdf = folder_ / "empty.pdf";
    EXPECT_EQ(PrintTo(pdf), 1);
    EXPECT_TRUE(fs::exists(pdf));
    const std::vector<Page> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].words.empty());
}

TEST_F(Printing, ThePrinterDialogIsTitledSelectPrinterAndCancelPrintsNothing)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows's own printer dialog is no Qt widget to answer";
#endif
    bool asked = false;
    WhenModal([&](QWidget* modal) {
        asked = true;
        EXPECT_EQ(modal->windowTitle(), "Select Printer");
        qobject_cast<QDialog*>(modal)->reject();
    });
    window_.mnuPrint_Click();
    EXPECT_TRUE(asked);
}

} // namespace
} // namespace tessarin::test
