// The document's file commands in the window: New, Open, Save, Save As, the unsaved-changes
// question, rejected and unreadable files, failed saves, recent files, the About box and start-up.
#include <gtest/gtest.h>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>

#include <filesystem>
#include <fstream>

#include "core/ConfigFile.h"
#include "core/ImageOperations.h"
#include "desktop/widgets/WindowPlacement.h"
#include "editor/frame/CommandIds.h"
#include "editor/frame/SetupApplication.h"
#include "editor/pages/StatusPage.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

using test::WindowBench;

QLineEdit* Description(WindowBench& bench) {
  for (QLineEdit* edit : bench.frame->findChildren<QLineEdit*>()) {
    if (edit->maxLength() == 79)
      return edit;
  }
  return nullptr;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

TEST(DocumentCommandsTest, UnsavedEditAsksAndCancelKeepsTheDocument) {
  WindowBench bench;
  Description(bench)->setText("Line 2");
  bench.watcher.answers = {QMessageBox::Cancel};
  bench.Trigger(cmd::kFileNew);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_EQ(bench.watcher.messages[0].text, "Save changes to Untitled?");
  EXPECT_EQ(bench.watcher.messages[0].caption, "MXSetup");
  EXPECT_EQ(Description(bench)->text(), "Line 2");

  bench.watcher.answers = {QMessageBox::No};
  bench.Trigger(cmd::kFileNew);
  EXPECT_EQ(bench.watcher.messages.size(), 2u);
  EXPECT_EQ(Description(bench)->text(), "");
  EXPECT_EQ(bench.Image().Text(fld::description), "");
}

TEST(DocumentCommandsTest, EditChangedBackAsksNothing) {
  WindowBench bench;
  Description(bench)->setText("temporary");
  bench.Click("Even", "Parity: ");
  bench.document->Core().CommitPages();
  Description(bench)->setText("");
  bench.Click("None", "Parity: ");
  bench.Trigger(cmd::kFileNew);
  EXPECT_TRUE(bench.watcher.messages.empty());
}

TEST(DocumentCommandsTest, YesSavesAnUntitledDocumentUnderTheChosenName) {
  WindowBench bench;
  const std::string path = bench.folder.File("line2.mxs");
  bench.frame->SetFileQuestion([&](bool save) {
    EXPECT_TRUE(save);
    return QString::fromStdString(path);
  });
  Description(bench)->setText("Line 2");
  bench.watcher.answers = {QMessageBox::Yes};
  bench.frame->close();
  EXPECT_FALSE(bench.frame->isVisible());
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), kConfigFileSize);
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix3 Plus - line2.mxs");
  EXPECT_EQ(bench.frame->RecentFiles().Files().value(0), QString::fromStdString(path));
}

TEST(DocumentCommandsTest, CancelAtTheQuestionKeepsTheWindowOpen) {
  WindowBench bench;
  Description(bench)->setText("Line 2");
  bench.watcher.answers = {QMessageBox::Cancel};
  bench.frame->close();
  EXPECT_TRUE(bench.frame->isVisible());
}

TEST(DocumentCommandsTest, SaveAndOpenRoundTripWithModelAndRecentFile) {
  WindowBench bench;
  const std::string path = bench.folder.File("bench5.mxs");
  bench.frame->SetFileQuestion([&](bool) { return QString::fromStdString(path); });
  bench.Choose("Mesurix5 Network");
  Description(bench)->setText("Bench five");
  bench.Trigger(cmd::kFileSaveAs);
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix5 Network - bench5.mxs");

  bench.Trigger(cmd::kFileNew);
  bench.Choose("Mesurix3 Plus");
  EXPECT_EQ(Description(bench)->text(), "");
  bench.watcher.answers = {QMessageBox::No};  // the model change counts as an edit
  bench.Trigger(cmd::kFileOpen);
  EXPECT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_EQ(bench.Model(), 5);
  EXPECT_TRUE(bench.Button("Mesurix5 Network", "Mesurix Model: ")->isChecked());
  EXPECT_EQ(Description(bench)->text(), "Bench five");
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix5 Network - bench5.mxs");

  bool listed = false;
  for (QAction* action : bench.frame->RecentFilesMenuOwner()->actions())
    listed = listed || action->text() == "&1 " + QString::fromStdString(path);
  EXPECT_TRUE(listed);
}

TEST(DocumentCommandsTest, RejectedFileShowsTheMessageAndKeepsItsName) {
  WindowBench bench;
  const std::string path = bench.folder.File("broken.mxs");
  WriteBytes(path, std::vector<uint8_t>(200, 'x'));
  Description(bench)->setText("will be replaced");
  bench.frame->SetFileQuestion([&](bool) { return QString::fromStdString(path); });
  bench.watcher.answers = {QMessageBox::No};
  bench.Trigger(cmd::kFileOpen);
  ASSERT_EQ(bench.watcher.messages.size(), 2u);
  EXPECT_EQ(bench.watcher.messages[1].caption, "");
  EXPECT_EQ(bench.watcher.messages[1].text, "Invalid Mesurix configuration file.     ");
  EXPECT_EQ(bench.watcher.messages[1].icon, QMessageBox::Warning);
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix3 Plus - broken.mxs");
  EXPECT_EQ(Description(bench)->text(), "");
  EXPECT_TRUE(bench.Image() == bench.document->Core().SavedImage());
}

TEST(DocumentCommandsTest, SavingOverARejectedFileAsksFirst) {
  WindowBench bench;
  const std::string path = bench.folder.File("line6.mxs");
  const std::vector<uint8_t> damaged(4000, 'x');
  WriteBytes(path, damaged);
  bench.frame->OpenFile(QString::fromStdString(path));
  ASSERT_EQ(bench.watcher.messages.size(), 1u);  // the invalid-file message

  bench.watcher.answers = {QMessageBox::No};
  bench.Trigger(cmd::kFileSave);
  ASSERT_EQ(bench.watcher.messages.size(), 2u);
  EXPECT_EQ(bench.watcher.messages[1].text,
            QString::fromStdString(path) +
                " could not be read when it was opened. Replace it with the current settings?");
  EXPECT_EQ(std::filesystem::file_size(path), damaged.size()) << "No leaves the file untouched";

  bench.watcher.answers = {QMessageBox::Yes};
  bench.Trigger(cmd::kFileSave);
  EXPECT_EQ(std::filesystem::file_size(path), kConfigFileSize);
  bench.Trigger(cmd::kFileSave);
  EXPECT_EQ(bench.watcher.messages.size(), 3u) << "asked once, not at every save";
}

TEST(DocumentCommandsTest, UnreadableFileSaysSoAndStartsANewDocument) {
  WindowBench bench;
  const std::string path = bench.folder.File("missing.mxs");
  bench.frame->OpenFile(QString::fromStdString(path));
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_TRUE(bench.watcher.messages[0].text.startsWith("Cannot open the file " +
                                                        QString::fromStdString(path)));
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix3 Plus - Untitled");
}

TEST(DocumentCommandsTest, FailedSaveKeepsTheOldFileAndSaysWhy) {
  WindowBench bench;
  const std::string path = bench.folder.File("no/such/folder/x.mxs");
  bench.frame->SetFileQuestion([&](bool) { return QString::fromStdString(path); });
  bench.Trigger(cmd::kFileSave);
  ASSERT_EQ(bench.watcher.messages.size(), 1u);
  EXPECT_TRUE(bench.watcher.messages[0].text.startsWith("The file " + QString::fromStdString(path) +
                                                        " could not be saved."));
  EXPECT_EQ(bench.watcher.messages[0].icon, QMessageBox::Critical);
  EXPECT_EQ(bench.frame->windowTitle(), "Mesurix3 Plus - Untitled");
}

TEST(DocumentCommandsTest, UnknownModelInAFileGivesTheProgramNameAsCaption) {
  WindowBench bench;
  ParameterImage image;
  ResetImageToDefaults(image, 0);
  image.Set(fld::modelIndex, int8_t{9});
  StoreChecksum(image);
  ExtensionBlock extension;
  extension.ResetToDefaults();
  const std::string path = bench.folder.File("model9.mxs");
  WriteBytes(path, SerializeConfigFile(image, extension));
  bench.frame->OpenFile(QString::fromStdString(path));
  EXPECT_EQ(bench.frame->windowTitle(), "MXSetup - model9.mxs");
  for (const ModelInfo& model : kModelTable)
    EXPECT_FALSE(bench.MenuCommand(model.name)->isChecked()) << model.name;
  EXPECT_FALSE(bench.frame->Action(cmd::kChannelCommands[2])->isEnabled());
}

TEST(DocumentCommandsTest, AboutBoxShowsVersionAndDateAndSitsAQuarterDown) {
  WindowBench bench;
  bench.watcher.dialogActions.push_back([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "About MXSetup");
    EXPECT_EQ(dialog->findChild<QLabel*>("version")->text(), "Version 1.0.1.24");
    EXPECT_EQ(dialog->findChild<QLabel*>("date")->text(), "August 18, 2008");
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << "the box cannot be resized";
    const QRect screen = dialog->screen()->availableGeometry();
    EXPECT_EQ(dialog->frameGeometry().topLeft(),
              desktop::ScreenPlacement(screen, dialog->frameGeometry().size()));
    test::FindButton(dialog, "OK")->click();
  });
  bench.Trigger(cmd::kAppAbout);
  EXPECT_TRUE(bench.watcher.dialogActions.empty());
}

TEST(StartUpTest, ConfigFolderBesideTheProgramBecomesTheWorkingFolder) {
  test::TempDir program;
  const QString before = QDir::currentPath();
  const QString folder = QString::fromStdString(program.path().string());
  EXPECT_EQ(EnterConfigFolder(folder), folder);
  EXPECT_EQ(QDir::currentPath(), before);

  std::filesystem::create_directory(program.path() / "config");
  EXPECT_EQ(EnterConfigFolder(folder), folder + "/config");
  EXPECT_EQ(QDir::currentPath(), QDir(folder + "/config").canonicalPath());
  QDir::setCurrent(before);
}

TEST(StartUpTest, FileOnTheCommandLineIsOpenedRelativeToWhereTheUserStarted) {
  test::UsePrivatePreferences();
  test::TempDir start;
  test::TempDir program;
  std::filesystem::create_directory(program.path() / "config");
  ParameterImage image;
  ResetImageToDefaults(image, 4);
  image.SetText(fld::description, "from the command line");
  StoreChecksum(image);
  ExtensionBlock extension;
  extension.ResetToDefaults();
  WriteBytes(start.File("line4.mxs"), SerializeConfigFile(image, extension));

  const QString before = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(start.path().string()));
  MemoryPreferencesStore store;
  DeviceEnvironment environment{&store, nullptr, nullptr, {}};
  SetupProgram setup;
  ASSERT_TRUE(StartSetupProgram({"line4.mxs"}, QString::fromStdString(program.path().string()),
                                environment, setup));
  QDir::setCurrent(before);
  EXPECT_EQ(setup.frame->windowTitle(), "Mesurix5 Plus - line4.mxs");
  EXPECT_EQ(setup.document->Image().Text(fld::description), "from the command line");
  EXPECT_TRUE(setup.workingFolder.endsWith("/config"));

  SetupProgram failed;
  test::ModalWatcher watcher;
  EXPECT_FALSE(StartSetupProgram({start.File("absent.mxs").c_str()},
                                 QString::fromStdString(program.path().string()), environment,
                                 failed));
  QDir::setCurrent(before);
  EXPECT_EQ(watcher.messages.size(), 1u);
}

}  // namespace
}  // namespace mx::editor
