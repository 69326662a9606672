#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "desktop/TextConversion.h"
#include "nettest/CLinkTest_NetworkDoc.h"

namespace mx::nettest {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

class NetworkDocTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  QString Path(const char* name) { return dir_.filePath(QString::fromLatin1(name)); }
};

TEST_F(NetworkDocTest, NewDocumentIsUntitledWithDefaults) {
  CLinkTest_NetworkDoc doc;
  doc.Fields().port = 1;
  doc.SetPathName(QStringLiteral("/x/y/bench.ltn"));
  EXPECT_EQ(doc.Title(), QStringLiteral("bench.ltn"));
  doc.SetPathName(QStringLiteral("C:\\Tests\\line 4.ltn"));
  EXPECT_EQ(doc.Title(), QStringLiteral("line 4.ltn"));
  doc.OnNewDocument();
  EXPECT_EQ(doc.Title(), QStringLiteral("untitled"));
  EXPECT_TRUE(doc.PathName().isEmpty());
  EXPECT_EQ(doc.Fields(), LtnFields{});
}

TEST_F(NetworkDocTest, SaveAndOpenKeepCommandBytesAndTexts) {
  CLinkTest_NetworkDoc doc;
  doc.Fields().buttonCommands[1] = std::string("\0\r\xff", 3);
  doc.Fields().serverAddress = desktop::ToLatin1(QStringLiteral("caf\u00e9-gage"));
  doc.Fields().mode = kLtnModeClient;
  doc.SetModified();
  ASSERT_TRUE(doc.Save(Path("a.ltn")).ok);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.Title(), QStringLiteral("a.ltn"));

  CLinkTest_NetworkDoc other;
  const auto result = other.Open(Path("a.ltn"));
  ASSERT_TRUE(result.ok) << result.message.toStdString();
  EXPECT_EQ(other.Fields(), doc.Fields());
  EXPECT_EQ(desktop::FromLatin1(other.Fields().serverAddress), QStringLiteral("caf\u00e9-gage"));
}

TEST_F(NetworkDocTest, RejectedFilesLeaveDefaultsAndSayWhy) {
  CLinkTest_NetworkDoc good;
  good.Fields().port = 6001;
  ASSERT_TRUE(good.Save(Path("good.ltn")).ok);
  QByteArray bytes = ReadAll(Path("good.ltn"));

  QByteArray versionB = bytes;
  versionB[51] = 'B';
  WriteAll(Path("b.ltn"), versionB);
  CLinkTest_NetworkDoc doc;
  doc.Fields().port = 1234;
  auto r = doc.Open(Path("b.ltn"));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, QStringLiteral("Invalid LinkText_Network data file:\n") + Path("b.ltn"));
  EXPECT_EQ(doc.Fields(), LtnFields{});
  EXPECT_EQ(doc.Title(), QStringLiteral("b.ltn"));

  WriteAll(Path("cut.ltn"), bytes.left(bytes.size() - 3));
  doc.Fields().port = 1234;
  r = doc.Open(Path("cut.ltn"));
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.message.contains(Path("cut.ltn")));
  EXPECT_TRUE(r.message.contains(QStringLiteral("damaged")));
  EXPECT_EQ(doc.Fields(), LtnFields{});

  r = doc.Open(Path("missing.ltn"));
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.message.startsWith(QStringLiteral("Cannot open the file:\n")));
}

TEST_F(NetworkDocTest, OversizedFileIsNotReadIn) {
  QFile big(Path("big.ltn"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly));
  ASSERT_TRUE(big.resize(CLinkTest_NetworkDoc::kMaxFileSize + 1));  // sparse: costs no disk
  big.close();
  CLinkTest_NetworkDoc doc;
  const auto r = doc.Open(Path("big.ltn"));
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.message.contains(QStringLiteral("too large")));
}

TEST_F(NetworkDocTest, FailedSaveLeavesTheOldFileWhole) {
  CLinkTest_NetworkDoc doc;
  ASSERT_TRUE(doc.Save(Path("keep.ltn")).ok);
  const QByteArray before = ReadAll(Path("keep.ltn"));

  CLinkTest_NetworkDoc other;
  other.Fields().port = 42;
  const auto r = other.Save(Path("no-such-folder/keep.ltn"));
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.message.startsWith(QStringLiteral("Cannot save the file:\n")));
  EXPECT_EQ(other.Title(), QStringLiteral("untitled"));

  // Overwriting goes through a temporary file: no stray files remain and the content is new.
  ASSERT_TRUE(other.Save(Path("keep.ltn")).ok);
  EXPECT_NE(ReadAll(Path("keep.ltn")), before);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 1);
}

}  // namespace
}  // namespace mx::nettest
