#include "nettest/window/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "desktop/ProgramFolders.h"
#include "desktop/TextConversion.h"
#include "desktop/widgets/CaptureControl.h"
#include "desktop/widgets/ToolbarIcons.h"
#include "desktop/widgets/WindowPlacement.h"
#include "nettest/NetTestTexts.h"
#include "nettest/window/CLinkTest_NetworkView.h"
#include "nettest/window/PreferencesDialog.h"
#include "nettest/window/TerminalMessages.h"
#include "nettest/window/TrafficPane.h"
#include "nettest/window/UserPushbuttonsDialog.h"

namespace mx::nettest {
namespace {
QString FileFilter() {
  return desktop::FromUtf8(text::kFileFilter);
}
}  // namespace

desktop::AboutTexts AboutThisProgram() {
  return {desktop::FromUtf8(text::kAboutTitle), desktop::FromUtf8(text::kAboutProduct),
          desktop::FromUtf8(text::kVersion), QString(), desktop::FromUtf8(text::kAboutNotice)};
}

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
  // The taskbar and Alt+Tab show it; the dialogs, children of this window, take it over. A bitmap,
  // since Qt draws SVG only with a plugin that many systems lack.
  setWindowIcon(QIcon(QStringLiteral(":/icons/com.brantwick.LinkTestNetwork.png")));
  doc_.OnNewDocument();
  view_ = new CLinkTest_NetworkView(doc_, this);
  setCentralWidget(view_);
  BuildMenusAndToolbar();
  // The connection's state stays in the status bar; prompts and notes show over it for a while.
  connectionState_ = new QLabel(this);
  connectionState_->setObjectName(QStringLiteral("connectionState"));
  statusBar()->addWidget(connectionState_, 1);
  const auto showState = [this] {
    connectionState_->setText(view_->Controller().Panel().stateText);
  };
  connect(&view_->Controller(), &ConnectionController::panelChanged, this, showState);
  showState();
  connect(view_, &CLinkTest_NetworkView::documentModified, this, &CMainFrame::MarkModified);
  connect(view_, &CLinkTest_NetworkView::statusMessage, this, [this](const QString& text) {
    if (text.isEmpty()) {
      statusBar()->clearMessage();
    } else {
      statusBar()->showMessage(text);
    }
  });
  connect(qApp, &QApplication::focusChanged, this, &CMainFrame::UpdateEditActions);
  UpdateEditActions();
  UpdateOptionChecks();
  UpdateCaption();
}

CMainFrame::~CMainFrame() {
  // Focus moves while the children are torn down; the edit commands must not follow it then.
  disconnect(qApp, nullptr, this, nullptr);
}

void CMainFrame::BuildMenusAndToolbar() {
  auto make = [this](const QString& text, const QString& tip, auto slot) {
    auto* action = new QAction(text, this);
    action->setStatusTip(tip);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };

  auto* newAction = make(desktop::FromUtf8(text::kMenuNew), desktop::FromUtf8(text::kPromptNew),
                         [this] { NewDocument(); });
  newAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  newAction->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::New));
  auto* openAction = make(desktop::FromUtf8(text::kMenuOpen), desktop::FromUtf8(text::kPromptOpen),
                          [this] { OnOpen(); });
  openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  openAction->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::Open));
  auto* saveAction = make(desktop::FromUtf8(text::kMenuSave), desktop::FromUtf8(text::kPromptSave),
                          [this] { OnSave(); });
  saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  saveAction->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::Save));
  auto* saveAsAction = make(desktop::FromUtf8(text::kMenuSaveAs),
                            desktop::FromUtf8(text::kPromptSaveAs), [this] { OnSaveAs(); });
  auto* exitAction = make(desktop::FromUtf8(text::kMenuExit), desktop::FromUtf8(text::kPromptExit),
                          [this] { close(); });
  // The traffic capture, in the same format as the setup program's test window writes.
  capture_ = new desktop::CaptureControl(this, QStringLiteral("linktest"),
                                         desktop::FromUtf8(text::kAppName));
  view_->Controller().SetCaptureLog(&capture_->Log());
  auto* logAction = make(desktop::FromUtf8(desktop::kLogToFile),
                         desktop::FromUtf8(text::kPromptLogToFile), [this] { capture_->Toggle(); });
  logAction->setCheckable(true);
  connect(capture_, &desktop::CaptureControl::changed, logAction, &QAction::setChecked);

  fileMenu_ = menuBar()->addMenu(desktop::FromUtf8(text::kMenuFile));
  fileMenu_->addActions({newAction, openAction, saveAction, saveAsAction});
  recentSeparator_ = fileMenu_->addSeparator();
  for (int i = 0; i < desktop::RecentFileList::kSize; ++i) {
    auto* action = new QAction(this);
    connect(action, &QAction::triggered, this, [this, i] {
      const QStringList& files = recent_.Files();
      if (i >= files.size())
        return;
      const QString path = files[i];
      if (!SaveModified())
        return;
      if (!OpenDocumentFile(path) && !QFileInfo::exists(path))
        recent_.Remove(path);
      UpdateRecentMenu();
    });
    recentActions_[static_cast<std::size_t>(i)] = action;
    fileMenu_->addAction(action);
  }
  fileMenu_->addSeparator();
  fileMenu_->addAction(logAction);
  fileMenu_->addSeparator();
  fileMenu_->addAction(exitAction);
  UpdateRecentMenu();

  cut_ = make(desktop::FromUtf8(text::kMenuCut), desktop::FromUtf8(text::kPromptCut),
              [this] { view_->Cut(); });
  cut_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
  cut_->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::Cut));
  copy_ = make(desktop::FromUtf8(text::kMenuCopy), desktop::FromUtf8(text::kPromptCopy),
               [this] { view_->Copy(); });
  copy_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
  copy_->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::Copy));
  paste_ = make(desktop::FromUtf8(text::kMenuPaste), desktop::FromUtf8(text::kPromptPaste),
                [this] { view_->Paste(); });
  paste_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
  paste_->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::Paste));
  QMenu* edit = menuBar()->addMenu(desktop::FromUtf8(text::kMenuEdit));
  edit->addActions({cut_, copy_, paste_});
  connect(edit, &QMenu::aboutToShow, this, &CMainFrame::UpdateEditActions);

  auto* toolbar = addToolBar(desktop::FromUtf8(text::kToolbarTitle));
  toolbar->setObjectName(QStringLiteral("toolbar"));
  toolbar->setMovable(false);
  toolbar->setIconSize(QSize(20, 20));
  QMenu* view = menuBar()->addMenu(desktop::FromUtf8(text::kMenuView));
  QAction* toolbarToggle = toolbar->toggleViewAction();
  toolbarToggle->setText(desktop::FromUtf8(text::kMenuToolbar));
  toolbarToggle->setStatusTip(desktop::FromUtf8(text::kPromptToolbar));
  auto* statusToggle = new QAction(desktop::FromUtf8(text::kMenuStatusBar), this);
  statusToggle->setCheckable(true);
  statusToggle->setChecked(true);
  statusToggle->setStatusTip(desktop::FromUtf8(text::kPromptStatusBar));
  connect(statusToggle, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
  view->addActions({toolbarToggle, statusToggle});

  auto* userButtons =
      make(desktop::FromUtf8(text::kMenuUserButtons), desktop::FromUtf8(text::kPromptUserButtons),
           [this] { OnUserPushbuttons(); });
  auto* preferences =
      make(desktop::FromUtf8(text::kMenuPreferences), desktop::FromUtf8(text::kPromptPreferences),
           [this] { OnPreferences(); });
  braces_ = make(desktop::FromUtf8(text::kMenuBraces), desktop::FromUtf8(text::kPromptBraces),
                 [this] { ToggleOption(&LtnFields::charactersInBraces); });
  braces_->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::Braces));
  crLf_ = make(desktop::FromUtf8(text::kMenuCrLf), desktop::FromUtf8(text::kMenuCrLf),
               [this] { ToggleOption(&LtnFields::crToCrLf); });
  crLf_->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::CrLf));
  beep_ = make(desktop::FromUtf8(text::kMenuBeep), desktop::FromUtf8(text::kPromptBeep),
               [this] { ToggleOption(&LtnFields::beepAtEndOfPacket); });
  beep_->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::Beep));
  for (QAction* option : {braces_, crLf_, beep_}) {
    option->setCheckable(true);
    // A menu item with a picture shows its check state only as a faint frame around the picture;
    // in the menu these show a check mark instead, on the toolbar their pictures.
    option->setIconVisibleInMenu(false);
  }
  auto* newLine = make(desktop::FromUtf8(text::kMenuNewLine),
                       desktop::FromUtf8(text::kPromptNewLine), [this] { view_->StartNewLine(); });
  newLine->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::NewLine));
  auto* clearTraffic =
      make(desktop::FromUtf8(text::kMenuClearTraffic), desktop::FromUtf8(text::kPromptClearTraffic),
           [this] { view_->ClearTraffic(); });
  clearTraffic->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::ClearTraffic));
  auto* clearSend =
      make(desktop::FromUtf8(text::kMenuClearCommand), desktop::FromUtf8(text::kPromptClearCommand),
           [this] { view_->ClearSendPane(); });
  clearSend->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::ClearSend));
  QMenu* configure = menuBar()->addMenu(desktop::FromUtf8(text::kMenuConfigure));
  configure->addActions({userButtons, preferences});
  configure->addSeparator();
  configure->addActions({braces_, crLf_, beep_});
  configure->addSeparator();
  configure->addActions({newLine, clearTraffic, clearSend});

  auto* about = make(desktop::FromUtf8(text::kMenuAbout), desktop::FromUtf8(text::kPromptAbout),
                     [this] { OnAbout(); });
  about->setIcon(desktop::MakeToolbarIcon(desktop::ToolbarIcon::Help));
  menuBar()->addMenu(desktop::FromUtf8(text::kMenuHelp))->addAction(about);

  toolbar->addActions({newAction, openAction, saveAction});
  toolbar->addSeparator();
  toolbar->addActions({cut_, copy_, paste_});
  toolbar->addSeparator();
  toolbar->addActions({braces_, crLf_, beep_});
  toolbar->addSeparator();
  toolbar->addActions({newLine, clearTraffic, clearSend});
  toolbar->addSeparator();
  toolbar->addAction(about);
}

QAction* CMainFrame::FindAction(const QString& text) const {
  for (QAction* action : findChildren<QAction*>()) {
    if (action->text() == text)
      return action;
  }
  return nullptr;
}

void CMainFrame::UpdateCaption() {
  setWindowTitle(desktop::FromUtf8(text::kCaptionPrefix) + doc_.Title());
}

void CMainFrame::UpdateRecentMenu() {
  const QStringList& files = recent_.Files();
  for (int i = 0; i < desktop::RecentFileList::kSize; ++i) {
    QAction* action = recentActions_[static_cast<std::size_t>(i)];
    action->setVisible(i < files.size());
    if (i < files.size()) {
      action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
      action->setStatusTip(files[i]);
    }
  }
}

void CMainFrame::UpdateEditActions() {
  cut_->setEnabled(view_->CanCut());
  copy_->setEnabled(view_->CanCopy());
  paste_->setEnabled(view_->CanPaste());
}

void CMainFrame::UpdateOptionChecks() {
  braces_->setChecked(doc_.Fields().charactersInBraces != 0);
  crLf_->setChecked(doc_.Fields().crToCrLf != 0);
  beep_->setChecked(doc_.Fields().beepAtEndOfPacket != 0);
}

void CMainFrame::ToggleOption(int32_t LtnFields::*flag) {
  doc_.Fields().*flag = doc_.Fields().*flag != 0 ? 0 : 1;
  UpdateOptionChecks();
  MarkModified();
}

void CMainFrame::MarkModified() {
  doc_.SetModified();
}

void CMainFrame::NewDocument() {
  if (!SaveModified())
    return;
  doc_.OnNewDocument();
  view_->RefreshFromDocument();
  UpdateOptionChecks();
  UpdateCaption();
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
  const auto result = doc_.Open(path);
  view_->RefreshFromDocument();
  UpdateOptionChecks();
  UpdateCaption();
  if (!result.ok) {
    ShowMessage(this, result.message);
    return false;
  }
  recent_.Add(path);
  UpdateRecentMenu();
  return true;
}

bool CMainFrame::SaveDocument(const QString& path) {
  view_->CommitFields();
  if (doc_.WouldReplaceUnreadFile(path) &&
      !desktop::AskReplaceUnreadFile(this, desktop::FromUtf8(text::kAppName), path)) {
    return false;
  }
  const auto result = doc_.Save(path);
  if (!result.ok) {
    ShowMessage(this, result.message);
    return false;
  }
  recent_.Add(path);
  UpdateRecentMenu();
  UpdateCaption();
  return true;
}

bool CMainFrame::SaveModified() {
  view_->CommitFields();
  if (!doc_.IsModified())
    return true;
  switch (AskSaveChanges(this, doc_.Title())) {
    case desktop::SaveChangesAnswer::Save:
      return OnSave();
    case desktop::SaveChangesAnswer::Discard:
      return true;
    case desktop::SaveChangesAnswer::Cancel:
      return false;
  }
  return false;
}

void CMainFrame::OnOpen() {
  if (!SaveModified())
    return;
  const QString path = QFileDialog::getOpenFileName(
      this, desktop::FromUtf8(text::kOpenTitle), QFileInfo(doc_.PathName()).path(), FileFilter());
  if (!path.isEmpty())
    OpenDocumentFile(path);
}

bool CMainFrame::OnSave() {
  if (doc_.PathName().isEmpty())
    return OnSaveAs();
  return SaveDocument(doc_.PathName());
}

bool CMainFrame::OnSaveAs() {
  QString path = QFileDialog::getSaveFileName(
      this, desktop::FromUtf8(text::kSaveAsTitle),
      doc_.PathName().isEmpty() ? doc_.Title() : doc_.PathName(), FileFilter());
  if (path.isEmpty())
    return false;
  if (QFileInfo(path).suffix().isEmpty())
    path += QStringLiteral(".ltn");
  return SaveDocument(path);
}

void CMainFrame::OnUserPushbuttons() {
  UserPushbuttonsDialog dialog(doc_.Fields().buttonLabels, doc_.Fields().buttonCommands, this);
  if (dialog.exec() != QDialog::Accepted)
    return;
  doc_.Fields().buttonLabels = dialog.Labels();
  doc_.Fields().buttonCommands = dialog.Commands();
  view_->ApplyButtonLabels();
  MarkModified();
}

void CMainFrame::OnPreferences() {
  PreferencesDialog dialog(doc_.Fields().endOfPacket, doc_.Fields().fontSize, this);
  if (dialog.exec() != QDialog::Accepted)
    return;
  doc_.Fields().endOfPacket = dialog.EndOfPacket();
  const int size = dialog.FontSize();
  if (size != 0 && size != doc_.Fields().fontSize) {
    doc_.Fields().fontSize = size;
    view_->ApplyFontSize(size);
  }
  MarkModified();
}

void CMainFrame::OnAbout() {
  desktop::AboutDialog dialog(AboutThisProgram(), this);
  dialog.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (SaveModified()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void CMainFrame::PlaceOnScreen() {
  desktop::SizeToScreenFraction(this, 95);
}

void CMainFrame::StartUp(const QStringList& arguments, const QString& programDir) {
  if (!arguments.isEmpty()) {
    OpenDocumentFile(arguments.first());
    return;
  }
  const QString path = QDir(desktop::DefaultDocumentFolder(programDir))
                           .filePath(desktop::FromUtf8(text::kDefaultFileName));
  if (!QFileInfo::exists(path)) {
    doc_.OnNewDocument();
    const auto saved = doc_.Save(path);
    if (!saved.ok) {
      // A program folder the user may not write to: carry on with an untitled document.
      ShowMessage(this, saved.message);
      doc_.OnNewDocument();
      view_->RefreshFromDocument();
      UpdateCaption();
      return;
    }
  }
  OpenDocumentFile(path);
}

}  // namespace mx::nettest
