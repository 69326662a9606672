#include "desktop/widgets/LockKeyPanes.h"

#include <QLabel>
#include <QStatusBar>

namespace mx::desktop {

LockKeyPanes::LockKeyPanes(QStatusBar* bar, const std::array<QString, 3>& captions, Reader reader)
    : QObject(bar), reader_(std::move(reader)) {
  for (std::size_t i = 0; i < panes_.size(); ++i) {
    auto* pane = new QLabel(captions[i]);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(captions[i]) + 12);
    bar->addPermanentWidget(pane);
    panes_[i] = pane;
  }
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &LockKeyPanes::Refresh);
  Refresh();
}

void LockKeyPanes::Refresh() {
  const std::optional<LockStates> states = reader_ ? reader_() : std::nullopt;
  if (!states) {
    // The platform cannot tell, and will not learn to while the program runs.
    for (QLabel* pane : panes_)
      pane->hide();
    poll_.stop();
    return;
  }
  if (!poll_.isActive())
    poll_.start();
  const bool on[] = {states->caps, states->num, states->scroll};
  for (std::size_t i = 0; i < panes_.size(); ++i) {
    panes_[i]->show();
    panes_[i]->setEnabled(on[i]);
  }
}

}  // namespace mx::desktop
