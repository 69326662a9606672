#pragma once
// The terminal's main window: menus, toolbar and status bar around the form, the document
// commands and the caption "LinkTest_Network - <title>".

#include <QMainWindow>
#include <array>

#include "desktop/RecentFileList.h"
#include "desktop/widgets/AboutDialog.h"
#include "nettest/CLinkTest_NetworkDoc.h"

class QAction;
class QLabel;

namespace mx::desktop {
class CaptureControl;
}

namespace mx::nettest {

class CLinkTest_NetworkView;

// What the About box of the terminal says.
desktop::AboutTexts AboutThisProgram();

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Opens the file named on the command line, or else "default.ltn" in `programDir` (installed:
  // in the user's configuration folder), creating it with the defaults on first use.
  void StartUp(const QStringList& arguments, const QString& programDir);
  // 95 % of the screen's work area, centred.
  void PlaceOnScreen();

  bool OpenDocumentFile(const QString& path);
  bool SaveDocument(const QString& path);
  void NewDocument();
  // False when the user cancelled at the save-changes question or saving failed.
  bool SaveModified();

  CLinkTest_NetworkDoc& Document() { return doc_; }
  CLinkTest_NetworkView* View() const { return view_; }
  QAction* FindAction(const QString& text) const;
  void UpdateCaption();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenusAndToolbar();
  void UpdateRecentMenu();
  void UpdateEditActions();
  void UpdateOptionChecks();
  void ToggleOption(int32_t LtnFields::*flag);
  void OnOpen();
  bool OnSave();
  bool OnSaveAs();
  void OnUserPushbuttons();
  void OnPreferences();
  void OnAbout();
  void MarkModified();

  CLinkTest_NetworkDoc doc_;
  CLinkTest_NetworkView* view_ = nullptr;
  desktop::RecentFileList recent_;
  QMenu* fileMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  std::array<QAction*, desktop::RecentFileList::kSize> recentActions_{};
  QAction* cut_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* braces_ = nullptr;
  QAction* crLf_ = nullptr;
  QAction* beep_ = nullptr;
  desktop::CaptureControl* capture_ = nullptr;
  QLabel* connectionState_ = nullptr;
};

}  // namespace mx::nettest
