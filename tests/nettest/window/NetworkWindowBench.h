#pragma once
// LinkTest_Network's window, offscreen, for the window tests: the frame with private settings,
// message boxes answered and recorded, a loopback peer, and controls found by their captions.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QStyleOptionMenuItem>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "desktop/TextConversion.h"
#include "desktop/widgets/CaptureControl.h"
#include "desktop/widgets/MessageBoxes.h"
#include "nettest/LoopbackHelpers.h"
#include "nettest/window/CLinkTest_NetworkView.h"
#include "nettest/window/CMainFrame.h"
#include "nettest/window/PreferencesDialog.h"
#include "nettest/window/TrafficPane.h"
#include "nettest/window/UserPushbuttonsDialog.h"
#include "support/AccessibleNames.h"

namespace mx::nettest {

using test::WaitFor;

template <typename T>
T* ByCaption(QWidget* root, const QString& caption) {
  for (T* w : root->findChildren<T*>()) {
    if (w->text() == caption)
      return w;
  }
  return nullptr;
}

class NetworkWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
    QApplication::setOrganizationName(QStringLiteral("Brantwick Systems"));
    QApplication::setApplicationName(QStringLiteral("LinkTest_Network"));
    // Messages are read and answered with OK, save questions with No.
    desktop::SetMessageBoxAnswerer([this](const QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), "LinkTest_Network");
      const bool question = box.standardButtons() != QMessageBox::Ok;
      (question ? questions_ : messages_) << box.text();
      return question ? QMessageBox::No : QMessageBox::Ok;
    });
    frame_ = std::make_unique<CMainFrame>();
    frame_->View()->Controller().SetListenAddress(QHostAddress::LocalHost);
    frame_->resize(1000, 700);
    frame_->show();
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
  }
  void TearDown() override {
    frame_.reset();
    desktop::SetMessageBoxAnswerer({});
  }

  CLinkTest_NetworkView* View() { return frame_->View(); }
  TrafficPane* Traffic() { return View()->Traffic(); }
  QPushButton* Button(const QString& caption) {
    return ByCaption<QPushButton>(frame_.get(), caption);
  }
  QString TrafficText() { return Traffic()->toPlainText(); }
  // The connection's state as the status bar shows it while no prompt covers it.
  QString StatusState() {
    auto* state = frame_->statusBar()->findChild<QLabel*>(QStringLiteral("connectionState"));
    return state && state->isVisible() ? state->text() : QString();
  }

  // Connects the window as a client to a loopback peer and returns the peer's end.
  QTcpSocket* ConnectToPeer() {
    EXPECT_TRUE(peer_.listen(QHostAddress::LocalHost, 0));
    ByCaption<QRadioButton>(frame_.get(), QStringLiteral("Client"))->click();
    auto* address = frame_->findChild<QLineEdit*>(QStringLiteral("serverAddressField"));
    auto* port = frame_->findChild<QLineEdit*>(QStringLiteral("portField"));
    address->setFocus();
    QTest::keyClicks(address, QStringLiteral("127.0.0.1"));
    port->setFocus();
    port->selectAll();
    QTest::keyClicks(port, QString::number(peer_.serverPort()));
    Button(QStringLiteral("Connect to Server"))->click();
    EXPECT_TRUE(
        WaitFor([&] { return View()->Controller().State() == ConnectionState::Connected; }));
    EXPECT_TRUE(WaitFor([&] { return peer_.hasPendingConnections(); }));
    return peer_.nextPendingConnection();
  }

  QByteArray ReadAtLeast(QTcpSocket* socket, int count) {
    QByteArray got;
    WaitFor([&] {
      got += socket->readAll();
      return got.size() >= count;
    });
    test::Settle(30);
    return got + socket->readAll();
  }

  QTemporaryDir settingsDir_;
  QTemporaryDir dir_;
  QStringList messages_;
  QStringList questions_;
  QTcpServer peer_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace mx::nettest
