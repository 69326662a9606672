#pragma once
// A DeviceCommandHost with a document but no pages: the editor part is the model number, page
// commits are the document's own. mxtool and the tests derive from it and add the windows.

#include "link/DeviceCommandHost.h"

namespace mx {

class HeadlessCommandHost : public DeviceCommandHost {
 public:
  HeadlessCommandHost() : document_(editor_) {}

  SetupDocument& Document() override { return document_; }
  ModelIndex CurrentModel() const override { return editor_.CurrentModel(); }
  void SetCurrentModel(ModelIndex model) override { editor_.SelectLoadedModel(model); }
  void ModelSelect(ModelIndex model) override;
  void CommitPages() override { document_.CommitPages(); }
  void RefreshPages() override { document_.RefreshPages(); }
  void CommitStatusPage() override {}
  void RefreshStatusPage() override {}
  void CommitNetworkPage() override {}
  void RefreshNetworkPage() override {}

 private:
  EditorHooks editor_;  // declared first: the document reads its model when it is built
  SetupDocument document_;
};

}  // namespace mx
