#include "link/HeadlessCommandHost.h"

#include "core/ImageOperations.h"

namespace mx {

void HeadlessCommandHost::ModelSelect(ModelIndex model) {
  if (IsKnownModel(model))
    editor_.SelectLoadedModel(model);
  document_.UpdateCaption();
  document_.SetNetworkSettingsEdited(false);
  document_.CommitPages();
  ApplyModelRules(document_.Image(), CurrentModel());
  document_.RefreshPages();
}

}  // namespace mx
