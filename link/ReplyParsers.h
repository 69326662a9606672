#pragma once
// The interface's reply lines: identification, network settings and the transfer verdict. These
// take outside bytes, so they accept anything and are fuzzed.

#include <string>
#include <string_view>

#include "core/ModelTable.h"
#include "link/LinkState.h"

namespace mx {

// A reply as the program compares it: a C text, so it ends at the first NUL byte.
std::string_view ReplyText(std::string_view line);

// ": 9600-N-8-1" for the settings the program uses at that moment.
std::string IdentificationSuffix(int baud, char parity, char dataBits);
// The model whose prefix + suffix equals the reply, first in table order; -1 when none does.
ModelIndex MatchIdentification(std::string_view reply, int baud, char parity, char dataBits);

// Reads the fixed columns of a "<$N" reply into `status` (fields that parse are stored whatever
// their values) and sets netStatusValid only when every field is present and in range.
void ParseNetworkStatus(std::string_view reply, NetworkStatus& status);

enum class Verdict { Pass, Failed, Unknown };
Verdict ParseVerdict(std::string_view reply);

}  // namespace mx
