#include "editor/device/PaintingClock.h"

#include <QCoreApplication>
#include <algorithm>

namespace mx::editor {

void PaintPendingWindows() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void PaintingClock::SleepMs(uint32_t ms) {
  while (ms > 0) {
    const uint32_t slice = std::min(ms, kSliceMs);
    inner_.SleepMs(slice);
    ms -= slice;
    PaintPendingWindows();
  }
}

}  // namespace mx::editor
