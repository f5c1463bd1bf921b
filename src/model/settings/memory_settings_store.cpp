#include "model/settings/memory_settings_store.h"

#include <cstdlib>

namespace qarto {

int MemorySettingsStore::readInt(const std::string& section, const std::string& key, int defaultValue) {
  auto it = values_.find({section, key});
  if (it == values_.end()) return defaultValue;
  if (const int* value = std::get_if<int>(&it->second)) return *value;
  // A text that holds a number reads as that number, as in an INI file.
  const std::string& text = std::get<std::string>(it->second);
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') return defaultValue;
  return static_cast<int>(parsed);
}

void MemorySettingsStore::writeInt(const std::string& section, const std::string& key, int value) {
  values_[{section, key}] = value;
}

std::string MemorySettingsStore::readText(const std::string& section, const std::string& key,
                                          const std::string& defaultValue) {
  auto it = values_.find({section, key});
  if (it == values_.end()) return defaultValue;
  if (const std::string* value = std::get_if<std::string>(&it->second)) return *value;
  return std::to_string(std::get<int>(it->second));
}

void MemorySettingsStore::writeText(const std::string& section, const std::string& key, const std::string& value) {
  values_[{section, key}] = value;
}

bool MemorySettingsStore::contains(const std::string& section, const std::string& key) const {
  return values_.count({section, key}) != 0;
}

void MemorySettingsStore::remove(const std::string& section, const std::string& key) { values_.erase({section, key}); }

}  // namespace qarto
