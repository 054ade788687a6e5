// The pane's document as built from our RTF: one block per paragraph, one
// character per character, the report's formatting, fonts and logo; and the
// clipboard's copy of a part of it.
#include "report_fonts.h"
#include "rtf_range.h"
#include "rtf_reader.h"
#include "text_document_builder.h"

#include "app_test_support.h"

#include <QFontInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <gtest/gtest.h>


namespace tessarin::test {
namespace {

constexpr const char* kPrologFonts =
    R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fswiss\fprq2\fcharset0 Arial;})"
    R"({\f2\fmodern\fprq1\fcharset0 Courier New;}{\f7\fmodern\fprq1 No Such Typewriter;}{\f8\fswiss No Such Sans;}})";

std::int32_t ExpectedCharacters(const DocumentModel& document)
{
    std::int32_t count = 0;
    for (const TextParagraph& paragraph : document.paragraphs)
        count += document.Length(paragraph) + 1;
    return count;
}

QTextCharFormat FormatAt(const QTextDocument& document, int block, int offset)
{
    const QTextBlock b = document.findBlockByNumber(block);
    for (auto it = b.begin(); !it.atEnd(); ++it)
        if (offset < it.fragment().position() - b.position() + it.fragment().length())
            return it.fragment().charFormat();
    return {};
}

TEST(TextDocument, ReportMarkupBecomesBlocksTabsFontsAndTheLogo)
{
    std::string rtf = kPrologFonts;
    rtf += R"(\pard\qc\f0\fs20{\pict\pngblip\picw67\pich58\picwgoal1005\pichgoal870 )";
    const std::string logo = ReadText(fs::path(TESSARIN_TEST_DATA) / ".." / ".." / "report" / "logo" / "logo.png");
    for (const char byte : logo)
        rtf += QByteArray(1, byte).toHex().toStdString();
    rtf += R"(}\b\f1\fs24\par EDID Report\par \pard\b0\fs20\par \pard\tx568\tx3976\b\tab Week : \b0\tab 1)"
           R"(\par \pard\ul\b\fs22 Title\ulnone :\b0\fs20\par \f2 0x00\tab  00 FF\par \f7 mono\f8  sans\f9  unknown\'80\{\}})";
    const DocumentModel parsed = ReadRtf(rtf);
    QTextDocument document;
    FillTextDocument(document, parsed, 96);

    ASSERT_EQ(document.blockCount(), static_cast<int>(parsed.paragraphs.size()));
    EXPECT_EQ(document.characterCount(), ExpectedCharacters(parsed));

    // Line 0: the logo, centred, at its goal size (1005 x 870 twips = 67 x 58 at 96 dpi).
    const QTextBlock logoBlock = document.firstBlock();
    EXPECT_EQ(logoBlock.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextImageFormat image = FormatAt(document, 0, 0).toImageFormat();
    ASSERT_TRUE(image.isValid());
    EXPECT_DOUBLE_EQ(image.width(), 67);
    EXPECT_DOUBLE_EQ(image.height(), 58);
    const QImage picture = document.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    EXPECT_EQ(picture.size(), QSize(67, 58));

    const QTextCharFormat title = FormatAt(document, 1, 0);
    EXPECT_TRUE(title.font().bold());
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 12);
    EXPECT_EQ(document.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    const QTextBlock line = document.findBlockByNumber(3);
    EXPECT_EQ(line.text(), "\tWeek : \t1");
    ASSERT_EQ(line.blockFormat().tabPositions().size(), 2);
    EXPECT_DOUBLE_EQ(line.blockFormat().tabPositions()[0].position, 568 * 96 / 1440.0);
    EXPECT_DOUBLE_EQ(line.blockFormat().tabPositions()[1].position, 3976 * 96 / 1440.0);
    EXPECT_TRUE(FormatAt(document, 3, 1).font().bold());
    EXPECT_FALSE(FormatAt(document, 3, 9).font().bold());

    const QTextCharFormat heading = FormatAt(document, 4, 0);
    EXPECT_TRUE(heading.fontUnderline() && heading.font().bold());
    EXPECT_DOUBLE_EQ(heading.fontPointSize(), 11);
    EXPECT_FALSE(FormatAt(document, 4, 5).fontUnderline());

    // Arial and Courier New are shown in their metric twins; a font this
    // machine lacks keeps the kind its table entry names.
    EXPECT_EQ(QFontInfo(FormatAt(document, 3, 1).font()).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(FormatAt(document, 5, 0).font()).family(), "Liberation Mono");
    EXPECT_TRUE(QFontInfo(FormatAt(document, 6, 0).font()).fixedPitch());
#ifndef _WIN32 // Qt's headless platform there falls back without regard to the kind
    EXPECT_FALSE(QFontInfo(FormatAt(document, 6, 5).font()).fixedPitch());
#endif
    // Font 9 is not in the table: the table's first font.
    EXPECT_EQ(QFontInfo(FormatAt(document, 6, 10).font()).family(), "Liberation Sans");
    EXPECT_EQ(document.findBlockByNumber(6).text(), QString::fromUtf8("mono sans unknown\u20AC{}"));
}

TEST(ClipboardCopy, APartReadsBackAsTheSameTextFormatsAndPictures)
{
    const DocumentModel report = ReadRtf(std::string(kPrologFonts) +
                                       R"(\qc{\pict\pngblip\picwgoal1005 0102}\par \pard\tx568\b\tab Caf\'e9 \{x\}\b0\tab 1\u8364?)"
                                       R"(\u20013?\par \f7\fs18 raw\par })");
    const DocumentModel whole = ReadRtf(WriteRtf(report));
    ASSERT_EQ(whole.paragraphs.size(), report.paragraphs.size());
    for (std::size_t i = 0; i < report.paragraphs.size(); ++i) {
        const TextParagraph& a = report.paragraphs[i];
        const TextParagraph& b = whole.paragraphs[i];
        EXPECT_EQ(whole.Text(b), report.Text(a));
        EXPECT_EQ(b.alignment, a.alignment);
        EXPECT_TRUE(b.tabStops == a.tabStops);
        const auto aRuns = report.Runs(a);
        const auto bRuns = whole.Runs(b);
        ASSERT_EQ(bRuns.size(), aRuns.size());
        for (std::size_t r = 0; r < aRuns.size(); ++r)
            EXPECT_TRUE(bRuns[r].format == aRuns[r].format) << i << "/" << r;
    }
    ASSERT_EQ(whole.pictures.size(), 1u);
    EXPECT_EQ(whole.pictures[0].data, std::string("\x01\x02"));
    EXPECT_EQ(whole.pictures[0].widthGoal, 1005);
    EXPECT_EQ(whole.fonts.size(), report.fonts.size());
    EXPECT_EQ(whole.fonts[2].name, "Courier New");

    // From inside the second paragraph's label to inside the third line:
    // the picture (1) and its paragraph end (1) come first.
    const DocumentModel part = CopyRange(report, 2 + 4, 11);
    EXPECT_EQ(PlainTextOf(part), "\u00E9 {x}\t1\u20AC\u4E2D\nr");
    EXPECT_EQ(PlainTextOf(ReadRtf(WriteRtf(part))), PlainTextOf(part));
    EXPECT_TRUE(part.pictures.empty());
    // Past the end is clamped; a range that ends right after a paragraph
    // end gives an empty last paragraph.
    EXPECT_EQ(PlainTextOf(CopyRange(report, 0, 1000)), "\n\tCaf\u00E9 {x}\t1\u20AC\u4E2D\nraw\n");
    EXPECT_EQ(CopyRange(report, 0, 2).paragraphs.size(), 2u);
    EXPECT_EQ(CopyRange(report, 0, 2).pictures.size(), 1u);
    EXPECT_EQ(PlainTextOf(CopyRange(report, -5, 0)), "");
}

} // namespace
} // namespace tessarin::test
