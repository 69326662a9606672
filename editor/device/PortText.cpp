#include "editor/device/PortText.h"

#include <QFileInfo>
#include <cctype>

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

std::string WithPortPaths(std::string_view text, const PortMap& ports, DeviceForm form) {
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t com = text.find("COM", at);
    if (com == std::string_view::npos) {
      out.append(text.substr(at));
      break;
    }
    out.append(text.substr(at, com - at));
    std::size_t end = com + 3;
    int number = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) &&
           end - com < 5) {
      number = number * 10 + (text[end] - '0');
      ++end;
    }
    // "COM12" must not be read as COM1 followed by "2".
    const bool whole = end > com + 3 &&
                       (end == text.size() || !std::isdigit(static_cast<unsigned char>(text[end])));
    const std::optional<std::string> path =
        whole && number >= 1 && number <= 20 ? ports.PathOf(number) : std::nullopt;
    out.append(text.substr(com, end - com));
    if (path) {
      out += " (";
      out += form == DeviceForm::FullPath ? *path : KernelDeviceName(*path);
      out += ')';
    }
    at = end;
  }
  return out;
}

}  // namespace mx::editor
