// Layout and text form of a page body, and the page titles.
#include "report/ReportBody.h"

#include <algorithm>

#include "report/PrintPage.h"
#include "report/ValueTexts.h"

namespace mx::report {

namespace {

// Top-level labels start here; sub-rows one step further in.
constexpr int kRowX = 100;
constexpr int kSubRowX = 200;
// "=" is centred this far right of the label width, the value starts further still.
constexpr int kEqualsGap = 300;
constexpr int kValueGap = 500;
constexpr int kLabelWidthSlack = 100;
constexpr int kTableGap = 100;

// The summary table's columns: a label column as wide as its widest label, then one column per
// channel, each as wide as the widest cell text.
constexpr std::string_view kTableLabelWidthText = "Output Format      ";
constexpr std::string_view kTableColumnWidthText = "Maximum Label     ";

}  // namespace

std::string PageTitle(int pageKind, std::string_view fileName) {
  std::string title = pageKind == kGlobalPage
                          ? std::string("Global Settings & Channel Summary")
                          : Printf("Channel %c Parameters", ChannelLetter(pageKind - 1));
  title += "   (Filename: ";
  title += fileName;
  title += ")";
  return title;
}

BodyPitches PitchesFor(int textHeight) {
  return {textHeight * 150 / 100, textHeight * 110 / 100, textHeight * 220 / 100};
}

void DrawPageBody(PrintPage& page, const PageBody& body) {
  auto width = [&](std::string_view text) { return page.Measure(text, style::kLabel).width; };
  const BodyPitches pitch = PitchesFor(page.Measure(body.widthLabel, style::kLabel).height);
  const int labelWidth =
      std::max(width(body.widthLabel), width(body.widthSubLabel) + kLabelWidthSlack);
  const int equalsX = labelWidth + kEqualsGap;
  const int valueX = labelWidth + kValueGap;
  const int tableLabelWidth = width(kTableLabelWidthText);
  const int columnPitch = width(kTableColumnWidthText);
  auto columnX = [&](std::size_t k) {
    return columnPitch / 2 + tableLabelWidth + kTableGap + static_cast<int>(k) * columnPitch;
  };
  auto drawCells = [&](int y, const std::vector<std::string>& cells, uint32_t styleWord) {
    for (std::size_t k = 0; k < cells.size(); ++k)
      page.Draw(columnX(k), y, cells[k], styleWord, columnPitch);
  };
  auto drawRow = [&](int x, int y, const BodyLine& line) {
    page.Draw(x, y, line.label, style::kLabel);
    page.Draw(equalsX, y, "=", style::kCentred);
    if (!line.value.empty())
      page.Draw(valueX, y, line.value, style::kLabel, page.PageWidth() - valueX);
  };

  int y = 0;
  bool firstSection = true;
  for (const BodyLine& line : body.lines) {
    switch (line.kind) {
      case LineKind::Section:
        y = firstSection ? kFirstSectionY : y + pitch.section;
        firstSection = false;
        page.Draw(0, y, line.label, style::kHeading);
        break;
      case LineKind::Row:
        y += pitch.row;
        drawRow(kRowX, y, line);
        break;
      case LineKind::SubHeader:
        y += pitch.row;
        page.Draw(kRowX, y, line.label, style::kLabel);
        break;
      case LineKind::SubRow:
        y += line.fullPitch ? pitch.row : pitch.subRow;
        drawRow(kSubRowX, y, line);
        break;
      case LineKind::TableHead:
        y += pitch.row;
        drawCells(y, line.cells, style::kColumnHead);
        break;
      case LineKind::TableRow:
        y += pitch.row;
        page.Draw(kRowX, y, line.label, style::kLabel);
        drawCells(y, line.cells, style::kCentred);
        break;
    }
  }
}

std::string PageBodyText(const PageBody& body) {
  std::string text;
  auto row = [&](const BodyLine& line) {
    text += line.label + " =";
    if (!line.value.empty())
      text += " " + line.value;
  };
  auto cells = [&](const std::vector<std::string>& all) {
    for (std::size_t k = 0; k < all.size(); ++k)
      text += (k ? " | " : "") + all[k];
  };
  for (const BodyLine& line : body.lines) {
    switch (line.kind) {
      case LineKind::Section:
      case LineKind::SubHeader:
        text += line.label;
        break;
      case LineKind::Row:
        row(line);
        break;
      case LineKind::SubRow:
        text += "  ";
        row(line);
        break;
      case LineKind::TableHead:
        cells(line.cells);
        break;
      case LineKind::TableRow:
        text += line.label + " | ";
        cells(line.cells);
        break;
    }
    text += '\n';
  }
  return text;
}

}  // namespace mx::report
