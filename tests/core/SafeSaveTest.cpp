// Saving as a hostile or unlucky user would meet it: special files, planted links, other users'
// files, saves killed half-way.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>

#include "core/ConfigFile.h"
#include "support/TempDir.h"

namespace mx {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Entries(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

std::vector<uint8_t> Contents(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes).ok) << path;
  return bytes;
}

const passwd* Nobody() {
  return ::getpwnam("nobody");
}

TEST(SafeSave, RefusesEverythingButARegularFile) {
  test::TempDir dir;
  const std::string fifo = dir.File("fifo"), folder = dir.File("folder"), socket = dir.File("sock");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(folder);
  const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket.c_str());
  ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  fs::create_symlink(fifo, dir.File("fifo-link"));
  std::vector<std::string> targets = {fifo, socket, folder, folder + "/", dir.File("fifo-link")};
  std::set<std::string> names = {"fifo", "sock", "folder", "fifo-link"};
  // A copy of /dev/null's node stands in for it: a faulty save must not take the real one.
  if (::geteuid() == 0 && ::mknod(dir.File("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    fs::create_symlink(dir.File("null"), dir.File("null-link"));
    targets.insert(targets.end(), {dir.File("null"), dir.File("null-link")});
    names.insert({"null", "null-link"});
  }

  for (const std::string& target : targets) {
    const auto before = fs::symlink_status(target).type();
    const FileResult checked = CheckSaveTarget(target);
    const FileResult saved = WriteFileAtomically(target, std::vector<uint8_t>(10, 1));
    EXPECT_FALSE(checked.ok) << target;
    EXPECT_FALSE(saved.ok) << target;
    EXPECT_NE(saved.error.find(target), std::string::npos) << saved.error;
    EXPECT_EQ(fs::symlink_status(target).type(), before) << target;
  }
  EXPECT_EQ(Entries(dir.path()), names);
  ::close(s);
}

TEST(SafeSave, FollowsALinkInASharedFolderOnlyWhereTheKernelWould) {
  const passwd* nobody = Nobody();
  if (::geteuid() != 0 || !nobody)
    GTEST_SKIP() << "needs root (and a user \"nobody\") to plant another user's link";
  struct Case {
    mode_t folderMode;
    bool folderOwnedByNobody;
    bool linkOwnedByNobody;
    bool followed;
    bool linkIsAFolder = false;  // shared/evil -> the secret's folder, saved as shared/evil/x.mxs
  };
  const Case cases[] = {
      {01777, false, true, false},        // someone else's link in a shared sticky folder
      {01777, false, false, true},        // our own link
      {01777, true, true, true},          // the folder owner's link
      {00777, false, true, true},         // no sticky bit: the kernel follows any link
      {01775, false, true, true},         // not writable by everyone
      {01777, false, true, false, true},  // the same rules for a link on the way
      {01777, false, false, true, true},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    fs::create_directory(dir.File("private"));
    const std::string secret = dir.File("private/x.mxs");
    ASSERT_TRUE(WriteFileAtomically(secret, std::vector<uint8_t>(4, 7)).ok);
    fs::create_directory(dir.File("shared"));
    const std::string shared = dir.File("shared");
    const std::string link = shared + (c.linkIsAFolder ? "/evil" : "/x.mxs");
    fs::create_symlink(c.linkIsAFolder ? dir.File("private") : secret, link);
    const std::string savedAs = c.linkIsAFolder ? link + "/x.mxs" : link;
    ASSERT_EQ(::chmod(shared.c_str(), c.folderMode), 0);
    if (c.folderOwnedByNobody) {
      ASSERT_EQ(::chown(shared.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    if (c.linkOwnedByNobody) {
      ASSERT_EQ(::lchown(link.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }

    const FileResult saved = WriteFileAtomically(savedAs, std::vector<uint8_t>(9, 1));
    const FileResult checked = CheckSaveTarget(savedAs);
    EXPECT_EQ(saved.ok, c.followed) << std::oct << c.folderMode << " " << saved.error;
    EXPECT_EQ(checked.ok, c.followed) << checked.error;
    EXPECT_EQ(Contents(secret).size(), c.followed ? 9u : 4u);
    EXPECT_TRUE(fs::is_symlink(link)) << "the link itself is never replaced";
    if (!c.followed) {
      EXPECT_NE(saved.error.find("another user"), std::string::npos) << saved.error;
    }
  }
}

TEST(SafeSave, KeepsOwnerGroupAndPermissionsButNeverTheSetIdBits) {
  test::TempDir dir;
  const std::string path = dir.File("a.mxs");
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(3, 1)).ok);
  ASSERT_EQ(::chmod(path.c_str(), 06750), 0);
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(5, 2)).ok);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0750u);

  const passwd* nobody = Nobody();
  if (::geteuid() != 0 || !nobody)
    GTEST_SKIP() << "needs root (and a user \"nobody\") to replace another user's file";
  ASSERT_EQ(::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(6, 3)).ok);
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, nobody->pw_uid);
  EXPECT_EQ(st.st_gid, nobody->pw_gid);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(SafeSave, ASaveKilledWhileWritingLeavesNothingBehind) {
  test::TempDir dir;
  const std::string path = dir.File("a.mxs");
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(100, 1)).ok);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The file size limit kills the writer (SIGXFSZ) in the middle of its file.
    const rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_DFL);
    [[maybe_unused]] const FileResult killed =
        WriteFileAtomically(path, std::vector<uint8_t>(kConfigFileSize, 2));  // never returns
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the save was meant to be killed";
  EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"a.mxs"});
  EXPECT_EQ(Contents(path), std::vector<uint8_t>(100, 1));
}

TEST(SafeSave, ClearsAbandonedTemporaryFilesButNotThoseInUse) {
  test::TempDir dir;
  const std::string path = dir.File("a.mxs");
  const std::vector<std::string> abandoned = {".a.mxs.Ab12Cd", ".a.mxs.XXXXXX"};
  const std::vector<std::string> kept = {".a.mxs.InUse1", ".b.mxs.Ab12Cd", ".a.mxs.Ab12Cd7",
                                         "a.mxs.Ab12Cd"};
  for (const auto& name : abandoned)
    ASSERT_TRUE(WriteFileAtomically(dir.File(name), std::vector<uint8_t>(1, 0)).ok);
  for (const auto& name : kept)
    ASSERT_TRUE(WriteFileAtomically(dir.File(name), std::vector<uint8_t>(1, 0)).ok);
  const int inUse = ::open(dir.File(".a.mxs.InUse1").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(inUse, LOCK_EX), 0);

  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(2, 2)).ok);
  std::set<std::string> expected(kept.begin(), kept.end());
  expected.insert("a.mxs");
  EXPECT_EQ(Entries(dir.path()), expected);
  ::close(inUse);
}

}  // namespace
}  // namespace mx
