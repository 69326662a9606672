#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/ConfigFile.h"
#include "core/ImageOperations.h"
#include "support/TempDir.h"

namespace mx {
namespace {

struct Saved {
  ParameterImage image;
  ExtensionBlock extension;
  std::vector<uint8_t> file;
};

Saved SavedFile(ModelIndex model = 5) {
  Saved s;
  ResetImageToDefaults(s.image, model);
  s.image.SetText(fld::description, "line 2");
  StoreChecksum(s.image);
  s.extension.ResetToDefaults();
  s.file = SerializeConfigFile(s.image, s.extension);
  return s;
}

TEST(ConfigFile, LayoutOfAWrittenFile) {
  const Saved s = SavedFile();
  ASSERT_EQ(s.file.size(), 7626u);
  EXPECT_TRUE(std::all_of(s.file.begin() + 39, s.file.begin() + 139, [](uint8_t b) { return !b; }));
  EXPECT_TRUE(std::equal(s.file.begin() + 27, s.file.begin() + 39, s.file.begin() + 139));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.file.data())),
            "Mesurix Configuration File");
  EXPECT_TRUE(std::equal(s.image.Bytes().begin(), s.image.Bytes().end(), s.file.begin() + 139));
  EXPECT_EQ(s.file[3440 + 10], 4186 & 0xFF);

  ParameterImage image;
  ExtensionBlock extension;
  ASSERT_EQ(ParseConfigFile(s.file, image, extension), ConfigParse::Ok);
  EXPECT_EQ(image, s.image);
  EXPECT_EQ(extension, s.extension);
}

TEST(ConfigFile, RejectsWrongHeaderVersionLengthOrShortImage) {
  auto rejects = [](std::vector<uint8_t> file) {
    ParameterImage image;
    image.Bytes().fill(0x5A);
    ExtensionBlock extension;
    extension.bytes.fill(0x5A);
    const bool invalid = ParseConfigFile(file, image, extension) == ConfigParse::Invalid;
    const bool untouched = image.Bytes()[0] == 0x5A && extension.bytes[0] == 0x5A;
    return invalid && untouched;
  };
  const Saved s = SavedFile();
  auto mutated = [&](std::size_t at, uint8_t value) {
    auto f = s.file;
    f[at] = value;
    return f;
  };
  EXPECT_TRUE(rejects(mutated(0, 'm')));
  EXPECT_TRUE(rejects(mutated(26, ' ')));   // header not terminated
  EXPECT_TRUE(rejects(mutated(35, 0)));     // "1.00" with four blanks
  EXPECT_TRUE(rejects(mutated(37, 0xE4)));  // image length 3300
  EXPECT_TRUE(rejects(mutated(38, 0x00)));
  EXPECT_TRUE(rejects({s.file.begin(), s.file.begin() + 3439}));
  EXPECT_TRUE(rejects({}));
  EXPECT_FALSE(rejects(mutated(139, 'X'))) << "the copy inside the image is not checked";
  EXPECT_FALSE(rejects(mutated(60, 0xFF))) << "reserved bytes are ignored";
  // Each with its reason.
  EXPECT_EQ(FindConfigFault(mutated(26, ' ')), ConfigFault::NoHeader);
  EXPECT_EQ(FindConfigFault(mutated(35, 0)), ConfigFault::WrongVersion);
  EXPECT_EQ(FindConfigFault(mutated(37, 0xE4)), ConfigFault::WrongImageLength);
  EXPECT_EQ(FindConfigFault({s.file.begin(), s.file.begin() + 3439}), ConfigFault::TooShort);
  EXPECT_EQ(FindConfigFault(s.file), ConfigFault::None);
}

TEST(ConfigFile, AnImageWithADamagedHeaderStillSavesAFileThatOpens) {
  Saved s = SavedFile();
  s.image.Bytes()[3] = 'X';
  s.image.Set(fld::imageLength, uint16_t{1234});
  const auto file = SerializeConfigFile(s.image, s.extension);
  ParameterImage image;
  ExtensionBlock extension;
  ASSERT_EQ(ParseConfigFile(file, image, extension), ConfigParse::Ok);
  EXPECT_EQ(image, s.image) << "the image itself is written as it is";
}

TEST(ConfigFile, ShortExtensionBlockKeepsTheRestAndExtraBytesAreIgnored) {
  const Saved s = SavedFile();
  ParameterImage image;
  ExtensionBlock extension;
  extension.bytes.fill(0x77);
  std::vector<uint8_t> cut(s.file.begin(), s.file.begin() + 3440 + 12);
  ASSERT_EQ(ParseConfigFile(cut, image, extension), ConfigParse::Ok);
  EXPECT_EQ(extension.bytes[11], s.extension.bytes[11]);
  EXPECT_EQ(extension.bytes[12], 0x77);

  auto longer = s.file;
  longer.resize(9000, 0xCC);
  ASSERT_EQ(ParseConfigFile(longer, image, extension), ConfigParse::Ok);
  EXPECT_EQ(extension, s.extension);
}

TEST(AtomicWrite, ReplacesWholeOrNotAtAll) {
  test::TempDir dir;
  const std::string path = dir.File("a.mxs");
  const std::vector<uint8_t> first(100, 1), second(7626, 2);
  ASSERT_TRUE(WriteFileAtomically(path, first).ok);
  ASSERT_TRUE(WriteFileAtomically(path, second).ok);
  std::vector<uint8_t> back;
  ASSERT_TRUE(ReadWholeFile(path, back).ok);
  EXPECT_EQ(back, second);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "no temporary file left behind";

  // A folder we may not write into: the save fails and says so, the old file stays whole.
  if (::geteuid() != 0) {
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const FileResult failed = WriteFileAtomically(path, first);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.empty());
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    ASSERT_TRUE(ReadWholeFile(path, back).ok);
    EXPECT_EQ(back, second);
  }
  const FileResult missing = WriteFileAtomically(dir.File("no/such/folder.mxs"), first);
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("no/such"), std::string::npos) << missing.error;
}

TEST(AtomicWrite, KeepsPermissionsAndWritesThroughSymbolicLinks) {
  test::TempDir dir;
  const std::string real = dir.File("real.mxs");
  const std::string link = dir.File("link.mxs");
  ASSERT_TRUE(WriteFileAtomically(real, std::vector<uint8_t>(5, 1)).ok);
  std::filesystem::permissions(real, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  std::filesystem::create_symlink(real, link);
  ASSERT_TRUE(WriteFileAtomically(link, std::vector<uint8_t>(7, 2)).ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::file_size(real), 7u);
  EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_write |
                                                             std::filesystem::perms::group_read);
}

TEST(ReadWholeFile, ReportsMissingFilesAndFolders) {
  test::TempDir dir;
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(ReadWholeFile(dir.File("missing.mxs"), bytes).ok);
  EXPECT_FALSE(ReadWholeFile(dir.path().string(), bytes).ok);
}

}  // namespace
}  // namespace mx
