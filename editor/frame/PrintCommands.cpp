#include "editor/frame/PrintCommands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "desktop/TextConversion.h"
#include "desktop/widgets/MessageBoxes.h"
#include "editor/dialogs/PrintSelectionDialog.h"
#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/frame/CMX3_SetupView.h"
#include "editor/frame/FrameTexts.h"
#include "editor/frame/PrintTexts.h"

namespace mx::editor {

namespace {

// The printer keeps the range of the last print dialog; the next job starts with every page.
void ClearPageRange(QPrinter& printer) {
  printer.setPrintRange(QPrinter::AllPages);
  printer.setFromTo(0, 0);
}

}  // namespace

PrintCommands::PrintCommands(CMX3_SetupView& view, CMX3_SetupDoc& document)
    : view_(view),
      document_(document),
      printerInstalled_([] { return !QPrinterInfo::availablePrinterNames().isEmpty(); }) {}

PrintCommands::~PrintCommands() = default;

QPrinter& PrintCommands::Printer() {
  if (!printer_)
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

QWidget* PrintCommands::Owner() const {
  return view_.window();
}

bool PrintCommands::AskPages(report::SelectionMode mode) {
  PrintSelectionDialog dialog(selection_, view_.CurrentModel(), mode, Owner());
  if (dialog.exec() != QDialog::Accepted)
    return false;
  selection_ = dialog.Selection();
  return true;
}

report::ReportJob PrintCommands::BeginJob() {
  view_.Pages().CommitPages();
  report::ReportJob job;
  job.image = document_.Image();
  job.model = view_.CurrentModel();
  job.fileName = document_.Core().FileName();
  job.pageKinds = report::BuildPageList(selection_, job.model);
  job.texts = report::TakeJobTexts();
  return job;
}

void PrintCommands::Print() {
  // Without a printer the print dialog would quietly write a PDF into the home folder.
  if (!printerInstalled_() && Printer().outputFileName().isEmpty()) {
    if (desktop::AskYesNo(Owner(), desktop::FromUtf8(text::kProgramTitle),
                          desktop::FromUtf8(text::kNoPrinter), QMessageBox::Warning)) {
      ExportPdf();
    }
    return;
  }
  if (!AskPages(report::SelectionMode::Print))
    return;
  QPrinter& printer = Printer();
  ClearPageRange(printer);
  const auto pageCount = report::BuildPageList(selection_, view_.CurrentModel()).size();
  QPrintDialog dialog(&printer, Owner());
  dialog.setMinMax(1, static_cast<int>(pageCount));
  if (dialog.exec() != QDialog::Accepted)
    return;
  const report::ReportJob job = BeginJob();
  if (!report::PrintReport(printer, job)) {
    desktop::ShowMessageBox(Owner(), desktop::FromUtf8(text::kProgramTitle),
                            desktop::FromUtf8(text::kCannotPrint), QMessageBox::Warning);
  }
}

void PrintCommands::Preview() {
  if (!AskPages(report::SelectionMode::Preview))
    return;
  QPrinter& printer = Printer();
  ClearPageRange(printer);
  // One job for the whole preview: the pages it draws again (zoom, orientation) and a print from
  // the preview all show the same image, date and time.
  const report::ReportJob job = BeginJob();
  QPrintPreviewDialog dialog(&printer, Owner());
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&job](QPrinter* device) { report::PrintReport(*device, job); });
  // The main window has a fixed size and cannot make room for the pages; the preview takes the
  // whole screen instead.
  dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
  dialog.exec();
}

void PrintCommands::PrintSetup() {
  QPageSetupDialog dialog(&Printer(), Owner());
  dialog.exec();
}

QString PrintCommands::AskPdfPath() {
  const QString pdf = desktop::FromUtf8(text::kPdfExtension);
  const QString source = document_.PathName();
  const QString suggested =
      source.isEmpty()
          ? QDir::current().filePath(document_.FileName() + pdf)
          : QFileInfo(source).dir().filePath(QFileInfo(source).completeBaseName() + pdf);
  QFileDialog dialog(Owner(), desktop::FromUtf8(text::kExportPdfTitle), suggested,
                     desktop::FromUtf8(text::kPdfFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(pdf.mid(1));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().first();
}

void PrintCommands::ExportPdf() {
  if (!AskPages(report::SelectionMode::Export))
    return;
  const QString path = AskPdfPath();
  if (path.isEmpty())
    return;
  const report::ReportJob job = BeginJob();
  const FileResult written =
      report::WriteReportPdf(path.toStdString(), job, Printer().pageLayout());
  if (!written.ok) {
    desktop::ShowMessageBox(
        Owner(), desktop::FromUtf8(text::kProgramTitle),
        desktop::FromUtf8(text::kCannotExport).arg(path, QString::fromStdString(written.error)),
        QMessageBox::Warning);
  }
}

}  // namespace mx::editor
