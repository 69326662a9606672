#pragma once
// The one surface the printed pages are drawn on: measure and draw one line of text with a style
// word. Coordinates and sizes are thousandths of an inch from the page origin the canvas was set up
// with.
//
// The painter canvas prints, previews and writes PDF; a recording canvas with fixed metrics makes
// the page tests exact. Texts are UTF-8. Everything above this seam (page decoration, the report
// body, block text) is shared by both.

#include <cstdint>
#include <string_view>

namespace mx::report {

// The four font faces, by the index the page code selects them with.
enum class FontFace : uint8_t {
  Console = 0,    // fixed pitch, for terminal text
  SansSerif = 1,  // the dialog face
  Serif = 2,
  Arial = 3,  // headers, footers, titles and the report body
};

inline constexpr int kNormalWeight = 400;
inline constexpr int kBoldWeight = 700;

// A font as created for drawing: the face and size chosen by the page, with the style word's
// weight, slant and underline already applied.
struct PageFont {
  FontFace face = FontFace::Arial;
  int points = 9;
  int weight = kNormalWeight;
  bool italic = false;
  bool underline = false;
  int escapement = 0;  // tenths of a degree, counter-clockwise
  bool operator==(const PageFont&) const = default;
};

struct TextExtent {
  int width = 0;
  int height = 0;  // one line of the current font, without external leading
  bool operator==(const TextExtent&) const = default;
};

struct LineMetrics {
  int height = 0;           // ascent + descent
  int externalLeading = 0;  // extra space the font asks for between lines
  int averageWidth = 0;     // average character width
  int ascent = 0;
};

// The style word passed with every text drawn, bits from the low end:
//   0..3   horizontal alignment: 1 centre, 4 right, any other value left
//   4..7   vertical: 0x20 the point is the text's bottom; 0x40 its bottom, moved down by half a
//          line height; other values its top
//   8..15  0x100 plain (ignore bold and italic), 0x200 bold, 0x400 italic, 0x800 underline
//   16..23 colour: 0x02 white, 0x03 red, 0x04 green, 0x10 blue, anything else black
//   24..25 background: 1 transparent, otherwise opaque
namespace style {
inline constexpr uint32_t kCentre = 0x1;
inline constexpr uint32_t kLeft = 0x2;
inline constexpr uint32_t kRight = 0x4;
inline constexpr uint32_t kTop = 0x10;
inline constexpr uint32_t kBottom = 0x20;
inline constexpr uint32_t kHalfLineDown = 0x40;
inline constexpr uint32_t kPlain = 0x100;
inline constexpr uint32_t kBold = 0x200;
inline constexpr uint32_t kItalic = 0x400;
inline constexpr uint32_t kUnderline = 0x800;
inline constexpr uint32_t kFontBits = 0xFF00;
inline constexpr uint32_t kBlack = 0x10000;
inline constexpr uint32_t kTransparent = 0x1000000;

// The styles the pages use.
inline constexpr uint32_t kTitle = 0x611;         // centre, top, bold italic
inline constexpr uint32_t kHeaderLeft = 0x412;    // page number
inline constexpr uint32_t kHeaderRight = 0x414;   // date and time
inline constexpr uint32_t kFooter = 0x421;        // centre, bottom, italic
inline constexpr uint32_t kLabel = 0x10012;       // left, top
inline constexpr uint32_t kCentred = 0x10011;     // centre, top
inline constexpr uint32_t kHeading = 0x10212;     // left, top, bold
inline constexpr uint32_t kColumnHead = 0x10811;  // centre, top, underlined

enum class Horizontal { Left, Centre, Right };
enum class Vertical { Top, Bottom, HalfLineDown };
enum class Colour { Black, White, Red, Green, Blue };

Horizontal HorizontalOf(uint32_t word);
Vertical VerticalOf(uint32_t word);
Colour ColourOf(uint32_t word);
bool IsOpaque(uint32_t word);
}  // namespace style

// Where a text's top-left corner goes, in the text's own direction, relative to the point it is
// drawn at: what the alignment bits of the style word mean for a text of this extent.
struct TextOffset {
  int dx = 0;
  int dy = 0;
  bool operator==(const TextOffset&) const = default;
};
TextOffset AlignText(TextExtent extent, uint32_t styleWord, int lineHeight);

class PageCanvas {
 public:
  virtual ~PageCanvas() = default;

  // Makes (xOffset, yOffset) of the printable area the origin and returns the printable area's
  // width and height in thousandths of an inch.
  virtual TextExtent SetUpPage(int xOffset, int yOffset) = 0;
  virtual void SetFont(const PageFont& font) = 0;
  virtual LineMetrics Metrics() const = 0;
  virtual TextExtent Measure(std::string_view text) const = 0;
  // Draws one line at the point (x, y) as the style word says; colour, background and alignment
  // apply to this text only. `squeezeTo` > 0: condense the text horizontally to that width.
  virtual void Draw(int x, int y, std::string_view text, uint32_t styleWord, int squeezeTo) = 0;
  // Until the next SetUpPage, everything drawn is scaled by `factor` about the page point
  // (x, y); measuring is not, so a layout made in page units can be shrunk as a whole.
  virtual void ScaleFrom(int x, int y, double factor) = 0;
};

}  // namespace mx::report
