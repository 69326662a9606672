#include "report/DateTimeText.h"

#include "report/ValueTexts.h"

namespace mx::report {

std::string FormatDateText(const QDateTime& localTime) {
  if (!localTime.isValid())
    return "?\?-?\?-??";  // "??-??-??", escaped so it is not read as a trigraph
  const QDate date = localTime.date();
  return Printf("%d-%d-%d", date.month(), date.day(), date.year());
}

std::string FormatTimeText(const QDateTime& localTime) {
  if (!localTime.isValid())
    return "??:??:?? AM";
  const QTime time = localTime.time();
  const int hour = time.hour();
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  return Printf("%d:%02d:%02d %s", hour12, time.minute(), time.second(), hour < 12 ? "AM" : "PM");
}

}  // namespace mx::report
