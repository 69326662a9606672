#include "terminal/window/TerminalPrintout.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <optional>
#include <string_view>

#include "report/PainterCanvas.h"
#include "terminal/TerminalTexts.h"

namespace mx::terminal {
namespace {

// Cuts a line into pieces of at most `count` characters (UTF-8 sequences stay whole).
std::vector<std::string_view> Pieces(std::string_view line, int count) {
  std::vector<std::string_view> pieces;
  while (!line.empty()) {
    std::size_t end = 0;
    for (int characters = 0; end < line.size() && characters < count; ++characters) {
      ++end;
      while (end < line.size() && (static_cast<uint8_t>(line[end]) & 0xC0) == 0x80)
        ++end;
    }
    pieces.push_back(line.substr(0, end));
    line.remove_prefix(end);
  }
  return pieces;
}

// Lays the job out on pages; with `pageCount` 0 it only measures, and returns the count.
int Lay(report::PageCanvas& canvas, const PrintoutJob& job, int pageCount,
        const std::function<void()>& newPage) {
  std::optional<report::PrintPage> page;
  int number = 0;
  int perLine = 1;
  auto startPage = [&] {
    if (number > 0 && newPage)
      newPage();
    ++number;
    page.emplace(canvas);
    page->SetMeasureOnly(pageCount == 0);
    page->DrawHeader(job.texts.date, job.texts.time);
    page->DrawPageNumber(number, pageCount);
    page->DrawTitle(text::kPrintTitle);
    page->SelectFont(report::FontFace::Console, job.points, 0, false, report::kNormalWeight);
    perLine = CharactersPerLine(*page);
  };
  startPage();
  int y = kPrintoutTextTop;
  bool pageUsed = false;
  std::string_view text = job.text;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    // An empty line still takes a line's room: it is drawn as one blank.
    std::vector<std::string_view> pieces = Pieces(line, perLine);
    if (pieces.empty())
      pieces.push_back(" ");
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      if (pageUsed && y + page->Measure(pieces[i]).height > page->PageBottom()) {
        startPage();
        y = kPrintoutTextTop;
        pageUsed = false;
      }
      const report::TextExtent drawn =
          page->Draw(0, y, pieces[i], report::style::kLeft | report::style::kTop);
      y += drawn.height + (i + 1 < pieces.size() ? kPrintoutPieceGap : kPrintoutLineGap);
      pageUsed = true;
    }
  }
  return number;
}

}  // namespace

int CharactersPerLine(report::PrintPage& page) {
  const int tenCharacters = page.Measure("1234567890").width;
  if (tenCharacters <= 0)
    return 1;
  return std::max(1, page.PageWidth() * 10 / tenCharacters);
}

int DrawPrintout(report::PageCanvas& canvas, const PrintoutJob& job,
                 const std::function<void()>& newPage) {
  const int pages = Lay(canvas, job, 0, {});
  return Lay(canvas, job, pages, newPage);
}

bool PaintPrintout(QPagedPaintDevice& device, const PrintoutJob& job) {
  QPainter painter;
  if (!painter.begin(&device))
    return false;
  report::PainterCanvas canvas(painter);
  DrawPrintout(canvas, job, [&device] { device.newPage(); });
  return painter.end();
}

}  // namespace mx::terminal
