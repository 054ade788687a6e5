#pragma once
// Looking things up in a complete decode, and the complete report built
// headless as tessarin-report builds it.
#include "complete_decode.h"
#include "complete_decoder.h"
#include "edid_parser.h"
#include "edid_report.h"
#include "headless_view.h"
#include "report_writer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <span>
#include <string>
#include <vector>
#include "test_files.h"

namespace tessarin::test {

using complete::Field;
using complete::Section;

// Every section under `s` (itself included) with this key, depth first.
inline void Collect(const Section& s, const std::string& key, std::vector<const Section*>& out)
{
    if (s.key == key)
        out.push_back(&s);
    for (const Section& c : s.children)
        Collect(c, key, out);
}

inline std::vector<const Section*> All(const complete::CompleteDecode& d, const std::string& key)
{
    std::vector<const Section*> out;
    Collect(d.base, key, out);
    for (const Section& e : d.extensions)
        Collect(e, key, out);
    return out;
}

inline const Field* FindField(const Section& s, const std::string& key)
{
    const auto it = std::find_if(s.fields.begin(), s.fields.end(), [&](const Field& f) { return f.key == key; });
    return it == s.fields.end() ? nullptr : &*it;
}

struct Reports {
    std::string standardRtf, standardText, completeRtf, completeText;
};

// The standard and the complete report of all of `edid`, as tessarin-report
// writes them (the decoder gets the first 256 bytes, zero-padded).
inline Reports BuildBoth(std::span<const std::uint8_t> edid)
{
    std::vector<std::uint8_t> first(CEDIDParser::EDIDSize, 0);
    std::copy_n(edid.begin(), std::min(edid.size(), first.size()), first.begin());
    Reports r;
    for (const bool full : {false, true}) {
        CEDIDParser parser;
        parser.UpdateEDIDDataFromArray(first);
        HeadlessReportView view;
        HeadlessSectionTree tree;
        ReportWriter writer(view, tree);
        const complete::CompleteDecode decode = complete::DecodeComplete(edid);
        ReportContext context{writer, parser, '.'};
        if (full)
            context.complete = &decode;
        DisplayEDIDBase(context);
        (full ? r.completeRtf : r.standardRtf) = writer.CompleteDocument();
        (full ? r.completeText : r.standardText) = view.Document().PlainText();
    }
    return r;
}

} // namespace tessarin::test
