#pragma once
// The texts of printing and PDF export in the setup program's window. The selection dialog's
// captions belong to the report's page selection.

#include <string_view>

namespace mx::editor::text {

inline constexpr std::string_view kFileExportPdf = "Export PDF...";
inline constexpr std::string_view kExportPdfTitle = "Export PDF";
inline constexpr std::string_view kPromptExportPdf =
    "Write the summary of the settings to a PDF file";
inline constexpr std::string_view kPdfFilter = "PDF files (*.pdf)";
inline constexpr std::string_view kPdfExtension = ".pdf";
inline constexpr std::string_view kCannotPrint = "The pages could not be printed.";
inline constexpr std::string_view kNoPrinter =
    "No printer is installed.\n\nExport the pages to a PDF file instead?";
inline constexpr std::string_view kCannotExport = "The file %1 could not be written.\n\n%2";

}  // namespace mx::editor::text
