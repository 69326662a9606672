#include "sim/VirtualSerialLine.h"

#include <utility>

namespace mx::sim {
namespace {

char ParityChar(Parity parity) {
  switch (parity) {
    case Parity::Even:
      return 'E';
    case Parity::Odd:
      return 'O';
    case Parity::Mark:
      return 'M';
    case Parity::Space:
      return 'S';
    case Parity::None:
      return 'N';
  }
  return 'N';
}

uint64_t ToUs(uint64_t ms) {
  return static_cast<uint64_t>(ms) * 1000;
}

}  // namespace

VirtualPort& VirtualPortBus::Add(const std::string& path, InterfaceSimulator* device) {
  VirtualPort& port = ports_[path];
  port.device = device;
  return port;
}

VirtualPort* VirtualPortBus::Find(const std::string& path) {
  const auto it = ports_.find(path);
  return it == ports_.end() ? nullptr : &it->second;
}

void VirtualPortBus::Inject(const std::string& path, const std::vector<uint8_t>& bytes,
                            uint64_t atMs) {
  if (VirtualPort* port = Find(path)) {
    for (uint8_t byte : bytes)
      port->input.push_back({ToUs(atMs), byte});
  }
}

void VirtualPortBus::Unplug(const std::string& path) {
  if (VirtualPort* port = Find(path)) {
    port->lost = true;
    port->lostAtUs = ToUs(clock_.Now64());
  }
}

uint64_t VirtualSerialLine::NowUs() const {
  return bus_.Clock().Now64() * 1000;
}

bool VirtualSerialLine::Arrived(const VirtualPort::Pending& pending) const {
  return pending.arrivalUs <= NowUs();
}

const LineResult& VirtualSerialLine::Fail(LineError kind, std::string detail) {
  lastError_ = {kind, std::move(detail)};
  return lastError_;
}

LineResult VirtualSerialLine::Open(const std::string& path, const LineSettings& settings) {
  Close();
  VirtualPort* port = bus_.Find(path);
  if (!port)
    return Fail(LineError::NotFound, "No such file or directory");
  if (port->busy)
    return Fail(LineError::Busy, "in use by process 4242 (othercomm)");
  port->busy = true;
  // What arrived while nobody listened is gone; bytes still on their way arrive after the open.
  while (!port->input.empty() && port->input.front().arrivalUs <= NowUs())
    port->input.pop_front();
  port->lineFreeUs = 0;
  ++port->opens;
  port_ = port;
  Configure(settings);  // a speed it refuses is no reason to fail the open, as on the termios line
  lastError_ = {};
  return lastError_;
}

bool VirtualSerialLine::Configure(const LineSettings& settings) {
  if (!port_)
    return false;
  settings_ = settings;
  // As the termios line: a speed it does not know leaves the line at 9600.
  const bool known = IsLineBaud(settings.baud);
  if (!known)
    settings_.baud = 9600;
  history_.push_back(settings_);
  if (!known)
    Fail(LineError::Unsupported, std::to_string(settings.baud) + " baud is not supported");
  return known;
}

std::size_t VirtualSerialLine::Read(uint8_t* buffer, std::size_t max) {
  if (!port_)
    return 0;
  std::size_t n = 0;
  while (n < max && !port_->input.empty() && Arrived(port_->input.front())) {
    buffer[n++] = port_->input.front().byte;
    port_->input.pop_front();
  }
  return n;
}

std::size_t VirtualSerialLine::Write(const uint8_t* bytes, std::size_t count) {
  if (!port_)
    return 0;
  if (port_->lost) {
    Fail(LineError::DeviceGone, "Input/output error");
    return 0;
  }
  port_->written.insert(port_->written.end(), bytes, bytes + count);
  if (!port_->device)
    return count;
  const LineView view{settings_.baud, ParityChar(settings_.parity),
                      static_cast<char>('0' + settings_.dataBits), true};
  const std::vector<uint8_t> reply =
      port_->device->Receive({bytes, count}, view, bus_.Clock().NowMs());
  const uint64_t byteUs =
      uint64_t{10'000'000} / static_cast<uint64_t>(settings_.baud > 0 ? settings_.baud : 9600);
  uint64_t at = std::max(NowUs() + ToUs(port_->replyDelayMs), port_->lineFreeUs);
  for (uint8_t byte : reply) {
    if (port_->lostAfterBytes >= 0 && port_->sentBytes >= port_->lostAfterBytes) {
      if (!port_->lost) {
        port_->lost = true;
        port_->lostAtUs = at;
      }
      break;
    }
    if (port_->paced)
      at += byteUs;
    port_->input.push_back({at, byte});
    ++port_->sentBytes;
  }
  port_->lineFreeUs = at;
  return count;
}

std::size_t VirtualSerialLine::BytesQueued() {
  if (!port_)
    return 0;
  std::size_t n = 0;
  for (const auto& pending : port_->input) {
    if (!Arrived(pending))
      break;
    ++n;
  }
  return n;
}

void VirtualSerialLine::PurgeInput() {
  if (!port_)
    return;
  while (!port_->input.empty() && Arrived(port_->input.front()))
    port_->input.pop_front();
}

WaitResult VirtualSerialLine::WaitReadable(uint32_t timeoutMs) {
  if (!port_)
    return WaitResult::LineLost;
  VirtualClock& clock = bus_.Clock();
  if (!port_->input.empty()) {
    const uint64_t arrival = port_->input.front().arrivalUs;
    if (arrival <= NowUs())
      return WaitResult::Readable;
    const uint64_t arrivalMs = (arrival + 999) / 1000;  // a byte is there at the next tick
    if (arrivalMs - clock.Now64() <= timeoutMs) {
      clock.AdvanceTo(arrivalMs);
      return WaitResult::Readable;
    }
  } else if (port_->lost) {
    const uint64_t lostMs = (port_->lostAtUs + 999) / 1000;
    if (lostMs <= clock.Now64() || lostMs - clock.Now64() <= timeoutMs) {
      clock.AdvanceTo(lostMs);
      return WaitResult::LineLost;
    }
  }
  clock.SleepMs(timeoutMs);
  return WaitResult::TimedOut;
}

bool VirtualSerialLine::GetModemStatus(uint32_t& bits) {
  if (!port_)
    return false;
  if (!port_->modemLines) {
    Fail(LineError::Unsupported, "Inappropriate ioctl for device");
    return false;
  }
  bits = kModemCts | kModemDsr;
  return true;
}

bool VirtualSerialLine::SetModemLine(ModemLine, bool) {
  if (!port_)
    return false;
  if (!port_->modemLines) {
    Fail(LineError::Unsupported, "Inappropriate ioctl for device");
    return false;
  }
  return true;
}

void VirtualSerialLine::Close() {
  if (!port_)
    return;
  port_->busy = false;
  PurgeInput();
  port_ = nullptr;
}

}  // namespace mx::sim
