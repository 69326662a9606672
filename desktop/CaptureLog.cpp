#include "desktop/CaptureLog.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/FileIo.h"
#include "notation/ControlNotation.h"

namespace mx::desktop {
namespace {

constexpr qint64 kIdleLineMs = 1000;
// A stream without line ends still gets a stamp at least this often, in time and in bytes.
constexpr qint64 kLongestLineMs = 100;
constexpr int kLongestLineBytes = 1000;
// Well under a second: the file is flushed at the first Tick or Append after this, and with a tick
// every quarter second nothing then waits longer than a second to reach the disk.
constexpr qint64 kFlushEveryMs = 750;
constexpr uint8_t kCr = 13;
constexpr uint8_t kLf = 10;

// A log is often asked for in a shared folder such as /tmp, and the window may run as root: the
// file is opened under the rules of every save, so a link or FIFO planted under the chosen name
// neither redirects the traffic into another file nor hangs the window.
bool OpenLogFile(QFile& file, const QString& path, QString& error) {
  int fd = -1;
  const FileResult opened = OpenForAppend(QFile::encodeName(path).toStdString(), fd);
  if (!opened.ok) {
    error = QString::fromLocal8Bit(opened.error);
    return false;
  }
  if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
    error = file.errorString();
    ::close(fd);
    return false;
  }
  return true;
}

// What went wrong, as the system said it: a full disk reaches Qt as a short write, which it reports
// as "Unknown error".
QString FailureText(const QFile& file) {
  return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
}

}  // namespace

CaptureLog::CaptureLog() : CaptureLog([] { return QDateTime::currentDateTime(); }) {}

CaptureLog::CaptureLog(Clock clock) : clock_(std::move(clock)) {}

CaptureLog::~CaptureLog() {
  Close();
}

bool CaptureLog::Open(const QString& path) {
  Close();
  error_.clear();
  bytesCaptured_ = 0;
  fileName_ = path;
  if (!OpenLogFile(file_, path, error_))
    return false;
  lastFlush_ = clock_();
  return true;
}

bool CaptureLog::LineDue(const QDateTime& now) const {
  const qint64 age = lineStart_.msecsTo(now);
  return lineBytes_ >= kLongestLineBytes || age >= kLongestLineMs || age < 0;
}

bool CaptureLog::Idle(const QDateTime& now) const {
  // A clock set back counts as a pause too: the stamps stay in the order they were written.
  const qint64 quiet = lastTraffic_.msecsTo(now);
  return quiet >= kIdleLineMs || quiet < 0;
}

void CaptureLog::Append(CaptureDirection direction, std::span<const uint8_t> bytes) {
  if (!IsOpen() || bytes.empty())
    return;
  const QDateTime now = clock_();
  if (lineOpen_ && (direction != lineDirection_ || Idle(now)))
    EndLine();
  QByteArray text;
  text.reserve(static_cast<qsizetype>(bytes.size()) * 2);
  for (const uint8_t byte : bytes) {
    // The LF of a CR LF pair always joins its line; anything else after a CR, or after a long
    // line, starts the next one.
    const bool joins = afterCr_ && byte == kLf;
    if (lineOpen_ && !joins && (afterCr_ || LineDue(now))) {
      Write(text);
      text.clear();
      EndLine();
    }
    if (!lineOpen_) {
      Write(text);
      text.clear();
      StartLine(direction, now);
    }
    const std::string shown = FormatCharacter(byte, true, false);
    text.append(shown.data(), static_cast<qsizetype>(shown.size()));
    ++lineBytes_;
    if (byte == kCr) {
      afterCr_ = true;
    } else if (byte == kLf) {  // with or without a CR before it
      Write(text);
      text.clear();
      EndLine();
    }
  }
  Write(text);
  bytesCaptured_ += bytes.size();
  lastTraffic_ = now;
  FlushIfDue(now, false);
}

void CaptureLog::Tick() {
  if (!IsOpen())
    return;
  const QDateTime now = clock_();
  // A line waiting for the LF of its CR is given the whole idle second; any other line ends once
  // it is due, so a slow stream without line ends is stamped in time.
  if (lineOpen_ && (Idle(now) || (!afterCr_ && LineDue(now))))
    EndLine();
  FlushIfDue(now, false);
}

void CaptureLog::Close() {
  if (!IsOpen())
    return;
  if (lineOpen_)
    EndLine();
  FlushIfDue(clock_(), true);
  file_.close();
}

void CaptureLog::StartLine(CaptureDirection direction, const QDateTime& at) {
  lineOpen_ = true;
  afterCr_ = false;
  lineDirection_ = direction;
  lineStart_ = at;
  lineBytes_ = 0;
  const char arrow = direction == CaptureDirection::Received ? '<' : '>';
  Write(Stamp(at) + ' ' + arrow + ' ');
}

QByteArray CaptureLog::Stamp(const QDateTime& at) {
  // With the offset from UTC, so the hour repeated when the clocks go back stays two hours.
  const int offset = at.offsetFromUtc();
  const int minutes = (offset < 0 ? -offset : offset) / 60;
  return (at.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + (offset < 0 ? u'-' : u'+') +
          QStringLiteral("%1:%2")
              .arg(minutes / 60, 2, 10, QLatin1Char('0'))
              .arg(minutes % 60, 2, 10, QLatin1Char('0')))
      .toLatin1();
}

void CaptureLog::EndLine() {
  lineOpen_ = false;
  afterCr_ = false;
  Write("\n");
}

void CaptureLog::Write(const QByteArray& text) {
  if (text.isEmpty())
    return;
  errno = 0;
  if (file_.write(text) != text.size() && error_.isEmpty())
    error_ = FailureText(file_);
}

void CaptureLog::FlushIfDue(const QDateTime& now, bool force) {
  const qint64 since = lastFlush_.msecsTo(now);
  if (!force && since < kFlushEveryMs && since >= 0)
    return;
  errno = 0;
  if (!file_.flush() && error_.isEmpty())
    error_ = FailureText(file_);
  lastFlush_ = now;
}

}  // namespace mx::desktop
