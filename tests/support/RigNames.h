#pragma once
// Names the cases of a typed contract suite after its rigs: each rig says `kName` ("Posix").

#include <string>

namespace mx::test {

struct RigNames {
  template <typename Rig>
  static std::string GetName(int) {
    return Rig::kName;
  }
};

}  // namespace mx::test
