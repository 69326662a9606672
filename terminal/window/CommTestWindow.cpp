#include "terminal/window/CommTestWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QTreeWidget>

#include "desktop/TextConversion.h"
#include "desktop/widgets/MessageBoxes.h"
#include "notation/ControlNotation.h"
#include "terminal/TerminalTexts.h"
#include "terminal/window/CommTestSetupDialog.h"
#include "terminal/window/LampPixmaps.h"
#include "terminal/window/TerminalPane.h"

namespace mx::terminal {
namespace {

using desktop::FromLatin1;
using desktop::FromUtf8;

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kButtonsPerRow = 5;
constexpr int kMinPaneWidth = 360;
constexpr int kMinListHeight = 200;
constexpr int kScreenPercent = 95;
constexpr std::string_view kCaptureBaseName = "comtest";

// The buttons in their rows, left to right; "Exit" (kExitButton) ends the second row.
enum ButtonIndex {
  kFind,
  kCopyrightButton,
  kCommandsButton,
  kUser1,
  kUser2,
  kPrintButton,
  kSetupButton,
  kClearButton,
  kHelpButton,
};
static_assert(kHelpButton + 1 == kExitButton);

// A caption shown on a button: ampersands are the caption's own, not shortcut marks.
QString ButtonText(const QString& caption) {
  QString shown = caption;
  return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString LineStateText(LineState state) {
  switch (state) {
    case LineState::On:
      return QStringLiteral("on");
    case LineState::Off:
      return QStringLiteral("off");
    case LineState::Unknown:
      return QStringLiteral("unknown");
    case LineState::Closed:
      break;
  }
  return QStringLiteral("port closed");
}

}  // namespace

CommTestWindow::CommTestWindow(const DeviceLink& link, TestSettings& settings, Hooks hooks,
                               QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      link_(link),
      hooks_(std::move(hooks)),
      controller_(link_, settings, *this) {
  // Modal to the main window only, so the help window beside it can still be read.
  setWindowModality(Qt::WindowModal);
  setSizeGripEnabled(true);

  pane_ = new TerminalPane(this);
  pane_->setAccessibleName(FromUtf8(text::kPaneName));
  connect(pane_, &TerminalPane::bytesTyped, this, [this](const QByteArray& bytes) {
    Do([&] {
      controller_.TypeBytes({reinterpret_cast<const uint8_t*>(bytes.constData()),
                             static_cast<std::size_t>(bytes.size())});
    });
  });
  connect(pane_, &TerminalPane::focusListRequested, this, [this] { list_->setFocus(); });
  connect(pane_, &TerminalPane::focusExitRequested, this,
          [this] { buttons_[kExitButton]->setFocus(); });

  status_ = new QGroupBox(FromUtf8(text::kStatusGroup), this);
  auto* rows = new QGridLayout(status_);
  rows->setVerticalSpacing(2);
  rows->setColumnStretch(1, 1);
  cts_ = AddRow(status_, 0, text::kCtsRow, {}, nullptr);
  dsr_ = AddRow(status_, 1, text::kDsrRow, {}, nullptr);
  rts_ = AddRow(status_, 2, text::kRtsRow, text::kRtsTip, &TerminalController::ToggleRts);
  dtr_ = AddRow(status_, 3, text::kDtrRow, text::kDtrTip, &TerminalController::ToggleDtr);
  port_ = AddRow(status_, 4, text::kPortItem, text::kPortTip, &TerminalController::OpenOrClosePort);
  paused_ =
      AddRow(status_, 5, text::kPausedRow, text::kPausedTip, &TerminalController::TogglePause);
  braces_ =
      AddRow(status_, 6, text::kBracesRow, text::kBracesTip, &TerminalController::ToggleBraces);
  showCrLf_ = AddRow(status_, 7, text::kShowCrLfRow, text::kShowCrLfTip,
                     &TerminalController::ToggleShowCrLf);

  BuildList();

  activity_ = new QWidget(this);
  auto* activityRow = new QHBoxLayout(activity_);
  activityRow->setContentsMargins(0, 0, 0, 0);
  logButton_ = new QPushButton(FromUtf8(desktop::kLogToFile), activity_);
  logButton_->setAccessibleName(FromUtf8(desktop::kLogToFile));
  logButton_->setCheckable(true);
  logButton_->setAutoDefault(false);
  activityText_ = new QLabel(activity_);
  activityText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  burstProgress_ = new QProgressBar(activity_);
  burstProgress_->setAccessibleName(FromUtf8(text::kBurstProgress));
  burstProgress_->setRange(0, static_cast<int>(kTestBurstSize));
  burstProgress_->setFixedWidth(140);
  stopBurst_ = new QPushButton(FromUtf8(text::kStopBurst), activity_);
  stopBurst_->setAccessibleName(FromUtf8(text::kStopBurst));
  stopBurst_->setAutoDefault(false);
  activityRow->addWidget(logButton_);
  activityRow->addWidget(activityText_, 1);
  counts_ = new QLabel(activity_);
  resetCounts_ = new QPushButton(FromUtf8(text::kResetCounts), activity_);
  resetCounts_->setAccessibleName(FromUtf8(text::kResetCounts));
  resetCounts_->setAutoDefault(false);
  connect(resetCounts_, &QPushButton::clicked, this, [this] {
    controller_.ResetCounts();
    ShowCounts();
  });
  activityRow->addWidget(counts_);
  activityRow->addWidget(resetCounts_);
  activityRow->addWidget(burstProgress_);
  activityRow->addWidget(stopBurst_);
  burstProgress_->hide();
  stopBurst_->hide();

  capture_ = new desktop::CaptureControl(this, FromUtf8(kCaptureBaseName),
                                         FromLatin1(link_.state.messageCaption));
  controller_.SetCaptureLog(&capture_->Log());
  connect(logButton_, &QPushButton::clicked, capture_, &desktop::CaptureControl::Toggle);
  connect(capture_, &desktop::CaptureControl::changed, this, [this](bool logging) {
    logButton_->setChecked(logging);
    logButton_->setToolTip(logging ? capture_->Log().FileName() : QString());
    StatusChanged();
  });
  connect(stopBurst_, &QPushButton::clicked, this,
          [this] { Do([this] { controller_.StopTestStrings(); }); });

  const std::array<std::string_view, kButtonCount> captions{
      text::kFindMx, text::kCopyright, text::kCommands, text::kUserDef1, text::kUserDef2,
      text::kPrint,  text::kSetup,     text::kClear,    text::kHelp,     text::kExit};
  for (int i = 0; i < kButtonCount; ++i)
    buttons_[static_cast<std::size_t>(i)] = AddButton(captions[static_cast<std::size_t>(i)]);
  auto on = [this](int index, std::function<void()> action) {
    connect(buttons_[static_cast<std::size_t>(index)], &QPushButton::clicked, this,
            std::move(action));
  };
  on(kFind, [this] { Do([this] { controller_.FindFromTestWindow(); }); });
  on(kCopyrightButton, [this] { Do([this] { controller_.SendCopyright(); }); });
  on(kCommandsButton, [this] { Do([this] { controller_.SendCommands(); }); });
  on(kUser1, [this] { Do([this] { controller_.SendUserCommand(1); }); });
  on(kUser2, [this] { Do([this] { controller_.SendUserCommand(2); }); });
  on(kPrintButton, [this] { Print(); });
  on(kSetupButton, [this] { Do([this] { controller_.RunSetupDialog(); }); });
  on(kClearButton, [this] { Do([this] { controller_.Clear(); }); });
  on(kHelpButton, [this] {
    if (hooks_.showHelp)
      hooks_.showHelp(kHelpTopic);
  });
  on(kExitButton, [this] { accept(); });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, buttons_[kHelpButton], &QPushButton::click);

  connect(&poll_, &QTimer::timeout, this, [this] {
    controller_.PollReceive();
    ShowCounts();
  });
  poll_.setInterval(static_cast<int>(kPollIntervalMs));

  LayOutFirst();
  StatusChanged();
}

CommTestWindow::~CommTestWindow() {
  poll_.stop();
  SetFindOwner(nullptr);
}

CommTestWindow::LampRow CommTestWindow::AddRow(QGroupBox* group, int row, std::string_view caption,
                                               std::string_view tip,
                                               void (TerminalController::*operation)()) {
  auto* grid = static_cast<QGridLayout*>(group->layout());
  LampRow lampRow;
  lampRow.lamp = new QLabel(group);
  lampRow.lamp->setAccessibleName(FromUtf8(caption));
  lampRow.lamp->setFixedSize(2 * kLampSize + kLampGap, kLampSize);
  grid->addWidget(lampRow.lamp, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
  if (operation) {
    auto* button = new QToolButton(group);
    button->setText(ButtonText(FromUtf8(caption)));
    button->setAccessibleName(FromUtf8(caption));
    button->setAutoRaise(true);
    button->setToolTip(FromUtf8(tip));
    connect(button, &QToolButton::clicked, this,
            [this, operation] { Do([this, operation] { (controller_.*operation)(); }); });
    lampRow.caption = button;
  } else {
    // Lined up with the captions of the clickable rows, which sit inside a button's padding.
    QToolButton probe(group);
    probe.setAutoRaise(true);
    probe.setText(FromUtf8(caption));
    auto* label = new QLabel(FromUtf8(caption), group);
    label->setIndent(
        (probe.sizeHint().width() - probe.fontMetrics().horizontalAdvance(probe.text())) / 2);
    label->setMinimumHeight(probe.sizeHint().height());
    lampRow.caption = label;
  }
  grid->addWidget(lampRow.caption, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
  return lampRow;
}

QPushButton* CommTestWindow::AddButton(std::string_view caption) {
  auto* button = new QPushButton(ButtonText(FromUtf8(caption)), this);
  button->setObjectName(FromUtf8(caption));
  button->setAccessibleName(FromUtf8(caption));
  // No button is the default: Enter in the pane is a byte for the device.
  button->setAutoDefault(false);
  return button;
}

void CommTestWindow::BuildList() {
  list_ = new QTreeWidget(this);
  list_->setAccessibleName(FromUtf8(text::kListName));
  list_->setColumnCount(3);
  list_->setHeaderLabels(
      {FromUtf8(text::kCharColumn), FromUtf8(text::kAsciiColumn), FromUtf8(text::kKeysColumn)});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  const QFontMetrics metrics(list_->font());
  list_->header()->resizeSection(0, metrics.horizontalAdvance(QStringLiteral("XOFF")) + 24);
  list_->header()->resizeSection(1, metrics.horizontalAdvance(QStringLiteral("ASCII")) + 20);
  list_->header()->setStretchLastSection(true);
  list_->header()->setSectionsMovable(false);
  for (const ReferenceEntry& entry : ReferenceListEntries()) {
    // "\tEOF\t26\tCtrl+Z": the columns after the leading tab.
    const QStringList columns = FromLatin1(entry.text).split(QLatin1Char('\t')).mid(1);
    auto* item = new QTreeWidgetItem(list_, columns);
    item->setData(0, Qt::UserRole, entry.byte);
  }
  list_->setCurrentItem(list_->topLevelItem(0));
  list_->installEventFilter(this);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { TypeListEntry(); });
}

void CommTestWindow::LayOutFirst() {
  const QFontMetrics metrics(font());
  // Wide enough for every fixed caption and for a user label of 15 average characters.
  int buttonWidth = metrics.averageCharWidth() * static_cast<int>(kLabelLimit) + 16;
  int buttonHeight = 0;
  for (QPushButton* button : buttons_) {
    buttonWidth = std::max(buttonWidth, button->sizeHint().width());
    buttonHeight = std::max(buttonHeight, button->sizeHint().height());
  }
  // The port row at its widest, so a later port number never needs a wider panel.
  static_cast<QToolButton*>(port_.caption)->setText(FromLatin1(PortItemText(kLastComPort)));
  const QSize statusSize = status_->sizeHint();
  const int listWidth = std::max(metrics.averageCharWidth() * 26, 180);
  const int columnWidth = std::max(kButtonsPerRow * buttonWidth + (kButtonsPerRow - 1) * kGap,
                                   statusSize.width() + kGap + listWidth);
  buttonWidth = (columnWidth - (kButtonsPerRow - 1) * kGap) / kButtonsPerRow;
  const int activityHeight = std::max(activity_->sizeHint().height(), buttonHeight);
  const int upperHeight = std::max(statusSize.height(), kMinListHeight);
  const int paneWidth = std::max(kMinPaneWidth, metrics.averageCharWidth() * 48);

  const int column = kMargin + paneWidth + kGap;
  const int activityTop = kMargin + upperHeight + kGap;
  const int firstRow = activityTop + activityHeight + kGap;
  const int secondRow = firstRow + buttonHeight + kGap;
  initialClient_ = QSize(column + columnWidth + kMargin, secondRow + buttonHeight + kMargin);

  initial_.status = QRect(column, kMargin, statusSize.width(), statusSize.height());
  initial_.list = QRect(column + statusSize.width() + kGap, kMargin,
                        columnWidth - statusSize.width() - kGap, upperHeight);
  initial_.activity = QRect(column, activityTop, columnWidth, activityHeight);
  for (int i = 0; i < kButtonCount; ++i) {
    const int x = column + (i % kButtonsPerRow) * (buttonWidth + kGap);
    initial_.buttons[static_cast<std::size_t>(i)] =
        QRect(x, i < kButtonsPerRow ? firstRow : secondRow, buttonWidth, buttonHeight);
  }
  initial_.pane = QRect(kMargin, kMargin, paneWidth, initialClient_.height() - 2 * kMargin);
  ApplyGeometry(initial_);
  resize(initialClient_);
  laidOut_ = true;
}

void CommTestWindow::ApplyGeometry(const WindowGeometry& geometry) {
  pane_->setGeometry(geometry.pane);
  status_->setGeometry(geometry.status);
  list_->setGeometry(geometry.list);
  activity_->setGeometry(geometry.activity);
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setGeometry(geometry.buttons[i]);
}

WindowGeometry CommTestWindow::CurrentGeometry() const {
  WindowGeometry geometry;
  geometry.pane = pane_->geometry();
  geometry.status = status_->geometry();
  geometry.list = list_->geometry();
  geometry.activity = activity_->geometry();
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    geometry.buttons[i] = buttons_[i]->geometry();
  return geometry;
}

void CommTestWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!laidOut_)
    return;
  setUpdatesEnabled(false);
  ApplyGeometry(Relayout(initial_, initialClient_, size()));
  setUpdatesEnabled(true);
}

void CommTestWindow::Open() {
  const QScreen* screen =
      parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QRect area = screen->availableGeometry();
    const QSize size(area.width() * kScreenPercent / 100, area.height() * kScreenPercent / 100);
    resize(size);
    move(area.x() + (area.width() - size.width()) / 2,
         area.y() + (area.height() - size.height()) / 2);
  }
  // The first opening comes before the window shows, so it appears with its caption and lamps
  // right (a port that would not open is reported first).
  SetFindOwner(this);
  Do([this] { controller_.Start(); });
  show();
  poll_.start();
  StatusChanged();
}

int CommTestWindow::Exec() {
  Open();
  return exec();
}

void CommTestWindow::done(int result) {
  poll_.stop();
  capture_->Stop();
  if (controller_.Status().portOpen)
    controller_.OpenOrClosePort();
  SetFindOwner(nullptr);
  QDialog::done(result);
}

void CommTestWindow::keyPressEvent(QKeyEvent* event) {
  // Escape is a byte for the device in the pane, and never closes the window anywhere else.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CommTestWindow::Do(const std::function<void()>& operation) {
  TerminalController::PollHold hold(controller_);
  operation();
}

void CommTestWindow::SetFindOwner(QWidget* owner) {
  if (hooks_.setFindOwner)
    hooks_.setFindOwner(owner);
}

void CommTestWindow::AppendToPane(std::string_view text, PaneOrigin origin) {
  pane_->Append(FromLatin1(text));
  if (origin == PaneOrigin::Received) {
    const PaneTrim trim = TrimFor(pane_->LineLengths());
    pane_->DeleteTop(trim.lines, trim.characters);
  }
}

void CommTestWindow::ClearPane() {
  setUpdatesEnabled(false);
  pane_->clear();
  setUpdatesEnabled(true);
}

void CommTestWindow::MoveFocus(Focus focus) {
  if (focus == Focus::Exit) {
    buttons_[kExitButton]->setFocus();
    return;
  }
  // The controller moves the focus to the pane only while the port is open.
  pane_->setEnabled(true);
  pane_->setFocus();
  pane_->MoveCaretToEnd();
}

void CommTestWindow::ShowLamp(const LampRow& row, Lamp lamp) {
  row.lamp->setPixmap(LampPixmap(lamp, status_->palette().color(QPalette::Window)));
}

void CommTestWindow::ShowLineLamps(const LampRow& row, LineState state) {
  row.lamp->setPixmap(LampPairPixmap(LineLamps(state), status_->palette().color(QPalette::Window)));
  row.lamp->setAccessibleDescription(LineStateText(state));
  const QString tip = state == LineState::Unknown ? FromUtf8(text::kNoModemLines) : QString();
  row.lamp->setToolTip(tip);
  // A clickable row keeps its own tip, unless the line cannot be known.
  if (qobject_cast<QLabel*>(row.caption) || state == LineState::Unknown)
    row.caption->setToolTip(tip);
}

void CommTestWindow::StatusChanged() {
  const TerminalStatus status = controller_.Status();
  setWindowTitle(FromLatin1(status.caption));
  ShowLineLamps(cts_, status.cts);
  ShowLineLamps(dsr_, status.dsr);
  ShowLineLamps(rts_, status.rts);
  ShowLineLamps(dtr_, status.dtr);
  if (status.rts != LineState::Unknown)
    rts_.caption->setToolTip(FromUtf8(text::kRtsTip));
  if (status.dtr != LineState::Unknown)
    dtr_.caption->setToolTip(FromUtf8(text::kDtrTip));
  ShowLamp(port_, PortLamp(status.portOpen, status.paused));
  ShowLamp(paused_, PausedLamp(status.portOpen, status.paused));
  ShowLamp(braces_, SwitchLamp(status.braces));
  ShowLamp(showCrLf_, SwitchLamp(status.showCrLf));
  auto* portCaption = static_cast<QToolButton*>(port_.caption);
  portCaption->setText(FromLatin1(status.portItemText));
  portCaption->setAccessibleName(FromLatin1(status.portItemText));
  port_.lamp->setAccessibleName(FromLatin1(status.portItemText));
  for (const LampRow* row : {&rts_, &dtr_, &paused_}) {
    row->lamp->setEnabled(status.portOpen);
    row->caption->setEnabled(status.portOpen);
  }
  pane_->setEnabled(status.portOpen);
  for (int device : {kCopyrightButton, kCommandsButton, kUser1, kUser2})
    buttons_[static_cast<std::size_t>(device)]->setEnabled(status.portOpen);
  for (std::size_t i = 0; i < status.buttons.size(); ++i) {
    QPushButton* button = buttons_[kUser1 + i];
    const QString label = FromUtf8(status.buttons[i].label);
    button->setText(ButtonText(label));
    button->setAccessibleName(label);
  }
  burstProgress_->setVisible(status.burstRunning);
  stopBurst_->setVisible(status.burstRunning);
  burstProgress_->setValue(static_cast<int>(status.burstSent));
  activityText_->setText(ActivityText(status));
  ShowCounts();
}

void CommTestWindow::ShowCounts() {
  const TerminalStatus status = controller_.Status();
  const QString shown = FromUtf8(text::kCounts).arg(status.receivedBytes).arg(status.sentBytes);
  if (counts_->text() != shown)
    counts_->setText(shown);
}

QString CommTestWindow::ActivityText(const TerminalStatus& status) const {
  QStringList parts;
  if (!status.portOpen && !status.openError.empty())
    parts << QStringLiteral("COM%1: %2")
                 .arg(controller_.InUse().port)
                 .arg(FromUtf8(status.openError));
  if (status.burstStalled)
    parts << FromUtf8(text::kBurstStalled);
  if (status.droppedBytes > 0)
    parts << FromUtf8(text::kDroppedWhilePaused).arg(status.heldBytes).arg(status.droppedBytes) +
                 (status.droppedLogged ? FromUtf8(text::kDroppedButLogged) : QString());
  else if (status.heldBytes > 0)
    parts << FromUtf8(text::kHeldWhilePaused).arg(status.heldBytes);
  if (capture_ && capture_->Logging())
    parts << FromUtf8(text::kLoggingTo).arg(capture_->Log().FileName());
  return parts.join(QStringLiteral("    "));
}

void CommTestWindow::ShowMessage(std::string_view caption, std::string_view text) {
  desktop::ShowMessageBox(this, FromLatin1(caption), FromLatin1(text), QMessageBox::Warning);
}

bool CommTestWindow::RunSetupDialog(SetupDialogModel& model) {
  CommTestSetupDialog dialog(model, hooks_.showHelp, this);
  setupDialog_ = &dialog;
  SetFindOwner(&dialog);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  SetFindOwner(this);
  setupDialog_ = nullptr;
  return accepted;
}

void CommTestWindow::TypeListEntry() {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item)
    return;
  const auto byte = static_cast<uint8_t>(item->data(0, Qt::UserRole).toUInt());
  Do([this, byte] { controller_.TypeByte(byte); });
}

bool CommTestWindow::ListKey(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    TypeListEntry();
    return true;
  }
  const QString typed = event->text();
  // Control characters (Tab among them) keep their usual meaning in the list.
  if (typed.size() != 1 || typed[0].unicode() < 32 || typed[0].unicode() > 0xFF)
    return false;
  const int row =
      list_->currentIndex().isValid() ? list_->currentIndex().row() : list_->topLevelItemCount();
  const std::optional<std::size_t> found =
      FindListEntryForKey(static_cast<char>(typed[0].unicode()), static_cast<std::size_t>(row));
  if (!found)
    return false;
  list_->setCurrentItem(list_->topLevelItem(static_cast<int>(*found)));
  return true;
}

bool CommTestWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress)
    return ListKey(static_cast<QKeyEvent*>(event));
  return QDialog::eventFilter(watched, event);
}

void CommTestWindow::Print() {
  const QTextCursor selection = pane_->textCursor();
  QString text;
  {
    TerminalController::PollHold hold(controller_);
    text = selection.hasSelection() ? selection.selectedText() : pane_->toPlainText();
  }
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  if (text.isEmpty()) {
    desktop::ShowMessageBox(this, FromLatin1(link_.state.messageCaption),
                            FromLatin1(text::kNothingToPrint));
    return;
  }
  auto job = [&] {
    return PrintoutJob{text.toStdString(), controller_.Settings().printerFontSize,
                       report::TakeJobTexts()};
  };
  if (printer_) {
    printer_(job());
  } else {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(FromUtf8(text::kPrintTitle));
    QPrintDialog dialog(&printer, this);
    // The whole text or the selection was chosen already; the dialog offers no page range.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() == QDialog::Accepted)
      PaintPrintout(printer, job());
  }
  pane_->setTextCursor(selection);
}

}  // namespace mx::terminal
