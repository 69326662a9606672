// Lock files in a private folder: what other programs write is read in every form, whatever else
// sits under a lock file's name is an unknown holder (and is never waited on or followed), and a
// stale lock goes to exactly one of several programs that find it at once.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "link/PortLock.h"
#include "support/TempDir.h"

namespace mx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDevice = "/dev/ttyMX9";  // only a name: nothing is opened
constexpr int32_t kGonePid = 4194304;           // above any pid_max

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Binary(int32_t pid) {
  return std::string(reinterpret_cast<const char*>(&pid), sizeof pid);
}

TEST(PortLockTest, OtherProgramsLockFilesAreReadInEveryForm) {
  struct Case {
    const char* what;
    std::string bytes;
    bool old;          // written long ago
    const char* busy;  // the start of the Busy detail; null: stale, and taken over
  };
  const Case cases[] = {
      {"ten columns", "         1\n", true, "in use by process 1"},
      {"a bare number with names after it", "1 minicom root\n", true, "in use by process 1"},
      {"a binary int", Binary(1), true, "in use by process 1"},
      {"a gone process in columns", "   4194304\n", true, nullptr},
      {"a gone process as a binary int", Binary(kGonePid), true, nullptr},
      {"an old empty file", "", true, nullptr},
      {"old words without a number", "locked\n", true, nullptr},
      // Another program may have created it and not yet written its number.
      {"a new empty file", "", false, kUnknownHolderText},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    const std::string file = dir.File(PortLock::FileName(kDevice));
    WriteFile(file, c.bytes);
    const timespec longAgo[2] = {{1000, 0}, {1000, 0}};
    if (c.old)
      utimensat(AT_FDCWD, file.c_str(), longAgo, 0);
    PortLock lock(dir.path().string());
    const LineResult result = lock.Take(kDevice);
    if (c.busy) {
      EXPECT_EQ(result.error, LineError::Busy) << c.what;
      EXPECT_EQ(result.detail.rfind(c.busy, 0), 0u) << c.what << ": " << result.detail;
    } else {
      ASSERT_TRUE(result.ok()) << c.what << ": " << result.detail;
      EXPECT_EQ(lock.Path(), file) << c.what;
      std::ifstream written(file);
      long pid = 0;
      EXPECT_TRUE(written >> pid) << c.what;
      EXPECT_EQ(pid, getpid()) << c.what;
    }
  }
}

TEST(PortLockTest, AnythingButALockFileIsAnUnknownHolderAndStaysAsItIs) {
  struct Case {
    const char* what;
    std::function<void(const std::string&, const test::TempDir&)> plant;
  };
  const Case cases[] = {
      // A plain open would wait for a writer for ever.
      {"a FIFO", [](const std::string& file, const test::TempDir&) { mkfifo(file.c_str(), 0666); }},
      // Followed, it would name process 1 (or read from a terminal).
      {"a symbolic link",
       [](const std::string& file, const test::TempDir& dir) {
         WriteFile(dir.File("elsewhere"), "         1\n");
         fs::create_symlink(dir.File("elsewhere"), file);
       }},
      {"a folder",
       [](const std::string& file, const test::TempDir&) { fs::create_directory(file); }},
      {"a large file",
       [](const std::string& file, const test::TempDir&) {
         WriteFile(file, "         1\n" + std::string(4096, ' '));
       }},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    const std::string file = dir.File(PortLock::FileName(kDevice));
    c.plant(file, dir);
    const fs::file_type planted = fs::symlink_status(file).type();
    PortLock lock(dir.path().string());
    alarm(10);  // a blocking open ends the test instead of hanging it
    const LineResult result = lock.Take(kDevice);
    alarm(0);
    EXPECT_EQ(result.error, LineError::Busy) << c.what;
    EXPECT_EQ(result.detail.rfind(kUnknownHolderText, 0), 0u) << c.what << ": " << result.detail;
    EXPECT_NE(result.detail.find(file), std::string::npos) << c.what << ": " << result.detail;
    EXPECT_EQ(fs::symlink_status(file).type(), planted) << c.what;
  }
}

TEST(PortLockTest, AFolderWithoutRoomForOurLockStillHasOthersLocksHonoured) {
  // A folder where no lock file can be written does not keep anyone from the device...
  test::TempDir dir;
  PortLock lock(dir.File("missing"));
  EXPECT_TRUE(lock.Take(kDevice).ok());
  EXPECT_TRUE(lock.Path().empty());
  if (geteuid() == 0)
    GTEST_SKIP() << "root writes into any folder, so a read-only one cannot be made here";
  // ...but the locks that other programs left there are honoured.
  WriteFile(dir.File(PortLock::FileName(kDevice)), "         1\n");
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  PortLock readOnly(dir.path().string());
  EXPECT_EQ(readOnly.Take(kDevice).error, LineError::Busy);
}

// Several programs find the same stale lock at the same moment: whoever wins keeps a lock file
// with its own number for as long as it holds the device, and the others are told it is busy.
TEST(PortLockTest, AStaleLockGoesToOneOfManyAtOnce) {
  constexpr int kRounds = 20;
  constexpr int kContenders = 6;
  test::TempDir dir;
  const std::string file = dir.File(PortLock::FileName(kDevice));
  for (int round = 0; round < kRounds; ++round) {
    WriteFile(file, "   4194304\n");
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < kContenders; ++i) {
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        close(start[1]);
        char go = 0;
        // Returns when the parent closes its end: all start at once.
        [[maybe_unused]] const ssize_t started = read(start[0], &go, 1);
        PortLock lock(dir.path().string());
        const LineResult result = lock.Take(kDevice);
        if (!result.ok())
          _exit(result.error == LineError::Busy ? 1 : 3);
        for (int check = 0; check < 20; ++check) {
          std::ifstream holder(file);
          long pid = 0;
          if (!(holder >> pid) || pid != getpid())
            _exit(2);
          usleep(1000);
        }
        lock.Release();
        _exit(0);
      }
      children.push_back(child);
    }
    close(start[0]);
    close(start[1]);
    int winners = 0;
    for (const pid_t child : children) {
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status));
      const int code = WEXITSTATUS(status);
      EXPECT_TRUE(code == 0 || code == 1)
          << "round " << round << ": " << (code == 2 ? "a winner lost its lock file" : "failed");
      winners += code == 0;
    }
    EXPECT_GE(winners, 1) << "round " << round;
    // Every winner removed its own file and nothing else was left behind.
    EXPECT_TRUE(fs::is_empty(dir.path())) << "round " << round;
  }
}

}  // namespace
}  // namespace mx
