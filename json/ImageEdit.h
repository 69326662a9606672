#pragma once
// Single elements of the parameter image by the names of its JSON form: what differs between two
// images, and elements set one at a time ("gageType[C]=3") with everything that follows from them
// derived again, as an import derives it.
//
// An element is named like the field, with the channel letter for the per-channel fields
// (`gageType[C]`), the row and the channel letter for the rows of `networkSource`
// (`networkSource[2][C]`, rows counted from 0 as in the JSON arrays: row 0 is network channel 1)
// and the position for the other arrays (`networkOutput[1]`, `ipAddress[3]`). The four-octet
// addresses are also written and set whole as dotted quads (`ipAddress=192.168.0.20`).

#include <string>
#include <vector>

#include "core/ExtensionBlock.h"
#include "core/ParameterImage.h"

namespace mx {

// One line per element that differs, "gageType[C]: 3 -> 5", values as the export writes them
// (texts as JSON strings), in the order of the field table; the checksum comes last. A different
// extension block is one line before it.
std::vector<std::string> DiffImages(const ParameterImage& before, const ExtensionBlock& beforeExt,
                                    const ParameterImage& after, const ExtensionBlock& afterExt);

struct EditedImage {
  bool ok = false;
  std::string error;  // names the assignment (or the field of the image) and what is wrong
  ParameterImage image;
  ExtensionBlock extension;
  // Fields that did not match what the other fields give and were derived again: those the
  // image came with, and those the assignments set directly ("checksum=1").
  std::vector<std::string> replaced;
};

// Applies "NAME=VALUE" assignments in order, VALUE as the export writes it (a number, a JSON
// string, the bits of a float as "0x7fc00000", an array of bytes) or a dotted quad for an address.
// Nothing is changed unless every assignment is valid.
EditedImage SetImageFields(const ParameterImage& image, const ExtensionBlock& extension,
                           const std::vector<std::string>& assignments);

}  // namespace mx
