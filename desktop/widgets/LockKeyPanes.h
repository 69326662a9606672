#pragma once
// The CAP, NUM and SCRL panes of a status bar. They follow the keyboard's lock keys where the
// platform tells their state (X11, through its keyboard indicators) and are hidden where it cannot
// (offscreen, Wayland): a pane that never lights up would only mislead.

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>

class QLabel;
class QStatusBar;

namespace mx::desktop {

struct LockStates {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

// The states as the platform reports them, or nothing where it has no way to tell.
std::optional<LockStates> ReadPlatformLockStates();

class LockKeyPanes : public QObject {
  Q_OBJECT
 public:
  using Reader = std::function<std::optional<LockStates>()>;
  // How often the states are read: the lock keys may change in any window, so the program is not
  // always told.
  static constexpr int kPollMs = 250;

  // Adds the three panes (captions in the order caps, num, scroll) to the right of `bar`.
  LockKeyPanes(QStatusBar* bar, const std::array<QString, 3>& captions,
               Reader reader = ReadPlatformLockStates);

  // Reads the states now: a lit pane for a lock that is on, a greyed one for a lock that is off,
  // no panes at all when the reader cannot tell.
  void Refresh();
  QLabel* Pane(int index) const { return panes_[static_cast<std::size_t>(index)]; }

 private:
  Reader reader_;
  std::array<QLabel*, 3> panes_{};
  QTimer poll_;
};

}  // namespace mx::desktop
