#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "core/ImageOperations.h"
#include "core/SetupDocument.h"
#include "support/TempDir.h"

namespace mx {
namespace {

// Records what the document asks of the editor; one "page" edits a channel's gap time.
class FakeEditor : public EditorHooks {
 public:
  ModelIndex CurrentModel() const override { return model; }
  void SelectLoadedModel(ModelIndex m) override { model = m; }
  void StorePages() override {
    ++stores;
    if (doc && pendingGap)
      doc->Image().Set(fld::gapTimeMs, *pendingGap, 0);
  }
  void RefreshPages() override { ++refreshes; }
  void SetCaption(const std::string& c) override { caption = c; }
  void ShowInvalidFile(std::string_view text) override { messages.emplace_back(text); }

  SetupDocument* doc = nullptr;
  std::optional<uint16_t> pendingGap;
  ModelIndex model = 0;
  int stores = 0, refreshes = 0;
  std::string caption;
  std::vector<std::string> messages;
};

struct DocumentTest : ::testing::Test {
  DocumentTest() { editor.doc = &doc; }
  FakeEditor editor;
  SetupDocument doc{editor};
  test::TempDir dir;
};

TEST_F(DocumentTest, NewDocumentIsUntitledWithTheModelCaption) {
  editor.model = 5;
  doc.NewDocument();
  EXPECT_EQ(editor.caption, "Mesurix5 Network - Untitled");
  EXPECT_EQ(doc.Image().Get(fld::modelIndex), 5);
  EXPECT_EQ(doc.Image(), doc.SavedImage());
  EXPECT_EQ(doc.Image().Get(fld::checksum), 0u);
  EXPECT_FALSE(doc.HasUnsavedChanges());
  EXPECT_NE(doc.Image().Get(fld::checksum), 0u) << "the commit fills the checksum";
  EXPECT_EQ(doc.Image(), doc.SavedImage());
}

TEST_F(DocumentTest, EditingAndChangingBackAsksNothing) {
  doc.NewDocument();
  editor.pendingGap = 500;
  EXPECT_TRUE(doc.HasUnsavedChanges()) << "an edit still in its control counts";
  editor.pendingGap = 100;
  EXPECT_FALSE(doc.HasUnsavedChanges());
  editor.model = 1;
  EXPECT_TRUE(doc.HasUnsavedChanges()) << "a model change is a change";
}

TEST_F(DocumentTest, SaveAndOpenRoundTripWithFixups) {
  editor.model = 4;
  doc.NewDocument();
  doc.Image().Set(fld::gapTimeMs, uint16_t{0}, 3);
  const std::string path = dir.File("line2.mxs");
  ASSERT_TRUE(doc.Save(path).ok);
  EXPECT_EQ(std::filesystem::file_size(path), 7626u);
  EXPECT_EQ(editor.caption, "Mesurix5 Plus - line2.mxs");

  editor.model = 0;
  doc.NewDocument();
  ASSERT_EQ(doc.Open(path), LoadOutcome::Opened);
  EXPECT_EQ(editor.model, 4) << "the file's model becomes the editor's";
  EXPECT_EQ(doc.Image().Get(fld::gapTimeMs, 3), 100) << "fix-ups applied on load";
  EXPECT_EQ(doc.Image(), doc.SavedImage());
  EXPECT_EQ(editor.caption, "Mesurix5 Plus - line2.mxs");
  EXPECT_TRUE(editor.messages.empty());
}

TEST_F(DocumentTest, RejectedFileKeepsItsNameButHoldsDefaults) {
  editor.model = 6;
  doc.NewDocument();
  doc.Image().SetText(fld::description, "old contents");
  const std::string path = dir.File("bad.mxs");
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(7626, 'x')).ok);
  EXPECT_EQ(doc.Open(path), LoadOutcome::Rejected);
  ASSERT_EQ(editor.messages.size(), 1u);
  EXPECT_EQ(editor.messages[0], "Invalid Mesurix configuration file.     ");
  ParameterImage defaults;
  ResetImageToDefaults(defaults, 6);
  EXPECT_EQ(doc.Image(), defaults);
  EXPECT_EQ(doc.Image(), doc.SavedImage());
  EXPECT_EQ(doc.FileName(), "bad.mxs");
  EXPECT_EQ(editor.caption, "Mesurix6 Plus - bad.mxs");
}

TEST_F(DocumentTest, TheFileThatFailedToLoadIsMarkedUntilTheDocumentMovesOn) {
  const std::string path = dir.File("bad.mxs");
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(300, 'x')).ok);
  const std::string link = dir.File("link.mxs");
  std::filesystem::create_symlink(path, link);
  ASSERT_EQ(doc.Open(path), LoadOutcome::Rejected);
  EXPECT_TRUE(doc.WouldReplaceUnreadFile(path));
  EXPECT_TRUE(doc.WouldReplaceUnreadFile(link)) << "the same file by another name";
  EXPECT_FALSE(doc.WouldReplaceUnreadFile(dir.File("other.mxs")));
  ASSERT_TRUE(doc.Save(path).ok);
  EXPECT_FALSE(doc.WouldReplaceUnreadFile(path)) << "saved once, the file holds what is shown";

  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(300, 'x')).ok);
  ASSERT_EQ(doc.Open(path), LoadOutcome::Rejected);
  doc.NewDocument();
  EXPECT_FALSE(doc.WouldReplaceUnreadFile(path));
}

TEST_F(DocumentTest, UnreadableFileChangesNothing) {
  doc.NewDocument();
  doc.Image().SetText(fld::description, "keep me");
  std::string error;
  EXPECT_EQ(doc.Open(dir.File("missing.mxs"), &error), LoadOutcome::Unreadable);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(doc.Image().Text(fld::description), "keep me");
  EXPECT_EQ(doc.FileName(), "Untitled");
}

TEST_F(DocumentTest, FailedSaveReportsAndKeepsTheDocumentUnsaved) {
  doc.NewDocument();
  editor.pendingGap = 700;
  const FileResult result = doc.Save(dir.File("missing-folder/x.mxs"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(doc.FileName(), "Untitled");
  EXPECT_TRUE(doc.HasUnsavedChanges());
}

TEST_F(DocumentTest, UnknownModelInAFileGivesThePlainCaption) {
  doc.NewDocument();
  editor.model = 9;
  const std::string path = dir.File("nine.mxs");
  ASSERT_TRUE(doc.Save(path).ok);
  editor.model = 0;
  ASSERT_EQ(doc.Open(path), LoadOutcome::Opened);
  EXPECT_EQ(editor.caption, "MXSetup - nine.mxs");
}

TEST(FileNames, TakeThePartAfterTheLastSeparator) {
  EXPECT_EQ(FileNameFromPath("/home/qa/line2.mxs"), "line2.mxs");
  EXPECT_EQ(FileNameFromPath("C:\\setups\\a b.mxs"), "a b.mxs");
  EXPECT_EQ(FileNameFromPath("plain.mxs"), "plain.mxs");
  EXPECT_EQ(BuildCaption(3, ""), "Mesurix4 Network");
}

}  // namespace
}  // namespace mx
