// Any bytes as the report pane's RTF: read, built into the pane's text
// document and laid out, then copied as the clipboard copies it. The pane
// must keep one block per paragraph and one character per character (its
// line numbers rest on that), and a copy must read back as what was copied.
#include "rtf_range.h"
#include "rtf_reader.h"
#include "text_document_builder.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace tessarin;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckSameContent(const RtfDocument& a, const RtfDocument& b)
{
    Check(a.paragraphs.size() == b.paragraphs.size());
    for (std::size_t i = 0; i < a.paragraphs.size(); ++i) {
        const RtfParagraph& pa = a.paragraphs[i];
        const RtfParagraph& pb = b.paragraphs[i];
        Check(pa.runs.size() == pb.runs.size());
        for (std::size_t r = 0; r < pa.runs.size(); ++r) {
            Check(pa.runs[r].format == pb.runs[r].format);
            Check(pa.runs[r].text == pb.runs[r].text);
            Check((pa.runs[r].picture >= 0) == (pb.runs[r].picture >= 0));
            if (pa.runs[r].picture >= 0) {
                const RtfPicture& x = a.pictures[static_cast<std::size_t>(pa.runs[r].picture)];
                const RtfPicture& y = b.pictures[static_cast<std::size_t>(pb.runs[r].picture)];
                Check(x.png == y.png && x.data == y.data && x.widthGoal == y.widthGoal &&
                      x.heightGoal == y.heightGoal && x.width == y.width && x.height == y.height);
            }
        }
        // An empty last paragraph takes its settings from wherever the
        // document ends; the copy ends elsewhere.
        if (i + 1 < a.paragraphs.size() || !pa.runs.empty()) {
            Check(pa.alignment == pb.alignment);
            Check(pa.tabStops == pb.tabStops);
        }
        if (i + 1 < a.paragraphs.size())
            Check(pa.mark == pb.mark);
    }
    Check(a.fonts.size() == b.fonts.size());
    for (std::size_t i = 0; i < a.fonts.size(); ++i)
        Check(a.fonts[i].number == b.fonts[i].number && a.fonts[i].name == b.fonts[i].name &&
              a.fonts[i].family == b.fonts[i].family && a.fonts[i].pitch == b.fonts[i].pitch);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    const RtfDocument document = ReadRtf(rtf);

    QTextDocument pane;
    FillTextDocument(pane, document, 96);
    std::int64_t characters = 0;
    for (const RtfParagraph& paragraph : document.paragraphs)
        characters += paragraph.Length() + 1;
    Check(pane.blockCount() == static_cast<int>(document.paragraphs.size()));
    Check(pane.characterCount() == characters);
    pane.setTextWidth(300);
    pane.documentLayout()->documentSize();

    CheckSameContent(document, ReadRtf(WriteRtf(document)));
    // A part, from and to anywhere the input's first bytes say.
    const auto at = [&](std::size_t i) { return i < size ? data[i] : 0; };
    const RtfDocument part = CopyRange(document, at(0) * 7, at(1) * 13);
    CheckSameContent(part, ReadRtf(WriteRtf(part)));
    Check(PlainTextOf(ReadRtf(WriteRtf(part))) == PlainTextOf(part));
    return 0;
}
