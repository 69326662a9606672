#pragma once
// The papers a report can be written for without a printer, and the one the user's locale
// prints on, so a PDF comes out on the paper the print dialog would have offered.

#include <QPageLayout>
#include <optional>
#include <string_view>

namespace mx::report {

enum class Paper { A4, A5, Letter, Legal };

// "A4", "A5", "Letter" or "Legal", in any case.
std::optional<Paper> PaperByName(std::string_view name);
// The paper of a locale name such as "en_US.UTF-8" or "fr_CA": US Letter in the territories
// whose locales print on it, A4 elsewhere (and for "C" or "POSIX").
Paper PaperOfLocale(std::string_view localeName);
// The paper of the locale the environment chooses for paper (LC_ALL, then LC_PAPER, then LANG).
Paper DefaultPaper();

// The paper with a quarter-inch border, about what a printer cannot reach.
QPageLayout PaperLayout(Paper paper, bool landscape = false);

}  // namespace mx::report
