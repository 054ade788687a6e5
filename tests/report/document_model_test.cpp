// The model the writer fills and the RTF it renders say the same: read back,
// the RTF gives the model, paragraph for paragraph and run for run. This is
// what keeps the pane, the plain text and the saved document in step.
#include "report_test_support.h"
#include "rtf_encoding.h"
#include "rtf_reader.h"

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

void ExpectSameFormat(const CharFormat& a, const CharFormat& b, const std::string& where)
{
    EXPECT_TRUE(a == b) << where << ": bold " << a.bold << "/" << b.bold << ", font " << a.font << "/" << b.font
                        << ", size " << a.halfPoints << "/" << b.halfPoints;
}

void ExpectSameDocument(const DocumentModel& model, const DocumentModel& read, const std::string& name)
{
    ASSERT_EQ(model.paragraphs.size(), read.paragraphs.size()) << name;
    for (std::size_t i = 0; i < model.paragraphs.size(); ++i) {
        const TextParagraph& a = model.paragraphs[i];
        const TextParagraph& b = read.paragraphs[i];
        const std::string where = name + " paragraph " + std::to_string(i);
        EXPECT_EQ(a.alignment, b.alignment) << where;
        EXPECT_TRUE(a.tabStops == b.tabStops) << where;
        EXPECT_EQ(a.picture, b.picture) << where;
        ExpectSameFormat(a.mark, b.mark, where + " mark");
        const auto aRuns = model.Runs(a);
        const auto bRuns = read.Runs(b);
        ASSERT_EQ(aRuns.size(), bRuns.size()) << where;
        for (std::size_t k = 0; k < aRuns.size(); ++k) {
            EXPECT_EQ(model.Text(aRuns[k]), read.Text(bRuns[k])) << where;
            EXPECT_EQ(aRuns[k].picture, bRuns[k].picture) << where;
            ExpectSameFormat(aRuns[k].format, bRuns[k].format, where + " run " + std::to_string(k));
        }
    }
    ASSERT_EQ(model.fonts.size(), read.fonts.size()) << name;
    for (std::size_t i = 0; i < model.fonts.size(); ++i) {
        EXPECT_EQ(model.fonts[i].number, read.fonts[i].number);
        EXPECT_EQ(model.fonts[i].family, read.fonts[i].family);
        EXPECT_EQ(model.fonts[i].pitch, read.fonts[i].pitch);
        EXPECT_EQ(model.fonts[i].name, read.fonts[i].name);
    }
    ASSERT_EQ(model.pictures.size(), read.pictures.size()) << name;
    for (std::size_t i = 0; i < model.pictures.size(); ++i) {
        const PictureData& a = model.pictures[i];
        const PictureData& b = read.pictures[i];
        EXPECT_TRUE(a.png == b.png && a.data == b.data && a.width == b.width && a.height == b.height &&
                    a.widthGoal == b.widthGoal && a.heightGoal == b.heightGoal)
            << name;
    }
}

TEST(DocumentModel, EveryReportReadsBackAsItsModel)
{
    std::size_t reports = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TESSARIN_TEST_DATA)) {
        if (entry.path().extension() != ".bin")
            continue;
        // The naive path hands the pane the model after every primitive.
        for (const auto refresh : {ReportWriter::Refresh::Once, ReportWriter::Refresh::EveryPrimitive}) {
            BuiltReport report;
            Build(report, ReadEdid(entry.path()), ',', refresh);
            ExpectSameDocument(report.writer->Document(), ReadRtf(report.rtf), entry.path().filename().string());
        }
        ++reports;
    }
    EXPECT_GE(reports, 10u);
}

// Labels and values carry the document's escapes and, now and then, a
// control word; monitor texts come escaped, and what the code page lacks
// shows as "?".
TEST(DocumentModel, TextsWithEscapesAndControlWordsReadBackAsTheirModel)
{
    const std::string texts[] = {
        "a\\{b\\}c\\\\d\\'e9\\'80\\'81 n\xC2\xB0\\'0d\\u8364?x",
        "\\u-3999??y\\uc2\\u300 ab\\'01c\\uc1",
        "x\\b bold\\b0 \\i it\\i0\\ul u\\ulnone\\tab t\\fs30 big\\f2 mono",
        "\xE2\x82\xAC\xC2\x81\xC2\x85\xFF\xF0\x9F\x98\x80z\x7F\x01\t\xE2\x82",
        EscapeRtfText("{\\par}\u00E9\u20AC\x01\u0416"),
        "two\\par paragraphs",
    };
    for (const std::string& text : texts) {
        HeadlessReportView view;
        HeadlessSectionTree tree;
        ReportWriter writer(view, tree);
        writer.StartReport();
        writer.AddLabelValue(text, text);
        writer.AddRawDataLine(text, text);
        writer.AddSectionTitle(text);
        writer.AddExtensionTitle(text);
        writer.AddEmptyLine();
        ExpectSameDocument(writer.Document(), ReadRtf(writer.CompleteDocument()), text);
    }
}

// The plain text is laid out for paragraphs whose texts follow each other,
// as appending makes them; a model that reuses text must still come out
// whole, and never past the room it is given.
TEST(DocumentModel, PlainTextOfParagraphsThatShareTextStaysInItsRoom)
{
    DocumentModel model = EmptyDocument();
    model.AppendText({}, "shared");
    model.AddParagraph();
    model.AddParagraph();
    model.paragraphs[2].firstRun = 0;
    model.paragraphs[2].endRun = 1;
    EXPECT_EQ(model.PlainText(), "shared\n\nshared\n");
    std::string room(model.PlainTextBound() + 1, '#');
    EXPECT_FALSE(model.PlainTextInto(std::span<char>(room.data(), model.PlainTextBound())));
    EXPECT_EQ(room.back(), '#');
}

// A character the code page lacks is one '?', however many bytes it takes.
TEST(DocumentModel, ACharacterTheCodePageLacksIsOneQuestionMark)
{
    EXPECT_EQ(EscapeRtfText("a\u0416b\u20AC c\U0001F600d\xF0\x9F"), "a?b\\'80 c?d??");
    EXPECT_EQ(Utf8ToWindows1252("\U0001F600\u00E9\u0416"), "?\xE9?");
}

// Plain stretches are taken many bytes at a time: a character that needs a
// look must be seen wherever it stands. Texts that are not RTF are escaped
// only where they need it, and must come out as their escaped form would.
TEST(DocumentModel, EveryCharacterThatNeedsALookIsSeenWhereverItStands)
{
    // Each as text, and as it may stand in RTF.
    const std::pair<std::string, std::string> specials[] = {
        {"\\", "\\\\"}, {"{", "\\{"},     {"}", "\\}"}, {"\t", "\t"}, {"\x01", "\x01"}, {"\x1F", "\\'e9"},
        {"\x7F", "\x7F"}, {"\xC3\xA9", "\xC3\xA9"}, {"~", "~"},   {"|", "|"},   {"z", "z"},       {" ", "\\tab "}};
    for (const auto& [special, inRtf] : specials) {
        for (std::size_t at = 0; at <= 18; ++at) {
            std::string text = "abcdefghijklmnopqr";
            std::string rtf = text;
            text.insert(at, special);
            rtf.insert(at, inRtf);
            HeadlessReportView view;
            HeadlessSectionTree tree;
            ReportWriter asText(view, tree);
            asText.StartReport();
            asText.AddTextLabelValue(text, text.substr(at));
            asText.AddTextSubsectionTitle(text, false);
            asText.AddLabelValue(rtf, rtf);
            asText.AddRawDataLine(rtf, rtf + "\\tab ");
            const std::string where = "\"" + text + "\"";
            ExpectSameDocument(asText.Document(), ReadRtf(asText.CompleteDocument()), where);

            ReportWriter escaped(view, tree);
            escaped.StartReport();
            escaped.AddLabelValue(EscapeRtfText(text), EscapeRtfText(text.substr(at)));
            escaped.AddSubsectionTitle(EscapeRtfText(text), false);
            escaped.AddLabelValue(rtf, rtf);
            escaped.AddRawDataLine(rtf, rtf + "\\tab ");
            EXPECT_EQ(asText.CompleteDocument(), escaped.CompleteDocument()) << where;
            EXPECT_EQ(asText.Document().PlainText(), escaped.Document().PlainText()) << where;
        }
    }
}

} // namespace
} // namespace tessarin::test
