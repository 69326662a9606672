#pragma once
// The parameter image as one JSON object, field by field under the names of the field table, and
// back. Every byte survives the round trip: texts carry each byte as one Latin-1 character and
// reserved areas are exported too.

#include <QByteArray>
#include <QJsonObject>
#include <string>
#include <vector>

#include "core/ExtensionBlock.h"
#include "core/ParameterImage.h"

namespace mx {

// Extra keys beside the fields of the image.
inline constexpr const char* kChecksumMatchesKey = "checksumMatches";
inline constexpr const char* kExtensionBlockKey = "extensionBlock";  // hex, only when not default

QJsonObject ImageToJson(const ParameterImage& image, const ExtensionBlock& extension,
                        bool checksumMatches);

// The object as text for people and scripts: fields in image order, one field a line, arrays of
// values on one line and arrays of arrays one row a line.
QByteArray ImageJsonText(const QJsonObject& object);
// One value as ImageJsonText writes it: an array on one line, an array of arrays one row a line.
QByteArray ImageJsonValueText(const QJsonValue& value);

enum class ImportMode {
  // What the editor does when it stores its pages: the fields that follow from others (the byte
  // forms of the texts and their lengths, the compiled custom formats, the checksum) are derived
  // again, and a text must leave room for its terminating NUL.
  Derive,
  // Every given byte as it is (an image as an interface holds it, archived and restored bit for
  // bit); only fields not given are derived.
  Exact,
};

struct ImportedImage {
  bool ok = false;
  std::string error;  // names the field and what is wrong with it
  ParameterImage image;
  ExtensionBlock extension;
  // Derive: the given fields whose bytes did not match what the other fields give, and so were
  // replaced ("commandBytes", "checksum").
  std::vector<std::string> replaced;
};

// Starts from the defaults of the JSON's `modelIndex` (0 when absent), sets every field given,
// then derives the rest as `mode` says.
ImportedImage ImageFromJson(const QByteArray& json, ImportMode mode = ImportMode::Derive);

}  // namespace mx
