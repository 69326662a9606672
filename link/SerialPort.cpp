#include "link/SerialPort.h"

#include <cstring>
#include <utility>
#include <vector>

namespace mx {

SerialPort::SerialPort(SerialLine& line, Clock& clock, const PortMap& ports)
    : line_(line), clock_(clock), ports_(ports) {}

SerialPort::~SerialPort() {
  Close();
}

int SerialPort::OpenBaud(int baud) {
  switch (baud) {
    case 1200:
    case 2400:
    case 4800:
    case 9600:
    case 19200:
    case 38400:
    case 57600:
    case 115200:
      return baud;
    default:
      return 9600;
  }
}

int SerialPort::SettingsBaud(int baud) {
  switch (baud) {
    case 1200:
    case 2400:
    case 4800:
    case 9600:
    case 19200:
      return baud;
    default:
      return 9600;
  }
}

Parity SerialPort::ParityOf(char parityChar, bool stickParity) {
  switch (parityChar) {
    case 'E':
      return Parity::Even;
    case 'O':
      return Parity::Odd;
    case 'M':
      return stickParity ? Parity::Mark : Parity::None;
    case 'S':
      return stickParity ? Parity::Space : Parity::None;
    default:
      return Parity::None;
  }
}

StopBits SerialPort::StopBitsOf(char stopBitsChar) {
  switch (stopBitsChar) {
    case '2':
      return StopBits::Two;
    case '0':
      return StopBits::OnePointFive;
    default:
      return StopBits::One;
  }
}

bool SerialPort::Open(int port, int baud, char parityChar, char dataBitsChar, char stopBitsChar) {
  Close();
  lastOpenError_ = {};
  const auto path = ports_.PathOf(port);
  if (!path) {
    lastOpenError_ = {LineError::NotFound, "no such port"};
    return false;
  }
  LineSettings settings;
  settings.baud = OpenBaud(baud);
  settings.parity = ParityOf(parityChar, true);
  settings.dataBits = dataBitsChar - '0';
  settings.stopBits = StopBitsOf(stopBitsChar);
  LineResult result = line_.Open(*path, settings);
  if (!result.ok()) {
    lastOpenError_ = std::move(result);
    return false;
  }
  settings_ = settings;
  isOpen_ = true;
  lineLost_ = false;
  return true;
}

void SerialPort::SetLineSettings(int baud, char parityChar, char dataBitsChar) {
  settings_.baud = SettingsBaud(baud);
  settings_.parity = ParityOf(parityChar, false);
  settings_.dataBits = dataBitsChar - '0';
  line_.Configure(settings_);
  PurgeInput();
}

bool SerialPort::WriteByte(uint8_t byte) {
  return line_.Write(&byte, 1) == 1;
}

bool SerialPort::WriteBytes(const uint8_t* bytes, int count) {
  if (count <= 0)
    return count == 0;
  const auto size = static_cast<std::size_t>(count);
  return line_.Write(bytes, size) == size;
}

bool SerialPort::WriteText(const char* text) {
  const std::size_t length = std::strlen(text);
  return line_.Write(reinterpret_cast<const uint8_t*>(text), length) == length;
}

std::size_t SerialPort::BytesAvailable() {
  return line_.BytesQueued();
}

void SerialPort::PurgeInput() {
  line_.PurgeInput();
}

std::size_t SerialPort::Read(uint8_t* buffer, std::size_t max) {
  if (max == 0)
    return 0;
  return line_.Read(buffer, max);
}

bool SerialPort::NextByte(uint8_t& byte, uint32_t& start, uint32_t timeoutMs) {
  for (;;) {
    const uint32_t elapsed = clock_.NowMs() - start;  // modulo 2^32: the wrap does no harm
    if (elapsed >= timeoutMs)
      return false;
    if (line_.Read(&byte, 1) == 1) {
      start = clock_.NowMs();
      return true;
    }
    if (lineLost_)
      return false;
    const uint32_t wanted = timeoutMs - elapsed;
    const uint32_t before = clock_.NowMs();
    const WaitResult waited = line_.WaitReadable(wanted);
    // Readable, yet back later than asked: the byte came in time and a busy machine woke this
    // thread late. That is no silence, though the time-out has run out by now.
    if (waited == WaitResult::Readable && clock_.NowMs() - before > wanted &&
        line_.Read(&byte, 1) == 1) {
      start = clock_.NowMs();
      return true;
    }
    if (waited == WaitResult::LineLost) {
      // Nothing more can arrive; waiting out the silence would only delay the caller's message.
      lineLost_ = true;
      if (line_.Read(&byte, 1) == 1) {
        start = clock_.NowMs();
        return true;
      }
      return false;
    }
  }
}

int SerialPort::ReadLine(char* buffer, int limit, uint32_t timeoutMs, char terminator) {
  bool heard = false;
  return ReadLineInto(buffer, limit, timeoutMs, terminator, heard);
}

int SerialPort::ReadLineInto(char* buffer, int limit, uint32_t timeoutMs, char terminator,
                             bool& heard) {
  int i = 0;
  uint32_t start = clock_.NowMs();
  uint8_t byte = 0;
  heard = false;
  while (NextByte(byte, start, timeoutMs)) {
    heard = true;
    buffer[i] = static_cast<char>(byte);
    if (static_cast<char>(byte) == terminator || i == limit)
      break;
    ++i;
  }
  buffer[i] = '\0';
  return i;
}

std::string SerialPort::ReadLine(int limit, uint32_t timeoutMs, char terminator) {
  bool heard = false;
  return ReadLine(limit, timeoutMs, terminator, heard);
}

std::string SerialPort::ReadLine(int limit, uint32_t timeoutMs, char terminator, bool& heard) {
  std::vector<char> buffer(static_cast<std::size_t>(limit) + 1);
  const int count = ReadLineInto(buffer.data(), limit, timeoutMs, terminator, heard);
  return std::string(buffer.data(), static_cast<std::size_t>(count));
}

int SerialPort::ReadCount(uint8_t* buffer, int count, uint32_t timeoutMs) {
  int i = 0;
  uint32_t start = clock_.NowMs();
  while (i < count && NextByte(buffer[i], start, timeoutMs))
    ++i;
  return i;
}

void SerialPort::DrainAndWait(uint32_t waitMs) {
  if (!isOpen_)
    return;
  line_.PurgeOutput();
  line_.PurgeInput();
  clock_.SleepMs(waitMs);
}

bool SerialPort::GetModemStatus(uint32_t& bits) {
  if (!isOpen_)
    return false;
  return line_.GetModemStatus(bits);
}

bool SerialPort::SetModemLine(int escapeCode) {
  if (!isOpen_)
    return false;
  switch (escapeCode) {
    case kSetRts:
      return line_.SetModemLine(ModemLine::Rts, true);
    case kClearRts:
      return line_.SetModemLine(ModemLine::Rts, false);
    case kSetDtr:
      return line_.SetModemLine(ModemLine::Dtr, true);
    case kClearDtr:
      return line_.SetModemLine(ModemLine::Dtr, false);
    default:
      return false;
  }
}

bool SerialPort::CheckLineLost() {
  if (isOpen_ && !lineLost_ &&
      (line_.LastError().error == LineError::DeviceGone ||
       line_.WaitReadable(0) == WaitResult::LineLost))
    lineLost_ = true;
  return lineLost_;
}

void SerialPort::Close() {
  if (!isOpen_)
    return;
  line_.Close();
  isOpen_ = false;
}

}  // namespace mx
