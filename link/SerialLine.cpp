#include "link/SerialLine.h"

namespace mx {

std::string LineFailureText(const LineResult& result) {
  // Serial devices belong to group dialout; a user outside it gets "Permission denied" and
  // nothing in that text says what to do.
  if (result.error == LineError::PermissionDenied)
    return result.detail +
           ": add your user to the group dialout (sudo usermod -aG dialout $USER) and log in again";
  return result.detail;
}

}  // namespace mx
