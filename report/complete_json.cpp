#include "complete_json.h"

#ifdef TESSARIN_COMPLETE_DECODE
#include "complete_decoder.h"

#include <set>
#include <string_view>
#include <variant>
#endif

namespace tessarin {

#ifdef TESSARIN_COMPLETE_DECODE
namespace {

using Json = nlohmann::ordered_json;

std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0)
            text += ' ';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    return text;
}

Json Value(const complete::FieldValue& value)
{
    return std::visit([](const auto& v) { return Json(v); }, value);
}

const char* SourceName(complete::Finding::Source source)
{
    switch (source) {
    case complete::Finding::Source::Library: return "library";
    case complete::Finding::Source::Checksum: return "checksum";
    case complete::Finding::Source::Length: return "length";
    case complete::Finding::Source::Repair: return "repair";
    case complete::Finding::Source::Decoder: return "decoder";
    }
    return "decoder";
}

Json SectionJson(const complete::Section& section)
{
    Json j = Json::object();
    j["key"] = section.key;
    j["title"] = section.title;
    if (!section.summary.empty())
        j["summary"] = section.summary;
    // A section may repeat a fact (a list of codes, field by field): a
    // repeated key gathers its values into a list, in order.
    Json fields = Json::object();
    std::set<std::string_view> lists;
    for (const complete::Field& field : section.fields) {
        if (!fields.contains(field.key)) {
            fields[field.key] = Value(field.value);
        } else {
            Json& held = fields[field.key];
            if (lists.insert(field.key).second)
                held = Json::array({held});
            held.push_back(Value(field.value));
        }
    }
    j["fields"] = std::move(fields);
    if (!section.bytes.empty())
        j["bytes"] = Hex(section.bytes);
    Json children = Json::array();
    for (const complete::Section& child : section.children)
        children.push_back(SectionJson(child));
    j["sections"] = std::move(children);
    return j;
}

} // namespace

nlohmann::ordered_json CompleteJson(std::span<const std::uint8_t> edid)
{
    const complete::CompleteDecode decode = complete::DecodeComplete(edid, '.');
    Json j = Json::object();
    Json checksums = Json::array();
    for (const complete::BlockChecksum& checksum : decode.checksums)
        checksums.push_back(Json{{"block", checksum.block},
                                 {"type", checksum.type},
                                 {"stored", checksum.stored},
                                 {"expected", checksum.expected},
                                 {"valid", checksum.valid()}});
    j["checksums"] = std::move(checksums);
    j["length_problems"] = decode.lengthProblems;
    j["base_block"] = SectionJson(decode.base);
    Json extensions = Json::array();
    for (const complete::Section& extension : decode.extensions)
        extensions.push_back(SectionJson(extension));
    j["extensions"] = std::move(extensions);
    Json findings = Json::array();
    for (const complete::Finding& finding : decode.findings)
        findings.push_back(Json{{"source", SourceName(finding.source)}, {"text", finding.text}});
    j["findings"] = std::move(findings);
    return j;
}
#else
nlohmann::ordered_json CompleteJson(std::span<const std::uint8_t>)
{
    return nullptr;
}
#endif

} // namespace tessarin
