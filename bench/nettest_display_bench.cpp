// How fast the terminal's traffic pane shows received data, and whether the window stays
// responsive meanwhile: the batched display (one insertion per received block, of the text the
// pane keeps) against a display that inserts each byte on its own (one insertion and two colour
// changes per byte), measured in one run.
//
//   Pane/*   received blocks straight into a visible pane, events processed after each block
//   Flood/*  mxsim's flood over loopback into the terminal's form (connection, display pacing,
//            pane, trim timer) for 3 s; the simulator runs on a thread of its own, as mxsim is a
//            process of its own. Counters: MB/s drained, the longest event stall, the pane's
//            size at the end and the process's peak memory.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

#include "nettest/CLinkTest_NetworkDoc.h"
#include "nettest/ConnectionController.h"
#include "nettest/window/CLinkTest_NetworkView.h"
#include "nettest/window/TrafficPane.h"
#include "sim/net/SimNetInterface.h"
#include "sim/net/SimNetStreamer.h"

namespace {

using mx::nettest::TrafficDisplayOptions;
using mx::nettest::TrafficPane;

QByteArray Readings(int bytes) {
  QByteArray out;
  for (quint64 n = 0; out.size() < bytes; ++n)
    out += mx::SimNetStreamer::Reading(n);
  out.truncate(bytes);
  return out;
}

// The per-byte display, for comparison: colour, insert one byte's text, colour back, every byte.
void ShowPerByte(TrafficPane& pane, const QByteArray& bytes, const TrafficDisplayOptions& options) {
  QTextCharFormat yellow;
  yellow.setForeground(TrafficPane::kReceivedColour);
  yellow.setFontWeight(QFont::Bold);
  QTextCharFormat green = yellow;
  green.setForeground(TrafficPane::kTransmittedColour);
  for (char c : bytes) {
    std::string text;
    mx::nettest::AppendTrafficText(static_cast<uint8_t>(c), options, text);
    QTextCursor cursor = pane.textCursor();
    cursor.movePosition(QTextCursor::End);
    pane.setTextCursor(cursor);
    pane.setCurrentCharFormat(yellow);
    pane.insertPlainText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    pane.setCurrentCharFormat(green);
  }
  pane.ensureCursorVisible();
}

void Pane(benchmark::State& state, bool perByte) {
  TrafficPane pane;
  pane.resize(900, 600);
  pane.show();
  const TrafficDisplayOptions options{state.range(0) != 0, 13};
  const QByteArray block = Readings(static_cast<int>(state.range(1)));
  qint64 sinceTrim = 0;
  for (auto _ : state) {
    if (perByte) {
      ShowPerByte(pane, block, options);
    } else {
      pane.ShowBytes(block, true, options);
    }
    // Roughly what the 1000 ms trim timer sees at 1 MB/s.
    sinceTrim += block.size();
    if (sinceTrim >= 1'000'000) {
      pane.Trim();
      sinceTrim = 0;
    }
    QApplication::processEvents();
  }
  state.SetBytesProcessed(state.iterations() * block.size());
}

void Pane_Batched(benchmark::State& state) {
  Pane(state, false);
}
void Pane_PerByte(benchmark::State& state) {
  Pane(state, true);
}
// Blocks of 4 kB (a slow trickle) and of 1 MB (what a flood delivers while the window is busy).
BENCHMARK(Pane_Batched)
    ->ArgsProduct({{0, 1}, {4096, 1 << 20}})
    ->ArgNames({"braces", "block"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Pane_PerByte)
    ->ArgsProduct({{0, 1}, {4096}})
    ->ArgNames({"braces", "block"})
    ->Unit(benchmark::kMicrosecond);

// The flooding simulator with an event loop on its own thread.
class SimulatorThread {
 public:
  SimulatorThread() {
    thread_.reset(QThread::create([this] {
      mx::SimNetOptions options;
      options.flood = true;
      options.port = 0;
      mx::SimNetInterface sim(options);
      port_ = sim.Start() ? sim.ServerPort() : 0;
      QEventLoop loop;
      loop_ = &loop;
      ready_.release();
      loop.exec();
    }));
    thread_->start();
    ready_.acquire();
  }
  ~SimulatorThread() {
    QMetaObject::invokeMethod(loop_, &QEventLoop::quit, Qt::QueuedConnection);
    thread_->wait();
  }
  quint16 Port() const { return port_; }

 private:
  std::unique_ptr<QThread> thread_;
  QSemaphore ready_;
  std::atomic<quint16> port_ = 0;
  QEventLoop* loop_ = nullptr;
};

// The per-byte display is left out here: with a flood's megabyte pieces it stalls the window for
// seconds at a time, which Pane_PerByte already shows in small.
void Flood_Batched(benchmark::State& state) {
  constexpr int kRunMs = 3000;
  for (auto _ : state) {
    SimulatorThread sim;
    if (sim.Port() == 0) {
      state.SkipWithError("cannot listen on loopback");
      return;
    }
    // The terminal's own form: connection, display pacing, pane and trim timer.
    mx::nettest::CLinkTest_NetworkDoc doc;
    doc.Fields().serverAddress = "127.0.0.1";
    doc.Fields().port = sim.Port();
    doc.Fields().charactersInBraces = static_cast<int32_t>(state.range(0));
    mx::nettest::CLinkTest_NetworkView view(doc);
    view.resize(1200, 700);
    view.show();
    mx::nettest::ConnectionController& controller = view.Controller();
    qint64 drained = 0;
    QObject::connect(&controller, &mx::nettest::ConnectionController::dataReceived,
                     [&](const QByteArray& b) { drained += b.size(); });

    // A 10 ms heartbeat: the longest gap between beats is how long the window could not react.
    QElapsedTimer clock;
    qint64 lastBeat = 0;
    qint64 longestStall = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
      const qint64 now = clock.elapsed();
      longestStall = std::max(longestStall, now - lastBeat);
      lastBeat = now;
    });

    controller.SelectClientMode();
    controller.RunAction();
    QElapsedTimer wait;
    wait.start();
    while (controller.State() != mx::nettest::ConnectionState::Connected && wait.elapsed() < 3000) {
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    clock.start();
    heartbeat.start(10);
    while (clock.elapsed() < kRunMs)
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    heartbeat.stop();
    controller.SelectInactiveMode();
    state.counters["MB_per_s"] = static_cast<double>(drained) / 1e6 / seconds;
    state.counters["longest_stall_ms"] = static_cast<double>(longestStall);
    state.counters["pane_chars"] = view.Traffic()->CharacterCount();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  }
}

BENCHMARK(Flood_Batched)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("braces")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
