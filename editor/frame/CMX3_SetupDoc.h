#pragma once
// The setup program's document: the GUI-free SetupDocument (image, saved copy, extension block,
// file name) plus what only the window needs: the link state, the channel shown, the file commands
// with their questions and messages. It is created before the view and passes the editor hooks on
// once a view is attached: the model to the view, page stores and loads to its pages.

#include <QObject>
#include <QString>
#include <functional>

#include "core/SetupDocument.h"
#include "link/LinkState.h"
#include "terminal/TestSettings.h"

class QWidget;

namespace mx::editor {

class CMX3_SetupView;

class CMX3_SetupDoc : public QObject, public EditorHooks {
  Q_OBJECT
 public:
  CMX3_SetupDoc();

  SetupDocument& Core() { return core_; }
  ParameterImage& Image() { return core_.Image(); }
  LinkState& Link() { return link_; }
  // The communications test window's settings: the defaults at start, kept while the program
  // runs, never saved.
  terminal::TestSettings& CommTestSettings() { return testSettings_; }
  int CurrentChannel() const { return channel_; }
  void SetCurrentChannel(int channel) { channel_ = channel; }
  // True while the pages load from the image; nothing a control does then is a user's edit.
  bool Refreshing() const { return refreshing_ > 0; }
  void BeginRefresh() { ++refreshing_; }
  void EndRefresh() { --refreshing_; }

  void AttachView(CMX3_SetupView* view) { view_ = view; }
  CMX3_SetupView* View() const { return view_; }
  // From now on the caption goes to this window (nothing is shown before).
  void SetMainWindow(QWidget* window);
  // Asked for a file name when an untitled document is saved; empty means the user cancelled.
  void SetSavePathQuestion(std::function<QString()> ask) { askSavePath_ = std::move(ask); }

  // File New: the connection lines are cleared, defaults for the current model, "Untitled".
  void NewDocument();
  // Open: false when the file could not be read at all (the message was shown). A file rejected
  // for its contents still counts as opened, holding the defaults.
  bool OpenDocument(const QString& path);
  // Save under `path`; false (with the message shown) when the file could not be written.
  bool SaveDocument(const QString& path);
  // Save under the current name, or ask for one when there is none yet.
  bool Save();
  // The question before the document is replaced or the program ends. False: the user cancelled
  // (or the save failed) and the command must stop.
  bool SaveModified();

  QString PathName() const { return QString::fromStdString(core_.PathName()); }
  QString FileName() const { return QString::fromStdString(core_.FileName()); }

  // EditorHooks, passed on to the view and its pages.
  ModelIndex CurrentModel() const override;
  void SelectLoadedModel(ModelIndex model) override;
  void StorePages() override;
  void RefreshPages() override;
  void SetCaption(const std::string& caption) override;
  void ShowInvalidFile(std::string_view text) override;

 signals:
  // A file was opened or saved under this path (it belongs at the top of the recent files).
  void PathUsed(const QString& path);

 private:
  QWidget* MessageOwner() const;

  // The hooks are used while the core document is built, so they come first.
  CMX3_SetupView* view_ = nullptr;
  QWidget* mainWindow_ = nullptr;
  SetupDocument core_;
  LinkState link_;
  terminal::TestSettings testSettings_;
  int channel_ = 0;
  int refreshing_ = 0;
  std::function<QString()> askSavePath_;
};

}  // namespace mx::editor
