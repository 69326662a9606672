#pragma once
// The Basic tab's texts. Trailing blanks belong to the texts.

#include <string_view>

namespace mx::editor::text::basic {

inline constexpr std::string_view kGroupGageType = "Gage Type: ";
inline constexpr std::string_view kAutoSelect = "Auto select";
inline constexpr std::string_view kCdi = "CDI";
inline constexpr std::string_view kFederal = "Federal";
inline constexpr std::string_view kMitutoyo = "Mitutoyo";
inline constexpr std::string_view kOnoSokki = "Ono Sokki";
inline constexpr std::string_view kRs232 = "RS232";
inline constexpr std::string_view kDisableChannel = "Disable channel";

inline constexpr std::string_view kGroupOutputFormat = "Output Format: ";
inline constexpr std::string_view kStandard = "Standard  (10 digit field)";
inline constexpr std::string_view kLeftJustify = "Left-justify";
inline constexpr std::string_view kPulseport = "Pulseport Printer mode";
inline constexpr std::string_view kMux10 = "Mitutoyo MUX10";
inline constexpr std::string_view kTir = "TIR";
inline constexpr std::string_view kIncludeCalculated = "Include calculated results";
inline constexpr std::string_view kNumberOfReadings = "Number of readings";

inline constexpr std::string_view kGroupFormatText = "Output Format (TIR / Custom / Calculated): ";
inline constexpr std::string_view kEquals = "=";
inline constexpr std::string_view kLegendM = "M";
inline constexpr std::string_view kLegendMeasurement = "Measurement field";
inline constexpr std::string_view kLegendC = "C";
inline constexpr std::string_view kLegendCounter = "Counter field";
inline constexpr std::string_view kLegendL = "L";
inline constexpr std::string_view kLegendLabel = "Label field";
inline constexpr std::string_view kLegendU = "U";
inline constexpr std::string_view kLegendUnits = "Units field";
inline constexpr std::string_view kLegendText = "Text";
inline constexpr std::string_view kLegendTextHelp =
    "Enter actual text.  Use \\M  \\C  \\L and \\U for these 4 characters.  Use \\x00 style for "
    "hex.";

inline constexpr std::string_view kGroupId = "Channel or Measurement ID: ";
inline constexpr std::string_view kPrefix = "Prefix";
inline constexpr std::string_view kSuffix = "Suffix";
inline constexpr std::string_view kChanId = "Chan ID";

inline constexpr std::string_view kGroupEnd = "End of Output String: ";
inline constexpr std::string_view kCarriageReturn = "Carriage return";
inline constexpr std::string_view kCarriageReturnLineFeed = "Carriage return & Line feed";

inline constexpr std::string_view kGroupTirSetup = "TIR & Calculated Output Setup: ";
inline constexpr std::string_view kOrder = "Order";
inline constexpr std::string_view kItem = "Item";
inline constexpr std::string_view kItemNum = "Number of meas  ( Num )";
inline constexpr std::string_view kItemMin = "Minimum meas  ( Min )";
inline constexpr std::string_view kItemMax = "Maximum meas  ( Max )";
inline constexpr std::string_view kItemTir = "TIR  ( TIR )";
inline constexpr std::string_view kItemAvg = "Average  ( Avg )";
inline constexpr std::string_view kItemSd = "Standard deviation  ( SD )";
inline constexpr std::string_view kOutputIndividual = "Output individual measurements";
inline constexpr std::string_view kNumberOfTirReadings = "Number of TIR readings";
inline constexpr std::string_view kAfterData = "String after end of data";

}  // namespace mx::editor::text::basic
