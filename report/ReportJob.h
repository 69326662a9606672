#pragma once
// One print job of the summary report: its pages, the image they show and the one date and time
// all its pages carry. Printing, the preview, PDF files and the text form all come from here.

#include <QDateTime>
#include <QPageLayout>
#include <string>
#include <vector>

#include "core/ConfigFile.h"
#include "core/ModelTable.h"
#include "core/ParameterImage.h"
#include "report/ReportBody.h"

class QPagedPaintDevice;
class QPrinter;

namespace mx::report {

class PageCanvas;

struct JobTexts {
  std::string date;
  std::string time;
};
// Taken once, when the job begins, so every page of it shows the same moment.
JobTexts TakeJobTexts(const QDateTime& localTime = QDateTime::currentDateTime());

struct ReportJob {
  ParameterImage image;  // as committed when the job began
  ModelIndex model = 0;
  std::string fileName;             // shown in every page title
  std::vector<PageKind> pageKinds;  // the page list, in printing order
  JobTexts texts;
};

// Page `number` (1..N) of the job: header, page number, footer, title and body.
void DrawReportPage(PageCanvas& canvas, const ReportJob& job, int number);

// Pages first..last (1-based; last 0 = to the end) on a printer, the preview or a PDF writer, one
// device page each. False when painting cannot start on the device.
bool PaintReport(QPagedPaintDevice& device, const ReportJob& job, int first = 1, int last = 0);
// The range the user chose in the print dialog, or every page.
bool PrintReport(QPrinter& printer, const ReportJob& job);

// US Letter with a quarter-inch border, about what a printer cannot reach.
QPageLayout DefaultPdfLayout();
// Writes the job as a PDF file; an existing file is replaced only once the new one is complete.
FileResult WriteReportPdf(const std::string& path, const ReportJob& job,
                          const QPageLayout& layout = DefaultPdfLayout());
// The job's pages as PDF bytes.
QByteArray ReportPdfBytes(const ReportJob& job, const QPageLayout& layout = DefaultPdfLayout());

// The job as text: the file name on a line of its own, then per page its name and body, a blank
// line before each page. Nothing in it repeats per page, so two files that differ in one setting
// differ in one line.
std::string ReportText(const ReportJob& job);

}  // namespace mx::report
