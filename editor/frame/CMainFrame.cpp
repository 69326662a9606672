#include "editor/frame/CMainFrame.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "core/ModelTable.h"
#include "core/ProgramVersion.h"
#include "desktop/TextConversion.h"
#include "desktop/widgets/LockKeyPanes.h"
#include "desktop/widgets/ToolbarIcons.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/device/CommTestCommand.h"
#include "editor/device/DeviceCommandRunner.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMX3_SetupView.h"
#include "editor/frame/CommandIds.h"
#include "editor/frame/FrameTexts.h"
#include "editor/frame/HelpWindow.h"
#include "editor/frame/PrintCommands.h"
#include "editor/frame/PrintTexts.h"

namespace mx::editor {

desktop::AboutTexts AboutThisProgram() {
  return {desktop::FromUtf8(text::kAboutTitle), desktop::FromUtf8(text::kAboutProduct),
          desktop::FromUtf8(kSetupProgramVersion), desktop::FromUtf8(text::kVersionDate),
          desktop::FromUtf8(text::kRightsNotice)};
}

CMainFrame::CMainFrame(CMX3_SetupDoc& document, DeviceEnvironment& environment, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      document_(document) {
  setWindowTitle(desktop::FromUtf8(text::kProgramTitle));
  // The taskbar and Alt+Tab show it; the dialogs, children of this window, take it over. A bitmap,
  // since Qt draws SVG only with a plugin that many systems lack.
  setWindowIcon(QIcon(QStringLiteral(":/icons/com.brantwick.MXSetup.png")));
  view_ = new CMX3_SetupView(document_, environment, this);
  setCentralWidget(view_);
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  help_ = new HelpWindow(this);

  connect(view_, &CMX3_SetupView::CommandStateChanged, this, &CMainFrame::UpdateCommandState);
  connect(&document_, &CMX3_SetupDoc::PathUsed, this, [this](const QString& path) {
    recent_.Add(path);
    RebuildRecentFiles();
  });
  document_.SetSavePathQuestion([this] { return AskFileName(true); });
  UpdateCommandState();

  // Sized once around the largest page, as far as the screen allows, then fixed, and placed like
  // the program's dialogs.
  desktop::FixSizeOnScreen(this, sizeHint());
}

CMainFrame::~CMainFrame() {
  document_.SetSavePathQuestion({});
  document_.SetMainWindow(nullptr);
}

QAction* CMainFrame::AddCommand(int id, std::string_view text, std::string_view prompt,
                                const QIcon& icon) {
  auto* action = new QAction(icon, desktop::FromUtf8(text), this);
  action->setStatusTip(desktop::FromUtf8(prompt));
  action->setData(id);
  actions_.insert(id, action);
  return action;
}

void CMainFrame::BuildMenus() {
  fileMenu_ = menuBar()->addMenu(desktop::FromUtf8(text::kMenuFile));
  QAction* newFile = AddCommand(cmd::kFileNew, text::kFileNew, text::kPromptNew,
                                desktop::MakeToolbarIcon(desktop::ToolbarIcon::New));
  newFile->setShortcut(QKeySequence::New);
  connect(newFile, &QAction::triggered, this, &CMainFrame::OnFileNew);
  QAction* open = AddCommand(cmd::kFileOpen, text::kFileOpen, text::kPromptOpen,
                             desktop::MakeToolbarIcon(desktop::ToolbarIcon::Open));
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, &CMainFrame::OnFileOpen);
  QAction* save = AddCommand(cmd::kFileSave, text::kFileSave, text::kPromptSave,
                             desktop::MakeToolbarIcon(desktop::ToolbarIcon::Save));
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, &CMainFrame::OnFileSave);
  QAction* saveAs = AddCommand(cmd::kFileSaveAs, text::kFileSaveAs, text::kPromptSaveAs);
  connect(saveAs, &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
  fileMenu_->addActions({newFile, open, save, saveAs});
  fileMenu_->addSeparator();

  QAction* print = AddCommand(cmd::kFilePrint, text::kFilePrint, text::kPromptPrint,
                              desktop::MakeToolbarIcon(desktop::ToolbarIcon::Print));
  print->setShortcut(QKeySequence::Print);
  connect(print, &QAction::triggered, this, [this] { view_->Printing().Print(); });
  QAction* preview =
      AddCommand(cmd::kFilePrintPreview, text::kFilePrintPreview, text::kPromptPrintPreview,
                 desktop::MakeToolbarIcon(desktop::ToolbarIcon::Preview));
  connect(preview, &QAction::triggered, this, [this] { view_->Printing().Preview(); });
  QAction* printSetup =
      AddCommand(cmd::kFilePrintSetup, text::kFilePrintSetup, text::kPromptPrintSetup);
  connect(printSetup, &QAction::triggered, this, [this] { view_->Printing().PrintSetup(); });
  QAction* exportPdf =
      AddCommand(cmd::kFileExportPdf, text::kFileExportPdf, text::kPromptExportPdf);
  connect(exportPdf, &QAction::triggered, this, [this] { view_->Printing().ExportPdf(); });
  fileMenu_->addActions({print, preview, printSetup, exportPdf});
  recentSeparator_ = fileMenu_->addSeparator();
  fileMenu_->addSeparator();
  QAction* exitAction = AddCommand(cmd::kAppExit, text::kFileExit, text::kPromptExit);
  connect(exitAction, &QAction::triggered, this, &QWidget::close);
  fileMenu_->addAction(exitAction);
  RebuildRecentFiles();

  QMenu* models = menuBar()->addMenu(desktop::FromUtf8(text::kMenuModel));
  auto* modelGroup = new QActionGroup(this);
  // A loaded file may name no known model: then no item carries the check mark.
  modelGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (const ModelInfo& model : kModelTable) {
    QAction* action =
        AddCommand(cmd::ModelCommand(model.index), model.name, ModelCommandPrompt(model.index));
    action->setCheckable(true);
    modelGroup->addAction(action);
    models->addAction(action);
    modelActions_.append(action);
    connect(action, &QAction::triggered, this, [this, index = model.index] {
      view_->SelectModelCommand(index);
      UpdateCommandState();
    });
  }

  QMenu* setup = menuBar()->addMenu(desktop::FromUtf8(text::kMenuSetup));
  QAction* find = AddCommand(cmd::kFind, text::kSetupFind, text::kPromptFind,
                             desktop::MakeToolbarIcon(desktop::ToolbarIcon::Find));
  connect(find, &QAction::triggered, view_, &CMX3_SetupView::OnFind);
  QAction* copy = AddCommand(cmd::kCopyChannels, text::kSetupCopy, text::kPromptCopy,
                             desktop::MakeToolbarIcon(desktop::ToolbarIcon::CopyChannels));
  connect(copy, &QAction::triggered, view_, &CMX3_SetupView::OnCopyChannels);
  QAction* reset = AddCommand(cmd::kReset, text::kSetupReset, text::kPromptReset,
                              desktop::MakeToolbarIcon(desktop::ToolbarIcon::Reset));
  connect(reset, &QAction::triggered, view_, &CMX3_SetupView::OnReset);
  QAction* test = AddCommand(cmd::kCommTest, text::kSetupTest, text::kPromptTest,
                             desktop::MakeToolbarIcon(desktop::ToolbarIcon::Terminal));
  connect(test, &QAction::triggered, this, [this] {
    RunCommTestCommand(*view_, document_, [this](int topic) { ShowHelp(topic); });
    UpdateCommandState();
  });
  setup->addActions({find, copy, reset});
  setup->addSeparator();
  setup->addAction(test);

  QMenu* transfer = menuBar()->addMenu(desktop::FromUtf8(text::kMenuTransfer));
  QAction* read = AddCommand(cmd::kRead, text::kTransferRead, text::kPromptRead,
                             desktop::MakeToolbarIcon(desktop::ToolbarIcon::Read));
  connect(read, &QAction::triggered, view_, &CMX3_SetupView::OnRead);
  QAction* send = AddCommand(cmd::kSend, text::kTransferSend, text::kPromptSend,
                             desktop::MakeToolbarIcon(desktop::ToolbarIcon::Send));
  connect(send, &QAction::triggered, view_, &CMX3_SetupView::OnSend);
  transfer->addActions({read, send});

  auto* channelGroup = new QActionGroup(this);
  for (int channel = 0; channel < 5; ++channel) {
    const QString letter(QChar('A' + channel));
    QAction* action = AddCommand(cmd::kChannelCommands[channel], {}, {});
    action->setText(desktop::FromUtf8(text::kChannelButton).arg(letter));
    action->setIconText(letter);
    action->setStatusTip(desktop::FromUtf8(text::kPromptChannel).arg(letter));
    // The channel can be changed without a mouse: Ctrl+1 for A to Ctrl+5 for E.
    action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + channel)));
    action->setToolTip(QString("%1 (%2)").arg(
        action->text(), action->shortcut().toString(QKeySequence::NativeText)));
    action->setCheckable(true);
    channelGroup->addAction(action);
    channelActions_.append(action);
    connect(action, &QAction::triggered, this, [this, channel] {
      view_->ChannelSelect(channel);
      UpdateCommandState();
    });
  }

  QMenu* help = menuBar()->addMenu(desktop::FromUtf8(text::kMenuHelp));
  QAction* topics = AddCommand(cmd::kHelpTopics, text::kHelpTopics, text::kPromptHelpTopics);
  connect(topics, &QAction::triggered, this, [this] { ShowHelp(help::kContents); });
  QAction* quick = AddCommand(cmd::kQuickStart, text::kQuickStart, text::kPromptQuickStart);
  connect(quick, &QAction::triggered, this, [this] { ShowHelp(help::kQuickStart); });
  QAction* about = AddCommand(cmd::kAppAbout, text::kAboutItem, text::kPromptAbout);
  connect(about, &QAction::triggered, this, &CMainFrame::OnAbout);
  help->addActions({topics, quick});
  help->addSeparator();
  help->addAction(about);

  QAction* tabHelp = AddCommand(cmd::kTabHelp, text::kHelpTopics, text::kPromptTabHelp,
                                desktop::MakeToolbarIcon(desktop::ToolbarIcon::Help));
  tabHelp->setShortcut(QKeySequence::HelpContents);
  tabHelp->setShortcutContext(Qt::WindowShortcut);
  connect(tabHelp, &QAction::triggered, this, [this] { ShowHelp(view_->CurrentHelpTopic()); });
  addAction(tabHelp);
}

void CMainFrame::BuildToolBar() {
  QToolBar* bar = addToolBar(QString());
  bar->setObjectName("toolbar");
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(20, 20));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  setContextMenuPolicy(Qt::NoContextMenu);
  const int groups[][5] = {
      {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, 0, 0},
      {cmd::kFilePrint, cmd::kFilePrintPreview, 0, 0, 0},
      {cmd::kFind, cmd::kCopyChannels, cmd::kReset, cmd::kCommTest, 0},
      {cmd::kSend, cmd::kRead, 0, 0, 0},
  };
  for (const auto& group : groups) {
    for (int id : group) {
      if (id != 0)
        bar->addAction(Action(id));
    }
    bar->addSeparator();
  }
  for (QAction* channel : channelActions_)
    bar->addAction(channel);
  bar->addSeparator();
  bar->addAction(Action(cmd::kTabHelp));
}

void CMainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setSizeGripEnabled(false);  // the window has a fixed size
  new desktop::LockKeyPanes(
      bar, {desktop::FromUtf8(text::kIndicatorCaps), desktop::FromUtf8(text::kIndicatorNum),
            desktop::FromUtf8(text::kIndicatorScroll)});
  const QString ready = desktop::FromUtf8(text::kReady);
  connect(bar, &QStatusBar::messageChanged, bar, [bar, ready](const QString& message) {
    if (message.isEmpty())
      bar->showMessage(ready);
  });
  bar->showMessage(ready);
}

void CMainFrame::RebuildRecentFiles() {
  for (QAction* action : recentActions_) {
    fileMenu_->removeAction(action);
    action->deleteLater();
  }
  recentActions_.clear();
  const QStringList& files = recent_.Files();
  if (files.isEmpty()) {
    auto* placeholder = new QAction(desktop::FromUtf8(text::kRecentFile), this);
    placeholder->setEnabled(false);
    recentActions_.append(placeholder);
  }
  for (int i = 0; i < files.size(); ++i) {
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]), this);
    action->setStatusTip(desktop::FromUtf8(text::kPromptRecent));
    action->setData(cmd::kFileRecent + i);
    connect(action, &QAction::triggered, this, [this, path = files[i]] {
      if (document_.SaveModified())
        OpenFile(path);
    });
    recentActions_.append(action);
  }
  QAction* before = fileMenu_->actions().value(fileMenu_->actions().indexOf(recentSeparator_) + 1);
  fileMenu_->insertActions(before, recentActions_);
}

void CMainFrame::SetFileQuestion(std::function<QString(bool save)> question) {
  fileQuestion_ = std::move(question);
}

QString CMainFrame::AskFileName(bool save) {
  if (fileQuestion_)
    return fileQuestion_(save);
  const QString filter = desktop::FromUtf8(text::kFileFilter);
  if (!save)
    return QFileDialog::getOpenFileName(this, QString(), QDir::currentPath(), filter);
  QString suggested = document_.PathName();
  if (suggested.isEmpty())
    suggested =
        QDir::current().filePath(document_.FileName() + desktop::FromUtf8(text::kFileExtension));
  QFileDialog dialog(this, desktop::FromUtf8(text::kFileSaveAs), suggested, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(desktop::FromUtf8(text::kFileExtension).mid(1));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().first();
}

void CMainFrame::OnFileNew() {
  if (document_.SaveModified())
    document_.NewDocument();
}

void CMainFrame::OnFileOpen() {
  if (!document_.SaveModified())
    return;
  const QString path = AskFileName(false);
  if (!path.isEmpty())
    OpenFile(path);
}

void CMainFrame::OpenFile(const QString& path) {
  if (document_.OpenDocument(path))
    return;
  // As after any failed open, the program goes on with a new document.
  recent_.Remove(path);
  RebuildRecentFiles();
  document_.NewDocument();
}

void CMainFrame::OnFileSave() {
  document_.Save();
}

void CMainFrame::OnFileSaveAs() {
  const QString path = AskFileName(true);
  if (!path.isEmpty())
    document_.SaveDocument(path);
}

void CMainFrame::OnAbout() {
  desktop::AboutDialog about(AboutThisProgram(), this);
  about.exec();
}

void CMainFrame::ShowHelp(int context) {
  help_->ShowTopic(context);
}

void CMainFrame::UpdateCommandState() {
  const ModelIndex model = view_->CurrentModel();
  for (int i = 0; i < modelActions_.size(); ++i)
    modelActions_[i]->setChecked(i == model);
  const bool fiveChannels = ChannelCount(model) == 5;
  const int channel = document_.CurrentChannel();
  for (int i = 0; i < channelActions_.size(); ++i) {
    channelActions_[i]->setEnabled(i < 2 || fiveChannels);
    channelActions_[i]->setChecked(i == channel);
  }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // A device command is under way: its progress window's Cancel is the way out, and ending the
  // program in the middle of it would leave the interface half told.
  if (view_->Commands().Running()) {
    event->ignore();
    return;
  }
  if (document_.SaveModified())
    event->accept();
  else
    event->ignore();
}

}  // namespace mx::editor
