// The lock keys' states from the X server's keyboard indicators. The X headers define names such as
// None and Bool as macros, so they come last and nothing of Qt follows them.
#include <qguiapplication_platform.h>
#include <QGuiApplication>

#include "desktop/widgets/LockKeyPanes.h"

#include <X11/XKBlib.h>

namespace mx::desktop {
namespace {

// Where the server keeps an indicator among its bits, by the indicator's name; -1 for none.
int IndicatorBit(Display* display, const char* name) {
  const Atom atom = XInternAtom(display, name, True);
  int index = -1;
  if (atom == None || !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr))
    return -1;
  return index;
}

}  // namespace

std::optional<LockStates> ReadPlatformLockStates() {
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display)
    return std::nullopt;  // not on X11 (offscreen, Wayland)
  // The indicators' places are looked up once; each reading is then one request to the server.
  static const int caps = IndicatorBit(display, "Caps Lock");
  static const int num = IndicatorBit(display, "Num Lock");
  static const int scroll = IndicatorBit(display, "Scroll Lock");
  unsigned int bits = 0;
  if ((caps < 0 && num < 0 && scroll < 0) ||
      XkbGetIndicatorState(display, XkbUseCoreKbd, &bits) != Success)
    return std::nullopt;
  const auto lit = [bits](int bit) { return bit >= 0 && (bits & (1u << bit)) != 0; };
  return LockStates{lit(caps), lit(num), lit(scroll)};
}

}  // namespace mx::desktop
