#pragma once
// The setup program's main window: menus, toolbar and status bar around the tabbed view. It is
// sized once to hold the largest page (never more than the screen) and cannot be resized or
// maximised.

#include <QHash>
#include <QMainWindow>
#include <functional>

#include "desktop/RecentFileList.h"
#include "desktop/widgets/AboutDialog.h"

class QAction;
class QLabel;
class QMenu;

namespace mx::editor {

class CMX3_SetupDoc;
class CMX3_SetupView;
class HelpWindow;
struct DeviceEnvironment;

// What the About box of the setup program says.
desktop::AboutTexts AboutThisProgram();

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  CMainFrame(CMX3_SetupDoc& document, DeviceEnvironment& environment, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CMX3_SetupView* View() const { return view_; }
  // The menu or toolbar action of a command identifier (null for none).
  QAction* Action(int commandId) const { return actions_.value(commandId); }
  QMenu* RecentFilesMenuOwner() const { return fileMenu_; }
  HelpWindow* Help() const { return help_; }
  const desktop::RecentFileList& RecentFiles() const { return recent_; }

  // Replaces the file dialogs: called with true for a name to save under, false for a file to
  // open; an empty answer is a cancel.
  void SetFileQuestion(std::function<QString(bool save)> question);

  void OnFileNew();
  void OnFileOpen();
  void OpenFile(const QString& path);
  void OnFileSave();
  void OnFileSaveAs();
  void OnAbout();
  void ShowHelp(int context);
  void UpdateCommandState();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* AddCommand(int id, std::string_view text, std::string_view prompt,
                      const QIcon& icon = QIcon());
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void RebuildRecentFiles();
  QString AskFileName(bool save);

  CMX3_SetupDoc& document_;
  CMX3_SetupView* view_ = nullptr;
  HelpWindow* help_ = nullptr;
  QHash<int, QAction*> actions_;
  QList<QAction*> modelActions_;
  QList<QAction*> channelActions_;
  QMenu* fileMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  QList<QAction*> recentActions_;
  desktop::RecentFileList recent_;
  std::function<QString(bool)> fileQuestion_;
};

}  // namespace mx::editor
