// The pane's display lines are its layout lines: counted, located, and the
// source of the section tags, which must come out as the naive refresh after
// every primitive gives them, wrapped or not.
#include "edid_report.h"
#include "report_pane.h"
#include "report_writer.h"
#include "rtf_reader.h"
#include "section_tree_widget.h"

#include "app_test_support.h"

#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

struct Report {
    ReportPane pane;
    SectionTreeWidget tree;
    std::vector<std::pair<std::string, std::string>> nodes; // key, tag

    Report(int width, ReportWriter::Refresh refresh, const std::vector<std::uint8_t>& edid)
    {
        pane.resize(width, 600);
        pane.show();
        CEDIDParser parser;
        parser.UpdateEDIDDataFromArray(edid);
        ReportWriter writer(pane, tree, refresh);
        DisplayEDIDBase(ReportContext{writer, parser, '.'});
        for (QTreeWidgetItemIterator it(&tree); *it; ++it)
            nodes.emplace_back(SectionTreeWidget::Key(**it), SectionTreeWidget::Tag(**it));
    }
};

TEST(ReportPane, TagsTakenOnceEqualTheNaiveRefreshAfterEveryPrimitive)
{
    const auto edid = TestEdid();
    for (const int width : {900, 260}) {
        Report once(width, ReportWriter::Refresh::Once, edid);
        Report naive(width, ReportWriter::Refresh::EveryPrimitive, edid);
        EXPECT_EQ(once.nodes, naive.nodes) << "pane width " << width;
        EXPECT_EQ(once.pane.LineCount(), naive.pane.LineCount());
        EXPECT_GT(once.nodes.size(), 15u);
    }
    // Narrow, the long lines wrap and the tags move on.
    Report wide(900, ReportWriter::Refresh::Once, edid);
    Report narrow(260, ReportWriter::Refresh::Once, edid);
    EXPECT_GT(narrow.pane.LineCount(), wide.pane.LineCount());
    EXPECT_NE(narrow.nodes.back(), wide.nodes.back());
}

TEST(ReportPane, LinesAreTheLayoutsLines)
{
    ReportPane pane;
    pane.resize(300, 200);
    pane.show();
    EXPECT_EQ(pane.LineCount(), 1); // empty: one line
    EXPECT_EQ(pane.FirstCharOfLine(0), 0);
    EXPECT_EQ(pane.FirstCharOfLine(1), -1);

    pane.SetDocument(ReadRtf(R"({\rtf1 short\par )" + std::string(400, 'w').insert(200, " ") + R"(\par end})"));
    const QTextLayout* wrapped = pane.document()->findBlockByNumber(1).layout();
    ASSERT_GT(wrapped->lineCount(), 1);
    EXPECT_EQ(pane.LineCount(), 2 + wrapped->lineCount());
    EXPECT_EQ(pane.LinesOfParagraphs(2), 1 + wrapped->lineCount());
    EXPECT_EQ(pane.FirstCharOfLine(1), 6);
    EXPECT_EQ(pane.FirstCharOfLine(2), 6 + wrapped->lineAt(1).textStart());
    EXPECT_EQ(pane.FirstCharOfLine(pane.LineCount() - 1), 6 + 401 + 1);
    EXPECT_EQ(pane.FirstCharOfLine(pane.LineCount()), -1);
    EXPECT_EQ(pane.FirstCharOfLine(-1), -1);
    EXPECT_EQ(pane.PlainTextLength(), 6 + 401 + 1 + 3);

    // Clamped as a rich-text control clamps.
    pane.Select(400, 1000);
    EXPECT_EQ(pane.SelectionStart(), 400);
    EXPECT_EQ(pane.SelectionLength(), pane.PlainTextLength() - 400);
    pane.Select(-3, 2);
    EXPECT_EQ(pane.SelectionStart(), 0);
    EXPECT_EQ(pane.SelectionLength(), 2);
}

} // namespace
} // namespace tessarin::test
