#include "report/PrintPage.h"

#include "core/ProgramVersion.h"
#include "report/ValueTexts.h"

namespace mx::report {

namespace {

// The lines a paragraph (no line breaks in it) wraps into at `width`: broken after the last blank
// that still fits, the blanks at a break dropped; a word wider than the line is cut at the last
// character that fits, so nothing runs past the right edge.
template <typename Fits>
void WrapParagraph(std::string_view text, Fits fits, std::vector<std::string_view>& lines) {
  std::size_t start = 0;
  while (true) {
    const std::string_view rest = text.substr(start);
    if (fits(rest)) {
      lines.push_back(rest);
      return;
    }
    std::size_t cut = std::string_view::npos;
    for (std::size_t i = rest.find(' ', 1); i != std::string_view::npos;
         i = rest.find(' ', i + 1)) {
      if (!fits(rest.substr(0, i)))
        break;
      cut = i;
    }
    if (cut == std::string_view::npos) {
      // Longest prefix that fits, at least one character.
      std::size_t low = 1;
      std::size_t high = rest.size() - 1;
      while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (fits(rest.substr(0, mid)))
          low = mid;
        else
          high = mid - 1;
      }
      // Never inside a UTF-8 sequence: back to the character's start, or past the whole
      // character when it is the first one.
      while (low > 1 && (static_cast<uint8_t>(rest[low]) & 0xC0) == 0x80)
        --low;
      while (low < rest.size() && (static_cast<uint8_t>(rest[low]) & 0xC0) == 0x80)
        ++low;
      lines.push_back(rest.substr(0, low));
      start += low;
      continue;
    }
    std::size_t end = cut;
    while (end > 0 && rest[end - 1] == ' ')
      --end;
    lines.push_back(rest.substr(0, end));
    start += cut;
    while (start < text.size() && text[start] == ' ')
      ++start;
    if (start == text.size())
      return;
  }
}

}  // namespace

std::string FooterProgramLine() {
  std::string line(kFooterProgramPrefix);
  line += kSetupProgramVersion;
  line += kFooterMakerNotice;
  return line;
}

std::string PageNumberText(int page, int count) {
  return Printf("Page %d of %d", page, count);
}

PrintPage::PrintPage(PageCanvas& canvas) : canvas_(canvas) {
  const TextExtent area = canvas_.SetUpPage(kXOffset, kYOffset);
  pageWidth_ = area.width - kRightReserve;
  pageBottom_ = area.height - kBottomReserve;
  SelectFont(FontFace::Arial, kDecorationPoints);
}

PrintPage::FontChoice PrintPage::SelectFont(FontFace face, int points, int escapement, bool italic,
                                            int weight) {
  base_ = PageFont{face, points, weight, italic, false, escapement};
  CreateFont(0);
  const LineMetrics metrics = canvas_.Metrics();
  return {metrics.averageWidth, lineHeight_};
}

void PrintPage::CreateFont(uint32_t styleBits) {
  const bool plain = styleBits & style::kPlain;
  font_ = base_;
  if (!plain && (styleBits & style::kBold))
    font_.weight = kBoldWeight;
  if (!plain && (styleBits & style::kItalic))
    font_.italic = true;
  font_.underline = styleBits & style::kUnderline;
  styleBits_ = styleBits;
  canvas_.SetFont(font_);
  const LineMetrics metrics = canvas_.Metrics();
  lineHeight_ = metrics.height + metrics.externalLeading;
}

TextExtent PrintPage::Measure(std::string_view text) {
  return canvas_.Measure(text);
}

TextExtent PrintPage::Measure(std::string_view text, uint32_t styleWord) {
  if ((styleWord & style::kFontBits) != styleBits_)
    CreateFont(styleWord & style::kFontBits);
  return canvas_.Measure(text);
}

TextExtent PrintPage::Draw(int x, int y, std::string_view text, uint32_t styleWord, int maxWidth) {
  TextExtent extent = Measure(text, styleWord);
  int squeezeTo = 0;
  if (maxWidth > 0 && extent.width > maxWidth) {
    squeezeTo = maxWidth;
    extent.width = maxWidth;
  }
  if (!measureOnly_)
    canvas_.Draw(x, y, text, styleWord, squeezeTo);
  return extent;
}

std::vector<std::string_view> PrintPage::Wrap(std::string_view text, int width,
                                              uint32_t styleWord) {
  Measure(text, styleWord);
  std::vector<std::string_view> lines;
  WrapParagraph(
      text, [&](std::string_view line) { return canvas_.Measure(line).width <= width; }, lines);
  return lines;
}

PrintPage::Block PrintPage::DrawBlock(std::string_view text, int left, int rightMargin, int top,
                                      bool stopAtBottom, int forcedHeight) {
  const int width = pageWidth_ - rightMargin - left;
  auto fits = [&](std::string_view line) { return canvas_.Measure(line).width <= width; };
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view paragraph = text.substr(0, end);
    if (!paragraph.empty() && paragraph.back() == '\r')
      paragraph.remove_suffix(1);
    WrapParagraph(paragraph, fits, lines);
    if (end == std::string_view::npos)
      break;
    text.remove_prefix(end + 1);
  }

  Block block;
  block.height = static_cast<int>(lines.size()) * lineHeight_;
  const int bottom = top + (forcedHeight > 0 ? forcedHeight : block.height);
  if (stopAtBottom && bottom > pageBottom_ - kBlockBottomReserve) {
    block.drawn = false;
    return block;
  }
  const uint32_t styleWord = styleBits_ | style::kLeft | style::kTop;
  int y = top;
  for (std::string_view line : lines) {
    if (y + lineHeight_ > bottom)
      break;  // what does not fit a forced height is cut, never half drawn
    if (!line.empty())
      Draw(left, y, line, styleWord);
    y += lineHeight_;
  }
  return block;
}

void PrintPage::DrawHeader(std::string_view dateText, std::string_view timeText) {
  SelectFont(FontFace::Arial, kDecorationPoints);
  Draw(pageWidth_, 0, dateText, style::kHeaderRight);
  Draw(pageWidth_, lineHeight_, timeText, style::kHeaderRight);
}

void PrintPage::DrawPageNumber(int page, int count) {
  if (count < 2)
    return;
  SelectFont(FontFace::Arial, kDecorationPoints);
  Draw(0, 0, PageNumberText(page, count), style::kHeaderLeft);
}

void PrintPage::DrawFooter() {
  SelectFont(FontFace::Arial, kDecorationPoints);
  Draw(pageWidth_ / 2, pageBottom_, kFooterProductLine, style::kFooter, pageWidth_);
  Draw(pageWidth_ / 2, pageBottom_ - lineHeight_, FooterProgramLine(), style::kFooter, pageWidth_);
}

void PrintPage::DrawTitle(std::string_view text) {
  SelectFont(FontFace::Arial, kTitlePoints);
  Draw(pageWidth_ / 2, kTitleY, text, style::kTitle, pageWidth_);
}

}  // namespace mx::report
