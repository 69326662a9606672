// Fuzz target: the interface's reply lines as the program reads them. The bytes arrive on a
// virtual line and are taken with ReadLine at the identification, identity and network limits,
// then given to the identification, network and verdict parsers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "link/ReplyParsers.h"
#include "link/SerialPort.h"
#include "sim/VirtualSerialLine.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "link_reply_fuzz: invariant failed: %s\n", what);
    std::abort();
  }
}

void CheckLine(const std::string& line) {
  static const int kBauds[] = {1200, 2400, 4800, 9600, 19200};
  static const char kFramings[][2] = {{'N', '8'}, {'E', '7'}, {'O', '7'}};
  for (int baud : kBauds) {
    for (const auto& framing : kFramings) {
      const mx::ModelIndex model = mx::MatchIdentification(line, baud, framing[0], framing[1]);
      Check(model >= -1 && model < mx::kModelCount, "model index in range");
      if (model >= 0) {
        const std::string expected =
            std::string(mx::kModelTable[static_cast<std::size_t>(model)].identification) +
            mx::IdentificationSuffix(baud, framing[0], framing[1]);
        Check(mx::ReplyText(line) == expected, "a match is the exact identification");
      }
    }
  }
  mx::NetworkStatus status;
  mx::ParseNetworkStatus(line, status);
  if (status.netStatusValid) {
    Check(status.netEnabled == 0 || status.netEnabled == 1, "enabled flag");
    Check(status.netServerMode == 0 || status.netServerMode == 1, "server flag");
    for (int byte : status.netAddress)
      Check(byte >= 0 && byte <= 255, "address byte");
    Check(status.netPort >= 0 && status.netPort <= 65535, "port");
  }
  const mx::Verdict verdict = mx::ParseVerdict(line);
  Check((verdict == mx::Verdict::Pass) == (mx::ReplyText(line) == "Pass"), "pass is exact");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mx::VirtualClock clock(1000);
  mx::sim::VirtualPortBus bus(clock);
  mx::sim::VirtualSerialLine line(bus);
  mx::PortMap ports;
  ports.Set(1, "vcom1");
  bus.Add("vcom1");
  // Each byte arrives one millisecond after the one before; a byte of 0xFE makes a 400 ms gap.
  uint64_t at = 1000;
  for (size_t i = 0; i < size; ++i) {
    at += data[i] == 0xFE ? 400 : 1;
    bus.Inject("vcom1", {data[i]}, at);
  }
  mx::SerialPort port(line, clock, ports);
  if (!port.Open(1, 9600, 'N', '8', '1'))
    return 0;
  static const int kLimits[] = {30, 90, 50, 90};
  for (int round = 0; round < 64 && port.BytesAvailable() + (at > clock.Now64() ? 1 : 0) > 0;
       ++round) {
    const int limit = kLimits[round % 4];
    const std::string text = port.ReadLine(limit, 300, '\r');
    Check(static_cast<int>(text.size()) <= limit, "ReadLine keeps its limit");
    CheckLine(text);
  }
  CheckLine(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
