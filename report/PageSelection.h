#pragma once
// Which report pages a print job holds: the selection the main view keeps between jobs, the rules
// of the dialog that edits it, and the page list built from it. No widgets here, so the dialog is
// a thin view over SelectionDialogState.

#include <array>
#include <string_view>
#include <vector>

#include "core/ModelTable.h"
#include "report/ReportBody.h"

namespace mx::report {

// One flag per page kind: the global page, then channels A..E.
struct PageSelection {
  std::array<bool, kPageKindCount> pages{true, true, false, false, false, false};
  bool& operator[](PageKind kind) { return pages[IndexOf(kind)]; }
  bool operator[](PageKind kind) const { return pages[IndexOf(kind)]; }
  bool operator==(const PageSelection&) const = default;
};

// Export writes the pages to a PDF file through the same code as printing.
enum class SelectionMode { Print, Preview, Export };

inline constexpr std::string_view kPreviewSelectionTitle = "Print Preview Selection";
inline constexpr std::string_view kPrintSelectionTitle = "Print Selection";
inline constexpr std::string_view kPreviewButton = "Print Preview";
inline constexpr std::string_view kPrintButton = "Print";
inline constexpr std::string_view kExportSelectionTitle = "Export PDF Selection";
inline constexpr std::string_view kExportButton = "Export PDF";
inline constexpr std::string_view kSelectionGroup = "Parameters to Preview: ";
inline constexpr std::string_view kSelectAllButton = "Select All";
inline constexpr std::string_view kClearAllButton = "Clear All";
inline constexpr std::string_view kCancelButton = "Cancel";
// Box captions by page kind; "&&" shows one ampersand on a caption with mnemonics.
inline constexpr std::array<std::string_view, kPageKindCount> kPageBoxCaptions{
    "Global settings && channel summary",
    "Channel A",
    "Channel B",
    "Channel C",
    "Channel D",
    "Channel E"};

class SelectionDialogState {
 public:
  SelectionDialogState(const PageSelection& stored, ModelIndex model, SelectionMode mode);

  std::string_view Title() const;
  std::string_view ActionCaption() const;

  // Channels C..E do not exist on two-channel models: their boxes are disabled and unchecked.
  bool Enabled(PageKind kind) const;
  bool Checked(PageKind kind) const { return boxes_[kind]; }
  // A disabled box stays unchecked.
  void SetChecked(PageKind kind, bool on);
  void SelectAll();
  void ClearAll();
  // "Clear All" and the print or preview button: only while at least one box is checked.
  bool ActionEnabled() const;

  // What the print or preview button stores as the selection.
  const PageSelection& Boxes() const { return boxes_; }

 private:
  PageSelection boxes_;
  ModelIndex model_;
  SelectionMode mode_;
};

// The job's pages in printing order (global page first, then channels A..E), the channels the
// model lacks left out.
std::vector<PageKind> BuildPageList(const PageSelection& selection, ModelIndex model);

}  // namespace mx::report
