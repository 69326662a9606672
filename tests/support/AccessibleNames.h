#pragma once
// What a screen reader would call the controls of a window.

#include <QAccessible>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

namespace mx::test {

inline QString AccessibleName(QWidget* widget) {
  const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The controls under `root` that take the keyboard focus but have no name to say, each as
// "<class> <object name>", joined by commas (empty when every control is named).
inline std::string UnnamedControls(QWidget* root) {
  QStringList unnamed;
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    // A tab control is named by its tabs, each of which has a caption.
    if (!widget->isVisibleTo(root) || !(widget->focusPolicy() & Qt::TabFocus) ||
        qobject_cast<QTabWidget*>(widget))
      continue;
    if (AccessibleName(widget).trimmed().isEmpty())
      unnamed << QString::fromLatin1(widget->metaObject()->className()) + ' ' +
                     widget->objectName();
  }
  return unnamed.join(QStringLiteral(", ")).toStdString();
}

}  // namespace mx::test
