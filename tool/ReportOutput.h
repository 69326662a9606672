#pragma once
// Where a report may be written: never over its own input, never over a file that is not a PDF.
// A configuration file named by mistake after -o would otherwise be gone without a trace.

#include <string>
#include <string_view>

namespace mx::tool {

enum class OutputCheck {
  Ok,          // new, empty, or a PDF that may be replaced
  IsTheInput,  // the same file as the input, under any name or link
  NotAPdf,     // an existing file whose content is not a PDF
  Unreadable,  // exists but cannot be read to tell
};

// `input` "-" is standard input, which no output can be.
OutputCheck CheckReportOutput(const std::string& output, const std::string& input);
std::string_view OutputCheckText(OutputCheck check);

}  // namespace mx::tool
