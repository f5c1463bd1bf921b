#include "platform/qt_settings_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QObject>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "io/files/atomic_file.h"

namespace qarto {

namespace {

constexpr const char* kOrganisation = "Vantrel Software";
constexpr const char* kApplication = "Qarto";

using Values = std::map<QString, QVariant>;

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

std::string userSettingsPath() {
  const QSettings user(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kApplication);
  return user.fileName().toStdString();
}

Values readIniFile(const std::string& path) {
  Values values;
  const QSettings file(QString::fromStdString(path), QSettings::IniFormat);
  for (const QString& key : file.allKeys()) values[key] = file.value(key);
  return values;
}

// The file's text exactly as Qt's INI reader expects it, quoting and
// escapes included: Qt writes it into a scratch folder, and the bytes then
// go to the real file by the atomic steps.
std::optional<QByteArray> formatIni(const Values& values) {
  const QTemporaryDir scratch;
  if (!scratch.isValid()) return std::nullopt;
  const QString path = scratch.filePath(QStringLiteral("settings.ini"));
  {
    QSettings file(path, QSettings::IniFormat);
    for (const auto& [key, value] : values) file.setValue(key, value);
    file.sync();
    if (file.status() != QSettings::NoError) return std::nullopt;
  }
  QFile written(path);
  if (!written.open(QIODevice::ReadOnly)) return std::nullopt;
  return written.readAll();
}

}  // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(userSettingsPath()) {}

QtSettingsStore::QtSettingsStore(const std::string& iniPath, FileSystem& system)
    : path_(iniPath), system_(system), values_(readIniFile(iniPath)), syncGuard_(std::make_unique<QObject>()) {}

QtSettingsStore::~QtSettingsStore() { sync(); }

int QtSettingsStore::readInt(const std::string& section, const std::string& key, int defaultValue) {
  const auto found = values_.find(keyPath(section, key));
  if (found == values_.end()) return defaultValue;
  const QVariant& value = found->second;
  if (value.typeId() == QMetaType::Int) return value.toInt();
  if (value.typeId() != QMetaType::QString) return defaultValue;
  int result = defaultValue;
  return parseInt(value.toString(), result) ? result : defaultValue;
}

void QtSettingsStore::writeInt(const std::string& section, const std::string& key, int value) {
  write(keyPath(section, key), value);
}

std::string QtSettingsStore::readText(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
  const auto found = values_.find(keyPath(section, key));
  if (found == values_.end()) return defaultValue;
  const QVariant& value = found->second;
  // The store quotes the texts it writes, but a hand-edited "a, b" without
  // quotes comes back from the INI reader as a list.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1String(", ")).toStdString();
  if (!value.canConvert<QString>()) return defaultValue;
  return value.toString().toStdString();
}

void QtSettingsStore::writeText(const std::string& section, const std::string& key, const std::string& value) {
  write(keyPath(section, key), QString::fromStdString(value));
}

void QtSettingsStore::write(const QString& keyPath, QVariant value) {
  values_[keyPath] = std::move(value);
  changed_.insert(keyPath);
  // Like QSettings, write once control returns to the event loop, so a
  // crash soon after loses little and a burst of writes costs one file.
  if (!syncPosted_ && QCoreApplication::instance() != nullptr) {
    syncPosted_ = true;
    QTimer::singleShot(0, syncGuard_.get(), [this] {
      syncPosted_ = false;
      sync();
    });
  }
}

bool QtSettingsStore::sync() {
  if (changed_.empty()) return true;
  // Another editor may have written since: start from the file as it is now.
  Values merged = readIniFile(path_);
  for (const QString& key : changed_) merged[key] = values_[key];

  const std::optional<QByteArray> text = formatIni(merged);
  if (!text) {
    lastFailure_ = WriteFailure{WriteStep::CreateTemporary, errno != 0 ? errno : EIO};
    return false;
  }
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
  WriteFailure failure;
  if (!writeFileAtomically(path_, text->constData(), static_cast<std::size_t>(text->size()), &failure, system_)) {
    lastFailure_ = failure;
    return false;
  }
  values_ = std::move(merged);
  changed_.clear();
  lastFailure_.reset();
  return true;
}

}  // namespace qarto
