#pragma once

#include <memory>

#include "model/settings/settings_store.h"

namespace qarto {

// The user's own settings for the commands that write preferences as the
// editor does (export remembers its folders), with one exception: the
// recent-file list is the editor's, so a command never adds to it.
class UserSettings : public SettingsStore {
 public:
  UserSettings();
  ~UserSettings() override;

  int readInt(const std::string& section, const std::string& key, int defaultValue) override;
  void writeInt(const std::string& section, const std::string& key, int value) override;
  std::string readText(const std::string& section, const std::string& key, const std::string& defaultValue) override;
  void writeText(const std::string& section, const std::string& key, const std::string& value) override;

 private:
  std::unique_ptr<SettingsStore> user_;
};

}  // namespace qarto
