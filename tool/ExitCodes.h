#pragma once
// mxtool's exit codes, the contract with the scripts that run it (the usage text lists them).

namespace mx::tool {

inline constexpr int kOk = 0;
inline constexpr int kDeviceFailure = 1;  // the interface failed or was not found
inline constexpr int kSame = 0;           // diff: the images are the same
inline constexpr int kDifferent = 1;      // diff: the images differ
inline constexpr int kUsage = 2;          // usage or file error
inline constexpr int kWouldChange = 3;    // apply --check: some interface would change
// A device command cancelled by a signal exits with this plus the signal's number.
inline constexpr int kCancelledBase = 128;

}  // namespace mx::tool
