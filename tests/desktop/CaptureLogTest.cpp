// The traffic capture: line breaks, stamps, directions, the brace notation, flushing and closing,
// on a clock the test moves.
#include "desktop/CaptureLog.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTimeZone>
#include <algorithm>
#include <string>
#include <vector>

#include "notation/ControlNotation.h"
#include "tests/support/TempDir.h"

namespace mx::desktop {
namespace {

constexpr auto kIn = CaptureDirection::Received;
constexpr auto kOut = CaptureDirection::Sent;

struct Capture {
  test::TempDir dir;
  QString path = QString::fromStdString(dir.File("capture.txt"));
  qint64 nowMs = 0;
  const QDateTime base{QDate(2024, 5, 2), QTime(14, 3, 7, 125), QTimeZone(3600)};
  CaptureLog log{[this] { return base.addMSecs(nowMs); }};

  Capture() { EXPECT_TRUE(log.Open(path)); }
  void Add(CaptureDirection direction, const std::string& bytes, qint64 atMs) {
    nowMs = atMs;
    log.Append(direction, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  }
  // What another program reading the file sees now.
  std::string OnDisk() const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(unreadable)";
  }
};

TEST(CaptureLogTest, OneStampedLinePerCrTerminatedLine) {
  Capture c;
  c.Add(kOut, "<H", 0);
  c.Add(kIn, "OK\r\nA\r", 16);
  c.Add(kIn, "\nB{\x1b\xc8", 20);  // the LF of a CR LF pair arrives with the next read
  c.Add(kIn, "\r\r", 40);          // a CR without LF ends its line as well
  c.log.Close();
  EXPECT_EQ(c.OnDisk(),
            "2024-05-02T14:03:07.125+01:00 > <H\n"
            "2024-05-02T14:03:07.141+01:00 < OK{CR}{LF}\n"
            "2024-05-02T14:03:07.141+01:00 < A{CR}{LF}\n"
            "2024-05-02T14:03:07.145+01:00 < B{{}{Esc}{200}{CR}\n"
            "2024-05-02T14:03:07.165+01:00 < {CR}\n");
  EXPECT_EQ(c.log.BytesCaptured(), 15u);
}

TEST(CaptureLogTest, DirectionChangeAndASecondOfSilenceStartNewLines) {
  Capture c;
  c.Add(kIn, "ab", 0);
  c.Add(kIn, "c", 99);   // still the same line
  c.Add(kOut, "x", 99);  // a line never mixes directions
  c.Add(kOut, "\r", 150);
  c.nowMs = 1149;
  c.log.Tick();
  c.Add(kOut, "\n", 1149);  // 999 ms after the CR: still its LF
  c.Add(kIn, "z", 3000);
  c.log.Close();
  EXPECT_EQ(c.OnDisk(),
            "2024-05-02T14:03:07.125+01:00 < abc\n"
            "2024-05-02T14:03:07.224+01:00 > x{CR}{LF}\n"
            "2024-05-02T14:03:10.125+01:00 < z\n");
}

TEST(CaptureLogTest, LinesEndAtLfAndAfterAThousandBytesOrATenthOfASecond) {
  Capture c;
  c.Add(kIn, "a\nb", 0);
  c.Add(kIn, "c", 100);
  c.Add(kIn, std::string(1500, 'd'), 150);
  c.log.Close();
  EXPECT_EQ(c.OnDisk(),
            "2024-05-02T14:03:07.125+01:00 < a{LF}\n"
            "2024-05-02T14:03:07.125+01:00 < b\n"
            "2024-05-02T14:03:07.225+01:00 < c" +
                std::string(999, 'd') + "\n" + "2024-05-02T14:03:07.275+01:00 < " +
                std::string(501, 'd') + "\n");
}

TEST(CaptureLogTest, StampsCarryTheirOffsetFromUtc) {
  test::TempDir dir;
  const QString path = QString::fromStdString(dir.File("capture.txt"));
  CaptureLog log([] { return QDateTime(QDate(2026, 10, 25), QTime(1, 30), QTimeZone(-9000)); });
  ASSERT_TRUE(log.Open(path));
  const uint8_t byte = 'x';
  log.Append(kIn, {&byte, 1});
  log.Close();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "2026-10-25T01:30:00.000-02:30 < x\n");
}

TEST(CaptureLogTest, FlushesWithinASecondAndAppendsToAnEarlierCapture) {
  Capture c;
  c.Add(kIn, "first", 0);
  c.nowMs = 1000;
  c.log.Tick();  // also ends the line, a second after its last byte
  EXPECT_EQ(c.OnDisk(), "2024-05-02T14:03:07.125+01:00 < first\n");

  // Traffic that never pauses is flushed too: nothing waits longer than a second.
  for (qint64 t = 2000; t <= 3500; t += 100) {
    c.Add(kIn, "r", t);
    const std::string onDisk = c.OnDisk();
    const auto flushed = std::count(onDisk.begin(), onDisk.end(), 'r');
    EXPECT_GE(flushed, (t - 1000 - 2000) / 100 + 1) << "at " << t;
  }

  c.log.Close();
  EXPECT_TRUE(c.log.Open(c.path));
  c.Add(kOut, "again", 4000);
  c.log.Close();
  const std::string both = c.OnDisk();
  EXPECT_EQ(both.rfind("2024-05-02T14:03:07.125+01:00 < first\n", 0), 0u);
  EXPECT_EQ(both.substr(both.size() - 38), "2024-05-02T14:03:11.125+01:00 > again\n");
}

TEST(CaptureLogTest, EveryByteValueReadsBackFromTheFile) {
  Capture c;
  std::string all;
  for (int b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  c.Add(kIn, all + all, 0);
  c.log.Close();
  std::string text = c.OnDisk();
  std::string recovered;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    ASSERT_NE(end, std::string::npos);
    ASSERT_EQ(text.substr(at + 29, 3), " < ");
    CommandTranslation record;
    record.input = text.substr(at + 32, end - at - 32);
    record.maxLength = 512;
    ASSERT_EQ(TranslateCommandString(record), TranslateResult::Success) << record.input;
    recovered.append(record.output.begin(),
                     record.output.begin() + static_cast<std::ptrdiff_t>(record.outputLength));
    at = end + 1;
  }
  EXPECT_EQ(recovered, all + all);
}

TEST(CaptureLogTest, AFileThatCannotBeOpenedSaysWhy) {
  test::TempDir dir;
  CaptureLog log;
  EXPECT_FALSE(log.Open(QString::fromStdString(dir.File("missing/folder/capture.txt"))));
  EXPECT_FALSE(log.IsOpen());
  EXPECT_FALSE(log.ErrorString().isEmpty());
  const uint8_t byte = 'x';
  log.Append(kIn, {&byte, 1});  // harmless without a file
  EXPECT_EQ(log.BytesCaptured(), 0u);
}

}  // namespace
}  // namespace mx::desktop
