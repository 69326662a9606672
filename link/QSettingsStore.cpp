#include "link/QSettingsStore.h"

#include <QSettings>
#include <QString>
#include <limits>

namespace mx {
namespace {

QString Key(std::string_view section, std::string_view key) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + u'/' +
         QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QSettingsStore::QSettingsStore(std::string_view application)
    : settings_(std::make_unique<QSettings>(Text(kCompanyName), Text(application))) {}

QSettingsStore::QSettingsStore(const IniFile& file)
    : settings_(std::make_unique<QSettings>(Text(file.path), QSettings::IniFormat)) {}

QSettingsStore::~QSettingsStore() = default;

int QSettingsStore::ReadInt(std::string_view section, std::string_view key, int fallback) {
  const QVariant value = settings_->value(Key(section, key));
  if (!value.isValid())
    return fallback;
  // Through 64 bits: QVariant's own toInt wraps "2147483648" round to a negative number.
  bool ok = false;
  const qlonglong number = value.toLongLong(&ok);
  if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
    return fallback;
  return static_cast<int>(number);
}

void QSettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  settings_->setValue(Key(section, key), value);
  settings_->sync();  // another program (mxtool, the setup program) may read it next
}

std::string QSettingsStore::ReadText(std::string_view section, std::string_view key,
                                     std::string_view fallback) {
  const QVariant value = settings_->value(Key(section, key));
  if (!value.isValid())
    return std::string(fallback);
  return value.toString().toStdString();
}

void QSettingsStore::WriteText(std::string_view section, std::string_view key,
                               std::string_view value) {
  settings_->setValue(Key(section, key), Text(value));
  settings_->sync();
}

std::string QSettingsStore::FileName() const {
  return settings_->fileName().toStdString();
}

}  // namespace mx
