#pragma once
// Small drawn icons for the toolbar, so it looks the same whether or not an icon theme is
// installed.

#include <QIcon>

namespace mx::nettest {

enum class ToolbarIcon { Cut, Copy, Paste, Braces, CrLf, Beep, NewLine, ClearTraffic, ClearSend };

QIcon MakeToolbarIcon(ToolbarIcon which);

}  // namespace mx::nettest
