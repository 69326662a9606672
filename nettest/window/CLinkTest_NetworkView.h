#pragma once
// The terminal's form: traffic pane, send pane, connection controls and the four user buttons.

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>

#include "nettest/ConnectionController.h"
#include "nettest/LtnFormat.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace mx::nettest {

class CLinkTest_NetworkDoc;
class TrafficPane;

class CLinkTest_NetworkView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kTrimPeriodMs = 1000;
  // The width, in average characters, that a user button gives its label before cutting it short.
  static constexpr int kButtonLabelRoom = 20;
  // A peer that sends flat out is shown at most this often, each time by its newest part: the
  // pane keeps only so much, and most of the work of showing every piece would be cut away.
  static constexpr int kDisplayPeriodMs = 20;
  static constexpr qsizetype kMaxQueued = 4 * 1024 * 1024;

  explicit CLinkTest_NetworkView(CLinkTest_NetworkDoc& doc, QWidget* parent = nullptr);
  ~CLinkTest_NetworkView() override;

  // After a document was loaded or created: Inactive mode, fields and buttons from the document.
  void RefreshFromDocument();
  // Stores edits of the address and port fields that have not been stored yet. False when the
  // port field held a number too large to be one (the user was told; the port is unchanged).
  bool CommitFields();

  // Typed, pasted, sent or user-button bytes: shown in green, then sent if connected.
  void TypeBytes(const QByteArray& bytes);
  // Bytes from the connection: shown at once, unless the pane was drawn less than
  // kDisplayPeriodMs ago; then they join what else arrives until then and are shown together.
  void QueueReceived(const QByteArray& bytes);
  // Shows received bytes now, in yellow.
  void ShowReceived(const QByteArray& bytes);

  void SendCommandPane();
  void ClearSendPane();
  void StartNewLine();
  void ClearTraffic();
  void PushUserButton(int index);
  void ApplyFontSize(int pointSize);
  void ApplyButtonLabels();
  bool TrimTraffic();

  enum class EditField { None, Address, Port, SendPane, TrafficPane };
  EditField FocusedField() const;
  bool CanCut() const;
  bool CanCopy() const;
  bool CanPaste() const;
  void Cut();
  void Copy();
  void Paste();

  ConnectionController& Controller() { return controller_; }
  TrafficPane* Traffic() const { return traffic_; }
  QPlainTextEdit* SendPane() const { return send_; }

 signals:
  void documentModified();
  void statusMessage(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildConnectionGroup();
  void ApplyPanel();
  void OnFocusRequested(FocusTarget target);
  void StoreAddressField();
  bool StorePortField();
  void ShowQueued();

  CLinkTest_NetworkDoc& doc_;
  ConnectionController controller_;
  TrafficPane* traffic_ = nullptr;
  QPlainTextEdit* send_ = nullptr;
  QPushButton* sendButton_ = nullptr;
  QPushButton* clearButton_ = nullptr;
  QRadioButton* clientRadio_ = nullptr;
  QRadioButton* serverRadio_ = nullptr;
  QRadioButton* inactiveRadio_ = nullptr;
  QLineEdit* addressField_ = nullptr;
  QLineEdit* portField_ = nullptr;
  QGroupBox* clientGroup_ = nullptr;
  QGroupBox* serverGroup_ = nullptr;
  QLabel* clientAddress_ = nullptr;
  QLabel* clientPort_ = nullptr;
  QLabel* serverAddress_ = nullptr;
  QLabel* serverPort_ = nullptr;
  QPushButton* actionButton_ = nullptr;
  std::array<QPushButton*, kUserButtonCount> userButtons_{};
  bool addressChanged_ = false;
  bool portChanged_ = false;
  QTimer trimTimer_;
  QByteArray queued_;
  QTimer queuedTimer_;
  QElapsedTimer sinceShown_;
};

}  // namespace mx::nettest
