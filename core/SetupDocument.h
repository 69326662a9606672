#pragma once
// The setup program's document without a window: the image, the saved copy that decides whether
// there are unsaved changes, the extension block, the file name and the caption. The Qt document
// wraps it; the command line uses it as it is.

#include <string>

#include "core/ConfigFile.h"
#include "core/ExtensionBlock.h"
#include "core/ModelTable.h"
#include "core/ParameterImage.h"

namespace mx {

// What the document needs from the editor. The defaults are what a program without pages does:
// the model is a plain number, there is nothing to store or show, and messages go nowhere.
class EditorHooks {
 public:
  virtual ~EditorHooks() = default;
  virtual ModelIndex CurrentModel() const { return model_; }
  // A loaded image's model becomes the editor's (radio buttons, tab set).
  virtual void SelectLoadedModel(ModelIndex model) { model_ = model; }
  virtual void StorePages() {}
  virtual void RefreshPages() {}
  virtual void SetCaption(const std::string&) {}
  virtual void ShowInvalidFile(std::string_view /*text*/) {}

 private:
  ModelIndex model_ = 0;
};

enum class [[nodiscard]] LoadOutcome{
    Opened,      // valid file, image shown
    Rejected,    // invalid contents: defaults, the message was shown, the name is kept
    Unreadable,  // the file could not be read at all: nothing changed
};

class SetupDocument {
 public:
  explicit SetupDocument(EditorHooks& hooks);

  ParameterImage& Image() { return image_; }
  const ParameterImage& Image() const { return image_; }
  const ParameterImage& SavedImage() const { return savedImage_; }
  ExtensionBlock& Extension() { return extension_; }
  const ExtensionBlock& Extension() const { return extension_; }
  const std::string& FileName() const { return fileName_; }
  const std::string& PathName() const { return pathName_; }
  bool NetworkSettingsEdited() const { return networkEdited_; }
  void SetNetworkSettingsEdited(bool edited) { networkEdited_ = edited; }

  // The page protocol: the pages store (through the editor's hooks), then SealImage.
  void CommitPages();
  // The end of every commit: model index and checksum into the image, the checksum also into the
  // saved copy (so a recomputed checksum alone is never a change). An editor that stores its
  // pages itself calls it after them.
  void SealImage();
  void RefreshPages() { hooks_.RefreshPages(); }

  // Defaults for the editor's current model; the saved copy follows.
  void ResetToDefaults();
  // File New: defaults, pages refreshed, "Untitled".
  void NewDocument();
  LoadOutcome Open(const std::string& path, std::string* error = nullptr);
  // Open for a file already read (never Unreadable): `path` names it.
  LoadOutcome Load(std::span<const uint8_t> file, const std::string& path);
  FileResult Save(const std::string& path);
  // True when saving under `path` would overwrite the file that this document failed to load: the
  // user never saw what it holds, so a window asks before replacing it. Any successful save, New or
  // a good Open ends that.
  bool WouldReplaceUnreadFile(const std::string& path) const;
  // True when the pages hold edits that differ from the saved copy (commits first).
  bool HasUnsavedChanges();
  // The image read from the interface replaces both copies.
  void AcceptReceivedImage(const ParameterImage& image);

  std::string Caption() const;
  void UpdateCaption() { hooks_.SetCaption(Caption()); }

 private:
  void ShowLoadedImage();

  EditorHooks& hooks_;
  ParameterImage image_;
  ParameterImage savedImage_;
  ExtensionBlock extension_;
  std::string pathName_;
  std::string fileName_;
  std::string unreadPath_;  // the file of the last rejected open, until the document moves on
  bool networkEdited_ = false;
};

inline constexpr std::string_view kUntitledName = "Untitled";

// The part of a path after its last separator ('/' or '\'), or the whole path.
std::string FileNameFromPath(std::string_view path);
// Model name (or "MXSetup"), then " - " and the file name when there is one.
std::string BuildCaption(ModelIndex model, std::string_view fileName);

}  // namespace mx
