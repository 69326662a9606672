#pragma once
// What a page does when the tab strip shows or hides it (the Network and RS232 tabs load on show
// and store on hide, the Toggle Sw tab loads and re-checks its rules). Only a tab switch counts:
// the window being minimised, restored, closed or torn down shows or hides every page along with
// the tab strip, and is left alone.

#include <functional>

class QWidget;

namespace mx::editor {

void WhenTabShowsOrHides(QWidget* page, std::function<void()> shown, std::function<void()> hidden);

}  // namespace mx::editor
