// The terminal's window, offscreen: the panes, the layout, the dialogs and the errors shown.
#include "tests/nettest/window/NetworkWindowBench.h"

namespace mx::nettest {
namespace {

TEST_F(NetworkWindowTest, ThePanesMenuSelectsAllAndCopies) {
  View()->ShowReceived(QByteArray("+0012.345\r+0012.346\r"));
  std::unique_ptr<QMenu> menu(Traffic()->CreateContextMenu());
  QStringList items;
  for (QAction* action : menu->actions())
    items << action->text() + QLatin1Char('|') + action->shortcut().toString();
  // Ctrl+A is a byte to send in this pane, so Select All names no key.
  EXPECT_EQ(items, (QStringList{"&Copy|Ctrl+C", "Select &All|"}));
  menu->actions()[1]->trigger();
  std::unique_ptr<QMenu> again(Traffic()->CreateContextMenu());
  ASSERT_TRUE(again->actions()[0]->isEnabled());
  again->actions()[0]->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("+0012.345\n+0012.346\n"));
}

TEST_F(NetworkWindowTest, ALongButtonLabelIsCutShortAndTheLayoutHolds) {
  QApplication::processEvents();
  const int paneWidth = Traffic()->width();
  const QString label = QStringLiteral("Read every channel ") + QString(281, QLatin1Char('x'));
  frame_->Document().Fields().buttonLabels[0] = desktop::ToLatin1(label);
  View()->ApplyButtonLabels();
  QApplication::processEvents();
  auto* button = frame_->findChild<QPushButton*>(QStringLiteral("user1"));
  EXPECT_TRUE(button->text().startsWith(QStringLiteral("Read every")));
  EXPECT_TRUE(button->text().endsWith(QChar(0x2026)));
  EXPECT_EQ(button->toolTip(), label);
  EXPECT_EQ(test::AccessibleName(button), label);
  EXPECT_EQ(Traffic()->width(), paneWidth);
}

TEST_F(NetworkWindowTest, ResizingGrowsThePanesAndMovesTheControls) {
  auto rectOf = [&](QWidget* w) { return QRect(w->mapTo(frame_.get(), QPoint(0, 0)), w->size()); };
  QWidget* send = View()->SendPane();
  QWidget* group = ByCaption<QRadioButton>(frame_.get(), QStringLiteral("Client"))->parentWidget();
  const QRect traffic0 = rectOf(Traffic()), send0 = rectOf(send), group0 = rectOf(group);
  const QRect user0 = rectOf(Button(QStringLiteral("User 4"))),
              send0Button = rectOf(Button(QStringLiteral("Send")));
  frame_->resize(frame_->width() + 200, frame_->height() + 100);
  QApplication::processEvents();
  const QRect traffic1 = rectOf(Traffic()), send1 = rectOf(send), group1 = rectOf(group);
  EXPECT_EQ(traffic1.topLeft(), traffic0.topLeft());
  EXPECT_EQ(traffic1.size(), traffic0.size() + QSize(200, 100));
  EXPECT_EQ(send1.width(), send0.width() + 200);
  EXPECT_EQ(send1.height(), send0.height());
  EXPECT_EQ(send1.top(), send0.top() + 100);
  EXPECT_EQ(group1.topLeft(), group0.topLeft() + QPoint(200, 0));
  EXPECT_EQ(group1.size(), group0.size());
  EXPECT_EQ(rectOf(Button(QStringLiteral("User 4"))).topLeft(), user0.topLeft() + QPoint(200, 100));
  EXPECT_EQ(rectOf(Button(QStringLiteral("Send"))).topLeft(),
            send0Button.topLeft() + QPoint(200, 100));
}

TEST_F(NetworkWindowTest, LongLinesScrollToTheEndAndBackAfterAPacket) {
  QScrollBar* bar = Traffic()->horizontalScrollBar();
  View()->ShowReceived(QByteArray(400, 'w'));
  EXPECT_GT(bar->value(), 0);
  const QRect caret = Traffic()->cursorRect();
  EXPECT_LE(caret.right(), Traffic()->viewport()->width());
  EXPECT_GT(caret.left(), Traffic()->viewport()->width() / 2);
  View()->ShowReceived(QByteArray("\r"));
  EXPECT_EQ(bar->value(), 0);
}

TEST_F(NetworkWindowTest, TrimKeepsTheNewestFortyThousandCharacters) {
  frame_->Document().Fields().charactersInBraces = 0;
  QByteArray data(50001, 'a');
  data[50000] = 'z';
  View()->ShowReceived(data);
  EXPECT_EQ(Traffic()->CharacterCount(), 50001);
  // The window's own timer does it within its period.
  ASSERT_TRUE(WaitFor([&] { return Traffic()->CharacterCount() == 40000; },
                      2 * CLinkTest_NetworkView::kTrimPeriodMs + 500));
  View()->ShowReceived(QByteArray(10001, 'a') + 'z');
  EXPECT_TRUE(View()->TrimTraffic());
  EXPECT_EQ(Traffic()->CharacterCount(), 40000);
  EXPECT_TRUE(TrafficText().endsWith(QLatin1Char('z')));
  EXPECT_FALSE(View()->TrimTraffic());
  EXPECT_EQ(Traffic()->textCursor().position(), 40000);

  // A flood does not wait for the timer once the pane passes twice the limit.
  View()->ShowReceived(QByteArray(60001, 'b'));
  EXPECT_EQ(Traffic()->CharacterCount(), 40000);
  EXPECT_TRUE(TrafficText().startsWith(QLatin1Char('b')));

  // A burst of a megabyte leaves what showing every byte would leave: the newest 40000
  // characters, cut inside a braced name where the count falls, and every packet counted.
  frame_->Document().Fields().charactersInBraces = 1;
  QByteArray burst;
  for (int i = 0; burst.size() < 1'000'000; ++i)
    burst += "+0012." + QByteArray::number(100 + i % 900) + '\r' + char(200);
  std::string whole;
  for (char c : burst)
    AppendTrafficText(static_cast<uint8_t>(c), {true, 13}, whole);
  EXPECT_EQ(Traffic()->ShowBytes(burst, true, {true, 13}), burst.count('\r'));
  EXPECT_EQ(TrafficText(), QString::fromLatin1(whole).right(40000));
}

TEST_F(NetworkWindowTest, ReceivedBytesShowBeforeWhatIsTypedOrClearedAfterThem) {
  // The second piece may wait for the pane's next turn; typing must not overtake it.
  View()->QueueReceived(QByteArray("+0012.345\r"));
  View()->QueueReceived(QByteArray("+0012.346"));
  View()->TypeBytes(QByteArray("<$B"));
  EXPECT_EQ(TrafficText(), QStringLiteral("+0012.345\n+0012.346<$B"));
  View()->QueueReceived(QByteArray("late"));
  View()->ClearTraffic();
  test::Settle(3 * CLinkTest_NetworkView::kDisplayPeriodMs);
  EXPECT_EQ(TrafficText(), QString()) << "what came in before the clear is cleared with the rest";
}

TEST_F(NetworkWindowTest, UserPushbuttonsDialogChecksEachCommand) {
  frame_->Document().Fields().buttonCommands[0] = "{A\r";
  QStringList shown;
  // Runs inside the dialog's event loop.
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* command1 = dialog->findChild<QLineEdit*>(QStringLiteral("command1"));
    auto* command2 = dialog->findChild<QLineEdit*>(QStringLiteral("command2"));
    shown << command1->text();
    command2->setText(QStringLiteral("ab{XYZ}cd"));
    ByCaption<QPushButton>(dialog, QStringLiteral("OK"))->click();
    shown << command2->selectedText();
    command2->setText(QString(101, QLatin1Char('x')));
    ByCaption<QPushButton>(dialog, QStringLiteral("OK"))->click();
    shown << QString::number(command2->selectedText().size());
    command2->setText(QStringLiteral("{Esc}Z{013}{255}"));
    dialog->findChild<QLineEdit*>(QStringLiteral("label2"))->setText(QStringLiteral("Zero"));
    ByCaption<QPushButton>(dialog, QStringLiteral("OK"))->click();
  });
  frame_->FindAction(QStringLiteral("User pushbuttons"))->trigger();
  ASSERT_EQ(shown.size(), 3);
  EXPECT_EQ(shown[0], QStringLiteral("{{}A{CR}"));
  EXPECT_EQ(shown[1], QStringLiteral("{XYZ}"));
  EXPECT_EQ(shown[2], QStringLiteral("101"));
  ASSERT_EQ(messages_.size(), 2);
  EXPECT_EQ(messages_[0], QStringLiteral("Invalid command string"));
  EXPECT_TRUE(messages_[1].startsWith(QStringLiteral("Command string length is to long.\n")));
  EXPECT_EQ(frame_->Document().Fields().buttonCommands[0], "{A\r");
  EXPECT_EQ(frame_->Document().Fields().buttonCommands[1], std::string("\x1bZ\r\xff"));
  EXPECT_NE(Button(QStringLiteral("Zero")), nullptr);
  EXPECT_TRUE(frame_->Document().IsModified());
}

TEST_F(NetworkWindowTest, PreferencesChangeEndOfPacketAndFont) {
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ByCaption<QRadioButton>(dialog, QStringLiteral("Carriage return  (ASCII 13)"))
                    ->isChecked());
    EXPECT_TRUE(ByCaption<QRadioButton>(dialog, QStringLiteral("10 point"))->isChecked());
    ByCaption<QRadioButton>(dialog, QStringLiteral("Linefeed  (ASCII 10)"))->click();
    ByCaption<QRadioButton>(dialog, QStringLiteral("12 point"))->click();
    ByCaption<QPushButton>(dialog, QStringLiteral("OK"))->click();
  });
  const int marginBefore = Traffic()->RightMargin();
  frame_->FindAction(QStringLiteral("Preferences"))->trigger();
  EXPECT_EQ(frame_->Document().Fields().endOfPacket, 10);
  EXPECT_EQ(frame_->Document().Fields().fontSize, 12);
  EXPECT_EQ(Traffic()->font().pointSize(), 12);
  EXPECT_EQ(View()->SendPane()->font().pointSize(), 12);
  EXPECT_GT(Traffic()->RightMargin(), marginBefore);

  // With LF ending packets a received CR is not shown and the LF breaks the line.
  View()->ShowReceived(QByteArray("1\r\n2"));
  EXPECT_EQ(TrafficText(), QStringLiteral("1\n2"));
}

TEST_F(NetworkWindowTest, ServerModeRefusesASecondClientAndSaysSo) {
  const quint16 port = test::FreePort();
  ByCaption<QRadioButton>(frame_.get(), QStringLiteral("Server"))->click();
  EXPECT_FALSE(frame_->findChild<QLineEdit*>(QStringLiteral("serverAddressField"))->isEnabled());
  auto* portField = frame_->findChild<QLineEdit*>(QStringLiteral("portField"));
  portField->setFocus();
  portField->selectAll();
  QTest::keyClicks(portField, QString::number(port));
  Button(QStringLiteral("Start Listening for Client"))->click();
  ASSERT_NE(Button(QStringLiteral("Stop Listening for Client")), nullptr);
  EXPECT_EQ(QApplication::focusWidget(), Traffic());
  EXPECT_EQ(StatusState(), "Listening for a client on port " + QString::number(port));

  QTcpSocket first;
  first.connectToHost(QHostAddress::LocalHost, port);
  ASSERT_TRUE(WaitFor([&] { return Button(QStringLiteral("Close Connection")) != nullptr; }));
  EXPECT_EQ(frame_->findChild<QLabel*>(QStringLiteral("clientPort"))->text(),
            QString::number(first.localPort()));
  EXPECT_EQ(StatusState(), "Connected to client 127.0.0.1:" + QString::number(first.localPort()));
  QTcpSocket second;
  second.connectToHost(QHostAddress::LocalHost, port);
  ASSERT_TRUE(WaitFor([&] { return second.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_TRUE(frame_->statusBar()->currentMessage().contains(QStringLiteral("refused")));

  Button(QStringLiteral("Close Connection"))->click();
  EXPECT_NE(Button(QStringLiteral("Stop Listening for Client")), nullptr);
  Button(QStringLiteral("Stop Listening for Client"))->click();
  EXPECT_NE(Button(QStringLiteral("Start Listening for Client")), nullptr);
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(NetworkWindowTest, ConnectErrorsAreShownInMessages) {
  ByCaption<QRadioButton>(frame_.get(), QStringLiteral("Client"))->click();
  Button(QStringLiteral("Connect to Server"))->click();
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_EQ(messages_[0], QStringLiteral("Missing server IP address or name"));
  EXPECT_EQ(QApplication::focusWidget(),
            frame_->findChild<QLineEdit*>(QStringLiteral("serverAddressField")));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("127.0.0.1"));
  auto* portField = frame_->findChild<QLineEdit*>(QStringLiteral("portField"));
  portField->setFocus();
  portField->selectAll();
  QTest::keyClicks(portField, QString::number(test::FreePort()));
  Button(QStringLiteral("Connect to Server"))->click();
  ASSERT_TRUE(WaitFor([&] { return messages_.size() == 2; }));
  EXPECT_EQ(messages_[1], QStringLiteral("Error Code 103\nCannot connect to the server:\n     "
                                         "The attempt to connect was rejected"));
}

TEST_F(NetworkWindowTest, APortNumberTooLargeToKeepIsRefused) {
  ByCaption<QRadioButton>(frame_.get(), QStringLiteral("Client"))->click();
  frame_->Document().Fields().serverAddress = "127.0.0.1";
  auto* portField = frame_->findChild<QLineEdit*>(QStringLiteral("portField"));
  portField->setFocus();
  portField->selectAll();
  QTest::keyClicks(portField, QStringLiteral("9999999999"));
  Button(QStringLiteral("Connect to Server"))->click();
  EXPECT_EQ(messages_,
            QStringList{QStringLiteral("Invalid port number\nValid range is 1 to 65535")});
  EXPECT_EQ(frame_->Document().Fields().port, 5000);
  EXPECT_EQ(portField->text(), QStringLiteral("5000"));
  EXPECT_EQ(View()->Controller().State(), ConnectionState::ClientIdle);
  EXPECT_FALSE(View()->Controller().IsConnecting());
}

TEST_F(NetworkWindowTest, UnsavedEditsAreOfferedForSaving) {
  frame_->FindAction(QStringLiteral("Beep at end-of-packet"))->trigger();
  EXPECT_TRUE(frame_->Document().IsModified());
  frame_->NewDocument();
  ASSERT_EQ(questions_.size(), 1);
  EXPECT_EQ(questions_[0], QStringLiteral("Save changes to untitled?"));
  EXPECT_FALSE(frame_->FindAction(QStringLiteral("Beep at end-of-packet"))->isChecked());
}

TEST_F(NetworkWindowTest, WindowAndDialogScreenshots) {
  QTcpSocket* far = ConnectToPeer();
  ASSERT_NE(far, nullptr);
  far->write("+0012.345\r+0012.346\r+0012.350\r");
  ASSERT_TRUE(WaitFor([&] { return TrafficText().count(QLatin1Char('\n')) == 3; }));
  Button(QStringLiteral("User 1"))->click();
  far->write("MX5-NTWK-00\r");
  ASSERT_TRUE(WaitFor([&] { return TrafficText().contains(QStringLiteral("MX5")); }));
  View()->SendPane()->setPlainText(QStringLiteral("<$B"));
  frame_->statusBar()->showMessage(QStringLiteral("Ready"));

  UserPushbuttonsDialog buttons(frame_->Document().Fields().buttonLabels,
                                frame_->Document().Fields().buttonCommands, frame_.get());
  PreferencesDialog preferences(13, 10, frame_.get());
  desktop::AboutDialog about(AboutThisProgram(), frame_.get());
  EXPECT_NE(ByCaption<QLabel>(&about, QStringLiteral("Version 1.0.1.1")), nullptr);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About LinkTest_Network"));

  const QByteArray tmp = qgetenv("MX_TEST_TMP");
  const QString folder = QString::fromLocal8Bit(tmp);
  QDir().mkpath(folder);
  const std::pair<QWidget*, const char*> shots[] = {{frame_.get(), "linktest-window.png"},
                                                    {&buttons, "linktest-user-pushbuttons.png"},
                                                    {&preferences, "linktest-preferences.png"},
                                                    {&about, "linktest-about.png"}};
  for (const auto& [widget, name] : shots) {
    const QPixmap shot = widget->grab();
    EXPECT_EQ(shot.size(), widget->size()) << name;
    if (!tmp.isEmpty())
      shot.save(folder + QLatin1Char('/') + QString::fromLatin1(name));
  }
}

}  // namespace
}  // namespace mx::nettest
