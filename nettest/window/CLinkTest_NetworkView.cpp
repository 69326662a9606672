#include "nettest/window/CLinkTest_NetworkView.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "desktop/TextConversion.h"
#include "nettest/CLinkTest_NetworkDoc.h"
#include "nettest/NetTestTexts.h"
#include "nettest/window/TerminalMessages.h"
#include "nettest/window/TrafficPane.h"

namespace mx::nettest {
namespace {

QLabel* EndpointText(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("000.000.000.000")) +
                         8);
  return label;
}

QGroupBox* EndpointGroup(QWidget* parent, const QString& caption, QLabel*& address, QLabel*& port,
                         const char* prefix) {
  auto* group = new QGroupBox(caption, parent);
  auto* grid = new QGridLayout(group);
  address = EndpointText(group, (std::string(prefix) + "Address").c_str());
  port = EndpointText(group, (std::string(prefix) + "Port").c_str());
  port->setMinimumWidth(port->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 8);
  grid->addWidget(new QLabel(desktop::FromUtf8(text::kAddress), group), 0, 0);
  grid->addWidget(address, 0, 1);
  grid->addWidget(new QLabel(desktop::FromUtf8(text::kPort), group), 0, 2);
  grid->addWidget(port, 0, 3);
  grid->setColumnStretch(1, 1);
  return group;
}

}  // namespace

CLinkTest_NetworkView::CLinkTest_NetworkView(CLinkTest_NetworkDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), controller_(doc) {
  traffic_ = new TrafficPane(this);
  traffic_->setObjectName(QStringLiteral("trafficPane"));
  send_ = new QPlainTextEdit(this);
  send_->setObjectName(QStringLiteral("sendPane"));
  SetUpTerminalPane(send_, doc_.Fields().fontSize);
  send_->setFixedHeight(send_->fontMetrics().lineSpacing() * 4 + 12);

  sendButton_ = new QPushButton(desktop::FromUtf8(text::kSend), this);
  clearButton_ = new QPushButton(desktop::FromUtf8(text::kClear), this);
  for (int i = 0; i < kUserButtonCount; ++i) {
    auto* button = new QPushButton(desktop::FromUtf8(text::kUserButton).arg(i + 1), this);
    button->setObjectName(QStringLiteral("user%1").arg(i + 1));
    button->setMinimumWidth(110);
    connect(button, &QPushButton::clicked, this, [this, i] { PushUserButton(i); });
    userButtons_[static_cast<std::size_t>(i)] = button;
  }

  // Left: the two panes. Right: the connection group on top, the user buttons at the bottom of
  // the traffic pane, Send and Clear beside the send pane. The left column takes all extra room.
  auto* grid = new QGridLayout(this);
  auto* trafficLabel = new QLabel(desktop::FromUtf8(text::kTrafficLabel), this);
  trafficLabel->setBuddy(traffic_);
  grid->addWidget(trafficLabel, 0, 0);
  grid->addWidget(traffic_, 1, 0);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildConnectionGroup());
  right->addStretch(1);
  auto* users = new QGridLayout;
  for (int i = 0; i < kUserButtonCount; ++i) {
    users->addWidget(userButtons_[static_cast<std::size_t>(i)], i / 2, i % 2);
  }
  right->addLayout(users);
  grid->addLayout(right, 0, 1, 2, 1);
  auto* sendLabel = new QLabel(desktop::FromUtf8(text::kSendLabel), this);
  sendLabel->setBuddy(send_);
  grid->addWidget(sendLabel, 2, 0);
  grid->addWidget(send_, 3, 0);
  auto* sendButtons = new QHBoxLayout;
  sendButtons->addStretch(1);
  sendButtons->addWidget(sendButton_);
  sendButtons->addWidget(clearButton_);
  auto* sendColumn = new QVBoxLayout;
  sendColumn->addStretch(1);
  sendColumn->addLayout(sendButtons);
  grid->addLayout(sendColumn, 3, 1);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(1, 1);

  connect(sendButton_, &QPushButton::clicked, this, &CLinkTest_NetworkView::SendCommandPane);
  connect(clearButton_, &QPushButton::clicked, this, &CLinkTest_NetworkView::ClearSendPane);
  connect(traffic_, &TrafficPane::bytesTyped, this, &CLinkTest_NetworkView::TypeBytes);
  connect(traffic_, &TrafficPane::pasteRequested, this, &CLinkTest_NetworkView::Paste);

  connect(&controller_, &ConnectionController::panelChanged, this,
          &CLinkTest_NetworkView::ApplyPanel);
  connect(&controller_, &ConnectionController::messageRequested, this,
          [this](const QString& text) { ShowMessage(this, text); });
  connect(&controller_, &ConnectionController::statusRequested, this,
          &CLinkTest_NetworkView::statusMessage);
  connect(&controller_, &ConnectionController::focusRequested, this,
          &CLinkTest_NetworkView::OnFocusRequested);
  connect(&controller_, &ConnectionController::dataReceived, this,
          &CLinkTest_NetworkView::QueueReceived);
  queuedTimer_.setSingleShot(true);
  connect(&queuedTimer_, &QTimer::timeout, this, &CLinkTest_NetworkView::ShowQueued);
  // Each connection's traffic starts on a line of its own, even when the last one ended mid-line.
  connect(&controller_, &ConnectionController::connectionOpened, this, [this] {
    ShowQueued();
    traffic_->EndLine();
  });

  trimTimer_.setInterval(kTrimPeriodMs);
  connect(&trimTimer_, &QTimer::timeout, this, &CLinkTest_NetworkView::TrimTraffic);
  trimTimer_.start();

  ApplyFontSize(doc_.Fields().fontSize);
  RefreshFromDocument();
}

CLinkTest_NetworkView::~CLinkTest_NetworkView() {
  trimTimer_.stop();
}

QWidget* CLinkTest_NetworkView::BuildConnectionGroup() {
  auto* group = new QGroupBox(desktop::FromUtf8(text::kGroupConnection), this);
  auto* layout = new QVBoxLayout(group);

  auto* modes = new QHBoxLayout;
  clientRadio_ = new QRadioButton(desktop::FromUtf8(text::kClient), group);
  serverRadio_ = new QRadioButton(desktop::FromUtf8(text::kServer), group);
  inactiveRadio_ = new QRadioButton(desktop::FromUtf8(text::kInactive), group);
  for (QRadioButton* radio : {clientRadio_, serverRadio_, inactiveRadio_})
    modes->addWidget(radio);
  modes->addStretch(1);
  layout->addLayout(modes);
  connect(clientRadio_, &QRadioButton::clicked, this, [this] {
    CommitFields();
    controller_.SelectClientMode();
  });
  connect(serverRadio_, &QRadioButton::clicked, this, [this] {
    CommitFields();
    controller_.SelectServerMode();
  });
  connect(inactiveRadio_, &QRadioButton::clicked, this, [this] {
    CommitFields();
    controller_.SelectInactiveMode();
  });

  auto* fields = new QGridLayout;
  addressField_ = new QLineEdit(group);
  addressField_->setObjectName(QStringLiteral("serverAddressField"));
  portField_ = new QLineEdit(group);
  portField_->setObjectName(QStringLiteral("portField"));
  // Digits only; whether the number is a port is checked when a connection starts.
  portField_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,10}")), portField_));
  portField_->setMaximumWidth(
      portField_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
  auto* serverLabel = new QLabel(desktop::FromUtf8(text::kServerField), group);
  auto* portLabel = new QLabel(desktop::FromUtf8(text::kPortField), group);
  serverLabel->setBuddy(addressField_);
  portLabel->setBuddy(portField_);
  fields->addWidget(serverLabel, 0, 0);
  fields->addWidget(addressField_, 0, 1);
  fields->addWidget(portLabel, 0, 2);
  fields->addWidget(portField_, 0, 3);
  fields->setColumnStretch(1, 1);
  layout->addLayout(fields);
  for (QLineEdit* field : {addressField_, portField_})
    field->installEventFilter(this);
  connect(addressField_, &QLineEdit::textEdited, this, [this] { addressChanged_ = true; });
  connect(portField_, &QLineEdit::textEdited, this, [this] { portChanged_ = true; });

  clientGroup_ =
      EndpointGroup(group, desktop::FromUtf8(text::kClient), clientAddress_, clientPort_, "client");
  serverGroup_ =
      EndpointGroup(group, desktop::FromUtf8(text::kServer), serverAddress_, serverPort_, "server");
  layout->addWidget(clientGroup_);
  layout->addWidget(serverGroup_);

  actionButton_ = new QPushButton(group);
  actionButton_->setObjectName(QStringLiteral("actionButton"));
  actionButton_->setMinimumWidth(actionButton_->fontMetrics().horizontalAdvance(
                                     desktop::FromUtf8(text::kActionCancelConnect)) +
                                 24);
  connect(actionButton_, &QPushButton::clicked, this, [this] {
    if (CommitFields())
      controller_.RunAction();
  });
  auto* actionRow = new QHBoxLayout;
  actionRow->addStretch(1);
  actionRow->addWidget(actionButton_);
  actionRow->addStretch(1);
  layout->addLayout(actionRow);
  return group;
}

void CLinkTest_NetworkView::RefreshFromDocument() {
  addressChanged_ = portChanged_ = false;
  controller_.ResetForDocument();
  addressField_->setText(desktop::FromLatin1(doc_.Fields().serverAddress));
  portField_->setText(QString::number(doc_.Fields().port));
  ApplyButtonLabels();
  ApplyFontSize(doc_.Fields().fontSize);
  ApplyPanel();
}

void CLinkTest_NetworkView::ApplyButtonLabels() {
  for (int i = 0; i < kUserButtonCount; ++i) {
    QPushButton* button = userButtons_[static_cast<std::size_t>(i)];
    const QString label =
        desktop::FromLatin1(doc_.Fields().buttonLabels[static_cast<std::size_t>(i)]);
    // Labels have no length limit; a long one is cut short on its button, so the layout holds,
    // and shown whole in the tooltip and to screen readers.
    const int room = button->fontMetrics().horizontalAdvance(QString(kButtonLabelRoom, 'x'));
    const QString shown = button->fontMetrics().elidedText(label, Qt::ElideRight, room);
    button->setText(shown);
    button->setToolTip(shown == label ? QString() : label);
    button->setAccessibleName(label);
  }
}

void CLinkTest_NetworkView::ApplyFontSize(int pointSize) {
  traffic_->ApplyFontSize(pointSize);
  SetUpTerminalPane(send_, pointSize);
}

void CLinkTest_NetworkView::ApplyPanel() {
  const ConnectionPanel& p = controller_.Panel();
  clientGroup_->setTitle(p.clientCaption);
  serverGroup_->setTitle(p.serverCaption);
  clientAddress_->setText(p.clientAddress);
  clientPort_->setText(p.clientPort);
  serverAddress_->setText(p.serverAddress);
  serverPort_->setText(p.serverPort);
  if (addressField_->text() != p.addressField)
    addressField_->setText(p.addressField);
  addressField_->setEnabled(p.addressEnabled);
  portField_->setEnabled(p.portEnabled);
  actionButton_->setText(p.actionText);
  actionButton_->setEnabled(p.actionEnabled);
  const int mode = doc_.Fields().mode;
  clientRadio_->setChecked(mode == kLtnModeClient);
  serverRadio_->setChecked(mode == kLtnModeServer);
  inactiveRadio_->setChecked(mode == kLtnModeInactive);
}

void CLinkTest_NetworkView::OnFocusRequested(FocusTarget target) {
  switch (target) {
    case FocusTarget::AddressField:
      addressField_->setFocus();
      break;
    case FocusTarget::PortField:
      portField_->setFocus();
      break;
    case FocusTarget::TrafficPane:
      traffic_->setFocus();
      break;
  }
}

bool CLinkTest_NetworkView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    if (watched == addressField_)
      StoreAddressField();
    if (watched == portField_)
      StorePortField();
  }
  return QWidget::eventFilter(watched, event);
}

void CLinkTest_NetworkView::StoreAddressField() {
  if (!addressChanged_)
    return;
  addressChanged_ = false;
  controller_.StoreServerAddress(addressField_->text());
  emit documentModified();
}

bool CLinkTest_NetworkView::StorePortField() {
  if (!portChanged_)
    return true;
  portChanged_ = false;
  // The field takes digits only; an empty one is 0, which the connection check rejects.
  const QString typed = portField_->text();
  bool ok = typed.isEmpty();
  const qlonglong value = ok ? 0 : typed.toLongLong(&ok);
  if (!ok || value > INT32_MAX) {
    // Too large to keep as a number at all: refused with the port message, the old port stays.
    portField_->setText(QString::number(doc_.Fields().port));
    ShowMessage(this, desktop::FromUtf8(text::kInvalidPort));
    portField_->setFocus();
    portField_->selectAll();
    return false;
  }
  doc_.Fields().port = static_cast<int32_t>(value);
  portField_->setText(QString::number(doc_.Fields().port));
  emit documentModified();
  return true;
}

bool CLinkTest_NetworkView::CommitFields() {
  StoreAddressField();
  return StorePortField();
}

void CLinkTest_NetworkView::TypeBytes(const QByteArray& bytes) {
  if (bytes.isEmpty())
    return;
  ShowQueued();  // what came in before goes first
  const TrafficDisplayOptions options{doc_.Fields().charactersInBraces != 0,
                                      doc_.Fields().endOfPacket};
  traffic_->ShowBytes(bytes, false, options);
  for (char c : bytes)
    controller_.SendTypedByte(static_cast<uint8_t>(c));
}

void CLinkTest_NetworkView::QueueReceived(const QByteArray& bytes) {
  queued_ += bytes;
  if (queuedTimer_.isActive() && queued_.size() < kMaxQueued)
    return;
  const qint64 since = sinceShown_.isValid() ? sinceShown_.elapsed() : kDisplayPeriodMs;
  if (since >= kDisplayPeriodMs || queued_.size() >= kMaxQueued)
    ShowQueued();
  else
    queuedTimer_.start(static_cast<int>(kDisplayPeriodMs - since));
}

void CLinkTest_NetworkView::ShowQueued() {
  queuedTimer_.stop();
  if (queued_.isEmpty())
    return;
  const QByteArray bytes = std::exchange(queued_, QByteArray());
  ShowReceived(bytes);
  sinceShown_.start();
}

void CLinkTest_NetworkView::ShowReceived(const QByteArray& bytes) {
  const TrafficDisplayOptions options{doc_.Fields().charactersInBraces != 0,
                                      doc_.Fields().endOfPacket};
  const int packets = traffic_->ShowBytes(bytes, true, options);
  // One beep per batch: a burst of packets would otherwise queue beeps for seconds.
  if (packets > 0 && doc_.Fields().beepAtEndOfPacket != 0)
    QApplication::beep();
}

void CLinkTest_NetworkView::SendCommandPane() {
  QTextCursor cursor = send_->textCursor();
  cursor.movePosition(QTextCursor::End);
  send_->setTextCursor(cursor);
  traffic_->setFocus();
  const std::string bytes =
      TypedBytesFromText(desktop::ToLatin1(send_->toPlainText()), doc_.Fields().endOfPacket == 10);
  TypeBytes(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void CLinkTest_NetworkView::ClearSendPane() {
  send_->clear();
  send_->setFocus();
}

void CLinkTest_NetworkView::StartNewLine() {
  ShowQueued();
  traffic_->InsertLineBreak();
}

void CLinkTest_NetworkView::ClearTraffic() {
  ShowQueued();  // they came in before the pane was cleared (and may yet beep)
  traffic_->clear();
  traffic_->setFocus();
}

void CLinkTest_NetworkView::PushUserButton(int index) {
  const std::string& command = doc_.Fields().buttonCommands[static_cast<std::size_t>(index)];
  if (command.empty())
    return;
  traffic_->setFocus();
  TypeBytes(QByteArray(command.data(), static_cast<qsizetype>(command.size())));
}

bool CLinkTest_NetworkView::TrimTraffic() {
  return traffic_->Trim();
}

CLinkTest_NetworkView::EditField CLinkTest_NetworkView::FocusedField() const {
  const QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr)
    return EditField::None;
  if (focus == addressField_)
    return EditField::Address;
  if (focus == portField_)
    return EditField::Port;
  if (focus == send_)
    return EditField::SendPane;
  if (focus == traffic_)
    return EditField::TrafficPane;
  return EditField::None;
}

bool CLinkTest_NetworkView::CanCut() const {
  const EditField f = FocusedField();
  return f == EditField::Address || f == EditField::Port || f == EditField::SendPane;
}

bool CLinkTest_NetworkView::CanCopy() const {
  return FocusedField() != EditField::None;
}
bool CLinkTest_NetworkView::CanPaste() const {
  return FocusedField() != EditField::None;
}

void CLinkTest_NetworkView::Cut() {
  switch (FocusedField()) {
    case EditField::Address:
      addressField_->cut();
      break;
    case EditField::Port:
      portField_->cut();
      break;
    case EditField::SendPane:
      send_->cut();
      break;
    default:
      break;
  }
}

void CLinkTest_NetworkView::Copy() {
  switch (FocusedField()) {
    case EditField::Address:
      addressField_->copy();
      break;
    case EditField::Port:
      portField_->copy();
      break;
    case EditField::SendPane:
      send_->copy();
      break;
    case EditField::TrafficPane:
      traffic_->copy();
      break;
    case EditField::None:
      break;
  }
}

void CLinkTest_NetworkView::Paste() {
  switch (FocusedField()) {
    case EditField::Address:
      addressField_->paste();
      break;
    case EditField::Port:
      portField_->paste();
      break;
    case EditField::SendPane:
      send_->paste();
      break;
    case EditField::TrafficPane: {
      const std::string bytes =
          TypedBytesFromText(desktop::ToLatin1(QApplication::clipboard()->text()), false);
      TypeBytes(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
      break;
    }
    case EditField::None:
      break;
  }
}

}  // namespace mx::nettest
