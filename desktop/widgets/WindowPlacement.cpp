#include "desktop/widgets/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>

namespace mx::desktop {
namespace {

// How long after showing a window a late report of its frame still moves it: long enough for a
// slow window manager, short enough never to undo a move by the user.
constexpr int kFrameReportWindowMs = 3000;

// Puts the window's frame at `topLeft`, its frame being `margins` around the client area. Qt moves
// a created window by the frame it knows of, which is none until the window manager has framed it.
void MoveFrameTo(QWidget* window, const QPoint& topLeft, const QMargins& margins) {
  window->winId();
  const QPoint knownOffset = window->geometry().topLeft() - window->pos();
  window->move(topLeft + QPoint(margins.left(), margins.top()) - knownOffset);
}

// A placement rule, run with the frame margins it should reckon with.
using Rule = std::function<void(const QMargins& margins)>;

// Runs a window's rule again, once, when the window manager reports a frame other than the one the
// rule was run with.
class FrameWatch : public QObject {
 public:
  FrameWatch(QWidget* window, Rule rule, const QMargins& assumed)
      : QObject(window), window_(window), rule_(std::move(rule)), assumed_(assumed) {
    setObjectName(QStringLiteral("mx-frame-watch"));
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window_)
      return false;
    switch (event->type()) {
      case QEvent::Show:
        QTimer::singleShot(kFrameReportWindowMs, this, &QObject::deleteLater);
        Check();
        break;
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowActivate:
        Check();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  void Check() {
    const QWindow* handle = window_ ? window_->windowHandle() : nullptr;
    if (!handle || !window_->isVisible())
      return;
    const QMargins real = handle->frameMargins();
    if (real.isNull() || real == assumed_)
      return;
    window_->removeEventFilter(this);
    const Rule rule = std::move(rule_);
    deleteLater();
    rule(real);
  }

  QPointer<QWidget> window_;
  Rule rule_;
  QMargins assumed_;
};

void Apply(QWidget* window, Rule rule) {
  for (QObject* old : window->children()) {
    if (old->objectName() == QLatin1String("mx-frame-watch"))
      delete old;
  }
  const QMargins margins = FrameMargins(window);
  rule(margins);
  const QWindow* handle = window->windowHandle();
  const bool known = handle && window->isVisible() && !handle->frameMargins().isNull();
  if (!known)
    new FrameWatch(window, std::move(rule), margins);
}

QSize FrameSize(const QSize& client, const QMargins& margins) {
  return client.grownBy(margins);
}

}  // namespace

QPoint ScreenPlacement(const QRect& freeArea, const QSize& frame) {
  return {freeArea.left() + std::max(0, (freeArea.width() - frame.width()) / 2),
          freeArea.top() + std::max(0, (freeArea.height() - frame.height()) / 4)};
}

QPoint OverParentPlacement(const QRect& parent, const QSize& frame) {
  return {parent.left() + (parent.width() - frame.width()) / 2,
          parent.top() + (parent.height() - frame.height()) * 14 / 32};
}

QSize FitOnScreen(const QSize& wanted, const QMargins& margins, const QSize& freeArea) {
  return wanted.boundedTo(freeArea.shrunkBy(margins)).expandedTo(QSize(0, 0));
}

QRect CentredFraction(const QRect& freeArea, int percent) {
  const QSize size(freeArea.width() * percent / 100, freeArea.height() * percent / 100);
  return {freeArea.left() + (freeArea.width() - size.width()) / 2,
          freeArea.top() + (freeArea.height() - size.height()) / 2, size.width(), size.height()};
}

QMargins FrameMargins(const QWidget* window) {
  if (const QWindow* handle = window->windowHandle(); handle && window->isVisible()) {
    if (const QMargins known = handle->frameMargins(); !known.isNull())
      return known;
  }
  // Not framed yet: what a window manager typically adds, from the style's title bar and border,
  // except where nothing frames windows at all.
  const QString platform = QGuiApplication::platformName();
  if (window->windowFlags().testFlag(Qt::FramelessWindowHint) ||
      platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
    return {};
  }
  const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
  return {border, title + border, border, border};
}

QRect FreeArea(const QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void PlaceOnScreen(QWidget* window) {
  window->adjustSize();
  Apply(window, [window](const QMargins& margins) {
    const QRect free = FreeArea(window);
    if (free.isEmpty())
      return;
    MoveFrameTo(window, ScreenPlacement(free, FrameSize(window->size(), margins)), margins);
  });
}

void PlaceOverParent(QWidget* window, const QWidget* parent) {
  if (!parent)
    return PlaceOnScreen(window);
  window->adjustSize();
  Apply(window, [window, owner = QPointer<const QWidget>(parent)](const QMargins& margins) {
    if (!owner)
      return;
    const QRect parentFrame(owner->pos(), FrameSize(owner->size(), FrameMargins(owner)));
    MoveFrameTo(window, OverParentPlacement(parentFrame, FrameSize(window->size(), margins)),
                margins);
  });
}

void FixSizeOnScreen(QWidget* window, const QSize& wanted) {
  Apply(window, [window, wanted](const QMargins& margins) {
    const QRect free = FreeArea(window);
    window->setFixedSize(free.isEmpty() ? wanted : FitOnScreen(wanted, margins, free.size()));
    if (!free.isEmpty())
      MoveFrameTo(window, ScreenPlacement(free, FrameSize(window->size(), margins)), margins);
  });
}

void SizeToScreenFraction(QWidget* window, int percent) {
  Apply(window, [window, percent](const QMargins& margins) {
    const QRect free = FreeArea(window);
    if (free.isEmpty())
      return;
    const QRect frame = CentredFraction(free, percent);
    window->resize(frame.size().shrunkBy(margins).expandedTo(window->minimumSize()));
    MoveFrameTo(window, frame.topLeft(), margins);
  });
}

}  // namespace mx::desktop
