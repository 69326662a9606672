#pragma once
// When a streaming interface sends its readings: a fixed rate on an absolute schedule, so timer
// jitter never adds up. Times are passed in, so the schedule is tested without waiting.

#include <cstdint>

namespace mx::sim {

class ReadingSchedule {
 public:
  // `hz` readings a second; 0 or less: never.
  explicit ReadingSchedule(double hz);

  bool Active() const { return periodUs_ > 0; }
  // Readings due at `nowUs` since the previous call; the first call starts the schedule with one.
  // After a long stall (the process was stopped) it resumes from now instead of catching up with
  // a burst of stale readings.
  uint64_t Due(uint64_t nowUs);
  // When the next reading is due (valid after the first Due).
  uint64_t NextUs() const { return nextUs_; }

 private:
  uint64_t periodUs_ = 0;
  uint64_t nextUs_ = 0;
  bool started_ = false;
};

}  // namespace mx::sim
