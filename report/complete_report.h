#pragma once
// The complete decode's part of the report: after the last paragraph of the
// standard report, its own title and root node, then one section (and tree
// node) for the checksums, the base block, each extension and the findings.
namespace tessarin {

namespace complete {
struct CompleteDecode;
}
class ReportWriter;

void DisplayCompleteDecode(ReportWriter& writer, const complete::CompleteDecode& decode);

} // namespace tessarin
