#pragma once
// Print, Print Preview, Print Setup and Export PDF: the summary report of the document. Each job
// first asks which pages it holds, then commits the pages into the image and takes the one date
// and time all its pages show. The page selection and the printer (with the page layout that Print
// Setup chose) are kept between jobs.

#include <QString>
#include <functional>
#include <memory>

#include "report/PageSelection.h"
#include "report/ReportJob.h"

class QPrinter;

namespace mx::editor {

class CMX3_SetupDoc;
class CMX3_SetupView;

class PrintCommands {
 public:
  PrintCommands(CMX3_SetupView& view, CMX3_SetupDoc& document);
  ~PrintCommands();

  void Print();
  void Preview();
  void PrintSetup();
  void ExportPdf();

  const report::PageSelection& Selection() const { return selection_; }
  // Whether the system has a printer to print on; by default asks the system. Without one, Print
  // offers Export PDF instead (unless the printer was pointed at a file).
  void SetPrinterCheck(std::function<bool()> check) { printerInstalled_ = std::move(check); }
  // Made at first use: asking the system for its printers can take a moment.
  QPrinter& Printer();

 private:
  // The selection dialog; false when it was cancelled. Confirmed boxes become the selection.
  bool AskPages(report::SelectionMode mode);
  // The start of every job: the pages stored, then the job from the committed image.
  report::ReportJob BeginJob();
  QString AskPdfPath();
  QWidget* Owner() const;

  CMX3_SetupView& view_;
  CMX3_SetupDoc& document_;
  report::PageSelection selection_;
  std::unique_ptr<QPrinter> printer_;
  std::function<bool()> printerInstalled_;
};

}  // namespace mx::editor
