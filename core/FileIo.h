#pragma once
// Safe whole-file I/O for every program: configuration files, set-up documents, logs, reports.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mx {

// Whole-file reads and writes. Writing goes to a temporary file in the same folder that replaces
// the target only when everything was written, so a failed save leaves the old file whole. Saving
// replaces the file: a new file takes the old one's owner, group and permissions (never its
// set-ID bits), and other hard links to the old file keep the old contents. A symbolic link is
// followed where the kernel would follow it; folders, devices, pipes and sockets are refused.
struct [[nodiscard]] FileResult {
  bool ok = false;
  std::string error;  // what went wrong, for the user
};
FileResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes,
                         std::size_t limit = 64 * 1024 * 1024);
FileResult ReadStandardInput(std::vector<uint8_t>& bytes, std::size_t limit = 64 * 1024 * 1024);
FileResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);
// What a save to `path` would refuse or fail at before writing anything: the target itself and
// whether its folder takes new files. For work that should not start when its result cannot be
// kept.
FileResult CheckSaveTarget(const std::string& path);
// Opens `path` for appending (created if missing) under the same rules as a save: links followed
// only where the kernel would (on every part of the path), nothing but a regular file, never a
// wait on a pipe. On success `fd` is a blocking descriptor that the caller closes.
FileResult OpenForAppend(const std::string& path, int& fd);

}  // namespace mx
