#include "cli/user_settings.h"

#include "io/files/recent_file_list.h"
#include "platform/qt_settings_store.h"

namespace qarto {

UserSettings::UserSettings() : user_(std::make_unique<QtSettingsStore>()) {}

UserSettings::~UserSettings() = default;

int UserSettings::readInt(const std::string& section, const std::string& key, int defaultValue) {
  return user_->readInt(section, key, defaultValue);
}

void UserSettings::writeInt(const std::string& section, const std::string& key, int value) {
  if (section != kRecentFileSection) user_->writeInt(section, key, value);
}

std::string UserSettings::readText(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) {
  return user_->readText(section, key, defaultValue);
}

void UserSettings::writeText(const std::string& section, const std::string& key, const std::string& value) {
  if (section != kRecentFileSection) user_->writeText(section, key, value);
}

}  // namespace qarto
