#pragma once
// A SerialLine that keeps the windows painted while it waits for input: WaitReadable waits in
// slices of the inner line and lets pending paint work run between them. Everything else passes
// straight through, so the time-out rules of the port are unchanged.

#include "link/Clock.h"
#include "link/SerialLine.h"

namespace mx::editor {

class PaintingSerialLine : public SerialLine {
 public:
  static constexpr uint32_t kSliceMs = 40;

  PaintingSerialLine(SerialLine& inner, Clock& clock) : inner_(inner), clock_(clock) {}

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
  WaitResult WaitReadable(uint32_t timeoutMs) override;
  bool GetModemStatus(uint32_t& bits) override { return inner_.GetModemStatus(bits); }
  bool SetModemLine(ModemLine line, bool raised) override {
    return inner_.SetModemLine(line, raised);
  }
  void Close() override { inner_.Close(); }
  const LineResult& LastError() const override { return inner_.LastError(); }

 private:
  SerialLine& inner_;
  Clock& clock_;
};

}  // namespace mx::editor
