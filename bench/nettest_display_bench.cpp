// How fast the terminal's traffic pane shows received data, and whether the window stays
// responsive meanwhile: the batched display (one insertion per received block) against a display
// that inserts each byte on its own (one insertion and two colour changes per byte), measured in
// one run.
//
//   Pane/*   received blocks straight into a visible pane, events processed after each block
//   Flood/*  mxsim's flood over loopback into the connection layer and a visible pane for
//            3 s, with the 1000 ms trim timer; counters: MB/s shown and the longest event stall
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "nettest/CLinkTest_NetworkDoc.h"
#include "nettest/ConnectionController.h"
#include "nettest/TrafficPane.h"
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
  const QByteArray block = Readings(4096);
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
BENCHMARK(Pane_Batched)->Arg(0)->Arg(1)->ArgName("braces")->Unit(benchmark::kMicrosecond);
BENCHMARK(Pane_PerByte)->Arg(0)->Arg(1)->ArgName("braces")->Unit(benchmark::kMicrosecond);

void Flood(benchmark::State& state, bool perByte) {
  constexpr int kRunMs = 3000;
  for (auto _ : state) {
    mx::SimNetOptions simOptions;
    simOptions.flood = true;
    simOptions.port = 0;
    mx::SimNetInterface sim(simOptions);
    if (!sim.Start()) {
      state.SkipWithError("cannot listen on loopback");
      return;
    }
    mx::nettest::CLinkTest_NetworkDoc doc;
    doc.Fields().serverAddress = "127.0.0.1";
    doc.Fields().port = sim.ServerPort();
    doc.Fields().charactersInBraces = static_cast<int32_t>(state.range(0));
    mx::nettest::ConnectionController controller(doc);
    TrafficPane pane;
    pane.resize(900, 600);
    pane.show();
    QTimer trim;
    QObject::connect(&trim, &QTimer::timeout, &pane, &TrafficPane::Trim);
    trim.start(1000);

    qint64 shown = 0;
    const TrafficDisplayOptions options{doc.Fields().charactersInBraces != 0,
                                        doc.Fields().endOfPacket};
    QObject::connect(&controller, &mx::nettest::ConnectionController::dataReceived,
                     [&](const QByteArray& b) {
                       if (perByte) {
                         ShowPerByte(pane, b, options);
                       } else {
                         pane.ShowBytes(b, true, options);
                       }
                       shown += b.size();
                     });

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

    controller.ResetForDocument();
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
    state.counters["MB_per_s"] = static_cast<double>(shown) / 1e6 / seconds;
    state.counters["longest_stall_ms"] = static_cast<double>(longestStall);
    state.counters["pane_chars"] = pane.CharacterCount();
  }
}

void Flood_Batched(benchmark::State& state) {
  Flood(state, false);
}
void Flood_PerByte(benchmark::State& state) {
  Flood(state, true);
}
BENCHMARK(Flood_Batched)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("braces")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Flood_PerByte)
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
