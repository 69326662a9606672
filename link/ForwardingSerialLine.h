#pragma once
// A SerialLine that hands every call on to another one. The wrappers that change how a command
// waits (keeping windows painted, seeing a Cancel) derive from it and override only that.

#include "link/SerialLine.h"

namespace mx {

class ForwardingSerialLine : public SerialLine {
 public:
  explicit ForwardingSerialLine(SerialLine& inner) : inner_(inner) {}

  LineResult Open(const std::string& path, const LineSettings& settings) override {
    return inner_.Open(path, settings);
  }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Configure(const LineSettings& settings) override { return inner_.Configure(settings); }
  std::size_t Read(uint8_t* buffer, std::size_t max) override { return inner_.Read(buffer, max); }
  std::size_t Write(const uint8_t* bytes, std::size_t count) override {
    return inner_.Write(bytes, count);
  }
  std::size_t BytesQueued() override { return inner_.BytesQueued(); }
  void PurgeInput() override { inner_.PurgeInput(); }
  void PurgeOutput() override { inner_.PurgeOutput(); }
  WaitResult WaitReadable(uint32_t timeoutMs) override { return inner_.WaitReadable(timeoutMs); }
  bool GetModemStatus(uint32_t& bits) override { return inner_.GetModemStatus(bits); }
  bool SetModemLine(ModemLine line, bool raised) override {
    return inner_.SetModemLine(line, raised);
  }
  void Close() override { inner_.Close(); }
  const LineResult& LastError() const override { return inner_.LastError(); }
  void SetWriteCancel(std::function<bool()> cancelled) override {
    inner_.SetWriteCancel(std::move(cancelled));
  }
  LineResult HeldElsewhere(const std::string& path) override { return inner_.HeldElsewhere(path); }

 protected:
  SerialLine& inner_;
};

}  // namespace mx
