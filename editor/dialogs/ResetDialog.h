#pragma once
// "Reset to Default Values": chosen groups of settings back to their defaults.

#include <QDialog>
#include <array>
#include <functional>

#include "core/ModelTable.h"
#include "core/ParameterImage.h"

class QCheckBox;
class QPushButton;

namespace mx::editor {

class ResetDialog : public QDialog {
  Q_OBJECT
 public:
  ResetDialog(ParameterImage& image, ModelIndex model, std::function<void()> commit,
              std::function<void()> refresh, QWidget* parent = nullptr);

 private:
  // Boxes: Status tab, Network tab, then channels A..E.
  static constexpr int kBoxCount = 7;
  static constexpr int kFirstChannelBox = 2;

  void SelectAll();
  void UpdateResetButton();
  void Reset();

  ParameterImage& image_;
  ModelIndex model_;
  bool twoChannels_;
  std::function<void()> commit_;
  std::function<void()> refresh_;
  std::array<QCheckBox*, kBoxCount> boxes_{};
  QPushButton* reset_ = nullptr;
};

}  // namespace mx::editor
