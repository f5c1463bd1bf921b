#pragma once

#include <map>
#include <string>
#include <utility>
#include <variant>

#include "model/settings/settings_store.h"

namespace qarto {

// A settings store held in memory: the tests' store, and the fallback of
// tools that must not touch the user's preferences.
class MemorySettingsStore : public SettingsStore {
 public:
  using Value = std::variant<int, std::string>;

  int readInt(const std::string& section, const std::string& key, int defaultValue) override;
  void writeInt(const std::string& section, const std::string& key, int value) override;
  std::string readText(const std::string& section, const std::string& key, const std::string& defaultValue) override;
  void writeText(const std::string& section, const std::string& key, const std::string& value) override;

  bool contains(const std::string& section, const std::string& key) const;
  void remove(const std::string& section, const std::string& key);
  const std::map<std::pair<std::string, std::string>, Value>& values() const { return values_; }

 private:
  std::map<std::pair<std::string, std::string>, Value> values_;
};

}  // namespace qarto
