// The terminal's window, offscreen: controls are found by their captions, clicked, and checked by
// what they show and what reaches a loopback peer. Opening, files, connecting and sending.
#include "tests/nettest/window/NetworkWindowBench.h"

namespace mx::nettest {
namespace {

TEST_F(NetworkWindowTest, OpensWithCaptionMenusAndInactiveControls) {
  EXPECT_EQ(frame_->windowTitle(), QStringLiteral("LinkTest_Network - untitled"));
  QStringList menus;
  for (QAction* a : frame_->menuBar()->actions())
    menus << a->text();
  EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&View", "Configure", "&Help"}));
  for (const char* item :
       {"User pushbuttons", "Preferences", "Characters in { }", "Change output CR to CR + LF",
        "Beep at end-of-packet", "Start new line in RxD/TxD window", "Clear RxD/TxD window",
        "Clear send command window", "&About LinkTest_Network..."}) {
    EXPECT_NE(frame_->FindAction(QString::fromLatin1(item)), nullptr) << item;
  }
  EXPECT_EQ(frame_->FindAction(QStringLiteral("Characters in { }"))->statusTip(),
            QStringLiteral("Show special characters in { }"));
  EXPECT_TRUE(ByCaption<QRadioButton>(frame_.get(), QStringLiteral("Inactive"))->isChecked());
  auto* action = frame_->findChild<QPushButton*>(QStringLiteral("actionButton"));
  EXPECT_FALSE(action->isEnabled());
  EXPECT_TRUE(action->text().isEmpty());
  for (const char* label : {"User 1", "User 2", "User 3", "User 4", "Send", "Clear"}) {
    EXPECT_NE(Button(QString::fromLatin1(label)), nullptr) << label;
  }
  // The panes are named by the captions above them.
  EXPECT_EQ(test::AccessibleName(Traffic()),
            QStringLiteral("Received data (yellow) & Transmitted data (green)"));
  EXPECT_EQ(test::AccessibleName(View()->SendPane()),
            QStringLiteral("Command to be sent with \"Send\" button"));
  EXPECT_EQ(test::UnnamedControls(frame_.get()), "");
  EXPECT_EQ(Traffic()->font().pointSize(), 10);
  EXPECT_TRUE(Traffic()->font().bold());
  EXPECT_TRUE(Traffic()->font().fixedPitch());
  EXPECT_EQ(Traffic()->palette().color(QPalette::Base), QColor(Qt::black));
}

// What a menu hands the style to draw for an item.
struct MenuProbe : QMenu {
  QStyleOptionMenuItem Option(QAction* action) {
    addAction(action);
    QStyleOptionMenuItem option;
    initStyleOption(&option, action);
    return option;
  }
};

TEST_F(NetworkWindowTest, OptionItemsShowTheirCheckMarksInTheMenu) {
  for (const char* item :
       {"Characters in { }", "Change output CR to CR + LF", "Beep at end-of-packet"}) {
    QAction* option = frame_->FindAction(QString::fromLatin1(item));
    option->trigger();
    MenuProbe menu;
    const QStyleOptionMenuItem shown = menu.Option(option);
    EXPECT_EQ(shown.checkType, QStyleOptionMenuItem::NonExclusive) << item;
    EXPECT_TRUE(shown.checked) << item;
    EXPECT_TRUE(shown.icon.isNull()) << item << ": a picture takes the check mark's place";
  }
}

TEST_F(NetworkWindowTest, StartUpCreatesDefaultLtnAndOpensNamedFiles) {
  frame_->StartUp({}, dir_.path());
  const QString defaultPath = QDir(dir_.path()).filePath(QStringLiteral("default.ltn"));
  ASSERT_TRUE(QFileInfo::exists(defaultPath));
  EXPECT_EQ(frame_->windowTitle(), QStringLiteral("LinkTest_Network - default.ltn"));
  EXPECT_EQ(frame_->Document().Fields(), LtnFields{});
  EXPECT_TRUE(messages_.isEmpty());
  EXPECT_EQ(QSettings().value(QStringLiteral("Recent File List/File1")).toString(), defaultPath);

  CLinkTest_NetworkDoc saved;
  saved.Fields().mode = kLtnModeServer;
  saved.Fields().buttonLabels[0] = "Zero";
  const QString other = QDir(dir_.path()).filePath(QStringLiteral("line 4.ltn"));
  ASSERT_TRUE(saved.Save(other).ok);
  frame_->StartUp({other}, dir_.path());
  EXPECT_EQ(frame_->windowTitle(), QStringLiteral("LinkTest_Network - line 4.ltn"));
  EXPECT_NE(Button(QStringLiteral("Zero")), nullptr);
  // A saved Server mode is read, but the window always starts Inactive.
  EXPECT_TRUE(ByCaption<QRadioButton>(frame_.get(), QStringLiteral("Inactive"))->isChecked());
  EXPECT_EQ(frame_->Document().Fields().mode, kLtnModeInactive);

  QFile cut(other);
  ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
  ASSERT_TRUE(cut.resize(cut.size() - 5));
  cut.close();
  EXPECT_FALSE(frame_->OpenDocumentFile(other));
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_TRUE(messages_[0].contains(QStringLiteral("damaged")));
  EXPECT_NE(Button(QStringLiteral("User 1")), nullptr);  // defaults in effect
}

TEST_F(NetworkWindowTest, SavingOverAFileThatFailedToLoadAsksFirst) {
  CLinkTest_NetworkDoc saved;
  saved.Fields().port = 6000;
  const QString path = QDir(dir_.path()).filePath(QStringLiteral("port6000.ltn"));
  ASSERT_TRUE(saved.Save(path).ok);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.resize(file.size() - 5));
  file.close();
  const qint64 damagedSize = QFileInfo(path).size();
  EXPECT_FALSE(frame_->OpenDocumentFile(path));

  frame_->FindAction(QStringLiteral("&Save"))->trigger();  // answered No
  ASSERT_EQ(questions_.size(), 1);
  EXPECT_EQ(questions_[0], path + QStringLiteral(" could not be read when it was opened. "
                                                 "Replace it with the current settings?"));
  EXPECT_EQ(QFileInfo(path).size(), damagedSize);

  desktop::SetMessageBoxAnswerer([](const QMessageBox&) { return QMessageBox::Yes; });
  frame_->FindAction(QStringLiteral("&Save"))->trigger();
  CLinkTest_NetworkDoc reread;
  EXPECT_TRUE(reread.Open(path).ok);
}

TEST_F(NetworkWindowTest, ClientConnectTypedBytesAndCrLfOption) {
  QTcpSocket* far = ConnectToPeer();
  ASSERT_NE(far, nullptr);
  EXPECT_EQ(frame_->findChild<QLabel*>(QStringLiteral("serverPort"))->text(),
            QString::number(peer_.serverPort()));
  EXPECT_FALSE(frame_->findChild<QLineEdit*>(QStringLiteral("portField"))->isEnabled());
  EXPECT_EQ(frame_->Document().Fields().serverAddress, "127.0.0.1");
  EXPECT_EQ(StatusState(), "Connected to server 127.0.0.1:" + QString::number(peer_.serverPort()));

  frame_->FindAction(QStringLiteral("Change output CR to CR + LF"))->trigger();
  EXPECT_TRUE(frame_->FindAction(QStringLiteral("Change output CR to CR + LF"))->isChecked());
  Traffic()->setFocus();
  QTest::keyClicks(Traffic(), QStringLiteral("ok"));
  QTest::keyClick(Traffic(), Qt::Key_Return);
  QTest::keyClick(Traffic(), Qt::Key_Backspace);
  QTest::keyClick(Traffic(), Qt::Key_Tab);
  EXPECT_EQ(ReadAtLeast(far, 6), QByteArray("ok\r\n\b\t"));
  EXPECT_EQ(TrafficText(), QStringLiteral("ok\n\b\t"));  // one line break for the CR

  frame_->FindAction(QStringLiteral("Characters in { }"))->trigger();
  QTest::keyClick(Traffic(), Qt::Key_Backspace);
  EXPECT_TRUE(TrafficText().endsWith(QStringLiteral("{BkSp}")));
  EXPECT_EQ(ReadAtLeast(far, 1), QByteArray("\b"));

  // Received data in yellow, typed data in green.
  far->write("+0012.345\r");
  ASSERT_TRUE(WaitFor([&] { return TrafficText().contains(QStringLiteral("+0012.345{CR}")); }));
  QTextCursor cursor(Traffic()->document());
  cursor.setPosition(static_cast<int>(TrafficText().indexOf(QStringLiteral("+0012"))) + 1);
  EXPECT_EQ(cursor.charFormat().foreground().color(), TrafficPane::kReceivedColour);
  cursor.setPosition(1);
  EXPECT_EQ(cursor.charFormat().foreground().color(), TrafficPane::kTransmittedColour);

  far->close();
  ASSERT_TRUE(WaitFor([&] { return Button(QStringLiteral("Connect to Server")) != nullptr; }));
  EXPECT_TRUE(frame_->findChild<QLineEdit*>(QStringLiteral("portField"))->isEnabled());
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(NetworkWindowTest, LogToFileCapturesBothDirections) {
  QTcpSocket* far = ConnectToPeer();
  ASSERT_NE(far, nullptr);
  const QString path = dir_.filePath(QStringLiteral("traffic.log"));
  frame_->findChild<desktop::CaptureControl*>()->SetFileQuestion(
      [&](const QString&) { return path; });
  QAction* log = frame_->FindAction(QStringLiteral("Log to file..."));
  ASSERT_NE(log, nullptr);
  log->trigger();
  EXPECT_TRUE(log->isChecked());
  frame_->FindAction(QStringLiteral("Change output CR to CR + LF"))->trigger();
  Traffic()->setFocus();
  QTest::keyClicks(Traffic(), QStringLiteral("ok"));
  QTest::keyClick(Traffic(), Qt::Key_Return);
  EXPECT_EQ(ReadAtLeast(far, 4), QByteArray("ok\r\n"));
  far->write("+0012.345\r\n");
  ASSERT_TRUE(WaitFor([&] { return TrafficText().contains(QStringLiteral("+0012.345")); }));
  log->trigger();
  EXPECT_FALSE(log->isChecked());

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2) << lines.join('|').toStdString();
  EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" > ok{CR}{LF}"))) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" < +0012.345{CR}{LF}"))) << lines[1].toStdString();
}

TEST_F(NetworkWindowTest, EachConnectionStartsOnANewLine) {
  QTcpSocket* far = ConnectToPeer();
  ASSERT_NE(far, nullptr);
  far->write("+0012.3");  // cut off mid-line
  ASSERT_TRUE(WaitFor([&] { return TrafficText() == QStringLiteral("+0012.3"); }));
  far->close();
  ASSERT_TRUE(WaitFor([&] { return Button(QStringLiteral("Connect to Server")) != nullptr; }));
  Button(QStringLiteral("Connect to Server"))->click();
  ASSERT_TRUE(WaitFor([&] { return peer_.hasPendingConnections(); }));
  far = peer_.nextPendingConnection();
  far->write("+0012.345\r");
  ASSERT_TRUE(WaitFor([&] { return TrafficText().contains(QStringLiteral("345")); }));
  EXPECT_EQ(TrafficText(), QStringLiteral("+0012.3\n+0012.345\n"));
}

TEST_F(NetworkWindowTest, SendPaneAndUserButtons) {
  QTcpSocket* far = ConnectToPeer();
  ASSERT_NE(far, nullptr);
  View()->SendPane()->setPlainText(QStringLiteral("A\nB"));
  Button(QStringLiteral("Send"))->click();
  EXPECT_EQ(ReadAtLeast(far, 3), QByteArray("A\rB"));
  EXPECT_EQ(View()->SendPane()->toPlainText(), QStringLiteral("A\nB"));  // kept

  frame_->Document().Fields().endOfPacket = 10;
  Button(QStringLiteral("Send"))->click();
  EXPECT_EQ(ReadAtLeast(far, 4), QByteArray("A\r\nB"));

  Button(QStringLiteral("User 2"))->click();
  EXPECT_EQ(ReadAtLeast(far, 33), QByteArray("User defined string for button 2\r"));
  EXPECT_EQ(QApplication::focusWidget(), Traffic());

  frame_->Document().Fields().buttonCommands[2].clear();
  Button(QStringLiteral("User 3"))->click();
  test::Settle(50);
  EXPECT_TRUE(far->readAll().isEmpty());

  Button(QStringLiteral("Clear"))->click();
  EXPECT_TRUE(View()->SendPane()->toPlainText().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), View()->SendPane());
}

TEST_F(NetworkWindowTest, EditCommandsFollowTheFocus) {
  QAction* cut = frame_->FindAction(QStringLiteral("Cu&t"));
  QAction* paste = frame_->FindAction(QStringLiteral("&Paste"));
  Traffic()->setFocus();
  ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == Traffic(); }));
  EXPECT_FALSE(cut->isEnabled());
  EXPECT_TRUE(paste->isEnabled());
  View()->SendPane()->setFocus();
  ASSERT_TRUE(WaitFor([&] { return cut->isEnabled(); }));
  Button(QStringLiteral("Send"))->setFocus();
  ASSERT_TRUE(WaitFor([&] { return !paste->isEnabled(); }));

  // Pasting into the traffic pane types the clipboard, one CR per line.
  QApplication::clipboard()->setText(QStringLiteral("x\r\ny\n"));
  Traffic()->setFocus();
  paste->trigger();
  EXPECT_EQ(TrafficText(), QStringLiteral("x\ny\n"));
  QTest::keyClick(Traffic(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(TrafficText(), QStringLiteral("x\ny\nx\ny\n"));
  // Cut is not offered in the traffic pane, so its keys change nothing there.
  Traffic()->selectAll();
  QTest::keyClick(Traffic(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(TrafficText(), QStringLiteral("x\ny\nx\ny\n"));
}

}  // namespace
}  // namespace mx::nettest
