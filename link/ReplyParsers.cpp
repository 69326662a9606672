#include "link/ReplyParsers.h"

#include <cstdio>
#include <optional>

namespace mx {
namespace {

constexpr std::string_view kPass = "Pass";
constexpr std::string_view kFailedPrefix = "Transfer Failed:";
constexpr int kNetworkStatusOk = 100;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A decimal integer from `column` the way "%d" reads it: blanks skipped, optional sign, digits.
// Saturates instead of overflowing, so absurd values are simply out of range.
std::optional<long long> IntegerAt(std::string_view text, std::size_t column) {
  if (column >= text.size())
    return std::nullopt;
  std::size_t i = column;
  while (i < text.size() && IsBlank(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9')
    return std::nullopt;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 100000000000LL)
      value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

int Clamp(long long value) {
  if (value > 2147483647LL)
    return 2147483647;
  if (value < -2147483647LL)
    return -2147483647;
  return static_cast<int>(value);
}

}  // namespace

std::string_view ReplyText(std::string_view line) {
  return line.substr(0, line.find('\0'));
}

std::string IdentificationSuffix(int baud, char parity, char dataBits) {
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ": %d-%c-%c-1", baud, parity, dataBits);
  return suffix;
}

ModelIndex MatchIdentification(std::string_view reply, int baud, char parity, char dataBits) {
  const std::string suffix = IdentificationSuffix(baud, parity, dataBits);
  reply = ReplyText(reply);
  for (const ModelInfo& model : kModelTable) {
    if (reply.size() == model.identification.size() + suffix.size() &&
        reply.substr(0, model.identification.size()) == model.identification &&
        reply.substr(model.identification.size()) == suffix)
      return model.index;
  }
  return -1;
}

void ParseNetworkStatus(std::string_view reply, NetworkStatus& status) {
  reply = ReplyText(reply);
  status.netStatusValid = false;
  bool complete = true;
  auto read = [&](std::size_t column, int& field) -> std::optional<long long> {
    const auto value = IntegerAt(reply, column);
    if (value)
      field = Clamp(*value);
    else
      complete = false;
    return value;
  };
  int code = 0;
  const auto statusCode = read(0, code);
  const auto enabled = read(5, status.netEnabled);
  const auto serverMode = read(7, status.netServerMode);
  bool addressOk = true;
  for (std::size_t i = 0; i < 4; ++i) {
    const auto byte = read(9 + 4 * i, status.netAddress[i]);
    addressOk = addressOk && byte && *byte >= 0 && *byte <= 255;
  }
  const auto port = read(41, status.netPort);
  status.netStatusValid =
      complete && *statusCode == kNetworkStatusOk && (*enabled == 0 || *enabled == 1) &&
      (*serverMode == 0 || *serverMode == 1) && addressOk && *port >= 0 && *port <= 65535;
}

Verdict ParseVerdict(std::string_view reply) {
  reply = ReplyText(reply);
  if (reply == kPass)
    return Verdict::Pass;
  if (reply.substr(0, kFailedPrefix.size()) == kFailedPrefix)
    return Verdict::Failed;
  return Verdict::Unknown;
}

}  // namespace mx
