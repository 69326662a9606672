#pragma once
// A tab whose editor is not built yet: it says so, and loads and stores nothing, so the image
// bytes it would edit pass through files and transfers unchanged.

#include "editor/pages/SetupPage.h"

namespace mx::editor {

class PlaceholderPage : public SetupPage {
  Q_OBJECT
 public:
  PlaceholderPage(CMX3_SetupDoc& document, int helpTopic, QWidget* parent = nullptr);

  void LoadFromImage() override {}
  void StoreToImage() override {}
};

}  // namespace mx::editor
