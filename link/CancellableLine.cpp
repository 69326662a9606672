#include "link/CancellableLine.h"

#include <algorithm>

namespace mx {

std::size_t CancellableSerialLine::Read(uint8_t* buffer, std::size_t max) {
  // Bytes still queued after Cancel would keep a read going as long as the interface talks.
  return host_.CancelRequested() ? 0 : inner_.Read(buffer, max);
}

WaitResult CancellableSerialLine::WaitReadable(uint32_t timeoutMs) {
  const uint32_t start = clock_.NowMs();
  for (;;) {
    if (host_.CancelRequested())
      return WaitResult::LineLost;
    const uint32_t waited = clock_.NowMs() - start;
    const uint32_t left = waited >= timeoutMs ? 0 : timeoutMs - waited;
    const WaitResult result = inner_.WaitReadable(std::min(left, kCancelSliceMs));
    if (result != WaitResult::TimedOut || left <= kCancelSliceMs)
      return host_.CancelRequested() ? WaitResult::LineLost : result;
  }
}

void CancellableClock::SleepMs(uint32_t ms) {
  const uint32_t start = inner_.NowMs();
  for (;;) {
    const uint32_t slept = inner_.NowMs() - start;
    if (slept >= ms || host_.CancelRequested())
      return;
    inner_.SleepMs(std::min(ms - slept, kCancelSliceMs));
  }
}

}  // namespace mx
