#pragma once
// The simulated interface's protocol: one state machine for the in-process tests and for mxsim on a
// pseudo-terminal. It is fed the host's bytes together with the line settings they travelled at
// and returns what the interface sends back. It has no clock of its own: callers pass the time.
//
// Requests, each answered at once (no terminator needed), every reply line ended by CR:
//   <$B <$S <$V <$D <$N   identification, serial number, version, description, network settings
//   <$E <$F               transfer speed (9600-N-8-1) on and off; <$T sends the image, <$U takes
//   one
//   <*                    copyright line
//   <H                    the list of requests, one per line
//   <R*                   one reading per channel: "A +0012.345" ("B disabled" for a disabled one)
//   <T*                   the gage type of each channel: "A Auto select", "E RS232"
// Anything else is ignored.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ModelTable.h"
#include "core/ParameterImage.h"

namespace mx::sim {

enum class Fault {
  None,
  Silent,   // never answers
  Garbled,  // every reply line arrives with damaged characters
  Refuse,   // refuses every image sent with "Transfer Failed:"
  BadSum,   // sends its image with a wrong checksum
  Short,    // sends its image one byte short
  Mute,     // takes an image sent to it but never answers it (nor resets)
};

struct LineView {
  int baud = 9600;
  char parity = 'N';
  char dataBits = '8';
  // False on a pseudo-terminal: its master side sees the speed but never parity or data bits.
  bool framingVisible = true;
};

// How a streamed reading ends; Binary replaces the readings with as many pseudo-random bytes.
enum class StreamEnding { Cr, CrLf, Lf, None, Binary };

struct SimulatorConfig {
  ModelIndex model = 0;
  std::string serialNumber;  // empty: a plausible default
  std::string version;
  std::string description;
  std::optional<std::string> networkLine;  // the "<$N" reply as given; default from the image
  Fault fault = Fault::None;
  ParameterImage image;  // host line settings come from its hostBaud, hostParity, hostDataBits
  // A host port speed above what the image's 16-bit hostBaud offers (38400, 57600, 115200); 0 when
  // the image's speed applies. An image received later replaces it.
  int lineBaud = 0;
  StreamEnding streamEnding = StreamEnding::Cr;
};

// The text of a gage type code as the interface reports it ("Auto select" .. "Disable channel").
std::string_view GageTypeName(int gageType);

// The default image of a model, with the host line at `baud`-`parity`-`dataBits`-1 and a valid
// checksum.
ParameterImage DefaultSimulatorImage(ModelIndex model, int baud, char parity, char dataBits);

class InterfaceSimulator {
 public:
  explicit InterfaceSimulator(SimulatorConfig config);

  // Bytes from the host, received at `nowMs` on a line set to `line`. Returns the reply bytes.
  std::vector<uint8_t> Receive(std::span<const uint8_t> bytes, const LineView& line,
                               uint32_t nowMs);

  // The settings the interface itself talks at now: its host settings, or 9600-N-8-1 between
  // "<$E" and "<$F" or a reset.
  LineView OwnLine() const;
  const ParameterImage& Image() const { return image_; }
  const SimulatorConfig& Config() const { return config_; }
  // Every request understood, as its letter ("B", "S", ..., "U"), in order; "U" when the image
  // was complete.
  const std::vector<std::string>& Requests() const { return requests_; }
  bool InTransferMode() const { return transferMode_; }
  int Resets() const { return resets_; }
  std::string IdentificationLine() const;
  std::string NetworkLine() const;
  // The n-th reading of a channel: a slow triangle wave round a value of its own ("+0012.345").
  static std::string Reading(int channel, uint64_t n);
  // What a streaming interface sends next: channel A's next reading and its line end.
  std::vector<uint8_t> NextStreamReading();

 private:
  void HandleRequest(char letter, std::vector<uint8_t>& out);
  void HandleTerminalRequest(char letter, std::vector<uint8_t>& out);
  void FinishImage(std::vector<uint8_t>& out);
  void SendLine(std::string text, std::vector<uint8_t>& out) const;
  bool Understands(const LineView& line) const;

  SimulatorConfig config_;
  ParameterImage image_;
  std::vector<std::string> requests_;
  bool transferMode_ = false;
  int resets_ = 0;
  // Request parser: what of a request has been seen.
  enum class Parse { Idle, Open, Dollar, ReadAll, TypesAll };
  Parse parse_ = Parse::Idle;
  uint64_t readings_ = 0;
  uint32_t noise_ = 0x2545F491;  // the binary stream's generator state
  // Image reception after "<$U".
  bool receivingImage_ = false;
  std::vector<uint8_t> incoming_;
  uint32_t lastByteMs_ = 0;
};

}  // namespace mx::sim
