#pragma once
// A page canvas with fixed metrics that records what is drawn, so page tests can check exact
// positions. At n points a character is 5n wide, a line 12n high with n of external leading:
// Arial 9 gives 45-wide characters and 108-high lines (117 with leading).

#include <string>
#include <string_view>
#include <vector>

#include "report/PageCanvas.h"

namespace mx::test {

class RecordingCanvas : public report::PageCanvas {
 public:
  struct Text {
    int x = 0;
    int y = 0;
    std::string text;
    uint32_t style = 0;
    report::PageFont font;
    int squeezeTo = 0;
  };

  // The printable area the canvas reports, and the origin it was set up with.
  report::TextExtent area{8000, 10500};
  int xOrigin = 0;
  int yOrigin = 0;
  report::PageFont font;
  std::vector<Text> texts;
  // The last ScaleFrom: its point and factor.
  int scaleX = 0;
  int scaleY = 0;
  double scale = 1.0;

  static int CharWidth(int points) { return points * 5; }
  static int TextHeight(int points) { return points * 12; }

  report::TextExtent SetUpPage(int xOffset, int yOffset) override {
    xOrigin = xOffset;
    yOrigin = yOffset;
    scale = 1.0;
    return area;
  }
  void SetFont(const report::PageFont& chosen) override { font = chosen; }
  report::LineMetrics Metrics() const override {
    return {TextHeight(font.points), font.points, CharWidth(font.points), font.points * 10};
  }
  report::TextExtent Measure(std::string_view text) const override {
    int characters = 0;
    for (const char ch : text)
      characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return {characters * CharWidth(font.points), TextHeight(font.points)};
  }
  void Draw(int x, int y, std::string_view text, uint32_t style, int squeezeTo) override {
    texts.push_back({x, y, std::string(text), style, font, squeezeTo});
  }
  void ScaleFrom(int x, int y, double factor) override {
    scaleX = x;
    scaleY = y;
    scale = factor;
  }

  // The first text drawn with exactly these characters, or nullptr.
  const Text* Find(std::string_view text) const {
    for (const Text& t : texts) {
      if (t.text == text)
        return &t;
    }
    return nullptr;
  }
  // Every text drawn at this height, left to right as drawn.
  std::vector<Text> AtY(int y) const {
    std::vector<Text> row;
    for (const Text& t : texts) {
      if (t.y == y)
        row.push_back(t);
    }
    return row;
  }
};

}  // namespace mx::test
