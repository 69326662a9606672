// The setup program's window: start-up to the first shown window, a tab switch and a channel
// switch, each until the event loop has nothing left to do (painting included), and Print Preview
// until its first page shows. Runs on the offscreen platform unless a display is given:
//   editor_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QPrintPreviewDialog>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>

#include "editor/device/DeviceEnvironment.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMX3_SetupView.h"
#include "editor/frame/CMainFrame.h"
#include "editor/frame/PrintCommands.h"
#include "editor/frame/SetupApplication.h"
#include "link/PreferencesStore.h"

namespace mx::editor {
namespace {

MemoryPreferencesStore gStore;
DeviceEnvironment gEnvironment{&gStore, nullptr, nullptr, {}};

void Settle() {
  QApplication::sendPostedEvents();
  QApplication::processEvents();
}

// Document, main window with its seven pages, the new document's defaults, and the window shown
// and painted once.
void BM_StartUpToFirstShownWindow(benchmark::State& state) {
  const QString folder = QApplication::applicationDirPath();
  for (auto _ : state) {
    SetupProgram program;
    StartSetupProgram({}, folder, gEnvironment, program);
    program.frame->show();
    program.frame->repaint();
    Settle();
    state.PauseTiming();
    program.frame.reset();
    program.document.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstShownWindow)->Unit(benchmark::kMillisecond);

struct ShownWindow {
  ShownWindow() {
    StartSetupProgram({}, QApplication::applicationDirPath(), gEnvironment, program);
    program.frame->show();
    Settle();
  }
  SetupProgram program;
  CMX3_SetupView& View() { return *program.frame->View(); }
};

void BM_TabSwitch(benchmark::State& state) {
  ShownWindow window;
  QTabWidget* tabs = window.View().Tabs();
  int tab = 0;
  for (auto _ : state) {
    tab = (tab + 1) % kTabCount;
    tabs->setCurrentIndex(tab);
    window.program.frame->repaint();
    Settle();
  }
}
BENCHMARK(BM_TabSwitch)->Unit(benchmark::kMillisecond);

// Commit, new captions, refresh of every page and the repaint, on a five-channel model.
void BM_ChannelSwitch(benchmark::State& state) {
  ShownWindow window;
  window.View().SelectModelCommand(5);
  window.View().Tabs()->setCurrentIndex(kBasicTab);
  int channel = 0;
  for (auto _ : state) {
    channel = (channel + 1) % 5;
    window.View().ChannelSelect(channel);
    window.program.frame->repaint();
    Settle();
  }
}
BENCHMARK(BM_ChannelSwitch)->Unit(benchmark::kMillisecond);

// Plays the user of one Print Preview: confirms the selection dialog (after "Select All" when all
// pages are wanted) and closes the preview once its page view has been painted. The time runs
// from the click on "Print Preview" to the end of that first paint.
class PreviewUser : public QObject {
 public:
  explicit PreviewUser(bool allPages) : allPages_(allPages) {
    connect(&timer_, &QTimer::timeout, this, &PreviewUser::Tick);
    timer_.start(0);
    qApp->installEventFilter(this);
  }
  ~PreviewUser() override { qApp->removeEventFilter(this); }

  double seconds = -1;

 private:
  static void Click(QWidget* dialog, const QString& caption) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
      if (button->text() == caption)
        return button->click();
    }
  }

  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
      // A timer runs only once the event before it, the paint, has been handled.
      if (painted_) {
        seconds = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
        preview->reject();
      }
    } else if (modal && !clock_.isValid()) {
      if (allPages_)
        Click(modal, "Select All");
      clock_.start();
      Click(modal, "Print Preview");
    }
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && clock_.isValid()) {
      auto* widget = qobject_cast<QWidget*>(watched);
      painted_ = painted_ || (widget && qobject_cast<QGraphicsView*>(widget->parentWidget()) &&
                              qobject_cast<QPrintPreviewDialog*>(widget->window()));
    }
    return false;
  }

  bool allPages_;
  bool painted_ = false;
  QElapsedTimer clock_;
  QTimer timer_;
};

// range(0): the pages of the job, 2 (the global page and channel A, the default) or 6.
void PrintPreview(benchmark::State& state) {
  ShownWindow window;
  window.View().SelectModelCommand(5);
  for (auto _ : state) {
    PreviewUser user(state.range(0) == 6);
    window.View().Printing().Preview();
    if (user.seconds < 0)
      return state.SkipWithError("the preview showed no page");
    state.SetIterationTime(user.seconds);
  }
}

// The first preview of a run also finds the printers and loads the report's fonts.
void BM_FirstPrintPreviewToFirstPage(benchmark::State& state) {
  PrintPreview(state);
}
BENCHMARK(BM_FirstPrintPreviewToFirstPage)
    ->Arg(2)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_PrintPreviewToFirstPage(benchmark::State& state) {
  PrintPreview(state);
}
BENCHMARK(BM_PrintPreviewToFirstPage)
    ->Arg(2)
    ->Arg(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mx::editor

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QTemporaryDir preferences;  // the recent-file list stays out of the user's settings
  ::setenv("XDG_CONFIG_HOME", preferences.path().toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  // The offscreen platform warns about window features it lacks; the timings are what matters.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
