// The brace notation for control characters.
#include "notation/ControlNotation.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace mx {
namespace {

// The name table, written out again so that the tests do not share the implementation's.
const std::array<const char*, 32> kExpectedNames = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BkSp", "Tab", "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "XON", "DC2", "XOFF", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "EOF", "Esc", "FS",  "GS",  "RS",   "US",
};

struct Translated {
  TranslateResult result;
  std::vector<uint8_t> bytes;  // the first outputLength bytes, on success
  std::size_t errorStart;
  std::size_t errorEnd;
};

Translated Translate(const std::string& input, std::size_t maxLength = 100) {
  CommandTranslation record;
  record.input = input;
  record.maxLength = maxLength;
  Translated t{TranslateCommandString(record), {}, record.errorStart, record.errorEnd};
  EXPECT_EQ(record.output.size(), maxLength + 1) << input;
  if (t.result == TranslateResult::Success) {
    EXPECT_LE(record.outputLength, maxLength);
    const auto output = std::span(record.output).first(record.outputLength);
    t.bytes.assign(output.begin(), output.end());
  } else {
    EXPECT_EQ(record.outputLength, 0u);
  }
  return t;
}

void ExpectBytes(const std::string& input, const std::vector<uint8_t>& expected) {
  const Translated t = Translate(input);
  ASSERT_EQ(t.result, TranslateResult::Success) << input;
  EXPECT_EQ(t.bytes, expected) << input;
}

void ExpectInvalid(const std::string& input, std::size_t start, std::size_t end) {
  const Translated t = Translate(input);
  ASSERT_EQ(t.result, TranslateResult::InvalidToken) << input;
  EXPECT_EQ(t.errorStart, start) << input;
  EXPECT_EQ(t.errorEnd, end) << input;
}

std::string FormatAll(const std::vector<uint8_t>& bytes) {
  std::string text;
  for (uint8_t b : bytes) {
    text += FormatCharacter(b, true, false);
  }
  return text;
}

// --- control names --------------------------------------------------------------------------

TEST(ControlName, EveryByteHasItsTableName) {
  for (unsigned b = 0; b < 32; ++b) {
    EXPECT_EQ(ControlName(static_cast<uint8_t>(b)), kExpectedNames[b]) << b;
  }
}

TEST(ControlName, TheUnusualNames) {
  EXPECT_EQ(ControlName(8), "BkSp");
  EXPECT_EQ(ControlName(9), "Tab");
  EXPECT_EQ(ControlName(17), "XON");
  EXPECT_EQ(ControlName(19), "XOFF");
  EXPECT_EQ(ControlName(26), "EOF");
  EXPECT_EQ(ControlName(27), "Esc");
}

// --- FormatCharacter ------------------------------------------------------------------------

struct FormatCase {
  bool braces;
  bool names;
};

// The expected display form, built from the display rules independently of the implementation.
std::string ExpectedFormat(unsigned b, bool braces, bool names) {
  auto wrap = [&](const std::string& s) { return braces ? "{" + s + "}" : s; };
  if (b < 32) {
    return wrap(kExpectedNames[b]);
  }
  if (names && b == 32) {
    return wrap("Space");
  }
  if (names && b == 44) {
    return wrap("Comma");
  }
  if (names && b == 46) {
    return wrap("Period");
  }
  if (b == 123) {
    return wrap("{");
  }
  if (b < 127) {
    return std::string(1, static_cast<char>(b));
  }
  return braces ? wrap(std::to_string(b)) : std::string();
}

class FormatAllBytes : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatAllBytes, MatchesTheRules) {
  const FormatCase c = GetParam();
  for (unsigned b = 0; b < 256; ++b) {
    EXPECT_EQ(FormatCharacter(static_cast<uint8_t>(b), c.braces, c.names),
              ExpectedFormat(b, c.braces, c.names))
        << "byte " << b << " braces " << c.braces << " names " << c.names;
  }
}

TEST_P(FormatAllBytes, AtMostEightCharacters) {
  const FormatCase c = GetParam();
  for (unsigned b = 0; b < 256; ++b) {
    EXPECT_LE(FormatCharacter(static_cast<uint8_t>(b), c.braces, c.names).size(), 8u) << b;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFlagCombination, FormatAllBytes,
                         ::testing::Values(FormatCase{false, false}, FormatCase{false, true},
                                           FormatCase{true, false}, FormatCase{true, true}),
                         [](const ::testing::TestParamInfo<FormatCase>& row) {
                           return std::string(row.param.braces ? "Braces" : "Bare") +
                                  (row.param.names ? "Names" : "NoNames");
                         });

struct FormatRow {
  uint8_t byte;
  const char* bareNoNames;
  const char* bareNames;
  const char* bracesNoNames;
  const char* bracesNames;
};

// Hand-written rows for the interesting bytes.
const FormatRow kFormatRows[] = {
    {0, "NUL", "NUL", "{NUL}", "{NUL}"},
    {13, "CR", "CR", "{CR}", "{CR}"},
    {10, "LF", "LF", "{LF}", "{LF}"},
    {27, "Esc", "Esc", "{Esc}", "{Esc}"},
    {31, "US", "US", "{US}", "{US}"},
    {32, " ", "Space", " ", "{Space}"},
    {33, "!", "!", "!", "!"},
    {44, ",", "Comma", ",", "{Comma}"},
    {46, ".", "Period", ".", "{Period}"},
    {65, "A", "A", "A", "A"},
    {123, "{", "{", "{{}", "{{}"},
    {125, "}", "}", "}", "}"},
    {126, "~", "~", "~", "~"},
    {127, "", "", "{127}", "{127}"},
    {200, "", "", "{200}", "{200}"},
    {255, "", "", "{255}", "{255}"},
};

TEST(FormatCharacter, HandWrittenRows) {
  for (const FormatRow& row : kFormatRows) {
    EXPECT_EQ(FormatCharacter(row.byte, false, false), row.bareNoNames) << int(row.byte);
    EXPECT_EQ(FormatCharacter(row.byte, false, true), row.bareNames) << int(row.byte);
    EXPECT_EQ(FormatCharacter(row.byte, true, false), row.bracesNoNames) << int(row.byte);
    EXPECT_EQ(FormatCharacter(row.byte, true, true), row.bracesNames) << int(row.byte);
  }
}

TEST(FormatCharacter, HighBytesAreExactlyFiveCharactersWithBraces) {
  for (unsigned b = 127; b < 256; ++b) {
    EXPECT_EQ(FormatCharacter(static_cast<uint8_t>(b), true, true).size(), 5u) << b;
  }
}

// --- TranslateCommandString: successes -------------------------------------------------------

TEST(TranslateCommandString, EmptyInputSucceedsWithNoBytes) {
  ExpectBytes("", {});
}

TEST(TranslateCommandString, NamesBracesAndDecimalValues) {
  ExpectBytes("A{CR}{LF}", {65, 13, 10});
  ExpectBytes("{esc}", {27});
  ExpectBytes("{XON}", {17});
  ExpectBytes("{space}", {32});
  ExpectBytes("{{}", {123});
  ExpectBytes("{0}", {0});
  ExpectBytes("{255}", {255});
  ExpectBytes("{000065}", {65});
  ExpectBytes("{013}", {13});
}

TEST(TranslateCommandString, EveryControlNameInAnyCase) {
  for (unsigned b = 0; b < 32; ++b) {
    const std::string name = kExpectedNames[b];
    std::string lower;
    std::string upper;
    for (char c : name) {
      lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const std::vector<uint8_t> expected{static_cast<uint8_t>(b)};
    ExpectBytes("{" + name + "}", expected);
    ExpectBytes("{" + lower + "}", expected);
    ExpectBytes("{" + upper + "}", expected);
  }
}

TEST(TranslateCommandString, PrintableNamesInAnyCase) {
  ExpectBytes("{Space}{COMMA}{period}{Cr}", {32, 44, 46, 13});
  ExpectBytes("{SPACE}{comma}{PERIOD}", {32, 44, 46});
}

TEST(TranslateCommandString, EveryDecimalValue) {
  for (unsigned b = 0; b < 256; ++b) {
    ExpectBytes("{" + std::to_string(b) + "}", {static_cast<uint8_t>(b)});
  }
}

TEST(TranslateCommandString, LiteralBytesAreCopied) {
  ExpectBytes("abc", {'a', 'b', 'c'});
  ExpectBytes("}", {'}'});
  ExpectBytes("a}b}}", {'a', '}', 'b', '}', '}'});
  ExpectBytes("\r\n\x7f\xff", {13, 10, 127, 255});
  ExpectBytes(std::string("a\0b", 3), {'a', 0, 'b'});
  ExpectBytes("{CR}}", {13, '}'});
}

TEST(TranslateCommandString, StoredCommandShownAndTranslatedBack) {
  const std::vector<uint8_t> stored{65, 32, 44, 13, 123};
  EXPECT_EQ(FormatAll(stored), "A ,{CR}{{}");
  ExpectBytes("A ,{CR}{{}", stored);
}

TEST(TranslateCommandString, ResultCodes) {
  EXPECT_EQ(static_cast<int>(TranslateResult::Success), 0);
  EXPECT_EQ(static_cast<int>(TranslateResult::InvalidToken), 1);
  EXPECT_EQ(static_cast<int>(TranslateResult::TooLong), 2);
}

// --- TranslateCommandString: invalid tokens and their spans ----------------------------------

TEST(TranslateCommandString, ErrorSpanIsExclusive) {
  ExpectInvalid("ab{XYZ}cd", 2, 7);
}

TEST(TranslateCommandString, InvalidTokens) {
  ExpectInvalid("{256}", 0, 5);
  ExpectInvalid("{999}", 0, 5);
  ExpectInvalid("{}", 0, 2);
  ExpectInvalid("x{}y", 1, 3);
  ExpectInvalid("{ABC}", 0, 5);
  ExpectInvalid("{1A}", 0, 4);
  ExpectInvalid("{-1}", 0, 4);
  ExpectInvalid("{ 13}", 0, 5);
  ExpectInvalid("{CRLF}", 0, 6);
  ExpectInvalid("{{{}", 0, 4);  // name "{{"
  ExpectInvalid("{CR}{Bad}{LF}", 4, 9);
}

TEST(TranslateCommandString, UnclosedTokensRunToTheEnd) {
  ExpectInvalid("abc{", 3, 4);
  ExpectInvalid("{", 0, 1);
  ExpectInvalid("{Esc", 0, 4);
  ExpectInvalid("ab{12", 2, 5);
  ExpectInvalid("{CR}{", 4, 5);
}

TEST(TranslateCommandString, NameLength) {
  ExpectBytes("{000065}", {65});     // six characters
  ExpectInvalid("{ABCDEF}", 0, 8);   // six characters, unknown: the whole token
  ExpectInvalid("{ABCDEFG}", 0, 8);  // the 7th character stops the scan
  ExpectInvalid("{0000065}", 0, 8);
  ExpectInvalid("x{ABCDEFGHIJ}", 1, 9);
  ExpectInvalid("{ABCDEFG", 0, 8);  // 7th character before the end of the text
  ExpectInvalid("{ABCDEF", 0, 7);   // six characters, then the text ends
}

TEST(TranslateCommandString, ErrorStopsAtTheFirstBadToken) {
  ExpectInvalid("{X}{}", 0, 3);
  ExpectInvalid("{}{X}", 0, 2);
}

TEST(TranslateCommandString, MessageTexts) {
  EXPECT_EQ(kInvalidCommandStringText, "Invalid command string");
  EXPECT_EQ(CommandTooLongText(100),
            "Command string length is to long.\nMaximum length = 100 characters.\n\n"
            "Note: Strings like {Esc} are 1 character, not 5.");
  EXPECT_EQ(CommandTooLongText(7),
            "Command string length is to long.\nMaximum length = 7 characters.\n\n"
            "Note: Strings like {Esc} are 1 character, not 5.");
}

// --- TranslateCommandString: maximum length ---------------------------------------------------

TEST(TranslateCommandString, ExactlyTheMaximumIsAccepted) {
  const Translated t = Translate(std::string(100, 'x'));
  ASSERT_EQ(t.result, TranslateResult::Success);
  EXPECT_EQ(t.bytes, std::vector<uint8_t>(100, 'x'));
}

TEST(TranslateCommandString, OneMoreIsTooLong) {
  EXPECT_EQ(Translate(std::string(101, 'x')).result, TranslateResult::TooLong);
  EXPECT_EQ(Translate(std::string(500, 'x')).result, TranslateResult::TooLong);
}

TEST(TranslateCommandString, HundredEscTokensAreAccepted) {
  std::string input;
  for (int i = 0; i < 100; ++i) {
    input += "{Esc}";
  }
  ASSERT_EQ(input.size(), 500u);
  const Translated t = Translate(input);
  ASSERT_EQ(t.result, TranslateResult::Success);
  EXPECT_EQ(t.bytes, std::vector<uint8_t>(100, 27));
  EXPECT_EQ(Translate(input + "{Esc}").result, TranslateResult::TooLong);
}

TEST(TranslateCommandString, TooLongIsReportedBeforeALaterBadToken) {
  EXPECT_EQ(Translate(std::string(101, 'x') + "{Bad}").result, TranslateResult::TooLong);
  // ... but a bad token before the limit is reached is reported as invalid.
  EXPECT_EQ(Translate("{Bad}" + std::string(101, 'x')).result, TranslateResult::InvalidToken);
}

TEST(TranslateCommandString, OtherMaximums) {
  EXPECT_EQ(Translate("", 0).result, TranslateResult::Success);
  EXPECT_EQ(Translate("a", 0).result, TranslateResult::TooLong);
  EXPECT_EQ(Translate("{CR}", 0).result, TranslateResult::TooLong);
  EXPECT_EQ(Translate("ab", 2).result, TranslateResult::Success);
  EXPECT_EQ(Translate("abc", 2).result, TranslateResult::TooLong);
}

TEST(TranslateCommandString, RecordCanBeReused) {
  CommandTranslation record;
  record.input = "{Bad}";
  ASSERT_EQ(TranslateCommandString(record), TranslateResult::InvalidToken);
  record.input = "ok";
  ASSERT_EQ(TranslateCommandString(record), TranslateResult::Success);
  EXPECT_EQ(record.outputLength, 2u);
  EXPECT_EQ(record.errorStart, 0u);
  EXPECT_EQ(record.errorEnd, 0u);
  EXPECT_EQ(record.output[0], 'o');
  EXPECT_EQ(record.output[1], 'k');
}

// --- round trip -------------------------------------------------------------------------------

TEST(RoundTrip, EverySingleByte) {
  for (unsigned b = 0; b < 256; ++b) {
    const std::vector<uint8_t> bytes{static_cast<uint8_t>(b)};
    ExpectBytes(FormatAll(bytes), bytes);
    // With names on the braces form translates back too.
    ExpectBytes(FormatCharacter(static_cast<uint8_t>(b), true, true), bytes);
  }
}

TEST(RoundTrip, EveryPairOfBytes) {
  for (unsigned a = 0; a < 256; ++a) {
    for (unsigned b = 0; b < 256; ++b) {
      const std::vector<uint8_t> bytes{static_cast<uint8_t>(a), static_cast<uint8_t>(b)};
      const Translated t = Translate(FormatAll(bytes));
      ASSERT_EQ(t.result, TranslateResult::Success) << a << " " << b;
      ASSERT_EQ(t.bytes, bytes) << a << " " << b;
    }
  }
}

TEST(RoundTrip, RandomStrings) {
  std::mt19937 random(20240513);
  std::uniform_int_distribution<int> length(0, 100);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> special(0, 5);
  const uint8_t kAwkward[] = {'{', '}', 32, 44, 46, 0};
  for (int round = 0; round < 5000; ++round) {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(length(random)));
    for (uint8_t& b : bytes) {
      // Every other byte from the awkward set, so braces and named characters are dense.
      b = (byte(random) & 1) ? kAwkward[special(random)] : static_cast<uint8_t>(byte(random));
    }
    const Translated t = Translate(FormatAll(bytes));
    ASSERT_EQ(t.result, TranslateResult::Success) << "round " << round;
    ASSERT_EQ(t.bytes, bytes) << "round " << round;
  }
}

// --- reference list -------------------------------------------------------------------------

TEST(ReferenceList, HasOneEntryPerControlAndHighByte) {
  const auto& entries = ReferenceListEntries();
  ASSERT_EQ(entries.size(), 161u);
  for (std::size_t n = 0; n < entries.size(); ++n) {
    EXPECT_EQ(entries[n].byte, n < 32 ? n : n + 95) << n;
  }
}

TEST(ReferenceList, EntryTexts) {
  const auto& entries = ReferenceListEntries();
  ASSERT_EQ(entries.size(), 161u);
  EXPECT_EQ(entries[0].text, "\tNUL\t0");
  EXPECT_EQ(entries[1].text, "\tSOH\t1\tCtrl+A");
  EXPECT_EQ(entries[13].text, "\tCR\t13\tCtrl+M");
  EXPECT_EQ(entries[26].text, "\tEOF\t26\tCtrl+Z");
  EXPECT_EQ(entries[27].text, "\tEsc\t27\tCtrl+[");
  EXPECT_EQ(entries[28].text, "\tFS\t28\tCtrl+\\");
  EXPECT_EQ(entries[29].text, "\tGS\t29\tCtrl+]");
  EXPECT_EQ(entries[30].text, "\tRS\t30");
  EXPECT_EQ(entries[31].text, "\tUS\t31");
  EXPECT_EQ(entries[32].text, "\t\t127");
  EXPECT_EQ(entries[32].byte, 127);
  EXPECT_EQ(entries[105].text, "\t\t200");
  EXPECT_EQ(entries[160].text, "\t\t255");
  for (unsigned b = 0; b < 32; ++b) {
    std::string expected = std::string("\t") + kExpectedNames[b] + "\t" + std::to_string(b);
    if (b >= 1 && b <= 29) {
      expected += "\tCtrl+";
      expected += static_cast<char>(b + 64);
    }
    EXPECT_EQ(entries[b].text, expected) << b;
  }
  for (unsigned b = 127; b < 256; ++b) {
    EXPECT_EQ(entries[b - 95].text, "\t\t" + std::to_string(b)) << b;
  }
}

TEST(ReferenceList, SamePerCall) {
  EXPECT_EQ(&ReferenceListEntries(), &ReferenceListEntries());
}

// --- key lookup -----------------------------------------------------------------------------

TEST(KeyLookup, SearchPrefix) {
  EXPECT_EQ(ReferenceSearchPrefix('e'), "\te");
  EXPECT_EQ(ReferenceSearchPrefix('E'), "\tE");
  EXPECT_EQ(ReferenceSearchPrefix(' '), "\tSpace");
  EXPECT_EQ(ReferenceSearchPrefix(','), "\tComma");
  EXPECT_EQ(ReferenceSearchPrefix('.'), "\tPeriod");
  EXPECT_EQ(ReferenceSearchPrefix('1'), "\t1");
}

TEST(KeyLookup, StepsThroughMatchesAndWraps) {
  // Names starting with E: ETX 3, EOT 4, ENQ 5, ETB 23, EM 25, EOF 26, Esc 27.
  const std::vector<std::size_t> cycle{3, 4, 5, 23, 25, 26, 27};
  std::size_t current = 0;
  for (int lap = 0; lap < 2; ++lap) {
    for (std::size_t expected : cycle) {
      const auto found = FindListEntryForKey('e', current);
      ASSERT_TRUE(found.has_value());
      EXPECT_EQ(*found, expected);
      current = *found;
    }
  }
  // From the last list entry the search wraps to the start.
  EXPECT_EQ(FindListEntryForKey('E', 160), std::optional<std::size_t>(3));
  EXPECT_EQ(FindListEntryForKey('E', 27), std::optional<std::size_t>(3));
}

TEST(KeyLookup, CaseInsensitive) {
  EXPECT_EQ(FindListEntryForKey('c', 0), std::optional<std::size_t>(13));  // CR
  EXPECT_EQ(FindListEntryForKey('C', 0), std::optional<std::size_t>(13));
  EXPECT_EQ(FindListEntryForKey('b', 0), std::optional<std::size_t>(7));    // BEL
  EXPECT_EQ(FindListEntryForKey('B', 7), std::optional<std::size_t>(8));    // BkSp
  EXPECT_EQ(FindListEntryForKey('x', 0), std::optional<std::size_t>(17));   // XON
  EXPECT_EQ(FindListEntryForKey('X', 17), std::optional<std::size_t>(19));  // XOFF
  EXPECT_EQ(FindListEntryForKey('x', 19), std::optional<std::size_t>(17));
}

TEST(KeyLookup, OnlyMatchIsFoundAgain) {
  // "Tab" is the only name starting with T.
  EXPECT_EQ(FindListEntryForKey('t', 9), std::optional<std::size_t>(9));
  EXPECT_EQ(FindListEntryForKey('t', 0), std::optional<std::size_t>(9));
  EXPECT_EQ(FindListEntryForKey('t', 100), std::optional<std::size_t>(9));
}

TEST(KeyLookup, NoMatch) {
  EXPECT_EQ(FindListEntryForKey('q', 0), std::nullopt);
  EXPECT_EQ(FindListEntryForKey('1', 0), std::nullopt);
  EXPECT_EQ(FindListEntryForKey(' ', 0), std::nullopt);  // no entry named Space
  EXPECT_EQ(FindListEntryForKey(',', 5), std::nullopt);
  EXPECT_EQ(FindListEntryForKey('.', 5), std::nullopt);
  EXPECT_EQ(FindListEntryForKey('{', 5), std::nullopt);
}

TEST(KeyLookup, NoSelectionStartsAtTheFirstEntry) {
  EXPECT_EQ(FindListEntryForKey('n', 161), std::optional<std::size_t>(0));  // NUL
  EXPECT_EQ(FindListEntryForKey('n', static_cast<std::size_t>(-1)), std::optional<std::size_t>(0));
  EXPECT_EQ(FindListEntryForKey('n', 0), std::optional<std::size_t>(21));  // NAK
}

}  // namespace
}  // namespace mx
