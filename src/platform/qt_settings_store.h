#pragma once

#include <memory>
#include <string>

#include "model/settings/settings_store.h"

class QSettings;

namespace qarto {

// The per-user settings store: an INI file in the user's configuration
// folder for organisation "Vantrel Software" and application "Qarto"
// ($XDG_CONFIG_HOME/Vantrel Software/Qarto.ini, normally under ~/.config),
// or an explicit file for tests and tools. Sections and keys are
// case-sensitive. A missing, unreadable or garbled file reads as empty.
class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();
  explicit QtSettingsStore(const std::string& iniPath);
  ~QtSettingsStore() override;
  QtSettingsStore(const QtSettingsStore&) = delete;
  QtSettingsStore& operator=(const QtSettingsStore&) = delete;

  // A stored text that is not a whole decimal integer reads as the default.
  int readInt(const std::string& section, const std::string& key, int defaultValue) override;
  void writeInt(const std::string& section, const std::string& key, int value) override;
  std::string readText(const std::string& section, const std::string& key, const std::string& defaultValue) override;
  void writeText(const std::string& section, const std::string& key, const std::string& value) override;

  // Writes pending changes to the file; false when the file could not be
  // written (the changes stay in memory).
  bool sync();
  std::string fileName() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace qarto
