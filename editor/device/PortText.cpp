#include "editor/device/PortText.h"

#include <QFileInfo>

#include "link/PortMap.h"

namespace mx::editor {

std::string KernelDeviceName(const std::string& path) {
  const QFileInfo info(QFile::decodeName(path.c_str()));
  QString target = info.canonicalFilePath();
  if (target.isEmpty())
    target = info.filePath();
  // Devices go by their name under /dev, which keeps the folder of those that have one ("pts/3").
  static const QString kDevices = QStringLiteral("/dev/");
  const QString name =
      target.startsWith(kDevices) ? target.mid(kDevices.size()) : QFileInfo(target).fileName();
  return QFile::encodeName(name).toStdString();
}

std::string DeviceBeside(int port, const PortMap& ports, DeviceForm form) {
  const std::optional<std::string> path = ports.PathOf(port);
  if (!path)
    return {};
  return " (" + (form == DeviceForm::FullPath ? *path : KernelDeviceName(*path)) + ")";
}

}  // namespace mx::editor
