#include "platform/qt_settings_store.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace qarto {

namespace {

constexpr const char* kOrganisation = "Vantrel Software";
constexpr const char* kApplication = "Qarto";

QString keyPath(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + u'/' + QString::fromStdString(key);
}

// Decimal, as the store writes it; blanks around the number are allowed.
bool parseInt(const QString& text, int& result) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (ok) result = value;
  return ok;
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kApplication)) {
  // Per user only: no organisation-wide file, no system-wide defaults.
  settings_->setFallbacksEnabled(false);
}

QtSettingsStore::QtSettingsStore(const std::string& iniPath)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {
  settings_->setFallbacksEnabled(false);
}

QtSettingsStore::~QtSettingsStore() = default;

int QtSettingsStore::readInt(const std::string& section, const std::string& key, int defaultValue) {
  const QVariant value = settings_->value(keyPath(section, key));
  if (!value.isValid()) return defaultValue;
  if (value.typeId() == QMetaType::Int) return value.toInt();
  if (value.typeId() != QMetaType::QString) return defaultValue;
  int result = defaultValue;
  return parseInt(value.toString(), result) ? result : defaultValue;
}

void QtSettingsStore::writeInt(const std::string& section, const std::string& key, int value) {
  settings_->setValue(keyPath(section, key), value);
}

std::string QtSettingsStore::readText(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
  const QVariant value = settings_->value(keyPath(section, key));
  if (!value.isValid()) return defaultValue;
  // The store quotes the texts it writes, but a hand-edited "a, b" without
  // quotes comes back from the INI reader as a list.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1String(", ")).toStdString();
  if (!value.canConvert<QString>()) return defaultValue;
  return value.toString().toStdString();
}

void QtSettingsStore::writeText(const std::string& section, const std::string& key, const std::string& value) {
  settings_->setValue(keyPath(section, key), QString::fromStdString(value));
}

bool QtSettingsStore::sync() {
  settings_->sync();
  return settings_->status() != QSettings::AccessError;
}

std::string QtSettingsStore::fileName() const { return settings_->fileName().toStdString(); }

}  // namespace qarto
