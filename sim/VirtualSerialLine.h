#pragma once
// Serial ports inside the test process, on a virtual clock: a bus of named ports, each empty
// (a port without a device: silence) or wired to a simulated interface, and a SerialLine that
// opens them. Waiting advances the clock to the next byte or to the end of the time-out, so a
// 90-second scan takes milliseconds and every time-out is exact.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "link/Clock.h"
#include "link/SerialLine.h"
#include "sim/InterfaceSimulator.h"

namespace mx::sim {

struct VirtualPort {
  InterfaceSimulator* device = nullptr;  // not owned; null: nothing answers
  bool busy = false;                     // held by another program
  uint32_t replyDelayMs = 0;             // from the end of a request to the first reply byte
  bool paced = false;                    // reply bytes arrive at line speed (10 bits a byte)
  long lostAfterBytes = -1;              // the device vanishes after sending this many bytes
  bool modemLines = true;                // false: like a pseudo-terminal, modem calls fail

  // Line state, owned by the bus.
  struct Pending {
    uint64_t arrivalUs;
    uint8_t byte;
  };
  std::deque<Pending> input;
  uint64_t lineFreeUs = 0;
  long sentBytes = 0;
  bool lost = false;
  uint64_t lostAtUs = 0;
  std::vector<uint8_t> written;  // everything the host wrote, for inspection
  int opens = 0;
};

class VirtualPortBus {
 public:
  explicit VirtualPortBus(VirtualClock& clock) : clock_(clock) {}

  VirtualPort& Add(const std::string& path, InterfaceSimulator* device = nullptr);
  VirtualPort* Find(const std::string& path);
  VirtualClock& Clock() { return clock_; }
  // Queues bytes from the device side at `atMs` (scripted devices in tests).
  void Inject(const std::string& path, const std::vector<uint8_t>& bytes, uint64_t atMs);
  // The device goes away now; what it sent before is still delivered.
  void Unplug(const std::string& path);

 private:
  VirtualClock& clock_;
  std::map<std::string, VirtualPort> ports_;
};

class VirtualSerialLine : public SerialLine {
 public:
  explicit VirtualSerialLine(VirtualPortBus& bus) : bus_(bus) {}
  ~VirtualSerialLine() override { Close(); }

  LineResult Open(const std::string& path, const LineSettings& settings) override;
  bool IsOpen() const override { return port_ != nullptr; }
  bool Configure(const LineSettings& settings) override;
  std::size_t Read(uint8_t* buffer, std::size_t max) override;
  std::size_t Write(const uint8_t* bytes, std::size_t count) override;
  std::size_t BytesQueued() override;
  void PurgeInput() override;
  void PurgeOutput() override {}
  WaitResult WaitReadable(uint32_t timeoutMs) override;
  bool GetModemStatus(uint32_t& bits) override;
  bool SetModemLine(ModemLine line, bool raised) override;
  void Close() override;
  const LineResult& LastError() const override { return lastError_; }

  const LineSettings& Settings() const { return settings_; }
  // Every configuration the line went through, in order.
  const std::vector<LineSettings>& History() const { return history_; }

 private:
  uint64_t NowUs() const;
  bool Arrived(const VirtualPort::Pending& pending) const;
  const LineResult& Fail(LineError kind, std::string detail);

  VirtualPortBus& bus_;
  VirtualPort* port_ = nullptr;
  LineSettings settings_;
  std::vector<LineSettings> history_;
  LineResult lastError_;
};

}  // namespace mx::sim
