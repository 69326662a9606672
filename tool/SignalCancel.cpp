#include "tool/SignalCancel.h"

#include <atomic>

namespace mx::tool {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Read by every port's thread of a fleet command; a lock-free atomic is safe in a handler too.
std::atomic<int> gCaught = 0;
static_assert(std::atomic<int>::is_always_lock_free);

void OnSignal(int signal) {
  int none = 0;
  gCaught.compare_exchange_strong(none, signal);
}

}  // namespace

SignalCancel::SignalCancel() {
  gCaught = 0;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  // Restarted calls keep terminal output whole; the waits (poll, sleeps) return early regardless
  // and look at the flag.
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i)
    sigaction(kSignals[i], &action, &previous_[i]);
}

SignalCancel::~SignalCancel() {
  for (int i = 0; i < 3; ++i)
    sigaction(kSignals[i], &previous_[i], nullptr);
}

int SignalCancel::Caught() {
  return gCaught;
}

std::string SignalCancel::Name(int signal) {
  switch (signal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    default:
      return "signal " + std::to_string(signal);
  }
}

}  // namespace mx::tool
