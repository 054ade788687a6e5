#pragma once
// Reports built headless from EDID bytes, and a small EDID maker for cases
// the real EDIDs in tests/data do not cover.
#include "edid_parser.h"
#include "edid_report.h"
#include "headless_view.h"
#include "report_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>
#include "test_files.h"

namespace tessarin::test {

using Edid = std::array<std::uint8_t, 256>;

struct BuiltReport {
    HeadlessReportView view;
    HeadlessSectionTree tree;
    std::unique_ptr<ReportWriter> writer; // owns the document the view shows
    std::string rtf;
    std::string text;
    std::vector<std::string> lines; // text split at its line ends
};

inline void Build(BuiltReport& report, std::span<const std::uint8_t> edid, char separator = '.',
                  ReportWriter::Refresh refresh = ReportWriter::Refresh::Once)
{
    CEDIDParser parser;
    parser.UpdateEDIDDataFromArray(edid);
    report.writer = std::make_unique<ReportWriter>(report.view, report.tree, refresh);
    DisplayEDIDBase(ReportContext{*report.writer, parser, separator});
    report.rtf = report.writer->CompleteDocument();
    report.text = report.view.Document().PlainText();
    report.lines.clear();
    std::istringstream in(report.text);
    for (std::string line; std::getline(in, line);)
        report.lines.push_back(line);
}

inline bool HasLine(const BuiltReport& report, std::string_view line)
{
    return std::find(report.lines.begin(), report.lines.end(), line) != report.lines.end();
}

// The first 256 bytes of a raw EDID file, zero-padded.
inline Edid ReadEdid(const std::filesystem::path& path)
{
    Edid edid{};
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(edid.data()), static_cast<std::streamsize>(edid.size()));
    return edid;
}

inline std::vector<std::filesystem::path> TestEdids()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(TESSARIN_TEST_DATA))
        if (entry.path().extension() == ".bin")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// A plausible digital EDID 1.3: header, maker "TSN", one 1080p timing in
// descriptor 1, the rest zero. Tests change what they are about.
inline Edid MakeEdid()
{
    Edid e{};
    const std::uint8_t base[] = {
        0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x52, 0x6E, 0x34, 0x12, 0x01, 0x00, 0x00, 0x00,
        0x01, 0x16, 0x01, 0x03, 0x80, 0x34, 0x20, 0x78, 0x0A, 0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26,
        0x0F, 0x50, 0x54, 0x00, 0x00, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
        0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58, 0x2C,
        0x45, 0x00, 0x40, 0x84, 0x63, 0x00, 0x00, 0x1E};
    std::copy(std::begin(base), std::end(base), e.begin());
    return e;
}

inline void Put(Edid& e, std::size_t at, std::initializer_list<std::uint8_t> bytes)
{
    for (const std::uint8_t b : bytes)
        e.at(at++) = b;
}

// A monitor descriptor (tag 0xFC name, 0xFF serial) in base descriptor 2..4.
inline void PutText(Edid& e, int descriptor, std::uint8_t tag, std::initializer_list<std::uint8_t> text)
{
    const std::size_t at = 54 + 18 * static_cast<std::size_t>(descriptor - 1);
    std::fill(e.begin() + static_cast<std::ptrdiff_t>(at), e.begin() + static_cast<std::ptrdiff_t>(at + 18), 0);
    e[at + 3] = tag;
    std::size_t i = at + 5;
    for (const std::uint8_t b : text)
        e.at(i++) = b;
}

// A CEA-861 extension with the given data blocks (raw bytes, headers
// included) and detailed timings starting at extension byte `offset`.
inline void PutCea(Edid& e, std::initializer_list<std::uint8_t> blocks, std::uint8_t offset)
{
    e[126] = 1;
    Put(e, 128, {0x02, 0x03, offset, 0x00});
    Put(e, 132, blocks);
}

} // namespace tessarin::test
