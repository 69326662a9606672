#include "link/Clock.h"

#include <poll.h>

#include <cerrno>
#include <chrono>

namespace mx {

uint32_t SteadyClock::NowMs() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void SteadyClock::SleepMs(uint32_t ms) {
  // poll() without descriptors sleeps in the kernel; a signal only shortens one round.
  const uint32_t start = NowMs();
  for (;;) {
    const uint32_t elapsed = NowMs() - start;
    if (elapsed >= ms)
      return;
    const uint32_t left = ms - elapsed;
    poll(nullptr, 0, left > 0x7fffffffu ? 0x7fffffff : static_cast<int>(left));
  }
}

}  // namespace mx
