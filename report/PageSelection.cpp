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
  return kModeTexts[static_cast<std::size_t>(mode_)].title;
}

std::string_view SelectionDialogState::ActionCaption() const {
  return kModeTexts[static_cast<std::size_t>(mode_)].action;
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
