#pragma once
// The seven tab pages and the page protocol over them. Which page the view shows on which tab, and
// in which order the pages store into and load from the image, is decided here and nowhere else.

#include <QString>
#include <array>

#include "editor/pages/SetupPage.h"

class QTabWidget;

namespace mx::editor {

class CMX3_SetupDoc;
class StatusPage;

// Tab positions.
enum TabIndex {
  kStatusTab,
  kNetworkTab,
  kToggleTab,
  kBasicTab,
  kReadSwitchTab,
  kRs232Tab,
  kExtendedTab,
  kTabCount
};

// The four tabs that show one channel's settings.
constexpr bool IsChannelTab(int tab) {
  return tab >= kBasicTab && tab <= kExtendedTab;
}
// The caption of a tab; the channel tabs carry the channel prefix (blank, the letter in double
// quotes, blank).
QString TabCaption(int tab, int channel);

class SetupPages {
 public:
  // Makes the pages and adds them to `tabs` in tab order, captioned for the document's channel.
  SetupPages(CMX3_SetupDoc& document, QTabWidget& tabs);

  SetupPage* Page(int tab) const { return pages_[static_cast<std::size_t>(tab)]; }
  StatusPage* Status() const;

  // Every page's StoreToImage in commit order, then the document seals the image (model index and
  // checksum).
  void CommitPages();
  // Every page's LoadFromImage in refresh order.
  void RefreshPages();
  // The pages' part of a commit that the document runs itself (saving, the unsaved-changes check).
  void StorePages();
  // The channel tabs' captions for `channel`.
  void CaptionChannelTabs(int channel);

 private:
  CMX3_SetupDoc& document_;
  QTabWidget& tabs_;
  std::array<SetupPage*, kTabCount> pages_{};
};

}  // namespace mx::editor
