#include "cli/read_only_settings.h"

#include "model/settings/settings_defaults.h"

namespace qarto {

ReadOnlySettings::ReadOnlySettings(SettingsStore& user) : user_(user) { ensureSettingsDefaults(defaults_); }

int ReadOnlySettings::readInt(const std::string& section, const std::string& key, int defaultValue) {
  if (written_.contains(section, key)) return written_.readInt(section, key, defaultValue);
  return user_.readInt(section, key, defaults_.readInt(section, key, defaultValue));
}

void ReadOnlySettings::writeInt(const std::string& section, const std::string& key, int value) {
  written_.writeInt(section, key, value);
}

std::string ReadOnlySettings::readText(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) {
  if (written_.contains(section, key)) return written_.readText(section, key, defaultValue);
  return user_.readText(section, key, defaults_.readText(section, key, defaultValue));
}

void ReadOnlySettings::writeText(const std::string& section, const std::string& key, const std::string& value) {
  written_.writeText(section, key, value);
}

}  // namespace qarto
