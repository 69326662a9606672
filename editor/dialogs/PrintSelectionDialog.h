#pragma once
// "Print Preview Selection": which report pages a print, a preview or a PDF file holds. The rules
// (channels the model lacks, Select All, Clear All, when the action may run) are the report's
// SelectionDialogState; this dialog shows its state and passes the clicks on.

#include <QDialog>

#include "core/ModelTable.h"
#include "report/PageSelection.h"

class QButtonGroup;
class QPushButton;

namespace mx::editor {

class PrintSelectionDialog : public QDialog {
  Q_OBJECT
 public:
  PrintSelectionDialog(const report::PageSelection& stored, ModelIndex model,
                       report::SelectionMode mode, QWidget* parent = nullptr);

  // The boxes as they stand; after the action button, the selection to keep.
  const report::PageSelection& Selection() const { return state_.Boxes(); }

 private:
  void BoxToggled(int id, bool checked);
  void SelectAll();
  void ClearAll();
  void ShowState();

  report::SelectionDialogState state_;
  QButtonGroup* boxes_ = nullptr;
  QPushButton* clearAll_ = nullptr;
  QPushButton* action_ = nullptr;
};

}  // namespace mx::editor
