#pragma once
// Where the desktop programs write what they keep. Run from where they were built, or from a
// folder their user unpacked them into, they write beside themselves as they always have: MXSetup
// works in the "config" folder next to it, LinkTest_Network keeps "default.ltn" next to it. An
// installed program must not write there, and usually cannot: its files then go to the user's own
// folders.

#include <QString>

namespace mx::desktop {

// True for a program folder that is not for writing: one the user cannot write to, or a "bin"
// folder, where an installation puts programs (/usr/bin, also ~/.local/bin and root's /usr/bin,
// which are writable).
bool IsInstalledProgram(const QString& programFolder);

// MXSetup's working folder for configuration files: "config" beside the program, or, installed,
// the user's data folder + "/config" (made when missing). The application and organisation names
// must be set first.
QString SetupConfigFolder(const QString& programFolder);

// The folder of LinkTest_Network's "default.ltn": the program's own, or, installed, the user's
// configuration folder of the program (made when missing).
QString DefaultDocumentFolder(const QString& programFolder);

}  // namespace mx::desktop
