#pragma once
// The canvas on a QPainter: a printer, the print preview or a PDF writer. One page at a time; the
// painter must be active on its device.

#include <QFont>
#include <QFontMetrics>
#include <optional>

#include "report/PageCanvas.h"

class QPainter;

namespace mx::report {

// The font a face index stands for, sized in thousandths of an inch. The faces that fonts of other
// systems name are found under their metric-compatible stand-ins where the named face is missing.
QFont MakeFont(const PageFont& wanted);

class PainterCanvas final : public PageCanvas {
 public:
  explicit PainterCanvas(QPainter& painter) : painter_(painter) {}

  TextExtent SetUpPage(int xOffset, int yOffset) override;
  void SetFont(const PageFont& font) override;
  LineMetrics Metrics() const override;
  TextExtent Measure(std::string_view text) const override;
  void Draw(int x, int y, std::string_view text, uint32_t styleWord, int squeezeTo) override;
  void ScaleFrom(int x, int y, double factor) override;

 private:
  QPainter& painter_;
  QFont font_;
  std::optional<QFontMetrics> metrics_;
  int escapement_ = 0;
};

}  // namespace mx::report
