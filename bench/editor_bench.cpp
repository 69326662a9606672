// The setup program's window: start-up to the first shown window, a tab switch and a channel
// switch, each until the event loop has nothing left to do (painting included). Runs on the
// offscreen platform unless a display is given:
//   editor_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdlib>

#include "editor/device/DeviceEnvironment.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMX3_SetupView.h"
#include "editor/frame/CMainFrame.h"
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
