#pragma once

#include "model/settings/memory_settings_store.h"
#include "model/settings/settings_store.h"

namespace qarto {

// The user's settings as the editor would see them after start-up, without
// writing anything back: a key the user's store lacks reads as the start-up
// default, and writes stay in memory.
class ReadOnlySettings : public SettingsStore {
 public:
  explicit ReadOnlySettings(SettingsStore& user);

  int readInt(const std::string& section, const std::string& key, int defaultValue) override;
  void writeInt(const std::string& section, const std::string& key, int value) override;
  std::string readText(const std::string& section, const std::string& key, const std::string& defaultValue) override;
  void writeText(const std::string& section, const std::string& key, const std::string& value) override;

 private:
  SettingsStore& user_;
  MemorySettingsStore defaults_;
  MemorySettingsStore written_;
};

}  // namespace qarto
