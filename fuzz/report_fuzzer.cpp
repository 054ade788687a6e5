// Any bytes as an EDID, through the whole report: decoded, written into the
// document model, and rendered every way the program renders it: the plain
// text, the RTF document, the pane's text document and a clipboard copy of a
// part. Each rendering must say what the model says: the pane one block per
// paragraph and one character per character (its line numbers rest on that),
// the RTF and the copy the same paragraphs when read back.
#include "edid_parser.h"
#include "edid_report.h"
#include "headless_view.h"
#include "report_writer.h"
#include "rtf_range.h"
#include "rtf_reader.h"
#include "text_document_builder.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace tessarin;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckSameText(const DocumentModel& a, const DocumentModel& b)
{
    Check(a.paragraphs.size() == b.paragraphs.size());
    for (std::size_t i = 0; i < a.paragraphs.size(); ++i) {
        Check(a.Text(a.paragraphs[i]) == b.Text(b.paragraphs[i]));
        Check(a.Length(a.paragraphs[i]) == b.Length(b.paragraphs[i]));
    }
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
    std::array<std::uint8_t, CEDIDParser::EDIDSize> edid{};
    std::copy_n(data, std::min(size, edid.size()), edid.begin());
    CEDIDParser parser;
    Check(parser.UpdateEDIDDataFromArray(edid));
    HeadlessReportView view;
    HeadlessSectionTree tree;
    ReportWriter writer(view, tree);
    DisplayEDIDBase(ReportContext{writer, parser, size > 0 && data[0] % 2 == 0 ? '.' : ','});
    const DocumentModel& document = writer.Document();

    const std::string text = document.PlainText();
    Check(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) == document.paragraphs.size());
    CheckSameText(document, ReadRtf(writer.CompleteDocument()));

    QTextDocument pane;
    FillTextDocument(pane, document, 96);
    std::int64_t characters = 0;
    for (const TextParagraph& paragraph : document.paragraphs)
        characters += document.Length(paragraph) + 1;
    Check(pane.blockCount() == static_cast<int>(document.paragraphs.size()));
    Check(pane.characterCount() == characters);
    pane.setTextWidth(300);
    pane.documentLayout()->documentSize();

    // A part, from and to anywhere the input's last bytes say.
    const auto at = [&](std::size_t i) { return i < size ? data[size - 1 - i] : 0; };
    const DocumentModel part = CopyRange(document, at(0) * 29, at(1) * 37);
    CheckSameText(part, ReadRtf(WriteRtf(part)));
    Check(PlainTextOf(ReadRtf(WriteRtf(part))) == PlainTextOf(part));
    return 0;
}
