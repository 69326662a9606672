#pragma once
// The program's fixed texts (NetTestTexts.h) as QStrings.

#include <QString>
#include <string_view>

namespace mx::nettest {

inline QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace mx::nettest
