#include "editor/device/PaintingSerialLine.h"

#include <algorithm>

#include "editor/device/PaintingClock.h"

namespace mx::editor {

WaitResult PaintingSerialLine::WaitReadable(uint32_t timeoutMs) {
  const uint32_t start = clock_.NowMs();
  for (;;) {
    const uint32_t waited = clock_.NowMs() - start;
    const uint32_t left = waited >= timeoutMs ? 0 : timeoutMs - waited;
    const WaitResult result = inner_.WaitReadable(std::min(left, kSliceMs));
    if (result != WaitResult::TimedOut || left <= kSliceMs)
      return result;
    PaintPendingWindows();
  }
}

}  // namespace mx::editor
