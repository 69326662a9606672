#include "nettest/LtnFormat.h"

#include <optional>

namespace mx::nettest {
namespace {

// Bounds-checked cursor: every read says whether the bytes were there, so a damaged file can only
// end the load, never run past the buffer.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Offset() const { return pos_; }
  std::size_t Remaining() const { return bytes_.size() - pos_; }

  std::optional<uint32_t> U32() {
    if (Remaining() < 4)
      return std::nullopt;
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
      v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
    pos_ += 4;
    return v;
  }
  std::optional<int32_t> I32() {
    auto v = U32();
    if (!v)
      return std::nullopt;
    return static_cast<int32_t>(*v);
  }
  std::optional<uint16_t> U16() {
    if (Remaining() < 2)
      return std::nullopt;
    uint16_t v = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  std::optional<uint8_t> U8() {
    if (Remaining() < 1)
      return std::nullopt;
    return bytes_[pos_++];
  }
  // The length is checked against what is left before anything is allocated: a prefix of 4 GB in
  // a 60-byte file is a damaged file, not a request for 4 GB.
  std::optional<std::string> Bytes(uint64_t count) {
    if (count > Remaining())
      return std::nullopt;
    std::string s(reinterpret_cast<const char*>(bytes_.data() + pos_),
                  static_cast<std::size_t>(count));
    pos_ += static_cast<std::size_t>(count);
    return s;
  }
  std::optional<std::string> Text() {
    auto len8 = U8();
    if (!len8)
      return std::nullopt;
    uint64_t len = *len8;
    if (len == 0xFF) {
      auto len16 = U16();
      if (!len16)
        return std::nullopt;
      len = *len16;
      if (len == 0xFFFF) {
        auto len32 = U32();
        if (!len32)
          return std::nullopt;
        len = *len32;
      }
    }
    return Bytes(len);
  }

 private:
  std::span<const uint8_t> bytes_;
  std::size_t pos_ = 0;
};

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutBytes(std::vector<uint8_t>& out, std::string_view s) {
  out.insert(out.end(), s.begin(), s.end());
}

void PutText(std::vector<uint8_t>& out, std::string_view s) {
  const std::size_t n = s.size();
  if (n < 0xFF) {
    out.push_back(static_cast<uint8_t>(n));
  } else if (n < 0xFFFF) {
    out.push_back(0xFF);
    out.push_back(static_cast<uint8_t>(n));
    out.push_back(static_cast<uint8_t>(n >> 8));
  } else {
    out.push_back(0xFF);
    out.push_back(0xFF);
    out.push_back(0xFF);
    PutU32(out, static_cast<uint32_t>(n));
  }
  PutBytes(out, s);
}

// Reads items 3..10 into `f`; false as soon as an item is cut short.
bool ReadBody(ByteReader& in, LtnFields& f) {
  auto fontSize = in.I32();
  auto port = fontSize ? in.I32() : std::nullopt;
  auto address = port ? in.Text() : std::nullopt;
  auto mode = address ? in.I32() : std::nullopt;
  auto eop = mode ? in.U8() : std::nullopt;
  if (!eop)
    return false;
  f.fontSize = *fontSize;
  f.port = *port;
  f.serverAddress = std::move(*address);
  f.mode = *mode;
  f.endOfPacket = *eop;
  for (auto& label : f.buttonLabels) {
    auto t = in.Text();
    if (!t)
      return false;
    label = std::move(*t);
  }
  for (auto& command : f.buttonCommands) {
    auto count = in.U32();
    auto bytes = count ? in.Bytes(*count) : std::nullopt;
    if (!bytes)
      return false;
    command = std::move(*bytes);
  }
  for (int32_t* flag : {&f.charactersInBraces, &f.hexFlag, &f.crToCrLf, &f.beepAtEndOfPacket}) {
    auto v = in.I32();
    if (!v)
      return false;
    *flag = *v;
  }
  return true;
}

}  // namespace

LtnLoadResult ParseLtn(std::span<const uint8_t> bytes) {
  LtnLoadResult result;
  ByteReader in(bytes);
  auto header = in.Text();
  if (!header || *header != kLtnHeaderText) {
    result.status = LtnLoadStatus::WrongHeader;
    result.offset = in.Offset();
    return result;
  }
  auto version = in.Text();
  if (!version || *version != kLtnVersionText) {
    result.status = LtnLoadStatus::WrongHeader;
    result.offset = in.Offset();
    return result;
  }
  LtnFields loaded;
  if (!ReadBody(in, loaded)) {
    result.status = LtnLoadStatus::Truncated;
    result.offset = in.Offset();
    return result;
  }
  result.fields = std::move(loaded);
  result.offset = in.Offset();
  return result;
}

std::vector<uint8_t> SerializeLtn(const LtnFields& f) {
  std::vector<uint8_t> out;
  PutText(out, kLtnHeaderText);
  PutText(out, kLtnVersionText);
  PutU32(out, static_cast<uint32_t>(f.fontSize));
  PutU32(out, static_cast<uint32_t>(f.port));
  PutText(out, f.serverAddress);
  PutU32(out, static_cast<uint32_t>(f.mode));
  out.push_back(f.endOfPacket);
  for (const auto& label : f.buttonLabels)
    PutText(out, label);
  for (const auto& command : f.buttonCommands) {
    PutU32(out, static_cast<uint32_t>(command.size()));
    PutBytes(out, command);
  }
  for (int32_t flag : {f.charactersInBraces, f.hexFlag, f.crToCrLf, f.beepAtEndOfPacket}) {
    PutU32(out, static_cast<uint32_t>(flag));
  }
  return out;
}

}  // namespace mx::nettest
