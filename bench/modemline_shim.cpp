// A measuring aid, never part of a program: makes the four modem-line requests (TIOCMGET,
// TIOCMSET, TIOCMBIS, TIOCMBIC) succeed on devices that have no modem lines, such as the
// pseudo-terminals mxsim serves. Some serial terminals close a port whose lines they cannot read
// and reopen it every few seconds; loaded into such a program with
//   LD_PRELOAD=build/bench/libmodemline_shim.so program
// it stays connected, so its processor time on a stream can be compared with the test window's.
// Every other request, and these four where the device answers them, go to the real ioctl.
#include <dlfcn.h>
#include <sys/ioctl.h>

#include <cstdarg>

namespace {

using IoctlFunction = int (*)(int, unsigned long, ...);

IoctlFunction RealIoctl() {
  static const auto real = reinterpret_cast<IoctlFunction>(dlsym(RTLD_NEXT, "ioctl"));
  return real;
}

}  // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) __THROW {
  va_list args;
  va_start(args, request);
  void* argument = va_arg(args, void*);
  va_end(args);
  const int result = RealIoctl()(fd, request, argument);
  if (result == 0)
    return result;
  switch (request) {
    case TIOCMGET:
      // CTS, DSR and carrier present, RTS and DTR raised: a cable with everything connected.
      *static_cast<int*>(argument) = TIOCM_CTS | TIOCM_DSR | TIOCM_CAR | TIOCM_RTS | TIOCM_DTR;
      return 0;
    case TIOCMSET:
    case TIOCMBIS:
    case TIOCMBIC:
      return 0;
    default:
      return result;
  }
}
