#pragma once
// The operating system's serial device behind SerialPort. One implementation per platform
// (PosixSerialLine) and an in-process one for tests (sim/VirtualSerialLine).
//
// Contract: Open takes the device exclusively; Read never waits; Write returns when the driver has
// taken the bytes, and returns fewer than it was given (a short write) when the device stopped
// taking them or went away; WaitReadable is the only call that waits for input and it waits in the
// operating system. Devices without modem-line control still open and work: only the modem calls
// fail. A call that fails leaves its reason in LastError; callers decide by the kind, never by the
// words of the detail.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace mx {

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OnePointFive, Two };

// The speeds a line runs at; Configure refuses any other (LineError::Unsupported).
bool IsLineBaud(int baud);

struct LineSettings {
  int baud = 9600;
  Parity parity = Parity::None;
  int dataBits = 8;
  StopBits stopBits = StopBits::One;
  bool operator==(const LineSettings&) const = default;
};

enum class LineError {
  None,
  NotFound,          // no device at that path, or no path for that port
  Busy,              // another program holds the device
  PermissionDenied,  // the user may not open it
  NotSerial,         // the path is not a terminal device
  Unsupported,       // the device cannot do what was asked: a speed, modem lines
  DeviceGone,        // the device went away while open (adapter unplugged, terminal closed)
  TimedOut,          // the device stopped taking bytes
  Io,                // any other failure of the operating system
};

struct [[nodiscard]] LineResult {
  LineError error = LineError::None;
  // For the user: "Permission denied". A Busy detail names the holder: "in use by process 1234
  // (minicom)", "in use by an unknown holder".
  std::string detail;
  bool ok() const { return error == LineError::None; }
};

// The detail, and for a failure the user can mend, how: "Permission denied: add your user to the
// group dialout (sudo usermod -aG dialout $USER) and log in again".
std::string LineFailureText(const LineResult& result);

enum class WaitResult {
  Readable,  // at least one byte is queued
  TimedOut,
  LineLost,  // the device went away (pseudo-terminal closed, adapter unplugged): no byte will come
};

// Modem status bits, as the test window shows them.
inline constexpr uint32_t kModemCts = 0x10;
inline constexpr uint32_t kModemDsr = 0x20;
inline constexpr uint32_t kModemRing = 0x40;
inline constexpr uint32_t kModemDcd = 0x80;

enum class ModemLine { Rts, Dtr };

class SerialLine {
 public:
  virtual ~SerialLine() = default;

  virtual LineResult Open(const std::string& path, const LineSettings& settings) = 0;
  virtual bool IsOpen() const = 0;
  // Changes speed and framing of the open line in place.
  virtual bool Configure(const LineSettings& settings) = 0;
  virtual std::size_t Read(uint8_t* buffer, std::size_t max) = 0;
  virtual std::size_t Write(const uint8_t* bytes, std::size_t count) = 0;
  virtual std::size_t BytesQueued() = 0;
  virtual void PurgeInput() = 0;
  virtual void PurgeOutput() = 0;
  virtual WaitResult WaitReadable(uint32_t timeoutMs) = 0;
  virtual bool GetModemStatus(uint32_t& bits) = 0;
  virtual bool SetModemLine(ModemLine line, bool raised) = 0;
  virtual void Close() = 0;
  // Why the last failed call failed; cleared by a successful Open.
  virtual const LineResult& LastError() const = 0;
  // A Write that waits for a device to take its bytes stops waiting once `cancelled` returns true
  // and returns the count taken so far. Lines whose Write never waits need not keep it.
  virtual void SetWriteCancel(std::function<bool()> /*cancelled*/) {}
  // Busy, naming the holder, when another program has the device at `path` open without taking
  // it (a terminal program that neither locks nor opens exclusively): a probe would steal its
  // bytes. The far end of a pseudo-terminal (a process holding its master too) is no holder.
  // Lines that cannot tell say it is free.
  virtual LineResult HeldElsewhere(const std::string& /*path*/) { return {}; }
};

}  // namespace mx
