#include "core/SetupDocument.h"

#include <filesystem>
#include <system_error>

#include "core/ImageOperations.h"

namespace mx {

SetupDocument::SetupDocument(EditorHooks& hooks) : hooks_(hooks) {
  ResetImageToDefaults(image_, hooks_.CurrentModel());
  extension_.ResetToDefaults();
  savedImage_ = image_;
}

void SetupDocument::CommitPages() {
  hooks_.StorePages();
  SealImage();
}

void SetupDocument::SealImage() {
  image_.Set(fld::modelIndex, static_cast<int8_t>(hooks_.CurrentModel()));
  const uint32_t sum = ImageChecksum(image_);
  image_.Set(fld::checksum, sum);
  savedImage_.Set(fld::checksum, sum);
}

void SetupDocument::ResetToDefaults() {
  ResetImageToDefaults(image_, hooks_.CurrentModel());
  extension_.ResetToDefaults();
  networkEdited_ = false;
  savedImage_ = image_;
}

void SetupDocument::NewDocument() {
  ResetToDefaults();
  hooks_.RefreshPages();
  pathName_.clear();
  unreadPath_.clear();
  fileName_ = kUntitledName;
  UpdateCaption();
}

void SetupDocument::ShowLoadedImage() {
  hooks_.SelectLoadedModel(image_.Get(fld::modelIndex));
  hooks_.RefreshPages();
  savedImage_ = image_;
}

LoadOutcome SetupDocument::Open(const std::string& path, std::string* error) {
  std::vector<uint8_t> bytes;
  // Anything past the file's fixed size is ignored, so there is no need to read it.
  const FileResult read = ReadWholeFile(path, bytes, kConfigFileSize);
  if (!read.ok) {
    if (error)
      *error = read.error;
    return LoadOutcome::Unreadable;
  }
  return Load(bytes, path);
}

LoadOutcome SetupDocument::Load(std::span<const uint8_t> file, const std::string& path) {
  ParameterImage loaded;
  ExtensionBlock extension = extension_;
  LoadOutcome outcome = LoadOutcome::Opened;
  if (ParseConfigFile(file, loaded, extension) == ConfigParse::Ok) {
    image_ = loaded;
    extension_ = extension;
    ApplyLoadFixups(image_);
    unreadPath_.clear();
  } else {
    ResetToDefaults();
    hooks_.ShowInvalidFile(kInvalidConfigFileText);
    outcome = LoadOutcome::Rejected;
    unreadPath_ = path;
  }
  networkEdited_ = false;
  ShowLoadedImage();
  pathName_ = path;
  fileName_ = FileNameFromPath(path);
  UpdateCaption();
  return outcome;
}

FileResult SetupDocument::Save(const std::string& path) {
  CommitPages();
  const FileResult result = WriteFileAtomically(path, SerializeConfigFile(image_, extension_));
  if (!result.ok)
    return result;
  savedImage_ = image_;
  pathName_ = path;
  unreadPath_.clear();
  fileName_ = FileNameFromPath(path);
  UpdateCaption();
  return result;
}

bool SetupDocument::WouldReplaceUnreadFile(const std::string& path) const {
  if (unreadPath_.empty())
    return false;
  // The same file under another name (a link, a relative path) counts too.
  std::error_code error;
  return path == unreadPath_ || std::filesystem::equivalent(path, unreadPath_, error);
}

bool SetupDocument::HasUnsavedChanges() {
  CommitPages();
  return image_ != savedImage_;
}

void SetupDocument::AcceptReceivedImage(const ParameterImage& image) {
  image_ = image;
  savedImage_ = image;
}

std::string SetupDocument::Caption() const {
  return BuildCaption(hooks_.CurrentModel(), fileName_);
}

std::string FileNameFromPath(std::string_view path) {
  const std::size_t cut = path.find_last_of("/\\");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string BuildCaption(ModelIndex model, std::string_view fileName) {
  std::string caption(ModelCaption(model));
  if (!fileName.empty()) {
    caption += " - ";
    caption += fileName;
  }
  return caption;
}

}  // namespace mx
