// Device link measurements, run by hand:
//   FindOnSilentLine   processor time of a find whose only port never answers (15 probes of
//                      300 ms, 19 missing ports of 100 ms); the goal is below 2 % of the wall time.
//   ReadPaced9600      a read from `mxsim --pace` at 9600 baud, stored place known, against the
//                      3.44 s that 3301 bytes of 10 bits take on the line; the goal is within 5 %.
//                      image_s is the image alone (the notice's time), the rest is the probe and
//                      the identity requests that every read makes first.
//   VirtualFullScan    the 90-second scan of twenty silent ports on the virtual clock.
#include <benchmark/benchmark.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "link/HeadlessCommandHost.h"
#include "link/InterfaceDiscovery.h"
#include "link/ParameterTransfer.h"
#include "link/PosixSerialLine.h"
#include "sim/VirtualSerialLine.h"

namespace {

class QuietHost : public mx::HeadlessCommandHost {
 public:
  void UpdateConnectionStatus(bool) override {}
  void OpenProgressWindow() override {}
  void SetProgressLine(int, std::string_view) override {}
  void SetProgress(int, int) override {}
  void CloseProgressWindow() override {}
  void PumpMessages() override {}
  bool CancelRequested() const override { return false; }
  // The notice stands exactly while the image is on the line.
  void OpenNotice(std::string_view, std::string_view) override { noticeOpened = Wall(); }
  void CloseNotice() override { noticeSeconds = Wall() - noticeOpened; }
  void ShowMessage(std::string_view, std::string_view text) override { last = text; }
  void SetWaitCursor(bool) override {}
  std::string last;
  double noticeOpened = 0;
  double noticeSeconds = 0;

 private:
  static double Wall() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void FindOnSilentLine(benchmark::State& state) {
  int master = -1, slave = -1;
  char name[256];
  if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    state.SkipWithError("openpty failed");
    return;
  }
  for (auto _ : state) {
    mx::PosixSerialLine line("/tmp");
    mx::SteadyClock clock;
    mx::PortMap ports;
    ports.Set(1, name);
    mx::MemoryPreferencesStore store;
    mx::LinkState linkState;
    QuietHost host;
    mx::DeviceLink link{host, linkState, store, line, clock, ports};
    const double cpu0 = CpuSeconds(), wall0 = WallSeconds();
    const bool found = mx::FindInterface(link);
    const double cpu = CpuSeconds() - cpu0, wall = WallSeconds() - wall0;
    if (found)
      state.SkipWithError("a silent line answered");
    state.counters["wall_s"] = wall;
    state.counters["cpu_s"] = cpu;
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
  }
  close(master);
  close(slave);
}
BENCHMARK(FindOnSilentLine)->Iterations(1)->Unit(benchmark::kSecond);

void ReadPaced9600(benchmark::State& state) {
  const std::string link = "/tmp/mxbench-tty-" + std::to_string(getpid());
  int pipeFds[2];
  if (pipe(pipeFds) != 0)
    return;
  const pid_t sim = fork();
  if (sim == 0) {
    dup2(pipeFds[1], 1);
    execl(MXSIM_PATH, "mxsim", "--link", link.c_str(), "--pace", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  char ready[256] = {};
  if (read(pipeFds[0], ready, sizeof ready - 1) <= 0) {
    state.SkipWithError("mxsim did not start");
    return;
  }
  for (auto _ : state) {
    mx::PosixSerialLine line("/tmp");
    mx::SteadyClock clock;
    mx::PortMap ports;
    ports.Set(1, link);
    mx::MemoryPreferencesStore store;
    SaveLinkSettings(store, mx::LinkSettings{1, 9600, 'N', '8', '1'});
    mx::LinkState linkState;
    QuietHost host;
    mx::DeviceLink deviceLink{host, linkState, store, line, clock, ports};
    const double wall0 = WallSeconds();
    const bool ok = mx::ReadParameters(deviceLink);
    const double wall = WallSeconds() - wall0;
    if (!ok)
      state.SkipWithError(host.last.c_str());
    const double lineTime = 3301 * 10.0 / 9600;
    state.counters["wall_s"] = wall;
    state.counters["line_s"] = lineTime;
    state.counters["over_line_percent"] = 100.0 * (wall - lineTime) / lineTime;
    state.counters["image_s"] = host.noticeSeconds;
    state.counters["image_over_line_percent"] = 100.0 * (host.noticeSeconds - lineTime) / lineTime;
  }
  kill(sim, SIGTERM);
  waitpid(sim, nullptr, 0);
  close(pipeFds[0]);
}
BENCHMARK(ReadPaced9600)->Iterations(3)->Unit(benchmark::kSecond);

void VirtualFullScan(benchmark::State& state) {
  for (auto _ : state) {
    mx::VirtualClock clock;
    mx::sim::VirtualPortBus bus(clock);
    mx::sim::VirtualSerialLine line(bus);
    mx::PortMap ports;
    for (int port = 1; port <= 20; ++port) {
      ports.Set(port, "v" + std::to_string(port));
      bus.Add("v" + std::to_string(port));
    }
    mx::MemoryPreferencesStore store;
    mx::LinkState linkState;
    QuietHost host;
    mx::DeviceLink link{host, linkState, store, line, clock, ports};
    benchmark::DoNotOptimize(mx::FindInterface(link));
    state.counters["virtual_s"] = static_cast<double>(clock.Now64()) / 1000;
  }
}
BENCHMARK(VirtualFullScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
