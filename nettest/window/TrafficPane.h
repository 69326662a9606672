#pragma once
// The RxD/TxD pane: received bytes in yellow, transmitted ones in green, on black. Keys typed here
// are bytes to send, so the pane never edits its own text; the window shows and sends them.

#include <QByteArray>
#include <QColor>
#include <QPlainTextEdit>

class QMenu;

#include "nettest/TrafficText.h"

namespace mx::nettest {

// Both panes share the look: black, bold fixed-pitch text, typed text green.
void SetUpTerminalPane(QPlainTextEdit* pane, int pointSize);

class TrafficPane : public QPlainTextEdit {
  Q_OBJECT
 public:
  static constexpr int kTrimAbove = 50000;
  static constexpr int kTrimKeep = 40000;
  static constexpr int kHardLimit = 2 * kTrimAbove;
  static const QColor kReceivedColour;
  static const QColor kTransmittedColour;

  explicit TrafficPane(QWidget* parent = nullptr);

  // Pane font at `pointSize`; re-measures the right margin ("AA" wide).
  void ApplyFontSize(int pointSize);
  int RightMargin() const { return rightMargin_; }

  // Shows `bytes` by the display rules in one insertion; returns how many were end-of-packet bytes.
  int ShowBytes(const QByteArray& bytes, bool received, const TrafficDisplayOptions& options);
  void InsertLineBreak();
  // A line break unless the last line is empty, so what follows starts a line of its own.
  void EndLine();
  // Keeps the pane bounded: above kTrimAbove characters only the newest kTrimKeep remain.
  bool Trim();
  int CharacterCount() const;
  // The pane's own menu: Copy and Select All. Select All lives only here: Ctrl+A types SOH.
  QMenu* CreateContextMenu();

 signals:
  void bytesTyped(const QByteArray& bytes);
  void pasteRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void MoveCaretToEnd();
  void KeepEndInView(bool endedWithPacket);

  int rightMargin_ = 0;
};

}  // namespace mx::nettest
