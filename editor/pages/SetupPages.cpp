#include "editor/pages/SetupPages.h"

#include <QScrollArea>
#include <QTabWidget>

#include "desktop/TextConversion.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CommandIds.h"
#include "editor/pages/BasicPage.h"
#include "editor/pages/ExtendedPage.h"
#include "editor/pages/NetworkPage.h"
#include "editor/pages/PageTexts.h"
#include "editor/pages/ReadSwitchPage.h"
#include "editor/pages/Rs232Page.h"
#include "editor/pages/StatusPage.h"
#include "editor/pages/TogglePage.h"

namespace mx::editor {
namespace {

using PageMaker = SetupPage* (*)(CMX3_SetupDoc& document, QWidget* parent);

template <typename Page>
SetupPage* Make(CMX3_SetupDoc& document, QWidget* parent) {
  return new Page(document, parent);
}

// The page of each tab, in tab order.
constexpr PageMaker kPageMakers[] = {
    Make<StatusPage>,      // Status
    Make<NetworkPage>,     // Network
    Make<TogglePage>,      // Toggle Sw
    Make<BasicPage>,       // Basic
    Make<ReadSwitchPage>,  // Read Sw
    Make<Rs232Page>,       // RS232
    Make<ExtendedPage>,    // Extended
};
static_assert(std::size(kPageMakers) == kTabCount);

// Commits store Read Sw before Basic and Toggle Sw last; refreshes load Toggle Sw third.
constexpr int kCommitOrder[] = {kStatusTab, kNetworkTab,  kReadSwitchTab, kBasicTab,
                                kRs232Tab,  kExtendedTab, kToggleTab};
constexpr int kRefreshOrder[] = {kStatusTab, kNetworkTab, kToggleTab,  kReadSwitchTab,
                                 kBasicTab,  kRs232Tab,   kExtendedTab};
static_assert(std::size(kCommitOrder) == kTabCount && std::size(kRefreshOrder) == kTabCount);

// Holds a page at its own size: where a larger font makes it taller than the window the screen
// allows, the page scrolls instead of squeezing its controls.
class PageScroller : public QScrollArea {
 public:
  explicit PageScroller(SetupPage* page) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(page);
    // The tab's own background shows through, as it does around a page without scrolling.
    page->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
  }
  // The window is sized around the largest page, not around a scrolling area's default.
  QSize sizeHint() const override { return widget()->sizeHint(); }
};

void NameAfterTab(QWidget* scroller, int tab) {
  scroller->setAccessibleName(TabCaption(tab, 0).mid(IsChannelTab(tab) ? 5 : 0).trimmed());
}

}  // namespace

QString TabCaption(int tab, int channel) {
  const std::string_view captions[] = {text::kTabStatus,  text::kTabNetwork,    text::kTabToggle,
                                       text::kTabBasic,   text::kTabReadSwitch, text::kTabRs232,
                                       text::kTabExtended};
  const QString caption = desktop::FromUtf8(captions[tab]);
  if (!IsChannelTab(tab))
    return caption;
  return QString(" \"%1\" ").arg(QChar('A' + channel)) + caption;
}

SetupPages::SetupPages(CMX3_SetupDoc& document, QTabWidget& tabs)
    : document_(document), tabs_(tabs) {
  for (int tab = 0; tab < kTabCount; ++tab) {
    pages_[static_cast<std::size_t>(tab)] = kPageMakers[tab](document_, &tabs_);
    auto* scroller = new PageScroller(Page(tab));
    // Named after its tab without the channel prefix, which changes.
    NameAfterTab(scroller, tab);
    tabs_.addTab(scroller, TabCaption(tab, document_.CurrentChannel()));
  }
}

StatusPage* SetupPages::Status() const {
  return static_cast<StatusPage*>(Page(kStatusTab));
}

void SetupPages::CommitPages() {
  StorePages();
  document_.Core().SealImage();
}

void SetupPages::RefreshPages() {
  document_.BeginRefresh();
  for (int tab : kRefreshOrder)
    Page(tab)->LoadFromImage();
  document_.EndRefresh();
}

void SetupPages::StorePages() {
  for (int tab : kCommitOrder)
    Page(tab)->StoreToImage();
}

void SetupPages::CaptionChannelTabs(int channel) {
  for (int tab = kBasicTab; tab <= kExtendedTab; ++tab)
    tabs_.setTabText(tab, TabCaption(tab, channel));
}

}  // namespace mx::editor
