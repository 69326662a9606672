#pragma once
// The setup program's one serial-line object: opens COMn through the port map, and gives the
// polled reads with silence time-outs that discovery, transfer and the test window are built on.
// Waiting happens in the operating system (SerialLine::WaitReadable with the time left), so a wait
// costs no processor time; the millisecond rules are those of the tick counter.

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/Clock.h"
#include "link/PortMap.h"
#include "link/SerialLine.h"

namespace mx {

// Escape codes of SetModemLine, as the test window issues them.
inline constexpr int kSetRts = 3;
inline constexpr int kClearRts = 4;
inline constexpr int kSetDtr = 5;
inline constexpr int kClearDtr = 6;

class SerialPort {
 public:
  SerialPort(SerialLine& line, Clock& clock, const PortMap& ports);
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Where discovery last identified the interface; the transfer reads baudRate for its time-out.
  int portNumber = -1;
  int baudRate = 0;
  char parity = 'N';
  char dataBits = '8';
  char stopBits = '1';

  bool Open(int port, int baud, char parityChar, char dataBitsChar, char stopBitsChar);
  bool IsOpen() const { return isOpen_; }
  // Why the last Open failed: NotFound "no such port", Busy "in use by process 1234 (minicom)", ...
  const LineResult& LastOpenError() const { return lastOpenError_; }
  // Speed, parity and data bits in place (stop bits kept); pending input is discarded.
  void SetLineSettings(int baud, char parityChar, char dataBitsChar);
  // The settings last given to the line.
  const LineSettings& CurrentSettings() const { return settings_; }

  bool WriteByte(uint8_t byte);
  // False when the line took fewer than `count` bytes (the line's LastError says why).
  bool WriteBytes(const uint8_t* bytes, int count);
  bool WriteText(const char* text);
  std::size_t BytesAvailable();
  void PurgeInput();
  std::size_t Read(uint8_t* buffer, std::size_t max);
  // Stores up to `limit` bytes before the terminator and a NUL after them (the buffer holds
  // limit + 1 bytes); returns the count. The time-out is silence: it restarts at every byte.
  int ReadLine(char* buffer, int limit, uint32_t timeoutMs, char terminator);
  std::string ReadLine(int limit, uint32_t timeoutMs, char terminator = '\r');
  // The same, telling a line that came empty (a bare terminator) from silence: `heard` is false
  // only when the time-out ended the line before any byte came.
  std::string ReadLine(int limit, uint32_t timeoutMs, char terminator, bool& heard);
  // Up to `count` bytes with the same silence time-out; nothing is terminated.
  int ReadCount(uint8_t* buffer, int count, uint32_t timeoutMs);
  void DrainAndWait(uint32_t waitMs);
  bool GetModemStatus(uint32_t& bits);
  bool SetModemLine(int escapeCode);
  void Close();

  // True once the device went away during this opening (its reads end at once from then on).
  bool LineLost() const { return lineLost_; }
  // The same, asked of the line without waiting: a hung-up terminal reads as empty as a quiet one,
  // and only its hang-up or a read that failed tells them apart.
  bool CheckLineLost();

  static int OpenBaud(int baud);      // 1200..115200 kept, anything else 9600
  static int SettingsBaud(int baud);  // 1200..19200 kept, anything else 9600
  static Parity ParityOf(char parityChar, bool stickParity);
  static StopBits StopBitsOf(char stopBitsChar);

 private:
  // One byte if it arrives before `timeoutMs` of silence counted from `start`.
  bool NextByte(uint8_t& byte, uint32_t& start, uint32_t timeoutMs);
  int ReadLineInto(char* buffer, int limit, uint32_t timeoutMs, char terminator, bool& heard);

  SerialLine& line_;
  Clock& clock_;
  const PortMap& ports_;
  LineSettings settings_;
  LineResult lastOpenError_;
  bool isOpen_ = false;
  bool lineLost_ = false;
};

}  // namespace mx
