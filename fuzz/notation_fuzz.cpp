// Fuzz target: TranslateCommandString over arbitrary text, FormatCharacter over its
// output. Input: the first byte is the maximum length (0..255), the rest is the command string.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "notation/ControlNotation.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "notation_fuzz: invariant failed: %s\n", what);
    std::abort();
  }
}

mx::TranslateResult Run(mx::CommandTranslation& record, const std::string& input,
                        std::size_t maxLength) {
  record.input = input;
  record.maxLength = maxLength;
  return mx::TranslateCommandString(record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::size_t maxLength = data[0];
  const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);

  mx::CommandTranslation record;
  const mx::TranslateResult result = Run(record, input, maxLength);
  Check(record.output.size() == maxLength + 1, "output buffer sized maxLength + 1");

  switch (result) {
    case mx::TranslateResult::Success: {
      Check(record.outputLength <= maxLength, "success: outputLength <= maxLength");
      Check(record.outputLength <= input.size(), "success: no more bytes than input characters");
      // Format the bytes back into the brace notation (both ways of showing them) and translate
      // again: the same bytes must come out.
      for (bool names : {false, true}) {
        std::string text;
        for (std::size_t i = 0; i < record.outputLength; ++i) {
          const std::string shown = mx::FormatCharacter(record.output[i], true, names);
          Check(!shown.empty() && shown.size() <= 8, "formatted byte is 1..8 characters");
          text += shown;
        }
        mx::CommandTranslation again;
        Check(Run(again, text, maxLength) == mx::TranslateResult::Success, "round trip succeeds");
        Check(again.outputLength == record.outputLength, "round trip keeps the length");
        for (std::size_t i = 0; i < record.outputLength; ++i) {
          Check(again.output[i] == record.output[i], "round trip keeps the bytes");
        }
      }
      break;
    }
    case mx::TranslateResult::InvalidToken:
      Check(record.errorStart < record.errorEnd, "invalid: span is not empty");
      Check(record.errorEnd <= input.size(), "invalid: span lies inside the input");
      Check(input[record.errorStart] == '{', "invalid: span starts at an opening brace");
      Check(record.errorEnd - record.errorStart <= 8, "invalid: span covers at most one token");
      break;
    case mx::TranslateResult::TooLong:
      Check(input.size() > maxLength, "too long: input longer than the maximum");
      break;
    default:
      Check(false, "result is one of the three codes");
  }

  // A limit as long as the input can never be exceeded, and a larger limit never changes a
  // success or an invalid token.
  {
    mx::CommandTranslation wide;
    const mx::TranslateResult wideResult = Run(wide, input, input.size());
    Check(wideResult != mx::TranslateResult::TooLong, "limit of input length is never too long");
    if (result != mx::TranslateResult::TooLong) {
      Check(wideResult == result, "larger limit keeps the result");
      if (result == mx::TranslateResult::InvalidToken) {
        Check(wide.errorStart == record.errorStart && wide.errorEnd == record.errorEnd,
              "larger limit keeps the error span");
      } else {
        Check(wide.outputLength == record.outputLength, "larger limit keeps the length");
        for (std::size_t i = 0; i < record.outputLength; ++i) {
          Check(wide.output[i] == record.output[i], "larger limit keeps the bytes");
        }
      }
    }
  }
  return 0;
}
