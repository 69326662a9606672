#include "link/SerialLine.h"

#include <algorithm>
#include <iterator>

namespace mx {

bool IsLineBaud(int baud) {
  constexpr int kBauds[] = {300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400};
  return std::find(std::begin(kBauds), std::end(kBauds), baud) != std::end(kBauds);
}

std::string LineFailureText(const LineResult& result) {
  // Serial devices belong to group dialout; a user outside it gets "Permission denied" and
  // nothing in that text says what to do.
  if (result.error == LineError::PermissionDenied)
    return result.detail +
           ": add your user to the group dialout (sudo usermod -aG dialout $USER) and log in again";
  return result.detail;
}

}  // namespace mx
