#include "platform/qt_settings_store.h"

#include <QSettings>
#include <QString>

namespace qarto {

namespace {
QString keyPath(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + "/" + QString::fromStdString(key);
}
}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Vantrel Software", "Qarto")) {}

QtSettingsStore::QtSettingsStore(const std::string& iniPath)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

int QtSettingsStore::readInt(const std::string& section, const std::string& key, int defaultValue) {
  QVariant value = settings_->value(keyPath(section, key));
  if (!value.isValid()) return defaultValue;
  bool ok = false;
  int result = value.toString().trimmed().toInt(&ok, 0);
  return ok ? result : defaultValue;
}

void QtSettingsStore::writeInt(const std::string& section, const std::string& key, int value) {
  settings_->setValue(keyPath(section, key), value);
}

std::string QtSettingsStore::readText(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
  QVariant value = settings_->value(keyPath(section, key));
  if (!value.isValid()) return defaultValue;
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
  return value.toString().toStdString();
}

void QtSettingsStore::writeText(const std::string& section, const std::string& key, const std::string& value) {
  settings_->setValue(keyPath(section, key), QString::fromStdString(value));
}

void QtSettingsStore::sync() { settings_->sync(); }

std::string QtSettingsStore::fileName() const { return settings_->fileName().toStdString(); }

}  // namespace qarto
