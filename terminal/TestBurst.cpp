#include "terminal/TestBurst.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace mx::terminal {
namespace {

constexpr std::string_view kDigits =
    "12345678901234567890123456789012345678901234567890123456789012345678901234567890";
constexpr std::string_view kLower =
    "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzab";
constexpr std::string_view kUpper =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZAB";
constexpr std::string_view kLineEnd = " - End\r";

// A fifth of a second ahead of the line keeps it busy across a late timer; 2 KB stays well
// inside the 4 KB that even a small UART driver queues, so no write ever waits.
constexpr uint64_t kLeadNs = 200'000'000;
constexpr uint64_t kMaxQueuedBytes = 2048;

uint64_t BitsPerByte(const LineSettings& line) {
  const uint64_t parity = line.parity == Parity::None ? 0 : 1;
  const uint64_t stop = line.stopBits == StopBits::One ? 1 : 2;
  return 1 + static_cast<uint64_t>(line.dataBits) + parity + stop;
}

}  // namespace

std::string TestBurstLine(int n) {
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "Line %5d - ", n);
  std::string line = prefix;
  line += n % 2 == 1 ? kDigits : (n % 4 == 2 ? kLower : kUpper);
  line += kLineEnd;
  return line;
}

void TestBurstSender::Start(const LineSettings& line, uint32_t nowMs) {
  bytes_.clear();
  bytes_.reserve(kTestBurstSize);
  for (int n = 1; n <= kTestBurstLines; ++n) {
    const std::string text = TestBurstLine(n);
    bytes_.insert(bytes_.end(), text.begin(), text.end());
  }
  sent_ = 0;
  running_ = true;
  startMs_ = nowMs;
  byteNs_ =
      BitsPerByte(line) * uint64_t{1'000'000'000} / static_cast<uint64_t>(std::max(line.baud, 1));
  leadNs_ = std::min(kLeadNs, kMaxQueuedBytes * byteNs_);
  lineFreeNs_ = 0;
}

void TestBurstSender::Stop() {
  running_ = false;
  bytes_.clear();
  bytes_.shrink_to_fit();
}

void TestBurstSender::StopAtLineEnd() {
  const std::size_t lineEnd =
      (sent_ + kTestBurstLineSize - 1) / kTestBurstLineSize * kTestBurstLineSize;
  if (!running_ || lineEnd >= bytes_.size())
    return;
  if (lineEnd == sent_)
    Stop();
  else
    bytes_.resize(lineEnd);
}

std::span<const uint8_t> TestBurstSender::NextSlice(uint32_t nowMs) {
  if (!running_)
    return {};
  const uint64_t nowNs = static_cast<uint64_t>(nowMs - startMs_) * 1'000'000;  // modulo 2^32
  // A line that ran dry (the timer was late) starts again from now, not from the past.
  lineFreeNs_ = std::max(lineFreeNs_, nowNs);
  const uint64_t room = (nowNs + leadNs_ - lineFreeNs_) / byteNs_;
  const std::size_t count =
      static_cast<std::size_t>(std::min<uint64_t>(room, bytes_.size() - sent_));
  return {bytes_.data() + sent_, count};
}

void TestBurstSender::Taken(std::size_t count) {
  if (!running_)
    return;
  sent_ += std::min(count, bytes_.size() - sent_);
  lineFreeNs_ += count * byteNs_;
  if (sent_ == bytes_.size())
    Stop();
}

}  // namespace mx::terminal
