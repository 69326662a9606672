#pragma once
// The main window with the channel tabs in front: boxes found by the name a screen reader reads,
// typed into and left as a user would, tabs and channels switched through the view.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "editor/frame/CommandIds.h"
#include "tests/editor/EditorBench.h"

namespace mx::test {

struct PageBench : WindowBench {
  void ShowTab(int tab) { View().Tabs()->setCurrentIndex(tab); }
  void ShowChannel(int channel) { Trigger(editor::cmd::kChannelCommands[channel]); }
  // The image changed underneath the pages, as when a file is opened.
  void Reload() { View().Pages().RefreshPages(); }
  void Commit() { View().Pages().CommitPages(); }
  int Channel() { return document->CurrentChannel(); }

  // The box of that name on the tab in front (several tabs have a "Custom" box), else anywhere.
  QLineEdit* Box(const QString& name) {
    QLineEdit* box = FindNamed<QLineEdit>(View().Tabs()->currentWidget(), name);
    if (!box)
      box = FindNamed<QLineEdit>(frame.get(), name);
    EXPECT_NE(box, nullptr) << name.toStdString();
    return box;
  }
  // Replaces the box's text by typing `text` into it, key by key.
  void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }
  // Moves the keyboard focus away from the box, into the tab row.
  void Leave(QLineEdit* box) {
    box->setFocus();
    View().Tabs()->tabBar()->setFocus();
  }
};

}  // namespace mx::test
