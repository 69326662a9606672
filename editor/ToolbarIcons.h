#pragma once
// The toolbar's pictures, drawn by the program so the bar looks the same with or without an icon
// theme installed.

#include <QIcon>

namespace mx::editor {

enum class ToolIcon {
  New,
  Open,
  Save,
  Print,
  Preview,
  Find,
  Copy,
  Reset,
  Terminal,
  Send,
  Read,
  Help
};

QIcon MakeToolbarIcon(ToolIcon which);

}  // namespace mx::editor
