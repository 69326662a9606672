#include "report/PageCanvas.h"

namespace mx::report {

namespace style {

Horizontal HorizontalOf(uint32_t word) {
  switch (word & 0xF) {
    case kCentre:
      return Horizontal::Centre;
    case kRight:
      return Horizontal::Right;
    default:
      return Horizontal::Left;
  }
}

Vertical VerticalOf(uint32_t word) {
  switch (word & 0xF0) {
    case kBottom:
      return Vertical::Bottom;
    case kHalfLineDown:
      return Vertical::HalfLineDown;
    default:
      return Vertical::Top;
  }
}

Colour ColourOf(uint32_t word) {
  switch ((word >> 16) & 0xFF) {
    case 0x02:
      return Colour::White;
    case 0x03:
      return Colour::Red;
    case 0x04:
      return Colour::Green;
    case 0x10:
      return Colour::Blue;
    default:
      return Colour::Black;
  }
}

bool IsOpaque(uint32_t word) {
  return ((word >> 24) & 0x3) != 1;
}

}  // namespace style

TextOffset AlignText(TextExtent extent, uint32_t styleWord, int lineHeight) {
  TextOffset offset;
  switch (style::HorizontalOf(styleWord)) {
    case style::Horizontal::Left:
      break;
    case style::Horizontal::Centre:
      offset.dx = -extent.width / 2;
      break;
    case style::Horizontal::Right:
      offset.dx = -extent.width;
      break;
  }
  switch (style::VerticalOf(styleWord)) {
    case style::Vertical::Top:
      break;
    case style::Vertical::Bottom:
      offset.dy = -extent.height;
      break;
    case style::Vertical::HalfLineDown:
      offset.dy = lineHeight / 2 - extent.height;
      break;
  }
  return offset;
}

}  // namespace mx::report
