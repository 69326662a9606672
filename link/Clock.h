#pragma once
// The millisecond tick counter of the device link. Production ticks come from the monotonic clock;
// tests drive a virtual clock so that time-outs are exact and a long scan costs no real time.

#include <cstdint>

namespace mx {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds, unsigned 32-bit: the counter wraps, so callers only ever take differences.
  virtual uint32_t NowMs() = 0;
  // Waits in the operating system (or advances virtual time); never spins.
  virtual void SleepMs(uint32_t ms) = 0;
};

class SteadyClock : public Clock {
 public:
  uint32_t NowMs() override;
  void SleepMs(uint32_t ms) override;
};

// A clock that moves only when told to. It counts in 64 bits and shows the low 32 as the tick,
// so starting it near 2^32 exercises the wrap of the counter while schedules stay monotonic.
class VirtualClock : public Clock {
 public:
  explicit VirtualClock(uint64_t start = 0) : now_(start) {}
  uint32_t NowMs() override { return static_cast<uint32_t>(now_); }
  void SleepMs(uint32_t ms) override { now_ += ms; }
  uint64_t Now64() const { return now_; }
  void AdvanceTo(uint64_t ms) {
    if (ms > now_)
      now_ = ms;
  }

 private:
  uint64_t now_;
};

}  // namespace mx
