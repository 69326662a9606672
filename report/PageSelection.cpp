#include "report/PageSelection.h"

namespace mx::report {

namespace {

bool PageExists(int pageKind, ModelIndex model) {
  return pageKind == kGlobalPage || pageKind - 1 < ChannelCount(model);
}

}  // namespace

SelectionDialogState::SelectionDialogState(const PageSelection& stored, ModelIndex model,
                                           SelectionMode mode)
    : boxes_(stored), model_(model), mode_(mode) {
  for (int kind = 0; kind < kPageKindCount; ++kind)
    boxes_.pages[kind] = boxes_.pages[kind] && Enabled(kind);
}

std::string_view SelectionDialogState::Title() const {
  return mode_ == SelectionMode::Preview ? kPreviewSelectionTitle : kPrintSelectionTitle;
}

std::string_view SelectionDialogState::ActionCaption() const {
  return mode_ == SelectionMode::Preview ? kPreviewButton : kPrintButton;
}

bool SelectionDialogState::Enabled(int pageKind) const {
  return PageExists(pageKind, model_);
}

void SelectionDialogState::SetChecked(int pageKind, bool on) {
  boxes_.pages[pageKind] = on && Enabled(pageKind);
}

void SelectionDialogState::SelectAll() {
  for (int kind = 0; kind < kPageKindCount; ++kind)
    boxes_.pages[kind] = Enabled(kind);
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

std::vector<int> BuildPageList(const PageSelection& selection, ModelIndex model) {
  std::vector<int> kinds;
  for (int kind = 0; kind < kPageKindCount; ++kind) {
    if (selection.pages[kind] && PageExists(kind, model))
      kinds.push_back(kind);
  }
  return kinds;
}

}  // namespace mx::report
