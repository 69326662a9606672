#pragma once
// PDF files read back with poppler's pdftotext (poppler-utils): the words of each page with their
// boxes, and a page's text as laid out. The test target defines MX_PDFTOTEXT as the program's path.

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <string>
#include <vector>

namespace mx::test {

struct PdfWord {
  double x0, y0, x1, y1;
  QString text;
};
struct PdfPage {
  double width = 0, height = 0;  // in points
  std::vector<PdfWord> words;
};

inline QString RunPdfToText(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(MX_PDFTOTEXT), arguments);
  EXPECT_TRUE(process.waitForFinished(20000)) << "pdftotext (poppler-utils) did not run";
  return QString::fromUtf8(process.readAllStandardOutput());
}

inline std::vector<PdfPage> PdfWordBoxes(const std::string& pdf) {
  const QString html = RunPdfToText({"-bbox", QString::fromStdString(pdf), "-"});
  std::vector<PdfPage> pages;
  static const QRegularExpression tag(
      R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    if (!m.captured(1).isEmpty()) {
      pages.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), {}});
    } else if (!pages.empty()) {
      pages.back().words.push_back({m.captured(3).toDouble(), m.captured(4).toDouble(),
                                    m.captured(5).toDouble(), m.captured(6).toDouble(),
                                    m.captured(7)});
    }
  }
  return pages;
}

// One page (1-based) of `pdftotext -layout`, blanks squeezed so phrases match however columns
// were padded.
inline QString PdfLayoutText(const std::string& pdf, int page) {
  QString text = RunPdfToText({"-layout", "-f", QString::number(page), "-l", QString::number(page),
                               QString::fromStdString(pdf), "-"});
  return text.replace(QRegularExpression(" +"), " ");
}

inline void ExpectInOrder(const QString& text, const std::vector<const char*>& phrases) {
  qsizetype from = 0;
  for (const char* phrase : phrases) {
    const qsizetype at = text.indexOf(QString::fromUtf8(phrase), from);
    EXPECT_GE(at, 0) << "missing or out of order: " << phrase;
    if (at >= 0)
      from = at;
  }
}

}  // namespace mx::test
