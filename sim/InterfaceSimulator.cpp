#include "sim/InterfaceSimulator.h"

#include <cstdio>

#include "core/ImageOperations.h"

namespace mx::sim {
namespace {

// A partial image is given up after this much silence, as the interface's own receive time-out.
constexpr uint32_t kImageReceiveTimeoutMs = 1000;
constexpr int kTransferBaud = 9600;
constexpr std::string_view kChannelLetters = "ABCDE";
constexpr int kDisabledGage = 6;

// Each channel's reading wanders round a value of its own, so the channels are told apart by eye.
constexpr double kReadingCentres[] = {12.345, -3.210, 0.500, 25.400, 101.600};

// What "<H" lists; the network request only on Network models.
constexpr std::string_view kCommandList[] = {
    "<*   copyright",
    "<H   this list",
    "<R*  one reading from every channel",
    "<T*  gage type of every channel",
    "<$B  identification and host line settings",
    "<$S  serial number",
    "<$V  model and firmware version",
    "<$D  description",
    "<$E  9600-N-8-1 for a parameter transfer; <$F back to the host settings",
    "<$T  send the parameters; <$U receive them",
};
constexpr std::string_view kNetworkCommand = "<$N  network settings";

}  // namespace

std::string_view GageTypeName(int gageType) {
  constexpr std::string_view kNames[] = {"Auto select", "CDI",   "Federal",        "Mitutoyo",
                                         "Ono Sokki",   "RS232", "Disable channel"};
  if (gageType < 0 || gageType > kDisabledGage)
    return "???";
  return kNames[gageType];
}

ParameterImage DefaultSimulatorImage(ModelIndex model, int baud, char parity, char dataBits) {
  ParameterImage image;
  ResetImageToDefaults(image, model);
  image.Set(fld::hostBaud, static_cast<uint16_t>(baud));
  image.Set(fld::hostParity, parity);
  image.Set(fld::hostDataBits, dataBits);
  image.Set(fld::hostStopBits, '1');
  image.Set(fld::modelIndex, static_cast<int8_t>(model));
  StoreChecksum(image);
  return image;
}

InterfaceSimulator::InterfaceSimulator(SimulatorConfig config)
    : config_(std::move(config)), image_(config_.image) {
  const ModelInfo* info = ModelByIndex(config_.model);
  if (config_.serialNumber.empty())
    config_.serialNumber = "SN 20814-0042";
  if (config_.version.empty())
    config_.version = std::string(info ? info->name : "Mesurix") + "  Firmware 2.14";
  if (config_.description.empty())
    config_.description = "  Simulated interface, bench 3";
}

LineView InterfaceSimulator::OwnLine() const {
  if (transferMode_)
    return LineView{kTransferBaud, 'N', '8', true};
  const int baud = config_.lineBaud > 0 ? config_.lineBaud : image_.Get(fld::hostBaud);
  return LineView{baud, image_.Get(fld::hostParity), image_.Get(fld::hostDataBits), true};
}

bool InterfaceSimulator::Understands(const LineView& line) const {
  const LineView own = OwnLine();
  if (line.baud != own.baud)
    return false;
  return !line.framingVisible || (line.parity == own.parity && line.dataBits == own.dataBits);
}

std::string InterfaceSimulator::IdentificationLine() const {
  const ModelInfo* info = ModelByIndex(config_.model);
  const LineView own = OwnLine();
  char text[64];
  std::snprintf(text, sizeof text, "%s: %d-%c-%c-1",
                std::string(info ? info->identification : "MX0-UNKN-00").c_str(), own.baud,
                own.parity, own.dataBits);
  return text;
}

std::string InterfaceSimulator::NetworkLine() const {
  if (config_.networkLine)
    return *config_.networkLine;
  // Columns: status 0, enabled 5, server mode 7, address bytes 9/13/17/21, mask 25..40, port 41.
  char text[64];
  std::snprintf(text, sizeof text, "100  %u %u %3u %3u %3u %3u %3u.%3u.%3u.%3u %5u",
                image_.Get(fld::networkEnabled) ? 1u : 0u, image_.Get(fld::serverMode) ? 1u : 0u,
                image_.Get(fld::ipAddress, 0), image_.Get(fld::ipAddress, 1),
                image_.Get(fld::ipAddress, 2), image_.Get(fld::ipAddress, 3),
                image_.Get(fld::subnetMask, 0), image_.Get(fld::subnetMask, 1),
                image_.Get(fld::subnetMask, 2), image_.Get(fld::subnetMask, 3),
                static_cast<unsigned>(image_.Get(fld::basePort)));
  return text;
}

std::string InterfaceSimulator::Reading(int channel, uint64_t n) {
  const int step = static_cast<int>(n % 40);
  const int offset = step < 20 ? step : 40 - step;
  const double centre =
      kReadingCentres[static_cast<std::size_t>(channel) % std::size(kReadingCentres)];
  char text[32];
  std::snprintf(text, sizeof text, "%+09.3f", centre + 0.001 * offset);
  return text;
}

std::vector<uint8_t> InterfaceSimulator::NextStreamReading() {
  const std::string text = Reading(0, readings_++);
  std::vector<uint8_t> out(text.begin(), text.end());
  switch (config_.streamEnding) {
    case StreamEnding::Cr:
      out.clear();
      SendLine(text, out);
      break;
    case StreamEnding::CrLf:
      out.insert(out.end(), {'\r', '\n'});
      break;
    case StreamEnding::Lf:
      out.push_back('\n');
      break;
    case StreamEnding::None:
      break;
    case StreamEnding::Binary:
      out.push_back(0);
      for (uint8_t& byte : out) {
        noise_ ^= noise_ << 13;  // xorshift: every byte value, no line structure
        noise_ ^= noise_ >> 17;
        noise_ ^= noise_ << 5;
        byte = static_cast<uint8_t>(noise_ >> 24);
      }
      break;
  }
  return out;
}

void InterfaceSimulator::SendLine(std::string text, std::vector<uint8_t>& out) const {
  if (config_.fault == Fault::Garbled) {
    for (std::size_t i = 1; i < text.size(); i += 3)
      text[i] = static_cast<char>(text[i] ^ 0x5A);
  }
  out.insert(out.end(), text.begin(), text.end());
  out.push_back('\r');
}

std::vector<uint8_t> InterfaceSimulator::Receive(std::span<const uint8_t> bytes,
                                                 const LineView& line, uint32_t nowMs) {
  std::vector<uint8_t> out;
  if (receivingImage_ && nowMs - lastByteMs_ > kImageReceiveTimeoutMs) {
    receivingImage_ = false;
    incoming_.clear();
  }
  if (!bytes.empty())
    lastByteMs_ = nowMs;
  // At other settings than its own the interface's UART sees only noise.
  if (!Understands(line)) {
    parse_ = Parse::Idle;
    return out;
  }
  for (uint8_t byte : bytes) {
    if (receivingImage_) {
      incoming_.push_back(byte);
      if (incoming_.size() == kImageSize)
        FinishImage(out);
      continue;
    }
    const Parse state = parse_;
    parse_ = byte == '<' ? Parse::Open : Parse::Idle;
    switch (state) {
      case Parse::Idle:
        break;
      case Parse::Open:
        if (byte == '$')
          parse_ = Parse::Dollar;
        else if (byte == 'R')
          parse_ = Parse::ReadAll;
        else if (byte == 'T')
          parse_ = Parse::TypesAll;
        else if (byte == '*' || byte == 'H')
          HandleTerminalRequest(static_cast<char>(byte), out);
        break;
      case Parse::Dollar:
        HandleRequest(static_cast<char>(byte), out);
        break;
      case Parse::ReadAll:
      case Parse::TypesAll:
        if (byte == '*')
          HandleTerminalRequest(state == Parse::ReadAll ? 'R' : 'T', out);
        break;
    }
  }
  if (config_.fault == Fault::Silent)
    out.clear();
  return out;
}

void InterfaceSimulator::HandleRequest(char letter, std::vector<uint8_t>& out) {
  switch (letter) {
    case 'B':
      SendLine(IdentificationLine(), out);
      break;
    case 'S':
      SendLine(config_.serialNumber, out);
      break;
    case 'V':
      SendLine(config_.version, out);
      break;
    case 'D':
      SendLine(config_.description, out);
      break;
    case 'N':
      if (!IsNetworkModel(config_.model))
        return;  // Plus models know no network request
      SendLine(NetworkLine(), out);
      break;
    case 'E':
      transferMode_ = true;
      break;
    case 'F':
      transferMode_ = false;
      break;
    case 'T': {
      ParameterImage sent = image_;
      std::size_t count = kImageSize;
      if (config_.fault == Fault::BadSum)
        sent.Set(fld::checksum, sent.Get(fld::checksum) + 1);
      if (config_.fault == Fault::Short)
        count = kImageSize - 1;
      out.insert(out.end(), sent.Bytes().begin(), sent.Bytes().begin() + static_cast<long>(count));
      break;
    }
    case 'U':
      receivingImage_ = true;
      incoming_.clear();
      return;  // logged when the image is complete
    default:
      return;  // anything else is ignored
  }
  requests_.emplace_back(1, letter);
}

void InterfaceSimulator::HandleTerminalRequest(char letter, std::vector<uint8_t>& out) {
  const ModelInfo* info = ModelByIndex(config_.model);
  const int channels = ChannelCount(config_.model);
  switch (letter) {
    case '*':
      requests_.emplace_back("*");
      SendLine(std::string(info ? info->name : "Mesurix") +
                   " firmware 2.14  Copyright (c) 2003-2024 Brantwick Systems  (simulated)",
               out);
      break;
    case 'H':
      requests_.emplace_back("H");
      for (std::string_view line : kCommandList)
        SendLine(std::string(line), out);
      if (IsNetworkModel(config_.model))
        SendLine(std::string(kNetworkCommand), out);
      break;
    case 'R':
      requests_.emplace_back("R*");
      for (int c = 0; c < channels; ++c) {
        std::string line(1, kChannelLetters[static_cast<std::size_t>(c)]);
        if (image_.Get(fld::gageType, c) == kDisabledGage)
          line += " disabled";
        else
          line += " " + Reading(c, readings_);
        SendLine(line, out);
      }
      ++readings_;
      break;
    case 'T':
      requests_.emplace_back("T*");
      for (int c = 0; c < channels; ++c)
        SendLine(std::string(1, kChannelLetters[static_cast<std::size_t>(c)]) + " " +
                     std::string(GageTypeName(image_.Get(fld::gageType, c))),
                 out);
      break;
    default:
      break;
  }
}

void InterfaceSimulator::FinishImage(std::vector<uint8_t>& out) {
  receivingImage_ = false;
  requests_.emplace_back("U");
  ParameterImage received;
  std::copy(incoming_.begin(), incoming_.end(), received.Bytes().begin());
  incoming_.clear();
  if (config_.fault == Fault::Mute)
    return;
  if (config_.fault == Fault::Refuse) {
    SendLine("Transfer Failed: parameters locked by the operator", out);
    return;
  }
  if (!ChecksumMatches(received)) {
    SendLine("Transfer Failed: checksum error", out);
    return;
  }
  const int baud = received.Get(fld::hostBaud);
  const char parity = received.Get(fld::hostParity);
  const char dataBits = received.Get(fld::hostDataBits);
  const bool baudOk = baud == 1200 || baud == 2400 || baud == 4800 || baud == 9600 || baud == 19200;
  const bool framingOk =
      (parity == 'N' && dataBits == '8') || ((parity == 'E' || parity == 'O') && dataBits == '7');
  if (!baudOk || !framingOk) {
    SendLine("Transfer Failed: invalid host line settings", out);
    return;
  }
  SendLine("Pass", out);
  // The interface resets with the new image: its own settings apply from the next request on.
  image_ = received;
  config_.lineBaud = 0;
  transferMode_ = false;
  ++resets_;
}

}  // namespace mx::sim
