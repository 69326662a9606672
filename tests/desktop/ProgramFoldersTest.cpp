// Installed programs write to the user's folders; from the build tree they write beside themselves.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "desktop/ProgramFolders.h"
#include "support/TempDir.h"

namespace mx::desktop {
namespace {

TEST(ProgramFoldersTest, InstalledProgramsWriteToTheUsersFolders) {
  test::TempDir dir;
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.File("data")));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.File("config")));
  QCoreApplication::setOrganizationName(QStringLiteral("Brantwick Systems"));
  QCoreApplication::setApplicationName(QStringLiteral("MXSetup"));
  const QString built = QString::fromStdString(dir.File("apps"));
  const QString installed = QString::fromStdString(dir.File("usr/bin"));
  const QString locked = QString::fromStdString(dir.File("locked"));
  for (const QString& folder : {built, installed, locked})
    QDir().mkpath(folder);
  std::filesystem::permissions(locked.toStdString(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);

  EXPECT_FALSE(IsInstalledProgram(built));
  EXPECT_EQ(SetupConfigFolder(built), built + "/config");
  EXPECT_EQ(DefaultDocumentFolder(built), built);

  // A "bin" folder is an installation even where the user may write (~/.local/bin, root).
  EXPECT_TRUE(IsInstalledProgram(installed));
  const QString data = QString::fromStdString(dir.File("data/Brantwick Systems/MXSetup/config"));
  EXPECT_EQ(SetupConfigFolder(installed), data);
  EXPECT_TRUE(QFileInfo(data).isDir());
  const QString config = QString::fromStdString(dir.File("config/Brantwick Systems/MXSetup"));
  EXPECT_EQ(DefaultDocumentFolder(installed), config);
  EXPECT_TRUE(QFileInfo(config).isDir());

  if (geteuid() != 0) {  // root writes anywhere
    EXPECT_TRUE(IsInstalledProgram(locked));
  }
}

}  // namespace
}  // namespace mx::desktop
