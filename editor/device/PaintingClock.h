#pragma once
// A Clock whose waits keep the windows painted: the wait is cut into slices and between them the
// pending paint and timer work runs, while keyboard and mouse input stays queued (the device
// commands must not be re-entered, and the main window is disabled meanwhile anyway).

#include "link/Clock.h"

namespace mx::editor {

// Processes everything pending except user input.
void PaintPendingWindows();

class PaintingClock : public Clock {
 public:
  static constexpr uint32_t kSliceMs = 40;

  explicit PaintingClock(Clock& inner) : inner_(inner) {}
  uint32_t NowMs() override { return inner_.NowMs(); }
  void SleepMs(uint32_t ms) override;

 private:
  Clock& inner_;
};

}  // namespace mx::editor
