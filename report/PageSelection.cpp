#include "report/PageSelection.h"

namespace mx::report {

namespace {

struct ModeTexts {
  std::string_view title;
  std::string_view action;
};
// By SelectionMode.
constexpr std::array<ModeTexts, 3> kModeTexts{{{kPrintSelectionTitle, kPrintButton},
                                               {kPreviewSelectionTitle, kPreviewButton},
                                               {kExportSelectionTitle, kExportButton}}};

bool PageExists(PageKind kind, ModelIndex model) {
  return kind == PageKind::Global || ChannelOf(kind) < ChannelCount(model);
}

}  // namespace

SelectionDialogState::SelectionDialogState(const PageSelection& stored, ModelIndex model,
                                           SelectionMode mode)
    : boxes_(stored), model_(model), mode_(mode) {
  for (const PageKind kind : kPageKinds)
    boxes_[kind] = boxes_[kind] && Enabled(kind);
}

std::string_view SelectionDialogState::Title() const {
  return kModeTexts[static_cast<std::size_t>(mode_)].title;
}

std::string_view SelectionDialogState::ActionCaption() const {
  return kModeTexts[static_cast<std::size_t>(mode_)].action;
}

bool SelectionDialogState::Enabled(PageKind kind) const {
  return PageExists(kind, model_);
}

void SelectionDialogState::SetChecked(PageKind kind, bool on) {
  boxes_[kind] = on && Enabled(kind);
}

void SelectionDialogState::SelectAll() {
  for (const PageKind kind : kPageKinds)
    boxes_[kind] = Enabled(kind);
}

void SelectionDialogState::ClearAll() {
  boxes_.pages.fill(false);
}

bool SelectionDialogState::ActionEnabled() const {
  for (const bool on : boxes_.pages) {
    if (on)
      return true;
  }
  return false;
}

std::vector<PageKind> BuildPageList(const PageSelection& selection, ModelIndex model) {
  std::vector<PageKind> kinds;
  for (const PageKind kind : kPageKinds) {
    if (selection[kind] && PageExists(kind, model))
      kinds.push_back(kind);
  }
  return kinds;
}

}  // namespace mx::report
