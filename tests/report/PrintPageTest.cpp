#include <gtest/gtest.h>

#include "report/DateTimeText.h"
#include "report/PrintPage.h"
#include "support/RecordingCanvas.h"

namespace mx::report {
namespace {

using test::RecordingCanvas;

TEST(PrintPage, PageAreaAndDecoration) {
  RecordingCanvas canvas;
  PrintPage page(canvas);
  EXPECT_EQ(canvas.xOrigin, 250);
  EXPECT_EQ(canvas.yOrigin, 125);
  EXPECT_EQ(page.PageWidth(), 8000 - 500);
  EXPECT_EQ(page.PageBottom(), 10500 - 275);

  page.DrawHeader("8-18-2008", "9:05:07 AM");
  page.DrawPageNumber(1, 1);  // a one-page job carries no number
  page.DrawPageNumber(2, 3);
  page.DrawFooter();
  page.DrawTitle("Global Settings & Channel Summary");

  const int line = 9 * 12 + 9;  // Arial 9: height and external leading
  struct Expected {
    std::string text;
    int x, y;
    uint32_t style;
    int points;
    int weight;
  } expected[] = {
      {"8-18-2008", 7500, 0, 0x414, 9, 400},
      {"9:05:07 AM", 7500, line, 0x414, 9, 400},
      {"Page 2 of 3", 0, 0, 0x412, 9, 400},
      {std::string(kFooterProductLine), 3750, 10225, 0x421, 9, 400},
      {FooterProgramLine(), 3750, 10225 - line, 0x421, 9, 400},
      {"Global Settings & Channel Summary", 3750, 400, 0x611, 10, 700},
  };
  ASSERT_EQ(canvas.texts.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const auto& got = canvas.texts[i];
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(got.text, expected[i].text);
    EXPECT_EQ(got.x, expected[i].x);
    EXPECT_EQ(got.y, expected[i].y);
    EXPECT_EQ(got.style, expected[i].style);
    EXPECT_EQ(got.font.face, FontFace::Arial);
    EXPECT_EQ(got.font.points, expected[i].points);
    EXPECT_EQ(got.font.weight, expected[i].weight);
    EXPECT_TRUE(got.font.italic);  // every decoration is italic
  }
  EXPECT_EQ(FooterProgramLine().rfind("MXSetup Program, Version 1.0.1.24", 0), 0u);
}

TEST(PrintPage, StyleWordShapesTheFont) {
  struct Case {
    bool baseItalic;
    uint32_t style;
    int weight;
    bool italic, underline;
  } cases[] = {
      {false, 0x10012, 400, false, false}, {false, 0x10212, 700, false, false},
      {false, 0x611, 700, true, false},    {false, 0x10811, 400, false, true},
      {false, 0x700, 400, false, false},  // plain wins over bold and italic
      {true, 0x100, 400, true, false},    // ... but keeps the italic the font was chosen with
      {false, 0x900, 400, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    RecordingCanvas canvas;
    PrintPage page(canvas);
    page.SelectFont(FontFace::Serif, 12, 0, c.baseItalic, 400);
    page.Draw(0, 0, "x", c.style);
    const PageFont& font = canvas.texts.at(0).font;
    EXPECT_EQ(font.face, FontFace::Serif);
    EXPECT_EQ(font.points, 12);
    EXPECT_EQ(font.weight, c.weight);
    EXPECT_EQ(font.italic, c.italic);
    EXPECT_EQ(font.underline, c.underline);
  }
}

TEST(PrintPage, WideTextIsSqueezedToItsLimit) {
  RecordingCanvas canvas;
  PrintPage page(canvas);
  EXPECT_EQ(page.Draw(100, 0, "abcd", 0x12, 180).width, 180);  // 4 x 45 fits exactly
  EXPECT_EQ(page.Draw(100, 0, "abcde", 0x12, 180).width, 180);
  EXPECT_EQ(canvas.texts.at(0).squeezeTo, 0);
  EXPECT_EQ(canvas.texts.at(1).squeezeTo, 180);
}

TEST(PrintPage, StyleWordAlignmentAndColour) {
  struct Case {
    uint32_t style;
    TextOffset offset;
  } cases[] = {
      {0x12, {0, 0}},      {0x0, {0, 0}},     {0x13, {0, 0}},  // any other value is left
      {0x11, {-50, 0}},    {0x14, {-100, 0}}, {0x21, {-50, -40}},
      {0x44, {-100, -10}},  // bottom at the point, then half a line (60) down
  };
  for (const Case& c : cases)
    EXPECT_EQ(AlignText({100, 40}, c.style, 60), c.offset) << c.style;

  EXPECT_EQ(style::ColourOf(0x30000), style::Colour::Red);
  EXPECT_EQ(style::ColourOf(0x50000), style::Colour::Black);  // any other colour is black
  EXPECT_FALSE(style::IsOpaque(0x1000012));
}

TEST(PrintPage, BlockWrapsAtBlanksAndCutsLongWords) {
  RecordingCanvas canvas;
  PrintPage page(canvas);
  // 450 wide: ten characters of 45.
  const PrintPage::Block block =
      page.DrawBlock("aaaa bbbb cccc\r\ndddddddddddddd\n\néééééééééééé", 1000, 6050, 300, false);
  const std::vector<std::string> lines = {"aaaa bbbb", "cccc",       "dddddddddd",
                                          "dddd",      "éééééééééé", "éé"};
  EXPECT_EQ(block.height, 7 * 117);  // the empty line counts
  EXPECT_TRUE(block.drawn);
  ASSERT_EQ(canvas.texts.size(), lines.size());
  const int y[] = {300, 417, 534, 651, 885, 1002};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(canvas.texts[i].text, lines[i]);
    EXPECT_EQ(canvas.texts[i].x, 1000);
    EXPECT_EQ(canvas.texts[i].y, y[i]);
  }
}

TEST(PrintPage, BlockStopsAtTheBottomOnlyWhenAsked) {
  const std::string_view text = "one\ntwo\nthree";  // 351 high
  const int limit = 10225 - 250;
  struct Case {
    int top;
    bool stop;
    int forced;
    std::size_t drawn;
  } cases[] = {
      {limit - 351, true, 0, 3},   {limit - 350, true, 0, 0},    // ends one below the limit
      {limit - 350, false, 0, 3},  {limit - 300, true, 200, 1},  // a forced height cuts lines
      {limit - 199, true, 200, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.top);
    RecordingCanvas canvas;
    PrintPage page(canvas);
    const PrintPage::Block block = page.DrawBlock(text, 0, 0, c.top, c.stop, c.forced);
    EXPECT_EQ(block.height, 351);
    EXPECT_EQ(block.drawn, c.drawn > 0);
    EXPECT_EQ(canvas.texts.size(), c.drawn);
  }

  RecordingCanvas canvas;
  PrintPage page(canvas);
  page.SetMeasureOnly(true);
  EXPECT_EQ(page.DrawBlock(text, 0, 0, 0, false).height, 351);
  EXPECT_EQ(page.Draw(0, 0, "abc", 0).width, 135);
  EXPECT_TRUE(canvas.texts.empty());
}

TEST(DateTimeText, HeaderTexts) {
  struct Case {
    QDateTime time;
    const char* date;
    const char* clock;
  } cases[] = {
      {{{2008, 8, 18}, {9, 5, 7}}, "8-18-2008", "9:05:07 AM"},
      {{{2010, 1, 1}, {0, 0, 5}}, "1-1-2010", "12:00:05 AM"},
      {{{2010, 12, 31}, {12, 0, 0}}, "12-31-2010", "12:00:00 PM"},
      {{{2010, 1, 1}, {13, 7, 0}}, "1-1-2010", "1:07:00 PM"},
      {{{2010, 1, 1}, {23, 59, 59}}, "1-1-2010", "11:59:59 PM"},
      {QDateTime(), "?\?-?\?-??", "??:??:?? AM"},  // escaped: no trigraph
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDateText(c.time), c.date);
    EXPECT_EQ(FormatTimeText(c.time), c.clock);
  }
}

}  // namespace
}  // namespace mx::report
