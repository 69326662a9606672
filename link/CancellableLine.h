#pragma once
// The waits of a device command, cut short by its host's Cancel at any moment, not only at the
// scan's fixed points (mxtool: Ctrl+C, SIGTERM, SIGHUP). Once Cancel is requested the line reads
// nothing more and reports itself lost, and pauses end at once, so the command runs straight to
// its end by the same path as a transfer that ends early ("<$F" included) without waiting out a
// single time-out. Writes still go out: they are how the interface is put back.

#include "link/Clock.h"
#include "link/DeviceCommandHost.h"
#include "link/SerialLine.h"

namespace mx {

// Cancel is looked at least this often, also when no signal cuts a wait short.
inline constexpr uint32_t kCancelSliceMs = 50;

class CancellableSerialLine : public SerialLine {
 public:
  CancellableSerialLine(SerialLine& inner, Clock& clock, const DeviceCommandHost& host)
      : inner_(inner), clock_(clock), host_(host) {}

  LineOpenResult Open(const std::string& path, const LineSettings& settings) override {
    return inner_.Open(path, settings);
  }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Configure(const LineSettings& settings) override { return inner_.Configure(settings); }
  std::size_t Read(uint8_t* buffer, std::size_t max) override;
  std::size_t Write(const uint8_t* bytes, std::size_t count) override {
    return inner_.Write(bytes, count);
  }
  std::size_t BytesQueued() override { return inner_.BytesQueued(); }
  void PurgeInput() override { inner_.PurgeInput(); }
  void PurgeOutput() override { inner_.PurgeOutput(); }
  WaitResult WaitReadable(uint32_t timeoutMs) override;
  bool GetModemStatus(uint32_t& bits) override { return inner_.GetModemStatus(bits); }
  bool SetModemLine(ModemLine line, bool raised) override {
    return inner_.SetModemLine(line, raised);
  }
  void Close() override { inner_.Close(); }

 private:
  SerialLine& inner_;
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
