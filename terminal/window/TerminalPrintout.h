#pragma once
// The printout of the test window's text: the page header with date and time, the title, and the
// text in the console face at the printer font size, one printed line per pane line, long lines
// cut into pieces of as many characters as the page width holds. Text that does not fit one page
// goes on to the next, which carries the same header and title and, like every job of two pages
// or more, page numbers.

#include <functional>
#include <string>

#include "report/PageCanvas.h"
#include "report/PrintPage.h"
#include "report/ReportJob.h"

class QPagedPaintDevice;

namespace mx::terminal {

struct PrintoutJob {
  std::string text;  // lines separated by '\n'
  int points = 9;    // the printer font size of the test settings
  report::JobTexts texts;
};

// Where the text starts below the top of each page, and the space after each piece of a cut line
// and after the last piece of a line, on top of the height drawn.
inline constexpr int kPrintoutTextTop = 900;
inline constexpr int kPrintoutPieceGap = 30;
inline constexpr int kPrintoutLineGap = 70;

// Characters on one printed line in the current font: the page width over a tenth of the width of
// "1234567890".
int CharactersPerLine(report::PrintPage& page);

// Draws every page of the job; `newPage` runs before each page after the first. Returns the number
// of pages.
int DrawPrintout(report::PageCanvas& canvas, const PrintoutJob& job,
                 const std::function<void()>& newPage);

// Prints the job on a printer (or any paged device). False when painting could not start.
bool PaintPrintout(QPagedPaintDevice& device, const PrintoutJob& job);

}  // namespace mx::terminal
