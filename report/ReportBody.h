#pragma once
// The summary report's pages as content: which rows a page has, in which order, and the text of
// every label and value (UTF-8). The same content is drawn on a page and written as plain text, so
// the two forms never disagree.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/ModelTable.h"
#include "core/ParameterImage.h"
#include "report/PageCanvas.h"

namespace mx::report {

class PrintPage;

// The kinds of report page: the global page, then one page per channel A..E.
enum class PageKind { Global, ChannelA, ChannelB, ChannelC, ChannelD, ChannelE };
inline constexpr std::size_t kPageKindCount = 1 + kChannelCount;
inline constexpr std::array<PageKind, kPageKindCount> kPageKinds{
    PageKind::Global,   PageKind::ChannelA, PageKind::ChannelB,
    PageKind::ChannelC, PageKind::ChannelD, PageKind::ChannelE};
// The page of channel `channel` (0 for A).
constexpr PageKind ChannelPageKind(int channel) {
  return static_cast<PageKind>(channel + 1);
}
// The channel a page is about (0 for A), -1 for the global page.
constexpr int ChannelOf(PageKind kind) {
  return static_cast<int>(kind) - 1;
}
// The kind's place in kPageKinds and in tables by kind.
constexpr std::size_t IndexOf(PageKind kind) {
  return static_cast<std::size_t>(kind);
}

enum class LineKind {
  Section,    // heading at the left edge
  Row,        // label = value
  SubHeader,  // label alone
  SubRow,     // indented label = value
  TableHead,  // the summary table's column heads
  TableRow,   // a label and one cell per column
};

struct BodyLine {
  LineKind kind = LineKind::Row;
  std::string label;
  std::string value;
  std::vector<std::string> cells;  // table lines only
  bool fullPitch = false;          // a sub-row one whole row below the line before it
  bool operator==(const BodyLine&) const = default;

  static BodyLine Section(std::string label) { return Make(LineKind::Section, std::move(label)); }
  static BodyLine Row(std::string label, std::string value = {}) {
    return Make(LineKind::Row, std::move(label), std::move(value));
  }
  static BodyLine SubHeader(std::string label) {
    return Make(LineKind::SubHeader, std::move(label));
  }
  static BodyLine SubRow(std::string label, std::string value = {}, bool fullPitch = false) {
    BodyLine line = Make(LineKind::SubRow, std::move(label), std::move(value));
    line.fullPitch = fullPitch;
    return line;
  }
  static BodyLine Table(LineKind kind, std::string label = {}) {
    return Make(kind, std::move(label));
  }

 private:
  static BodyLine Make(LineKind kind, std::string label, std::string value = {}) {
    BodyLine line;
    line.kind = kind;
    line.label = std::move(label);
    line.value = std::move(value);
    return line;
  }
};

struct PageBody {
  // The page's label width W is the larger of width(widthLabel) and width(widthSubLabel) + 100.
  std::string_view widthLabel;
  std::string_view widthSubLabel;
  std::vector<BodyLine> lines;
};

// The body of one page for the image and the editor's model; reads the image, changes nothing.
PageBody BuildPageBody(const ParameterImage& image, ModelIndex model, PageKind kind);
PageBody BuildGlobalPage(const ParameterImage& image, ModelIndex model);
PageBody BuildChannelPage(const ParameterImage& image, int channel);

// "Global Settings & Channel Summary" or "Channel %c Parameters".
std::string PageName(PageKind kind);
// The page name, then "   (Filename: %s)".
std::string PageTitle(PageKind kind, std::string_view fileName);

// The body's geometry, in thousandths of an inch from the page origin.
struct BodyPitches {
  int row = 0;      // P
  int subRow = 0;   // S
  int section = 0;  // G
};
BodyPitches PitchesFor(int textHeight);
inline constexpr int kFirstSectionY = 900;

// The body is laid out this wide whatever the paper (a Letter page's width inside its quarter-inch
// border) and then scaled, so every paper shows the same lines with the same breaks.
inline constexpr int kBodyLayoutWidth = 7500;

// Draws the body in the current (body) font, at page scale: labels, "=" and values (a value too
// long for its line goes on onto the next), the summary table. Returns how far right and down
// the drawn texts reach.
TextExtent DrawPageBody(PrintPage& page, const PageBody& body);

// The one factor (at most 1) that fits the body, as DrawPageBody lays it out, between the page's
// left and right edges and between its first section and the footer.
double BodyScale(PrintPage& page, const PageBody& body);
// The body shrunk by BodyScale about its first section's top left corner.
void DrawFittedPageBody(PrintPage& page, const PageBody& body);

// The body as text, one line per drawn row: a row as "label = value" ("label =" when the value is
// empty), a sub-row indented by two blanks, a table row as its cells joined by " | ", each cell of
// a summary row after its channel's letter ("A: Auto"), so a changed cell names its channel.
std::string PageBodyText(const PageBody& body);

}  // namespace mx::report
