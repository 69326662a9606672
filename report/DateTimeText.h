#pragma once
// The date and time texts of printed page headers: 8-18-2008 and 9:05:07 AM.

#include <QDateTime>
#include <string>

namespace mx::report {

// Month-day-year without leading zeros; "??-??-??" for an invalid time.
std::string FormatDateText(const QDateTime& localTime);
// 12-hour clock with AM/PM, minutes and seconds two digits; "??:??:?? AM" for an invalid time.
std::string FormatTimeText(const QDateTime& localTime);

}  // namespace mx::report
