#pragma once
// The setup program's version, as its About box and its printed pages show it.

#include <string_view>

namespace mx {

inline constexpr std::string_view kSetupProgramVersion = "1.0.1.24";

}  // namespace mx
