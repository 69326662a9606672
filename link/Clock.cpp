#include "link/Clock.h"

#include <chrono>
#include <thread>

namespace mx {

uint32_t SteadyClock::NowMs() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void SteadyClock::SleepMs(uint32_t ms) {
  // The scheduler's sleep, never a spin; a wake-up a little late only lengthens a pause that the
  // protocol already treats as "at least".
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace mx
