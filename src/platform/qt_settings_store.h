#pragma once

#include <memory>
#include <string>

#include "model/settings_store.h"

class QSettings;

namespace qarto {

// The per-user settings store: an INI file in the user's configuration
// folder for organisation "Vantrel Software" and application "Qarto"
// (~/.config/Vantrel Software/Qarto.ini), or an explicit file for tests.
class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();
  explicit QtSettingsStore(const std::string& iniPath);
  ~QtSettingsStore() override;

  int readInt(const std::string& section, const std::string& key, int defaultValue) override;
  void writeInt(const std::string& section, const std::string& key, int value) override;
  std::string readText(const std::string& section, const std::string& key, const std::string& defaultValue) override;
  void writeText(const std::string& section, const std::string& key, const std::string& value) override;

  void sync();
  std::string fileName() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace qarto
