// Builds without the X11 client library cannot ask for the lock keys' states.
#include "desktop/widgets/LockKeyPanes.h"

namespace mx::desktop {

std::optional<LockStates> ReadPlatformLockStates() {
  return std::nullopt;
}

}  // namespace mx::desktop
