#pragma once
// Sizes shared by the denser tabs (RS232, Network, Toggle Sw): they hold many more controls than
// the Status tab the window is sized for, so their groups sit closer together.

class QAbstractButton;
class QLayout;

namespace mx::editor {

// Tighter spacing and margins inside a group box.
void CompactGroup(QLayout* layout);
// The distance from a check box's or radio button's left edge to its caption, to line up controls
// that belong to it beneath it.
int IndicatorIndent(const QAbstractButton* button);

}  // namespace mx::editor
