#pragma once
// SerialLine on POSIX termios: the one platform file of the device link.

#include <termios.h>

#include <chrono>
#include <functional>
#include <string>

#include "link/PortLock.h"
#include "link/SerialLine.h"

namespace mx {

class PosixSerialLine : public SerialLine {
 public:
  // `lockDirectory` is where the UUCP-style lock files live; tests point it at a private folder.
  explicit PosixSerialLine(std::string lockDirectory = DefaultLockDirectory());
  ~PosixSerialLine() override;
  PosixSerialLine(const PosixSerialLine&) = delete;
  PosixSerialLine& operator=(const PosixSerialLine&) = delete;

  LineResult Open(const std::string& path, const LineSettings& settings) override;
  bool IsOpen() const override { return fd_ >= 0; }
  bool Configure(const LineSettings& settings) override;
  std::size_t Read(uint8_t* buffer, std::size_t max) override;
  std::size_t Write(const uint8_t* bytes, std::size_t count) override;
  std::size_t BytesQueued() override;
  void PurgeInput() override;
  void PurgeOutput() override;
  WaitResult WaitReadable(uint32_t timeoutMs) override;
  bool GetModemStatus(uint32_t& bits) override;
  bool SetModemLine(ModemLine line, bool raised) override;
  void Close() override;
  const LineResult& LastError() const override { return lastError_; }
  void SetWriteCancel(std::function<bool()> cancelled) override {
    writeCancel_ = std::move(cancelled);
  }
  LineResult HeldElsewhere(const std::string& path) override;

  // The kind of an open() or realpath() failure.
  static LineError OpenErrorKind(int error);
  // /run/lock, or MXSETUP_LOCK_DIR from the environment (a private folder for tests and demos).
  static std::string DefaultLockDirectory();

 private:
  // Records a failure (with the text of `error`, an errno value) and returns it.
  const LineResult& Fail(LineError kind, int error);
  const LineResult& Fail(LineError kind, std::string detail);
  void FailModemCall();
  // Opens and locks the device; -1 with lastError_ set when that fails.
  int OpenDevice(const std::string& resolved);
  // Puts back the settings the port had before Open, as terminal programs do, so that a probe
  // never leaves a port changed (a console left raw at 19200 with odd parity).
  void RestoreSettings();
  // Before the line's speed or framing changes: the bytes written so far leave at the speed they
  // were written for. Waits for the driver's queue (bounded, as Write is), tcdrain, and then the
  // line time of the last write plus a margin, since a USB adapter reports "drained" while its
  // own FIFO still holds bytes and a pseudo-terminal drains at once.
  void DrainBeforeChange();
  void NoteWritten(std::size_t count);

  PortLock lock_;
  termios saved_{};
  std::function<bool()> writeCancel_;
  LineResult lastError_;
  int fd_ = -1;
  int baud_ = 9600;
  int bitsPerByte_ = 10;  // start, data, parity and stop bits of the current framing
  // When the last write's bytes will have left the line at its speed; unset while nothing waits.
  std::chrono::steady_clock::time_point lineFreeAt_{};
  bool lost_ = false;
};

}  // namespace mx
