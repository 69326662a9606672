#include "report/ReportJob.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

#include "report/DateTimeText.h"
#include "report/PainterCanvas.h"
#include "report/PrintPage.h"
#include "report/ReportBody.h"
#include "report/ReportPaper.h"

namespace mx::report {

JobTexts TakeJobTexts(const QDateTime& localTime) {
  return {FormatDateText(localTime), FormatTimeText(localTime)};
}

void DrawReportPage(PageCanvas& canvas, const ReportJob& job, int number) {
  const PageKind kind = job.pageKinds.at(static_cast<std::size_t>(number - 1));
  PrintPage page(canvas);
  page.DrawHeader(job.texts.date, job.texts.time);
  page.DrawPageNumber(number, static_cast<int>(job.pageKinds.size()));
  page.DrawFooter();
  page.DrawTitle(PageTitle(kind, job.fileName));
  page.SelectFont(FontFace::Arial, 9);
  DrawFittedPageBody(page, BuildPageBody(job.image, job.model, kind));
}

bool PaintReport(QPagedPaintDevice& device, const ReportJob& job, int first, int last) {
  const int count = static_cast<int>(job.pageKinds.size());
  first = std::max(first, 1);
  last = last <= 0 ? count : std::min(last, count);
  if (first > last)
    return false;
  QPainter painter;
  if (!painter.begin(&device))
    return false;
  PainterCanvas canvas(painter);
  for (int number = first; number <= last; ++number) {
    if (number > first)
      device.newPage();
    DrawReportPage(canvas, job, number);
  }
  return painter.end();
}

bool PrintReport(QPrinter& printer, const ReportJob& job) {
  return PaintReport(printer, job, printer.fromPage(), printer.toPage());
}

QPageLayout DefaultPdfLayout() {
  return PaperLayout(Paper::Letter);
}

QByteArray ReportPdfBytes(const ReportJob& job, const QPageLayout& layout) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageLayout(layout);
    writer.setCreator(QStringLiteral("MXSetup"));
    if (!job.pageKinds.empty())
      writer.setTitle(QString::fromStdString(PageTitle(job.pageKinds.front(), job.fileName)));
    if (!PaintReport(writer, job))
      return {};
  }
  return bytes;
}

FileResult WriteReportPdf(const std::string& path, const ReportJob& job,
                          const QPageLayout& layout) {
  if (job.pageKinds.empty())
    return {false, "no pages to write"};
  const QByteArray bytes = ReportPdfBytes(job, layout);
  if (bytes.isEmpty())
    return {false, "the PDF could not be drawn"};
  return WriteFileAtomically(path, std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                             static_cast<std::size_t>(bytes.size())));
}

std::string ReportText(const ReportJob& job) {
  std::string text = "Filename: " + job.fileName + '\n';
  for (std::size_t i = 0; i < job.pageKinds.size(); ++i) {
    text += '\n';
    text += PageName(job.pageKinds[i]) + '\n';
    text += PageBodyText(BuildPageBody(job.image, job.model, job.pageKinds[i]));
  }
  return text;
}

}  // namespace mx::report
