#include "link/HeadlessCommandHost.h"

#include "core/ImageOperations.h"

namespace mx {

void HeadlessCommandHost::ModelSelect(int commandId) {
  if (const ModelInfo* info = ModelByCommandId(commandId))
    editor_.SelectLoadedModel(info->index);
  document_.UpdateCaption();
  document_.SetNetworkSettingsEdited(false);
  document_.CommitPages();
  ApplyModelRules(document_.Image(), CurrentModel());
  document_.RefreshPages();
}

}  // namespace mx
