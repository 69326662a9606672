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

std::string PageName(PageKind kind) {
  return kind == PageKind::Global ? std::string("Global Settings & Channel Summary")
                                  : Printf("Channel %c Parameters", ChannelLetter(ChannelOf(kind)));
}

std::string PageTitle(PageKind kind, std::string_view fileName) {
  std::string title = PageName(kind);
  title += "   (Filename: ";
  title += fileName;
  title += ")";
  return title;
}

BodyPitches PitchesFor(int textHeight) {
  return {textHeight * 150 / 100, textHeight * 110 / 100, textHeight * 220 / 100};
}

TextExtent DrawPageBody(PrintPage& page, const PageBody& body) {
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

  TextExtent reach;
  auto draw = [&](int x, int y, std::string_view text, uint32_t styleWord, int maxWidth = 0) {
    const TextExtent drawn = page.Draw(x, y, text, styleWord, maxWidth);
    const bool centred = style::HorizontalOf(styleWord) == style::Horizontal::Centre;
    reach.width = std::max(reach.width, x + (centred ? drawn.width / 2 : drawn.width));
    reach.height = std::max(reach.height, y + drawn.height);
  };
  auto drawCells = [&](int y, const std::vector<std::string>& cells, uint32_t styleWord) {
    for (std::size_t k = 0; k < cells.size(); ++k)
      draw(columnX(k), y, cells[k], styleWord, columnPitch);
  };
  // Returns the extra height of the value's further lines.
  auto drawRow = [&](int x, int y, const BodyLine& line) {
    draw(x, y, line.label, style::kLabel);
    draw(equalsX, y, "=", style::kCentred);
    if (line.value.empty())
      return 0;
    int extra = 0;
    for (std::string_view part : page.Wrap(line.value, kBodyLayoutWidth - valueX, style::kLabel)) {
      draw(valueX, y + extra, part, style::kLabel);
      extra += pitch.subRow;
    }
    return extra - pitch.subRow;
  };

  int y = 0;
  bool firstSection = true;
  for (const BodyLine& line : body.lines) {
    switch (line.kind) {
      case LineKind::Section:
        y = firstSection ? kFirstSectionY : y + pitch.section;
        firstSection = false;
        draw(0, y, line.label, style::kHeading);
        break;
      case LineKind::Row:
        y += pitch.row;
        y += drawRow(kRowX, y, line);
        break;
      case LineKind::SubHeader:
        y += pitch.row;
        draw(kRowX, y, line.label, style::kLabel);
        break;
      case LineKind::SubRow:
        y += line.fullPitch ? pitch.row : pitch.subRow;
        y += drawRow(kSubRowX, y, line);
        break;
      case LineKind::TableHead:
        y += pitch.row;
        drawCells(y, line.cells, style::kColumnHead);
        break;
      case LineKind::TableRow:
        y += pitch.row;
        draw(kRowX, y, line.label, style::kLabel);
        drawCells(y, line.cells, style::kCentred);
        break;
    }
  }
  return reach;
}

double BodyScale(PrintPage& page, const PageBody& body) {
  const bool measuring = page.MeasureOnly();
  page.SetMeasureOnly(true);
  const TextExtent reach = DrawPageBody(page, body);
  page.SetMeasureOnly(measuring);
  // The footer's two lines end at the page bottom; half a line keeps the body clear of them.
  const int bottom = page.PageBottom() - page.LineHeight() * 5 / 2;
  double factor = 1.0;
  if (reach.width > page.PageWidth())
    factor = static_cast<double>(page.PageWidth()) / reach.width;
  if (reach.height > bottom)
    factor = std::min(
        factor, static_cast<double>(bottom - kFirstSectionY) / (reach.height - kFirstSectionY));
  return std::max(factor, 0.01);
}

void DrawFittedPageBody(PrintPage& page, const PageBody& body) {
  const double factor = BodyScale(page, body);
  if (factor < 1.0)
    page.ScaleFrom(0, kFirstSectionY, factor);
  DrawPageBody(page, body);
}

std::string PageBodyText(const PageBody& body) {
  std::string text;
  auto row = [&](const BodyLine& line) {
    text += line.label + " =";
    if (!line.value.empty())
      text += " " + line.value;
  };
  auto cells = [&](const std::vector<std::string>& all, bool lettered) {
    for (std::size_t k = 0; k < all.size(); ++k) {
      text += k ? " | " : "";
      if (lettered)
        text += std::string{ChannelLetter(static_cast<int>(k)), ':', ' '};
      text += all[k];
    }
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
        cells(line.cells, false);
        break;
      case LineKind::TableRow:
        text += line.label + " | ";
        cells(line.cells, true);
        break;
    }
    text += '\n';
  }
  return text;
}

}  // namespace mx::report
