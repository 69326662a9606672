// Print, Print Preview, Print Setup and Export PDF from the window, down to the pages they
// produce, read back from real PDF files. Each job stores what was typed on a page first.
#include <gtest/gtest.h>
#include <QFileDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include "core/ConfigFile.h"
#include "core/FieldCodes.h"
#include "core/ImageOperations.h"
#include "core/PageStoreRules.h"
#include "core/SetupDocument.h"
#include "editor/frame/CommandIds.h"
#include "editor/frame/PrintCommands.h"
#include "tests/editor/EditorBench.h"
#include "tests/support/PdfText.h"

namespace mx::editor {
namespace {

using test::ExpectInOrder;
using test::FindButton;
using test::PdfLayoutText;
using test::PdfWordBoxes;
using test::WindowBench;

// The Status page's description box: typed into, it reaches the image only through a commit.
void TypeDescription(WindowBench& bench, const QString& text) {
  QGroupBox* group = test::FindGroup(bench.frame.get(), "Description: ");
  ASSERT_NE(group, nullptr);
  group->findChild<QLineEdit*>()->setText(text);
}

const std::vector<report::PageKind> kGlobalAndA{report::PageKind::Global,
                                                report::PageKind::ChannelA};

// Clicks the buttons with these captions, in order; the last one usually closes the dialog.
std::function<void(QWidget*)> Click(QStringList captions) {
  return [captions](QWidget* dialog) {
    for (const QString& caption : captions) {
      QAbstractButton* button = FindButton(dialog, caption);
      ASSERT_NE(button, nullptr) << caption.toStdString();
      button->click();
    }
  };
}

TEST(PrintCommandsTest, PrintDialogOffersTheJobsPagesAndPrintsTheChosenRange) {
  WindowBench bench;
  const std::string pdf = bench.folder.File("printed.pdf");
  bench.View().Printing().Printer().setOutputFileName(QString::fromStdString(pdf));
  ASSERT_NO_FATAL_FAILURE(TypeDescription(bench, "Line 4 gauges"));
  bench.watcher.dialogActions.push_back(Click({"Print"}));
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    auto* print = qobject_cast<QPrintDialog*>(dialog);
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->minPage(), 1);
    EXPECT_EQ(print->maxPage(), 2);
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
      EXPECT_FALSE(button->text().contains("Help")) << "a Help button";
    // Page 1 to 1: the global page alone.
    ASSERT_NO_FATAL_FAILURE(Click({"Pages from"})(dialog));
    dialog->findChild<QSpinBox*>("to")->setValue(1);
    print->accept();
  });
  bench.Trigger(cmd::kFilePrint);
  ASSERT_TRUE(bench.watcher.dialogActions.empty());

  ASSERT_EQ(PdfWordBoxes(pdf).size(), 1u);
  ExpectInOrder(PdfLayoutText(pdf, 1), {"Page 1 of 2", "Global Settings & Channel Summary",
                                        "(Filename: Untitled)", "Description = Line 4 gauges"});

  // The range belonged to that job alone: the preview after it shows both pages.
  bench.watcher.dialogActions.push_back(Click({"Print Preview"}));
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    auto* pages = dialog->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->pageCount(), 2);
    qobject_cast<QDialog*>(dialog)->reject();
  });
  bench.Trigger(cmd::kFilePrintPreview);
  EXPECT_TRUE(bench.watcher.dialogActions.empty());
}

TEST(PrintCommandsTest, PreviewFromTheToolbarIsMaximisedAndShowsTheCommittedPages) {
  WindowBench bench;
  bench.Choose("Mesurix5 Plus");
  ASSERT_NO_FATAL_FAILURE(TypeDescription(bench, "typed before the preview"));
  const std::string pdf = bench.folder.File("preview.pdf");
  bench.watcher.dialogActions.push_back(Click({"Channel E", "Print Preview"}));
  bench.watcher.dialogActions.push_back([&pdf](QWidget* dialog) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isMaximized());
    EXPECT_EQ(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 3);
    // What the preview draws on the screen, drawn into a file instead.
    QPrinter file(QPrinter::HighResolution);
    file.setOutputFormat(QPrinter::PdfFormat);
    file.setOutputFileName(QString::fromStdString(pdf));
    emit preview->paintRequested(&file);
    preview->reject();
  });
  QToolButton* button = nullptr;
  for (QToolButton* tool :
       bench.frame->findChild<QToolBar*>("toolbar")->findChildren<QToolButton*>()) {
    if (tool->defaultAction() == bench.frame->Action(cmd::kFilePrintPreview))
      button = tool;
  }
  ASSERT_NE(button, nullptr);
  button->click();
  ASSERT_TRUE(bench.watcher.dialogActions.empty());

  ASSERT_EQ(PdfWordBoxes(pdf).size(), 3u);
  ExpectInOrder(PdfLayoutText(pdf, 1), {"Page 1 of 3", "Description = typed before the preview"});
  ExpectInOrder(PdfLayoutText(pdf, 3), {"Page 3 of 3", "Channel E Parameters"});
}

TEST(PrintCommandsTest, ExportPdfWritesTheSelectedPagesOnThePageSetupLayout) {
  WindowBench bench;
  bench.Choose("Mesurix5 Plus");
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    ASSERT_NE(qobject_cast<QPageSetupDialog*>(dialog), nullptr);
    ASSERT_NO_FATAL_FAILURE(Click({"Landscape"})(dialog));
    qobject_cast<QDialog*>(dialog)->accept();
  });
  bench.Trigger(cmd::kFilePrintSetup);
  ASSERT_TRUE(bench.watcher.dialogActions.empty());

  ASSERT_NO_FATAL_FAILURE(TypeDescription(bench, "typed before the export"));
  const std::string pdf = bench.folder.File("summary.pdf");
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Export PDF Selection");
    Click({"Channel A", "Channel D", "Export PDF"})(dialog);
  });
  bench.watcher.dialogActions.push_back([&pdf](QWidget* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr);
    EXPECT_TRUE(files->selectedFiles().value(0).endsWith("/Untitled.pdf"));
    files->selectFile(QString::fromStdString(pdf));
    static_cast<QDialog*>(files)->accept();  // as the Save button does
  });
  bench.Trigger(cmd::kFileExportPdf);
  ASSERT_TRUE(bench.watcher.dialogActions.empty());

  const std::vector<test::PdfPage> pages = PdfWordBoxes(pdf);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_GT(pages[0].width, pages[0].height);
  ExpectInOrder(PdfLayoutText(pdf, 1), {"Page 1 of 2", "Description = typed before the export"});
  ExpectInOrder(PdfLayoutText(pdf, 2), {"Page 2 of 2", "Channel D Parameters"});
}

// Picks `path` in the Export PDF file dialog.
std::function<void(QWidget*)> SaveAs(const std::string& path) {
  return [path](QWidget* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr);
    files->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(files)->accept();
  };
}

TEST(PrintCommandsTest, WithoutAPrinterPrintSaysSoAndOffersExportPdf) {
  WindowBench bench;
  bench.View().Printing().SetPrinterCheck([] { return false; });
  const std::string pdf = bench.folder.File("instead.pdf");
  bench.watcher.answers.push_back(QMessageBox::Yes);
  bench.watcher.dialogActions.push_back(Click({"Export PDF"}));
  bench.watcher.dialogActions.push_back(SaveAs(pdf));
  bench.Trigger(cmd::kFilePrint);
  ASSERT_TRUE(bench.watcher.dialogActions.empty());
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_TRUE(bench.watcher.messages[0].text.startsWith("No printer is installed."));
  EXPECT_EQ(PdfWordBoxes(pdf).size(), 2u);
}

TEST(PrintCommandsTest, AFailedExportIsShownWithTheWarningSign) {
  WindowBench bench;
  bench.watcher.dialogActions.push_back(Click({"Export PDF"}));
  bench.watcher.dialogActions.push_back(SaveAs(bench.folder.File("missing/summary.pdf")));
  bench.Trigger(cmd::kFileExportPdf);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_TRUE(bench.watcher.messages[0].text.contains("could not be written"));
  EXPECT_EQ(bench.watcher.messages[0].icon, QMessageBox::Warning);
}

// Settings the pages rewrite when they are stored: what the editor prints of such a file is what
// the command line's report prints of it, through the same rules.
TEST(PrintCommandsTest, PrintsWhatTheReportWithoutTheEditorPrintsOfTheSameFile) {
  ParameterImage image;
  ResetImageToDefaults(image, 5);
  image.Set(fld::hostBaud, uint16_t{1234});
  image.Set(fld::hostHandshake, uint8_t{7});
  image.Set(fld::hostDataBits, '7');  // with parity None
  image.SetText(fld::description, std::string(80, 'D'));
  image.Set(fld::includeCalculated, uint8_t{1}, 0);
  image.Set(fld::calcReadingCount, uint16_t{0}, 0);
  image.Set(fld::toggleMode, uint8_t{1});  // step forward, with no stepping read switch
  StoreChecksum(image);
  WindowBench bench;
  const std::string path = bench.folder.File("rewritten.mxs");
  ASSERT_TRUE(WriteFileAtomically(path, SerializeConfigFile(image, ExtensionBlock{})).ok);

  EditorHooks hooks;
  SetupDocument opened(hooks);
  ASSERT_EQ(opened.Open(path), LoadOutcome::Opened);
  report::ReportJob withoutEditor{opened.Image(), hooks.CurrentModel(), "", kGlobalAndA, {}};
  const std::string asWritten = report::ReportText(withoutEditor);
  ApplyPageStoreRules(withoutEditor.image, withoutEditor.model, 0);

  bench.frame->OpenFile(QString::fromStdString(path));
  bench.View().Printing().Printer().setOutputFileName(bench.folder.File("printed.pdf").c_str());
  bench.watcher.dialogActions.push_back(Click({"Print"}));
  bench.watcher.dialogActions.push_back(
      [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
  bench.Trigger(cmd::kFilePrint);
  ASSERT_TRUE(bench.watcher.dialogActions.empty());
  const report::ReportJob printed{bench.Image(), bench.Model(), "", kGlobalAndA, {}};

  EXPECT_NE(report::ReportText(printed), asWritten) << "the file holds nothing the pages rewrite";
  EXPECT_EQ(report::ReportText(withoutEditor), report::ReportText(printed));
}

// Every element of the image at an odd value in turn (all bits set, then a small code no control
// stores), on files of a digital and network model and of an RS232-only one, as they come and with
// the settings that make the report print more: opened and printed by the editor, each prints
// what the command line's report prints of the same file.
TEST(PrintCommandsTest, EveryOddValuePrintsTheSameWithAndWithoutTheEditor) {
  struct Base {
    ModelIndex model;
    std::function<void(ParameterImage&)> setup;
  };
  const Base bases[] = {
      {5, [](ParameterImage&) {}},
      {3, [](ParameterImage&) {}},
      {5,
       [](ParameterImage& image) {
         image.Set(fld::readSwitchMode, readSwitch::kCustomSequence, channel::kA);
         image.Set(fld::useLedForNext, uint8_t{1});
         image.Set(fld::networkEnabled, uint8_t{1});
         image.Set(fld::networkChannelCount, int8_t{6});
         image.Set(fld::startChannelMode, startChannel::kCustom);
         image.Set(fld::outputFormat, outputFormat::kTir, channel::kA);
         image.Set(fld::equationEnabled, uint8_t{1}, channel::kA);
         image.Set(fld::unitsConversion, unitsConversion::kMmToInch, channel::kA);
       }},
      {3,
       [](ParameterImage& image) {
         image.Set(fld::endOfPacketMode, endOfPacket::kGap, channel::kA);
         image.Set(fld::readCommandMode, readCommand::kHandshakeLow, channel::kA);
         image.Set(fld::useCharPositions, uint8_t{1}, channel::kA);
         image.Set(fld::charStart, uint16_t{2000}, channel::kA);  // more than its box shows
         image.Set(fld::charEnd, uint16_t{5}, channel::kA);
         image.Set(fld::includeCalculated, uint8_t{1}, channel::kA);
         image.Set(fld::idMode, idMode::kPrefix, channel::kA);
         image.Set(fld::endOfOutputMode, endOfOutput::kCustom, channel::kA);
       }},
      {1,  // no toggle switch, so no step modes
       [](ParameterImage& image) {
         image.Set(fld::readSwitchMode, readSwitch::kStepNext, channel::kA);
         image.Set(fld::readSwitchMode, readSwitch::kStepStay, channel::kB);
       }},
  };
  WindowBench bench;
  const std::string path = bench.folder.File("odd.mxs");
  const std::vector<report::PageKind> allPages(report::kPageKinds.begin(),
                                               report::kPageKinds.end());
  // Writes `value` into the element, low byte first, and compares the two printouts of the file.
  const auto compare = [&](const Base& base, const FieldInfo& info, int element, int value) {
    ParameterImage image;
    ResetImageToDefaults(image, base.model);
    base.setup(image);
    const std::span<uint8_t> bytes = image.Span(info, element);
    for (std::size_t b = 0; b < bytes.size(); ++b)
      bytes[b] = static_cast<uint8_t>(b < sizeof(int) ? value >> (8 * b) : value);
    StoreChecksum(image);
    ASSERT_TRUE(WriteFileAtomically(path, SerializeConfigFile(image, ExtensionBlock{})).ok);

    EditorHooks hooks;
    SetupDocument opened(hooks);
    ASSERT_EQ(opened.Open(path), LoadOutcome::Opened);
    report::ReportJob withoutEditor{opened.Image(), hooks.CurrentModel(), "", allPages, {}};
    ApplyPageStoreRules(withoutEditor.image, withoutEditor.model, 0);

    // As a freshly started editor would open it: radios a value has no button for keep the new
    // document's choice.
    bench.document->NewDocument();
    ASSERT_TRUE(bench.document->OpenDocument(QString::fromStdString(path)));
    bench.View().Pages().CommitPages();
    const report::ReportJob printed{bench.Image(), bench.Model(), "", allPages, {}};
    EXPECT_EQ(report::ReportText(withoutEditor), report::ReportText(printed))
        << info.name << "[" << element << "] = " << value << " on model " << base.model;
  };
  for (const Base& base : bases) {
    for (const FieldInfo& info : kFieldTable) {
      if (info.type == FieldType::Reserved || info.offset < fld::description.Info().offset ||
          info.name == "modelIndex" || info.name == "checksum")
        continue;
      for (int element = 0; element < info.count; ++element) {
        // Every byte all ones, then every byte a small code no control stores.
        compare(base, info, element, -1);
        compare(base, info, element, 0x02020202);
      }
      // Each code of a coded field on the channel shown.
      if (const FieldCodes* codes = CodesOf(info.name)) {
        for (const int code : codes->values)
          compare(base, info, channel::kA, code);
      }
    }
  }
}

}  // namespace
}  // namespace mx::editor
