#include "sim/ReadingSchedule.h"

#include <algorithm>
#include <cmath>

namespace mx::sim {
namespace {
// Catching up is limited to one second of readings; beyond that the stall is simply skipped.
constexpr uint64_t kMaxCatchUpUs = 1'000'000;
}  // namespace

ReadingSchedule::ReadingSchedule(double hz) {
  if (hz > 0)
    periodUs_ = std::max<uint64_t>(1, static_cast<uint64_t>(std::llround(1e6 / hz)));
}

uint64_t ReadingSchedule::Due(uint64_t nowUs) {
  if (!Active())
    return 0;
  if (!started_) {
    started_ = true;
    nextUs_ = nowUs + periodUs_;
    return 1;
  }
  if (nowUs < nextUs_)
    return 0;
  if (nowUs - nextUs_ > kMaxCatchUpUs) {
    nextUs_ = nowUs + periodUs_;
    return 1;
  }
  const uint64_t due = (nowUs - nextUs_) / periodUs_ + 1;
  nextUs_ += due * periodUs_;
  return due;
}

}  // namespace mx::sim
