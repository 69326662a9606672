#pragma once
// Sizes shared by the denser tabs (RS232, Network, Toggle Sw): they hold many more controls than
// the Status tab the window is sized for, so their groups sit closer together, and their number
// boxes are as wide as the digits they take.

class QAbstractButton;
class QLayout;
class QLineEdit;

namespace mx::editor {

// Tighter spacing and margins inside a group box.
void CompactGroup(QLayout* layout);
// A box wide enough for `digits` digits and its frame.
void FitDigits(QLineEdit* box, int digits);
// The distance from a check box's or radio button's left edge to its caption, to line up controls
// that belong to it beneath it.
int IndicatorIndent(const QAbstractButton* button);

}  // namespace mx::editor
