// The "Log to file..." control: a second use ends the capture, a cancelled question changes
// nothing, and a file that cannot be opened or written is reported and leaves no capture running.
#include "desktop/widgets/CaptureControl.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QTest>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "desktop/widgets/MessageBoxes.h"
#include "tests/support/TempDir.h"

namespace mx::desktop {
namespace {

struct ControlBench {
  QWidget owner;
  CaptureControl control{&owner, QStringLiteral("comtest"), QStringLiteral("Mesurix Setup")};
  std::vector<bool> changes;
  std::vector<QString> messages;
  QString answer;

  ControlBench() {
    QObject::connect(&control, &CaptureControl::changed,
                     [this](bool logging) { changes.push_back(logging); });
    control.SetFileQuestion([this](const QString&) { return answer; });
    SetMessageBoxAnswerer([this](const QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), "Mesurix Setup");
      messages.push_back(box.text());
      return QMessageBox::Ok;
    });
  }
  ~ControlBench() { SetMessageBoxAnswerer({}); }
};

TEST(CaptureControlTest, TogglesAndSpringsBackOnCancel) {
  ControlBench bench;
  test::TempDir dir;
  bench.control.Toggle();  // cancelled
  EXPECT_FALSE(bench.control.Logging());
  bench.answer = QString::fromStdString(dir.File("a.log"));
  bench.control.Toggle();
  EXPECT_TRUE(bench.control.Logging());
  EXPECT_EQ(bench.control.Log().FileName(), bench.answer);
  bench.control.Toggle();
  EXPECT_FALSE(bench.control.Logging());
  EXPECT_EQ(bench.changes, (std::vector<bool>{false, true, false}));
  EXPECT_TRUE(bench.messages.empty());
}

TEST(CaptureControlTest, FilesThatFailAreReportedAndEndTheCapture) {
  ControlBench bench;
  bench.answer = QStringLiteral("/nonexistent-folder/a.log");
  bench.control.Toggle();
  EXPECT_FALSE(bench.control.Logging());
  ASSERT_EQ(bench.messages.size(), 1u);
  EXPECT_TRUE(
      bench.messages[0].startsWith("The log file /nonexistent-folder/a.log cannot be opened"));

  // A file that fills up as a full disk does: the first write is cut short, the next refused
  // (a device such as /dev/full is no log file any more, and refuses every write at once).
  test::TempDir dir;
  bench.answer = QString::fromStdString(dir.File("full.log"));
  bench.control.Toggle();
  ASSERT_TRUE(bench.control.Logging());
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  const rlimit few{8, saved.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &few);
  const uint8_t bytes[] = {'o', 'k', '\r'};
  bench.control.Log().Append(CaptureDirection::Received, bytes);
  // The next flush, within a second, finds out.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !bench.control.Logging(); }, 5000));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  ASSERT_EQ(bench.messages.size(), 2u);
  EXPECT_TRUE(bench.messages[1].startsWith("Writing the log file " + bench.answer + " failed"))
      << bench.messages[1].toStdString();
  // The system's own reason, never Qt's "Unknown error".
  EXPECT_TRUE(bench.messages[1].contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
      << bench.messages[1].toStdString();
  EXPECT_EQ(bench.changes.back(), false);
}

}  // namespace
}  // namespace mx::desktop
