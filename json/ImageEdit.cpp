#include "json/ImageEdit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <algorithm>
#include <charconv>

#include "json/ImageJson.h"

namespace mx {
namespace {

QString Name(const FieldInfo& info) {
  return QString::fromLatin1(QByteArrayView(info.name));
}

int Columns(const FieldInfo& info) {
  return info.rows > 1 ? info.count / info.rows : info.count;
}

bool IsAddress(const FieldInfo& info) {
  return info.count == 4 && info.type == FieldType::U8;
}

char ChannelLetter(int channel) {
  return static_cast<char>('A' + channel);
}

// "[C]" for a channel, "[3]" for another position.
std::string Index(const FieldInfo& info, int column) {
  return "[" +
         (Columns(info) == kChannelCount ? std::string(1, ChannelLetter(column))
                                         : std::to_string(column)) +
         "]";
}

std::string Text(const QJsonValue& value) {
  return ImageJsonValueText(value).toStdString();
}

std::string DottedQuad(const QJsonValue& value) {
  std::string text;
  for (const QJsonValue octet : value.toArray())
    text += (text.empty() ? "" : ".") + std::to_string(octet.toInt());
  return text;
}

void DiffField(const FieldInfo& info, const QJsonValue& a, const QJsonValue& b,
               std::vector<std::string>& lines) {
  const std::string name(info.name);
  if (a == b)
    return;
  if (info.count == 1) {
    lines.push_back(name + ": " + Text(a) + " -> " + Text(b));
  } else if (IsAddress(info)) {
    lines.push_back(name + ": " + DottedQuad(a) + " -> " + DottedQuad(b));
  } else if (info.rows > 1) {
    for (int r = 0; r < info.rows; ++r) {
      const QJsonArray rowA = a.toArray()[r].toArray(), rowB = b.toArray()[r].toArray();
      for (int c = 0; c < Columns(info); ++c) {
        if (rowA[c] != rowB[c]) {
          lines.push_back(name + "[" + std::to_string(r) + "]" + Index(info, c) + ": " +
                          Text(rowA[c]) + " -> " + Text(rowB[c]));
        }
      }
    }
  } else {
    const QJsonArray arrayA = a.toArray(), arrayB = b.toArray();
    for (int c = 0; c < info.count; ++c) {
      if (arrayA[c] != arrayB[c])
        lines.push_back(name + Index(info, c) + ": " + Text(arrayA[c]) + " -> " + Text(arrayB[c]));
    }
  }
}

std::string ExtensionDifference(const ExtensionBlock& a, const ExtensionBlock& b) {
  std::size_t count = 0, first = kExtensionBlockSize;
  for (std::size_t i = 0; i < kExtensionBlockSize; ++i) {
    if (a.bytes[i] != b.bytes[i]) {
      first = std::min(first, i);
      ++count;
    }
  }
  return std::string(kExtensionBlockKey) + ": " + std::to_string(count) + " byte" +
         (count == 1 ? "" : "s") + " differ, the first at byte " + std::to_string(first);
}

// ---- set ----

bool ParseNumber(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// "192.168.0.20" as the JSON array of its four octets; each octet is checked as a number later.
bool ParseDottedQuad(std::string_view text, QJsonArray& octets) {
  for (int i = 0; i < 4; ++i) {
    const std::size_t dot = i < 3 ? text.find('.') : text.size();
    int octet = 0;
    if (dot == std::string_view::npos || dot == 0 || dot > 3 ||
        !ParseNumber(text.substr(0, dot), octet))
      return false;
    octets.append(octet);
    text.remove_prefix(std::min(text.size(), dot + 1));
  }
  return true;
}

// One element of the JSON object, located by the brackets after the field's name.
struct ElementPlace {
  const FieldInfo* info = nullptr;
  int row = -1;     // the row of a field of rows
  int column = -1;  // the position in an array (the channel of a per-channel field); -1: whole
};

bool ParseIndex(std::string_view& rest, bool channel, int limit, int& index, std::string& error) {
  const std::size_t close = rest.find(']');
  if (!rest.empty() && rest[0] == '[' && close != std::string_view::npos) {
    const std::string_view inside = rest.substr(1, close - 1);
    rest.remove_prefix(close + 1);
    if (channel && inside.size() == 1) {
      index = (inside[0] & ~0x20) - 'A';  // a or A
      if (index >= 0 && index < kChannelCount)
        return true;
    } else if (!channel && ParseNumber(inside, index) && index >= 0 && index < limit) {
      return true;
    }
  }
  error = "needs " +
          (channel ? std::string("a channel letter A..E")
                   : "an index 0.." + std::to_string(limit - 1)) +
          " in brackets";
  return false;
}

bool ParsePlace(std::string_view path, ElementPlace& place, std::string& error) {
  const std::size_t bracket = std::min(path.find('['), path.size());
  const std::string_view name = path.substr(0, bracket);
  const std::size_t index = FindField(name);
  if (index == kFieldCount) {
    error = "unknown field \"" + std::string(name) + "\"";
    return false;
  }
  const FieldInfo& info = kFieldTable[index];
  place.info = &info;
  std::string_view rest = path.substr(bracket);
  const bool channels = Columns(info) == kChannelCount;
  bool ok = true;
  if (info.rows > 1) {
    ok = ParseIndex(rest, false, info.rows, place.row, error) &&
         ParseIndex(rest, channels, Columns(info), place.column, error);
  } else if (info.count > 1 && !(IsAddress(info) && rest.empty())) {
    ok = ParseIndex(rest, channels, info.count, place.column, error);
  }
  if (ok && !rest.empty()) {
    error = "has more brackets than the field has dimensions";
    ok = false;
  }
  if (!ok)
    error = "field \"" + std::string(name) + "\" " + error;
  return ok;
}

bool ParseValue(const ElementPlace& place, std::string_view text, QJsonValue& value,
                std::string& error) {
  QJsonArray octets;
  if (IsAddress(*place.info) && place.column < 0 && ParseDottedQuad(text, octets)) {
    value = octets;
    return true;
  }
  QJsonParseError parseError{};
  const QJsonDocument document = QJsonDocument::fromJson(
      "[" + QByteArray(text.data(), static_cast<qsizetype>(text.size())) + "]", &parseError);
  if (parseError.error != QJsonParseError::NoError || document.array().size() != 1) {
    error =
        "the value is not one JSON value (a text goes in double quotes: description='\"Line "
        "3\"')";
    return false;
  }
  value = document.array().first();
  return true;
}

void Place(QJsonObject& object, const ElementPlace& place, const QJsonValue& value) {
  const QString name = Name(*place.info);
  if (place.column < 0) {
    object.insert(name, value);
  } else if (place.row < 0) {
    QJsonArray array = object.value(name).toArray();
    array[place.column] = value;
    object.insert(name, array);
  } else {
    QJsonArray rows = object.value(name).toArray();
    QJsonArray row = rows[place.row].toArray();
    row[place.column] = value;
    rows[place.row] = row;
    object.insert(name, rows);
  }
}

ImportedImage Import(const QJsonObject& object) {
  return ImageFromJson(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

}  // namespace

std::vector<std::string> DiffImages(const ParameterImage& before, const ExtensionBlock& beforeExt,
                                    const ParameterImage& after, const ExtensionBlock& afterExt) {
  const QJsonObject a = ImageToJson(before, beforeExt, true);
  const QJsonObject b = ImageToJson(after, afterExt, true);
  std::vector<std::string> lines;
  for (const FieldInfo& info : kFieldTable) {
    if (info.offset == kChecksumOffset && !(beforeExt == afterExt))
      lines.push_back(ExtensionDifference(beforeExt, afterExt));
    DiffField(info, a.value(Name(info)), b.value(Name(info)), lines);
  }
  return lines;
}

EditedImage SetImageFields(const ParameterImage& image, const ExtensionBlock& extension,
                           const std::vector<std::string>& assignments) {
  EditedImage edited;
  QJsonObject object = ImageToJson(image, extension, true);
  // The image as it comes must pass as an import would take it; what it held out of step with
  // the fields it follows from is derived again and said.
  ImportedImage imported = Import(object);
  if (!imported.ok) {
    edited.error = imported.error;
    return edited;
  }
  edited.replaced = imported.replaced;
  std::vector<std::string> assigned;
  for (const std::string& assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    std::string error;
    ElementPlace place;
    QJsonValue value;
    if (equals == std::string::npos) {
      error = "needs the form FIELD=VALUE";
    } else if (ParsePlace(std::string_view(assignment).substr(0, equals), place, error) &&
               ParseValue(place, std::string_view(assignment).substr(equals + 1), value, error)) {
      Place(object, place, value);
      imported = Import(object);
      error = imported.error;
    }
    if (!error.empty()) {
      edited.error = assignment + ": " + error;
      return edited;
    }
    assigned.emplace_back(place.info->name);
  }
  for (const std::string& field : imported.replaced) {
    const bool given = std::find(assigned.begin(), assigned.end(), field) != assigned.end();
    const bool said =
        std::find(edited.replaced.begin(), edited.replaced.end(), field) != edited.replaced.end();
    if (given && !said)
      edited.replaced.push_back(field);
  }
  edited.ok = true;
  edited.image = imported.image;
  edited.extension = imported.extension;
  return edited;
}

}  // namespace mx
