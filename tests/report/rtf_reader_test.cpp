// The RTF reader: what it makes of the report's markup, and that no input
// can crash it, hang it or break the one-line-per-paragraph text.
#include "rtf_encoding.h"
#include "rtf_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tessarin {
namespace {

std::size_t Newlines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(RtfReader, ControlWordsTakeOneBlankAsTheirDelimiter)
{
    const RtfDocument doc = ReadRtf(R"({\rtf1\par \pard\ul\b\fs22 Display parameters\ulnone :\b0\fs20\par \i0})");
    ASSERT_EQ(doc.paragraphs.size(), 3u);
    const RtfParagraph& title = doc.paragraphs[1];
    EXPECT_EQ(title.Text(), "Display parameters:");
    ASSERT_EQ(title.runs.size(), 2u);
    EXPECT_TRUE(title.runs[0].format.underline && title.runs[0].format.bold);
    EXPECT_EQ(title.runs[0].format.halfPoints, 22);
    EXPECT_EQ(title.runs[1].text, ":");
    EXPECT_FALSE(title.runs[1].format.underline);
    EXPECT_TRUE(title.runs[1].format.bold);
    EXPECT_EQ(doc.PlainText(), "\nDisplay parameters:\n\n");
}

TEST(RtfReader, LabelValueLineReadsTabLabelTabValue)
{
    const RtfDocument doc = ReadRtf(R"({\rtf1\par \pard\tx568\tx3976\b\tab Product Id : \b0\tab 0001})");
    EXPECT_EQ(doc.paragraphs[1].Text(), "\tProduct Id : \t0001");
    EXPECT_EQ(doc.paragraphs[1].tabStops, (std::vector<std::int32_t>{568, 3976}));
}

TEST(RtfReader, EscapesHexAndWindows1252BecomeUtf8)
{
    const RtfDocument doc = ReadRtf("{\\rtf1 a\\{b\\}c\\\\d\\'e9\\'80 n\xB0\\'0d\\u8364?x}");
    EXPECT_EQ(doc.PlainText(), "a{b}c\\d\u00E9\u20AC n\u00B0?\u20ACx\n");
}

TEST(RtfReader, DestinationsAndPictureDataAreNotText)
{
    const RtfDocument doc = ReadRtf(R"({\rtf1{\fonttbl{\f0 Arial;}}{\*\generator Msftedit;}{\*\unknown junk})"
                                    R"(\qc{\pict\pngblip\picwgoal1005 89504e47}\par Title\par})");
    ASSERT_EQ(doc.paragraphs.size(), 3u);
    EXPECT_TRUE(doc.paragraphs[0].picture);
    EXPECT_EQ(doc.paragraphs[0].Length(), 1);
    EXPECT_EQ(doc.PlainText(), "\nTitle\n\n");
}

TEST(RtfReader, ParagraphBreaksAreCountedAsTheReaderSeesThem)
{
    for (const std::string rtf : {R"(\par \par)", R"(\\par \pard\partial\par0 x)", "\\\nx\\\\\\par", R"(\'\par)", ""})
        EXPECT_EQ(static_cast<std::size_t>(CountParagraphBreaks(rtf)) + 1, ReadRtf(rtf).paragraphs.size()) << rtf;
}

TEST(RtfReader, AnyInputEndsWithEveryLineTerminatedAndNoStrayLineEnds)
{
    const std::string alphabet = "{}\\\\\\'*0123456789abfinptxu -\n\r\t\x80\xB0\xFF";
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        std::string rtf(random() % 200, ' ');
        for (char& c : rtf)
            c = alphabet[random() % alphabet.size()];
        const RtfDocument doc = ReadRtf(rtf);
        const std::string text = doc.PlainText();
        ASSERT_FALSE(doc.paragraphs.empty());
        ASSERT_EQ(Newlines(text), doc.paragraphs.size()) << rtf;
        ASSERT_EQ(text.find('\r'), std::string::npos) << rtf;
    }
}

TEST(RtfReader, HostileShapesStayLinearAndBounded)
{
    const std::string deep = std::string(2'000'000, '{') + "deep" + std::string(2'000'000, '}') + "}}}";
    EXPECT_EQ(ReadRtf(deep).PlainText(), "deep\n");
    EXPECT_EQ(ReadRtf(std::string(1'000'000, '}') + "x").PlainText(), "x\n");
    EXPECT_EQ(ReadRtf("\\" + std::string(1'000'000, 'a') + " x").PlainText(), "x\n");
    EXPECT_EQ(ReadRtf("a\\bin99999999999999 b").PlainText(), "a\n");
    EXPECT_EQ(ReadRtf("a\\fs-99999999999999999 b\\u-99999999999 c\\uc999999 d").paragraphs.size(), 1u);
    for (const char* tail : {"\\", "\\'", "\\'4", "\\u", "\\bin", "{\\*", "\\par"})
        EXPECT_NO_THROW(ReadRtf(std::string("x") + tail)) << tail;
}

TEST(RtfEncoding, ReportTextsBecomeSingleWindows1252Bytes)
{
    EXPECT_EQ(Utf8ToWindows1252("n\u00B0 \\tab \u20AC"), "n\xB0 \\tab \x80");
    EXPECT_EQ(Utf8ToWindows1252("\u4E2D|\xC3|\xC0\xAF|\xED\xA0\x80"), "?|?|??|???");
}

TEST(RtfEncoding, MonitorTextsAreEscapedToPlainAscii)
{
    EXPECT_EQ(EscapeRtfText("a{b}c\\d"), "a\\{b\\}c\\\\d");
    EXPECT_EQ(EscapeRtfText("\u00E9\u20AC\u00B0"), "\\'e9\\'80\\'b0");
    EXPECT_EQ(EscapeRtfText(std::string("\t\r\n\x7F\0\u0081", 7)), "??????");
    EXPECT_EQ(EscapeRtfText("\u4E2D\xFF"), "??");
    // Reading the escaped text back gives the original, controls aside.
    EXPECT_EQ(ReadRtf(EscapeRtfText("{\\par}\u00E9\u20AC")).PlainText(), "{\\par}\u00E9\u20AC\n");
}

} // namespace
} // namespace tessarin
