// Fuzz target: the simulated interface's request parser and image reception. The first byte picks
// the model, the fault and the line the bytes travel at; the rest is fed in chunks whose sizes come
// from the data itself, with time passing between them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/ImageOperations.h"
#include "sim/InterfaceSimulator.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "sim_request_fuzz: invariant failed: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  const uint8_t control = data[0];
  mx::sim::SimulatorConfig config;
  config.model = control & 7;
  config.fault = static_cast<mx::sim::Fault>((control >> 3) % 6);
  config.image = mx::sim::DefaultSimulatorImage(config.model, 9600, 'N', '8');
  mx::sim::InterfaceSimulator simulator(config);
  const mx::sim::LineView line{9600, 'N', '8', (control & 0x80) == 0};

  size_t at = 1;
  uint32_t now = 0;
  while (at < size) {
    const size_t chunk = 1 + data[at] % 64;
    const size_t take = chunk < size - at ? chunk : size - at;
    now += data[at] & 0x80 ? 1500 : 1;
    const std::vector<uint8_t> reply = simulator.Receive({data + at, take}, line, now);
    // Every request answers with at most one image or one line, and one chunk holds at most
    // 64 / 3 requests.
    Check(reply.size() <= 22 * (mx::kImageSize + 100), "reply size bounded");
    at += take;
  }
  // Only an image with a correct checksum and sound host settings is ever taken.
  Check(mx::ChecksumMatches(simulator.Image()), "accepted image is consistent");
  return 0;
}
