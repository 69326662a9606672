#include "terminal/TerminalController.h"

#include <algorithm>

#include "desktop/CaptureLog.h"
#include "link/InterfaceDiscovery.h"
#include "terminal/TerminalTexts.h"

namespace mx::terminal {
namespace {

// After an opening the line is left to settle and whatever waited in it is dropped; "Clear " waits
// the same.
constexpr uint32_t kSettleMs = 100;

}  // namespace

TerminalController::TerminalController(DeviceLink& link, TestSettings& settings, TerminalView& view)
    : link_(link), settings_(settings), view_(view), port_(link.line, link.clock, link.ports) {}

TerminalController::~TerminalController() = default;

void TerminalController::Start() {
  buttons_ = LoadUserButtons(link_.store);
  firstOpenScan_ = true;
  OpenOrClosePort();
}

void TerminalController::OpenOrClosePort() {
  if (port_.IsOpen())
    ClosePort();
  else
    OpenPort();
}

bool TerminalController::TryOpen(int port, const PortSettings& line) {
  if (port_.Open(port, line.baud, line.parity, line.dataBits, line.stopBits)) {
    openError_.clear();
    return true;
  }
  openError_ = LineFailureText(port_.LastOpenError());
  return false;
}

void TerminalController::OpenPort() {
  const LinkSettings& found = link_.state.linkSettings;
  PortSettings want = settings_.line;
  if (settings_.useFound && found.portNumber != -1) {
    want = FoundPort(found);
    settings_.line = want;
    firstOpenScan_ = false;
  }
  int number = want.port;
  bool opened = TryOpen(number, want);
  while (!opened && firstOpenScan_ && number < kLastComPort)
    opened = TryOpen(++number, want);
  inUse_ = want;
  inUse_.port = number;
  const bool scanned = firstOpenScan_;
  firstOpenScan_ = false;
  if (opened) {
    if (scanned)
      settings_.line.port = number;
    port_.DrainAndWait(kSettleMs);
    FinishOpenOrClose();
    return;
  }
  if (scanned) {
    if (found.portNumber == -1)
      settings_.line.port = number;
    else
      inUse_.port = found.portNumber;
  }
  FinishOpenOrClose();
  PollHold hold(*this);  // the message box runs the window's timer
  view_.ShowMessage(link_.state.messageCaption, UnableToOpenText(inUse_.port));
}

void TerminalController::ClosePort() {
  burst_.Stop();
  afterBurst_.clear();
  port_.Close();
  FinishOpenOrClose();
}

void TerminalController::FinishOpenOrClose() {
  // Bytes held by a pause are shown rather than lost with it.
  ShowHeld();
  paused_ = false;
  if (port_.IsOpen()) {
    rts_ = dtr_ = LineState::Off;
    view_.MoveFocus(Focus::Pane);
  } else {
    view_.MoveFocus(Focus::Exit);
  }
  RefreshInputLamps();
  // On a fresh opening this raises RTS and DTR; on a closed port it only shows them closed.
  SetOutputLine(rts_, kSetRts, kClearRts);
  SetOutputLine(dtr_, kSetDtr, kClearDtr);
  view_.StatusChanged();
}

void TerminalController::SetOutputLine(LineState& state, int raiseCode, int lowerCode) {
  if (!port_.IsOpen()) {
    state = LineState::Closed;
    return;
  }
  const bool raise = state != LineState::On;
  // A device without modem lines refuses; its line is then unknown, and the next click simply
  // tries again.
  if (port_.SetModemLine(raise ? raiseCode : lowerCode))
    state = raise ? LineState::On : LineState::Off;
  else
    state = LineState::Unknown;
}

void TerminalController::ToggleRts() {
  SetOutputLine(rts_, kSetRts, kClearRts);
  view_.StatusChanged();
}

void TerminalController::ToggleDtr() {
  SetOutputLine(dtr_, kSetDtr, kClearDtr);
  view_.StatusChanged();
}

bool TerminalController::RefreshInputLamps() {
  LineState cts = LineState::Closed;
  LineState dsr = LineState::Closed;
  uint32_t bits = 0;
  if (port_.IsOpen() && port_.GetModemStatus(bits)) {
    cts = bits & kModemCts ? LineState::On : LineState::Off;
    dsr = bits & kModemDsr ? LineState::On : LineState::Off;
  } else if (port_.IsOpen()) {
    cts = dsr = LineState::Unknown;
  }
  const bool changed = cts != cts_ || dsr != dsr_;
  cts_ = cts;
  dsr_ = dsr;
  return changed;
}

void TerminalController::TogglePause() {
  if (!port_.IsOpen())
    return;
  paused_ = !paused_;
  if (!paused_)
    ShowHeld();
  view_.StatusChanged();
}

void TerminalController::ToggleBraces() {
  settings_.braces = !settings_.braces;
  view_.StatusChanged();
}

void TerminalController::ToggleShowCrLf() {
  settings_.showCrLf = !settings_.showCrLf;
  view_.StatusChanged();
}

DisplaySwitches TerminalController::Switches() const {
  return DisplaySwitches{settings_.braces, settings_.showCrLf, settings_.endOfLine};
}

std::size_t TerminalController::ReadBudget(uint32_t nowMs) const {
  if (!polledBefore_)
    return kPollReadLimit;
  const uint32_t periods = (nowMs - lastPollMs_ + kPollIntervalMs - 1) / kPollIntervalMs;
  return kPollReadLimit * std::clamp<uint32_t>(periods, 1, kMaxPollPeriods);
}

void TerminalController::PollReceive() {
  if (polling_ || holds_ > 0)
    return;
  polling_ = true;
  bool changed = RefreshInputLamps();
  const uint32_t now = link_.clock.NowMs();
  if (port_.IsOpen()) {
    const std::size_t heldBefore = held_.size() + dropped_;
    if (!Receive(ReadBudget(now))) {
      polling_ = false;
      LoseLine();
      return;
    }
    changed |= held_.size() + dropped_ != heldBefore;
    changed |= StepBurst(now);
  }
  polledBefore_ = true;
  lastPollMs_ = now;
  if (log_)
    log_->Tick();
  polling_ = false;
  if (changed)
    view_.StatusChanged();
}

bool TerminalController::Receive(std::size_t budget) {
  readBuffer_.resize(budget);
  std::size_t total = 0;
  while (total < budget) {
    const std::size_t n = port_.Read(readBuffer_.data() + total, budget - total);
    if (n == 0)
      break;
    total += n;
  }
  if (total == 0)
    return !port_.CheckLineLost();
  const std::span<const uint8_t> bytes(readBuffer_.data(), total);
  Log(true, bytes);
  if (!paused_) {
    Show(bytes);
    return true;
  }
  // Read on during a pause: the driver's own buffer is small, and the bytes must not be lost.
  const std::size_t room = kPausedByteLimit - std::min(kPausedByteLimit, held_.size());
  const std::size_t kept = std::min(room, bytes.size());
  held_.insert(held_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(kept));
  if (kept < bytes.size()) {
    const bool logged = log_ && log_->IsOpen();
    droppedLogged_ = (dropped_ == 0 || droppedLogged_) && logged;
    dropped_ += bytes.size() - kept;
  }
  return true;
}

void TerminalController::Show(std::span<const uint8_t> bytes) {
  std::string text;
  const DisplaySwitches switches = Switches();
  if (!held_.empty()) {
    AppendPaneText(held_, switches, text);
    held_.clear();
  }
  if (dropped_ > 0) {
    // The pane says where its text has a hole; the count has then said all it had to.
    if (!text.empty() && text.back() != '\n')
      text += '\n';
    text += GapMarkText(dropped_);
    dropped_ = 0;
  }
  AppendPaneText(bytes, switches, text);
  if (!text.empty())
    view_.AppendToPane(BreakLongLines(text, paneColumn_), PaneOrigin::Received);
}

void TerminalController::ShowHeld() {
  if (!held_.empty())
    Show({});
}

void TerminalController::TypeBytes(std::span<const uint8_t> bytes) {
  if (!port_.IsOpen() || bytes.empty())
    return;
  // Sent first: bytes the line refused are not shown as if they had gone.
  if (!Transmit(bytes))
    return;
  std::string text;
  AppendPaneText(bytes, Switches(), text);
  if (!text.empty())
    view_.AppendToPane(BreakLongLines(text, paneColumn_), PaneOrigin::Typed);
}

void TerminalController::TypeText(std::string_view text) {
  TypeBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
  view_.MoveFocus(Focus::Pane);
}

bool TerminalController::Transmit(std::span<const uint8_t> bytes) {
  if (!port_.IsOpen())
    return false;
  if (burst_.Running()) {
    // The burst's lines stay whole on the line; what the user sends follows them.
    afterBurst_.insert(afterBurst_.end(), bytes.begin(), bytes.end());
    return true;
  }
  // The log holds what the line took, never what it was handed.
  const std::size_t taken = link_.line.Write(bytes.data(), bytes.size());
  Log(false, bytes.first(taken));
  if (taken < bytes.size() && port_.CheckLineLost()) {
    LoseLine();
    return false;
  }
  return true;
}

void TerminalController::LoseLine() {
  const int number = inUse_.port;
  ClosePort();
  openError_ = text::kPortGoneShort;
  view_.StatusChanged();
  PollHold hold(*this);  // the message box runs the window's timer
  view_.ShowMessage(link_.state.messageCaption, PortGoneText(number));
}

void TerminalController::SendUserCommand(int n) {
  if (n < 1 || n > static_cast<int>(buttons_.size()) || !port_.IsOpen())
    return;
  const UserButton& button = buttons_[static_cast<std::size_t>(n - 1)];
  if (n == 2 && IsTestStringsKeyword(button.command)) {
    SendTestStrings();
    return;
  }
  TypeBytes(CommandBytes(button.command));
  view_.MoveFocus(Focus::Pane);
}

void TerminalController::SendCopyright() {
  TypeText(text::kCopyrightRequest);
}

void TerminalController::SendCommands() {
  TypeText(text::kCommandsRequest);
}

void TerminalController::SendTestStrings() {
  if (!port_.IsOpen() || burst_.Running())
    return;
  burstStalled_ = false;
  const uint32_t now = link_.clock.NowMs();
  burst_.Start(port_.CurrentSettings(), now);
  StepBurst(now);
  view_.MoveFocus(Focus::Pane);
  view_.StatusChanged();
}

void TerminalController::StopTestStrings() {
  if (!burst_.Running())
    return;
  burst_.StopAtLineEnd();
  if (!burst_.Running())
    SendAfterBurst();
  view_.StatusChanged();
}

bool TerminalController::StepBurst(uint32_t nowMs) {
  if (!burst_.Running())
    return false;
  const std::span<const uint8_t> slice = burst_.NextSlice(nowMs);
  if (slice.empty())
    return false;
  // Straight to the line, which says how much the driver took; the slice is sized so that it
  // takes all of it at once.
  const std::size_t taken = link_.line.Write(slice.data(), slice.size());
  Log(false, slice.first(taken));
  burst_.Taken(taken);
  if (taken < slice.size() && port_.CheckLineLost()) {
    LoseLine();
    return true;
  }
  if (taken < slice.size()) {
    // The line stopped draining (a peer that no longer reads): end the burst instead of
    // waiting on it at every poll.
    burstStalled_ = true;
    burst_.Stop();
  }
  if (!burst_.Running())
    SendAfterBurst();
  return true;
}

void TerminalController::SendAfterBurst() {
  if (afterBurst_.empty())
    return;
  std::vector<uint8_t> bytes;
  bytes.swap(afterBurst_);
  Transmit(bytes);
}

void TerminalController::FindFromTestWindow() {
  PollHold hold(*this);
  if (port_.IsOpen())
    ClosePort();
  if (mx::FindInterface(link_))
    settings_.useFound = true;
  OpenPort();
}

void TerminalController::RunSetupDialog() {
  PollHold hold(*this);
  if (port_.IsOpen())
    ClosePort();
  SetupDialogModel model(*this, inUse_, settings_.enableAllPorts, buttons_,
                         settings_.printerFontSize);
  model.RunPortCheck();
  if (view_.RunSetupDialog(model)) {
    StoreUserButtons(link_.store, model.buttons);
    settings_.line = model.selected;
    settings_.enableAllPorts = model.enableAll;
    // Found values chosen again mean "where the interface is"; anything else is the user's own.
    settings_.useFound = model.selected == FoundPort(link_.state.linkSettings);
    settings_.printerFontSize = model.printerFontSize;
    buttons_ = LoadUserButtons(link_.store);
  }
  OpenPort();
}

bool TerminalController::TestOpen(int port) {
  const bool opened =
      port_.Open(port, inUse_.baud, inUse_.parity, inUse_.dataBits, inUse_.stopBits);
  port_.Close();
  return opened;
}

std::optional<PortSettings> TerminalController::FindInterface() {
  port_.Close();
  if (!mx::FindInterface(link_))
    return std::nullopt;
  return FoundPort(link_.state.linkSettings);
}

void TerminalController::Clear() {
  if (burst_.Running()) {
    // Purging the output would cut the burst's lines: drop only what came in.
    port_.PurgeInput();
    link_.clock.SleepMs(kSettleMs);
  } else {
    port_.DrainAndWait(kSettleMs);
  }
  held_.clear();
  dropped_ = 0;
  paneColumn_ = 0;
  view_.ClearPane();
  view_.MoveFocus(Focus::Pane);
}

void TerminalController::ResetCounts() {
  received_ = sent_ = 0;
}

void TerminalController::Log(bool received, std::span<const uint8_t> bytes) {
  (received ? received_ : sent_) += bytes.size();
  if (log_ && !bytes.empty())
    log_->Append(received ? desktop::CaptureDirection::Received : desktop::CaptureDirection::Sent,
                 bytes);
}

LineSettings TerminalController::CaptionSettings() const {
  if (port_.IsOpen())
    return port_.CurrentSettings();
  // A port that would not open has no settings of its own: show those it was asked for.
  LineSettings asked;
  asked.baud = SerialPort::OpenBaud(inUse_.baud);
  asked.parity = SerialPort::ParityOf(inUse_.parity, true);
  asked.dataBits = inUse_.dataBits - '0';
  asked.stopBits = SerialPort::StopBitsOf(inUse_.stopBits);
  return asked;
}

TerminalStatus TerminalController::Status() const {
  TerminalStatus status;
  status.portOpen = port_.IsOpen();
  status.paused = paused_;
  status.cts = cts_;
  status.dsr = dsr_;
  status.rts = rts_;
  status.dtr = dtr_;
  status.braces = settings_.braces;
  status.showCrLf = settings_.showCrLf;
  status.caption = WindowCaption(inUse_.port, CaptionSettings());
  if (!status.portOpen)
    status.caption += text::kCaptionClosed;
  status.portItemText = PortItemText(inUse_.port);
  status.buttons = buttons_;
  status.openError = openError_;
  status.burstRunning = burst_.Running();
  status.burstSent = burst_.BytesSent();
  status.burstStalled = burstStalled_;
  status.heldBytes = held_.size();
  status.droppedBytes = dropped_;
  status.droppedLogged = droppedLogged_;
  status.receivedBytes = received_;
  status.sentBytes = sent_;
  return status;
}

}  // namespace mx::terminal
