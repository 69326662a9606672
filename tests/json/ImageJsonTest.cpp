// JSON import: the model's defaults first, then every field given, each wrong field named; derived
// fields follow their texts (with word of what was replaced) or, exactly, stay as given.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <string>

#include "core/ImageOperations.h"
#include "json/ImageJson.h"

namespace mx {
namespace {

TEST(ImageFromJson, StartsFromTheModelDefaultsAndEncodesTexts) {
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

TEST(ImageFromJson, NamesTheFieldThatIsWrong) {
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
      {R"({"description": "012345678901234567890123456789012345678901234567890123456789012345678901234567890"})",
       "field \"description\": is 81 characters long; the limit is 80"},
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

QByteArray Json(const QJsonObject& object) {
  return QJsonDocument(object).toJson();
}

TEST(ImageFromJson, GivenDerivedFieldsAreReplacedUnlessExact) {
  ParameterImage image;
  ResetImageToDefaults(image, 3);
  image.SetText(fld::commandText, "AB", 0);
  EncodeChannelTexts(image, 0);
  StoreChecksum(image);
  const uint32_t checksum = image.Get(fld::checksum);
  ExtensionBlock extension;
  extension.ResetToDefaults();
  QJsonObject json = ImageToJson(image, extension, true);
  // An interface may hold bytes that its text does not give.
  QJsonArray commands = json["commandBytes"].toArray();
  QJsonArray first = commands[0].toArray();
  first[0] = 'X';
  commands[0] = first;
  json["commandBytes"] = commands;

  const ImportedImage derived = ImageFromJson(Json(json));
  ASSERT_TRUE(derived.ok) << derived.error;
  EXPECT_EQ(derived.image, image);
  EXPECT_EQ(derived.replaced, (std::vector<std::string>{"commandBytes"}));

  const ImportedImage exact = ImageFromJson(Json(json), ImportMode::Exact);
  ASSERT_TRUE(exact.ok) << exact.error;
  EXPECT_EQ(exact.image.Span(fld::commandBytes, 0)[0], 'X');
  EXPECT_EQ(exact.image.Get(fld::checksum), checksum);  // as given, though it no longer matches
  EXPECT_TRUE(exact.replaced.empty());

  // Fields not given are derived in either mode.
  const ImportedImage sparse =
      ImageFromJson(R"({"commandText": ["AB", "", "", "", ""]})", ImportMode::Exact);
  ASSERT_TRUE(sparse.ok) << sparse.error;
  EXPECT_EQ(sparse.image.Span(fld::commandBytes, 0)[1], 'B');
  EXPECT_TRUE(ChecksumMatches(sparse.image));

  // A text's limit holds for the text proper, before its first NUL (81 is refused elsewhere).
  for (const std::string& text : {std::string(80, 'a'), "abc" + std::string(78, '\0')})
    EXPECT_TRUE(ImageFromJson(Json({{"description", QString::fromLatin1(text)}})).ok);
}

TEST(ImageJsonText, EscapesEveryControlAndKeepsTheBytes) {
  ParameterImage image;
  ResetImageToDefaults(image, 0);
  const std::string text = "a\x1b\x7f\x85\x9f\xa0\xe9";
  image.SetText(fld::description, text);
  ExtensionBlock extension;
  extension.ResetToDefaults();
  const QByteArray json = ImageJsonText(ImageToJson(image, extension, true));
  // A terminal showing the text acts on none of them: ESC, DEL and the C1 controls are escaped,
  // printable Latin-1 stays as it is.
  EXPECT_TRUE(json.contains("\"description\": \"a\\u001b\\u007f\\u0085\\u009f\xc2\xa0\xc3\xa9\""))
      << json.toStdString();
  const ImportedImage back = ImageFromJson(json);
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(back.image.Text(fld::description), text);
}

}  // namespace
}  // namespace mx
