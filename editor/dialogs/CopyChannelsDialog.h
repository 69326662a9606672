#pragma once
// "Copy Channels": every per-channel setting of one channel onto any set of others.

#include <QDialog>
#include <array>
#include <functional>

#include "core/ModelTable.h"
#include "core/ParameterImage.h"

class QButtonGroup;
class QCheckBox;
class QPushButton;

namespace mx::editor {

class CopyChannelsDialog : public QDialog {
  Q_OBJECT
 public:
  // `commit` stores the pages into the image before the copy, `refresh` shows the result.
  CopyChannelsDialog(ParameterImage& image, ModelIndex model, std::function<void()> commit,
                     std::function<void()> refresh, QWidget* parent = nullptr);

 private:
  void SourceChosen(int source);
  void UpdateCopyButton();
  void Copy();

  ParameterImage& image_;
  bool twoChannels_;
  std::function<void()> commit_;
  std::function<void()> refresh_;
  QButtonGroup* sources_ = nullptr;
  std::array<QCheckBox*, 5> targets_{};
  QPushButton* copy_ = nullptr;
};

}  // namespace mx::editor
