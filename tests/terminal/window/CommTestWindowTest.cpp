// The communications test window offscreen on the virtual bench: controls found by their captions,
// clicked and typed into, and checked by what the pane shows, what reaches the port, what the lamps
// look like and what would be printed.
#include "terminal/window/CommTestWindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "desktop/widgets/MessageBoxes.h"
#include "terminal/TerminalTexts.h"
#include "terminal/window/CommTestSetupDialog.h"
#include "terminal/window/LampPixmaps.h"
#include "terminal/window/TerminalPane.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

namespace mx::terminal {
namespace {

// The widget whose accessible name (what a screen reader says) is `name`.
template <typename T = QWidget>
T* Named(QWidget* root, const QString& name) {
  for (T* widget : root->findChildren<T*>()) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible && accessible->text(QAccessible::Name) == name)
      return widget;
  }
  return nullptr;
}

// The lamp colour where the gradient has run out (right of and below the highlight).
QColor LampAt(const QLabel* lamp, int index = 0) {
  return lamp->pixmap().toImage().pixelColor(index * (kLampSize + kLampGap) + 9, 8);
}

// Runs `action` on the next modal window that opens.
void OnModal(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || !qobject_cast<CommTestSetupDialog*>(modal))
      return;
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start(10);
}

struct WindowBench : test::LinkBench {
  TestSettings settings;
  std::vector<int> helpTopics;
  std::vector<QWidget*> findOwners;
  std::vector<QString> messages;
  std::unique_ptr<CommTestWindow> window;

  WindowBench() {
    settings.useFound = false;
    desktop::SetMessageBoxAnswerer([this](const QMessageBox& box) {
      messages.push_back(box.text());
      return QMessageBox::Ok;
    });
  }
  ~WindowBench() {
    window.reset();
    desktop::SetMessageBoxAnswerer({});
  }
  void Open() {
    window = std::make_unique<CommTestWindow>(
        link, settings,
        CommTestWindow::Hooks{[this](int topic) { helpTopics.push_back(topic); },
                              [this](QWidget* owner) { findOwners.push_back(owner); }});
    window->Open();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  QAbstractButton* Button(const QString& caption) {
    return Named<QAbstractButton>(window.get(), caption);
  }
  void Click(const QString& caption) {
    QAbstractButton* button = Button(caption);
    ASSERT_NE(button, nullptr) << caption.toStdString();
    button->click();
  }
  QLabel* Lamp(const QString& caption) { return Named<QLabel>(window.get(), caption); }
  TerminalPane* Pane() { return window->Pane(); }
  QString PaneText() { return Pane()->toPlainText(); }
  void Arrive(const std::string& bytes, int port = 1) {
    bus.Inject(PathOf(port), {bytes.begin(), bytes.end()}, clock.Now64());
  }
  void Poll(int times = 1) {
    for (int i = 0; i < times; ++i) {
      clock.SleepMs(kPollIntervalMs);
      window->Controller().PollReceive();
    }
  }
  std::string Written(int port = 1) {
    const auto& bytes = bus.Find(PathOf(port))->written;
    return {bytes.begin(), bytes.end()};
  }
};

TEST(CommTestWindowTest, OpensOnTheChosenPortWithCaptionAndControls) {
  WindowBench bench;
  bench.AddPort(1);
  bench.Open();
  EXPECT_EQ(bench.window->windowTitle(), "Mesurix Communications Test  --  COM1:9600-N-8-1");
  EXPECT_TRUE(bench.Pane()->hasFocus());
  for (const char* caption : {"Find MX",
                              "Copyright",
                              "Commands",
                              "Read All",
                              "Gages",
                              "Print",
                              "Setup",
                              "Clear ",
                              "Help",
                              "Exit",
                              "Log to file...",
                              "CTS  (Input H/S)",
                              "DSR  (Input H/S)",
                              "RTS  (Output H/S)",
                              "DTR  (Output H/S)",
                              "Serial port  (COM1)",
                              "Paused",
                              "Characters in { }",
                              "Show CR & LF in { }",
                              "Character list",
                              "Traffic"}) {
    EXPECT_NE(Named(bench.window.get(), caption), nullptr) << caption;
  }
  EXPECT_EQ(bench.window->List()->topLevelItemCount(), 161);
  EXPECT_EQ(bench.findOwners, std::vector<QWidget*>{bench.window.get()});

  // Escape never closes the window; Help is topic 401.
  QTest::keyClick(bench.window->List(), Qt::Key_Escape);
  EXPECT_TRUE(bench.window->isVisible());
  bench.Click("Help");
  EXPECT_EQ(bench.helpTopics, std::vector<int>{401});

  // Exit closes the port with the window and gives Find's windows back to the main window.
  bench.Click("Exit");
  EXPECT_FALSE(bench.window->isVisible());
  EXPECT_FALSE(bench.window->Controller().Status().portOpen);
  EXPECT_EQ(bench.findOwners.back(), nullptr);
}

// Every control a user can reach, in the window and in its setup dialog, has a name a screen reader
// can say.
void ExpectAccessibleNames(QWidget* root) {
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    const bool control = qobject_cast<QAbstractButton*>(widget) ||
                         qobject_cast<QLineEdit*>(widget) || qobject_cast<QTreeWidget*>(widget) ||
                         qobject_cast<QPlainTextEdit*>(widget) ||
                         qobject_cast<QProgressBar*>(widget);
    if (!control || widget->parentWidget()->inherits("QAbstractScrollArea"))
      continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
        << widget->metaObject()->className() << " " << widget->objectName().toStdString();
  }
}

TEST(CommTestWindowTest, EveryControlHasAnAccessibleName) {
  WindowBench bench;
  bench.AddPort(1);
  bench.Open();
  ExpectAccessibleNames(bench.window.get());
  bool checked = false;
  OnModal([&](QWidget* dialog) {
    ExpectAccessibleNames(dialog);
    checked = true;
    static_cast<QDialog*>(dialog)->reject();
  });
  bench.Click("Setup");
  EXPECT_TRUE(checked);
}

TEST(CommTestWindowTest, ReceivedBytesShowByTheSwitches) {
  struct Case {
    std::vector<const char*> clicks;
    std::string bytes;
    QString shown;
  };
  const Case cases[] = {
      {{}, "OK\r\n", "OK\n"},
      {{"Show CR & LF in { }"}, "OK\r\n", "OK{CR}\n{LF}"},
      {{}, std::string("\x07\xc8", 2), "{BEL}{200}"},
      {{"Characters in { }"}, "a ,.{", "a{Space}{Comma}{Period}{{}"},
      {{"Characters in { }", "Characters in { }"}, "a ,.", "a ,."},
  };
  for (const Case& c : cases) {
    WindowBench bench;
    bench.AddPort(1);
    bench.Open();
    for (const char* row : c.clicks)
      bench.Click(row);
    bench.Arrive(c.bytes);
    bench.Poll();
    EXPECT_EQ(bench.PaneText(), c.shown) << c.bytes;
  }

  // The switch rows light green when on.
  WindowBench bench;
  bench.AddPort(1);
  bench.Open();
  EXPECT_EQ(LampAt(bench.Lamp("Characters in { }")), LampColour(Lamp::BrightRed));
  bench.Click("Characters in { }");
  EXPECT_EQ(LampAt(bench.Lamp("Characters in { }")), LampColour(Lamp::BrightGreen));
  EXPECT_TRUE(bench.settings.braces);
}

TEST(CommTestWindowTest, PaneKeysAreEchoedSentOrMoveTheFocus) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::string sent;
    QString shown;
    const char* focus;  // accessible name of the widget with the focus afterwards
  };
  const Case cases[] = {
      {Qt::Key_A, Qt::NoModifier, "a", "a", "Traffic"},
      {Qt::Key_Return, Qt::NoModifier, "\r", "\n", "Traffic"},
      {Qt::Key_Return, Qt::ControlModifier, "", "\n", "Traffic"},
      {Qt::Key_Escape, Qt::NoModifier, "\x1b", "{Esc}", "Traffic"},
      {Qt::Key_Tab, Qt::NoModifier, "\t", "{Tab}", "Traffic"},
      {Qt::Key_A, Qt::ControlModifier, "\x01", "{SOH}", "Traffic"},
      {Qt::Key_BracketRight, Qt::ControlModifier, "\x1d", "{GS}", "Traffic"},
      {Qt::Key_Insert, Qt::NoModifier, "", "", "Traffic"},
      {Qt::Key_Delete, Qt::NoModifier, "", "", "Traffic"},
      {Qt::Key_Tab, Qt::ControlModifier, "", "", "Character list"},
      {Qt::Key_Tab, Qt::ShiftModifier, "", "", "Exit"},
      {Qt::Key_Backtab, Qt::ShiftModifier, "", "", "Exit"},
  };
  for (const Case& c : cases) {
    WindowBench bench;
    bench.AddPort(1);
    bench.Open();
    QTest::keyClick(bench.Pane(), c.key, c.modifiers);
    EXPECT_EQ(bench.Written(), c.sent) << c.key;
    EXPECT_EQ(bench.PaneText(), c.shown) << c.key;
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), c.focus) << c.key;
    EXPECT_TRUE(bench.window->isVisible());
  }

  // With "Characters in { }" a typed comma shows in its braced form and goes out as 44, after
  // the caret went back to the end of what was there.
  WindowBench bench;
  bench.AddPort(1);
  bench.Open();
  bench.Arrive("abc");
  bench.Poll();
  QTextCursor start = bench.Pane()->textCursor();
  start.movePosition(QTextCursor::Start);
  bench.Pane()->setTextCursor(start);
  bench.Click("Characters in { }");
  QTest::keyClick(bench.Pane(), Qt::Key_Comma, Qt::NoModifier);
  EXPECT_EQ(bench.Written(), ",");
  EXPECT_EQ(bench.PaneText(), "abc{Comma}");
}

TEST(CommTestWindowTest, ReceivedLinesTrimTo400TypedLinesNever) {
  WindowBench bench;
  bench.AddPort(1);
  bench.Open();
  std::string lines;
  for (int i = 1; i <= 500; ++i)
    lines += "line " + std::to_string(i) + "\r";
  bench.Arrive(lines);
  bench.Poll(5);
  EXPECT_EQ(bench.Pane()->blockCount(), 501);  // 500 lines and the empty one being written
  bench.Arrive("line 501\r");
  bench.Poll();
  EXPECT_EQ(bench.Pane()->blockCount(), 401);
  EXPECT_TRUE(bench.PaneText().startsWith("line 102\n"));
  EXPECT_TRUE(bench.Pane()->textCursor().atEnd());

  for (int i = 0; i < 200; ++i)
    QTest::keyClick(bench.Pane(), Qt::Key_Return);
  EXPECT_EQ(bench.Pane()->blockCount(), 601);
}

TEST(CommTestWindowTest, StreamsWithoutCrStayBoundedToo) {
  // Each stream is 120 kB in batches of one poll; the pane may hold what 500 rows of 100 hold.
  std::string random(120'000, '\0');
  uint32_t state = 1;
  for (char& byte : random)
    byte = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
  for (const auto& [name, unit] : std::vector<std::pair<std::string, std::string>>{
           {"LF only", "+0012.345\n"}, {"no line ends", "+0012.345"}, {"binary", ""}}) {
    WindowBench bench;
    bench.AddPort(1);
    bench.Open();
    std::string stream = unit.empty() ? random : std::string();
    while (stream.size() < 120'000)
      stream += unit;
    for (std::size_t at = 0; at < stream.size(); at += kPollReadLimit) {
      bench.Arrive(stream.substr(at, kPollReadLimit));
      bench.Poll();
    }
    EXPECT_LE(bench.PaneText().size(), kPaneLineLimit * (kPaneWrapColumns + 1)) << name;
    EXPECT_GT(bench.PaneText().size(), kPaneLinesKept * kPaneWrapColumns / 2) << name;
  }
}

TEST(CommTestWindowTest, ControlsFollowTheSizeDownToHalfTheFirstSize) {
  WindowBench bench;
  bench.AddPort(1);
  bench.Open();
  const WindowGeometry first = bench.window->InitialGeometry();
  const QSize firstSize = bench.window->InitialClientSize();

  bench.window->resize(firstSize + QSize(200, 100));
  WindowGeometry now = bench.window->CurrentGeometry();
  EXPECT_EQ(now.buttons[kExitButton], first.buttons[kExitButton].translated(200, 100));
  EXPECT_EQ(now.status, first.status.translated(200, 0));
  EXPECT_EQ(now.list.top(), first.list.top());
  EXPECT_EQ(now.list.height(), first.list.height() + 100);
  EXPECT_EQ(now.pane.topLeft(), first.pane.topLeft());
  EXPECT_EQ(now.pane.size(), first.pane.size() + QSize(200, 100));

  // Below half the first size nothing moves any further.
  const QSize halfSize(firstSize.width() / 2, firstSize.height() / 2);
  bench.window->resize(halfSize);
  const WindowGeometry half = bench.window->CurrentGeometry();
  bench.window->resize(halfSize / 2);
  EXPECT_EQ(bench.window->CurrentGeometry(), half);
  EXPECT_EQ(half.buttons[0].bottomRight(),
            first.buttons[0].bottomRight() - QPoint(firstSize.width() - halfSize.width(),
                                                    firstSize.height() - halfSize.height()));
  EXPECT_EQ(half.list.height(), first.list.height() / 2);
}

TEST(CommTestWindowTest, StatusRowsFollowThePortAndItsLines) {
  WindowBench bench;
  sim::VirtualPort& port = bench.AddPort(1);
  port.modemStatus = kModemCts;  // CTS on, DSR off
  bench.AddPort(2).modemLines = false;
  bench.Open();
  QLabel* cts = bench.Lamp("CTS  (Input H/S)");
  QLabel* dsr = bench.Lamp("DSR  (Input H/S)");
  EXPECT_EQ(LampAt(cts, 1), LampColour(Lamp::BrightRed));    // on: red lit
  EXPECT_EQ(LampAt(dsr, 0), LampColour(Lamp::BrightGreen));  // off: green lit
  EXPECT_EQ(LampAt(bench.Lamp("RTS  (Output H/S)"), 1), LampColour(Lamp::BrightRed));
  bench.Click("RTS  (Output H/S)");
  EXPECT_FALSE(port.rts);
  EXPECT_EQ(LampAt(bench.Lamp("RTS  (Output H/S)"), 0), LampColour(Lamp::BrightGreen));

  // Closing the port greys the rows that need it and the four device buttons.
  bench.Click("Serial port  (COM1)");
  EXPECT_FALSE(bench.Pane()->isEnabled());
  for (const char* caption : {"RTS  (Output H/S)", "DTR  (Output H/S)", "Paused", "Copyright",
                              "Commands", "Read All", "Gages"})
    EXPECT_FALSE(bench.Button(caption)->isEnabled()) << caption;
  EXPECT_TRUE(bench.Button("Find MX")->isEnabled());
  EXPECT_EQ(LampAt(cts, 1), LampColour(Lamp::DarkRed));
  EXPECT_EQ(LampAt(bench.Lamp("Serial port  (COM1)")), LampColour(Lamp::BrightRed));

  // A port without modem lines shows them grey and says why.
  bench.settings.line.port = 2;
  bench.Click("Serial port  (COM1)");
  ASSERT_TRUE(bench.window->Controller().Status().portOpen);
  cts = bench.Lamp("CTS  (Input H/S)");
  EXPECT_EQ(LampAt(cts, 0), LampColour(Lamp::Grey));
  EXPECT_EQ(cts->toolTip().toStdString(), terminal::text::kNoModemLines);
  EXPECT_TRUE(bench.Button("RTS  (Output H/S)")->isEnabled());
  EXPECT_TRUE(bench.messages.empty());
}

TEST(CommTestWindowTest, CharacterListTypesItsByteAndFindsByKey) {
  WindowBench bench;
  bench.AddPort(1);
  bench.Open();
  QTreeWidget* list = bench.window->List();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_E);
  EXPECT_EQ(list->currentItem()->text(0), "ETX");
  QTest::keyClick(list, Qt::Key_E);
  EXPECT_EQ(list->currentItem()->text(0), "EOT");

  QTreeWidgetItem* escape = list->topLevelItem(27);
  list->scrollToItem(escape);
  const QPoint at = list->visualItemRect(escape).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(bench.Written(), "\x1b");
  EXPECT_EQ(bench.PaneText(), "{Esc}");
  list->setCurrentItem(list->topLevelItem(33));  // byte 128
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(bench.Written(), "\x1b\x80");
}

TEST(CommTestWindowTest, SetupDialogShowsThePortCheckAndAppliesOk) {
  WindowBench bench;
  bench.AddPort(1);
  bench.AddPort(3);
  bench.Open();
  bool checked = false;
  OnModal([&](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Communications Test Setup: ");
    EXPECT_EQ(bench.findOwners.back(), dialog);
    EXPECT_TRUE(Named<QAbstractButton>(dialog, "COM3:")->isEnabled());
    EXPECT_FALSE(Named<QAbstractButton>(dialog, "COM2:")->isEnabled());
    Named<QAbstractButton>(dialog, "Enable all")->click();
    EXPECT_TRUE(Named<QAbstractButton>(dialog, "COM2:")->isEnabled());
    Named<QAbstractButton>(dialog, "Help")->click();
    Named<QAbstractButton>(dialog, "COM3:")->click();
    Named<QAbstractButton>(dialog, "115.2K")->click();
    Named<QLineEdit>(dialog, "Button Label 1")->setText("Hello & bye");
    Named<QLineEdit>(dialog, "Command 1")->setText("\\x3CH\\x0D");
    checked = true;
    Named<QAbstractButton>(dialog, "OK")->click();
  });
  bench.Click("Setup");
  ASSERT_TRUE(checked);
  EXPECT_EQ(bench.helpTopics, std::vector<int>{400});
  EXPECT_EQ(bench.findOwners.back(), bench.window.get());
  EXPECT_EQ(bench.window->windowTitle(), "Mesurix Communications Test  --  COM3:115.2K-N-8-1");
  EXPECT_TRUE(bench.settings.enableAllPorts);
  bench.Click("Hello & bye");
  EXPECT_EQ(bench.Written(3), "<H\r");
  EXPECT_EQ(bench.PaneText(), "<H\n");
}

TEST(CommTestWindowTest, TestStringsShowProgressAndStop) {
  WindowBench bench;
  bench.AddPort(1);
  bench.store.WriteText("Settings", "LinkTest_Button_Cmd_2", "send test strings");
  bench.Open();
  bench.Click("Gages");
  auto* progress = Named<QProgressBar>(bench.window.get(), "Test strings sent");
  EXPECT_TRUE(progress->isVisible());
  bench.Poll(4);
  EXPECT_GT(progress->value(), 0);
  EXPECT_EQ(static_cast<std::size_t>(progress->value()), bench.Written().size());
  QTest::keyClick(bench.Pane(), Qt::Key_X);  // waits behind the burst
  bench.Click("Stop");
  bench.Poll();  // the line on its way is finished first
  EXPECT_FALSE(progress->isVisible());
  const std::string written = bench.Written();
  EXPECT_EQ(written.substr(0, 13), "Line     1 - ");
  EXPECT_EQ(written.substr(written.size() - 2), "\rx");
  EXPECT_EQ(written.size() % kTestBurstLineSize, 1u);
  EXPECT_EQ(bench.PaneText(), "x");
}

TEST(CommTestWindowTest, LogToFileKeepsBothDirectionsUntilTheWindowCloses) {
  WindowBench bench;
  bench.AddPort(1);
  test::TempDir dir;
  const QString path = QString::fromStdString(dir.File("capture.log"));
  bench.Open();
  bench.window->Capture().SetFileQuestion([&](const QString& suggested) {
    EXPECT_TRUE(suggested.endsWith(".log"));
    return path;
  });
  bench.Click("Log to file...");
  EXPECT_TRUE(bench.Button("Log to file...")->isChecked());
  QTest::keyClicks(bench.Pane(), "<H");
  bench.Click("Paused");
  bench.Arrive("OK\r\n");
  bench.Poll();
  EXPECT_EQ(bench.PaneText(), "<H");  // held while paused, but logged
  bench.Click("Exit");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].endsWith(" > <H")) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].endsWith(" < OK{CR}{LF}")) << lines[1].toStdString();
}

TEST(CommTestWindowTest, PrintsTheSelectionOrEverything) {
  WindowBench bench;
  bench.AddPort(1);
  bench.Open();
  std::vector<PrintoutJob> jobs;
  bench.window->SetPrinter([&](const PrintoutJob& job) { jobs.push_back(job); });
  bench.Click("Print");
  EXPECT_EQ(bench.messages, std::vector<QString>{"Nothing available to print.     "});
  EXPECT_TRUE(jobs.empty());

  bench.Arrive("first\rsecond\r");
  bench.Poll();
  bench.Click("Print");
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].text, "first\nsecond\n");
  EXPECT_EQ(jobs[0].points, 9);

  QTextCursor selection(bench.Pane()->document());
  selection.setPosition(2);
  selection.setPosition(9, QTextCursor::KeepAnchor);
  bench.Pane()->setTextCursor(selection);
  bench.settings.printerFontSize = kSmallPrinterFont;
  bench.Click("Print");
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(jobs[1].text, "rst\nsec");
  EXPECT_EQ(jobs[1].points, 7);
  EXPECT_EQ(bench.Pane()->textCursor().selectedText(), selection.selectedText());
}

TEST(CommTestWindowTest, PrintoutCutsLongLinesAndGoesOnToANewPage) {
  test::RecordingCanvas canvas;
  canvas.area = {8000, 3000};  // page width 7500, bottom 2725
  PrintoutJob job;
  job.points = 9;  // 45-wide characters, 108-high lines: 166 to a line
  job.texts = {"1-1-2010", "12:00:05 AM"};
  job.text = std::string(200, 'x') + "\n\nlast\n";
  for (int i = 0; i < 8; ++i)
    job.text += "more " + std::to_string(i) + "\n";
  int pages = 0;
  EXPECT_EQ(DrawPrintout(canvas, job, [&] { ++pages; }), 2);
  EXPECT_EQ(pages, 1);

  std::vector<test::RecordingCanvas::Text> body;
  for (const auto& t : canvas.texts) {
    if (t.font.face == report::FontFace::Console)
      body.push_back(t);
  }
  ASSERT_GE(body.size(), 5u);
  EXPECT_EQ(body[0].text, std::string(166, 'x'));
  EXPECT_EQ(body[0].y, kPrintoutTextTop);
  EXPECT_EQ(body[0].font.weight, report::kNormalWeight);
  EXPECT_EQ(body[1].text, std::string(34, 'x'));
  EXPECT_EQ(body[1].y, 900 + 108 + 30);
  EXPECT_EQ(body[2].text, " ");  // an empty line
  EXPECT_EQ(body[2].y, body[1].y + 108 + 70);
  EXPECT_EQ(body[3].text, "last");
  // The second page starts at the top again, with header, title and page numbers.
  const auto second = std::find_if(body.begin() + 1, body.end(),
                                   [](const auto& t) { return t.y == kPrintoutTextTop; });
  ASSERT_NE(second, body.end());
  EXPECT_LE(std::prev(second)->y + 108, 2725);
  EXPECT_NE(canvas.Find("Page 2 of 2"), nullptr);
  EXPECT_EQ(std::count_if(canvas.texts.begin(), canvas.texts.end(),
                          [](const auto& t) { return t.text == "Mesurix Communications Test"; }),
            2);
  EXPECT_NE(canvas.Find("12:00:05 AM"), nullptr);
}

}  // namespace
}  // namespace mx::terminal
