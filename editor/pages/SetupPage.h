#pragma once
// One tab of the main view. A page reads and writes the document's image directly and keeps no
// copy: LoadFromImage shows the image, StoreToImage writes the controls back. SetupPages runs them
// for all pages in fixed orders (CommitPages, RefreshPages).

#include <QWidget>

namespace mx::editor {

class CMX3_SetupDoc;

class SetupPage : public QWidget {
  Q_OBJECT
 public:
  SetupPage(CMX3_SetupDoc& document, int helpTopic, QWidget* parent = nullptr)
      : QWidget(parent), document_(document), helpTopic_(helpTopic) {}

  virtual void LoadFromImage() = 0;
  virtual void StoreToImage() = 0;
  // After a tab switch or a channel change: the per-channel pages put the keyboard focus on the
  // checked choice of their first group.
  virtual void FocusFirstChoice() {}
  // The help topic this page makes current when it is shown.
  int HelpTopic() const { return helpTopic_; }

 protected:
  CMX3_SetupDoc& Document() { return document_; }

 private:
  CMX3_SetupDoc& document_;
  int helpTopic_;
};

}  // namespace mx::editor
