#include "report/ReportPaper.h"

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace mx::report {

namespace {

// The territories whose locales set their paper to 8.5 x 11 inches.
constexpr std::array<std::string_view, 14> kLetterTerritories = {
    "BO", "CA", "CL", "CO", "CR", "GT", "MX", "NI", "PA", "PH", "PR", "SV", "US", "VE"};

struct PaperName {
  Paper paper;
  std::string_view name;
  QPageSize::PageSizeId size;
};
constexpr std::array<PaperName, 4> kPapers = {{{Paper::A4, "a4", QPageSize::A4},
                                               {Paper::A5, "a5", QPageSize::A5},
                                               {Paper::Letter, "letter", QPageSize::Letter},
                                               {Paper::Legal, "legal", QPageSize::Legal}}};

}  // namespace

std::optional<Paper> PaperByName(std::string_view name) {
  std::string lower(name);
  for (char& ch : lower)
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  for (const PaperName& known : kPapers) {
    if (known.name == lower)
      return known.paper;
  }
  return std::nullopt;
}

Paper PaperOfLocale(std::string_view localeName) {
  // language[_TERRITORY][.codeset][@modifier]
  const std::size_t underscore = localeName.find('_');
  if (underscore == std::string_view::npos)
    return Paper::A4;
  const std::string_view territory = localeName.substr(underscore + 1, 2);
  const bool letter = std::find(kLetterTerritories.begin(), kLetterTerritories.end(), territory) !=
                      kLetterTerritories.end();
  return letter ? Paper::Letter : Paper::A4;
}

Paper DefaultPaper() {
  for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
    const QByteArray value = qgetenv(variable);
    if (!value.isEmpty())
      return PaperOfLocale(value.toStdString());
  }
  return Paper::A4;
}

QPageLayout PaperLayout(Paper paper, bool landscape) {
  QPageSize::PageSizeId size = QPageSize::A4;
  for (const PaperName& known : kPapers) {
    if (known.paper == paper)
      size = known.size;
  }
  return QPageLayout(QPageSize(size), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}

}  // namespace mx::report
