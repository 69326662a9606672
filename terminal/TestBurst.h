#pragma once
// The test burst: 2000 numbered lines of 100 bytes, 200000 bytes in all, written to the port and
// not shown. At 9600 baud that is three and a half minutes of line time, so it is sent in slices
// that the driver takes at once: each slice keeps at most a fifth of a second of line time (and
// never more than a small driver queue holds) waiting ahead of the line, and the window stays
// responsive between slices.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "link/SerialLine.h"

namespace mx::terminal {

inline constexpr int kTestBurstLines = 2000;
inline constexpr std::size_t kTestBurstLineSize = 100;
inline constexpr std::size_t kTestBurstSize = kTestBurstLines * kTestBurstLineSize;

// Line n (1..2000): "Line %5d - ", an 80-character pattern and " - End" with CR. The patterns run
// digits, lower case, digits, upper case.
std::string TestBurstLine(int n);

class TestBurstSender {
 public:
  // Starts over at line 1; `line` gives the bit time that paces the slices.
  void Start(const LineSettings& line, uint32_t nowMs);
  void Stop();
  // Ends the burst once the line being sent is whole, so the device is not left holding half a
  // line that the next command would be glued onto.
  void StopAtLineEnd();
  bool Running() const { return running_; }

  // The bytes to hand to the driver now; empty when the line is still busy with earlier ones.
  std::span<const uint8_t> NextSlice(uint32_t nowMs);
  // How many bytes of the slice the driver took.
  void Taken(std::size_t count);

  std::size_t BytesSent() const { return sent_; }

 private:
  std::vector<uint8_t> bytes_;
  std::size_t sent_ = 0;
  bool running_ = false;
  uint32_t startMs_ = 0;
  uint64_t byteNs_ = 0;      // line time of one byte: start, data, parity and stop bits
  uint64_t leadNs_ = 0;      // how far ahead of the line the driver may be filled
  uint64_t lineFreeNs_ = 0;  // when the line will have sent everything handed over so far
};

}  // namespace mx::terminal
