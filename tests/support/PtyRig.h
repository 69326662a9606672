#pragma once
// mxsim as a process of its own on a pseudo-terminal, mapped to COM1, with the rest of a device
// link around it (the machine's serial line code and clock, preferences in memory, a recording
// host): the tools and tests that drive the communications test window against it as a user's
// machine would. Needs MX_BINARY_DIR, where mxsim was built.

#include <QProcess>
#include <QStringList>

#include "tests/support/PtyLink.h"
#include "tests/support/TempDir.h"

namespace mx::test {

// Starts mxsim with `arguments` and waits for its "ready" line.
inline bool StartSimulator(QProcess& simulator, const QStringList& arguments) {
  simulator.setProgram(QStringLiteral(MX_BINARY_DIR "/apps/mxsim/mxsim"));
  simulator.setArguments(arguments);
  simulator.start();
  return simulator.waitForReadyRead(10000) && simulator.readLine().startsWith("ready");
}

struct PtyRig {
  TempDir dir;
  PtyLink link{dir};
  QProcess simulator;

  // mxsim with `arguments` after its --link.
  bool Start(const QStringList& arguments) {
    return StartSimulator(simulator,
                          QStringList{"--link", QString::fromStdString(link.path)} + arguments);
  }
  ~PtyRig() {
    simulator.terminate();
    simulator.waitForFinished(5000);
  }
};

}  // namespace mx::test
