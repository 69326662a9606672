// The communications test window under a sustained stream: mxsim sends readings on a
// pseudo-terminal at 115200 baud while the window shows them and logs them to a file. Prints the
// window's processor time and memory over the run, then stops the stream, lets the window read
// what is left, closes it, and compares the bytes in the log with the bytes mxsim sent.
//
//   comtest_stream [SECONDS [HZ [END [LOGFILE]]]]    (defaults 60, 1000, cr, a temporary file)
//
// END is how each reading ends (mxsim --stream-end): cr, crlf, lf, none, or binary for random
// bytes in place of the readings.
//
// Run it on a display (bench/comtest_stream.sh runs it under Xvfb beside another terminal).
#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "notation/ControlNotation.h"
#include "terminal/window/CommTestWindow.h"
#include "tests/support/PtyRig.h"

using namespace mx;

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The load average of the last minute: the other programs on the machine share the figures.
double LoadAverage() {
  double load = -1;
  if (FILE* file = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(file, "%lf", &load) != 1)
      load = -1;
    std::fclose(file);
  }
  return load;
}

double ResidentMb() {
  long pages = 0;
  long resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
      resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// Runs the event loop for `ms`, sleeping while there is nothing to do.
void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Bytes waiting to be read on the serial device at `path`.
long long PendingBytes(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
  int pending = -1;
  if (fd >= 0) {
    ioctl(fd, FIONREAD, &pending);
    close(fd);
  }
  return pending;
}

// The received bytes a capture holds: every "<" line's text read back from the brace notation.
long long ReceivedBytesInLog(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return -1;
  long long bytes = 0;
  const QByteArray marker = " < ";
  while (!file.atEnd()) {
    QByteArray line = file.readLine();
    line.chop(line.endsWith('\n') ? 1 : 0);
    const qsizetype at = line.indexOf(marker);
    if (at < 0)
      continue;
    CommandTranslation record;
    record.input = line.mid(at + marker.size()).toStdString();
    record.maxLength = record.input.size();
    if (TranslateCommandString(record) != TranslateResult::Success)
      return -2;
    bytes += static_cast<long long>(record.outputLength);
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  const QString hz = argc > 2 ? argv[2] : "1000";
  test::PtyRig rig;
  const QString ending = argc > 3 ? argv[3] : "cr";
  const QString log = argc > 4 ? argv[4] : QString::fromStdString(rig.dir.File("capture.log"));
  if (!rig.Start(
          {"--model", "5", "--line", "115200-N-8-1", "--stream", hz, "--stream-end", ending})) {
    std::fprintf(stderr, "mxsim did not start\n");
    return 1;
  }
  // mxsim streams from the start, at 9600 baud until the window sets the line; what it sent
  // before the window opened is dropped by the opening and does not count.
  const pid_t simulator = static_cast<pid_t>(rig.simulator.processId());
  kill(simulator, SIGSTOP);
  usleep(200'000);
  const long long dropped = PendingBytes(rig.link.path);
  terminal::TestSettings settings;
  settings.useFound = false;
  settings.line = terminal::PortSettings{1, 115200, 'N', '8', '1'};
  terminal::CommTestWindow window(rig.link.Link(), settings, {});
  if (!window.Capture().Start(log))
    return 1;
  window.Open();
  kill(simulator, SIGCONT);
  if (!window.Controller().Status().portOpen) {
    std::fprintf(stderr, "the window could not open the port\n");
    return 1;
  }
  Wait(2000);  // start-up settles: fonts, first layout, the pane filling to its trim

  const double cpuStart = CpuSeconds();
  const double mbStart = ResidentMb();
  std::printf("time_s  cpu_s  rss_mb  load1\n%6d  %5.2f  %6.1f  %5.2f\n", 0, 0.0, mbStart,
              LoadAverage());
  for (int elapsed = 10; elapsed <= seconds; elapsed += 10) {
    Wait(10000);
    std::printf("%6d  %5.2f  %6.1f  %5.2f\n", elapsed, CpuSeconds() - cpuStart, ResidentMb(),
                LoadAverage());
    std::fflush(stdout);
  }
  const double cpu = CpuSeconds() - cpuStart;
  const double mbEnd = ResidentMb();

  // Stop the stream without closing the line, read what is still on its way, close the log.
  kill(simulator, SIGSTOP);
  Wait(1500);
  window.accept();
  // Told to stop before it runs again, mxsim ends without sending another byte.
  kill(simulator, SIGTERM);
  kill(simulator, SIGCONT);
  rig.simulator.waitForFinished(5000);
  const QByteArray report = rig.simulator.readAll().trimmed();

  long long sent = -1;
  const qsizetype at = report.lastIndexOf("sent ");
  if (at >= 0)
    sent = std::atoll(report.constData() + at + 5) - dropped;
  const long long logged = ReceivedBytesInLog(log);
  std::printf("cpu %.2f s in %d s = %.2f %% of one core (load average %.2f)\n", cpu, seconds,
              100.0 * cpu / seconds, LoadAverage());
  std::printf("rss %.1f MB at the start, %.1f MB at the end\n", mbStart, mbEnd);
  std::printf("mxsim: %s (%lld of them before the window opened)\n", report.constData(), dropped);
  std::printf("log: %lld received bytes of %lld sent%s\n", logged, sent,
              logged == sent ? " (all)" : " (MISSING BYTES)");
  return logged == sent ? 0 : 3;
}
