// The transfer log: a line per send that reads back as written, and a log that cannot be written
// is an error the caller can warn about, never a crash or a lost record of the others.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "link/TransferLog.h"
#include "support/TempDir.h"

namespace mx {
namespace {

TEST(TransferLogTest, RecordsReadBackAndAnUnwritableLogIsAnError) {
  test::TempDir dir;
  ::setenv("XDG_STATE_HOME", dir.path().c_str(), 1);
  EXPECT_EQ(TransferLogPath(), dir.File("mxsetup/transfers.jsonl"));
  LinkState state;
  state.identityTexts = {"COM3", "9600-N-8-1", "SN-7", "", ""};
  state.portPath = "/dev/ttyUSB2";
  TransferRecord record = MakeTransferRecord(state, "Mesurix5 Network", {}, "golden\t.mxs");
  EXPECT_EQ(record.sha256, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_NE(record.time.find('T'), std::string::npos);
  record.outcome = "ok";
  ASSERT_TRUE(AppendTransferRecord(record).ok);
  ASSERT_TRUE(AppendTransferRecord(record).ok);
  std::ofstream(TransferLogPath(), std::ios::app) << "not a record\n";
  const TransferLogRead read = ReadTransferLog(TransferLogPath());
  ASSERT_EQ(read.records.size(), 2U);
  EXPECT_EQ(read.records[1].serial, "SN-7");
  EXPECT_EQ(read.records[1].file, "golden\t.mxs");
  EXPECT_EQ(read.records[1].device, "/dev/ttyUSB2");

  std::ofstream(dir.File("file")) << "";
  ::setenv("XDG_STATE_HOME", dir.File("file").c_str(), 1);  // a folder cannot go under a file
  const TransferLogResult failed = AppendTransferRecord(record);
  EXPECT_FALSE(failed.ok);
  EXPECT_NE(failed.error.find("transfers.jsonl"), std::string::npos) << failed.error;

  // A FIFO under the log's name is refused at once rather than waited on for a reader.
  ::setenv("XDG_STATE_HOME", dir.File("fifo").c_str(), 1);
  std::filesystem::create_directories(dir.File("fifo/mxsetup"));
  ASSERT_EQ(::mkfifo(TransferLogPath().c_str(), 0600), 0);
  EXPECT_FALSE(AppendTransferRecord(record).ok);
  EXPECT_FALSE(ReadTransferLog(TransferLogPath()).ok);
  ::unsetenv("XDG_STATE_HOME");
}

}  // namespace
}  // namespace mx
