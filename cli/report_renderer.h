#pragma once
// One EDID in one of tessarin-report's formats. A run keeps one renderer for
// all its inputs, as the window keeps its writer: a batch of thousands then
// reuses the same writer, document and buffers instead of making new ones.
#include "command_line.h"
#include "headless_view.h"
#include "report_view.h"
#include "report_writer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

class ReportRenderer {
public:
    ReportRenderer();

    // `bytes`: every block as read (or redacted); the report decodes the
    // first two, the complete decode all of them. What is returned stays
    // valid until the next call (and, for bin, while `bytes` lives).
    std::string_view Render(OutputFormat format, bool standard, const std::vector<std::uint8_t>& bytes, bool redacted,
                            char separator);

private:
    // The report's files and standard output have no section tree: its
    // nodes are dropped rather than kept in a tree nobody reads, which cost
    // as much as a tenth of a report.
    class NoSectionTree final : public SectionTree {
    public:
        void Clear() override {}
        bool AddNode(const std::string&, const std::string&, const std::string&, bool, const std::string&) override
        {
            return true;
        }
        void EnsureVisible(const std::string&) override {}
        bool Shown() const override { return false; }
    };

    std::string_view PlainText();

    HeadlessReportView view_;
    NoSectionTree tree_;
    ReportWriter writer_;
    std::string text_;
    // Plain text goes here: neither zeroed nor copied again.
    std::unique_ptr<char[]> plain_;
    std::size_t plainCapacity_ = 0;
};

} // namespace tessarin
