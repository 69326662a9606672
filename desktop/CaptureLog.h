#pragma once
// A capture of a connection's traffic in a text file: every byte received and sent, one line per
// line of traffic, each line stamped with the local time to the millisecond, its offset from UTC,
// and its direction:
//
//   2024-05-02T14:03:07.125+01:00 > <H
//   2024-05-02T14:03:07.141+01:00 < <*   copyright{CR}
//
// Bytes without a printable form are written in the brace notation ({CR}, {LF}, {Esc}, {200}, and
// {{} for the brace itself), so the file can be read back byte for byte. A line ends after a CR
// (and the LF right behind it, if one follows), after an LF, when the direction changes, after a
// second without traffic, and once it holds 1000 bytes or began 100 ms ago, so a line never mixes
// directions and a stream without line ends is still stamped every tenth of a second. The file is
// appended to, flushed at least once a second while bytes arrive or Tick runs, and closed cleanly.

#include <QDateTime>
#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <span>

namespace mx::desktop {

enum class CaptureDirection { Received, Sent };

class CaptureLog {
 public:
  // Local wall-clock time; tests pass their own so every stamp is exact.
  using Clock = std::function<QDateTime()>;

  CaptureLog();
  explicit CaptureLog(Clock clock);
  ~CaptureLog();
  CaptureLog(const CaptureLog&) = delete;
  CaptureLog& operator=(const CaptureLog&) = delete;

  // Opens `path` for appending (created if missing); a capture already open is closed first.
  // False with ErrorString() set when the file cannot be opened.
  bool Open(const QString& path);
  bool IsOpen() const { return file_.isOpen(); }
  QString FileName() const { return fileName_; }
  // Why the last Open or write failed; empty while all is well.
  QString ErrorString() const { return error_; }

  void Append(CaptureDirection direction, std::span<const uint8_t> bytes);
  // Call every quarter second or more often: ends a line that is due or idle, and
  // flushes so that nothing waits longer than a second to reach the disk.
  void Tick();
  // Ends the open line, flushes and closes. Safe to call when nothing is open.
  void Close();

  // Traffic bytes captured since Open (not the characters written for them).
  quint64 BytesCaptured() const { return bytesCaptured_; }

 private:
  void StartLine(CaptureDirection direction, const QDateTime& at);
  void EndLine();
  bool LineDue(const QDateTime& now) const;
  static QByteArray Stamp(const QDateTime& at);
  void Write(const QByteArray& text);
  void FlushIfDue(const QDateTime& now, bool force);
  bool Idle(const QDateTime& now) const;

  Clock clock_;
  QFile file_;
  QString fileName_;  // the file is opened by descriptor, which leaves QFile without its name
  QString error_;
  bool lineOpen_ = false;
  bool afterCr_ = false;  // the open line has its CR; only an LF may still join it
  CaptureDirection lineDirection_ = CaptureDirection::Received;
  QDateTime lineStart_;
  int lineBytes_ = 0;
  QDateTime lastTraffic_;
  QDateTime lastFlush_;
  quint64 bytesCaptured_ = 0;
};

}  // namespace mx::desktop
