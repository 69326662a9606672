#pragma once
// The program's help: HTML topics compiled into the program, one per context number, shown in a
// small browser window that stays open beside the main window.

#include <QDialog>

class QTextBrowser;

namespace mx::editor {

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the topic of a context number; 0 shows the contents.
  void ShowTopic(int context);
  int Topic() const { return topic_; }
  QString TopicText() const;
  static bool HasTopic(int context);

 private:
  QTextBrowser* browser_ = nullptr;
  int topic_ = 0;
};

}  // namespace mx::editor
