#pragma once
// tessarin-report: the report of one or more EDIDs without a window, for
// scripts, batch audits and tests. main() only hands over its arguments.
#include <iosfwd>
#include <span>
#include <string>

namespace tessarin {

// Exit statuses: 0 every input reported, 1 an input was refused or an output
// could not be written, 2 a usage error (nothing is read or written then).
int RunReportTool(std::span<const std::string> args, std::istream& in, std::ostream& out,
                  std::ostream& err);

} // namespace tessarin
