#include "json/ImageJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringList>
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <span>

#include "core/ImageOperations.h"

namespace mx {

namespace {

// JSON numbers cannot carry NaN, infinities or the sign of zero; those floats travel as their
// bits in hex ("0x80000000") so that nothing is lost.
QJsonValue FloatToJson(float value) {
  if (std::isfinite(value) && !(value == 0.0f && std::signbit(value))) {
    return static_cast<double>(value);
  }
  return QStringLiteral("0x%1").arg(std::bit_cast<uint32_t>(value), 8, 16, QLatin1Char('0'));
}

QString BytesToLatin1(std::span<const uint8_t> bytes) {
  return QString::fromLatin1(QByteArrayView(bytes));
}

QString FieldName(const FieldInfo& info) {
  return QString::fromLatin1(QByteArrayView(info.name));
}

QJsonArray BytesToArray(std::span<const uint8_t> bytes) {
  QJsonArray array;
  for (uint8_t b : bytes)
    array.append(b);
  return array;
}

QJsonValue ElementToJson(const ParameterImage& image, const FieldInfo& info, int element) {
  const auto bytes = image.Span(info, element);
  switch (info.type) {
    case FieldType::U8:
      return bytes[0];
    case FieldType::I8:
      return static_cast<int8_t>(bytes[0]);
    case FieldType::U16:
      return bytes[0] | (bytes[1] << 8);
    case FieldType::U32:
      return static_cast<double>(
          std::bit_cast<uint32_t>(std::array<uint8_t, 4>{bytes[0], bytes[1], bytes[2], bytes[3]}));
    case FieldType::F32:
      return FloatToJson(
          std::bit_cast<float>(std::array<uint8_t, 4>{bytes[0], bytes[1], bytes[2], bytes[3]}));
    case FieldType::Char:
      return BytesToLatin1(bytes);
    case FieldType::Text: {
      // The text and anything left behind its terminator; trailing zero bytes are dropped.
      std::size_t used = bytes.size();
      while (used > 0 && bytes[used - 1] == 0)
        --used;
      return BytesToLatin1(bytes.first(used));
    }
    case FieldType::Bytes:
    case FieldType::Reserved:
      return BytesToArray(bytes);
  }
  return {};
}

// ---- import ----

class FieldReader {
 public:
  FieldReader(ParameterImage& image, std::string& error, ImportMode mode)
      : image_(image), error_(error), mode_(mode) {}

  bool Read(const FieldInfo& info, const QJsonValue& value) {
    info_ = &info;
    if (info.count == 1)
      return ReadElement(value, 0, "");
    const int rows = info.rows > 1 ? info.rows : 1;
    const int columns = info.count / rows;
    if (rows == 1)
      return ReadArray(value, 0, columns, "");
    if (!value.isArray() || value.toArray().size() != rows) {
      return Fail("", "must be an array of " + std::to_string(rows) + " arrays");
    }
    const QJsonArray outer = value.toArray();
    for (int r = 0; r < rows; ++r) {
      if (!ReadArray(outer[r], r * columns, columns, "row " + std::to_string(r + 1) + ": ")) {
        return false;
      }
    }
    return true;
  }

 private:
  bool ReadArray(const QJsonValue& value, int first, int count, const std::string& where) {
    if (!value.isArray() || value.toArray().size() != count) {
      return Fail(where, "must be an array of " + std::to_string(count) + " values");
    }
    const QJsonArray array = value.toArray();
    for (int i = 0; i < count; ++i) {
      if (!ReadElement(array[i], first + i, where + "element " + std::to_string(i) + ": ")) {
        return false;
      }
    }
    return true;
  }

  bool ReadElement(const QJsonValue& value, int element, const std::string& where) {
    auto bytes = image_.Span(*info_, element);
    switch (info_->type) {
      case FieldType::U8:
        return ReadInteger(value, 0, 0xFF, bytes, where);
      case FieldType::I8:
        return ReadInteger(value, -128, 127, bytes, where);
      case FieldType::U16:
        return ReadInteger(value, 0, 0xFFFF, bytes, where);
      case FieldType::U32:
        return ReadInteger(value, 0, 0xFFFFFFFFLL, bytes, where);
      case FieldType::F32:
        return ReadFloat(value, bytes, where);
      case FieldType::Char:
        return ReadLatin1(value, bytes, true, where);
      case FieldType::Text:
        return ReadLatin1(value, bytes, false, where);
      case FieldType::Bytes:
      case FieldType::Reserved:
        return ReadByteArray(value, bytes, where);
    }
    return false;
  }

  bool ReadInteger(const QJsonValue& value, long long low, long long high, std::span<uint8_t> out,
                   const std::string& where) {
    const double d = value.toDouble(std::numeric_limits<double>::quiet_NaN());
    if (!value.isDouble() || std::floor(d) != d || d < static_cast<double>(low) ||
        d > static_cast<double>(high)) {
      return Fail(where,
                  "must be an integer from " + std::to_string(low) + " to " + std::to_string(high));
    }
    const auto v = static_cast<uint64_t>(static_cast<long long>(d));
    for (std::size_t i = 0; i < out.size(); ++i)
      out[i] = static_cast<uint8_t>(v >> (8 * i));
    return true;
  }

  bool ReadFloat(const QJsonValue& value, std::span<uint8_t> out, const std::string& where) {
    uint32_t bits = 0;
    if (value.isDouble()) {
      const double d = value.toDouble();
      if (std::fabs(d) > std::numeric_limits<float>::max()) {
        return Fail(where, "is outside the range of a 32-bit float");
      }
      bits = std::bit_cast<uint32_t>(static_cast<float>(d));
    } else if (const QString s = value.toString();
               value.isString() && s.size() == 10 && s.startsWith(QLatin1String("0x"))) {
      bool ok = false;
      bits = s.mid(2).toUInt(&ok, 16);
      if (!ok)
        return Fail(where, "must be a number or the float's bits as \"0x\" and 8 hex digits");
    } else {
      return Fail(where, "must be a number or the float's bits as \"0x\" and 8 hex digits");
    }
    for (std::size_t i = 0; i < 4; ++i)
      out[i] = static_cast<uint8_t>(bits >> (8 * i));
    return true;
  }

  bool ReadLatin1(const QJsonValue& value, std::span<uint8_t> out, bool exactlyOne,
                  const std::string& where) {
    if (!value.isString())
      return Fail(where, "must be a string");
    const QString s = value.toString();
    if (exactlyOne ? s.size() != 1 : s.size() > static_cast<qsizetype>(out.size())) {
      return Fail(where, exactlyOne
                             ? "must be a one-character string"
                             : "is longer than its " + std::to_string(out.size()) + "-byte buffer");
    }
    for (QChar c : s) {
      if (c.unicode() > 0xFF)
        return Fail(where, "holds a character above code 255");
    }
    // The text proper ends at the first NUL; what follows it is carried, but the text itself
    // needs its terminator, or the device reads on into the next field.
    const qsizetype length = s.contains(QChar(0)) ? s.indexOf(QChar(0)) : s.size();
    const auto limit = static_cast<qsizetype>(out.size()) - 1;
    if (!exactlyOne && mode_ == ImportMode::Derive && length > limit) {
      return Fail(where, "is " + std::to_string(length) + " characters long; the limit is " +
                             std::to_string(limit));
    }
    std::fill(out.begin(), out.end(), uint8_t{0});
    const QByteArray latin1 = s.toLatin1();
    std::copy(latin1.begin(), latin1.end(), out.begin());
    return true;
  }

  bool ReadByteArray(const QJsonValue& value, std::span<uint8_t> out, const std::string& where) {
    if (!value.isArray() || value.toArray().size() != static_cast<qsizetype>(out.size())) {
      return Fail(where, "must be an array of " + std::to_string(out.size()) + " bytes");
    }
    const QJsonArray array = value.toArray();
    for (std::size_t i = 0; i < out.size(); ++i) {
      if (!ReadInteger(array[static_cast<qsizetype>(i)], 0, 0xFF, out.subspan(i, 1),
                       where + "byte " + std::to_string(i) + ": ")) {
        return false;
      }
    }
    return true;
  }

  bool Fail(const std::string& where, const std::string& what) {
    if (error_.empty())
      error_ = "field \"" + std::string(info_->name) + "\": " + where + what;
    return false;
  }

  ParameterImage& image_;
  std::string& error_;
  const ImportMode mode_;
  const FieldInfo* info_ = nullptr;
};

std::span<uint8_t> FieldBytes(ParameterImage& image, const FieldInfo& info) {
  return std::span(image.Bytes()).subspan(info.offset, std::size_t{info.size} * info.count);
}

std::optional<ExtensionBlock> ExtensionFromHex(const QJsonValue& value) {
  const QByteArray hex = value.toString().toLatin1();
  if (!value.isString() || hex.size() != static_cast<qsizetype>(2 * kExtensionBlockSize)) {
    return std::nullopt;
  }
  for (char c : hex) {
    if (!std::isxdigit(static_cast<unsigned char>(c)))
      return std::nullopt;
  }
  const QByteArray raw = QByteArray::fromHex(hex);
  ExtensionBlock block;
  std::copy(raw.begin(), raw.end(), block.bytes.begin());
  return block;
}

}  // namespace

QJsonObject ImageToJson(const ParameterImage& image, const ExtensionBlock& extension,
                        bool checksumMatches) {
  QJsonObject object;
  for (const FieldInfo& info : kFieldTable) {
    const QString name = FieldName(info);
    if (info.count == 1) {
      object.insert(name, ElementToJson(image, info, 0));
      continue;
    }
    const int rows = info.rows > 1 ? info.rows : 1;
    const int columns = info.count / rows;
    QJsonArray outer;
    for (int r = 0; r < rows; ++r) {
      QJsonArray row;
      for (int c = 0; c < columns; ++c)
        row.append(ElementToJson(image, info, r * columns + c));
      if (rows == 1) {
        outer = row;
      } else {
        outer.append(row);
      }
    }
    object.insert(name, outer);
  }
  object.insert(QLatin1String(kChecksumMatchesKey), checksumMatches);
  if (!extension.IsDefault()) {
    const QByteArray raw(reinterpret_cast<const char*>(extension.bytes.data()),
                         static_cast<qsizetype>(extension.bytes.size()));
    object.insert(QLatin1String(kExtensionBlockKey), QString::fromLatin1(raw.toHex()));
  }
  return object;
}

namespace {

// Qt escapes the controls below 32 but writes DEL and the C1 controls (U+0080..U+009F) as they
// are; a terminal showing the text would act on them, so they are escaped too. Outside strings
// JSON has no such bytes, and in UTF-8 the C1 controls are 0xC2 followed by 0x80..0x9F.
QByteArray EscapeControls(const QByteArray& text) {
  QByteArray escaped;
  escaped.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<uint8_t>(text[i]);
    const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                    static_cast<uint8_t>(text[i + 1]) >= 0x80 &&
                    static_cast<uint8_t>(text[i + 1]) <= 0x9F;
    if (byte == 0x7F || c1) {
      const int code = c1 ? static_cast<uint8_t>(text[++i]) : byte;
      escaped += QByteArray("\\u00") + QByteArray::number(code, 16);
    } else {
      escaped += text[i];
    }
  }
  return escaped;
}

QByteArray ScalarText(const QJsonValue& value) {
  // Qt writes the scalar (escapes, shortest round-trip numbers); the brackets are dropped.
  const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
  return EscapeControls(wrapped.mid(1, wrapped.size() - 2));
}

}  // namespace

QByteArray ImageJsonValueText(const QJsonValue& value) {
  if (!value.isArray())
    return ScalarText(value);
  const QJsonArray array = value.toArray();
  const bool nested = !array.isEmpty() && array.first().isArray();
  QByteArray text = nested ? "[\n" : "[";
  for (qsizetype i = 0; i < array.size(); ++i) {
    if (nested)
      text += "    ";
    text += ImageJsonValueText(array[i]);
    if (i + 1 < array.size())
      text += nested ? ",\n" : ", ";
  }
  text += nested ? "\n  ]" : "]";
  return text;
}

QByteArray ImageJsonText(const QJsonObject& object) {
  QStringList keys;
  for (const FieldInfo& info : kFieldTable) {
    const QString name = FieldName(info);
    if (object.contains(name))
      keys << name;
  }
  for (const QString& key : object.keys()) {
    if (!keys.contains(key))
      keys << key;
  }
  QByteArray text = "{\n";
  for (qsizetype i = 0; i < keys.size(); ++i) {
    text += "  " + ScalarText(keys[i]) + ": " + ImageJsonValueText(object.value(keys[i]));
    text += i + 1 < keys.size() ? ",\n" : "\n";
  }
  text += "}\n";
  return text;
}

ImportedImage ImageFromJson(const QByteArray& json, ImportMode mode) {
  ImportedImage result;
  QJsonParseError parseError{};
  const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    result.error = "not valid JSON at offset " + std::to_string(parseError.offset) + ": " +
                   parseError.errorString().toStdString();
    return result;
  }
  if (!document.isObject()) {
    result.error = "the JSON must be one object";
    return result;
  }
  const QJsonObject object = document.object();

  // The model decides the defaults, so it is read first.
  ParameterImage model;
  FieldReader modelReader(model, result.error, mode);
  const QJsonValue modelValue = object.value(QLatin1String("modelIndex"));
  if (!modelValue.isUndefined() && !modelReader.Read(fld::modelIndex.Info(), modelValue)) {
    return result;
  }
  ResetImageToDefaults(result.image, model.Get(fld::modelIndex));
  result.extension.ResetToDefaults();

  FieldReader reader(result.image, result.error, mode);
  std::vector<const FieldInfo*> given;
  for (auto it = object.begin(); it != object.end(); ++it) {
    const std::string key = it.key().toStdString();
    if (key == kChecksumMatchesKey)
      continue;  // an export's verdict, not an input
    if (key == kExtensionBlockKey) {
      const auto block = ExtensionFromHex(it.value());
      if (!block) {
        result.error = "field \"" + key + "\": must be " + std::to_string(2 * kExtensionBlockSize) +
                       " hex digits";
        return result;
      }
      result.extension = *block;
      continue;
    }
    const std::size_t index = FindField(key);
    if (index == kFieldCount) {
      result.error = "unknown field \"" + key + "\"";
      return result;
    }
    if (!reader.Read(kFieldTable[index], it.value()))
      return result;
    given.push_back(&kFieldTable[index]);
  }

  std::sort(given.begin(), given.end());  // table order, for the list of replaced fields
  ParameterImage asGiven = result.image;
  for (int c = 0; c < kChannelCount; ++c)
    EncodeChannelTexts(result.image, c);
  StoreChecksum(result.image);
  bool checksumGiven = false;
  for (const FieldInfo* info : given) {
    checksumGiven = checksumGiven || info->offset == kChecksumOffset;
    const auto derived = FieldBytes(result.image, *info);
    const auto wanted = FieldBytes(asGiven, *info);
    if (std::equal(derived.begin(), derived.end(), wanted.begin()))
      continue;
    if (mode == ImportMode::Exact)
      std::copy(wanted.begin(), wanted.end(), derived.begin());
    else
      result.replaced.emplace_back(info->name);
  }
  if (mode == ImportMode::Exact && !checksumGiven)
    StoreChecksum(result.image);
  result.ok = true;
  return result;
}

}  // namespace mx
