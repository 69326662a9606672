#include "editor/pages/TabVisibility.h"

#include <QEvent>
#include <QObject>
#include <QStackedWidget>
#include <QWidget>

namespace mx::editor {
namespace {

class TabVisibilityWatcher : public QObject {
 public:
  TabVisibilityWatcher(QWidget* page, std::function<void()> shown, std::function<void()> hidden)
      : QObject(page), shown_(std::move(shown)), hidden_(std::move(hidden)) {
    page->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The tab strip shows and hides one page (inside the area that scrolls it) while the strip
    // itself stays visible.
    const QWidget* strip = static_cast<QWidget*>(watched)->parentWidget();
    for (const QWidget* up = strip; up; up = up->parentWidget()) {
      if (qobject_cast<const QStackedWidget*>(up)) {
        strip = up;
        break;
      }
    }
    if (!event->spontaneous() && strip && strip->isVisible()) {
      if (event->type() == QEvent::Show)
        shown_();
      else if (event->type() == QEvent::Hide)
        hidden_();
    }
    return false;
  }

 private:
  std::function<void()> shown_;
  std::function<void()> hidden_;
};

}  // namespace

void WhenTabShowsOrHides(QWidget* page, std::function<void()> shown, std::function<void()> hidden) {
  new TabVisibilityWatcher(page, std::move(shown), std::move(hidden));
}

}  // namespace mx::editor
