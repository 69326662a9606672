#pragma once
// The simulated interface on a pseudo-terminal: the program under test opens the slave side
// (through a symbolic link that looks like a serial device) and the simulator answers on the master
// side. The master sees the slave's speed but not its framing (the pty driver forces 8N), so the
// simulator answers at its own speed whatever the framing, as a real interface's reply would
// arrive, and the program's reply comparison decides.

#include <csignal>
#include <cstdint>
#include <deque>
#include <string>

#include "sim/InterfaceSimulator.h"
#include "sim/ReadingSchedule.h"

namespace mx::sim {

class PtyInterface {
 public:
  // `streamHz` > 0 sends a reading that many times a second besides the answers; a stream is
  // always paced at the line's speed, and a reading that would not fit the line is skipped.
  PtyInterface(InterfaceSimulator& simulator, bool paced, double streamHz = 0);
  ~PtyInterface();
  PtyInterface(const PtyInterface&) = delete;
  PtyInterface& operator=(const PtyInterface&) = delete;

  // Opens the pseudo-terminal and points `linkPath` at its slave. False with `error` set on
  // failure, among them a link that another live simulator serves: while one runs it holds a lock
  // file beside its link (".NAME.lock"), and a link left by one that was killed is taken over.
  bool Create(const std::string& linkPath, std::string& error);
  const std::string& SlavePath() const { return slavePath_; }
  // Answers requests until `stop` becomes non-zero (looked at least every 100 ms).
  void Serve(const volatile std::sig_atomic_t& stop);
  // One round of the loop, waiting at most `waitMs`; what Serve repeats.
  void ServeOnce(int waitMs);
  // Removes the link (unless it no longer points at this simulator) and closes the
  // pseudo-terminal.
  void Remove();

  uint64_t BytesSent() const { return bytesSent_; }
  uint64_t ReadingsSkipped() const { return readingsSkipped_; }

 private:
  bool LockLink(const std::string& linkPath, std::string& error);
  // Whether the lock file's name still leads to the file we locked, and it names this process.
  bool LockStillOurs() const;
  int CurrentBaud() const;
  void Flush(uint64_t nowUs);
  void Stream(uint64_t nowUs);
  // Takes everything the program has written, each byte with the speed it was written at.
  void ReadInput(uint64_t nowUs);
  // Hands the interface the bytes whose time has come (all of them on an unpaced line).
  void DeliverInput(uint64_t nowUs);

  struct InputByte {
    uint8_t byte;
    int baud;  // the line's speed when the program wrote it
  };

  InterfaceSimulator& simulator_;
  bool paced_;       // replies leave at the line's speed
  bool pacedInput_;  // and the program's bytes are taken at it
  int master_ = -1;
  int slave_ = -1;  // held open so the master never sees a hang-up between the program's opens
  std::string slavePath_;
  std::string linkPath_;
  std::string lockPath_;
  int lockFd_ = -1;
  std::deque<uint8_t> output_;
  uint64_t nextByteUs_ = 0;
  std::deque<InputByte> input_;
  uint64_t nextInUs_ = 0;
  ReadingSchedule schedule_;
  uint64_t bytesSent_ = 0;
  uint64_t readingsSkipped_ = 0;
};

}  // namespace mx::sim
