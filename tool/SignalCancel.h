#pragma once
// Ctrl+C, SIGTERM and SIGHUP while a device command runs. The handlers only note the signal: it is
// the command's Cancel, which ends the command early the way a failed transfer ends (port and lock
// released, the interface put back), and mxtool then exits with 128 + the signal's number.

#include <csignal>
#include <string>

namespace mx::tool {

class SignalCancel {
 public:
  SignalCancel();   // catches the signals and forgets one caught before
  ~SignalCancel();  // puts the previous handlers back
  SignalCancel(const SignalCancel&) = delete;
  SignalCancel& operator=(const SignalCancel&) = delete;

  // The first signal caught (0: none); still known once the handlers are gone.
  static int Caught();
  // "SIGINT", "SIGTERM", "SIGHUP".
  static std::string Name(int signal);

 private:
  struct sigaction previous_[3]{};
};

}  // namespace mx::tool
