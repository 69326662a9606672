#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "apps/mxtool/FileCommands.h"
#include "apps/mxtool/ImageJson.h"
#include "core/ImageOperations.h"
#include "core/SetupDocument.h"
#include "support/TempDir.h"

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
    EXPECT_EQ(bad.err, "Invalid Mesurix configuration file.     \n");
    EXPECT_TRUE(bad.out.empty());
  }
  EXPECT_EQ(Tool("export", {dir.File("missing.mxs")}).code, 2);
}

TEST(MxtoolImport, StartsFromTheModelDefaultsAndEncodesTexts) {
  const ImportedImage imported = ImageFromJson(R"({
    "modelIndex": 7,
    "description": "Bench \u00e9",
    "idMode": [1, 0, 0, 0, 0],
    "idText": ["A\\X2C", "", "", "", ""],
    "customFormatText": ["MMM.C", "", "", "", ""],
    "equationB": [2.5, 1, 1, 1, "0x7fc00000"]
  })");
  ASSERT_TRUE(imported.ok) << imported.error;
  const ParameterImage& image = imported.image;
  EXPECT_EQ(image.Get(fld::gageType, 0), 5);
  EXPECT_EQ(image.Get(fld::modelIndex), 7);
  EXPECT_EQ(image.Span(fld::description)[6], 0xE9);
  EXPECT_EQ(image.Text(fld::idText, 0), "A\\x2c");
  EXPECT_EQ(image.Get(fld::idLength, 0), 2);
  EXPECT_EQ(image.Span(fld::idBytes, 0)[1], ',');
  EXPECT_EQ(image.Get(fld::customFormatCount, 0), 3);
  EXPECT_EQ(image.Get(fld::equationB, 0), 2.5f);
  EXPECT_TRUE(std::isnan(image.Get(fld::equationB, 4)));
  EXPECT_TRUE(ChecksumMatches(image));
}

TEST(MxtoolImport, NamesTheFieldThatIsWrong) {
  struct Case {
    const char* json;
    const char* error;
  };
  const Case cases[] = {
      {R"({"gageType": [0, 0, 200, 0, 0]})", "field \"gageType\": element 2: must be an integer"},
      {R"({"hostBaud": 9600.5})", "field \"hostBaud\": must be an integer from 0 to 65535"},
      {R"({"hostBaud": "9600"})", "field \"hostBaud\""},
      {R"({"readSwitchMode": [1, 1]})", "field \"readSwitchMode\": must be an array of 5"},
      {R"({"hostParity": "NE"})", "field \"hostParity\": must be a one-character string"},
      {R"({"description": "\u0100"})", "field \"description\": holds a character above code 255"},
      {R"({"idText": ["0123456789012345678901234567890123", "", "", "", ""]})",
       "field \"idText\": element 0: is longer than its 31-byte buffer"},
      {R"({"networkSource": [[0,0,0,0,0]]})", "field \"networkSource\": must be an array of 6"},
      {R"({"ipAddress": [1, 2, 3, -4]})", "field \"ipAddress\": element 3"},
      {R"({"equationA": [1e300, 0, 0, 0, 0]})", "field \"equationA\": element 0: is outside"},
      {R"({"modelIndex": 300})", "field \"modelIndex\""},
      {R"({"gapTime": 5})", "unknown field \"gapTime\""},
      {R"({"extensionBlock": "00"})", "field \"extensionBlock\""},
      {R"([1, 2])", "the JSON must be one object"},
      {R"({"hostBaud": )", "not valid JSON"},
  };
  for (const Case& c : cases) {
    const ImportedImage imported = ImageFromJson(c.json);
    EXPECT_FALSE(imported.ok) << c.json;
    EXPECT_NE(imported.error.find(c.error), std::string::npos)
        << c.json << " -> " << imported.error;
  }
}

TEST(MxtoolImport, ErrorsWriteNothing) {
  test::TempDir dir;
  Write(dir.File("bad.json"), R"({"gageType": 3})");
  const ToolRun run = Tool("import", {dir.File("bad.json"), "-o", dir.File("out.mxs")});
  EXPECT_EQ(run.code, 2);
  EXPECT_NE(run.err.find("gageType"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.mxs")));
}

}  // namespace
}  // namespace mx::tool
