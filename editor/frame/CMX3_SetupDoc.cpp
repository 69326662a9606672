#include "editor/frame/CMX3_SetupDoc.h"

#include <QApplication>
#include <QWidget>

#include "desktop/TextConversion.h"
#include "desktop/widgets/MessageBoxes.h"
#include "editor/frame/CMX3_SetupView.h"
#include "editor/frame/FrameTexts.h"

namespace mx::editor {

CMX3_SetupDoc::CMX3_SetupDoc() : core_(*this) {}

void CMX3_SetupDoc::SetMainWindow(QWidget* window) {
  mainWindow_ = window;
}

QWidget* CMX3_SetupDoc::MessageOwner() const {
  if (QWidget* active = QApplication::activeWindow())
    return active;
  return mainWindow_;
}

void CMX3_SetupDoc::NewDocument() {
  if (view_)
    view_->UpdateConnectionStatus(false);
  core_.NewDocument();
}

bool CMX3_SetupDoc::OpenDocument(const QString& path) {
  std::string error;
  const LoadOutcome outcome = core_.Open(path.toStdString(), &error);
  if (outcome == LoadOutcome::Unreadable) {
    desktop::ShowMessageBox(
        MessageOwner(), desktop::FromUtf8(text::kProgramTitle),
        desktop::FromUtf8(text::kCannotOpen).arg(path, QString::fromStdString(error)),
        QMessageBox::Critical);
    return false;
  }
  emit PathUsed(path);
  return true;
}

bool CMX3_SetupDoc::SaveDocument(const QString& path) {
  if (core_.WouldReplaceUnreadFile(path.toStdString()) &&
      !desktop::AskReplaceUnreadFile(MessageOwner(), desktop::FromUtf8(text::kProgramTitle),
                                     path)) {
    return false;
  }
  const FileResult result = core_.Save(path.toStdString());
  if (!result.ok) {
    desktop::ShowMessageBox(
        MessageOwner(), desktop::FromUtf8(text::kProgramTitle),
        desktop::FromUtf8(text::kCannotSave).arg(path, QString::fromStdString(result.error)),
        QMessageBox::Critical);
    return false;
  }
  emit PathUsed(path);
  return true;
}

bool CMX3_SetupDoc::Save() {
  QString path = PathName();
  if (path.isEmpty()) {
    path = askSavePath_ ? askSavePath_() : QString();
    if (path.isEmpty())
      return false;
  }
  return SaveDocument(path);
}

bool CMX3_SetupDoc::SaveModified() {
  if (!core_.HasUnsavedChanges())
    return true;
  switch (
      desktop::AskSaveChanges(MessageOwner(), desktop::FromUtf8(text::kProgramTitle), FileName())) {
    case desktop::SaveChangesAnswer::Save:
      return Save();
    case desktop::SaveChangesAnswer::Discard:
      return true;
    case desktop::SaveChangesAnswer::Cancel:
      break;
  }
  return false;
}

ModelIndex CMX3_SetupDoc::CurrentModel() const {
  return view_ ? view_->CurrentModel() : EditorHooks::CurrentModel();
}

void CMX3_SetupDoc::SelectLoadedModel(ModelIndex model) {
  if (view_)
    view_->SelectLoadedModel(model);
  else
    EditorHooks::SelectLoadedModel(model);
}

void CMX3_SetupDoc::StorePages() {
  if (view_)
    view_->Pages().StorePages();
}

void CMX3_SetupDoc::RefreshPages() {
  if (view_)
    view_->Pages().RefreshPages();
}

void CMX3_SetupDoc::SetCaption(const std::string& caption) {
  if (mainWindow_)
    mainWindow_->setWindowTitle(QString::fromStdString(caption));
}

void CMX3_SetupDoc::ShowInvalidFile(std::string_view text) {
  desktop::ShowMessageBox(MessageOwner(), QString(), desktop::FromUtf8(text), QMessageBox::Warning);
}

}  // namespace mx::editor
