#pragma once
// Start-up of the setup program: the preferences store, the document, the main window, the
// "config" folder beside the program and the file named on the command line.

#include <QString>
#include <QStringList>
#include <memory>

namespace mx::editor {

class CMX3_SetupDoc;
class CMainFrame;
struct DeviceEnvironment;

// Makes "<programFolder>/config" the current directory when it can (installed: the user's data
// folder + "/config"); returns the working folder: that folder, or the program folder when there
// is none.
QString EnterConfigFolder(const QString& programFolder);

struct SetupProgram {
  std::unique_ptr<CMX3_SetupDoc> document;
  std::unique_ptr<CMainFrame> frame;
  QString workingFolder;
  ~SetupProgram();
};

// The start-up steps up to (not including) showing the window. `arguments` are those after the
// program name. False when the file named could not be opened at all (the message was shown).
bool StartSetupProgram(const QStringList& arguments, const QString& programFolder,
                       DeviceEnvironment& environment, SetupProgram& program);

// Names the preferences store after the company and the program.
void SetPreferencesNames();

// main(): start-up, the window, the event loop.
int RunSetupProgram(int argc, char** argv);

}  // namespace mx::editor
