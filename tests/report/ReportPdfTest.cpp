// Real PDF files of the report, read back with poppler's pdftotext: the texts are there, in order,
// on the page, and no two words overlap.
#include <gtest/gtest.h>

#include <QPrinter>

#include "core/ImageOperations.h"
#include "report/ReportJob.h"
#include "report/ReportPaper.h"
#include "support/PdfText.h"
#include "support/TempDir.h"

namespace mx::report {
namespace {

using test::ExpectInOrder;
using test::PdfLayoutText;
using test::PdfWordBoxes;
using Page = test::PdfPage;
using Word = test::PdfWord;

// Everything a page can hold at its widest: long texts, all channels, the composed toggle text.
ReportJob CrowdedJob() {
  ReportJob job;
  ResetImageToDefaults(job.image, 5);
  job.model = 5;
  job.image.SetText(fld::description, std::string(79, 'W'));
  job.image.Set(fld::toggleMode, 4);
  job.image.Set(fld::toggleLeftContinuous, 1);
  job.image.Set(fld::toggleRightContinuous, 1);
  for (int c = 0; c < kChannelCount; ++c) {
    job.image.Set(fld::toggleLeftChannels, 1, c);
    job.image.Set(fld::toggleRightChannels, 1, c);
    job.image.Set(fld::networkOutput, 1, c);
  }
  job.image.Set(fld::gageType, int8_t{5}, 1);
  job.image.Set(fld::outputFormat, 5, 1);
  job.image.SetText(fld::customFormatText, std::string(50, 'M'), 1);
  job.image.Set(fld::readCommandMode, 3, 1);
  job.image.SetText(fld::commandText, "{Esc}P" + std::string(24, 'W'), 1);
  job.fileName = "Line 4 - gauges & fixtures.mxs";
  job.pageKinds.assign(kPageKinds.begin(), kPageKinds.end());
  job.texts = TakeJobTexts(QDateTime({2008, 8, 18}, {14, 5, 7}));
  return job;
}

// Every word inside the page's quarter-inch border, no two words (footer included) overlapping.
void ExpectWordsInsideWithoutOverlaps(const std::vector<Page>& pages) {
  const double border = 18;  // the PDF's quarter-inch border, in points
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const Page& page = pages[p];
    ASSERT_GT(page.words.size(), 50u);
    for (std::size_t i = 0; i < page.words.size(); ++i) {
      const Word& w = page.words[i];
      SCOPED_TRACE(testing::Message() << "page " << p + 1 << ": " << w.text.toStdString());
      EXPECT_GE(w.x0, border);
      EXPECT_GE(w.y0, border);
      EXPECT_LE(w.x1, page.width - border);
      EXPECT_LE(w.y1, page.height - border);
      for (std::size_t j = i + 1; j < page.words.size(); ++j) {
        const Word& v = page.words[j];
        const double across = std::min(w.x1, v.x1) - std::max(w.x0, v.x0);
        const double down = std::min(w.y1, v.y1) - std::max(w.y0, v.y0);
        EXPECT_FALSE(across > 0.5 && down > 0.5) << "overlaps " << v.text.toStdString();
      }
    }
  }
}

std::string Words(const Page& page) {
  QStringList words;
  for (const Word& w : page.words)
    words << w.text;
  words.sort();
  return words.join(' ').toStdString();
}

TEST(ReportPdf, EveryPaperAndOrientationHoldsTheSameWordsInsideWithoutOverlaps) {
  test::TempDir dir;
  ReportJob job = CrowdedJob();
  // The summary table is the widest page, a channel page the tallest.
  job.pageKinds = {PageKind::Global, PageKind::ChannelB};
  const std::string letter = dir.File("letter.pdf");
  ASSERT_TRUE(WriteReportPdf(letter, job, PaperLayout(Paper::Letter)).ok);
  const std::vector<Page> expected = PdfWordBoxes(letter);
  ASSERT_EQ(expected.size(), 2u);
  ExpectWordsInsideWithoutOverlaps(expected);

  const struct {
    Paper paper;
    bool landscape;
  } layouts[] = {{Paper::Letter, true}, {Paper::A4, false}, {Paper::A4, true},
                 {Paper::A5, false},    {Paper::A5, true},  {Paper::Legal, false},
                 {Paper::Legal, true}};
  for (const auto& layout : layouts) {
    const QPageLayout pageLayout = PaperLayout(layout.paper, layout.landscape);
    SCOPED_TRACE(pageLayout.pageSize().name().toStdString() +
                 (layout.landscape ? " landscape" : ""));
    const std::string pdf = dir.File("report.pdf");
    ASSERT_TRUE(WriteReportPdf(pdf, job, pageLayout).ok);
    const std::vector<Page> pages = PdfWordBoxes(pdf);
    ASSERT_EQ(pages.size(), expected.size());
    EXPECT_NEAR(pages[0].width, pageLayout.fullRect(QPageLayout::Point).width(), 1);
    ExpectWordsInsideWithoutOverlaps(pages);
    for (std::size_t p = 0; p < pages.size(); ++p)
      EXPECT_EQ(Words(pages[p]), Words(expected[p])) << "page " << p + 1;
  }
}

TEST(ReportPdf, PagesHoldTheirTextsInOrder) {
  test::TempDir dir;
  const std::string pdf = dir.File("report.pdf");
  const ReportJob job = CrowdedJob();
  ASSERT_TRUE(WriteReportPdf(pdf, job).ok);
  ASSERT_EQ(PdfWordBoxes(pdf).size(), 6u);

  ExpectInOrder(
      PdfLayoutText(pdf, 1),
      {"Page 1 of 6", "8-18-2008", "2:05:07 PM",
       "Global Settings & Channel Summary (Filename: Line 4 - gauges & fixtures.mxs)",
       "Global Setup Parameters", "Mesurix Model = Mesurix5 Network",
       "Serial Communications:", "Parameters = 9600:N-8-1", "Handshake = None",
       "Network Setup Parameters", "TCP/IP Address = 192.168.0.10",
       "Measurement Output Targets = RS232 port, N/W Ch 1, N/W Ch 2", "Toggle Switch Parameters",
       "Channel Summary", "Channel A Channel B Channel C Channel D Channel E",
       "Gage Type Auto RS232 Auto Auto RS232", "RS232 Gage -- 4800:E-7-1 -- -- 4800:E-7-1",
       "MXSetup Program, Version 1.0.1.24", "Mesurix gage interfaces"});
  ExpectInOrder(
      PdfLayoutText(pdf, 3),
      {"Page 3 of 6", "Channel B Parameters", "Basic Tab", "Gage Type = RS232",
       "Output Format = Custom", "Read Switch Tab", "RS232 Tab", "Baud Rate = 4800",
       "Parsing: =", "Read Command = Command string: {Esc}P", "Extended Tab", "Custom features ="});
}

TEST(ReportPdf, PrinterPrintsTheChosenRangeNumberedWithinTheJob) {
  test::TempDir dir;
  const std::string pdf = dir.File("printed.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  printer.setFromTo(2, 3);
  ASSERT_TRUE(PrintReport(printer, CrowdedJob()));
  const std::vector<Page> pages = PdfWordBoxes(pdf);
  ASSERT_EQ(pages.size(), 2u);
  ExpectInOrder(PdfLayoutText(pdf, 1), {"Page 2 of 6", "Channel A Parameters"});
  ExpectInOrder(PdfLayoutText(pdf, 2), {"Page 3 of 6", "Channel B Parameters"});
}

TEST(ReportPdf, NoFileWithoutPages) {
  test::TempDir dir;
  ReportJob job = CrowdedJob();
  job.pageKinds.clear();
  EXPECT_FALSE(WriteReportPdf(dir.File("empty.pdf"), job).ok);
  EXPECT_FALSE(std::filesystem::exists(dir.File("empty.pdf")));
}

}  // namespace
}  // namespace mx::report
