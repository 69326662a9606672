#include "editor/frame/SetupApplication.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "desktop/ProgramFolders.h"
#include "desktop/TextConversion.h"
#include "editor/device/DeviceEnvironment.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMainFrame.h"
#include "link/QSettingsStore.h"

namespace mx::editor {

SetupProgram::~SetupProgram() {
  frame.reset();  // the window and its view go before the document they point into
}

QString EnterConfigFolder(const QString& programFolder) {
  const QString config = desktop::SetupConfigFolder(programFolder);
  if (QDir::setCurrent(config))
    return config;
  return programFolder;
}

void SetPreferencesNames() {
  QCoreApplication::setOrganizationName(desktop::FromUtf8(kCompanyName));
  QCoreApplication::setApplicationName(desktop::FromUtf8(kSetupProgramName));
}

bool StartSetupProgram(const QStringList& arguments, const QString& programFolder,
                       DeviceEnvironment& environment, SetupProgram& program) {
  SetPreferencesNames();
  program.document = std::make_unique<CMX3_SetupDoc>();
  program.frame = std::make_unique<CMainFrame>(*program.document, environment);

  // The file is named relative to where the user started the program, not to the config folder.
  QString file;
  for (const QString& argument : arguments) {
    if (!argument.startsWith('-')) {
      file = QFileInfo(argument).absoluteFilePath();
      break;
    }
  }
  program.workingFolder = EnterConfigFolder(programFolder);

  if (file.isEmpty())
    program.document->NewDocument();
  else if (!program.document->OpenDocument(file))
    return false;

  program.document->SetMainWindow(program.frame.get());
  program.document->Core().UpdateCaption();
  return true;
}

int RunSetupProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  SetPreferencesNames();
  SystemDeviceEnvironment environment;
  SetupProgram program;
  if (!StartSetupProgram(QApplication::arguments().mid(1), QApplication::applicationDirPath(),
                         environment.Get(), program))
    return 1;
  program.frame->show();
  return QApplication::exec();
}

}  // namespace mx::editor
