#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "core/FieldCodes.h"
#include "core/ImageOperations.h"
#include "core/SetupDocument.h"
#include "support/TempDir.h"
#include "tool/FileCommands.h"

namespace mx::tool {
namespace {

struct ToolRun {
  int code;
  std::string out, err;
};

ToolRun Tool(const std::string& command, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunFileCommand(command, args, {out, err});
  return {code, out.str(), err.str()};
}

std::vector<uint8_t> Read(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes).ok) << path;
  return bytes;
}

void Write(const std::string& path, const std::string& text) {
  ASSERT_TRUE(WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end())).ok);
}

TEST(MxtoolNew, WritesWhatFileNewAndSaveWrite) {
  test::TempDir dir;
  for (const char* model : {"0", "Mesurix5 Network", "mx6-ntwk-00"}) {
    const std::string path = dir.File("new.mxs");
    const ToolRun run = Tool("new", {"--model", model, "-o", path});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto bytes = Read(path);
    ASSERT_EQ(bytes.size(), kConfigFileSize);
    ParameterImage image;
    ExtensionBlock extension;
    ASSERT_EQ(ParseConfigFile(bytes, image, extension), ConfigParse::Ok);
    const ModelIndex expected = ModelByAnyName(model)->index;
    ParameterImage defaults;
    ResetImageToDefaults(defaults, expected);
    StoreChecksum(defaults);
    EXPECT_EQ(image, defaults) << model;
    EXPECT_TRUE(extension.IsDefault());
  }
  EXPECT_EQ(Tool("new", {"--model", "8", "-o", dir.File("x.mxs")}).code, 2);
  EXPECT_EQ(Tool("new", {"--model", "1"}).code, 2);
  EXPECT_EQ(Tool("new", {"--colour", "1"}).code, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.mxs")));
}

// An image with every byte stirred up, made consistent the way a saved file is.
ParameterImage StirredImage(unsigned seed) {
  std::mt19937 random(seed);
  ParameterImage image;
  for (auto& b : image.Bytes())
    b = static_cast<uint8_t>(random());
  // The file's header copies come from the image, so those must be right for it to load.
  image.SetText(fld::formatVersion, kFormatVersionText);
  image.Set(fld::imageLength, static_cast<uint16_t>(kImageSize));
  // The editor's texts always end inside their fields.
  for (const FieldInfo& info : kFieldTable) {
    for (int element = 0; info.type == FieldType::Text && element < info.count; ++element)
      image.Span(info, element).back() = 0;
  }
  // A coded field holds one of its codes: import refuses the others unless told to be exact.
  for (const FieldInfo& info : kFieldTable) {
    const FieldCodes* codes = CodesOf(info.name);
    for (int element = 0; codes && element < info.count; ++element) {
      const int code = codes->values[random() % codes->values.size()];
      std::span<uint8_t> bytes = image.Span(info, element);
      for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(static_cast<unsigned>(code) >> (8 * i));
    }
  }
  ApplyLoadFixups(image);
  for (int c = 0; c < kChannelCount; ++c)
    EncodeChannelTexts(image, c);
  image.Set(fld::equationA, -0.0f, 1);
  StoreChecksum(image);
  return image;
}

TEST(MxtoolExportImport, RoundTripKeepsEveryByte) {
  test::TempDir dir;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const ParameterImage image = StirredImage(seed);
    ExtensionBlock extension;
    extension.ResetToDefaults();
    if (seed % 2)
      extension.bytes[4000] = static_cast<uint8_t>(seed);
    const std::string original = dir.File("orig.mxs");
    ASSERT_TRUE(WriteFileAtomically(original, SerializeConfigFile(image, extension)).ok);

    const ToolRun exported = Tool("export", {original});
    ASSERT_EQ(exported.code, 0) << exported.err;
    Write(dir.File("orig.json"), exported.out);
    const ToolRun imported = Tool("import", {dir.File("orig.json"), "-o", dir.File("back.mxs")});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(Read(dir.File("back.mxs")), Read(original)) << "seed " << seed;
  }
}

// An interface's image need not be consistent (byte forms that their texts do not give, texts
// without their terminator, a wrong checksum, settings the program would correct): with --exact
// both ways it is archived and restored bit for bit.
TEST(MxtoolExportImport, ExactRoundTripKeepsAnyImage) {
  test::TempDir dir;
  std::mt19937 random(7);
  for (int trial = 0; trial < 30; ++trial) {
    ParameterImage image;
    ExtensionBlock extension;
    for (auto& b : image.Bytes())
      b = static_cast<uint8_t>(random());
    for (auto& b : extension.bytes)
      b = static_cast<uint8_t>(random());
    const std::string original = dir.File("device.mxs");
    ASSERT_TRUE(WriteFileAtomically(original, SerializeConfigFile(image, extension)).ok);

    const ToolRun exported = Tool("export", {original, "--exact"});
    ASSERT_EQ(exported.code, 0) << exported.err;
    Write(dir.File("device.json"), exported.out);
    const ToolRun imported =
        Tool("import", {dir.File("device.json"), "-o", dir.File("back.mxs"), "--exact"});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_TRUE(imported.err.empty()) << imported.err;
    EXPECT_EQ(Read(dir.File("back.mxs")), Read(original)) << "trial " << trial;
  }
}

TEST(MxtoolImport, WarnsForEveryDerivedFieldItReplaces) {
  test::TempDir dir;
  ASSERT_EQ(Tool("new", {"--model", "2", "-o", dir.File("a.mxs")}).code, 0);
  std::string json = Tool("export", {dir.File("a.mxs")}).out;
  const std::string length = "\"idLength\": [";
  json.replace(json.find(length) + length.size(), 1, "7");  // channel A's, not what its text gives
  const std::string description = "\"description\": \"";
  json.insert(json.find(description) + description.size(), "edited ");
  Write(dir.File("a.json"), json);
  const ToolRun run = Tool("import", {dir.File("a.json"), "-o", dir.File("b.mxs")});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.err.find("field \"idLength\""), std::string::npos) << run.err;
  // The checksum of an edited export is always stale: replacing it is no news.
  EXPECT_EQ(run.err.find("field \"checksum\""), std::string::npos) << run.err;
  const std::string back = Tool("export", {dir.File("b.mxs")}).out;
  EXPECT_NE(back.find("\"idLength\": [0,"), std::string::npos) << back;
  EXPECT_NE(back.find("\"description\": \"edited "), std::string::npos) << back;
  EXPECT_NE(back.find("\"checksumMatches\": true"), std::string::npos);
}

TEST(MxtoolExport, ReportsChecksumAndRejectsInvalidFiles) {
  test::TempDir dir;
  ParameterImage image;
  ResetImageToDefaults(image, 3);
  image.Set(fld::checksum, 12345u);
  ExtensionBlock extension;
  extension.ResetToDefaults();
  ASSERT_TRUE(WriteFileAtomically(dir.File("a.mxs"), SerializeConfigFile(image, extension)).ok);
  const ToolRun run = Tool("export", {dir.File("a.mxs")});
  EXPECT_NE(run.out.find("\"checksumMatches\": false"), std::string::npos);
  EXPECT_NE(run.out.find("\"checksum\": 12345"), std::string::npos);
  const ToolRun check = Tool("check", {dir.File("a.mxs")});
  EXPECT_EQ(check.code, 0);
  EXPECT_NE(check.out.find("Mesurix4 Network, checksum mismatch"), std::string::npos) << check.out;

  Write(dir.File("bad.mxs"), "Mesurix Configuration File");
  for (const char* command : {"export", "check"}) {
    const ToolRun bad = Tool(command, {dir.File("bad.mxs")});
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.err, "mxtool: " + dir.File("bad.mxs") +
                           ": Invalid Mesurix configuration file. (too short to hold a parameter "
                           "image)\n");
    EXPECT_TRUE(bad.out.empty());
  }
  EXPECT_EQ(Tool("export", {dir.File("missing.mxs")}).code, 2);
}

TEST(MxtoolImport, ErrorsWriteNothing) {
  test::TempDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {R"({"gageType": 3})", "gageType"},
      {R"({"description": ")" + std::string(81, 'a') + "\"}", "\"description\": is 81 characters"},
  };
  for (const auto& [json, error] : cases) {
    Write(dir.File("bad.json"), json);
    const ToolRun run = Tool("import", {dir.File("bad.json"), "-o", dir.File("out.mxs")});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.mxs")));
  }
  EXPECT_EQ(Tool("check", {dir.File("bad.json"), "--exact"}).code, 2);
}

}  // namespace
}  // namespace mx::tool
