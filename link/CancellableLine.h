#pragma once
// The waits of a device command, cut short by its host's Cancel at any moment, not only at the
// scan's fixed points (mxtool: Ctrl+C, SIGTERM, SIGHUP). Once Cancel is requested the line reads
// nothing more and reports itself lost, and pauses end at once, so the command runs straight to
// its end by the same path as a transfer that ends early ("<$F" included) without waiting out a
// single time-out. Writes still go out as far as the device takes them without a wait: they are
// how the interface is put back.

#include "link/Clock.h"
#include "link/DeviceCommandHost.h"
#include "link/ForwardingSerialLine.h"

namespace mx {

// Cancel is looked at least this often, also when no signal cuts a wait short.
inline constexpr uint32_t kCancelSliceMs = 50;

class CancellableSerialLine : public ForwardingSerialLine {
 public:
  // A write to a device that takes no more bytes ends at the Cancel too.
  CancellableSerialLine(SerialLine& inner, Clock& clock, const DeviceCommandHost& host)
      : ForwardingSerialLine(inner), clock_(clock), host_(host) {
    inner_.SetWriteCancel([&host] { return host.CancelRequested(); });
  }
  ~CancellableSerialLine() override { inner_.SetWriteCancel({}); }
  CancellableSerialLine(const CancellableSerialLine&) = delete;
  CancellableSerialLine& operator=(const CancellableSerialLine&) = delete;

  std::size_t Read(uint8_t* buffer, std::size_t max) override;
  WaitResult WaitReadable(uint32_t timeoutMs) override;

 private:
  Clock& clock_;
  const DeviceCommandHost& host_;
};

class CancellableClock : public Clock {
 public:
  CancellableClock(Clock& inner, const DeviceCommandHost& host) : inner_(inner), host_(host) {}
  uint32_t NowMs() override { return inner_.NowMs(); }
  void SleepMs(uint32_t ms) override;

 private:
  Clock& inner_;
  const DeviceCommandHost& host_;
};

}  // namespace mx
