#pragma once
// The lock file by which serial programs tell each other that a device is taken: "LCK..ttyUSB0" in
// /run/lock, holding the owner's process number (ten ASCII columns; some programs write a binary
// int). Anyone may write in that folder, so whatever sits there under a lock file's name is
// distrusted: only a regular file of lock-file size is read, without following a link and without
// waiting (a FIFO there would block a plain open for ever, a link to a terminal would read from
// it). Anything else there means that some unknown program holds the device.
//
// Our own lock file appears under its name complete, with our number in it, and stays
// flock()ed while we hold it. A stale one (its process is gone) is removed only by whoever holds
// the flock on it, and only if the name still leads to it, so two programs finding the same stale
// file at once cannot both take the device, nor remove a lock that has just been taken.

#include <string>

#include "link/SerialLine.h"

namespace mx {

// The Busy detail when the holder cannot be named.
inline constexpr const char* kUnknownHolderText = "in use by an unknown holder";

// The Busy detail for a holder we know: "in use by process 1234 (minicom)".
std::string HolderText(long pid);

class PortLock {
 public:
  explicit PortLock(std::string directory) : directory_(std::move(directory)) {}
  ~PortLock() { Release(); }
  PortLock(const PortLock&) = delete;
  PortLock& operator=(const PortLock&) = delete;

  // The lock file a device path uses: "LCK.." and the device name below /dev, slashes as '_'.
  static std::string FileName(const std::string& resolvedPath);

  // Takes the device at `resolvedPath`: Busy, naming the holder, while a live process holds its
  // lock file or something that is no lock file sits under its name; a stale lock is taken over.
  // A folder where no lock file can be written (missing, read-only) is no reason to refuse the
  // device: the result is then ok without a file.
  LineResult Take(const std::string& resolvedPath);
  // Removes our lock file; nothing when we hold none.
  void Release();

  // The file we hold, empty when none.
  const std::string& Path() const { return path_; }

 private:
  enum class Created { Ours, Exists, NoFile };
  Created Create(const std::string& path);

  std::string directory_;
  std::string path_;
  int fd_ = -1;
};

}  // namespace mx
