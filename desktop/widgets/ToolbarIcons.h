#pragma once
// The toolbar pictures of both programs, drawn by the program so the bars look the same with or
// without an icon theme installed.

#include <QIcon>

namespace mx::desktop {

enum class ToolbarIcon {
  // Documents.
  New,
  Open,
  Save,
  Print,
  Preview,
  // The clipboard.
  Cut,
  Copy,
  Paste,
  // The interface: find it, copy and reset channels, the test terminal, send and read.
  Find,
  CopyChannels,
  Reset,
  Terminal,
  Send,
  Read,
  Help,
  // The traffic pane's options and commands.
  Braces,
  CrLf,
  Beep,
  NewLine,
  ClearTraffic,
  ClearSend,
};
inline constexpr int kToolbarIconCount = static_cast<int>(ToolbarIcon::ClearSend) + 1;

// The picture at the toolbar's size (20 pixels) and at twice that for dense screens.
QIcon MakeToolbarIcon(ToolbarIcon which);

}  // namespace mx::desktop
