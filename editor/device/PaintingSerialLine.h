#pragma once
// A SerialLine that keeps the windows painted while it waits for input: WaitReadable waits in
// slices of the inner line and lets pending paint work run between them. Everything else passes
// straight through, so the time-out rules of the port are unchanged.

#include "link/Clock.h"
#include "link/ForwardingSerialLine.h"

namespace mx::editor {

class PaintingSerialLine : public ForwardingSerialLine {
 public:
  static constexpr uint32_t kSliceMs = 40;

  PaintingSerialLine(SerialLine& inner, Clock& clock)
      : ForwardingSerialLine(inner), clock_(clock) {}

  WaitResult WaitReadable(uint32_t timeoutMs) override;

 private:
  Clock& clock_;
};

}  // namespace mx::editor
