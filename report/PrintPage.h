#pragma once
// One printed page: the page area in thousandths of an inch, fonts by face, one-line texts with a
// style word, word-wrapped blocks, and the decoration every page of the setup program carries
// (header with date and time, page number, footer, title). The summary report and the serial test
// window's printout both draw through it.

#include <string>
#include <string_view>
#include <vector>

#include "report/PageCanvas.h"

namespace mx::report {

// The footer's two lines: the program with its version and the maker, above the product line.
inline constexpr std::string_view kFooterProgramPrefix = "MXSetup Program, Version ";
inline constexpr std::string_view kFooterMakerNotice = "  -  Brantwick Systems";
inline constexpr std::string_view kFooterProductLine =
    "Mesurix gage interfaces: digital and RS232 gages to RS232 and TCP/IP hosts";

std::string FooterProgramLine();
// "Page %d of %d".
std::string PageNumberText(int page, int count);

class PrintPage {
 public:
  // The page origin lies this far right of and below the printable area's top-left corner.
  static constexpr int kXOffset = 250;
  static constexpr int kYOffset = 125;
  // What the page keeps free beside and below the text, on top of the offsets above.
  static constexpr int kRightReserve = 500;
  static constexpr int kBottomReserve = 275;
  // A block that would end closer than this to the page bottom is not drawn when it must stop
  // there.
  static constexpr int kBlockBottomReserve = 250;
  static constexpr int kTitleY = 400;
  static constexpr int kDecorationPoints = 9;
  static constexpr int kTitlePoints = 10;

  // Sets the canvas up for one page and selects Arial 9.
  explicit PrintPage(PageCanvas& canvas);

  int PageWidth() const { return pageWidth_; }
  int PageBottom() const { return pageBottom_; }
  // Height of one line of the current font, external leading included.
  int LineHeight() const { return lineHeight_; }
  const PageFont& CurrentFont() const { return font_; }

  // When set, drawing measures and returns sizes but puts nothing on the page.
  void SetMeasureOnly(bool on) { measureOnly_ = on; }
  bool MeasureOnly() const { return measureOnly_; }

  struct FontChoice {
    int averageWidth = 0;
    int lineHeight = 0;
  };
  FontChoice SelectFont(FontFace face, int points, int escapement = 0, bool italic = false,
                        int weight = kNormalWeight);

  // Size of a one-line text in the current font, or in the font a style word makes of it.
  TextExtent Measure(std::string_view text);
  TextExtent Measure(std::string_view text, uint32_t styleWord);

  // One line at (x, y). `maxWidth` > 0: a wider text is condensed to that width, so it never runs
  // past the edge it was given. Returns the size drawn.
  TextExtent Draw(int x, int y, std::string_view text, uint32_t styleWord, int maxWidth = 0);

  // `text` broken into lines no wider than `width` in the font the style word makes: after the
  // last blank that fits, a word wider than the line cut where it must be.
  std::vector<std::string_view> Wrap(std::string_view text, int width, uint32_t styleWord);

  // Scales everything drawn from now on about the page point (x, y); see PageCanvas::ScaleFrom.
  void ScaleFrom(int x, int y, double factor) { canvas_.ScaleFrom(x, y, factor); }

  struct Block {
    int height = 0;     // the wrapped text's height, whether drawn or not
    bool drawn = true;  // false: stopped at the bottom, nothing was drawn
  };
  // Word-wrapped text between x = left and x = page width - rightMargin, from y = top. Line breaks
  // in the text are kept; a word wider than the line is cut where it must be. The block ends at
  // top + forcedHeight when one is given, else below its last line; with `stopAtBottom`, a block
  // that would end below page bottom - 250 is not drawn at all.
  Block DrawBlock(std::string_view text, int left, int rightMargin, int top, bool stopAtBottom,
                  int forcedHeight = 0);

  void DrawHeader(std::string_view dateText, std::string_view timeText);
  // Only on jobs of two pages or more.
  void DrawPageNumber(int page, int count);
  void DrawFooter();
  void DrawTitle(std::string_view text);

 private:
  void CreateFont(uint32_t styleBits);

  PageCanvas& canvas_;
  int pageWidth_ = 0;
  int pageBottom_ = 0;
  bool measureOnly_ = false;
  // The font as selected, before a style word changes its weight, slant or underline.
  PageFont base_;
  PageFont font_;
  uint32_t styleBits_ = 0;
  int lineHeight_ = 0;
};

}  // namespace mx::report
